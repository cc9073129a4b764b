#include "scaled_image.h"

#include "read_png.h"

QPixmap ScaledImage::ForRatio(qreal ratio) {
    std::size_t index = 0;
    // A hair's breadth over a scale (a ratio worked out in floating point) is that scale.
    while (index + 1 < kScales.size() && kScales[index] < ratio - 0.01) ++index;
    QPixmap& image = read_[index];
    if (image.isNull()) {
        const QString suffix = index == 0 ? QString() : QStringLiteral("@%1x").arg(kScales[index]);
        image = ReadPng(name_ + suffix + QStringLiteral(".png"));
        image.setDevicePixelRatio(kScales[index]);
    }
    return image;
}

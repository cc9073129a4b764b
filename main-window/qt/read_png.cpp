#include "read_png.h"

#include <QImageReader>

QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

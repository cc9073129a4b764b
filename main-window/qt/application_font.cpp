#include "application_font.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "form1_description.h"

namespace {

int Pixels(int twips) { return form1::TwipsToPixels(twips, 96); }

// How far `font` may grow (or must shrink, below 1) for every caption and the
// button's text to fit their boxes.
double Room(const QFont& font) {
    const QFontMetrics metrics(font);
    const QStyle* style = QApplication::style();
    double room = 1e9;
    for (const form1::Control& control : form1::kControls) {
        QString text = QString::fromUtf8(control.content);
        int width = Pixels(control.place.width);
        int height = Pixels(control.place.height);
        if (control.kind == form1::Kind::PushButton) {
            text.remove(u'&');
            width -= 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
            height -= 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        } else if (control.kind != form1::Kind::Caption) {
            continue;
        }
        room = std::min({room, double(width) / metrics.horizontalAdvance(text), double(height) / metrics.height()});
    }
    return room;
}

// The font at `size` points, or pixels for a font sized in pixels.
QFont AtSize(QFont font, double size) {
    if (font.pointSizeF() > 0) font.setPointSizeF(size);
    else font.setPixelSize(int(size));
    return font;
}

// Refits the application's font when the platform sets another one.
class FontKeeper : public QObject {
public:
    explicit FontKeeper(QObject* parent) : QObject(parent) {
        Apply(QApplication::font());
        refit_.setSingleShot(true);
        refit_.setInterval(0);
        connect(&refit_, &QTimer::timeout, this, [this] { Apply(QApplication::font()); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Qt hands a new application font to every widget as well; the
        // application's own event is the one to answer, once Qt is done.
        // Our own change comes back here too, and is left alone.
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange && QApplication::font() != fitted_)
            refit_.start();
        return QObject::eventFilter(watched, event);
    }

private:
    void Apply(const QFont& platform) {
        fitted_ = FittingFont(platform);
        if (QApplication::font() != fitted_) QApplication::setFont(fitted_);
    }

    QFont fitted_;
    QTimer refit_;
};

}  // namespace

QFont FittingFont(const QFont& platform) {
    const double room = Room(platform);
    if (room >= 1) return platform;
    // Each size measured loads a font engine, which the start pays for, so
    // the sizes are not searched one by one. Text widths grow in proportion
    // to the size but for the rounding of each glyph's advance: the room at
    // the platform's size tells the size, and the rounding can make it a step
    // too large or too small, which the neighbouring sizes show. Steps are a
    // quarter point (or a pixel), down to a size still readable under a
    // magnifier.
    const bool inPoints = platform.pointSizeF() > 0;
    const double platformSize = inPoints ? platform.pointSizeF() : platform.pixelSize();
    const double step = inPoints ? 0.25 : 1;
    const double smallest = inPoints ? 4 : 5;
    double size = std::max(smallest, std::floor(platformSize * room / step) * step);
    if (Room(AtSize(platform, size)) >= 1) {
        if (size + step < platformSize && Room(AtSize(platform, size + step)) >= 1) size += step;
    } else {
        do size -= step;
        while (size > smallest && Room(AtSize(platform, size)) < 1);
    }
    return AtSize(platform, size);
}

void UseFittingFont() { qApp->installEventFilter(new FontKeeper(qApp)); }

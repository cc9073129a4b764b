#include "application_font.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStyle>

#include "form1_description.h"

namespace {

int Pixels(int twips) { return form1::TwipsToPixels(twips, 96); }

bool EveryTextFits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QStyle* style = QApplication::style();
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
        if (metrics.horizontalAdvance(text) > width || metrics.height() > height) return false;
    }
    return true;
}

// Refits the application's font when the platform sets another one.
class FontKeeper : public QObject {
public:
    explicit FontKeeper(QObject* parent) : QObject(parent) { Apply(QApplication::font()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A change reaches every widget as well; the application's own event
        // is the one to answer. Our own change comes back here too.
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange && QApplication::font() != fitted_)
            Later([this] { Apply(QApplication::font()); });
        // A new platform theme brings its own font; the application's font,
        // set explicitly, no longer follows it by itself.
        if (watched == qApp && event->type() == QEvent::ThemeChange)
            Later([this] { Apply(QFontDatabase::systemFont(QFontDatabase::GeneralFont)); });
        return QObject::eventFilter(watched, event);
    }

private:
    // Not while Qt is still handing the last change to every widget.
    template <typename Work>
    void Later(Work work) {
        QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
    }

    void Apply(const QFont& platform) {
        fitted_ = FittingFont(platform);
        if (QApplication::font() != fitted_) QApplication::setFont(fitted_);
    }

    QFont fitted_;
};

}  // namespace

QFont FittingFont(const QFont& platform) {
    QFont font = platform;
    // A quarter point (or a pixel) at a time, down to a size still readable
    // under a magnifier, so that the search ends whatever the texts.
    if (platform.pointSizeF() > 0) {
        while (!EveryTextFits(font) && font.pointSizeF() > 4) font.setPointSizeF(font.pointSizeF() - 0.25);
    } else {
        while (!EveryTextFits(font) && font.pixelSize() > 5) font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

void UseFittingFont() { qApp->installEventFilter(new FontKeeper(qApp)); }

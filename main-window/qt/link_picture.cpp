#include "link_picture.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The link as assistive technology sees it: the role Link, and a press action
// that clicks it, so that it is followed exactly as a click follows it.
class LinkPictureAccessible : public QAccessibleWidget {
public:
    explicit LinkPictureAccessible(LinkPicture* picture) : QAccessibleWidget(picture, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<LinkPicture*>(widget())->clicked();
    }
};

QAccessibleInterface* LinkPictureInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("LinkPicture") && object != nullptr && object->isWidgetType())
        return new LinkPictureAccessible(static_cast<LinkPicture*>(object));
    return nullptr;
}

}  // namespace

LinkPicture::LinkPicture(ScaledImage picture, ScaledImage cursor, QPoint hotSpot, QWidget* parent)
    : QLabel(parent), picture_(std::move(picture)), cursor_(std::move(cursor)), hotSpot_(hotSpot) {
    static const bool installed = (QAccessible::installFactory(LinkPictureInterface), true);
    Q_UNUSED(installed);
    UseCursorForScale();
}

// Qt tells a window's widgets when it has moved to another screen (and, from
// Qt 6.6, when its screen's scale changes).
bool LinkPicture::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        UseCursorForScale();
        update();
        break;
    default: break;
    }
    return QLabel::event(event);
}

// Qt takes a cursor's hot spot in device-independent pixels, but its X11
// platform passes it on to the X server as it is, where a cursor is an image
// in the screen's own pixels. So on X11 the image and its hot spot go in
// those pixels, and elsewhere (Wayland) as Qt means them.
void LinkPicture::UseCursorForScale() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == cursorRatio_) return;
    cursorRatio_ = ratio;
    QPixmap image = cursor_.ForRatio(ratio);
    QPoint hotSpot = hotSpot_;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        hotSpot = (QPointF(hotSpot) * image.devicePixelRatio()).toPoint();
        image.setDevicePixelRatio(1);
    }
    setCursor(QCursor(image, hotSpot.x(), hotSpot.y()));
}

// The picture made for the scale, where there is one, is drawn as it is,
// pixel for pixel (at 1.5 it is whole pixels where the picture's size in
// device-independent pixels is not); at a scale between two the larger is
// drawn smaller, smoothly.
void LinkPicture::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    const QPixmap picture = picture_.ForRatio(ratio);
    QPainter painter(this);
    if (qFuzzyCompare(picture.devicePixelRatio(), ratio)) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture);
}

void LinkPicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

#include "link_picture.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

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

LinkPicture::LinkPicture(QWidget* parent) : QLabel(parent) {
    static const bool installed = (QAccessible::installFactory(LinkPictureInterface), true);
    Q_UNUSED(installed);
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

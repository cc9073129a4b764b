#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

Announcer::Announcer(QWidget* window) : window_(window) {}

void Announcer::Announce(const QString& text) {
    QAccessibleAnnouncementEvent announcement(window_, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
}

#else

namespace {

constexpr QLatin1String kNotificationName("announcement");

// The notification as screen readers see it: its name is the text.
QAccessibleInterface* NotificationInterface(const QString& /*className*/, QObject* object) {
    if (object != nullptr && object->isWidgetType() && object->objectName() == kNotificationName)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* window) : notification_(new QWidget(window)) {
    static const bool installed = (QAccessible::installFactory(NotificationInterface), true);
    Q_UNUSED(installed);
    notification_->setObjectName(QString(kNotificationName));
    notification_->setGeometry(0, 0, 0, 0);
    notification_->hide();
}

// Each text appears anew, so that a screen reader speaks it even when it is
// the last one again.
void Announcer::Announce(const QString& text) {
    notification_->hide();
    notification_->setAccessibleName(text);
    notification_->show();
}

#endif

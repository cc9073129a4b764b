#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// Tells screen readers a text without moving the focus, after what they are
// saying (politely): what a calculation gave, which otherwise only the result
// box shows, and a screen reader speaks only where the focus is. Qt 6.8 and
// later announce it as such. Older Qt has no announcements; there the window
// holds a notification, shown to screen readers only (it has no size), which
// Orca speaks when it appears.
class Announcer {
public:
    explicit Announcer(QWidget* window);

    void Announce(const QString& text);

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QWidget* window_;  // whose announcement it is
#else
    QWidget* notification_;  // the window's child
#endif
};

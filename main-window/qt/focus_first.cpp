#include "focus_first.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

// The object of the last focus event that went out.
QPointer<QObject>
    told_focus;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): Qt's hook is a plain function

void Filter(QAccessibleEvent* event);

// To Qt's own handling, which goes on while no handler is installed.
void PassOn(QAccessibleEvent* event) {
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(Filter);
}

void Filter(QAccessibleEvent* event) {
    QObject* object = event->object();
    if (event->type() == QAccessible::TextCaretMoved && object != nullptr && object == QApplication::focusWidget() &&
        object != told_focus)
        return;
    if (event->type() == QAccessible::Focus) told_focus = object;
    PassOn(event);
}

}  // namespace

void TellFocusBeforeText() { QAccessible::installUpdateHandler(Filter); }

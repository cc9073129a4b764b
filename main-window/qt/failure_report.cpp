#include "failure_report.h"

#include <QMessageBox>

#include "home_page.h"

namespace {

// What to do when no program to open web pages could be found.
QString OpenerAdvice() {
    const QString page = QString::fromUtf8(kHomePageUrl);
#ifdef _WIN32
    return QStringLiteral("Visit %1 in your web browser.").arg(page);
#else
    return QStringLiteral("Install xdg-utils, or visit %1 in your web browser.").arg(page);
#endif
}

}  // namespace

void MessageBoxReporter::Report(QWidget* window, const QString& message) {
    QMessageBox::critical(window, QStringLiteral("Tarnwick"), message);
}

QString FailureMessage(tarnwick::FailureKind kind) {
    using tarnwick::FailureKind;
    switch (kind) {
    case FailureKind::InvalidArgument:
        return QStringLiteral(
            "Invalid argument: the speed cannot be estimated from a current speed of 0 or less.\n\n"
            "Type the current speed as a number greater than 0, such as 8.");
    case FailureKind::Overflow:
        return QStringLiteral(
            "Overflow: a number is too large.\n\n"
            "Type numbers between -3.4E+38 and 3.4E+38.");
    case FailureKind::InvalidOperation:
        return QStringLiteral(
            "Invalid operation: the two margins are too large to be compared.\n\n"
            "Type margins between -3.4E+38 and 3.4E+38.");
    case FailureKind::DivisionByZero:
        return QStringLiteral("Division by zero.\n\nCheck the numbers typed and calculate again.");
    case FailureKind::ControlAccess:
        return QStringLiteral("A box of the window could not be read or written.\n\nTry again.");
    case FailureKind::LibraryLookup:
        return QStringLiteral("The program that opens web pages could not be found.\n\n") + OpenerAdvice();
    }
    return UnexpectedFailureMessage("an unknown kind of failure");
}

QString UnexpectedFailureMessage(const char* description) {
    return QStringLiteral("Unexpected failure: %1.\n\nThe program goes on running; the boxes keep what they show.")
        .arg(QString::fromUtf8(description));
}

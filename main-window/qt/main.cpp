#include <QApplication>

#include "application_font.h"
#include "failure_report.h"
#include "focus_first.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    UseFittingFont();
    TellFocusBeforeText();
    MessageBoxReporter reporter;
    Form1 form(reporter);
    form.ShowCentred();
    return QApplication::exec();
}

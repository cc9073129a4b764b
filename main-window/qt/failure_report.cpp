#include "failure_report.h"

#include <QMessageBox>

#include "window_texts.h"

void MessageBoxReporter::Report(QWidget* window, const QString& message) {
    QMessageBox::critical(window, QString::fromUtf8(form1::kReportTitle), message);
}

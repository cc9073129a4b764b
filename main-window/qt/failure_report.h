#pragma once

#include <QString>

class QWidget;

// How a failure that left a handler reaches the user. The window reports
// through this interface so that tests can see a report without a modal loop.
class FailureReporter {
public:
    virtual ~FailureReporter() = default;
    virtual void Report(QWidget* window, const QString& message) = 0;
};

// A modal message box over the window.
class MessageBoxReporter : public FailureReporter {
public:
    void Report(QWidget* window, const QString& message) override;
};

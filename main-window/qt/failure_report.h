#pragma once

#include <QString>

#include "speed_calc.hpp"

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

// The report of a failure of this kind, in plain words, with what to do about it.
QString FailureMessage(tarnwick::FailureKind kind);

// The report of a failure the program does not expect (a fault of its own).
QString UnexpectedFailureMessage(const char* description);

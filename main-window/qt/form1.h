#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

#include "shell_open.h"
#include "speed_calc.hpp"

namespace Ui {
class Form1;
}
class FailureReporter;
class QLineEdit;

// Tarnwick's one window. Its controls come from Form1.ui; the code adds what a
// form cannot hold (the window's kind, icon and position, the link cursor)
// and routes the two events that reach the program: a click of Calculate and
// a click on the logo.
class Form1 : public QWidget, public tarnwick::CalcView {
    Q_OBJECT

public:
    explicit Form1(FailureReporter& reporter, QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the window centred on its screen and makes it the active window,
    // with the focus in txtDSM.
    void ShowCentred();

    // The Calculate action's view of the four text boxes.
    std::string GetBoxText(tarnwick::Box box) override;
    void SetBoxBackColour(tarnwick::Box box, tarnwick::Colour colour) override;
    void SetBoxText(tarnwick::Box box, std::string_view text) override;

    // The native window handle, which owns what the home-page link opens.
    std::uintptr_t WindowHandle();

private:
    void cmdCalc_Click();
    void imgLogo_Click();
    QLineEdit* BoxWidget(tarnwick::Box box) const;

    // Runs an event's handler and reports whatever failure leaves it.
    template <typename Handler>
    void Dispatch(Handler handler);

    std::unique_ptr<Ui::Form1> ui_;
    FailureReporter& reporter_;
    ShellOpener shell_;
};

#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

#include "announcer.h"
#include "shell_open.h"
#include "speed_calc.hpp"

class FailureReporter;
class QLineEdit;

// Tarnwick's one window, built from the platform-free description of Form1.
// The code adds what the description leaves to each platform (the window's
// kind, icon and position, the link cursor) and routes the two events that
// reach the program: a click of Calculate and a click on the logo.
class Form1 : public QWidget, public tarnwick::CalcView {
    Q_OBJECT

public:
    explicit Form1(FailureReporter& reporter, QWidget* parent = nullptr);

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
    void CreateControls();
    void cmdCalc_Click();
    void imgLogo_Click();
    QLineEdit* BoxWidget(tarnwick::Box box) const;

    // Runs an event's handler and reports whatever failure leaves it.
    template <typename Handler>
    void Dispatch(Handler handler);

    FailureReporter& reporter_;
    ShellOpener shell_;
    std::array<QLineEdit*, 4> boxes_{};  // by tarnwick::Box
    Announcer announcer_;
    std::string verdict_;  // of the last colour given to txtSpeed, in words
};

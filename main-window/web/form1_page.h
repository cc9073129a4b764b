#pragma once

#include <string>
#include <string_view>

#include "speed_calc.hpp"

// Tarnwick's one window in the browser: Form1 as elements of the page, which
// the page's markup holds from the start (written from Form1's description
// when the site is built). It implements CalcView on the four text boxes and
// runs the Calculate button's click; the logo is a link of the page, which
// the browser follows itself.
class Form1Page : public tarnwick::CalcView {
public:
    // Takes over the panel as the user has it: what has been typed and where
    // the focus is stay as they are.
    Form1Page();
    Form1Page(const Form1Page&) = delete;
    Form1Page& operator=(const Form1Page&) = delete;

    std::string GetBoxText(tarnwick::Box box) override;
    void SetBoxBackColour(tarnwick::Box box, tarnwick::Colour colour) override;
    void SetBoxText(tarnwick::Box box, std::string_view text) override;

    // The click of Calculate (by the mouse, the keyboard or the access key).
    void cmdCalc_Click();

private:
    // Runs an event's handler and reports whatever failure leaves it.
    template <typename Handler>
    void Dispatch(Handler handler);

    std::string verdict_;  // of the last colour given to txtSpeed, in words
};

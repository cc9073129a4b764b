#pragma once

#include <emscripten/val.h>

#include <array>
#include <string>
#include <string_view>

#include "speed_calc.hpp"

// Tarnwick's one window in the browser: Form1 as elements of the page, built
// from the platform-free description of Form1. It implements CalcView on its
// four text boxes and runs the Calculate button's click; the logo is a link
// of the page, which the browser follows itself.
class Form1Page : public tarnwick::CalcView {
public:
    // Builds the panel into the page's body, with the focus in txtDSM.
    Form1Page();
    Form1Page(const Form1Page&) = delete;
    Form1Page& operator=(const Form1Page&) = delete;

    std::string GetBoxText(tarnwick::Box box) override;
    void SetBoxBackColour(tarnwick::Box box, tarnwick::Colour colour) override;
    void SetBoxText(tarnwick::Box box, std::string_view text) override;

    // The click of Calculate (by the mouse, the keyboard or the access key).
    void cmdCalc_Click();

private:
    void CreateControls();
    emscripten::val CreateControl(std::size_t index);
    void FitFont();
    emscripten::val BoxElement(tarnwick::Box box) const;

    // Runs an event's handler and reports whatever failure leaves it.
    template <typename Handler>
    void Dispatch(Handler handler);

    emscripten::val document_;
    emscripten::val panel_;
    emscripten::val announcer_;             // a polite live region
    std::array<emscripten::val, 4> boxes_;  // by tarnwick::Box
    std::string verdict_;                   // of the last colour given to txtSpeed, in words
};

// The Calculate button.

#include <string>

#include "fp_status.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

// Runs one operation on the window and then clears the floating-point status,
// whether the operation completed or failed: whatever the toolkit flagged
// while it worked must not reach the estimate's status tests.
template <typename Operation>
decltype(auto) OnView(Operation&& operation) {
    struct ClearOnExit {
        ClearOnExit() = default;
        ClearOnExit(const ClearOnExit&) = delete;
        ClearOnExit& operator=(const ClearOnExit&) = delete;
        ~ClearOnExit() { fp_status::Clear(); }
    } const clear;
    return operation();
}

// The box's number as a float. Narrowing a number beyond the float range gives
// an infinity and raises the overflow flag: for the current speed, read last,
// the estimate finds that flag; for the margins it is cleared by the next read.
float ReadBox(CalcView& view, Box box) {
    const std::string text = OnView([&] { return view.GetBoxText(box); });
    return fp_status::Settled(static_cast<float>(ParseNumericText(text)));
}

}  // namespace

void cmdCalc_Click(CalcView& view) {
    const float dsMargin = ReadBox(view, Box::txtDSM);
    const float minMargin = ReadBox(view, Box::txtMin);
    const float currentSpeed = ReadBox(view, Box::txtCurSpeed);
    const float estimate = EstimateMaxSpeed(dsMargin, minMargin, currentSpeed);

    // Colour first, then text: if writing the text fails, the box shows the
    // new colour with the old text.
    const Colour colour = VerdictColour(CompareSpeeds(estimate, currentSpeed));
    OnView([&] { view.SetBoxBackColour(Box::txtSpeed, colour); });
    const std::string text = FormatSingle(estimate);
    OnView([&] { view.SetBoxText(Box::txtSpeed, text); });
}

}  // namespace tarnwick

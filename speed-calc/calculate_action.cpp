// The Calculate button.

#include <string>

#include "decimal_separator.hpp"
#include "headroom_estimate.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

// Runs one operation on the window and then clears the floating-point status,
// whether the operation completed or failed: whatever the toolkit flagged
// while it worked must not reach the estimate's status tests.
template <typename Operation>
decltype(auto) OnView(FpStatus& status, Operation&& operation) {
    struct ClearOnExit {
        explicit ClearOnExit(FpStatus& status) : status_(status) {}
        ClearOnExit(const ClearOnExit&) = delete;
        ClearOnExit& operator=(const ClearOnExit&) = delete;
        ~ClearOnExit() { status_.Clear(); }
        FpStatus& status_;
    } const clear(status);
    return operation();
}

// The box's number as a float. Narrowing a number beyond the float range gives
// an infinity and raises the overflow flag: for the current speed, read last,
// the estimate finds that flag; for the margins it is cleared by the next read.
float ReadBox(CalcView& view, Box box, std::string_view separator, FpStatus& status) {
    const std::string text = OnView(status, [&] { return view.GetBoxText(box); });
    return status.Narrow(ParseNumericText(text, separator));
}

}  // namespace

void cmdCalc_Click(CalcView& view) {
    // One separator for the whole calculation, read and written alike; what
    // asking for it flags is cleared after the first read of a box.
    const std::string separator = UserDecimalSeparator();
    FpStatus status;
    const float dsMargin = ReadBox(view, Box::txtDSM, separator, status);
    const float minMargin = ReadBox(view, Box::txtMin, separator, status);
    const float currentSpeed = ReadBox(view, Box::txtCurSpeed, separator, status);
    const float estimate = EstimateMaxSpeed(dsMargin, minMargin, currentSpeed, status);

    // Colour first, then text: if writing the text fails, the box shows the
    // new colour with the old text.
    const Colour colour = VerdictColour(CompareSpeeds(estimate, currentSpeed));
    OnView(status, [&] { view.SetBoxBackColour(Box::txtSpeed, colour); });
    const std::string text = FormatSingle(estimate, separator);
    OnView(status, [&] { view.SetBoxText(Box::txtSpeed, text); });
}

}  // namespace tarnwick

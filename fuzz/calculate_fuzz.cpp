// Fuzzes the whole Calculate action with three typed texts, separated by '|'
// in the input, through a window held in memory. Either the action completes,
// and the result box shows the estimate to 7 significant digits in the colour
// of its verdict, or it fails with a kind the calculation can raise and leaves
// the result box untouched.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "headroom_estimate.hpp"
#include "speed_calc.hpp"

namespace {

using tarnwick::Box;
using tarnwick::Colour;

constexpr Colour kEarlierColour{1, 2, 3};
constexpr std::string_view kEarlierText = "earlier";

class MemoryView : public tarnwick::CalcView {
public:
    std::string inputs[3];
    std::string result{kEarlierText};
    Colour colour = kEarlierColour;

    std::string GetBoxText(Box box) override { return inputs[static_cast<int>(box)]; }
    void SetBoxBackColour(Box, Colour c) override { colour = c; }
    void SetBoxText(Box, std::string_view text) override { result = text; }
};

void Require(bool rule) {
    if (!rule) std::abort();
}

float Narrowed(const std::string& text) { return static_cast<float>(tarnwick::ParseNumericText(text)); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("LC_ALL", "C", 1);  // the result's decimal separator is then a full stop
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryView view;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (std::string& input : view.inputs) {
        const std::size_t bar = rest.find('|');
        input = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    }

    try {
        tarnwick::cmdCalc_Click(view);
    } catch (const tarnwick::RunFailure& failure) {
        using tarnwick::FailureKind;
        const FailureKind kind = failure.kind();
        Require(kind == FailureKind::InvalidArgument || kind == FailureKind::Overflow ||
                kind == FailureKind::InvalidOperation || kind == FailureKind::DivisionByZero);
        Require(view.result == kEarlierText && view.colour == kEarlierColour);
        return 0;
    }

    // Completed: every input was read without failure and the current speed
    // is within the float range, so the estimate can be had again directly.
    const float dsMargin = Narrowed(view.inputs[0]);
    const float minMargin = Narrowed(view.inputs[1]);
    const float currentSpeed = Narrowed(view.inputs[2]);
    tarnwick::FpStatus status;
    status.Clear();
    const float estimate = tarnwick::EstimateMaxSpeed(dsMargin, minMargin, currentSpeed, status);

    Require(view.colour == tarnwick::VerdictColour(tarnwick::CompareSpeeds(estimate, currentSpeed)));
    if (std::isinf(estimate)) {
        Require(view.result == (estimate > 0 ? "Infinity" : "-Infinity"));
    } else if (estimate == 0.0f) {
        Require(view.result == "0");
    } else {
        const double shown = tarnwick::ParseNumericText(view.result);
        const auto exact = static_cast<double>(estimate);
        Require(std::fabs(shown - exact) <= 5.0000001e-7 * std::fabs(exact));
    }
    return 0;
}

// Fuzzes the floating-point status: for doubles of any bit pattern, the flags
// that FpStatus derives by IEEE 754's rules (all that WebAssembly has) must be
// the processor's own, after each operation the estimate uses and after a
// whole estimate. The input is read as up to three doubles.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fp_status.hpp"
#include "headroom_estimate.hpp"
#include "speed_calc.hpp"

namespace {

using tarnwick::FpStatus;

void Require(bool rule) {
    if (!rule) std::abort();
}

template <typename Operation>
void RequireAgreement(Operation operation) {
    FpStatus status;
    status.Clear();
    operation(status);
    Require(status.Raised() == status.RaisedByRules());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double values[3] = {};
    std::memcpy(values, data, size < sizeof values ? size : sizeof values);
    const double a = values[0];
    const double b = values[1];
    const double c = values[2];

    RequireAgreement([&](FpStatus& s) { s.Add(a, b); });
    RequireAgreement([&](FpStatus& s) { s.Subtract(a, b); });
    RequireAgreement([&](FpStatus& s) { s.Multiply(a, b); });
    RequireAgreement([&](FpStatus& s) { s.Divide(a, b); });
    RequireAgreement([&](FpStatus& s) { s.Narrow(a); });
    RequireAgreement([&](FpStatus& s) { s.Log(a); });
    RequireAgreement([&](FpStatus& s) { s.PowerOf2(a); });

    // A whole estimate, the margins narrowed beforehand as the Calculate
    // action narrows them (their flags are cleared by the next read).
    const auto dsMargin = static_cast<float>(a);
    const auto minMargin = static_cast<float>(b);
    RequireAgreement([&](FpStatus& s) {
        const float currentSpeed = s.Narrow(c);
        try {
            (void)tarnwick::EstimateMaxSpeed(dsMargin, minMargin, currentSpeed, s);
        } catch (const tarnwick::RunFailure&) {
        }
    });
    return 0;
}

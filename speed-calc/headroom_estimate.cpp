// The headroom estimate: every 6 dB of margin is worth a doubling of speed.

#include "headroom_estimate.hpp"

#include "speed_calc.hpp"

namespace tarnwick {
namespace {

// The base-2 logarithm as the quotient of two natural logarithms, not
// std::log2: for some large powers of two the quotient is one unit in the last
// place off the whole number, and the estimate's last bit depends on it.
double LogBase2(double x, FpStatus& status) {
    const double ln2 = status.Log(2.0);
    if (x <= 0.0) throw RunFailure(FailureKind::InvalidArgument);
    const double lnX = status.Log(x);
    const double quotient = status.Divide(lnX, ln2);
    status.ThrowIfFlagged();
    return quotient;
}

}  // namespace

float EstimateMaxSpeed(float dsMargin, float minMargin, float currentSpeed, FpStatus& status) {
    const double log2Speed = LogBase2(static_cast<double>(currentSpeed), status);

    // The sum is held as a float: that rounding, part of the estimate's rule
    // and not of its algebra, decides the estimate's last bit. With equal
    // margins of 6 and a current speed of 10 it gives 9.999999, with equal
    // margins of 0 and 24 it gives exactly 24.
    const float sum = status.Narrow(status.Add(status.Multiply(log2Speed, 6.0), static_cast<double>(dsMargin)));
    status.ThrowIfFlagged();

    const double log2Estimate =
        status.Divide(status.Subtract(static_cast<double>(sum), static_cast<double>(minMargin)), 6.0);
    status.ThrowIfFlagged();

    return status.Narrow(status.PowerOf2(log2Estimate));
}

// Where the processor keeps the flags, this status is the thread's, as the
// caller left it; elsewhere nothing can have been raised before the call.
float EstimateMaxSpeed(float dsMargin, float minMargin, float currentSpeed) {
    FpStatus status;
    return EstimateMaxSpeed(dsMargin, minMargin, currentSpeed, status);
}

SpeedVerdict CompareSpeeds(float estimated, float current) {
    if (!(estimated >= current)) return SpeedVerdict::Lower;  // also a NaN
    return estimated != current ? SpeedVerdict::Higher : SpeedVerdict::Equal;
}

Colour VerdictColour(SpeedVerdict verdict) {
    switch (verdict) {
    case SpeedVerdict::Lower: return {255, 180, 180};
    case SpeedVerdict::Equal: return {255, 255, 255};
    case SpeedVerdict::Higher: return {200, 255, 200};
    }
    return {255, 180, 180};
}

}  // namespace tarnwick

// The estimate with the floating-point status it tests, for the Calculate
// action, which clears that status after each operation on the window.
#pragma once

#include "fp_status.hpp"

namespace tarnwick {

// EstimateMaxSpeed, testing `status`: whatever was raised in it since it was
// last cleared counts, as do the estimate's own flags.
float EstimateMaxSpeed(float dsMargin, float minMargin, float currentSpeed, FpStatus& status);

}  // namespace tarnwick

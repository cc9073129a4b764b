#include "fp_status.hpp"

#include <cfenv>

#include "speed_calc.hpp"

namespace tarnwick::fp_status {

void Clear() noexcept { std::feclearexcept(FE_ALL_EXCEPT); }

void ThrowIfFlagged() {
    const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (flags & FE_INVALID) throw RunFailure(FailureKind::InvalidOperation);
    if (flags & FE_DIVBYZERO) throw RunFailure(FailureKind::DivisionByZero);
    if (flags & FE_OVERFLOW) throw RunFailure(FailureKind::Overflow);
}

}  // namespace tarnwick::fp_status

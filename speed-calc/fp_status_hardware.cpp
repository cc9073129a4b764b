// The floating-point status on a processor that keeps the flags itself: the
// processor's own flags, shared by every FpStatus of the thread.
#include <cfenv>

#include "fp_status.hpp"

namespace tarnwick {

void FpStatus::Clear() noexcept {
    std::feclearexcept(FE_ALL_EXCEPT);
    byRules_ = 0;
}

void FpStatus::Raise(FpFlags flags) noexcept {
    if (flags & kInvalidOperation) std::feraiseexcept(FE_INVALID);
    if (flags & kDivisionByZero) std::feraiseexcept(FE_DIVBYZERO);
    if (flags & kOverflow) std::feraiseexcept(FE_OVERFLOW);
    byRules_ |= flags;
}

FpFlags FpStatus::Raised() const noexcept {
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    FpFlags flags = 0;
    if (raised & FE_INVALID) flags |= kInvalidOperation;
    if (raised & FE_DIVBYZERO) flags |= kDivisionByZero;
    if (raised & FE_OVERFLOW) flags |= kOverflow;
    return flags;
}

}  // namespace tarnwick

// The floating-point status where the processor keeps no flags (WebAssembly,
// soft float as on armel):
// the flags that this object's arithmetic raised by IEEE 754's rules.
#include "fp_status.hpp"

namespace tarnwick {

void FpStatus::Clear() noexcept { byRules_ = 0; }

void FpStatus::Raise(FpFlags flags) noexcept { byRules_ |= flags; }

FpFlags FpStatus::Raised() const noexcept { return byRules_; }

}  // namespace tarnwick

// Says whether the processor keeps the floating-point flags that the
// estimate tests: an overflow, a division by zero and an invalid operation,
// each raised by real arithmetic, must each be found raised afterwards, and
// gone once cleared. Soft-float targets (Debian's armel) compile the flags'
// functions, but no operation ever raises a flag there; QEMU 7.2's MIPS
// raises them but never clears them.
#include <cfenv>
#include <cstdio>

int main() {
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double big = 1e308;
    volatile double zero = 0.0;
    volatile double overflowed = big * 10.0;
    const bool overflow = std::fetestexcept(FE_OVERFLOW) != 0;
    volatile double infinite = 1.0 / zero;
    const bool divisionByZero = std::fetestexcept(FE_DIVBYZERO) != 0;
    volatile double invalid = zero / zero;
    const bool invalidOperation = std::fetestexcept(FE_INVALID) != 0;
    (void)overflowed;
    (void)infinite;
    (void)invalid;
    std::feclearexcept(FE_ALL_EXCEPT);
    const bool cleared = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) == 0;
    std::puts(overflow && divisionByZero && invalidOperation && cleared ? "kept" : "lost");
#else
    std::puts("lost");
#endif
    return 0;
}

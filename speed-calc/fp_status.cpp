// The floating-point status's arithmetic and rules, the same on every
// platform; the platform's part is in fp_status_hardware.cpp or
// fp_status_derived.cpp.
#include "fp_status.hpp"

#include <cmath>
#include <limits>

#include "bit_cast.hpp"
#include "speed_calc.hpp"

namespace tarnwick {

void FpStatus::ThrowIfFlagged() const {
    const FpFlags flags = Raised();
    if (flags & kInvalidOperation) throw RunFailure(FailureKind::InvalidOperation);
    if (flags & kDivisionByZero) throw RunFailure(FailureKind::DivisionByZero);
    if (flags & kOverflow) throw RunFailure(FailureKind::Overflow);
}

double FpStatus::Add(double a, double b) noexcept {
    const double sum = Settled(a + b);
    byRules_ |= fp_rules::OfSum(a, b, sum);
    return sum;
}

double FpStatus::Subtract(double a, double b) noexcept {
    const double difference = Settled(a - b);
    byRules_ |= fp_rules::OfSum(a, -b, difference);
    return difference;
}

double FpStatus::Multiply(double a, double b) noexcept {
    const double product = Settled(a * b);
    byRules_ |= fp_rules::OfProduct(a, b, product);
    return product;
}

double FpStatus::Divide(double a, double b) noexcept {
    const double quotient = Settled(a / b);
    byRules_ |= fp_rules::OfQuotient(a, b, quotient);
    return quotient;
}

float FpStatus::Narrow(double value) noexcept {
    const float narrowed = Settled(static_cast<float>(value));
    byRules_ |= fp_rules::OfNarrowing(value, narrowed);
    return narrowed;
}

double FpStatus::Log(double x) noexcept {
    const double logarithm = Settled(std::log(x));
    byRules_ |= fp_rules::OfLog(x);
    return logarithm;
}

double FpStatus::PowerOf2(double exponent) noexcept {
    const double power = Settled(std::pow(2.0, exponent));
    byRules_ |= fp_rules::OfPowerOf2(exponent, power);
    return power;
}

// The rules look at their numbers through classification and quiet
// comparisons only, so that on a platform with hardware flags they raise none.
namespace fp_rules {
namespace {

// A signalling NaN: any operation on one is invalid. (The estimate never makes
// one; the rules are complete so that they match the hardware on every input.)
// Which NaNs signal is the platform's own: IEEE 754-2008 quiets a NaN by the
// first bit of its fraction, the MIPS processors before release 6 (Debian's
// mips64el) by clearing it; the platform's own quiet NaN tells which.
bool IsSignalling(double x) {
    constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
    const bool quietBitQuiets = (BitCast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN()) & kQuietBit) != 0;
    return std::isnan(x) && ((BitCast<std::uint64_t>(x) & kQuietBit) != 0) != quietBitQuiets;
}
bool IsZero(double x) { return std::fpclassify(x) == FP_ZERO; }
// An overflow: a finite operation whose rounded result is an infinity.
FpFlags Overflowed(bool finiteOperands, double result) { return finiteOperands && std::isinf(result) ? kOverflow : 0; }

}  // namespace

FpFlags OfSum(double a, double b, double sum) noexcept {
    if (IsSignalling(a) || IsSignalling(b)) return kInvalidOperation;
    if (std::isinf(a) && std::isinf(b) && std::signbit(a) != std::signbit(b)) return kInvalidOperation;
    return Overflowed(std::isfinite(a) && std::isfinite(b), sum);
}

FpFlags OfProduct(double a, double b, double product) noexcept {
    if (IsSignalling(a) || IsSignalling(b)) return kInvalidOperation;
    if ((std::isinf(a) && IsZero(b)) || (IsZero(a) && std::isinf(b))) return kInvalidOperation;
    return Overflowed(std::isfinite(a) && std::isfinite(b), product);
}

FpFlags OfQuotient(double a, double b, double quotient) noexcept {
    if (IsSignalling(a) || IsSignalling(b)) return kInvalidOperation;
    if ((IsZero(a) && IsZero(b)) || (std::isinf(a) && std::isinf(b))) return kInvalidOperation;
    if (IsZero(b)) return std::isfinite(a) ? kDivisionByZero : 0;
    return Overflowed(std::isfinite(a) && std::isfinite(b), quotient);
}

FpFlags OfNarrowing(double value, float narrowed) noexcept {
    if (IsSignalling(value)) return kInvalidOperation;
    return Overflowed(std::isfinite(value), static_cast<double>(narrowed));
}

FpFlags OfLog(double x) noexcept {
    if (IsSignalling(x) || std::isless(x, 0.0)) return kInvalidOperation;
    return IsZero(x) ? kDivisionByZero : 0;
}

FpFlags OfPowerOf2(double exponent, double power) noexcept {
    if (IsSignalling(exponent)) return kInvalidOperation;
    return Overflowed(std::isfinite(exponent), power);
}

}  // namespace fp_rules
}  // namespace tarnwick

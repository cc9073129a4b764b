// The floating-point status that the estimate tests: which of the flags for
// invalid operation, division by zero and overflow have been raised since the
// status was last cleared.
//
// Where the processor keeps these flags (x86, ARM), FpStatus reads and clears
// the processor's own, which every FpStatus of a thread shares and which
// whatever else runs in the thread (a GUI toolkit) may raise too. Where there
// are none (WebAssembly, soft float), each FpStatus keeps its own, raised by its
// arithmetic below from each operation's operands and result by IEEE 754's
// rules. The build picks one of the two files that implement Clear, Raise and
// Raised; both keep the rules' flags, so tests can compare them.
#pragma once

#include <cstdint>

namespace tarnwick {

enum FpFlag : std::uint8_t {
    kInvalidOperation = 1,
    kDivisionByZero = 2,
    kOverflow = 4,
};
using FpFlags = std::uint8_t;  // FpFlag values, or-ed

class FpStatus {
public:
    void Clear() noexcept;
    void Raise(FpFlags flags) noexcept;
    // The flags raised since the status was last cleared.
    FpFlags Raised() const noexcept;
    // The flags that this object's arithmetic raised by the rules, whatever the platform.
    FpFlags RaisedByRules() const noexcept { return byRules_; }

    // Throws the RunFailure for the first flag raised among invalid operation,
    // division by zero and overflow, in that order. Leaves the flags as they are.
    void ThrowIfFlagged() const;

    // Arithmetic that raises its flags: each operation is rounded on its own,
    // at this point of the program.
    double Add(double a, double b) noexcept;
    double Subtract(double a, double b) noexcept;
    double Multiply(double a, double b) noexcept;
    double Divide(double a, double b) noexcept;
    float Narrow(double value) noexcept;
    double Log(double x) noexcept;              // the natural logarithm
    double PowerOf2(double exponent) noexcept;  // 2 raised to exponent, by the general power function

private:
    FpFlags byRules_ = 0;
};

// Returns value after forcing it to be computed, and rounded to its type, at
// this point of the program. Without it the optimiser may move an operation
// across a Clear() or ThrowIfFlagged(), which it treats as unrelated calls,
// and the operation's flags would be lost or counted at the wrong step.
template <typename T>
T Settled(T value) noexcept {
    volatile T held = value;
    return held;
}

// The flags an operation raises by IEEE 754's rules (for the default,
// non-trapping handling), from its operands and its correctly rounded result.
namespace fp_rules {
FpFlags OfSum(double a, double b, double sum) noexcept;
FpFlags OfProduct(double a, double b, double product) noexcept;
FpFlags OfQuotient(double a, double b, double quotient) noexcept;
FpFlags OfNarrowing(double value, float narrowed) noexcept;
FpFlags OfLog(double x) noexcept;
FpFlags OfPowerOf2(double exponent, double power) noexcept;
}  // namespace fp_rules

}  // namespace tarnwick

#include "speed_calc.hpp"

namespace tarnwick {

RunFailure::RunFailure(FailureKind kind) : kind_(kind) {}

FailureKind RunFailure::kind() const noexcept { return kind_; }

const char* RunFailure::what() const noexcept {
    switch (kind_) {
    case FailureKind::InvalidArgument: return "Invalid argument: the logarithm of a number that is 0 or less";
    case FailureKind::Overflow: return "Overflow: a number is too large";
    case FailureKind::InvalidOperation: return "Invalid floating-point operation";
    case FailureKind::DivisionByZero: return "Division by zero";
    case FailureKind::ControlAccess: return "A box of the window could not be read or written";
    case FailureKind::LibraryLookup: return "The program that opens web pages could not be found";
    }
    return "Unknown failure";
}

}  // namespace tarnwick

// Writing the estimate: 7 significant digits, all that a float holds for sure.

#include <charconv>
#include <cmath>
#include <string>

#include "decimal_separator.hpp"
#include "speed_calc.hpp"

namespace tarnwick {

std::string FormatSingle(float value, std::string_view decimalSeparator) {
    if (value == 0.0f) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0.0f ? "Infinity" : "-Infinity";

    // The "general" form with precision 7 is printf's %.7g: rounding of the
    // exact binary value with ties to even, no trailing zeros, and the
    // exponent form below 1e-4 or from 1e7 up, with two exponent digits or more.
    char digits[32];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::general, 7);

    std::string text;
    text.reserve(static_cast<std::size_t>(result.ptr - digits) + decimalSeparator.size());
    for (const char* c = digits; c != result.ptr; ++c) {
        if (*c == '.') text += decimalSeparator;
        else if (*c == 'e') text += 'E';
        else text += *c;
    }
    return text;
}

std::string FormatSingle(float value) { return FormatSingle(value, UserDecimalSeparator()); }

}  // namespace tarnwick

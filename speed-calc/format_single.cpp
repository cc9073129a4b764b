// Writing the estimate: 7 significant digits, all that a float holds for sure.

#include <cmath>
#include <cstdint>
#include <string>

#include "bit_cast.hpp"
#include "decimal_separator.hpp"
#include "exact_decimal.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

// The float's exact value, a whole number times a power of two, rounded to
// 7 significant digits: printf's %.7g, computed the same on every build.
ExactDecimal SevenDigits(float magnitude) {
    const auto bits = BitCast<std::uint32_t>(magnitude);
    const std::uint32_t biased = bits >> 23;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    ExactDecimal decimal = biased == 0 ? ExactDecimal::FromBinary(fraction, -149)  // a denormal
                                       : ExactDecimal::FromBinary(fraction | 0x800000, static_cast<int>(biased) - 150);
    decimal.RoundToSignificantDigits(7);
    return decimal;
}

}  // namespace

std::string FormatSingle(float value, std::string_view decimalSeparator) {
    if (value == 0.0f) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0.0f ? "Infinity" : "-Infinity";

    const ExactDecimal decimal = SevenDigits(std::fabs(value));
    const std::string_view digits = decimal.Digits();
    const std::int64_t point = decimal.Point();  // the number is 0.digits × 10^point
    std::string text = std::signbit(value) ? "-" : "";

    // The exponent form below 1E-04 and from 1E+07 up, with two exponent digits or more.
    const std::int64_t exponent = point - 1;
    if (exponent < -4 || exponent >= 7) {
        text += digits.front();
        if (digits.size() > 1) {
            text += decimalSeparator;
            text += digits.substr(1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        if (magnitude.size() < 2) text += '0';
        return text += magnitude;
    }
    if (point <= 0) {  // 0.000123
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-point), '0');
        return text += digits;
    }
    const auto whole = static_cast<std::size_t>(point);
    if (digits.size() <= whole) {  // 1200
        text += digits;
        return text.append(whole - digits.size(), '0');
    }
    text += digits.substr(0, whole);  // 12.5
    text += decimalSeparator;
    return text += digits.substr(whole);
}

std::string FormatSingle(float value) { return FormatSingle(value, UserDecimalSeparator()); }

}  // namespace tarnwick

// Writing the estimate: 7 significant digits, all that a float holds for sure.

#include <fmt/compile.h>

#include <cmath>
#include <string>

#include "decimal_separator.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

// The float's exact value rounded to 7 significant digits, ties to even:
// {fmt} writes it as printf's "%.6e" does, the same on every build, without
// the C library. The number is 0.digits × 10^point.
struct SevenDigits {
    std::string digits;
    int point = 0;
};

SevenDigits RoundToSevenDigits(float magnitude) {
    // "d.dddddde+dd": a float's exponent has two digits. The format is
    // compiled, so that nothing is parsed at each call.
    char text[32];
    const char* end = fmt::format_to(text, FMT_COMPILE("{:.6e}"), static_cast<double>(magnitude));
    const std::string_view form(text, static_cast<std::size_t>(end - text));
    SevenDigits decimal;
    decimal.digits = form.substr(0, 1);
    decimal.digits += form.substr(2, 6);
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    const std::size_t e = form.find('e');
    int exponent = 0;
    for (const char c : form.substr(e + 2)) exponent = exponent * 10 + (c - '0');
    decimal.point = (form[e + 1] == '-' ? -exponent : exponent) + 1;
    return decimal;
}

}  // namespace

std::string FormatSingle(float value, std::string_view decimalSeparator) {
    if (value == 0.0f) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0.0f ? "Infinity" : "-Infinity";

    const SevenDigits decimal = RoundToSevenDigits(std::fabs(value));
    const std::string_view digits = decimal.digits;
    const int point = decimal.point;
    std::string text = std::signbit(value) ? "-" : "";

    // The exponent form below 1E-04 and from 1E+07 up, with two exponent digits or more.
    const int exponent = point - 1;
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

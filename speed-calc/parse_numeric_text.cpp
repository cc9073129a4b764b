// Reading a number from what the user typed. Every text gives a number; only
// a number beyond the double range is refused. The full stop is the decimal
// separator whatever the locale, and the conversion is exact (correctly
// rounded), so that a number typed reads the same on every machine.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "exact_decimal.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of c as a digit in the given radix (8 or 16), or -1.
int DigitValue(char c, int radix) {
    int value = -1;
    if (IsDigit(c)) value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < radix ? value : -1;
}

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!IsBlank(c)) kept += c;
    }
    return kept;
}

// "&H..." or "&O...": a 32-bit two's complement integer, so &HFFFFFFFF is -1.
double ReadRadixInteger(std::string_view digits, int radix) {
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c, radix);
        if (digit < 0) break;
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) throw RunFailure(FailureKind::Overflow);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The exponent digits' value, held at a bound far beyond any double exponent.
std::int64_t SaturatedExponent(std::string_view exponent) {
    bool negative = false;
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        negative = exponent.front() == '-';
        exponent.remove_prefix(1);
    }
    constexpr std::int64_t bound = 1'000'000'000;
    std::int64_t value = 0;
    for (char c : exponent) value = std::min((value * 10) + (c - '0'), bound);
    return negative ? -value : value;
}

double ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const std::size_t mantissaBegin = i;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) seenDigit = true;
        else if (text[i] == '.' && !seenPoint) seenPoint = true;
        else break;
    }
    if (!seenDigit) return 0.0;
    const std::size_t mantissaEnd = i;

    // An E belongs to the number only if a digit follows it (after an optional sign).
    std::size_t numberEnd = mantissaEnd;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            numberEnd = j;
        }
    }

    const std::string_view mantissa = text.substr(mantissaBegin, mantissaEnd - mantissaBegin);
    const std::string_view exponent =
        numberEnd > mantissaEnd ? text.substr(mantissaEnd + 1, numberEnd - mantissaEnd - 1) : std::string_view{};
    const std::optional<double> value = ExactDecimal::FromDigits(mantissa, SaturatedExponent(exponent)).ToDouble();
    if (!value) throw RunFailure(FailureKind::Overflow);
    return negative ? -*value : *value;  // negating is exact
}

}  // namespace

double ParseNumericText(std::string_view text) {
    const std::string kept = WithoutBlanks(text);
    const std::string_view compact = kept;
    if (compact.size() >= 2 && compact[0] == '&') {
        if (compact[1] == 'H' || compact[1] == 'h') return ReadRadixInteger(compact.substr(2), 16);
        if (compact[1] == 'O' || compact[1] == 'o') return ReadRadixInteger(compact.substr(2), 8);
    }
    return ReadDecimal(compact);
}

}  // namespace tarnwick

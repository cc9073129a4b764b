// Reading a number from what the user typed. Every text gives a number; only
// a number beyond the double range is refused. The full stop is a decimal
// point in every locale, and so is the comma where it is the user's decimal
// separator. The digits read go to fast_float, which rounds them correctly
// on every build, so a number typed reads the same on every machine.

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "decimal_separator.hpp"
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

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!IsBlank(c)) kept += c;
    }
    return kept;
}

// A number read from the start of a text, and where the reading stopped:
// the first character it looked at and did not take (or the text's end).
struct Reading {
    double value;
    std::size_t stop;
};

// "&H..." or "&O...": a 32-bit two's complement integer, so &HFFFFFFFF is -1.
Reading ReadRadixInteger(std::string_view text, int radix) {
    std::uint64_t value = 0;
    std::size_t i = 2;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], radix);
        if (digit < 0) break;
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) throw RunFailure(FailureKind::Overflow);
    }
    return {static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))), i};
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

// Decimal exponents of the first significant digit beyond which a double
// holds nothing: 1E+309 and up overflows, and below 1E-324 is less than half
// the smallest denormal, so it rounds to 0.
constexpr std::int64_t kLargestMagnitude = 308;
constexpr std::int64_t kSmallestMagnitude = -324;

// fast_float holds a typed exponent at 65,536. Below this bound it reads
// any number exactly, however many digits it has.
constexpr std::int64_t kExponentReadAsTyped = 10'000;

// The nearest double to a number without its sign: digits with at most one
// decimal point, then an exponent, as fast_float reads them.
double Nearest(std::string_view number, char point = '.') {
    double value = 0.0;
    // Too large a number reads as infinity, and some versions say it is out
    // of range: the value is what counts.
    fast_float::from_chars_advanced(number.data(), number.data() + number.size(), value,
                                    fast_float::parse_options(fast_float::chars_format::general, point));
    if (std::isinf(value)) throw RunFailure(FailureKind::Overflow);
    return value;
}

// The digits of a mantissa ("0012.50", ".5", "7.") times 10^exponent, for
// an exponent too large for fast_float to read as typed. Nearly always the
// number is then beyond the double range or rounds to 0. Where the digits
// make up for the exponent, fast_float is given the digits from the first
// significant one, with the point after it and that digit's own exponent.
double NearestWithLargeExponent(std::string_view mantissa, char decimalPoint, std::int64_t exponent) {
    const std::size_t point = std::min(mantissa.find(decimalPoint), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0.0;
    const auto place = [&](std::size_t at) { return static_cast<std::int64_t>(point) - static_cast<std::int64_t>(at); };
    const std::int64_t magnitude = (first < point ? place(first) - 1 : place(first)) + exponent;
    if (magnitude > kLargestMagnitude) throw RunFailure(FailureKind::Overflow);
    if (magnitude < kSmallestMagnitude) return 0.0;

    std::string normal(1, mantissa[first]);
    normal += '.';
    for (const char c : mantissa.substr(first + 1)) {
        if (c != decimalPoint) normal += c;
    }
    return Nearest(normal + 'e' + std::to_string(magnitude));
}

// An optional sign, digits with at most one decimal point (the full stop, or
// the comma where it may be one), and an exponent if a digit follows the E
// (after an optional sign); 0 if no digit was read.
Reading ReadDecimal(std::string_view text, bool commaIsPoint) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const std::size_t mantissaBegin = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - mantissaBegin;
    char point = '.';
    if (i < text.size() && (text[i] == '.' || (commaIsPoint && text[i] == ','))) {
        point = text[i];
        const std::size_t fractionEnd = SkipDigits(text, i + 1);
        digits += fractionEnd - (i + 1);
        i = fractionEnd;
    }
    if (digits == 0) return {0.0, i};
    const std::size_t mantissaEnd = i;

    std::size_t numberEnd = mantissaEnd;
    std::size_t stop = mantissaEnd;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        stop = i + 1;
        if (stop < text.size() && (text[stop] == '+' || text[stop] == '-')) ++stop;
        if (stop < text.size() && IsDigit(text[stop])) numberEnd = stop = SkipDigits(text, stop);
    }

    const std::int64_t exponent =
        numberEnd > mantissaEnd ? SaturatedExponent(text.substr(mantissaEnd + 1, numberEnd - mantissaEnd - 1)) : 0;
    const double magnitude =
        exponent > -kExponentReadAsTyped && exponent < kExponentReadAsTyped
            ? Nearest(text.substr(mantissaBegin, numberEnd - mantissaBegin), point)
            : NearestWithLargeExponent(text.substr(mantissaBegin, mantissaEnd - mantissaBegin), point, exponent);
    return {negative ? -magnitude : magnitude, stop};  // negating is exact
}

Reading Read(std::string_view text, bool commaIsPoint) {
    if (!text.empty() && text[0] == '&') {
        if (text.size() >= 2 && (text[1] == 'H' || text[1] == 'h')) return ReadRadixInteger(text, 16);
        if (text.size() >= 2 && (text[1] == 'O' || text[1] == 'o')) return ReadRadixInteger(text, 8);
        return {0.0, 1};  // the letter after the ampersand decided it
    }
    return ReadDecimal(text, commaIsPoint);
}

}  // namespace

double ParseNumericText(std::string_view text, std::string_view decimalSeparator) {
    // Blanks count for nothing wherever they stand. Most texts hold none
    // before their number ends, and are read where they stand: only where
    // the reading stopped at a blank is it read again without them.
    const bool commaIsPoint = decimalSeparator == ",";
    const Reading reading = Read(text, commaIsPoint);
    if (reading.stop < text.size() && IsBlank(text[reading.stop])) return Read(WithoutBlanks(text), commaIsPoint).value;
    return reading.value;
}

double ParseNumericText(std::string_view text) { return ParseNumericText(text, UserDecimalSeparator()); }

}  // namespace tarnwick

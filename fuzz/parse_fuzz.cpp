// Fuzzes the reading of typed numbers. Beyond "no crash", it checks rules
// that must hold for every text:
//  - the only failure is Overflow;
//  - spaces, tabs and line feeds, removed or added anywhere, change nothing;
//  - text appended after a character that cannot continue a number changes nothing;
//  - a decimal number reads as the C library's strtod reads it (glibc's is
//    correctly rounded), and fails exactly where strtod's result is infinite.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bit_cast.hpp"
#include "speed_calc.hpp"

namespace {

// A parse's outcome: the bits of the number, or the failure.
struct Outcome {
    bool overflow = false;
    std::uint64_t bits = 0;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome Parse(std::string_view text) {
    try {
        return {false, tarnwick::BitCast<std::uint64_t>(tarnwick::ParseNumericText(text))};
    } catch (const tarnwick::RunFailure& failure) {
        if (failure.kind() != tarnwick::FailureKind::Overflow) std::abort();
        return {true, 0};
    }
}

void Require(bool rule) {
    if (!rule) std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number at the start of a text without blanks, as Tarnwick reads it: a
// sign, digits with at most one full stop, and an exponent if a digit follows
// the E. Empty when it holds no digit, or when it is hexadecimal or octal.
std::string DecimalNumberAtStart(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool point = false;
    bool digit = false;
    for (; i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        point = point || text[i] == '.';
        digit = digit || IsDigit(text[i]);
    }
    if (!digit) return {};
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return std::string(text.substr(0, i));
}

// The same number read by the C library, in the "C" locale the fuzzer runs in.
Outcome ReadByCLibrary(const std::string& number) {
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) return {true, 0};
    return {false, tarnwick::BitCast<std::uint64_t>(value)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Outcome outcome = Parse(text);

    std::string withoutBlanks;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') withoutBlanks += c;
    }
    Require(Parse(withoutBlanks) == outcome);

    if (const std::string number = DecimalNumberAtStart(withoutBlanks); !number.empty()) {
        Require(ReadByCLibrary(number) == outcome);
    }

    for (std::size_t at : {std::size_t{0}, size / 3, size / 2, size}) {
        std::string withBlanks = text;
        withBlanks.insert(at, " \t\n ");
        Require(Parse(withBlanks) == outcome);
    }

    // The last tail is a no-break space and a 7.
    for (const char* tail : {"x", ",5", "\r9", ";1e5", "\xC2\xA0\x37"}) {
        Require(Parse(text + tail) == outcome);
    }
    return 0;
}

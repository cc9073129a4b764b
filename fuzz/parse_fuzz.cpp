// Fuzzes the reading of typed numbers. Beyond "no crash", it checks rules
// that must hold for every text:
//  - the only failure is Overflow;
//  - spaces, tabs and line feeds, removed or added anywhere, change nothing;
//  - text appended after a character that cannot continue a number changes nothing.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

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
        return {false, std::bit_cast<std::uint64_t>(tarnwick::ParseNumericText(text))};
    } catch (const tarnwick::RunFailure& failure) {
        if (failure.kind() != tarnwick::FailureKind::Overflow) std::abort();
        return {true, 0};
    }
}

void Require(bool rule) {
    if (!rule) std::abort();
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

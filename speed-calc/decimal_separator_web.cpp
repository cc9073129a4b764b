// The user's decimal separator in a browser: that of the browser's language
// (navigator.language), as Intl writes 1.5 in it. Under Node.js, which has no
// navigator, that of the default locale, which follows LC_ALL or LANG.
#include <emscripten.h>

#include <array>

#include "decimal_separator.hpp"

namespace tarnwick {
namespace {

// Writes the separator into buffer as UTF-8, "." if the language has none.
// clang-format off
EM_JS(void, WriteLanguageDecimalSeparator, (char* buffer, int size), {
    let separator = ".";
    try {
        const language = typeof navigator !== "undefined" && navigator.language ? navigator.language : undefined;
        const part = new Intl.NumberFormat(language).formatToParts(1.5).find(p => p.type === "decimal");
        if (part && part.value) separator = part.value;
    } catch (e) {
    }
    stringToUTF8(separator, buffer, size);
});
// clang-format on

}  // namespace

// Read at every call: the language is the browser's, which the user may change.
std::string UserDecimalSeparator() {
    std::array<char, 16> separator{};
    WriteLanguageDecimalSeparator(separator.data(), static_cast<int>(separator.size()));
    return separator[0] != '\0' ? std::string(separator.data()) : ".";
}

}  // namespace tarnwick

// The user's decimal separator on Windows: the user's locale settings.
#include <windows.h>

#include "decimal_separator.hpp"

namespace tarnwick {

// Read at every call: a Windows user may change it while the program runs.
std::string UserDecimalSeparator() {
    wchar_t wide[8] = {};
    const int wideLength = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, wide, 8);
    if (wideLength <= 1) return ".";
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength - 1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return ".";
    std::string separator(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, wideLength - 1, separator.data(), length, nullptr, nullptr);
    return separator;
}

}  // namespace tarnwick

#include "decimal_separator.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>

#include <clocale>
#endif

namespace tarnwick {

#ifdef _WIN32

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

#else

namespace {

// The locale named by LC_ALL, LC_NUMERIC or LANG, as for any POSIX program.
std::string ReadUserDecimalSeparator() {
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return ".";
    std::string separator = nl_langinfo_l(RADIXCHAR, user);
    freelocale(user);
    return separator.empty() ? "." : separator;
}

}  // namespace

// Read once: on POSIX the user's locale settings cannot change while the program runs.
std::string UserDecimalSeparator() {
    static const std::string separator = ReadUserDecimalSeparator();
    return separator;
}

#endif

}  // namespace tarnwick

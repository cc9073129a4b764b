// The user's decimal separator on Linux and other POSIX systems: the locale
// that LC_ALL, LC_NUMERIC or LANG names.
#include <langinfo.h>

#include <clocale>

#include "decimal_separator.hpp"

namespace tarnwick {
namespace {

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

}  // namespace tarnwick

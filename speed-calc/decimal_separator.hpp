#pragma once

#include <string>

namespace tarnwick {

// The decimal separator of the user's default locale, as UTF-8; "." when the
// platform cannot tell. Taken from the user's settings, never from the
// process-wide C locale, which a GUI toolkit may have changed.
std::string UserDecimalSeparator();

}  // namespace tarnwick

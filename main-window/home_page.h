#pragma once

#include <cstdint>
#include <string_view>

#include "shell_open.h"

// The maker's home page, which the logo opens (its tooltip, in window_texts.h, says
// "Go to Velmor.example"). The maker's site is fictional: the reserved
// .example name keeps the link from pointing at anybody's site.
inline constexpr std::string_view kHomePageUrl = "http://www.velmor.example";

// The logo's click: asks the system to open the home page in the user's web
// browser, owned by the window. Throws RunFailure(LibraryLookup) when the
// system's means of opening it cannot be found; the outcome of opening is
// not looked at.
void OpenHomePage(ShellOpener& shell, std::uintptr_t ownerWindow);

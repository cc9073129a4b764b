#pragma once

#include <string>
#include <string_view>

// Text crosses between the window (UTF-16) and the program (UTF-8) here only.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

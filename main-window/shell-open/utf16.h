#pragma once

#include <string>
#include <string_view>

// Text crosses between Windows (UTF-16) and the program (UTF-8) here only.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);
// In the system's ANSI code page, which the shell's ...A functions expect.
std::string AnsiCodePage(std::wstring_view utf16);

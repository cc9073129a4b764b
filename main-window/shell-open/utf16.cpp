#include "utf16.h"

#include <windows.h>

namespace {

std::string Narrow(std::wstring_view utf16, UINT codePage) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int length = WideCharToMultiByte(codePage, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, utf16.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring Utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string Utf8(std::wstring_view utf16) { return Narrow(utf16, CP_UTF8); }

std::string AnsiCodePage(std::wstring_view utf16) { return Narrow(utf16, CP_ACP); }

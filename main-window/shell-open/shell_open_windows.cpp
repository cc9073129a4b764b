// Opening URLs on Windows: ShellExecuteA from the shell library, looked up
// at the first call. Compiled on Windows only; uses no Qt.

#include <windows.h>

#include <string>

#include "load_system_library.h"
#include "shell_open.h"
#include "speed_calc.hpp"

namespace {

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// UTF-8 to the system's ANSI code page, which ShellExecuteA expects.
std::string ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int utf8Length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, wide.data(), wideLength);
    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

}  // namespace

ShellOpener::~ShellOpener() {
    if (shellLibrary_ != nullptr) FreeLibrary(static_cast<HMODULE>(shellLibrary_));
}

void ShellOpener::Open(std::uintptr_t ownerWindow, std::string_view verb, std::string_view url) {
    const std::string ansiUrl = ToAnsi(url);
    const std::string ansiVerb = ToAnsi(verb);

    if (shellExecute_ == nullptr) {
        HMODULE library = static_cast<HMODULE>(shellLibrary_);
        if (library == nullptr) library = LoadSystemLibrary(L"shell32.dll");
        if (library == nullptr) throw tarnwick::RunFailure(tarnwick::FailureKind::LibraryLookup);
        shellLibrary_ = library;
        const auto function = FindFunction<ShellExecuteAFunction>(library, "ShellExecuteA");
        if (function == nullptr) throw tarnwick::RunFailure(tarnwick::FailureKind::LibraryLookup);
        shellExecute_ = reinterpret_cast<void*>(function);
    }

    const auto shellExecute = reinterpret_cast<ShellExecuteAFunction>(shellExecute_);
    shellExecute(reinterpret_cast<HWND>(ownerWindow), ansiVerb.c_str(), ansiUrl.c_str(), nullptr, nullptr,
                 SW_SHOWNORMAL);
}

// Opening URLs on Windows: ShellExecuteA from the shell library, looked up
// at the first call. Compiled on Windows only; uses no Qt.

#include <windows.h>

#include <string>

#include "load_system_library.h"
#include "shell_open.h"
#include "speed_calc.hpp"
#include "utf16.h"

namespace {

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

}  // namespace

ShellOpener::~ShellOpener() {
    if (shellLibrary_ != nullptr) FreeLibrary(static_cast<HMODULE>(shellLibrary_));
}

void ShellOpener::Open(std::uintptr_t ownerWindow, std::string_view verb, std::string_view url) {
    const std::string ansiUrl = AnsiCodePage(Utf16(url));
    const std::string ansiVerb = AnsiCodePage(Utf16(verb));

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

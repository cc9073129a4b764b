#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Asks the system to open a document or URL with the program the user has
// registered for it, as the Windows shell does: in a normal window, owned by
// ownerWindow, without waiting and without looking at the outcome.
//
// On Windows this is ShellExecuteA, looked up in the shell library at the
// first call. Elsewhere it is the freedesktop opener xdg-open, looked up on
// PATH at the first call and started with the URL as its one argument. Once
// found, either is kept; when it cannot be found, Open throws
// RunFailure(LibraryLookup) and the next call looks again.
class ShellOpener {
public:
    ShellOpener() = default;
    ShellOpener(const ShellOpener&) = delete;
    ShellOpener& operator=(const ShellOpener&) = delete;
    ~ShellOpener();

    // verb and url are UTF-8.
    void Open(std::uintptr_t ownerWindow, std::string_view verb, std::string_view url);

private:
#ifdef _WIN32
    void* shellLibrary_ = nullptr;  // HMODULE of shell32.dll
    void* shellExecute_ = nullptr;  // ShellExecuteA in it
#else
    std::string opener_;  // the path of xdg-open
#endif
};

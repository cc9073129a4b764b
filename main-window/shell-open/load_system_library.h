#pragma once

#include <windows.h>

// Loads a DLL of Windows from the system directory only. The ordinary search
// path starts at the program's own folder, so a shell32.dll planted beside a
// downloaded tarnwick.exe would run with the user's rights; this never looks
// there. Null when the library cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a library so loaded, as the type the caller gives it; null
// where the library (null too) or the function is missing.
template <typename Function>
Function FindFunction(HMODULE library, const char* name) {
    const FARPROC found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    // Through void*: FARPROC is a function of no arguments, which no
    // function of the library is.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

#pragma once

#include <windows.h>

// Loads a DLL of Windows from the system directory only. The ordinary search
// path starts at the program's own folder, so a shell32.dll planted beside a
// downloaded tarnwick.exe would run with the user's rights; this never looks
// there. Null when the library cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A stand-in for a DLL that a web page has dropped beside a downloaded
// tarnwick.exe, for the planting test: when a process loads it, it leaves a
// marker beside itself, its own file name with ".ran" added, and does
// nothing else. Kernel32 alone, so that nothing it needs is missing there.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t marker[MAX_PATH + 8] = {};
    if (GetModuleFileNameW(self, marker, MAX_PATH) == 0) return TRUE;
    lstrcatW(marker, L".ran");
    const HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}

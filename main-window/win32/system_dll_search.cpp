// The first code of the program's that runs: it keeps every DLL to the system
// directory. Loaded from anywhere else, a DLL that happens to be beside the
// exe would run inside it, with the user's rights: a downloaded tarnwick.exe
// sits in a folder that any web page can drop files into.
//
// From here on every DLL that is loaded, by the program or by Windows' own
// DLLs for it, comes from the system directory. A TLS callback, because
// Windows calls it before the program's entry point: the C runtime loads DLLs
// as it starts (the stack protector's random guard comes from the system's
// cryptographic provider, which brings libraries of its own), before
// wWinMain could ask. What Windows loads for the exe's imports comes before
// even this, which is why they are DLLs that Windows always takes from the
// system directory, and nothing else.
#include <windows.h>

namespace {

void NTAPI SearchSystemDirectoryOnly(PVOID /*module*/, DWORD reason, PVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

// The C runtime's TLS directory lists the callbacks of the .CRT$XL* sections,
// in the order of their names (its own are C and after).
#ifdef _MSC_VER
#pragma section(".CRT$XLB", read)
#ifdef _WIN64
#pragma comment(linker, "/INCLUDE:_tls_used")
#else
#pragma comment(linker, "/INCLUDE:__tls_used")
#endif
extern "C" __declspec(allocate(".CRT$XLB")) const PIMAGE_TLS_CALLBACK tarnwickSearchSystemDirectoryOnly =
    SearchSystemDirectoryOnly;
#else
extern "C" __attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK tarnwickSearchSystemDirectoryOnly =
    SearchSystemDirectoryOnly;
#endif

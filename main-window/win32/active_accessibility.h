#pragma once

#include <windows.h>

#include <oleacc.h>

// What the window needs of Active Accessibility (oleacc, and COM from ole32
// and oleaut32), taken when a screen reader first asks for an object, not at
// start: most people never run one, and the program starts faster without
// them. The libraries come from the system directory only, like the shell's,
// and are never imported: oleacc is none of the DLLs that Windows always
// takes from there, so an OLEACC.dll planted beside a downloaded
// tarnwick.exe would run before the program's first line.
class ActiveAccessibility {
public:
    ActiveAccessibility() = default;
    ActiveAccessibility(const ActiveAccessibility&) = delete;
    ActiveAccessibility& operator=(const ActiveAccessibility&) = delete;
    // Ends COM in this thread if Load started it. The libraries stay loaded
    // until the process ends: a screen reader may release an object of ours,
    // which releases Windows' own, until COM has ended.
    ~ActiveAccessibility();

    // Initialises COM in this thread and finds the functions below, the
    // first time it is called; false while any of it cannot be had, and then
    // the next call tries again.
    bool Load();

    // Valid once Load has succeeded.
    HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID id, void** object) const;
    LRESULT LresultFromObject(REFIID id, WPARAM wParam, IUnknown* object) const;
    BSTR SysAllocStringLen(const OLECHAR* text, UINT length) const;

private:
    using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using SysAllocStringLenFunction = BSTR(WINAPI*)(const OLECHAR*, UINT);
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CoUninitializeFunction = void(WINAPI*)();

    bool loaded_ = false;
    bool comStarted_ = false;  // by Load, which therefore ends it
    CoUninitializeFunction coUninitialize_ = nullptr;
    CreateStdAccessibleObjectFunction createStdAccessibleObject_ = nullptr;
    LresultFromObjectFunction lresultFromObject_ = nullptr;
    SysAllocStringLenFunction sysAllocStringLen_ = nullptr;
};

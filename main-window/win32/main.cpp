// Tarnwick on Windows: one window and one message loop.
#include <windows.h>

#include <commctrl.h>

#include "form1_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // Screen readers reach the controls' accessible objects through COM, in
    // this thread's apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    MSG message{};
    {
        Form1Window form(instance);
        form.ShowCentred(showCommand);

        // IsDialogMessage gives the window a dialog's keyboard: Tab and
        // Shift+Tab through the controls, and Alt+C for the button.
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (IsDialogMessageW(form.Handle(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return static_cast<int>(message.wParam);
}

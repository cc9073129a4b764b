// Tarnwick on Windows: one window and one message loop.
#include <windows.h>

#include <commctrl.h>

#include "form1_window.h"
#include "load_system_library.h"

namespace {

// Common controls 6, which the manifest selects: the tooltip, and the
// controls' current look. Loaded rather than imported, so that what they
// load as they start (the theme library) is kept to the system directory
// too; without them the window works in the old look, without the tooltip.
void StartCommonControls() {
    // Wine resolves the delayed imports of its own DLLs along the search path
    // that starts at the program's folder, whatever the program has set, and
    // its theme library takes msimg32 so when it first draws: loaded from the
    // system directory first, it is found loaded.
    LoadSystemLibrary(L"msimg32.dll");
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto start =
        FindFunction<InitCommonControlsExFunction>(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    if (start != nullptr) start(&classes);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    StartCommonControls();

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
    return static_cast<int>(message.wParam);
}

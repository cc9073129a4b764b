// The floor for start-up on Windows: the smallest Win32 program with a window
// like Tarnwick's (the same size and style, centred) holding one caption and
// one edit box in the system's message font.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"Minimal";
    RegisterClassExW(&windowClass);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 279, 206};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExW(
        WS_EX_TOOLWINDOW, L"Minimal", L"Minimal", style, work.left + (work.right - work.left - width) / 2,
        work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr, instance, nullptr);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HWND caption = CreateWindowExW(0, L"STATIC", L"Minimum margin", WS_CHILD | WS_VISIBLE, 8, 88, 89, 17, window,
                                   nullptr, instance, nullptr);
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"6", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 104, 88, 89, 19,
                               window, nullptr, instance, nullptr);
    SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}

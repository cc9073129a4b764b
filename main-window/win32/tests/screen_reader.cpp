// Reads Tarnwick's window over Active Accessibility from another process, as
// a screen reader does. For screen_reader_test.py:
//
//   screen_reader read            a line for each control: role, name, description, state, default action
//   screen_reader follow <name>   does the default action of the control of that name
//   screen_reader watch <seconds> a line for each description change the window announces
//   screen_reader tooltips        the text of each tooltip of the window's that is shown
//
// Lines are tab-separated UTF-8.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    if (length > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
    return out;
}

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

template <typename Getter>
std::string TextOf(IAccessible* object, Getter getter) {
    BSTR text = nullptr;
    if (FAILED((object->*getter)(Self(), &text)) || text == nullptr) return {};
    std::string result = Utf8(text);
    SysFreeString(text);
    return result;
}

long NumberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*)) {
    VARIANT value;
    VariantInit(&value);
    if (FAILED((object->*getter)(Self(), &value)) || value.vt != VT_I4) return -1;
    return value.lVal;
}

// role, name, description, state (hexadecimal), default action, keyboard shortcut
std::string Describe(IAccessible* object) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%ld", NumberOf(object, &IAccessible::get_accRole));
    std::string line = numbers;
    line += "\t" + TextOf(object, &IAccessible::get_accName);
    line += "\t" + TextOf(object, &IAccessible::get_accDescription);
    std::snprintf(numbers, sizeof numbers, "\t%lx", NumberOf(object, &IAccessible::get_accState));
    line += numbers;
    line += "\t" + TextOf(object, &IAccessible::get_accDefaultAction);
    line += "\t" + TextOf(object, &IAccessible::get_accKeyboardShortcut);
    return line;
}

HWND Tarnwick() {
    for (int tries = 0; tries < 100; ++tries) {
        if (HWND window = FindWindowW(L"TarnwickForm1", nullptr)) return window;
        Sleep(100);
    }
    return nullptr;
}

IAccessible* ObjectOf(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

// Calls visit(object) for each child window's accessible object until it returns true.
template <typename Visit>
void ForEachControl(HWND window, Visit visit) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        IAccessible* object = ObjectOf(child);
        if (object == nullptr) continue;
        const bool done = visit(object);
        object->Release();
        if (done) return;
    }
}

int Read(HWND window) {
    ForEachControl(window, [](IAccessible* object) {
        std::printf("%s\n", Describe(object).c_str());
        return false;
    });
    return 0;
}

int Follow(HWND window, const std::string& name) {
    HRESULT result = E_FAIL;
    ForEachControl(window, [&](IAccessible* object) {
        if (TextOf(object, &IAccessible::get_accName) != name) return false;
        result = object->accDoDefaultAction(Self());
        return true;
    });
    std::printf("%s\n", SUCCEEDED(result) ? "done" : "failed");
    return SUCCEEDED(result) ? 0 : 1;
}

// Common controls 6 name their classes with their version ("6.0.…!tooltips_class32").
BOOL CALLBACK PrintTooltip(HWND tip, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(tip, &owner);
    wchar_t name[256] = {};
    GetClassNameW(tip, name, 256);
    const std::wstring_view className = name;
    if (owner == static_cast<DWORD>(process) && IsWindowVisible(tip) && className.ends_with(TOOLTIPS_CLASSW)) {
        // A tooltip answers WM_GETTEXT with the tip it shows; GetWindowText
        // would not ask a window of another process.
        wchar_t text[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
        std::printf("%s\n", Utf8(text).c_str());
    }
    return TRUE;
}

int Tooltips(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    EnumWindows(PrintTooltip, static_cast<LPARAM>(process));
    return 0;
}

void CALLBACK OnDescriptionChange(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND control, LONG objectId, LONG childId,
                                  DWORD /*thread*/, DWORD /*time*/) {
    IAccessible* object = nullptr;
    VARIANT child;
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromEvent(control, static_cast<DWORD>(objectId), static_cast<DWORD>(childId), &object,
                                         &child)))
        return;
    std::printf("description-change\t%s\t%s\n", TextOf(object, &IAccessible::get_accName).c_str(),
                TextOf(object, &IAccessible::get_accDescription).c_str());
    std::fflush(stdout);
    object->Release();
}

int Watch(HWND window, int seconds) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                                               OnDescriptionChange, process, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) return 1;
    std::printf("watching\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND window = Tarnwick();
    if (window == nullptr || argc < 2) {
        std::fprintf(stderr, "no Tarnwick window, or no command\n");
        return 2;
    }
    const std::wstring command = argv[1];
    int status = 2;
    if (command == L"read") status = Read(window);
    if (command == L"follow" && argc == 3) status = Follow(window, Utf8(argv[2]));
    if (command == L"watch" && argc == 3) status = Watch(window, _wtoi(argv[2]));
    if (command == L"tooltips") status = Tooltips(window);
    std::fflush(stdout);
    CoUninitialize();
    return status;
}

#include "form1_window.h"

#include <commctrl.h>

#include "form1_description.h"
#include "home_page.h"
#include "resource_ids.h"
#include "scaled_pictures.h"
#include "utf16.h"
#include "window_font.h"
#include "window_texts.h"

using tarnwick::Box;
using tarnwick::FailureKind;
using tarnwick::RunFailure;

namespace {

constexpr wchar_t kClassName[] = L"TarnwickForm1";
// A fixed tool window: a small title bar with the title and the close box,
// no minimise or maximise box and no sizing border.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// WS_EX_CONTROLPARENT lets IsDialogMessage move the focus among the controls.
constexpr DWORD kExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

// Each control's identifier is its place in the description, above IDOK
// and IDCANCEL, which Enter and Escape send.
constexpr int kFirstControlId = 100;
constexpr int ControlId(std::size_t index) { return kFirstControlId + static_cast<int>(index); }

COLORREF ToColorref(tarnwick::Colour colour) { return RGB(colour.r, colour.g, colour.b); }

HICON LoadApplicationIcon(HINSTANCE instance, int metric, UINT dpi) {
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

Form1Window::Form1Window(HINSTANCE instance) : instance_(instance) {
    background_.reset(CreateSolidBrush(ToColorref(form1::kBackground)));
    line_.reset(CreateSolidBrush(ToColorref(*form1::kControls[form1::kLine1].colour)));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background_.get();
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadApplicationIcon(instance, SM_CXICON, GetDpiForSystem());
    windowClass.hIconSm = LoadApplicationIcon(instance, SM_CXSMICON, GetDpiForSystem());
    RegisterClassExW(&windowClass);

    // Created hidden, so that its size and place are known at its own DPI before it is shown.
    CreateWindowExW(kExtendedStyle, kClassName, Utf16(form1::kTitle).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                    0, nullptr, nullptr, instance, this);
}

Form1Window::~Form1Window() = default;

void Form1Window::ShowCentred(int showCommand) {
    RECT frame{0, 0, form1::TwipsToPixels(form1::kClientWidth, static_cast<int>(dpi_)),
               form1::TwipsToPixels(form1::kClientHeight, static_cast<int>(dpi_))};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExtendedStyle, dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommand);
    SetFocus(controls_[form1::kTxtDSM]);
}

LRESULT CALLBACK Form1Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        dpi_ = GetDpiForWindow(window_);
        CreateControls();
        MakeAccessible();
        AddLogoTooltip();
        LayOut();
        return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == controls_[form1::kImgLogo] && linkCursor_) {
            SetCursor(linkCursor_.get());
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // As a dialog does: the focus leaves with the window and comes back
        // to the control that had it, at first txtDSM.
        if (LOWORD(wParam) == WA_INACTIVE) {
            lastFocus_ = GetFocus();
        } else {
            SetFocus(IsChild(window_, lastFocus_) ? lastFocus_ : controls_[form1::kTxtDSM]);
        }
        return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The controls, created so that the keyboard meets them in the tab order
// (IsDialogMessage follows the creation order), and each box right after the
// caption that names it: a screen reader names a box after the caption
// before it, as the eye reads the row.
void Form1Window::CreateControls() {
    std::array<bool, form1::kControls.size()> created{};
    const auto create = [&](std::size_t index) {
        if (created[index]) return;
        created[index] = true;
        const form1::Control& control = form1::kControls[index];
        const std::wstring text = Utf16(control.content);
        const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index)));
        HWND handle = nullptr;
        switch (control.kind) {
        case form1::Kind::TextBox:
            handle = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, window_,
                                     id, instance_, nullptr);
            SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
            break;
        case form1::Kind::PushButton:
            handle = CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                     0, 0, 0, window_, id, instance_, nullptr);
            break;
        case form1::Kind::Caption:
            handle = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0,
                                     0, window_, id, instance_, nullptr);
            break;
        case form1::Kind::Picture:
            handle = CreateWindowExW(0, L"STATIC", nullptr,
                                     WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL, 0, 0, 0, 0,
                                     window_, id, instance_, nullptr);
            break;
        case form1::Kind::Line: break;  // painted by the window itself
        }
        controls_[index] = handle;
    };

    for (const std::string_view name : form1::kTabOrder) {
        if (const form1::BoxCaptions* captions = form1::CaptionsOf(name)) create(form1::IndexOf(captions->name));
        create(form1::IndexOf(name));
    }
    for (std::size_t i = 0; i < form1::kControls.size(); ++i) create(i);

    for (std::size_t box = 0; box < form1::kBoxIndex.size(); ++box) {
        boxColours_[box] = ToColorref(*form1::kControls[form1::kBoxIndex[box]].colour);
        boxBrushes_[box].reset(CreateSolidBrush(boxColours_[box]));
    }
}

// The logo's tooltip. After the accessibility, as the tooltip subclasses the
// logo too: each subclass is removed in the opposite order when the control goes.
void Form1Window::AddLogoTooltip() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    std::wstring tip = Utf16(form1::kLogoTooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(controls_[form1::kImgLogo]);
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A screen reader names each box after the caption created just before it;
// here it also learns each box's unit, the result box's verdict, and that
// the logo is a link.
void Form1Window::MakeAccessible() {
    for (const form1::BoxCaptions& row : form1::kBoxCaptions) {
        const auto box = static_cast<std::size_t>(row.box);
        boxAccessibles_[box] = AccessibleControl::Attach(controls_[form1::kBoxIndex[box]], accessibility_);
        if (boxAccessibles_[box]) boxAccessibles_[box]->SetDescription(BoxDescription(row.box, {}));
    }
    logoAccessible_ = AccessibleControl::Attach(controls_[form1::kImgLogo], accessibility_);
    if (logoAccessible_) logoAccessible_->PresentAsLink(Utf16(form1::kLogoLinkName));
}

// The unit beside the box ("dB"), and after it the verdict that the result
// box's colour shows, once there is one ("in Mbps, higher than the current speed").
std::wstring Form1Window::BoxDescription(Box box, std::string_view verdict) {
    std::string description;
    for (const form1::BoxCaptions& row : form1::kBoxCaptions)
        if (row.box == box) description = form1::ControlNamed(row.unit).content;
    if (!verdict.empty()) description += ", " + std::string(verdict);
    return Utf16(description);
}

void Form1Window::LayOut() {
    const int dpi = static_cast<int>(dpi_);
    font_ = FittingFont(dpi_);
    // The logo and its cursor made for the DPI. The one shown before goes once
    // the control shows the new one; a copy the control made of it (as it does
    // of a bitmap with alpha) is given back, and goes too.
    Bitmap logo = LogoForDpi(instance_, dpi_);
    const auto shown = reinterpret_cast<HBITMAP>(
        SendMessageW(controls_[form1::kImgLogo], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo.get())));
    if (shown != nullptr && shown != logo_.get()) DeleteObject(shown);
    logo_ = std::move(logo);
    linkCursor_ = LinkCursorForDpi(instance_, dpi_);
    for (std::size_t i = 0; i < form1::kControls.size(); ++i) {
        if (controls_[i] == nullptr) continue;
        const form1::Twips& place = form1::kControls[i].place;
        MoveWindow(controls_[i], form1::TwipsToPixels(place.left, dpi), form1::TwipsToPixels(place.top, dpi),
                   form1::TwipsToPixels(place.width, dpi), form1::TwipsToPixels(place.height, dpi), TRUE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    InvalidateRect(window_, nullptr, TRUE);
}

// Enter and Escape reach here as IDOK and IDCANCEL, and do nothing.
void Form1Window::OnCommand(int id, int notification) {
    if (id == ControlId(form1::kCmdCalc) && notification == BN_CLICKED) Dispatch([this] { cmdCalc_Click(); });
    if (id == ControlId(form1::kImgLogo) && notification == STN_CLICKED) Dispatch([this] { imgLogo_Click(); });
}

// The window fixes every background it shows, and with it the text colour:
// black, whatever the system's colours for text are.
HBRUSH Form1Window::OnControlColour(HDC dc, HWND control) {
    SetTextColor(dc, ToColorref(form1::kText));
    for (std::size_t box = 0; box < form1::kBoxIndex.size(); ++box) {
        if (control == controls_[form1::kBoxIndex[box]]) {
            SetBkColor(dc, boxColours_[box]);
            return boxBrushes_[box].get();
        }
    }
    SetBkMode(dc, TRANSPARENT);  // a caption: the window's white shows behind it
    return background_.get();
}

void Form1Window::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    const int dpi = static_cast<int>(dpi_);
    const form1::Twips& line = form1::kControls[form1::kLine1].place;
    const int top = form1::TwipsToPixels(line.top, dpi);
    // Both end points are on the line; its width is in pixels and does not scale.
    const RECT rule{form1::TwipsToPixels(line.left, dpi), top, form1::TwipsToPixels(line.left + line.width, dpi) + 1,
                    top + form1::kLineWidthPixels};
    FillRect(dc, &rule, line_.get());
    EndPaint(window_, &paint);
}

void Form1Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

// Whatever failure leaves a handler is reported here, in one place; the program goes on running.
template <typename Handler>
void Form1Window::Dispatch(Handler handler) {
    if (const std::optional<std::string> message = form1::FailureOf(handler))
        MessageBoxW(window_, Utf16(*message).c_str(), Utf16(form1::kReportTitle).c_str(), MB_OK | MB_ICONERROR);
}

void Form1Window::cmdCalc_Click() { tarnwick::cmdCalc_Click(*this); }

void Form1Window::imgLogo_Click() { OpenHomePage(shell_, WindowHandle()); }

HWND Form1Window::BoxWindow(Box box) const {
    const auto index = static_cast<std::size_t>(box);
    if (index < form1::kBoxIndex.size() && IsWindow(controls_[form1::kBoxIndex[index]]))
        return controls_[form1::kBoxIndex[index]];
    throw RunFailure(FailureKind::ControlAccess);
}

std::string Form1Window::GetBoxText(Box box) {
    const HWND handle = BoxWindow(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextW(handle, text.data(), static_cast<int>(text.size()));
    if (length == 0 && GetLastError() != ERROR_SUCCESS) throw RunFailure(FailureKind::ControlAccess);
    text.resize(static_cast<std::size_t>(length));
    return Utf8(text);
}

void Form1Window::SetBoxBackColour(Box box, tarnwick::Colour colour) {
    const HWND handle = BoxWindow(box);
    const auto index = static_cast<std::size_t>(box);
    boxColours_[index] = ToColorref(colour);
    boxBrushes_[index].reset(CreateSolidBrush(boxColours_[index]));
    InvalidateRect(handle, nullptr, TRUE);
    if (box == Box::txtSpeed) {
        const std::string_view verdict = form1::VerdictInWords(colour);
        if (boxAccessibles_[index]) boxAccessibles_[index]->SetDescription(BoxDescription(box, verdict));
        ShowVerdictTip(handle, verdict);
    }
}

// The verdict in words in the result box's tooltip too, from the first
// calculation on: not everyone can tell its pale green from the white.
void Form1Window::ShowVerdictTip(HWND box, std::string_view verdict) {
    std::wstring text = Utf16(verdict);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = text.data();
    SendMessageW(tooltip_, hasVerdictTip_ ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    hasVerdictTip_ = true;
}

void Form1Window::SetBoxText(Box box, std::string_view text) {
    if (!SetWindowTextW(BoxWindow(box), Utf16(text).c_str())) throw RunFailure(FailureKind::ControlAccess);
}

std::uintptr_t Form1Window::WindowHandle() {
    if (!IsWindow(window_)) throw RunFailure(FailureKind::ControlAccess);
    return reinterpret_cast<std::uintptr_t>(window_);
}

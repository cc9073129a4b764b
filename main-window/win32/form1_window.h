#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "accessible_control.h"
#include "active_accessibility.h"
#include "form1_description.h"
#include "gdi_object.h"
#include "scaled_pictures.h"
#include "shell_open.h"
#include "speed_calc.hpp"

// Tarnwick's one window on Windows, built from the platform-free description
// of Form1 with plain Win32 controls. It implements CalcView on its four edit
// boxes and routes the two events that reach the program: a click of
// Calculate and a click on the logo.
class Form1Window : public tarnwick::CalcView {
public:
    explicit Form1Window(HINSTANCE instance);
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;
    ~Form1Window() override;

    // Shows the window centred on its monitor's work area, with the focus in txtDSM.
    void ShowCentred(int showCommand);
    HWND Handle() const { return window_; }

    std::string GetBoxText(tarnwick::Box box) override;
    void SetBoxBackColour(tarnwick::Box box, tarnwick::Colour colour) override;
    void SetBoxText(tarnwick::Box box, std::string_view text) override;

    // The window handle, which owns what the home-page link opens.
    std::uintptr_t WindowHandle();

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();  // the native controls, and the boxes' brushes
    void MakeAccessible();
    void AddLogoTooltip();
    void LayOut();  // from twips, at the window's DPI
    void OnCommand(int id, int notification);
    HBRUSH OnControlColour(HDC dc, HWND control);
    void OnPaint();
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    void cmdCalc_Click();
    void imgLogo_Click();
    HWND BoxWindow(tarnwick::Box box) const;
    void ShowVerdictTip(HWND box, std::string_view verdict);
    static std::wstring BoxDescription(tarnwick::Box box, std::string_view verdict);

    // Runs an event's handler and reports whatever failure leaves it.
    template <typename Handler>
    void Dispatch(Handler handler);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::array<HWND, form1::kControls.size()> controls_{};  // in the order of form1::kControls
    std::array<COLORREF, 4> boxColours_{};                  // by tarnwick::Box
    std::array<Brush, 4> boxBrushes_;
    Brush background_;
    Brush line_;
    Font font_;
    Cursor linkCursor_;  // at the window's DPI, as the logo
    Bitmap logo_;
    HWND tooltip_ = nullptr;
    bool hasVerdictTip_ = false;  // the result box's, from the first calculation
    HWND lastFocus_ = nullptr;
    ActiveAccessibility accessibility_;                     // before the objects that use it, which go first
    std::array<AccessibleControl::Ref, 4> boxAccessibles_;  // by tarnwick::Box
    AccessibleControl::Ref logoAccessible_;
    ShellOpener shell_;
};

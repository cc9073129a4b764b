#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <string_view>

#include "active_accessibility.h"

// What a screen reader learns of one control over Active Accessibility,
// beyond what Windows' standard object for it says. The object forwards every
// question to the standard one (name, value, states, place, keyboard
// shortcut) and answers only these itself:
//  - a description (a box's unit; the result box's verdict after a calculation);
//  - for the logo: the role of a link, its name, the state linked and the
//    default action "Jump", which does what a click does.
// The control hands it to screen readers (WM_GETOBJECT) for as long as the
// control exists. Windows' standard object is made when a screen reader
// first asks; where Active Accessibility cannot be had, the control answers
// as it would without us.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    struct Release {
        void operator()(AccessibleControl* object) const { object->Release(); }
    };
    using Ref = std::unique_ptr<AccessibleControl, Release>;

    // The object for `control`, handed out by the control from now on, with
    // what `accessibility` gives (which outlives it).
    static Ref Attach(HWND control, ActiveAccessibility& accessibility);

    // Sets the description, and tells screen readers when it changes.
    void SetDescription(std::wstring_view description);

    // Presents the control as a link named `name`, followed by a click.
    void PresentAsLink(std::wstring_view name);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, forwarded
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* dispatchIds) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // IAccessible: the answers of our own, for the control itself
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

    // IAccessible, forwarded
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // IOleWindow: the control's window, for WindowFromAccessibleObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

private:
    AccessibleControl(HWND control, ActiveAccessibility& accessibility);
    ~AccessibleControl();

    // Windows' own object for the control, made at the first question; false
    // where it cannot be made.
    bool HasStandardObject();
    HRESULT Text(std::wstring_view text, BSTR* out) const;

    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    LONG references_ = 1;
    HWND control_;                        // null once the control is gone
    WNDPROC controlProcedure_ = nullptr;  // the control's own, which ours passes every message on to
    ActiveAccessibility& accessibility_;
    IAccessible* standard_ = nullptr;  // Windows' own object for the control, which we hold a reference to
    std::wstring description_;
    bool hasDescription_ = false;
    std::wstring linkName_;
    bool isLink_ = false;
};

#include "accessible_control.h"

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The verb Windows' own links (SysLink, Internet Explorer) give screen readers.
constexpr std::wstring_view kFollowVerb = L"Jump";

// The window property under which a control keeps its object.
constexpr wchar_t kObjectProperty[] = L"Tarnwick.AccessibleControl";

}  // namespace

AccessibleControl::Ref AccessibleControl::Attach(HWND control, ActiveAccessibility& accessibility) {
    Ref object(new AccessibleControl(control, accessibility));
    // The control keeps a reference of its own until it is destroyed, so that
    // it never answers with an object that has gone. Subclassed with user32
    // alone: common controls are loaded only after the program has started.
    if (!SetPropW(control, kObjectProperty, object.get())) return object;
    object->AddRef();
    object->controlProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure)));
    if (object->controlProcedure_ == nullptr) {
        RemovePropW(control, kObjectProperty);
        object->Release();
    }
    return object;
}

AccessibleControl::AccessibleControl(HWND control, ActiveAccessibility& accessibility)
    : control_(control), accessibility_(accessibility) {}

AccessibleControl::~AccessibleControl() {
    if (standard_ != nullptr) standard_->Release();
}

bool AccessibleControl::HasStandardObject() {
    if (standard_ != nullptr) return true;
    if (control_ == nullptr || !accessibility_.Load()) return false;
    return SUCCEEDED(accessibility_.CreateStdAccessibleObject(control_, OBJID_CLIENT, __uuidof(IAccessible),
                                                              reinterpret_cast<void**>(&standard_)));
}

HRESULT AccessibleControl::Text(std::wstring_view text, BSTR* out) const {
    if (out == nullptr) return E_INVALIDARG;
    *out = accessibility_.SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

LRESULT CALLBACK AccessibleControl::ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = static_cast<AccessibleControl*>(GetPropW(control, kObjectProperty));
    const WNDPROC procedure = object->controlProcedure_;
    if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT &&
        object->HasStandardObject())
        return object->accessibility_.LresultFromObject(__uuidof(IAccessible), wParam,
                                                        static_cast<IAccessible*>(object));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        RemovePropW(control, kObjectProperty);
        object->control_ = nullptr;
        object->Release();
    }
    return CallWindowProcW(procedure, control, message, wParam, lParam);
}

void AccessibleControl::SetDescription(std::wstring_view description) {
    if (hasDescription_ && description == description_) return;
    description_ = description;
    hasDescription_ = true;
    if (control_ != nullptr) NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control_, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleControl::PresentAsLink(std::wstring_view name) {
    linkName_ = name;
    isLink_ = true;
}

// ---- IUnknown -------------------------------------------------------------------

HRESULT AccessibleControl::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
    } else if (id == __uuidof(IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG AccessibleControl::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AccessibleControl::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// ---- IDispatch ------------------------------------------------------------------

HRESULT AccessibleControl::GetTypeInfoCount(UINT* count) { return standard_->GetTypeInfoCount(count); }

HRESULT AccessibleControl::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}

HRESULT AccessibleControl::GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* dispatchIds) {
    return standard_->GetIDsOfNames(id, names, count, locale, dispatchIds);
}

HRESULT AccessibleControl::Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                  VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
}

// ---- IAccessible: our own answers -------------------------------------------------

HRESULT AccessibleControl::get_accName(VARIANT child, BSTR* name) {
    if (isLink_ && IsSelf(child)) return Text(linkName_, name);
    return standard_->get_accName(child, name);
}

HRESULT AccessibleControl::get_accDescription(VARIANT child, BSTR* description) {
    if (hasDescription_ && IsSelf(child)) return Text(description_, description);
    return standard_->get_accDescription(child, description);
}

HRESULT AccessibleControl::get_accRole(VARIANT child, VARIANT* role) {
    if (!isLink_ || !IsSelf(child)) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
}

HRESULT AccessibleControl::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT result = standard_->get_accState(child, state);
    if (isLink_ && IsSelf(child) && SUCCEEDED(result) && state->vt == VT_I4) state->lVal |= STATE_SYSTEM_LINKED;
    return result;
}

HRESULT AccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (isLink_ && IsSelf(child)) return Text(kFollowVerb, action);
    return standard_->get_accDefaultAction(child, action);
}

// Following the link is a click: the control tells its parent, as a click on
// it does, and the window's event dispatch runs the click's handler. Posted,
// so that the screen reader's call returns before anything is opened or reported.
HRESULT AccessibleControl::accDoDefaultAction(VARIANT child) {
    if (!isLink_ || !IsSelf(child)) return standard_->accDoDefaultAction(child);
    if (control_ == nullptr) return E_FAIL;
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(control_), STN_CLICKED);
    return PostMessageW(GetParent(control_), WM_COMMAND, command, reinterpret_cast<LPARAM>(control_)) ? S_OK : E_FAIL;
}

// ---- IAccessible: the standard object's answers ------------------------------------

HRESULT AccessibleControl::get_accParent(IDispatch** parent) { return standard_->get_accParent(parent); }
HRESULT AccessibleControl::get_accChildCount(long* count) { return standard_->get_accChildCount(count); }
HRESULT AccessibleControl::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}
HRESULT AccessibleControl::get_accValue(VARIANT child, BSTR* value) { return standard_->get_accValue(child, value); }
HRESULT AccessibleControl::get_accHelp(VARIANT child, BSTR* help) { return standard_->get_accHelp(child, help); }
HRESULT AccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT AccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT AccessibleControl::get_accFocus(VARIANT* focus) { return standard_->get_accFocus(focus); }
HRESULT AccessibleControl::get_accSelection(VARIANT* selection) { return standard_->get_accSelection(selection); }
HRESULT AccessibleControl::accSelect(long flags, VARIANT child) { return standard_->accSelect(flags, child); }
HRESULT AccessibleControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT AccessibleControl::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT AccessibleControl::accHitTest(long left, long top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT AccessibleControl::put_accName(VARIANT child, BSTR name) { return standard_->put_accName(child, name); }
HRESULT AccessibleControl::put_accValue(VARIANT child, BSTR value) { return standard_->put_accValue(child, value); }

// ---- IOleWindow -----------------------------------------------------------------

HRESULT AccessibleControl::GetWindow(HWND* window) {
    if (window == nullptr) return E_INVALIDARG;
    *window = control_;
    return control_ != nullptr ? S_OK : E_FAIL;
}

HRESULT AccessibleControl::ContextSensitiveHelp(BOOL /*enterMode*/) { return E_NOTIMPL; }

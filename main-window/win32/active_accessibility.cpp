#include "active_accessibility.h"

#include <initializer_list>

#include "load_system_library.h"

namespace {

template <typename Function>
bool Find(HMODULE library, const char* name, Function& function) {
    function = FindFunction<Function>(library, name);
    return function != nullptr;
}

}  // namespace

ActiveAccessibility::~ActiveAccessibility() {
    if (comStarted_) coUninitialize_();
}

bool ActiveAccessibility::Load() {
    if (loaded_) return true;
    const HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    const HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
    const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    CoInitializeExFunction coInitializeEx = nullptr;
    if (Find(ole32, "CoInitializeEx", coInitializeEx) && Find(ole32, "CoUninitialize", coUninitialize_) &&
        Find(oleaut32, "SysAllocStringLen", sysAllocStringLen_) &&
        Find(oleacc, "CreateStdAccessibleObject", createStdAccessibleObject_) &&
        Find(oleacc, "LresultFromObject", lresultFromObject_)) {
        // Screen readers reach the controls' objects through COM, in this
        // thread's apartment. One started already, in another mode, serves too.
        const HRESULT com = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        comStarted_ = SUCCEEDED(com);
        loaded_ = comStarted_ || com == RPC_E_CHANGED_MODE;
    }
    if (!loaded_) {
        for (const HMODULE library : {oleacc, oleaut32, ole32})
            if (library != nullptr) FreeLibrary(library);
    }
    return loaded_;
}

HRESULT ActiveAccessibility::CreateStdAccessibleObject(HWND window, LONG objectId, REFIID id, void** object) const {
    return createStdAccessibleObject_(window, objectId, id, object);
}

LRESULT ActiveAccessibility::LresultFromObject(REFIID id, WPARAM wParam, IUnknown* object) const {
    return lresultFromObject_(id, wParam, object);
}

BSTR ActiveAccessibility::SysAllocStringLen(const OLECHAR* text, UINT length) const {
    return sysAllocStringLen_(text, length);
}

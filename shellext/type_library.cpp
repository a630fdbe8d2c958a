#include "shellext/type_library.h"

#include "shellext/shell_ids.h"

#include <oleauto.h>

#include "win32/handles.h"

namespace vantrel::shell {

namespace {

using RegisterForUser = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnregisterForUser = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

// An export of OLEAUT32.DLL looked up by name: older systems and the MinGW headers lack
// the per-user functions.
template <typename Function>
Function FindOleAutomationExport(const char* name) {
    HMODULE oleaut = GetModuleHandleW(L"OLEAUT32.DLL");
    if (oleaut == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(oleaut, name)));
}

constexpr SYSKIND kSystemKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

std::wstring WithTlbExtension(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) {
        return path.substr(0, dot) + L".tlb";
    }
    return path + L".tlb";
}

bool IsRegistered() {
    BSTR path = nullptr;
    const HRESULT hr = QueryPathOfRegTypeLib(kLibidVantrelShellLib, kTypeLibMajorVersion,
                                             kTypeLibMinorVersion, kTypeLibLocale, &path);
    SysFreeString(path);
    return SUCCEEDED(hr);
}

}  // namespace

HRESULT RegisterTypeLibrary(const std::wstring& module_path, bool per_user) {
    std::wstring path = module_path;
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLib(path.c_str(), library.put());
    if (FAILED(hr)) {
        path = WithTlbExtension(module_path);
        hr = LoadTypeLib(path.c_str(), library.put());
        if (FAILED(hr)) {
            return hr;
        }
    }
    auto for_user =
        per_user ? FindOleAutomationExport<RegisterForUser>("RegisterTypeLibForUser") : nullptr;
    return for_user != nullptr ? for_user(library.get(), path.data(), nullptr)
                               : RegisterTypeLib(library.get(), path.data(), nullptr);
}

HRESULT UnregisterTypeLibrary(bool per_user) {
    if (!IsRegistered()) {
        return S_OK;
    }
    auto for_user =
        per_user ? FindOleAutomationExport<UnregisterForUser>("UnRegisterTypeLibForUser") : nullptr;
    if (for_user != nullptr) {
        return for_user(kLibidVantrelShellLib, kTypeLibMajorVersion, kTypeLibMinorVersion,
                        kTypeLibLocale, kSystemKind);
    }
    return UnRegisterTypeLib(kLibidVantrelShellLib, kTypeLibMajorVersion, kTypeLibMinorVersion,
                             kTypeLibLocale, kSystemKind);
}

}  // namespace vantrel::shell

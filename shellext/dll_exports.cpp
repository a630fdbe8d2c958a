#include <windows.h>

#include "shellext/server_registration.h"
#include "shellext/shell_ids.h"
#include "shellext/shell_module.h"

// Exports of VantrelShell.dll. Explorer hosts this library: nothing thrown may leave it.

using vantrel::shell::ShellModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ShellModule().Attach(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        // reserved is non-null when the process is ending.
        ShellModule().Detach(reserved == nullptr);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    try {
        if (!ShellModule().IsInitialised()) {
            return E_UNEXPECTED;
        }
        if (!IsEqualCLSID(rclsid, vantrel::shell::kClsidMyContextMenu)) {
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        const HRESULT hr = ShellModule().GetClassObject(riid, ppv);
        if (hr == S_OK && *ppv == nullptr) {
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllCanUnloadNow() {
    return ShellModule().LockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    try {
        return vantrel::shell::RegisterServer(ShellModule().Instance(), ShellModule().PerUser());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return vantrel::shell::UnregisterServer(ShellModule().PerUser());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllInstall(BOOL install, PCWSTR command_line) {
    try {
        if (vantrel::shell::IsPerUserCommandLine(command_line)) {
            ShellModule().SetPerUser();
        }
        return vantrel::shell::InstallServer(ShellModule().Instance(), install != FALSE,
                                             ShellModule().PerUser());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

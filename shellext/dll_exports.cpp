#include <windows.h>

// Exports of VantrelShell.dll.
extern "C" {

STDAPI DllGetClassObject(REFCLSID, REFIID, void** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}
STDAPI DllCanUnloadNow() { return S_OK; }
STDAPI DllRegisterServer() { return E_NOTIMPL; }
STDAPI DllUnregisterServer() { return E_NOTIMPL; }
STDAPI DllInstall(BOOL, PCWSTR) { return E_NOTIMPL; }
}

#include "shellext/class_factory.h"

#include "shellext/context_menu.h"
#include "shellext/shell_module.h"

namespace vantrel::shell {

STDMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef() {
    const LONG count = InterlockedIncrement(&references_);
    if (count == 2) {
        ShellModule().Lock();
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP_(ULONG) CClassFactory::Release() {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 1) {
        ShellModule().Unlock();
    } else if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    // An aggregated object hands out only its own IUnknown to the outer object.
    if (outer != nullptr && !IsEqualIID(riid, IID_IUnknown)) {
        return CLASS_E_NOAGGREGATION;
    }
    return CMyContextMenu::Create(outer, riid, ppv);
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ShellModule().Lock();
    } else {
        ShellModule().Unlock();
    }
    return S_OK;
}

}  // namespace vantrel::shell

#pragma once

#include <windows.h>
#include <unknwn.h>

namespace vantrel::shell {

// The class object of CMyContextMenu. The module keeps the first reference; each further
// holder keeps the library locked (the count going from 1 to 2 locks it, from 2 to 1
// unlocks it).
class CClassFactory final : public IClassFactory {
  public:
    CClassFactory() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

  private:
    ~CClassFactory() = default;

    volatile LONG references_ = 1;
};

}  // namespace vantrel::shell

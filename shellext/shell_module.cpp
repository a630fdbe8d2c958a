#include "shellext/shell_module.h"

#include "shellext/class_factory.h"
#include "shellext/shell_ids.h"

#include <new>

namespace vantrel::shell {

namespace {

// Holds a critical section for one scope.
class SectionLock {
  public:
    explicit SectionLock(CRITICAL_SECTION& section) : section_(section) {
        EnterCriticalSection(&section_);
    }
    ~SectionLock() { LeaveCriticalSection(&section_); }
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

  private:
    CRITICAL_SECTION& section_;
};

HRESULT LoadMenuTypeLibrary(LCID locale, ITypeLib** library) {
    HRESULT hr = LoadRegTypeLib(kLibidVantrelShellLib, kTypeLibMajorVersion, kTypeLibMinorVersion,
                                locale, library);
    if (FAILED(hr)) {
        // Not registered (yet): the library carries its own copy as TYPELIB 1.
        std::wstring path;
        if (SUCCEEDED(GetModulePath(ShellModule().Instance(), path))) {
            hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
        }
    }
    return hr;
}

}  // namespace

CVantrelShellModule::CVantrelShellModule() {
    InitializeCriticalSection(&lock_);
}

CVantrelShellModule::~CVantrelShellModule() {
    DeleteCriticalSection(&lock_);
}

void CVantrelShellModule::Attach(HINSTANCE instance) {
    instance_ = instance;
}

void CVantrelShellModule::Detach(bool releaseObjects) {
    ComPtr<IUnknown> classObject;
    classObject.reset(classObject_.exchange(nullptr));
    if (!releaseObjects) {
        // Let go without calling into libraries that may be gone already.
        classObject.release();
        typeInfo_.release();
    }
    typeInfo_.reset();
}

HRESULT CVantrelShellModule::GetClassObject(REFIID riid, void** ppv) {
    if (classObject_.load() == nullptr) {
        SectionLock hold(lock_);
        if (classObject_.load() == nullptr) {
            IUnknown* created = new (std::nothrow) CClassFactory();
            if (created == nullptr) {
                return E_OUTOFMEMORY;
            }
            classObject_.store(created);
        }
    }
    return classObject_.load()->QueryInterface(riid, ppv);
}

HRESULT CVantrelShellModule::GetMenuTypeInfo(LCID locale, ITypeInfo** typeInfo) {
    *typeInfo = nullptr;
    SectionLock hold(lock_);
    if (!typeInfo_) {
        ComPtr<ITypeLib> library;
        const HRESULT hr = LoadMenuTypeLibrary(locale, library.put());
        if (FAILED(hr)) {
            return hr;
        }
        ComPtr<ITypeInfo> found;
        const HRESULT foundResult = library->GetTypeInfoOfGuid(kIidMyContextMenu, found.put());
        if (FAILED(foundResult)) {
            return foundResult;
        }
        typeInfo_ = std::move(found);
    }
    *typeInfo = typeInfo_.copy();
    return S_OK;
}

CVantrelShellModule& ShellModule() {
    static CVantrelShellModule module;
    return module;
}

HRESULT GetModulePath(HMODULE module, std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
    if (length == 0) {
        const DWORD error = GetLastError();
        return HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_MOD_NOT_FOUND);
    }
    // A path that filled the buffer has been cut short.
    if (length >= MAX_PATH || GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    path.assign(buffer, length);
    return S_OK;
}

}  // namespace vantrel::shell

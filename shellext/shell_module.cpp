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

void CVantrelShellModule::Detach(bool release_objects) {
    ComPtr<IUnknown> class_object;
    class_object.reset(class_object_.exchange(nullptr));
    if (!release_objects) {
        // Let go without calling into libraries that may be gone already.
        class_object.release();
        type_info_.release();
    }
    type_info_.reset();
}

HRESULT CVantrelShellModule::GetClassObject(REFIID riid, void** ppv) {
    if (class_object_.load() == nullptr) {
        SectionLock hold(lock_);
        if (class_object_.load() == nullptr) {
            IUnknown* created = new (std::nothrow) CClassFactory();
            if (created == nullptr) {
                return E_OUTOFMEMORY;
            }
            class_object_.store(created);
        }
    }
    return class_object_.load()->QueryInterface(riid, ppv);
}

HRESULT CVantrelShellModule::GetMenuTypeInfo(LCID locale, ITypeInfo** type_info) {
    *type_info = nullptr;
    SectionLock hold(lock_);
    if (!type_info_) {
        ComPtr<ITypeLib> library;
        const HRESULT hr = LoadMenuTypeLibrary(locale, library.put());
        if (FAILED(hr)) {
            return hr;
        }
        ComPtr<ITypeInfo> found;
        const HRESULT found_result = library->GetTypeInfoOfGuid(kIidMyContextMenu, found.put());
        if (FAILED(found_result)) {
            return found_result;
        }
        type_info_ = std::move(found);
    }
    *type_info = type_info_.copy();
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

#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <string>

#include "win32/handles.h"

namespace vantrel::shell {

// Per-library state of VantrelShell.dll: its instance handle, the lock count that decides
// when it may be unloaded, the per-user registration flag, the cached class object and
// the cached type information, the last two created under one critical section.
class CVantrelShellModule {
  public:
    CVantrelShellModule();
    ~CVantrelShellModule();
    CVantrelShellModule(const CVantrelShellModule&) = delete;
    CVantrelShellModule& operator=(const CVantrelShellModule&) = delete;

    // Process attach.
    void Attach(HINSTANCE instance);
    // Process detach; release_objects is false when the process is ending (other libraries
    // may already be gone, so nothing is called on the cached objects then).
    void Detach(bool release_objects);
    bool IsInitialised() const { return instance_ != nullptr; }
    HINSTANCE Instance() const { return instance_; }

    LONG Lock() { return InterlockedIncrement(&lock_count_); }
    LONG Unlock() { return InterlockedDecrement(&lock_count_); }
    LONG LockCount() const { return lock_count_; }

    void SetPerUser() { per_user_ = true; }
    bool PerUser() const { return per_user_; }

    // The class object's interface riid, creating the object on first demand.
    HRESULT GetClassObject(REFIID riid, void** ppv);
    // The type information of IMyContextMenu, loaded once per process.
    HRESULT GetMenuTypeInfo(LCID locale, ITypeInfo** type_info);

  private:
    HINSTANCE instance_ = nullptr;
    volatile LONG lock_count_ = 0;
    bool per_user_ = false;
    std::atomic<IUnknown*> class_object_{nullptr};
    ComPtr<ITypeInfo> type_info_;
    CRITICAL_SECTION lock_;
};

CVantrelShellModule& ShellModule();

// The full path of a module file; HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) when it
// has 260 characters or more (a registered path must fit MAX_PATH).
HRESULT GetModulePath(HMODULE module, std::wstring& path);

}  // namespace vantrel::shell

#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace vantrel::shell {

// The root of the class registrations: HKEY_CLASSES_ROOT, or the current user's
// Software\Classes in per-user mode.
class RegistrationRoot {
  public:
    explicit RegistrationRoot(bool per_user);
    RegistrationRoot(const RegistrationRoot&) = delete;
    RegistrationRoot& operator=(const RegistrationRoot&) = delete;

    // S_OK, or why the per-user root could not be opened.
    HRESULT Status() const { return status_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
    RegistryKey created_;  // the per-user root, opened here; HKEY_CLASSES_ROOT is never closed
    HRESULT status_ = S_OK;
};

// Writes table A and table B (with %APPID% and %MODULE% replaced) and registers the type
// library, under the system default thread locale. Stops at the first failure and
// leaves what was written.
HRESULT RegisterServer(HMODULE module, bool per_user);

// Removes table B, unregisters the type library, removes table A; each step only after
// the one before it succeeded.
HRESULT UnregisterServer(bool per_user);

// True when the DllInstall command line asks for per-user registration: "user" in any
// case, and nothing after it.
bool IsPerUserCommandLine(const wchar_t* command_line);

// DllInstall: registration that takes itself back when it fails, or unregistration.
HRESULT InstallServer(HMODULE module, bool install, bool per_user);

}  // namespace vantrel::shell

#pragma once

#include <windows.h>

#include <string>

namespace vantrel::shell {

// Registers the type library embedded in the module at module_path (or, failing that, the
// ".tlb" file beside it). Per user through RegisterTypeLibForUser when OLEAUT32.DLL
// exports it.
HRESULT RegisterTypeLibrary(const std::wstring& module_path, bool per_user);

// Unregisters the type library. One that is not registered is not a failure, so that
// taking back a half-done registration goes on to the remaining entries.
HRESULT UnregisterTypeLibrary(bool per_user);

}  // namespace vantrel::shell

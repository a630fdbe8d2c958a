#pragma once

#include <windows.h>

#include <string>

namespace vantrel::shell {

// Registers the type library embedded in the module at modulePath (or, failing that, the
// ".tlb" file beside it). Per user through RegisterTypeLibForUser when OLEAUT32.DLL
// exports it.
HRESULT RegisterTypeLibrary(const std::wstring& modulePath, bool perUser);

// Unregisters the type library. One that is not registered is not a failure, so that
// taking back a half-done registration goes on to the remaining entries.
HRESULT UnregisterTypeLibrary(bool perUser);

}  // namespace vantrel::shell

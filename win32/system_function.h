#pragma once

#include <windows.h>

namespace vantrel {

// A function of a loaded system DLL, looked up at run time because older systems lack it;
// nullptr when the module or the function is not there. `name` may be an ordinal
// (MAKEINTRESOURCEA).
template <typename Function>
Function SystemFunction(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // Through void* so that no compiler sees a cast between function types.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace vantrel

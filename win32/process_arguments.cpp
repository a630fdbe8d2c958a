#include "win32/process_arguments.h"

#include <windows.h>

#include <shellapi.h>
#include <stdlib.h>

namespace vantrel {

namespace {

// Frees the array of CommandLineToArgvW.
struct LocalArray {
    LPWSTR* items;
    ~LocalArray() {
        if (items != nullptr) {
            LocalFree(items);
        }
    }
};

}  // namespace

std::vector<std::wstring> GetProcessArguments() {
    std::vector<std::wstring> arguments;
    // A wide-entry program has the runtime's own split in __wargv.
    if (__wargv != nullptr && __argc > 0) {
        for (int i = 0; i < __argc && __wargv[i] != nullptr; ++i) {
            arguments.emplace_back(__wargv[i]);
        }
        return arguments;
    }
    // Otherwise the shell's split of the same command line, which follows the same rules
    // for blanks and quotes.
    int count = 0;
    const LocalArray list{CommandLineToArgvW(GetCommandLineW(), &count)};
    if (list.items == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        arguments.emplace_back(list.items[i]);
    }
    return arguments;
}

}  // namespace vantrel

#include "win32/long_path.h"

#include <windows.h>

#include "engine/extended_path.h"

namespace vantrel {

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return std::wstring();
    }
    full.resize(written);
    return full;
}

}  // namespace

std::wstring ToSystemPath(const std::wstring& path) {
    std::wstring exact = ExtendedPathForm(path);
    if (!exact.empty()) {
        return exact;
    }
    // Not absolute: only the system can tell what it names (current folder, drive).
    exact = ExtendedPathForm(FullPath(path));
    return exact.empty() ? path : exact;  // no form applies; the API reports the failure
}

}  // namespace vantrel

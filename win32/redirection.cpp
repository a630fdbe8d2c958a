#include "win32/redirection.h"

#include "engine/path.h"

namespace vantrel {

namespace {

bool IsWow64Process() {
#if defined(_WIN64)
    return false;
#else
    BOOL wow64 = FALSE;
    return ::IsWow64Process(GetCurrentProcess(), &wow64) != FALSE && wow64 != FALSE;
#endif
}

std::wstring SystemFolder() {
    const UINT needed = GetSystemDirectoryW(nullptr, 0);
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring folder(needed, L'\0');
    const UINT written = GetSystemDirectoryW(folder.data(), needed);
    if (written == 0 || written >= needed) {
        return std::wstring();
    }
    folder.resize(written);
    return folder;
}

}  // namespace

RedirectionOff::RedirectionOff() {
#if !defined(_WIN64)
    off_ = Wow64DisableWow64FsRedirection(&old_value_) != FALSE;
#endif
}

RedirectionOff::~RedirectionOff() {
#if !defined(_WIN64)
    if (off_) {
        Wow64RevertWow64FsRedirection(old_value_);
    }
#endif
}

bool IsRedirectedPath(const std::wstring& path) {
    if (!IsWow64Process()) {
        return false;
    }
    const std::wstring system = ExtendedPathForm(SystemFolder());
    const std::wstring item = ExtendedPathForm(path);
    if (system.empty() || item.empty()) {
        return true;  // cannot be told: treat as redirected
    }
    if (item.size() < system.size() ||
        (item.size() > system.size() && item[system.size()] != L'\\')) {
        return false;
    }
    return CompareStringOrdinal(item.c_str(), static_cast<int>(system.size()), system.c_str(),
                                static_cast<int>(system.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace vantrel

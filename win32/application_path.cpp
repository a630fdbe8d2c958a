#include "win32/application_path.h"

#include <windows.h>

#include "config/app_settings.h"

namespace vantrel {

std::wstring GetRunningExecutablePath() {
    // GetModuleFileNameW truncates silently when the buffer is too small (it then fills
    // the whole buffer), so the buffer grows until the path fits with room to spare.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD capacity = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), capacity);
        if (length == 0) {
            return std::wstring();
        }
        if (length < capacity - 1) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 0x10000) {  // beyond any path Windows can hold
            return std::wstring();
        }
        path.resize(path.size() * 2);
    }
}

std::wstring GetApplicationFolder(RegistryProfile& profile) {
    return GetApplicationFolder(profile, GetRunningExecutablePath());
}

}  // namespace vantrel

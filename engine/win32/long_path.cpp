#include "engine/win32/long_path.h"

#include <windows.h>

namespace vantrel {

namespace {

// Below this length every API takes the ordinary form (folders are limited to
// MAX_PATH - 12 so that an 8.3 name still fits behind them).
constexpr size_t kPlainLimit = MAX_PATH - 12;

bool IsPrefixed(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0;
}

// The "\\?\" form is taken literally: it must be absolute with backslashes only and no
// "." or ".." components. Paths built from listings already are; others are normalised.
bool IsLiteralSafe(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') {
        return false;
    }
    if (path.find(L'/') != std::wstring::npos) {
        return false;
    }
    return path.find(L"\\.\\") == std::wstring::npos &&
           path.find(L"\\..\\") == std::wstring::npos &&
           !(path.size() >= 2 && path.compare(path.size() - 2, 2, L"\\.") == 0) &&
           !(path.size() >= 3 && path.compare(path.size() - 3, 3, L"\\..") == 0);
}

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
    if (path.size() < kPlainLimit || IsPrefixed(path)) {
        return path;
    }
    const std::wstring full = IsLiteralSafe(path) ? path : FullPath(path);
    if (full.size() > 2 && full[0] == L'\\' && full[1] == L'\\') {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    if (full.size() >= 3 && full[1] == L':') {
        return L"\\\\?\\" + full;
    }
    return path;  // not a form the prefix applies to; the API reports the failure
}

}  // namespace vantrel

#include "win32/long_path.h"

#include "engine/path.h"
#include "win32/absolute_path.h"

namespace vantrel {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// "\\.\", or "\\?\" written with a "/": a path that Windows parses like an ordinary one.
bool IsParsedDeviceForm(const std::wstring& path) {
    return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           (path[2] == L'.' || path[2] == L'?') && IsSeparator(path[3]) &&
           path.compare(0, 4, L"\\\\?\\") != 0;
}

}  // namespace

std::wstring ToSystemPath(const std::wstring& path) {
    // Such a path would be resolved and trimmed by Windows: it goes the "\\?\" way too.
    std::wstring exact = IsParsedDeviceForm(path) ? std::wstring() : ExtendedPathForm(path);
    if (!exact.empty()) {
        return exact;
    }
    // Not absolute: made absolute by its text, never by GetFullPathNameW, which trims names.
    exact = ExtendedPathForm(MakeAbsolute(path));
    return exact.empty() ? path : exact;  // no form applies; the API reports the failure
}

}  // namespace vantrel

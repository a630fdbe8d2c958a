#include "engine/shell_path_rules.h"

namespace vantrel {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveAbsolute(const std::wstring& path) {
    return path.size() >= 3 &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && IsSeparator(path[2]);
}

bool IsUnc(const std::wstring& path) {
    return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           !IsSeparator(path[2]) && path[2] != L'?' && path[2] != L'.';
}

// A "." or ".." component, or a name ending with a dot or a blank: the shell reads those
// the ordinary way, which resolves the first and trims the second (so "notes." would be
// taken for "notes", another item).
bool HasDotOrTrimmedComponent(const std::wstring& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::wstring_view part(path.data() + start, end - start);
        if (part == L"." || part == L".." ||
            (!part.empty() && (part.back() == L'.' || part.back() == L' '))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

bool FitsShellDelete(const std::wstring& path) {
    if (path.empty() || path.size() > kShellPathLimit) {
        return false;
    }
    if (!IsDriveAbsolute(path) && !IsUnc(path)) {
        return false;
    }
    if (path.find_first_of(std::wstring_view(L"*?\0", 3)) != std::wstring::npos) {
        return false;
    }
    return !HasDotOrTrimmedComponent(path);
}

}  // namespace vantrel

#include "engine/extended_path.h"

#include <string_view>
#include <vector>

namespace vantrel {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Appends the components of `rest` to `root`, resolving "." and ".."; false when ".."
// climbs above the root.
bool AppendComponents(std::wstring& result, std::wstring_view rest, size_t keep_components) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::wstring_view part = rest.substr(start, end - start);
        if (part == L"..") {
            if (parts.size() <= keep_components) {
                return false;
            }
            parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result.push_back(L'\\');
        }
        result.append(parts[i]);
    }
    return true;
}

// True when `rest` is already literal: backslashes only, single, no "." or ".." component
// and no trailing separator. The common case, taken without splitting the path.
bool IsLiteral(std::wstring_view rest) {
    size_t start = 0;
    for (size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] == L'/') {
            return false;
        }
        if (i == rest.size() || rest[i] == L'\\') {
            const std::wstring_view part = rest.substr(start, i - start);
            if ((part.empty() && !rest.empty()) || part == L"." || part == L"..") {
                return false;
            }
            start = i + 1;
        }
    }
    return true;
}

}  // namespace

std::wstring ExtendedPathForm(const std::wstring& path) {
    if (path.size() >= 4 && path[0] == L'\\' && path[1] == L'\\' &&
        (path[2] == L'?' || path[2] == L'.') && path[3] == L'\\') {
        return path;
    }
    std::wstring result;
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        if (path[2] == L'\\' && IsLiteral(std::wstring_view(path).substr(3))) {
            result.reserve(path.size() + 4);
            result = L"\\\\?\\";
            result += path;
            return result;
        }
        result = L"\\\\?\\";
        result.push_back(path[0]);
        result += L":\\";
        if (!AppendComponents(result, std::wstring_view(path).substr(3), 0)) {
            return std::wstring();
        }
        return result;
    }
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
        // "\\server\share" stays the root: ".." never climbs out of the share.
        result = L"\\\\?\\UNC\\";
        const size_t before = result.size();
        if (!AppendComponents(result, std::wstring_view(path).substr(2), 2) ||
            result.find(L'\\', before) == std::wstring::npos) {
            return std::wstring();  // no share named
        }
        return result;
    }
    return std::wstring();
}

}  // namespace vantrel

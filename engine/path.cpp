#include "engine/path.h"

#include <string_view>
#include <vector>

#include "engine/text_rules.h"

namespace vantrel {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i])) {
            return false;
        }
    }
    return true;
}

// The component of `text` that starts at `start` (up to the next separator).
std::wstring_view ComponentAt(std::wstring_view text, size_t start) {
    size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) {
        ++end;
    }
    return text.substr(start, end - start);
}

enum class Kind { None, Literal, Absolute, DriveRelative, RootRelative, Relative };

// A path split at its root. `root` is the root as the absolute form writes it ("C:",
// "\\server\share", "\\?\C:", "\\?\UNC\server\share", "\\?\Volume{...}"), without the
// separator that follows it; `rest` is the text after the root.
struct Split {
    Kind kind = Kind::None;
    std::wstring root;
    bool root_ends_in_separator = false;  // a drive or volume root alone is "C:\"
    std::wstring_view rest;
    wchar_t drive = 0;
};

// "\\?\" or "\\.\" followed by a drive, "UNC\server\share" or a volume; `literal` accepts
// any other device name as its own root (a "\\?\" path is the caller's to answer for).
Split SplitDevicePath(std::wstring_view path, bool literal) {
    Split split;
    split.kind = literal ? Kind::Literal : Kind::Absolute;
    const std::wstring_view after = path.substr(4);
    if (after.size() >= 2 && IsLetter(after[0]) && after[1] == L':' &&
        (after.size() == 2 || IsSeparator(after[2]))) {
        split.root = L"\\\\?\\" + std::wstring(after.substr(0, 2));
        split.root_ends_in_separator = true;
        split.rest = after.substr(2);
        return split;
    }
    const std::wstring_view name = ComponentAt(after, 0);
    if (name.size() == 3 && StartsWithNoCase(name, L"UNC") && after.size() > 3) {
        const std::wstring_view server = ComponentAt(after, 4);
        const size_t share_start = 4 + server.size() + 1;
        const std::wstring_view share =
            share_start <= after.size() ? ComponentAt(after, share_start) : std::wstring_view();
        if (server.empty() || share.empty()) {
            return Split{};  // no share named
        }
        split.root = L"\\\\?\\UNC\\" + std::wstring(server) + L"\\" + std::wstring(share);
        split.rest = after.substr(share_start + share.size());
        return split;
    }
    const bool volume = StartsWithNoCase(name, L"Volume{") && name.back() == L'}';
    if (name.empty() || (!volume && !literal)) {
        return Split{};  // a pipe, a disk, a console: no folder
    }
    split.root = L"\\\\?\\" + std::wstring(name);
    split.root_ends_in_separator = true;
    split.rest = after.substr(name.size());
    return split;
}

Split SplitAtRoot(std::wstring_view path) {
    Split split;
    if (path.empty()) {
        return split;
    }
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3])) {
        // Only "\\?\" written with backslashes is literal; "//?/" is read like "\\.\".
        const bool literal = path.substr(0, 4) == L"\\\\?\\";
        return SplitDevicePath(path, literal);
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        const std::wstring_view server = ComponentAt(path, 2);
        const size_t share_start = 2 + server.size() + 1;
        const std::wstring_view share =
            share_start <= path.size() ? ComponentAt(path, share_start) : std::wstring_view();
        if (server.empty() || share.empty()) {
            return split;  // no share named
        }
        split.kind = Kind::Absolute;
        split.root = L"\\\\" + std::wstring(server) + L"\\" + std::wstring(share);
        split.rest = path.substr(share_start + share.size());
        return split;
    }
    if (path.size() >= 2 && IsLetter(path[0]) && path[1] == L':') {
        if (path.size() >= 3 && IsSeparator(path[2])) {
            split.kind = Kind::Absolute;
            split.root = std::wstring(path.substr(0, 2));
            split.root_ends_in_separator = true;
        } else {
            split.kind = Kind::DriveRelative;
            split.drive = path[0];
        }
        split.rest = path.substr(2);
        return split;
    }
    split.kind = IsSeparator(path[0]) ? Kind::RootRelative : Kind::Relative;
    split.rest = path;
    return split;
}

// Appends the components of `text` to `parts`: empty ones and "." vanish, ".." takes the
// last one back and stops at the root.
void AppendResolved(std::vector<std::wstring_view>& parts, std::wstring_view text) {
    size_t start = 0;
    while (start <= text.size()) {
        const std::wstring_view part = ComponentAt(text, start);
        if (part == L"..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start += part.size() + 1;
    }
}

std::wstring Compose(const Split& root, const std::vector<std::wstring_view>& parts) {
    std::wstring result = root.root;
    if (parts.empty() && root.root_ends_in_separator) {
        result.push_back(L'\\');
    }
    for (const std::wstring_view part : parts) {
        result.push_back(L'\\');
        result.append(part);
    }
    return result;
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

std::wstring AbsolutePathForm(const std::wstring& path, const CurrentFolders& current) {
    const Split split = SplitAtRoot(path);
    std::vector<std::wstring_view> parts;
    switch (split.kind) {
        case Kind::None:
            return std::wstring();
        case Kind::Literal:
            if (split.rest.empty() && split.root_ends_in_separator) {
                return split.root + L"\\";  // "\\?\D:" names the drive's root folder
            }
            return path;
        case Kind::Absolute:
            AppendResolved(parts, split.rest);
            return Compose(split, parts);
        default:
            break;
    }
    // Not absolute: it starts from a current folder, which must itself be absolute.
    std::wstring base;
    if (split.kind == Kind::DriveRelative) {
        base = current.of_drive ? current.of_drive(split.drive) : std::wstring();
        if (base.empty()) {
            base = {split.drive, L':', L'\\'};
        }
    } else if (current.process) {
        base = current.process();
    }
    const Split base_split = SplitAtRoot(base);
    if (base_split.kind != Kind::Absolute && base_split.kind != Kind::Literal) {
        return std::wstring();
    }
    if (split.kind != Kind::RootRelative) {
        AppendResolved(parts, base_split.rest);
    }
    AppendResolved(parts, split.rest);
    return Compose(base_split, parts);
}

std::wstring FolderKey(const std::wstring& absolute) {
    std::wstring key;
    const std::wstring_view text = absolute;
    if (text.size() >= 4 && IsSeparator(text[0]) && IsSeparator(text[1]) &&
        (text[2] == L'?' || text[2] == L'.') && IsSeparator(text[3])) {
        const std::wstring_view after = text.substr(4);
        if (after.size() >= 2 && IsLetter(after[0]) && after[1] == L':') {
            key = after;
        } else if (after.size() > 4 && StartsWithNoCase(after, L"UNC") && IsSeparator(after[3])) {
            key = L"\\\\";
            key += after.substr(4);
        } else {
            key = L"\\\\?\\";
            key += after;
        }
    } else {
        key = text;
    }
    for (wchar_t& c : key) {
        c = c == L'/' ? L'\\' : FoldCase(c);
    }
    while (!key.empty() && key.back() == L'\\') {
        key.pop_back();
    }
    return key;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path = folder;
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) {
        path.push_back(L'\\');
    }
    path += name;
    return path;
}

std::wstring RemoveFileSpec(const std::wstring& path) {
    // Position where the path is cut; a leading "\" or "\\" (UNC) is never removed.
    size_t cut = 0;
    size_t pos = 0;
    const size_t size = path.size();
    for (int lead = 0; lead < 2 && pos < size && path[pos] == L'\\'; ++lead) {
        cut = ++pos;
    }
    while (pos < size) {
        if (path[pos] == L'\\') {
            cut = pos;
        } else if (path[pos] == L':') {
            cut = ++pos;  // a drive: keep "X:" and the root backslash after it
            if (pos < size && path[pos] == L'\\') {
                ++cut;
            }
            if (pos >= size) {
                break;
            }
        }
        ++pos;
    }
    if (cut < size) {
        return path.substr(0, cut);
    }
    return path;
}

std::wstring GetParentFolder(const std::wstring& path) {
    std::wstring parent = RemoveFileSpec(path);
    return parent == path ? std::wstring() : parent;
}

std::wstring PathNamePart(const std::wstring& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const wchar_t ch = path[i];
        if ((ch == L'\\' || ch == L'/' || ch == L':') && i + 1 < path.size() &&
            path[i + 1] != L'\\' && path[i + 1] != L'/') {
            start = i + 1;
        }
    }
    return path.substr(start);
}

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

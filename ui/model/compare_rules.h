#pragma once

// The sort rules of the folder list and the file list over their row records (portable, no
// <windows.h>). Texts are derived from the records' paths at every comparison, never taken
// from the cells, so a sort always agrees with the records.

#include <cstdint>
#include <string>

#include "engine/items.h"
#include "engine/path.h"
#include "engine/text_rules.h"

namespace vantrel {

// The list's last sort: column, and direction 0 never sorted, 1 ascending, -1 descending.
struct SortState {
    int column = 0;
    int direction = 0;
};

// The extension as PathFindExtensionW finds it (from the last "." after the last "\" or
// blank), without its leading dots and in lower case.
inline std::wstring PathExtensionKey(const std::wstring& path) {
    size_t dot = std::wstring::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'\\' || path[i] == L' ') {
            dot = std::wstring::npos;
        } else if (path[i] == L'.') {
            dot = i;
        }
    }
    if (dot == std::wstring::npos) {
        return {};
    }
    size_t start = dot;
    while (start < path.size() && path[start] == L'.') {
        ++start;
    }
    return ToLowerCase(path.substr(start));
}

// Case-insensitive ordering of two texts (the C library's _wcsicmp over folded characters).
inline int CompareNoCase(const std::wstring& a, const std::wstring& b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const wchar_t x = FoldCase(a[i]);
        const wchar_t y = FoldCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T>
int CompareValues(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

inline int ApplyDirection(int result, int direction) {
    return direction < 0 ? -result : result;
}

// Folder list: column 0 the paths, column 1 (Status) the status codes.
inline int CompareFolderRecords(const FolderItem& a, const FolderItem& b, const SortState& sort) {
    if (sort.direction == 0) {
        return 0;
    }
    int result = 0;
    switch (sort.column) {
        case 0:
            result = CompareNoCase(a.path, b.path);
            break;
        case 1:
            result = CompareValues(static_cast<int>(a.status), static_cast<int>(b.status));
            break;
        default:
            break;
    }
    return ApplyDirection(result, sort.direction);
}

// The file list's columns, left to right.
enum FileColumn : int {
    kFileNameColumn = 0,
    kFileExtColumn = 1,
    kFileSizeColumn = 2,
    kFileModifiedColumn = 3,
    kFileFolderColumn = 4,
    kFileStatusColumn = 5,
};

// File list: the name, the extension, the size (a folder's negative size sorts before every
// file), the newest last-write time, the parent folder, the status code.
inline int CompareFileRecords(const FileItem& a, const FileItem& b, const SortState& sort) {
    if (sort.direction == 0) {
        return 0;
    }
    int result = 0;
    switch (sort.column) {
        case kFileNameColumn:
            result = CompareNoCase(PathNamePart(a.path), PathNamePart(b.path));
            break;
        case kFileExtColumn:
            result = CompareNoCase(PathExtensionKey(a.path), PathExtensionKey(b.path));
            break;
        case kFileSizeColumn:
            result = CompareValues<int64_t>(a.size, b.size);
            break;
        case kFileModifiedColumn:
            result = CompareValues<uint64_t>(a.modified, b.modified);
            break;
        case kFileFolderColumn:
            result = CompareNoCase(GetParentFolder(a.path), GetParentFolder(b.path));
            break;
        case kFileStatusColumn:
            result = CompareValues(static_cast<int>(a.status), static_cast<int>(b.status));
            break;
        default:
            break;
    }
    return ApplyDirection(result, sort.direction);
}

// The direction after a header click on `column` (the column then becomes the sort
// column): the first click sorts ascending, a click on the sort column reverses, a click on
// another column keeps the direction.
inline int DirectionAfterClick(const SortState& sort, int column) {
    if (sort.direction == 0) {
        return 1;
    }
    return column == sort.column ? -sort.direction : sort.direction;
}

}  // namespace vantrel

#pragma once

// The columns of the two lists: title, width at 96 DPI and alignment. One column fills what
// the others leave of the list's client width; every width follows the list's DPI.

#include <algorithm>
#include <span>
#include <vector>

#include "ui/model/dpi_scaling.h"

namespace vantrel {

inline constexpr int kFillColumn = -1;  // width: the rest of the client width
// The least width of the filling column at 96 DPI, when the others leave less.
inline constexpr int kFillColumnMinimum = 60;

struct ListColumn {
    const wchar_t* title;
    int width;  // pixels at 96 DPI, or kFillColumn
    bool right_aligned;
};

inline constexpr ListColumn kFolderListColumns[] = {
    {L"Folder", kFillColumn, false},
    {L"Status", 60, false},
};

inline constexpr ListColumn kFileListColumns[] = {
    {L"Name", 160, false},
    {L"Ext", 40, false},
    {L"Size", 72, true},
    {L"Modified", 125, false},
    {L"Folder", kFillColumn, false},
    {L"Status", 60, false},
};

// The widths of `columns` for a list whose client area is `client_width` pixels wide and
// whose vertical scroll bar is `scroll_width` pixels wide (both already at `dpi`).
inline std::vector<int> ColumnWidths(std::span<const ListColumn> columns, int client_width,
                                     int scroll_width, int dpi) {
    std::vector<int> widths;
    int fixed = 0;
    for (const ListColumn& column : columns) {
        const int width = column.width == kFillColumn ? 0 : ScaleForDpi(column.width, dpi);
        widths.push_back(width);
        fixed += width;
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].width == kFillColumn) {
            widths[i] =
                std::max(client_width - scroll_width - fixed, ScaleForDpi(kFillColumnMinimum, dpi));
        }
    }
    return widths;
}

}  // namespace vantrel

#pragma once

// Plain rules of the two lists of the main window (portable, no <windows.h>): header texts
// that count the rows, where a popup menu opens, and the busy look's control order.

#include <cstdint>
#include <string>

#include "resources/resource.h"
#include "ui/model/main_layout.h"

namespace vantrel {

// "Folder (3)" with rows, "Folder" when the list is empty.
inline std::wstring CountedHeaderText(const wchar_t* title, int rows) {
    std::wstring text = title;
    if (rows > 0) {
        text += L" (" + std::to_wstring(rows) + L")";
    }
    return text;
}

struct MenuPoint {
    int x = 0;
    int y = 0;
};

// Where a list's popup menu opens. A mouse request gives its own position; a keyboard
// request (-1, -1) opens at the centre of the first selected row's icon when that lies
// inside the list's client area (both in screen coordinates), else 5 pixels right of and
// below the client area's top-left corner.
struct MenuPositionInput {
    MenuPoint requested;
    bool has_row = false;
    LayoutRect icon;        // the row's icon rectangle, screen coordinates
    LayoutRect client;      // the list's client area, screen coordinates
    int dpi = kDefaultDpi;  // the list's; the 5-pixel offset is meant for 96 DPI
};

inline MenuPoint ChooseMenuPosition(const MenuPositionInput& in) {
    if (in.requested.x != -1 || in.requested.y != -1) {
        return in.requested;
    }
    if (in.has_row) {
        const MenuPoint centre{(in.icon.left + in.icon.right) / 2,
                               (in.icon.top + in.icon.bottom) / 2};
        if (centre.x >= in.client.left && centre.x < in.client.right && centre.y >= in.client.top &&
            centre.y < in.client.bottom) {
            return centre;
        }
    }
    const int offset = ScaleForDpi(5, in.dpi);
    return MenuPoint{in.client.left + offset, in.client.top + offset};
}

// Whether a row's bounds touch or overlap the client rectangle; rows that do not are not
// drawn at all.
inline bool RowTouchesClient(const LayoutRect& bounds, const LayoutRect& client) {
    return bounds.right >= client.left && bounds.left <= client.right &&
           bounds.bottom >= client.top && bounds.top <= client.bottom;
}

// The controls the busy look disables and the idle look enables, in this order.
inline constexpr int kRunLockedControls[] = {IDC_SCAN,
                                             IDC_CLEAN,
                                             IDC_SCAN_AND_CLEAN,
                                             IDC_FILTER_LABEL,
                                             IDC_FILTER_EDIT,
                                             IDC_KEEP_LABEL,
                                             IDC_KEEP_EDIT,
                                             IDC_OLDER_LABEL,
                                             IDC_OLDER_EDIT,
                                             IDC_OLDER_UNIT,
                                             IDC_OPTIONS_GROUP,
                                             IDC_SCAN_SUBFOLDERS,
                                             IDC_DELETE_FILES,
                                             IDC_DELETE_FOLDERS,
                                             IDC_DELETE_EMPTY_FILES,
                                             IDC_DELETE_EMPTY_FOLDERS,
                                             IDC_DELETE_READONLYS,
                                             IDC_RECYCLE_FILES,
                                             IDC_PRESET_LABEL,
                                             IDC_PRESET_COMBO};

// How long the timer's refreshes of a list pause after one that took `took_ms` to show
// (drawing included): at least a quarter of a second, so that a run shows its progress a
// few times a second while the row animation keeps its own pace, and nine times as long as
// the refresh took, so that drawing takes at most a tenth of the window's thread however
// slow the display is. Under Wine every repaint also costs the wineserver and the X server
// time, which a run's worker then waits for.
inline uint64_t RefreshPause(uint64_t took_ms) {
    return took_ms < 28 ? 250 : 9 * took_ms;
}

// The state index of an animated row: frames 0 to 4 show indices 5 to 9.
inline constexpr int kFirstAnimationStateIndex = 5;
inline int NextAnimationFrame(int frame) {
    return frame + 1 > 4 ? 0 : frame + 1;
}

}  // namespace vantrel

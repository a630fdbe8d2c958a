#pragma once

// The layout arithmetic of the main window (portable). The window measures its controls
// (client coordinates, pixels), calls ComputeMainLayout and moves what changed in one
// deferred batch. The left column keeps its x and width and moves vertically, anchored to
// the bottom edge; the folder list stretches vertically, the file list both ways above the
// one-line run summary; the toolbars sit in the 40-pixel band at the top. Every margin, gap
// and the band itself are pixels at 96 DPI and follow the window's DPI.

#include <map>

#include "resources/resource.h"
#include "ui/model/dpi_scaling.h"

namespace vantrel {

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct LayoutSize {
    int width = 0;
    int height = 0;
};

inline constexpr int kToolbarBand = 40;  // at 96 DPI
// The smallest size the frame can be dragged to, at 96 DPI.
inline constexpr int kMinimumTrackWidth = 640;
// Tall enough for the left column with the keep and age rows above a usable folder list.
inline constexpr int kMinimumTrackHeight = 560;
// The Close button is the dialog's OK command.
inline constexpr int kCloseButtonId = 1;

struct MainLayoutInput {
    LayoutRect client;
    LayoutSize menu_toolbar;             // measured once per process
    LayoutSize folder_toolbar;           // measured once per process
    std::map<int, LayoutRect> controls;  // current rectangles of the template's controls
    int dpi = kDefaultDpi;               // the window's
};

// The rectangles of one layout pass by control id (toolbars under their own ids).
inline std::map<int, LayoutRect> ComputeMainLayout(const MainLayoutInput& in) {
    std::map<int, LayoutRect> out;
    const LayoutRect& client = in.client;
    auto px = [&in](int pixels_at_96) { return ScaleForDpi(pixels_at_96, in.dpi); };
    const int band = px(kToolbarBand);
    auto current = [&in](int id) {
        auto found = in.controls.find(id);
        return found == in.controls.end() ? LayoutRect{} : found->second;
    };
    // Same x and size, new bottom edge.
    auto with_bottom = [](LayoutRect rect, int bottom) {
        const int height = rect.Height();
        rect.bottom = bottom;
        rect.top = bottom - height;
        return rect;
    };

    const int menu_top = client.top + (band - in.menu_toolbar.height) / 2;
    out[IDC_MENU_TOOLBAR] = {client.right - px(10) - in.menu_toolbar.width, menu_top,
                             client.right - px(10), menu_top + in.menu_toolbar.height};
    const int folder_top = client.top + (band - in.folder_toolbar.height) / 2;
    out[IDC_FOLDER_TOOLBAR] = {client.left + px(11), folder_top,
                               client.left + px(11) + in.folder_toolbar.width,
                               folder_top + in.folder_toolbar.height};

    const LayoutRect close = current(kCloseButtonId);
    const LayoutRect placed_close{client.right - px(10) - close.Width(),
                                  client.bottom - px(10) - close.Height(), client.right - px(10),
                                  client.bottom - px(10)};
    out[kCloseButtonId] = placed_close;
    out[IDC_STOP] = placed_close;

    const int run_width = current(IDC_SCAN_AND_CLEAN).Width();
    int right = placed_close.left - px(6);
    for (int id : {IDC_SCAN_AND_CLEAN, IDC_CLEAN, IDC_SCAN}) {
        out[id] = {right - run_width, placed_close.top, right, placed_close.bottom};
        right = right - run_width - px(6);
    }

    out[IDC_ALWAYS_ON_TOP] = with_bottom(current(IDC_ALWAYS_ON_TOP), client.bottom - px(8));
    out[IDC_AUTO_CLOSE] = with_bottom(current(IDC_AUTO_CLOSE), out[IDC_ALWAYS_ON_TOP].top - px(4));

    out[IDC_OPTIONS_GROUP] = with_bottom(current(IDC_OPTIONS_GROUP), client.bottom - px(52));
    // Inside the group, from the bottom up: (id, gap above the previous control).
    const std::pair<int, int> inside[] = {
        {IDC_RECYCLE_FILES, 12},        {IDC_DELETE_READONLYS, 4},   {IDC_SCAN_SUBFOLDERS, 4},
        {IDC_DELETE_EMPTY_FOLDERS, 16}, {IDC_DELETE_EMPTY_FILES, 4}, {IDC_DELETE_FOLDERS, 4},
        {IDC_DELETE_FILES, 4},          {IDC_OLDER_EDIT, 8},         {IDC_KEEP_EDIT, 6},
        {IDC_FILTER_EDIT, 8},           {IDC_FILTER_LABEL, 2},
    };
    int edge = out[IDC_OPTIONS_GROUP].bottom;  // the group's bottom, then each one's top
    for (const auto& [id, gap] : inside) {
        out[id] = with_bottom(current(id), edge - px(gap));
        edge = out[id].top;
    }
    // Labels on an edit's row move with it, so they stay where they sit beside it.
    const std::pair<int, int> beside[] = {
        {IDC_KEEP_LABEL, IDC_KEEP_EDIT},
        {IDC_OLDER_LABEL, IDC_OLDER_EDIT},
        {IDC_OLDER_UNIT, IDC_OLDER_EDIT},
    };
    for (const auto& [id, row] : beside) {
        const LayoutRect label = current(id);
        out[id] = with_bottom(label, label.bottom + out[row].top - current(row).top);
    }

    out[IDC_PRESET_COMBO] =
        with_bottom(current(IDC_PRESET_COMBO), out[IDC_OPTIONS_GROUP].top - px(12));
    out[IDC_PRESET_LABEL] =
        with_bottom(current(IDC_PRESET_LABEL), out[IDC_PRESET_COMBO].top - px(2));

    LayoutRect folders_label = current(IDC_FOLDERS_LABEL);
    const int label_height = folders_label.Height();
    folders_label.top = client.top + band;
    folders_label.bottom = folders_label.top + label_height;
    out[IDC_FOLDERS_LABEL] = folders_label;

    LayoutRect folder_list = current(IDC_FOLDER_LIST);
    folder_list.top = folders_label.bottom + px(2);
    folder_list.bottom = out[IDC_PRESET_LABEL].top - px(6);
    out[IDC_FOLDER_LIST] = folder_list;

    // The run's summary line ends level with the group; the file list stands on it.
    LayoutRect summary = with_bottom(current(IDC_RUN_SUMMARY), client.bottom - px(52));
    LayoutRect file_list = current(IDC_FILE_LIST);
    summary.left = file_list.left;
    summary.right = client.right - px(10);
    out[IDC_RUN_SUMMARY] = summary;
    file_list.right = client.right - px(10);
    file_list.top = client.top + band;
    file_list.bottom = summary.top - px(4);
    out[IDC_FILE_LIST] = file_list;
    return out;
}

}  // namespace vantrel

#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/row_store.h"

namespace vantrel {

// Small list-view operations shared by the folder list and the file list, both owner-data
// (virtual) lists that draw their rows from a RowStore.

int FirstSelectedRow(HWND list);
// Every selected row, top to bottom.
std::vector<int> SelectedRows(HWND list);
// Deselects every row, then selects `rows`.
void SelectOnly(HWND list, const std::vector<int>& rows);
// Copies a cell's text into the buffer the list gave with LVN_GETDISPINFOW; a text longer
// than the buffer is shown cut (the list's own buffer), never a record.
void CopyCellText(LVITEMW& item, const std::wstring& text);
// Asks the list to draw `row` again (nothing for -1).
void RedrawRow(HWND list, int row);
// Sets the state image index of an item the list asked for with LVN_GETDISPINFOW.
void SetStateImage(LVITEMW& item, int index);
// Shows popup `popup_index` of menu 200 for `list` at the WM_CONTEXTMENU position, with
// `default_command` (0 for none) in bold; owned by `owner`, which receives the command.
void ShowListPopup(HWND owner, HWND list, LPARAM position, int popup_index, int default_command);

// The rows where the records `ids` are now shown, skipping those no longer shown.
template <typename Record>
std::vector<int> RowsOf(const RowStore<Record>& store, const std::vector<RowId>& ids) {
    std::vector<int> rows;
    for (RowId id : ids) {
        if (const int row = store.PositionOf(id); row >= 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Moves the spinning state image from row `before` to row `now`: both are drawn again.
template <typename Record>
void MoveAnimatedRow(HWND list, const RowStore<Record>& store, RowId before, RowId now) {
    if (before != now) {
        RedrawRow(list, store.PositionOf(before));
    }
    RedrawRow(list, store.PositionOf(now));
}

// Removes the selected rows from the store's view order and the list.
template <typename Record>
void RemoveSelectedRows(HWND list, RowStore<Record>& store) {
    std::vector<RowId> ids;
    for (int row : SelectedRows(list)) {
        ids.push_back(store.IdAt(row));
    }
    SelectOnly(list, {});
    store.RemoveNow(ids);
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(store.Count()), 0);
    InvalidateRect(list, nullptr, FALSE);
}

// Brings an owner-data list up to date with its store: the view order takes in what the
// worker appended and drops removed rows, the list gets the new row count (its scroll bar),
// selected rows stay selected wherever they now are, the row to follow is made visible, and
// the visible rows are drawn again when anything changed. Returns what changed.
template <typename Record>
typename RowStore<Record>::Changes RefreshVirtualList(HWND list, RowStore<Record>& store) {
    // Which rows are selected, by identity, in case rows leave the order.
    std::vector<RowId> selected;
    if (store.RemovalsPending()) {
        for (int row : SelectedRows(list)) {
            selected.push_back(store.IdAt(row));
        }
    }
    const typename RowStore<Record>::Changes changes = store.Publish();
    if (list == nullptr) {
        return changes;
    }
    // The new count (and a changed selection) are set with drawing held back, so that the
    // scroll bar is drawn once for them; the list must know its new size before it can
    // scroll to the followed row. Invalidated before the scroll: a list that scrolls paints
    // at once, and then paints everything in one pass.
    if (changes.count_changed) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(store.Count()),
                     LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        if (changes.reordered && !selected.empty()) {
            SelectOnly(list, RowsOf(store, selected));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    }
    if (changes.any) {
        InvalidateRect(list, nullptr, FALSE);
    }
    if (changes.follow != kNoRow) {
        const int row = store.PositionOf(changes.follow);
        if (row >= 0) {
            SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        }
    }
    return changes;
}

// LVN_ODFINDITEMW, the list's type-ahead search: the first row from `find.iStart` on (then
// from the top when the search wraps) whose first-column text `text_of(record)` starts with
// (LVFI_PARTIAL) or equals the typed text, ignoring case; -1 when none does.
template <typename Record, typename TextOf>
int FindRowByText(const RowStore<Record>& store, const NMLVFINDITEMW& find, TextOf&& text_of) {
    const LVFINDINFOW& info = find.lvfi;
    if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || info.psz == nullptr) {
        return -1;
    }
    const std::wstring wanted = info.psz;
    const bool partial = (info.flags & LVFI_PARTIAL) != 0;
    const int count = store.Count();
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int steps = (info.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int row = (start + step) % count;
        const Record* record = store.Find(store.IdAt(row));
        if (record == nullptr) {
            continue;
        }
        std::wstring text = text_of(*record);
        if (partial && text.size() > wanted.size()) {
            text.resize(wanted.size());
        }
        if (CompareStringOrdinal(text.c_str(), static_cast<int>(text.size()), wanted.c_str(),
                                 static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
            return row;
        }
    }
    return -1;
}

// Sorts the store's view order and keeps the selection with its rows.
template <typename Record, typename Less>
void SortVirtualList(HWND list, RowStore<Record>& store, Less&& less) {
    std::vector<RowId> selected;
    for (int row : SelectedRows(list)) {
        selected.push_back(store.IdAt(row));
    }
    store.Sort(std::forward<Less>(less));
    SelectOnly(list, RowsOf(store, selected));
    InvalidateRect(list, nullptr, FALSE);
}

}  // namespace vantrel

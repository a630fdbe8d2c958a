#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/items.h"
#include "engine/row_store.h"
#include "ui/model/compare_rules.h"

namespace vantrel {

// The main window's folder list (control 1014): an owner-data list view that draws its rows
// from the window's folder row store. Folders are added on the window's thread; the worker
// writes their statuses and found counts into the store, shown on Refresh.
class CFolderList {
  public:
    using Store = RowStore<FolderItem>;

    // `folder_added` is told each folder that AddFolder adds (the picker's next start).
    void Attach(HWND list, std::function<void(const std::wstring&)> folder_added);
    HWND hwnd() const { return list_; }
    Store& Rows() { return store_; }

    // Adds one folder at the end in its absolute form (MakeAbsolute); the row index, or -1
    // for a duplicate, a text that names no folder or a failed insert.
    int AddFolder(const std::wstring& text);
    // True when a row holds the folder `path` names: compared by FolderKey of the absolute
    // forms, so "C:\x", "c:/x\" and "\\?\C:\x" are one folder.
    bool IsFolderListed(const std::wstring& path) const;
    void UpdateFolderHeader();

    // Shows what changed in the store: row count, header, followed row, repaint.
    void Refresh();

    // Rows as shown, by their place in the list.
    int RowCount() const { return store_.Count(); }
    const FolderItem* Record(int row) const { return store_.Find(store_.IdAt(row)); }
    std::vector<std::wstring> Paths() const;

    void RemoveSelected();
    void RemoveAll();
    // Opens the first selected folder in the shell's file manager when it still exists.
    void OpenFirstSelected() const;
    // The command a double-click posts: Open Folder with a selection, else Add Folder.
    int DoubleClickCommand() const;
    // Adds every dropped name that is a folder, in drop order; returns how many were added.
    int AddDropped(HDROP drop);
    // The "_FOLDERS_" popup at the position of a WM_CONTEXTMENU.
    void ShowContextMenu(HWND owner, LPARAM position) const;

    // The row being worked on, drawn with the spinning frame `frame` (kNoRow for none).
    void SetAnimated(RowId row, int frame);
    // Header click: sorts the shown order by the records.
    void Sort(const SortState& sort);
    // LVN_GETDISPINFOW: a cell's text, the row's icon and state image.
    void OnGetDispInfo(NMLVDISPINFOW& info);

  private:
    HWND list_ = nullptr;
    Store store_;
    std::vector<int> icons_;  // by RowId: each folder's icon, looked up when it is added
    RowId animated_ = kNoRow;
    int frame_ = 0;
    std::function<void(const std::wstring&)> folder_added_;
};

// The Status column text of a folder row: the running count while it is walked.
std::wstring FolderCellStatus(const FolderItem& item);

// Every name of a drop, each read with its real length.
std::vector<std::wstring> DroppedNames(HDROP drop);

}  // namespace vantrel

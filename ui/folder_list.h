#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/items.h"

namespace vantrel {

// The operations of the main window's folder list (control 1014) over its list-view
// window. Each row owns a FolderItem through its item data; OnDeleteItem releases it.
class CFolderList {
  public:
    // `folder_added` is told each folder that AddFolder adds (the picker's next start).
    void Attach(HWND list, std::function<void(const std::wstring&)> folder_added);
    HWND hwnd() const { return list_; }

    // Adds one folder at the end; the row index, or -1 for a duplicate or a failed insert.
    int AddFolder(const std::wstring& path);
    // True when a row's path equals `path` regardless of case; nothing else is normalised.
    bool IsFolderListed(const std::wstring& path) const;
    void UpdateFolderHeader();

    int RowCount() const;
    const FolderItem* Record(int row) const;
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

    // LVN_DELETEITEM: the row's record goes with its row.
    static void OnDeleteItem(const NMLISTVIEW& item);

  private:
    HWND list_ = nullptr;
    std::function<void(const std::wstring&)> folder_added_;
};

// Every name of a drop, each read with its real length.
std::vector<std::wstring> DroppedNames(HDROP drop);

}  // namespace vantrel

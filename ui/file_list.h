#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "engine/items.h"

namespace vantrel {

// The operations of the main window's file list (control 1000) over its list-view window.
// Each row owns a FileItem through its item data; OnDeleteItem releases it. AddFileItem is
// called on the worker thread: every change it makes goes through messages to the control.
class CFileList {
  public:
    void Attach(HWND list) { list_ = list; }
    HWND hwnd() const { return list_; }

    // Appends a row for a found item; 0, or -1 when the row cannot be inserted. With
    // `show_size` a file's size is written as "%s KB" (whole kilobytes, rounded down).
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes, bool show_size);
    void UpdateFileHeader();

    int RowCount() const;
    const FileItem* Record(int row) const;

    void RemoveSelected();
    void RemoveAll();
    // Opens the first selected item with its associated program.
    void OpenFirstSelected() const;
    // Shows the first selected item in the file manager: a subfolder itself, a file
    // selected in its folder.
    void OpenFirstSelectedFolder() const;
    // The command a double-click posts, 0 without a selection.
    int DoubleClickCommand() const;
    void ShowContextMenu(HWND owner, LPARAM position) const;
    // NM_CUSTOMDRAW: deleted and vanished items read grey, their Status in the list's colour.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;

    static void OnDeleteItem(const NMLISTVIEW& item);

  private:
    HWND list_ = nullptr;
};

// The Size column text of a file: "%s KB" with the grouped number of whole kilobytes.
std::wstring FileSizeText(int64_t size);

// "/select,<path>" for a file, the path itself for a subfolder.
std::wstring ExplorerParameters(const FileItem& item);

}  // namespace vantrel

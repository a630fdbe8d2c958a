#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/items.h"
#include "engine/row_store.h"
#include "ui/controls/display_helpers.h"
#include "ui/controls/icon_cache.h"
#include "ui/model/compare_rules.h"

namespace vantrel {

// The main window's file list (control 1000): an owner-data list view that draws its rows
// from the window's file row store. The worker appends found items to the store; the
// window's thread shows them on Refresh (its timer, the end of each phase). Every method
// but Rows() and the show-sizes flag runs on the window's thread.
class CFileList {
  public:
    using Store = RowStore<FileItem>;

    void Attach(HWND list) { list_ = list; }
    HWND hwnd() const { return list_; }
    Store& Rows() { return store_; }
    const Store& Rows() const { return store_; }

    // Whether rows appended from now on show their size (the store's row flag).
    void SetShowSizes(bool show) { show_sizes_.store(show, std::memory_order_relaxed); }
    bool ShowSizes() const { return show_sizes_.load(std::memory_order_relaxed); }
    // Reads the locale's number display once; sizes are formatted with it when drawn.
    void ReadNumberFormat() { number_format_ = UserNumberFormat(); }

    // Appends a row for a found item (any thread); 0, or -1 when it cannot be stored.
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                    size_t root_length = 0, uint64_t modified = 0);
    // Shows what changed in the store: row count, header, followed row, repaint. A refresh
    // that is not `forced` is skipped while the list is still within its pause after the
    // last one (see RefreshPause).
    void Refresh(bool forced = true);
    void UpdateFileHeader();

    // Rows as shown, by their place in the list.
    int RowCount() const { return store_.Count(); }
    const FileItem* Record(int row) const { return store_.Find(store_.IdAt(row)); }
    // The row's record fields, read under the store's lock; false for no row.
    bool RowState(int row, FileItem& copy) const;
    // Every row from top to bottom with its status, kind, size and path.
    std::vector<FileItem> ShownRows() const;

    // The row being worked on, drawn with the spinning frame `frame` (kNoRow for none).
    void SetAnimated(RowId row, int frame);
    // Header click: sorts the shown order by the records.
    void Sort(const SortState& sort);

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
    // LVN_GETDISPINFOW: a cell's text, the row's icon and state image.
    void OnGetDispInfo(NMLVDISPINFOW& info);
    // LVN_GETINFOTIPW: a "Failed" row's tip says why; other rows keep the list's own tip.
    void OnGetInfoTip(NMLVGETINFOTIPW& tip) const;

  private:
    HWND list_ = nullptr;
    Store store_;
    std::atomic<bool> show_sizes_{true};
    NumberFormatValues number_format_;
    CIconCache icons_;
    RowId animated_ = kNoRow;
    int frame_ = 0;
    uint64_t next_refresh_ms_ = 0;  // GetTickCount64 time before which a timed refresh waits
};

// The Size column text of a file: "%s KB" with the grouped number of whole kilobytes.
std::wstring FileSizeText(int64_t size);
std::wstring FileSizeText(int64_t size, const NumberFormatValues& format);

// The text of a file row's cell in `column` (FileColumn); the size only when `show_size`.
std::wstring FileCellText(const FileItem& item, int column, bool show_size,
                          const NumberFormatValues& format);

// The info tip of a row that ended "Failed" with a reason: its path, then "Failed: " and
// the reason on a line of its own. Empty for every other row.
std::wstring FileInfoTipText(const FileItem& item);

// "/select,<path>" for a file, the path itself for a subfolder.
std::wstring ExplorerParameters(const FileItem& item);

// The state image index a row shows: the spinning frame while it is the row being worked
// on and has no outcome yet, else its status's image.
int ShownStateIndex(ItemStatus status, bool animated, int frame);

}  // namespace vantrel

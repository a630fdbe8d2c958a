#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/items.h"
#include "engine/row_store.h"

namespace vantrel {

// Control and timer ids the run phases use on the main window.
inline constexpr int kScanButtonId = 1032;
inline constexpr int kCleanButtonId = 1033;
inline constexpr int kScanTimerId = 1;
inline constexpr int kCleanTimerId = 2;
inline constexpr unsigned kRowTimerPeriodMs = 100;

// What a scan or a clean needs of the main window's folder list and file list.
//
// Rows are addressed by identity (RowId), never by their place in the list: the user may
// sort a list while a run works through it, which moves rows but never changes which row an
// id names. The worker calls these; the main window keeps its rows in row stores that the
// worker writes directly (one short lock, no window message per row) and shows what changed
// on its refresh timer. The engine reads the records returned by FolderRecord/FileRecord
// directly (path, size, attributes, which never change) and never writes them: a record's
// status and found count are stored by the calls below. No row may be removed by the window
// while a run is in progress; the only removal during a run is RemoveFileRow, called by the
// worker itself.
class RunView {
  public:
    virtual ~RunView() = default;

    // --- folder list ---
    // The folder rows from top to bottom as the list shows them now.
    virtual std::vector<RowId> FolderRows() = 0;
    // The row's record, or nullptr for an unknown row.
    virtual const FolderItem* FolderRecord(RowId row) = 0;
    // Stores `status` in the row's record and shows it with the state image `state_index`
    // and the text of the Status column (1); `reason` is stored in the record
    // (FolderItem::reason): why the folder's scan failed, empty otherwise.
    virtual void SetFolderStatus(RowId row, ItemStatus status, int state_index,
                                 const std::wstring& text, const std::wstring& reason) = 0;
    // Stores `found_count` in the row's record; when `text` is not null, the Status column
    // shows it (the running count shown while a folder is walked).
    virtual void SetFolderFoundCount(RowId row, int32_t found_count, const wchar_t* text) = 0;
    virtual void EnsureFolderVisible(RowId row) = 0;

    // --- file list ---
    // The file rows from top to bottom as the list shows them now.
    virtual std::vector<RowId> FileRows() = 0;
    virtual const FileItem* FileRecord(RowId row) = 0;
    // Appends a row for a found item with a new FileItem {path, size, attributes, None}
    // found under the chosen folder of `root_length` characters (FileItem::root_length),
    // makes it visible; 0 on success, -1 when the row cannot be added.
    virtual int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                            size_t root_length) = 0;
    // As SetFolderStatus, on the file list's Status column (4); `reason` is stored in the
    // record (FileItem::reason): why a "Failed" item failed, empty otherwise.
    virtual void SetFileStatus(RowId row, ItemStatus status, int state_index,
                               const std::wstring& text, const std::wstring& reason) = 0;
    virtual void EnsureFileVisible(RowId row) = 0;
    // Takes the row out of the list (the name-column header then counts one row less).
    virtual void RemoveFileRow(RowId row) = 0;

    // --- window state ---
    // The current AutoRemoveDeleted setting; the clean asks again for every row.
    virtual bool AutoRemoveDeleted() = 0;
    // Yes/No message box with the stop icon, Yes the default button, modal to the main
    // window and titled with the application's title. True only for Yes.
    virtual bool ConfirmAllPattern(const std::wstring& text) = 0;
    virtual void SetButtonText(int control_id, const wchar_t* text) = 0;
    // Timers on the main window; their handler animates the current row and refreshes the
    // lists. Stopping a phase's timer also shows everything the phase changed.
    virtual void StartTimer(int timer_id, unsigned period_ms) = 0;
    virtual void StopTimer(int timer_id) = 0;
};

// Sets a folder row's status with its state image and text; Done shows `found_count`.
void SetFolderStatus(RunView& view, RowId row, ItemStatus status, int32_t found_count = 0,
                     const std::wstring& reason = {});
// Sets a file row's status with its state image and text.
void SetFileStatus(RunView& view, RowId row, ItemStatus status, const std::wstring& reason = {});

}  // namespace vantrel

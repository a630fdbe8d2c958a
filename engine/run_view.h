#pragma once

#include <cstdint>
#include <string>

#include "engine/items.h"

namespace vantrel {

// Control and timer ids the run phases use on the main window.
inline constexpr int kScanButtonId = 1032;
inline constexpr int kCleanButtonId = 1033;
inline constexpr int kScanTimerId = 1;
inline constexpr int kCleanTimerId = 2;
inline constexpr unsigned kRowTimerPeriodMs = 100;

// What a scan or a clean needs of the main window's folder list and file list.
//
// The worker thread calls these; the main window implements each one with synchronous
// messages, so every change of a control or of a row's record happens on the window's
// thread. The engine reads the records returned by FolderRecord/FileRecord directly (path,
// size, attributes) and never writes them: a record's status and found count are stored by
// the calls below. No row may be removed by the window while a run is in progress; the only
// removal during a run is RemoveFileRow, called by the worker itself.
class RunView {
  public:
    virtual ~RunView() = default;

    // --- folder list ---
    virtual int FolderRowCount() = 0;
    // The row's record, or nullptr for a row index out of range.
    virtual const FolderItem* FolderRecord(int row) = 0;
    // Stores `status` in the row's record, sets the row's state image to `state_index`,
    // sets the text of the Status column (1) and redraws the row, in that order.
    virtual void SetFolderStatus(int row, ItemStatus status, int state_index,
                                 const std::wstring& text) = 0;
    // Stores `found_count` in the row's record; when `text` is not null, also sets it as
    // the text of the Status column (the running count shown while a folder is walked).
    virtual void SetFolderFoundCount(int row, int32_t found_count, const wchar_t* text) = 0;
    virtual void EnsureFolderVisible(int row) = 0;

    // --- file list ---
    virtual int FileRowCount() = 0;
    virtual const FileItem* FileRecord(int row) = 0;
    // Appends a row for a found item with a new FileItem {path, size, attributes, None},
    // makes it visible; 0 on success, -1 when the row cannot be inserted.
    virtual int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes) = 0;
    // As SetFolderStatus, on the file list's Status column (4).
    virtual void SetFileStatus(int row, ItemStatus status, int state_index,
                               const std::wstring& text) = 0;
    virtual void EnsureFileVisible(int row) = 0;
    // Deletes the row (its record is released) and updates the name-column header.
    virtual void RemoveFileRow(int row) = 0;

    // --- window state ---
    // The current AutoRemoveDeleted setting; the clean asks again for every row.
    virtual bool AutoRemoveDeleted() = 0;
    // Yes/No message box with the stop icon, Yes the default button, modal to the main
    // window and titled with the application's title. True only for Yes.
    virtual bool ConfirmAllPattern(const std::wstring& text) = 0;
    virtual void SetButtonText(int control_id, const wchar_t* text) = 0;
    // Timers on the main window; their handler animates the current row.
    virtual void StartTimer(int timer_id, unsigned period_ms) = 0;
    virtual void StopTimer(int timer_id) = 0;
};

// Sets a folder row's status with its state image and text; Done shows `found_count`.
void SetFolderStatus(RunView& view, int row, ItemStatus status, int32_t found_count = 0);
// Sets a file row's status with its state image and text.
void SetFileStatus(RunView& view, int row, ItemStatus status);

}  // namespace vantrel

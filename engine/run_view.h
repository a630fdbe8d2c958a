#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/items.h"
#include "engine/row_store.h"

namespace vantrel {

// The two phases of a run; Scan & Clean runs one after the other.
enum class RunPhase { Scan, Clean };

// What a scan or a clean reports to, and needs of, the main window's folder list and file
// list. The engine reports events (a phase started or ended, an item added, a row's status
// or count set); the window alone decides how they look: button texts, timers, state
// images, status and count texts.
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

    // --- the run ---
    // A phase begins, before its first row is touched; the window shows it busy.
    virtual void PhaseStarted(RunPhase phase) = 0;
    // A phase has ended, after its last row: the window shows everything the phase changed.
    virtual void PhaseEnded(RunPhase phase) = 0;

    // --- folder list ---
    // The folder rows from top to bottom as the list shows them now.
    virtual std::vector<RowId> FolderRows() = 0;
    // The row's record, or nullptr for an unknown row.
    virtual const FolderItem* FolderRecord(RowId row) = 0;
    // Stores `status` in the row's record, and `reason` (FolderItem::reason): why the
    // folder's scan failed, empty otherwise.
    virtual void SetFolderStatus(RowId row, ItemStatus status, const std::wstring& reason) = 0;
    // Stores `found_count` in the row's record: the running count while the folder is
    // walked, then its total.
    virtual void SetFolderFoundCount(RowId row, int32_t found_count) = 0;
    // Stores `held_back_count` in the row's record (FolderItem::held_back_count): the items
    // the folder's scan left out because they changed too recently.
    virtual void SetFolderHeldBack(RowId row, int32_t held_back_count) = 0;
    virtual void EnsureFolderVisible(RowId row) = 0;

    // --- file list ---
    // The file rows from top to bottom as the list shows them now.
    virtual std::vector<RowId> FileRows() = 0;
    virtual const FileItem* FileRecord(RowId row) = 0;
    // Appends a row for a found item with a new FileItem {path, size, attributes, None}
    // found under the chosen folder of `root_length` characters (FileItem::root_length),
    // last written at `modified` (FileItem::modified), makes it visible; 0 on success, -1
    // when the row cannot be added.
    virtual int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                            size_t root_length, uint64_t modified) = 0;
    // Stores `status` in the row's record, and `reason` (FileItem::reason): why a "Failed"
    // item failed, empty otherwise.
    virtual void SetFileStatus(RowId row, ItemStatus status, const std::wstring& reason) = 0;
    virtual void EnsureFileVisible(RowId row) = 0;
    // Takes the row out of the list (the name-column header then counts one row less).
    virtual void RemoveFileRow(RowId row) = 0;

    // --- window state ---
    // The current AutoRemoveDeleted setting; the clean asks again for every row.
    virtual bool AutoRemoveDeleted() = 0;
    // Yes/No message box with the stop icon, Yes the default button, modal to the main
    // window and titled with the application's title. True only for Yes.
    virtual bool ConfirmAllPattern(const std::wstring& text) = 0;
};

}  // namespace vantrel

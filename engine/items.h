#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

// Windows file attribute bits the engine decides by (same values as FILE_ATTRIBUTE_*).
inline constexpr uint32_t kAttributeReadOnly = 0x0001;
inline constexpr uint32_t kAttributeHidden = 0x0002;
inline constexpr uint32_t kAttributeSystem = 0x0004;
inline constexpr uint32_t kAttributeDirectory = 0x0010;
inline constexpr uint32_t kAttributeArchive = 0x0020;
inline constexpr uint32_t kAttributeReparsePoint = 0x0400;
// What an attribute query gives for a path that cannot be read (INVALID_FILE_ATTRIBUTES).
inline constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// Progress and outcome of a row, shown in the Status columns of both lists.
enum class ItemStatus : int32_t {
    None = 0,
    InProgress = 1,
    Done = 10,
    NotExists = 20,
    Declined = 21,
    Failed = 40,
    ReadOnly = 41,
};

// The record behind a folder-list row.
struct FolderItem {
    std::wstring path;
    int32_t found_count = 0;
    ItemStatus status = ItemStatus::None;
    // Why the scan of the folder ended "Failed", in words; empty otherwise.
    std::wstring reason;
    // Items the scan would have listed but left because they changed too recently.
    int32_t held_back_count = 0;
};

// The record behind a file-list row. Folders carry kAttributeDirectory; a matched folder's
// size is the total of the file sizes inside it, an empty folder's is -1.
struct FileItem {
    std::wstring path;
    int64_t size = -1;
    uint32_t attributes = 0;
    ItemStatus status = ItemStatus::None;
    // Why the item ended "Failed", in words (the system's message or our own refusal);
    // empty for every other outcome.
    std::wstring reason;
    // How many characters at the start of `path` name the chosen folder the item was found
    // under: the clean checks every folder from there down to the item. 0 when unknown.
    size_t root_length = 0;
    // The newest last-write time of the item (for a folder: of itself and everything in
    // it), in FILETIME units (100 ns since 1601-01-01 UTC); 0 when unknown.
    uint64_t modified = 0;

    bool IsFolder() const { return (attributes & kAttributeDirectory) != 0; }
    // A folder listed because it was empty, not because its name matched.
    bool IsEmptyFolder() const { return IsFolder() && size < 0; }
    bool IsReadOnly() const { return (attributes & kAttributeReadOnly) != 0; }
};

// Outcome of scanning one folder of the folder list.
// Failed: the folder, or a folder in it, could not be read (what could be read is listed).
enum class ScanResult : int32_t { Ok = 0, FolderMissing = 1, Declined = 2, Failed = 3 };

// Outcome of deleting one item.
enum DeleteResult : int32_t { DeleteOk = 0, DeleteMissing = 1, DeleteFailed = -1 };

// The word for an outcome: the Status column of a file row shows it, and a report writes it
// ("Deleted", "Failed", ...); empty for None and Declined.
std::wstring FileStatusText(ItemStatus status);

// "." and ".." directory entries, which every walk skips.
bool IsDotEntry(const std::wstring& name, uint32_t attributes);

}  // namespace vantrel

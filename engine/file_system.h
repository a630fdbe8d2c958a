#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

// Error codes the engine tells apart. The values are those of the Windows system error
// codes, so a backend passes the system's code through unchanged.
inline constexpr uint32_t kErrorNone = 0;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorDirNotEmpty = 145;
inline constexpr uint32_t kErrorNotAFolder = 267;  // "The directory name is invalid."
// The engine's own refusals. Windows leaves the codes with bit 29 set to applications, so
// none of these is ever a system error.
inline constexpr uint32_t kErrorLinkOnPath = 0x20000001;     // a folder on the path is a link
inline constexpr uint32_t kErrorCannotRecycle = 0x20000002;  // the shell would delete for good
inline constexpr uint32_t kErrorNoLongerEmpty = 0x20000003;
inline constexpr uint32_t kErrorHoldsLink = 0x20000004;     // refused for the Recycle Bin
inline constexpr uint32_t kErrorKindChanged = 0x20000005;   // a file became a folder or back
inline constexpr uint32_t kErrorStopped = 0x20000006;       // cut short by Stop
inline constexpr uint32_t kErrorChosenIsLink = 0x20000007;  // a chosen folder is a link
inline constexpr uint32_t kErrorHoldsKept = 0x20000008;     // a kept item lies inside

// Only these two mean that the item is not there; every other error is a failure.
inline bool IsNotFoundError(uint32_t code) {
    return code == kErrorFileNotFound || code == kErrorPathNotFound;
}

// One entry of a folder listing, as the listing reported it.
struct DirEntry {
    std::wstring name;  // name only, no folder part
    int64_t size = 0;   // all 64 bits of the size
    uint32_t attributes = 0;
    uint64_t last_write = 0;  // FILETIME units (100 ns since 1601-01-01 UTC); 0 when unknown
};

// An open folder listing. Entries come in the order the file system delivers them.
// Destroying the listing closes it; that is how a walk stops early.
class FolderListing {
  public:
    enum class State { Reading, Complete, Failed };

    virtual ~FolderListing() = default;
    // The next entry; false at the end of the listing or when reading failed.
    virtual bool Next(DirEntry& entry) = 0;
    // Complete once Next has given false at the true end; Failed when it gave false
    // because of an error, so the folder may hold entries that were never delivered.
    virtual State GetState() const = 0;
    // The system error that ended the listing early (State::Failed), else kErrorNone.
    virtual uint32_t Error() const = 0;
};

// What the scan and the clean need of the file system. Paths are full paths as the folder
// list and the listings give them; a backend may rewrite them (long-path form) internally.
// Nothing here follows a folder link on its own: a link is listed as an entry, and the
// operations on a link's own path act on the link.
//
// An operation that fails leaves its error code for LastError; a backend is used by one
// thread at a time.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The error code of the last operation that failed (kErrorNone when it is unknown).
    virtual uint32_t LastError() const = 0;
    // The system's message for a system error code, in one line.
    virtual std::wstring ErrorText(uint32_t code) = 0;

    // Held folders: the folders of a path, each held open on top of the ones already held,
    // so that while held none of them can be renamed, moved away or replaced by a link, and
    // a path through them reaches what was checked. HoldFolder checks that `folder` is a
    // real folder, not a link, and holds it: kErrorNone; kErrorLinkOnPath when it is a link
    // or another kind of item, or the system's error; nothing is held on failure.
    virtual uint32_t HoldFolder(const std::wstring& folder) = 0;
    virtual size_t HeldFolderCount() const = 0;
    // Lets go of the most recently held folders until `keep` are held.
    virtual void ReleaseFolders(size_t keep) = 0;

    virtual bool Exists(const std::wstring& path) = 0;
    virtual bool IsDirectory(const std::wstring& path) = 0;
    // kInvalidAttributes when the path cannot be read.
    virtual uint32_t GetAttributes(const std::wstring& path) = 0;
    virtual bool SetAttributes(const std::wstring& path, uint32_t attributes) = 0;
    // The entries of a folder, "." and ".." included where the file system has them;
    // nullptr when the listing cannot be opened. An empty path never opens.
    virtual std::unique_ptr<FolderListing> OpenListing(const std::wstring& folder) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Removes an empty folder, or a folder link as a link.
    virtual bool RemoveEmptyFolder(const std::wstring& path) = 0;
    // Sends one file or folder (with its content) to the Recycle Bin, silently; true only
    // when the whole operation succeeded. Never deletes permanently instead: an item the
    // Recycle Bin would not take fails with kErrorCannotRecycle and stays.
    virtual bool Recycle(const std::wstring& path) = 0;
};

}  // namespace vantrel

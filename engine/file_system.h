#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

// One entry of a folder listing, as the listing reported it.
struct DirEntry {
    std::wstring name;  // name only, no folder part
    int64_t size = 0;   // all 64 bits of the size
    uint32_t attributes = 0;
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
};

// What the scan and the clean need of the file system. Paths are full paths as the folder
// list and the listings give them; a backend may rewrite them (long-path form) internally.
// Nothing here follows a folder link on its own: a link is listed as an entry, and the
// operations on a link's own path act on the link.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

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
    // when the whole operation succeeded. Never deletes permanently instead.
    virtual bool Recycle(const std::wstring& path) = 0;
};

}  // namespace vantrel

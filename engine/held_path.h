#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_system.h"

namespace vantrel {

// The end of every folder from the chosen folder (the first `root_length` characters of
// `item_path`) down to the item's parent, each as a length of `item_path`, outermost first.
// Empty when the item is the chosen folder itself. When `root_length` does not mark a
// folder of the path (an item not listed by a scan), only the parent is given.
std::vector<size_t> FolderEndsBelowRoot(const std::wstring& item_path, size_t root_length);

// Keeps the folders of an item's path held (FileSystem::HoldFolder) from its chosen folder
// down to its parent, so that a folder swapped for a link after the scan is seen before
// anything is deleted through it, and none can be swapped while the item is deleted. Items
// come in walk order: the folders the previous item shares are kept, only the rest is
// opened. Everything is let go when the object ends.
class HeldPath {
  public:
    explicit HeldPath(FileSystem& fs) : fs_(fs), base_(fs.HeldFolderCount()) {}
    ~HeldPath() { fs_.ReleaseFolders(base_); }
    HeldPath(const HeldPath&) = delete;
    HeldPath& operator=(const HeldPath&) = delete;

    // Holds the folders above `item_path`: kErrorNone, or the error of the first folder that
    // could not be held (kErrorLinkOnPath for a link); folders below it are then not held.
    uint32_t HoldFor(const std::wstring& item_path, size_t root_length);
    void Release();

  private:
    FileSystem& fs_;
    size_t base_;
    std::vector<std::wstring> held_;
};

}  // namespace vantrel

#pragma once

// A lean in-memory FileSystem for benchmarks: folders hold their entries in listing
// order, files are a set of paths, so the cost measured is the engine's own.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/file_system.h"
#include "engine/items.h"
#include "engine/path.h"

namespace vantrel::bench {

class MemoryTree : public FileSystem {
  public:
    void AddFolder(const std::wstring& parent, const std::wstring& name) {
        const std::wstring path = JoinPath(parent, name);
        folders_[path];
        if (!parent.empty()) {
            folders_[parent].push_back(DirEntry{name, 0, kAttributeDirectory});
        }
    }
    void AddRoot(const std::wstring& path) { folders_[path]; }
    void AddFile(const std::wstring& parent, const std::wstring& name, int64_t size) {
        folders_[parent].push_back(DirEntry{name, size, kAttributeArchive});
        files_.insert(JoinPath(parent, name));
    }
    size_t FileCount() const { return files_.size(); }

    uint32_t LastError() const override { return kErrorFileNotFound; }
    std::wstring ErrorText(uint32_t) override { return std::wstring(); }
    uint32_t HoldFolder(const std::wstring& folder) override {
        if (folders_.count(folder) == 0) {
            return kErrorPathNotFound;
        }
        ++held_;
        return kErrorNone;
    }
    size_t HeldFolderCount() const override { return held_; }
    void ReleaseFolders(size_t keep) override { held_ = keep < held_ ? keep : held_; }

    bool Exists(const std::wstring& path) override {
        return folders_.count(path) != 0 || files_.count(path) != 0;
    }
    bool IsDirectory(const std::wstring& path) override { return folders_.count(path) != 0; }
    uint32_t GetAttributes(const std::wstring& path) override {
        if (folders_.count(path) != 0) {
            return kAttributeDirectory;
        }
        return files_.count(path) != 0 ? kAttributeArchive : kInvalidAttributes;
    }
    bool SetAttributes(const std::wstring&, uint32_t) override { return true; }
    std::unique_ptr<FolderListing> OpenListing(const std::wstring& folder) override {
        auto it = folders_.find(folder);
        if (it == folders_.end()) {
            return nullptr;
        }
        return std::make_unique<Listing>(it->second);
    }
    bool RemoveFile(const std::wstring& path) override { return files_.erase(path) != 0; }
    bool RemoveEmptyFolder(const std::wstring& path) override { return folders_.erase(path) != 0; }
    bool Recycle(const std::wstring&) override { return false; }

  private:
    class Listing : public FolderListing {
      public:
        explicit Listing(const std::vector<DirEntry>& entries) : entries_(entries) {}
        bool Next(DirEntry& entry) override {
            if (index_ >= entries_.size()) {
                return false;
            }
            const DirEntry& next = entries_[index_++];
            entry.name.assign(next.name);
            entry.size = next.size;
            entry.attributes = next.attributes;
            return true;
        }
        State GetState() const override {
            return index_ >= entries_.size() ? State::Complete : State::Reading;
        }
        uint32_t Error() const override { return kErrorNone; }

      private:
        const std::vector<DirEntry>& entries_;
        size_t index_ = 0;
    };

    std::unordered_map<std::wstring, std::vector<DirEntry>> folders_;
    std::unordered_set<std::wstring> files_;
    size_t held_ = 0;
};

// 100,000 files in 1,000 leaf folders (10 x 10 x 10 below the root, 100 files each);
// every other file matches "*.obj".
inline void BuildStandardTree(MemoryTree& tree, const std::wstring& root, int files_per_folder) {
    tree.AddRoot(root);
    for (int a = 0; a < 10; ++a) {
        const std::wstring pa = JoinPath(root, L"project_" + std::to_wstring(a));
        tree.AddFolder(root, L"project_" + std::to_wstring(a));
        for (int b = 0; b < 10; ++b) {
            const std::wstring pb = JoinPath(pa, L"module_" + std::to_wstring(b));
            tree.AddFolder(pa, L"module_" + std::to_wstring(b));
            for (int c = 0; c < 10; ++c) {
                const std::wstring name = L"Debug_" + std::to_wstring(c);
                tree.AddFolder(pb, name);
                const std::wstring pc = JoinPath(pb, name);
                for (int f = 0; f < files_per_folder; ++f) {
                    tree.AddFile(pc,
                                 L"source_file_" + std::to_wstring(f) + (f % 2 ? L".cpp" : L".obj"),
                                 1000 + f);
                }
            }
        }
    }
}

}  // namespace vantrel::bench

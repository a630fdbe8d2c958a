#pragma once

// An in-memory FileSystem for the engine's tests: a tree of folders, files and folder
// links, listed in the order entries were added, with failures that tests inject.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/file_system.h"
#include "engine/items.h"

namespace vantrel::testing {

class FakeFileSystem : public FileSystem {
  public:
    struct Node {
        bool folder = false;
        int64_t size = 0;
        uint32_t attributes = 0;   // without the directory and reparse bits
        std::wstring link_target;  // a folder link when not empty
        uint64_t last_write = 0;   // FILETIME units; 0 is unknown
        bool operator==(const Node&) const = default;
    };

    // --- building the tree (parents are created as needed) ---
    void AddFolder(const std::wstring& path, uint32_t attributes = 0) {
        Add(path, Node{true, 0, attributes, {}, new_item_time});
    }
    void AddFile(const std::wstring& path, int64_t size = 1, uint32_t attributes = 0x20) {
        Add(path, Node{false, size, attributes, {}, new_item_time});
    }
    void AddLink(const std::wstring& path, const std::wstring& target) {
        Add(path, Node{true, 0, 0, target, new_item_time});
    }
    // Sets an item's last-write time, as SetFileTime would.
    void SetTime(const std::wstring& path, uint64_t last_write) {
        nodes_.at(path).last_write = last_write;
    }
    uint64_t new_item_time = 1;  // the last-write time of items added from now on

    // Takes an item away with everything below it, as another program would.
    void RemoveTree(const std::wstring& path) {
        if (Has(path)) {
            EraseTree(path);
        }
    }
    // Copies an item with everything below it (links as links) to a new path.
    void CopyTree(const std::wstring& from, const std::wstring& to) {
        if (!Has(from)) {
            return;
        }
        std::vector<std::pair<std::wstring, Node>> copied;
        Collect(from, to, copied);
        for (const auto& [path, node] : copied) {
            Add(path, node);
        }
    }
    // Renames an item with everything below it, as another program would.
    void Rename(const std::wstring& from, const std::wstring& to) {
        if (!Has(from)) {
            return;
        }
        std::vector<std::pair<std::wstring, Node>> moved;
        Collect(from, to, moved);
        EraseTree(from);
        for (const auto& [path, node] : moved) {
            Add(path, node);
        }
    }

    bool Has(const std::wstring& path) const { return nodes_.count(path) != 0; }
    const std::map<std::wstring, Node>& Nodes() const { return nodes_; }

    // --- injected behaviour ---
    uint32_t injected_error = kErrorAccessDenied;      // the error of every injected failure
    std::map<std::wstring, uint32_t> fail_attributes;  // GetAttributes fails with the code
    std::set<std::wstring> no_recycle_bin;             // items below these cannot go to the bin
    std::set<std::wstring> fail_remove;                // RemoveFile / RemoveEmptyFolder fail
    std::set<std::wstring> fail_set_attributes;        // SetAttributes fails
    std::set<std::wstring> fail_open;                  // OpenListing gives nullptr
    std::set<std::wstring> fail_recycle;               // Recycle fails, nothing changes
    std::map<std::wstring, int> fail_listing_after;    // listing fails after N entries
    bool link_removal_fails = false;  // as under Wine: a Unix symlink cannot be removed
    bool list_dot_entries = true;     // "." and ".." first, as NTFS lists them
    // Called before each entry is delivered, with the folder listed and the entry's name.
    std::function<void(const std::wstring&, const std::wstring&)> on_entry;

    // --- what happened ---
    std::vector<std::wstring> removed;   // paths removed permanently, in order
    std::vector<std::wstring> recycled;  // paths sent to the Recycle Bin, in order
    std::vector<std::wstring> listed;    // folders whose listing was opened (resolved)
    int open_listings = 0;               // listings not yet destroyed
    std::vector<std::wstring> held;      // folders held now, outermost first
    int holds = 0;                       // HoldFolder calls that held a folder

    // --- FileSystem ---
    uint32_t LastError() const override { return last_error_; }
    std::wstring ErrorText(uint32_t code) override {
        return L"System error " + std::to_wstring(code);
    }
    uint32_t HoldFolder(const std::wstring& folder) override {
        const Node* node = Find(folder);
        if (node == nullptr) {
            return Has(ParentOf(Resolve(folder))) ? kErrorFileNotFound : kErrorPathNotFound;
        }
        if (!node->link_target.empty()) {
            return kErrorLinkOnPath;
        }
        if (!node->folder) {
            return kErrorNotAFolder;
        }
        held.push_back(Resolve(folder));
        ++holds;
        return kErrorNone;
    }
    size_t HeldFolderCount() const override { return held.size(); }
    void ReleaseFolders(size_t keep) override {
        if (held.size() > keep) {
            held.resize(keep);
        }
    }

    bool Exists(const std::wstring& path) override { return Find(path) != nullptr; }
    bool IsDirectory(const std::wstring& path) override {
        const Node* node = Find(path);
        return node != nullptr && node->folder;
    }
    uint32_t GetAttributes(const std::wstring& path) override {
        auto failure = fail_attributes.find(path);
        if (failure != fail_attributes.end()) {
            return Fail(kInvalidAttributes, failure->second);
        }
        const Node* node = Find(path);
        if (node == nullptr) {
            return Fail(kInvalidAttributes, MissingError(path));
        }
        return AttributesOf(*node);
    }
    bool SetAttributes(const std::wstring& path, uint32_t attributes) override {
        Node* node = Find(path);
        if (node == nullptr) {
            return Fail(false, MissingError(path));
        }
        if (fail_set_attributes.count(path) != 0) {
            return Fail(false, injected_error);
        }
        node->attributes = attributes & ~(kAttributeDirectory | kAttributeReparsePoint);
        return true;
    }
    std::unique_ptr<FolderListing> OpenListing(const std::wstring& folder) override;
    bool RemoveFile(const std::wstring& path) override {
        const std::wstring real = Resolve(path);
        auto it = nodes_.find(real);
        if (it == nodes_.end()) {
            return Fail(false, MissingError(path));
        }
        if (fail_remove.count(path) != 0) {
            return Fail(false, injected_error);
        }
        if (it->second.folder || (it->second.attributes & kAttributeReadOnly) != 0) {
            return Fail(false, kErrorAccessDenied);
        }
        Erase(real);
        removed.push_back(path);
        return true;
    }
    bool RemoveEmptyFolder(const std::wstring& path) override {
        const std::wstring real = Resolve(path);
        auto it = nodes_.find(real);
        if (it == nodes_.end()) {
            return Fail(false, MissingError(path));
        }
        if (!it->second.folder) {
            return Fail(false, kErrorNotAFolder);
        }
        if (fail_remove.count(path) != 0) {
            return Fail(false, injected_error);
        }
        for (const std::wstring& folder : held) {
            if (folder == real) {
                return Fail(false, 32);  // a held folder cannot be removed (sharing violation)
            }
        }
        if (!it->second.link_target.empty()) {
            if (link_removal_fails) {
                return Fail(false, kErrorAccessDenied);
            }
        } else if (!children_[real].empty()) {
            return Fail(false, kErrorDirNotEmpty);
        } else if ((it->second.attributes & kAttributeReadOnly) != 0) {
            return Fail(false, kErrorAccessDenied);
        }
        Erase(real);
        removed.push_back(path);
        return true;
    }
    bool Recycle(const std::wstring& path) override {
        const std::wstring real = Resolve(path);
        if (nodes_.count(real) == 0) {
            return Fail(false, MissingError(path));
        }
        for (const std::wstring& drive : no_recycle_bin) {
            if (path.rfind(drive, 0) == 0) {
                return Fail(false, kErrorCannotRecycle);  // refused, never deleted for good
            }
        }
        if (fail_recycle.count(path) != 0) {
            return Fail(false, injected_error);
        }
        EraseTree(real);
        recycled.push_back(path);
        return true;
    }

    // The node a path names, following links met on the way (not a link at its end).
    std::wstring Resolve(const std::wstring& path) const {
        std::wstring result = path;
        for (int hops = 0; hops < 16; ++hops) {
            bool changed = false;
            for (const auto& [link, target] : links_) {
                const std::wstring prefix = link + L"\\";
                if (result.rfind(prefix, 0) == 0) {
                    result = target + result.substr(link.size());
                    changed = true;
                    break;
                }
            }
            if (!changed) {
                break;
            }
        }
        return result;
    }

    static uint32_t AttributesOf(const Node& node) {
        uint32_t attributes = node.attributes;
        if (node.folder) {
            attributes |= kAttributeDirectory;
        }
        if (!node.link_target.empty()) {
            attributes |= kAttributeReparsePoint;
        }
        return attributes;
    }

  private:
    class Listing;

    template <typename T>
    T Fail(T result, uint32_t code) {
        last_error_ = code;
        return result;
    }
    // Not found: the item alone is missing, or already a folder on its path.
    uint32_t MissingError(const std::wstring& path) const {
        return nodes_.count(Resolve(ParentOf(path))) != 0 ? kErrorFileNotFound : kErrorPathNotFound;
    }
    void Collect(const std::wstring& from, const std::wstring& to,
                 std::vector<std::pair<std::wstring, Node>>& moved) {
        const Node node = nodes_[from];
        moved.emplace_back(to, node);
        if (node.folder && node.link_target.empty()) {
            const std::vector<std::wstring> names = children_[from];
            for (const std::wstring& name : names) {
                Collect(from + L"\\" + name, to + L"\\" + name, moved);
            }
        }
    }

    static std::wstring ParentOf(const std::wstring& path) {
        const size_t slash = path.find_last_of(L'\\');
        return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
    static std::wstring NameOf(const std::wstring& path) {
        const size_t slash = path.find_last_of(L'\\');
        return slash == std::wstring::npos ? path : path.substr(slash + 1);
    }

    void Add(const std::wstring& path, const Node& node) {
        const std::wstring parent = ParentOf(path);
        if (!parent.empty() && parent.find(L'\\') != std::wstring::npos && !Has(parent)) {
            AddFolder(parent);
        }
        if (nodes_.count(path) == 0) {
            children_[parent].push_back(NameOf(path));
        }
        nodes_[path] = node;
        if (!node.link_target.empty()) {
            links_[path] = node.link_target;
        }
    }
    Node* Find(const std::wstring& path) {
        auto it = nodes_.find(Resolve(path));
        return it == nodes_.end() ? nullptr : &it->second;
    }
    void Erase(const std::wstring& real) {
        nodes_.erase(real);
        links_.erase(real);
        children_.erase(real);
        auto& siblings = children_[ParentOf(real)];
        const std::wstring name = NameOf(real);
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            if (*it == name) {
                siblings.erase(it);
                break;
            }
        }
    }
    void EraseTree(const std::wstring& real) {
        const Node node = nodes_[real];
        if (node.folder && node.link_target.empty()) {
            const std::vector<std::wstring> names = children_[real];
            for (const std::wstring& name : names) {
                EraseTree(real + L"\\" + name);
            }
        }
        Erase(real);
    }

    std::map<std::wstring, Node> nodes_;
    std::map<std::wstring, std::vector<std::wstring>> children_;
    std::map<std::wstring, std::wstring> links_;
    uint32_t last_error_ = kErrorNone;
};

class FakeFileSystem::Listing : public FolderListing {
  public:
    Listing(FakeFileSystem& fs, std::wstring folder, std::wstring real,
            std::vector<std::wstring> names, int fail_after)
        : fs_(fs),
          folder_(std::move(folder)),
          real_(std::move(real)),
          names_(std::move(names)),
          fail_after_(fail_after) {
        ++fs_.open_listings;
    }
    ~Listing() override { --fs_.open_listings; }

    bool Next(DirEntry& entry) override {
        while (state_ == State::Reading) {
            if (fail_after_ >= 0 && delivered_ >= fail_after_) {
                state_ = State::Failed;
                error_ = fs_.injected_error;
                break;
            }
            if (index_ >= names_.size()) {
                state_ = State::Complete;
                break;
            }
            const std::wstring name = names_[index_++];
            if (name == L"." || name == L"..") {
                // "." carries the folder's own time, as NTFS lists it.
                auto self = fs_.nodes_.find(real_);
                entry = DirEntry{
                    name, 0, kAttributeDirectory,
                    name == L"." && self != fs_.nodes_.end() ? self->second.last_write : 0};
            } else {
                // Entries deleted since the listing opened are no longer delivered.
                auto it = fs_.nodes_.find(real_ + L"\\" + name);
                if (it == fs_.nodes_.end()) {
                    continue;
                }
                entry = DirEntry{name, it->second.folder ? 0 : it->second.size,
                                 AttributesOf(it->second), it->second.last_write};
            }
            ++delivered_;
            if (fs_.on_entry) {
                fs_.on_entry(folder_, name);
            }
            return true;
        }
        return false;
    }
    State GetState() const override { return state_; }
    uint32_t Error() const override { return error_; }

  private:
    FakeFileSystem& fs_;
    std::wstring folder_;
    std::wstring real_;
    std::vector<std::wstring> names_;
    int fail_after_;
    size_t index_ = 0;
    int delivered_ = 0;
    State state_ = State::Reading;
    uint32_t error_ = kErrorNone;
};

inline std::unique_ptr<FolderListing> FakeFileSystem::OpenListing(const std::wstring& folder) {
    if (folder.empty()) {
        return Fail(nullptr, kErrorPathNotFound);
    }
    if (fail_open.count(folder) != 0) {
        return Fail(nullptr, injected_error);
    }
    // Listing a link lists its target, as the real system does.
    std::wstring real = Resolve(folder);
    auto node = nodes_.find(real);
    if (node != nodes_.end() && !node->second.link_target.empty()) {
        real = Resolve(node->second.link_target + L"\\x");
        real.resize(real.size() - 2);
        node = nodes_.find(real);
    }
    if (node == nodes_.end()) {
        return Fail(nullptr, MissingError(folder));
    }
    if (!node->second.folder) {
        return Fail(nullptr, kErrorNotAFolder);
    }
    listed.push_back(real);
    std::vector<std::wstring> names;
    if (list_dot_entries) {
        names = {L".", L".."};
    }
    for (const std::wstring& name : children_[real]) {
        names.push_back(name);
    }
    auto fail = fail_listing_after.find(folder);
    return std::make_unique<Listing>(*this, folder, real, std::move(names),
                                     fail == fail_listing_after.end() ? -1 : fail->second);
}

}  // namespace vantrel::testing

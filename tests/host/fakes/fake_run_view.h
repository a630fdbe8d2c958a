#pragma once

// An in-memory RunView for the engine's tests: the two lists as vectors of records, the
// window's answers as settable values, and a log of the calls that tests inspect. Rows are
// named by ids that never change; the log and the callbacks give rows by their place.

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/run_view.h"

namespace vantrel::testing {

class FakeRunView : public RunView {
  public:
    // The rows' records. A deque keeps the records of earlier rows in place while rows are
    // appended, as list rows keep theirs.
    struct FolderRow {
        FolderItem item;
        RowId id = kNoRow;
    };
    struct FileRow {
        FileItem item;
        RowId id = kNoRow;
    };
    std::deque<FolderRow> folders;
    std::deque<FileRow> files;

    // --- the window's side ---
    bool auto_remove = false;
    std::function<bool()> auto_remove_source;  // overrides auto_remove when set
    std::deque<bool> answers;                  // answers to the question, then No
    std::vector<std::wstring> questions;
    std::set<std::wstring> refuse_add;  // AddFileItem gives -1 for these paths
    // Called when a row is set to InProgress (folder or file list).
    std::function<void(int)> on_folder_started;
    std::function<void(int)> on_file_started;

    // --- what happened ---
    std::vector<int> file_rows_started;   // file row index of each InProgress, in order
    std::vector<int32_t> running_counts;  // each found count reported while a folder is walked
    // The phase events in order: "Scan started", "Scan ended", "Clean started", ...
    std::vector<std::string> phases;
    bool in_phase = false;  // between a phase's start and its end

    void AddFolder(const std::wstring& path) {
        folders.push_back(FolderRow{{path, 0}, next_id_++});
    }
    std::vector<std::wstring> FilePaths() const {
        std::vector<std::wstring> paths;
        for (const FileRow& row : files) {
            paths.push_back(row.item.path);
        }
        return paths;
    }

    std::vector<RowId> FolderRows() override { return Ids(folders); }
    const FolderItem* FolderRecord(RowId row) override {
        const int at = Place(folders, row);
        return at >= 0 ? &folders[at].item : nullptr;
    }
    void PhaseStarted(RunPhase phase) override {
        phases.push_back(Name(phase) + " started");
        in_phase = true;
    }
    void PhaseEnded(RunPhase phase) override {
        phases.push_back(Name(phase) + " ended");
        in_phase = false;
    }

    void SetFolderStatus(RowId row, ItemStatus status, const std::wstring& reason) override {
        const int at = Place(folders, row);
        FolderRow& folder = folders.at(static_cast<size_t>(at));
        folder.item.status = status;
        folder.item.reason = reason;
        if (status == ItemStatus::InProgress && on_folder_started) {
            on_folder_started(at);
        }
    }
    void SetFolderFoundCount(RowId row, int32_t found_count) override {
        FolderRow& folder = folders.at(static_cast<size_t>(Place(folders, row)));
        folder.item.found_count = found_count;
        if (found_count > 0) {
            running_counts.push_back(found_count);
        }
    }
    void SetFolderHeldBack(RowId row, int32_t held_back_count) override {
        folders.at(static_cast<size_t>(Place(folders, row))).item.held_back_count = held_back_count;
    }
    void EnsureFolderVisible(RowId) override {}

    std::vector<RowId> FileRows() override { return Ids(files); }
    const FileItem* FileRecord(RowId row) override {
        const int at = Place(files, row);
        return at >= 0 ? &files[at].item : nullptr;
    }
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes, size_t root_length,
                    uint64_t modified) override {
        if (refuse_add.count(path) != 0) {
            return -1;
        }
        files.push_back(FileRow{{path, size, attributes, ItemStatus::None}, next_id_++});
        files.back().item.root_length = root_length;
        files.back().item.modified = modified;
        return 0;
    }
    // An item listed by hand under the chosen folder `root`.
    void List(const std::wstring& path, int64_t size, uint32_t attributes,
              const std::wstring& root = L"C:\\r") {
        AddFileItem(path, size, attributes, path.rfind(root, 0) == 0 ? root.size() : 0, 0);
    }
    void SetFileStatus(RowId row, ItemStatus status, const std::wstring& reason) override {
        const int at = Place(files, row);
        FileRow& file = files.at(static_cast<size_t>(at));
        file.item.status = status;
        file.item.reason = reason;
        if (status == ItemStatus::InProgress) {
            file_rows_started.push_back(at);
            if (on_file_started) {
                on_file_started(at);
            }
        }
    }
    void EnsureFileVisible(RowId) override {}
    void RemoveFileRow(RowId row) override { files.erase(files.begin() + Place(files, row)); }

    bool AutoRemoveDeleted() override {
        return auto_remove_source ? auto_remove_source() : auto_remove;
    }
    bool ConfirmAllPattern(const std::wstring& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

  private:
    static std::string Name(RunPhase phase) { return phase == RunPhase::Scan ? "Scan" : "Clean"; }
    template <typename Rows>
    static std::vector<RowId> Ids(const Rows& rows) {
        std::vector<RowId> ids;
        for (const auto& row : rows) {
            ids.push_back(row.id);
        }
        return ids;
    }
    // The row's place in its list, -1 for an id no row has.
    template <typename Rows>
    static int Place(const Rows& rows, RowId id) {
        for (size_t at = 0; at < rows.size(); ++at) {
            if (rows[at].id == id) {
                return static_cast<int>(at);
            }
        }
        return -1;
    }

    RowId next_id_ = 0;
};

}  // namespace vantrel::testing

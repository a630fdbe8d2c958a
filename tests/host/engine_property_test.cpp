// Random trees, filters and switches: a scan followed by a clean deletes only what was
// listed, lists only what lies inside a chosen folder, and changes nothing else, also when
// the tree changes between the scan and the clean, folders on listed paths included: one
// swapped for a link to a tree outside leaves that tree untouched.

#include <gtest/gtest.h>

#include <random>

#include "engine/clean.h"
#include "engine/held_path.h"
#include "engine/scan.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using testing::EngineHarness;
using testing::FakeFileSystem;
using testing::FakeRunView;

bool IsInside(const std::wstring& path, const std::wstring& folder) {
    return path == folder || path.rfind(folder + L"\\", 0) == 0;
}

void BuildRandomTree(FakeFileSystem& fs, std::mt19937& random, const std::wstring& folder,
                     int depth) {
    static const wchar_t* const kNames[] = {L"a.obj", L"b.txt", L"Debug", L"c.OBJ",
                                            L"d",     L"e.o",   L"x.tmp", L"sub"};
    const int count = static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
        const std::wstring path =
            folder + L"\\" + kNames[random() % 8] + std::to_wstring(random() % 3);
        if (fs.Has(path)) {
            continue;
        }
        const uint32_t attributes = random() % 4 == 0 ? kAttributeReadOnly : 0;
        switch (random() % 6) {
            case 0:
            case 1:
                if (depth < 4) {
                    fs.AddFolder(path, attributes);
                    BuildRandomTree(fs, random, path, depth + 1);
                    break;
                }
                [[fallthrough]];
            case 2:
                fs.AddFile(path, 0, attributes);
                break;
            case 3:
                fs.AddLink(path, L"D:\\outside");
                break;
            default:
                fs.AddFile(path, 1 + random() % 100, attributes);
                break;
        }
    }
}

TEST(EnginePropertyTest, DeletesOnlyWhatWasListedInsideTheChosenFolders) {
    static const wchar_t* const kFilters[] = {L"*.obj",   L"Debug*;*.o*", L"*",
                                              L"sub*;d?", L"*.txt;*.tmp", L""};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        EngineHarness h;
        h.fs.AddFile(L"D:\\outside\\keep.obj");
        h.fs.AddFolder(L"D:\\outside\\Debug");
        h.fs.AddFolder(L"C:\\skip");  // not chosen
        h.fs.AddFile(L"C:\\skip\\a.obj0");
        h.fs.AddFolder(L"C:\\one");
        h.fs.AddFolder(L"C:\\two");
        BuildRandomTree(h.fs, random, L"C:\\one", 0);
        BuildRandomTree(h.fs, random, L"C:\\two", 0);
        BuildRandomTree(h.fs, random, L"C:\\skip", 0);
        h.fs.link_removal_fails = random() % 2 == 0;
        h.view.AddFolder(L"C:\\one");
        h.view.AddFolder(L"C:\\two");
        h.view.AddFolder(L"C:\\missing");
        h.options.filter = kFilters[random() % 6];
        h.options.scan_subfolders = random() % 2;
        h.options.delete_files = random() % 2;
        h.options.delete_folders = random() % 2;
        h.options.delete_empty_files = random() % 2;
        h.options.delete_empty_folders = random() % 2;
        h.options.delete_read_only = random() % 2;
        h.options.recycle = random() % 2;
        h.view.answers = {random() % 2 == 0};
        const auto before = h.fs.Nodes();

        ScanAndCleanPhases(h.ctx);

        const std::vector<std::wstring> listed = h.view.FilePaths();
        for (const std::wstring& path : listed) {
            EXPECT_TRUE(IsInside(path, L"C:\\one") || IsInside(path, L"C:\\two"))
                << "seed " << seed << " listed " << std::string(path.begin(), path.end());
        }
        for (const auto& [path, node] : before) {
            auto now = h.fs.Nodes().find(path);
            bool covered = false;
            for (const std::wstring& item : listed) {
                covered = covered || IsInside(path, item);
            }
            if (now == h.fs.Nodes().end()) {
                EXPECT_TRUE(covered) << "seed " << seed << " deleted unlisted "
                                     << std::string(path.begin(), path.end());
            } else if (!covered) {
                EXPECT_EQ(now->second, node)
                    << "seed " << seed << " changed " << std::string(path.begin(), path.end());
            }
        }
        EXPECT_EQ(h.fs.Nodes().size() <= before.size(), true);
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\keep.obj")) << "seed " << seed;
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\Debug")) << "seed " << seed;
        EXPECT_EQ(h.fs.open_listings, 0);
        // Every row reports what happened to its item.
        for (const auto& row : h.view.files) {
            if (row.item.status == ItemStatus::Done) {
                EXPECT_FALSE(h.fs.Has(row.item.path)) << "seed " << seed;
            }
        }
    }
}

// Every folder below `folder`, in path order.
std::vector<std::wstring> FoldersBelow(const FakeFileSystem& fs, const std::wstring& folder) {
    std::vector<std::wstring> folders;
    for (const auto& [path, node] : fs.Nodes()) {
        if (node.folder && node.link_target.empty() && path.rfind(folder + L"\\", 0) == 0) {
            folders.push_back(path);
        }
    }
    return folders;
}

TEST(EnginePropertyTest, ATreeChangedAfterTheScanLosesOnlyWhatWasListedAndStatusesAreTrue) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        EngineHarness h;
        h.fs.AddFolder(L"C:\\one");
        BuildRandomTree(h.fs, random, L"C:\\one", 0);
        h.view.AddFolder(L"C:\\one");
        h.options.filter = random() % 2 == 0 ? L"sub*;Debug*" : L"*.obj;d?";
        h.options.scan_subfolders = true;
        h.options.delete_files = random() % 2;
        h.options.delete_folders = random() % 2;
        h.options.delete_empty_files = random() % 2;
        h.options.delete_empty_folders = true;
        h.options.delete_read_only = true;
        h.options.recycle = random() % 2;
        // Folders whose listing fails to open during the scan (access denied, a network
        // drop): never listed as empty.
        for (const std::wstring& folder : FoldersBelow(h.fs, L"C:\\one")) {
            if (random() % 4 == 0) {
                h.fs.fail_open.insert(folder);
            }
        }
        ScanAllFolders(h.ctx);
        h.fs.fail_open.clear();

        // Between the scan and the clean: files appear in listed folders, items vanish,
        // a folder becomes a file and a file a folder.
        for (const auto& row : h.view.files) {
            const std::wstring& path = row.item.path;
            switch (random() % 5) {
                case 0:
                    if (row.item.IsFolder()) {
                        h.fs.AddFile(path + L"\\new.txt");
                    }
                    break;
                case 1:
                    h.fs.RemoveTree(path);
                    break;
                case 2:
                    h.fs.RemoveTree(path);
                    if (row.item.IsFolder()) {
                        h.fs.AddFile(path);
                    } else {
                        h.fs.AddFile(path + L"\\inner.txt");
                    }
                    break;
                default:
                    break;
            }
        }
        // A folder on a listed path, the chosen folder included, renamed and replaced by a
        // link to a copy of it outside, as build tools do with output folders.
        int outside_trees = 0;
        for (const auto& row : h.view.files) {
            const std::vector<size_t> ends =
                FolderEndsBelowRoot(row.item.path, row.item.root_length);
            if (ends.empty() || random() % 3 != 0) {
                continue;
            }
            const std::wstring folder = row.item.path.substr(0, ends[random() % ends.size()]);
            const auto node = h.fs.Nodes().find(folder);
            if (node == h.fs.Nodes().end() || !node->second.folder ||
                !node->second.link_target.empty()) {
                continue;
            }
            const std::wstring outside = L"D:\\outside" + std::to_wstring(++outside_trees);
            h.fs.CopyTree(folder, outside);
            h.fs.Rename(folder, folder + L".old");
            h.fs.AddLink(folder, outside);
        }
        const auto before = h.fs.Nodes();
        const std::vector<FakeRunView::FileRow> listed(h.view.files.begin(), h.view.files.end());

        CleanAllItems(h.ctx);

        auto text = [](const std::wstring& path) { return std::string(path.begin(), path.end()); };
        for (const auto& [path, node] : before) {
            if (h.fs.Has(path)) {
                continue;
            }
            // Gone: it must be a listed item of the kind it was listed as, or lie inside a
            // folder listed by name.
            bool covered = false;
            for (const auto& row : listed) {
                const FileItem& item = row.item;
                covered = covered || (path == item.path && node.folder == item.IsFolder()) ||
                          (item.IsFolder() && !item.IsEmptyFolder() && IsInside(path, item.path));
            }
            EXPECT_TRUE(covered) << "seed " << seed << " deleted unlisted " << text(path);
        }
        EXPECT_TRUE(h.fs.held.empty());
        for (const auto& [path, node] : before) {
            if (path.rfind(L"D:", 0) == 0) {
                EXPECT_TRUE(h.fs.Has(path)) << "seed " << seed << " outside " << text(path);
            }
        }
        // Statuses are true of the path as it now resolves, links included.
        for (const auto& row : h.view.files) {
            const std::wstring& path = row.item.path;
            EXPECT_EQ(row.item.status == ItemStatus::Failed, !row.item.reason.empty())
                << "seed " << seed << " " << text(path);
            switch (row.item.status) {
                case ItemStatus::Done:
                    EXPECT_FALSE(h.fs.Exists(path)) << "seed " << seed << " " << text(path);
                    break;
                case ItemStatus::NotExists:
                    EXPECT_FALSE(h.fs.Exists(path)) << "seed " << seed << " " << text(path);
                    break;
                case ItemStatus::Failed:
                    // Still there, or refused because a folder on its path is now a link.
                    EXPECT_TRUE(h.fs.Exists(path) ||
                                row.item.reason == L"A folder on its path is now a link")
                        << "seed " << seed << " " << text(path) << " " << text(row.item.reason);
                    break;
                default:
                    ADD_FAILURE() << "seed " << seed << " row left " << text(path);
                    break;
            }
        }
        EXPECT_EQ(h.fs.open_listings, 0);
    }
}

}  // namespace
}  // namespace vantrel

#include <gtest/gtest.h>

#include "engine/clean.h"
#include "engine/held_path.h"
#include "engine/scan.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using testing::EngineHarness;
using Paths = std::vector<std::wstring>;

class CleanTest : public ::testing::Test {
  protected:
    EngineHarness h;

    void List(const std::wstring& path) { h.view.List(path, 1, h.fs.GetAttributes(path)); }
    ItemStatus StatusOf(int row) const { return h.view.files.at(row).item.status; }
    int Run() { return CleanAllItems(h.ctx); }
};

struct ReadOnlyCase {
    bool delete_read_only;
    bool recycle;
    ItemStatus expected;
    bool gone;
};

class ReadOnlyTest : public CleanTest, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnlyTest, ReadOnlyFile) {
    const ReadOnlyCase& c = GetParam();
    h.fs.AddFile(L"C:\\r\\ro.obj", 1, kAttributeReadOnly);
    List(L"C:\\r\\ro.obj");
    h.options.delete_read_only = c.delete_read_only;
    h.options.recycle = c.recycle;
    Run();
    EXPECT_EQ(StatusOf(0), c.expected);
    EXPECT_EQ(!h.fs.Has(L"C:\\r\\ro.obj"), c.gone);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReadOnlyTest,
                         ::testing::Values(ReadOnlyCase{false, false, ItemStatus::ReadOnly, false},
                                           ReadOnlyCase{false, true, ItemStatus::ReadOnly, false},
                                           ReadOnlyCase{true, false, ItemStatus::Done, true},
                                           ReadOnlyCase{true, true, ItemStatus::Done, true}));

TEST_F(CleanTest, FileThatBecameReadOnlyAfterTheScanIsStillDeleted) {
    h.fs.AddFile(L"C:\\r\\a.obj");
    List(L"C:\\r\\a.obj");
    h.fs.SetAttributes(L"C:\\r\\a.obj", kAttributeReadOnly | kAttributeArchive);
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
}

TEST_F(CleanTest, ReadOnlyContentOfAListedFolderIsDeleted) {
    h.fs.AddFile(L"C:\\r\\Debug\\ro.obj", 1, kAttributeReadOnly);
    h.fs.AddFolder(L"C:\\r\\Debug\\sub", kAttributeReadOnly);
    List(L"C:\\r\\Debug");
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\Debug"));
}

TEST_F(CleanTest, SameItemTwiceEndsNotExistsAndAgainOnASecondClean) {
    h.fs.AddFile(L"C:\\r\\a.obj");
    h.fs.AddFile(L"C:\\r\\d\\b.obj");
    List(L"C:\\r\\a.obj");
    List(L"C:\\r\\a.obj");
    List(L"C:\\r\\d");
    List(L"C:\\r\\d\\b.obj");
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
    EXPECT_EQ(StatusOf(1), ItemStatus::NotExists);
    EXPECT_EQ(StatusOf(2), ItemStatus::Done);
    EXPECT_EQ(StatusOf(3), ItemStatus::NotExists);
    Run();
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(StatusOf(row), ItemStatus::NotExists);
    }
}

TEST_F(CleanTest, AutoRemoveVisitsTheSameIndexAgain) {
    for (const wchar_t* name : {L"C:\\r\\a", L"C:\\r\\b", L"C:\\r\\c"}) {
        h.fs.AddFile(name);
        List(name);
    }
    h.view.auto_remove = true;
    Run();
    EXPECT_TRUE(h.view.files.empty());
    EXPECT_EQ(h.view.file_rows_started, (std::vector<int>{0, 0, 0}));
}

TEST_F(CleanTest, AutoRemoveIsReadAnewForEveryRow) {
    for (const wchar_t* name : {L"C:\\r\\locked", L"C:\\r\\b", L"C:\\r\\c", L"C:\\r\\d"}) {
        h.fs.AddFile(name);
        List(name);
    }
    h.fs.fail_remove.insert(L"C:\\r\\locked");
    int asked = 0;
    h.view.auto_remove_source = [&] { return ++asked == 1; };  // on for b only
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\locked", L"C:\\r\\c", L"C:\\r\\d"}));
    EXPECT_EQ(StatusOf(0), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(1), ItemStatus::Done);
    EXPECT_EQ(StatusOf(2), ItemStatus::Done);
    EXPECT_EQ(h.view.file_rows_started, (std::vector<int>{0, 1, 1, 2}));
}

TEST_F(CleanTest, FolderWithALockedFileKeepsOnlyWhatFailed) {
    h.fs.AddFile(L"C:\\r\\f\\a.txt");
    h.fs.AddFile(L"C:\\r\\f\\locked.txt");
    h.fs.AddFile(L"C:\\r\\f\\sub\\b.txt");
    h.fs.AddFile(L"C:\\r\\f\\z.txt");
    h.fs.fail_remove.insert(L"C:\\r\\f\\locked.txt");
    List(L"C:\\r\\f");
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Failed);
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\f\\locked.txt"));
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f\\a.txt"));
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f\\sub"));
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f\\z.txt"));
}

TEST_F(CleanTest, InjectedFailures) {
    struct Case {
        const char* what;
        std::function<void(testing::FakeFileSystem&)> inject;
        bool recycle;
        ItemStatus expected;
    };
    const std::vector<Case> cases = {
        {"read-only bit cannot be cleared",
         [](auto& fs) { fs.fail_set_attributes.insert(L"C:\\r\\f\\ro.txt"); }, false,
         ItemStatus::Failed},
        {"listing fails part-way", [](auto& fs) { fs.fail_listing_after[L"C:\\r\\f\\sub"] = 3; },
         false, ItemStatus::Failed},
        {"folder itself cannot be removed", [](auto& fs) { fs.fail_remove.insert(L"C:\\r\\f"); },
         false, ItemStatus::Failed},
        {"recycle fails", [](auto& fs) { fs.fail_recycle.insert(L"C:\\r\\f"); }, true,
         ItemStatus::Failed},
        {"nothing injected", [](auto&) {}, false, ItemStatus::Done},
        {"nothing injected, recycled", [](auto&) {}, true, ItemStatus::Done},
    };
    for (const Case& c : cases) {
        EngineHarness local;
        local.fs.AddFile(L"C:\\r\\f\\ro.txt", 1, kAttributeReadOnly);
        local.fs.AddFile(L"C:\\r\\f\\sub\\1.txt");
        local.fs.AddFile(L"C:\\r\\f\\sub\\2.txt");
        local.view.List(L"C:\\r\\f", 0, kAttributeDirectory);
        local.options.recycle = c.recycle;
        c.inject(local.fs);
        CleanAllItems(local.ctx);
        EXPECT_EQ(local.view.files[0].item.status, c.expected) << c.what;
        if (c.recycle) {
            EXPECT_TRUE(local.fs.removed.empty()) << c.what << ": no permanent fallback";
        }
        if (c.expected == ItemStatus::Failed) {
            EXPECT_TRUE(local.fs.Has(L"C:\\r\\f")) << c.what;
        }
    }
}

TEST_F(CleanTest, StopEndsTheRunAfterTheCurrentRow) {
    h.fs.AddFile(L"C:\\r\\a");
    h.fs.AddFile(L"C:\\r\\b");
    List(L"C:\\r\\a");
    List(L"C:\\r\\b");
    h.view.on_file_started = [&](int) { h.state.stop_request = StopRun; };
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
    EXPECT_EQ(StatusOf(1), ItemStatus::None);
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\b"));
    EXPECT_EQ(h.view.phases, (std::vector<std::string>{"Clean started", "Clean ended"}));
    EXPECT_EQ(h.state.current_row.load(), -1);
}

TEST_F(CleanTest, StopDuringAFolderDeletionKeepsTheFolder) {
    h.fs.AddFile(L"C:\\r\\f\\sub\\1.txt");
    h.fs.AddFile(L"C:\\r\\f\\sub\\2.txt");
    h.fs.AddFile(L"C:\\r\\f\\3.txt");
    h.fs.AddFile(L"C:\\r\\next.txt");
    List(L"C:\\r\\f");
    List(L"C:\\r\\next.txt");
    int seen = 0;  // the first walk over the folder looks for kept items
    h.fs.on_entry = [&](const std::wstring&, const std::wstring& name) {
        if (name == L"1.txt" && ++seen == 2) {
            h.state.stop_request = StopAndClose;
        }
    };
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(1), ItemStatus::None);
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f\\sub\\1.txt"));  // the entry in hand is finished
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\f\\sub\\2.txt"));
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\f\\3.txt"));
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L"C:\\r\\f"), 1);
    EXPECT_EQ(h.fs.open_listings, 0);
}

TEST_F(CleanTest, DeleteFolderTreeResults) {
    h.fs.AddFolder(L"C:\\r\\e");
    h.fs.AddFile(L"C:\\r\\file");
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L""), -1);
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L"C:\\r\\gone"), 1);
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L"C:\\r\\file"), -1);  // not a folder
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\file"));
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L"C:\\r\\e"), 0);
    EXPECT_EQ(DeleteFileItem(h.fs, L"C:\\r\\gone", false), DeleteMissing);
    EXPECT_EQ(DeleteFileItem(h.fs, L"C:\\r\\gone", true), DeleteMissing);
    EXPECT_EQ(DeleteFolderItem(h.fs, h.state, L"C:\\r\\gone", true), DeleteMissing);
    EXPECT_EQ(DeleteFileItem(h.fs, L"C:\\r", false), DeleteFailed) << "a folder is no file";
    EXPECT_EQ(DeleteFileItem(h.fs, L"C:\\r", true), DeleteFailed);
    EXPECT_TRUE(h.fs.recycled.empty());
}

TEST_F(CleanTest, DeepTreesAreDeletedWithoutRecursionLimits) {
    std::wstring path = L"C:\\r";
    for (int depth = 0; depth < 2000; ++depth) {
        path += L"\\d";
    }
    h.fs.AddFile(path + L"\\leaf.txt");
    EXPECT_EQ(DeleteFolderTree(h.fs, h.state, L"C:\\r"), 0);
    EXPECT_TRUE(h.fs.Nodes().empty());
}

// --- folder links ---

class LinkTest : public CleanTest {
  protected:
    void SetUp() override {
        h.fs.AddFile(L"D:\\outside\\keep.txt", 1, kAttributeReadOnly);
        h.fs.AddFolder(L"D:\\outside\\inner");
        h.fs.AddLink(L"C:\\r\\f\\link", L"D:\\outside");
        h.fs.AddFile(L"C:\\r\\f\\own.txt");
        h.fs.AddLink(L"C:\\r\\toplink", L"D:\\outside");
    }
    void ExpectOutsideIntact() {
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\keep.txt"));
        EXPECT_TRUE(h.fs.Has(L"D:\\outside\\inner"));
        EXPECT_EQ(h.fs.GetAttributes(L"D:\\outside\\keep.txt"), kAttributeReadOnly);
    }
};

TEST_F(LinkTest, LinkInsideADeletedFolderIsRemovedAsALink) {
    List(L"C:\\r\\f");
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, LinkThatCannotBeRemovedIsAFailure) {
    h.fs.link_removal_fails = true;
    List(L"C:\\r\\f");
    List(L"C:\\r\\toplink");
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(1), ItemStatus::Failed);
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\f\\own.txt"));
    EXPECT_TRUE(h.fs.Has(L"C:\\r\\f\\link"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, ListedLinkIsRemovedAsALink) {
    List(L"C:\\r\\toplink");
    h.options.delete_read_only = true;
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Done);
    EXPECT_FALSE(h.fs.Has(L"C:\\r\\toplink"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, RecycleBinNeverGetsALinkOrAFolderHoldingOne) {
    h.fs.AddFile(L"C:\\r\\plain\\x.txt");
    List(L"C:\\r\\f");
    List(L"C:\\r\\toplink");
    List(L"C:\\r\\plain");
    h.options.recycle = true;
    Run();
    EXPECT_EQ(StatusOf(0), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(1), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(2), ItemStatus::Done);
    EXPECT_EQ(h.fs.recycled, (Paths{L"C:\\r\\plain"}));
    EXPECT_TRUE(h.fs.removed.empty());
    ExpectOutsideIntact();
}

// --- the clean-time path check and the Recycle Bin that never deletes for good ---

// A scan lists C:\r\out\a.obj and the folder C:\r\out\Debug; then the tree changes
// before the clean. Nothing outside C:\r is ever touched, and every Failed says why.
TEST(PathCheckTest, FoldersOnThePathAreCheckedAtCleanTime) {
    const std::wstring link = L"A folder on its path is now a link";
    struct Case {
        const char* what;
        std::function<void(testing::FakeFileSystem&)> change;
        bool recycle;
        ItemStatus file, folder;
        std::wstring file_reason;
    };
    auto swap_for_link = [](const std::wstring& folder) {
        return [folder](testing::FakeFileSystem& fs) {
            fs.Rename(folder, folder + L".old");
            fs.AddLink(folder, L"D:\\outside");
        };
    };
    const std::vector<Case> cases = {
        {"unchanged", [](auto&) {}, false, ItemStatus::Done, ItemStatus::Done, L""},
        {"unchanged, recycled", [](auto&) {}, true, ItemStatus::Done, ItemStatus::Done, L""},
        {"a folder between is now a link", swap_for_link(L"C:\\r\\out"), false, ItemStatus::Failed,
         ItemStatus::Failed, link},
        {"a folder between is now a link, recycled", swap_for_link(L"C:\\r\\out"), true,
         ItemStatus::Failed, ItemStatus::Failed, link},
        {"the chosen folder is now a link", swap_for_link(L"C:\\r"), false, ItemStatus::Failed,
         ItemStatus::Failed, link},
        {"the listed folder is now a link: removed as a link", swap_for_link(L"C:\\r\\out\\Debug"),
         false, ItemStatus::Done, ItemStatus::Done, L""},
        {"a folder inside the listed one became a link after it was listed",
         [](auto& fs) {
             fs.on_entry = [&fs](const std::wstring& folder, const std::wstring& name) {
                 if (folder == L"C:\\r\\out\\Debug" && name == L"sub") {
                     fs.Rename(L"C:\\r\\out\\Debug\\sub", L"C:\\r\\out\\sub.old");
                     fs.AddLink(L"C:\\r\\out\\Debug\\sub", L"D:\\outside");
                     fs.link_removal_fails = true;
                 }
             };
         },
         false, ItemStatus::Done, ItemStatus::Failed, L""},
        {"the folder between is gone", [](auto& fs) { fs.RemoveTree(L"C:\\r\\out"); }, false,
         ItemStatus::NotExists, ItemStatus::NotExists, L""},
        {"the item cannot be read", [](auto& fs) { fs.fail_attributes[L"C:\\r\\out\\a.obj"] = 32; },
         true, ItemStatus::Failed, ItemStatus::Done, L"System error 32"},
        {"held open by another program",
         [](auto& fs) {
             fs.injected_error = 32;
             fs.fail_remove.insert(L"C:\\r\\out\\a.obj");
         },
         false, ItemStatus::Failed, ItemStatus::Done, L"System error 32"},
        {"a drive without a Recycle Bin", [](auto& fs) { fs.no_recycle_bin.insert(L"C:\\"); }, true,
         ItemStatus::Failed, ItemStatus::Failed,
         L"It cannot go to the Recycle Bin, and it is never deleted for good instead"},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        h.fs.AddFile(L"C:\\r\\out\\a.obj");
        h.fs.AddFile(L"C:\\r\\out\\Debug\\x.obj");
        h.fs.AddFile(L"C:\\r\\out\\Debug\\sub\\y.obj");
        h.fs.AddFile(L"D:\\outside\\a.obj");
        h.fs.AddFile(L"D:\\outside\\Debug\\x.obj");
        h.fs.AddFile(L"D:\\outside\\out\\a.obj");
        h.fs.AddFile(L"D:\\outside\\out\\Debug\\x.obj");
        h.fs.AddFile(L"D:\\outside\\y.obj");
        h.view.AddFolder(L"C:\\r");
        h.options.filter = L"*.obj;Debug";
        h.options.delete_files = true;
        h.options.delete_folders = true;
        h.options.scan_subfolders = true;
        h.options.recycle = c.recycle;
        ScanAllFolders(h.ctx);
        ASSERT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\out\\a.obj", L"C:\\r\\out\\Debug"}));
        c.change(h.fs);
        const auto outside_before = h.fs.Nodes();
        CleanAllItems(h.ctx);
        for (const auto& [path, node] : outside_before) {
            if (path.rfind(L"D:", 0) == 0) {
                EXPECT_TRUE(h.fs.Has(path)) << c.what;
            }
        }
        EXPECT_EQ(h.view.files[0].item.status, c.file) << c.what;
        EXPECT_EQ(h.view.files[1].item.status, c.folder) << c.what;
        EXPECT_EQ(h.view.files[0].item.reason, c.file_reason) << c.what;
        for (const auto& row : h.view.files) {
            EXPECT_EQ(row.item.status == ItemStatus::Failed, !row.item.reason.empty()) << c.what;
        }
        if (c.recycle) {
            EXPECT_TRUE(h.fs.removed.empty()) << c.what << ": never deleted for good";
        }
        EXPECT_TRUE(h.fs.held.empty()) << c.what;
    }
}

TEST(PathCheckTest, FoldersSharedWithThePreviousItemAreHeldOnce) {
    EXPECT_EQ(FolderEndsBelowRoot(L"C:\\r\\a\\b\\f", 4), (std::vector<size_t>{4, 6, 8}));
    EXPECT_EQ(FolderEndsBelowRoot(L"C:\\a\\f", 3), (std::vector<size_t>{3, 4}));
    EXPECT_EQ(FolderEndsBelowRoot(L"C:\\r", 4), (std::vector<size_t>{}));
    EXPECT_EQ(FolderEndsBelowRoot(L"C:\\f", 0), (std::vector<size_t>{3})) << "unknown root";
    EngineHarness h;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 10; ++j) {
            const std::wstring path =
                L"C:\\r\\p\\m" + std::to_wstring(i) + L"\\f" + std::to_wstring(j);
            h.fs.AddFile(path);
            h.view.List(path, 1, kAttributeArchive);
        }
    }
    CleanAllItems(h.ctx);
    EXPECT_EQ(h.fs.holds, 2 + 3) << "C:\\r and p once, each m once";
    EXPECT_TRUE(h.fs.held.empty());
}

// --- the two phases of a Scan & Clean ---

TEST_F(CleanTest, ScanAndCleanSkipsTheCleanAfterNoOrStop) {
    struct Case {
        const char* what;
        bool answer;
        int stop;
        bool cleaned;
    };
    for (const Case& c : {Case{"yes", true, StopNone, true}, Case{"no", false, StopNone, false},
                          Case{"stop", true, StopRun, false}}) {
        EngineHarness local;
        local.fs.AddFile(L"C:\\r\\a.txt");
        local.view.AddFolder(L"C:\\r");
        local.options.filter = L"*";
        local.options.delete_files = true;
        local.view.answers = {c.answer};
        local.view.on_folder_started = [&](int) { local.state.stop_request = c.stop; };
        EXPECT_EQ(ScanAndCleanPhases(local.ctx), 0);
        EXPECT_EQ(local.fs.Has(L"C:\\r\\a.txt"), !c.cleaned) << c.what;
    }
}

}  // namespace
}  // namespace vantrel

#include <gtest/gtest.h>

#include <functional>

#include "engine/scan.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using testing::EngineHarness;
using Paths = std::vector<std::wstring>;

class ScanTest : public ::testing::Test {
  protected:
    EngineHarness h;
    int Run() { return ScanAllFolders(h.ctx); }
};

TEST_F(ScanTest, ListsMatchesInWalkOrderAndShowsTheCount) {
    h.fs.AddFile(L"C:\\r\\a.obj");
    h.fs.AddFile(L"C:\\r\\sub\\b.OBJ");
    h.fs.AddFile(L"C:\\r\\sub\\c.txt");
    h.fs.AddFile(L"C:\\r\\z.obj");
    h.view.AddFolder(L"C:\\r");
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    h.options.scan_subfolders = true;

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\a.obj", L"C:\\r\\sub\\b.OBJ", L"C:\\r\\z.obj"}));
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::Done);
    EXPECT_EQ(h.view.folders[0].item.found_count, 3);
    EXPECT_EQ(h.view.running_counts, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(h.view.files[0].item.size, 1);
    EXPECT_EQ(h.view.files[0].item.status, ItemStatus::None);
    EXPECT_EQ(h.fs.removed.size(), 0u);
    EXPECT_EQ(h.fs.open_listings, 0);
}

TEST_F(ScanTest, PhaseIsReportedAroundItsRowsAndRowStateSet) {
    h.view.AddFolder(L"C:\\missing");
    std::vector<bool> in_phase_during;
    h.view.on_folder_started = [&](int) { in_phase_during.push_back(h.view.in_phase); };
    h.fs.on_entry = nullptr;
    Run();
    EXPECT_EQ(in_phase_during, (std::vector<bool>{true}));
    EXPECT_EQ(h.view.phases, (std::vector<std::string>{"Scan started", "Scan ended"}));
    EXPECT_EQ(h.state.current_row.load(), -1);
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::NotExists);
}

TEST_F(ScanTest, MatchedSubfolderIsListedWholeWithItsTotal) {
    for (int i = 0; i < 100; ++i) {
        h.fs.AddFile(L"C:\\r\\Debug\\f" + std::to_wstring(i) + L".obj");
    }
    h.fs.AddFolder(L"C:\\r\\x\\debug");
    h.view.AddFolder(L"C:\\r");
    h.options.filter = L"Debug";
    h.options.delete_folders = true;
    h.options.delete_files = true;
    h.options.scan_subfolders = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\Debug", L"C:\\r\\x\\debug"}));
    EXPECT_EQ(h.view.files[0].item.attributes & kAttributeDirectory, kAttributeDirectory);
    EXPECT_EQ(h.view.files[0].item.size, 100);
    EXPECT_EQ(h.view.files[1].item.size, 0);
}

TEST_F(ScanTest, EmptinessIsJudgedBeforeAnythingIsDeleted) {
    h.fs.AddFolder(L"C:\\r\\x\\y");    // x holds only the empty y
    h.fs.AddFile(L"C:\\r\\m\\a.obj");  // m holds only a matched file
    h.fs.AddFolder(L"C:\\e");          // a folder of the folder list with no entries
    h.view.AddFolder(L"C:\\r");
    h.view.AddFolder(L"C:\\e");
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    h.options.delete_empty_folders = true;
    h.options.scan_subfolders = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\x\\y", L"C:\\r\\m\\a.obj", L"C:\\e"}));
    EXPECT_EQ(h.view.files[0].item.size, -1);
    EXPECT_EQ(h.view.files[0].item.attributes, kAttributeDirectory);
    EXPECT_EQ(h.view.folders[0].item.found_count, 2);
    EXPECT_EQ(h.view.folders[1].item.found_count, 1);
}

TEST_F(ScanTest, WithoutSubfoldersOnlyTheTopLevelIsConsidered) {
    h.fs.AddFolder(L"C:\\r\\empty");
    h.fs.AddFile(L"C:\\r\\sub\\b.obj");
    h.fs.AddFile(L"C:\\r\\a.obj");
    h.view.AddFolder(L"C:\\r");
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    h.options.delete_empty_folders = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\a.obj"}));
}

TEST_F(ScanTest, EmptyFilesAreListedOnceWhateverTheFilter) {
    h.fs.AddFile(L"C:\\r\\zero.txt", 0);
    h.fs.AddFile(L"C:\\r\\zero.obj", 0);
    h.fs.AddFile(L"C:\\r\\big.txt", 4294967296LL);  // 4 GiB: low 32 bits are 0
    h.fs.AddFile(L"C:\\r\\hidden.txt", 0, kAttributeHidden | kAttributeSystem);
    h.view.AddFolder(L"C:\\r");
    h.options.filter = L"*.obj";
    h.options.delete_empty_files = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(),
              (Paths{L"C:\\r\\zero.txt", L"C:\\r\\zero.obj", L"C:\\r\\hidden.txt"}));

    h.view.files.clear();
    h.options.delete_files = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(),
              (Paths{L"C:\\r\\zero.txt", L"C:\\r\\zero.obj", L"C:\\r\\hidden.txt"}))
        << "a file both matched and empty is listed once";
}

TEST_F(ScanTest, AnItemThatCannotBeAppendedIsTreatedAsNotMatched) {
    h.fs.AddFile(L"C:\\r\\obj\\inner.obj");
    h.fs.AddFile(L"C:\\r\\a.obj", 0);
    h.view.AddFolder(L"C:\\r");
    h.view.refuse_add = {L"C:\\r\\obj"};
    h.options.filter = L"*obj";
    h.options.delete_files = true;
    h.options.delete_folders = true;
    h.options.scan_subfolders = true;
    h.view.answers = {true};
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\obj\\inner.obj", L"C:\\r\\a.obj"}));
    EXPECT_EQ(h.view.folders[0].item.found_count, 2);
}

TEST_F(ScanTest, FolderRowsAddedDuringTheRunAreScanned) {
    h.fs.AddFile(L"C:\\a\\1.obj");
    h.fs.AddFile(L"C:\\b\\2.obj");
    h.view.AddFolder(L"C:\\a");
    h.view.on_folder_started = [&](int row) {
        if (row == 0) {
            h.view.AddFolder(L"C:\\b");
        }
    };
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\a\\1.obj", L"C:\\b\\2.obj"}));
    EXPECT_EQ(h.view.folders[1].item.status, ItemStatus::Done);
}

TEST_F(ScanTest, EveryStatusIsResetAndCountsRestart) {
    h.fs.AddFile(L"C:\\a\\1.obj");
    h.view.AddFolder(L"C:\\a");
    h.view.AddFolder(L"C:\\b");
    h.view.folders[1].item.status = ItemStatus::Done;
    h.view.folders[0].item.found_count = 7;
    h.state.stop_request = StopRun;  // no row is scanned, but all are reset
    Run();
    EXPECT_EQ(h.view.folders[1].item.status, ItemStatus::None);
    EXPECT_EQ(h.view.files.size(), 0u);

    h.state.stop_request = StopNone;
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    Run();
    EXPECT_EQ(h.view.folders[0].item.found_count, 1);
}

// --- the question before listing everything ---

struct WarningCase {
    const wchar_t* filter;
    bool files;
    bool folders;
    const wchar_t* expected;  // nullptr: no question
};

class WarningTest : public ScanTest, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(WarningTest, AsksWithTheRightText) {
    const WarningCase& c = GetParam();
    h.fs.AddFile(L"C:\\r\\a.txt");
    h.view.AddFolder(L"C:\\r");
    h.options.filter = c.filter;
    h.options.delete_files = c.files;
    h.options.delete_folders = c.folders;
    h.view.answers = {true};
    Run();
    if (c.expected == nullptr) {
        EXPECT_TRUE(h.view.questions.empty());
        EXPECT_EQ(h.state.warned.load(), 0);
    } else {
        ASSERT_EQ(h.view.questions.size(), 1u);
        EXPECT_EQ(h.view.questions[0], c.expected);
        EXPECT_EQ(h.state.warned.load(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WarningTest,
    ::testing::Values(
        WarningCase{L"*", true, false,
                    L"The filter pattern includes \" * \", that means all files may be "
                    L"deleted.\r\n\r\nAre you sure you want to do this?"},
        WarningCase{L"*", true, true,
                    L"The filter pattern includes \" * \", that means all files and subfolders "
                    L"may be deleted.\r\n\r\nAre you sure you want to do this?"},
        WarningCase{L"*.*", false, true,
                    L"The filter pattern includes \" *.* \", that means all subfolders may be "
                    L"deleted.\r\n\r\nAre you sure you want to do this?"},
        WarningCase{L"*.txt;*.*", true, false,
                    L"The filter pattern includes \" *.* \", that means all files may be "
                    L"deleted.\r\n\r\nAre you sure you want to do this?"},
        WarningCase{L"*", false, false, nullptr}, WarningCase{L"**", true, true, nullptr},
        WarningCase{L"*.obj", true, true, nullptr}));

TEST_F(ScanTest, QuestionIsAskedOncePerRunForTheFirstExistingFolder) {
    h.fs.AddFile(L"C:\\a\\1.txt");
    h.fs.AddFile(L"C:\\b\\2.txt");
    h.view.AddFolder(L"C:\\gone");
    h.view.AddFolder(L"C:\\a");
    h.view.AddFolder(L"C:\\b");
    h.options.filter = L"*";
    h.options.delete_files = true;
    h.view.answers = {true};
    Run();
    EXPECT_EQ(h.view.questions.size(), 1u);
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::NotExists);
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\a\\1.txt", L"C:\\b\\2.txt"}));

    // A new run asks again.
    h.state.ResetForRun();
    h.view.files.clear();
    h.view.answers = {true};
    Run();
    EXPECT_EQ(h.view.questions.size(), 2u);
}

TEST_F(ScanTest, NoEndsTheRunAndListsNothingMore) {
    h.fs.AddFile(L"C:\\a\\1.txt");
    h.fs.AddFile(L"C:\\b\\2.txt");
    h.view.AddFolder(L"C:\\a");
    h.view.AddFolder(L"C:\\gone");
    h.view.AddFolder(L"C:\\b");
    h.options.filter = L"*";
    h.options.delete_files = true;
    h.view.answers = {false};
    Run();
    EXPECT_EQ(h.view.questions.size(), 1u);
    EXPECT_TRUE(h.view.files.empty());
    for (const auto& row : h.view.folders) {
        EXPECT_EQ(row.item.status, ItemStatus::Declined);
    }
    EXPECT_TRUE(h.state.Declined());
    EXPECT_TRUE(h.fs.listed.empty());
}

// --- stop ---

TEST_F(ScanTest, StopDuringAWalkEndsAtTheNextEntry) {
    h.fs.AddFile(L"C:\\a\\1.obj");
    h.fs.AddFile(L"C:\\a\\deep\\2.obj");
    h.fs.AddFile(L"C:\\a\\deep\\3.obj");
    h.fs.AddFolder(L"C:\\a\\deep\\empty");
    h.fs.AddFile(L"C:\\a\\4.obj");
    h.fs.AddFile(L"C:\\b\\5.obj");
    h.view.AddFolder(L"C:\\a");
    h.view.AddFolder(L"C:\\b");
    h.fs.on_entry = [&](const std::wstring&, const std::wstring& name) {
        if (name == L"2.obj") {
            h.state.stop_request = StopRun;
        }
    };
    h.options.filter = L"*.obj";
    h.options.delete_files = true;
    h.options.delete_empty_folders = true;
    h.options.scan_subfolders = true;
    Run();
    // A folder whose listing was being read lists nothing (a keep marker could follow);
    // nothing after it, and no emptiness test.
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\a\\1.obj"}));
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::Done);
    EXPECT_EQ(h.view.folders[0].item.found_count, 1);
    EXPECT_EQ(h.view.folders[1].item.status, ItemStatus::None);
    EXPECT_EQ(h.fs.open_listings, 0);
}

TEST_F(ScanTest, StopBeforeAFolderRowLeavesTheRestUntouched) {
    h.view.AddFolder(L"C:\\a");
    h.view.AddFolder(L"C:\\b");
    h.fs.AddFolder(L"C:\\a");
    h.fs.AddFolder(L"C:\\b");
    h.view.on_folder_started = [&](int) { h.state.stop_request = StopAndClose; };
    h.options.delete_empty_folders = true;
    Run();
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::Done);
    EXPECT_EQ(h.view.folders[1].item.status, ItemStatus::None);
    EXPECT_TRUE(h.view.files.empty()) << "a stopped walk is not tested for emptiness";
}

// --- listings that fail, links ---

// Only a chosen folder that is not found is "Not exists"; every other error fails the
// folder's row with its reason, and a folder that could not be read is never taken as empty.
TEST(ScanErrorTest, ErrorsFailTheFolderWithTheirReason) {
    struct Case {
        const char* what;
        std::function<void(testing::FakeFileSystem&)> set_up;
        ItemStatus status;
        std::wstring reason;
        Paths listed;
    };
    const std::vector<Case> cases = {
        {"chosen folder not found",
         [](auto& fs) { fs.RemoveTree(L"C:\\r"); },
         ItemStatus::NotExists,
         L"",
         {}},
        {"chosen folder unreadable",
         [](auto& fs) { fs.fail_attributes[L"C:\\r"] = kErrorAccessDenied; },
         ItemStatus::Failed,
         L"System error 5",
         {}},
        {"chosen folder cannot be listed",
         [](auto& fs) { fs.fail_open.insert(L"C:\\r"); },
         ItemStatus::Failed,
         L"System error 5",
         {}},
        {"chosen folder is a link",
         [](auto& fs) {
             fs.RemoveTree(L"C:\\r");
             fs.AddLink(L"C:\\r", L"D:\\outside");
         },
         ItemStatus::Failed,
         L"The folder is a link, and Vantrel does not follow links",
         {}},
        {"chosen folder is a file",
         [](auto& fs) {
             fs.RemoveTree(L"C:\\r");
             fs.AddFile(L"C:\\r");
         },
         ItemStatus::Failed,
         L"System error 267",
         {}},
        {"subfolder cannot be opened",
         [](auto& fs) { fs.fail_open.insert(L"C:\\r\\empty"); },
         ItemStatus::Failed,
         L"C:\\r\\empty: System error 5",
         {L"C:\\r\\a.obj", L"C:\\r\\m"}},
        {"subfolder fails part-way",
         [](auto& fs) { fs.fail_listing_after[L"C:\\r\\empty"] = 2; },
         ItemStatus::Failed,
         L"C:\\r\\empty: System error 5",
         {L"C:\\r\\a.obj", L"C:\\r\\m"}},
        {"subfolder vanished after it was listed",
         [](auto& fs) {
             fs.on_entry = [&fs](const std::wstring&, const std::wstring& name) {
                 if (name == L"empty") {
                     fs.RemoveTree(L"C:\\r\\empty");
                 }
             };
         },
         ItemStatus::Done,
         L"",
         {L"C:\\r\\a.obj", L"C:\\r\\m"}},
        {"matched folder cannot be read whole",
         [](auto& fs) { fs.fail_open.insert(L"C:\\r\\m\\x"); },
         ItemStatus::Failed,
         L"C:\\r\\m\\x: System error 5",
         {L"C:\\r\\a.obj", L"C:\\r\\empty"}},
        {"matched folder vanished after it was listed",
         [](auto& fs) {
             fs.on_entry = [&fs](const std::wstring&, const std::wstring& name) {
                 if (name == L"m") {
                     fs.RemoveTree(L"C:\\r\\m");
                 }
             };
         },
         ItemStatus::Done,
         L"",
         {L"C:\\r\\a.obj", L"C:\\r\\empty"}},
        {"nothing injected",
         [](auto&) {},
         ItemStatus::Done,
         L"",
         {L"C:\\r\\a.obj", L"C:\\r\\empty", L"C:\\r\\m"}},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        h.fs.AddFile(L"C:\\r\\a.obj");
        h.fs.AddFolder(L"C:\\r\\empty");
        h.fs.AddFile(L"C:\\r\\m\\x\\f");  // a matched folder, walked whole
        h.fs.AddFile(L"D:\\outside\\b.obj");
        c.set_up(h.fs);
        h.view.AddFolder(L"C:\\r");
        h.options.filter = L"*.obj;m";
        h.options.delete_files = true;
        h.options.delete_folders = true;
        h.options.delete_empty_folders = true;
        h.options.scan_subfolders = true;
        ScanAllFolders(h.ctx);
        EXPECT_EQ(h.view.folders[0].item.status, c.status) << c.what;
        EXPECT_EQ(h.view.folders[0].item.reason, c.reason) << c.what;
        EXPECT_EQ(h.view.FilePaths(), c.listed) << c.what;
    }
}

TEST_F(ScanTest, EmptyOrVanishedPathsListNothing) {
    h.view.AddFolder(L"");
    h.view.AddFolder(L"C:\\gone");
    h.options.delete_empty_folders = true;
    h.options.filter = L"*";
    h.options.delete_files = true;
    Run();
    EXPECT_TRUE(h.fs.listed.empty());
    EXPECT_TRUE(h.view.questions.empty());
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::NotExists);
    EXPECT_EQ(h.view.folders[1].item.status, ItemStatus::NotExists);
}

TEST_F(ScanTest, FolderLinksAreListedWhenMatchedButNeverEntered) {
    h.fs.AddFile(L"D:\\outside\\keep.obj");
    h.fs.AddFolder(L"D:\\outside\\emptyinside");
    h.fs.AddLink(L"C:\\r\\link", L"D:\\outside");
    h.fs.AddLink(L"C:\\r\\obj", L"D:\\outside");
    h.view.AddFolder(L"C:\\r");
    h.options.filter = L"*obj";
    h.options.delete_files = true;
    h.options.delete_folders = true;
    h.options.delete_empty_folders = true;
    h.options.scan_subfolders = true;
    Run();
    EXPECT_EQ(h.view.FilePaths(), (Paths{L"C:\\r\\obj"}));
    EXPECT_EQ(h.view.files[0].item.attributes, kAttributeDirectory | kAttributeReparsePoint);
    EXPECT_EQ(h.fs.listed, (Paths{L"C:\\r"}));
}

}  // namespace
}  // namespace vantrel

// Folder links under Wine: a Unix symlink to a folder outside the chosen tree is listed
// with FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT and can be removed by
// neither RemoveDirectoryW nor DeleteFileW. Whatever the mode, its target must survive.
// A Windows program cannot make such a link, so tests/e2e/folder_link_survives.sh builds
// the tree and passes it in VANTREL_LINK_TREE; without it these tests are skipped.
//
//   <tree>\chosen\link.obj        -> <tree>\outside
//   <tree>\chosen\holder\inner    -> <tree>\outside   (beside holder\own.txt)
//   <tree>\outside\keep.obj, outside\sub\keep.txt, outside\empty (an empty folder)

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/clean.h"
#include "engine/scan.h"
#include "tests/host/fakes/fake_run_view.h"
#include "tests/win/support/temp_tree.h"
#include "win32/win32_file_system.h"

namespace vantrel {
namespace {

using testing::FakeRunView;
using testing::PathExists;

class FolderLinkTest : public ::testing::Test {
  protected:
    std::wstring root;
    Win32FileSystem fs;
    FakeRunView view;
    RunState state;
    CleaningOptions options;
    RunContext ctx{view, fs, state, options};

    std::wstring Chosen(const wchar_t* relative = nullptr) const {
        return root + L"\\chosen" + (relative ? std::wstring(L"\\") + relative : L"");
    }
    std::wstring Outside(const wchar_t* relative) const { return root + L"\\outside\\" + relative; }

    void SetUp() override {
        const wchar_t* tree = _wgetenv(L"VANTREL_LINK_TREE");
        if (tree == nullptr || *tree == L'\0') {
            GTEST_SKIP() << "VANTREL_LINK_TREE not set (run tests/e2e/folder_link_survives.sh)";
        }
        root = tree;
        ASSERT_EQ(GetFileAttributesW(Chosen(L"link.obj").c_str()) &
                      (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
                  static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
        // Ordinary content that a clean may take; links stay from run to run.
        CreateDirectoryW(Chosen(L"holder").c_str(), nullptr);
        for (const wchar_t* file : {L"holder\\own.txt", L"own.obj"}) {
            HANDLE handle = CreateFileW(Chosen(file).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
            CloseHandle(handle);
        }
        view.AddFolder(Chosen());
        options.Filter = L"*";
        options.ScanSubfolders = 1;
        options.DeleteFiles = 1;
        options.DeleteFolders = 0;
        options.DeleteEmptyFiles = 1;
        options.DeleteEmptyFolders = 1;
        options.DeleteReadOnlys = 1;
        options.RecycleFiles = 0;
        view.answers = {true};
    }

    void ExpectOutsideIntact() {
        EXPECT_TRUE(PathExists(Outside(L"keep.obj")));
        EXPECT_TRUE(PathExists(Outside(L"sub\\keep.txt")));
        EXPECT_TRUE(PathExists(Outside(L"empty")));
        EXPECT_TRUE(PathExists(Chosen(L"link.obj\\keep.obj"))) << "the link itself is intact";
    }
    void ExpectNothingListedThroughLinks() {
        for (const auto& row : view.files) {
            EXPECT_EQ(row.item.path.find(L"link.obj\\"), std::wstring::npos);
            EXPECT_EQ(row.item.path.find(L"inner\\"), std::wstring::npos);
            EXPECT_NE(row.item.path, Chosen(L"holder\\inner"));
        }
    }
    ItemStatus StatusOf(const std::wstring& path) const {
        for (const auto& row : view.files) {
            if (row.item.path == path) {
                return row.item.status;
            }
        }
        return ItemStatus::None;
    }
};

TEST_F(FolderLinkTest, EverythingFilterNeverEntersALink) {
    for (int recycle = 0; recycle <= 1; ++recycle) {
        options.RecycleFiles = recycle;
        view.files.clear();
        view.answers = {true};
        state.ResetForRun();
        ScanAndCleanPhases(ctx);
        ExpectNothingListedThroughLinks();
        EXPECT_EQ(StatusOf(Chosen(L"own.obj")), ItemStatus::Done) << recycle;
        EXPECT_FALSE(PathExists(Chosen(L"own.obj")));
        ExpectOutsideIntact();
        SetUp();
    }
}

TEST_F(FolderLinkTest, MatchedLinkAndFolderHoldingALinkFailPermanently) {
    options.Filter = L"link.obj;holder";
    options.DeleteFiles = 0;
    options.DeleteFolders = 1;
    ScanAndCleanPhases(ctx);
    EXPECT_EQ(StatusOf(Chosen(L"link.obj")), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(Chosen(L"holder")), ItemStatus::Failed);
    EXPECT_FALSE(PathExists(Chosen(L"holder\\own.txt"))) << "the rest of the folder goes";
    EXPECT_TRUE(PathExists(Chosen(L"holder\\inner")));
    ExpectOutsideIntact();
}

TEST_F(FolderLinkTest, RecycleBinIsNotGivenLinks) {
    options.Filter = L"link.obj;holder";
    options.DeleteFiles = 0;
    options.DeleteFolders = 1;
    options.RecycleFiles = 1;
    ScanAndCleanPhases(ctx);
    EXPECT_EQ(StatusOf(Chosen(L"link.obj")), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(Chosen(L"holder")), ItemStatus::Failed);
    EXPECT_TRUE(PathExists(Chosen(L"holder\\own.txt"))) << "refused as a whole";
    ExpectOutsideIntact();
}

TEST_F(FolderLinkTest, DirectDeletionsOfALinkRemoveAtMostTheLink) {
    EXPECT_EQ(DeleteFolderTree(fs, state, Chosen(L"link.obj")), -1);
    EXPECT_EQ(DeleteFolderItem(fs, state, Chosen(L"link.obj"), false), DeleteFailed);
    EXPECT_EQ(DeleteFileItem(fs, Chosen(L"link.obj"), false), DeleteFailed);
    EXPECT_EQ(DeleteFileItem(fs, Chosen(L"link.obj"), true), DeleteFailed);
    EXPECT_EQ(DeleteFolderItem(fs, state, Chosen(L"link.obj"), true), DeleteFailed);
    ExpectOutsideIntact();
}

}  // namespace
}  // namespace vantrel

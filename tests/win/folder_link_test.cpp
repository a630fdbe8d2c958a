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
#include <string>

#include "engine/clean.h"
#include "engine/scan.h"
#include "tests/host/fakes/fake_run_view.h"
#include "tests/win/support/temp_tree.h"
#include "win32/win32_file_system.h"

namespace vantrel {
namespace {

using testing::FakeRunView;
using testing::PathExists;
using testing::TempTree;

class FolderLinkTest : public ::testing::Test {
  protected:
    std::wstring root;
    Win32FileSystem fs;
    FakeRunView view;
    RunState state;
    RunOptions options;
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
        options.filter = L"*";
        options.scan_subfolders = true;
        options.delete_files = true;
        options.delete_folders = false;
        options.delete_empty_files = true;
        options.delete_empty_folders = true;
        options.delete_read_only = true;
        options.recycle = false;
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
        options.recycle = recycle;
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
    options.filter = L"link.obj;holder";
    options.delete_files = false;
    options.delete_folders = true;
    ScanAndCleanPhases(ctx);
    EXPECT_EQ(StatusOf(Chosen(L"link.obj")), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(Chosen(L"holder")), ItemStatus::Failed);
    EXPECT_FALSE(PathExists(Chosen(L"holder\\own.txt"))) << "the rest of the folder goes";
    EXPECT_TRUE(PathExists(Chosen(L"holder\\inner")));
    ExpectOutsideIntact();
}

TEST_F(FolderLinkTest, RecycleBinIsNotGivenLinks) {
    options.filter = L"link.obj;holder";
    options.delete_files = false;
    options.delete_folders = true;
    options.recycle = true;
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

// --- a folder swapped for a link between the scan and the clean ---

// The Unix path of a Windows path under Wine; empty elsewhere.
std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    const auto to_unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix_path = to_unix != nullptr ? to_unix(path.c_str()) : nullptr;
    if (unix_path == nullptr) {
        return std::string();
    }
    std::string result(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

// Starts a command of the Unix shell, as a build tool on the Linux side would; Wine starts
// Unix programs. Wine shows a Unix symlink to a folder as a folder link, and a Windows
// program cannot make one there.
bool StartUnixShell(const std::string& command) {
    std::wstring line = L"sh -c \"";
    line.append(command.begin(), command.end());
    line += L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits up to ten seconds for `path` to exist (`exists`) or to be gone.
bool WaitFor(const std::wstring& path, bool exists) {
    for (int tries = 0; tries < 200; ++tries) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

class FolderSwapTest : public ::testing::Test {
  protected:
    TempTree tree{L"swap"};
    std::string unix_root;
    Win32FileSystem fs;
    FakeRunView view;
    RunState state;
    RunOptions options;
    RunContext ctx{view, fs, state, options};

    void SetUp() override {
        unix_root = UnixPath(tree.Root());
        if (unix_root.empty()) {
            GTEST_SKIP() << "not under Wine: no Unix side to make a link with";
        }
        tree.File(L"root\\out\\a.obj");
        tree.File(L"root\\out\\Debug\\x.obj");
        tree.File(L"outside\\a.obj");
        tree.File(L"outside\\Debug\\x.obj");
        options.filter = L"*.obj;Debug";
        options.delete_files = true;
        options.delete_folders = true;
        options.scan_subfolders = true;
        options.delete_empty_files = false;
        options.delete_empty_folders = false;
        options.delete_read_only = false;
    }
    void TearDown() override {
        if (!unix_root.empty() && StartUnixShell("rm -rf '" + unix_root + "'")) {
            WaitFor(tree.Root(), false);  // rm removes links as links
        }
    }
    // Runs a Unix shell command to its end: Wine cannot wait for a Unix process, so the
    // command leaves a marker when it is done.
    bool RunUnixShell(const std::string& command) {
        const std::wstring marker = tree.Path(L"done" + std::to_wstring(++commands_));
        if (!StartUnixShell(command + "; touch '" + UnixPath(marker) + "'") ||
            !WaitFor(marker, true)) {
            return false;
        }
        return DeleteFileW(marker.c_str()) != FALSE;
    }
    int commands_ = 0;
    void ExpectOutsideIntact() {
        EXPECT_TRUE(PathExists(tree.Path(L"outside\\a.obj")));
        EXPECT_TRUE(PathExists(tree.Path(L"outside\\Debug\\x.obj")));
    }
};

TEST_F(FolderSwapTest, AFolderSwappedForALinkAfterTheScanStopsTheClean) {
    for (int recycle = 0; recycle <= 1; ++recycle) {
        view.folders.clear();
        view.files.clear();
        view.AddFolder(tree.Path(L"root"));
        options.recycle = recycle;
        ScanAllFolders(ctx);
        ASSERT_EQ(view.FilePaths(), (std::vector<std::wstring>{tree.Path(L"root\\out\\a.obj"),
                                                               tree.Path(L"root\\out\\Debug")}));
        ASSERT_TRUE(RunUnixShell("cd '" + unix_root + "/root' && mv out out" +
                                 std::to_string(recycle) + " && ln -s ../outside out"));
        ASSERT_NE(
            GetFileAttributesW(tree.Path(L"root\\out").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
        CleanAllItems(ctx);
        for (const auto& row : view.files) {
            EXPECT_EQ(row.item.status, ItemStatus::Failed) << recycle;
            EXPECT_EQ(row.item.reason, L"A folder on its path is now a link") << recycle;
        }
        ExpectOutsideIntact();
        EXPECT_EQ(fs.HeldFolderCount(), 0u);
        RunUnixShell("cd '" + unix_root + "/root' && rm out && mv out" + std::to_string(recycle) +
                     " out");
    }
}

TEST_F(FolderSwapTest, AChosenFolderThatIsALinkIsNotScanned) {
    ASSERT_TRUE(RunUnixShell("cd '" + unix_root + "' && ln -s outside chosen"));
    view.AddFolder(tree.Path(L"chosen"));
    ScanAllFolders(ctx);
    EXPECT_EQ(view.folders[0].item.status, ItemStatus::Failed);
    EXPECT_EQ(view.folders[0].item.reason,
              L"The folder is a link, and Vantrel does not follow links");
    EXPECT_TRUE(view.files.empty());
}

TEST_F(FolderSwapTest, HeldFoldersCannotBeRenamed) {
    ASSERT_EQ(fs.HoldFolder(tree.Path(L"root")), 0u);
    ASSERT_EQ(fs.HoldFolder(tree.Path(L"root\\out")), 0u);
    EXPECT_FALSE(MoveFileW(tree.Path(L"root\\out").c_str(), tree.Path(L"root\\moved").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(fs.HoldFolder(tree.Path(L"root\\out\\a.obj")), 267u) << "a file is no folder";
    fs.ReleaseFolders(0);
    EXPECT_TRUE(MoveFileW(tree.Path(L"root\\out").c_str(), tree.Path(L"root\\moved").c_str()));
}

}  // namespace
}  // namespace vantrel

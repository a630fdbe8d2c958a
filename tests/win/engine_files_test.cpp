// The scan and the clean on real folders under Wine: permanent deletion, read-only and
// locked files, long paths, large sparse files and the Recycle Bin.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/clean.h"
#include "engine/scan.h"
#include "tests/host/fakes/fake_run_view.h"
#include "tests/win/support/temp_tree.h"
#include "win32/long_path.h"
#include "win32/redirection.h"
#include "win32/shell_delete.h"
#include "win32/win32_file_system.h"

namespace vantrel {
namespace {

using testing::FakeRunView;
using testing::PathExists;
using testing::TempTree;
using Paths = std::vector<std::wstring>;

class EngineFilesTest : public ::testing::Test {
  protected:
    TempTree tree{L"engine"};
    Win32FileSystem fs;
    FakeRunView view;
    RunState state;
    RunOptions options;
    RunContext ctx{view, fs, state, options};

    void SetUp() override {
        options.filter = L"*.obj";
        options.scan_subfolders = true;
        options.delete_files = true;
        options.delete_folders = false;
        options.delete_empty_files = false;
        options.delete_empty_folders = false;
        options.delete_read_only = false;
        options.recycle = false;
    }
    void ScanAndClean() {
        view.files.clear();
        state.ResetForRun();
        ScanAndCleanPhases(ctx);
    }
    Paths Relative(const Paths& paths) const {
        Paths relative;
        for (const std::wstring& path : paths) {
            relative.push_back(path.substr(tree.Root().size() + 1));
        }
        return relative;
    }
    ItemStatus StatusOf(const std::wstring& relative) const {
        for (const auto& row : view.files) {
            if (row.item.path == tree.Path(relative)) {
                return row.item.status;
            }
        }
        return ItemStatus::None;
    }
};

TEST_F(EngineFilesTest, ScanThenCleanPermanently) {
    tree.File(L"a.obj");
    tree.File(L"sub\\b.OBJ");
    tree.File(L"sub\\c.txt");
    tree.File(L"sub\\hidden.obj", "x", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.File(L"zero.txt", "");
    tree.Folder(L"empty");
    view.AddFolder(tree.Root());
    options.delete_empty_files = true;
    options.delete_empty_folders = true;
    ScanAndClean();

    Paths listed = Relative(view.FilePaths());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Paths{L"a.obj", L"empty", L"sub\\b.OBJ", L"sub\\hidden.obj", L"zero.txt"}));
    EXPECT_EQ(view.folders[0].item.found_count, 5);
    for (const auto& row : view.files) {
        EXPECT_EQ(row.item.status, ItemStatus::Done);
        EXPECT_FALSE(PathExists(row.item.path));
    }
    EXPECT_TRUE(PathExists(tree.Path(L"sub\\c.txt")));

    // The next scan finds nothing more; a second clean of the old rows ends "Not exists".
    const auto old_rows = view.files;
    ScanAndClean();
    EXPECT_TRUE(view.files.empty());
    view.files = old_rows;
    CleanAllItems(ctx);
    for (const auto& row : view.files) {
        EXPECT_EQ(row.item.status, ItemStatus::NotExists);
    }
}

// Names that ordinary Win32 path parsing trims ("notes." reads as "notes") beside their
// trimmed twins: the clean deletes exactly the listed item permanently, and the Recycle Bin,
// which cannot take such a name, leaves it "Failed"; a twin is never touched.
TEST_F(EngineFilesTest, TrimmedNamesAreAddressedExactlyBesideTheirTwins) {
    struct Listed {
        const wchar_t* relative;
        ItemStatus permanent;
        ItemStatus recycled;
    };
    const Listed listed[] = {
        {L"notes.", ItemStatus::Done, ItemStatus::Failed},  // 0 bytes, beside "notes"
        {L"blank ", ItemStatus::Done, ItemStatus::Failed},
        {L"deep.\\x.zzz", ItemStatus::Done, ItemStatus::Failed},  // inside a trimmed folder
        {L"gone.", ItemStatus::Done, ItemStatus::Failed},         // matched, with content
        {L"dir ", ItemStatus::Done, ItemStatus::Failed},          // empty folder
    };
    const wchar_t* const twins[] = {L"notes", L"blank", L"deep\\x.txt", L"gone\\f.txt",
                                    L"dir\\f.txt"};
    for (const bool recycle : {false, true}) {
        TempTree trimmed(L"trimmed");
        trimmed.File(L"notes.", "");
        trimmed.File(L"blank ", "");
        trimmed.File(L"deep.\\x.zzz");
        trimmed.File(L"gone.\\f.txt");
        trimmed.Folder(L"dir ");
        for (const wchar_t* twin : twins) {
            trimmed.File(twin, "hello");
        }
        view.files.clear();
        view.folders.clear();
        view.AddFolder(trimmed.Root());
        options.filter = L"*.zzz;gone.";
        options.delete_folders = true;
        options.delete_empty_files = true;
        options.delete_empty_folders = true;
        options.recycle = recycle ? 1 : 0;
        state.ResetForRun();
        ScanAndCleanPhases(ctx);

        // Listed under their own names (and only they: every twin holds something).
        ASSERT_EQ(view.files.size(), std::size(listed)) << recycle;
        for (const Listed& item : listed) {
            const std::wstring path = trimmed.Path(item.relative);
            const auto row = std::find_if(view.files.begin(), view.files.end(),
                                          [&](const auto& r) { return r.item.path == path; });
            ASSERT_NE(row, view.files.end()) << recycle;
            const ItemStatus expected = recycle ? item.recycled : item.permanent;
            EXPECT_EQ(row->item.status, expected) << recycle;
            EXPECT_EQ(PathExists(path), expected != ItemStatus::Done) << recycle;
        }
        for (const wchar_t* twin : twins) {
            EXPECT_TRUE(PathExists(trimmed.Path(twin))) << recycle;
        }
    }
}

// A folder listed because it was empty and filled before the clean keeps what it holds,
// permanently and with the Recycle Bin; one still empty goes.
TEST_F(EngineFilesTest, AFolderListedAsEmptyIsRemovedOnlyWhileItStillIs) {
    for (const bool recycle : {false, true}) {
        TempTree emptied(L"emptied");
        emptied.Folder(L"filled");
        if (!recycle) {
            emptied.Folder(L"empty");
        }
        view.files.clear();
        view.folders.clear();
        view.AddFolder(emptied.Root());
        options.delete_empty_folders = true;
        options.recycle = recycle ? 1 : 0;
        state.ResetForRun();
        ScanAllFolders(ctx);
        ASSERT_EQ(view.files.size(), recycle ? 1u : 2u);
        const std::wstring written = emptied.File(L"filled\\written.txt");
        CleanAllItems(ctx);
        for (const auto& row : view.files) {
            const bool filled = row.item.path == emptied.Path(L"filled");
            EXPECT_EQ(row.item.status, filled ? ItemStatus::Failed : ItemStatus::Done) << recycle;
            EXPECT_EQ(PathExists(row.item.path), filled) << recycle;
        }
        EXPECT_TRUE(PathExists(written)) << recycle;
    }
}

// A 32-bit program on 64-bit Windows: a folder chosen in System32 is walked and cleaned
// there, not in its SysWOW64 twin that the redirection would substitute; the Recycle Bin,
// which cannot avoid the redirection, is refused.
TEST_F(EngineFilesTest, TheSystemFolderChosenIsTheOneCleanedNotItsRedirectedTwin) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) {
        GTEST_SKIP() << "no file-system redirection here: not a 32-bit process on 64-bit Windows";
    }
    std::wstring system(MAX_PATH, L'\0');
    system.resize(GetSystemDirectoryW(system.data(), MAX_PATH));
    std::wstring wow(MAX_PATH, L'\0');
    wow.resize(GetSystemWow64DirectoryW(wow.data(), MAX_PATH));
    const std::wstring name = L"\\vantrel-wow64-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring chosen = system + name;
    const std::wstring twin = wow + name;
    auto make = [](const std::wstring& folder, std::initializer_list<const wchar_t*> files) {
        const RedirectionOff redirection_off;
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* file : files) {
            CloseHandle(CreateFileW((folder + L"\\" + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr));
        }
    };
    make(chosen, {L"a.obj"});
    make(twin, {L"a.obj", L"b.obj"});

    view.AddFolder(chosen);
    ScanAndClean();
    EXPECT_EQ(view.FilePaths(), Paths{chosen + L"\\a.obj"});
    EXPECT_EQ(view.files.size() == 1 ? view.files[0].item.status : ItemStatus::None,
              ItemStatus::Done);
    EXPECT_FALSE(fs.Exists(chosen + L"\\a.obj"));
    EXPECT_TRUE(PathExists(twin + L"\\a.obj"));
    EXPECT_TRUE(PathExists(twin + L"\\b.obj"));
    EXPECT_FALSE(fs.Recycle(chosen));
    EXPECT_TRUE(fs.Exists(chosen));

    RunState idle;
    EXPECT_EQ(DeleteFolderTree(fs, idle, chosen), 0);
    EXPECT_EQ(DeleteFolderTree(fs, idle, twin), 0);
}

TEST_F(EngineFilesTest, KeepAgeAndFolderTotalsOnRealTimes) {
    tree.File(L"old\\Debug\\a.obj", std::string(1000, 'a'));
    tree.File(L"old\\Debug\\sub\\b.bin", std::string(234, 'b'));
    tree.File(L"fresh\\Debug\\x.bin");
    tree.File(L"fresh\\Debug\\deep\\new.bin");
    tree.File(L"marked\\Debug\\y.bin");
    tree.File(L"marked\\.vantrelkeep", "");
    tree.File(L"lib.pdb");
    tree.File(L"main.obj");
    tree.File(L"today.obj");
    // Content first, then its folders: writing into a folder makes the folder new.
    for (const wchar_t* item :
         {L"old\\Debug\\a.obj", L"old\\Debug\\sub\\b.bin", L"old\\Debug\\sub", L"old\\Debug",
          L"fresh\\Debug\\x.bin", L"fresh\\Debug\\deep", L"fresh\\Debug", L"marked\\Debug\\y.bin",
          L"marked\\Debug", L"lib.pdb", L"main.obj"}) {
        ASSERT_TRUE(tree.SetAge(item, 400)) << item;
    }
    ASSERT_TRUE(tree.SetAge(L"old\\Debug\\sub\\b.bin", 30));
    view.AddFolder(tree.Root());
    options.filter = L"Debug;*.obj;*.pdb";
    options.keep = L"*.pdb";
    options.older_than_days = 7;
    options.delete_folders = true;
    ScanAllFolders(ctx);

    ASSERT_EQ(Relative(view.FilePaths()), (Paths{L"main.obj", L"old\\Debug"}));
    EXPECT_EQ(view.files[1].item.size, 1234);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t age = ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                         view.files[1].item.modified;
    EXPECT_NEAR(static_cast<double>(age) / 864000000000.0, 30.0, 0.01);  // the newest inside
    EXPECT_EQ(view.folders[0].item.held_back_count, 2);                  // fresh\Debug, today.obj

    CleanAllItems(ctx);
    EXPECT_FALSE(PathExists(tree.Path(L"old\\Debug")));
    for (const wchar_t* kept :
         {L"fresh\\Debug\\deep\\new.bin", L"marked\\Debug\\y.bin", L"lib.pdb", L"today.obj"}) {
        EXPECT_TRUE(PathExists(tree.Path(kept))) << kept;
    }
}

TEST_F(EngineFilesTest, ReadOnlyFilesWithAndWithoutDeleteReadOnlys) {
    tree.File(L"ro.obj", "x", FILE_ATTRIBUTE_READONLY);
    tree.File(L"Debug\\inner_ro.txt", "x", FILE_ATTRIBUTE_READONLY);
    view.AddFolder(tree.Root());
    options.filter = L"*.obj;Debug";
    options.delete_folders = true;
    ScanAndClean();
    EXPECT_EQ(StatusOf(L"ro.obj"), ItemStatus::ReadOnly);
    EXPECT_TRUE(PathExists(tree.Path(L"ro.obj")));
    // The listed folder is not read-only itself: its read-only content goes with it.
    EXPECT_EQ(StatusOf(L"Debug"), ItemStatus::Done);
    EXPECT_FALSE(PathExists(tree.Path(L"Debug")));

    options.delete_read_only = true;
    ScanAndClean();
    EXPECT_EQ(StatusOf(L"ro.obj"), ItemStatus::Done);
    EXPECT_FALSE(PathExists(tree.Path(L"ro.obj")));
}

TEST_F(EngineFilesTest, LockedFileFailsItsSiblingsGo) {
    tree.File(L"Debug\\a.txt");
    tree.File(L"Debug\\sub\\b.txt");
    const std::wstring locked = tree.File(L"Debug\\locked.txt");
    tree.File(L"locked.obj");
    view.AddFolder(tree.Root());
    options.filter = L"Debug;*.obj";
    options.delete_folders = true;
    HANDLE hold = CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    HANDLE hold_file = CreateFileW(tree.Path(L"locked.obj").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    ASSERT_NE(hold_file, INVALID_HANDLE_VALUE);
    ScanAndClean();
    CloseHandle(hold);
    CloseHandle(hold_file);
    EXPECT_EQ(StatusOf(L"Debug"), ItemStatus::Failed);
    EXPECT_EQ(StatusOf(L"locked.obj"), ItemStatus::Failed);
    // Both say why in the system's words, in one line.
    const std::wstring in_use = fs.ErrorText(ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(in_use.empty());
    EXPECT_EQ(in_use.find_first_of(L"\r\n"), std::wstring::npos);
    for (const auto& row : view.files) {
        EXPECT_EQ(row.item.reason, in_use);
    }
    EXPECT_TRUE(PathExists(locked));
    EXPECT_FALSE(PathExists(tree.Path(L"Debug\\a.txt")));
    EXPECT_FALSE(PathExists(tree.Path(L"Debug\\sub")));
}

TEST_F(EngineFilesTest, TreeDeeperThanMaxPathIsCleanedCompletely) {
    std::wstring deep;
    for (int level = 0; level < 30; ++level) {
        deep += L"folder_with_a_long_name_" + std::to_wstring(level) + L"\\";
    }
    ASSERT_GT(tree.Path(deep).size(), 600u);
    tree.File(deep + L"deep.obj");
    tree.File(deep + L"deep.txt");
    tree.File(L"folder_with_a_long_name_0\\top.dat");
    view.AddFolder(tree.Path(L"folder_with_a_long_name_0"));
    ScanAndClean();
    ASSERT_EQ(Relative(view.FilePaths()), (Paths{deep + L"deep.obj"}));
    EXPECT_EQ(view.files[0].item.status, ItemStatus::Done);
    EXPECT_TRUE(PathExists(tree.Path(deep + L"deep.txt")));

    // Recycle Bin: the shell cannot take such a path; nothing is deleted.
    options.filter = L"*.txt";
    options.recycle = true;
    ScanAndClean();
    EXPECT_EQ(StatusOf(deep + L"deep.txt"), ItemStatus::Failed);
    EXPECT_TRUE(PathExists(tree.Path(deep + L"deep.txt")));

    // Permanently, the whole deep tree goes as one folder item.
    options.filter = L"folder_with_a_long_name_1";
    options.delete_folders = true;
    options.recycle = false;
    ScanAndClean();
    EXPECT_EQ(StatusOf(L"folder_with_a_long_name_0\\folder_with_a_long_name_1"), ItemStatus::Done);
    EXPECT_FALSE(PathExists(tree.Path(L"folder_with_a_long_name_0\\folder_with_a_long_name_1")));
}

TEST_F(EngineFilesTest, FourGibibyteSparseFileIsNotEmpty) {
    const std::wstring big = tree.File(L"big.bin", "");
    HANDLE file = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 4294967296LL;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    view.AddFolder(tree.Root());
    options.delete_files = false;
    options.delete_empty_files = true;
    ScanAndClean();
    EXPECT_TRUE(view.files.empty());
    options.delete_files = true;
    options.filter = L"*.bin";
    view.files.clear();
    state.ResetForRun();
    ScanAllFolders(ctx);
    ASSERT_EQ(view.files.size(), 1u);
    EXPECT_EQ(view.files[0].item.size, 4294967296LL);
}

TEST_F(EngineFilesTest, ListingReportsEntriesAndRefusesAnEmptyPath) {
    tree.File(L"a.txt", "12345");
    EXPECT_EQ(fs.OpenListing(L""), nullptr);
    EXPECT_EQ(fs.OpenListing(tree.Path(L"missing")), nullptr);
    auto listing = fs.OpenListing(tree.Root());
    ASSERT_NE(listing, nullptr);
    DirEntry entry;
    Paths names;
    while (listing->Next(entry)) {
        names.push_back(entry.name);
        if (entry.name == L"a.txt") {
            EXPECT_EQ(entry.size, 5);
            EXPECT_EQ(entry.attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
        }
    }
    EXPECT_EQ(listing->GetState(), FolderListing::State::Complete);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Paths{L".", L"..", L"a.txt"}));
}

// --- Recycle Bin ---

std::wstring TrashFolder() {
    // Wine's Recycle Bin is the XDG trash of the Unix user.
    // Wine hides HOME from Windows programs but passes it as WINEHOMEDIR ("\??\Z:\root").
    std::wstring base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
        base = L"Z:";
        for (const char* c = data; *c != '\0'; ++c) {
            base.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
        }
    } else if (const wchar_t* home = _wgetenv(L"WINEHOMEDIR"); home != nullptr) {
        base = home;
        if (base.rfind(L"\\??\\", 0) == 0) {
            base.erase(0, 4);
        }
        base += L"\\.local\\share";
    }
    return base + L"\\Trash\\files";
}

TEST_F(EngineFilesTest, RecycleBinReceivesFilesAndFolders) {
    const std::wstring tag =
        std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
    const std::wstring file_name = L"recycled_" + tag + L".obj";
    const std::wstring folder_name = L"Recycled_" + tag;
    tree.File(file_name, "x", FILE_ATTRIBUTE_READONLY);
    tree.File(folder_name + L"\\inner.txt");
    view.AddFolder(tree.Root());
    options.filter = L"*.obj;Recycled_*";
    options.delete_folders = true;
    options.delete_read_only = true;
    options.recycle = true;
    ScanAndClean();
    EXPECT_EQ(StatusOf(file_name), ItemStatus::Done);
    EXPECT_EQ(StatusOf(folder_name), ItemStatus::Done);
    EXPECT_FALSE(PathExists(tree.Path(file_name)));
    EXPECT_FALSE(PathExists(tree.Path(folder_name)));

    const std::wstring trash = TrashFolder();
    EXPECT_TRUE(PathExists(trash + L"\\" + file_name)) << std::string(trash.begin(), trash.end());
    EXPECT_TRUE(PathExists(trash + L"\\" + folder_name + L"\\inner.txt"));

    // Leave the trash as it was.
    RunState idle;
    DeleteFileItem(fs, trash + L"\\" + file_name, false);
    DeleteFolderTree(fs, idle, trash + L"\\" + folder_name);
    const std::wstring info = trash.substr(0, trash.size() - 5) + L"info\\";
    DeleteFileItem(fs, info + file_name + L".trashinfo", false);
    DeleteFileItem(fs, info + folder_name + L".trashinfo", false);
}

TEST_F(EngineFilesTest, ShellDeleteRefusesPathsItCannotTakeExactly) {
    const std::wstring file = tree.File(L"keep.obj");
    EXPECT_FALSE(ShellDelete(tree.Path(L"*.obj"), kRecycleFlags, nullptr));
    EXPECT_FALSE(ShellDelete(L"", kRecycleFlags, nullptr));
    EXPECT_FALSE(ShellDelete(L"keep.obj", kRecycleFlags, nullptr));
    EXPECT_TRUE(PathExists(file));
}

}  // namespace
}  // namespace vantrel

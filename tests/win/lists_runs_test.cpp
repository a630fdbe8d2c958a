// The main window's folder list, file list and runs, driven in-process by messages over
// real temporary trees.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "tests/win/support/temp_tree.h"
#include "ui/controls/display_helpers.h"
#include "ui/controls/ui_resources.h"
#include "ui/controls/window_text.h"
#include "ui/main/main_dlg.h"
#include "ui/model/compare_rules.h"

namespace vantrel {
namespace {

using testing::PathExists;
using testing::TempTree;

std::wstring CellText(HWND list, int row, int column) {
    std::vector<wchar_t> buffer(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer.data();
}

std::wstring HeaderText(HWND list) {
    std::vector<wchar_t> buffer(256, L'\0');
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer.data();
    column.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    return buffer.data();
}

int StateIndex(HWND list, int row) {
    const auto state =
        SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

void SelectRow(HWND list, int row, bool select) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = select ? LVIS_SELECTED : 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// A drop of the given names as the shell hands it over (wide names, double terminated).
HDROP MakeDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const auto& name : names) {
        chars += name.size() + 1;
    }
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const auto& name : names) {
        std::copy(name.begin(), name.end(), text);
        text += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class ListsRunsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
        settings.CustomIndex = LoadPresets(profile, settings.Presets);
        settings.ShowFileSizes = 1;
    }
    void TearDown() override { dialog.reset(); }

    CMainDlg& Open(const CommandLineRequest* request = nullptr) {
        dialog = std::make_unique<CMainDlg>(settings, resources, profile, request, nullptr);
        EXPECT_NE(dialog->CreateModeless(nullptr), nullptr);
        dialog->PumpPendingMessages();
        return *dialog;
    }
    HWND Item(int id) const { return dialog->Item(id); }
    HWND Folders() const { return Item(IDC_FOLDER_LIST); }
    HWND Files() const { return Item(IDC_FILE_LIST); }

    // Options as a user sets them in the controls.
    void SetOptions(const wchar_t* filter, std::initializer_list<int> checked) {
        SetWindowTextW(Item(IDC_FILTER_EDIT), filter);
        for (int id : {IDC_DELETE_FILES, IDC_DELETE_FOLDERS, IDC_DELETE_EMPTY_FILES,
                       IDC_DELETE_EMPTY_FOLDERS, IDC_SCAN_SUBFOLDERS, IDC_DELETE_READONLYS,
                       IDC_RECYCLE_FILES}) {
            const bool on = std::find(checked.begin(), checked.end(), id) != checked.end();
            CheckDlgButton(dialog->hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED);
        }
        dialog->PumpPendingMessages();
    }
    void Click(int id) {
        SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    void Command(int id) { SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Pumps until `done` holds or the time is up.
    template <typename Done>
    bool PumpUntil(Done done, DWORD milliseconds = 20000) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > milliseconds) {
                return false;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            dialog->PumpPendingMessages();
        }
        return true;
    }
    bool WaitIdle() {
        return PumpUntil([this] { return !dialog->IsBusy(); });
    }
    void Run(int button) {
        Click(button);
        ASSERT_TRUE(WaitIdle());
    }
    std::vector<std::wstring> FilePaths() {
        std::vector<std::wstring> paths;
        for (int row = 0; row < dialog->Files().RowCount(); ++row) {
            paths.push_back(dialog->Files().Record(row)->path);
        }
        return paths;
    }

    CUiResources resources;
    MemoryRegistryProfile profile;
    AppSettings settings;
    std::unique_ptr<CMainDlg> dialog;
};

TEST_F(ListsRunsTest, AddingFoldersComparesTheirAbsoluteFormsAndCountsInTheHeader) {
    TempTree tree(L"add");
    const std::wstring folder = tree.Folder(L"Temp");
    const std::wstring dotted = tree.Folder(L"Temp.");  // a name Windows would trim to "Temp"
    Open();
    EXPECT_EQ(HeaderText(Folders()), L"Folder");
    std::wstring lower = folder;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);

    struct Case {
        std::wstring path;
        int expected_row;
    } cases[] = {
        {lower, 0},                        // first addition
        {folder, -1},                      // the same folder in another case
        {folder + L"\\", -1},              // with a trailing backslash
        {L"\\\\?\\" + folder, -1},         // in the literal form
        {dotted, 1},                       // its twin with a trailing dot is another folder
        {folder + L"\\.\\..\\Temp.", -1},  // and that one is now listed too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dialog->AddFolder(c.path), c.expected_row) << c.path;
    }
    EXPECT_EQ(HeaderText(Folders()), L"Folder (2)");
    EXPECT_EQ(dialog->Folders().Paths(), (std::vector<std::wstring>{lower, dotted}));
    EXPECT_EQ(settings.LastFolder, dotted);
    EXPECT_EQ(CellText(Folders(), 0, 0), lower);
    const FolderItem* record = dialog->Folders().Record(0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->found_count, 0);
    EXPECT_EQ(record->status, ItemStatus::None);
}

TEST_F(ListsRunsTest, DroppingAddsOnlyFoldersOnceInDropOrderWithTheirWholeNames) {
    TempTree tree(L"drop");
    const std::wstring b = tree.Folder(L"b");
    const std::wstring a = tree.Folder(L"a");
    const std::wstring file = tree.File(L"file.txt");
    // A long name: a drop is read at its real length, never cut to another path.
    const std::wstring deep =
        tree.Folder(std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e') + L"\\" +
                    std::wstring(120, L'f'));
    Open();
    SendMessageW(dialog->hwnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({b, file, a, b, deep, tree.Path(L"gone")})), 0);
    ASSERT_EQ(dialog->Folders().RowCount(), 3);
    EXPECT_EQ(dialog->Folders().Paths(), (std::vector<std::wstring>{b, a, deep}));
    EXPECT_EQ(settings.LastFolder, deep);
}

TEST_F(ListsRunsTest, RemovingScatteredSelectedRowsKeepsTheOthers) {
    TempTree tree(L"remove");
    Open();
    std::vector<std::wstring> folders;
    for (int i = 0; i < 5; ++i) {
        folders.push_back(tree.Folder(L"f" + std::to_wstring(i)));
        dialog->AddFolder(folders.back());
    }
    for (int row : {0, 2, 4}) {
        SelectRow(Folders(), row, true);
    }
    Command(ID_FOLDER_REMOVE);
    EXPECT_EQ(dialog->Folders().Paths(), (std::vector<std::wstring>{folders[1], folders[3]}));
    EXPECT_EQ(HeaderText(Folders()), L"Folder (2)");
    Command(ID_FOLDER_REMOVE_ALL);
    EXPECT_EQ(dialog->Folders().RowCount(), 0);
    EXPECT_EQ(HeaderText(Folders()), L"Folder");
}

TEST_F(ListsRunsTest, DoubleClickPostsOpenOrAddByTheSelection) {
    TempTree tree(L"dblclk");
    Open();
    dialog->AddFolder(tree.Folder(L"x"));
    EXPECT_EQ(dialog->Folders().DoubleClickCommand(), ID_FOLDER_ADD);
    SelectRow(Folders(), 0, true);
    EXPECT_EQ(dialog->Folders().DoubleClickCommand(), ID_FOLDER_OPEN);
    EXPECT_EQ(dialog->Files().DoubleClickCommand(), 0);
}

TEST_F(ListsRunsTest, ScanFillsTheFileListWithNamesExtensionsSizesFoldersAndIcons) {
    TempTree tree(L"scan");
    tree.File(L"small.O", std::string(1023, 'x'));
    tree.File(L"empty.o", "");
    tree.File(L"sub\\big.tar.o", std::string(1048576, 'x'));
    tree.File(L"keep.txt");
    tree.Folder(L"obj.o");
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES, IDC_DELETE_FOLDERS, IDC_SCAN_SUBFOLDERS});
    Run(IDC_SCAN);

    ASSERT_EQ(dialog->Files().RowCount(), 4);
    EXPECT_EQ(HeaderText(Files()), L"Name (4)");
    EXPECT_EQ(CellText(Folders(), 0, 1), L"4");
    struct Row {
        std::wstring relative, name, ext, size;
    } expected[] = {
        {L"small.O", L"small.O", L"o", L"0 KB"},
        {L"empty.o", L"empty.o", L"o", L"0 KB"},
        {L"sub\\big.tar.o", L"big.tar.o", L"o", L"1,024 KB"},
        {L"obj.o", L"obj.o", L"", L"0 KB"},  // a matched folder shows its total
    };
    for (const Row& want : expected) {
        const std::wstring path = tree.Path(want.relative);
        const auto paths = FilePaths();
        const auto at = std::find(paths.begin(), paths.end(), path);
        ASSERT_NE(at, paths.end()) << path;
        const int row = static_cast<int>(at - paths.begin());
        EXPECT_EQ(CellText(Files(), row, 0), want.name);
        EXPECT_EQ(CellText(Files(), row, 1), want.ext);
        EXPECT_EQ(CellText(Files(), row, 2), want.size) << path;
        EXPECT_EQ(CellText(Files(), row, kFileFolderColumn), GetParentFolder(path));
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(Files(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.iImage, 0);
    }
    // Back to idle: Close shown, Stop hidden, the Scan button's text restored.
    EXPECT_TRUE(IsWindowVisible(Item(kCloseButtonId)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_STOP)));
    EXPECT_EQ(GetWindowTextString(Item(IDC_SCAN)), L"Scan");
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_FILTER_EDIT)));

    // Every column of the file list sorts by its records.
    for (int column = 0; column <= kFileStatusColumn; ++column) {
        dialog->FileList().OnHeaderClick(column);
        const SortState& sort = dialog->FileList().GetSortState();
        for (int row = 1; row < dialog->Files().RowCount(); ++row) {
            EXPECT_LE(CompareFileRecords(*dialog->Files().Record(row - 1),
                                         *dialog->Files().Record(row), sort),
                      0)
                << "column " << column;
        }
    }
}

// Rows as a scan records them: a matched folder with its total and newest write, a file, an
// empty folder; the folder row's count of items held back as too new.
TEST_F(ListsRunsTest, SizeAndModifiedShowTheRecordsSortByValueAndTheSummaryAddsThemUp) {
    Open();
    SYSTEMTIME utc{2024, 3, 2, 5, 14, 7, 0, 0};
    FILETIME written{};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &written));
    const uint64_t time = (uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
    const uint64_t day = 864000000000ULL;
    const struct {
        const wchar_t* path;
        int64_t size;
        uint32_t attributes;
        uint64_t modified;
        const wchar_t* size_text;
    } rows[] = {
        {L"C:\\p\\build", 3 << 20, FILE_ATTRIBUTE_DIRECTORY, time + day, L"3,072 KB"},
        {L"C:\\p\\a.o", 2048, FILE_ATTRIBUTE_ARCHIVE, time, L"2 KB"},
        {L"C:\\p\\empty", -1, FILE_ATTRIBUTE_DIRECTORY, 0, L""},
    };
    for (const auto& row : rows) {
        FileItem item{row.path, row.size, row.attributes, ItemStatus::None};
        item.modified = row.modified;
        dialog->Files().Rows().Append(std::move(item), true);
    }
    dialog->Folders().Rows().Append(FolderItem{L"C:\\p", 3, ItemStatus::Done, L"", 2});
    dialog->Files().Refresh();
    dialog->Folders().Refresh();
    dialog->ShowRunSummary();
    EXPECT_EQ(GetWindowTextString(Item(IDC_RUN_SUMMARY)),
              L"A clean frees 3,074 KB (3 items); 2 held back as too new");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(CellText(Files(), row, kFileSizeColumn), rows[row].size_text) << row;
        const std::wstring modified = CellText(Files(), row, kFileModifiedColumn);
        if (rows[row].modified == 0) {
            EXPECT_EQ(modified, L"");
        } else {
            // Local time of the user's formats: the year and the minutes survive any zone.
            EXPECT_NE(modified.find(L"2024"), std::wstring::npos) << modified;
            EXPECT_NE(modified.find(L":07"), std::wstring::npos) << modified;
        }
    }
    // Both sort by the number: the empty folder first, then the file, then the folder.
    for (int column : {kFileSizeColumn, kFileModifiedColumn}) {
        dialog->FileList().OnHeaderClick(column);
        if (dialog->FileList().GetSortState().direction < 0) {
            dialog->FileList().OnHeaderClick(column);
        }
        EXPECT_EQ(FilePaths(),
                  (std::vector<std::wstring>{rows[2].path, rows[1].path, rows[0].path}))
            << column;
    }
}

TEST_F(ListsRunsTest, AfterAScanLongerThanThePageTheNewestRowIsInViewAndTypingFindsRows) {
    TempTree tree(L"follow");
    for (int i = 0; i < 80; ++i) {
        tree.File(L"f" + std::to_wstring(i) + L".o");
    }
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    ASSERT_EQ(dialog->Files().RowCount(), 80);
    const int top = static_cast<int>(SendMessageW(Files(), LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageW(Files(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(top, 0);
    EXPECT_GE(top + page, 80);

    // Type-ahead: the list asks for the first row from its start whose name begins with
    // what was typed, wrapping to the top.
    const auto paths = FilePaths();
    const int f79 = static_cast<int>(std::find(paths.begin(), paths.end(), tree.Path(L"f79.o")) -
                                     paths.begin());
    LVFINDINFOW find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = L"F79";
    EXPECT_EQ(SendMessageW(Files(), LVM_FINDITEMW, static_cast<WPARAM>(f79 + 1) % 80,
                           reinterpret_cast<LPARAM>(&find)),
              f79);
    find.psz = L"g";
    EXPECT_EQ(SendMessageW(Files(), LVM_FINDITEMW, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&find)),
              -1);
}

TEST_F(ListsRunsTest, WithoutFileSizesTheSizeColumnStaysEmpty) {
    TempTree tree(L"nosize");
    tree.File(L"a.o", std::string(4096, 'x'));
    settings.ShowFileSizes = 0;
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    ASSERT_EQ(dialog->Files().RowCount(), 1);
    EXPECT_EQ(CellText(Files(), 0, 2), L"");
}

TEST_F(ListsRunsTest, CleanEndsEveryRowWithItsStatusAndGreysDeletedRows) {
    TempTree tree(L"clean");
    const std::wstring gone = tree.File(L"gone.o");
    const std::wstring locked = tree.File(L"locked.o", "x", FILE_ATTRIBUTE_READONLY);
    const std::wstring plain = tree.File(L"plain.o");
    const std::wstring keep = tree.File(L"keep.c");
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    ASSERT_EQ(dialog->Files().RowCount(), 3);
    EXPECT_EQ(GetWindowTextString(Item(IDC_RUN_SUMMARY)), L"A clean frees 3 bytes (3 items)");
    DeleteFileW(gone.c_str());
    Run(IDC_CLEAN);
    EXPECT_EQ(GetWindowTextString(Item(IDC_RUN_SUMMARY)), L"Freed 1 byte (1 item deleted)");

    auto status_of = [&](const std::wstring& path) {
        const auto paths = FilePaths();
        const int row =
            static_cast<int>(std::find(paths.begin(), paths.end(), path) - paths.begin());
        return std::make_pair(dialog->Files().Record(row)->status,
                              CellText(Files(), row, kFileStatusColumn));
    };
    EXPECT_EQ(status_of(plain).first, ItemStatus::Done);
    EXPECT_EQ(status_of(gone).first, ItemStatus::NotExists);
    EXPECT_EQ(status_of(locked).first, ItemStatus::ReadOnly);
    EXPECT_EQ(status_of(plain).second, FileStatusText(ItemStatus::Done));
    EXPECT_FALSE(PathExists(plain));
    EXPECT_TRUE(PathExists(locked));
    EXPECT_TRUE(PathExists(keep));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Colours: deleted and vanished rows grey but their Status; others untouched.
    const COLORREF list_text = static_cast<COLORREF>(SendMessageW(Files(), LVM_GETTEXTCOLOR, 0, 0));
    for (int row = 0; row < dialog->Files().RowCount(); ++row) {
        const FileItem* item = dialog->Files().Record(row);
        const bool grey = item->status == ItemStatus::Done || item->status == ItemStatus::NotExists;
        for (int column = 0; column <= kFileStatusColumn; ++column) {
            NMLVCUSTOMDRAW draw{};
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
            draw.nmcd.lItemlParam = reinterpret_cast<LPARAM>(item);
            draw.iSubItem = column;
            draw.clrText = CLR_DEFAULT;
            EXPECT_EQ(dialog->Files().OnCustomDraw(draw), CDRF_DODEFAULT);
            const COLORREF want = !grey                         ? CLR_DEFAULT
                                  : column == kFileStatusColumn ? list_text
                                                                : RGB(128, 128, 128);
            EXPECT_EQ(draw.clrText, want) << "row " << row << " column " << column;
        }
    }
    NMLVCUSTOMDRAW pre{};
    pre.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(dialog->Files().OnCustomDraw(pre), CDRF_NOTIFYITEMDRAW);
    pre.nmcd.dwDrawStage = CDDS_PREERASE;
    EXPECT_EQ(dialog->Files().OnCustomDraw(pre), CDRF_SKIPDEFAULT);

    // Removal never deletes on disk.
    Command(ID_FILE_REMOVE_ALL);
    EXPECT_EQ(HeaderText(Files()), L"Name");
    EXPECT_TRUE(PathExists(locked));
}

TEST_F(ListsRunsTest, AutoRemoveDeletedTakesDeletedRowsOut) {
    TempTree tree(L"autoremove");
    tree.File(L"a.o");
    tree.File(L"b.o");
    settings.AutoRemoveDeleted = 1;
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN_AND_CLEAN);
    EXPECT_EQ(dialog->Files().RowCount(), 0);
    EXPECT_EQ(HeaderText(Files()), L"Name");
    EXPECT_FALSE(PathExists(tree.Path(L"a.o")));
}

TEST_F(ListsRunsTest, BusyLookLocksOptionsAndRemovalButNotAddingFolders) {
    TempTree tree(L"busy");
    tree.File(L"a.o");
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    // The worker cannot get on until this thread carries out its messages.
    Click(IDC_SCAN);
    ASSERT_TRUE(dialog->IsBusy());
    EXPECT_FALSE(IsWindowVisible(Item(kCloseButtonId)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_STOP)));
    EXPECT_EQ(GetFocus(), Item(IDC_STOP));
    for (int id : {IDC_SCAN, IDC_CLEAN, IDC_SCAN_AND_CLEAN, IDC_FILTER_EDIT, IDC_OPTIONS_GROUP,
                   IDC_DELETE_FILES, IDC_RECYCLE_FILES, IDC_PRESET_COMBO, IDC_PRESET_LABEL}) {
        EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
    }
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_AUTO_CLOSE)));
    const MainCommandContext context = dialog->CommandContext();
    CommandUiState state;
    for (int id : {ID_FOLDER_REMOVE_ALL, ID_FILE_REMOVE_ALL, IDC_CLEAN, IDC_SCAN_AND_CLEAN}) {
        MainCommandRule(id, context, state);
        EXPECT_FALSE(state.enabled) << id;
    }
    MainCommandRule(ID_FOLDER_ADD, context, state);
    EXPECT_TRUE(state.enabled);
    // A second start, and a posted Clean, are ignored.
    Command(IDC_CLEAN);
    Click(IDC_SCAN);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(dialog->Files().RowCount(), 1);
    EXPECT_TRUE(PathExists(tree.Path(L"a.o")));
    EXPECT_EQ(GetFocus(), Item(IDC_SCAN));
}

// Presses Stop (or the close box) from inside the worker's own write to the file list's
// store once it has appended `appended` rows or finished `finished` rows, as a user's click
// lands between two of the worker's rows.
struct StopAfter {
    CRunController* runs;
    int appended = 0;             // when set, counts the rows appended
    int finished = 0;             // when set, counts the rows that end Deleted
    HWND close_window = nullptr;  // when set, the close box is pressed instead of Stop
    int seen = 0;

    void Watch(CFileList& files) {
        files.Rows().SetWatcher([this](RowId id, const FileItem& item) {
            const bool counts = appended > 0 ? id >= seen : item.status == ItemStatus::Done;
            if (!counts) {
                return;
            }
            if (++seen == (appended > 0 ? appended : finished)) {
                if (close_window != nullptr) {
                    SendMessageW(close_window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
                } else {
                    runs->RequestStop();
                }
            }
        });
    }
    static void Unwatch(CFileList& files) { files.Rows().SetWatcher(nullptr); }
};

TEST_F(ListsRunsTest, StopDuringAScanAndDuringACleanEndsAtTheNextRow) {
    TempTree tree(L"stop");
    for (int i = 0; i < 20; ++i) {
        tree.File(L"f" + std::to_wstring(i) + L".o");
    }
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});

    StopAfter scan_stop{dialog->Runs(), 3};
    scan_stop.Watch(dialog->Files());
    Run(IDC_SCAN);
    StopAfter::Unwatch(dialog->Files());
    EXPECT_EQ(dialog->Files().RowCount(), 3);
    EXPECT_EQ(GetWindowTextString(Item(IDC_SCAN)), L"Scan");

    // The clean stops before the row after the second one it finished.
    StopAfter clean_stop{dialog->Runs(), 0, 2};
    clean_stop.Watch(dialog->Files());
    Run(IDC_CLEAN);
    StopAfter::Unwatch(dialog->Files());
    std::vector<ItemStatus> statuses;
    for (int row = 0; row < dialog->Files().RowCount(); ++row) {
        statuses.push_back(dialog->Files().Record(row)->status);
    }
    EXPECT_EQ(statuses,
              (std::vector<ItemStatus>{ItemStatus::Done, ItemStatus::Done, ItemStatus::None}));
    EXPECT_TRUE(PathExists(dialog->Files().Record(2)->path));
    EXPECT_EQ(GetWindowTextString(Item(IDC_CLEAN)), L"Clean");
    EXPECT_FALSE(dialog->Ended());
}

// Watches a list's store during a run: counts, per record, how often the worker started it
// (its status became `started`), and each time a record's status becomes `trigger` calls
// `act` with how many have, on the worker's thread between two of its steps, as a user's
// click lands there.
struct RunWatch {
    ItemStatus started = ItemStatus::InProgress;
    ItemStatus trigger = ItemStatus::InProgress;
    std::function<void(int)> act;
    std::map<RowId, int> visits;
    std::map<RowId, ItemStatus> last;
    int triggered = 0;

    template <typename Store>
    void Watch(Store& store) {
        store.SetWatcher([this](RowId id, const auto& item) {
            ItemStatus& before = last.try_emplace(id, ItemStatus::None).first->second;
            if (item.status == before) {
                return;  // a running count, not a new status
            }
            before = item.status;
            visits[id] += item.status == started ? 1 : 0;
            if (item.status == trigger && act) {
                act(++triggered);
            }
        });
    }
};

// A click on a list's first column header.
void ClickFirstHeader(HWND list) {
    NMHEADERW click{};
    click.hdr.hwndFrom = ListView_GetHeader(list);
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(click.hdr.hwndFrom));
    click.hdr.code = HDN_ITEMCLICKW;
    click.iItem = 0;
    SendMessageW(list, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

TEST_F(ListsRunsTest, SortingDuringARunVisitsEveryRowOnceAndStatusesStayOnTheirRows) {
    TempTree tree(L"sortrun");
    // Folders added out of name order, each with its own number of files.
    std::map<std::wstring, int> expected_counts;
    for (int i = 11; i >= 0; --i) {
        const std::wstring name = L"d" + std::to_wstring(100 + i);
        for (int j = 0; j <= i % 4; ++j) {
            tree.File(name + L"\\x" + std::to_wstring(j) + L".o");
        }
        expected_counts[tree.Path(name)] = i % 4 + 1;
    }
    for (int i = 0; i < 20; ++i) {
        tree.File(L"d111\\f" + std::to_wstring(1000 - 7 * i) + L".o");
    }
    expected_counts[tree.Path(L"d111")] += 20;
    Open();
    for (int i = 11; i >= 0; --i) {
        dialog->AddFolder(tree.Path(L"d" + std::to_wstring(100 + i)));
    }
    SetOptions(L"*.o", {IDC_DELETE_FILES});

    // Name sorts as the 3rd and the 7th folder starts.
    RunWatch scan;
    scan.act = [this](int n) {
        if (n == 3 || n == 7) {
            ClickFirstHeader(Folders());
        }
    };
    scan.Watch(dialog->Folders().Rows());
    Run(IDC_SCAN);
    dialog->Folders().Rows().SetWatcher(nullptr);
    EXPECT_EQ(scan.visits.size(), 12u);
    for (const auto& [record, visits] : scan.visits) {
        EXPECT_EQ(visits, 1);
    }
    for (int row = 0; row < dialog->Folders().RowCount(); ++row) {
        const FolderItem* item = dialog->Folders().Record(row);
        const int expected = expected_counts[item->path];
        EXPECT_EQ(item->found_count, expected);
        EXPECT_EQ(CellText(Folders(), row, 1), std::to_wstring(expected));
    }
    ASSERT_EQ(dialog->Files().RowCount(), 12 * 5 / 2 + 20);

    // Name sorts after the 5th and the 25th file is deleted.
    RunWatch clean;
    clean.trigger = ItemStatus::Done;
    clean.act = [this](int n) {
        if (n == 5 || n == 25) {
            ClickFirstHeader(Files());
        }
    };
    clean.Watch(dialog->Files().Rows());
    Run(IDC_CLEAN);
    dialog->Files().Rows().SetWatcher(nullptr);
    EXPECT_EQ(clean.visits.size(), static_cast<size_t>(dialog->Files().RowCount()));
    for (const auto& [record, visits] : clean.visits) {
        EXPECT_EQ(visits, 1);
    }
    for (int row = 0; row < dialog->Files().RowCount(); ++row) {
        const FileItem* item = dialog->Files().Record(row);
        EXPECT_EQ(item->status, ItemStatus::Done);
        EXPECT_EQ(CellText(Files(), row, kFileStatusColumn), FileStatusText(ItemStatus::Done));
        EXPECT_FALSE(PathExists(item->path));
    }
    // Once the run has ended the header sorts again.
    const FileItem* first = dialog->Files().Record(0);
    dialog->FileList().OnHeaderClick(0);
    dialog->FileList().OnHeaderClick(0);
    EXPECT_NE(dialog->Files().Record(0), first);
}

TEST_F(ListsRunsTest, TheCloseBoxDuringACleanStopsThenCloses) {
    TempTree tree(L"closebox");
    for (int i = 0; i < 20; ++i) {
        tree.File(L"f" + std::to_wstring(i) + L".o");
    }
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    // The close box is pressed while the first row is being finished.
    StopAfter close{dialog->Runs(), 0, 1};
    close.close_window = dialog->hwnd();
    close.Watch(dialog->Files());
    Click(IDC_CLEAN);
    ASSERT_TRUE(PumpUntil([this] { return dialog->Ended(); }));
    StopAfter::Unwatch(dialog->Files());
    EXPECT_FALSE(dialog->IsBusy());
    EXPECT_EQ(dialog->Result(), 1);
    EXPECT_EQ(dialog->Files().Record(1)->status, ItemStatus::None);
    EXPECT_TRUE(PathExists(tree.Path(L"f19.o")));
}

TEST_F(ListsRunsTest, AutoCloseEndsTheWindowAfterACleanButNotAfterAScan) {
    TempTree tree(L"autoclose");
    tree.File(L"a.o");
    settings.AutoClose = 1;
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    dialog->PumpPendingMessages();
    EXPECT_FALSE(dialog->Ended());
    Run(IDC_CLEAN);
    ASSERT_TRUE(PumpUntil([this] { return dialog->Ended(); }, 3000));
    EXPECT_FALSE(PathExists(tree.Path(L"a.o")));
}

TEST_F(ListsRunsTest, UntickingAutoCloseDuringACleanKeepsTheWindowOpen) {
    TempTree tree(L"untick");
    tree.File(L"a.o");
    tree.File(L"b.o");
    settings.AutoClose = 1;
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    RunWatch untick;
    untick.act = [this](int n) {
        if (n == 1) {
            SendMessageW(Item(IDC_AUTO_CLOSE), BM_CLICK, 0, 0);
        }
    };
    untick.Watch(dialog->Files().Rows());
    Run(IDC_CLEAN);
    dialog->Files().Rows().SetWatcher(nullptr);
    EXPECT_EQ(untick.triggered, 2);
    EXPECT_FALSE(PumpUntil([this] { return dialog->Ended(); }, 500));
    EXPECT_FALSE(PathExists(tree.Path(L"b.o")));
}

TEST_F(ListsRunsTest, DestroyingTheWindowDuringACleanStopsAndJoinsTheWorkerFirst) {
    TempTree tree(L"teardown");
    for (int i = 0; i < 20; ++i) {
        tree.File(L"f" + std::to_wstring(i) + L".o");
    }
    Open();
    dialog->AddFolder(tree.Root());
    SetOptions(L"*.o", {IDC_DELETE_FILES});
    Run(IDC_SCAN);
    std::atomic<bool> started{false};
    RunWatch seen;
    seen.trigger = ItemStatus::Done;
    // The worker is held after its first row until the window's end asks it to stop.
    RunState& state = dialog->Runs()->State();
    seen.act = [&started, &state](int n) {
        started = started || n == 1;
        for (int waited = 0; n == 1 && !state.StopRequested() && waited < 5000; waited += 5) {
            Sleep(5);
        }
    };
    seen.Watch(dialog->Files().Rows());
    Click(IDC_CLEAN);
    ASSERT_TRUE(PumpUntil([&started] { return started.load(); }));
    // Something other than the close box ends the window while the worker is on a row.
    DestroyWindow(dialog->hwnd());
    EXPECT_FALSE(dialog->IsBusy());
    dialog->Files().Rows().SetWatcher(nullptr);
    int left = 0;
    for (int i = 0; i < 20; ++i) {
        left += PathExists(tree.Path(L"f" + std::to_wstring(i) + L".o")) ? 1 : 0;
    }
    EXPECT_GT(left, 0);
    Sleep(200);
    for (int i = 0; i < 20; ++i) {
        left -= PathExists(tree.Path(L"f" + std::to_wstring(i) + L".o")) ? 1 : 0;
    }
    EXPECT_EQ(left, 0);  // nothing is deleted once the window is gone
}

TEST_F(ListsRunsTest, AFailedThreadCreationReturnsToIdleAtOnce) {
    Open();
    dialog->Runs()->FailNextThreadCreation();
    Click(IDC_SCAN);
    EXPECT_FALSE(dialog->IsBusy());
    EXPECT_TRUE(IsWindowVisible(Item(kCloseButtonId)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_STOP)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCAN)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_FILTER_EDIT)));
}

TEST_F(ListsRunsTest, TheTimerAnimatesTheCurrentRowThroughIndicesFiveToNine) {
    TempTree tree(L"timer");
    Open();
    dialog->AddFolder(tree.Root());
    RunState& state = dialog->Runs()->State();
    state.BeginRow(0);
    std::vector<int> seen;
    for (int step = 0; step < 6; ++step) {
        dialog->Runs()->OnTimer(1);
        seen.push_back(StateIndex(Folders(), 0));
    }
    EXPECT_EQ(seen, (std::vector<int>{6, 7, 8, 9, 5, 6}));
    state.EndRow();
    dialog->Runs()->OnTimer(1);
    EXPECT_EQ(StateIndex(Folders(), 0), 6);
}

// Makes `folder` the process's current folder for the life of the object.
class CurrentFolderScope {
  public:
    explicit CurrentFolderScope(const std::wstring& folder) {
        saved_.resize(GetCurrentDirectoryW(0, nullptr));
        saved_.resize(GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), saved_.data()));
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolderScope() { SetCurrentDirectoryW(saved_.c_str()); }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

  private:
    std::wstring saved_;
};

TEST_F(ListsRunsTest, ACommandLineCleanOfARelativeAndADeviceFolderDeletesOnlyTheListedNames) {
    // "*." selects only the empty "x.o." and "y.o.": a folder made absolute by Windows (a
    // relative "." or a "\\.\" path) would trim them into their twins "x.o" and "y.o".
    TempTree tree(L"relative");
    const std::wstring here = tree.Folder(L"here");
    const std::wstring device = tree.Folder(L"device");
    for (const wchar_t* name : {L"here\\x.o", L"device\\y.o"}) {
        tree.File(name, "data");
        tree.File(std::wstring(name) + L".", "");
    }
    const CurrentFolderScope in_here(here);
    CommandLineRequest request;
    request.action = CommandAction::Clean;
    request.folders = {L".", L"\\\\.\\" + device, here + L"\\"};  // the last is the first again
    request.options.Filter = L"*.";
    request.options.DeleteFiles = 1;
    settings.Preset = settings.CustomIndex;
    Open(&request);
    ASSERT_TRUE(PumpUntil([this] { return dialog->Ended(); }));
    EXPECT_EQ(dialog->Folders().Paths(), (std::vector<std::wstring>{here, L"\\\\?\\" + device}));
    EXPECT_EQ(FilePaths(),
              (std::vector<std::wstring>{here + L"\\x.o.", L"\\\\?\\" + device + L"\\y.o."}));
    EXPECT_TRUE(PathExists(here + L"\\x.o"));
    EXPECT_TRUE(PathExists(device + L"\\y.o"));
    EXPECT_FALSE(PathExists(here + L"\\x.o."));
    EXPECT_FALSE(PathExists(device + L"\\y.o."));
    EXPECT_EQ(dialog->ExitCode(), ExitDone);
}

TEST_F(ListsRunsTest, ACommandLineCleanAddsTheFolderLocksAutoCloseAndClosesWhenDone) {
    TempTree tree(L"cmdline");
    tree.File(L"a.o");
    tree.File(L"a.c");
    CommandLineRequest request;
    request.action = CommandAction::Clean;
    request.folders = {tree.Root(), tree.Path(L"a.c"), tree.Path(L"missing")};
    request.options.Filter = L"*.o";
    request.options.DeleteFiles = 1;
    request.auto_close = 1;
    settings.Preset = settings.CustomIndex;
    Open(&request);
    EXPECT_EQ(IsDlgButtonChecked(dialog->hwnd(), IDC_AUTO_CLOSE), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_AUTO_CLOSE)));
    ASSERT_TRUE(PumpUntil([this] { return dialog->Ended(); }));
    EXPECT_EQ(dialog->Folders().Paths(), std::vector<std::wstring>{tree.Root()});
    EXPECT_FALSE(PathExists(tree.Path(L"a.o")));
    EXPECT_TRUE(PathExists(tree.Path(L"a.c")));
    EXPECT_EQ(dialog->ExitCode(), ExitDone);
}

// A run that throws: in the worker (from the rows' watcher, on the worker's thread) or in
// the window's end-of-run step (its report). Either way the run ends as a failed one: rows
// not reached read "Failed" with the reason, the window is idle again and closes under -ac.
class ThrowingEndDlg : public CMainDlg {
  public:
    using CMainDlg::CMainDlg;

  private:
    void RunEnded(const RunEnd&) override { throw std::bad_alloc(); }
};

TEST_F(ListsRunsTest, ARunThatThrowsEndsFailedIdleAndClosedWithExitCodeOne) {
    const struct {
        const char* what;
        bool in_worker;
        int deleted;
    } cases[] = {{"worker", true, 1}, {"end of run", false, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree(L"throws");
        for (const wchar_t* name : {L"a.o", L"b.o", L"c.o"}) {
            tree.File(name);
        }
        CommandLineRequest request;
        request.action = CommandAction::Clean;
        request.folders = {tree.Root()};
        request.options.Filter = L"*.o";
        request.options.DeleteFiles = 1;
        request.auto_close = 1;
        settings.Preset = settings.CustomIndex;
        if (c.in_worker) {
            dialog = std::make_unique<CMainDlg>(settings, resources, profile, &request, nullptr);
        } else {
            dialog =
                std::make_unique<ThrowingEndDlg>(settings, resources, profile, &request, nullptr);
        }
        RunWatch seen;
        seen.trigger = ItemStatus::Done;
        seen.act = [&c](int n) {
            if (c.in_worker && n == 1) {
                throw std::bad_alloc();
            }
        };
        seen.Watch(dialog->Files().Rows());
        ASSERT_NE(dialog->CreateModeless(nullptr), nullptr);
        ASSERT_TRUE(PumpUntil([this] { return dialog->Ended(); }));
        dialog->Files().Rows().SetWatcher(nullptr);
        EXPECT_EQ(dialog->ExitCode(), ExitFailed);
        EXPECT_FALSE(dialog->IsBusy());
        EXPECT_TRUE(IsWindowVisible(Item(kCloseButtonId)));
        EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCAN)));
        EXPECT_EQ(GetWindowTextString(Item(IDC_CLEAN)), L"Clean");
        int deleted = 0;
        for (int row = 0; row < dialog->Files().RowCount(); ++row) {
            FileItem item;
            ASSERT_TRUE(dialog->Files().RowState(row, item));
            const bool done = item.status == ItemStatus::Done;
            deleted += done ? 1 : 0;
            EXPECT_EQ(PathExists(item.path), !done) << item.path;
            if (!done) {
                EXPECT_EQ(item.status, ItemStatus::Failed) << item.path;
                EXPECT_EQ(item.reason, L"Out of memory") << item.path;
                EXPECT_EQ(CellText(Files(), row, kFileStatusColumn), L"Failed");
            }
        }
        EXPECT_EQ(deleted, c.deleted);
        dialog.reset();
    }
}

// The reason of a "Failed" row is its info tip; the Status column keeps its text, and
// other rows keep the tip the list gave.
TEST_F(ListsRunsTest, AFailedRowsInfoTipSaysWhy) {
    TempTree tree(L"tip");
    Open();
    RunView& view = dialog->Runs()->View();
    const struct {
        ItemStatus status;
        const wchar_t* reason;
        std::wstring tip;
    } cases[] = {
        {ItemStatus::Failed, L"Access is denied.",
         tree.Path(L"r0.o") + L"\r\nFailed: Access is denied."},
        {ItemStatus::Done, L"", L"as given"},
        {ItemStatus::Failed, L"", L"as given"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        FileItem item;
        item.path = tree.Path(L"r" + std::to_wstring(i) + L".o");
        item.size = 1;
        item.attributes = 0x20;
        dialog->Files().Rows().Append(item, true, true);
    }
    dialog->Files().Refresh();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        view.SetFileStatus(dialog->Files().Rows().IdAt(static_cast<int>(i)), c.status, c.reason);
        dialog->Files().Refresh();
        std::vector<wchar_t> buffer(INFOTIPSIZE, L'\0');
        wcscpy(buffer.data(), L"as given");
        NMLVGETINFOTIPW tip{};
        tip.hdr.hwndFrom = Files();
        tip.hdr.idFrom = IDC_FILE_LIST;
        tip.hdr.code = LVN_GETINFOTIPW;
        tip.pszText = buffer.data();
        tip.cchTextMax = static_cast<int>(buffer.size());
        tip.iItem = static_cast<int>(i);
        SendMessageW(dialog->hwnd(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&tip));
        EXPECT_EQ(std::wstring(buffer.data()), c.tip) << i;
        EXPECT_EQ(CellText(Files(), static_cast<int>(i), kFileStatusColumn),
                  FileStatusText(c.status))
            << i;
    }
}

}  // namespace
}  // namespace vantrel

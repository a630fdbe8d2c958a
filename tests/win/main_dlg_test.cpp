#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "tests/win/support/test_registry_key.h"
#include "ui/controls/ui_resources.h"
#include "ui/controls/window_text.h"
#include "ui/main/main_dlg.h"

namespace vantrel {
namespace {

class RecordingAppCommands : public AppCommandHandler {
  public:
    std::vector<int> seen;
    bool OnAppCommand(HWND, int id) override {
        seen.push_back(id);
        return true;
    }
    bool HandlesAppCommand(int id) const override {
        return id == ID_APP_ABOUT || id == ID_WEB_SITE || id == ID_CHECK_FOR_UPDATES ||
               id == ID_EMAIL_US || id == ID_SETTINGS;
    }
};

RECT ClientRectOf(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Removes everything waiting in the queue; returns the WM_COMMAND ids that were posted.
std::vector<int> DrainPostedCommands() {
    std::vector<int> ids;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_COMMAND) {
            ids.push_back(LOWORD(message.wParam));
        } else {
            DispatchMessageW(&message);
        }
    }
    return ids;
}

void SetCtrl(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class MainDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
        settings.CustomIndex = LoadPresets(profile, settings.Presets);
    }
    void TearDown() override {
        dialog.reset();
        SetCtrl(false);
    }
    CMainDlg& Open(const CommandLineRequest* request = nullptr) {
        dialog = std::make_unique<CMainDlg>(settings, resources, profile, request, &commands);
        EXPECT_NE(dialog->CreateModeless(nullptr), nullptr);
        dialog->PumpPendingMessages();
        return *dialog;
    }
    HWND Item(int id) const { return dialog->Item(id); }
    void TypeFilter(const wchar_t* text) const {
        SendMessageW(Item(IDC_FILTER_EDIT), EM_SETSEL, 0, -1);
        SendMessageW(Item(IDC_FILTER_EDIT), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    CUiResources resources;
    MemoryRegistryProfile profile;
    AppSettings settings;
    RecordingAppCommands commands;
    std::unique_ptr<CMainDlg> dialog;
};

TEST_F(MainDlgTest, EveryTemplateControlExistsInOrderWithItsTextAndClass) {
    CMainDlg& main = Open();
    const struct {
        int id;
        const wchar_t* window_class;
        const wchar_t* text;  // nullptr: not compared
    } expected[] = {
        {1055, L"Static", L" Folders to clean:"},
        {1014, L"SysListView32", nullptr},
        {1048, L"Static", L"Preset:"},
        {1047, L"ComboBox", nullptr},
        {1030, L"Button", L"Options"},
        {1021, L"Static", L"Filters:"},
        {1015, L"Edit", nullptr},
        {1022, L"Static", L"Keep:"},
        {1023, L"Edit", nullptr},
        {1024, L"Static", L"Older than:"},
        {1025, L"Edit", nullptr},
        {1026, L"Static", L"days"},
        {1019, L"Button", L"Delete matched files"},
        {1020, L"Button", L"Delete matched subfolders"},
        {1051, L"Button", L"Delete empty files (size = 0 bytes)"},
        {1017, L"Button", L"Delete empty subfolders"},
        {1035, L"Button", L"Scan/clean subfolders"},
        {1050, L"Button", L"Force deletion of read-only files/subfolders"},
        {1034, L"Button", L"Send files/subfolders to Recycle Bin if possible (slow)"},
        {1000, L"SysListView32", nullptr},
        {1027, L"Static", L""},
        {1003, L"Button", L"Close this window automatically when finished"},
        {1004, L"Button", L"Keep this window on top"},
        {1032, L"Button", L"Scan"},
        {1033, L"Button", L"Clean"},
        {1007, L"Button", L"Scan && Clean"},
        {1008, L"Button", L"Stop"},
        {1, L"Button", L"Close"},
        {IDC_MENU_TOOLBAR, L"ToolbarWindow32", nullptr},
        {IDC_FOLDER_TOOLBAR, L"ToolbarWindow32", nullptr},
    };
    HWND child = GetWindow(main.hwnd(), GW_CHILD);
    for (const auto& control : expected) {
        ASSERT_NE(child, nullptr) << control.id;
        EXPECT_EQ(GetDlgCtrlID(child), control.id);
        EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), control.window_class), 0) << control.id;
        if (control.text != nullptr) {
            EXPECT_EQ(GetWindowTextString(child), control.text) << control.id;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(IsWindowVisible(Item(IDC_STOP)));
    EXPECT_TRUE(IsWindowVisible(Item(IDOK)));
    EXPECT_EQ(GetWindowTextString(main.hwnd()), L"Vantrel");
    // Toolbar buttons and texts.
    EXPECT_EQ(SendMessageW(main.MenuToolbar(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(main.FolderToolbar(), TB_BUTTONCOUNT, 0, 0), 3);
    wchar_t text[64] = {};
    SendMessageW(main.FolderToolbar(), TB_GETBUTTONTEXTW, ID_FOLDER_REMOVE_ALL,
                 reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Remove All Folders");
    SendMessageW(main.MenuToolbar(), TB_GETBUTTONTEXTW, ID_HELP_DROPDOWN,
                 reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Help");
    // Columns.
    HWND header = ListView_GetHeader(Item(IDC_FILE_LIST));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 6);
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FILE_LIST), 0), 160);
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FILE_LIST), 2), 72);
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FILE_LIST), kFileModifiedColumn), 125);
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FOLDER_LIST), 1), 60);
    EXPECT_EQ(ListView_GetExtendedListViewStyle(Item(IDC_FOLDER_LIST)) & 0x430, 0x430u);
}

TEST_F(MainDlgTest, ResizingKeepsTheAnchoringAndMinimumTrackSize) {
    CMainDlg& main = Open();
    const RECT group_before = ClientRectOf(main.hwnd(), Item(IDC_OPTIONS_GROUP));
    const RECT list_width_before = ClientRectOf(main.hwnd(), Item(IDC_FILE_LIST));
    const int column_width = ListView_GetColumnWidth(Item(IDC_FILE_LIST), kFileFolderColumn);
    for (const auto& size : {SIZE{1200, 900}, SIZE{700, 520}, SIZE{1000, 640}}) {
        SetWindowPos(main.hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(main.hwnd(), &client);
        SCOPED_TRACE(size.cx);
        const RECT file_list = ClientRectOf(main.hwnd(), Item(IDC_FILE_LIST));
        EXPECT_EQ(file_list.right, client.right - 10);
        const RECT summary = ClientRectOf(main.hwnd(), Item(IDC_RUN_SUMMARY));
        EXPECT_EQ(summary.bottom, client.bottom - 52);
        EXPECT_EQ(summary.right, client.right - 10);
        EXPECT_EQ(file_list.bottom, summary.top - 4);
        EXPECT_EQ(file_list.top, 40);
        EXPECT_EQ(file_list.left, list_width_before.left);
        const RECT close = ClientRectOf(main.hwnd(), Item(IDOK));
        EXPECT_EQ(close.right, client.right - 10);
        EXPECT_EQ(close.bottom, client.bottom - 10);
        EXPECT_EQ(ClientRectOf(main.hwnd(), Item(IDC_STOP)).left, close.left);
        const RECT group = ClientRectOf(main.hwnd(), Item(IDC_OPTIONS_GROUP));
        EXPECT_EQ(group.bottom, client.bottom - 52);
        EXPECT_EQ(group.left, group_before.left);
        EXPECT_EQ(group.right - group.left, group_before.right - group_before.left);
        EXPECT_EQ(group.bottom - group.top, group_before.bottom - group_before.top);
        EXPECT_EQ(ClientRectOf(main.hwnd(), Item(IDC_ALWAYS_ON_TOP)).bottom, client.bottom - 8);
        for (HWND toolbar : {main.MenuToolbar(), main.FolderToolbar()}) {
            const RECT band = ClientRectOf(main.hwnd(), toolbar);
            EXPECT_GE(band.top, 0);
            EXPECT_LE(band.bottom, 40);
        }
        EXPECT_EQ(ClientRectOf(main.hwnd(), main.MenuToolbar()).right, client.right - 10);
        EXPECT_EQ(ClientRectOf(main.hwnd(), main.FolderToolbar()).left, 11);
        const RECT folder_list = ClientRectOf(main.hwnd(), Item(IDC_FOLDER_LIST));
        const RECT preset_label = ClientRectOf(main.hwnd(), Item(IDC_PRESET_LABEL));
        EXPECT_EQ(folder_list.bottom, preset_label.top - 6);
    }
    // Column widths do not follow the window.
    EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_FILE_LIST), kFileFolderColumn), column_width);

    MINMAXINFO info{};
    SendMessageW(main.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 640);
    EXPECT_EQ(info.ptMinTrackSize.y, 560);
    // At the smallest size the folder list keeps rows to show.
    SetWindowPos(main.hwnd(), nullptr, 0, 0, 640, 560, SWP_NOMOVE | SWP_NOZORDER);
    const RECT smallest = ClientRectOf(main.hwnd(), Item(IDC_FOLDER_LIST));
    EXPECT_GE(smallest.bottom - smallest.top, 40);

    // Minimised: no layout; restored: laid out again.
    ShowWindow(main.hwnd(), SW_MINIMIZE);
    const RECT while_minimised = ClientRectOf(main.hwnd(), Item(IDC_FILE_LIST));
    ShowWindow(main.hwnd(), SW_RESTORE);
    RECT client{};
    GetClientRect(main.hwnd(), &client);
    EXPECT_EQ(ClientRectOf(main.hwnd(), Item(IDC_FILE_LIST)).right, client.right - 10);
    (void)while_minimised;
}

struct MenuEntryState {
    UINT id;
    bool enabled;
    bool checked;
};

std::vector<MenuEntryState> EntriesOf(HMENU popup) {
    std::vector<MenuEntryState> entries;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        const UINT id = GetMenuItemID(popup, i);
        if (id == 0) {
            continue;
        }
        const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
        entries.push_back({id, (state & MF_GRAYED) == 0, (state & MF_CHECKED) != 0});
    }
    return entries;
}

TEST_F(MainDlgTest, DropDownMenusListTheirEntriesWithTheRulesEnablingAndChecks) {
    settings.ShowFileSizes = 1;
    settings.AutoRemoveDeleted = 0;
    CMainDlg& main = Open();
    MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP_MENUS)));
    ASSERT_TRUE(menu);

    HMENU options = GetSubMenu(menu.get(), POPUP_OPTIONS);
    main.UpdatePopupMenu(options);
    auto entries = EntriesOf(options);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].id, static_cast<UINT>(ID_SHOW_FILE_SIZES));
    EXPECT_TRUE(entries[0].checked);
    EXPECT_EQ(entries[1].id, static_cast<UINT>(ID_AUTO_REMOVE_DELETED));
    EXPECT_FALSE(entries[1].checked);
    EXPECT_EQ(entries[2].id, static_cast<UINT>(ID_PRESETS));
    EXPECT_EQ(entries[3].id, static_cast<UINT>(ID_SETTINGS));
    for (const auto& entry : entries) {
        EXPECT_TRUE(entry.enabled) << entry.id;
    }
    // The toggles flip their members and their checks.
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(ID_AUTO_REMOVE_DELETED, 0), 0);
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(ID_SHOW_FILE_SIZES, 0), 0);
    main.UpdatePopupMenu(options);
    entries = EntriesOf(options);
    EXPECT_FALSE(entries[0].checked);
    EXPECT_TRUE(entries[1].checked);

    HMENU help = GetSubMenu(menu.get(), POPUP_HELP);
    main.UpdatePopupMenu(help);
    entries = EntriesOf(help);
    ASSERT_EQ(entries.size(), 4u);
    const UINT help_ids[] = {ID_CHECK_FOR_UPDATES, ID_EMAIL_US, ID_WEB_SITE, ID_APP_ABOUT};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].id, help_ids[i]);
        EXPECT_TRUE(entries[i].enabled);
    }

    // The folder popup with an empty list: only Add Folder.
    HMENU folders = GetSubMenu(menu.get(), POPUP_FOLDERS);
    main.UpdatePopupMenu(folders);
    entries = EntriesOf(folders);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries[0].enabled);   // Add
    EXPECT_FALSE(entries[1].enabled);  // Remove
    EXPECT_FALSE(entries[2].enabled);  // Remove All
    EXPECT_FALSE(entries[3].enabled);  // Select All
    EXPECT_FALSE(entries[4].enabled);  // Open Folder

    // Help commands go to the application.
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(ID_WEB_SITE, 0), 0);
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
    EXPECT_EQ(commands.seen, (std::vector<int>{ID_WEB_SITE, ID_APP_ABOUT}));
}

TEST_F(MainDlgTest, KeyboardFilterPostsTheRemoveCommandsAndSelectsAll) {
    CMainDlg& main = Open();
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    ASSERT_GE(main.AddFolder(temp), 0);
    DrainPostedCommands();

    const struct {
        int focus;
        bool ctrl;
        int posted;  // 0: key left alone
    } cases[] = {
        {IDC_FOLDER_LIST, false, ID_FOLDER_REMOVE},
        {IDC_FOLDER_LIST, true, ID_FOLDER_REMOVE_ALL},
        {IDC_FILE_LIST, false, ID_FILE_REMOVE},
        {IDC_FILE_LIST, true, ID_FILE_REMOVE_ALL},
        {IDC_FILTER_EDIT, false, 0},
    };
    for (const auto& c : cases) {
        SetFocus(Item(c.focus));
        SetCtrl(c.ctrl);
        MSG key{Item(c.focus), WM_KEYDOWN, VK_DELETE, 0, 0, {}};
        EXPECT_EQ(main.FilterKeyboard(key), c.posted != 0) << c.focus;
        const std::vector<int> posted = DrainPostedCommands();
        if (c.posted != 0) {
            EXPECT_EQ(posted, std::vector<int>{c.posted}) << c.focus;
        } else {
            EXPECT_TRUE(posted.empty());
        }
    }

    // Ctrl+A in the filter edit selects its whole text; in the folder list every row.
    SetWindowTextW(Item(IDC_FILTER_EDIT), L"*.o;*.d");
    SetFocus(Item(IDC_FILTER_EDIT));
    SetCtrl(true);
    MSG select_all{Item(IDC_FILTER_EDIT), WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_TRUE(main.FilterKeyboard(select_all));
    DWORD start = 1, end = 0;
    SendMessageW(Item(IDC_FILTER_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 7u);
    SetFocus(Item(IDC_FOLDER_LIST));
    select_all.hwnd = Item(IDC_FOLDER_LIST);
    EXPECT_TRUE(main.FilterKeyboard(select_all));
    EXPECT_EQ(main.FolderList().SelectedCount(), 1);
    SetFocus(Item(IDC_PRESET_COMBO));
    EXPECT_FALSE(main.FilterKeyboard(select_all));
    SetCtrl(false);

    // Ctrl+F and Insert are the accelerators of Add Folder (not pressed here: Add Folder
    // opens the modal folder picker).
    ASSERT_NE(main.Accelerators(), nullptr);
    ACCEL entries[8] = {};
    const int count = CopyAcceleratorTableW(main.Accelerators(), entries, 8);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].cmd, ID_FOLDER_ADD);
        EXPECT_TRUE((entries[i].key == 'F' && (entries[i].fVirt & FCONTROL) != 0) ||
                    entries[i].key == VK_INSERT)
            << entries[i].key;
    }
}

TEST_F(MainDlgTest, DisabledCommandsFromKeysAreDroppedAndIdleEnablesTheRunButtons) {
    CMainDlg& main = Open();
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCAN)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CLEAN)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SCAN_AND_CLEAN)));
    EXPECT_FALSE(SendMessageW(main.FolderToolbar(), TB_ISBUTTONENABLED, ID_FOLDER_REMOVE_ALL, 0));
    EXPECT_TRUE(SendMessageW(main.FolderToolbar(), TB_ISBUTTONENABLED, ID_FOLDER_ADD, 0));

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    ASSERT_GE(main.AddFolder(temp), 0);
    EXPECT_EQ(main.AddFolder(temp), -1);  // listed already
    main.PumpPendingMessages();
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCAN_AND_CLEAN)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CLEAN)));
    EXPECT_TRUE(SendMessageW(main.FolderToolbar(), TB_ISBUTTONENABLED, ID_FOLDER_REMOVE_ALL, 0));
    EXPECT_EQ(settings.LastFolder + L"\\", temp);  // kept without the trailing separator
}

TEST_F(MainDlgTest, ToolTipTextsResolveFromTheStringTable) {
    CMainDlg& main = Open();
    const struct {
        UINT_PTR id;
        const wchar_t* tip;  // nullptr: no string, request left alone
    } cases[] = {
        {ID_FOLDER_ADD, L"Add folder to clean (Insert)"},
        {ID_FOLDER_REMOVE, L"Remove selected items from folder list (Del)"},
        {ID_FOLDER_REMOVE_ALL, L"Remove all items from folder list (Ctrl+Del)"},
        {ID_FILE_REMOVE, L"Remove selected items from file list"},
        {ID_FILE_REMOVE_ALL, L"Remove all items from file list"},
        {ID_OPTIONS_DROPDOWN, nullptr},
        {ID_HELP_DROPDOWN, nullptr},
        {0, L""},
    };
    for (const auto& c : cases) {
        NMTTDISPINFOW info{};
        info.hdr = {main.ToolTips(), c.id, TTN_NEEDTEXTW};
        wcscpy(info.szText, L"untouched");
        SendMessageW(main.hwnd(), WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.szText, c.tip != nullptr ? c.tip : L"untouched") << c.id;

        NMTTDISPINFOA ansi{};
        ansi.hdr = {main.ToolTips(), c.id, TTN_NEEDTEXTA};
        strcpy(ansi.szText, "untouched");
        SendMessageW(main.hwnd(), WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&ansi));
        if (c.tip != nullptr) {
            EXPECT_EQ(std::wstring(c.tip),
                      std::wstring(ansi.szText, ansi.szText + strlen(ansi.szText)));
        } else {
            EXPECT_STREQ(ansi.szText, "untouched");
        }
    }
    // The run buttons' tips are registered with their windows as tools.
    TTTOOLINFOW tool{};
    wchar_t text[128] = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = main.hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_STOP));
    tool.lpszText = text;
    SendMessageW(main.ToolTips(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Stop scanning/cleaning");
    EXPECT_EQ(SendMessageW(main.hwnd(), WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(main.LargeIcon()));
}

TEST_F(MainDlgTest, PresetSelectionAppliesAndChangesReselectByMatching) {
    settings.Preset = 0;
    CMainDlg& main = Open();
    HWND combo = Item(IDC_PRESET_COMBO);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(main.PresetCombo().IsSeparator(10));
    EXPECT_FALSE(main.PresetCombo().IsSeparator(11));
    EXPECT_EQ(GetWindowTextString(Item(IDC_FILTER_EDIT)),
              L"*.aps;*.idb;*.ilk;*.ncb;*.obj;*.opt;*.pch;*.pdb;*.res;*.plg");

    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PRESET_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    main.PumpPendingMessages();
    EXPECT_EQ(GetWindowTextString(Item(IDC_FILTER_EDIT)), L"*.o;*.d");
    EXPECT_EQ(SendMessageW(Item(IDC_DELETE_FOLDERS), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

    // A box click re-selects by matching: no preset has these flags, so "Custom".
    SendMessageW(Item(IDC_DELETE_FOLDERS), BM_CLICK, 0, 0);
    main.PumpPendingMessages();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 11);
    SendMessageW(Item(IDC_DELETE_FOLDERS), BM_CLICK, 0, 0);
    main.PumpPendingMessages();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    // Typing the filter differently (case, blanks) still matches. (Typing, not WM_SETTEXT:
    // a multi-line edit sends no EN_CHANGE for WM_SETTEXT.)
    TypeFilter(L"  *.O ; *.D ");
    main.PumpPendingMessages();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    TypeFilter(L"*.o;*.x");
    main.PumpPendingMessages();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 11);
}

// The keep and age boxes carry the working options both ways and take part in matching.
TEST_F(MainDlgTest, KeepAndAgeBoxesRoundTripAndReselectThePreset) {
    settings.Presets.Append(PresetEntry{L"Old builds", L"*.o", 0x301, L".git", 30});
    settings.CustomIndex = settings.Presets.Count();
    settings.Preset = settings.CustomIndex;
    settings.Options.Keep = L"*.keep";
    settings.Options.OlderThanDays = 7;
    CMainDlg& main = Open();
    HWND combo = Item(IDC_PRESET_COMBO);
    EXPECT_EQ(GetWindowTextString(Item(IDC_KEEP_EDIT)), L"*.keep");
    EXPECT_EQ(GetWindowTextString(Item(IDC_OLDER_EDIT)), L"7");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), settings.CustomIndex);

    const int aged = settings.CustomIndex - 1;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(aged), 0);
    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PRESET_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    main.PumpPendingMessages();
    EXPECT_EQ(GetWindowTextString(Item(IDC_KEEP_EDIT)), L".git");
    EXPECT_EQ(GetWindowTextString(Item(IDC_OLDER_EDIT)), L"30");

    // Typing in either box re-selects by matching; the age box takes digits only.
    const struct {
        int box;
        const wchar_t* typed;
        int selection;
    } steps[] = {
        {IDC_OLDER_EDIT, L"31", settings.CustomIndex},
        {IDC_OLDER_EDIT, L"3x0", aged},
        {IDC_KEEP_EDIT, L".GIT ", aged},
        {IDC_KEEP_EDIT, L"", settings.CustomIndex},
        {IDC_KEEP_EDIT, L".git", aged},
    };
    for (const auto& step : steps) {
        SendMessageW(Item(step.box), EM_SETSEL, 0, -1);
        SendMessageW(Item(step.box), WM_CHAR, VK_BACK, 0);
        for (const wchar_t* ch = step.typed; *ch != L'\0'; ++ch) {
            SendMessageW(Item(step.box), WM_CHAR, *ch, 0);
        }
        main.PumpPendingMessages();
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), step.selection) << step.typed;
    }
    SendMessageW(Item(IDC_OLDER_EDIT), EM_SETSEL, 0, -1);
    SendMessageW(Item(IDC_OLDER_EDIT), WM_CHAR, VK_BACK, 0);
    for (wchar_t ch : std::wstring(L"12345678")) {
        SendMessageW(Item(IDC_OLDER_EDIT), WM_CHAR, ch, 0);
    }
    EXPECT_EQ(GetWindowTextString(Item(IDC_OLDER_EDIT)), L"123456");  // six digits at most

    SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(main.Values().Options.Keep, L".git");
    EXPECT_EQ(main.Values().Options.OlderThanDays, 123456);
}

TEST_F(MainDlgTest, SavedPresetAboveCustomLeavesNoSelectionAndSavedOptions) {
    settings.Preset = 40;
    settings.Options.Filter = L"*.tmp";
    CMainDlg& main = Open();
    EXPECT_EQ(SendMessageW(Item(IDC_PRESET_COMBO), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(GetWindowTextString(Item(IDC_FILTER_EDIT)), L"*.tmp");
    (void)main;
}

// Close reads the controls back, Cancel does not; both through the real registry.
TEST(MainDlgRegistry, CloseKeepsOptionChangesAndCancelDoesNot) {
    testing::TestRegistryKey key(L"main-close");
    CUiResources resources;
    ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
    for (const int command : {IDCANCEL, IDOK}) {
        Win32RegistryProfile profile = key.Profile();
        SettingsKeeper keeper;
        keeper.Load(profile);
        const int32_t before = keeper.Settings().Options.DeleteEmptyFiles;
        {
            CMainDlg main(keeper.Settings(), resources, profile, nullptr, nullptr);
            ASSERT_NE(main.CreateModeless(nullptr), nullptr);
            SendMessageW(main.Item(IDC_DELETE_EMPTY_FILES), BM_CLICK, 0, 0);
            SendMessageW(main.Item(IDC_ALWAYS_ON_TOP), BM_CLICK, 0, 0);
            main.PumpPendingMessages();
            SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            EXPECT_TRUE(main.Ended());
            EXPECT_EQ(main.Result(), command == IDOK ? 1 : 2);
        }
        keeper.SaveIfLoaded(profile);
        SettingsKeeper reread;
        reread.Load(profile);
        if (command == IDCANCEL) {
            EXPECT_EQ(reread.Settings().Options.DeleteEmptyFiles, before);
        } else {
            EXPECT_EQ(reread.Settings().Options.DeleteEmptyFiles, before != 0 ? 0 : 1);
        }
        // Keep on top is set when clicked, whichever way the window closes.
        EXPECT_EQ(reread.Settings().AlwaysOnTop, command == IDCANCEL ? 1 : 0);
    }
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST_F(MainDlgTest, PopupEnablingAutoDisablesUnknownCommandsAndFollowsSubPopups) {
    CMainDlg& main = Open();
    MenuHandle popup(CreatePopupMenu());
    HMENU sub = CreatePopupMenu();  // owned by `popup` once appended
    AppendMenuW(sub, MF_STRING, ID_FOLDER_REMOVE, L"Remove");
    AppendMenuW(popup.get(), MF_STRING, 40000, L"Unknown");
    AppendMenuW(popup.get(), MF_STRING | MF_GRAYED, ID_FOLDER_ADD, L"Add");
    AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"More");
    AppendMenuW(popup.get(), MF_STRING, 0xF060, L"System range");
    AppendMenuW(popup.get(), MF_STRING | MF_GRAYED, ID_APP_ABOUT, L"About");
    main.UpdatePopupMenu(popup.get());
    auto grey = [&](UINT position) {
        return (GetMenuState(popup.get(), position, MF_BYPOSITION) & MF_GRAYED) != 0;
    };
    EXPECT_TRUE(grey(0));   // no rule, no handler: auto-disabled
    EXPECT_FALSE(grey(1));  // Add Folder is always enabled
    EXPECT_TRUE(grey(3));   // follows Remove (nothing selected), not auto-disable
    EXPECT_FALSE(grey(4));  // ids from 0xF000 are left alone
    EXPECT_FALSE(grey(5));  // a rule enables About
}

}  // namespace
}  // namespace vantrel

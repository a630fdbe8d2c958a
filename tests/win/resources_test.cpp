// The resources of Vantrel.exe as the program loads them from its module (the test program
// links the same .rc): dialog templates created for real and compared control by control,
// menus, accelerators, strings, toolbars, bitmaps, icon, cursor and manifest.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace vantrel {
namespace {

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

// ---------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------

struct ExpectedControl {
    int id;
    const wchar_t* window_class;
    const wchar_t* text;  // nullptr: not compared (the icon static)
    DWORD style;          // bits that must all be set
    int x, y, cx, cy;     // dialog units
    bool visible = true;
};

struct ExpectedDialog {
    const char* name;
    int template_id;
    const wchar_t* caption;
    DWORD style;                            // exact window style
    DWORD ex_style;                         // bits that must be set
    int cx, cy;                             // client size in dialog units
    std::vector<ExpectedControl> controls;  // in template order
};

// Test names and failure messages show the dialog's name.
void PrintTo(const ExpectedDialog& expected_dialog, std::ostream* out) {
    *out << expected_dialog.name;
}

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;

const std::vector<ExpectedDialog>& Dialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {"Main",
         IDD_MAIN,
         L"Vantrel",
         WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
             WS_MAXIMIZEBOX | DS_SETFONT,
         WS_EX_APPWINDOW | WS_EX_ACCEPTFILES,
         640,
         391,
         {
             {IDC_FOLDERS_LABEL, L"Static", L" Folders to clean:",
              SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP, 7, 25, 216, 12},
             {IDC_FOLDER_LIST, L"SysListView32", L"",
              LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | WS_BORDER | WS_TABSTOP, 7, 39, 216,
              88},
             {IDC_PRESET_LABEL, L"Static", L"Preset:", SS_LEFT | WS_GROUP, 7, 131, 24, 8},
             {IDC_PRESET_COMBO, L"ComboBox", L"",
              CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_AUTOHSCROLL |
                  WS_VSCROLL | WS_TABSTOP,
              7, 141, 216, 240},
             {IDC_OPTIONS_GROUP, L"Button", L"Options", BS_GROUPBOX, 7, 161, 216, 200},
             {IDC_FILTER_LABEL, L"Static", L"Filters:", SS_LEFT | WS_GROUP, 15, 175, 23, 8},
             {IDC_FILTER_EDIT, L"Edit", L"",
              ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              15, 185, 200, 40},
             {IDC_KEEP_LABEL, L"Static", L"Keep:", SS_LEFT | WS_GROUP, 15, 233, 40, 8},
             {IDC_KEEP_EDIT, L"Edit", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 57, 231, 158,
              12},
             {IDC_OLDER_LABEL, L"Static", L"Older than:", SS_LEFT | WS_GROUP, 15, 249, 40, 8},
             {IDC_OLDER_EDIT, L"Edit", L"", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 57,
              247, 30, 12},
             {IDC_OLDER_UNIT, L"Static", L"days", SS_LEFT, 91, 249, 30, 8},
             {IDC_DELETE_FILES, L"Button", L"Delete matched files", kCheck, 15, 263, 81, 10},
             {IDC_DELETE_FOLDERS, L"Button", L"Delete matched subfolders", kCheck, 15, 275, 101,
              10},
             {IDC_DELETE_EMPTY_FILES, L"Button", L"Delete empty files (size = 0 bytes)", kCheck, 15,
              287, 126, 10},
             {IDC_DELETE_EMPTY_FOLDERS, L"Button", L"Delete empty subfolders", kCheck, 15, 299, 94,
              10},
             {IDC_SCAN_SUBFOLDERS, L"Button", L"Scan/clean subfolders", kCheck, 15, 319, 86, 10},
             {IDC_DELETE_READONLYS, L"Button", L"Force deletion of read-only files/subfolders",
              kCheck, 15, 331, 153, 10},
             {IDC_RECYCLE_FILES, L"Button",
              L"Send files/subfolders to Recycle Bin if possible (slow)", kCheck, 15, 343, 184, 10},
             {IDC_FILE_LIST, L"SysListView32", L"",
              LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_BORDER |
                  WS_TABSTOP,
              228, 25, 405, 322},
             {IDC_RUN_SUMMARY, L"Static", L"", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX,
              228, 351, 405, 10},
             {IDC_AUTO_CLOSE, L"Button", L"Close this window automatically when finished", kCheck,
              7, 364, 163, 10},
             {IDC_ALWAYS_ON_TOP, L"Button", L"Keep this window on top", kCheck, 7, 376, 94, 10},
             {IDC_SCAN, L"Button", L"Scan", BS_DEFPUSHBUTTON | WS_TABSTOP, 391, 370, 60, 14},
             {IDC_CLEAN, L"Button", L"Clean", BS_PUSHBUTTON | WS_TABSTOP, 455, 370, 60, 14},
             {IDC_SCAN_AND_CLEAN, L"Button", L"Scan && Clean",
              BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 519, 370, 60, 14},
             {IDC_STOP, L"Button", L"Stop", BS_PUSHBUTTON | WS_TABSTOP, 583, 370, 50, 14, false},
             {IDOK, L"Button", L"Close", BS_PUSHBUTTON | WS_TABSTOP, 583, 370, 50, 14},
         }},
        {"Presets",
         IDD_PRESETS,
         L"Presets",
         0x80C800C0,
         0,
         400,
         271,
         {
             {IDC_PRESET_TREE, L"SysTreeView32", L"",
              WS_BORDER | WS_TABSTOP | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
              7, 7, 168, 237},
             {-1, L"Static", L"Name:", SS_LEFT | WS_GROUP, 183, 7, 22, 8},
             {IDC_PRESET_NAME, L"Edit", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 183, 16, 210,
              14},
             {-1, L"Button", L"Options", BS_GROUPBOX, 183, 35, 210, 209},
             {-1, L"Static", L"Filters:", SS_LEFT | WS_GROUP, 192, 49, 23, 8},
             {IDC_FILTER_EDIT, L"Edit", L"", ES_MULTILINE | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              192, 59, 193, 48},
             {-1, L"Static", L"Keep:", SS_LEFT | WS_GROUP, 192, 115, 40, 8},
             {IDC_KEEP_EDIT, L"Edit", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 234, 113, 151,
              12},
             {-1, L"Static", L"Older than:", SS_LEFT | WS_GROUP, 192, 131, 40, 8},
             {IDC_OLDER_EDIT, L"Edit", L"", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
              234, 129, 30, 12},
             {-1, L"Static", L"days", SS_LEFT, 268, 131, 30, 8},
             {IDC_DELETE_FILES, L"Button", L"Delete matched files", kCheck, 192, 145, 81, 10},
             {IDC_DELETE_FOLDERS, L"Button", L"Delete matched subfolders", kCheck, 192, 157, 101,
              10},
             {IDC_DELETE_EMPTY_FILES, L"Button", L"Delete empty files (size = 0 bytes)", kCheck,
              192, 169, 126, 10},
             {IDC_DELETE_EMPTY_FOLDERS, L"Button", L"Delete empty subfolders", kCheck, 192, 181, 94,
              10},
             {IDC_SCAN_SUBFOLDERS, L"Button", L"Scan/clean subfolders", kCheck, 192, 201, 86, 10},
             {IDC_DELETE_READONLYS, L"Button", L"Force deletion of read-only files/subfolders",
              kCheck, 192, 213, 153, 10},
             {IDC_RECYCLE_FILES, L"Button",
              L"Send files/subfolders to Recycle Bin if possible (slow)", kCheck, 192, 225, 184,
              10},
             {IDC_PRESET_ADD, L"Button", L"Add", BS_PUSHBUTTON | WS_TABSTOP, 7, 250, 50, 14},
             {IDC_PRESET_DELETE, L"Button", L"Delete", BS_PUSHBUTTON | WS_TABSTOP, 61, 250, 50, 14},
             {IDC_PRESET_LOAD_DEFAULTS, L"Button", L"Load Defaults", BS_PUSHBUTTON | WS_TABSTOP,
              115, 250, 60, 14},
             {IDOK, L"Button", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 343, 250, 50, 14},
         }},
        {"About",
         IDD_ABOUT,
         L"About",
         0x80C800C0,
         0,
         250,
         150,
         {
             {IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 129, 50, 14},
             {-1, L"Static", nullptr, SS_ICON, 7, 7, 20, 20},
             {IDC_ABOUT_TITLE, L"Static", L"", SS_NOPREFIX | SS_CENTERIMAGE, 36, 7, 207, 12},
             {IDC_ABOUT_VERSION, L"Static", L"", SS_LEFT, 36, 19, 207, 8},
             {IDC_ABOUT_DESCRIPTION, L"Static",
              L"Delete intermediate, temporary, junk, and all unwanted files/subfolders.", SS_LEFT,
              36, 33, 207, 16},
             {-1, L"Static", L"Web Site:", SS_LEFT, 36, 67, 42, 8},
             {IDC_ABOUT_WEB_LINK, L"Button", L"", BS_OWNERDRAW | BS_LEFT | WS_TABSTOP, 80, 66, 163,
              10},
             {-1, L"Static", L"Email Box:", SS_LEFT, 36, 77, 42, 8},
             {IDC_ABOUT_MAIL_LINK, L"Button", L"", BS_OWNERDRAW | BS_LEFT | WS_TABSTOP, 80, 76, 163,
              10},
         }},
        {"Settings",
         IDD_SETTINGS,
         L"Settings",
         0x80C800C0,
         0,
         268,
         90,
         {
             {-1, L"Button", L"Windows Explorer Extension", BS_GROUPBOX, 7, 7, 254, 36},
             {IDC_SHELL_EXTENSION_CHECK, L"Button",
              L"Add \"Vantrel\" submenu to Windows Explorer context menu", kCheck, 17, 23, 227, 10},
             {IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 157, 69, 50, 14},
             {IDCANCEL, L"Button", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 211, 69, 50, 14},
         }},
    };
    return dialogs;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy) {
    RECT rect{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &rect);
    return rect;
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Owns a dialog created without a modal loop.
class ModelessDialog {
  public:
    explicit ModelessDialog(int template_id)
        : hwnd_(CreateDialogParamW(Module(), MAKEINTRESOURCEW(template_id), nullptr,
                                   PlainDialogProc, 0)) {}
    ~ModelessDialog() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
    }
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;
    HWND get() const { return hwnd_; }

  private:
    HWND hwnd_;
};

class DialogTemplateTest : public testing::TestWithParam<ExpectedDialog> {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                    ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
    }
};

TEST_P(DialogTemplateTest, FrameCaptionFontAndClientSize) {
    const ExpectedDialog& expected_dialog = GetParam();
    ModelessDialog dialog(expected_dialog.template_id);
    ASSERT_NE(dialog.get(), nullptr) << "template " << expected_dialog.template_id;

    EXPECT_EQ(TextOf(dialog.get()), expected_dialog.caption);
    // The system adds WS_CLIPSIBLINGS to every captioned top-level window.
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_STYLE));
    EXPECT_EQ(style & 0xFFFF0000u & ~WS_CLIPSIBLINGS,
              expected_dialog.style & 0xFFFF0000u & ~WS_CLIPSIBLINGS)
        << std::hex << style;
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_EXSTYLE));
    EXPECT_EQ(ex_style & expected_dialog.ex_style, expected_dialog.ex_style)
        << std::hex << ex_style;

    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0)),
                         sizeof(font), &font),
              0);
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    HDC screen = GetDC(nullptr);
    const int expected_height = MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, expected_height);

    RECT client{};
    GetClientRect(dialog.get(), &client);
    const RECT expected =
        DialogUnitsToPixels(dialog.get(), 0, 0, expected_dialog.cx, expected_dialog.cy);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_P(DialogTemplateTest, ControlsInTemplateOrder) {
    const ExpectedDialog& expected_dialog = GetParam();
    ModelessDialog dialog(expected_dialog.template_id);
    ASSERT_NE(dialog.get(), nullptr);

    HWND child = GetWindow(dialog.get(), GW_CHILD);
    for (const ExpectedControl& control : expected_dialog.controls) {
        SCOPED_TRACE(testing::Message() << expected_dialog.name << " control " << control.id);
        ASSERT_NE(child, nullptr) << "fewer controls than the template lists";

        // A DIALOGEX id of -1 is kept as 0xFFFF or -1 depending on the system.
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, control.id & 0xFFFF);
        EXPECT_EQ(CompareStringOrdinal(ClassOf(child).c_str(), -1, control.window_class, -1, TRUE),
                  CSTR_EQUAL)
            << "class " << testing::PrintToString(ClassOf(child));
        if (control.text != nullptr) {
            EXPECT_EQ(TextOf(child), control.text);
        }

        // Styles are compared in the template itself (below): controls rewrite some of
        // theirs when created (WS_BORDER becomes WS_EX_CLIENTEDGE, a combo box hands
        // WS_VSCROLL to its list).
        const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        EXPECT_EQ((style & WS_VISIBLE) != 0, control.visible);

        // Position and size are each converted from dialog units on their own.
        const RECT origin = DialogUnitsToPixels(dialog.get(), control.x, control.y, 0, 0);
        const RECT size = DialogUnitsToPixels(dialog.get(), 0, 0, control.cx, control.cy);
        const RECT actual = ChildRect(dialog.get(), child);
        EXPECT_EQ(actual.left, origin.left);
        EXPECT_EQ(actual.top, origin.top);
        // An icon static takes the size of its icon.
        if (control.text != nullptr) {
            EXPECT_EQ(actual.right - actual.left, size.right);
        }
        // A combo box's template height is its drop-down height; the closed box is shorter.
        if (control.text != nullptr && control.window_class != std::wstring(L"ComboBox")) {
            EXPECT_EQ(actual.bottom - actual.top, size.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than the template lists";
}

// The template as stored: a DLGTEMPLATEEX header and its items, read field by field.
class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* data) : data_(data) {}
    WORD Word() {
        WORD value;
        memcpy(&value, data_ + offset_, sizeof(value));
        offset_ += sizeof(value);
        return value;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    // A string, or an ordinal shown as "#n"; empty for none.
    std::wstring NameOrOrdinal() {
        const WORD first = Word();
        if (first == 0xFFFF) {
            return L"#" + std::to_wstring(Word());
        }
        std::wstring text;
        for (WORD c = first; c != 0; c = Word()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    void Skip(size_t bytes) { offset_ += bytes; }
    void AlignToDword() { offset_ = (offset_ + 3) & ~size_t{3}; }

  private:
    const BYTE* data_;
    size_t offset_ = 0;
};

// The predefined classes are stored as ordinals.
std::wstring StoredClassName(const std::wstring& name) {
    static const struct {
        const wchar_t* ordinal;
        const wchar_t* name;
    } atoms[] = {{L"#128", L"Button"},  {L"#129", L"Edit"},      {L"#130", L"Static"},
                 {L"#131", L"ListBox"}, {L"#132", L"ScrollBar"}, {L"#133", L"ComboBox"}};
    for (const auto& atom : atoms) {
        if (name == atom.ordinal) {
            return atom.name;
        }
    }
    return name;
}

bool SameText(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

TEST_P(DialogTemplateTest, StoredTemplateMatchesFieldByField) {
    const ExpectedDialog& expected_dialog = GetParam();
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(expected_dialog.template_id), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    TemplateReader in(static_cast<const BYTE*>(LockResource(LoadResource(Module(), found))));
    ASSERT_EQ(in.Word(), 1);       // version
    ASSERT_EQ(in.Word(), 0xFFFF);  // extended template
    in.Dword();                    // help id
    EXPECT_EQ(in.Dword(), expected_dialog.ex_style);
    EXPECT_EQ(in.Dword(), expected_dialog.style);
    const WORD count = in.Word();
    EXPECT_EQ(count, expected_dialog.controls.size());
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), expected_dialog.cx);
    EXPECT_EQ(in.Short(), expected_dialog.cy);
    EXPECT_EQ(in.NameOrOrdinal(), L"");  // no menu
    EXPECT_EQ(in.NameOrOrdinal(), L"");  // the standard dialog class
    EXPECT_EQ(in.NameOrOrdinal(), expected_dialog.caption);
    EXPECT_EQ(in.Word(), 8);    // points
    EXPECT_EQ(in.Word(), 400);  // weight
    in.Skip(2);                 // italic, character set
    EXPECT_EQ(in.NameOrOrdinal(), L"Tahoma");

    for (size_t i = 0; i < count && i < expected_dialog.controls.size(); ++i) {
        const ExpectedControl& control = expected_dialog.controls[i];
        SCOPED_TRACE(testing::Message()
                     << expected_dialog.name << " item " << i << " id " << control.id);
        in.AlignToDword();
        in.Dword();                 // help id
        EXPECT_EQ(in.Dword(), 0u);  // extended style
        const DWORD expected_style = WS_CHILD | (control.visible ? WS_VISIBLE : 0) | control.style;
        EXPECT_EQ(in.Dword(), expected_style) << std::hex << expected_style;
        EXPECT_EQ(in.Short(), control.x);
        EXPECT_EQ(in.Short(), control.y);
        EXPECT_EQ(in.Short(), control.cx);
        EXPECT_EQ(in.Short(), control.cy);
        EXPECT_EQ(static_cast<int>(in.Dword()), control.id);
        const std::wstring window_class = StoredClassName(in.NameOrOrdinal());
        EXPECT_TRUE(SameText(window_class, control.window_class))
            << testing::PrintToString(window_class);
        const std::wstring text = in.NameOrOrdinal();
        EXPECT_EQ(text, control.text != nullptr ? control.text : L"#128");
        in.Skip(in.Word());  // creation data
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateTest, testing::ValuesIn(Dialogs()),
                         [](const testing::TestParamInfo<ExpectedDialog>& info) {
                             return std::string(info.param.name);
                         });

TEST(DialogTemplates, AboutIconComesFromTheModule) {
    ModelessDialog dialog(IDD_ABOUT);
    ASSERT_NE(dialog.get(), nullptr);
    HWND icon = GetWindow(GetDlgItem(dialog.get(), IDOK), GW_HWNDNEXT);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
}

// Shows each template, unfilled, for VANTREL_SHOW_TEMPLATES seconds so that it can be
// photographed and checked by eye; skipped unless the variable is set. Run it under a
// virtual desktop so the frames are drawn:
//   VANTREL_SHOW_TEMPLATES=4 wine explorer /desktop=shot,1280x800 win_tests.exe
//       --gtest_filter=DialogTemplates.ShowForPictures
TEST(DialogTemplates, ShowForPictures) {
    const wchar_t* seconds = _wgetenv(L"VANTREL_SHOW_TEMPLATES");
    if (seconds == nullptr) {
        GTEST_SKIP() << "VANTREL_SHOW_TEMPLATES not set";
    }
    for (const ExpectedDialog& expected_dialog : Dialogs()) {
        ModelessDialog dialog(expected_dialog.template_id);
        ASSERT_NE(dialog.get(), nullptr);
        SetWindowPos(dialog.get(), HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        const DWORD until = GetTickCount() + static_cast<DWORD>(_wtoi(seconds)) * 1000;
        while (GetTickCount() < until) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(20);
        }
    }
}

// ---------------------------------------------------------------------------
// Menus, accelerators, strings, toolbars
// ---------------------------------------------------------------------------

struct MenuEntry {
    UINT id;  // 0: separator
    const wchar_t* text;
};

struct PopupSpec {
    const wchar_t* title;
    std::vector<MenuEntry> entries;
};

TEST(Menus, FourPopupsByPositionWithTheirEntries) {
    const std::vector<PopupSpec> popups = {
        {L"_OPTIONS_",
         {{ID_SHOW_FILE_SIZES, L"Show file sizes (makes a bit slow)"},
          {ID_AUTO_REMOVE_DELETED, L"Remove item automatically when file deleted"},
          {0, L""},
          {ID_PRESETS, L"Presets..."},
          {ID_SETTINGS, L"Settings..."}}},
        {L"_HELP_",
         {{ID_CHECK_FOR_UPDATES, L"Check for Updates..."},
          {0, L""},
          {ID_EMAIL_US, L"Email Us"},
          {ID_WEB_SITE, L"Web Site"},
          {0, L""},
          {ID_APP_ABOUT, L"About..."}}},
        {L"_FOLDERS_",
         {{ID_FOLDER_ADD, L"Add Folder...\tInsert"},
          {ID_FOLDER_REMOVE, L"Remove from Folder List \tDel"},
          {ID_FOLDER_REMOVE_ALL, L"Remove All\tCtrl+Del"},
          {ID_FOLDER_SELECT_ALL, L"Select All\tCtrl+A"},
          {0, L""},
          {ID_FOLDER_OPEN, L"Open Folder"}}},
        {L"_FILES_",
         {{ID_FILE_REMOVE, L"Remove from File List\tDel"},
          {ID_FILE_REMOVE_ALL, L"Remove All\tCtrl+Del"},
          {ID_FILE_SELECT_ALL, L"Select All\tCtrl+A"},
          {0, L""},
          {ID_FILE_OPEN_ITEM, L"Open File"},
          {ID_FILE_OPEN_FOLDER, L"Open Folder"}}},
    };
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_POPUP_MENUS));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    const int positions[] = {POPUP_OPTIONS, POPUP_HELP, POPUP_FOLDERS, POPUP_FILES};
    for (int position : positions) {
        const PopupSpec& expected_dialog = popups[static_cast<size_t>(position)];
        SCOPED_TRACE(testing::Message() << "popup " << position);
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        EXPECT_STREQ(text, expected_dialog.title);
        HMENU popup = GetSubMenu(menu, position);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected_dialog.entries.size()));
        for (size_t i = 0; i < expected_dialog.entries.size(); ++i) {
            const UINT pos = static_cast<UINT>(i);
            if (expected_dialog.entries[i].id == 0) {
                EXPECT_NE(GetMenuState(popup, pos, MF_BYPOSITION) & MF_SEPARATOR, 0u) << i;
                continue;
            }
            EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), expected_dialog.entries[i].id)
                << i;
            GetMenuStringW(popup, pos, text, 128, MF_BYPOSITION);
            EXPECT_STREQ(text, expected_dialog.entries[i].text) << i;
        }
    }
    DestroyMenu(menu);
}

TEST(Accelerators, CtrlFAndInsertAddAFolder) {
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 8), 2);
    EXPECT_EQ(entries[0].fVirt & ~FNOINVERT, FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[0].key, 'F');
    EXPECT_EQ(entries[0].cmd, ID_FOLDER_ADD);
    EXPECT_EQ(entries[1].fVirt & ~FNOINVERT, FVIRTKEY);
    EXPECT_EQ(entries[1].key, VK_INSERT);
    EXPECT_EQ(entries[1].cmd, ID_FOLDER_ADD);
    DestroyAcceleratorTable(table);
}

TEST(Accelerators, TranslateCtrlFIntoTheAddFolderCommand) {
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ModelessDialog dialog(IDD_SETTINGS);
    ASSERT_NE(dialog.get(), nullptr);
    // F alone is not translated; Ctrl+F and Insert are.
    MSG key{dialog.get(), WM_KEYDOWN, 'F', 0, 0, {}};
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    EXPECT_EQ(TranslateAcceleratorW(dialog.get(), table, &key), 0);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_NE(TranslateAcceleratorW(dialog.get(), table, &key), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    key.wParam = VK_INSERT;
    EXPECT_NE(TranslateAcceleratorW(dialog.get(), table, &key), 0);
    DestroyAcceleratorTable(table);
}

std::wstring LoadText(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

TEST(Strings, TitleAndToolTipTexts) {
    const struct {
        UINT id;
        const wchar_t* text;
    } strings[] = {
        {IDS_APP_TITLE, L"Vantrel"},
        {ID_FOLDER_REMOVE, L"\nRemove selected items from folder list (Del)"},
        {ID_FOLDER_REMOVE_ALL, L"\nRemove all items from folder list (Ctrl+Del)"},
        {ID_FOLDER_ADD, L"\nAdd folder to clean (Insert)"},
        {ID_FILE_REMOVE, L"\nRemove selected items from file list"},
        {ID_FILE_REMOVE_ALL, L"\nRemove all items from file list"},
        // The drop-down buttons have no tool tip.
        {ID_OPTIONS_DROPDOWN, L""},
        {ID_HELP_DROPDOWN, L""},
    };
    for (const auto& entry : strings) {
        EXPECT_EQ(LoadText(entry.id), entry.text) << entry.id;
    }
}

std::vector<WORD> ToolbarData(int id) {
    HRSRC found =
        FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(RT_TOOLBAR_RESOURCE));
    if (found == nullptr) {
        return {};
    }
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
    return std::vector<WORD>(words, words + SizeofResource(Module(), found) / sizeof(WORD));
}

TEST(Toolbars, VersionSizeCountAndCommands) {
    EXPECT_EQ(ToolbarData(IDR_MENU_TOOLBAR),
              (std::vector<WORD>{1, 16, 15, 2, ID_OPTIONS_DROPDOWN, ID_HELP_DROPDOWN}));
    EXPECT_EQ(
        ToolbarData(IDR_FOLDER_TOOLBAR),
        (std::vector<WORD>{1, 20, 20, 3, ID_FOLDER_ADD, ID_FOLDER_REMOVE, ID_FOLDER_REMOVE_ALL}));
}

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

struct BitmapSpec {
    int id;
    int width, height, bits, images;
    UINT colour_flag;
};

TEST(Bitmaps, SizesDepthsAndMagentaTransparency) {
    const BitmapSpec bitmaps[] = {
        {IDB_SORT_ARROWS, 9, 5, 4, 2, ILC_COLOR4},
        {IDB_STATE_IMAGES, 16, 16, 24, STATE_IMAGE_COUNT, ILC_COLOR24},
        {IDB_FOLDER_TOOLBAR, 20, 20, 32, 3, ILC_COLOR32},
    };
    for (const BitmapSpec& expected_dialog : bitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << expected_dialog.id);
        auto* bitmap =
            static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(expected_dialog.id),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBm.bmWidth, expected_dialog.width * expected_dialog.images);
        EXPECT_EQ(section.dsBm.bmHeight, expected_dialog.height);
        EXPECT_EQ(section.dsBm.bmBitsPixel, expected_dialog.bits);

        // Every image has transparent (magenta) pixels and drawn ones.
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int image = 0; image < expected_dialog.images; ++image) {
            int transparent = 0;
            int drawn = 0;
            for (int y = 0; y < expected_dialog.height; ++y) {
                for (int x = 0; x < expected_dialog.width; ++x) {
                    (GetPixel(dc, image * expected_dialog.width + x, y) == RGB(255, 0, 255)
                         ? transparent
                         : drawn)++;
                }
            }
            EXPECT_GT(transparent, 0) << "image " << image;
            EXPECT_GT(drawn, 0) << "image " << image;
        }
        SelectObject(dc, old);
        DeleteDC(dc);

        // The image list the window builds from it holds the documented number of images.
        HIMAGELIST list =
            ImageList_Create(expected_dialog.width, expected_dialog.height,
                             expected_dialog.colour_flag | ILC_MASK, expected_dialog.images, 0);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_AddMasked(list, bitmap, RGB(255, 0, 255)), 0);
        EXPECT_EQ(ImageList_GetImageCount(list), expected_dialog.images);
        ImageList_Destroy(list);
        DeleteObject(bitmap);
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

TEST(Icons, ProgramIconHasThreeSizesOf32Bits) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDI_APP_ICON), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* group =
        static_cast<const GroupIconHeader*>(LockResource(LoadResource(Module(), found)));
    ASSERT_EQ(group->count, 3);
    std::vector<int> sizes;
    for (int i = 0; i < group->count; ++i) {
        sizes.push_back(group->entries[i].width);
        EXPECT_EQ(group->entries[i].height, group->entries[i].width);
        EXPECT_EQ(group->entries[i].bits, 32);
    }
    EXPECT_EQ(sizes, (std::vector<int>{48, 32, 16}));

    for (int size : {16, 32, 48}) {
        auto* icon = static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadIconW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
}

TEST(Cursors, LinkHandIsMonochrome32PixelsWithHotSpotOnTheTip) {
    HCURSOR cursor = LoadCursorW(Module(), MAKEINTRESOURCEW(IDCUR_LINK_HAND));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.hbmColor, nullptr);  // monochrome: AND and XOR masks stacked in hbmMask
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);

    // The hot spot is an opaque pixel in the top row of the picture (the finger tip).
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(GetPixel(dc, static_cast<int>(info.xHotspot), 0), RGB(0, 0, 0));  // AND = 0
    int opaque_in_top_row = 0;
    for (int x = 0; x < 32; ++x) {
        opaque_in_top_row += GetPixel(dc, x, 0) == RGB(0, 0, 0) ? 1 : 0;
    }
    EXPECT_LE(opaque_in_top_row, 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (info.hbmMask != nullptr) {
        DeleteObject(info.hbmMask);
    }
}

TEST(Manifest, AsksForCommonControlsSix) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
    const std::string text(bytes, SizeofResource(Module(), found));
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << text;

    // And the loader honoured it: buttons are the version 6 ones, which know their ideal
    // size (the system's own button class does not answer BCM_GETIDEALSIZE).
    ModelessDialog dialog(IDD_SETTINGS);
    ASSERT_NE(dialog.get(), nullptr);
    SIZE ideal{};
    EXPECT_TRUE(SendMessageW(GetDlgItem(dialog.get(), IDOK), BCM_GETIDEALSIZE, 0,
                             reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
}

}  // namespace
}  // namespace vantrel

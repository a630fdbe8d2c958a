#include "shellext/context_menu.h"

#include "config/default_presets_table.h"
#include "shellext/preset_menu.h"
#include "shellext/shell_ids.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantrel::shell::test {
namespace {

const std::wstring kPresets = std::wstring(kApplicationKey) + L"\\Presets";
constexpr UINT kFirstId = 100;
constexpr UINT kLastId = 0x7FFF;

std::vector<std::wstring> DefaultNames() {
    std::vector<std::wstring> names;
    for (const DefaultPresetRow& row : kDefaultPresetRows) {
        names.emplace_back(row.name);
    }
    return names;
}

void StorePresets(const std::vector<std::wstring>& names) {
    SetDword(kPresets, L"Count", static_cast<DWORD>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        SetString(PresetKeyPath(static_cast<unsigned>(i + 1)), L"Name", names[i]);
    }
}

class ContextMenuTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dll_.loaded());
        ASSERT_EQ(dll_.CreateMenu(IID_IContextMenu, reinterpret_cast<void**>(&menu_)), S_OK);
        host_ = CreatePopupMenu();
        AppendMenuW(host_, MF_STRING, 1, L"Open");
        AppendMenuW(host_, MF_STRING, 2, L"Properties");
    }
    void TearDown() override {
        DestroyMenu(host_);
        if (menu_ != nullptr) {
            EXPECT_EQ(menu_->Release(), 0u);
        }
        EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
    }

    // The submenu's items after QueryContextMenu at position 1 of the host menu.
    std::vector<MenuItem> Submenu() { return ReadMenu(GetSubMenu(host_, 1)); }

    // Checks the whole submenu: presets, separator, "Clean Later...".
    void ExpectSubmenu(HRESULT result, const std::vector<std::wstring>& presets) {
        EXPECT_EQ(result, static_cast<HRESULT>(presets.size() + 1));
        const std::vector<MenuItem> items = Submenu();
        ASSERT_EQ(items.size(), presets.size() + 2);
        for (size_t i = 0; i < presets.size(); ++i) {
            EXPECT_EQ(items[i].id, kFirstId + i);
            EXPECT_EQ(items[i].text, presets[i]);
            EXPECT_FALSE(items[i].separator);
        }
        EXPECT_TRUE(items[presets.size()].separator);
        EXPECT_EQ(items.back().id, kFirstId + presets.size());
        EXPECT_EQ(items.back().text, L"Clean Later...");
    }

    HRESULT Query(UINT flags = CMF_NORMAL) {
        return menu_->QueryContextMenu(host_, 1, kFirstId, kLastId, flags);
    }

    ApplicationKeyGuard guard_;
    ShellLibrary dll_;
    IContextMenu* menu_ = nullptr;
    HMENU host_ = nullptr;
};

TEST_F(ContextMenuTest, SubmenuEntryWithCaptionAndBitmap) {
    ExpectSubmenu(Query(), DefaultNames());
    const std::vector<MenuItem> host = ReadMenu(host_);
    ASSERT_EQ(host.size(), 3u);
    EXPECT_EQ(host[0].text, L"Open");
    EXPECT_EQ(host[1].text, L"Vantrel");
    EXPECT_EQ(host[2].text, L"Properties");
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(host_, 1, TRUE, &info));
    EXPECT_NE(info.hSubMenu, nullptr);
    EXPECT_NE(info.hbmpUnchecked, nullptr) << "bitmap 202 beside the entry";
    EXPECT_EQ(info.hbmpChecked, info.hbmpUnchecked);
}

TEST_F(ContextMenuTest, PresetStorageStates) {
    const std::wstring name100(100, L'n');
    struct Case {
        const char* label;
        std::function<void()> store;
        std::vector<std::wstring> shown;
    };
    const Case cases[] = {
        {"no key", [] {}, DefaultNames()},
        {"Count missing", [] { SetString(PresetKeyPath(1), L"Name", L"A"); }, DefaultNames()},
        {"Count as REG_SZ",
         [] {
             SetString(kPresets, L"Count", L"1");
             SetString(PresetKeyPath(1), L"Name", L"A");
         },
         DefaultNames()},
        {"Count 0",
         [] {
             SetDword(kPresets, L"Count", 0);
             SetString(PresetKeyPath(1), L"Name", L"A");
         },
         DefaultNames()},
        {"every preset key missing", [] { SetDword(kPresets, L"Count", 4); }, DefaultNames()},
        {"names of the wrong type",
         [] {
             SetDword(kPresets, L"Count", 2);
             SetDword(PresetKeyPath(1), L"Name", 5);
             SetDword(PresetKeyPath(2), L"Other", 5);
         },
         DefaultNames()},
        {"key 02 missing",
         [] {
             StorePresets({L"A", L"B", L"C"});
             DeleteKeyTree(HKEY_CURRENT_USER, PresetKeyPath(2));
         },
         {L"A", L"C"}},
        {"unterminated and odd-length names read as the program reads them",
         [] {
             StorePresets({L"A", L"B", L"C", L"D"});
             // Followed by a non-NUL character, so that no terminator is added on writing.
             const wchar_t unterminated[] = {L'B', L'B', L'x'};
             SetBinaryValue(PresetKeyPath(2), L"Name", REG_SZ, unterminated, 4);
             const wchar_t odd[] = {L'C', L'x'};
             SetBinaryValue(PresetKeyPath(3), L"Name", REG_SZ, odd, 3);
         },
         {L"A", L"BB", L"C", L"D"}},
        {"empty names and other string kinds take no number",
         [] {
             StorePresets({L"A", L"", L"%TEMP%", L"M", L"Z"});
             SetString(PresetKeyPath(3), L"Name", L"%TEMP%", REG_EXPAND_SZ);
             const wchar_t multi[] = {L'M', 0, 0};
             SetBinaryValue(PresetKeyPath(4), L"Name", REG_MULTI_SZ, multi, sizeof(multi));
         },
         {L"A", L"Z"}},
        {"long names shortened, never skipped",
         [&] {
             StorePresets({name100, std::wstring(101, L'x'), std::wstring(600, L'y'), L"last"});
         },
         {name100, std::wstring(97, L'x') + L"...", std::wstring(97, L'y') + L"...", L"last"}},
        {"damaged Count is bounded",
         [] {
             StorePresets({L"A", L"B"});
             SetDword(kPresets, L"Count", 0x7FFFFFFF);
         },
         {L"A", L"B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DeleteKeyTree(HKEY_CURRENT_USER, kApplicationKey);
        c.store();
        DeleteMenu(host_, 1, MF_BYPOSITION);
        ExpectSubmenu(Query(), c.shown);
    }
}

TEST_F(ContextMenuTest, HundredPresetsReadUpToKey100) {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 100; ++i) {
        names.push_back(L"Preset " + std::to_wstring(i));
    }
    StorePresets(names);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPresets + L"\\100"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPresets + L"\\09"));
    ExpectSubmenu(Query(), names);
}

TEST_F(ContextMenuTest, DefaultOnlyAddsNothing) {
    EXPECT_EQ(Query(CMF_DEFAULTONLY), S_OK);
    EXPECT_EQ(GetMenuItemCount(host_), 2);
    wchar_t text[64] = {};
    EXPECT_EQ(menu_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(text), 64),
              E_INVALIDARG)
        << "no ids are in use";
}

TEST_F(ContextMenuTest, StaysInsideTheIdRangeGiven) {
    // Five ids: four presets and "Clean Later..." at the last one.
    EXPECT_EQ(menu_->QueryContextMenu(host_, 1, kFirstId, kFirstId + 4, CMF_NORMAL), 5);
    const std::vector<MenuItem> items = Submenu();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[3].text, DefaultNames()[3]);
    EXPECT_EQ(items[5].id, kFirstId + 4);
    DeleteMenu(host_, 1, MF_BYPOSITION);
    EXPECT_EQ(menu_->QueryContextMenu(host_, 1, kFirstId, kFirstId - 1, CMF_NORMAL), S_OK);
    EXPECT_EQ(GetMenuItemCount(host_), 2) << "no id to use: nothing added";
}

TEST_F(ContextMenuTest, HelpTexts) {
    StorePresets({L"A", L"B", L"C"});
    ASSERT_EQ(Query(), 4);
    const std::wstring preset_help = L"Clean selected folders with this preset.";
    const std::wstring later_help =
        L"Add selected folders to the folder list, and clean them later.";
    struct Case {
        UINT_PTR id;
        UINT type;
        UINT room;
        HRESULT result;
        std::wstring text;
    };
    const Case cases[] = {
        {0, GCS_HELPTEXTW, 200, S_OK, preset_help},
        {2, GCS_HELPTEXTW, 200, S_OK, preset_help},
        {3, GCS_HELPTEXTW, 200, S_OK, later_help},
        {3, GCS_HELPTEXTW, 10, S_OK, later_help.substr(0, 9)},
        {3, GCS_HELPTEXTW, 1, S_OK, L""},
        {3, GCS_HELPTEXTW, 0, E_INVALIDARG, L"untouched"},
        {0, GCS_HELPTEXTA, 200, S_OK, preset_help},
        {3, GCS_HELPTEXTA, 10, S_OK, later_help.substr(0, 9)},
        {3, GCS_HELPTEXTA, 0, E_INVALIDARG, L"untouched"},
        {0, GCS_VALIDATEW, 200, S_OK, L"untouched"},
        {3, GCS_VALIDATEA, 200, S_OK, L"untouched"},
        {0, GCS_VERBW, 200, E_INVALIDARG, L"untouched"},
        {0, GCS_VERBA, 200, E_INVALIDARG, L"untouched"},
        {0, 99, 200, E_INVALIDARG, L"untouched"},
        {4, GCS_HELPTEXTW, 200, E_INVALIDARG, L"untouched"},
        {0xFFFF, GCS_HELPTEXTW, 200, E_INVALIDARG, L"untouched"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "id " << c.id << " type " << c.type << " room " << c.room);
        const bool ansi = c.type == GCS_HELPTEXTA || c.type == GCS_VALIDATEA || c.type == GCS_VERBA;
        std::wstring wide(256, L'#');
        std::string narrow(256, '#');
        CHAR* buffer = ansi ? narrow.data() : reinterpret_cast<CHAR*>(wide.data());
        EXPECT_EQ(menu_->GetCommandString(c.id, c.type, nullptr, buffer, c.room), c.result);
        if (c.text == L"untouched") {
            EXPECT_EQ(wide, std::wstring(256, L'#'));
            EXPECT_EQ(narrow, std::string(256, '#'));
        } else if (ansi) {
            EXPECT_EQ(std::string(narrow.c_str()), std::string(c.text.begin(), c.text.end()));
            if (c.room > 0 && c.room < 200) {
                EXPECT_EQ(narrow[c.room], '#') << "nothing written past the room given";
            }
        } else {
            EXPECT_EQ(std::wstring(wide.c_str()), c.text);
            if (c.room > 0 && c.room < 200) {
                EXPECT_EQ(wide[c.room], L'#') << "nothing written past the room given";
            }
        }
    }
}

TEST_F(ContextMenuTest, InvokeRejectsVerbsAndOffsetsOutsideTheMenu) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(0);
    EXPECT_EQ(menu_->InvokeCommand(&info), E_INVALIDARG) << "before QueryContextMenu";
    ASSERT_EQ(Query(), 12);
    info.lpVerb = "open";
    EXPECT_EQ(menu_->InvokeCommand(&info), E_INVALIDARG);
    info.lpVerb = MAKEINTRESOURCEA(12);
    EXPECT_EQ(menu_->InvokeCommand(&info), E_INVALIDARG);
    EXPECT_EQ(menu_->InvokeCommand(nullptr), E_INVALIDARG);
}

// ---- Initialize, observed on the object itself (linked into the tests).

class InitializeTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(
            CMyContextMenu::Create(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init_)),
            S_OK);
    }
    void TearDown() override { init_->Release(); }

    std::vector<std::wstring> Folders() { return FoldersOf(init_); }
    static std::vector<std::wstring> FoldersOf(IShellExtInit* init) {
        return static_cast<CMyContextMenu*>(init)->Folders();
    }
    HRESULT InitializeWith(const std::vector<std::wstring>& paths, bool offer = true) {
        IDataObject* data = NewDropDataObject(paths, offer);
        const HRESULT hr = init_->Initialize(nullptr, data, nullptr);
        data->Release();
        return hr;
    }

    TempFolder temp_;
    IShellExtInit* init_ = nullptr;
};

TEST_F(InitializeTest, SelectionsReplaceTheListInDropOrder) {
    const std::wstring a = temp_.MakeFolder(L"alpha");
    const std::wstring b = temp_.MakeFolder(L"beta gamma");
    const std::wstring c = temp_.MakeFolder(L"delta");
    EXPECT_EQ(InitializeWith({a}), S_OK);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{a}));
    EXPECT_EQ(InitializeWith({c, a, b}), S_OK);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{c, a, b}));
    // A path longer than any fixed buffer arrives whole.
    const std::wstring long_path = L"C:\\" + std::wstring(1500, L'l');
    EXPECT_EQ(InitializeWith({long_path, a}), S_OK);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{long_path, a}));
}

TEST_F(InitializeTest, WithoutDropListOrFolderNothingChanges) {
    const std::wstring a = temp_.MakeFolder(L"alpha");
    ASSERT_EQ(InitializeWith({a}), S_OK);
    EXPECT_EQ(InitializeWith({}, false), E_INVALIDARG);
    EXPECT_EQ(init_->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{a}));
}

TEST_F(InitializeTest, BackgroundFolderIsAppended) {
    const std::wstring a = temp_.MakeFolder(L"alpha");
    const std::wstring b = temp_.MakeFolder(L"beta");
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathW(b.c_str());
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(init_->Initialize(pidl, nullptr, nullptr), S_OK);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{b}));
    ASSERT_EQ(InitializeWith({a}), S_OK);
    EXPECT_EQ(init_->Initialize(pidl, nullptr, nullptr), S_OK);
    EXPECT_EQ(Folders(), (std::vector<std::wstring>{a, b}));
    ILFree(pidl);
}

}  // namespace
}  // namespace vantrel::shell::test

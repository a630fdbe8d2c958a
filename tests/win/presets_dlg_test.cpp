#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "ui/dialogs/presets_dlg.h"
#include "ui/model/preset_selection.h"
#include "win32/win32_registry_profile.h"

namespace vantrel {
namespace {

PresetList ThreePresets() {
    PresetList list;
    list.Append({L"Alpha", L"*.o", 0x301});
    list.Append({L"Beta", L".svn", 0x302});
    list.Append({L"Gamma", L"*", 0x320});
    return list;
}

// The dialog created modeless over a list, driven by the messages a user's actions send.
class PresetsDialogTest : public ::testing::Test {
  protected:
    void Open(PresetList initial, RegistryProfile* store = nullptr) {
        list_ = std::move(initial);
        dialog_ = std::make_unique<CPresetsDlg>(list_, store != nullptr ? *store : profile_);
        ASSERT_NE(dialog_->CreateModeless(nullptr), nullptr);
        Pump();
    }
    void TearDown() override {
        if (dialog_) {
            dialog_->Destroy();
        }
    }

    void Pump() { dialog_->PumpPendingMessages(); }
    HWND Item(int id) const { return dialog_->Item(id); }
    HWND Tree() const { return Item(IDC_PRESET_TREE); }

    void Click(int id) {
        SendMessageW(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
        Pump();
    }
    void ToggleBox(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        Pump();
    }
    // Types at the end of an edit box, one character message at a time.
    void Type(int id, const std::wstring& text) {
        const int end = GetWindowTextLengthW(Item(id));
        SendMessageW(Item(id), EM_SETSEL, static_cast<WPARAM>(end), end);
        for (wchar_t ch : text) {
            SendMessageW(Item(id), WM_CHAR, ch, 1);
        }
    }
    void ClearBox(int id) {
        SendMessageW(Item(id), EM_SETSEL, 0, -1);
        SendMessageW(Item(id), WM_CHAR, VK_BACK, 1);
    }
    std::wstring Text(int id) const {
        wchar_t text[256] = {};
        GetWindowTextW(Item(id), text, 256);
        return text;
    }

    std::vector<HTREEITEM> TreeItems() const {
        std::vector<HTREEITEM> items;
        for (HTREEITEM item = TreeView_GetRoot(Tree()); item != nullptr;
             item = TreeView_GetNextSibling(Tree(), item)) {
            items.push_back(item);
        }
        return items;
    }
    std::vector<std::wstring> TreeTexts() const {
        std::vector<std::wstring> texts;
        for (HTREEITEM item : TreeItems()) {
            wchar_t text[256] = {};
            TVITEMW query{};
            query.mask = TVIF_TEXT;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = 256;
            TreeView_GetItem(Tree(), &query);
            texts.push_back(text);
        }
        return texts;
    }
    void Select(size_t index) {
        TreeView_SelectItem(Tree(), TreeItems().at(index));
        Pump();
    }
    std::vector<std::wstring> ListNames() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < list_.Count(); ++i) {
            names.push_back(list_[i].Name);
        }
        return names;
    }

    PresetList list_;
    MemoryRegistryProfile profile_;
    std::unique_ptr<CPresetsDlg> dialog_;
};

TEST_F(PresetsDialogTest, OpensOnTheFirstPresetWithTheTreeFocused) {
    Open(ThreePresets());
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_EQ(TreeView_GetItemHeight(Tree()), 20);
    EXPECT_EQ(TreeView_GetSelection(Tree()), TreeItems()[0]);
    EXPECT_EQ(Text(IDC_PRESET_NAME), L"Alpha");
    EXPECT_EQ(Text(IDC_FILTER_EDIT), L"*.o");
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_DELETE_FILES), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_SCAN_SUBFOLDERS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_DELETE_READONLYS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_DELETE_FOLDERS), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_RECYCLE_FILES), BST_UNCHECKED);
    EXPECT_EQ(GetFocus(), Tree());
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PRESET_DELETE)));
}

TEST_F(PresetsDialogTest, AddThenCloseStoresNewPresetLast) {
    Open(ThreePresets());
    Click(IDC_PRESET_ADD);
    EXPECT_EQ(TreeTexts().back(), L"New preset");
    EXPECT_EQ(TreeView_GetSelection(Tree()), TreeItems().back());
    EXPECT_EQ(Text(IDC_PRESET_NAME), L"New preset");
    EXPECT_EQ(Text(IDC_FILTER_EDIT), L"*.*");
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_RECYCLE_FILES), BST_CHECKED);
    EXPECT_EQ(GetFocus(), Item(IDC_PRESET_NAME));
    EXPECT_EQ(list_.Count(), 3);  // the list changes only at closing

    Click(IDOK);
    EXPECT_TRUE(dialog_->Ended());
    EXPECT_TRUE(dialog_->Changed());
    ASSERT_EQ(list_.Count(), 4);
    EXPECT_EQ(list_[3], (PresetEntry{L"New preset", L"*.*", 0x1301}));
    EXPECT_EQ(profile_.ReadInt(kPresetsSection, L"Count", -1), 4);
    EXPECT_EQ(profile_.ReadString(PresetSection(3), L"Name"), L"New preset");
    // The main window's combo, refilled from the changed list, lists it before "Custom".
    const std::vector<PresetComboItem> combo = PresetComboItems(list_);
    ASSERT_EQ(combo.size(), 5u);
    EXPECT_EQ(combo[3].text, L"New preset");
    EXPECT_EQ(combo[4].text, L"Custom");
}

TEST_F(PresetsDialogTest, KeepAndAgeAreEditedPerPreset) {
    PresetList list = ThreePresets();
    list[1].Keep = L".git";
    list[1].OlderThanDays = 30;
    Open(std::move(list));
    EXPECT_EQ(Text(IDC_KEEP_EDIT), L"");
    EXPECT_EQ(Text(IDC_OLDER_EDIT), L"0");
    Select(1);
    EXPECT_EQ(Text(IDC_KEEP_EDIT), L".git");
    EXPECT_EQ(Text(IDC_OLDER_EDIT), L"30");
    Type(IDC_KEEP_EDIT, L";*.keep");
    ClearBox(IDC_OLDER_EDIT);
    Type(IDC_OLDER_EDIT, L"7d");  // the age box takes digits only
    Select(2);
    EXPECT_EQ(Text(IDC_KEEP_EDIT), L"");
    Click(IDC_PRESET_ADD);
    EXPECT_EQ(Text(IDC_OLDER_EDIT), L"0");
    Click(IDOK);
    ASSERT_EQ(list_.Count(), 4);
    EXPECT_EQ(list_[1], (PresetEntry{L"Beta", L".svn", 0x302, L".git;*.keep", 7}));
    EXPECT_EQ(list_[0], (PresetEntry{L"Alpha", L"*.o", 0x301}));
    EXPECT_EQ(list_[3], (PresetEntry{L"New preset", L"*.*", 0x1301}));
}

TEST_F(PresetsDialogTest, TypingRenamesTheItemAtOnceAndTheEntryAtCommit) {
    Open(ThreePresets());
    Select(1);
    Type(IDC_PRESET_NAME, L"X");
    EXPECT_EQ(TreeTexts()[1], L"BetaX");
    Type(IDC_PRESET_NAME, L"Y");
    EXPECT_EQ(TreeTexts()[1], L"BetaXY");
    EXPECT_EQ(list_[1].Name, L"Beta");  // not yet committed
    Select(0);
    EXPECT_EQ(list_[1].Name, L"BetaXY");
    EXPECT_FALSE(dialog_->Changed());  // only closing reports the change
    Click(IDOK);
    EXPECT_TRUE(dialog_->Changed());
    EXPECT_EQ(ListNames(), (std::vector<std::wstring>{L"Alpha", L"BetaXY", L"Gamma"}));
    EXPECT_EQ(profile_.ReadString(PresetSection(1), L"Name"), L"BetaXY");
}

TEST_F(PresetsDialogTest, EmptiedNameNeverLosesAPreset) {
    Open(ThreePresets());
    Select(1);
    ClearBox(IDC_PRESET_NAME);
    EXPECT_EQ(TreeTexts()[1], L"");  // the tree follows the box while typing
    Type(IDC_FILTER_EDIT, L";*.d");
    Select(2);
    // The name is kept, the tree shows it again, the filter edit is taken.
    EXPECT_EQ(TreeTexts()[1], L"Beta");
    EXPECT_EQ(list_[1].Name, L"Beta");
    EXPECT_EQ(list_[1].Filter, L".svn;*.d");

    ClearBox(IDC_PRESET_NAME);  // the last preset, emptied and closed at once
    Click(IDOK);
    EXPECT_EQ(ListNames(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));

    // Reloading what was saved gives back all three.
    PresetList reloaded;
    EXPECT_EQ(LoadPresets(profile_, reloaded), 3);
    EXPECT_EQ(reloaded, list_);
}

TEST_F(PresetsDialogTest, FilterEditSurvivesSelectionButNotLoadDefaults) {
    Open(ThreePresets());
    Type(IDC_FILTER_EDIT, L";*.obj");
    Select(1);
    EXPECT_EQ(list_[0].Filter, L"*.o;*.obj");
    Select(0);
    EXPECT_EQ(Text(IDC_FILTER_EDIT), L"*.o;*.obj");

    Click(IDC_PRESET_ADD);
    Select(1);
    Type(IDC_FILTER_EDIT, L";never");
    Click(IDC_PRESET_LOAD_DEFAULTS);
    EXPECT_EQ(TreeTexts().size(), 11u);
    EXPECT_EQ(TreeTexts()[0], L"Delete Visual C++ intermediate files");
    EXPECT_EQ(Text(IDC_PRESET_NAME), L"Delete Visual C++ intermediate files");
    Click(IDOK);
    EXPECT_TRUE(dialog_->Changed());
    EXPECT_EQ(list_, DefaultPresets());
    EXPECT_EQ(profile_.ReadInt(kPresetsSection, L"Count", -1), 11);
}

TEST_F(PresetsDialogTest, DeletingTheOnlyPresetThenClosingStoresAnEmptyList) {
    PresetList one;
    one.Append({L"Only", L"*.tmp", 0x1301});
    Open(std::move(one));
    Click(IDC_PRESET_DELETE);
    EXPECT_TRUE(TreeItems().empty());
    EXPECT_EQ(Text(IDC_PRESET_NAME), L"Only");  // the controls keep the deleted values
    EXPECT_EQ(Text(IDC_FILTER_EDIT), L"*.tmp");
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PRESET_DELETE)));
    Click(IDC_PRESET_DELETE);  // nothing selected: nothing happens
    Click(IDOK);
    EXPECT_TRUE(dialog_->Changed());
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(profile_.ReadInt(kPresetsSection, L"Count", -1), 0);
    // The next start builds the built-in presets again.
    PresetList next;
    EXPECT_EQ(LoadPresets(profile_, next), 11);
}

TEST_F(PresetsDialogTest, EscapeAfterDeleteStoresTheShorterList) {
    Open(ThreePresets());
    Select(1);
    Click(IDC_PRESET_DELETE);
    EXPECT_EQ(TreeTexts(), (std::vector<std::wstring>{L"Alpha", L"Gamma"}));
    const HTREEITEM selected = TreeView_GetSelection(Tree());
    ASSERT_NE(selected, nullptr);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PRESET_DELETE)));

    SetFocus(Tree());
    PostMessageW(Tree(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_TRUE(dialog_->Ended());
    EXPECT_TRUE(dialog_->Changed());
    EXPECT_EQ(ListNames(), (std::vector<std::wstring>{L"Alpha", L"Gamma"}));
    EXPECT_EQ(profile_.ReadInt(kPresetsSection, L"Count", -1), 2);
}

TEST_F(PresetsDialogTest, ToggledTwiceChangesNothing) {
    Open(ThreePresets());
    ToggleBox(IDC_RECYCLE_FILES);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_RECYCLE_FILES), BST_CHECKED);
    ToggleBox(IDC_RECYCLE_FILES);
    EXPECT_EQ(IsDlgButtonChecked(dialog_->hwnd(), IDC_RECYCLE_FILES), BST_UNCHECKED);
    Select(2);
    SendMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialog_->Ended());
    EXPECT_FALSE(dialog_->Changed());
    EXPECT_TRUE(profile_.WriteLog().empty());
    EXPECT_EQ(list_, ThreePresets());
}

TEST_F(PresetsDialogTest, CaseOnlyChangesCount) {
    const struct {
        int box;
        const wchar_t* text;
        PresetEntry stored;
    } cases[] = {
        {IDC_PRESET_NAME, L"ALPHA", {L"ALPHA", L"*.o", 0x301}},
        {IDC_FILTER_EDIT, L"*.O", {L"Alpha", L"*.O", 0x301}},
    };
    for (const auto& c : cases) {
        profile_.ClearWriteLog();
        Open(ThreePresets());
        SetDlgItemTextW(dialog_->hwnd(), c.box, c.text);
        SendMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(dialog_->Changed()) << c.text;
        EXPECT_EQ(list_[0], c.stored) << c.text;
        dialog_->Destroy();
    }
}

TEST_F(PresetsDialogTest, ClosingTwiceStoresOnce) {
    Open(ThreePresets());
    Click(IDC_PRESET_ADD);
    Click(IDOK);
    const size_t writes = profile_.WriteLog().size();
    SendMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
    SendMessageW(dialog_->hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(profile_.WriteLog().size(), writes);
    EXPECT_EQ(list_.Count(), 4);
}

TEST_F(PresetsDialogTest, SavesToTheRealRegistry) {
    const std::wstring key = L"Software\\Zephrane\\VantrelTest-PresetsDialog";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    {
        Win32RegistryProfile store(HKEY_CURRENT_USER, key);
        Open(ThreePresets(), &store);
        Select(2);
        Click(IDC_PRESET_DELETE);
        Click(IDOK);
        PresetList reloaded;
        EXPECT_EQ(LoadPresets(store, reloaded), 2);
        EXPECT_EQ(reloaded, list_);
        EXPECT_EQ(reloaded[1].Name, L"Beta");
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace
}  // namespace vantrel

#include "config/default_presets_table.h"
#include "config/presets.h"
#include "win32/win32_registry_profile.h"
#include "shellext/preset_menu.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace vantrel::shell::test {
namespace {

constexpr UINT kFirstId = 1;

// A folder holding a copy of the stand-in main program, named in "AppFolder".
class LaunchTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dll_.loaded());
        app_folder_ = temp_.MakeFolder(L"app folder");
        const std::wstring source = TestProgramFolder() + L"\\fake-main-program\\Vantrel.exe";
        ASSERT_TRUE(CopyFileW(source.c_str(), (app_folder_ + L"\\Vantrel.exe").c_str(), FALSE))
            << "missing stand-in main program";
        SetString(kApplicationKey, L"AppFolder", app_folder_);
        ASSERT_EQ(dll_.CreateMenu(IID_IContextMenu, reinterpret_cast<void**>(&menu_)), S_OK);
        menu_->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init_));
        host_ = CreatePopupMenu();
    }
    void TearDown() override {
        DestroyMenu(host_);
        if (init_ != nullptr) {
            init_->Release();
        }
        if (menu_ != nullptr) {
            menu_->Release();
        }
        // Give a started stand-in time to exit before its folder goes.
        Sleep(300);
    }

    void Select(const std::vector<std::wstring>& folders) {
        IDataObject* data = NewDropDataObject(folders);
        ASSERT_EQ(init_->Initialize(nullptr, data, nullptr), S_OK);
        data->Release();
    }
    HRESULT Query() { return menu_->QueryContextMenu(host_, 0, kFirstId, 0x7FFF, CMF_NORMAL); }
    HRESULT Invoke(UINT offset) {
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = MAKEINTRESOURCEA(offset);
        info.nShow = SW_SHOWNORMAL;
        return menu_->InvokeCommand(&info);
    }

    // The command line the stand-in recorded, or "<not started>" after the time given.
    std::wstring WaitForRecord(const wchar_t* name = L"command_line.txt", DWORD ms = 15000) {
        const std::wstring path = app_folder_ + L"\\" + name;
        for (DWORD waited = 0; waited < ms; waited += 50) {
            HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
                DWORD read = 0;
                ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                         &read, nullptr);
                CloseHandle(file);
                DeleteFileW(path.c_str());
                return text;
            }
            Sleep(50);
        }
        return L"<not started>";
    }
    // The parameters: what follows the program's own quoted name and the one space that
    // ShellExecuteW puts between the two.
    std::wstring LaunchedParameters() {
        const std::wstring line = WaitForRecord();
        const std::wstring program = L"Vantrel.exe\" ";
        const size_t end = line.find(program);
        return end == std::wstring::npos ? line : line.substr(end + program.size());
    }

    ApplicationKeyGuard guard_;
    TempFolder temp_;
    ShellLibrary dll_;
    std::wstring app_folder_;
    IContextMenu* menu_ = nullptr;
    IShellExtInit* init_ = nullptr;
    HMENU host_ = nullptr;
};

TEST_F(LaunchTest, PresetItemCleansTheFoldersAndCloses) {
    SetDword(std::wstring(kApplicationKey) + L"\\Presets", L"Count", 3);
    for (unsigned i = 1; i <= 3; ++i) {
        SetString(PresetKeyPath(i), L"Name", L"P" + std::to_wstring(i));
    }
    const std::wstring x = temp_.MakeFolder(L"x");
    const std::wstring yz = temp_.MakeFolder(L"y z");
    Select({x, yz});
    ASSERT_EQ(Query(), 4);
    EXPECT_EQ(Invoke(2), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" -clean -preset 3 \"" + x + L"\" \"" + yz + L"\" -ac");
}

// A damaged store: a gap, a nameless preset, a name too long for a menu. Every entry must
// launch, by its number, the very preset the program loads under that number.
TEST_F(LaunchTest, EveryEntryOfADamagedSetLaunchesThePresetItShows) {
    const std::wstring long_name = std::wstring(599, L'L') + L"!";
    SetDword(std::wstring(kApplicationKey) + L"\\Presets", L"Count", 6);
    SetString(PresetKeyPath(1), L"Name", L"First");
    // 02: no key at all.
    SetString(PresetKeyPath(3), L"Name", L"");
    SetString(PresetKeyPath(3), L"Filter", L"*.nameless");
    SetString(PresetKeyPath(4), L"Name", long_name);
    SetString(PresetKeyPath(5), L"Filter", L"*.no-name-value");
    SetString(PresetKeyPath(6), L"Name", L"Last");
    const std::wstring expected[] = {L"First", long_name, L"Last"};

    ASSERT_EQ(Query(), 4);
    const std::vector<MenuItem> items = ReadMenu(GetSubMenu(host_, 0));
    Win32RegistryProfile profile;
    PresetList program;
    LoadPresets(profile, program);
    for (UINT offset = 0; offset < 3; ++offset) {
        const std::wstring& name = expected[offset];
        const std::wstring& shown = items[offset].text;
        SCOPED_TRACE(shown);
        const bool shortened = shown.size() > 3 && shown.ends_with(L"...") &&
                               name.starts_with(shown.substr(0, shown.size() - 3));
        EXPECT_TRUE(shown == name || shortened);
        EXPECT_LE(shown.size(), 100u);
        ASSERT_EQ(Invoke(offset), S_OK);
        const std::wstring parameters = LaunchedParameters();
        const std::wstring prefix = L" -clean -preset ";
        ASSERT_TRUE(parameters.starts_with(prefix)) << parameters;
        const int number = std::stoi(parameters.substr(prefix.size()));
        const PresetEntry* launched = program.At(number - 1);
        ASSERT_NE(launched, nullptr) << parameters;
        EXPECT_EQ(launched->Name, name);
    }
}

TEST_F(LaunchTest, CleanLaterOnlyAddsTheFolders) {
    const std::wstring x = temp_.MakeFolder(L"x");
    const std::wstring yz = temp_.MakeFolder(L"y z");
    Select({x, yz});
    ASSERT_EQ(Query(), 12);
    EXPECT_EQ(Invoke(11), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" \"" + x + L"\" \"" + yz + L"\"");
}

TEST_F(LaunchTest, DefaultNamesUseTheirRowNumbersAndTheListIsClearedAfterwards) {
    const std::wstring x = temp_.MakeFolder(L"x");
    Select({x});
    ASSERT_EQ(Query(), 12);
    EXPECT_EQ(Invoke(10), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" -clean -preset 11 \"" + x + L"\" -ac");
    EXPECT_EQ(Invoke(0), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" -clean -preset 1 -ac") << "the folder list was emptied";
}

TEST_F(LaunchTest, BackgroundFolderAndDriveRoot) {
    const std::wstring proj = temp_.MakeFolder(L"proj");
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathW(proj.c_str());
    ASSERT_EQ(init_->Initialize(pidl, nullptr, nullptr), S_OK);
    ILFree(pidl);
    ASSERT_EQ(Query(), 12);
    EXPECT_EQ(Invoke(0), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" -clean -preset 1 \"" + proj + L"\" -ac");

    Select({L"C:\\"});
    EXPECT_EQ(Invoke(11), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" \"C:\\\\\"") << "the closing quotation mark is not escaped";
}

TEST_F(LaunchTest, AppFolderWithTrailingSeparatorStillFindsTheProgram) {
    SetString(kApplicationKey, L"AppFolder", app_folder_ + L"\\");
    Select({temp_.MakeFolder(L"x")});
    ASSERT_EQ(Query(), 12);
    EXPECT_EQ(Invoke(11), S_OK);
    EXPECT_NE(LaunchedParameters(), L"<not started>");
}

TEST_F(LaunchTest, NothingStartsWithoutAUsableAppFolder) {
    const std::wstring key = kApplicationKey;
    struct Case {
        const char* label;
        void (*store)(const std::wstring& key, const std::wstring& folder);
    };
    const Case cases[] = {
        {"missing", [](const std::wstring&, const std::wstring&) {}},
        {"empty",
         [](const std::wstring& k, const std::wstring&) { SetString(k, L"AppFolder", L""); }},
        {"wrong type",
         [](const std::wstring& k, const std::wstring&) { SetDword(k, L"AppFolder", 1); }},
        {"longer than the budget",
         [](const std::wstring& k, const std::wstring& f) {
             SetString(k, L"AppFolder", f + L"\\" + std::wstring(520, L'a'));
         }},
        {"folder without the program",
         [](const std::wstring& k, const std::wstring& f) {
             SetString(k, L"AppFolder", f + L"\\elsewhere");
         }},
    };
    const std::wstring x = temp_.MakeFolder(L"x");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DeleteKeyTree(HKEY_CURRENT_USER, key);
        c.store(key, app_folder_);
        Select({x});
        DeleteMenu(host_, 0, MF_BYPOSITION);
        ASSERT_EQ(Query(), 12);
        EXPECT_EQ(Invoke(0), S_OK);
        EXPECT_EQ(Invoke(0), S_OK) << "the offset is still valid";
    }
    EXPECT_EQ(WaitForRecord(L"command_line.txt", 1500), L"<not started>");
}

TEST_F(LaunchTest, RejectedCommandKeepsTheFolderList) {
    const std::wstring x = temp_.MakeFolder(L"x");
    Select({x});
    ASSERT_EQ(Query(), 12);
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = "Clean";
    EXPECT_EQ(menu_->InvokeCommand(&info), E_INVALIDARG);
    EXPECT_EQ(Invoke(12), E_INVALIDARG);
    EXPECT_EQ(Invoke(11), S_OK);
    EXPECT_EQ(LaunchedParameters(), L" \"" + x + L"\"");
}

}  // namespace
}  // namespace vantrel::shell::test

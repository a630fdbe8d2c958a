#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/shell_ext_registrar.h"

namespace vantrel {
namespace {

// The two handler keys, created and removed directly under HKEY_CLASSES_ROOT of the test
// prefix.
const wchar_t* const kAllFilesKey = L"*\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel";
const wchar_t* const kFolderKey = L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel";

void CreateClassKey(const wchar_t* path) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(key);
}

bool ClassKeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void RemoveClassKeys() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kAllFilesKey);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kFolderKey);
}

// Whether `program` is a file this process reaches as a 64-bit (x64) Windows program: the
// regsvr32 that can register the 64-bit library, also from a 32-bit process, whose
// System32 is redirected to the 32-bit programs.
bool IsSixtyFourBitProgram(const std::wstring& program) {
    HANDLE file = CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::vector<BYTE> head(4096);
    DWORD read = 0;
    ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr);
    CloseHandle(file);
    if (read < 0x40) {
        return false;
    }
    const DWORD pe = *reinterpret_cast<const DWORD*>(&head[0x3C]);
    return pe + 6 <= read && std::memcmp(&head[pe], "PE\0\0", 4) == 0 &&
           *reinterpret_cast<const WORD*>(&head[pe + 4]) == IMAGE_FILE_MACHINE_AMD64;
}

struct Launch {
    std::wstring program;
    std::wstring parameters;
};

// A temporary application folder, with or without the library file.
class AppFolder {
  public:
    explicit AppFolder(bool with_library) {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        folder_ = temp + L"vantrel-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter_++) + L" x";
        CreateDirectoryW(folder_.c_str(), nullptr);
        if (with_library) {
            HANDLE file = CreateFileW(Library().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            CloseHandle(file);
        }
    }
    ~AppFolder() {
        DeleteFileW(Library().c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    const std::wstring& Folder() const { return folder_; }
    std::wstring Library() const { return folder_ + L"\\VantrelShell.dll"; }

  private:
    static inline int counter_ = 0;
    std::wstring folder_;
};

class SettingsDialogTest : public ::testing::Test {
  protected:
    // A prefix where the extension is really registered is left alone.
    void SetUp() override {
        if (ClassKeyExists(kAllFilesKey) || ClassKeyExists(kFolderKey)) {
            GTEST_SKIP() << "the extension is registered in this prefix";
        }
        owns_keys_ = true;
    }
    void TearDown() override {
        if (dialog_) {
            dialog_->Destroy();
        }
        if (owns_keys_) {
            RemoveClassKeys();
        }
    }

    void Open(const std::wstring& folder) {
        dialog_ = std::make_unique<CSettingsDlg>(
            folder, [this](const std::wstring& program, const std::wstring& parameters) {
                launches_.push_back({program, parameters});
            });
        ASSERT_NE(dialog_->CreateModeless(nullptr), nullptr);
    }
    bool Ticked() const {
        return IsDlgButtonChecked(dialog_->hwnd(), IDC_SHELL_EXTENSION_CHECK) == BST_CHECKED;
    }
    void SetTicked(bool ticked) {
        CheckDlgButton(dialog_->hwnd(), IDC_SHELL_EXTENSION_CHECK,
                       ticked ? BST_CHECKED : BST_UNCHECKED);
    }
    void Press(int id) {
        SendMessageW(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog_->Item(id)));
    }

    std::unique_ptr<CSettingsDlg> dialog_;
    std::vector<Launch> launches_;
    bool owns_keys_ = false;
};

TEST_F(SettingsDialogTest, CountsTheHandlerKeys) {
    CShellExtRegistrar registrar(L"C:\\nowhere");
    EXPECT_EQ(registrar.IsRegistered(), 0);
    CreateClassKey(kAllFilesKey);
    EXPECT_EQ(registrar.IsRegistered(), 1);
    CreateClassKey(kFolderKey);
    EXPECT_EQ(registrar.IsRegistered(), 2);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kAllFilesKey);
    EXPECT_EQ(registrar.IsRegistered(), 1);
}

TEST_F(SettingsDialogTest, OpensTickedWhenOnlyTheAllFilesKeyExists) {
    CreateClassKey(kAllFilesKey);
    AppFolder app(true);
    Open(app.Folder());
    EXPECT_TRUE(Ticked());
    EXPECT_EQ(dialog_->ExtensionOn(), 1);
    Press(IDOK);  // ticked and unchanged: registers again
    EXPECT_TRUE(dialog_->Ended());
    EXPECT_EQ(dialog_->Result(), IDOK);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_TRUE(IsSixtyFourBitProgram(launches_[0].program));
    EXPECT_EQ(launches_[0].parameters, L"/s /n /i:user \"" + app.Library() + L"\"");
}

TEST_F(SettingsDialogTest, OkWithTheBoxClearUnregisters) {
    AppFolder app(true);
    Open(app.Folder());
    EXPECT_FALSE(Ticked());
    Press(IDOK);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_TRUE(IsSixtyFourBitProgram(launches_[0].program));
    EXPECT_EQ(launches_[0].parameters, L"/s /u /n /i:user \"" + app.Library() + L"\"");
    EXPECT_EQ(dialog_->ExtensionOn(), 0);
}

TEST_F(SettingsDialogTest, TickingThenOkRegisters) {
    AppFolder app(true);
    Open(app.Folder());
    SetTicked(true);
    Press(IDOK);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].parameters, L"/s /n /i:user \"" + app.Library() + L"\"");
}

TEST_F(SettingsDialogTest, NothingStartsWithoutTheLibrary) {
    const struct {
        const char* what;
        bool with_library;
        bool empty_folder;
    } cases[] = {
        {"folder without the library", false, false},
        {"no application folder", false, true},
    };
    for (const auto& c : cases) {
        for (bool ticked : {false, true}) {
            AppFolder app(c.with_library);
            Open(c.empty_folder ? std::wstring() : app.Folder());
            SetTicked(ticked);
            Press(IDOK);
            EXPECT_TRUE(dialog_->Ended()) << c.what;
            EXPECT_TRUE(launches_.empty()) << c.what;
            dialog_->Destroy();
        }
    }
}

TEST_F(SettingsDialogTest, CancelStartsNothing) {
    AppFolder app(true);
    for (int way = 0; way < 2; ++way) {
        Open(app.Folder());
        SetTicked(true);
        if (way == 0) {
            Press(IDCANCEL);
        } else {
            SendMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
            dialog_->PumpPendingMessages();
        }
        EXPECT_TRUE(dialog_->Ended());
        EXPECT_EQ(dialog_->Result(), IDCANCEL);
        dialog_->Destroy();
    }
    EXPECT_TRUE(launches_.empty());
    CShellExtRegistrar registrar(app.Folder());
    EXPECT_EQ(registrar.IsRegistered(), 0);
}

// Run by tests/e2e/settings_regsvr32.sh in a fresh prefix, once per step: the box ticked
// (VANTREL_SETTINGS_STEP=tick) or cleared (untick) and OK, with the real regsvr32 on the
// library in VANTREL_SETTINGS_APP_FOLDER; the script then reads the keys itself.
TEST(SettingsRegistrationEndToEnd, TheBoxRegistersAndUnregistersWithTheRealRegsvr32) {
    const char* folder = std::getenv("VANTREL_SETTINGS_APP_FOLDER");
    const char* step = std::getenv("VANTREL_SETTINGS_STEP");
    if (folder == nullptr || step == nullptr) {
        GTEST_SKIP() << "run by tests/e2e/settings_regsvr32.sh";
    }
    const bool tick = std::string(step) == "tick";
    const std::string narrow(folder);
    CSettingsDlg dialog{std::wstring(narrow.begin(), narrow.end())};
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    CheckDlgButton(dialog.hwnd(), IDC_SHELL_EXTENSION_CHECK, tick ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
    EXPECT_TRUE(dialog.Ended());
    dialog.Destroy();
    // regsvr32 runs on its own: wait for its outcome.
    const CShellExtRegistrar registrar{std::wstring(narrow.begin(), narrow.end())};
    const DWORD start = GetTickCount();
    while ((registrar.IsRegistered() > 0) != tick && GetTickCount() - start < 30000) {
        Sleep(100);
    }
    EXPECT_EQ(registrar.IsRegistered() > 0, tick);
}

}  // namespace
}  // namespace vantrel

#include "shellext/shell_ids.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

namespace vantrel::shell::test {
namespace {

const std::wstring kMachineClasses = L"Software\\Classes";
const std::wstring kUserClasses = L"Software\\Classes";
const std::wstring kClassKey = L"CLSID\\{E534891D-61B8-41BC-9028-92C328D64EEA}";
const std::wstring kTypeLibKey = L"TypeLib\\{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}";

// The keys of both tables that registration adds and unregistration removes.
const std::vector<std::wstring>& OwnKeys() {
    static const std::vector<std::wstring> keys = {
        L"AppID\\{84640F5D-217D-48D7-B86B-59CA25CFBB78}",
        L"AppID\\VantrelShell.DLL",
        L"Zephrane.Vantrel.SCM.1",
        L"Zephrane.Vantrel.SCM",
        kClassKey,
        kClassKey + L"\\InprocServer32",
        kClassKey + L"\\Programmable",
        L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel",
        L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel",
    };
    return keys;
}

std::wstring Under(const std::wstring& root, const std::wstring& key) {
    return root + L"\\" + key;
}

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

// Where the tables went: the machine's classes, the user's, or nowhere.
enum class Where { Machine, User, Nowhere };

void ExpectRegistration(Where where, HMODULE module) {
    for (const std::wstring& key : OwnKeys()) {
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, key)),
                  where == Where::Machine)
            << "machine " << testing::PrintToString(key);
        EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, Under(kUserClasses, key)), where == Where::User)
            << "user " << testing::PrintToString(key);
    }
    if (where == Where::Nowhere) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, kTypeLibKey)));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Under(kUserClasses, kTypeLibKey)));
        return;
    }
    const HKEY root = where == Where::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::wstring classes = where == Where::Machine ? kMachineClasses : kUserClasses;
    EXPECT_EQ(ReadString(root, Under(classes, kClassKey + L"\\InprocServer32"), nullptr),
              ModulePath(module));
    EXPECT_EQ(ReadString(root, Under(classes, kClassKey + L"\\InprocServer32"), L"ThreadingModel"),
              L"Apartment");
    EXPECT_EQ(ReadString(root, Under(classes, L"AppID\\VantrelShell.DLL"), L"AppID"),
              L"{84640F5D-217D-48D7-B86B-59CA25CFBB78}");
    EXPECT_EQ(ReadString(root, Under(classes, L"Zephrane.Vantrel.SCM\\CurVer"), nullptr),
              L"Zephrane.Vantrel.SCM.1");
    if (where == Where::Machine) {
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, kTypeLibKey + L"\\1.0")));
        EXPECT_TRUE(KeyExists(
            HKEY_LOCAL_MACHINE,
            Under(kMachineClasses, L"Interface\\{10F59657-5117-49EE-B3C3-C9372AF789E9}")));
    }
    // The type library is registered (per-user registration may go to the machine when
    // the system has no per-user type libraries).
    BSTR path = nullptr;
    EXPECT_EQ(QueryPathOfRegTypeLib(kLibidVantrelShellLib, 1, 0, 0x409, &path), S_OK);
    EXPECT_EQ(std::wstring(path != nullptr ? path : L""), ModulePath(module));
    SysFreeString(path);
}

void ExpectSharedKeys() {
    for (const wchar_t* key : {L"AppID", L"CLSID", L"Folder\\ShellEx\\ContextMenuHandlers",
                               L"Directory\\Background\\ShellEx\\ContextMenuHandlers"}) {
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, key))) << key;
    }
}

class RegistrationTest : public testing::Test {
  protected:
    void SetUp() override {
        // Start and end unregistered, in both places.
        ShellLibrary dll;
        ASSERT_TRUE(dll.loaded());
        dll.UnregisterServer();
        dll.Install(FALSE, L"user");
    }
    void TearDown() override { SetUp(); }
};

TEST_F(RegistrationTest, RegisterAndUnregisterForTheMachine) {
    ShellLibrary dll;
    EXPECT_EQ(dll.RegisterServer(), S_OK);
    ExpectRegistration(Where::Machine, dll.module());
    EXPECT_EQ(dll.RegisterServer(), S_OK) << "registering twice";
    ExpectRegistration(Where::Machine, dll.module());
    EXPECT_EQ(dll.UnregisterServer(), S_OK);
    ExpectRegistration(Where::Nowhere, dll.module());
    ExpectSharedKeys();
    EXPECT_FALSE(
        KeyExists(HKEY_LOCAL_MACHINE,
                  Under(kMachineClasses, L"Interface\\{10F59657-5117-49EE-B3C3-C9372AF789E9}")))
        << "the interface entries of the type library go with it";
    EXPECT_EQ(dll.UnregisterServer(), S_OK) << "unregistering what is not registered";
}

TEST_F(RegistrationTest, InstallPerUserOnlyForTheWordUser) {
    struct Case {
        const wchar_t* command_line;
        Where where;
    };
    const Case cases[] = {{L"user", Where::User},    {L"USER", Where::User},
                          {L"User", Where::User},    {L"users", Where::Machine},
                          {L"use", Where::Machine},  {L"", Where::Machine},
                          {nullptr, Where::Machine}, {L"user ", Where::Machine}};
    for (const Case& c : cases) {
        SCOPED_TRACE(
            testing::PrintToString(std::wstring(c.command_line ? c.command_line : L"(null)")));
        // A fresh load each time: the per-user flag, once set, holds for the library's life.
        ASSERT_EQ(GetModuleHandleW(L"VantrelShell.dll"), nullptr);
        {
            ShellLibrary dll;
            EXPECT_EQ(dll.Install(TRUE, c.command_line), S_OK);
            ExpectRegistration(c.where, dll.module());
            EXPECT_EQ(dll.Install(FALSE, c.command_line), S_OK);
            ExpectRegistration(Where::Nowhere, dll.module());
        }
    }
}

TEST_F(RegistrationTest, PerUserFlagHoldsForLaterCalls) {
    ShellLibrary dll;
    ASSERT_EQ(dll.Install(TRUE, L"user"), S_OK);
    EXPECT_EQ(dll.RegisterServer(), S_OK);
    ExpectRegistration(Where::User, dll.module());
    EXPECT_EQ(dll.UnregisterServer(), S_OK);
    ExpectRegistration(Where::Nowhere, dll.module());
}

TEST_F(RegistrationTest, LongLibraryPathFailsAndInstallTakesBackWhatItWrote) {
    TempFolder temp;
    std::wstring deep = temp.path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    const std::wstring copy = deep + L"\\VantrelShell.dll";
    ASSERT_TRUE(
        CopyFileW((TestProgramFolder() + L"\\VantrelShell.dll").c_str(), copy.c_str(), FALSE));
    const HRESULT too_long = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    {
        ShellLibrary dll(copy);
        if (!dll.loaded()) {
            GTEST_SKIP() << "this system loads no library from a path this long";
        }
        // Registration stops before the class; DllRegisterServer leaves table A.
        EXPECT_EQ(dll.RegisterServer(), too_long);
        EXPECT_TRUE(
            KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, L"AppID\\VantrelShell.DLL")));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, kClassKey)));
        EXPECT_EQ(dll.UnregisterServer(), S_OK);
        EXPECT_FALSE(
            KeyExists(HKEY_LOCAL_MACHINE, Under(kMachineClasses, L"AppID\\VantrelShell.DLL")));
        // DllInstall takes it back itself.
        EXPECT_EQ(dll.Install(TRUE, L"user"), too_long);
        ExpectRegistration(Where::Nowhere, dll.module());
    }
    DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace vantrel::shell::test

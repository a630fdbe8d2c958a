#include "shellext/registration_tables.h"
#include "shellext/registration_writer.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

namespace vantrel::shell::test {
namespace {

const std::wstring kRootPath = L"Software\\VantrelShellTests\\Root";
const std::wstring kClassKey = L"CLSID\\{E534891D-61B8-41BC-9028-92C328D64EEA}";
const std::wstring kAppId = L"{84640F5D-217D-48D7-B86B-59CA25CFBB78}";

class RegistrationWriterTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kRootPath);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRootPath.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &root_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(root_);
        DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\VantrelShellTests");
    }
    LONG WriteBoth() {
        LONG status = WriteRegistrationTable(root_, AppIdRegistrationTable(), substitutions_);
        return status != ERROR_SUCCESS
                   ? status
                   : WriteRegistrationTable(root_, ClassRegistrationTable(), substitutions_);
    }
    LONG RemoveBoth() {
        LONG status = RemoveRegistrationTable(root_, ClassRegistrationTable(), substitutions_);
        LONG other = RemoveRegistrationTable(root_, AppIdRegistrationTable(), substitutions_);
        return status != ERROR_SUCCESS ? status : other;
    }
    std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
        return ReadString(root_, key, name);
    }
    bool Exists(const std::wstring& key) { return KeyExists(root_, key); }

    HKEY root_ = nullptr;
    const Substitution substitutions_[2] = {
        {L"%APPID%", kAppId}, {L"%MODULE%", L"C:\\Program Files\\V\\VantrelShell.dll"}};
};

TEST(SubstituteTest, ReplacesEveryToken) {
    const Substitution s[] = {{L"%A%", L"one"}, {L"%B%", L""}};
    EXPECT_EQ(Substitute(L"%A%\\x%B%y%A%", s), L"one\\xyone");
    EXPECT_EQ(Substitute(L"%C% %A", s), L"%C% %A");
    EXPECT_EQ(Substitute(L"", s), L"");
}

TEST_F(RegistrationWriterTest, WritesEveryKeyAndValueOfBothTables) {
    ASSERT_EQ(WriteBoth(), ERROR_SUCCESS);
    struct Expected {
        std::wstring key;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Expected expected[] = {
        {L"AppID\\" + kAppId, nullptr, L"VantrelShell"},
        {L"AppID\\VantrelShell.DLL", L"AppID", L"{84640F5D-217D-48D7-B86B-59CA25CFBB78}"},
        {L"Zephrane.Vantrel.SCM.1", nullptr, L"Vantrel.SCM"},
        {L"Zephrane.Vantrel.SCM.1\\CLSID", nullptr, L"{E534891D-61B8-41BC-9028-92C328D64EEA}"},
        {L"Zephrane.Vantrel.SCM", nullptr, L"Vantrel.SCM"},
        {L"Zephrane.Vantrel.SCM\\CLSID", nullptr, L"{E534891D-61B8-41BC-9028-92C328D64EEA}"},
        {L"Zephrane.Vantrel.SCM\\CurVer", nullptr, L"Zephrane.Vantrel.SCM.1"},
        {kClassKey, nullptr, L"Vantrel.SCM"},
        {kClassKey + L"\\ProgID", nullptr, L"Zephrane.Vantrel.SCM.1"},
        {kClassKey + L"\\VersionIndependentProgID", nullptr, L"Zephrane.Vantrel.SCM"},
        {kClassKey + L"\\Programmable", nullptr, L"<missing>"},
        {kClassKey + L"\\InprocServer32", nullptr, L"C:\\Program Files\\V\\VantrelShell.dll"},
        {kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {kClassKey + L"\\TypeLib", nullptr, L"{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}"},
        {L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", nullptr,
         L"{E534891D-61B8-41BC-9028-92C328D64EEA}"},
        {L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", nullptr,
         L"{E534891D-61B8-41BC-9028-92C328D64EEA}"},
    };
    for (const Expected& e : expected) {
        EXPECT_TRUE(Exists(e.key)) << e.key;
        EXPECT_EQ(Value(e.key, e.name), e.value) << e.key;
    }
    EXPECT_FALSE(Exists(L"*\\ShellEx")) << "not registered for files";
}

TEST_F(RegistrationWriterTest, RegisteringTwiceReplacesForcedKeysAndOverwritesOthers) {
    ASSERT_EQ(WriteBoth(), ERROR_SUCCESS);
    // Leftovers of an older registration below the forced keys, and changed values.
    SetString(kRootPath + L"\\" + kClassKey + L"\\InprocServer32", L"Stale", L"x");
    SetString(kRootPath + L"\\" + kClassKey + L"\\LocalServer32", nullptr, L"old.exe");
    SetString(kRootPath + L"\\Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel\\Sub", nullptr,
              L"x");
    SetString(kRootPath + L"\\Zephrane.Vantrel.SCM", nullptr, L"changed");
    ASSERT_EQ(WriteBoth(), ERROR_SUCCESS);
    EXPECT_EQ(Value(kClassKey + L"\\InprocServer32", L"Stale"), L"<missing>");
    EXPECT_FALSE(Exists(kClassKey + L"\\LocalServer32"));
    EXPECT_FALSE(Exists(L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel\\Sub"));
    EXPECT_EQ(Value(L"Zephrane.Vantrel.SCM"), L"Vantrel.SCM");
    EXPECT_EQ(Value(kClassKey + L"\\ProgID"), L"Zephrane.Vantrel.SCM.1");
}

TEST_F(RegistrationWriterTest, RemovalKeepsSharedKeysAndOrdinaryKeysWithSubkeys) {
    // Shared keys that hold other software's entries.
    SetString(kRootPath + L"\\CLSID\\{00000000-0000-0000-0000-000000000001}", nullptr, L"other");
    SetString(kRootPath + L"\\Folder\\ShellEx\\ContextMenuHandlers\\Other", nullptr, L"o");
    ASSERT_EQ(WriteBoth(), ERROR_SUCCESS);
    // Something else put a subkey below an ordinary key.
    SetString(kRootPath + L"\\Zephrane.Vantrel.SCM\\Foreign", nullptr, L"f");
    ASSERT_EQ(RemoveBoth(), ERROR_SUCCESS);

    for (const wchar_t* shared :
         {L"AppID", L"CLSID", L"Folder", L"Folder\\ShellEx",
          L"Folder\\ShellEx\\ContextMenuHandlers", L"Directory", L"Directory\\Background",
          L"Directory\\Background\\ShellEx", L"Directory\\Background\\ShellEx\\ContextMenuHandlers",
          L"CLSID\\{00000000-0000-0000-0000-000000000001}",
          L"Folder\\ShellEx\\ContextMenuHandlers\\Other"}) {
        EXPECT_TRUE(Exists(shared)) << shared;
    }
    for (const std::wstring& gone :
         {kClassKey, L"AppID\\" + kAppId, std::wstring(L"AppID\\VantrelShell.DLL"),
          std::wstring(L"Zephrane.Vantrel.SCM.1"), std::wstring(L"Zephrane.Vantrel.SCM\\CLSID"),
          std::wstring(L"Zephrane.Vantrel.SCM\\CurVer"),
          std::wstring(L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel"),
          std::wstring(L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel")}) {
        EXPECT_FALSE(Exists(gone)) << gone;
    }
    EXPECT_TRUE(Exists(L"Zephrane.Vantrel.SCM")) << "an ordinary key with a subkey stays";
    EXPECT_TRUE(Exists(L"Zephrane.Vantrel.SCM\\Foreign"));

    EXPECT_EQ(RemoveBoth(), ERROR_SUCCESS) << "removing what is gone is no failure";
}

}  // namespace
}  // namespace vantrel::shell::test

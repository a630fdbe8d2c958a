#include "shellext/registry_string.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vantrel::shell::test {
namespace {

const std::wstring kKey = L"Software\\VantrelShellTests\\Strings";

struct StringCase {
    const char* label;
    DWORD type;
    std::vector<wchar_t> data;  // written as is
    int extra_byte;             // 1: one more byte, for odd lengths
    LONG status;
    const wchar_t* text;
};

class RegistryStringTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\VantrelShellTests");
    }
    HKEY key_ = nullptr;
};

TEST_F(RegistryStringTest, AcceptsOnlyWellFormedStrings) {
    const StringCase cases[] = {
        {"sz", REG_SZ, {L'a', L'b', 0}, 0, ERROR_SUCCESS, L"ab"},
        {"sz only a terminator", REG_SZ, {0}, 0, ERROR_SUCCESS, L""},
        {"sz without terminator", REG_SZ, {L'a', L'b'}, 0, ERROR_INVALID_DATA, L""},
        {"sz odd length", REG_SZ, {L'a', 0}, 1, ERROR_INVALID_DATA, L""},
        {"expand sz kept unexpanded",
         REG_EXPAND_SZ,
         {L'%', L'T', L'%', 0},
         0,
         ERROR_SUCCESS,
         L"%T%"},
        {"multi sz", REG_MULTI_SZ, {L'a', 0, 0}, 0, ERROR_SUCCESS, L"a"},
        {"multi sz single nul", REG_MULTI_SZ, {0}, 0, ERROR_SUCCESS, L""},
        {"multi sz one terminator", REG_MULTI_SZ, {L'a', 0}, 0, ERROR_INVALID_DATA, L""},
        {"dword", REG_DWORD, {L'a', 0}, 0, ERROR_INVALID_DATA, L""},
        {"none", REG_NONE, {L'a', 0}, 0, ERROR_INVALID_DATA, L""},
        {"binary", REG_BINARY, {L'a', 0}, 0, ERROR_INVALID_DATA, L""},
    };
    for (const StringCase& c : cases) {
        const DWORD size = static_cast<DWORD>(c.data.size() * sizeof(wchar_t) + c.extra_byte);
        // Non-NUL bytes after the data: the registry adds a terminator the caller forgot to
        // count when one follows the data in memory.
        std::vector<BYTE> bytes(size + 4, 'x');
        std::memcpy(bytes.data(), c.data.data(), c.data.size() * sizeof(wchar_t));
        if (c.extra_byte != 0) {
            bytes[size - 1] = 0;
        }
        ASSERT_EQ(RegSetValueExW(key_, L"V", 0, c.type, bytes.data(), size), ERROR_SUCCESS);
        std::vector<wchar_t> buffer(600, L'x');
        DWORD read = 0;
        EXPECT_EQ(QueryRegistryString(key_, L"V", buffer.data(), 1023, &read), c.status) << c.label;
        EXPECT_STREQ(buffer.data(), c.text) << c.label;
        EXPECT_EQ(read, size) << c.label;
    }
}

TEST_F(RegistryStringTest, EmptyMissingAndTooLongValues) {
    std::vector<wchar_t> buffer(600, L'x');
    DWORD read = 7;
    ASSERT_EQ(RegSetValueExW(key_, L"Empty", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(QueryRegistryString(key_, L"Empty", buffer.data(), 1023, &read), ERROR_SUCCESS);
    EXPECT_EQ(read, 0u);
    EXPECT_STREQ(buffer.data(), L"");
    std::wstring text = L"unchanged";
    EXPECT_FALSE(ReadRegistryString(key_, L"Empty", 1023, text)) << "0 bytes is no value";
    EXPECT_EQ(text, L"unchanged");

    EXPECT_EQ(QueryRegistryString(key_, L"Missing", buffer.data(), 1023, &read),
              ERROR_FILE_NOT_FOUND);

    // 510 characters and the terminator fill 1022 of 1023 bytes; 511 need 1024.
    SetString(kKey, L"Fits", std::wstring(510, L'f'));
    SetString(kKey, L"TooLong", std::wstring(511, L'g'));
    EXPECT_TRUE(ReadRegistryString(key_, L"Fits", 1023, text));
    EXPECT_EQ(text, std::wstring(510, L'f'));
    EXPECT_EQ(QueryRegistryString(key_, L"TooLong", buffer.data(), 1023, &read), ERROR_MORE_DATA);
    EXPECT_FALSE(ReadRegistryString(key_, L"TooLong", 1023, text));
}

}  // namespace
}  // namespace vantrel::shell::test

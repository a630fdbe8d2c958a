// The report writer on real files under Wine: a file is written whole or left as it was,
// and no temporary file stays behind.

#include "win32/whole_file_writer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "tests/win/support/temp_tree.h"

namespace vantrel {
namespace {

using testing::TempTree;

std::string Content(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<none>";
    }
    std::string text(4096, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

std::set<std::wstring> Names(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") {
            names.insert(data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

TEST(WholeFileWriterTest, WritesWholeOrLeavesThePathAsItWas) {
    TempTree tree(L"report");
    tree.File(L"old.csv", "old");
    tree.File(L"held.csv", "held");
    tree.Folder(L"dir");
    // Another program holds held.csv open without sharing deletion: it cannot be replaced.
    HANDLE held = CreateFileW(tree.Path(L"held.csv").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const struct {
        const wchar_t* target;
        bool written;
        const char* content;  // what the target holds afterwards
    } cases[] = {
        {L"new \xE9,1.csv", true, "a,b\r\n\xC3\xA9\r\n"},
        {L"old.csv", true, "a,b\r\n\xC3\xA9\r\n"},
        {L"held.csv", false, "held"},
        {L"missing\\r.csv", false, "<none>"},
        {L"dir", false, "<none>"},
        {L"dir\\", false, "<none>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteWholeFile(tree.Path(c.target), "a,b\r\n\xC3\xA9\r\n"), c.written)
            << ::testing::PrintToString(std::wstring(c.target));
        EXPECT_EQ(Content(tree.Path(c.target)), c.content);
    }
    CloseHandle(held);
    EXPECT_EQ(Names(tree.Root()),
              (std::set<std::wstring>{L"new \xE9,1.csv", L"old.csv", L"held.csv", L"dir"}));
    EXPECT_TRUE(Names(tree.Path(L"dir")).empty());
    EXPECT_FALSE(WriteWholeFile(L"", "x"));
}

}  // namespace
}  // namespace vantrel

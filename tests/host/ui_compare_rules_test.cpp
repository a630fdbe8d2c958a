#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ui/model/compare_rules.h"

namespace vantrel {
namespace {

int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

FileItem File(const wchar_t* path, int64_t size, ItemStatus status = ItemStatus::None,
              uint32_t attributes = 0) {
    return FileItem{path, size, attributes, status};
}

FileItem Modified(const wchar_t* path, uint64_t modified) {
    FileItem item = File(path, 1);
    item.modified = modified;
    return item;
}

TEST(CompareFileRecords, EachColumnComparesItsOwnDerivedValue) {
    const struct {
        FileItem a, b;
        int column;
        int expected;  // ascending sign
    } cases[] = {
        {File(L"C:\\z\\apple.txt", 1), File(L"C:\\a\\Banana.txt", 1), 0, -1},  // name, no case
        {File(L"C:\\x\\SAME.o", 1), File(L"C:\\y\\same.o", 2), 0, 0},
        {File(L"C:\\x\\a.TXT", 1), File(L"C:\\x\\b.doc", 1), 1, 1},   // ext, lower case
        {File(L"C:\\x\\a..Obj", 1), File(L"C:\\x\\b.obj", 1), 1, 0},  // leading dots removed
        {File(L"C:\\x\\noext", 1), File(L"C:\\x\\a.c", 1), 1, -1},
        {File(L"C:\\x\\a", -1), File(L"C:\\x\\b", 0), 2, -1},            // folder's -1 before files
        {File(L"C:\\x\\a", 10000000000LL), File(L"C:\\x\\b", 2), 2, 1},  // beyond 32 bits
        {Modified(L"C:\\a", 2), Modified(L"C:\\b", 1ULL << 40), 3, -1},  // newest write, 64 bits
        {File(L"C:\\b\\f", 1), File(L"C:\\A\\f", 1), 4, 1},              // parent folder
        {File(L"C:\\f", 1), File(L"C:\\a\\f", 1), 4, -1},  // "C:\" sorts before "C:\a"
        {File(L"C:\\a", 1, ItemStatus::Failed), File(L"C:\\b", 1, ItemStatus::Done), 5, 1},
        {File(L"C:\\a", 1), File(L"C:\\b", 2), 7, 0},  // unknown column: equal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(CompareFileRecords(c.a, c.b, {c.column, 1})), c.expected)
            << c.a.path << " vs " << c.b.path << " column " << c.column;
        EXPECT_EQ(Sign(CompareFileRecords(c.a, c.b, {c.column, -1})), -c.expected);
        EXPECT_EQ(CompareFileRecords(c.a, c.b, {c.column, 0}), 0);  // never sorted
    }
}

TEST(CompareFileRecords, SizeSortPutsSubfoldersFirstAscendingAndLastDescending) {
    std::vector<FileItem> rows = {File(L"C:\\a.o", 5), File(L"C:\\d", -1, ItemStatus::None, 0x10),
                                  File(L"C:\\b.o", 0), File(L"C:\\c.o", 70000)};
    SortState sort{2, 1};
    std::stable_sort(rows.begin(), rows.end(), [&](const FileItem& x, const FileItem& y) {
        return CompareFileRecords(x, y, sort) < 0;
    });
    EXPECT_EQ(rows.front().path, L"C:\\d");
    sort.direction = -1;
    std::stable_sort(rows.begin(), rows.end(), [&](const FileItem& x, const FileItem& y) {
        return CompareFileRecords(x, y, sort) < 0;
    });
    EXPECT_EQ(rows.back().path, L"C:\\d");
    EXPECT_EQ(rows.front().path, L"C:\\c.o");
}

TEST(CompareFolderRecords, PathsWithoutCaseAndStatusByCode) {
    const FolderItem a{L"C:\\Alpha", 5, ItemStatus::Failed};
    const FolderItem b{L"c:\\beta", 900, ItemStatus::Done};
    EXPECT_LT(CompareFolderRecords(a, b, {0, 1}), 0);
    EXPECT_GT(CompareFolderRecords(a, b, {0, -1}), 0);
    // Status orders by code (Done 10 before Failed 40), not by the found count.
    EXPECT_GT(CompareFolderRecords(a, b, {1, 1}), 0);
    EXPECT_EQ(CompareFolderRecords(a, b, {2, 1}), 0);

    std::vector<FolderItem> rows;
    for (ItemStatus s : {ItemStatus::Failed, ItemStatus::None, ItemStatus::Declined,
                         ItemStatus::Done, ItemStatus::InProgress, ItemStatus::NotExists}) {
        rows.push_back({L"C:\\x", 0, s});
    }
    std::sort(rows.begin(), rows.end(), [](const FolderItem& x, const FolderItem& y) {
        return CompareFolderRecords(x, y, {1, 1}) < 0;
    });
    std::vector<int> codes;
    for (const auto& row : rows) {
        codes.push_back(static_cast<int>(row.status));
    }
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 10, 20, 21, 40}));
}

TEST(PathParts, NameExtensionAndParentFollowTheShellRules) {
    EXPECT_EQ(PathNamePart(L"C:\\a\\b.txt"), L"b.txt");
    EXPECT_EQ(PathNamePart(L"C:\\a\\dir\\"), L"dir\\");
    EXPECT_EQ(PathNamePart(L"C:b"), L"b");
    EXPECT_EQ(PathExtensionKey(L"C:\\a.b\\noext"), L"");
    EXPECT_EQ(PathExtensionKey(L"C:\\a\\x.tar.GZ"), L"gz");
    EXPECT_EQ(PathExtensionKey(L"C:\\a\\x.my file"), L"");  // a blank ends the extension
    EXPECT_EQ(GetParentFolder(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(GetParentFolder(L"C:\\b.txt"), L"C:\\");
    EXPECT_EQ(GetParentFolder(L"C:\\"), L"");
    // Long paths are never shortened before the last component is removed.
    const std::wstring deep = L"C:\\" + std::wstring(2000, L'd') + L"\\f.txt";
    EXPECT_EQ(GetParentFolder(deep), L"C:\\" + std::wstring(2000, L'd'));
}

TEST(DirectionAfterClick, FirstAscendsSameReversesOtherKeeps) {
    SortState sort;
    EXPECT_EQ(DirectionAfterClick(sort, 2), 1);
    sort = {2, 1};
    EXPECT_EQ(DirectionAfterClick(sort, 2), -1);
    sort = {2, -1};
    EXPECT_EQ(DirectionAfterClick(sort, 0), -1);  // another column keeps the direction
    EXPECT_EQ(DirectionAfterClick(sort, 2), 1);
}

}  // namespace
}  // namespace vantrel

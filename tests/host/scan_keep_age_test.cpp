#include <gtest/gtest.h>

#include <utility>

#include "engine/clean.h"
#include "engine/item_age.h"
#include "engine/scan.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using testing::EngineHarness;

constexpr uint64_t kNow = 133000000000000000ULL;  // some day in 2022
constexpr int kFolder = -2;                       // size of an item that is a folder
constexpr int kUnknownTime = -1;                  // age of an item whose time cannot be read

struct TreeItem {
    const wchar_t* path;  // below C:\r
    int size;             // kFolder for a folder
    int days_old;         // kUnknownTime for 0
};

struct KeepAgeCase {
    const char* name;
    std::vector<TreeItem> tree;
    const wchar_t* filter;
    const wchar_t* keep;
    uint32_t days;
    bool empty_folders;
    std::vector<std::pair<std::wstring, int64_t>> listed;  // below C:\r, with the size listed
    int held_back;
};

class KeepAgeTest : public ::testing::TestWithParam<KeepAgeCase> {};

TEST_P(KeepAgeTest, ListsWhatMayGoAndCountsWhatIsTooNew) {
    const KeepAgeCase& c = GetParam();
    EngineHarness h;
    h.fs.new_item_time = kNow - 400 * kFileTimeUnitsPerDay;
    h.fs.AddFolder(L"C:\\r");
    for (const TreeItem& item : c.tree) {
        const std::wstring path = std::wstring(L"C:\\r\\") + item.path;
        if (item.size == kFolder) {
            h.fs.AddFolder(path);
        } else {
            h.fs.AddFile(path, item.size);
        }
        const uint64_t days =
            static_cast<uint64_t>(item.days_old < 0 ? -item.days_old : item.days_old);
        const uint64_t time = item.days_old >= 0 ? kNow - days * kFileTimeUnitsPerDay
                                                 : kNow + days * kFileTimeUnitsPerDay;
        h.fs.SetTime(path, item.days_old == kUnknownTime ? 0 : time);
    }
    h.view.AddFolder(L"C:\\r");
    h.options.filter = c.filter;
    h.options.keep = c.keep;
    h.options.older_than_days = c.days;
    h.options.now = kNow;
    h.options.scan_subfolders = h.options.delete_files = h.options.delete_folders = true;
    h.options.delete_empty_folders = c.empty_folders;
    ScanAllFolders(h.ctx);

    std::vector<std::pair<std::wstring, int64_t>> listed;
    for (const auto& row : h.view.files) {
        listed.emplace_back(row.item.path.substr(5), row.item.size);
    }
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(h.view.folders[0].item.held_back_count, c.held_back);
    EXPECT_EQ(h.view.folders[0].item.status, ItemStatus::Done);
    EXPECT_TRUE(h.fs.removed.empty());
}

// Items are 400 days old unless a row says otherwise.
INSTANTIATE_TEST_SUITE_P(
    Rules, KeepAgeTest,
    ::testing::Values(
        KeepAgeCase{"KeptNames",
                    {{L"a.o", 1, 400}, {L"keep1.o", 1, 400}, {L"s\\KEEP2.o", 1, 400}},
                    L"*.o",
                    L"keep*",
                    0,
                    false,
                    {{L"a.o", 1}},
                    0},
        KeepAgeCase{"KeptFolderIsNotEntered",
                    {{L"vendor\\x.o", 1, 400}, {L"vendor\\obj", kFolder, 400}, {L"y.o", 1, 400}},
                    L"*.o;obj",
                    L"vendor",
                    0,
                    true,
                    {{L"y.o", 1}},
                    0},
        KeepAgeCase{"MarkerKeepsItsFolderAtAnyDepth",
                    {{L"s\\a.o", 1, 400},
                     {L"s\\deep\\b.o", 1, 400},
                     {L"s\\.VantrelKeep", 0, 400},
                     {L"c.o", 1, 400}},
                    L"*.o",
                    L"",
                    0,
                    false,
                    {{L"c.o", 1}},
                    0},
        KeepAgeCase{"MarkerInTheChosenFolderKeepsAll",
                    {{L"a.o", 1, 400}, {L"obj\\b", 1, 400}, {L".vantrelkeep", 0, 400}},
                    L"*.o;obj",
                    L"",
                    0,
                    true,
                    {},
                    0},
        KeepAgeCase{"KeptItemInsideAMatchedFolderLeavesTheRestToTheFilter",
                    {{L"obj\\x.pdb", 1, 400}, {L"obj\\y.tmp", 3, 400}, {L"obj\\z.bin", 1, 400}},
                    L"obj;*.tmp",
                    L"*.pdb",
                    0,
                    false,
                    {{L"obj\\y.tmp", 3}},
                    0},
        KeepAgeCase{"FreshFileDeepInsideAnOldMatchedFolderHoldsItBack",
                    {{L"obj\\a\\b\\fresh.o", 5, 1},
                     {L"obj\\old.o", 5, 400},
                     {L"bin\\x", 7, 400},
                     {L"bin\\y", 8, 30}},
                    L"obj;bin",
                    L"",
                    7,
                    false,
                    {{L"bin", 15}},
                    1},
        KeepAgeCase{"ContentOnlyKeptIsNotEmpty",
                    {{L"e\\only.keep", 1, 400}, {L"f", kFolder, 400}, {L"g", kFolder, 2}},
                    L"",
                    L"*.keep",
                    7,
                    true,
                    {{L"f", -1}},
                    1},
        KeepAgeCase{"NestedMatchCountedOnce",
                    {{L"obj\\obj\\a", 5, 400}, {L"obj\\b", 7, 400}, {L"obj\\sub", kFolder, 400}},
                    L"obj",
                    L"",
                    0,
                    false,
                    {{L"obj", 12}},
                    0},
        KeepAgeCase{"HugeAgeListsNothing",
                    {{L"a.o", 1, 400}, {L"obj\\b", 1, 400}},
                    L"*.o;obj",
                    L"",
                    100000,
                    false,
                    {},
                    2},
        KeepAgeCase{"LargestAgeDoesNotWrapAround",
                    {{L"a.o", 1, 400}},
                    L"*.o",
                    L"",
                    0xFFFFFFFFu,
                    false,
                    {},
                    1},
        KeepAgeCase{"UnknownOrFutureTimeCountsAsNow",
                    {{L"a.o", 1, kUnknownTime}, {L"b.o", 1, -3000}, {L"c.o", 1, 8}},
                    L"*.o",
                    L"",
                    7,
                    false,
                    {{L"c.o", 1}},
                    2},
        KeepAgeCase{"AgeOffListsFreshItems",
                    {{L"a.o", 1, 0}, {L"b.o", 1, kUnknownTime}},
                    L"*.o",
                    L"",
                    0,
                    false,
                    {{L"a.o", 1}, {L"b.o", 1}},
                    0}),
    [](const ::testing::TestParamInfo<KeepAgeCase>& info) { return info.param.name; });

TEST(KeepAgeCleanTest, AKeepMarkerPutIntoAListedFolderAfterTheScanRefusesIt) {
    EngineHarness h;
    h.fs.AddFile(L"C:\\r\\obj\\sub\\a.o");
    h.options.filter = L"obj";
    h.options.delete_folders = true;
    h.view.AddFolder(L"C:\\r");
    ScanAllFolders(h.ctx);
    ASSERT_EQ(h.view.FilePaths(), (std::vector<std::wstring>{L"C:\\r\\obj"}));
    h.fs.AddFile(L"C:\\r\\obj\\sub\\.vantrelkeep", 0);
    CleanAllItems(h.ctx);
    EXPECT_EQ(h.view.files[0].item.status, ItemStatus::Failed);
    EXPECT_EQ(h.view.files[0].item.reason, L"It now holds an item to keep");
    EXPECT_TRUE(h.fs.removed.empty());
}

}  // namespace
}  // namespace vantrel

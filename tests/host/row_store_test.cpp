#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/clean.h"
#include "engine/row_store.h"
#include "tests/host/fakes/engine_harness.h"

namespace vantrel {
namespace {

using Store = RowStore<FileItem>;

std::vector<std::wstring> ShownPaths(const Store& store) {
    std::vector<std::wstring> paths;
    store.ForEachShown(
        [&paths](RowId, const Store::Row& row) { paths.push_back(row.record.path); });
    return paths;
}

bool PositionsAgree(const Store& store) {
    for (int position = 0; position < store.Count(); ++position) {
        if (store.PositionOf(store.IdAt(position)) != position) {
            return false;
        }
    }
    return true;
}

// Each step acts on the store, publishes, and states what the list then shows.
TEST(RowStoreTest, PublishTakesInAppendsRemovalsAndSortsByIdentity) {
    Store store;
    const auto by_path = [](const FileItem& a, const FileItem& b) { return a.path < b.path; };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::wstring> shown;
        bool count_changed;
        bool reordered;
    };
    const std::vector<Step> steps = {
        {"appends show in walk order",
         [&] {
             for (const wchar_t* path : {L"c", L"a", L"d"}) {
                 store.Append(FileItem{path});
             }
         },
         {L"c", L"a", L"d"},
         true,
         false},
        {"a sort moves rows, not ids",
         [&] { store.Sort(by_path); },
         {L"a", L"c", L"d"},
         false,
         false},
        {"rows appended after a sort join at the end",
         [&] { store.Append(FileItem{L"b"}); },
         {L"a", L"c", L"d", L"b"},
         true,
         false},
        {"a removal by id takes that row wherever it is shown",
         [&] { store.Remove(0); },
         {L"a", L"d", L"b"},
         true,
         true},
        {"a status write changes nothing shown but the row",
         [&] { store.Update(1, [](Store::Row& row) { row.record.status = ItemStatus::Done; }); },
         {L"a", L"d", L"b"},
         false,
         false},
    };
    for (const Step& step : steps) {
        step.act();
        const Store::Changes changes = store.Publish();
        EXPECT_EQ(ShownPaths(store), step.shown) << step.what;
        EXPECT_EQ(changes.count_changed, step.count_changed) << step.what;
        EXPECT_EQ(changes.reordered, step.reordered) << step.what;
        EXPECT_TRUE(changes.any) << step.what;
        EXPECT_TRUE(PositionsAgree(store)) << step.what;
    }
    // Ids name the same records whatever happened to the order.
    EXPECT_EQ(store.Find(1)->path, L"a");
    EXPECT_EQ(store.PositionOf(0), -1);
    EXPECT_FALSE(store.Publish().any);
}

TEST(RowStoreTest, FollowNamesTheNewestRowAndClearLeavesNothing) {
    Store store;
    store.Append(FileItem{L"x"}, false, true);
    const RowId last = store.Append(FileItem{L"y"}, true, true);
    EXPECT_EQ(store.Publish().follow, last);
    EXPECT_EQ(store.Publish().follow, kNoRow);
    bool flag = false;
    store.Read(last, [&flag](const Store::Row& row) { flag = row.flag; });
    EXPECT_TRUE(flag);
    store.Clear();
    store.Publish();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Find(0), nullptr);
    EXPECT_EQ(store.Append(FileItem{L"z"}), 0);
}

// The worker appends and writes statuses while the window's thread publishes and sorts;
// every row ends up shown exactly once with its last status, and records keep their
// addresses throughout (the worker reads them without the lock).
TEST(RowStoreTest, AWorkerAndTheWindowShareTheStoreWithoutLosingRows) {
    Store store;
    constexpr int kRows = 20000;
    std::atomic<bool> done{false};
    bool stable = true;
    std::thread worker([&] {
        std::vector<const FileItem*> records;
        for (int i = 0; i < kRows; ++i) {
            const RowId id = store.Append(FileItem{std::to_wstring(i), i});
            records.push_back(store.Find(id));
            if (i % 3 == 0) {
                store.Update(id / 2, [](Store::Row& row) { row.record.status = ItemStatus::Done; });
            }
        }
        for (int i = 0; i < kRows; ++i) {
            stable = stable && records[static_cast<size_t>(i)]->size == i;
        }
        done = true;
    });
    const auto by_size_down = [](const FileItem& a, const FileItem& b) { return a.size > b.size; };
    while (!done) {  // the window's refreshes and the user's sorts, between other work
        store.Publish();
        store.Sort(by_size_down);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    EXPECT_TRUE(stable);
    store.Publish();
    ASSERT_EQ(store.Count(), kRows);
    EXPECT_TRUE(PositionsAgree(store));
    std::vector<int64_t> sizes;
    store.ForEachShown(
        [&sizes](RowId, const Store::Row& row) { sizes.push_back(row.record.size); });
    std::sort(sizes.begin(), sizes.end());
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(sizes[static_cast<size_t>(i)], i);
    }
}

// A clean takes its rows by identity: reordering the list while it runs (a sort) neither
// skips a row nor visits one twice.
TEST(RowStoreTest, ACleanVisitsEveryRowOnceWhileTheListIsReordered) {
    testing::EngineHarness h;
    for (const wchar_t* path : {L"C:\\r\\a", L"C:\\r\\b", L"C:\\r\\c", L"C:\\r\\d"}) {
        h.fs.AddFile(path);
        h.view.AddFileItem(path, 1, 0, 0, 0);
    }
    h.view.on_file_started = [&](int) { std::reverse(h.view.files.begin(), h.view.files.end()); };
    CleanAllItems(h.ctx);
    EXPECT_EQ(h.view.file_rows_started.size(), 4u);
    for (const auto& row : h.view.files) {
        EXPECT_EQ(row.item.status, ItemStatus::Done) << row.item.path;
    }
    EXPECT_EQ(h.fs.removed.size(), 4u);
}

}  // namespace
}  // namespace vantrel

#include "ui/model/run_summary.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

// Plain digits: the locale's grouping is the window's business.
std::wstring Digits(int64_t value) {
    return std::to_wstring(value);
}

struct Row {
    int64_t size;
    ItemStatus status;
    bool shown = true;
};

TEST(RunSummary, CountsWhatACleanFreesOrFreedAndTheHeldBackItems) {
    constexpr auto kNone = ItemStatus::None;
    constexpr auto kDone = ItemStatus::Done;
    const struct {
        const char* what;
        std::vector<Row> rows;
        int64_t held_back;
        const wchar_t* text;
    } cases[] = {
        {"after a scan: files, a matched folder's total, an empty folder",
         {{2048, kNone}, {10240, kNone}, {-1, kNone}},
         0,
         L"A clean frees 12 KB (3 items)"},
        {"one small file",
         {{300, kNone}},
         2,
         L"A clean frees 300 bytes (1 item); 2 held back as too new"},
        {"rows taken out of the list are not freed",
         {{5000, kNone, false}, {1024, kNone}},
         0,
         L"A clean frees 1 KB (1 item)"},
        {"the age held back everything", {}, 4, L"Nothing listed, 4 held back as too new"},
        {"nothing found", {}, 0, L"Nothing listed"},
        {"after a clean: deleted rows, also those taken out automatically",
         {{4096, kDone}, {8192, kDone, false}, {512, ItemStatus::ReadOnly}, {-1, kDone}},
         1,
         L"Freed 12 KB (3 items deleted); 1 held back as too new"},
        {"a clean that deleted nothing",
         {{4096, ItemStatus::Failed}},
         0,
         L"Freed 0 bytes (0 items deleted)"},
        {"a stopped clean",
         {{3LL << 30, kDone}, {1024, kNone}},
         0,
         L"Freed 3072 MB (1 item deleted)"},
    };
    for (const auto& c : cases) {
        RunTotals totals;
        for (const Row& row : c.rows) {
            FileItem item;
            item.size = row.size;
            item.status = row.status;
            totals.Count(item, row.shown);
        }
        totals.held_back = c.held_back;
        EXPECT_EQ(RunSummaryText(totals, Digits), c.text) << c.what;
    }
}

TEST(RunSummary, SizeUnitsGoUpBeforeFiveDigits) {
    const struct {
        int64_t bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 bytes"},
        {1, L"1 byte"},
        {1023, L"1023 bytes"},
        {1024, L"1 KB"},
        {9999LL * 1024 + 1023, L"9999 KB"},
        {10000LL * 1024, L"9 MB"},
        {10000LL << 20, L"9 GB"},
        {5000000LL << 30, L"5000000 GB"},  // no unit above GB
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TotalSizeText(c.bytes, Digits), c.text) << c.bytes;
    }
}

}  // namespace
}  // namespace vantrel

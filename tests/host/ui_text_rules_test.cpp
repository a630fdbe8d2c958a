#include <gtest/gtest.h>

#include "ui/model/combo_item_text.h"
#include "ui/model/number_grouping.h"
#include "ui/model/tool_tip_text.h"

namespace vantrel {
namespace {

TEST(ToolTipPart, TakesTheTextBetweenTheFirstAndSecondLineFeed) {
    const struct {
        const wchar_t* resource;
        const wchar_t* tip;
    } cases[] = {
        {L"\nAdd folder to clean (Insert)", L"Add folder to clean (Insert)"},
        {L"Prompt\nTip\nMore", L"Tip"},
        {L"Prompt only", L""},
        {L"Prompt\n", L""},
        {L"", L""},
        {L"\n\nThird", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToolTipPart(c.resource), c.tip) << c.resource;
    }
}

TEST(SplitComboItemText, SplitsAtTabThenWrittenOutTabElseWhole) {
    const struct {
        const wchar_t* text;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {
        {L"Name\tDetail", L"Name", L"Detail"},
        {L"Name\\tDetail", L"Name", L"Detail"},
        {L"A\\tB\tC", L"A\\tB", L"C"},  // a real tab wins over the written-out one
        {L"Plain", L"Plain", L""},
        {L"\tRight", L"", L"Right"},
        {L"Left\t", L"Left", L""},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        const ComboItemParts parts = SplitComboItemText(c.text);
        EXPECT_EQ(parts.left, c.left) << c.text;
        EXPECT_EQ(parts.right, c.right) << c.text;
    }
}

TEST(GroupingFromLocaleText, IndianGroupingIs32OtherwiseLeadingNumber) {
    EXPECT_EQ(GroupingFromLocaleText(L"3;0"), 3u);
    EXPECT_EQ(GroupingFromLocaleText(L"3;2;0"), 32u);
    EXPECT_EQ(GroupingFromLocaleText(L"0"), 0u);
    EXPECT_EQ(GroupingFromLocaleText(L"4;0"), 4u);
    EXPECT_EQ(GroupingFromLocaleText(L"3;2"), 3u);  // only the exact Indian text is 32
    EXPECT_EQ(GroupingFromLocaleText(L""), 3u);     // unavailable
    EXPECT_EQ(LocaleNumberOr(L"1", 0), 1u);
    EXPECT_EQ(LocaleNumberOr(L"", 7), 7u);
}

}  // namespace
}  // namespace vantrel

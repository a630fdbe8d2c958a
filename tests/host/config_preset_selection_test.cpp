#include <gtest/gtest.h>

#include "ui/model/preset_selection.h"

namespace vantrel {
namespace {

CleaningOptions Controls(const std::wstring& filter, uint32_t flags) {
    CleaningOptions options;
    options.Filter = filter;
    options.UnpackFlags(flags);
    return options;
}

TEST(PresetSelectionTest, NormalizationTable) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"  *.O ; *.D  ", L"*.o;*.d"},
        {L"\t*.o;\t*.d\n", L"*.o;*.d"},
        {L"*.o;\n*.d", L"*.o;*.d"},
        {L"*.o\r\n*.d", L"*.o\r*.d"},  // an inner carriage return stays
        {L"\r\n*.o\r\n", L"*.o"},      // at the ends it is white space
        {L"", L""},
        {L"   ", L""},
        {L"\x00C4*.TXT", L"\x00E4*.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeFilterForMatching(c.in), c.out) << c.in;
    }
}

TEST(PresetSelectionTest, MatchingTable) {
    PresetList list = DefaultPresets();
    list.Append(PresetEntry{L"Blank inside", L"*.a; *.b", 0x301});
    list.Append(PresetEntry{L"Copy of GCC", L"*.o;*.d", 0x301});
    list.Append(PresetEntry{L"Extra bit", L"*.x", 0x10301});
    const struct {
        const char* what;
        const wchar_t* filter;
        uint32_t flags;
        int expected;
    } cases[] = {
        {"blanks and case", L"  *.O ; *.D  ", 0x301, 1},
        {"first of two equal presets", L"*.o;*.d", 0x301, 1},
        {"flags differ", L"*.o;*.d", 0x1301, kNoPreset},
        {"carriage return", L"*.o;\r\n*.d", 0x301, kNoPreset},
        {"stored filter with a blank never matches", L"*.a; *.b", 0x301, kNoPreset},
        {"empty subfolders", L"*", 0x320, 8},
        {"stored extra bit never matches", L"*.x", 0x301, kNoPreset},
        {"nothing typed", L"", 0x301, kNoPreset},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindMatchingPreset(list, Controls(c.filter, c.flags)), c.expected) << c.what;
    }
    EXPECT_EQ(ReselectPreset(list, Controls(L"*.zzz", 0)), list.Count());
    EXPECT_EQ(ReselectPreset(list, Controls(L"*.PYC;*.pyo", 0x301)), list.Count())
        << "order inside the filter matters";
    EXPECT_EQ(ReselectPreset(list, Controls(L"*.PYO;*.pyc", 0x301)), 2);
}

TEST(PresetSelectionTest, KeepAndAgeTakePartInMatchingAndApplying) {
    PresetList list;
    list.Append(PresetEntry{L"Plain", L"*.o", 0x301});
    list.Append(PresetEntry{L"Aged", L"*.o", 0x301, L".git;*.keep", 30});
    const struct {
        const char* what;
        const wchar_t* keep;
        int32_t days;
        int expected;
    } cases[] = {
        {"no keep, no age", L"", 0, 0},
        {"keep and age, blanks and case as the filter", L" .GIT; *.keep ", 30, 1},
        {"keep without the age", L".git;*.keep", 0, kNoPreset},
        {"age without the keep", L"", 30, kNoPreset},
        {"another age", L".git;*.keep", 31, kNoPreset},
    };
    for (const auto& c : cases) {
        CleaningOptions controls = Controls(L"*.o", 0x301);
        controls.Keep = c.keep;
        controls.OlderThanDays = c.days;
        EXPECT_EQ(FindMatchingPreset(list, controls), c.expected) << c.what;
    }
    CleaningOptions controls = Controls(L"x", 0);
    ASSERT_TRUE(ApplyPreset(list, 1, controls));
    EXPECT_EQ(controls.Keep, L".git;*.keep");
    EXPECT_EQ(controls.OlderThanDays, 30);
    EXPECT_EQ(FindMatchingPreset(list, controls), 1);
    list[1].OlderThanDays = 0xFFFFFFFFu;  // from a damaged registry: never negative
    ASSERT_TRUE(ApplyPreset(list, 1, controls));
    EXPECT_EQ(controls.OlderThanDays, kMaxOlderThanDays);
}

TEST(PresetSelectionTest, AgeBoxTextTable) {
    const struct {
        const wchar_t* text;
        int32_t days;
    } cases[] = {
        {L"", 0},
        {L"0", 0},
        {L" 14 ", 14},
        {L"7x", 7},
        {L"x7", 0},
        {L"-3", 0},
        {L"999999", 999999},
        {L"1000000", kMaxOlderThanDays},
        {L"00030", 30},
        {L"99999999999999999999", kMaxOlderThanDays},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OlderThanDaysFromText(c.text), c.days) << c.text;
    }
}

TEST(PresetSelectionTest, MatchingIgnoresNames) {
    PresetList list = DefaultPresets();
    list[1].Name = L"Renamed";
    EXPECT_EQ(FindMatchingPreset(list, Controls(L"*.o;*.d", 0x301)), 1);
}

TEST(PresetSelectionTest, ComboItemsEndWithCustom) {
    const PresetList list = DefaultPresets();
    const auto items = PresetComboItems(list);
    ASSERT_EQ(items.size(), 12u);
    EXPECT_EQ(items[0].entry, &list[0]);
    EXPECT_EQ(items[0].text, list[0].Name);
    EXPECT_TRUE(items[10].separator_below);
    EXPECT_FALSE(items[9].separator_below);
    EXPECT_EQ(items[11].text, L"Custom");
    EXPECT_EQ(items[11].entry, nullptr);
    EXPECT_EQ(PresetComboItems(PresetList()).size(), 1u);
}

TEST(PresetSelectionTest, ApplyTable) {
    const PresetList list = DefaultPresets();
    const CleaningOptions before = Controls(L"keep", 0x1303);
    for (int selection : {-1, 11, 12, 1000}) {
        CleaningOptions controls = before;
        EXPECT_FALSE(ApplyPreset(list, selection, controls)) << selection;
        EXPECT_EQ(controls.Filter, L"keep");
        EXPECT_EQ(controls.PackFlags(), 0x1303u);
    }
    CleaningOptions controls = before;
    EXPECT_TRUE(ApplyPreset(list, 3, controls));
    EXPECT_EQ(controls.Filter, L"_vti_cnf;_vti_pvt");
    EXPECT_EQ(controls.PackFlags(), 0x302u);
}

TEST(PresetSelectionTest, PresetWithBlankIsCustomAfterClickingTwice) {
    PresetList list;
    list.Append(PresetEntry{L"Spaced", L"*.a; *.b", 0x301});
    CleaningOptions controls;
    ASSERT_TRUE(ApplyPreset(list, 0, controls));
    controls.DeleteFiles = 0;
    controls.DeleteFiles = 1;
    EXPECT_EQ(ReselectPreset(list, controls), CustomComboIndex(list));
}

TEST(PresetSelectionTest, SelectionAtCreation) {
    const PresetList list = DefaultPresets();
    const int32_t custom = 11;
    const struct {
        const char* what;
        int32_t window_index;
        int expected_selection;
        bool applied;
    } cases[] = {
        {"saved Custom matches", custom, 1, false},
        {"minus one matches", -1, 1, false},
        {"saved preset applied", 4, 4, true},
        {"above CustomIndex selects nothing", 15, kNoPreset, false},
        {"other negative selects nothing", -7, kNoPreset, false},
    };
    for (const auto& c : cases) {
        CleaningOptions controls = Controls(L"*.O;*.D", 0x301);
        EXPECT_EQ(SelectPresetAtCreation(list, custom, c.window_index, controls),
                  c.expected_selection)
            << c.what;
        EXPECT_EQ(controls.Filter, c.applied ? list[4].Filter : L"*.O;*.D") << c.what;
    }
    CleaningOptions unmatched = Controls(L"*.q", 0);
    EXPECT_EQ(SelectPresetAtCreation(list, custom, custom, unmatched), 11);
}

TEST(PresetSelectionTest, SelectionAfterThePresetsDialog) {
    PresetList list = DefaultPresets();
    list.RemoveAt(10);
    list.RemoveAt(9);  // nine left
    const struct {
        int32_t window_index;
        int expected;
    } cases[] = {{3, 3}, {8, 8}, {9, 0}, {11, 0}, {-1, 0}};
    for (const auto& c : cases) {
        CleaningOptions controls = Controls(L"mine", 0);
        EXPECT_EQ(SelectPresetAfterPresetsChanged(list, c.window_index, controls), c.expected);
        EXPECT_EQ(controls.Filter, list[c.expected].Filter);
        EXPECT_EQ(controls.PackFlags(), list[c.expected].Flags);
    }
    // An emptied list leaves only "Custom": selected, nothing applied.
    CleaningOptions controls = Controls(L"mine", 0);
    EXPECT_EQ(SelectPresetAfterPresetsChanged(PresetList(), 5, controls), 0);
    EXPECT_EQ(controls.Filter, L"mine");
}

}  // namespace
}  // namespace vantrel

#include <gtest/gtest.h>

#include "config/default_presets_table.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "config/stored_presets.h"

namespace vantrel {
namespace {

void StorePreset(MemoryRegistryProfile& store, int index, const std::wstring& name,
                 const std::wstring& filter, int32_t flags) {
    const std::wstring section = PresetSection(index);
    if (!name.empty()) {
        store.WriteString(section, L"Name", name);
    }
    store.WriteString(section, L"Filter", filter);
    store.WriteInt(section, L"Flags", flags);
}

TEST(PresetsTest, SectionNamesHaveAtLeastTwoDigits) {
    const struct {
        int index;
        const wchar_t* section;
    } cases[] = {{0, L"Presets\\01"},  {8, L"Presets\\09"},   {9, L"Presets\\10"},
                 {98, L"Presets\\99"}, {99, L"Presets\\100"}, {999, L"Presets\\1000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PresetSection(c.index), c.section) << c.index;
    }
}

TEST(PresetsTest, DefaultsFollowTheBuiltInTable) {
    const PresetList list = DefaultPresets();
    ASSERT_EQ(list.Count(), 11);
    ASSERT_EQ(list.Count(), kDefaultPresetCount);
    EXPECT_EQ(list[1].Name, L"Delete GCC intermediate files");
    EXPECT_EQ(list[1].Filter, L"*.o;*.d");
    EXPECT_EQ(list[10].Flags, 0x203u);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list[i].Flags & RecycleFilesFlag, 0u) << i;
        EXPECT_EQ(list[i].Keep + std::to_wstring(list[i].OlderThanDays), L"0") << i;
    }
    EXPECT_EQ(PresetEntry().Flags, 0x1301u);
}

TEST(PresetsTest, FirstStartBuildsAndWritesTheDefaults) {
    MemoryRegistryProfile store;
    PresetList list;
    EXPECT_EQ(LoadPresets(store, list), 11);
    EXPECT_EQ(list, DefaultPresets());
    EXPECT_EQ(store.ReadInt(L"Presets", L"Count", -1), 11);
    EXPECT_EQ(store.ReadString(L"Presets\\11", L"Name"),
              L"Empty folder (delete all files and subfolders)");
    EXPECT_EQ(store.ReadInt(L"Presets\\11", L"Flags", 0), 0x203);
    // Each preset is written Name, Filter, Flags, Keep, OlderThanDays, and Count comes last.
    const auto& log = store.WriteLog();
    ASSERT_EQ(log.size(), 56u);
    EXPECT_EQ(log[0], L"Presets\\01|Name");
    EXPECT_EQ(log[1], L"Presets\\01|Filter");
    EXPECT_EQ(log[2], L"Presets\\01|Flags");
    EXPECT_EQ(log[3], L"Presets\\01|Keep");
    EXPECT_EQ(log[4], L"Presets\\01|OlderThanDays");
    EXPECT_EQ(log.back(), L"Presets|Count");
}

// Stored states that leave nothing usable: the defaults are built and written over them.
TEST(PresetsTest, UnusableStoresFallBackToDefaults) {
    const struct {
        const char* what;
        int32_t count;  // INT32_MIN: no Count value
        bool named;     // whether the three stored presets have names
        RegistryType count_type;
    } cases[] = {
        {"count missing", INT32_MIN, true, RegistryType::Dword},
        {"count zero with subkeys", 0, true, RegistryType::Dword},
        {"count negative", -3, true, RegistryType::Dword},
        {"count 0xFFFFFFFF", -1, true, RegistryType::Dword},
        {"every preset nameless", 3, false, RegistryType::Dword},
        {"count stored as text", 3, true, RegistryType::String},
    };
    for (const auto& c : cases) {
        MemoryRegistryProfile store;
        for (int i = 0; i < 3; ++i) {
            StorePreset(store, i, c.named ? L"Mine" : L"", L"*.x", 1);
        }
        if (c.count != INT32_MIN) {
            if (c.count_type == RegistryType::Dword) {
                store.WriteInt(L"Presets", L"Count", c.count);
            } else {
                store.WriteString(L"Presets", L"Count", L"3");
            }
        }
        PresetList list;
        EXPECT_EQ(LoadPresets(store, list), 11) << c.what;
        EXPECT_EQ(list, DefaultPresets()) << c.what;
        EXPECT_EQ(store.ReadString(L"Presets\\01", L"Name"), list[0].Name) << c.what;
        EXPECT_EQ(store.ReadInt(L"Presets", L"Count", 0), 11) << c.what;
    }
}

// The Explorer menu numbers presets by the same rule: a nameless preset or a gap takes no
// number, and the presets after it keep theirs in the loaded list.
TEST(PresetsTest, NamelessPresetsAndGapsAreLeftOutAndStaleSubkeysStay) {
    MemoryRegistryProfile store;
    for (int i = 0; i < 6; ++i) {
        if (i != 3) {
            StorePreset(store, i, i == 1 ? L"" : L"P" + std::to_wstring(i), L"*.t", 0x301);
        }
    }
    store.WriteInt(L"Presets", L"Count", 6);
    PresetList list;
    EXPECT_EQ(LoadPresets(store, list), 4);
    EXPECT_EQ(list[1].Name, L"P2");
    EXPECT_EQ(list[2].Name, L"P4");
    store.ClearWriteLog();
    SavePresets(store, list);
    EXPECT_EQ(store.ReadInt(L"Presets", L"Count", 0), 4);
    EXPECT_EQ(store.ReadString(L"Presets\\05", L"Name"), L"P4");
    EXPECT_EQ(store.ReadString(L"Presets\\06", L"Name"), L"P5");
    EXPECT_EQ(store.WriteLog().size(), 21u);
}

TEST(PresetsTest, ReadersNeverLookPastCount) {
    MemoryRegistryProfile store;
    for (int i = 0; i < 4; ++i) {
        StorePreset(store, i, L"P" + std::to_wstring(i), L"*", 0x301);
    }
    store.WriteInt(L"Presets", L"Count", 2);
    PresetList list;
    EXPECT_EQ(LoadPresets(store, list), 2);
}

TEST(PresetsTest, MissingValuesLoadAsDefaults) {
    MemoryRegistryProfile store;
    store.WriteString(L"Presets\\01", L"Name", L"No flags, no filter");
    store.WriteInt(L"Presets", L"Count", 1);
    PresetList list;
    ASSERT_EQ(LoadPresets(store, list), 1);
    EXPECT_EQ(list[0].Filter, L"");
    EXPECT_EQ(list[0].Flags, 0u);
}

TEST(PresetsTest, WrongTypedValuesLoadAsDefaults) {
    MemoryRegistryProfile store;
    store.WriteString(L"Presets\\01", L"Name", L"Odd");
    store.WriteInt(L"Presets\\01", L"Filter", 7);  // integer for a string
    store.SetRaw(L"Presets\\01", L"Flags", RegistryType::Binary, {1, 3, 0, 0});
    store.WriteString(L"Presets\\02", L"Name", L"Short flags");
    store.SetRaw(L"Presets\\02", L"Flags", RegistryType::Dword, {1, 3});
    store.WriteInt(L"Presets", L"Count", 2);
    PresetList list;
    ASSERT_EQ(LoadPresets(store, list), 2);
    EXPECT_EQ(list[0].Filter, L"");
    EXPECT_EQ(list[0].Flags, 0u);
    EXPECT_EQ(list[1].Flags, 0u);
}

TEST(PresetsTest, KeepAndAgeAreReadAsStoredOrAsNothing) {
    const struct {
        const char* what;
        RegistryType keep_type;
        std::vector<uint8_t> keep;
        RegistryType days_type;
        std::vector<uint8_t> days;
        const wchar_t* expected_keep;
        uint32_t expected_days;
    } cases[] = {
        {"missing", RegistryType::None, {}, RegistryType::None, {}, L"", 0},
        {"stored",
         RegistryType::String,
         {'x', 0, 0, 0},
         RegistryType::Dword,
         {30, 0, 0, 0},
         L"x",
         30},
        {"negative days",
         RegistryType::None,
         {},
         RegistryType::Dword,
         {255, 255, 255, 255},
         L"",
         0},
        {"wrong types",
         RegistryType::Dword,
         {1, 0, 0, 0},
         RegistryType::String,
         {'7', 0, 0, 0},
         L"",
         0},
    };
    for (const auto& c : cases) {
        MemoryRegistryProfile store;
        StorePreset(store, 0, L"One", L"*.o", 0x301);
        if (c.keep_type != RegistryType::None) {
            store.SetRaw(L"Presets\\01", L"Keep", c.keep_type, c.keep);
        }
        if (c.days_type != RegistryType::None) {
            store.SetRaw(L"Presets\\01", L"OlderThanDays", c.days_type, c.days);
        }
        store.WriteInt(L"Presets", L"Count", 1);
        PresetList list;
        ASSERT_EQ(LoadPresets(store, list), 1) << c.what;
        EXPECT_EQ(list[0].Keep, c.expected_keep) << c.what;
        EXPECT_EQ(list[0].OlderThanDays, c.expected_days) << c.what;
    }
}

TEST(PresetsTest, HugeCountIsBounded) {
    MemoryRegistryProfile store;
    StorePreset(store, 0, L"Only", L"*.o", 0x301);
    StorePreset(store, kStoredPresetLimit, L"Beyond the limit", L"*.o", 0x301);
    store.WriteInt(L"Presets", L"Count", 0x7FFFFFFF);
    PresetList list;
    EXPECT_EQ(LoadPresets(store, list), 1);
    EXPECT_LE(store.ReadCount(), 5u + static_cast<size_t>(kStoredPresetLimit));
}

TEST(PresetsTest, HundredthPresetRoundTrips) {
    MemoryRegistryProfile store;
    PresetList list;
    for (int i = 0; i < 100; ++i) {
        list.Append(PresetEntry{L"Preset " + std::to_wstring(i + 1), L"*.p", 0xFFFF0000u | i});
    }
    SavePresets(store, list);
    EXPECT_EQ(store.ReadString(L"Presets\\100", L"Name"), L"Preset 100");
    EXPECT_EQ(store.ReadString(L"Presets\\99", L"Name"), L"Preset 99");
    PresetList loaded;
    EXPECT_EQ(LoadPresets(store, loaded), 100);
    EXPECT_EQ(loaded, list);  // all 32 flag bits survive
}

TEST(PresetsTest, EntriesKeepTheirAddressesWhileTheListGrows) {
    PresetList list = DefaultPresets();
    const PresetEntry* third = &list[2];
    for (int i = 0; i < 50; ++i) {
        list.Append(PresetEntry{});
    }
    EXPECT_EQ(&list[2], third);
    EXPECT_EQ(list.IndexOf(third), 2);
    list.RemoveAt(0);
    EXPECT_EQ(list.IndexOf(third), 1);
    EXPECT_EQ(list.IndexOf(nullptr), kNoPreset);
    EXPECT_EQ(list.At(list.Count()), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    ResetToDefaultPresets(list);
    EXPECT_EQ(list, DefaultPresets());
}

TEST(PresetsTest, FailedWritesLeaveTheListAlone) {
    MemoryRegistryProfile store;
    store.SetWritesFail(true);
    PresetList list;
    EXPECT_EQ(LoadPresets(store, list), 11);
    EXPECT_EQ(list, DefaultPresets());
    EXPECT_EQ(store.Find(L"Presets", L"Count"), nullptr);
}

}  // namespace
}  // namespace vantrel

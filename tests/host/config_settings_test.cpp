#include <gtest/gtest.h>

#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "ui/model/main_window_values.h"

namespace vantrel {
namespace {

const wchar_t* const kValueOrder[] = {
    L"AlwaysOnTop",
    L"AutoClose",
    L"AutoRemoveDeleted",
    L"ShowFileSizes",
    L"Filter",
    L"ScanSubfolders",
    L"DeleteFiles",
    L"DeleteFolders",
    L"DeleteEmptyFiles",
    L"DeleteEmptyFolders",
    L"DeleteReadOnlys",
    L"RecycleFiles",
    L"Preset",
    L"Keep",
    L"OlderThanDays",
    L"LastFolder",
};

TEST(SettingsTest, FirstStartKeepsDefaultsAndSavesEverything) {
    MemoryRegistryProfile store;
    SettingsKeeper keeper;
    keeper.Load(store);
    const AppSettings& s = keeper.Settings();
    EXPECT_EQ(s.AlwaysOnTop, 0);
    EXPECT_EQ(s.AutoClose, 0);
    EXPECT_EQ(s.AutoRemoveDeleted, 0);
    EXPECT_EQ(s.ShowFileSizes, 1);
    EXPECT_EQ(s.Options.PackFlags(), 0x1303u);
    EXPECT_EQ(s.Options.Filter, L"");
    EXPECT_EQ(s.Preset, 0);
    EXPECT_EQ(s.CustomIndex, 11);
    EXPECT_EQ(s.Presets.Count(), 11);

    store.ClearWriteLog();
    keeper.SaveIfLoaded(store);
    const auto& log = store.WriteLog();
    ASSERT_GE(log.size(), std::size(kValueOrder));
    for (size_t i = 0; i < std::size(kValueOrder); ++i) {
        EXPECT_EQ(log[i], std::wstring(L"Settings|") + kValueOrder[i]);
    }
    EXPECT_EQ(log.back(), L"Presets|Count");
    EXPECT_EQ(store.Find(L"Settings", L"Filter")->type, RegistryType::String);
    EXPECT_EQ(store.Find(L"Settings", L"Preset")->type, RegistryType::Dword);
    EXPECT_EQ(store.ReadInt(L"Settings", L"ShowFileSizes", -1), 1);
}

TEST(SettingsTest, NothingIsWrittenWhenLoadingNeverRan) {
    MemoryRegistryProfile store;
    store.WriteInt(L"Settings", L"ShowFileSizes", 0);
    store.ClearWriteLog();
    SettingsKeeper keeper;
    EXPECT_FALSE(keeper.Loaded());
    keeper.SaveIfLoaded(store);
    EXPECT_TRUE(store.WriteLog().empty());
    EXPECT_EQ(store.ReadInt(L"Settings", L"ShowFileSizes", 1), 0);
}

TEST(SettingsTest, StoredValuesSurviveARestart) {
    MemoryRegistryProfile store;
    AppSettings first;
    LoadSettings(store, first);
    first.ShowFileSizes = 0;
    first.AlwaysOnTop = 1;
    first.Preset = -1;
    first.Options.Filter = std::wstring(70000, L'x') + L";*.o";
    first.Options.RecycleFiles = 0;
    first.LastFolder = L"C:\\Work\\src";
    first.Options.Keep = L"*.pdb;.git";
    first.Options.OlderThanDays = 14;
    first.Presets.Append(PresetEntry{L"Twelfth", L"*.tmp", 0x1001, L"keep*", 30});
    SaveSettings(store, first);

    AppSettings second;
    LoadSettings(store, second);
    EXPECT_EQ(second.ShowFileSizes, 0);
    EXPECT_EQ(second.AlwaysOnTop, 1);
    EXPECT_EQ(second.Preset, -1);
    EXPECT_EQ(second.Options.Filter, first.Options.Filter);
    EXPECT_EQ(second.Options.RecycleFiles, 0);
    EXPECT_EQ(second.Options.Keep, L"*.pdb;.git");
    EXPECT_EQ(second.Options.OlderThanDays, 14);
    EXPECT_EQ(second.LastFolder, L"C:\\Work\\src");
    EXPECT_EQ(second.Presets, first.Presets);
    EXPECT_EQ(second.CustomIndex, 12);
}

TEST(SettingsTest, UntrustedValuesGiveDefaults) {
    const struct {
        const char* what;
        const wchar_t* name;
        RegistryType type;
        std::vector<uint8_t> data;
    } cases[] = {
        {"text for an integer", L"ShowFileSizes", RegistryType::String, {'0', 0, 0, 0}},
        {"short dword", L"ShowFileSizes", RegistryType::Dword, {0, 0}},
        {"long dword", L"ShowFileSizes", RegistryType::Dword, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"big-endian dword", L"ShowFileSizes", RegistryType::DwordBigEndian, {0, 0, 0, 0}},
        {"qword", L"ShowFileSizes", RegistryType::Qword, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty dword", L"ShowFileSizes", RegistryType::Dword, {}},
    };
    for (const auto& c : cases) {
        MemoryRegistryProfile store;
        store.SetRaw(L"Settings", c.name, c.type, c.data);
        AppSettings settings;
        LoadSettings(store, settings);
        EXPECT_EQ(settings.ShowFileSizes, 1) << c.what;
    }
}

TEST(SettingsTest, StringsAreReadWithTheirRealLength) {
    const struct {
        const char* what;
        RegistryType type;
        std::vector<uint8_t> data;
        const wchar_t* expected;
    } cases[] = {
        {"terminated", RegistryType::String, {'*', 0, '.', 0, 'o', 0, 0, 0}, L"*.o"},
        {"no terminator", RegistryType::String, {'*', 0, '.', 0, 'o', 0}, L"*.o"},
        {"odd byte count", RegistryType::String, {'*', 0, '.', 0, 'o'}, L"*."},
        {"one byte", RegistryType::String, {'x'}, L""},
        {"empty", RegistryType::String, {}, L""},
        {"inner terminator", RegistryType::String, {'a', 0, 0, 0, 'b', 0}, L"a"},
        {"non-ASCII unit", RegistryType::String, {0xE4, 0x00, 0x3A, 0x04}, L"\x00E4\x043A"},
        {"expandable text", RegistryType::ExpandString, {'a', 0, 0, 0}, L""},
        {"multi-string", RegistryType::MultiString, {'a', 0, 0, 0, 0, 0}, L""},
        {"integer", RegistryType::Dword, {'a', 0, 0, 0}, L""},
    };
    for (const auto& c : cases) {
        MemoryRegistryProfile store;
        store.SetRaw(L"Settings", L"Filter", c.type, c.data);
        AppSettings settings;
        LoadSettings(store, settings);
        EXPECT_EQ(settings.Options.Filter, c.expected) << c.what;
    }
}

TEST(SettingsTest, WindowExchange) {
    AppSettings settings;
    settings.AutoClose = 0;
    settings.AlwaysOnTop = 1;
    settings.Preset = 4;
    settings.Options.Filter = L"*.o";
    settings.ShowFileSizes = 0;
    MainWindowValues values = TakeWindowValues(settings);
    EXPECT_EQ(values.AlwaysOnTop, 1);
    EXPECT_EQ(values.Preset, 4);
    EXPECT_EQ(values.Options.Filter, L"*.o");
    EXPECT_EQ(values.ShowFileSizes, 0);

    values.AutoClose = 1;
    values.AlwaysOnTop = 0;
    values.Preset = 11;
    values.Options.Filter = L"*.tmp";
    values.Options.DeleteFolders = 0;
    values.AutoRemoveDeleted = 1;
    for (bool with_request : {true, false}) {
        AppSettings copy = settings;
        ReturnWindowValues(values, with_request, copy);
        EXPECT_EQ(copy.AutoClose, with_request ? 0 : 1);
        EXPECT_EQ(copy.AlwaysOnTop, 0);
        EXPECT_EQ(copy.Preset, 11);
        EXPECT_EQ(copy.Options.Filter, L"*.tmp");
        EXPECT_EQ(copy.Options.DeleteFolders, 0);
        EXPECT_EQ(copy.AutoRemoveDeleted, 1);
    }
    NoteFolderAdded(settings, L"D:\\x");
    EXPECT_EQ(settings.LastFolder, L"D:\\x");
}

TEST(SettingsTest, ApplicationFolderPrefersAppFolder) {
    MemoryRegistryProfile store;
    EXPECT_EQ(GetApplicationFolder(store, L"C:\\Tools\\Vantrel\\Vantrel.exe"),
              L"C:\\Tools\\Vantrel");
    store.WriteString(L"", L"AppFolder", L"Q:\\Does\\Not\\Exist");
    EXPECT_EQ(GetApplicationFolder(store, L"C:\\Tools\\Vantrel\\Vantrel.exe"),
              L"Q:\\Does\\Not\\Exist");
}

TEST(SettingsTest, MemoryStoreCreatesKeysOnTheWayAndIgnoresCase) {
    MemoryRegistryProfile store;
    EXPECT_EQ(store.ReadInt(L"Presets\\07", L"Flags", 9), 9);
    EXPECT_TRUE(store.HasSection(L""));
    EXPECT_TRUE(store.HasSection(L"Presets"));
    EXPECT_TRUE(store.HasSection(L"presets\\07"));
    store.WriteString(L"SETTINGS", L"filter", L"x");
    EXPECT_EQ(store.ReadString(L"Settings", L"Filter"), L"x");
}

}  // namespace
}  // namespace vantrel

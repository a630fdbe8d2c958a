#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>
#include <vector>

#include "config/app_settings.h"
#include "config/command_line.h"
#include "config/default_presets_table.h"
#include "config/presets.h"
#include "engine/path.h"
#include "support/test_registry_key.h"
#include "ui/app/usage_box.h"
#include "win32/application_path.h"
#include "win32/process_arguments.h"
#include "win32/win32_registry_profile.h"

namespace {

// While set, allocations of at least kLargeAllocation bytes on this thread beyond the
// first `large_allocations_left` fail, as they do when a huge value meets a full address
// space.
constexpr std::size_t kLargeAllocation = 100000;
thread_local int large_allocations_left = -1;  // -1: every allocation succeeds

}  // namespace

void* operator new(std::size_t size) {
    if (size >= kLargeAllocation && large_allocations_left >= 0 && large_allocations_left-- == 0) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace vantrel {
namespace {

using testing::TestRegistryKey;

// Raw access to the test key, as another program (or a damaged store) would write it.
void SetRaw(const TestRegistryKey& test, const std::wstring& section, const wchar_t* name,
            DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, test.SectionPath(section).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool QueryRaw(const TestRegistryKey& test, const std::wstring& section, const wchar_t* name,
              DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, test.SectionPath(section).c_str(), name,
                     RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    data.resize(size);
    return RegGetValueW(HKEY_CURRENT_USER, test.SectionPath(section).c_str(), name,
                        RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) == ERROR_SUCCESS;
}

DWORD RawType(const TestRegistryKey& test, const std::wstring& section, const wchar_t* name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    return QueryRaw(test, section, name, type, data) ? type : REG_NONE;
}

TEST(RegistryProfileTest, ProductKeyIsTheDefault) {
    EXPECT_EQ(Win32RegistryProfile().ApplicationKey(), L"Software\\Zephrane\\Vantrel");
}

TEST(RegistryProfileTest, OpeningASectionCreatesEveryKeyOnTheWay) {
    TestRegistryKey test(L"create");
    Win32RegistryProfile profile = test.Profile();
    EXPECT_FALSE(test.Exists(test.Root()));
    EXPECT_EQ(profile.ReadInt(L"Presets\\07", L"Flags", 42), 42);
    EXPECT_TRUE(test.Exists(test.Root() + L"\\Zephrane"));
    EXPECT_TRUE(test.Exists(test.SectionPath(L"Presets\\07")));
    EXPECT_EQ(profile.ReadString(L"Settings", L"Filter"), L"");
    EXPECT_TRUE(test.Exists(test.SectionPath(L"Settings")));
}

TEST(RegistryProfileTest, ValuesRoundTripWithTheirTypes) {
    TestRegistryKey test(L"roundtrip");
    Win32RegistryProfile profile = test.Profile();
    const std::wstring huge(300000, L'\x00E4');
    profile.WriteInt(L"Settings", L"Preset", -1);
    profile.WriteString(L"Settings", L"Filter", huge);
    profile.WriteString(L"", L"Empty", L"");
    EXPECT_EQ(profile.ReadInt(L"Settings", L"Preset", 0), -1);
    EXPECT_EQ(profile.ReadString(L"Settings", L"Filter"), huge);
    EXPECT_EQ(profile.ReadString(L"SETTINGS", L"filter").size(), huge.size());
    EXPECT_EQ(profile.ReadString(L"", L"Empty"), L"");
    EXPECT_EQ(RawType(test, L"Settings", L"Preset"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawType(test, L"Settings", L"Filter"), static_cast<DWORD>(REG_SZ));
}

TEST(RegistryProfileTest, UntrustedIntegersGiveTheDefault) {
    TestRegistryKey test(L"ints");
    Win32RegistryProfile profile = test.Profile();
    const DWORD one = 0;
    const unsigned long long wide = 0;
    const wchar_t text[] = L"0";
    SetRaw(test, L"Settings", L"AsText", REG_SZ, text, sizeof(text));
    SetRaw(test, L"Settings", L"AsBinary", REG_BINARY, &one, sizeof(one));
    SetRaw(test, L"Settings", L"AsQword", REG_QWORD, &wide, sizeof(wide));
    SetRaw(test, L"Settings", L"ShortDword", REG_DWORD, &one, 2);
    SetRaw(test, L"Settings", L"BigEndian", REG_DWORD_BIG_ENDIAN, &one, sizeof(one));
    for (const wchar_t* name :
         {L"AsText", L"AsBinary", L"AsQword", L"ShortDword", L"BigEndian", L"Missing"}) {
        EXPECT_EQ(profile.ReadInt(L"Settings", name, 7), 7) << name;
    }
    SetRaw(test, L"Settings", L"Good", REG_DWORD, &one, sizeof(one));
    EXPECT_EQ(profile.ReadInt(L"Settings", L"Good", 7), 0);
}

TEST(RegistryProfileTest, UntrustedStringsAreReadWithTheirRealLength) {
    TestRegistryKey test(L"strings");
    Win32RegistryProfile profile = test.Profile();
    const wchar_t unterminated[] = {L'*', L'.', L'o'};
    const wchar_t inner[] = {L'a', 0, L'b', 0};
    const BYTE odd[] = {'*', 0, '.', 0, 'o'};
    const DWORD number = 5;
    const wchar_t expand[] = L"%TEMP%";
    const wchar_t multi[] = L"a\0b\0";
    SetRaw(test, L"Settings", L"Unterminated", REG_SZ, unterminated, sizeof(unterminated));
    SetRaw(test, L"Settings", L"Inner", REG_SZ, inner, sizeof(inner));
    SetRaw(test, L"Settings", L"Odd", REG_SZ, odd, sizeof(odd));
    SetRaw(test, L"Settings", L"Zero", REG_SZ, L"", 0);
    SetRaw(test, L"Settings", L"Number", REG_DWORD, &number, sizeof(number));
    SetRaw(test, L"Settings", L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
    SetRaw(test, L"Settings", L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
    const struct {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {{L"Unterminated", L"*.o"}, {L"Inner", L"a"}, {L"Odd", L"*."}, {L"Zero", L""},
                 {L"Number", L""},          {L"Expand", L""}, {L"Multi", L""}, {L"Missing", L""}};
    for (const auto& c : cases) {
        EXPECT_EQ(profile.ReadString(L"Settings", c.name), c.expected) << c.name;
    }
}

TEST(RegistryProfileTest, AStringTooLargeToDecodeReadsAsUnreadableWithoutThrowing) {
    TestRegistryKey test(L"huge");
    Win32RegistryProfile profile = test.Profile();
    const std::wstring huge(kLargeAllocation, L'x');
    SetRaw(test, L"Settings", L"Filter", REG_SZ, huge.c_str(),
           static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    std::wstring text = L"unset";
    large_allocations_left = 1;  // the raw data fits, its decoded copy does not
    EXPECT_NO_THROW(text = profile.ReadString(L"Settings", L"Filter"));
    large_allocations_left = -1;
    EXPECT_EQ(text, L"");
    EXPECT_EQ(profile.ReadString(L"Settings", L"Filter"), huge);
}

TEST(RegistryPresetsTest, FirstStartWritesSettingsAndBuiltInPresets) {
    TestRegistryKey test(L"first");
    Win32RegistryProfile profile = test.Profile();
    SettingsKeeper keeper;
    keeper.Load(profile);
    EXPECT_EQ(keeper.Settings().CustomIndex, 11);
    EXPECT_EQ(profile.ReadInt(L"Presets", L"Count", 0), 11);
    for (int i = 0; i < kDefaultPresetCount; ++i) {
        EXPECT_EQ(profile.ReadString(PresetSection(i), L"Name"), kDefaultPresetRows[i].name);
        EXPECT_EQ(RawType(test, PresetSection(i), L"Flags"), static_cast<DWORD>(REG_DWORD));
    }
    keeper.SaveIfLoaded(profile);
    const wchar_t* const names[] = {
        L"AlwaysOnTop",      L"AutoClose",          L"AutoRemoveDeleted", L"ShowFileSizes",
        L"Filter",           L"ScanSubfolders",     L"DeleteFiles",       L"DeleteFolders",
        L"DeleteEmptyFiles", L"DeleteEmptyFolders", L"DeleteReadOnlys",   L"RecycleFiles",
        L"Preset",           L"LastFolder"};
    for (const wchar_t* name : names) {
        const bool text = std::wstring(name) == L"Filter" || std::wstring(name) == L"LastFolder";
        EXPECT_EQ(RawType(test, L"Settings", name), static_cast<DWORD>(text ? REG_SZ : REG_DWORD))
            << name;
    }
    EXPECT_EQ(profile.ReadInt(L"Settings", L"ShowFileSizes", 0), 1);
}

TEST(RegistryPresetsTest, SettingsSurviveARestart) {
    TestRegistryKey test(L"restart");
    Win32RegistryProfile profile = test.Profile();
    SettingsKeeper first;
    first.Load(profile);
    first.Settings().ShowFileSizes = 0;
    first.Settings().Options.Filter = L"*.obj; *.o";
    first.Settings().LastFolder = L"C:\\Some where";
    first.Settings().Presets.Append(PresetEntry{L"Mine", L"*.bak", 0x80001001u});
    first.SaveIfLoaded(profile);
    SettingsKeeper second;
    second.Load(profile);
    EXPECT_EQ(second.Settings().ShowFileSizes, 0);
    EXPECT_EQ(second.Settings().Options.Filter, L"*.obj; *.o");
    EXPECT_EQ(second.Settings().LastFolder, L"C:\\Some where");
    EXPECT_EQ(second.Settings().Presets, first.Settings().Presets);
    EXPECT_EQ(second.Settings().CustomIndex, 12);
}

TEST(RegistryPresetsTest, NamelessPresetIsLeftOutAndTheListIsStoredWithoutIt) {
    TestRegistryKey test(L"nameless");
    Win32RegistryProfile profile = test.Profile();
    for (int i = 0; i < 5; ++i) {
        if (i != 2) {
            profile.WriteString(PresetSection(i), L"Name", L"P" + std::to_wstring(i + 1));
        }
        profile.WriteString(PresetSection(i), L"Filter", L"*.x");
        profile.WriteInt(PresetSection(i), L"Flags", 0x301);
    }
    profile.WriteInt(L"Presets", L"Count", 5);
    AppSettings settings;
    LoadSettings(profile, settings);
    EXPECT_EQ(settings.CustomIndex, 4);
    SaveSettings(profile, settings);
    EXPECT_EQ(profile.ReadInt(L"Presets", L"Count", 0), 4);
    EXPECT_EQ(profile.ReadString(L"Presets\\03", L"Name"), L"P4");
    EXPECT_EQ(profile.ReadString(L"Presets\\04", L"Name"), L"P5");
}

TEST(RegistryPresetsTest, CountZeroOverwritesStoredSubkeys) {
    TestRegistryKey test(L"countzero");
    Win32RegistryProfile profile = test.Profile();
    profile.WriteString(L"Presets\\01", L"Name", L"Old");
    profile.WriteString(L"Presets\\01", L"Filter", L"*.old");
    profile.WriteInt(L"Presets\\01", L"Flags", 1);
    profile.WriteInt(L"Presets", L"Count", 0);
    PresetList list;
    EXPECT_EQ(LoadPresets(profile, list), 11);
    EXPECT_EQ(profile.ReadString(L"Presets\\01", L"Name"), kDefaultPresetRows[0].name);
    EXPECT_EQ(profile.ReadInt(L"Presets\\01", L"Flags", 0), 0x301);
}

TEST(RegistryPresetsTest, HundredthPresetIsANestedKey) {
    TestRegistryKey test(L"hundred");
    Win32RegistryProfile profile = test.Profile();
    PresetList list;
    for (int i = 0; i < 100; ++i) {
        list.Append(PresetEntry{L"N" + std::to_wstring(i), L"*", 0x301});
    }
    SavePresets(profile, list);
    EXPECT_TRUE(test.Exists(test.SectionPath(L"Presets") + L"\\100"));
    PresetList loaded;
    EXPECT_EQ(LoadPresets(profile, loaded), 100);
    EXPECT_EQ(loaded, list);
}

TEST(RegistryPresetsTest, HugeCountStopsAtTheFirstMissingPreset) {
    TestRegistryKey test(L"hugecount");
    Win32RegistryProfile profile = test.Profile();
    profile.WriteString(L"Presets\\01", L"Name", L"Only");
    profile.WriteInt(L"Presets", L"Count", 50000000);
    const DWORD start = GetTickCount();
    PresetList list;
    EXPECT_EQ(LoadPresets(profile, list), 1);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST(ApplicationFolderTest, RemoveFileSpecAgreesWithTheSystem) {
    for (const wchar_t* path :
         {L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"C:\\Vantrel.exe", L"C:\\", L"C:",
          L"C:file.exe", L"C:\\dir\\", L"\\\\server\\share\\v.exe", L"\\\\server", L"\\v.exe",
          L"\\", L"Vantrel.exe", L"", L"a\\b\\c"}) {
        std::wstring system = path;
        system.push_back(L'\0');
        PathRemoveFileSpecW(system.data());
        system.resize(wcslen(system.c_str()));
        EXPECT_EQ(RemoveFileSpec(path), system) << path;
    }
}

TEST(ApplicationFolderTest, EmptyAppFolderGivesTheExecutablesFolder) {
    TestRegistryKey test(L"appfolder");
    Win32RegistryProfile profile = test.Profile();
    const std::wstring exe = GetRunningExecutablePath();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(exe.substr(exe.size() - 4), L".exe");
    const std::wstring folder = GetApplicationFolder(profile);
    EXPECT_EQ(exe.compare(0, folder.size() + 1, folder + L"\\"), 0);
    EXPECT_EQ(exe.find(L'\\', folder.size() + 1), std::wstring::npos);
    profile.WriteString(L"", L"AppFolder", L"Q:\\Not\\There");
    EXPECT_EQ(GetApplicationFolder(profile), L"Q:\\Not\\There");
}

TEST(CommandLineWin32Test, ProcessArgumentsStartWithTheProgram) {
    const std::vector<std::wstring> arguments = GetProcessArguments();
    ASSERT_FALSE(arguments.empty());
    EXPECT_NE(arguments[0].find(L"win_tests"), std::wstring::npos);
}

TEST(CommandLineWin32Test, UsageBoxShowsTheTextAndCloses) {
    std::atomic<bool> seen{false};
    std::wstring shown_text;
    // Only this process's box counts: a running Vantrel.exe has a dialog of the same title.
    const auto own_box = [] {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", kApplicationTitle)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId()) {
                return box;
            }
        }
        return box;
    };
    std::thread closer([&] {
        // Up to a minute: where every first window of a program is slow (emulated code).
        for (int i = 0; i < 2400 && !seen; ++i) {
            Sleep(25);
            HWND box = own_box();
            if (box == nullptr) {
                continue;
            }
            std::wstring text(4096, L'\0');
            text.resize(GetDlgItemTextW(box, 0xFFFF, text.data(), 4096));
            shown_text = text;
            seen = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    ShowUsage(nullptr);
    closer.join();
    ASSERT_TRUE(seen);
    // The box may show line breaks as CR LF; compare without the carriage returns.
    std::wstring plain;
    for (wchar_t ch : shown_text) {
        if (ch != L'\r') {
            plain.push_back(ch);
        }
    }
    EXPECT_EQ(plain, BuildUsageText());
}

}  // namespace
}  // namespace vantrel

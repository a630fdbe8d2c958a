#include <gtest/gtest.h>

#include <set>

#include "config/command_line.h"
#include "ui/model/main_window_values.h"
#include "ui/model/preset_selection.h"

namespace vantrel {
namespace {

int Parse(std::vector<std::wstring> args, CommandLineRequest& request) {
    args.insert(args.begin(), L"C:\\Vantrel\\Vantrel.exe");
    return ParseCommandLine(args, request);
}

TEST(CommandLineTest, CountingAndActionTable) {
    const struct {
        const char* what;
        std::vector<std::wstring> args;
        int count;
        CommandAction action;
        int32_t help;
    } cases[] = {
        {"no arguments", {}, 0, CommandAction::None, 0},
        {"-s alone", {L"-s"}, 1, CommandAction::Scan, 0},
        {"-s then unknown", {L"-s", L"-zz"}, 1, CommandAction::Scan, 0},
        {"unknown alone", {L"-zz"}, 0, CommandAction::None, 0},
        {"capitals are not keywords", {L"-S"}, 0, CommandAction::None, 0},
        {"slash prefix", {L"/scan"}, 1, CommandAction::Scan, 0},
        {"double dash is unknown", {L"--scan"}, 0, CommandAction::None, 0},
        {"-s then -c", {L"-s", L"-c"}, 2, CommandAction::Clean, 0},
        {"-clean then -scan", {L"-clean", L"-scan"}, 2, CommandAction::Scan, 0},
        {"trailing -preset", {L"-preset"}, 0, CommandAction::None, 0},
        {"trailing -f", {L"-c", L"-f"}, 1, CommandAction::Clean, 0},
        {"-h with a folder", {L"-h", L"C:\\x"}, 1, CommandAction::None, 1},
        {"-? alone", {L"/?"}, 0, CommandAction::None, 1},
        {"lone prefix", {L"-"}, 0, CommandAction::None, 0},
        {"all switches",
         {L"-ss", L"-df", L"-dd", L"-def", L"-ded", L"-dr", L"-r", L"-ac"},
         8,
         CommandAction::None,
         0},
        {"preset with value", {L"-p", L"3"}, 1, CommandAction::None, 0},
        {"trailing -report", {L"-s", L"/report"}, 1, CommandAction::Scan, 0},
        {"-report consumes its value", {L"-report", L"-s"}, 1, CommandAction::None, 0},
    };
    for (const auto& c : cases) {
        CommandLineRequest request;
        EXPECT_EQ(Parse(c.args, request), c.count) << c.what;
        EXPECT_EQ(request.action, c.action) << c.what;
        EXPECT_EQ(request.help, c.help) << c.what;
    }
}

TEST(CommandLineTest, SwitchesOnlyTurnOn) {
    CommandLineRequest request;
    EXPECT_EQ(request.options.PackFlags(), 0u);
    EXPECT_EQ(request.preset_index, -1);
    Parse({L"-def", L"/r", L"-ac"}, request);
    EXPECT_EQ(request.options.PackFlags(), DeleteEmptyFilesFlag | RecycleFilesFlag);
    EXPECT_EQ(request.auto_close, 1);
    CommandLineRequest all;
    Parse({L"-ss", L"-df", L"-dd", L"-def", L"-ded", L"-dr", L"-r"}, all);
    EXPECT_EQ(all.options.PackFlags(), 0x1333u);
}

TEST(CommandLineTest, ConsumedValuesAreNeverOptionsOrFolders) {
    CommandLineRequest request;
    EXPECT_EQ(Parse({L"-f", L"-s", L"-p", L"C:\\x", L"D:\\y"}, request), 3);
    EXPECT_EQ(request.options.Filter, L"-s");
    EXPECT_EQ(request.action, CommandAction::None);
    EXPECT_EQ(request.preset_index, -1);  // "C:\x" reads as 0
    EXPECT_EQ(request.folders, std::vector<std::wstring>{L"D:\\y"});
}

TEST(CommandLineTest, ReportPathIsTakenAsGiven) {
    CommandLineRequest request;
    EXPECT_EQ(Parse({L"/report", L" C:\\r, \\x.csv", L"D:\\y", L"-report"}, request), 2);
    EXPECT_EQ(request.report_path, L" C:\\r, \\x.csv");
    EXPECT_EQ(request.folders, std::vector<std::wstring>{L"D:\\y"});
}

TEST(CommandLineTest, FilterIsTrimmedAndFoldersKeepOrder) {
    CommandLineRequest request;
    Parse({L"B", L"-filter", L"  *.obj ; *.o \t", L"A", L"", L"B"}, request);
    EXPECT_EQ(request.options.Filter, L"*.obj ; *.o");
    EXPECT_EQ(request.folders, (std::vector<std::wstring>{L"B", L"A", L"", L"B"}));
}

TEST(CommandLineTest, KeepAndAgeTable) {
    const struct {
        std::vector<std::wstring> args;
        int count;
        const wchar_t* keep;
        int32_t days;
        std::vector<std::wstring> folders;
    } cases[] = {
        {{L"-keep", L" *.pdb;.git ", L"-older", L"30", L"C:\\x"}, 3, L"*.pdb;.git", 30, {L"C:\\x"}},
        {{L"-older", L" 7\t"}, 1, L"", 7, {}},
        {{L"-older", L"0"}, 1, L"", 0, {}},
        {{L"-older", L"99999999999"}, 1, L"", 2147483647, {}},
        {{L"-older", L"-3", L"C:\\x"}, 1, L"", 0, {L"C:\\x"}},
        {{L"-older", L"abc"}, 0, L"", 0, {}},
        {{L"-older", L"+5"}, 0, L"", 0, {}},
        {{L"-older", L"5d"}, 0, L"", 0, {}},
        {{L"-older", L""}, 0, L"", 0, {}},
        {{L"-older"}, 0, L"", 0, {}},
        {{L"-keep"}, 0, L"", 0, {}},
        {{L"-keep", L"-s"}, 1, L"-s", 0, {}},
    };
    for (const auto& c : cases) {
        CommandLineRequest request;
        const std::wstring what = c.args.empty() ? L"" : c.args.back();
        EXPECT_EQ(Parse(c.args, request), c.count) << what;
        EXPECT_EQ(request.options.Keep, c.keep) << what;
        EXPECT_EQ(request.options.OlderThanDays, c.days) << what;
        EXPECT_EQ(request.folders, c.folders) << what;
        EXPECT_EQ(request.action, CommandAction::None) << what;
    }
}

TEST(CommandLineTest, PresetNumberTable) {
    const struct {
        const wchar_t* text;
        int32_t number;
    } cases[] = {
        {L"3", 3},
        {L"  \t12abc", 12},
        {L"+7", 7},
        {L"-2", -2},
        {L"abc", 0},
        {L"", 0},
        {L"- 5", 0},
        {L"0000000000000000005", 5},   // 19 characters
        {L"00000000000000000051", 5},  // the twentieth is not read
        {L"                  9", 9},
        {L"                   9", 0},
        {L"99999999999", 2147483647},
        {L"-99999999999", -2147483647 - 1},
        {L"\xFF13", 0},  // a full-width digit is no digit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePresetNumber(c.text), c.number) << c.text;
    }
    const struct {
        const wchar_t* text;
        int32_t index;
    } indexes[] = {{L"1", 0}, {L"3", 2}, {L"0", -1}, {L"-4", -5}, {L"-99999999999", INT32_MIN}};
    for (const auto& c : indexes) {
        CommandLineRequest request;
        Parse({L"-preset", c.text}, request);
        EXPECT_EQ(request.preset_index, c.index) << c.text;
    }
}

TEST(CommandLineTest, UsageTextIsExact) {
    const std::wstring text = BuildUsageText();
    EXPECT_EQ(text.rfind(L"Usage:\nVantrel [-preset <preset>] [-filter <filter>] ", 0), 0u);
    EXPECT_NE(text.find(L"\n<filter>\n  File filter string, example: \"*.obj;*.o\" .\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"  -ded:\tDelete empty subfolders.\n\n  -ss:\tScan/clean subfolders.\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"Recyle Bin"), std::wstring::npos);
    const std::wstring tail = L"  -ac:\tAutomatically close the program when finished.\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.size(), 920u);
}

// The window's start-up with a request: construction (step 3), preset selection (step 4)
// and the start plan (step 5), as the main window runs them.
struct StartResult {
    MainWindowValues values;
    int selection;
    CleaningOptions controls;
    RequestStartPlan plan;
};

StartResult StartWindow(const AppSettings& settings, const std::vector<std::wstring>& args,
                        const std::set<std::wstring>& existing_folders) {
    CommandLineRequest request;
    Parse(args, request);
    StartResult result;
    result.values = TakeWindowValues(settings);
    ApplyRequestToWindowValues(request, settings.CustomIndex, result.values);
    result.controls = result.values.Options;
    result.selection = SelectPresetAtCreation(settings.Presets, settings.CustomIndex,
                                              result.values.Preset, result.controls);
    result.plan = PlanRequestStart(request, [&](const std::wstring& f) {
        return existing_folders.count(f) != 0 ? f : std::wstring();
    });
    return result;
}

AppSettings SavedSettings(int32_t preset) {
    AppSettings settings;
    settings.Presets = DefaultPresets();
    settings.CustomIndex = settings.Presets.Count();
    settings.Preset = preset;
    settings.Options.Filter = L"*.saved";
    return settings;
}

TEST(CommandLineTest, ExtensionCleanForm) {
    for (int32_t saved : {11, 6}) {
        const StartResult r = StartWindow(
            SavedSettings(saved), {L"-clean", L"-preset", L"2", L"C:\\A", L"-ac"}, {L"C:\\A"});
        EXPECT_EQ(r.values.Preset, 1);
        EXPECT_EQ(r.selection, 1);
        EXPECT_EQ(r.controls.Filter, L"*.o;*.d");
        EXPECT_EQ(r.controls.PackFlags(), 0x301u);
        EXPECT_TRUE(r.plan.lock_auto_close);
        EXPECT_TRUE(r.plan.bring_to_top);
        EXPECT_EQ(r.plan.folders_to_add, std::vector<std::wstring>{L"C:\\A"});
        EXPECT_EQ(r.plan.command, StartCommand::ScanAndClean);
    }
}

TEST(CommandLineTest, ExtensionCleanLaterForm) {
    // Saved "Custom": the request's empty filter and no switches are in force, matched.
    const StartResult custom = StartWindow(SavedSettings(11), {L"C:\\A"}, {L"C:\\A"});
    EXPECT_EQ(custom.controls.Filter, L"");
    EXPECT_EQ(custom.controls.PackFlags(), 0u);
    EXPECT_EQ(custom.selection, 11);
    EXPECT_TRUE(custom.plan.lock_auto_close);
    EXPECT_EQ(custom.plan.command, StartCommand::None);
    // Saved preset: it is applied.
    const StartResult preset = StartWindow(SavedSettings(4), {L"C:\\A"}, {L"C:\\A"});
    EXPECT_EQ(preset.selection, 4);
    EXPECT_EQ(preset.controls.Filter, L".svn");
    EXPECT_EQ(preset.plan.command, StartCommand::None);
}

TEST(CommandLineTest, FilterAndSwitchesOnlyUnderCustom) {
    const std::vector<std::wstring> args = {L"-f", L"  *.o;*.d  ", L"-df", L"C:\\A"};
    const StartResult custom = StartWindow(SavedSettings(11), args, {L"C:\\A"});
    EXPECT_EQ(custom.controls.Filter, L"*.o;*.d");
    EXPECT_EQ(custom.controls.PackFlags(), DeleteFilesFlag);
    EXPECT_EQ(custom.selection, 11);  // no preset has exactly these flags
    EXPECT_EQ(custom.values.Preset, 11);
    EXPECT_EQ(custom.plan.command, StartCommand::None);

    const StartResult preset = StartWindow(SavedSettings(2), args, {L"C:\\A"});
    EXPECT_EQ(preset.selection, 2);
    EXPECT_EQ(preset.controls.Filter, L"*.pyo;*.pyc");
    EXPECT_EQ(preset.controls.PackFlags(), 0x301u);
}

TEST(CommandLineTest, PresetNumbersAroundTheList) {
    // Saved selection -1; eleven presets, so 12 names "Custom".
    const struct {
        const wchar_t* number;
        int selection;
        const wchar_t* filter;
    } cases[] = {
        {L"0", 11, L""},                 // no preset: the request's options, matched
        {L"12", 11, L""},                // "Custom": the request's options, matched
        {L"13", kNoPreset, L"*.saved"},  // beyond: nothing selected, saved options stay
        {L"1", 0, L"*.aps;*.idb;*.ilk;*.ncb;*.obj;*.opt;*.pch;*.pdb;*.res;*.plg"},
    };
    for (const auto& c : cases) {
        const StartResult r = StartWindow(SavedSettings(-1), {L"-p", c.number, L"-s"}, {});
        EXPECT_EQ(r.selection, c.selection) << c.number;
        EXPECT_EQ(r.controls.Filter, c.filter) << c.number;
        EXPECT_EQ(r.plan.command, StartCommand::None) << c.number;  // no folder, no run
    }
}

TEST(CommandLineTest, OnlyExistingFoldersAreAdded) {
    const StartResult r = StartWindow(
        SavedSettings(0), {L"-s", L"C:\\file.txt", L"C:\\B", L"", L"C:\\A"}, {L"C:\\A", L"C:\\B"});
    EXPECT_EQ(r.plan.folders_to_add, (std::vector<std::wstring>{L"C:\\B", L"C:\\A"}));
    EXPECT_EQ(r.plan.command, StartCommand::Scan);
    const StartResult none = StartWindow(SavedSettings(0), {L"-c", L"C:\\gone"}, {});
    EXPECT_TRUE(none.plan.folders_to_add.empty());
    EXPECT_TRUE(none.plan.lock_auto_close);
    EXPECT_EQ(none.plan.command, StartCommand::ScanAndClean);  // disabled by the window
}

TEST(CommandLineTest, ClosingAfterARun) {
    CommandLineRequest auto_close;
    auto_close.auto_close = 1;
    const CommandLineRequest plain;
    const struct {
        bool cleaned;
        bool stopped;
        int32_t window_auto_close;
        const CommandLineRequest* request;
        bool closes;
    } cases[] = {
        {true, false, 1, nullptr, true},       {true, false, 0, nullptr, false},
        {true, false, 0, &auto_close, true},   {true, true, 1, &auto_close, false},
        {false, false, 1, &auto_close, false}, {true, false, 0, &plain, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClosesWindowAfterRun(c.cleaned, c.stopped, c.window_auto_close, c.request),
                  c.closes);
    }
}

TEST(CommandLineTest, CommandLineStartKeepsSavedAutoClose) {
    AppSettings settings = SavedSettings(0);
    MainWindowValues values = TakeWindowValues(settings);
    values.AutoClose = 1;  // box 1003 ticked by the folders on the line
    ReturnWindowValues(values, true, settings);
    EXPECT_EQ(settings.AutoClose, 0);
    ReturnWindowValues(values, false, settings);
    EXPECT_EQ(settings.AutoClose, 1);
}

}  // namespace
}  // namespace vantrel

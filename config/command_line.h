#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/app_settings.h"
#include "config/cleaning_options.h"

namespace vantrel {

enum class CommandAction : int32_t { None = 0, Scan = 1, Clean = 2 };

// The parsed command line. Switches start at 0: an option can only turn one on.
struct CommandLineRequest {
    int32_t help = 0;
    CommandAction action = CommandAction::None;
    std::vector<std::wstring> folders;
    int32_t preset_index = -1;  // zero-based; the command line gives it one-based
    CleaningOptions options = NoSwitches();
    int32_t auto_close = 0;
    std::wstring report_path;  // -report: the CSV file written when a run ends; empty for none

    static CleaningOptions NoSwitches() {
        CleaningOptions options;
        options.UnpackFlags(0);
        return options;
    }
};

// Parses the program's arguments; arguments[0], the program's own path, is skipped. An
// argument starting with "-" or "/" is an option, compared case-sensitively and whole;
// anything else is a folder. Returns how many arguments were taken into account: help and
// unknown options are not counted, nor a -preset, -filter, -keep, -older or -report that has
// no value after it, nor an -older whose value is no number of days (ParseDays).
int ParseCommandLine(const std::vector<std::wstring>& arguments, CommandLineRequest& request);

// The one-based preset number of -preset as a decimal integer: only the first 19
// characters count; leading white space, an optional sign, then digits up to the first
// other character; no digits give 0. Values beyond 32 bits are clamped.
int32_t ParsePresetNumber(const std::wstring& text);

// The number of days of -older: decimal digits only, with white space around them allowed;
// values beyond 32 bits are clamped. -1 for anything else (empty, a sign, other characters).
int32_t ParseDays(const std::wstring& text);

// The usage box's text, assembled from its pieces in order.
std::wstring BuildUsageText();

// What the window does with a request once its controls exist and its preset selection
// ran (SelectPresetAtCreation). The window maps StartCommand to its buttons' commands:
// Scan -> 1032 (Scan), ScanAndClean -> 1007 (Scan && Clean); a posted command is subject
// to the buttons' enabling rules.
enum class StartCommand { None, Scan, ScanAndClean };

struct RequestStartPlan {
    bool lock_auto_close = false;  // tick box 1003 and disable it until the program ends
    std::vector<std::wstring> folders_to_add;  // absolute forms, in order, through AddFolder
    bool bring_to_top = false;
    StartCommand command = StartCommand::None;
};

// Only when the request holds at least one folder does anything happen: automatic closing
// is locked on, the folders that exist and are directories are added, the window comes to
// the top and the request's action is started. `existing_folder` gives a folder argument's
// absolute form when it names an existing folder (checked on that form), else empty; the
// plan adds that form, so the check and the walk address the same folder.
RequestStartPlan PlanRequestStart(
    const CommandLineRequest& request,
    const std::function<std::wstring(const std::wstring&)>& existing_folder);

// Whether a run that just ended closes the main window: only a clean (or scan and clean)
// that was not stopped, when the window's automatic-closing value (box 1003 as the run
// started) or the request's auto close is on. request is nullptr without a request.
bool ClosesWindowAfterRun(bool run_cleaned, bool stopped, int32_t window_auto_close,
                          const CommandLineRequest* request);

}  // namespace vantrel

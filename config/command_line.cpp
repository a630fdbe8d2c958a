#include "config/command_line.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/text_rules.h"

namespace vantrel {

namespace {

bool IsOption(const std::wstring& argument) {
    return !argument.empty() && (argument[0] == L'-' || argument[0] == L'/');
}

// The switch an option turns on, or nullptr.
int32_t CleaningOptions::*SwitchOf(const std::wstring& keyword) {
    struct Entry {
        const wchar_t* keyword;
        int32_t CleaningOptions::*field;
    };
    static const Entry kSwitches[] = {
        {L"ss", &CleaningOptions::ScanSubfolders},
        {L"df", &CleaningOptions::DeleteFiles},
        {L"dd", &CleaningOptions::DeleteFolders},
        {L"def", &CleaningOptions::DeleteEmptyFiles},
        {L"ded", &CleaningOptions::DeleteEmptyFolders},
        {L"dr", &CleaningOptions::DeleteReadOnlys},
        {L"r", &CleaningOptions::RecycleFiles},
    };
    for (const Entry& entry : kSwitches) {
        if (keyword == entry.keyword) {
            return entry.field;
        }
    }
    return nullptr;
}

}  // namespace

int32_t ParsePresetNumber(const std::wstring& text) {
    const size_t size = text.size() < 19 ? text.size() : 19;
    size_t pos = 0;
    while (pos < size && IsWhiteSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < size && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    // At most 19 digits fit comfortably in 64 bits before clamping to 32.
    int64_t value = 0;
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    for (; pos < size && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        if (value <= kLimit) {
            value = value * 10 + (text[pos] - L'0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

int32_t ParseDays(const std::wstring& text) {
    const std::wstring digits = TrimWhiteSpace(text);
    if (digits.empty()) {
        return -1;
    }
    int64_t value = 0;
    for (wchar_t ch : digits) {
        if (ch < L'0' || ch > L'9') {
            return -1;
        }
        value = std::min<int64_t>(value * 10 + (ch - L'0'), std::numeric_limits<int32_t>::max());
    }
    return static_cast<int32_t>(value);
}

int ParseCommandLine(const std::vector<std::wstring>& arguments, CommandLineRequest& request) {
    int counted = 0;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (!IsOption(argument)) {
            request.folders.push_back(argument);
            ++counted;
            continue;
        }
        const std::wstring keyword = argument.substr(1);
        const bool has_value = i + 1 < arguments.size();
        if (keyword == L"?" || keyword == L"h") {
            request.help = 1;
        } else if (keyword == L"clean" || keyword == L"c") {
            request.action = CommandAction::Clean;
            ++counted;
        } else if (keyword == L"scan" || keyword == L"s") {
            request.action = CommandAction::Scan;
            ++counted;
        } else if (keyword == L"preset" || keyword == L"p") {
            if (has_value) {
                const int64_t number = ParsePresetNumber(arguments[++i]);
                const int64_t index = number - 1;
                request.preset_index = index < std::numeric_limits<int32_t>::min()
                                           ? std::numeric_limits<int32_t>::min()
                                           : static_cast<int32_t>(index);
                ++counted;
            }
        } else if (keyword == L"filter" || keyword == L"f") {
            if (has_value) {
                request.options.Filter = TrimWhiteSpace(arguments[++i]);
                ++counted;
            }
        } else if (keyword == L"keep") {
            if (has_value) {
                request.options.Keep = TrimWhiteSpace(arguments[++i]);
                ++counted;
            }
        } else if (keyword == L"older") {
            if (has_value) {
                // A value that is no number of days is taken and ignored.
                const int32_t days = ParseDays(arguments[++i]);
                if (days >= 0) {
                    request.options.OlderThanDays = days;
                    ++counted;
                }
            }
        } else if (keyword == L"report") {
            if (has_value) {
                request.report_path = arguments[++i];
                ++counted;
            }
        } else if (keyword == L"ac") {
            request.auto_close = 1;
            ++counted;
        } else if (int32_t CleaningOptions::*field = SwitchOf(keyword)) {
            request.options.*field = 1;
            ++counted;
        }
    }
    return counted;
}

std::wstring BuildUsageText() {
    static const wchar_t* const kPieces[] = {
        L"Usage:\nVantrel [-preset <preset>] [-filter <filter>] [-keep <keep>] [-older <days>] "
        L"[<option1> <option2> ...] [<folder1> <folder2> ...]\n",
        L"\n<preset>\n",
        L"  One-based index of presets.\n",
        L"\n<filter>\n",
        L"  File filter string, example: \"*.obj;*.o\" .\n",
        L"\n<keep>\n",
        L"  Names never deleted nor entered, in the filter's form, example: \"*.pdb;.git\" .\n",
        L"  A folder holding a file named .vantrelkeep is always kept.\n",
        L"\n<days>\n",
        L"  Only items unchanged for at least this many days are deleted; 0 means any age.\n",
        L"\n<options>\n",
        L"  -c:\tClean. Find matched files/subfolders, then delete them. (default)\n",
        L"  -s:\tScan. Find matched files/subfolders.\n",
        L"  -df:\tDelete matched files.\n",
        L"  -dd:\tDelete matched subfolders.\n",
        L"  -def:\tDelete empty files.\n",
        L"  -ded:\tDelete empty subfolders.\n",
        L"\n",
        L"  -ss:\tScan/clean subfolders.\n",
        L"  -dr:\tForce deletion of read-only files/subfolders.\n",
        L"  -r:\tSend files/subfolders to Recyle Bin if possible (slow).\n",
        L"  -ac:\tAutomatically close the program when finished.\n",
    };
    std::wstring text;
    for (const wchar_t* piece : kPieces) {
        text += piece;
    }
    return text;
}

RequestStartPlan PlanRequestStart(
    const CommandLineRequest& request,
    const std::function<std::wstring(const std::wstring&)>& existing_folder) {
    RequestStartPlan plan;
    if (request.folders.empty()) {
        return plan;
    }
    plan.lock_auto_close = true;
    for (const std::wstring& folder : request.folders) {
        std::wstring absolute = folder.empty() ? std::wstring() : existing_folder(folder);
        if (!absolute.empty()) {
            plan.folders_to_add.push_back(std::move(absolute));
        }
    }
    plan.bring_to_top = true;
    switch (request.action) {
        case CommandAction::Scan:
            plan.command = StartCommand::Scan;
            break;
        case CommandAction::Clean:
            plan.command = StartCommand::ScanAndClean;
            break;
        case CommandAction::None:
            break;
    }
    return plan;
}

bool ClosesWindowAfterRun(bool run_cleaned, bool stopped, int32_t window_auto_close,
                          const CommandLineRequest* request) {
    if (!run_cleaned || stopped) {
        return false;
    }
    return window_auto_close != 0 || (request != nullptr && request->auto_close != 0);
}

}  // namespace vantrel

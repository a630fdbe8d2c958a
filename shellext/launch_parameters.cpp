#include "shellext/launch_parameters.h"

namespace vantrel::shell {

std::wstring QuoteFolderArgument(std::wstring_view path) {
    size_t trailing = 0;
    while (trailing < path.size() && path[path.size() - 1 - trailing] == L'\\') {
        ++trailing;
    }
    std::wstring quoted;
    quoted.reserve(path.size() + trailing + 2);
    quoted += L'"';
    quoted += path;
    quoted.append(trailing, L'\\');
    quoted += L'"';
    return quoted;
}

bool FitsOneArgument(std::wstring_view path) {
    for (const wchar_t c : path) {
        if (c == L'"' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

std::optional<std::wstring> BuildLaunchParameters(unsigned preset_number,
                                                  const std::vector<std::wstring>& folders) {
    std::wstring text;
    size_t launched = 0;
    if (preset_number > 0) {
        text += L" -clean -preset ";
        text += std::to_wstring(preset_number);
    }
    for (const std::wstring& folder : folders) {
        if (!FitsOneArgument(folder)) {
            continue;  // its text could end the argument and add options of its own
        }
        ++launched;
        const std::wstring argument = QuoteFolderArgument(folder);
        if (text.size() + 1 + argument.size() > kMaxParameterLength) {
            return std::nullopt;
        }
        text += L' ';
        text += argument;
    }
    if (launched == 0 && !folders.empty()) {
        return std::nullopt;  // every folder was dropped: nothing to launch for
    }
    if (preset_number > 0) {
        text += L" -ac";
    }
    if (text.size() > kMaxParameterLength) {
        return std::nullopt;
    }
    return text;
}

}  // namespace vantrel::shell

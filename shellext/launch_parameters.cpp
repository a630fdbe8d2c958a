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

std::optional<std::wstring> BuildLaunchParameters(unsigned presetNumber,
                                                  const std::vector<std::wstring>& folders) {
    std::wstring text;
    if (presetNumber > 0) {
        text += L" -clean -preset ";
        text += std::to_wstring(presetNumber);
    }
    for (const std::wstring& folder : folders) {
        const std::wstring argument = QuoteFolderArgument(folder);
        if (text.size() + 1 + argument.size() > kMaxParameterLength) {
            return std::nullopt;
        }
        text += L' ';
        text += argument;
    }
    if (presetNumber > 0) {
        text += L" -ac";
    }
    if (text.size() > kMaxParameterLength) {
        return std::nullopt;
    }
    return text;
}

}  // namespace vantrel::shell

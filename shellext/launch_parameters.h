#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::shell {

// Room of the main program's parameter text, terminator not counted.
inline constexpr size_t kMaxParameterLength = 65535;

// One folder as a command-line argument: the path between quotation marks. Trailing
// backslashes are doubled inside the quotes, so that a drive root such as C:\ does not
// escape the closing quotation mark ("C:\\" reads back as C:\).
std::wstring QuoteFolderArgument(std::wstring_view path);

// The parameters for Vantrel.exe. presetNumber 0 ("Clean Later..."): the quoted folders,
// each after a space. presetNumber N > 0: " -clean -preset N", the folders, " -ac".
// Nothing when the text would exceed kMaxParameterLength: a shortened folder list would
// clean something other than what was chosen.
std::optional<std::wstring> BuildLaunchParameters(unsigned presetNumber,
                                                  const std::vector<std::wstring>& folders);

}  // namespace vantrel::shell

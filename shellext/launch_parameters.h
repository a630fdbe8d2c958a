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

// False for a path that cannot stand as one quoted argument: a quotation mark or a control
// character in it could end the argument and make the rest of its text options.
bool FitsOneArgument(std::wstring_view path);

// The parameters for Vantrel.exe. A folder that does not fit one argument is left out;
// when folders were given and none is left, nothing is launched. preset_number 0 ("Clean
// Later..."): the quoted folders, each after a space. preset_number N > 0: " -clean -preset N", the
// folders, " -ac". Nothing when the text would exceed kMaxParameterLength: a shortened folder list
// would clean something other than what was chosen.
std::optional<std::wstring> BuildLaunchParameters(unsigned preset_number,
                                                  const std::vector<std::wstring>& folders);

}  // namespace vantrel::shell

#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The program's wide arguments as the runtime split them (blanks separate, double quotes
// group), the program's own path first.
std::vector<std::wstring> GetProcessArguments();

}  // namespace vantrel

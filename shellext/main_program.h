#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vantrel::shell {

inline constexpr const wchar_t* kMainProgramFileName = L"Vantrel.exe";
// Bytes allowed for "AppFolder", terminator included (at most 510 characters).
inline constexpr DWORD kAppFolderByteBudget = 1023;

// The main program's full path: HKEY_CURRENT_USER "AppFolder" + "\" + "Vantrel.exe".
// False when the value is missing, empty, too long or malformed, or the file does not
// exist.
bool FindMainProgram(std::wstring& path);

// Starts the main program for the folders: preset_number 0 adds them to its folder list,
// N > 0 cleans them with the preset at position N and closes when done. Returns
// E_INVALIDARG when the program is not found or the parameters would not fit, otherwise
// what ShellExecuteW returned (greater than 32 on success).
INT_PTR LaunchMainProgram(unsigned preset_number, const std::vector<std::wstring>& folders);

}  // namespace vantrel::shell

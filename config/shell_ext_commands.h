#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The Explorer extension's library, looked for in the application folder.
inline constexpr const wchar_t* kShellExtLibraryName = L"VantrelShell.dll";

// The handler keys below HKEY_CLASSES_ROOT whose presence means "registered": the one for
// all files (never written by this system, but it counts) and the one for folders.
inline constexpr const wchar_t* kShellExtHandlerKeys[] = {
    L"*\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel",
    L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel",
};

// "<folder>\VantrelShell.dll". A folder that already ends with a backslash (a drive root)
// gets no second one. An empty folder gives an empty path: "\VantrelShell.dll" would name
// the root of whatever drive is current, which is not where the program lives.
std::wstring ShellExtLibraryPath(std::wstring_view application_folder);

// The regsvr32 parameters, per user as the installer registers: "/s /n /i:user" to
// register or "/s /u /n /i:user" to unregister, a space, then the library path between
// quotation marks. (A plain "/s" registers per machine, which needs administrator rights.)
std::wstring RegisterServerParameters(std::wstring_view library_path, bool unregister);

// The 64-bit regsvr32 that registers the 64-bit library: in "<windows>\System32", reached
// from a 32-bit program on 64-bit Windows through "<windows>\Sysnative" (its System32 is
// redirected to the 32-bit one). Empty without a Windows folder.
std::wstring RegisterServerProgram(std::wstring_view windows_folder, bool wow64_process);

}  // namespace vantrel

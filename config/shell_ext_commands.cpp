#include "config/shell_ext_commands.h"

namespace vantrel {

std::wstring ShellExtLibraryPath(std::wstring_view applicationFolder) {
    if (applicationFolder.empty()) {
        return {};
    }
    std::wstring path(applicationFolder);
    if (path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    path += kShellExtLibraryName;
    return path;
}

std::wstring RegisterServerParameters(std::wstring_view libraryPath, bool unregister) {
    std::wstring parameters = unregister ? L"/s /u /n /i:user \"" : L"/s /n /i:user \"";
    parameters += libraryPath;
    parameters += L'"';
    return parameters;
}

std::wstring RegisterServerProgram(std::wstring_view windowsFolder, bool wow64Process) {
    if (windowsFolder.empty()) {
        return {};
    }
    std::wstring program(windowsFolder);
    if (program.back() != L'\\' && program.back() != L'/') {
        program += L'\\';
    }
    program += wow64Process ? L"Sysnative\\regsvr32.exe" : L"System32\\regsvr32.exe";
    return program;
}

}  // namespace vantrel

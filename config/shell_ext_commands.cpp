#include "config/shell_ext_commands.h"

namespace vantrel {

std::wstring ShellExtLibraryPath(std::wstring_view application_folder) {
    if (application_folder.empty()) {
        return {};
    }
    std::wstring path(application_folder);
    if (path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    path += kShellExtLibraryName;
    return path;
}

std::wstring RegisterServerParameters(std::wstring_view library_path, bool unregister) {
    std::wstring parameters = unregister ? L"/s /u /n /i:user \"" : L"/s /n /i:user \"";
    parameters += library_path;
    parameters += L'"';
    return parameters;
}

std::wstring RegisterServerProgram(std::wstring_view windows_folder, bool wow64_process) {
    if (windows_folder.empty()) {
        return {};
    }
    std::wstring program(windows_folder);
    if (program.back() != L'\\' && program.back() != L'/') {
        program += L'\\';
    }
    program += wow64_process ? L"Sysnative\\regsvr32.exe" : L"System32\\regsvr32.exe";
    return program;
}

}  // namespace vantrel

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
    std::wstring parameters = unregister ? L"/u /s \"" : L"/s \"";
    parameters += libraryPath;
    parameters += L'"';
    return parameters;
}

}  // namespace vantrel

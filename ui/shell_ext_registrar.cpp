#include "ui/shell_ext_registrar.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <utility>

#include "config/shell_ext_commands.h"

namespace vantrel {

CShellExtRegistrar::CShellExtRegistrar(std::wstring applicationFolder, Launcher launch)
    : libraryPath_(ShellExtLibraryPath(applicationFolder)),
      launch_(launch ? std::move(launch) : Launcher(&CShellExtRegistrar::LaunchHidden)) {}

int CShellExtRegistrar::IsRegistered() const {
    int count = 0;
    for (const wchar_t* key : kShellExtHandlerKeys) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            RegCloseKey(opened);
            ++count;
        }
    }
    return count;
}

BOOL CShellExtRegistrar::Run(bool unregister) const {
    if (libraryPath_.empty() || !PathFileExistsW(libraryPath_.c_str())) {
        return FALSE;
    }
    launch_(L"regsvr32.exe", RegisterServerParameters(libraryPath_, unregister));
    return TRUE;
}

void CShellExtRegistrar::LaunchHidden(const std::wstring& program, const std::wstring& parameters) {
    // Neither waited for nor checked: the dialog shows the outcome the next time it opens.
    ShellExecuteW(nullptr, nullptr, program.c_str(), parameters.c_str(), nullptr, SW_HIDE);
}

}  // namespace vantrel

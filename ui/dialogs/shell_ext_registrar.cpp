#include "ui/dialogs/shell_ext_registrar.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <utility>

#include "config/shell_ext_commands.h"
#include "win32/handles.h"

namespace vantrel {

CShellExtRegistrar::CShellExtRegistrar(std::wstring application_folder, Launcher launch)
    : library_path_(ShellExtLibraryPath(application_folder)),
      launch_(launch ? std::move(launch) : Launcher(&CShellExtRegistrar::LaunchHidden)) {}

int CShellExtRegistrar::IsRegistered() const {
    int count = 0;
    for (const wchar_t* key : kShellExtHandlerKeys) {
        // Per user (where the installer and this dialog register) or per machine, in the
        // 64-bit view where the 64-bit library's registration lives. Windows shows both
        // in HKEY_CLASSES_ROOT; not every system merges them, so each is asked.
        const std::wstring user_key = std::wstring(L"Software\\Classes\\") + key;
        for (const auto& [root, path] :
             {std::pair{HKEY_CURRENT_USER, user_key.c_str()}, std::pair{HKEY_CLASSES_ROOT, key}}) {
            RegistryKey opened;
            if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, opened.put()) ==
                ERROR_SUCCESS) {
                ++count;
                break;
            }
        }
    }
    return count;
}

namespace {

std::wstring WindowsFolder() {
    const UINT needed = GetSystemWindowsDirectoryW(nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring folder(needed, L'\0');
    const UINT written = GetSystemWindowsDirectoryW(folder.data(), needed);
    if (written == 0 || written >= needed) {
        return {};
    }
    folder.resize(written);
    return folder;
}

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) != FALSE && wow64 != FALSE;
}

}  // namespace

BOOL CShellExtRegistrar::Run(bool unregister) const {
    if (library_path_.empty() || !PathFileExistsW(library_path_.c_str())) {
        return FALSE;
    }
    const std::wstring program = RegisterServerProgram(WindowsFolder(), IsWow64());
    if (program.empty()) {
        return FALSE;
    }
    launch_(program, RegisterServerParameters(library_path_, unregister));
    return TRUE;
}

void CShellExtRegistrar::LaunchHidden(const std::wstring& program, const std::wstring& parameters) {
    // Neither waited for nor checked: the dialog shows the outcome the next time it opens.
    ShellExecuteW(nullptr, nullptr, program.c_str(), parameters.c_str(), nullptr, SW_HIDE);
}

}  // namespace vantrel

#include "shellext/main_program.h"

#include "config/default_presets_table.h"
#include "shellext/launch_parameters.h"
#include "shellext/registry_string.h"
#include "win32/handles.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace vantrel::shell {

bool FindMainProgram(std::wstring& path) {
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::wstring folder;
    // An empty folder would make "\Vantrel.exe" on whatever drive is current.
    if (!ReadRegistryString(key.get(), L"AppFolder", kAppFolderByteBudget, folder) ||
        folder.empty()) {
        return false;
    }
    path = folder + L"\\" + kMainProgramFileName;
    return PathFileExistsW(path.c_str()) != FALSE;
}

INT_PTR LaunchMainProgram(unsigned preset_number, const std::vector<std::wstring>& folders) {
    std::wstring program;
    if (!FindMainProgram(program)) {
        return E_INVALIDARG;
    }
    const auto parameters = BuildLaunchParameters(preset_number, folders);
    if (!parameters) {
        return E_INVALIDARG;
    }
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, program.c_str(), parameters->c_str(), nullptr, SW_SHOW));
}

}  // namespace vantrel::shell

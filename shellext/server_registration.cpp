#include "shellext/server_registration.h"

#include "shellext/registration_tables.h"
#include "shellext/registration_writer.h"
#include "shellext/shell_ids.h"
#include "shellext/shell_module.h"
#include "shellext/type_library.h"
#include "win32/handles.h"

#include <cwctype>
#include <string>

namespace vantrel::shell {

namespace {

HRESULT FromRegistryStatus(LONG status) {
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

const Substitution kAppIdOnly[] = {{L"%APPID%", kAppIdText}};

HRESULT RegisterSteps(HMODULE module, bool per_user) {
    RegistrationRoot root(per_user);
    if (FAILED(root.Status())) {
        return root.Status();
    }
    HRESULT hr = FromRegistryStatus(
        WriteRegistrationTable(root.get(), AppIdRegistrationTable(), kAppIdOnly));
    if (FAILED(hr)) {
        return hr;
    }
    std::wstring module_path;
    hr = GetModulePath(module, module_path);
    if (FAILED(hr)) {
        return hr;
    }
    const Substitution with_module[] = {{L"%APPID%", kAppIdText}, {L"%MODULE%", module_path}};
    hr = FromRegistryStatus(
        WriteRegistrationTable(root.get(), ClassRegistrationTable(), with_module));
    if (FAILED(hr)) {
        return hr;
    }
    return RegisterTypeLibrary(module_path, per_user);
}

HRESULT UnregisterSteps(bool per_user) {
    RegistrationRoot root(per_user);
    if (FAILED(root.Status())) {
        return root.Status();
    }
    // %MODULE% appears only in a value, which goes with its key.
    HRESULT hr = FromRegistryStatus(
        RemoveRegistrationTable(root.get(), ClassRegistrationTable(), kAppIdOnly));
    if (FAILED(hr)) {
        return hr;
    }
    hr = UnregisterTypeLibrary(per_user);
    if (FAILED(hr)) {
        return hr;
    }
    return FromRegistryStatus(
        RemoveRegistrationTable(root.get(), AppIdRegistrationTable(), kAppIdOnly));
}

}  // namespace

RegistrationRoot::RegistrationRoot(bool per_user) {
    if (!per_user) {
        key_ = HKEY_CLASSES_ROOT;
        return;
    }
    const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE | DELETE,
                                        nullptr, created_.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        created_.release();  // not a key after a failed call: never closed
        status_ = FromRegistryStatus(status);
        return;
    }
    key_ = created_.get();
}

HRESULT RegisterServer(HMODULE module, bool per_user) {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return RegisterSteps(module, per_user);
}

HRESULT UnregisterServer(bool per_user) {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return UnregisterSteps(per_user);
}

bool IsPerUserCommandLine(const wchar_t* command_line) {
    if (command_line == nullptr) {
        return false;
    }
    // Five characters compared, the terminator included: "users" does not match.
    const wchar_t* expected = L"user";
    for (int i = 0; i < 5; ++i) {
        if (std::towlower(command_line[i]) != expected[i]) {
            return false;
        }
        if (expected[i] == L'\0') {
            break;
        }
    }
    return true;
}

HRESULT InstallServer(HMODULE module, bool install, bool per_user) {
    if (!install) {
        return UnregisterServer(per_user);
    }
    const HRESULT hr = RegisterServer(module, per_user);
    if (FAILED(hr)) {
        UnregisterServer(per_user);
    }
    return hr;
}

}  // namespace vantrel::shell

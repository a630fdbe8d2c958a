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

HRESULT RegisterSteps(HMODULE module, bool perUser) {
    RegistrationRoot root(perUser);
    if (FAILED(root.Status())) {
        return root.Status();
    }
    HRESULT hr = FromRegistryStatus(
        WriteRegistrationTable(root.get(), AppIdRegistrationTable(), kAppIdOnly));
    if (FAILED(hr)) {
        return hr;
    }
    std::wstring modulePath;
    hr = GetModulePath(module, modulePath);
    if (FAILED(hr)) {
        return hr;
    }
    const Substitution withModule[] = {{L"%APPID%", kAppIdText}, {L"%MODULE%", modulePath}};
    hr = FromRegistryStatus(
        WriteRegistrationTable(root.get(), ClassRegistrationTable(), withModule));
    if (FAILED(hr)) {
        return hr;
    }
    return RegisterTypeLibrary(modulePath, perUser);
}

HRESULT UnregisterSteps(bool perUser) {
    RegistrationRoot root(perUser);
    if (FAILED(root.Status())) {
        return root.Status();
    }
    // %MODULE% appears only in a value, which goes with its key.
    HRESULT hr = FromRegistryStatus(
        RemoveRegistrationTable(root.get(), ClassRegistrationTable(), kAppIdOnly));
    if (FAILED(hr)) {
        return hr;
    }
    hr = UnregisterTypeLibrary(perUser);
    if (FAILED(hr)) {
        return hr;
    }
    return FromRegistryStatus(
        RemoveRegistrationTable(root.get(), AppIdRegistrationTable(), kAppIdOnly));
}

}  // namespace

RegistrationRoot::RegistrationRoot(bool perUser) {
    if (!perUser) {
        key_ = HKEY_CLASSES_ROOT;
        return;
    }
    const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE | DELETE,
                                        nullptr, &key_, nullptr);
    if (status != ERROR_SUCCESS) {
        key_ = nullptr;
        status_ = FromRegistryStatus(status);
        return;
    }
    owned_ = true;
}

RegistrationRoot::~RegistrationRoot() {
    if (owned_) {
        RegCloseKey(key_);
    }
}

HRESULT RegisterServer(HMODULE module, bool perUser) {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return RegisterSteps(module, perUser);
}

HRESULT UnregisterServer(bool perUser) {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return UnregisterSteps(perUser);
}

bool IsPerUserCommandLine(const wchar_t* commandLine) {
    if (commandLine == nullptr) {
        return false;
    }
    // Five characters compared, the terminator included: "users" does not match.
    const wchar_t* expected = L"user";
    for (int i = 0; i < 5; ++i) {
        if (std::towlower(commandLine[i]) != expected[i]) {
            return false;
        }
        if (expected[i] == L'\0') {
            break;
        }
    }
    return true;
}

HRESULT InstallServer(HMODULE module, bool install, bool perUser) {
    if (!install) {
        return UnregisterServer(perUser);
    }
    const HRESULT hr = RegisterServer(module, perUser);
    if (FAILED(hr)) {
        UnregisterServer(perUser);
    }
    return hr;
}

}  // namespace vantrel::shell

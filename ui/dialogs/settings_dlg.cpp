#include "ui/dialogs/settings_dlg.h"

#include <utility>

#include "resources/resource.h"
#include "win32/application_path.h"

namespace vantrel {

CSettingsDlg::CSettingsDlg(std::wstring application_folder, CShellExtRegistrar::Launcher launch)
    : CDialogBase(IDD_SETTINGS),
      application_folder_(std::move(application_folder)),
      launch_(std::move(launch)) {}

BOOL CSettingsDlg::OnInitDialog() {
    extension_on_ = Registrar().IsRegistered() > 0 ? 1 : 0;
    CheckDlgButton(hwnd(), IDC_SHELL_EXTENSION_CHECK,
                   extension_on_ != 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CSettingsDlg::OnOK() {
    extension_on_ = IsDlgButtonChecked(hwnd(), IDC_SHELL_EXTENSION_CHECK) == BST_CHECKED ? 1 : 0;
    const CShellExtRegistrar registrar = Registrar();
    if (extension_on_ != 0) {
        registrar.Register();
    } else {
        registrar.Unregister();
    }
    EndModal(IDOK);
}

void RunSettingsDialog(HWND owner, RegistryProfile& profile) {
    CSettingsDlg dialog(GetApplicationFolder(profile));
    dialog.RunModal(owner);
}

}  // namespace vantrel

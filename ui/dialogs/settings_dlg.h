#pragma once

#include <windows.h>

#include <string>

#include "ui/controls/dialog_base.h"
#include "ui/dialogs/shell_ext_registrar.h"

namespace vantrel {

class RegistryProfile;

// The Settings dialog (template 529): one box that switches the Explorer extension on or
// off. It opens showing whether the extension's handler keys exist; every OK registers or
// unregisters accordingly, even when the box was not changed; Cancel starts nothing.
class CSettingsDlg : public CDialogBase {
  public:
    explicit CSettingsDlg(std::wstring application_folder,
                          CShellExtRegistrar::Launcher launch = {});

    // 1 when the box is (or was, at OK) ticked.
    int ExtensionOn() const { return extension_on_; }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    CShellExtRegistrar Registrar() const {
        return CShellExtRegistrar(application_folder_, launch_);
    }

    std::wstring application_folder_;
    CShellExtRegistrar::Launcher launch_;
    int extension_on_ = 0;
};

// The "Settings..." command: runs the dialog modally over `owner`. The library is looked
// for in the application folder ("AppFolder", or the program's own folder).
void RunSettingsDialog(HWND owner, RegistryProfile& profile);

}  // namespace vantrel

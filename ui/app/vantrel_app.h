#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "config/app_settings.h"
#include "config/registry_profile.h"
#include "ui/controls/ui_resources.h"
#include "ui/main/main_dlg.h"

namespace vantrel {

// The vendor key below HKEY_CURRENT_USER\Software; the application's title is the level
// below it.
inline constexpr const wchar_t* kVendorKeyName = L"Zephrane";

// The root of the program: owns the display resources and the settings for the life of the
// process, runs start-up (the usage box or the main window, modally) and writes the
// settings back at exit, and carries out the application-wide commands of the Help and
// Options drop-downs.
class CVantrelApp : public AppCommandHandler {
  public:
    explicit CVantrelApp(HINSTANCE instance);
    ~CVantrelApp() override;

    // Start-up then exit; returns the process's exit code: how the command line's run
    // ended (RunExitCode), 0 without one.
    int Run();

    bool OnAppCommand(HWND owner, int id) override;
    bool HandlesAppCommand(int id) const override;

    // Start-up alone (tests run it with a profile of their own): false when the display
    // resources cannot be had, in which case nothing is loaded and nothing will be saved.
    bool StartUp(RegistryProfile& profile, const std::vector<std::wstring>& arguments);
    // Exit: saves the settings when they were loaded.
    void Exit(RegistryProfile& profile);
    // The exit code the main window left, 0 before it ran.
    int ExitCode() const { return exit_code_; }

    const AppSettings& Settings() const { return settings_.Settings(); }
    bool SettingsLoaded() const { return settings_.Loaded(); }
    CUiResources& Resources() { return resources_; }

  private:
    HINSTANCE instance_;
    CUiResources resources_;
    SettingsKeeper settings_;
    RegistryProfile* profile_ = nullptr;  // the store of the running start-up
    bool com_initialised_ = false;
    int exit_code_ = 0;
};

// The application key's path below HKEY_CURRENT_USER for a vendor and a title.
inline std::wstring ApplicationKeyPath(const std::wstring& vendor, const std::wstring& title) {
    return L"Software\\" + vendor + L"\\" + title;
}

}  // namespace vantrel

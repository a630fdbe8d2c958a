#include "ui/app/vantrel_app.h"

#include <objbase.h>
#include <shellapi.h>

#include "config/command_line.h"
#include "config/product_links.h"
#include "engine/run_report.h"
#include "resources/resource.h"
#include "ui/app/usage_box.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/support_mail.h"
#include "win32/process_arguments.h"
#include "win32/win32_registry_profile.h"

namespace vantrel {
namespace {

void OpenPage(const wchar_t* address) {
    // Returns at once; a page that cannot be opened is not reported.
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

CVantrelApp::CVantrelApp(HINSTANCE instance) : instance_(instance) {
    // The folder picker and the shell's file operations want a single-threaded apartment.
    com_initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

CVantrelApp::~CVantrelApp() {
    if (com_initialised_) {
        CoUninitialize();
    }
}

int CVantrelApp::Run() {
    Win32RegistryProfile profile(HKEY_CURRENT_USER,
                                 ApplicationKeyPath(kVendorKeyName, ApplicationTitle()));
    StartUp(profile, GetProcessArguments());
    Exit(profile);
    return exit_code_;
}

bool CVantrelApp::StartUp(RegistryProfile& profile, const std::vector<std::wstring>& arguments) {
    profile_ = &profile;
    if (!resources_.Initialize(instance_)) {
        return false;  // no window, no message, nothing written at exit
    }
    settings_.Load(profile);

    CommandLineRequest request;
    const int counted = ParseCommandLine(arguments, request);
    if (request.help != 0) {
        ShowUsage();
        return true;
    }
    {
        CMainDlg main_window(settings_.Settings(), resources_, profile,
                             counted > 0 ? &request : nullptr, this);
        const bool run_requested =
            counted > 0 && request.action != CommandAction::None && !request.folders.empty();
        // A window that could not be created ran nothing that the line asked for.
        exit_code_ = main_window.RunModal(nullptr) == -1 && run_requested
                         ? static_cast<int>(ExitStopped)
                         : main_window.ExitCode();
        // Leaving the scope destroys the window, which hands its values back.
    }
    return true;
}

void CVantrelApp::Exit(RegistryProfile& profile) {
    settings_.SaveIfLoaded(profile);
    profile_ = nullptr;
}

bool CVantrelApp::HandlesAppCommand(int id) const {
    switch (id) {
        case ID_APP_ABOUT:
        case ID_CHECK_FOR_UPDATES:
        case ID_WEB_SITE:
        case ID_EMAIL_US:
        case ID_SETTINGS:
        case ID_DEFAULT_HELP:
            return true;
        default:
            return false;
    }
}

bool CVantrelApp::OnAppCommand(HWND owner, int id) {
    switch (id) {
        case ID_APP_ABOUT:
            RunAboutDialog(owner, resources_);
            return true;
        case ID_CHECK_FOR_UPDATES:
            OpenPage(kDownloadPageAddress);
            return true;
        case ID_WEB_SITE:
            OpenPage(kHomePageAddress);
            return true;
        case ID_EMAIL_US:
            SendSupportMail();
            return true;
        case ID_SETTINGS:
            if (profile_ != nullptr) {
                RunSettingsDialog(owner, *profile_);
            }
            return true;
        case ID_DEFAULT_HELP:
            return true;  // no help content belongs to this program
        default:
            return false;
    }
}

}  // namespace vantrel

// Pictures of the three small dialogs for checking them by eye against their templates.
// Skipped unless VANTREL_DIALOG_SHOTS names a folder; run under a virtual desktop so that
// the frames are drawn (scripts/dialog-shots.sh does all of it).
// Each dialog is written as <name>.bmp, and <name>-hover.bmp etc. for the variants.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/presets_dlg.h"
#include "ui/dialogs/settings_dlg.h"

namespace vantrel {
namespace {

std::wstring ShotFolder() {
    const wchar_t* folder = _wgetenv(L"VANTREL_DIALOG_SHOTS");
    return folder != nullptr ? folder : L"";
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Pump(CDialogBase& dialog, DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    while (GetTickCount() < until) {
        dialog.PumpPendingMessages();
        Sleep(20);
    }
}

// Lets the dialog paint, then announces "<name>.ready" in the folder and keeps the dialog
// on screen (and painting) until the picture taker answers with "<name>.done".
void Capture(CDialogBase& dialog, const std::wstring& name) {
    Pump(dialog, 500);
    const std::wstring base = ShotFolder() + L"\\" + name;
    HANDLE ready = CreateFileW((base + L".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(ready);
    const DWORD until = GetTickCount() + 15000;
    while (!FileExists(base + L".done") && GetTickCount() < until) {
        Pump(dialog, 50);
    }
}

class DialogShots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ShotFolder().empty()) {
            GTEST_SKIP() << "set VANTREL_DIALOG_SHOTS to a folder to take the pictures";
        }
        CreateDirectoryW(ShotFolder().c_str(), nullptr);
    }
    static void Show(CDialogBase& dialog) {
        ShowWindow(dialog.hwnd(), SW_SHOW);
        SetForegroundWindow(dialog.hwnd());
    }
};

TEST_F(DialogShots, Presets) {
    PresetList list = DefaultPresets();
    MemoryRegistryProfile profile;
    CPresetsDlg dialog(list, profile);
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    Show(dialog);
    Capture(dialog, L"presets");
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PRESET_ADD, BN_CLICKED), 0);
    Capture(dialog, L"presets-added");
    dialog.Destroy();
}

TEST_F(DialogShots, About) {
    CUiResources resources;
    resources.Initialize(GetModuleHandleW(nullptr));
    LOGFONTW face{};
    HDC screen = GetDC(nullptr);
    face.lfHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    wcscpy_s(face.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&face);
    ASSERT_TRUE(resources.MakeFonts(font));
    CAboutDlg dialog(resources, [] {});
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    Show(dialog);
    Capture(dialog, L"about");
    SendMessageW(dialog.Item(IDC_ABOUT_MAIL_LINK), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Capture(dialog, L"about-hover");
    dialog.Destroy();
    DeleteObject(font);
}

TEST_F(DialogShots, Settings) {
    CSettingsDlg dialog(L"C:\\nowhere", [](const std::wstring&, const std::wstring&) {});
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    Show(dialog);
    Capture(dialog, L"settings");
    dialog.Destroy();
}

}  // namespace
}  // namespace vantrel

// A Scan through the real main window against the engine alone, on the same tree in the
// same run: seconds per listed row. Arguments: one or more tree roots. Not run by ctest
// (bench/win/window_scan.sh builds the trees and runs it under Wine).

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/counting_run_view.h"
#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "engine/scan.h"
#include "engine/win32/win32_file_system.h"
#include "resources/resource.h"
#include "ui/main_dlg.h"
#include "ui/ui_resources.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

vantrel::CleaningOptions ObjFilter() {
    vantrel::CleaningOptions options;
    options.UnpackFlags(vantrel::DeleteFilesFlag | vantrel::ScanSubfoldersFlag);
    options.Filter = L"*.obj";
    return options;
}

double EngineScan(const std::wstring& root, int& found) {
    vantrel::bench::CountingRunView view(true);
    view.folders.push_back(vantrel::FolderItem{root, 0, vantrel::ItemStatus::None});
    vantrel::Win32FileSystem fs;
    vantrel::RunState state;
    const vantrel::CleaningOptions options = ObjFilter();
    vantrel::RunContext ctx{view, fs, state, options};
    const auto start = Clock::now();
    vantrel::ScanAllFolders(ctx);
    found = view.found;
    return Seconds(start);
}

double WindowScan(const std::wstring& root, bool visible, int& found) {
    vantrel::CUiResources resources;
    resources.Initialize(GetModuleHandleW(nullptr));
    vantrel::MemoryRegistryProfile profile;
    vantrel::AppSettings settings;
    settings.CustomIndex = vantrel::LoadPresets(profile, settings.Presets);
    settings.Preset = settings.CustomIndex;
    settings.Options = ObjFilter();
    settings.ShowFileSizes = 1;
    vantrel::CMainDlg dialog(settings, resources, profile, nullptr, nullptr);
    HWND window = dialog.CreateModeless(nullptr);
    if (window == nullptr) {
        return -1;
    }
    if (!visible) {
        ShowWindow(window, SW_HIDE);
    }
    dialog.PumpPendingMessages();
    dialog.AddFolder(root);
    const auto start = Clock::now();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SCAN, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(IDC_SCAN)));
    while (dialog.IsBusy()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        dialog.PumpPendingMessages();
    }
    const double seconds = Seconds(start);
    found = dialog.Files().RowCount();
    dialog.Destroy();
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring root = argv[i];
        int engine_found = 0, hidden_found = 0, shown_found = 0;
        const double engine = EngineScan(root, engine_found);
        const double hidden = WindowScan(root, false, hidden_found);
        // A visible list repaints its scroll bar for every row: only the small tree.
        const double shown = engine_found <= 2000 ? WindowScan(root, true, shown_found) : 0.0;
        auto per_row = [](double s, int n) { return n > 0 ? s / n * 1e6 : 0.0; };
        std::printf(
            "%ls\n  engine alone:   %6d rows %8.3f s %8.1f us/row\n"
            "  hidden window:  %6d rows %8.3f s %8.1f us/row\n"
            "  visible window: %6d rows %8.3f s %8.1f us/row\n",
            root.c_str(), engine_found, engine, per_row(engine, engine_found), hidden_found, hidden,
            per_row(hidden, hidden_found), shown_found, shown, per_row(shown, shown_found));
        std::fflush(stdout);
    }
    return 0;
}

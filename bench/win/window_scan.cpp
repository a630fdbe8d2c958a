// The main window against the bare engine and the bare system calls, side by side in one run
// (bench/win/window_scan.sh builds the trees and runs it under Wine). Not run by ctest.
//
// Commands, each followed by its tree roots:
//   scan <root>                 Scan: the engine alone, then through the visible window;
//                               rows, seconds, ratio, the window thread's longest stall and
//                               the working set the window's rows take (bytes per row).
//   stop <root>                 A visible Scan stopped, and one closed, once rows show;
//                               the time until the window is idle or gone.
//   clean <window root> <bare root>
//                               Scan & Clean as the command line starts it (visible window,
//                               "-clean -f *.obj -df -ss"), against a FindFirstFileExW walk
//                               with a DeleteFileW loop over an identical tree.

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/counting_run_view.h"
#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "engine/scan.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/main/main_dlg.h"
#include "win32/win32_file_system.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kSystemTimerMessage = 0x0118;  // WM_SYSTIMER: the caret's blink

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

vantrel::CleaningOptions ObjFilter() {
    vantrel::CleaningOptions options;
    options.UnpackFlags(vantrel::DeleteFilesFlag | vantrel::ScanSubfoldersFlag);
    options.Filter = L"*.obj";
    return options;
}

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

double EngineScan(const std::wstring& root, int& found) {
    vantrel::bench::CountingRunView view(true);
    view.folders.push_back(vantrel::FolderItem{root, 0, vantrel::ItemStatus::None});
    vantrel::Win32FileSystem fs;
    vantrel::RunState state;
    const vantrel::RunOptions options = ObjFilter().ForRun();
    vantrel::RunContext ctx{view, fs, state, options};
    const auto start = Clock::now();
    vantrel::ScanAllFolders(ctx);
    found = view.found;
    return Seconds(start);
}

// A visible main window as the program shows it, with its own settings and resources.
struct Window {
    vantrel::CUiResources resources;
    vantrel::MemoryRegistryProfile profile;
    vantrel::AppSettings settings;
    std::unique_ptr<vantrel::CMainDlg> dialog;
    double longest_stall = 0;  // the longest time one message kept the window's thread

    explicit Window(const vantrel::CommandLineRequest* request = nullptr) {
        resources.Initialize(GetModuleHandleW(nullptr));
        settings.CustomIndex = vantrel::LoadPresets(profile, settings.Presets);
        settings.Preset = settings.CustomIndex;
        settings.Options = ObjFilter();
        settings.ShowFileSizes = 1;
        dialog =
            std::make_unique<vantrel::CMainDlg>(settings, resources, profile, request, nullptr);
        dialog->CreateModeless(nullptr);
        Pump();
    }
    HWND hwnd() const { return dialog->hwnd(); }
    void Command(int id) {
        SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog->Item(id)));
    }
    // One round of the message loop as the window's modal loop runs it: it sleeps until a
    // message comes (the timeout only lets the caller's check run now and then), takes one
    // message at a time, and has its idle step once the queue is empty after a message that
    // is neither a paint nor the caret's timer. Notes the longest time one message kept the thread.
    void Pump() {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const auto start = Clock::now();
            if (!IsDialogMessageW(hwnd(), &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            const double held = Seconds(start);
            longest_stall = held > longest_stall ? held : longest_stall;
            MessageCost& cost = costs[message.message];
            cost.seconds += held;
            ++cost.count;
            if (std::getenv("BENCH_TRACE") != nullptr && held > 0.010) {
                std::printf("    msg %04x wp %llx hwnd %p: %.1f ms\n", message.message,
                            (unsigned long long)message.wParam, (void*)message.hwnd, held * 1e3);
            }
            if (message.message != WM_PAINT && message.message != kSystemTimerMessage) {
                idle_pending = true;
            }
            if (done_check && done_check()) {
                return;
            }
        }
        if (idle_pending) {
            idle_pending = false;
            const auto idle_start = Clock::now();
            dialog->PumpPendingMessages();  // the idle step
            MessageCost& cost = costs[0xFFFFFFFF];
            cost.seconds += Seconds(idle_start);
            ++cost.count;
        }
    }
    bool idle_pending = true;
    // Time spent per message, the idle step as 0xffffffff, for BENCH_COSTS.
    struct MessageCost {
        double seconds = 0;
        int count = 0;
    };
    std::map<UINT, MessageCost> costs;
    void PrintCosts() const {
        for (const auto& [id, cost] : costs) {
            if (cost.seconds > 0.05) {
                std::printf("    msg %04x: %6d times %8.3f s\n", id, cost.count, cost.seconds);
            }
        }
    }
    template <typename Done>
    void PumpUntil(Done done) {
        done_check = done;
        while (!done()) {
            Pump();
        }
        done_check = nullptr;
    }
    std::function<bool()> done_check;
};

// CPU time the calling thread has used, in seconds.
double ThreadCpu() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return ((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// CPU time every thread of this process has used, in seconds.
double ProcessCpu() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return ((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// CPU time of the Linux process BENCH_SERVER_PID names (window_scan.sh passes the
// wineserver's), in seconds, read from /proc through Wine's Z: drive; 0 without it.
double ServerCpu() {
    const char* pid = std::getenv("BENCH_SERVER_PID");
    if (pid == nullptr || *pid == '\0') {
        return 0;
    }
    const std::string path = std::string("Z:\\proc\\") + pid + "\\stat";
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return 0;
    }
    char text[1024] = {};
    const size_t length = std::fread(text, 1, sizeof(text) - 1, file);
    std::fclose(file);
    // Fields 14 and 15 (user and system clock ticks) follow the ")" that ends the name.
    const char* at = std::strrchr(text, ')');
    unsigned long long user = 0, system = 0;
    if (length == 0 || at == nullptr ||
        std::sscanf(at + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                    &system) != 2) {
        return 0;
    }
    return static_cast<double>(user + system) / 100.0;
}

// One small scan through a window first: the shell's icon lists and the common controls
// are loaded once per process, which is start-up, not list work.
void WarmUp(const std::wstring& root) {
    Window window;
    window.dialog->AddFolder(root);
    window.Command(IDC_SCAN);
    window.PumpUntil([&] { return !window.dialog->IsBusy(); });
}

// What one row of the file list holds: its record in the store (with the path's text and
// the heap's own 16 bytes per block) and its two entries of the view order.
double HeldBytesPerRow(Window& window) {
    using Row = vantrel::CFileList::Store::Row;
    const std::vector<vantrel::FileItem> rows = window.dialog->Files().ShownRows();
    double bytes = 0;
    for (const vantrel::FileItem& item : rows) {
        bytes += sizeof(Row) + 2 * sizeof(int);
        if (item.path.size() > 7) {
            bytes += (item.path.size() + 1) * sizeof(wchar_t) + 16;
        }
    }
    return rows.empty() ? 0.0 : bytes / static_cast<double>(rows.size());
}

void ScanCommand(const std::wstring& root) {
    int engine_found = 0;
    const double engine = EngineScan(root, engine_found);

    const SIZE_T before = WorkingSet();
    Window window;
    window.dialog->AddFolder(root);
    const SIZE_T with_window = WorkingSet();
    window.longest_stall = 0;
    const double cpu_before = ThreadCpu();
    const auto start = Clock::now();
    window.Command(IDC_SCAN);
    window.PumpUntil([&] { return !window.dialog->IsBusy(); });
    const double shown = Seconds(start);
    const double window_cpu = ThreadCpu() - cpu_before;
    const int rows = window.dialog->Files().RowCount();
    const SIZE_T after = WorkingSet();
    const double row_bytes = static_cast<double>(after) - static_cast<double>(with_window);
    const double per_row = rows > 0 ? row_bytes / rows : 0.0;
    std::printf(
        "scan %ls\n"
        "  engine alone:    %7d rows %8.3f s\n"
        "  visible window:  %7d rows %8.3f s   ratio %5.2fx   window thread: %.3f s CPU, "
        "longest message %.1f ms\n"
        "  working set: %.1f MB before the window, %+.1f MB window, %+.1f MB rows "
        "(%.0f bytes/row); peak %.1f MB; the rows hold %.0f bytes/row\n",
        root.c_str(), engine_found, engine, rows, shown, engine > 0 ? shown / engine : 0.0,
        window_cpu, window.longest_stall * 1e3, before / 1048576.0,
        (static_cast<double>(with_window) - static_cast<double>(before)) / 1048576.0,
        row_bytes / 1048576.0, per_row, PeakWorkingSet() / 1048576.0, HeldBytesPerRow(window));
    std::fflush(stdout);
}

void StopCommand(const std::wstring& root) {
    for (const bool close : {false, true}) {
        Window window;
        window.dialog->AddFolder(root);
        window.Command(IDC_SCAN);
        // Wait until a good part of the tree is listed, so the stop lands mid-scan.
        window.PumpUntil(
            [&] { return window.dialog->Files().RowCount() >= 20000 || !window.dialog->IsBusy(); });
        const int rows_then = window.dialog->Files().RowCount();
        const auto start = Clock::now();
        if (close) {
            SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
            window.PumpUntil([&] { return window.dialog->Ended(); });
        } else {
            window.Command(IDC_STOP);
            window.PumpUntil([&] { return !window.dialog->IsBusy(); });
        }
        std::printf("%s during a scan of %ls at %d rows: %.1f ms until %s (%d rows kept)\n",
                    close ? "close box" : "Stop", root.c_str(), rows_then, Seconds(start) * 1e3,
                    close ? "the window ended" : "idle", window.dialog->Files().RowCount());
        std::fflush(stdout);
    }
}

bool EndsWithObj(const wchar_t* name) {
    const size_t length = wcslen(name);
    return length >= 4 && _wcsicmp(name + length - 4, L".obj") == 0;
}

// The floor: list every folder with FindFirstFileExW and delete each matched file.
double BareWalkAndDelete(const std::wstring& root, int& deleted) {
    const auto start = Clock::now();
    std::vector<std::wstring> pending{root};
    WIN32_FIND_DATAW data;
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                pending.push_back(folder + L"\\" + name);
            } else if (EndsWithObj(data.cFileName) &&
                       DeleteFileW((folder + L"\\" + name).c_str())) {
                ++deleted;
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return Seconds(start);
}

void CleanCommand(const std::wstring& window_root, const std::wstring& bare_root) {
    vantrel::CommandLineRequest request;
    request.action = vantrel::CommandAction::Clean;
    request.folders = {window_root};
    request.options = ObjFilter();
    request.auto_close = 1;
    const auto created = Clock::now();
    Window window(&request);
    const double start_up = Seconds(created);
    const auto start = Clock::now();
    const double cpu_before = ThreadCpu();
    const double process_before = ProcessCpu();
    const double server_before = ServerCpu();
    // The Clean button reads "Cleaning" while the clean phase runs.
    double scan_phase = 0;
    window.PumpUntil([&] {
        if (scan_phase == 0 && GetWindowTextLengthW(window.dialog->Item(IDC_CLEAN)) == 8) {
            scan_phase = Seconds(start);
        }
        return window.dialog->Ended();
    });
    const double shown = Seconds(start);
    const double window_cpu = ThreadCpu() - cpu_before;
    if (std::getenv("BENCH_COSTS") != nullptr) {
        window.PrintCosts();
    }
    const double process_cpu = ProcessCpu() - process_before;
    const double server_after = ServerCpu();
    const double server_cpu = server_after - server_before;
    const int rows = window.dialog->Files().RowCount();

    int deleted = 0;
    const double bare_before = ProcessCpu();
    const double bare = BareWalkAndDelete(bare_root, deleted);
    const double bare_cpu = ProcessCpu() - bare_before;
    const double bare_server_cpu = ServerCpu() - server_after;
    std::printf(
        "clean (Scan & Clean from the command line, visible window) %ls\n"
        "  bare walk + DeleteFileW: %7d deleted %8.3f s (%.3f s CPU, server %.2f s)\n"
        "  window:                  %7d rows    %8.3f s (+%.3f s start-up)   ratio %5.2fx\n"
        "    scan phase ended at %.3f s; process %.3f s CPU (server %.2f s), window thread %.3f s "
        "CPU, "
        "longest message %.1f ms\n",
        window_root.c_str(), deleted, bare, bare_cpu, bare_server_cpu, rows, shown, start_up,
        bare > 0 ? shown / bare : 0.0, scan_phase, process_cpu, server_cpu, window_cpu,
        window.longest_stall * 1e3);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring command = argv[i];
        if (command == L"warm" && i + 1 < argc) {
            WarmUp(argv[++i]);
        } else if (command == L"scan" && i + 1 < argc) {
            ScanCommand(argv[++i]);
        } else if (command == L"stop" && i + 1 < argc) {
            StopCommand(argv[++i]);
        } else if (command == L"clean" && i + 2 < argc) {
            CleanCommand(argv[i + 1], argv[i + 2]);
            i += 2;
        } else {
            std::fprintf(stderr, "unknown or incomplete command: %ls\n", command.c_str());
            return 2;
        }
    }
    return 0;
}

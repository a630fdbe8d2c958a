// Under Wine: the engine's scan of a real tree against a bare FindFirstFileW walk of the
// same tree, and its permanent clean of listed files against a bare DeleteFileW loop.
// Built and run by bench/win/run.sh, which generates the trees; prints the figures.
//
//   scan_vs_walk.exe <scan tree> <clean tree A> <clean tree B>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/counting_run_view.h"
#include "engine/clean.h"
#include "engine/item_age.h"
#include "engine/scan.h"
#include "win32/win32_file_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The floor: FindFirstFileW/FindNextFileW over every folder, a suffix test per name.
long long BareWalk(const std::wstring& folder) {
    long long matched = 0;
    std::vector<std::wstring> pending{folder};
    WIN32_FIND_DATAW data;
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        HANDLE find = FindFirstFileW((current + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            const std::wstring name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                if (name != L"." && name != L"..") {
                    pending.push_back(current + L"\\" + name);
                }
            } else if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".obj") == 0) {
                ++matched;
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return matched;
}

// The floor for a scan that totals and dates matched folders: every entry of the whole
// tree through FindFirstFileExW, as the backend lists (basic information, large fetches).
long long BareWalkEx(const std::wstring& folder) {
    long long entries = 0;
    std::vector<std::wstring> pending{folder};
    WIN32_FIND_DATAW data;
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        HANDLE find = FindFirstFileExW((current + L"\\*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            ++entries;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                pending.push_back(current + L"\\" + name);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return entries;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Scan(vantrel::Win32FileSystem& fs, vantrel::bench::CountingRunView& view,
         const std::wstring& folder, const vantrel::RunOptions& options) {
    view.folders.push_back(vantrel::FolderItem{folder, 0, vantrel::ItemStatus::None});
    vantrel::RunState run;
    vantrel::RunContext ctx{view, fs, run, options};
    vantrel::ScanAllFolders(ctx);
    return view.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scan_vs_walk <scan tree> <clean tree A> <clean tree B>\n");
        return 2;
    }
    vantrel::Win32FileSystem fs;
    vantrel::RunOptions options;
    options.filter = L"*.obj";
    options.delete_folders = false;
    options.recycle = false;

    double best_walk = 1e9, best_scan = 1e9;
    long long walked = 0;
    int found = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        walked = BareWalk(argv[1]);
        best_walk = std::min(best_walk, Seconds(start));
        vantrel::bench::CountingRunView view(false);
        start = Clock::now();
        found = Scan(fs, view, argv[1], options);
        best_scan = std::min(best_scan, Seconds(start));
    }
    std::printf(
        "scan: bare walk %.3f s (%lld matched), engine scan %.3f s (%d listed), "
        "ratio %.2f\n",
        best_walk, walked, best_scan, found, best_scan / best_walk);

    // Matched folders walked whole to total and date them, against a bare walk of the
    // whole tree. The clock is set ahead so that every folder is old enough to be listed.
    vantrel::RunOptions whole = options;
    whole.filter = L"Debug_*";
    whole.delete_files = false;
    whole.delete_folders = true;
    whole.keep = L"*.keep";
    whole.older_than_days = 1;
    whole.now = vantrel::FileTimeNow() + 10 * vantrel::kFileTimeUnitsPerDay;
    std::vector<double> walks, scans;
    long long entries = 0;
    int folders = 0;
    long long total = 0;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        entries = BareWalkEx(argv[1]);
        walks.push_back(Seconds(start));
        vantrel::bench::CountingRunView view(true);
        start = Clock::now();
        folders = Scan(fs, view, argv[1], whole);
        scans.push_back(Seconds(start));
        total = 0;
        for (const auto& item : view.files) {
            total += item.size;
        }
    }
    std::printf(
        "matched folders: bare FindFirstFileExW walk %.3f s (%lld entries), engine scan with "
        "sizes, age and keep %.3f s (%d folders, %lld bytes), ratio %.2f (medians of 5)\n",
        Median(walks), entries, Median(scans), folders, total, Median(scans) / Median(walks));

    // Clean: tree A through the engine, tree B with a bare loop over its listed paths.
    vantrel::bench::CountingRunView view_a(true);
    Scan(fs, view_a, argv[2], options);
    vantrel::bench::CountingRunView view_b(true);
    Scan(fs, view_b, argv[3], options);
    vantrel::RunState run;
    vantrel::RunContext ctx{view_a, fs, run, options};
    auto start = Clock::now();
    vantrel::CleanAllItems(ctx);
    const double clean = Seconds(start);
    int failed = 0;
    for (const auto& item : view_a.files) {
        failed += item.status != vantrel::ItemStatus::Done;
    }
    start = Clock::now();
    int bare_failed = 0;
    for (const auto& item : view_b.files) {
        bare_failed += DeleteFileW(item.path.c_str()) ? 0 : 1;
    }
    const double bare = Seconds(start);
    std::printf(
        "clean: bare DeleteFileW loop %.3f s (%zu files, %d failed), engine clean "
        "%.3f s (%zu files, %d failed), ratio %.2f\n",
        bare, view_b.files.size(), bare_failed, clean, view_a.files.size(), failed, clean / bare);
    return 0;
}

// The scan and the clean over an in-memory tree: the engine's own cost per entry, against
// a bare walk of the same listings, and the memory a listed item takes.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <new>

#include "bench/counting_run_view.h"
#include "bench/memory_tree.h"
#include "engine/clean.h"
#include "engine/path.h"
#include "engine/scan.h"

// Live heap bytes, to measure what the rows' records take.
namespace {
std::atomic<long long> g_live_bytes{0};
}  // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size + 16);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    g_live_bytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    return static_cast<char*>(block) + 16;
}
void operator delete(void* pointer) noexcept {
    if (pointer != nullptr) {
        char* block = static_cast<char*>(pointer) - 16;
        g_live_bytes.fetch_sub(static_cast<long long>(*reinterpret_cast<std::size_t*>(block)),
                               std::memory_order_relaxed);
        std::free(block);
    }
}
void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace vantrel {
namespace {

using bench::CountingRunView;
using bench::MemoryTree;

RunOptions ScanOptions() {
    RunOptions options;
    options.filter = L"*.obj;*.pch;*.ilk";
    options.delete_folders = false;
    return options;
}

const std::wstring kRoot = L"C:\\bench\\tree";

void BM_ScanTree(benchmark::State& state) {
    MemoryTree tree;
    bench::BuildStandardTree(tree, kRoot, 100);
    const RunOptions options = ScanOptions();
    int found = 0;
    for (auto _ : state) {
        CountingRunView view(false);
        view.folders.push_back(FolderItem{kRoot, 0, ItemStatus::None});
        RunState run;
        RunContext ctx{view, tree, run, options};
        ScanAllFolders(ctx);
        found = view.found;
    }
    state.counters["found"] = found;
    state.counters["entries/s"] = benchmark::Counter(
        static_cast<double>(tree.FileCount() + 1110) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond);

// The same listings walked with nothing but a name comparison: the floor for a scan.
void BM_BareWalk(benchmark::State& state) {
    MemoryTree tree;
    bench::BuildStandardTree(tree, kRoot, 100);
    for (auto _ : state) {
        std::vector<std::wstring> pending{kRoot};
        DirEntry entry;
        long long matched = 0;
        while (!pending.empty()) {
            const std::wstring folder = std::move(pending.back());
            pending.pop_back();
            auto listing = tree.OpenListing(folder);
            while (listing->Next(entry)) {
                if ((entry.attributes & kAttributeDirectory) != 0) {
                    pending.push_back(JoinPath(folder, entry.name));
                } else if (entry.name.size() > 4 &&
                           entry.name.compare(entry.name.size() - 4, 4, L".obj") == 0) {
                    ++matched;
                }
            }
        }
        benchmark::DoNotOptimize(matched);
    }
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMillisecond);

// Permanent clean of 20,000 listed files.
void BM_CleanListedFiles(benchmark::State& state) {
    RunOptions options;
    options.recycle = false;
    for (auto _ : state) {
        state.PauseTiming();
        MemoryTree tree;
        bench::BuildStandardTree(tree, kRoot, 40);  // 40,000 files, 20,000 listed
        CountingRunView view(true);
        view.folders.push_back(FolderItem{kRoot, 0, ItemStatus::None});
        RunState run;
        RunContext ctx{view, tree, run, ScanOptions()};
        ScanAllFolders(ctx);
        RunContext clean{view, tree, run, options};
        state.ResumeTiming();
        CleanAllItems(clean);
        benchmark::DoNotOptimize(tree.FileCount());
    }
    state.counters["files"] = 20000;
}
BENCHMARK(BM_CleanListedFiles)->Unit(benchmark::kMillisecond);

// A bare removal loop over the same 20,000 paths.
void BM_BareRemoveLoop(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MemoryTree tree;
        bench::BuildStandardTree(tree, kRoot, 40);
        CountingRunView view(true);
        view.folders.push_back(FolderItem{kRoot, 0, ItemStatus::None});
        RunState run;
        const RunOptions options = ScanOptions();
        RunContext ctx{view, tree, run, options};
        ScanAllFolders(ctx);
        state.ResumeTiming();
        for (const FileItem& item : view.files) {
            benchmark::DoNotOptimize(tree.RemoveFile(item.path));
        }
    }
}
BENCHMARK(BM_BareRemoveLoop)->Unit(benchmark::kMillisecond);

// Heap bytes that the listed rows' records hold, per item (the path strings included).
void BM_MemoryPerListedItem(benchmark::State& state) {
    MemoryTree tree;
    bench::BuildStandardTree(tree, kRoot, 100);
    const RunOptions options = ScanOptions();
    double per_item = 0;
    for (auto _ : state) {
        CountingRunView view(true);
        view.folders.push_back(FolderItem{kRoot, 0, ItemStatus::None});
        RunState run;
        RunContext ctx{view, tree, run, options};
        const long long before = g_live_bytes.load();
        ScanAllFolders(ctx);
        per_item = static_cast<double>(g_live_bytes.load() - before) / view.found;
    }
    state.counters["bytes/item"] = per_item;
    state.counters["sizeof(FileItem)"] = sizeof(FileItem);
}
BENCHMARK(BM_MemoryPerListedItem)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vantrel

#include "engine/wildcard_filter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace vantrel {
namespace {

// Many stars against a long name that never matches: the case plain backtracking
// cannot finish in any reasonable time.
void BM_ManyStarsAgainstLongName(benchmark::State& state) {
    const std::wstring name(255, L'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchWildcard(L"*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    }
}
BENCHMARK(BM_ManyStarsAgainstLongName);

// A leading negation rules out stopping early: every element is worked through.
void BM_NegatedManyStarsAgainstLongName(benchmark::State& state) {
    const std::wstring name(255, L'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchWildcard(L"!*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    }
}
BENCHMARK(BM_NegatedManyStarsAgainstLongName);

// A name that does match, so every star spreads over the whole name.
void BM_ManyStarsMatchingLongName(benchmark::State& state) {
    const std::wstring name = std::wstring(254, L'a') + L"b";
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchWildcard(L"*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    }
}
BENCHMARK(BM_ManyStarsMatchingLongName);

// The everyday case: a preset's extension list against a source file name that no
// pattern selects, so every pattern is tried.
void BM_ExtensionFilterOnTypicalName(benchmark::State& state) {
    WildcardFilter filter;
    filter.SetPatterns(L"*.aps;*.idb;*.ilk;*.ncb;*.obj;*.opt;*.pch;*.pdb;*.res;*.plg", L"");
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.Matches(L"MainFrame.cpp"));
    }
}
BENCHMARK(BM_ExtensionFilterOnTypicalName);

// The same filter selecting a name by its last pattern.
void BM_ExtensionFilterLastPatternMatches(benchmark::State& state) {
    WildcardFilter filter;
    filter.SetPatterns(L"*.aps;*.idb;*.ilk;*.ncb;*.obj;*.opt;*.pch;*.pdb;*.res;*.plg", L"");
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.Matches(L"BuildLog.PLG"));
    }
}
BENCHMARK(BM_ExtensionFilterLastPatternMatches);

}  // namespace
}  // namespace vantrel

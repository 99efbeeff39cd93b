// The search against the raw walks it is made of, in turn round by round: by name over the
// 1,000,000-file folder and over a tree of 100,000 entries in 10,000 folders, against one recursive
// FindFirstFileExW walk; by content over 1,000 files of 1 MB, against a loop that reads them; and
// the memory the results take per found entry.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "find/FolderSearch.h"
#include "listing/FileIndex.h"
#include <psapi.h>
#include <cstdio>

namespace {
// Runs a search to its end; the results end up in one listing, as in a pane.
FileList searchThrough(const std::wstring& folder, const wchar_t* masks, const wchar_t* text) {
    FindQuery query;
    query.folder = folder;
    query.masks = *parseMasks(masks);
    query.text = text;
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    FileList results;
    std::shared_ptr<FolderSearch> search = FolderSearch::start(query, [done] { SetEvent(done); });
    while (search && !search->finished()) {
        WaitForSingleObject(done, 50);
        ResetEvent(done);
        results.takeAll(search->takeFound());
    }
    if (search) results.takeAll(search->takeFound());
    CloseHandle(done);
    return results;
}

// Resident bytes: Wine leaves the private-usage counter unset, so the working set is what grows
// with the results (as in the listing's memory figure).
size_t residentBytes() {
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

void printComparison(const char* figure, const Comparison& t, int found, double goal, const char* yardstick,
                     int rounds) {
    const double share = t.ratio > 0 ? 1 / t.ratio : 0;
    std::printf("%s: %.2f ms  [min %.2f, max %.2f; %s %.2f ms]  %d found: %.3f of the raw speed (median of %d "
                "rounds' ratios, goal >= %.2f: %s)\n",
                figure, t.figure.median, t.figure.min, t.figure.max, yardstick, t.raw.median, found, share, rounds,
                goal, share >= goal ? "met" : "missed");
    std::fflush(stdout);
}
}  // namespace

void runFindFigures(const BenchOptions& options) {
    const struct { const char* figure; std::wstring folder; const wchar_t* masks; int rounds; } byName[] = {
        {"find by name in 1000000 files", millionFolder(options.dataRoot), L"*8.txt", kMillionRounds},
        {"find by name in a tree of 100000", treeFolder(options.dataRoot), L"*7.txt", kRounds},
    };
    for (const auto& set : byName) {
        if (!options.wants(set.figure)) continue;
        int found = 0;
        const Comparison t = compareRounds({{}, [&] { rawTreeWalk(set.folder); }},
                                           {{}, [&] { found = searchThrough(set.folder, set.masks, L"").size(); }},
                                           set.rounds);
        printComparison(set.figure, t, found, 0.9, "raw recursive walk", set.rounds);
    }
    const char* content = "find by content in 1000 files of 1 MB";
    if (options.wants(content)) {
        const std::wstring folder = copyFolder(options.dataRoot, L"grep1000");
        int found = 0;
        const Comparison t = compareRounds({{}, [&] { rawReadFiles(folder); }},
                                           {{}, [&] { found = searchThrough(folder, L"", L"見つけた語").size(); }});
        printComparison(content, t, found, 0.8, "raw read loop", kRounds);
    }
    if (options.wants("find memory per found entry"))
        runBenchChild(L"--find-memory \"" + millionFolder(options.dataRoot) + L"\"");
}

void runFindMemoryFigure(const std::wstring& folder) {
    // The platform keeps memory of its own from listing a large folder; it settles after two
    // passes and is reused by every later one (as in the listing's memory figure), so it is primed
    // here and told apart from what the results hold.
    const size_t beforeRaw = residentBytes();
    for (int i = 0; i < 3; ++i) rawTreeWalk(folder);
    const size_t platform = residentBytes() - beforeRaw;
    const size_t before = residentBytes();
    FileList results = searchThrough(folder, L"", L"");
    results.shrinkToFit();
    FileIndex index;
    index.build(results);
    index.sort(1, 0);
    const double perEntry = results.size() > 0 ? double(residentBytes() - before) / results.size() : 0;
    std::printf("find memory per found entry: %.1f bytes for each of %d results with their display order (goal <= "
                "150: %s); the platform's listing keeps %.0f bytes per entry of its own\n",
                perEntry, results.size(), perEntry <= 150 ? "met" : "missed",
                results.size() > 0 ? double(platform) / results.size() : 0.0);
    std::fflush(stdout);
}

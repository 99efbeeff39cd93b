// Figures of the running program while the folder its active pane shows changes without rest: a
// thread makes and then deletes 20,000 files there while Down is pressed every 50 ms. How long each
// key takes to show the cursor on its new line, and how long after the last change the pane lists
// the folder as it is.
#include "bench/BenchFolders.h"
#include "bench/BenchWindow.h"
#include "framework/Handles.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {
constexpr int kStormFiles = 20000;
// Files that stay through the storm: the lines the cursor walks, sorted by name ahead of the
// storm's own ("k..." before "s...").
constexpr int kKeptFiles = 1000;
constexpr double kKeyEveryMs = 50;
constexpr double kKeyP95GoalMs = 100;
constexpr double kKeyMaxGoalMs = 250;
constexpr double kSettleOverRawGoalMs = 300;

std::wstring numberedName(const wchar_t* prefix, int number, const wchar_t* extension) {
    wchar_t name[32];
    swprintf(name, 32, L"%ls%07d%ls", prefix, number, extension);
    return name;
}

void makeFile(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The names in `folder` matching `pattern`, "." and ".." left out, sorted.
std::vector<std::wstring> namesIn(const std::wstring& folder, const wchar_t* pattern = L"*") {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW((folder + L"\\" + pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

// The storm's folder holding its kept files only: made when missing, and cleared of what a storm
// cut short left behind.
void prepareStormFolder(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kKeptFiles; ++i) makeFile(folder + L"\\" + numberedName(L"k", i, L".txt"));
    for (const std::wstring& name : namesIn(folder, L"s*.tmp")) DeleteFileW((folder + L"\\" + name).c_str());
}

// Whether the pane lists exactly `names` (sorted), besides "..".
bool listsExactly(const PaneListing& listing, const std::vector<std::wstring>& names) {
    if (listing.count() != static_cast<int>(names.size()) + 1) return false;
    std::vector<std::wstring> shown;
    shown.reserve(names.size());
    for (int i = 0; i < listing.count(); ++i) {
        const std::wstring name = listing.index().entryAt(i)->name();
        if (name != L"..") shown.push_back(name);
    }
    std::sort(shown.begin(), shown.end());
    return shown == names;
}
}  // namespace

void runStormFigures(const BenchOptions& options) {
    const std::string keyFigure = "storm key latency";
    const std::string settleFigure = "storm settle";
    if (!options.wants(keyFigure) && !options.wants(settleFigure)) return;
    const std::wstring folder = options.dataRoot + L"\\storm";
    prepareStormFolder(folder);
    const std::vector<std::wstring> kept = namesIn(folder);

    RunningProgram program(options);
    CVantorApp& app = program.app();
    CVantorView* pane = program.pane(0);
    if (!pane) return;
    pane->changeFolder(folder, false);
    settle(app, *pane);
    pane->listing().applySort(1, 0);  // by name: the kept files first, where the cursor walks
    pane->setCursor(0);
    drain(app);

    std::atomic<bool> over{false};
    std::atomic<double> lastChange{0};
    const double begun = nowMs();
    std::thread storm([&] {
        for (int i = 0; i < kStormFiles; ++i) makeFile(folder + L"\\" + numberedName(L"s", i, L".tmp"));
        for (int i = 0; i < kStormFiles; ++i) DeleteFileW((folder + L"\\" + numberedName(L"s", i, L".tmp")).c_str());
        lastChange = nowMs();
        over = true;
    });
    const std::vector<double> latencies =
        pressDownWhile(app, *pane, [&] { return !over.load(); }, kKeyEveryMs, kKeptFiles);
    storm.join();

    const bool settled = pumpUntil(app, [&] { return listsExactly(pane->listing(), kept); }, lastChange + 60000);
    const double settleMs = nowMs() - lastChange;
    // The yardstick: one raw pass over the folder as it is (the median of seven).
    std::vector<double> rawMs;
    for (int i = 0; i < kRounds; ++i) {
        const double start = nowMs();
        rawPass(folder);
        rawMs.push_back(nowMs() - start);
    }
    const double raw = summarise(rawMs).median;

    if (options.wants(keyFigure)) {
        char remark[160];
        std::snprintf(remark, sizeof remark, "Down every %.0f ms while %d files were made and deleted in %.0f ms",
                      kKeyEveryMs, kStormFiles, lastChange - begun);
        printKeyLatencies(keyFigure + " " + std::to_string(kKeptFiles), latencies, kKeyP95GoalMs, kKeyMaxGoalMs,
                          remark);
    }
    if (options.wants(settleFigure)) {
        std::printf("%s %d: %.1f ms from the last change to the listing of the folder as it is%s  [raw pass %.2f ms; "
                    "%s]\n",
                    settleFigure.c_str(), kKeptFiles, settleMs, settled ? "" : " (never came: timed out)", raw,
                    goalRemark(settled ? settleMs : 1e9, raw + kSettleOverRawGoalMs, " ms (raw pass + 300 ms)").c_str());
        std::fflush(stdout);
    }
}

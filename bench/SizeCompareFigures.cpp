// Figures of the folder sizes and the two panes' compare: sizing a tree of 100,000 entries in 10,000
// folders against one raw recursive walk over it, and the compare of 100,000 against 100,000 entries.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "fileops/FolderSize.h"
#include "listing/FileList.h"
#include "pane/CompareRun.h"
#include <cstdio>

namespace {
constexpr double kSizeSpeedShare = 0.9;  // the sizes take at most 1 / 0.9 of the raw walk
constexpr double kCompareMs = 50;
constexpr double kContentSpeedShare = 0.8;

// A compare by content of `left` against `right` on its own thread, as the pane runs it: the names
// it marks on the left.
size_t compareContent(HWND window, const std::wstring& left, const std::wstring& right) {
    CompareRun run;
    if (!run.start(window, WM_APP, {left, L""}, {right, L""}, CompareBy::Content, false)) return 0;
    while (run.running()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        MSG msg;
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {}
    }
    const std::optional<CompareOutcome> outcome = run.take();
    return outcome ? outcome->left.size() : 0;
}
}  // namespace

void runSizeCompareFigures(const BenchOptions& options) {
    if (options.wants("folder sizes")) {
        const std::wstring tree = treeFolder(options.dataRoot);
        int entries = 0;
        FolderTally tally;
        const std::atomic<bool> noStop{false};
        const Comparison t = compareRounds({{}, [&] { entries = rawTreeWalk(tree); }}, {{}, [&] {
                                               CountedFiles counted;
                                               tally = tallyFolder(tree, counted, noStop);
                                           }});
        char remark[160];
        std::snprintf(remark, sizeof remark, "(%llu files, %llu bytes) %s", static_cast<unsigned long long>(tally.files),
                      static_cast<unsigned long long>(tally.bytes), goalRemark(t.ratio, 1.0 / kSizeSpeedShare, "x raw").c_str());
        printFigure("folder sizes of a tree", entries, t, remark);
    }
    if (options.wants("compare")) {
        FileList left, right;
        left.scan(largestFolder(options.dataRoot), L"");
        right.scan(largestFolder(options.dataRoot), L"");
        // Every other file newer on the right, so half the entries are marked.
        for (int i = 0; i < right.size(); i += 2) right.at(i).writeTime += 600000000ull;
        size_t marked = 0;
        const Comparison t = compareWithRawPass(largestFolder(options.dataRoot), [&] {
            marked = compareListings(left.entries(), right.entries(), {}).right.size();
        });
        printFigure("compare by time and size", left.size() - 1, t,
                    countRemark(static_cast<int>(marked), "marked") + " " + goalRemark(t.figure.median, kCompareMs, " ms"));
    }
    if (options.wants("compare by content")) {
        const std::wstring left = copyFolder(options.dataRoot, L"copy1000");
        const std::wstring right = copyFolder(options.dataRoot, L"copy1000b");
        // The run's progress notes go to a window of this thread that no one sees.
        const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        size_t marked = 0;
        const Comparison t = compareRounds({{}, [&] {
                                               rawReadFiles(left);
                                               rawReadFiles(right);
                                           }},
                                           {{}, [&] { marked = compareContent(window, left, right); }});
        DestroyWindow(window);
        const double share = t.ratio > 0 ? 1 / t.ratio : 0;
        char remark[160];
        std::snprintf(remark, sizeof remark, "(%zu marked) %.3f of a raw read of both sides (goal >= %.2f: %s)", marked,
                      share, kContentSpeedShare, share >= kContentSpeedShare ? "met" : "missed");
        printFigure("compare by content of 1000 files of 1 MB", 1000, t, remark);
    }
}

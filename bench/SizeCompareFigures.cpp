// Figures of the folder sizes and the two panes' compare: sizing a tree of 100,000 entries in 10,000
// folders against one raw recursive walk over it, and the compare of 100,000 against 100,000 entries.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "fileops/FolderSize.h"
#include "listing/FileList.h"
#include "pane/CompareRules.h"
#include <cstdio>

namespace {
constexpr double kSizeSpeedShare = 0.9;  // the sizes take at most 1 / 0.9 of the raw walk
constexpr double kCompareMs = 50;
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
}

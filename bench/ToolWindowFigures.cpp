// The pane's tools in the running window: how soon a search's first result is on screen after the
// search found it, and the keys of the other pane while a search or the folder sizes run.
#include "bench/BenchFolders.h"
#include "bench/BenchWindow.h"
#include "find/FolderSearch.h"
#include "resource.h"
#include <algorithm>
#include <cstdio>

namespace {
constexpr double kFirstResultGoalMs = 100;
constexpr double kKeyGoalMs = 100;
constexpr int kFirstResultRounds = 20;

FindQuery everyName() {
    FindQuery query;
    query.maskText = L"*";
    return query;
}

// Down every 50 ms in the left pane while `whileBusy` holds for what `start` set going in the right.
void keysWhile(CVantorApp& app, CVantorView& left, const BenchFolder& keyFolder, const std::string& name,
               const std::function<void()>& start, const std::function<bool()>& whileBusy) {
    const double begun = nowMs();
    start();
    const std::vector<double> latencies = pressDownWhile(app, left, whileBusy, 50, keyFolder.entries);
    char remark[128];
    std::snprintf(remark, sizeof remark, "Down every 50 ms in the other pane; it ran %.0f ms", nowMs() - begun);
    printKeyLatencies(name, latencies, kKeyGoalMs, kKeyGoalMs * 4, remark);
}
}  // namespace

void runToolWindowFigures(const BenchOptions& options) {
    const std::string firstResult = "first search result shown";
    const std::string duringSearch = "key during a search";
    const std::string duringSizes = "key during folder sizes";
    if (!options.wants(firstResult) && !options.wants(duringSearch) && !options.wants(duringSizes)) return;
    RunningProgram program(options);
    CVantorApp& app = program.app();
    CVantorView* left = program.pane(0);
    CVantorView* right = program.pane(1);
    if (!left || !right) return;
    const BenchFolder keyFolder = benchFolders(options.dataRoot).front();
    left->changeFolder(keyFolder.path, false);
    settle(app, *left);
    right->changeFolder(treeFolder(options.dataRoot), false);
    settle(app, *right);

    // From the search thread's first find to the pane showing it, with nothing of it left to paint.
    if (options.wants(firstResult)) {
        std::vector<double> delays, starts;
        for (int round = 0; round < kFirstResultRounds; ++round) {
            const double started = nowMs();
            if (!right->startSearch(everyName())) break;
            const HWND window = right->hwnd();
            pumpUntil(app, [&] {
                return right->search() && right->search()->firstFoundAt() != 0 && right->listing().count() > 0 &&
                       !GetUpdateRect(window, nullptr, FALSE);
            }, nowMs() + 5000);
            if (right->search() && right->listing().count() > 0) {
                delays.push_back(nowMs() - counterMs(right->search()->firstFoundAt()));
                starts.push_back(counterMs(right->search()->firstFoundAt()) - started);
            }
            right->stopSearch();
            drain(app);
        }
        const double p95 = percentile(delays, 0.95);
        std::printf("%s: 95th percentile %.1f ms (%s), max %.1f ms  (%zu searches of every name in the "
                    "100,000-entry tree, from the search thread's first find to the pane painted; the first find "
                    "came %.1f ms after the start, median)\n",
                    firstResult.c_str(), p95, goalRemark(p95, kFirstResultGoalMs, " ms").c_str(),
                    delays.empty() ? 0 : *std::max_element(delays.begin(), delays.end()), delays.size(),
                    percentile(starts, 0.5));
        std::fflush(stdout);
    }
    if (options.wants(duringSearch)) {
        keysWhile(app, *left, keyFolder, duringSearch + " of a tree of 100000 entries (every name)",
                  [&] { right->startSearch(everyName()); }, [&] { return right->searching(); });
        right->changeFolder(millionFolder(options.dataRoot), false);
        settle(app, *right);
        keysWhile(app, *left, keyFolder, duringSearch + " of 1000000 entries (every name)",
                  [&] { right->startSearch(everyName()); }, [&] { return right->searching(); });
        right->changeFolder(treeFolder(options.dataRoot), false);
        settle(app, *right);
    }
    if (options.wants(duringSizes)) {
        keysWhile(app, *left, keyFolder, duringSizes + " of a tree of 100000 entries (every folder)",
                  [&] { right->onCmdMsg(ID_TOOL_DIR_SIZE_ALL, CommandMode::Execute, nullptr); },
                  [&] { return right->toolRunning(); });
    }
    right->changeFolder(emptyFolder(options.dataRoot), false);
    settle(app, *right);
}

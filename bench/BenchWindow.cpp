#include "bench/BenchWindow.h"
#include "app/MainFrame.h"
#include "bench/BenchFolders.h"
#include <algorithm>
#include <cstdio>

namespace {
const std::wstring& enteredEmptyFolder(const BenchOptions& options) {
    SetCurrentDirectoryW(emptyFolder(options.dataRoot).c_str());
    return options.settingsPath;
}
}  // namespace

RunningProgram::RunningProgram(const BenchOptions& options) : app_(enteredEmptyFolder(options)) {
    if (app_.InitInstance()) frame_ = dynamic_cast<CMainFrame*>(app_.mainWindow());
}

RunningProgram::~RunningProgram() {
    if (frame_) DestroyWindow(frame_->hwnd());
    drain(app_);
}

CVantorView* RunningProgram::pane(int column) const { return frame_ ? frame_->paneInColumn(column) : nullptr; }

void drain(CVantorApp& app) {
    while (app.pumpMessage()) {
    }
}

void settle(CVantorApp& app, const CVantorView& pane) {
    drain(app);
    while (pane.busy()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        drain(app);
    }
}

bool pumpUntil(CVantorApp& app, const std::function<bool()>& done, double untilMs) {
    for (;;) {
        if (done()) return true;
        if (nowMs() >= untilMs) return false;
        if (!app.pumpMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void holdCtrl(CVantorApp& app, HWND pane, bool held) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    if (((state[VK_CONTROL] & 0x80) != 0) == held) return;
    state[VK_CONTROL] = held ? 0x80 : 0;
    SetKeyboardState(state);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(pane, held ? WM_KEYDOWN : WM_KEYUP, VK_CONTROL, held ? (1 | scan) : (1 | scan | (3u << 30)));
    drain(app);
}

void press(CVantorApp& app, HWND pane, WORD key, bool ctrl) {
    holdCtrl(app, pane, ctrl);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(pane, WM_KEYDOWN, key, 1 | scan);
    drain(app);
    PostMessageW(pane, WM_KEYUP, key, 1 | scan | (1u << 30) | (1u << 31));
    drain(app);
}

namespace {
std::wstring cursorName(const CVantorView& pane) {
    const FileEntry* entry = pane.listing().cursorEntry();
    return entry ? entry->name() : L"";
}

int linesDrawn(const CVantorView& pane) {
    const PaintCounters& c = pane.paintCounters();
    return c.linesPainted + c.linesRedrawn;
}
}  // namespace

double downKeyLatency(CVantorApp& app, CVantorView& pane, double timeoutMs) {
    const HWND window = pane.hwnd();
    const std::wstring before = cursorName(pane);
    const int drawnBefore = linesDrawn(pane);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_DOWN, MAPVK_VK_TO_VSC)) << 16;
    const double posted = nowMs();
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1 | scan);
    PostMessageW(window, WM_KEYUP, VK_DOWN, 1 | scan | (1u << 30) | (1u << 31));
    const bool shown = pumpUntil(app, [&] {
        return linesDrawn(pane) != drawnBefore && cursorName(pane) != before && !GetUpdateRect(window, nullptr, FALSE);
    }, posted + timeoutMs);
    return shown ? nowMs() - posted : timeoutMs;
}

std::vector<double> pressDownWhile(CVantorApp& app, CVantorView& keyPane, const std::function<bool()>& whileBusy,
                                   double everyMs, int lastLine) {
    std::vector<double> latencies;
    double next = nowMs();
    for (;;) {
        pumpUntil(app, [&] { return !whileBusy(); }, next);
        if (!whileBusy()) break;
        if (keyPane.listing().cursor() >= lastLine) keyPane.setCursor(0);
        next = nowMs() + everyMs;
        latencies.push_back(downKeyLatency(app, keyPane, 5000));
    }
    return latencies;
}

void printKeyLatencies(const std::string& name, const std::vector<double>& latencies, double p95Goal, double maxGoal,
                       const std::string& remark) {
    const double p95 = percentile(latencies, 0.95);
    const double max = latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
    std::printf("%s: 95th percentile %.1f ms (%s), max %.1f ms (%s)  (%zu keys measured%s%s)\n", name.c_str(), p95,
                goalRemark(p95, p95Goal, " ms").c_str(), max, goalRemark(max, maxGoal, " ms").c_str(),
                latencies.size(), remark.empty() ? "" : "; ", remark.c_str());
    std::fflush(stdout);
}

void timedInPane(const BenchOptions& options, CVantorView& pane, const std::string& name,
                 const std::function<void()>& before, const std::function<void()>& run, int rounds, double goalMs) {
    if (!options.wants(name)) return;
    int lines = 0, runs = 0;
    const Comparison t = compareWithRawPass(pane.folder(), [&] {
        const int drawn = linesDrawn(pane);
        run();
        lines += linesDrawn(pane) - drawn;
        ++runs;
    }, before, rounds);
    std::string remark = countRemark((lines + runs / 2) / runs, "lines drawn per run");
    if (goalMs > 0) remark.append("  ").append(goalRemark(t.figure.median, goalMs, " ms"));
    printFigure(name, pane.listing().count() - 1, t, remark);
}

// Driving the running program's main window from the benchmark: its message loop, the read of a
// pane's folder on the worker thread, keys as the keyboard delivers them, and figures timed in a
// pane.
#pragma once
#include "app/VantorApp.h"
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "pane/VantorView.h"
#include <functional>
#include <string>
#include <vector>

class CMainFrame;

// The program's main window, made in this process with the benchmark's settings file, the process
// in the empty data folder; closed when it goes.
class RunningProgram {
public:
    explicit RunningProgram(const BenchOptions& options);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    CVantorApp& app() { return app_; }
    // The pane in `column` (0 left, 1 right); null when the window could not be made.
    CVantorView* pane(int column) const;

private:
    CVantorApp app_;
    CMainFrame* frame_ = nullptr;
};

// Handles every message waiting.
void drain(CVantorApp& app);
// Runs the message loop until the pane's read of its folder (on a worker thread) is shown.
void settle(CVantorApp& app, const CVantorView& pane);
// Runs the message loop, resting while it is empty, until `done` holds (checked before the first
// message and after each) or the clock (nowMs) reaches `untilMs`; whether `done` held.
bool pumpUntil(CVantorApp& app, const std::function<bool()>& done, double untilMs);
// Ctrl pressed or released as a keystroke of its own, as a hand does it before and after a Ctrl
// key (the function-key bar relabels then); nothing when it already is so.
void holdCtrl(CVantorApp& app, HWND pane, bool held);
// A key press and release as the keyboard would deliver them to the pane, with Ctrl first pressed
// or released as asked (and left so).
void press(CVantorApp& app, HWND pane, WORD key, bool ctrl = false);
// Posts Down to the pane and runs the message loop until its cursor is on another entry and nothing
// of the pane is left to paint: the milliseconds from the key to then, or `timeoutMs` when that
// did not come within it.
double downKeyLatency(CVantorApp& app, CVantorView& pane, double timeoutMs);

// Presses Down in `keyPane` every `everyMs` (or at once after a key slower than that) until
// `whileBusy` no longer holds, its cursor going back to the top once it reaches `lastLine`; each
// key's downKeyLatency.
std::vector<double> pressDownWhile(CVantorApp& app, CVantorView& keyPane, const std::function<bool()>& whileBusy,
                                   double everyMs, int lastLine);
// "<name>: 95th percentile <ms> (goal), max <ms> (goal)  (<n> keys measured; <remark>)".
void printKeyLatencies(const std::string& name, const std::vector<double>& latencies, double p95Goal, double maxGoal,
                       const std::string& remark);

// Times `run` against a raw pass over the pane's folder, with `before` untimed ahead of each run,
// and prints it with the lines the pane drew per run and, when `goalMs` is above 0, that goal for
// the median.
void timedInPane(const BenchOptions& options, CVantorView& pane, const std::string& name,
                 const std::function<void()>& before, const std::function<void()>& run, int rounds = kRounds,
                 double goalMs = 0);

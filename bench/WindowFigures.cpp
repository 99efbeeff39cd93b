// Figures of the running program's left pane on 100,000 entries: painting a screen, moving the
// cursor, the keys that touch every entry, and a key typed into the quick search line, pressed
// through the program's own message loop; and on 1,000,000 entries, the keys that touch every entry
// and the keys of the other pane while that folder is being read.
#include "bench/BenchFolders.h"
#include "bench/BenchWindow.h"
#include <cwchar>

namespace {
constexpr double kQuickSearchGoalMs = 20;
constexpr double kMillionMarkGoalMs = 50;
constexpr double kKeyDuringReadGoalMs = 100;

// The keys that mark, toggle or clear every entry of the pane, each run from a state it changes.
// Each is timed alone: pressing or releasing Ctrl is a keystroke of its own, made before.
void markKeyFigures(const BenchOptions& options, CVantorApp& app, CVantorView& pane, int rounds, double goalMs) {
    const HWND window = pane.hwnd();
    timedInPane(options, pane, "mark all (Home)", [&] {
        press(app, window, VK_END, true);
        holdCtrl(app, window, false);
    }, [&] { press(app, window, VK_HOME); }, rounds, goalMs);
    timedInPane(options, pane, "toggle marks (End)", [] {}, [&] { press(app, window, VK_END); }, rounds, goalMs);
    timedInPane(options, pane, "clear marks (Ctrl+End)", [&] {
        press(app, window, VK_HOME);
        holdCtrl(app, window, true);
    }, [&] { press(app, window, VK_END, true); }, rounds, goalMs);
    holdCtrl(app, window, false);
}
}  // namespace


void runWindowFigures(const BenchOptions& options) {
    RunningProgram program(options);
    CVantorApp& app = program.app();
    CVantorView* pane = program.pane(0);
    if (!pane) return;
    pane->changeFolder(largestFolder(options.dataRoot), false);
    settle(app, *pane);
    const HWND window = pane->hwnd();

    const auto timed = [&](const std::string& name, std::function<void()> before, std::function<void()> run,
                           double goalMs = 0) { timedInPane(options, *pane, name, before, run, kRounds, goalMs); };
    const auto nothing = [] {};

    timed("paint one screen", nothing, [&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    timed("cursor move (Down)", nothing, [&] { press(app, window, VK_DOWN); });
    markKeyFigures(options, app, *pane, kRounds, 0);
    timed("five End presses", nothing, [&] {
        for (int i = 0; i < 5; ++i) press(app, window, VK_END);
    });
    timed("refresh half marked (F5)", [&] {
        press(app, window, VK_END, true);
        holdCtrl(app, window, false);
        for (int i = 0; i < pane->listing().list().size(); i += 2) pane->listing().list().setMark(i, MarkMode::Mark);
    }, [&] {
        // Until the new listing is shown, as the user sees it: the read itself is on a worker thread.
        press(app, window, VK_F5);
        settle(app, *pane);
    });

    // One key typed into the open quick search line: the search over the listing from the top,
    // the cursor move and what it redraws. With no match every name is looked at; the match at the
    // end is the longest walk that still moves the cursor, a whole screen away.
    if (options.wants("quick search")) {
        pane->listing().applySort(1, 0);  // by name, so "e0099999.txt" is the last entry
        drain(app);
        press(app, window, VK_OEM_2);
        QuickSearchLine& search = pane->quickSearch();
        const HWND edit = search.edit();
        const auto startWith = [&](const wchar_t* text) {
            SetWindowTextW(edit, text);
            const auto end = static_cast<WPARAM>(wcslen(text));
            SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
            pane->setCursor(0);
            drain(app);
        };
        timed("quick search key, no match", [&] { startWith(L""); }, [&] { press(app, edit, 'Q'); },
              kQuickSearchGoalMs);
        timed("quick search key, match at the end", [&] { startWith(L"e009999"); }, [&] { press(app, edit, '9'); },
              kQuickSearchGoalMs);
        if (search.isOpen()) search.close(false);
    }
}

void runMillionWindowFigures(const BenchOptions& options) {
    const std::string duringRead = "key during a read of 1000000 entries";
    if (!options.wants(duringRead) && !options.wants("mark all (Home)") && !options.wants("toggle marks (End)") &&
        !options.wants("clear marks (Ctrl+End)"))
        return;
    RunningProgram program(options);
    CVantorApp& app = program.app();
    CVantorView* left = program.pane(0);
    CVantorView* right = program.pane(1);
    if (!left || !right) return;
    const std::wstring million = millionFolder(options.dataRoot);

    // The right pane reads the folder on its worker thread while Down is pressed in the left one,
    // the active pane, until the right pane shows what it read: its own part on this thread, taking
    // over the entries read, is among what the keys wait for.
    if (options.wants(duringRead)) {
        const BenchFolder keyFolder = benchFolders(options.dataRoot).front();
        left->changeFolder(keyFolder.path, false);
        settle(app, *left);
        const double begun = nowMs();
        right->changeFolder(million, false);
        const std::vector<double> latencies =
            pressDownWhile(app, *left, [&] { return right->busy(); }, 50, keyFolder.entries);
        char remark[128];
        std::snprintf(remark, sizeof remark, "Down every 50 ms in the other pane; the read shown after %.0f ms",
                      nowMs() - begun);
        printKeyLatencies(duringRead, latencies, kKeyDuringReadGoalMs, kKeyDuringReadGoalMs, remark);
        right->changeFolder(emptyFolder(options.dataRoot), false);
        settle(app, *right);
    }
    // A raw pass over 1,000,000 entries takes seconds under Wine: fewer rounds.
    left->changeFolder(million, false);
    settle(app, *left);
    markKeyFigures(options, app, *left, kMillionRounds, kMillionMarkGoalMs);
}

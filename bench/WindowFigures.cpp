// Figures of the running program's left pane on 100,000 entries: painting a screen, moving the
// cursor, the keys that touch every entry, and a key typed into the quick search line, pressed
// through the program's own message loop.
#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "pane/VantorView.h"
#include <cwchar>

namespace {
void drain(CVantorApp& app) {
    while (app.pumpMessage()) {
    }
}

// Runs the message loop until the pane's read of its folder (on a worker thread) is shown.
void settle(CVantorApp& app, const CVantorView& pane) {
    drain(app);
    while (pane.busy()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        drain(app);
    }
}

// A key press and release as the keyboard would deliver them to the pane, Ctrl held when asked.
void press(CVantorApp& app, HWND pane, WORD key, bool ctrl = false) {
    BYTE saved[256] = {}, held[256] = {};
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(held);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(pane, WM_KEYDOWN, key, 1 | scan);
    drain(app);
    PostMessageW(pane, WM_KEYUP, key, 1 | scan | (1u << 30) | (1u << 31));
    drain(app);
    SetKeyboardState(saved);
}

}  // namespace

void runWindowFigures(const BenchOptions& options) {
    const std::wstring folder = largestFolder(options.dataRoot);
    SetCurrentDirectoryW(emptyFolder(options.dataRoot).c_str());
    CVantorApp app(options.settingsPath);
    if (!app.InitInstance()) return;
    auto* frame = dynamic_cast<CMainFrame*>(app.mainWindow());
    CVantorView* pane = frame ? frame->paneInColumn(0) : nullptr;
    if (!pane) return;
    pane->changeFolder(folder, false);
    settle(app, *pane);
    const HWND window = pane->hwnd();
    const int entries = pane->listing().count() - 1;

    // Times `run` against a raw pass, with `before` untimed ahead of each run, and counts the
    // lines the pane drew during the timed runs.
    const auto timed = [&](const std::string& name, std::function<void()> before, std::function<void()> run) {
        if (!options.wants(name)) return;
        int lines = 0, runs = 0;
        const Comparison t = compareWithRawPass(folder, [&] {
            const PaintCounters c0 = pane->paintCounters();
            run();
            const PaintCounters& c1 = pane->paintCounters();
            lines += c1.linesPainted - c0.linesPainted + c1.linesRedrawn - c0.linesRedrawn;
            ++runs;
        }, before);
        printFigure(name, entries, t, countRemark((lines + runs / 2) / runs, "lines drawn per run"));
    };
    const auto nothing = [] {};

    timed("paint one screen", nothing, [&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    timed("cursor move (Down)", nothing, [&] { press(app, window, VK_DOWN); });
    timed("mark all (Home)", [&] { press(app, window, VK_END, true); }, [&] { press(app, window, VK_HOME); });
    timed("toggle marks (End)", nothing, [&] { press(app, window, VK_END); });
    timed("five End presses", nothing, [&] {
        for (int i = 0; i < 5; ++i) press(app, window, VK_END);
    });
    timed("clear marks (Ctrl+End)", [&] { press(app, window, VK_HOME); }, [&] { press(app, window, VK_END, true); });
    timed("refresh half marked (F5)", [&] {
        press(app, window, VK_END, true);
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
        timed("quick search key, no match", [&] { startWith(L""); }, [&] { press(app, edit, 'Q'); });
        timed("quick search key, match at the end", [&] { startWith(L"e009999"); }, [&] { press(app, edit, '9'); });
        if (search.isOpen()) search.close(false);
    }

    DestroyWindow(frame->hwnd());
    drain(app);
}

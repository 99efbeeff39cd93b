// Figures of the running program's left pane on 100,000 entries: painting a screen, moving the
// cursor, and the keys that touch every entry, pressed through the program's own message loop.
#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "pane/VantorView.h"

namespace {
void drain(CVantorApp& app) {
    while (app.pumpMessage()) {
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
    drain(app);
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
    }, [&] { press(app, window, VK_F5); });

    DestroyWindow(frame->hwnd());
    drain(app);
}

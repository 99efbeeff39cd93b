// The main window moved between screens of other dots per inch: it takes the rectangle the system
// proposes, and the list font, the bar between the panes and the bars below them scale with it,
// and come back exactly when it moves back.
#include "support/RunningProgram.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
int heightOf(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc.bottom - rc.top;
}

struct Scale {
    int line, gap, buttons, status;
};
}  // namespace

TEST(DpiScale, TheWindowTakesTheProposedRectangleAndEverythingScalesWithIt) {
    TempFolder dir;
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    HWND frame = program.frameWindow();
    HWND status = GetDlgItem(frame, ID_VIEW_STATUS_BAR);
    ASSERT_NE(status, nullptr);
    const auto measure = [&] {
        RECT left{}, right{};
        GetWindowRect(program.pane(0).hwnd(), &left);
        GetWindowRect(program.pane(1).hwnd(), &right);
        return Scale{program.pane(0).lineHeight(), static_cast<int>(right.left - left.right),
                     heightOf(program.frame().buttonBar().hwnd()), heightOf(status)};
    };
    const UINT start = program.app().listFont().dpi();
    const Scale before = measure();

    const struct { UINT dpi; RECT proposed; } moves[] = {
        {start * 2, {40, 30, 40 + 1000, 30 + 700}},
        {start, {60, 50, 60 + 800, 50 + 600}},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.dpi);
        SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(m.dpi, m.dpi), reinterpret_cast<LPARAM>(&m.proposed));
        program.pump(50);
        RECT now{};
        GetWindowRect(frame, &now);
        EXPECT_TRUE(EqualRect(&now, &m.proposed)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
        const Scale after = measure();
        if (m.dpi == start) {
            EXPECT_EQ(after.line, before.line);
            EXPECT_EQ(after.gap, before.gap);
            EXPECT_EQ(after.buttons, before.buttons);
            EXPECT_EQ(after.status, before.status);
        } else {
            // Twice the scale: a font's height is not exactly twice, so within a pixel or two.
            EXPECT_NEAR(after.line, 2 * before.line, 3);
            EXPECT_EQ(after.gap, 2 * before.gap);
            EXPECT_NEAR(after.buttons, 2 * before.buttons, 1);
            EXPECT_GT(after.status, before.status * 3 / 2);
        }
    }
    // What is stored does not change with the screen.
    EXPECT_EQ(program.app().listFont().logFont().lfHeight, 12 * static_cast<int>(start) / 96);
}

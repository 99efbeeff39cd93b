// The panes under the system's high-contrast mode: drawn in the system's colours while it is on,
// in the stored ones again once it is off, and the stored colours never touched. Wine cannot turn
// the mode on, so the test answers the question itself and announces the change as the system
// does, with WM_SETTINGCHANGE.
#include "pane/PaneColours.h"
#include "support/RunningProgram.h"
#include <gtest/gtest.h>

namespace {
bool contrastOn = false;

// The colour drawn in the empty listing area of a pane, well below its last line.
COLORREF listingBackground(HWND pane) {
    RECT client{};
    GetClientRect(pane, &client);
    HDC dc = GetDC(pane);
    const COLORREF colour = GetPixel(dc, client.right / 2, client.bottom - 4);
    ReleaseDC(pane, dc);
    return colour;
}
}  // namespace

TEST(HighContrast, PanesTakeTheSystemColoursWhileItIsOnAndTheStoredOnesAfter) {
    TempFolder dir;
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    answerHighContrastWith([] { return contrastOn; });
    const COLORREF stored = program.frame().paneSettings().backColor;
    const COLORREF system = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(stored, system);
    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        contrastOn = on;
        SendMessageW(program.frameWindow(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        for (int column : {0, 1}) {
            HWND pane = program.pane(column).hwnd();
            EXPECT_TRUE(program.pumpUntil([&] { return listingBackground(pane) == (on ? system : stored); }))
                << std::hex << listingBackground(pane);
        }
    }
    answerHighContrastWith(nullptr);
    EXPECT_EQ(program.frame().paneSettings().backColor, stored);
}

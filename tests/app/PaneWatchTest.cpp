#include "support/RunningProgram.h"
#include <gtest/gtest.h>

// The panes follow changes made to their folders by anyone, with no key pressed.
TEST(PaneWatch, AFileMadeOutsideAppearsAndAMarkSurvivesTheReRead) {
    TempFolder dir;
    dir.writeFile(L"kept.txt", "x");
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    CVantorView& pane = program.pane(0);
    const auto position = [&](const wchar_t* name) { return pane.listing().index().findName(name, 0); };
    pane.listing().list().setMark(pane.listing().index().positionAt(position(L"kept.txt")), MarkMode::Mark);

    dir.writeFile(L"appeared.txt", "x");
    for (int i = 0; i < 30 && position(L"appeared.txt") < 0; ++i) program.pump(100);
    ASSERT_GE(position(L"appeared.txt"), 0);
    EXPECT_TRUE(pane.listing().index().entryAt(position(L"kept.txt"))->isMarked());
    EXPECT_FALSE(pane.watcher().posted());
}

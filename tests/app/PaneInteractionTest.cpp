#include "pane/PaneGeometry.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
// A folder of nine files: with ".." the pane lists ten entries, file0.txt .. file8.txt in name order.
class PaneInteraction : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 9; ++i) dir.writeFile(L"file" + std::to_wstring(i) + L".txt", "x");
        ASSERT_TRUE(program.start(dir.path()));
        // Tall enough for every entry to be on screen.
        MoveWindow(program.frameWindow(), 0, 0, 800, 900, TRUE);
        pumpMessagesFor(50);
        ASSERT_EQ(left().listing().count(), 10);
    }
    CVantorView& left() { return program.pane(0); }
    CVantorView& right() { return program.pane(1); }
    const FileList& list() { return left().listing().list(); }
    bool marked(int position) { return left().listing().index().entryAt(position)->isMarked(); }

    // Client y in the middle of a listing line.
    int yOfLine(int position) {
        const int h = left().lineHeight();
        return pane_geometry::listingTop(h) + (position - left().firstVisible()) * h + h / 2;
    }
    void mouse(UINT message, int y, WPARAM keys = 0) { SendMessageW(left().hwnd(), message, keys, MAKELPARAM(10, y)); }
    void click(int position, WPARAM keys = 0) {
        mouse(WM_LBUTTONDOWN, yOfLine(position), MK_LBUTTON | keys);
        mouse(WM_LBUTTONUP, yOfLine(position), keys);
    }

    TempFolder dir;
    RunningProgram program;
};
}  // namespace

TEST_F(PaneInteraction, PagingAndEndsStopAtTheListing) {
    ASSERT_GE(left().rowsPerPage(), 10);
    program.command(ID_UI_PAGE_DOWN);
    EXPECT_EQ(left().listing().cursor(), 9);
    program.command(ID_UI_LINE_DOWN);
    EXPECT_EQ(left().listing().cursor(), 9);
    program.command(ID_UI_PAGE_UP);
    EXPECT_EQ(left().listing().cursor(), 0);
    program.command(ID_UI_LINE_UP);
    EXPECT_EQ(left().listing().cursor(), 0);
    program.command(ID_UI_CUR_BOTTOM);
    EXPECT_EQ(left().listing().cursor(), 9);
    program.command(ID_UI_CUR_TOP);
    EXPECT_EQ(left().listing().cursor(), 0);
    EXPECT_EQ(right().listing().cursor(), 0);  // only the active pane moves
}

TEST_F(PaneInteraction, AnEmptyListingHasNoCursorWhateverTheCommand) {
    left().listing().setFolder(dir / L"gone");
    left().listing().loadFolder();
    left().setCursor(0);
    ASSERT_EQ(left().listing().count(), 0);
    for (UINT id : {ID_UI_CUR_BOTTOM, ID_UI_CUR_TOP, ID_UI_LINE_DOWN, ID_UI_PAGE_DOWN, ID_UI_MARK_DOWN}) {
        program.command(id);
        EXPECT_EQ(left().listing().cursor(), -1) << id;
    }
    EXPECT_TRUE(left().collectTargets().empty());
}

TEST_F(PaneInteraction, MarkDownMarksAndMovesButNotOnTheParentEntry) {
    program.command(ID_UI_MARK_DOWN);  // on ".."
    EXPECT_EQ(left().listing().cursor(), 0);
    EXPECT_EQ(list().markedCount(), 0);
    program.command(ID_UI_LINE_DOWN);
    program.command(ID_UI_MARK_DOWN);
    program.command(ID_UI_MARK_DOWN);
    EXPECT_EQ(left().listing().cursor(), 3);
    EXPECT_TRUE(marked(1) && marked(2));
    program.command(ID_UI_LINE_UP);
    program.command(ID_UI_MARK);  // toggles off, the cursor stays
    EXPECT_EQ(left().listing().cursor(), 2);
    EXPECT_FALSE(marked(2));
    EXPECT_EQ(list().markedCount(), 1);
}

TEST_F(PaneInteraction, TargetsAreTheMarksOrTheCursorEntryAndNoneOnTheParent) {
    left().setCursor(4);
    ASSERT_EQ(left().collectTargets().size(), 1u);
    EXPECT_EQ(std::wstring(left().collectTargets()[0]->name()), L"file3.txt");
    left().markRange(6, 7);
    const auto targets = left().collectTargets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(std::wstring(targets[0]->name()), L"file5.txt");
    EXPECT_EQ(std::wstring(targets[1]->name()), L"file6.txt");
    left().setCursor(0);
    EXPECT_TRUE(left().collectTargets().empty());  // ".." even with marks
}

TEST_F(PaneInteraction, PlainClickOnAMarkedLineKeepsTheMarksUntilRelease) {
    left().markRange(2, 5);
    mouse(WM_LBUTTONDOWN, yOfLine(3), MK_LBUTTON);
    EXPECT_EQ(left().gesture(), MouseGesture::Click);
    EXPECT_EQ(left().listing().cursor(), 3);
    EXPECT_EQ(list().markedCount(), 4);  // kept for a drag
    mouse(WM_LBUTTONUP, yOfLine(3));
    EXPECT_EQ(list().markedCount(), 0);
    EXPECT_EQ(left().listing().cursor(), 3);
    EXPECT_EQ(left().gesture(), MouseGesture::Idle);

    left().markRange(2, 5);
    mouse(WM_LBUTTONDOWN, yOfLine(7), MK_LBUTTON);  // an unmarked line clears at once
    EXPECT_EQ(list().markedCount(), 0);
    mouse(WM_LBUTTONUP, yOfLine(7));
}

TEST_F(PaneInteraction, CtrlClickTogglesOneLineAndShiftClickMarksFromTheLastPlainClick) {
    click(2);
    click(5, MK_CONTROL);
    click(6, MK_CONTROL);
    EXPECT_TRUE(marked(5) && marked(6));
    EXPECT_FALSE(marked(2));
    click(5, MK_CONTROL);
    EXPECT_FALSE(marked(5));
    EXPECT_EQ(list().markedCount(), 1);

    click(4, MK_SHIFT);  // anchor 2: lines 2..4 and nothing else
    EXPECT_EQ(list().markedCount(), 3);
    EXPECT_TRUE(marked(2) && marked(3) && marked(4));
    EXPECT_FALSE(marked(6));
    EXPECT_EQ(left().anchor(), 2);
    click(1, MK_SHIFT);  // backwards from the same anchor
    EXPECT_EQ(list().markedCount(), 2);
    EXPECT_TRUE(marked(1) && marked(2));
}

TEST_F(PaneInteraction, PressingInTheHeaderOrBelowTheListMarksToTheTopOrToTheEnd) {
    mouse(WM_LBUTTONDOWN, 2, MK_LBUTTON);
    EXPECT_EQ(left().gesture(), MouseGesture::HeaderPress);
    EXPECT_EQ(GetCapture(), left().hwnd());
    mouse(WM_MOUSEMOVE, yOfLine(5), MK_LBUTTON);
    EXPECT_EQ(list().markedCount(), 5);  // 1..5; ".." never
    mouse(WM_LBUTTONUP, yOfLine(3));
    EXPECT_EQ(list().markedCount(), 3);
    EXPECT_TRUE(marked(3) && !marked(4));
    EXPECT_EQ(GetCapture(), nullptr);

    mouse(WM_LBUTTONDOWN, yOfLine(12), MK_LBUTTON);  // below the last line
    EXPECT_EQ(left().gesture(), MouseGesture::BelowPress);
    mouse(WM_LBUTTONUP, yOfLine(7));
    EXPECT_EQ(list().markedCount(), 3);  // 7..9, the earlier marks replaced
    EXPECT_TRUE(marked(7) && marked(9) && !marked(3));
    EXPECT_EQ(left().listing().cursor(), 0);  // marking by range leaves the cursor alone
}

TEST_F(PaneInteraction, MovingWithTheButtonDownOnALineEndsTheClick) {
    mouse(WM_LBUTTONDOWN, yOfLine(4), MK_LBUTTON);
    mouse(WM_MOUSEMOVE, yOfLine(6), MK_LBUTTON);
    EXPECT_EQ(left().gesture(), MouseGesture::Idle);
    mouse(WM_LBUTTONUP, yOfLine(6));
    EXPECT_EQ(left().listing().cursor(), 4);  // the release of a drag does not click
}

TEST_F(PaneInteraction, WheelTowardsTheUserMovesDownOneLinePerNotch) {
    left().setCursor(5);
    SendMessageW(left().hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(left().listing().cursor(), 6);
    SendMessageW(left().hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 3), 0);
    EXPECT_EQ(left().listing().cursor(), 3);
}

TEST_F(PaneInteraction, RightButtonPutsTheCursorOnTheLine) {
    mouse(WM_RBUTTONDOWN, yOfLine(6), MK_RBUTTON);
    EXPECT_EQ(left().listing().cursor(), 6);
    mouse(WM_RBUTTONDOWN, 2, MK_RBUTTON);  // the header moves nothing
    EXPECT_EQ(left().listing().cursor(), 6);
}

TEST_F(PaneInteraction, ActiveToggleMovesActivationAndTheCaptionFollows) {
    EXPECT_TRUE(left().isActive());
    right().listing().setFolder(dir / L"..");
    program.command(ID_UI_ACTIVE_TOGGLE);
    EXPECT_EQ(program.frame().activeView(), &right());
    EXPECT_TRUE(right().isActive());
    EXPECT_FALSE(left().isActive());
    EXPECT_NE(windowText(program.frameWindow()).find(dir / L".."), std::wstring::npos);
    program.command(ID_UI_ACTIVE_TOGGLE);
    EXPECT_TRUE(left().isActive());
    EXPECT_FALSE(right().isActive());
}

TEST_F(PaneInteraction, CursorMovementRedrawsTwoLinesAndPaintsNothing) {
    pumpMessagesFor(50);
    const PaintCounters before = left().paintCounters();
    program.command(ID_UI_LINE_DOWN);
    const PaintCounters after = left().paintCounters();
    EXPECT_EQ(after.linesRedrawn - before.linesRedrawn, 2);
    EXPECT_EQ(after.paints, before.paints);
}

TEST_F(PaneInteraction, APressEndsWhenTheMouseIsTakenAwaySoLaterMovesMarkNothing) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    const struct { const char* where; int y; bool cancelMode; } rows[] = {
        {"header, capture taken", 2, false}, {"below, capture taken", yOfLine(12), false},
        {"header, mode cancelled", 2, true}, {"below, mode cancelled", yOfLine(12), true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.where);
        mouse(WM_LBUTTONDOWN, r.y, MK_LBUTTON);
        ASSERT_EQ(GetCapture(), left().hwnd());
        if (r.cancelMode) SendMessageW(left().hwnd(), WM_CANCELMODE, 0, 0);
        else SetCapture(other);
        EXPECT_EQ(left().gesture(), MouseGesture::Idle);
        mouse(WM_MOUSEMOVE, yOfLine(5));  // no button held
        EXPECT_EQ(list().markedCount(), 0);
        ReleaseCapture();
    }
    DestroyWindow(other);
}

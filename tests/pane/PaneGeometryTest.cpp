#include "pane/PaneGeometry.h"
#include <windows.h>
#include <gtest/gtest.h>

using namespace pane_geometry;

// Line height 16: the header takes 2 x 16 + 2 = 34 pixels.
TEST(PaneGeometry, RowsAndHitsBelowTheTwoHeaderLines) {
    EXPECT_EQ(rowsPerPage(34 + 25 * 16, 16), 25);
    EXPECT_EQ(rowsPerPage(34 + 25 * 16 + 15, 16), 25);  // a partial row does not count
    EXPECT_EQ(rowsPerPage(20, 16), 0);                  // shorter than the header

    EXPECT_EQ(hitTest(0, 16, 0, 10), kHeaderHit);
    EXPECT_EQ(hitTest(33, 16, 0, 10), kHeaderHit);
    EXPECT_EQ(hitTest(34, 16, 0, 10), 0);
    EXPECT_EQ(hitTest(34 + 16, 16, 0, 10), 1);
    EXPECT_EQ(hitTest(34 + 16, 16, 5, 10), 6);            // scrolled by five
    EXPECT_EQ(hitTest(34 + 9 * 16 + 15, 16, 0, 10), 9);   // last pixel of the last entry
    EXPECT_EQ(hitTest(34 + 10 * 16, 16, 0, 10), kBelowHit);
    EXPECT_EQ(hitTest(40, 16, 0, 0), kBelowHit);          // empty listing
}

TEST(PaneGeometry, CursorClampAndTheLeastScrollingThatShowsIt) {
    EXPECT_EQ(clampCursor(-3, 10), 0);
    EXPECT_EQ(clampCursor(10, 10), 9);
    EXPECT_EQ(clampCursor(0 + 25, 10), 9);  // a page down past the end lands on the last entry
    EXPECT_EQ(clampCursor(0, 0), -1);       // nothing listed: no cursor
    EXPECT_EQ(clampCursor(5, 0), -1);

    EXPECT_EQ(topShowing(3, 0, 25), 0);     // already on screen
    EXPECT_EQ(topShowing(30, 0, 25), 6);    // last row of the page
    EXPECT_EQ(topShowing(2, 10, 25), 2);    // first row of the page
    EXPECT_EQ(topShowing(-1, 10, 25), 0);   // no cursor counts as the first entry
    EXPECT_EQ(topShowing(34, 10, 25), 10);  // the last visible row
}

TEST(PaneGeometry, ScrollBarRequestsStayBetweenTopAndTheLastFullPage) {
    // 100 entries (0..99), 25 rows: the highest top is 75.
    EXPECT_EQ(highestTop(99, 25), 75);
    EXPECT_EQ(highestTop(9, 25), 0);
    EXPECT_EQ(scrollRequestTop(SB_LINEDOWN, 0, 10, 25, 0, 99), 11);
    EXPECT_EQ(scrollRequestTop(SB_LINEUP, 0, 0, 25, 0, 99), 0);
    EXPECT_EQ(scrollRequestTop(SB_PAGEDOWN, 0, 60, 25, 0, 99), 75);
    EXPECT_EQ(scrollRequestTop(SB_PAGEUP, 0, 30, 25, 0, 99), 5);
    EXPECT_EQ(scrollRequestTop(SB_THUMBTRACK, 42, 0, 25, 0, 99), 42);
    EXPECT_EQ(scrollRequestTop(SB_THUMBPOSITION, 90, 0, 25, 0, 99), 75);
    EXPECT_EQ(scrollRequestTop(SB_TOP, 0, 50, 25, 0, 99), 0);
    EXPECT_EQ(scrollRequestTop(SB_BOTTOM, 0, 0, 25, 0, 99), 75);
    EXPECT_EQ(scrollRequestTop(SB_LINEDOWN, 0, 0, 25, 0, 9), 0);  // fits on one page: nothing scrolls
    EXPECT_FALSE(scrollRequestTop(SB_ENDSCROLL, 0, 10, 25, 0, 99).has_value());
}

TEST(PaneGeometry, WheelMovesOneLinePerNotchAndAtLeastOne) {
    EXPECT_EQ(wheelCursorDelta(120), -1);   // away from the user: up
    EXPECT_EQ(wheelCursorDelta(-120), 1);   // towards the user: down
    EXPECT_EQ(wheelCursorDelta(360), -3);
    EXPECT_EQ(wheelCursorDelta(30), -1);    // fine-grained wheels still move
    EXPECT_EQ(wheelCursorDelta(-250), 2);
    EXPECT_EQ(wheelCursorDelta(0), 0);
}

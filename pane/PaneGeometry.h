// The arithmetic of a pane's rows: how many fit, which row a point is on, where the listing must be
// scrolled to, and what the scroll bar and the wheel ask for. No windows involved.
#pragma once
#include <optional>

namespace pane_geometry {

constexpr int kHeaderHit = -1;  // the two header lines
constexpr int kBelowHit = -2;   // below the last entry

// Top of the listing area below the two header lines.
constexpr int listingTop(int lineHeight) { return 2 * lineHeight + 2; }

// Whole rows in a client area of the given height; never negative.
int rowsPerPage(int clientHeight, int lineHeight);

// The display position at y, or kHeaderHit / kBelowHit.
int hitTest(int y, int lineHeight, int firstVisible, int count);

// The cursor position after asking for `position` in a listing of `count` entries: clamped into the
// listing, -1 when it is empty.
int clampCursor(int position, int count);

// The first visible row that shows `position` (a negative one counts as 0) with the least scrolling,
// starting from `top` with `page` rows on screen.
int topShowing(int position, int top, int page);

// Highest first visible row: the last page shows the last entry at its bottom.
int highestTop(int maxPosition, int page);

// The first visible row a scroll-bar request (SB_*) asks for, clamped to 0 .. highestTop; nothing
// for requests the pane leaves to default processing.
std::optional<int> scrollRequestTop(int request, int thumb, int top, int page, int minPosition, int maxPosition);

// Cursor movement for a wheel delta: at least one line per event, one per notch of 120, away from
// the user (positive delta) moving up.
int wheelCursorDelta(int wheelDelta);

}  // namespace pane_geometry

// Where the main window starts and what its exit keeps: the arithmetic of saved rectangles and of
// the panes' shares, apart from the window so that it can be tried with plain values.
#pragma once
#include <windows.h>
#include <vector>

namespace window_placement {

// A saved outer rectangle narrower or lower than this cannot be used (a collapsed or hand-edited
// record) and gives way to the size the platform chooses.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 150;
// The least part of the divided width each pane gets back when a proportion is restored.
constexpr int kMinimumSharePercent = 10;

struct Monitor {
    RECT area;      // the whole monitor
    RECT workArea;  // without the task bar and other docked bars
};

// The rectangle the window starts at: `saved` when it is large enough, else `defaultSize` at the
// saved top-left corner; then, if it meets none of the monitors (one that was removed), moved into
// the work area of the nearest one and shrunk to it where it is larger. With no monitors known it
// stays where it is.
RECT startRect(const RECT& saved, SIZE defaultSize, const std::vector<Monitor>& monitors);

// The settings keep the window's rectangle in the units they always had: the screen's pixels at
// the system's scale counted as 96 dots per inch, which is what a program unaware of scales is
// shown. The program now sees the real pixels, so it converts when it saves and when it starts.
RECT toStoredUnits(const RECT& screen, UINT systemDpi);
RECT fromStoredUnits(const RECT& stored, UINT systemDpi);

// Column widths (used as weights) and the undivided rest of the outer width (borders, splitter bar).
struct Proportion {
    int left;
    int right;
    int gap;
};

// Whether both panes were visible when the proportion was measured: only then is it worth keeping.
bool isShown(const Proportion& p);

// A saved proportion made fit for an outer width: each pane gets at least kMinimumSharePercent of
// the sum of the weights (neither can stay hidden), weights that give nothing become 1 : 1, and a
// gap below 0 or beyond a quarter of the width becomes 0.
Proportion restoredProportion(const Proportion& saved, int outerWidth);

}  // namespace window_placement

// How the main window divides its width between the two panes: the left column's share follows the
// weights captured last, and the fixed part (frame borders and the splitter bar) is not divided.
#pragma once

namespace pane_proportion {

// Width of the left column for an outer window width: weightL x (outerWidth - gap) / (weightL +
// weightR), never below 0. Weights that add up to 0 or less (a hand-edited file, both columns
// collapsed) divide evenly instead of dividing by zero.
int leftColumnWidth(int weightL, int weightR, int outerWidth, int gap);

// The weight both columns get from a centre split.
int centreWeight(int leftWidth, int rightWidth);

// Outer width minus both columns: borders and splitter bar.
int gapOf(int outerWidth, int leftWidth, int rightWidth);

}  // namespace pane_proportion

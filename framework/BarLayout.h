// Arithmetic of the frame's bottom bars and of the status bar's panes, free of windows for tests.
#pragma once
#include <windows.h>
#include <span>
#include <vector>

struct BottomDock {
    std::vector<RECT> bars;  // in the order of the heights given: the first lies lowest
    RECT client{};           // what the bars leave for the client window
};

// Stacks bars upward from the bottom of `area`, each directly above the previous one. When the area is
// too low the upper bars get what is left (possibly nothing) and the client window gets nothing.
BottomDock dockAtBottom(const RECT& area, std::span<const int> heights);

// Right edges of the status bar's parts for SB_SETPARTS: the message pane first and stretching, then
// the indicators at their widths from the right; the last indicator also leaves room for the size grip.
// Edges never go below 0.
std::vector<int> statusPartEdges(int totalWidth, std::span<const int> indicatorWidths, int gripWidth);

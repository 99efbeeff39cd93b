// Column arithmetic of a one-row splitter, kept free of windows so that tests call it with numbers.
#pragma once
#include <span>
#include <vector>

struct SplitterColumn {
    int ideal = 0;    // wanted width; the last column ignores it and takes what the others leave
    int minimum = 0;  // a column that would be narrower than this is not shown (width 0)
};

// A horizontal stretch of the splitter's client area: a column or a divider bar.
struct SplitterSpan {
    int x = 0;
    int width = 0;
};

struct SplitterLayout {
    std::vector<SplitterSpan> columns;
    std::vector<SplitterSpan> bars;  // bars[i] lies between columns i and i + 1
};

// Lays the columns out from the left over totalWidth pixels with a bar of barWidth after every column
// but the last. A column's ideal width is clamped so that the bar after it still fits, which keeps a
// collapsed pane's bar on screen where the mouse can grab it again.
SplitterLayout layoutColumns(std::span<const SplitterColumn> columns, int totalWidth, int barWidth);

// Index of the bar under client x coordinate x, or -1.
int barAt(const SplitterLayout& layout, int x);

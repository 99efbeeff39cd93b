#include "framework/BarLayout.h"
#include <algorithm>

BottomDock dockAtBottom(const RECT& area, std::span<const int> heights) {
    BottomDock dock;
    LONG bottom = std::max(area.bottom, area.top);
    for (int height : heights) {
        const LONG top = std::max(bottom - std::max(height, 0), area.top);
        dock.bars.push_back({area.left, top, area.right, bottom});
        bottom = top;
    }
    dock.client = {area.left, area.top, area.right, bottom};
    return dock;
}

std::vector<int> statusPartEdges(int totalWidth, std::span<const int> indicatorWidths, int gripWidth) {
    const size_t count = indicatorWidths.size();
    std::vector<int> edges(count + 1);
    int right = std::max(totalWidth, 0);
    for (size_t i = count; i > 0; --i) {
        edges[i] = right;
        right = std::max(right - indicatorWidths[i - 1] - (i == count ? gripWidth : 0), 0);
    }
    edges[0] = right;
    return edges;
}

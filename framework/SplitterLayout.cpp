#include "framework/SplitterLayout.h"
#include <algorithm>

SplitterLayout layoutColumns(std::span<const SplitterColumn> columns, int totalWidth, int barWidth) {
    SplitterLayout layout;
    const size_t count = columns.size();
    layout.columns.resize(count);
    layout.bars.resize(count > 0 ? count - 1 : 0);
    int remaining = std::max(totalWidth, 0);
    int x = 0;
    for (size_t i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        int width = remaining;
        if (!last) {
            const SplitterColumn& column = columns[i];
            width = column.ideal < column.minimum ? 0 : column.ideal;
            width = std::clamp(width, 0, std::max(remaining - barWidth, 0));
            // A neighbour that cannot get its minimum is not shown; its space stays with this column
            // instead of leaving a sliver nobody can use.
            const int after = remaining - width - barWidth;
            if (after > 0 && after < columns[i + 1].minimum) width += after;
        }
        layout.columns[i] = {x, width};
        x += width;
        remaining -= width;
        if (!last) {
            const int bar = std::min(barWidth, remaining);
            layout.bars[i] = {x, bar};
            x += bar;
            remaining -= bar;
        }
    }
    return layout;
}

int barAt(const SplitterLayout& layout, int x) {
    for (size_t i = 0; i < layout.bars.size(); ++i) {
        const SplitterSpan& bar = layout.bars[i];
        if (x >= bar.x && x < bar.x + bar.width) return static_cast<int>(i);
    }
    return -1;
}

#include "pane/PaneGeometry.h"
#include <windows.h>
#include <algorithm>

namespace pane_geometry {

int rowsPerPage(int clientHeight, int lineHeight) {
    if (lineHeight <= 0) return 0;
    return std::max((clientHeight - listingTop(lineHeight)) / lineHeight, 0);
}

int hitTest(int y, int lineHeight, int firstVisible, int count) {
    if (y < listingTop(lineHeight)) return kHeaderHit;
    const int position = (y - listingTop(lineHeight)) / std::max(lineHeight, 1) + firstVisible;
    return position < count ? position : kBelowHit;
}

int clampCursor(int position, int count) {
    if (position < 0) position = 0;
    if (position >= count) position = count - 1;
    return position;
}

int topShowing(int position, int top, int page) {
    position = std::max(position, 0);
    if (position < top) return position;
    if (position > top + page - 1) return position - page + 1;
    return top;
}

int highestTop(int maxPosition, int page) { return std::max(0, maxPosition - page + 1); }

std::optional<int> scrollRequestTop(int request, int thumb, int top, int page, int minPosition, int maxPosition) {
    int wanted;
    switch (request) {
    case SB_LINEUP: wanted = top - 1; break;
    case SB_LINEDOWN: wanted = top + 1; break;
    case SB_PAGEUP: wanted = top - page; break;
    case SB_PAGEDOWN: wanted = top + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: wanted = thumb; break;
    case SB_TOP: wanted = minPosition; break;
    case SB_BOTTOM: wanted = highestTop(maxPosition, page); break;
    default: return std::nullopt;
    }
    return std::clamp(wanted, minPosition, std::max(minPosition, highestTop(maxPosition, page)));
}

int wheelCursorDelta(int wheelDelta) {
    if (wheelDelta > 0) return -std::max(wheelDelta / WHEEL_DELTA, 1);
    if (wheelDelta < 0) return std::max(-wheelDelta / WHEEL_DELTA, 1);
    return 0;
}

}  // namespace pane_geometry

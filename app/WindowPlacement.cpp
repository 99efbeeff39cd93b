#include "app/WindowPlacement.h"
#include <algorithm>
#include <cstdint>
#include <limits>

namespace window_placement {

namespace {
int64_t width(const RECT& r) { return int64_t{r.right} - r.left; }
int64_t height(const RECT& r) { return int64_t{r.bottom} - r.top; }

bool meets(const RECT& a, const RECT& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Squared distance between two rectangles, 0 when they touch or overlap.
int64_t distance(const RECT& a, const RECT& b) {
    const int64_t dx = std::max<int64_t>({0, int64_t{b.left} - a.right, int64_t{a.left} - b.right});
    const int64_t dy = std::max<int64_t>({0, int64_t{b.top} - a.bottom, int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

int clampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
}  // namespace

RECT startRect(const RECT& saved, SIZE defaultSize, const std::vector<Monitor>& monitors) {
    RECT r = saved;
    if (width(r) < kMinimumWidth || height(r) < kMinimumHeight) {
        r.right = clampToInt(int64_t{r.left} + defaultSize.cx);
        r.bottom = clampToInt(int64_t{r.top} + defaultSize.cy);
    }
    if (monitors.empty()) return r;
    if (std::any_of(monitors.begin(), monitors.end(), [&](const Monitor& m) { return meets(r, m.area); })) return r;

    const Monitor& nearest = *std::min_element(monitors.begin(), monitors.end(), [&](const Monitor& a, const Monitor& b) {
        return distance(r, a.area) < distance(r, b.area);
    });
    const RECT& work = nearest.workArea;
    const int64_t w = std::min(width(r), width(work)), h = std::min(height(r), height(work));
    const int64_t left = std::clamp<int64_t>(r.left, work.left, work.right - w);
    const int64_t top = std::clamp<int64_t>(r.top, work.top, work.bottom - h);
    return {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + w), static_cast<LONG>(top + h)};
}

bool isShown(const Proportion& p) { return p.left > 0 && p.right > 0; }

Proportion restoredProportion(const Proportion& saved, int outerWidth) {
    Proportion p = saved;
    p.left = std::max(p.left, 0);
    p.right = std::max(p.right, 0);
    if (p.left == 0 && p.right == 0) {
        p.left = p.right = 1;
    } else {
        // w / (w + other) >= share  <=>  w >= other x share / (100 - share), rounded up.
        const auto atLeast = [](int64_t weight, int64_t other) {
            const int64_t need = (other * kMinimumSharePercent + (100 - kMinimumSharePercent) - 1) /
                                 (100 - kMinimumSharePercent);
            return static_cast<int>(std::min<int64_t>(std::max(weight, need), std::numeric_limits<int>::max()));
        };
        const int left = atLeast(p.left, p.right), right = atLeast(p.right, p.left);
        p.left = left;
        p.right = right;
    }
    if (p.gap < 0 || p.gap > outerWidth / 4) p.gap = 0;
    return p;
}

namespace {
RECT scaled(const RECT& rc, int numerator, int denominator) {
    return {MulDiv(rc.left, numerator, denominator), MulDiv(rc.top, numerator, denominator),
            MulDiv(rc.right, numerator, denominator), MulDiv(rc.bottom, numerator, denominator)};
}
}  // namespace

RECT toStoredUnits(const RECT& screen, UINT systemDpi) {
    return scaled(screen, USER_DEFAULT_SCREEN_DPI, static_cast<int>(systemDpi ? systemDpi : USER_DEFAULT_SCREEN_DPI));
}

RECT fromStoredUnits(const RECT& stored, UINT systemDpi) {
    return scaled(stored, static_cast<int>(systemDpi ? systemDpi : USER_DEFAULT_SCREEN_DPI), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace window_placement

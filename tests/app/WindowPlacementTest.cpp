#include "app/WindowPlacement.h"
#include <gtest/gtest.h>
#include <climits>

using namespace window_placement;

// RECT lives in the global namespace, so its comparison and printing must too.
static bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST(WindowPlacement, StartRectIsUsableAndOnAMonitor) {
    // A main monitor with a task bar at its bottom, and a second one to its left.
    const Monitor main{{0, 0, 1280, 1024}, {0, 0, 1280, 984}};
    const Monitor left{{-1024, 0, 0, 768}, {-1024, 0, 0, 768}};
    const SIZE platform{952, 740};
    const struct { RECT saved; std::vector<Monitor> monitors; RECT expected; } rows[] = {
        {{10, 20, 830, 620}, {main}, {10, 20, 830, 620}},
        {{-50, 30, 650, 530}, {main}, {-50, 30, 650, 530}},               // partly off the left edge
        {{-900, 100, -100, 700}, {main, left}, {-900, 100, -100, 700}},   // on the second monitor
        {{-900, 100, -100, 700}, {main}, {0, 100, 800, 700}},             // that monitor was removed
        {{3000, 2000, 3800, 2600}, {main, left}, {480, 384, 1280, 984}},  // far right and below
        {{-3000, 100, -2200, 700}, {main, left}, {-1024, 100, -224, 700}},  // nearest is the left one
        {{2000, 0, 4000, 3000}, {main}, {0, 0, 1280, 984}},               // larger than the work area
        {{0, 0, 0, 0}, {main}, {0, 0, 952, 740}},                         // collapsed: the platform's size
        {{100, 100, 299, 600}, {main}, {100, 100, 1052, 840}},            // narrower than usable
        {{-32000, -32000, -31840, -31972}, {main}, {0, 0, 952, 740}},     // as a minimised window left it
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {main}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {{5000, 5000, 5800, 5600}, {}, {5000, 5000, 5800, 5600}},          // no monitor known
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(startRect(r.saved, platform, r.monitors), r.expected);
    }
}

TEST(WindowPlacement, RestoredProportionGivesEachPaneAShareAndDropsAnImpossibleGap) {
    const struct { Proportion saved; int outer; int left, right, gap; } rows[] = {
        {{300, 100, 20}, 820, 300, 100, 20},
        {{500, 0, 20}, 900, 500, 56, 20},   // 56 / 556 is just over a tenth
        {{0, 700, 20}, 900, 78, 700, 20},
        {{-5, 400, 20}, 900, 45, 400, 20},
        {{0, 0, 20}, 900, 1, 1, 20},
        {{-3, -4, 20}, 900, 1, 1, 20},
        {{900, 100, 20}, 900, 900, 100, 20},  // exactly a tenth stays
        {{INT_MAX, 0, 0}, 900, INT_MAX, 238609295, 0},
        {{300, 100, -7}, 820, 300, 100, 0},
        {{300, 100, 100000}, 820, 300, 100, 0},
        {{300, 100, 205}, 820, 300, 100, 205},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        const Proportion p = restoredProportion(r.saved, r.outer);
        EXPECT_EQ(p.left, r.left);
        EXPECT_EQ(p.right, r.right);
        EXPECT_EQ(p.gap, r.gap);
    }
}

// The stored rectangle keeps its units: the screen's pixels at the system's scale counted as 96
// dots per inch. A round trip at any scale gives back what was stored.
TEST(WindowPlacement, TheStoredRectangleIsInUnitsOfNinetySixDotsPerInch) {
    const struct { UINT dpi; RECT screen, stored; } rows[] = {
        {96, {10, 20, 810, 620}, {10, 20, 810, 620}},
        {144, {-300, 30, 1200, 930}, {-200, 20, 800, 620}},
        {192, {20, 40, 1620, 1240}, {10, 20, 810, 620}},
        {0, {1, 2, 3, 4}, {1, 2, 3, 4}},  // no answer from the system: as at 96
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.dpi);
        const RECT stored = window_placement::toStoredUnits(r.screen, r.dpi);
        EXPECT_TRUE(EqualRect(&stored, &r.stored)) << stored.left << "," << stored.top << "," << stored.right;
        const RECT back = window_placement::fromStoredUnits(r.stored, r.dpi);
        EXPECT_TRUE(EqualRect(&back, &r.screen)) << back.left << "," << back.top << "," << back.right;
    }
}

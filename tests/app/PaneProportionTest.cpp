#include "app/PaneProportion.h"
#include <gtest/gtest.h>
#include <climits>

TEST(PaneProportion, LeftColumnKeepsTheSavedProportionOfTheDividedWidth) {
    struct Case {
        int weightL, weightR, outer, gap, expected;
    };
    const Case cases[] = {
        {300, 100, 820, 20, 600},  // 300 x 800 / 400
        {1, 1, 1000, 0, 500},      // no saved proportion: even halves
        {1, 2, 100, 0, 33},        // truncated
        {0, 0, 820, 20, 400},      // both collapsed: even halves instead of a division by zero
        {-5, 5, 820, 20, 400},     // hand-edited sum of 0
        {-3, -4, 820, 20, 400},    // negative sum
        {-1, 3, 820, 20, 0},       // a negative share never gives a negative width
        {300, 100, 10, 20, 0},     // window narrower than its borders
        {INT_MAX, INT_MAX, 2000, 0, 1000},  // large weights do not overflow the product
    };
    for (const Case& c : cases)
        EXPECT_EQ(pane_proportion::leftColumnWidth(c.weightL, c.weightR, c.outer, c.gap), c.expected)
            << c.weightL << "/" << c.weightR << " outer " << c.outer << " gap " << c.gap;
}

TEST(PaneProportion, CentreSplitAndGap) {
    EXPECT_EQ(pane_proportion::centreWeight(401, 200), 300);
    EXPECT_EQ(pane_proportion::centreWeight(INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(pane_proportion::gapOf(820, 600, 200), 20);
}

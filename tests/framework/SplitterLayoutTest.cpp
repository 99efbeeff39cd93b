#include "framework/SplitterLayout.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int kBar = 7;

struct Row {
    const char* name;
    std::vector<SplitterColumn> columns;
    int total;
    std::vector<SplitterSpan> expectedColumns;
    std::vector<SplitterSpan> expectedBars;
};

void expectSpans(const std::vector<SplitterSpan>& actual, const std::vector<SplitterSpan>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].x, expected[i].x);
        EXPECT_EQ(actual[i].width, expected[i].width);
    }
}
}  // namespace

TEST(SplitterLayout, IdealWidthsAreClampedAndTheLastColumnTakesTheRest) {
    const Row rows[] = {
        {"ideal fits", {{200, 0}, {0, 0}}, 500, {{0, 200}, {207, 293}}, {{200, kBar}}},
        {"last column's ideal is ignored", {{200, 0}, {50, 0}}, 500, {{0, 200}, {207, 293}}, {{200, kBar}}},
        {"ideal wider than the splitter keeps the bar on screen", {{900, 0}, {0, 0}}, 500, {{0, 493}, {500, 0}},
         {{493, kBar}}},
        {"ideal exactly up to the bar", {{493, 0}, {0, 0}}, 500, {{0, 493}, {500, 0}}, {{493, kBar}}},
        {"ideal below its minimum hides the column", {{30, 50}, {0, 0}}, 500, {{0, 0}, {7, 493}}, {{0, kBar}}},
        {"ideal at its minimum is shown", {{50, 50}, {0, 0}}, 500, {{0, 50}, {57, 443}}, {{50, kBar}}},
        {"next column below its minimum gives its space to this one", {{450, 0}, {0, 100}}, 500,
         {{0, 493}, {500, 0}}, {{493, kBar}}},
        {"next column exactly at its minimum stays", {{393, 0}, {0, 100}}, 500, {{0, 393}, {400, 100}},
         {{393, kBar}}},
        {"splitter narrower than a bar", {{200, 0}, {0, 0}}, 5, {{0, 0}, {5, 0}}, {{0, 5}}},
        {"negative width lays out as nothing", {{200, 0}, {0, 0}}, -20, {{0, 0}, {0, 0}}, {{0, 0}}},
        {"three columns", {{100, 0}, {50, 0}, {0, 0}}, 500, {{0, 100}, {107, 50}, {164, 336}},
         {{100, kBar}, {157, kBar}}},
        {"one column", {{100, 0}}, 500, {{0, 500}}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const SplitterLayout layout = layoutColumns(r.columns, r.total, kBar);
        expectSpans(layout.columns, r.expectedColumns);
        expectSpans(layout.bars, r.expectedBars);
    }
}

TEST(SplitterLayout, BarAtFindsTheBarUnderAPointAndNothingBesideIt) {
    const std::vector<SplitterColumn> columns{{200, 0}, {0, 0}};
    const SplitterLayout layout = layoutColumns(columns, 500, kBar);
    const struct { int x; int bar; } rows[] = {{199, -1}, {200, 0}, {206, 0}, {207, -1}, {-1, -1}, {600, -1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.x);
        EXPECT_EQ(barAt(layout, r.x), r.bar);
    }
    const std::vector<SplitterColumn> collapsed{{200, 0}, {0, 0}};
    EXPECT_EQ(barAt(layoutColumns(collapsed, 3, kBar), 5), -1);  // a bar cut to 3 pixels ends there
}

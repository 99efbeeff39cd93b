#include "framework/BarLayout.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
void expectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}
}  // namespace

TEST(BarLayout, BarsStackUpwardInOrderAndTheClientGetsTheRest) {
    const struct {
        const char* name;
        RECT area;
        std::vector<int> heights;
        std::vector<RECT> bars;
        RECT client;
    } rows[] = {
        {"two bars", {0, 0, 500, 300}, {20, 30}, {{0, 280, 500, 300}, {0, 250, 500, 280}}, {0, 0, 500, 250}},
        {"no bars", {0, 0, 500, 300}, {}, {}, {0, 0, 500, 300}},
        {"a bar of no height", {0, 0, 500, 300}, {0, 30}, {{0, 300, 500, 300}, {0, 270, 500, 300}}, {0, 0, 500, 270}},
        {"too low: the upper bar is cut, the client gets nothing", {0, 0, 500, 40}, {30, 30},
         {{0, 10, 500, 40}, {0, 0, 500, 10}}, {0, 0, 500, 0}},
        {"area not at the origin", {10, 5, 110, 105}, {20}, {{10, 85, 110, 105}}, {10, 5, 110, 85}},
        {"minimised frame", {0, 0, 0, 0}, {20, 30}, {{0, 0, 0, 0}, {0, 0, 0, 0}}, {0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const BottomDock dock = dockAtBottom(r.area, r.heights);
        ASSERT_EQ(dock.bars.size(), r.bars.size());
        for (size_t i = 0; i < r.bars.size(); ++i) {
            SCOPED_TRACE(i);
            expectRect(dock.bars[i], r.bars[i]);
        }
        expectRect(dock.client, r.client);
    }
}

TEST(BarLayout, StatusPartsKeepIndicatorWidthsFromTheRightAndTheMessagePaneStretches) {
    const struct {
        const char* name;
        int total;
        std::vector<int> widths;
        int grip;
        std::vector<int> edges;
    } rows[] = {
        {"with grip", 500, {20, 30, 40}, 10, {400, 420, 450, 500}},
        {"without grip", 500, {20, 30, 40}, 0, {410, 430, 460, 500}},
        {"message pane only", 500, {}, 10, {500}},
        {"too narrow: nothing below zero", 50, {20, 30, 40}, 10, {0, 0, 0, 50}},
        {"negative width", -5, {20}, 0, {0, 0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(statusPartEdges(r.total, r.widths, r.grip), r.edges);
    }
}

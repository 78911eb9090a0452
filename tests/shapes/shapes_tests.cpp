// The editor's cell shapes: the exact cells and visiting order of the documented strokes, and
// properties that must hold for any stroke (lines are 8-connected from end to end, filled
// shapes cover their cells once and stay symmetric).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "editor/shapes/cell_shapes.h"

namespace {

using Cell = std::pair<std::int32_t, std::int32_t>;
using Cells = std::vector<Cell>;

Cells visited;
int previewCalls = 0;
int commitCalls = 0;

void record(std::int32_t column, std::int32_t row, bool preview) {
    visited.emplace_back(column, row);
    (preview ? previewCalls : commitCalls) += 1;
}

void resetRecord() {
    visited.clear();
    previewCalls = commitCalls = 0;
}

// Cells relative to a centre, as a set (for shapes whose order is not the point).
std::set<Cell> offsets(const Cells& cells, std::int32_t cx, std::int32_t cy) {
    std::set<Cell> result;
    for (auto [c, r] : cells) result.emplace(c - cx, r - cy);
    return result;
}

std::set<Cell> mirrored(std::initializer_list<Cell> quarter) {
    std::set<Cell> result;
    for (auto [c, r] : quarter)
        for (int sc : {-1, 1})
            for (int sr : {-1, 1}) result.emplace(sc * c, sr * r);
    return result;
}

Cells lineCells(int c0, int r0, int c1, int r1) {
    resetRecord();
    drawLine(c0, r0, c1, r1, false, record);
    return visited;
}

// ---- one-cell clicks --------------------------------------------------------------------

TEST(ShapeClick, LineAndRectanglesCoverTheClickedCell) {
    for (auto shape : {drawLine, drawRectangle, fillRectangle}) {
        resetRecord();
        shape(7, 9, 7, 9, false, record);
        EXPECT_EQ(std::set<Cell>(visited.begin(), visited.end()), (std::set<Cell>{{7, 9}}));
    }
}

TEST(ShapeClick, EllipseWithZeroRadiiCoversTheFourNeighboursButNotTheCentre) {
    resetRecord();
    drawEllipse(10, 10, 0, 0, false, record);
    EXPECT_EQ(offsets(visited, 10, 10), (std::set<Cell>{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}));
}

TEST(ShapeClick, FilledEllipseWithZeroRadiiAddsTheCentre) {
    resetRecord();
    fillEllipse(10, 10, 0, 0, false, record);
    EXPECT_EQ(offsets(visited, 10, 10), (std::set<Cell>{{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}}));
}

// ---- lines ------------------------------------------------------------------------------

TEST(ShapeLine, ShallowLineVisitsItsCellsInOrder) {
    EXPECT_EQ(lineCells(0, 0, 4, 2), (Cells{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
}

TEST(ShapeLine, SteepLineVisitsItsCellsInOrder) {
    EXPECT_EQ(lineCells(0, 0, 1, 3), (Cells{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
}

TEST(ShapeLine, ReversedLineRunsFromItsFirstCorner) {
    EXPECT_EQ(lineCells(5, 2, 0, 0), (Cells{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
}

TEST(ShapeLine, PassesThePreviewFlagOnToEveryCell) {
    resetRecord();
    drawLine(0, 0, 6, 3, true, record);
    EXPECT_EQ(previewCalls, 7);
    EXPECT_EQ(commitCalls, 0);
}

// ---- rectangles -------------------------------------------------------------------------

TEST(ShapeRectangle, OutlineVisitsRowsThenColumnsFromTheOrderedCorners) {
    resetRecord();
    drawRectangle(3, 4, 1, 1, false, record);
    EXPECT_EQ(visited, (Cells{{1, 1},
                              {1, 4},
                              {2, 1},
                              {2, 4},
                              {3, 1},
                              {3, 4},
                              {1, 1},
                              {3, 1},
                              {1, 2},
                              {3, 2},
                              {1, 3},
                              {3, 3},
                              {1, 4},
                              {3, 4}}));
}

TEST(ShapeRectangle, FilledRectangleGoesRowByRowFromTheTopLeft) {
    resetRecord();
    fillRectangle(2, 1, 0, 2, false, record);
    EXPECT_EQ(visited, (Cells{{0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}));
}

TEST(ShapeRectangle, SpanIsEmptyWhenItsEndsAreReversed) {
    resetRecord();
    fillSpan(5, 4, 0, false, record);
    EXPECT_TRUE(visited.empty());
    fillSpan(-2, 1, 3, false, record);
    EXPECT_EQ(visited, (Cells{{-2, 3}, {-1, 3}, {0, 3}, {1, 3}}));
}

// ---- ellipses ---------------------------------------------------------------------------

TEST(ShapeEllipse, WideOutlineThreeByTwo) {
    resetRecord();
    drawEllipse(10, 10, 3, 2, false, record);
    EXPECT_EQ(offsets(visited, 10, 10), mirrored({{3, 0}, {2, 1}, {1, 2}, {0, 2}}));
    EXPECT_EQ(offsets(visited, 10, 10).size(), 12u);
}

TEST(ShapeEllipse, CircleTwoByTwo) {
    resetRecord();
    drawEllipse(10, 10, 2, 2, false, record);
    EXPECT_EQ(offsets(visited, 10, 10), mirrored({{2, 0}, {2, 1}, {1, 2}, {0, 2}}));
    EXPECT_EQ(offsets(visited, 10, 10).size(), 12u);
}

TEST(ShapeEllipse, FlatOutlineFiveByOneLeavesAGapAroundTheCentre) {
    resetRecord();
    drawEllipse(10, 10, 5, 1, false, record);
    std::set<Cell> expected;
    for (int c = 2; c <= 5; ++c) expected.insert({{c, 0}, {-c, 0}});
    for (int c = -1; c <= 1; ++c) expected.insert({{c, 1}, {c, -1}});
    EXPECT_EQ(offsets(visited, 10, 10), expected);
}

TEST(ShapeEllipse, FilledThreeByTwoCoversTwentyThreeCellsInSpans) {
    resetRecord();
    fillEllipse(10, 10, 3, 2, false, record);
    std::set<Cell> expected;
    for (int c = -3; c <= 3; ++c) expected.insert({c, 0});
    for (int c = -2; c <= 2; ++c) expected.insert({{c, 1}, {c, -1}});
    for (int c = -1; c <= 1; ++c) expected.insert({{c, 2}, {c, -2}});
    EXPECT_EQ(offsets(visited, 10, 10), expected);
    EXPECT_EQ(expected.size(), 23u);
}

TEST(ShapeEllipse, TallOutlineIsTheWideOneTransposed) {
    for (int rx = 0; rx <= 12; ++rx)
        for (int ry = rx + 1; ry <= 12; ++ry) {
            resetRecord();
            drawEllipse(0, 0, rx, ry, false, record);
            std::set<Cell> tall = offsets(visited, 0, 0);
            resetRecord();
            drawEllipse(0, 0, ry, rx, false, record);
            std::set<Cell> wideTransposed;
            for (auto [c, r] : offsets(visited, 0, 0)) wideTransposed.emplace(r, c);
            EXPECT_EQ(tall, wideTransposed) << rx << " x " << ry;
        }
}

// ---- properties over random strokes -----------------------------------------------------

class ShapeProperties : public ::testing::Test {
protected:
    std::mt19937 rng{20261206};
    std::int32_t pick(std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(rng);
    }
};

TEST_F(ShapeProperties, LinesAreEightConnectedFromEndToEnd) {
    for (int n = 0; n < 1000; ++n) {
        const int c0 = pick(-50, 90), r0 = pick(-50, 80), c1 = pick(-50, 90), r1 = pick(-50, 80);
        const Cells cells = lineCells(c0, r0, c1, r1);
        ASSERT_EQ(cells.front(), Cell(c0, r0));
        ASSERT_EQ(cells.back(), Cell(c1, r1));
        ASSERT_EQ(cells.size(), std::size_t(std::max(std::abs(c1 - c0), std::abs(r1 - r0)) + 1));
        for (std::size_t i = 1; i < cells.size(); ++i) {
            ASSERT_LE(std::abs(cells[i].first - cells[i - 1].first), 1);
            ASSERT_LE(std::abs(cells[i].second - cells[i - 1].second), 1);
            ASSERT_NE(cells[i], cells[i - 1]);
        }
    }
}

TEST_F(ShapeProperties, FilledRectangleCoversEveryCellOfItsCornersOnce) {
    for (int n = 0; n < 500; ++n) {
        const int c0 = pick(-10, 50), r0 = pick(-10, 40), c1 = pick(-10, 50), r1 = pick(-10, 40);
        resetRecord();
        fillRectangle(c0, r0, c1, r1, false, record);
        const std::set<Cell> unique(visited.begin(), visited.end());
        ASSERT_EQ(unique.size(), visited.size());
        ASSERT_EQ(visited.size(), std::size_t((std::abs(c1 - c0) + 1) * (std::abs(r1 - r0) + 1)));
        for (auto [c, r] : visited) {
            ASSERT_TRUE(c >= std::min(c0, c1) && c <= std::max(c0, c1));
            ASSERT_TRUE(r >= std::min(r0, r1) && r <= std::max(r0, r1));
        }
    }
}

TEST_F(ShapeProperties, RectangleOutlineIsTheBorderOfTheFilledOne) {
    for (int n = 0; n < 500; ++n) {
        const int c0 = pick(-10, 50), r0 = pick(-10, 40), c1 = pick(-10, 50), r1 = pick(-10, 40);
        resetRecord();
        drawRectangle(c0, r0, c1, r1, false, record);
        const std::set<Cell> outline(visited.begin(), visited.end());
        std::set<Cell> border;
        for (int c = std::min(c0, c1); c <= std::max(c0, c1); ++c)
            for (int r = std::min(r0, r1); r <= std::max(r0, r1); ++r)
                if (c == c0 || c == c1 || r == r0 || r == r1) border.emplace(c, r);
        ASSERT_EQ(outline, border);
    }
}

// A filled ellipse is one run of cells per row, symmetric about its centre in both axes and
// narrowing away from the centre row. Rows may be spanned again by the walk from the other
// side; that repeats cells but never widens a row.
TEST_F(ShapeProperties, FilledEllipseIsOneSymmetricSpanPerRow) {
    for (int n = 0; n < 400; ++n) {
        const int cx = pick(-20, 60), cy = pick(-20, 50), rx = pick(0, 45), ry = pick(0, 45);
        resetRecord();
        fillEllipse(cx, cy, rx, ry, false, record);
        const std::set<Cell> unique(visited.begin(), visited.end());
        std::map<int, std::pair<int, int>> rows;  // row offset -> (min, max) column offset
        std::map<int, int> counts;                // row offset -> distinct cells
        for (auto [c, r] : unique) {
            auto [it, fresh] = rows.try_emplace(r - cy, c - cx, c - cx);
            it->second.first = std::min(it->second.first, c - cx);
            it->second.second = std::max(it->second.second, c - cx);
            ++counts[r - cy];
        }
        int previousHalf = 1 << 30;
        for (int dy = 0; rows.count(dy); ++dy) {
            const auto [lo, hi] = rows[dy];
            ASSERT_EQ(lo, -hi);
            ASSERT_EQ(counts[dy], hi - lo + 1) << rx << " x " << ry;
            ASSERT_EQ(rows[-dy], rows[dy]);
            ASSERT_LE(hi, previousHalf);
            previousHalf = hi;
        }
        ASSERT_EQ(rows.begin()->first, -rows.rbegin()->first);
        ASSERT_EQ(int(rows.size()) % 2, 1);
    }
}

TEST_F(ShapeProperties, EllipseOutlineIsSymmetricAndWithinItsBox) {
    for (int n = 0; n < 400; ++n) {
        const int rx = pick(0, 45), ry = pick(0, 45);
        resetRecord();
        drawEllipse(0, 0, rx, ry, false, record);
        const std::set<Cell> cells(visited.begin(), visited.end());
        for (auto [c, r] : cells) {
            ASSERT_TRUE(cells.count({-c, r}) && cells.count({c, -r}));
            ASSERT_LE(std::abs(c), std::max(rx, 1));
            ASSERT_LE(std::abs(r), std::max(ry, 1));
        }
        ASSERT_TRUE(cells.count({std::max(rx, 1), 0}));
        ASSERT_TRUE(cells.count({0, std::max(ry, 1)}));
    }
}

}  // namespace

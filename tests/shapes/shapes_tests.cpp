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
using Shape = void (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool, CellSink);

Cells visited;
int previewCalls = 0;

void record(std::int32_t column, std::int32_t row, bool preview) {
    visited.emplace_back(column, row);
    previewCalls += preview ? 1 : 0;
}

Cells run(Shape shape, int a, int b, int c, int d, bool preview = false) {
    visited.clear();
    previewCalls = 0;
    shape(a, b, c, d, preview, record);
    return visited;
}

std::set<Cell> asSet(const Cells& cells) {
    return {cells.begin(), cells.end()};
}

// The four sign mirrors of each (column, row) offset from a centre at (10, 10).
std::set<Cell> mirrored(std::initializer_list<Cell> quarter) {
    std::set<Cell> result;
    for (auto [c, r] : quarter)
        for (int sc : {-1, 1})
            for (int sr : {-1, 1}) result.emplace(10 + sc * c, 10 + sr * r);
    return result;
}

// Cells in visiting order where the order is part of the rule.
TEST(ShapeExact, CellsInVisitingOrder) {
    const Cells outline{{1, 1}, {1, 4}, {2, 1}, {2, 4}, {3, 1}, {3, 4}, {1, 1},
                        {3, 1}, {1, 2}, {3, 2}, {1, 3}, {3, 3}, {1, 4}, {3, 4}};
    const struct {
        const char* name;
        Shape shape;
        int a, b, c, d;
        Cells cells;
    } cases[] = {
        {"shallow line", drawLine, 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {"steep line", drawLine, 0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        {"reversed line", drawLine, 5, 2, 0, 0, {{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
        {"rectangle outline: rows from the ordered corners, then columns", drawRectangle, 3, 4, 1, 1,
         outline},
        {"filled rectangle", fillRectangle, 2, 1, 0, 2, {{0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(run(test.shape, test.a, test.b, test.c, test.d), test.cells);
    }
}

TEST(ShapeExact, SpanIsEmptyWhenItsEndsAreReversed) {
    visited.clear();
    fillSpan(5, 4, 0, false, record);
    EXPECT_TRUE(visited.empty());
    fillSpan(-2, 1, 3, false, record);
    EXPECT_EQ(visited, (Cells{{-2, 3}, {-1, 3}, {0, 3}, {1, 3}}));
}

// Clicks and ellipses around (10, 10): which cells, order aside.
TEST(ShapeExact, EllipseCells) {
    std::set<Cell> flat, filled;
    for (int c = 2; c <= 5; ++c) flat.insert({{10 + c, 10}, {10 - c, 10}});  // a gap around the centre
    for (int c = -1; c <= 1; ++c) flat.insert({{10 + c, 11}, {10 + c, 9}});
    for (int c = -3; c <= 3; ++c) filled.insert({10 + c, 10});
    for (int c = -2; c <= 2; ++c) filled.insert({{10 + c, 11}, {10 + c, 9}});
    for (int c = -1; c <= 1; ++c) filled.insert({{10 + c, 12}, {10 + c, 8}});
    ASSERT_EQ(filled.size(), 23u);
    const struct {
        const char* name;
        Shape shape;
        int c, d;
        std::set<Cell> cells;
    } cases[] = {
        {"click line", drawLine, 10, 10, {{10, 10}}},
        {"click rectangle", drawRectangle, 10, 10, {{10, 10}}},
        {"click filled rectangle", fillRectangle, 10, 10, {{10, 10}}},
        {"click: four neighbours, no centre", drawEllipse, 0, 0, {{9, 10}, {11, 10}, {10, 9}, {10, 11}}},
        {"filled click adds the centre", fillEllipse, 0, 0, {{9, 10}, {11, 10}, {10, 9}, {10, 11}, {10, 10}}},
        {"wide 3 x 2", drawEllipse, 3, 2, mirrored({{3, 0}, {2, 1}, {1, 2}, {0, 2}})},
        {"circle 2 x 2", drawEllipse, 2, 2, mirrored({{2, 0}, {2, 1}, {1, 2}, {0, 2}})},
        {"flat 5 x 1", drawEllipse, 5, 1, flat},
        {"filled 3 x 2", fillEllipse, 3, 2, filled},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(asSet(run(test.shape, 10, 10, test.c, test.d)), test.cells);
    }
}

TEST(ShapeExact, TallOutlineIsTheWideOneTransposed) {
    for (int rx = 0; rx <= 12; ++rx)
        for (int ry = rx + 1; ry <= 12; ++ry) {
            const std::set<Cell> tall = asSet(run(drawEllipse, 0, 0, rx, ry));
            std::set<Cell> wideTransposed;
            for (auto [c, r] : run(drawEllipse, 0, 0, ry, rx)) wideTransposed.emplace(r, c);
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

TEST_F(ShapeProperties, LinesAreEightConnectedFromEndToEndAndKeepThePreviewFlag) {
    for (int n = 0; n < 1000; ++n) {
        const int c0 = pick(-50, 90), r0 = pick(-50, 80), c1 = pick(-50, 90), r1 = pick(-50, 80);
        const bool preview = n % 2 == 0;
        const Cells cells = run(drawLine, c0, r0, c1, r1, preview);
        ASSERT_EQ(previewCalls, preview ? int(cells.size()) : 0);
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

// The filled rectangle covers every cell between its corners once; the outline is its border.
TEST_F(ShapeProperties, RectanglesCoverTheirBoxAndBorder) {
    for (int n = 0; n < 500; ++n) {
        const int c0 = pick(-10, 50), r0 = pick(-10, 40), c1 = pick(-10, 50), r1 = pick(-10, 40);
        const Cells filled = run(fillRectangle, c0, r0, c1, r1);
        const std::set<Cell> outline = asSet(run(drawRectangle, c0, r0, c1, r1));
        std::set<Cell> box, border;
        for (int c = std::min(c0, c1); c <= std::max(c0, c1); ++c)
            for (int r = std::min(r0, r1); r <= std::max(r0, r1); ++r) {
                box.emplace(c, r);
                if (c == c0 || c == c1 || r == r0 || r == r1) border.emplace(c, r);
            }
        ASSERT_EQ(filled.size(), box.size());
        ASSERT_EQ(asSet(filled), box);
        ASSERT_EQ(outline, border);
    }
}

// A filled ellipse is one run of cells per row, symmetric about its centre in both axes and
// narrowing away from the centre row. Rows may be spanned again by the walk from the other
// side; that repeats cells but never widens a row.
TEST_F(ShapeProperties, FilledEllipseIsOneSymmetricSpanPerRow) {
    for (int n = 0; n < 400; ++n) {
        const int cx = pick(-20, 60), cy = pick(-20, 50), rx = pick(0, 45), ry = pick(0, 45);
        std::map<int, std::pair<int, int>> rows;  // row offset -> (min, max) column offset
        std::map<int, int> counts;                // row offset -> distinct cells
        for (auto [c, r] : asSet(run(fillEllipse, cx, cy, rx, ry))) {
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
        const std::set<Cell> cells = asSet(run(drawEllipse, 0, 0, rx, ry));
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

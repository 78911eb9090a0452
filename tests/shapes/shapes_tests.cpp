// The editor's cell shapes: exact cells where the rule is worth pinning (examples checked by hand
// below), and the order and properties of random strokes.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/shapes/cell_shapes.h"

namespace {

using Cell = std::pair<std::int32_t, std::int32_t>;
using Cells = std::vector<Cell>;
using Shape = void (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool, CellSink);

Cells visited;
int previewCalls = 0;

Cells run(Shape shape, int a, int b, int c, int d, bool preview = false) {
    visited.clear();
    previewCalls = 0;
    shape(a, b, c, d, preview, [](std::int32_t column, std::int32_t row, bool p) {
        visited.emplace_back(column, row);
        previewCalls += p;
    });
    return visited;
}
std::set<Cell> cellsOf(Shape shape, int rx, int ry) {
    run(shape, 10, 10, rx, ry);
    return {visited.begin(), visited.end()};
}
// Offsets (column, row) from (10, 10), mirrored into all four quadrants.
std::set<Cell> mirrored(std::initializer_list<Cell> quarter) {
    std::set<Cell> result;
    for (auto [c, r] : quarter)
        for (int sc : {-1, 1})
            for (int sr : {-1, 1}) result.emplace(10 + sc * c, 10 + sr * r);
    return result;
}

TEST(ShapeExact, LinesAndRectanglesInVisitingOrder) {
    // clang-format off
    const struct { Shape shape; int a, b, c, d; Cells cells; } cases[] = {
        {drawLine, 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},  // a tie stays on the first row
        {drawLine, 0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        {drawLine, 5, 2, 0, 0, {{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}}, {drawLine, 7, 7, 7, 7, {{7, 7}}},
        {drawRectangle, 3, 4, 1, 1, {{1, 1}, {1, 4}, {2, 1}, {2, 4}, {3, 1}, {3, 4}, {1, 1}, {3, 1}, {1, 2}, {3, 2},
                                     {1, 3}, {3, 3}, {1, 4}, {3, 4}}},  // rows from the ordered corners, then columns
        {fillRectangle, 2, 1, 0, 2, {{0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}}};
    // clang-format on
    for (const auto& t : cases) EXPECT_EQ(run(t.shape, t.a, t.b, t.c, t.d), t.cells) << &t - cases;
}

// Worked by hand from the rotation (x += y / r, y -= x / r in 1/64 cells, rounded): a 3 x 2
// outline reaches (3, 0), (2, 1), (1, 2), (0, 2); the filled one has rows of 7, 5 and 3 cells;
// radius 0 is radius 1, whose outline leaves the centre out.
TEST(ShapeExact, EllipsesByHand) {
    // clang-format off
    const struct { Shape shape; int rx, ry; std::set<Cell> cells; } cases[] = {
        {drawEllipse, 3, 2, mirrored({{3, 0}, {2, 1}, {1, 2}, {0, 2}})}, {drawEllipse, 0, 0, mirrored({{1, 0}, {0, 1}})},
        {drawEllipse, 2, 2, mirrored({{2, 0}, {2, 1}, {1, 2}, {0, 2}})},
        {drawEllipse, 5, 1, mirrored({{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 1}, {0, 1}})},
        {fillEllipse, 3, 2, mirrored({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}})},
        {fillEllipse, 0, 0, mirrored({{1, 0}, {0, 1}, {0, 0}})}};
    // clang-format on
    for (const auto& t : cases) EXPECT_EQ(cellsOf(t.shape, t.rx, t.ry), t.cells) << &t - cases;
}

// Each shape's cells in the order reported, for many random strokes: small and large,
// degenerate (zero or one wide, the same start and end) and crossing every edge of the grid.
// Scenes drawn with the same strokes must come out the same cell for cell, so a checksum per
// shape pins the order (and every repeated cell); every cell keeps the preview flag and stays in
// the box of the corners (an ellipse's centre plus and minus its radii), an ellipse is its own
// mirror in both axes, and a line runs from its start to its end.
TEST(ShapeProperties, RandomStrokesKeepTheirBoxMirrorsAndOrder) {
    std::mt19937 random(2026);
    // clang-format off
    for (auto [shape, ellipse, expected] : {std::tuple<Shape, bool, std::uint64_t>{drawLine, false, 9974040587880395828u},
             {drawRectangle, false, 18412978481924988729u}, {fillRectangle, false, 14893979015288470438u},
             {drawEllipse, true, 5325680006437689197u}, {fillEllipse, true, 1753943713075334402u}}) {
        // clang-format on
        std::uint64_t hash = 14695981039346656037u;
        for (int n = 0; n < 4000; ++n) {
            const int size = n % 3 == 0 ? 3 : 41, c = int(random() % 50) - 5, r = int(random() % 40) - 5;
            const int dc = n % 5 == 0 ? 0 : int(random() % size) - size / 2;
            const int dr = n % 7 == 0 ? 0 : int(random() % size) - size / 2;
            const int c1 = ellipse ? std::abs(dc) : c + dc, r1 = ellipse ? std::abs(dr) : r + dr;
            const Cells cells = run(shape, c, r, c1, r1, n % 2);
            const std::set<Cell> set(cells.begin(), cells.end());
            ASSERT_EQ(previewCalls, n % 2 * int(cells.size()));
            for (auto [x, y] : cells) {
                hash = (hash ^ std::uint64_t(x * 4099 + y)) * 1099511628211u;
                ASSERT_TRUE(ellipse ? std::abs(x - c) <= std::max(c1, 1) && std::abs(y - r) <= std::max(r1, 1)
                                    : std::min(c, c1) <= x && x <= std::max(c, c1) && std::min(r, r1) <= y &&
                                          y <= std::max(r, r1));
                ASSERT_TRUE(!ellipse || (set.contains({2 * c - x, y}) && set.contains({x, 2 * r - y})));
            }
            ASSERT_TRUE(shape != drawLine || (cells.front() == Cell(c, r) && cells.back() == Cell(c1, r1)));
        }
        EXPECT_EQ(hash, expected) << ellipse;
    }
}

}  // namespace

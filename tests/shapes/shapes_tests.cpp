// The editor's cell shapes: exact cells where the rule is worth pinning, one digest over every
// ellipse up to radius 45 (examples checked by hand below), and properties of random strokes.
#include <gtest/gtest.h>

#include <cstdint>
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
TEST(ShapeExact, EllipsesByHandAndOneDigestOverEveryRadiusPairUpTo45) {
    // clang-format off
    const struct { Shape shape; int rx, ry; std::set<Cell> cells; } cases[] = {
        {drawEllipse, 3, 2, mirrored({{3, 0}, {2, 1}, {1, 2}, {0, 2}})}, {drawEllipse, 0, 0, mirrored({{1, 0}, {0, 1}})},
        {drawEllipse, 2, 2, mirrored({{2, 0}, {2, 1}, {1, 2}, {0, 2}})},
        {drawEllipse, 5, 1, mirrored({{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 1}, {0, 1}})},
        {fillEllipse, 3, 2, mirrored({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}})},
        {fillEllipse, 0, 0, mirrored({{1, 0}, {0, 1}, {0, 0}})}};
    // clang-format on
    for (const auto& t : cases) EXPECT_EQ(cellsOf(t.shape, t.rx, t.ry), t.cells) << &t - cases;
    std::uint64_t digest = 14695981039346656037u;
    for (Shape shape : {drawEllipse, fillEllipse})
        for (int rx = 0; rx <= 45; ++rx)
            for (int ry = 0; ry <= 45; ++ry)
                for (auto [c, r] : cellsOf(shape, rx, ry))
                    for (int v : {rx, ry, c, r})
                        digest = (digest ^ static_cast<std::uint32_t>(v)) * 1099511628211u;
    EXPECT_EQ(digest, 1563805488479321693u);
}

TEST(ShapeProperties, RandomLinesAreEightConnectedFromEndToEndAndKeepThePreviewFlag) {
    std::mt19937 rng{20261206};
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int n = 0; n < 1000; ++n) {
        const int c0 = pick(-50, 90), r0 = pick(-50, 80), c1 = pick(-50, 90), r1 = pick(-50, 80);
        const Cells line = run(drawLine, c0, r0, c1, r1, n % 2 == 0);
        ASSERT_EQ(previewCalls, n % 2 == 0 ? int(line.size()) : 0);
        ASSERT_EQ(std::pair(line.front(), line.back()), std::pair(Cell(c0, r0), Cell(c1, r1)));
        ASSERT_EQ(line.size(), std::size_t(std::max(std::abs(c1 - c0), std::abs(r1 - r0)) + 1));
        for (std::size_t i = 1; i < line.size(); ++i)
            ASSERT_EQ(std::max(std::abs(line[i].first - line[i - 1].first),
                               std::abs(line[i].second - line[i - 1].second)),
                      1);
    }
}

}  // namespace

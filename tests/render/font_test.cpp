// The bitmap font: glyph placement, line feeds, the "?" fallback, clipping and numbers.
#include "render/font.h"
#include "tests/render/render_test_support.h"

namespace {

using FontTest = RenderTest;

// The eight columns of the cell at (x, y), one byte a row in the glyph table's bit order.
std::uint64_t cell(int x, int y) {
    std::uint64_t rows = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            rows |= std::uint64_t{at(drawContext.target, x + c, y + r) != 0} << (63 - 8 * r - c);
    return rows;
}

// Glyphs advance six pixels, a line feed seven rows; characters without a glyph show "?".
TEST_F(FontTest, GlyphsInTheColourWithNoBackgroundClippedPerPixel) {
    drawText(200, 100, "\\"), drawText(10, 40, " A\nC{"), drawChar(100, 100, '?');
    for (char missing : {'~', '\t', '\xE9', '\x80'}) drawChar(300, 100, missing);
    EXPECT_EQ(cell(300, 100), cell(100, 100));  // drawn over each other: any difference would show
    EXPECT_EQ(std::vector<std::uint64_t>({cell(200, 100), cell(16, 40), cell(16, 47)}),
              std::vector<std::uint64_t>({0x006030180C040000u, 0x0038447C44440000u, cell(100, 100)}));
    paint(target.get(), 0x00555555u);
    drawContext.drawColour = 0x00102030u;
    setClipRect(0, 0, 12, 22);
    EXPECT_EQ(drawChar(10, 20, 'A'), 1);  // only columns 10..12 of rows 20..22: row 1 is 0x38, row 2 0x44
    EXPECT_EQ(countNot(target.get(), 0x00555555u), 2);
    EXPECT_EQ(at(target.get(), 12, 21) & at(target.get(), 11, 22), 0x00102030u);
}

TEST_F(FontTest, NumbersAreDecimalWithSignAndFarAwayTextIsSafe) {
    for (auto [value, label] :
         {std::pair{-45, "-45"}, {0, "0"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}}) {
        static FrameBuffer textFrame;
        FrameBuffer* text = &textFrame;
        drawNumber(3, 4, value), clearFrameBuffer(text), drawContext.target = text, drawText(3, 4, label);
        drawContext.target = target.get();
        ASSERT_TRUE(std::equal(target->pixels, target->pixels + kFramePixels, text->pixels)) << value;
        paint(target.get(), 0);
    }
    drawText(INT32_MAX - 2, 0, "ABCDEF"), drawText(0, INT32_MAX - 2, "AB\nCD"), drawText(0, 0, nullptr);
    drawNumber(INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

}  // namespace

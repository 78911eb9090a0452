// The bitmap font: glyph placement, line feeds, the "?" fallback, clipping and numbers.
#include <array>

#include "render/font.h"
#include "tests/render/render_test_support.h"

namespace {

using FontTest = RenderTest;

// The eight columns of the cell at (x, y) as row bytes in the glyph table's bit order.
std::array<std::uint8_t, 8> cell(int x, int y) {
    std::array<std::uint8_t, 8> rows{};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) rows[r] |= at(drawContext.target, x + c, y + r) != 0 ? 0x80 >> c : 0;
    return rows;
}

TEST_F(FontTest, GlyphsAdvanceSixAndFeedSevenLowerInTheColourWithNoBackground) {
    drawText(100, 100, "?"), drawText(200, 100, "\\"), drawText(10, 40, " A\nC{");
    EXPECT_EQ(cell(200, 100), (std::array<std::uint8_t, 8>{0, 0x60, 0x30, 0x18, 0x0C, 0x04, 0, 0}));
    EXPECT_EQ(cell(16, 40), (std::array<std::uint8_t, 8>{0, 0x38, 0x44, 0x7C, 0x44, 0x44, 0, 0}));
    EXPECT_EQ(cell(10, 47)[1], 0x3C);  // C
    EXPECT_EQ(cell(16, 47), cell(100, 100));
    for (char missing : {'~', '\t', '\xE9', '\x80'}) {
        paint(target.get(), 0);
        drawChar(100, 100, '?'), drawChar(200, 100, missing);
        EXPECT_EQ(cell(100, 100), cell(200, 100)) << static_cast<int>(missing);
    }
    paint(target.get(), 0x00555555u);
    drawContext.drawColour = 0x00102030u;
    EXPECT_EQ(drawChar(10, 20, 'T'), 1);  // a bar of five on row 1 and a stem of four
    EXPECT_EQ(countNot(target.get(), 0x00555555u), 9);
    EXPECT_EQ(at(target.get(), 11, 21), 0x00102030u);
    setClipRect(0, 0, 12, 22);
    paint(target.get(), 0);
    drawText(10, 20, "A");  // only columns 10..12 of rows 20..22: row 1 is 0x38, row 2 0x44
    EXPECT_EQ(countNot(target.get(), 0), 2);
    EXPECT_EQ(at(target.get(), 12, 21) & at(target.get(), 11, 22), 0x00102030u);
}

TEST_F(FontTest, NumbersAreDecimalWithSignAndFarAwayTextIsSafe) {
    for (auto [value, text] :
         {std::pair{-45, "-45"}, {0, "0"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}}) {
        auto expected = std::make_unique<FrameBuffer>();
        drawNumber(3, 4, value);
        drawContext.target = expected.get();
        drawText(3, 4, text);
        drawContext.target = target.get();
        ASSERT_TRUE(std::equal(target->pixels, target->pixels + kFramePixels, expected->pixels)) << value;
        paint(target.get(), 0);
    }
    drawText(INT32_MAX - 2, 0, "ABCDEF"), drawText(0, INT32_MAX - 2, "AB\nCD"), drawText(0, 0, nullptr);
    drawNumber(INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

}  // namespace

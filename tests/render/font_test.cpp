// The bitmap font: glyph placement and bits, line feeds, the "?" fallback, and numbers.
#include <array>
#include <string>

#include "render/font.h"
#include "tests/render/render_test_support.h"

namespace {

using Rows = std::array<std::uint8_t, 8>;

class FontTest : public RenderTest {
protected:
    // The cell at (x, y) of a frame as eight row bytes in the glyph table's bit order.
    static Rows cell(FrameBuffer* frame, int x, int y, int columns) {
        Rows rows{};
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < columns; ++c) {
                rows[r] |= static_cast<std::uint8_t>(at(frame, x + c, y + r) != 0 ? 0x80 >> c : 0);
            }
        }
        return rows;
    }
    Rows cellAt(int x, int y) { return cell(target.get(), x, y, 6); }
    // A glyph drawn alone, all eight columns read, so a stray pixel in column 6 or 7 shows.
    static Rows glyph(char character) {
        auto scratch = std::make_unique<FrameBuffer>();
        FrameBuffer* saved = drawContext.target;
        drawContext.target = scratch.get();
        drawChar(100, 100, character);
        drawContext.target = saved;
        return cell(scratch.get(), 100, 100, 8);
    }
};

TEST_F(FontTest, GlyphsMatchTheirTableRows) {
    EXPECT_EQ(glyph('A'), (Rows{0x00, 0x38, 0x44, 0x7C, 0x44, 0x44, 0x00, 0x00}));
    EXPECT_EQ(glyph('0'), (Rows{0x00, 0x38, 0x4C, 0x54, 0x64, 0x38, 0x00, 0x00}));
    EXPECT_EQ(glyph('g'), (Rows{0x00, 0x00, 0x3C, 0x44, 0x3C, 0x04, 0x78, 0x00}));
    EXPECT_EQ(glyph('z'), (Rows{0x00, 0x00, 0x3C, 0x08, 0x10, 0x3C, 0x00, 0x00}));
    EXPECT_EQ(glyph('!'), (Rows{0x00, 0x18, 0x18, 0x18, 0x18, 0x00, 0x18, 0x00}));
    EXPECT_EQ(glyph('\\'), (Rows{0x00, 0x60, 0x30, 0x18, 0x0C, 0x04, 0x00, 0x00}));
    EXPECT_EQ(glyph(' '), Rows{});
    for (char missing : {'{', '~', '\t', static_cast<char>(0xE9), static_cast<char>(0x80)}) {
        EXPECT_EQ(glyph(missing), glyph('?')) << static_cast<int>(missing);
    }
    EXPECT_NE(glyph('z'), glyph('?'));
}

TEST_F(FontTest, DrawsInTheColourAtTheCornerWithNoBackground) {
    paint(target.get(), 0x00555555u);
    drawContext.drawColour = 0x00102030u;
    EXPECT_EQ(drawChar(10, 20, 'T'), 1);
    // "T": bar 0x7C on row 1 reaches column 5, never 6 or 7.
    EXPECT_EQ(at(target.get(), 11, 21), 0x00102030u);
    EXPECT_EQ(at(target.get(), 15, 21), 0x00102030u);
    EXPECT_EQ(at(target.get(), 10, 21), 0x00555555u);
    EXPECT_EQ(countNot(target.get(), 0x00555555u), 9);
}

TEST_F(FontTest, SpaceAdvancesAndLineFeedReturnsSevenLower) {
    drawText(10, 20, " AB\nC");
    EXPECT_EQ(cellAt(10, 20), Rows{});
    EXPECT_EQ(cellAt(16, 20), glyph('A'));
    EXPECT_EQ(cellAt(22, 20), glyph('B'));
    EXPECT_EQ(cellAt(10, 27), glyph('C'));
}

TEST_F(FontTest, ClipsPerPixel) {
    setClipRect(0, 0, 12, 22);
    drawText(10, 20, "A");  // only columns 10..12 of rows 20..22 may show
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            EXPECT_TRUE(at(target.get(), x, y) == 0 || (x <= 12 && y <= 22)) << x << "," << y;
        }
    }
    EXPECT_EQ(at(target.get(), 12, 21), 0x00FFFFFFu);  // row 1 of "A" is 0x38: columns 2..4
    EXPECT_EQ(at(target.get(), 11, 22), 0x00FFFFFFu);  // row 2 is 0x44: columns 1 and 5
}

TEST_F(FontTest, NumbersAreDecimalWithSignAndNoPadding) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {-45, "-45"}, {0, "0"}, {7, "7"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}};
    for (const auto& [value, text] : cases) {
        auto expected = std::make_unique<FrameBuffer>();
        drawContext.target = expected.get();
        drawText(3, 4, text);
        drawContext.target = target.get();
        paint(target.get(), 0);
        drawNumber(3, 4, value);
        ASSERT_TRUE(std::equal(target->pixels, target->pixels + kFramePixels, expected->pixels)) << value;
    }
}

TEST_F(FontTest, FarAwayTextIsSafe) {
    drawText(INT32_MAX - 2, 0, "ABCDEF");
    drawText(0, INT32_MAX - 2, "AB\nCD");
    drawNumber(INT32_MIN, INT32_MIN, INT32_MIN);
    drawText(0, 0, nullptr);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

}  // namespace

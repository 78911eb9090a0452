// The bitmap font: glyph placement and bits, line feeds, the "?" fallback, and numbers.
#include <string>

#include "render/font.h"
#include "tests/render/render_test_support.h"

namespace {

class FontTest : public RenderTest {
protected:
    // The 6 x 8 cell at (x, y) as eight row bytes in the glyph table's bit order.
    std::array<std::uint8_t, 8> cellAt(int x, int y) {
        std::array<std::uint8_t, 8> rows{};
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 6; ++c) {
                if (at(target.get(), x + c, y + r) != 0) {
                    rows[r] |= static_cast<std::uint8_t>(0x80 >> c);
                }
            }
        }
        return rows;
    }
    // A glyph drawn alone, all eight columns read, so a stray pixel in column 6 or 7 shows.
    std::array<std::uint8_t, 8> glyph(char character) {
        FrameBuffer scratch{};
        FrameBuffer* saved = drawContext.target;
        drawContext.target = &scratch;
        drawChar(100, 100, character);
        drawContext.target = saved;
        std::array<std::uint8_t, 8> rows{};
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                if (scratch.pixels[(100 + r) * kFrameWidth + 100 + c] != 0) {
                    rows[r] |= static_cast<std::uint8_t>(0x80 >> c);
                }
            }
        }
        return rows;
    }
};

using Rows = std::array<std::uint8_t, 8>;

TEST_F(FontTest, GlyphsMatchTheirTableRows) {
    EXPECT_EQ(glyph('A'), (Rows{0x00, 0x38, 0x44, 0x7C, 0x44, 0x44, 0x00, 0x00}));
    EXPECT_EQ(glyph('0'), (Rows{0x00, 0x38, 0x4C, 0x54, 0x64, 0x38, 0x00, 0x00}));
    EXPECT_EQ(glyph('g'), (Rows{0x00, 0x00, 0x3C, 0x44, 0x3C, 0x04, 0x78, 0x00}));
    EXPECT_EQ(glyph('z'), (Rows{0x00, 0x00, 0x3C, 0x08, 0x10, 0x3C, 0x00, 0x00}));
    EXPECT_EQ(glyph('!'), (Rows{0x00, 0x18, 0x18, 0x18, 0x18, 0x00, 0x18, 0x00}));
    EXPECT_EQ(glyph('\\'), (Rows{0x00, 0x60, 0x30, 0x18, 0x0C, 0x04, 0x00, 0x00}));
    EXPECT_EQ(glyph(' '), Rows{});
}

TEST_F(FontTest, DrawsInTheColourAtTheGivenCorner) {
    drawContext.drawColour = 0x00102030u;
    EXPECT_EQ(drawChar(10, 20, 'T'), 1);
    // "T": bar 0x7C on row 1 reaches column 5, never 6 or 7.
    EXPECT_EQ(at(target.get(), 11, 21), 0x00102030u);
    EXPECT_EQ(at(target.get(), 15, 21), 0x00102030u);
    EXPECT_EQ(at(target.get(), 10, 21), 0u);
    EXPECT_EQ(cellAt(10, 20), (Rows{0x00, 0x7C, 0x10, 0x10, 0x10, 0x10, 0x00, 0x00}));
    EXPECT_EQ(countNot(target.get(), 0), 9);
}

TEST_F(FontTest, HasNoBackground) {
    paint(target.get(), 0x00555555u);
    drawChar(0, 0, ' ');
    drawChar(0, 0, '.');
    EXPECT_EQ(at(target.get(), 0, 0), 0x00555555u);
    EXPECT_EQ(countNot(target.get(), 0x00555555u), 4);
}

TEST_F(FontTest, CodesWithoutGlyphDrawAQuestionMark) {
    Rows question = glyph('?');
    EXPECT_EQ(glyph('{'), question);
    EXPECT_EQ(glyph('~'), question);
    EXPECT_EQ(glyph(static_cast<char>(0xE9)), question);
    EXPECT_EQ(glyph(static_cast<char>(0x80)), question);
    EXPECT_EQ(glyph('\t'), question);
    EXPECT_NE(glyph('z'), question);
}

TEST_F(FontTest, LineFeedReturnsToTheStartColumnSevenLower) {
    drawText(10, 20, "AB\nC");
    EXPECT_EQ(cellAt(10, 20), glyph('A'));
    EXPECT_EQ(cellAt(16, 20), glyph('B'));
    EXPECT_EQ(cellAt(10, 27), glyph('C'));
}

TEST_F(FontTest, SpaceAdvancesWithoutDrawing) {
    drawText(0, 0, " A");
    EXPECT_EQ(cellAt(6, 0), glyph('A'));
    EXPECT_EQ(cellAt(0, 0), Rows{});
}

TEST_F(FontTest, ClipsPerPixel) {
    setClipRect(0, 0, 12, 22);
    drawText(10, 20, "A");  // only columns 10..12 of rows 20..22 may show
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (at(target.get(), x, y) != 0) {
                EXPECT_TRUE(x <= 12 && y <= 22) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(at(target.get(), 12, 21), 0x00FFFFFFu);  // row 1 of "A" is 0x38: columns 2..4
    EXPECT_EQ(at(target.get(), 11, 22), 0x00FFFFFFu);  // row 2 is 0x44: columns 1 and 5
}

class NumberTest : public FontTest {
protected:
    // What drawNumber draws must be what drawText draws for the expected text.
    void expectDrawnAs(std::int32_t value, const char* text) {
        FrameBuffer expected{};
        drawContext.target = &expected;
        drawText(3, 4, text);
        drawContext.target = target.get();
        paint(target.get(), 0);
        drawNumber(3, 4, value);
        for (int i = 0; i < kFramePixels; ++i) {
            ASSERT_EQ(target->pixels[i], expected.pixels[i]) << value << " at pixel " << i;
        }
    }
};

TEST_F(NumberTest, DecimalWithSignAndNoPadding) {
    expectDrawnAs(-45, "-45");
    expectDrawnAs(0, "0");
    expectDrawnAs(7, "7");
    expectDrawnAs(2147483647, "2147483647");
    expectDrawnAs(INT32_MIN, "-2147483648");
}

TEST_F(NumberTest, MinusFortyFiveIsThreeGlyphsWide) {
    drawNumber(0, 0, -45);
    EXPECT_EQ(cellAt(0, 0), glyph('-'));
    EXPECT_EQ(cellAt(6, 0), glyph('4'));
    EXPECT_EQ(cellAt(12, 0), glyph('5'));
    EXPECT_EQ(cellAt(18, 0), Rows{});
}

TEST_F(FontTest, FarAwayTextIsSafe) {
    drawText(INT32_MAX - 2, 0, "ABCDEF");
    drawText(0, INT32_MAX - 2, "AB\nCD");
    drawNumber(INT32_MIN, INT32_MIN, INT32_MIN);
    drawText(0, 0, nullptr);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

}  // namespace

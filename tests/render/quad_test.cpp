// Textured quads: which texel each pixel of a square and of a turned quad samples (worked out
// from the edge walk and the half-texel rounding), clipped and one-pixel spans, the coverage
// rules of the three fillers, and that nothing lands outside the clip rectangle.
#include "tests/render/render_test_support.h"

namespace {

// Source pixel (r, c) gets a colour of its own, never the key.
std::uint32_t numbered(int r, int c) {
    return static_cast<std::uint32_t>(r << 8 | c);
}

class QuadTest : public RenderTest {
protected:
    void SetUp() override {
        for (int i = 0; i < kTxmSize * kTxmSize; ++i) source[i] = numbered(i / kTxmSize, i % kTxmSize);
        RenderTest::SetUp(), loadTxm(texture.get(), source);
    }
    std::vector<std::uint32_t> source = std::vector<std::uint32_t>(kTxmSize * kTxmSize);
    void square(int x, int y, int size, int u0, int v0, int u1, int v1) {
        drawTexQuad(x, y, x + size - 1, y, x + size - 1, y + size - 1, x, y + size - 1, u0, v0, u1, v0, u1,
                    v1, u0, v1, texture.get());
    }
};

TEST_F(QuadTest, SquareTakesOneTexelPerPixelInEitherWindingAndClipsLikeTheWholeSpan) {
    for (int winding = 0; winding < 3; ++winding) {
        paint(target.get(), 0);
        if (winding == 0) square(50, 60, 10, 0, 0, 9, 9);
        if (winding == 1) drawTexQuad(50, 60, 50, 69, 59, 69, 59, 60, 0, 0, 0, 9, 9, 9, 9, 0, texture.get());
        if (winding == 2) setClipRect(53, 0, 399, 299), square(50, 60, 10, 0, 0, 9, 9);
        for (int i = winding == 2 ? 3 : 0; i < 100; i += i % 10 == 9 && winding == 2 ? 4 : 1)
            ASSERT_EQ(at(target.get(), 50 + i % 10, 60 + i / 10), numbered(i / 10, i % 10)) << i;
        EXPECT_EQ(countNot(target.get(), 0), winding == 2 ? 70 : 99);  // source (0, 0) is black
    }
    paint(target.get(), 0), resetClipRect(), square(-5, 0, 10, 0, 0, 9, 9);
    EXPECT_EQ(at(target.get(), 0, 7), numbered(7, 5));
}

// A square turned by about 23 degrees: corners 7 across and 3 down from each other, texels
// (2, 3) to (9, 10). The edge from (20, 10) to (27, 13) steps down only once its error passes
// half of 7, so row 10 is (20, 10) and (21, 10). Row 13 runs from (19, 13), four rows up the
// left edge at texel (2, 6), to the corner (27, 13) at (9, 3): pixel (25, 13) samples
// u = 7.25, v = 3.75, which half a store texel rounds to store (8, 15), midway between source
// (4, 7) and (4, 8); without it, store (7, 14), midway between (3, 7) and (4, 7).
TEST_F(QuadTest, TurnedQuadFollowsTheEdgeWalkAndTheHalfTexel) {
    drawTexQuad(20, 10, 27, 13, 24, 20, 17, 17, 2, 3, 9, 3, 9, 10, 2, 10, texture.get());
    // clang-format off
    const struct { int x, y; std::uint32_t pixel; } pixels[] = {{20, 10, numbered(3, 2)}, {21, 10, numbered(3, 3)},
        {22, 10, 0}, {19, 13, numbered(6, 2)}, {25, 13, ((numbered(4, 7) & 0xFEFEFE) + numbered(4, 8)) >> 1}, {28, 13, 0}};
    // clang-format on
    for (const auto& p : pixels) EXPECT_EQ(at(target.get(), p.x, p.y), p.pixel) << p.x << "," << p.y;
    std::uint64_t digest = 14695981039346656037u;
    for (std::uint32_t pixel : target->pixels) digest = (digest ^ pixel) * 1099511628211u;
    EXPECT_EQ(digest, 5588420330813628397u);
}

TEST_F(QuadTest, CoverageRulesOfTheThreeFillers) {
    // clang-format off
    const struct { Filler filler; std::uint32_t texel, before; int alpha; std::uint32_t after; } cases[] = {
        {Filler::opaque, 0x123456, 0x808080, 0, 0x123456}, {Filler::opaque, kTransparentTexel, 0x808080, 0, 0x808080},
        {Filler::opaque, 0xA0FEFEFE, 0x030303, 0, (0xA0FEFEFE + 0x020202) >> 1},
        {Filler::opaque, 0x90FCFCFC, 0xFFFFFF, 0, (0x90FCFCFC + 3 * 0xFCFCFC) >> 2},
        {Filler::opaque, 0xB0C0C0C0, 0x101010, 0, (0xB0C0C0C0 + 0x101010) >> 2},
        {Filler::add, 0x123456, 0x808080, 0, 0x92B4D6}, {Filler::add, kTransparentTexel, 0x808080, 0, 0x808080},
        {Filler::add, 0xA0FEFEFE, 0x030303, 0, 0x50828282}, {Filler::add, 0x90FCFCFC, 0xFFFFFF, 0, 0x24FFFFFF},
        {Filler::add, 0xB0C0C0C0, 0x101010, 0, 0x2C404040}, {Filler::blend, 0xFFFFFF, 0, 64, 0x3F3F3F},
        {Filler::blend, 0xFFFFFF, 0, 300, 0xFEFEFE},  // as 255: (255 x 255) >> 8
        {Filler::blend, 0xFFFFFF, 0x123456, -5, 0x123456},
        {Filler::blend, 0xA0FEFEFE, 0, 128, 0x283F3F3F},  // half coverage first, then x 128 >> 8
        {Filler::blend, kTransparentTexel, 0x283F3F3F, 128, 0x283F3F3F}};
    // clang-format on
    const int c[16] = {0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5, 5};  // one pixel at (0, 0)
    for (const auto& t : cases) {
        std::fill_n(texture->texels, kTextureSize * kTextureSize, t.texel);
        at(target.get(), 0, 0) = t.before;
        drawQuad(t.filler, c, texture.get(), t.alpha);
        EXPECT_EQ(at(target.get(), 0, 0), t.after) << &t - cases;
    }
}

TEST_F(QuadTest, NothingLandsOutsideTheClipRectangle) {
    drawTexQuad(0, 0, 9, 0, 9, 9, 0, 9, 1, 1, 9, 1, 9, 9, 1, 9, nullptr);
    for (auto [x, y] : {std::pair{400, 0}, {-10, 0}, {0, 300}, {0, -10}}) square(x, y, 10, 1, 1, 9, 9);
    EXPECT_EQ(countNot(target.get(), 0), 0);
    std::fill_n(texture->texels, kTextureSize * kTextureSize, 0x00FFFFFFu);
    std::mt19937 random(7);
    auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 300; ++round) {
        paint(target.get(), 0);
        setClipRect(number(-20, 420), number(-20, 320), number(-20, 420), number(-20, 320));
        int c[16];
        for (int i = 0; i < 16; ++i) c[i] = i >= 8 ? number(0, 127) : number(-300, 700 - i % 2 * 100);
        drawQuad(Filler::add, c, texture.get());
        for (int y = drawContext.clipTop; y <= drawContext.clipBottom; ++y)
            for (int x = drawContext.clipLeft; x <= drawContext.clipRight; ++x) at(target.get(), x, y) = 0;
        ASSERT_EQ(countNot(target.get(), 0), 0) << "round " << round;
    }
}

}  // namespace

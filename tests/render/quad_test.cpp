// Textured quads: where the edges put the spans, which texels a span samples (including at a
// clipped edge and for a one-pixel span), the per-pixel coverage rules of the three fillers,
// and that nothing lands outside the clip rectangle.
#include <vector>

#include "tests/render/render_test_support.h"

namespace {

class QuadTest : public RenderTest {
protected:
    // Source pixel (r, c) gets a colour of its own, never the key.
    static std::uint32_t numbered(int r, int c) { return static_cast<std::uint32_t>(r << 8 | c); }
    void loadNumbered() {
        std::vector<std::uint32_t> pixels(kTxmSize * kTxmSize);
        for (int i = 0; i < kTxmSize * kTxmSize; ++i) pixels[i] = numbered(i / kTxmSize, i % kTxmSize);
        loadTxm(texture.get(), pixels);
    }
    void square(int x, int y, int size, int u0, int v0, int u1, int v1) {
        drawTexQuad(x, y, x + size - 1, y, x + size - 1, y + size - 1, x, y + size - 1, u0, v0, u1, v0, u1,
                    v1, u0, v1, texture.get());
    }
    // One texel everywhere and a one-pixel quad at (0, 0) drawn over `before`; returns the pixel.
    std::uint32_t point(Filler filler, std::uint32_t texel, std::uint32_t before, int alpha) {
        std::fill_n(texture->texels, kTextureSize * kTextureSize, texel);
        at(target.get(), 0, 0) = before;
        const int c[16] = {0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5, 5};
        drawQuad(filler, c, texture.get(), alpha);
        return at(target.get(), 0, 0);
    }
    std::unique_ptr<TextureStore> texture = std::make_unique<TextureStore>();
};

TEST_F(QuadTest, TenByTenSquareTakesOneSourceTexelPerPixelInEitherWinding) {
    loadNumbered();
    for (bool clockwise : {true, false}) {
        paint(target.get(), 0);
        clockwise ? square(50, 60, 10, 0, 0, 9, 9)
                  : drawTexQuad(50, 60, 50, 69, 59, 69, 59, 60, 0, 0, 0, 9, 9, 9, 9, 0, texture.get());
        for (int j = 0; j < 10; ++j) {
            for (int i = 0; i < 10; ++i) {
                EXPECT_EQ(at(target.get(), 50 + i, 60 + j), numbered(j, i)) << i << "," << j;
            }
        }
        EXPECT_EQ(countNot(target.get(), 0), 99);  // source pixel (0, 0) is black
    }
}

TEST_F(QuadTest, ClippedLeftEdgeSamplesWhatTheWholeSpanWould) {
    loadNumbered();
    square(-5, 0, 10, 0, 0, 9, 9);
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 5; ++i) EXPECT_EQ(at(target.get(), i, j), numbered(j, i + 5));
    }
    paint(target.get(), 0);
    setClipRect(23, 0, 399, 299);
    square(20, 0, 10, 0, 0, 9, 9);
    EXPECT_EQ(at(target.get(), 22, 4), 0u);
    EXPECT_EQ(at(target.get(), 23, 4), numbered(4, 3));
    EXPECT_EQ(at(target.get(), 29, 9), numbered(9, 9));
}

TEST_F(QuadTest, OnePixelSpansSampleWithoutTheHalfTexel) {
    loadNumbered();
    drawTexQuad(7, 8, 7, 8, 7, 8, 7, 8, 3, 4, 3, 4, 3, 4, 3, 4, texture.get());
    EXPECT_EQ(at(target.get(), 7, 8), numbered(4, 3));
    EXPECT_EQ(countNot(target.get(), 0), 1);
    std::vector<std::uint32_t> pixels(kTxmSize * kTxmSize, 0);
    pixels[0] = 0x00FEFEFEu;  // source (0, 0) bright, (1, 0) black
    loadTxm(texture.get(), pixels);
    ASSERT_EQ(texture->texels[kTextureSize], 0x007F7F7Fu);
    // A vertical sliver: each row is one pixel wide; row 11 sits 1/3 of the way down, at
    // store row 0.67, which rounds to row 1 only with the half-texel offset.
    drawTexQuad(10, 10, 10, 10, 10, 13, 10, 13, 0, 0, 0, 0, 0, 1, 0, 1, texture.get());
    EXPECT_EQ(at(target.get(), 10, 10), 0x00FEFEFEu);
    EXPECT_EQ(at(target.get(), 10, 11), 0x00FEFEFEu);
    EXPECT_EQ(at(target.get(), 10, 12), 0x007F7F7Fu);
}

TEST_F(QuadTest, CoverageRulesOfTheThreeFillers) {
    struct Case {
        Filler filler;
        std::uint32_t texel, before;
        int alpha;
        std::uint32_t after;
    } const cases[] = {
        {Filler::opaque, 0x00123456u, 0x00808080u, 0, 0x00123456u},
        {Filler::opaque, kTransparentTexel, 0x00808080u, 0, 0x00808080u},
        {Filler::opaque, 0xA0FEFEFEu, 0x00030303u, 0, (0xA0FEFEFEu + 0x00020202u) >> 1},
        {Filler::opaque, 0x90FCFCFCu, 0x00FFFFFFu, 0, (0x90FCFCFCu + 3u * 0x00FCFCFCu) >> 2},
        {Filler::opaque, 0xB0000000u | (3u * 0x00404040u), 0x00101010u, 0,
         (0xB0000000u + 3u * 0x00404040u + 0x00101010u) >> 2},
        {Filler::add, 0x00123456u, 0x00808080u, 0, 0x0092B4D6u},
        {Filler::add, kTransparentTexel, 0x00808080u, 0, 0x00808080u},
        {Filler::add, 0xA0FEFEFEu, 0x00030303u, 0, 0x50828282u},
        {Filler::add, 0x90FCFCFCu, 0x00FFFFFFu, 0, 0x24FFFFFFu},
        {Filler::add, 0xB0000000u | (3u * 0x00404040u), 0x00101010u, 0, 0x2C404040u},
        {Filler::blend, 0x00FFFFFFu, 0, 64, 0x003F3F3Fu},
        {Filler::blend, 0x00FFFFFFu, 0, 300, 0x00FEFEFEu},  // as 255: (255 x 255) >> 8
        {Filler::blend, 0x00FFFFFFu, 0x00123456u, -5, 0x00123456u},
        {Filler::blend, 0xA0FEFEFEu, 0, 128, 0x283F3F3Fu},  // half coverage first: c = 0x507F7F7F, x 128 >> 8
        {Filler::blend, kTransparentTexel, 0x283F3F3Fu, 128, 0x283F3F3Fu}};
    for (const Case& c : cases) {
        EXPECT_EQ(point(c.filler, c.texel, c.before, c.alpha), c.after)
            << "filler " << static_cast<int>(c.filler) << std::hex << " texel " << c.texel << " on "
            << c.before;
    }
}

TEST_F(QuadTest, NullTextureAndQuadsOutsideDrawNothing) {
    loadNumbered();
    drawTexQuad(0, 0, 9, 0, 9, 9, 0, 9, 1, 1, 9, 1, 9, 9, 1, 9, nullptr);
    square(400, 0, 10, 1, 1, 9, 9);
    square(-10, 0, 10, 1, 1, 9, 9);
    square(0, 300, 10, 1, 1, 9, 9);
    square(0, -10, 10, 1, 1, 9, 9);
    setClipRect(500, 500, 450, 450);
    square(100, 100, 50, 1, 1, 99, 99);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

TEST_F(QuadTest, RandomQuadsStayInsideTheClipRectangle) {
    std::fill_n(texture->texels, kTextureSize * kTextureSize, 0x00FFFFFFu);
    std::mt19937 random(7);
    auto coordinate = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 300; ++round) {
        paint(target.get(), 0);
        int left = coordinate(-20, 420), top = coordinate(-20, 320);
        setClipRect(left, top, coordinate(-20, 420), coordinate(-20, 320));
        int c[16];
        for (int i = 0; i < 4; ++i) {
            c[2 * i] = coordinate(-300, 700);
            c[2 * i + 1] = coordinate(-300, 600);
            c[8 + 2 * i] = coordinate(0, 127);
            c[9 + 2 * i] = coordinate(0, 127);
        }
        drawQuad(Filler::add, c, texture.get());
        // Blank out the clip rectangle: anything left was drawn outside it.
        for (int y = drawContext.clipTop; y <= drawContext.clipBottom; ++y) {
            for (int x = drawContext.clipLeft; x <= drawContext.clipRight; ++x) at(target.get(), x, y) = 0;
        }
        ASSERT_EQ(countNot(target.get(), 0), 0) << "round " << round;
    }
}

TEST_F(QuadTest, EdgeRecordsBothEndsOfAFlatEdge) {
    for (SpanRow& row : spanTable.rows) {
        row.leftX = 1000000000;
        row.rightX = -1000000000;
    }
    drawEdge(30, 5, 1 << 24, 2 << 24, 10, 5, 3 << 24, 4 << 24);
    EXPECT_EQ(spanTable.rows[5].leftX, 10);
    EXPECT_EQ(spanTable.rows[5].leftU, 3 << 24);
    EXPECT_EQ(spanTable.rows[5].rightX, 30);
    EXPECT_EQ(spanTable.rows[5].rightV, 2 << 24);
    drawEdge(0, 10, 0, 0, 3, 20, 0, 10 << 24);  // y-major: one point per row
    for (int y = 10; y <= 20; ++y) {
        EXPECT_EQ(spanTable.rows[y].leftX, spanTable.rows[y].rightX) << y;
        EXPECT_EQ(spanTable.rows[y].leftV, (y - 10) << 24) << y;
    }
    EXPECT_EQ(spanTable.rows[10].leftX, 0);
    EXPECT_EQ(spanTable.rows[20].leftX, 3);
}

}  // namespace

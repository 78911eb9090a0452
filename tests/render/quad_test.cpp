// Textured quads: where the edges put the spans, which texels a span samples (including at a
// clipped edge and for a one-pixel span), the per-pixel coverage rules of the three fillers,
// and that nothing lands outside the clip rectangle.
#include <vector>

#include "render/texture.h"
#include "tests/render/render_test_support.h"

namespace {

class QuadTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        texture = std::make_unique<TextureStore>();
    }
    // Source pixel (r, c) gets a colour of its own, never the key.
    void loadNumbered() {
        std::vector<std::uint8_t> bytes(kTxmBytes);
        for (int i = 0; i < kTxmSize * kTxmSize; ++i) {
            std::uint32_t colour = numbered(i / kTxmSize, i % kTxmSize);
            for (int b = 0; b < 4; ++b) {
                bytes[i * 4 + b] = static_cast<std::uint8_t>(colour >> (8 * b));
            }
        }
        loadTextureFromMemory(texture.get(), bytes.data(), bytes.size());
    }
    static std::uint32_t numbered(int r, int c) { return static_cast<std::uint32_t>(r << 8 | c); }
    // Every texel the same value; a single-point quad then samples exactly that value.
    void fillStore(std::uint32_t t) {
        for (std::uint32_t& texel : texture->texels) {
            texel = t;
        }
    }
    void square(int x, int y, int size, int u0, int v0, int u1, int v1) {
        drawTexQuad(x, y, x + size - 1, y, x + size - 1, y + size - 1, x, y + size - 1, u0, v0, u1, v0, u1,
                    v1, u0, v1, texture.get());
    }
    std::unique_ptr<TextureStore> texture;
};

TEST_F(QuadTest, TenByTenSquareTakesOneSourceTexelPerPixel) {
    loadNumbered();
    square(50, 60, 10, 0, 0, 9, 9);
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(at(target.get(), 50 + i, 60 + j), numbered(j, i)) << i << "," << j;
        }
    }
    EXPECT_EQ(countNot(target.get(), 0), 99);  // source pixel (0, 0) is black
}

TEST_F(QuadTest, EitherWindingGivesTheSameSquare) {
    loadNumbered();
    drawTexQuad(50, 60, 50, 69, 59, 69, 59, 60, 0, 0, 0, 9, 9, 9, 9, 0, texture.get());
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(at(target.get(), 50 + i, 60 + j), numbered(j, i));
        }
    }
}

TEST_F(QuadTest, ClippedLeftEdgeSamplesWhatTheWholeSpanWould) {
    loadNumbered();
    square(-5, 0, 10, 0, 0, 9, 9);
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(at(target.get(), i, j), numbered(j, i + 5));
        }
    }
    paint(target.get(), 0);
    setClipRect(23, 0, 399, 299);
    square(20, 0, 10, 0, 0, 9, 9);
    EXPECT_EQ(at(target.get(), 22, 4), 0u);
    EXPECT_EQ(at(target.get(), 23, 4), numbered(4, 3));
    EXPECT_EQ(at(target.get(), 29, 9), numbered(9, 9));
}

TEST_F(QuadTest, OnePixelSpanSamplesWithoutTheHalfTexel) {
    std::vector<std::uint8_t> bytes(kTxmBytes, 0);
    bytes[0] = bytes[1] = bytes[2] = 0xFE;  // source (0, 0) bright, (1, 0) black
    loadTextureFromMemory(texture.get(), bytes.data(), bytes.size());
    ASSERT_EQ(texture->texels[kTextureSize], 0x007F7F7Fu);
    // A vertical sliver: each row is one pixel wide; row 11 sits 1/3 of the way down, at
    // store row 0.67, which rounds to row 1 only with the half-texel offset.
    drawTexQuad(10, 10, 10, 10, 10, 13, 10, 13, 0, 0, 0, 0, 0, 1, 0, 1, texture.get());
    EXPECT_EQ(at(target.get(), 10, 10), 0x00FEFEFEu);
    EXPECT_EQ(at(target.get(), 10, 11), 0x00FEFEFEu);
    EXPECT_EQ(at(target.get(), 10, 12), 0x007F7F7Fu);
}

TEST_F(QuadTest, SinglePointSamplesItsCornerTexel) {
    loadNumbered();
    drawTexQuad(7, 8, 7, 8, 7, 8, 7, 8, 3, 4, 3, 4, 3, 4, 3, 4, texture.get());
    EXPECT_EQ(at(target.get(), 7, 8), numbered(4, 3));
    EXPECT_EQ(countNot(target.get(), 0), 1);
}

struct CoverageCase {
    std::uint32_t texel;
    std::uint32_t target;
    std::uint32_t opaque;
    std::uint32_t added;
};

TEST_F(QuadTest, CoverageRulesOfTheOpaqueAndAdditiveFillers) {
    const CoverageCase cases[] = {
        {0x00123456u, 0x00808080u, 0x00123456u, 0x0092B4D6u},
        {kTransparentTexel, 0x00808080u, 0x00808080u, 0x00808080u},
        {0xA0FEFEFEu, 0x00030303u, (0xA0FEFEFEu + 0x00020202u) >> 1, 0x50828282u},
        {0x90FCFCFCu, 0x00FFFFFFu, (0x90FCFCFCu + 3u * 0x00FCFCFCu) >> 2, 0x24FFFFFFu},
        {0xB0000000u | (3u * 0x00404040u), 0x00101010u, (0xB0000000u + 3u * 0x00404040u + 0x00101010u) >> 2,
         0x2C404040u},
    };
    for (const CoverageCase& c : cases) {
        fillStore(c.texel);
        at(target.get(), 0, 0) = c.target;
        drawTexQuad(0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5, 5, texture.get());
        EXPECT_EQ(at(target.get(), 0, 0), c.opaque) << std::hex << c.texel;
        at(target.get(), 0, 0) = c.target;
        drawTexQuadAdd(0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 5, 5, 5, 5, 5, 5, texture.get());
        EXPECT_EQ(at(target.get(), 0, 0), c.added) << std::hex << c.texel;
    }
}

TEST_F(QuadTest, BlendAppliesAlphaOnTopOfCoverageAndClampsIt) {
    fillStore(0x00FFFFFFu);
    at(target.get(), 0, 0) = 0;
    drawTexQuadBlend(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, texture.get(), 64);
    EXPECT_EQ(at(target.get(), 0, 0), 0x003F3F3Fu);
    at(target.get(), 0, 0) = 0;
    drawTexQuadBlend(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, texture.get(), 300);
    EXPECT_EQ(at(target.get(), 0, 0), 0x00FEFEFEu);  // as 255: (255 x 255) >> 8
    at(target.get(), 0, 0) = 0x00123456u;
    drawTexQuadBlend(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, texture.get(), -5);
    EXPECT_EQ(at(target.get(), 0, 0), 0x00123456u);
    fillStore(0xA0FEFEFEu);  // half coverage first: c = (t + (d & FEFEFE)) >> 1
    at(target.get(), 0, 0) = 0;
    drawTexQuadBlend(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, texture.get(), 128);
    EXPECT_EQ(at(target.get(), 0, 0), 0x283F3F3Fu);  // c = 0x507F7F7F, each byte x 128 >> 8
    fillStore(kTransparentTexel);
    drawTexQuadBlend(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, texture.get(), 128);
    EXPECT_EQ(at(target.get(), 0, 0), 0x283F3F3Fu);
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
    fillStore(0x00FFFFFFu);
    std::mt19937 random(7);
    auto coordinate = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 300; ++round) {
        paint(target.get(), 0);
        int left = coordinate(-20, 420), top = coordinate(-20, 320);
        setClipRect(left, top, coordinate(-20, 420), coordinate(-20, 320));
        int x[4], y[4], uv[8];
        for (int i = 0; i < 4; ++i) {
            x[i] = coordinate(-300, 700);
            y[i] = coordinate(-300, 600);
        }
        for (int& t : uv) {
            t = coordinate(0, 127);
        }
        drawTexQuadAdd(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], uv[0], uv[1], uv[2], uv[3], uv[4],
                       uv[5], uv[6], uv[7], texture.get());
        for (int py = 0; py < kFrameHeight; ++py) {
            for (int px = 0; px < kFrameWidth; ++px) {
                bool inside = px >= drawContext.clipLeft && px <= drawContext.clipRight &&
                              py >= drawContext.clipTop && py <= drawContext.clipBottom;
                if (!inside) {
                    ASSERT_EQ(at(target.get(), px, py), 0u) << round << ": " << px << "," << py;
                }
            }
        }
    }
}

TEST_F(QuadTest, EdgeRecordsBothEndsOfAFlatEdge) {
    for (int y = 0; y < kFrameHeight; ++y) {
        spanTable.rows[y].leftX = 1000000000;
        spanTable.rows[y].rightX = -1000000000;
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

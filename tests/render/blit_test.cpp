// Shapes and image blits: the clip rectangle at every edge, the per-pixel rules with their
// saturation, and the special ends of the level and alpha scales.
#include "tests/render/render_test_support.h"

namespace {

using BlitTest = RenderTest;

// Pixels drawn by a square image at the surface edges and at those of a clip 10..30 x 20..40.
TEST_F(BlitTest, ClipRectangleAndSurfaceEdges) {
    setClipRect(500, -10, 20, 400);  // ordered and clamped
    const DrawContext& dc = drawContext;
    EXPECT_EQ(std::tuple(dc.clipLeft, dc.clipTop, dc.clipRight, dc.clipBottom), std::tuple(20, 0, 399, 299));
    // clang-format off
    const struct { bool innerClip; int x, y, side, drawn; } cases[] = {
        {false, 400, 0, 3, 0}, {false, 0, 300, 3, 0}, {false, -3, 0, 3, 0}, {false, 0, -3, 3, 0},
        {false, 399, 299, 3, 1}, {true, 5, 25, 5, 0}, {true, 31, 25, 5, 0}, {true, 15, 15, 5, 0},
        {true, 15, 41, 5, 0}, {true, 6, 16, 5, 1}, {true, -7, -9, 100, 21 * 21}};
    // clang-format on
    for (const auto& c : cases) {
        paint(target.get(), 0), c.innerClip ? setClipRect(10, 20, 30, 40) : resetClipRect();
        blitCopy(c.x, c.y, makeImage(c.side, c.side, 0x00ABCDEFu).get());
        EXPECT_EQ(countNot(target.get(), 0), c.drawn) << &c - cases;
    }
    EXPECT_EQ(at(target.get(), 10, 20) & at(target.get(), 30, 40), 0x00ABCDEFu);
    ImagePtr image = makeImage(10, 1, 0);
    for (int x = 0; x < 10; ++x) at(image.get(), x, 0) = static_cast<std::uint32_t>(x + 1);
    resetClipRect(), blitCopy(-5, 299, image.get());  // the right columns show
    EXPECT_EQ(std::pair(at(target.get(), 0, 299), at(target.get(), 5, 299)), std::pair(6u, 0u));
}

TEST_F(BlitTest, InsideOutClipNullEmptyAndFarAwayImagesDrawNothing) {
    ImagePtr image = makeImage(400, 300, 0x00FFFFFFu), empty(createPixelBuffer(0, 5));
    paint(target.get(), 0x00404040u);
    for (bool rightOnly : {false, true}) {  // wholly off the surface, or only the right side
        setClipRect(500, 400, 450, 350);
        if (rightOnly) resetClipRect(), drawContext.clipLeft = 400;
        drawPixel(399, 299), drawHLine(0, 399, 299), drawVLine(0, 299, 399), grabRect(0, 0, image.get());
        fillRect(-1000, -1000, 1000, 1000), drawRectOutline(0, 0, 399, 299);
        for (Blit blit : kAllBlits) blit(-10, 0, image.get(), 0), blit(0, 0, image.get(), 100);
    }
    resetClipRect();
    for (Blit blit : kAllBlits) {
        blit(0, 0, nullptr, 0), blit(0, 0, empty.get(), 0), blit(INT32_MAX, INT32_MAX, image.get(), 100);
        blit(INT32_MIN, INT32_MIN, image.get(), 0), blit(INT32_MAX - 3, 0, image.get(), 0);
    }
    grabRect(0, 0, nullptr), fillRect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(countNot(target.get(), 0x00404040u) + at(image.get(), 0, 0), 0x00FFFFFFu);
}

// Lines and rectangles take their corners in either order; a clip drops or cuts them; only the
// game's six frame slots can be cleared.
TEST_F(BlitTest, LinesRectsAndClear) {
    drawContext.drawColour = 0x00123456u;
    drawHLine(10, 3, 7), fillRect(5, 6, 1, 2), drawRectOutline(10, 10, 13, 12);
    EXPECT_EQ(countNot(target.get(), 0), 8 + 25 + 10);
    EXPECT_EQ(at(target.get(), 3, 7) & at(target.get(), 10, 7) & at(target.get(), 13, 11), 0x00123456u);
    EXPECT_EQ(at(target.get(), 11, 11), 0u);
    clearFrameBuffer(target.get()), setClipRect(50, 50, 60, 60);
    drawHLine(0, 49, 55), drawHLine(0, 100, 49), drawVLine(0, 100, 61), drawPixel(49, 50), drawPixel(50, 61);
    EXPECT_EQ(countNot(target.get(), 0), 0);
    drawHLine(0, 100, 55), drawVLine(100, 0, 50);
    EXPECT_EQ(countNot(target.get(), 0), 11 + 10);
}

TEST_F(BlitTest, OnePixelRulesOfEveryBlit) {
    // clang-format off
    const struct { BlitKind blit; std::uint32_t source, before; int amount; std::uint32_t after; } cases[] = {
        {kKeyed, colourKey, 0x101010, 0, 0x101010}, {kKeyed, 0x01FF00FF, 0x101010, 0, 0x01FF00FF},
        {kSilhouette, colourKey, 0x101010, 0, 0x101010}, {kSilhouette, 0x01FF00FF, 0x101010, 0, 0xABCDEF},
        {kAdd, 0x808080, 0xA0A0A0, 0, 0xFFFFFF}, {kAdd, 0xFF0180, 0x010280, 0, 0xFF03FF},  // per byte, saturating
        {kAdd, colourKey, 0x202020, 0, 0x202020}, {kSub, 0x808080, 0x404040, 0, 0},
        {kSub, colourKey, 0x202020, 0, 0x202020}, {kSubAll, 0xFF0180, 0xFF03FF, 0, 0x00027F},
        {kSubAll, colourKey, 0xFFFFFF, 0, 0x00FF00}, {kDim, 0xFF8001, 0, 128, 0x7F4000},
        {kDim, 0xFF000000, 0, 255, 0xFE000000}, {kDim, 0xFFFFFF, 0, 255, 0xFEFEFE}, {kDim, 0xFFFFFF, 0x505050, 1, 0},
        {kDim, colourKey, 0x808080, 0, 0}, {kDim, 0xFFFFFF, 0x808080, -40, 0}, {kDim, colourKey, 0, 300, colourKey},
        {kBlend, 0xFFFFFF, 0, 64, 0x3F3F3F}, {kBlend, 0xFFFFFF, 0xFFFFFF, 255, 0xFFFFFF}, {kBlend, 0xFFFFFF, 0, 1, 0},
        {kBlend, 0xFFFFFF, 0x505050, 0, 0x505050}, {kBlend, 0xFFFFFF, 0x505050, -7, 0x505050},
        {kBlend, colourKey, 0, 256, colourKey}, {kKeyedDim, colourKey, 0x202020, 100, 0x202020},
        {kKeyedDim, colourKey, 0x808080, 0, 0x808080}, {kKeyedDim, 0xFFFFFF, 0x808080, 0, 0},
        {kKeyedDim, colourKey, 0, 256, 0}, {kKeyedDim, 0x123456, 0, 256, 0x123456},
        {kKeyedBlend, colourKey, 0x202020, 100, 0x202020}, {kKeyedBlend, 0xFFFFFF, 0x505050, 0, 0x505050},
        {kKeyedBlend, colourKey, 0, 1000, 0}, {kKeyedBlend, 0x123456, 0, 1000, 0x123456}};
    // clang-format on
    ImagePtr image = makeImage(1, 1, 0);
    for (const auto& c : cases) {
        drawContext.drawColour = 0x00ABCDEFu;
        at(image.get(), 0, 0) = c.source, at(target.get(), 1, 1) = c.before;
        kAllBlits[c.blit](1, 1, image.get(), c.amount);
        EXPECT_EQ(at(target.get(), 1, 1), c.after) << &c - cases;
        EXPECT_EQ(countNot(target.get(), 0), c.after != 0 ? 1 : 0) << &c - cases;
        at(target.get(), 1, 1) = 0;
    }
}

// Level 0 draws a black box whatever the image holds, and leaves the drawing colour black; a
// grab keeps the image's pixels where the target has none.
TEST_F(BlitTest, DimAtLevelZeroIsABoxAndGrabKeepsClippedPixels) {
    paint(target.get(), 0x00808080u);
    blitDim(5, 5, makeImage(10, 10, colourKey).get(), 0);
    EXPECT_EQ(countNot(target.get(), 0x00808080u), 100);
    EXPECT_EQ(at(target.get(), 14, 14) | drawContext.drawColour, 0u);
    drawContext.drawColour = 0x00FFFFFFu, blitKeyedDim(0, 0, makeImage(1, 1, colourKey).get(), 0);
    at(target.get(), 0, 0) = 1 + drawContext.drawColour, at(target.get(), 1, 0) = 2;  // black again
    ImagePtr grab = makeImage(4, 2, 0xEE);
    grabRect(-2, -1, grab.get());
    EXPECT_EQ(std::vector<std::uint32_t>(grab->pixels(), grab->pixels() + 8),
              std::vector<std::uint32_t>({0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 1, 2}));
}

}  // namespace

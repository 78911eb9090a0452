// Shapes and image blits: the clip rectangle at every edge, the per-pixel rules with their
// saturation, and the special ends of the level and alpha scales.
#include "tests/render/render_test_support.h"

namespace {

using BlitTest = RenderTest;
TEST_F(BlitTest, SetClipRectOrdersAndClampsCorners) {
    setClipRect(500, -10, 20, 400);
    EXPECT_EQ(drawContext.clipLeft, 20);
    EXPECT_EQ(drawContext.clipTop, 0);
    EXPECT_EQ(drawContext.clipRight, 399);
    EXPECT_EQ(drawContext.clipBottom, 299);
}

TEST_F(BlitTest, ImageLeftOfTheSurfaceShowsItsRightColumns) {
    ImagePtr image = makeImage(10, 1, 0);
    for (int x = 0; x < 10; ++x) at(image.get(), x, 0) = static_cast<std::uint32_t>(x + 1);
    blitCopy(-5, 0, image.get());
    for (int x = 0; x < 5; ++x) EXPECT_EQ(at(target.get(), x, 0), static_cast<std::uint32_t>(x + 6));
    EXPECT_EQ(at(target.get(), 5, 0), 0u);
}

TEST_F(BlitTest, PixelCountsAtTheSurfaceAndClipEdges) {
    struct Case {
        bool innerClip;  // clip 10..30 x 20..40, else the whole surface
        int x, y, side, drawn;
    } const cases[] = {{false, 400, 0, 3, 0}, {false, 0, 300, 3, 0},       {false, -3, 0, 3, 0},
                       {false, 0, -3, 3, 0},  {false, 399, 299, 3, 1},     {true, 5, 25, 5, 0},
                       {true, 31, 25, 5, 0},  {true, 15, 15, 5, 0},        {true, 15, 41, 5, 0},
                       {true, 6, 16, 5, 1},   {true, -7, -9, 100, 21 * 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " side " << c.side);
        paint(target.get(), 0);
        c.innerClip ? setClipRect(10, 20, 30, 40) : resetClipRect();
        ImagePtr image = makeImage(c.side, c.side, 0x00ABCDEFu);
        blitCopy(c.x, c.y, image.get());
        EXPECT_EQ(countNot(target.get(), 0), c.drawn);
    }
    EXPECT_EQ(at(target.get(), 10, 20), 0x00ABCDEFu);
    EXPECT_EQ(at(target.get(), 30, 40), 0x00ABCDEFu);
}

TEST_F(BlitTest, InsideOutClipRectangleDrawsNothingAnywhere) {
    ImagePtr image = makeImage(400, 300, 0x00FFFFFFu);
    paint(target.get(), 0x00404040u);
    for (bool rightOnly : {false, true}) {
        // Wholly off the surface, or only the right side off: columns still inside are a mistake.
        rightOnly ? setClipRect(0, 0, 399, 299) : setClipRect(500, 400, 450, 350);
        if (rightOnly) drawContext.clipLeft = 400;
        ASSERT_GT(drawContext.clipLeft, drawContext.clipRight);
        drawPixel(399, 299);
        drawHLine(0, 399, 299);
        drawVLine(0, 299, 399);
        fillRect(-1000, -1000, 1000, 1000);
        drawRectOutline(0, 0, 399, 299);
        for (Blit blit : kAllBlits) {
            blit(-10, 0, image.get(), 0);
            blit(0, 0, image.get(), 100);
        }
        EXPECT_EQ(countNot(target.get(), 0x00404040u), 0);
        grabRect(0, 0, image.get());
        EXPECT_EQ(at(image.get(), 0, 0), 0x00FFFFFFu);
    }
}

TEST_F(BlitTest, NullEmptyAndFarAwayImagesDrawNothing) {
    ImagePtr empty(createPixelBuffer(0, 5));
    ImagePtr image = makeImage(10, 10, 0x00FFFFFFu);
    for (Blit blit : kAllBlits) {
        blit(0, 0, nullptr, 0);
        blit(0, 0, empty.get(), 0);
        blit(INT32_MAX, INT32_MAX, image.get(), 100);
        blit(INT32_MIN, INT32_MIN, image.get(), 0);
        blit(INT32_MAX - 3, 0, image.get(), 0);
    }
    grabRect(0, 0, nullptr);
    fillRect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

TEST_F(BlitTest, LinesRectsAndClear) {
    drawContext.drawColour = 0x00123456u;
    drawHLine(10, 3, 7);  // either order
    EXPECT_EQ(countNot(target.get(), 0), 8);
    EXPECT_EQ(at(target.get(), 3, 7), 0x00123456u);
    EXPECT_EQ(at(target.get(), 10, 7), 0x00123456u);
    paint(target.get(), 0);
    fillRect(5, 6, 1, 2);
    EXPECT_EQ(countNot(target.get(), 0), 5 * 5);
    paint(target.get(), 0);
    drawRectOutline(10, 10, 13, 12);
    EXPECT_EQ(countNot(target.get(), 0), 10);
    EXPECT_EQ(at(target.get(), 11, 11), 0u);
    EXPECT_EQ(at(target.get(), 13, 11), 0x00123456u);
    clearFrameBuffer(target.get());
    EXPECT_EQ(countNot(target.get(), 0), 0);
    frameBuffers[5].pixels[17] = 3;
    clearFrameBuffer(5);
    EXPECT_EQ(frameBuffers[5].pixels[17], 0u);
    clearFrameBuffer(6);  // no such slot: ignored
    clearFrameBuffer(-1);
}

TEST_F(BlitTest, LinesAreClippedOrDropped) {
    setClipRect(50, 50, 60, 60);
    drawHLine(0, 49, 55);   // wholly left of the clip
    drawHLine(0, 100, 49);  // row above
    drawVLine(0, 100, 61);  // column right of it
    drawPixel(49, 50);
    drawPixel(50, 61);
    EXPECT_EQ(countNot(target.get(), 0), 0);
    drawHLine(0, 100, 55);
    drawVLine(100, 0, 50);
    EXPECT_EQ(countNot(target.get(), 0), 11 + 10);
}

TEST_F(BlitTest, OnePixelRulesOfEveryBlit) {
    struct Case {
        const char* name;
        BlitKind blit;
        std::uint32_t source, before;
        int amount;
        std::uint32_t after;
    } const cases[] = {{"keyed skips the key", kKeyed, colourKey, 0x00101010u, 0, 0x00101010u},
                       {"keyed: whole word compared", kKeyed, 0x01FF00FFu, 0x00101010u, 0, 0x01FF00FFu},
                       {"silhouette key", kSilhouette, colourKey, 0x00101010u, 0, 0x00101010u},
                       {"silhouette", kSilhouette, 0x01FF00FFu, 0x00101010u, 0, 0x00ABCDEFu},
                       {"add saturates", kAdd, 0x00808080u, 0x00A0A0A0u, 0, 0x00FFFFFFu},
                       {"add per byte", kAdd, 0x00FF0180u, 0x00010280u, 0, 0x00FF03FFu},
                       {"add key", kAdd, colourKey, 0x00202020u, 0, 0x00202020u},
                       {"subtract saturates", kSub, 0x00808080u, 0x00404040u, 0, 0u},
                       {"subtract key", kSub, colourKey, 0x00202020u, 0, 0x00202020u},
                       {"subtract all per byte", kSubAll, 0x00FF0180u, 0x00FF03FFu, 0, 0x0000027Fu},
                       {"subtract all takes the key", kSubAll, colourKey, 0x00FFFFFFu, 0, 0x0000FF00u},
                       {"dim truncates", kDim, 0x00FF8001u, 0, 128, 0x007F4000u},
                       {"dim top byte", kDim, 0xFF000000u, 0, 255, 0xFE000000u},
                       {"dim 255", kDim, 0x00FFFFFFu, 0, 255, 0x00FEFEFEu},
                       {"dim 1", kDim, 0x00FFFFFFu, 0x00505050u, 1, 0u},
                       {"dim 0 is black", kDim, colourKey, 0x00808080u, 0, 0u},
                       {"dim below 0", kDim, 0x00FFFFFFu, 0x00808080u, -40, 0u},
                       {"dim above is a copy", kDim, colourKey, 0, 300, colourKey},
                       {"blend truncates", kBlend, 0x00FFFFFFu, 0, 64, 0x003F3F3Fu},
                       {"blend 255", kBlend, 0x00FFFFFFu, 0x00FFFFFFu, 255, 0x00FFFFFFu},
                       {"blend 1", kBlend, 0x00FFFFFFu, 0, 1, 0u},
                       {"blend 0", kBlend, 0x00FFFFFFu, 0x00505050u, 0, 0x00505050u},
                       {"blend below 0", kBlend, 0x00FFFFFFu, 0x00505050u, -7, 0x00505050u},
                       {"blend 256 is a copy", kBlend, colourKey, 0, 256, colourKey},
                       {"keyed dim key", kKeyedDim, colourKey, 0x00202020u, 100, 0x00202020u},
                       {"keyed dim 0 key", kKeyedDim, colourKey, 0x00808080u, 0, 0x00808080u},
                       {"keyed dim 0 is black", kKeyedDim, 0x00FFFFFFu, 0x00808080u, 0, 0u},
                       {"keyed dim 256 key", kKeyedDim, colourKey, 0, 256, 0u},
                       {"keyed dim 256", kKeyedDim, 0x00123456u, 0, 256, 0x00123456u},
                       {"keyed blend key", kKeyedBlend, colourKey, 0x00202020u, 100, 0x00202020u},
                       {"keyed blend 0", kKeyedBlend, 0x00FFFFFFu, 0x00505050u, 0, 0x00505050u},
                       {"keyed blend 1000 key", kKeyedBlend, colourKey, 0, 1000, 0u},
                       {"keyed blend 1000", kKeyedBlend, 0x00123456u, 0, 1000, 0x00123456u}};
    ImagePtr image = makeImage(1, 1, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drawContext.drawColour = 0x00ABCDEFu;
        at(image.get(), 0, 0) = c.source;
        at(target.get(), 1, 1) = c.before;
        kAllBlits[c.blit](1, 1, image.get(), c.amount);
        EXPECT_EQ(at(target.get(), 1, 1), c.after);
        EXPECT_EQ(countNot(target.get(), 0), c.after != 0 ? 1 : 0);
        at(target.get(), 1, 1) = 0;
    }
}

TEST_F(BlitTest, DimAtLevelZeroIsABoxAndLeavesTheColourBlack) {
    paint(target.get(), 0x00808080u);
    ImagePtr image = makeImage(10, 10, colourKey);
    blitDim(5, 5, image.get(), 0);
    EXPECT_EQ(countNot(target.get(), 0x00808080u), 100);
    EXPECT_EQ(at(target.get(), 14, 14), 0u);
    EXPECT_EQ(drawContext.drawColour, 0u);
    drawContext.drawColour = 0x00FFFFFFu;
    blitKeyedDim(0, 0, image.get(), 0);
    EXPECT_EQ(drawContext.drawColour, 0u);
}

TEST_F(BlitTest, GrabCopiesTheTargetAndKeepsClippedPixels) {
    for (int x = 0; x < 4; ++x) at(target.get(), x, 0) = static_cast<std::uint32_t>(x + 1);
    ImagePtr image = makeImage(4, 2, 0x00EEEEEEu);
    grabRect(-2, -1, image.get());
    EXPECT_EQ(at(image.get(), 2, 1), 1u);
    EXPECT_EQ(at(image.get(), 3, 1), 2u);
    EXPECT_EQ(at(image.get(), 1, 1), 0x00EEEEEEu);
    EXPECT_EQ(at(image.get(), 2, 0), 0x00EEEEEEu);
}

}  // namespace

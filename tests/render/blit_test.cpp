// Shapes and image blits: the clip rectangle at every edge, the per-pixel rules with their
// saturation, and the special ends of the level and alpha scales.
#include "render/blit.h"
#include "tests/render/render_test_support.h"

namespace {

using ClipTest = RenderTest;

TEST_F(ClipTest, SetClipRectOrdersAndClampsCorners) {
    setClipRect(500, -10, 20, 400);
    EXPECT_EQ(drawContext.clipLeft, 20);
    EXPECT_EQ(drawContext.clipTop, 0);
    EXPECT_EQ(drawContext.clipRight, 399);
    EXPECT_EQ(drawContext.clipBottom, 299);
    resetClipRect();
    EXPECT_EQ(drawContext.clipLeft, 0);
    EXPECT_EQ(drawContext.clipRight, 399);
}

TEST_F(ClipTest, RowTablesAddressRows) {
    EXPECT_EQ(drawContext.rowOffset[299], 299u * 1600u);
    EXPECT_EQ(drawContext.rowIndex[299], 299u * 400u);
    EXPECT_EQ(targetRow(3), target->pixels + 1200);
}

TEST_F(ClipTest, ImageLeftOfTheSurfaceShowsItsRightColumns) {
    ImagePtr image = makeImage(10, 1, 0);
    for (int x = 0; x < 10; ++x) {
        at(image.get(), x, 0) = static_cast<std::uint32_t>(x + 1);
    }
    blitCopy(-5, 0, image.get());
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(at(target.get(), x, 0), static_cast<std::uint32_t>(x + 6));
    }
    EXPECT_EQ(at(target.get(), 5, 0), 0u);
}

TEST_F(ClipTest, CornersOfTheSurface) {
    ImagePtr image = makeImage(3, 3, 0x00112233u);
    blitCopy(400, 0, image.get());
    blitCopy(0, 300, image.get());
    blitCopy(-3, 0, image.get());
    blitCopy(0, -3, image.get());
    EXPECT_EQ(countNot(target.get(), 0), 0);
    blitCopy(399, 299, image.get());
    EXPECT_EQ(countNot(target.get(), 0), 1);
    EXPECT_EQ(at(target.get(), 399, 299), 0x00112233u);
}

TEST_F(ClipTest, EveryEdgeOfAnInnerClipRectangle) {
    setClipRect(10, 20, 30, 40);
    ImagePtr image = makeImage(100, 100, 0x00ABCDEFu);
    blitCopy(-7, -9, image.get());
    EXPECT_EQ(countNot(target.get(), 0), 21 * 21);
    EXPECT_EQ(at(target.get(), 10, 20), 0x00ABCDEFu);
    EXPECT_EQ(at(target.get(), 30, 40), 0x00ABCDEFu);
    EXPECT_EQ(at(target.get(), 9, 20), 0u);
    EXPECT_EQ(at(target.get(), 31, 40), 0u);
    EXPECT_EQ(at(target.get(), 10, 19), 0u);
    EXPECT_EQ(at(target.get(), 10, 41), 0u);
}

TEST_F(ClipTest, ImageJustOutsideEachEdgeDrawsNothing) {
    setClipRect(10, 20, 30, 40);
    ImagePtr image = makeImage(5, 5, 0x00FFFFFFu);
    blitCopy(5, 25, image.get());   // columns 5..9
    blitCopy(31, 25, image.get());  // columns 31..35
    blitCopy(15, 15, image.get());  // rows 15..19
    blitCopy(15, 41, image.get());  // rows 41..45
    EXPECT_EQ(countNot(target.get(), 0), 0);
    blitCopy(6, 16, image.get());  // its bottom-right pixel lands on the clip corner
    EXPECT_EQ(countNot(target.get(), 0), 1);
}

TEST_F(ClipTest, InsideOutClipRectangleDrawsNothingAnywhere) {
    setClipRect(500, 400, 450, 350);  // wholly off the surface: left > right, top > bottom
    ASSERT_GT(drawContext.clipLeft, drawContext.clipRight);
    ImagePtr image = makeImage(400, 300, 0x00FFFFFFu);
    paint(target.get(), 0x00404040u);
    drawPixel(399, 299);
    drawHLine(0, 399, 299);
    drawVLine(0, 299, 399);
    fillRect(-1000, -1000, 1000, 1000);
    drawRectOutline(0, 0, 399, 299);
    blitCopy(0, 0, image.get());
    blitKeyed(0, 0, image.get());
    blitSilhouette(0, 0, image.get());
    blitAdd(0, 0, image.get());
    blitSubtract(0, 0, image.get());
    blitSubtractAll(0, 0, image.get());
    blitDim(0, 0, image.get(), 0);
    blitDim(0, 0, image.get(), 100);
    blitBlend(0, 0, image.get(), 100);
    blitKeyedDim(0, 0, image.get(), 0);
    blitKeyedBlend(0, 0, image.get(), 100);
    EXPECT_EQ(countNot(target.get(), 0x00404040u), 0);
    grabRect(0, 0, image.get());
    EXPECT_EQ(at(image.get(), 0, 0), 0x00FFFFFFu);
    // Only the right side wholly off: columns still inside would be a mistake.
    drawContext.clipLeft = 400;
    drawContext.clipRight = 399;
    drawContext.clipTop = 0;
    drawContext.clipBottom = 299;
    fillRect(0, 0, 399, 299);
    blitCopy(-10, 0, image.get());
    EXPECT_EQ(countNot(target.get(), 0x00404040u), 0);
}

TEST_F(ClipTest, NullAndEmptyImagesDrawNothing) {
    ImagePtr empty(createPixelBuffer(0, 5));
    blitCopy(0, 0, nullptr);
    blitCopy(0, 0, empty.get());
    blitDim(0, 0, nullptr, 0);
    blitDim(0, 0, empty.get(), 0);
    blitKeyedDim(0, 0, nullptr, 0);
    grabRect(0, 0, nullptr);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

TEST_F(ClipTest, ExtremePositionsNeitherOverflowNorDraw) {
    ImagePtr image = makeImage(10, 10, 0x00FFFFFFu);
    blitCopy(INT32_MAX, INT32_MAX, image.get());
    blitCopy(INT32_MIN, INT32_MIN, image.get());
    blitDim(INT32_MAX - 3, 0, image.get(), 0);
    fillRect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(countNot(target.get(), 0), 0);
}

using ShapeTest = RenderTest;

TEST_F(ShapeTest, HorizontalLineInEitherOrder) {
    drawContext.drawColour = 0x00123456u;
    drawHLine(10, 3, 7);
    EXPECT_EQ(countNot(target.get(), 0), 8);
    EXPECT_EQ(at(target.get(), 3, 7), 0x00123456u);
    EXPECT_EQ(at(target.get(), 10, 7), 0x00123456u);
}

TEST_F(ShapeTest, LinesAreClippedOrDropped) {
    setClipRect(50, 50, 60, 60);
    drawHLine(0, 49, 55);   // wholly left of the clip
    drawHLine(0, 100, 49);  // row above
    drawVLine(0, 100, 61);  // column right of it
    EXPECT_EQ(countNot(target.get(), 0), 0);
    drawHLine(0, 100, 55);
    drawVLine(100, 0, 50);
    EXPECT_EQ(countNot(target.get(), 0), 11 + 10);
    drawPixel(49, 50);
    drawPixel(50, 61);
    EXPECT_EQ(countNot(target.get(), 0), 21);
}

TEST_F(ShapeTest, FillRectAndOutline) {
    fillRect(5, 6, 1, 2);
    EXPECT_EQ(countNot(target.get(), 0), 5 * 5);
    paint(target.get(), 0);
    drawRectOutline(10, 10, 13, 12);
    EXPECT_EQ(countNot(target.get(), 0), 10);
    EXPECT_EQ(at(target.get(), 11, 11), 0u);
    EXPECT_EQ(at(target.get(), 13, 11), 0x00FFFFFFu);
}

TEST_F(ShapeTest, ClearFrameBufferZeroesAnySurface) {
    paint(target.get(), 0x12345678u);
    clearFrameBuffer(target.get());
    EXPECT_EQ(countNot(target.get(), 0), 0);
    frameBuffers[5].pixels[17] = 3;
    clearFrameBuffer(5);
    EXPECT_EQ(frameBuffers[5].pixels[17], 0u);
    clearFrameBuffer(6);  // no such slot: ignored
    clearFrameBuffer(-1);
}

using PixelRuleTest = RenderTest;

TEST_F(PixelRuleTest, KeyedOperationsSkipOnlyTheExactKey) {
    ImagePtr image = makeImage(3, 1, colourKey);
    at(image.get(), 1, 0) = 0x01FF00FFu;  // differs in the top byte: drawn
    paint(target.get(), 0x00101010u);
    blitKeyed(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0x00101010u);
    EXPECT_EQ(at(target.get(), 1, 0), 0x01FF00FFu);
    drawContext.drawColour = 0x00ABCDEFu;
    blitSilhouette(0, 1, image.get());
    EXPECT_EQ(at(target.get(), 1, 1), 0x00ABCDEFu);
    EXPECT_EQ(at(target.get(), 0, 1), 0x00101010u);
}

TEST_F(PixelRuleTest, AllKeyImageLeavesTargetUnchanged) {
    ImagePtr image = makeImage(8, 8, colourKey);
    paint(target.get(), 0x00202020u);
    blitKeyed(0, 0, image.get());
    blitAdd(0, 0, image.get());
    blitSubtract(0, 0, image.get());
    blitKeyedDim(0, 0, image.get(), 100);
    blitKeyedBlend(0, 0, image.get(), 100);
    EXPECT_EQ(countNot(target.get(), 0x00202020u), 0);
}

TEST_F(PixelRuleTest, AddAndSubtractSaturatePerByte) {
    ImagePtr image = makeImage(1, 1, 0x00808080u);
    at(target.get(), 0, 0) = 0x00A0A0A0u;
    blitAdd(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0x00FFFFFFu);
    at(target.get(), 0, 0) = 0x00404040u;
    blitSubtract(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0u);
    at(image.get(), 0, 0) = 0x00FF0180u;
    at(target.get(), 0, 0) = 0x00010280u;
    blitAdd(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0x00FF03FFu);  // bytes saturate alone, no carry between
    blitSubtractAll(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0x0000027Fu);
}

TEST_F(PixelRuleTest, SubtractAllIgnoresTheKey) {
    ImagePtr image = makeImage(1, 1, colourKey);
    at(target.get(), 0, 0) = 0x00FFFFFFu;
    blitSubtractAll(0, 0, image.get());
    EXPECT_EQ(at(target.get(), 0, 0), 0x0000FF00u);
}

TEST_F(PixelRuleTest, DimAndBlendTruncateExactProducts) {
    ImagePtr image = makeImage(1, 1, 0x00FF8001u);
    blitDim(0, 0, image.get(), 128);
    EXPECT_EQ(at(target.get(), 0, 0), 0x007F4000u);
    at(image.get(), 0, 0) = 0x00FFFFFFu;
    blitBlend(0, 1, image.get(), 64);
    EXPECT_EQ(at(target.get(), 0, 1), 0x003F3F3Fu);
    at(target.get(), 0, 2) = 0x00FFFFFFu;
    blitBlend(0, 2, image.get(), 255);  // 255 x 255 + 255 x 1 = 65280, >> 8 = 255
    EXPECT_EQ(at(target.get(), 0, 2), 0x00FFFFFFu);
    at(image.get(), 0, 0) = 0xFF000000u;  // the top byte is a byte like any other
    blitDim(0, 3, image.get(), 255);
    EXPECT_EQ(at(target.get(), 0, 3), 0xFE000000u);
}

using LevelEndTest = RenderTest;

TEST_F(LevelEndTest, DimAtLevelZeroIsABlackBoxAndLeavesColourBlack) {
    paint(target.get(), 0x00808080u);
    ImagePtr image = makeImage(10, 10, colourKey);
    blitDim(5, 5, image.get(), 0);
    EXPECT_EQ(countNot(target.get(), 0x00808080u), 100);
    EXPECT_EQ(at(target.get(), 14, 14), 0u);
    EXPECT_EQ(drawContext.drawColour, 0u);
    drawContext.drawColour = 0x00FFFFFFu;
    blitDim(20, 20, image.get(), -40);
    EXPECT_EQ(at(target.get(), 20, 20), 0u);
}

TEST_F(LevelEndTest, AboveTheScaleIsACopy) {
    ImagePtr image = makeImage(2, 2, 0x00123456u);
    at(image.get(), 0, 0) = colourKey;
    blitDim(0, 0, image.get(), 300);
    EXPECT_EQ(at(target.get(), 0, 0), colourKey);
    EXPECT_EQ(at(target.get(), 1, 1), 0x00123456u);
    blitBlend(10, 0, image.get(), 256);
    EXPECT_EQ(at(target.get(), 10, 0), colourKey);
    blitKeyedDim(20, 0, image.get(), 256);
    EXPECT_EQ(at(target.get(), 20, 0), 0u);
    EXPECT_EQ(at(target.get(), 21, 1), 0x00123456u);
    blitKeyedBlend(30, 0, image.get(), 1000);
    EXPECT_EQ(at(target.get(), 30, 0), 0u);
    EXPECT_EQ(at(target.get(), 31, 1), 0x00123456u);
}

TEST_F(LevelEndTest, BlendAtZeroDrawsNothing) {
    paint(target.get(), 0x00505050u);
    ImagePtr image = makeImage(4, 4, 0x00FFFFFFu);
    blitBlend(0, 0, image.get(), 0);
    blitBlend(0, 0, image.get(), -7);
    blitKeyedBlend(0, 0, image.get(), 0);
    EXPECT_EQ(countNot(target.get(), 0x00505050u), 0);
}

TEST_F(LevelEndTest, KeyedDimAtZeroIsABlackSilhouette) {
    paint(target.get(), 0x00808080u);
    ImagePtr image = makeImage(2, 1, colourKey);
    at(image.get(), 1, 0) = 0x00FFFFFFu;
    blitKeyedDim(0, 0, image.get(), 0);
    EXPECT_EQ(at(target.get(), 0, 0), 0x00808080u);
    EXPECT_EQ(at(target.get(), 1, 0), 0u);
    EXPECT_EQ(drawContext.drawColour, 0u);
}

TEST_F(LevelEndTest, OneAndTwoFiftyFiveUseTheRule) {
    ImagePtr image = makeImage(1, 1, 0x00FFFFFFu);
    blitDim(0, 0, image.get(), 1);
    EXPECT_EQ(at(target.get(), 0, 0), 0u);
    blitDim(0, 0, image.get(), 255);
    EXPECT_EQ(at(target.get(), 0, 0), 0x00FEFEFEu);
    blitBlend(1, 0, image.get(), 1);
    EXPECT_EQ(at(target.get(), 1, 0), 0u);
}

using GrabTest = RenderTest;

TEST_F(GrabTest, CopiesTheTargetAndKeepsClippedPixels) {
    for (int x = 0; x < 4; ++x) {
        at(target.get(), x, 0) = static_cast<std::uint32_t>(x + 1);
    }
    ImagePtr image = makeImage(4, 2, 0x00EEEEEEu);
    grabRect(-2, -1, image.get());
    EXPECT_EQ(at(image.get(), 2, 1), 1u);
    EXPECT_EQ(at(image.get(), 3, 1), 2u);
    EXPECT_EQ(at(image.get(), 1, 1), 0x00EEEEEEu);
    EXPECT_EQ(at(image.get(), 2, 0), 0x00EEEEEEu);
}

}  // namespace

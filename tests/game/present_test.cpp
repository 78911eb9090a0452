// Presenting a frame: the exact after-glow blend, the 800 x 600 full-screen picture, the
// 16-bit tables, and every packed path against its plain loop on random frames.
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/game/game_test_support.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

Pixels randomPixels(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    Pixels pixels(count);
    for (std::uint32_t& p : pixels) p = static_cast<std::uint32_t>(random());
    return pixels;
}

TEST(Blend, SteadyWhiteAfterBlackSettlesAt251AndTheTopByteNeverShows) {
    Pixels white(kFramePixels, 0xFFFFFFFF), display(kFramePixels, 0xFF000000);
    for (std::uint32_t value : {0x00BDBDBDu, 0x00ECECECu, 0x00F8F8F8u, 0x00FBFBFBu, 0x00FBFBFBu}) {
        blendFrame(white.data(), display.data(), display.size());
        EXPECT_EQ(std::pair(display[0], display[kFramePixels - 1]), std::pair(value, value));
    }
}

TEST(Blend, ThePackedPathMatchesThePlainLoop) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const std::size_t count = 1000 + seed;  // odd lengths reach the tail loop
        const Pixels frame = randomPixels(count, seed);
        Pixels fast = randomPixels(count, seed + 100), plain = fast;
        blendFrame(frame.data(), fast.data(), count);
        blendFramePlain(frame.data(), plain.data(), count);
        ASSERT_EQ(fast, plain) << seed;
    }
}

TEST(FullScreen, RowsAreDoubledByInterpolationWithBlackLines) {
    Pixels frame(kFramePixels, 0);
    frame[0] = 0x00FF0000;
    frame[1] = 0x000000FF;
    frame[399] = 0x00123456;
    Pixels screen(kScreenWidth * kScreenHeight, 0xDEADBEEF);
    expandFrame(frame.data(), screen.data(), kScreenWidth);
    EXPECT_EQ(std::tuple(screen[0], screen[1], screen[2], screen[798], screen[799]),
              std::tuple(0x00FF0000u, 0x007F007Fu, 0x000000FFu, 0x00123456u, 0u));
    for (int x = 0; x < kScreenWidth; ++x) ASSERT_EQ(screen[kScreenWidth + x], 0u);
    EXPECT_EQ(screen.back(), 0u);
}

TEST(FullScreen, ThePackedPathMatchesThePlainLoopWithAnyPitch) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const Pixels frame = randomPixels(kFramePixels, seed);
        const std::size_t pitch = 800 + 16 * seed;
        Pixels fast(pitch * kScreenHeight, 7), plain = fast;
        expandFrame(frame.data(), fast.data(), pitch);
        expandFramePlain(frame.data(), plain.data(), pitch);
        ASSERT_EQ(fast, plain) << seed;
    }
}

TEST(SixteenBit, TablesGiveTheTruncatedChannels) {
    SixteenBitTables t565, t555;
    buildSixteenBitTables(&t565, false);
    buildSixteenBitTables(&t555, true);
    std::mt19937 random(3);  // the top byte is random too: it has no effect
    for (int i = 0; i < 100000; ++i) {
        const std::uint32_t p = static_cast<std::uint32_t>(random());
        const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        ASSERT_EQ(toSixteenBit(t565, p), ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
        ASSERT_EQ(toSixteenBit(t555, p), ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    }
}

TEST(SixteenBit, TheFullScreenPictureIsConvertedPixelByPixel) {
    static SixteenBitTables tables;
    buildSixteenBitTables(&tables, false);
    const Pixels frame = randomPixels(kFramePixels, 9);
    Pixels wide(kScreenWidth * kScreenHeight);
    std::vector<std::uint16_t> narrow(wide.size(), 0xAAAA);
    expandFramePlain(frame.data(), wide.data(), kScreenWidth);
    expandFrame16(frame.data(), narrow.data(), kScreenWidth, tables);
    for (std::size_t i = 0; i < wide.size(); ++i) ASSERT_EQ(narrow[i], toSixteenBit(tables, wide[i])) << i;
}

// Where the picture lies in the window and on the screen is checked on what SDL's dummy driver
// shows (sdl_layer_test.cpp).
TEST(Placement, TheFirstWindowIsTwiceTheFrameWhereTheDesktopHoldsItAndAStoredOneFits) {
    struct Row {
        PixelSize stored, usable, decorations, expected;
    };
    const Row rows[] = {
        {{}, {1920, 1050}, {0, 0}, {800, 600}},
        {{}, {1024, 640}, {8, 40}, {800, 600}},
        {{}, {1024, 639}, {8, 40}, {400, 300}},
        {{}, {800, 600}, {0, 0}, {800, 600}},
        {{}, {800, 576}, {0, 0}, {400, 300}},
        {{1000, 700}, {1920, 1080}, {0, 30}, {1000, 700}},
        {{2000, 1500}, {1920, 1080}, {0, 30}, {1920, 1050}},
        {{1000, 700}, {}, {}, {1000, 700}},
        {{0, 500}, {1920, 1050}, {0, 0}, {800, 600}},  // half a size stored: none
    };
    for (const Row& row : rows)
        EXPECT_EQ(chooseWindowSize(row.stored, row.usable, row.decorations), row.expected) << row.usable.h;
}

// The screens players have (physical pixels, so HiDPI rows are the doubled sizes), each picture
// (the window's 400 x 300 frame, full screen's 800 x 600) in both modes.
TEST(Placement, SharpFillTakesTheScreensShapeAndWholeFactorsTheLargestMultiple) {
    struct Row {
        PixelSize output, picture;
        bool sharp;
        Placement expected;
    };
    const Row rows[] = {
        {{800, 600}, kFullScreenSize, true, {0, 0, 800, 600, 1, false}},
        {{1024, 768}, kFullScreenSize, true, {0, 0, 1024, 768, 2, true}},
        {{1024, 768}, kFullScreenSize, false, {112, 84, 800, 600, 1, false}},
        {{1280, 800}, kFullScreenSize, true, {107, 0, 1066, 800, 2, true}},
        {{1366, 768}, kFullScreenSize, true, {171, 0, 1024, 768, 2, true}},
        {{1920, 1080}, kFullScreenSize, true, {240, 0, 1440, 1080, 2, true}},
        {{1920, 1080}, kFullScreenSize, false, {560, 240, 800, 600, 1, false}},
        {{2560, 1440}, kFullScreenSize, true, {320, 0, 1920, 1440, 3, true}},
        {{3840, 2160}, kFullScreenSize, true, {480, 0, 2880, 2160, 4, true}},
        {{3840, 2160}, kFullScreenSize, false, {720, 180, 2400, 1800, 3, false}},
        {{2560, 1600}, kFullScreenSize, true, {213, 0, 2133, 1600, 3, true}},   // 1280 x 800 at 2x
        {{3200, 1800}, kFullScreenSize, true, {400, 0, 2400, 1800, 3, false}},  // 1600 x 900 at 2x
        {{640, 480}, kFullScreenSize, true, {0, 0, 640, 480, 1, true}},
        {{640, 480}, kFullScreenSize, false, {0, 0, 640, 480, 0, true}},
        {{1000, 700}, kFrameSize, true, {33, 0, 933, 700, 3, true}},
        {{1000, 700}, kFrameSize, false, {100, 50, 800, 600, 2, false}},
        {{1200, 900}, kFrameSize, true, {0, 0, 1200, 900, 3, false}},
        {{500, 800}, kFrameSize, true, {0, 212, 500, 375, 2, true}},
        {{0, 0}, kFrameSize, true, {}},
    };
    for (const Row& row : rows) {
        const Placement p = placePicture(row.output, row.picture, row.sharp);
        EXPECT_EQ(p, row.expected) << row.output.w << "x" << row.output.h << " sharp " << row.sharp << ": "
                                   << p.x << "," << p.y << " " << p.w << "x" << p.h << " f" << p.factor
                                   << " s" << p.smooth;
    }
}

TEST(Present, TheTopRowOfTheFrameIsTheTopRowShownAndTheClipSurvives) {
    resetHeadlessGame();
    options.isWindowed = 1;
    ASSERT_EQ(initDisplay(), 1);
    drawBuffer->pixels[0] = 0x00FCFCFC;
    drawBuffer->pixels[kFramePixels - 1] = 0;
    setClipRect(5, 6, 7, 8);
    drawContext.target = backdropBuffer;
    presentFrame();
    EXPECT_EQ(drawContext.target, drawBuffer);
    EXPECT_EQ(headless.lastFrame[0], 0x00BDBDBDu);
    EXPECT_EQ(headless.lastFrame[kFramePixels - 1], 0u);
    EXPECT_EQ(drawContext.clipLeft, 5);
    EXPECT_EQ(drawContext.clipBottom, 8);
    resetClipRect();
    resetHeadlessGame();
}

}  // namespace

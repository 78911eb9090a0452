// Presenting a frame: the exact after-glow blend, the 800 x 600 full-screen picture, the
// 16-bit tables, and every packed path against its plain loop on random frames.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/platform/headless.h"
#include "game/platform/present.h"
#include "game/shell/media.h"
#include "game/shell/shell.h"
#include "render/pixels.h"

namespace {

std::vector<std::uint32_t> randomPixels(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint32_t> pixels(count);
    for (std::uint32_t& p : pixels) p = static_cast<std::uint32_t>(random());
    return pixels;
}

TEST(Blend, SteadyWhiteAfterBlackSettlesAt251) {
    std::vector<std::uint32_t> white(kFramePixels, 0x00FFFFFF), display(kFramePixels, 0);
    const std::uint32_t expected[] = {0x00BDBDBD, 0x00ECECEC, 0x00F8F8F8, 0x00FBFBFB, 0x00FBFBFB};
    for (std::uint32_t value : expected) {
        blendFrame(white.data(), display.data(), display.size());
        EXPECT_EQ(display[0], value);
        EXPECT_EQ(display[kFramePixels - 1], value);
    }
}

TEST(Blend, TheTopByteNeverReachesTheDisplay) {
    std::vector<std::uint32_t> frame(8, 0xFF000000), display(8, 0xFF000000);
    blendFrame(frame.data(), display.data(), 8);
    for (std::uint32_t p : display) EXPECT_EQ(p, 0u);
}

TEST(Blend, ThePackedPathMatchesThePlainLoop) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const std::size_t count = 1000 + seed;  // odd lengths reach the tail loop
        const std::vector<std::uint32_t> frame = randomPixels(count, seed);
        std::vector<std::uint32_t> fast = randomPixels(count, seed + 100), plain = fast;
        blendFrame(frame.data(), fast.data(), count);
        blendFramePlain(frame.data(), plain.data(), count);
        ASSERT_EQ(fast, plain) << seed;
    }
}

TEST(FullScreen, RowsAreDoubledByInterpolationWithBlackLines) {
    std::vector<std::uint32_t> frame(kFramePixels, 0);
    frame[0] = 0x00FF0000;
    frame[1] = 0x000000FF;
    frame[399] = 0x00123456;
    std::vector<std::uint32_t> screen(kScreenWidth * kScreenHeight, 0xDEADBEEF);
    expandFrame(frame.data(), screen.data(), kScreenWidth);
    EXPECT_EQ(screen[0], 0x00FF0000u);
    EXPECT_EQ(screen[1], 0x007F007Fu);
    EXPECT_EQ(screen[2], 0x000000FFu);
    EXPECT_EQ(screen[798], 0x00123456u);
    EXPECT_EQ(screen[799], 0u);
    for (int x = 0; x < kScreenWidth; ++x) ASSERT_EQ(screen[kScreenWidth + x], 0u);
    EXPECT_EQ(screen[kScreenWidth * kScreenHeight - 1], 0u);
}

TEST(FullScreen, ThePackedPathMatchesThePlainLoopWithAnyPitch) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const std::vector<std::uint32_t> frame = randomPixels(kFramePixels, seed);
        const std::size_t pitch = 800 + 16 * seed;
        std::vector<std::uint32_t> fast(pitch * kScreenHeight, 7), plain = fast;
        expandFrame(frame.data(), fast.data(), pitch);
        expandFramePlain(frame.data(), plain.data(), pitch);
        ASSERT_EQ(fast, plain) << seed;
    }
}

TEST(SixteenBit, TablesGiveTheTruncatedChannels) {
    SixteenBitTables t565, t555;
    buildSixteenBitTables(&t565, false);
    buildSixteenBitTables(&t555, true);
    EXPECT_EQ(toSixteenBit(t565, 0x00FFFFFF), 0xFFFF);
    EXPECT_EQ(toSixteenBit(t555, 0x00FFFFFF), 0x7FFF);
    EXPECT_EQ(toSixteenBit(t565, 0x00123456), 0x11AA);
    EXPECT_EQ(toSixteenBit(t555, 0x00123456), 0x08CA);
    EXPECT_EQ(toSixteenBit(t565, 0xAB123456), 0x11AA);  // the top byte has no effect
    // Against the per-pixel rule on random colours.
    std::mt19937 random(3);
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
    const std::vector<std::uint32_t> frame = randomPixels(kFramePixels, 9);
    std::vector<std::uint32_t> wide(kScreenWidth * kScreenHeight);
    std::vector<std::uint16_t> narrow(kScreenWidth * kScreenHeight, 0xAAAA);
    expandFramePlain(frame.data(), wide.data(), kScreenWidth);
    expandFrame16(frame.data(), narrow.data(), kScreenWidth, tables);
    for (std::size_t i = 0; i < wide.size(); ++i) ASSERT_EQ(narrow[i], toSixteenBit(tables, wide[i])) << i;
}

TEST(Present, TheTopRowOfTheFrameIsTheTopRowShown) {
    resetHeadlessGame();
    shell.isWindowed = 1;
    ASSERT_EQ(initDisplay(), 1);
    drawBuffer->pixels[0] = 0x00FCFCFC;
    drawBuffer->pixels[kFramePixels - 1] = 0;
    setClipRect(5, 6, 7, 8);
    presentFrame();
    EXPECT_EQ(headless.lastFrame[0], 0x00BDBDBDu);
    EXPECT_EQ(headless.lastFrame[kFramePixels - 1], 0u);
    EXPECT_EQ(drawContext.clipLeft, 5);  // the clip rectangle survives presenting
    EXPECT_EQ(drawContext.clipBottom, 8);
    resetClipRect();
    resetHeadlessGame();
}

TEST(Present, CapturedFramesHashAndWrite) {
    std::vector<std::uint32_t> a(100, 0x00123456), b = a;
    EXPECT_EQ(hashPixels(a.data(), a.size()), hashPixels(b.data(), b.size()));
    b[99] = 0x00123457;
    EXPECT_NE(hashPixels(a.data(), a.size()), hashPixels(b.data(), b.size()));
    const std::string path = ::testing::TempDir() + "/frame.ppm";
    ASSERT_TRUE(writePpm(path.c_str(), a.data(), 10, 10));
    std::FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    char header[16] = {};
    ASSERT_EQ(std::fread(header, 1, 13, in), 13u);
    unsigned char pixel[3] = {};
    ASSERT_EQ(std::fread(pixel, 1, 3, in), 3u);
    std::fclose(in);
    EXPECT_STREQ(header, "P6\n10 10\n255\n");
    EXPECT_EQ(pixel[0], 0x12);
    EXPECT_EQ(pixel[2], 0x56);
}

}  // namespace

// The small sprites, checked the way the game draws them: keyed sprites have magenta round a
// solid shape, the shadows hold no magenta at all (they are also subtracted without the key)
// and grow larger and fainter, the burst stages fade, the arrows point their way, and the
// status panel and the editor's random bean stay light under their black text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/assets/asset_files.h"

namespace {

Picture load(const std::string& name) { return readStrictBmp(distPath("DAT/" + name + ".bmp")); }

int countKey(const Picture& p) {
    int n = 0;
    for (std::uint32_t c : p.pixels) n += c == kKey;
    return n;
}

int channelSum(const Picture& p) {
    int sum = 0;
    for (std::uint32_t c : p.pixels)
        if (c != kKey) sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
    return sum;
}

TEST(KeyedSprites, HaveMagentaCornersAndASolidBody) {
    for (const char* n : {"worm", "stone", "exit", "up", "down", "left", "right", "start", "random",
                          "cursor", "add5", "add10", "add15", "add30", "lifeup"}) {
        const Picture p = load(n);
        ASSERT_GT(p.width, 0) << n;
        EXPECT_EQ(p.at(0, 0), kKey) << n;
        EXPECT_EQ(p.at(p.width - 1, p.height - 1), kKey) << n;
        const int opaque = p.width * p.height - countKey(p);
        EXPECT_GT(opaque * 4, p.width * p.height) << n << " is nearly empty";
    }
}

TEST(Shadows, HoldNoMagentaAnywhere) {
    for (const std::string& n : {std::string("shadow"), std::string("wormd1"), std::string("wormd2"),
                                 std::string("wormd3"), std::string("wormd4"), std::string("wormd5"),
                                 std::string("wormd6"), std::string("wormd7"), std::string("wormd8")})
        EXPECT_EQ(countKey(load(n)), 0) << n;
}

TEST(Shadows, TheDiffuseShadowsGrowLargerAndFainter) {
    int previousPeak = 1000, previousSpread = 0;
    for (int k = 1; k <= 8; ++k) {
        const Picture p = load("wormd" + std::to_string(k));
        int peak = 0, spread = 0;
        for (std::uint32_t c : p.pixels) {
            peak = std::max(peak, static_cast<int>((c >> 16) & 0xFF));
            spread += c != 0;
        }
        EXPECT_LT(peak, previousPeak) << k;
        EXPECT_GE(spread, previousSpread) << k;
        previousPeak = peak;
        previousSpread = spread;
    }
}

TEST(Shadows, LeaveTheCornersUntouched) {
    // Black subtracts nothing: a shadow is round, not a square stamp.
    const Picture p = load("shadow");
    EXPECT_EQ(p.at(0, 0), 0u);
    EXPECT_EQ(p.at(9, 9), 0u);
    EXPECT_GT(p.at(5, 5), 0u);
}

TEST(WormBurst, StagesFadeFromBrightToScattered) {
    int previous = 1 << 30;
    for (int k = 1; k <= 8; ++k) {
        const int sum = channelSum(load("wormb" + std::to_string(k)));
        EXPECT_LT(sum, previous) << "wormb" << k;
        EXPECT_GT(sum, 0) << "wormb" << k << " adds nothing";
        previous = sum;
    }
}

std::vector<int> rowWidths(const Picture& p) {
    std::vector<int> widths;
    for (int y = 0; y < p.height; ++y) {
        int n = 0;
        for (int x = 0; x < p.width; ++x) n += p.at(x, y) != kKey;
        if (n > 0) widths.push_back(n);
    }
    return widths;
}

TEST(HintArrows, TheUpArrowHasItsTipOnTopAndItsStemBelow) {
    const std::vector<int> widths = rowWidths(load("up"));
    ASSERT_GE(widths.size(), 8u);
    const auto widest = std::max_element(widths.begin(), widths.end());
    EXPECT_LE(widths.front(), 2) << "the tip";
    EXPECT_GE(*widest, 8) << "the head";
    EXPECT_LT(widths.back(), *widest / 2) << "the stem";
    EXPECT_GT(widest - widths.begin(), 1);
    EXPECT_LT(widest - widths.begin(), static_cast<long>(widths.size()) - 2);
}

TEST(HintArrows, AreQuarterTurnsOfEachOther) {
    const Picture up = load("up"), right = load("right"), down = load("down"), left = load("left");
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            // Turning the up arrow clockwise moves (x, y) to (9 - y, x).
            EXPECT_EQ(up.at(x, y) == kKey, right.at(9 - y, x) == kKey);
            EXPECT_EQ(up.at(x, y) == kKey, down.at(9 - x, 9 - y) == kKey);
            EXPECT_EQ(up.at(x, y) == kKey, left.at(y, 9 - x) == kKey);
        }
}

TEST(StatusPanel, IsLightWhereTheBlackTextGoes) {
    // The game draws the text from (6, 5) of the frame, the panel sitting at (3, 3).
    const Picture p = load("score");
    for (int y = 2; y <= 9; ++y)
        for (int x = 3; x <= 165; ++x) EXPECT_GT(luminance(p.at(x, y)), 170) << x << ", " << y;
    for (int y = 2; y <= 9; ++y)
        for (int x = 216; x <= 241; ++x) EXPECT_GT(luminance(p.at(x, y)), 170) << x << ", " << y;
}

TEST(EditorCells, TheRandomBeanIsLightUnderItsQuestionMark) {
    const Picture p = load("random");
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 6; ++x)
            if (p.at(x, y) != kKey) {
                EXPECT_GT(luminance(p.at(x, y)), 110) << x << ", " << y;
            }
}

TEST(Popups, ScorePopupsAreDistinct) {
    EXPECT_NE(load("add10").pixels, load("add15").pixels);
    EXPECT_NE(load("add15").pixels, load("add30").pixels);
    EXPECT_NE(load("add30").pixels, load("lifeup").pixels);
}

}  // namespace

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

int countKey(const Picture& p) {
    return static_cast<int>(std::count(p.pixels.begin(), p.pixels.end(), kKey));
}

// Every pixel of `name` inside x0..x1, y0..y1 (but the key's, if `keyed`) is lighter than `floor`.
void expectLight(const char* name, int x0, int y0, int x1, int y1, int floor, bool keyed = false) {
    const Picture p = loadDat(name);
    ASSERT_GT(p.width, x1) << name;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            EXPECT_TRUE((keyed && p.at(x, y) == kKey) || luminance(p.at(x, y)) > floor)
                << name << " " << x << ", " << y;
}

TEST(KeyedSprites, HaveMagentaCornersAndASolidBody) {
    for (const char* n : {"worm", "stone", "exit", "up", "down", "left", "right", "start", "random", "cursor",
                          "add5", "add10", "add15", "add30", "lifeup"}) {
        const Picture p = loadDat(n);
        ASSERT_GT(p.width, 0) << n;
        EXPECT_EQ(p.at(0, 0), kKey) << n;
        EXPECT_EQ(p.at(p.width - 1, p.height - 1), kKey) << n;
        EXPECT_GT((p.width * p.height - countKey(p)) * 4, p.width * p.height) << n << " is nearly empty";
    }
    EXPECT_NE(loadDat("add10").pixels, loadDat("add15").pixels);
    EXPECT_NE(loadDat("add15").pixels, loadDat("add30").pixels);
    EXPECT_NE(loadDat("add30").pixels, loadDat("lifeup").pixels);
}

TEST(Shadows, HoldNoMagentaAreRoundAndGrowLargerAndFainter) {
    // Black subtracts nothing: a shadow is round, not a square stamp.
    const Picture shadow = loadDat("shadow");
    EXPECT_EQ(countKey(shadow), 0);
    EXPECT_EQ(shadow.at(0, 0), 0u);
    EXPECT_EQ(shadow.at(9, 9), 0u);
    EXPECT_GT(shadow.at(5, 5), 0u);
    int previousPeak = 1000, previousSpread = 0;
    for (int k = 1; k <= 8; ++k) {
        const Picture p = loadDat("wormd" + std::to_string(k));
        EXPECT_EQ(countKey(p), 0) << k;
        int peak = 0, spread = 0;
        for (std::uint32_t c : p.pixels)
            peak = std::max(peak, static_cast<int>((c >> 16) & 0xFF)), spread += c != 0;
        EXPECT_LT(peak, previousPeak) << k;
        EXPECT_GE(spread, previousSpread) << k;
        previousPeak = peak;
        previousSpread = spread;
    }
}

TEST(WormBurst, StagesFadeFromBrightToScattered) {
    int previous = 1 << 30;
    for (int k = 1; k <= 8; ++k) {
        int sum = 0;
        for (std::uint32_t c : loadDat("wormb" + std::to_string(k)).pixels)
            if (c != kKey) sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
        EXPECT_LT(sum, previous) << "wormb" << k;
        EXPECT_GT(sum, 0) << "wormb" << k << " adds nothing";
        previous = sum;
    }
}

TEST(HintArrows, TheUpArrowPointsUpAndTheOthersAreItsQuarterTurns) {
    const Picture up = loadDat("up"), right = loadDat("right"), down = loadDat("down"),
                  left = loadDat("left");
    std::vector<int> widths;  // of the rows that hold any of the arrow
    for (int y = 0; y < up.height; ++y) {
        int n = 0;
        for (int x = 0; x < up.width; ++x) n += up.at(x, y) != kKey;
        if (n > 0) widths.push_back(n);
    }
    ASSERT_GE(widths.size(), 8u);
    const auto widest = std::max_element(widths.begin(), widths.end());
    EXPECT_LE(widths.front(), 2) << "the tip";
    EXPECT_GE(*widest, 8) << "the head";
    EXPECT_LT(widths.back(), *widest / 2) << "the stem";
    EXPECT_GT(widest - widths.begin(), 1);
    EXPECT_LT(widest - widths.begin(), static_cast<long>(widths.size()) - 2);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            // Turning the up arrow clockwise moves (x, y) to (9 - y, x).
            EXPECT_EQ(up.at(x, y) == kKey, right.at(9 - y, x) == kKey);
            EXPECT_EQ(up.at(x, y) == kKey, down.at(9 - x, 9 - y) == kKey);
            EXPECT_EQ(up.at(x, y) == kKey, left.at(y, 9 - x) == kKey);
        }
}

TEST(BlackText, TheStatusPanelAndTheRandomBeanAreLightUnderIt) {
    // The game draws the panel's text from (6, 5) of the frame, the panel sitting at (3, 3).
    expectLight("score", 3, 2, 165, 9, 170);
    expectLight("score", 216, 2, 241, 9, 170);
    expectLight("random", 1, 1, 6, 8, 110, true);  // under its question mark
}

}  // namespace

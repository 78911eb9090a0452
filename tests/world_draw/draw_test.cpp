// The playfield's drawing: the day cycle's light and backgrounds, the head light at night, the
// status panel's text and fading, the face glancing at beans, the laser flash's rotation and
// the death animation's length.
#include <tuple>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/world/draw.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "tests/world_draw/draw_harness.h"

namespace {

using wd::Drawing;

using wd::floorAt;
using wd::frameAt;

// --- Day cycle ---------------------------------------------------------------------------------

using DayCycle = Drawing;

void runDayUntil(std::int32_t clock) {
    do {
        updateDayCycle();
    } while (world.dayClock != clock);
}

TEST_F(DayCycle, MilestonesOfADay) {
    world.dayClock = 256;
    light.brightness = 256;
    runDayUntil(2244);
    EXPECT_EQ(light.brightness, 256);  // full day until here
    runDayUntil(2436);
    EXPECT_EQ(light.brightness, 64);  // night level
    runDayUntil(3484);
    EXPECT_EQ(light.brightness, 64);
    runDayUntil(3499);
    EXPECT_EQ(light.brightness, 4);
    runDayUntil(14);
    EXPECT_EQ(light.brightness, 64);
    runDayUntil(206);
    EXPECT_EQ(light.brightness, 256);
}

TEST_F(DayCycle, OnlyAnAutoCycleSceneShowsTheNextBackgroundEachDay) {
    for (std::int32_t background : {1, 9, 10}) {  // fixed and random pictures stay
        world.scene.background = background;
        assets.backgroundIndex = 4;
        world.dayClock = 3499;
        updateDayCycle();
        EXPECT_EQ(world.dayClock, 0);
        EXPECT_EQ(assets.backgroundIndex, 4u);
    }
    EXPECT_EQ(wd::backgroundLoads, 0);
    world.scene.background = 0;
    assets.backgroundIndex = 7;
    world.dayClock = 3498;
    updateDayCycle();
    EXPECT_EQ(wd::backgroundLoads, 0);
    updateDayCycle();
    EXPECT_EQ(std::tuple(world.dayClock, assets.backgroundIndex, wd::backgroundLoads), std::tuple(0, 8u, 1));
    runDayUntil(0);
    EXPECT_EQ(assets.backgroundIndex, 0u);  // bg08 is followed by bg00
    EXPECT_EQ(wd::backgroundLoads, 2);
}

// --- Head light --------------------------------------------------------------------------------

// The lit extent of row y in the floor layer, outward from x.
int litRight(int x, int y) {
    while (x < 399 && floorAt(x + 1, y) != 0) ++x;
    return x;
}
int litLeft(int x, int y) {
    while (x > 0 && floorAt(x - 1, y) != 0) --x;
    return x;
}

TEST_F(Drawing, HeadLightReachesNinetySixPixelsAtNightAndShrinksOnceDead) {
    wd::fillTexture(&brightTexture, 0x00202020u);
    placeWorm(200, 150, 1);
    light.brightness = 250;  // daylight: no light
    drawPlayfield();
    EXPECT_EQ(floorAt(190, 154), 0u);
    EXPECT_EQ(floorAt(215, 154), 0u);
    light.brightness = 64;
    drawPlayfield();
    const int cx = 204, cy = 154;
    EXPECT_EQ(std::tuple(litLeft(cx, cy), litRight(cx, cy)), std::tuple(cx - 96, cx + 97));
    EXPECT_EQ(floorAt(cx, cy - 96), 0x00202020u);
    EXPECT_EQ(floorAt(cx, cy - 97), 0u);
    kill();
    clearFrameBuffer(3);
    drawPlayfieldDying();  // tailHold 15: s = (96 x 15) >> 5 = 45
    EXPECT_EQ(std::tuple(litLeft(cx, cy), litRight(cx, cy)), std::tuple(cx - 45, cx + 46));
    EXPECT_EQ(world.tailHold, 14);
}

// --- Status panel ------------------------------------------------------------------------------

TEST(StatusPanelText, NumbersShowAtLeastSixDigitsBehindABlank) {
    char text[40];
    formatScoreLine(text, 0, 45);
    EXPECT_STREQ(text, "HISCORE 000000 SCORE 000045");
    formatScoreLine(text, 1234567, 999999);
    EXPECT_STREQ(text, "HISCORE1234567 SCORE 999999");
    formatScoreLine(text, 120005, 5000);
    EXPECT_STREQ(text, "HISCORE 120005 SCORE 005000");
}

class StatusPanel : public Drawing {
protected:
    void SetUp() override {
        Drawing::SetUp();
        assets.score = wd::solidImage(245, 11, 0x00C8C8C8u);
        assets.background = wd::solidImage(400, 300, 0);
        world.started = 1;
    }
};

TEST_F(StatusPanel, FadesWithTheHeadsHeightUnlessTabHoldsItOrTheGameIsOver) {
    struct Case {
        std::int32_t headY;
        bool started, tab, over;
        std::uint32_t corner;
    };
    // Alpha 200 in the middle of the pond: 200 x 0xC8 >> 8 = 0x9C; near the bottom alpha 100.
    const Case cases[] = {{0, true, false, false, 0},
                          {150, true, false, false, 0x009C9C9Cu},
                          {250, true, false, false, 0x004E4E4Eu},
                          {0, true, true, false, 0x00C8C8C8u},
                          {0, false, true, false, 0x00C8C8C8u},
                          {150, false, false, false, 0},
                          {0, true, true, true, 0x009C9C9Cu}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.headY << c.started << c.tab << c.over);
        keyboard = KeyboardState{};
        if (c.tab) pushKeyEvent(kKeyTab, true);
        world.started = c.started;
        world.sceneAccomplished = c.over;
        world.cells.fill(Empty);
        placeWorm(200, c.headY, 1);
        clearFrameBuffer(0);
        drawPlayfield();
        EXPECT_EQ(frameAt(3, 3), c.corner);  // a corner pixel of the panel that no text covers
    }
}

TEST_F(StatusPanel, LeavesTheTargetAsItFoundIt) {
    placeWorm(200, 150, 1);
    drawPlayfield();
    EXPECT_EQ(std::tuple(drawContext.target, drawContext.clipLeft, drawContext.clipBottom),
              std::tuple(drawBuffer, 0, 299));
}

// --- The face ----------------------------------------------------------------------------------

TEST_F(Drawing, FaceGlancesAtTheFirstBeanAroundOrDecaysTowardStraightAhead) {
    struct Bean {
        int column, row;
        std::uint8_t colour;
    };
    struct Case {
        std::vector<Bean> beans;
        std::uint8_t faceBefore, faceAfter;
    };
    // The head is at cell (10, 10) heading Up. A bean straight ahead holds the gaze (only the
    // decay by 2 runs); a dead face stays.
    const Case cases[] = {{{{11, 10, Green}, {9, 11, Red}}, 0, 4},
                          {{{11, 10, Green}, {9, 11, Red}, {9, 9, Blue}}, 0, 3},
                          {{}, 4, 2},
                          {{}, 2, 0},
                          {{{10, 9, Orange}, {9, 10, Red}}, 5, 3},
                          {{{9, 9, Blue}}, 6, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.faceBefore) << " " << c.beans.size());
        world.cells.fill(Empty);
        placeWorm(100, 100, 1);
        for (const Bean& bean : c.beans) world.cells[cellIndex(bean.column, bean.row)] = bean.colour;
        world.face = c.faceBefore;
        drawPlayfield();
        EXPECT_EQ(world.face, c.faceAfter);
    }
}

TEST_F(Drawing, ChewingWhileGrowingBetweenCells) {
    placeWorm(100, 100, 5);
    world.segY[0] = 96;
    world.tailHold = 3;
    drawPlayfield();
    EXPECT_EQ(world.face, 1);
}

// --- Laser flash -------------------------------------------------------------------------------

TEST(LaserFlash, RotationTablesAreScaledByTwoToTheThirty) {
    EXPECT_EQ(std::tuple(laserCosine(0), laserSine(64), laserCosine(64), laserSine(128), laserCosine(128)),
              std::tuple(1 << 30, 1 << 30, 0, 0, -(1 << 30)));
    EXPECT_EQ(laserSine(32), 759250125);  // sin(pi / 4) x 2^30, rounded
}

TEST(LaserFlash, ProductsKeepTheirHighBitsTimesFour) {
    std::int32_t x = 0, y = 0;
    rotateCorner(-11, -11, 0, x, y);  // -11 x 2^30 >> 32 = -3 (rounded down), times 4
    EXPECT_EQ(std::tuple(x, y), std::tuple(-12, -12));
    // A quarter turn takes (x, y) to (-y, x), give or take the rounding down: -(-11 / 4 -> -3)
    // x 4 = 12 and (11 / 4 -> 2) x 4 = 8.
    rotateCorner(11, -11, 64, x, y);
    EXPECT_EQ(std::tuple(x, y), std::tuple(12, 8));
}

TEST_F(Drawing, FlashSpinsAQuarterTurnPerFrame) {
    wd::fillTexture(&brightTexture, 0x00101010u);
    world.laserAge = 1;
    world.laserX = 100;
    world.laserY = 100;
    world.laserDX = 10;
    drawPlayfield();
    EXPECT_EQ(std::tuple(world.laserAngle, world.laserX), std::tuple(64, 110));
    EXPECT_NE(floorAt(114, 104), 0u);
    drawPlayfield();
    EXPECT_EQ(world.laserAngle, 128);
}

// --- Night sprite ------------------------------------------------------------------------------

TEST_F(Drawing, NightSpriteAlternatesEachNight) {
    world.dayClock = 2700;
    world.nightSpritePatch = 1;
    drawPlayfield();
    EXPECT_EQ(world.nightSpritePatch, 0);
    wd::fillTexture(&brightTexture, 0x00404040u);
    world.dayClock = 2900;  // centred on the pond, alpha 150
    drawPlayfield();
    EXPECT_EQ(floorAt(200, 150), 0x00252525u);  // 0x40 x 150 >> 8
    world.dayClock = 2750;                      // alpha 0: nothing
    clearFrameBuffer(3);
    drawPlayfield();
    EXPECT_EQ(floorAt(200, 3018 - 2750 + 10), 0u);
}

// --- Death animation ---------------------------------------------------------------------------

int framesUntilTheEnd(int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
        drawPlayfieldDying();
        if (world.endFade == 0) return frame;
    }
    return -1;
}

TEST_F(Drawing, BurstRunsFromHeadToTailAndEveryLongerWormReportsTheEnd) {
    struct Case {
        std::int32_t y, length;
        int frames;  // -1: never
        int pops;
    };
    // 15 still frames; segment i reaches stage 8 in burst frame 3i + 8; the end is seen one
    // frame after the tail's. A lone head's stage stops at 7 and never reports the end.
    for (const Case& c :
         {Case{100, 1, -1, 1}, Case{100, 5, 15 + 3 * 4 + 8 + 1, 5}, Case{20, 24, 15 + 3 * 23 + 8 + 1, 24}}) {
        SCOPED_TRACE(c.length);
        wt::resetSoundLog();
        world.cells.fill(Empty);
        world.segDissolve.fill(0);
        placeWorm(100, c.y, c.length);
        kill();
        EXPECT_EQ(framesUntilTheEnd(300), c.frames);
        EXPECT_EQ(wd::playsOf(SoundPop), c.pops);  // every segment pops once
        if (c.length == 1) {
            EXPECT_EQ(world.segDissolve[0], 7);
        }
    }
}

TEST_F(Drawing, StillFramesShowTheDeadFace) {
    placeWorm(100, 100, 5);
    kill();
    for (int i = 0; i < 15; ++i) drawPlayfieldDying();
    EXPECT_EQ(std::tuple(world.tailHold, world.face, world.headDissolve), std::tuple(0, 6, 0));
    drawPlayfieldDying();
    EXPECT_EQ(world.headDissolve, 1);
}

// --- Hint arrows -------------------------------------------------------------------------------

TEST_F(Drawing, HintClocksPulseWithAPeriodOfTwentyNine) {
    world.scene.objective = 1;
    placeWorm(100, 100, 1);
    for (int i = 0; i < 29; ++i) drawPlayfield();
    EXPECT_EQ(world.startHintClock, 0);
    EXPECT_EQ(world.exitHintClock, 0);
    world.started = 1;
    for (int i = 0; i < 40; ++i) drawPlayfield();
    EXPECT_EQ(world.startHintClock, 40);  // no longer wrapped once the worm moves
}

TEST_F(Drawing, StartArrowsFadeInRoundTheWaitingWorm) {
    assets.up = wd::solidImage(10, 10, 0x00FFFFFFu);
    placeWorm(100, 100, 1);
    drawPlayfield();                           // k = 1: alpha 256 / 15 = 17
    EXPECT_EQ(frameAt(105, 95), 0x00101010u);  // 255 x 17 >> 8
    world.started = 1;
    clearFrameBuffer(0);
    drawPlayfield();
    EXPECT_EQ(frameAt(105, 95), 0u);
}

// --- The frame as a whole ----------------------------------------------------------------------

TEST_F(Drawing, BeanHighInTheAirIsDrawnAboveTheWaterEnlarged) {
    wd::fillTexture(&beanTexture, 0x00FFFFFFu);
    world.cells[cellIndex(20, 15)] = Red;
    world.fallHeight[cellIndex(20, 15)] = 63;
    drawPlayfield();
    // 10 + 2 x 63 = 136 pixels wide, from x = 200 - 63; alpha 255 - 252 = 3.
    EXPECT_NE(frameAt(137, 150), 0u);
    EXPECT_EQ(frameAt(136, 150), 0u);
    EXPECT_EQ(floorAt(150, 150), 0u);  // nothing of it on the floor
    EXPECT_EQ(world.fallHeight[cellIndex(20, 15)], 62);
}

TEST_F(Drawing, OuterFrameOfThePictureIsLeftAlone) {
    std::fill(drawBuffer->pixels, drawBuffer->pixels + 400 * 300, 0x00123456u);
    assets.background = wd::solidImage(400, 300, 0x00808080u);
    drawPlayfield();
    EXPECT_EQ(frameAt(0, 0), 0x00123456u);
    EXPECT_EQ(frameAt(399, 150), 0x00123456u);
    EXPECT_EQ(frameAt(1, 1), 0x00808080u);
}

}  // namespace

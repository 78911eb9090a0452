// The playfield's drawing: the day cycle's light and backgrounds, the head light at night, the
// status panel's text and fading, the face glancing at beans, the laser flash's rotation and
// the death animation's length.
#include <cstring>

#include "game/screens/assets.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/world/draw.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "tests/world_draw/draw_harness.h"

namespace {

using wd::Drawing;

std::uint32_t floorAt(int x, int y) { return backdropBuffer->pixels[y * 400 + x] & 0x00FFFFFFu; }
std::uint32_t frameAt(int x, int y) { return drawBuffer->pixels[y * 400 + x] & 0x00FFFFFFu; }

// --- Day cycle ---------------------------------------------------------------------------------

using DayCycle = Drawing;

void runDayUntil(std::int32_t clock) {
    do {
        updateDayCycle();
    } while (world.dayClock != clock);
}

TEST_F(DayCycle, MilestonesOfADay) {
    world.dayClock = 256;
    screens.brightness = 256;
    runDayUntil(2244);
    EXPECT_EQ(screens.brightness, 256);  // full day until here
    runDayUntil(2436);
    EXPECT_EQ(screens.brightness, 64);  // night level
    runDayUntil(3484);
    EXPECT_EQ(screens.brightness, 64);
    runDayUntil(3499);
    EXPECT_EQ(screens.brightness, 4);
    runDayUntil(14);
    EXPECT_EQ(screens.brightness, 64);
    runDayUntil(206);
    EXPECT_EQ(screens.brightness, 256);
}

TEST_F(DayCycle, AutoCycleSceneShowsTheNextBackgroundEachDay) {
    world.background = 0;
    assets.backgroundIndex = 7;
    world.dayClock = 3498;
    updateDayCycle();
    EXPECT_EQ(wd::backgroundLoads, 0);
    updateDayCycle();
    EXPECT_EQ(world.dayClock, 0);
    EXPECT_EQ(assets.backgroundIndex, 8u);
    EXPECT_EQ(wd::backgroundLoads, 1);
    runDayUntil(0);
    EXPECT_EQ(assets.backgroundIndex, 0u);  // bg08 is followed by bg00
    EXPECT_EQ(wd::backgroundLoads, 2);
}

TEST_F(DayCycle, FixedAndRandomBackgroundsStay) {
    for (std::int32_t background : {1, 9, 10}) {
        world.background = background;
        assets.backgroundIndex = 4;
        world.dayClock = 3499;
        updateDayCycle();
        EXPECT_EQ(world.dayClock, 0);
        EXPECT_EQ(assets.backgroundIndex, 4u);
    }
    EXPECT_EQ(wd::backgroundLoads, 0);
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

TEST_F(Drawing, HeadLightReachesNinetySixPixelsAtNight) {
    wd::fillTexture(&brightTexture, 0x00202020u);
    placeWorm(200, 150, 1);
    screens.brightness = 64;
    drawPlayfield();
    const int cx = 204, cy = 154;
    EXPECT_EQ(litLeft(cx, cy), cx - 96);
    EXPECT_EQ(litRight(cx, cy), cx + 97);
    EXPECT_EQ(floorAt(cx, cy - 96), 0x00202020u);
    EXPECT_EQ(floorAt(cx, cy - 97), 0u);
}

TEST_F(Drawing, NoHeadLightInDaylight) {
    wd::fillTexture(&brightTexture, 0x00202020u);
    placeWorm(200, 150, 1);
    screens.brightness = 250;
    drawPlayfield();
    EXPECT_EQ(floorAt(190, 154), 0u);
    EXPECT_EQ(floorAt(215, 154), 0u);
}

TEST_F(Drawing, DeadWormsLightShrinksWithTheStillFrames) {
    wd::fillTexture(&brightTexture, 0x00202020u);
    placeWorm(200, 150, 1);
    kill();
    screens.brightness = 64;
    drawPlayfieldDying();  // tailHold 15: s = (96 x 15) >> 5 = 45
    EXPECT_EQ(litLeft(204, 154), 204 - 45);
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
    // A corner pixel of the panel that no text covers.
    std::uint32_t corner() const { return frameAt(3, 3); }
};

TEST_F(StatusPanel, FullyTransparentWithTheHeadInRowZero) {
    placeWorm(200, 0, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0u);
}

TEST_F(StatusPanel, MostlyOpaqueInTheMiddleOfThePond) {
    placeWorm(200, 150, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0x009C9C9Cu);  // 200 x 0xC8 >> 8
}

TEST_F(StatusPanel, FadesNearTheBottom) {
    placeWorm(200, 250, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0x004E4E4Eu);  // alpha 100
}

TEST_F(StatusPanel, TabShowsItOpaqueAndBeforeTheStart) {
    pushKeyEvent(kKeyTab, true);
    placeWorm(200, 0, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0x00C8C8C8u);
    world.started = 0;
    clearFrameBuffer(0);
    drawPlayfield();
    EXPECT_EQ(corner(), 0x00C8C8C8u);
}

TEST_F(StatusPanel, HiddenBeforeTheStartWithoutTab) {
    world.started = 0;
    placeWorm(200, 150, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0u);
}

TEST_F(StatusPanel, FixedAlphaOnceTheGameIsOver) {
    world.sceneAccomplished = 1;
    pushKeyEvent(kKeyTab, true);
    placeWorm(200, 0, 1);
    drawPlayfield();
    EXPECT_EQ(corner(), 0x009C9C9Cu);
}

TEST_F(StatusPanel, LeavesTheTargetAsItFoundIt) {
    placeWorm(200, 150, 1);
    drawPlayfield();
    EXPECT_EQ(drawContext.target, drawBuffer);
    EXPECT_EQ(drawContext.clipLeft, 0);
    EXPECT_EQ(drawContext.clipBottom, 299);
}

// --- The face ----------------------------------------------------------------------------------

TEST_F(Drawing, FaceGlancesAtTheFirstBeanAround) {
    placeWorm(100, 100, 1);  // cell (10, 10) heading Up
    world.cells[cellIndex(11, 10)] = Green;  // right
    world.cells[cellIndex(9, 11)] = Red;     // back-left
    drawPlayfield();
    EXPECT_EQ(world.face, 4);
    world.cells[cellIndex(9, 9)] = Blue;  // front-left wins
    drawPlayfield();
    EXPECT_EQ(world.face, 3);
}

TEST_F(Drawing, FaceDecaysBackToStraightAhead) {
    placeWorm(100, 100, 1);
    world.face = 4;
    drawPlayfield();
    EXPECT_EQ(world.face, 2);
    drawPlayfield();
    EXPECT_EQ(world.face, 0);
}

TEST_F(Drawing, BeanStraightAheadHoldsTheGaze) {
    placeWorm(100, 100, 1);
    world.cells[cellIndex(10, 9)] = Orange;  // ahead
    world.cells[cellIndex(9, 10)] = Red;     // left
    world.face = 5;
    drawPlayfield();
    EXPECT_EQ(world.face, 3);  // only the decay
}

TEST_F(Drawing, ChewingWhileGrowingBetweenCells) {
    placeWorm(100, 100, 5);
    world.segY[0] = 96;
    world.tailHold = 3;
    drawPlayfield();
    EXPECT_EQ(world.face, 1);
}

TEST_F(Drawing, DeadFaceStays) {
    placeWorm(100, 100, 1);
    world.cells[cellIndex(9, 9)] = Blue;
    world.face = 6;
    drawPlayfield();
    EXPECT_EQ(world.face, 6);
}

// --- Laser flash -------------------------------------------------------------------------------

TEST(LaserFlash, RotationTablesAreScaledByTwoToTheThirty) {
    EXPECT_EQ(laserCosine(0), 1 << 30);
    EXPECT_EQ(laserSine(64), 1 << 30);
    EXPECT_EQ(laserCosine(64), 0);
    EXPECT_EQ(laserSine(128), 0);
    EXPECT_EQ(laserCosine(128), -(1 << 30));
    EXPECT_EQ(laserSine(32), 759250125);  // sin(pi / 4) x 2^30, rounded
}

TEST(LaserFlash, ProductsKeepTheirHighBitsTimesFour) {
    std::int32_t x = 0, y = 0;
    rotateCorner(-11, -11, 0, x, y);  // -11 x 2^30 >> 32 = -3 (rounded down), times 4
    EXPECT_EQ(x, -12);
    EXPECT_EQ(y, -12);
    // A quarter turn takes (x, y) to (-y, x), give or take the rounding down: -(-11 / 4 -> -3)
    // x 4 = 12 and (11 / 4 -> 2) x 4 = 8.
    rotateCorner(11, -11, 64, x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 8);
}

TEST_F(Drawing, FlashSpinsAQuarterTurnPerFrame) {
    wd::fillTexture(&brightTexture, 0x00101010u);
    world.laserAge = 1;
    world.laserX = 100;
    world.laserY = 100;
    world.laserDX = 10;
    drawPlayfield();
    EXPECT_EQ(world.laserAngle, 64);
    EXPECT_EQ(world.laserX, 110);
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
    world.dayClock = 2750;  // alpha 0: nothing
    clearFrameBuffer(3);
    drawPlayfield();
    EXPECT_EQ(floorAt(200, 3018 - 2750 + 10), 0u);
}

// --- Death animation ---------------------------------------------------------------------------

int framesUntilTheEnd(int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
        drawPlayfieldDying();
        if (screens.endFade == 0) return frame;
    }
    return -1;
}

TEST_F(Drawing, OneSegmentWormNeverReportsTheEnd) {
    placeWorm(100, 100, 1);
    kill();
    EXPECT_EQ(framesUntilTheEnd(300), -1);
    EXPECT_EQ(world.segDissolve[0], 7);  // the head's own stage stops at 7
    EXPECT_EQ(wd::playsOf(SoundPop), 1);
}

TEST_F(Drawing, BurstRunsFromHeadToTail) {
    placeWorm(100, 100, 5);
    kill();
    // 15 still frames; segment i reaches stage 8 in burst frame 3i + 8; the end is seen one
    // frame after the tail's.
    EXPECT_EQ(framesUntilTheEnd(300), 15 + 3 * 4 + 8 + 1);
    EXPECT_EQ(wd::playsOf(SoundPop), 5);  // every segment pops once
}

TEST_F(Drawing, BurstOfALongWorm) {
    placeWorm(100, 20, 24);
    kill();
    EXPECT_EQ(framesUntilTheEnd(300), 15 + 3 * 23 + 8 + 1);
}

TEST_F(Drawing, StillFramesShowTheDeadFace) {
    placeWorm(100, 100, 5);
    kill();
    for (int i = 0; i < 15; ++i) drawPlayfieldDying();
    EXPECT_EQ(world.tailHold, 0);
    EXPECT_EQ(world.face, 6);
    EXPECT_EQ(world.headDissolve, 0);
    drawPlayfieldDying();
    EXPECT_EQ(world.headDissolve, 1);
}

// --- Hint arrows -------------------------------------------------------------------------------

TEST_F(Drawing, HintClocksPulseWithAPeriodOfTwentyNine) {
    world.objective = 1;
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
    drawPlayfield();  // k = 1: alpha 256 / 15 = 17
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

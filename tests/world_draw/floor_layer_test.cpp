// What the floor layer and the layer above the water hold: the shadows of falling beans, the
// beans landing, stones, materialising beans, rising pop-ups, the exit arrows, the blinking
// combo beans of the panel and the shadows of a bursting worm.
#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/world/draw.h"
#include "game/world/world.h"
#include "tests/world_draw/draw_harness.h"

namespace {

using wd::floorAt;
using wd::frameAt;

class FloorLayer : public wd::Drawing {
protected:
    void SetUp() override {
        Drawing::SetUp();
        assets.background = wd::solidImage(400, 300, 0x00FFFFFFu);
        assets.shadow = wd::solidImage(10, 10, 0x00000010u);
        for (int i = 0; i < 8; ++i)
            assets.wormD[i] = wd::solidImage(10, 10, 0x00000100u * std::uint32_t(i + 1));
        placeWorm(0, 290, 1);  // out of the way, bottom left
        world.started = 1;
    }
    // A bean of colour 0 at cell (column, row) falling from height h.
    void bean(int column, int row, int h) {
        world.cells[cellIndex(column, row)] = Red;
        world.fallHeight[cellIndex(column, row)] = static_cast<std::int16_t>(h);
    }
};

TEST_F(FloorLayer, ShadowSharpensAsTheBeanComesDown) {
    bean(5, 20, 63);
    bean(10, 5, 6);
    bean(20, 5, 13);
    bean(30, 5, 5);
    drawPlayfield();
    EXPECT_EQ(floorAt(50 + 67, 200 + 67), 0x00FFFFFFu - 0x800u);  // height 63: wormd8 at (x + 67, y + 67)
    EXPECT_EQ(floorAt(50 + 66, 200 + 67), 0x00FFFFFFu);
    EXPECT_EQ(floorAt(110, 60), 0x00FFFFFFu - 0x100u);  // height 6: wormd1 at (x + 10, y + 10)
    EXPECT_EQ(floorAt(217, 67), 0x00FFFFFFu - 0x200u);  // height 13: wormd2
    EXPECT_EQ(floorAt(309, 59), 0x00FFFFFFu - 0x10u);   // height 5: the plain shadow at (x + 9, y + 9)
}

TEST_F(FloorLayer, LandingBeanIsDrawnOnTheFloorAndSplashes) {
    wd::fillTexture(&beanTexture, 0x00FF0000u);
    bean(10, 5, 5);
    drawPlayfield();
    // Height 5: the quad reaches 5 pixels out, alpha 235, and the height steps down.
    EXPECT_NE(floorAt(95, 45), 0x00FFFFFFu);
    EXPECT_EQ(floorAt(94, 45), 0x00FFFFFFu);
    EXPECT_EQ(world.fallHeight[cellIndex(10, 5)], 4);
    EXPECT_EQ(wd::playsOf(SoundDrop), 1);
    drawPlayfield();
    EXPECT_EQ(wd::playsOf(SoundDrop), 1);  // one landing sound
}

TEST_F(FloorLayer, StonesAreKeyedOntoTheFloorWithAShadow) {
    assets.stone = wd::solidImage(10, 10, 0x00707070u);
    assets.stone->pixels()[0] = colourKey;
    world.cells[cellIndex(4, 4)] = Stone;
    drawPlayfield();
    EXPECT_EQ(floorAt(41, 41), 0x00707070u);
    EXPECT_EQ(floorAt(40, 40), 0x00FFFFFFu);  // the keyed corner shows the floor
    EXPECT_EQ(floorAt(50, 50), 0x00FFFFFFu - 0x10u);
}

TEST_F(FloorLayer, MaterialisingBeanFadesIn) {
    wd::fillTexture(&beanTexture, 0x00FF0000u);
    world.cells[cellIndex(10, 10)] = Stone;
    world.cellEffect[cellIndex(10, 10)] = Green;
    world.effectAge[cellIndex(10, 10)] = 32;  // alpha 128 over the stone (null image: the floor)
    drawPlayfield();
    EXPECT_EQ(floorAt(102, 102), 0x00FF7F7Fu);
    EXPECT_EQ(floorAt(105, 105), 0x00FF7F77u);  // over the stone's shadow
    EXPECT_EQ(world.effectAge[cellIndex(10, 10)], 33);
}

TEST_F(FloorLayer, VanishingSegmentIsDrawnUntilItPops) {
    assets.worm = wd::solidImage(10, 10, 0x00000001u);
    assets.background = wd::solidImage(400, 300, 0);
    world.cellEffect[cellIndex(10, 10)] = EffectVanish;
    world.effectAge[cellIndex(10, 10)] = 7;
    drawPlayfield();
    EXPECT_EQ(floorAt(105, 105), 0x00000001u);
    drawPlayfield();
    EXPECT_EQ(floorAt(105, 105), 0u);
    EXPECT_EQ(wd::playsOf(SoundPop), 1);
}

TEST_F(FloorLayer, PopUpRisesAndFadesAboveTheWater) {
    assets.add10 = wd::solidImage(8, 4, 0x00000080u);
    assets.add5 = wd::solidImage(8, 4, 0x00008000u);
    world.cellEffect[cellIndex(10, 10)] = EffectAdd10;
    world.effectAge[cellIndex(10, 10)] = 0;
    world.cellEffect[cellIndex(20, 10)] = EffectAdd5;
    world.effectAge[cellIndex(20, 10)] = 20;
    drawPlayfield();
    EXPECT_EQ(frameAt(96, 100), 0x00000080u);  // at (x - 4, y - 0), opaque
    EXPECT_EQ(frameAt(95, 100), 0x00FFFFFFu);
    // Age 20: at (x - 2, y - 20), alpha (32 - 20) x 16 = 192 over white.
    EXPECT_EQ(frameAt(198, 80), 0x003F9F3Fu);
    EXPECT_EQ(frameAt(197, 80), 0x00FFFFFFu);
    EXPECT_EQ(floorAt(96, 100), 0x00FFFFFFu);  // nothing of it on the floor
    EXPECT_EQ(world.effectAge[cellIndex(10, 10)], 1);
}

TEST_F(FloorLayer, OnlyEscapeScenesShowTheExitWithArrowsPulsingOppositeToTheStartArrows) {
    assets.exit = wd::solidImage(10, 10, 0x00000000u);
    assets.up = wd::solidImage(10, 10, 0x00000000u);
    world.exitCol = 20;
    world.exitRow = 20;
    drawPlayfield();
    EXPECT_EQ(floorAt(205, 205), 0x00FFFFFFu);
    EXPECT_EQ(world.exitHintClock, 0);
    world.scene.objective = 1;
    world.started = 0;
    drawPlayfield();
    EXPECT_EQ(floorAt(205, 205), 0u);
    // Below the exit the up arrow, k = 1: alpha 14 x 256 / 15 = 238: white darkened to 17.
    EXPECT_EQ(floorAt(205, 215), 0x00111111u);
    EXPECT_EQ(world.exitHintClock, 1);
}

TEST_F(FloorLayer, FourComboBeansBlink) {
    wd::fillTexture(&beanTexture, 0x00FF0000u);
    assets.score = wd::solidImage(245, 11, 0x00000000u);
    pushKeyEvent(kKeyTab, true);  // opaque panel
    world.comboCount = 4;
    world.comboColour = Orange;
    world.dayClock = 3;  // (3 & 7) < 4: shown
    drawPlayfield();
    EXPECT_EQ(frameAt(176, 8), 0x00FF0000u);
    EXPECT_EQ(frameAt(176 + 24, 8), 0x00FF0000u);
    world.dayClock = 4;
    drawPlayfield();
    EXPECT_EQ(frameAt(176, 8), 0u);
    world.comboCount = 3;
    drawPlayfield();
    EXPECT_EQ(frameAt(176 + 16, 8), 0x00FF0000u);
    EXPECT_EQ(frameAt(176 + 24, 8), 0u);
}

TEST_F(FloorLayer, BurstingWormsShadowDissolvesAndGoes) {
    placeWorm(100, 100, 2);
    kill();
    world.tailHold = 0;
    world.segDissolve[0] = 3;
    world.segDissolve[1] = 0;
    drawPlayfieldDying();
    // Drawn before the burst advances: the head with wormd3 at (x + 4, y + 4), the tail with
    // the plain shadow.
    EXPECT_EQ(floorAt(104, 104), 0x00FFFFFFu - 0x300u);
    EXPECT_EQ(floorAt(113, 114), 0x00FFFFFFu - 0x10u);
    world.segDissolve[1] = 8;
    drawPlayfieldDying();
    EXPECT_EQ(floorAt(104, 104), 0x00FFFFFFu);
}

}  // namespace

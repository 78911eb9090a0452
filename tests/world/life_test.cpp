// A worm's life: the heartbeat at 24 segments and the molt into 20 stones at 25, death on a
// stone or on its own body before it moves, the respawn on the cell of its last body segment,
// the hand-over to the life-lost or closing screen, and the two forms of putting a worm back.
#include "tests/world/harness.h"

#include <algorithm>

#include "game/screens/assets.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/shell/shell.h"

namespace wt {
namespace {

class Life : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(3, 3, 6);
        load(scene);
        newGame();
    }
};

int countCells(std::uint8_t code) {
    return static_cast<int>(std::count(world.cells.begin(), world.cells.end(), code));
}

TEST_F(Life, TheHeartBeatsWhileTheWormHasTwentyFourSegments) {
    placeWorm(30, 10, 24, Right);
    frame();
    const std::vector<SoundCall> expected = {{SoundOp::SetPan, SoundBeat, 5 * 302 - 1000},
                                             {SoundOp::SetPan, SoundBeat, 5 * 302 - 1000},
                                             {SoundOp::SetVolume, SoundBeat, 0},
                                             {SoundOp::Play, SoundBeat, 1}};
    EXPECT_EQ(callsOn(SoundBeat), expected);
    frame();
    EXPECT_EQ(playsOf(SoundBeat), 2);
}

TEST_F(Life, AtTwentyFiveTheWormShedsTwentyStonesAndCrawlsOnWithFive) {
    placeWorm(30, 10, 24, Right);
    world.pendingGrowth = 1;
    frame();  // grows to 25, its new tail held for 5 frames
    ASSERT_EQ(world.length, 25);
    EXPECT_EQ(world.tailHold, 5);
    EXPECT_EQ(countCells(Stone), 0);
    frames(4);
    EXPECT_EQ(world.length, 25);  // the molt waits for the held tail
    EXPECT_EQ(playsOf(SoundFreeze), 4);
    soundLog.calls.clear();
    frame();
    EXPECT_EQ(world.length, 5);
    EXPECT_EQ(world.tailHold, 0);
    EXPECT_EQ(countCells(Stone), 20);
    EXPECT_EQ(world.stoneWrite, 20);
    // Stones are queued from the tail toward the head, one per shed segment, along row 10.
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(world.stoneQueue[k].row, 10) << k;
        if (k > 0) {
            EXPECT_EQ(world.stoneQueue[k].column, world.stoneQueue[k - 1].column + 1) << k;
        }
    }
    const std::vector<SoundCall> beat = {{SoundOp::Stop, SoundBeat, 0}, {SoundOp::Rewind, SoundBeat, 0}};
    EXPECT_EQ(callsOn(SoundBeat), beat);
    const std::vector<SoundCall> freeze = {{SoundOp::SetPan, SoundFreeze, 5 * world.segX[5] - 1000},
                                           {SoundOp::Play, SoundFreeze, 0}};
    EXPECT_EQ(callsOn(SoundFreeze), freeze);
}

TEST_F(Life, TheShedStonesLieBehindTheFiveSegmentsLeft) {
    placeWorm(30, 10, 25, Right);  // straight, every segment on a cell
    moltWorm();
    EXPECT_EQ(world.length, 5);
    // Segments 5..24 covered columns 25 down to 6; segment 4's cell (26) is left free.
    for (int c = 6; c <= 25; ++c) EXPECT_EQ(cellAt(c, 10), Stone) << c;
    EXPECT_EQ(cellAt(26, 10), Empty);
    EXPECT_EQ(cellAt(5, 10), Empty);
    EXPECT_EQ(world.stoneQueue[0].column, 6);
    EXPECT_EQ(world.stoneQueue[19].column, 25);
}

TEST_F(Life, ASegmentCrossingACellLeavesItsStoneInTheCellItIsLeaving) {
    // A worm heading Up, 4 pixels into the next row: each segment's stone goes to the row
    // below, the one it is leaving; the segment in row 0 sits at y = -4 and leaves row 0.
    placeWorm(5, 20, 25, Up);
    for (int i = 0; i < 25; ++i) world.segY[i] -= 4;
    moltWorm();
    for (int i = 5; i < 25; ++i) EXPECT_EQ(cellAt(5, (20 + i) % 30), Stone) << i;
    EXPECT_EQ(countCells(Stone), 20);
}

TEST_F(Life, TheTrailingCellAcrossTheSeamIsTheLastColumn) {
    // Heading Right, 2 pixels on: segment 16 has just crossed from column 39 to x = -8, where
    // truncation alone would name column 0.
    placeWorm(15, 7, 25, Right);
    for (int i = 0; i < 25; ++i) {
        world.segX[i] += 2;
        if (world.segX[i] > 390) world.segX[i] -= 400;
    }
    ASSERT_EQ(world.segX[16], -8);
    moltWorm();
    EXPECT_EQ(cellAt(39, 7), Stone);
    EXPECT_EQ(cellAt(0, 7), Stone);
    EXPECT_EQ(countCells(Stone), 20);
}

TEST_F(Life, HittingAStoneKillsBeforeTheWormMoves) {
    placeWorm(10, 10, 5, Right);
    world.cells[cellIndex(12, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    soundLog.calls.clear();
    frame();
    EXPECT_EQ(world.segX[0], 120);
    EXPECT_EQ(world.segX[1], 110);
    EXPECT_EQ(cellAt(12, 10), Stone);  // the cell where it died is not touched
    EXPECT_EQ(world.face, 6);
    EXPECT_EQ(world.tailHold, 15);
    EXPECT_EQ(world.headDissolve, 0);
    EXPECT_EQ(screens.endFade, 1000);
    EXPECT_EQ(shell.currentScreen, lifeLostScreen);
    const std::vector<SoundCall> expected = {{SoundOp::SetPan, SoundDie, 5 * 120 - 1000},
                                             {SoundOp::Play, SoundDie, 0},
                                             {SoundOp::Stop, SoundBeat, 0},
                                             {SoundOp::Rewind, SoundBeat, 0}};
    EXPECT_EQ(soundLog.calls, expected);
}

TEST_F(Life, RunningIntoItsOwnBodyKills) {
    placeWorm(10, 10, 8, Right);
    tap(kKeyDown);
    frame();
    ASSERT_TRUE(runUntilHeadAt(100, 110));
    tap(kKeyLeft);
    frame();
    ASSERT_TRUE(runUntilHeadAt(90, 110));
    tap(kKeyUp);
    frame();
    ASSERT_TRUE(runUntilHeadAt(90, 100));
    frame();
    EXPECT_EQ(world.face, 6);
    EXPECT_EQ(world.segY[0], 100);
}

TEST_F(Life, TheNextWormStartsWhereTheLastBodySegmentLay) {
    placeWorm(10, 10, 5, Right);  // body over columns 6..9
    world.cells[cellIndex(12, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    frame();
    EXPECT_EQ(world.startCol, 8);  // the tail's cell
    EXPECT_EQ(world.startRow, 10);
    for (int c = 8; c <= 11; ++c) EXPECT_EQ(cellAt(c, 10), Empty) << c;
    resetWorm(WormReset::NewLife);
    EXPECT_EQ(world.segX[0], 80);
    EXPECT_EQ(world.segY[0], 100);
    EXPECT_EQ(world.lives, 1);
    EXPECT_EQ(world.length, 1);
    EXPECT_EQ(world.face, 0);
}

TEST_F(Life, AOneSegmentWormRespawnsOnTheStartPoint) {
    placeWorm(10, 10, 1, Right);
    world.cells[cellIndex(11, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(110, 100));
    frame();
    EXPECT_EQ(world.startCol, 3);
    EXPECT_EQ(world.startRow, 3);
}

TEST_F(Life, TheLastWormHandsOverToTheClosingScreen) {
    world.lives = 0;
    placeWorm(10, 10, 3, Right);
    world.cells[cellIndex(11, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(110, 100));
    frame();
    EXPECT_EQ(shell.currentScreen, sceneEndScreen);
    EXPECT_EQ(world.sceneAccomplished, 0);
}

TEST_F(Life, ANewGameResetsEverythingALifeCarriesOver) {
    world.score = 1234;
    world.lives = 5;
    world.comboColour = 3;
    world.comboCount = 2;
    world.nextLifeScore = 10000;
    world.dayClock = 3000;
    screens.brightness = 64;
    world.sceneAccomplished = 1;
    world.quitToMenu = 1;
    world.nightSpritePatch = 0;
    world.rainTimer = 77;
    world.laserAge = 9;
    world.laserAngle = 128;
    world.fallCounter = 30;
    world.speed = 5;
    world.speedTimer = -3;
    world.segDissolve[4] = 6;
    world.startHintClock = 12;
    resetWorm(WormReset::NewLife);
    EXPECT_EQ(world.score, 1234u);
    EXPECT_EQ(world.lives, 4);
    EXPECT_EQ(world.comboCount, 2);
    EXPECT_EQ(world.nextLifeScore, 10000u);
    EXPECT_EQ(world.dayClock, 3000);
    EXPECT_EQ(screens.brightness, 64);
    EXPECT_EQ(world.rainTimer, 0);
    EXPECT_EQ(world.laserAge, 0);
    EXPECT_EQ(world.laserAngle, 0);
    EXPECT_EQ(world.fallCounter, 0);
    EXPECT_EQ(world.speed, 2);
    EXPECT_EQ(world.speedTimer, 0);
    EXPECT_EQ(world.segDissolve[4], 0);
    EXPECT_EQ(world.startHintClock, 0);
    EXPECT_EQ(world.pendingGrowth, 4);
    EXPECT_EQ(screens.endFade, 0);
    resetWorm(WormReset::NewGame);
    EXPECT_EQ(world.score, 0u);
    EXPECT_EQ(world.lives, 2);
    EXPECT_EQ(world.comboColour, 0);
    EXPECT_EQ(world.comboCount, 0);
    EXPECT_EQ(world.nextLifeScore, 5000u);
    EXPECT_EQ(world.dayClock, 256);
    EXPECT_EQ(screens.brightness, 256);
    EXPECT_EQ(world.sceneAccomplished, 0);
    EXPECT_EQ(world.quitToMenu, 0);
    EXPECT_EQ(world.nightSpritePatch, 1);
    for (int i = 0; i < kMaxSegments; ++i) {
        EXPECT_EQ(world.segX[i], 30);
        EXPECT_EQ(world.segY[i], 30);
        EXPECT_EQ(world.segDir[i], Up);
    }
}

}  // namespace
}  // namespace wt

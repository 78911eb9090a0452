// A worm's life: the heartbeat at 24 segments and the molt into 20 stones at 25, death on a
// stone or on its own body before it moves, the respawn on the cell of its last body segment,
// the hand-over to the life-lost or closing screen, and the two forms of putting a worm back.
#include "tests/world/harness.h"

#include <algorithm>
#include <tuple>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/shell_state.h"

namespace wt {
namespace {

class Life : public World {
protected:
    void SetUp() override {
        World::SetUp();
        startPlain();
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
    EXPECT_EQ(std::tuple(world.length, world.tailHold, countCells(Stone), world.stoneWrite),
              std::tuple(5, 0, 20, 20));
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
    // Queued from the tail toward the head, one per shed segment.
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(std::tuple(world.stoneQueue[k].column, world.stoneQueue[k].row), std::tuple(6 + k, 10));
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

TEST_F(Life, HittingAStoneKillsBeforeTheWormMovesAndTheNextStartsOnItsTail) {
    placeWorm(10, 10, 5, Right);  // body over columns 6..9
    world.cells[cellIndex(12, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    soundLog.calls.clear();
    frame();
    // Not moved; the cell where it died is not touched; the death animation is set up.
    EXPECT_EQ(std::tuple(world.segX[0], world.segX[1], cellAt(12, 10)), std::tuple(120, 110, Stone));
    EXPECT_EQ(std::tuple(world.face, world.tailHold, world.headDissolve, world.endFade),
              std::tuple(6, 15, 0, 1000));
    EXPECT_EQ(world.outcome, WorldOutcome::Died);
    const std::vector<SoundCall> expected = {{SoundOp::SetPan, SoundDie, 5 * 120 - 1000},
                                             {SoundOp::Play, SoundDie, 0},
                                             {SoundOp::Stop, SoundBeat, 0},
                                             {SoundOp::Rewind, SoundBeat, 0}};
    EXPECT_EQ(soundLog.calls, expected);
    EXPECT_EQ(std::tuple(world.startCol, world.startRow), std::tuple(8, 10));  // the tail's cell
    for (int c = 8; c <= 11; ++c) EXPECT_EQ(cellAt(c, 10), Empty) << c;
    resetWorm(WormReset::NewLife);
    EXPECT_EQ(std::tuple(world.segX[0], world.segY[0], world.lives, world.length, world.face),
              std::tuple(80, 100, 1, 1, 0));
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

TEST_F(Life, TheLastWormOfOneSegmentKeepsTheStartPointAndHandsOverToTheClosingScreen) {
    world.lives = 0;
    placeWorm(10, 10, 1, Right);
    world.cells[cellIndex(11, 10)] = Stone;
    ASSERT_TRUE(runUntilHeadAt(110, 100));
    frame();
    EXPECT_EQ(std::tuple(world.startCol, world.startRow, world.sceneAccomplished), std::tuple(3, 3, 0));
    EXPECT_EQ(world.outcome, WorldOutcome::Died);
}

TEST_F(Life, ANewGameResetsEverythingALifeCarriesOver) {
    auto carried = [] {
        return std::tuple(world.score, world.lives, world.comboColour, world.comboCount, world.nextLifeScore,
                          world.dayClock, light.brightness, world.sceneAccomplished, world.quitToMenu,
                          world.nightSpritePatch);
    };
    auto cleared = [] {
        return std::tuple(world.rainTimer, world.laserAge, world.laserAngle, world.fallCounter, world.speed,
                          world.speedTimer, world.segDissolve[4], world.startHintClock, world.pendingGrowth,
                          world.endFade);
    };
    std::tie(world.score, world.lives, world.comboColour, world.comboCount, world.nextLifeScore,
             world.dayClock, light.brightness, world.sceneAccomplished, world.quitToMenu,
             world.nightSpritePatch) = std::tuple(1234u, 5, 3, 2, 10000u, 3000, 64, 1, 1, 0);
    std::tie(world.rainTimer, world.laserAge, world.laserAngle, world.fallCounter, world.speed,
             world.speedTimer, world.segDissolve[4], world.startHintClock) =
        std::tuple(77, 9, 128, 30, 5, -3, 6, 12);
    resetWorm(WormReset::NewLife);  // a life is taken, the rest carries over
    EXPECT_EQ(carried(), std::tuple(1234u, 4, 3, 2, 10000u, 3000, 64, 1, 1, 0));
    EXPECT_EQ(cleared(), std::tuple(0, 0, 0, 0, 2, 0, 0, 0, 4, 0));
    resetWorm(WormReset::NewGame);
    EXPECT_EQ(carried(), std::tuple(0u, 2, 0, 0, 5000u, 256, 256, 0, 0, 1));
    for (int i = 0; i < kMaxSegments; ++i) {
        EXPECT_EQ(std::tuple(world.segX[i], world.segY[i], world.segDir[i]), std::tuple(30, 30, Up)) << i;
    }
}

}  // namespace
}  // namespace wt

// The colour powers: the laser shot flying one cell a frame over empty cells, the exit and the
// worm until it turns the first bean or stone into a bonus bean, its flash burning out; the
// revival of the five oldest stones; halving the worm with its segments popping from the tail
// end; and the stone queue used as a ring once its write position wraps.
#include "tests/world/harness.h"

#include <tuple>

#include "game/common/assets.h"
#include "game/common/random.h"

namespace wt {
namespace {

class Powers : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(3, 3, 6);
        for (int k = 0; k < 7; ++k) scene.set(30 + k, 2 + k, 5);  // seven stones, file order = k
        load(scene);
        newGame();
    }
    // A worm lying still: only the animations of the drawing passes run in the frames.
    void stillWorm(int column, int row, int length, Direction dir) {
        placeWorm(column, row, length, dir);
        world.started = 0;
    }
};

TEST_F(Powers, TheShotPassesOverEmptyCellsTheExitAndTheWormAndTurnsAStone) {
    stillWorm(10, 20, 3, Up);
    world.cells[cellIndex(10, 18)] = Exit;
    world.cells[cellIndex(10, 17)] = WormBody;
    world.cells[cellIndex(10, 16)] = BonusBean;
    world.cells[cellIndex(10, 15)] = Stone;
    world.cells[cellIndex(10, 14)] = Red;
    fireLaser();
    EXPECT_EQ(callsOn(SoundLaser), restartCalls(SoundLaser, 5 * 100 - 1000));
    EXPECT_EQ(world.laserAge, 1);
    EXPECT_EQ(world.laserDY, -10);
    for (int row = 19; row >= 16; --row) {
        frame();
        EXPECT_EQ(world.laserY, row * 10);
        EXPECT_EQ(world.laserDY, -10) << row;
    }
    EXPECT_EQ(cellAt(10, 18), Exit);
    EXPECT_EQ(cellAt(10, 17), WormBody);
    EXPECT_TRUE(callsOn(SoundWarp).empty());
    frame();
    EXPECT_EQ(std::tuple(cellAt(10, 15), cellAt(10, 14), world.laserDX, world.laserDY),
              std::tuple(BonusBean, Red, 0, 0));
    EXPECT_EQ(callsOn(SoundWarp), restartCalls(SoundWarp, 5 * 100 - 1000));
}

TEST_F(Powers, TheFlashTurnsAQuarterAFrameAndBurnsOutAfterTwentyFiveFrames) {
    stillWorm(10, 20, 3, Left);
    world.cells[cellIndex(9, 20)] = Purple;
    fireLaser();
    EXPECT_TRUE(advanceLaser());
    EXPECT_EQ(cellAt(9, 20), BonusBean);
    EXPECT_EQ(world.laserAngle, 64);
    int shown = 0;
    while (world.laserAge != 0 && shown < 100) {
        EXPECT_EQ(world.laserAngle, (64 + 64 * shown) & 255);
        advanceLaser();
        ++shown;
    }
    EXPECT_EQ(shown, 25);
    EXPECT_FALSE(advanceLaser());
}

TEST_F(Powers, AShotThatMeetsNothingEndsSilentlyAtTheEdgeAndDoesNotWrap) {
    stillWorm(10, 2, 1, Up);
    fireLaser();
    frames(2);
    EXPECT_EQ(world.laserY, 0);
    EXPECT_NE(world.laserAge, 0);
    frame();
    EXPECT_EQ(world.laserAge, 0);
    EXPECT_TRUE(callsOn(SoundWarp).empty());
    frame();
    EXPECT_EQ(world.laserY, -10);  // idle: not moved again
    stillWorm(39, 8, 1, Right);
    world.cells[cellIndex(0, 8)] = Red;
    fireLaser();
    EXPECT_FALSE(advanceLaser());
    EXPECT_EQ(cellAt(0, 8), Red);
}

TEST_F(Powers, RevivalTurnsTheFiveOldestStonesIntoBeans) {
    const std::uint32_t state = randomState.state;
    reviveStones();
    randomState.state = state;
    for (int k = 0; k < 5; ++k) {
        const int index = cellIndex(30 + k, 2 + k);
        EXPECT_EQ(std::tuple(world.cellEffect[index], world.effectAge[index], world.stoneQueue[k].column,
                             world.cells[index]),
                  std::tuple(gameRand() % 5, 0, 255, Stone))
            << k;
    }
    EXPECT_EQ(world.cellEffect[cellIndex(35, 7)], EffectNone);
    EXPECT_EQ(world.stoneRead, 5);
    // One sound for the lot, panned by the first stone's column.
    EXPECT_EQ(callsOn(SoundFade), restartCalls(SoundFade, (30 - 20) * 50));
    frames(64);
    for (int k = 0; k < 5; ++k) EXPECT_LT(cellAt(30 + k, 2 + k), 5) << k;
    EXPECT_EQ(cellAt(35, 7), Stone);
    // A later revival takes the rest, and then finds nothing.
    soundLog.calls.clear();
    reviveStones();
    EXPECT_EQ(world.stoneRead, 7);
    EXPECT_LT(world.cellEffect[cellIndex(35, 7)], 5);
    EXPECT_LT(world.cellEffect[cellIndex(36, 8)], 5);
    EXPECT_EQ(callsOn(SoundFade), restartCalls(SoundFade, (35 - 20) * 50));
    soundLog.calls.clear();
    const std::uint32_t after = randomState.state;
    reviveStones();
    EXPECT_EQ(randomState.state, after);
    EXPECT_TRUE(soundLog.calls.empty());
}

TEST_F(Powers, AStoneTheLaserRemovedStillCountsAmongTheFive) {
    world.cells[cellIndex(31, 3)] = BonusBean;
    reviveStones();
    EXPECT_EQ(world.stoneRead, 5);
    EXPECT_LT(world.cellEffect[cellIndex(31, 3)], 5);
    EXPECT_EQ(world.cellEffect[cellIndex(35, 7)], EffectNone);
    frames(64);
    EXPECT_LT(cellAt(31, 3), 5);
}

TEST_F(Powers, ConsumedEntriesAreSkippedWithoutCounting) {
    world.stoneQueue[1] = StoneEntry{};
    world.stoneQueue[3] = StoneEntry{};
    reviveStones();
    EXPECT_EQ(world.stoneRead, 7);
    EXPECT_EQ(world.cellEffect[cellIndex(31, 3)], EffectNone);
    EXPECT_LT(world.cellEffect[cellIndex(36, 8)], 5);
}

TEST_F(Powers, TheQueueIsARingThatDropsItsOldestEntryWhenFull) {
    world.stoneRead = world.stoneWrite = kStoneQueueSize - 2;
    for (int k = 0; k < 4; ++k) queueStone(20 + k, 20);
    EXPECT_EQ(world.stoneWrite, 2);
    reviveStones();
    EXPECT_EQ(world.stoneRead, 2);
    for (int k = 0; k < 4; ++k) EXPECT_LT(world.cellEffect[cellIndex(20 + k, 20)], 5) << k;
    world.stoneRead = world.stoneWrite = 0;
    for (int k = 0; k < kStoneQueueSize; ++k) queueStone(k % 40, (k / 40) % 30);
    EXPECT_EQ(world.stoneWrite, 0);
    EXPECT_EQ(world.stoneRead, 1);  // the oldest gave way; the ring never looks empty when full
}

TEST_F(Powers, HalvingCutsTheBodyWhenTheGrowthToComeIsNotEnoughAndItPopsFromTheTailEnd) {
    stillWorm(20, 10, 10, Right);
    world.pendingGrowth = 4;
    world.tailHold = 3;
    halveWorm();
    EXPECT_EQ(std::tuple(world.length, world.pendingGrowth, world.tailHold), std::tuple(7, 0, 0));
    for (int k = 0; k < 3; ++k) {
        const int index = cellIndex(13 - k, 10);  // segments 7, 8, 9
        EXPECT_EQ(world.cells[index], Empty);
        EXPECT_EQ(world.cellEffect[index], EffectVanish);
        EXPECT_EQ(world.effectAge[index], 2 * k);
    }
    EXPECT_EQ(cellAt(14, 10), WormBody);
    const std::vector<SoundCall> beat = {{SoundOp::Stop, SoundBeat, 0}, {SoundOp::Rewind, SoundBeat, 0}};
    EXPECT_EQ(callsOn(SoundBeat), beat);
    // The cut body pops from the tail end toward the cut.
    std::vector<std::int32_t> pops;
    std::vector<int> popFrames;
    for (int f = 1; f <= 12; ++f) {
        const std::uint32_t state = randomState.state;
        soundLog.calls.clear();
        frame();
        for (const SoundCall& call : callsOn(SoundPop)) {
            if (call.op != SoundOp::SetPan) continue;
            pops.push_back(call.value);
            popFrames.push_back(f);
        }
        if (f == 1) {
            // Each vanishing segment splashes; row 10 is scanned by column, segment 9 first.
            randomState.state = state;
            for (int x : {114, 124, 134}) EXPECT_EQ(rippleCurrentAt(x, 105), gameRand() & 255) << x;
        }
    }
    // Segment 9 (column 11) drawn 4 frames, segment 8 (12) 6, segment 7 (13) 8; each pops next.
    EXPECT_EQ(pops, (std::vector<std::int32_t>{5 * 110 - 1000, 5 * 120 - 1000, 5 * 130 - 1000}));
    EXPECT_EQ(popFrames, (std::vector<int>{5, 7, 9}));
    for (int c = 11; c <= 13; ++c) EXPECT_EQ(world.cellEffect[cellIndex(c, 10)], EffectNone);
}

TEST_F(Powers, HalvingTakesFromTheGrowthToComeFirst) {
    stillWorm(20, 10, 10, Right);
    world.pendingGrowth = 12;
    halveWorm();
    EXPECT_EQ(world.length, 10);
    EXPECT_EQ(world.pendingGrowth, 1);
    for (int c = 11; c <= 19; ++c) EXPECT_EQ(world.cellEffect[cellIndex(c, 10)], EffectNone) << c;
}

TEST_F(Powers, SegmentsFourOrMorePlacesBehindTheCutPopAtOnce) {
    stillWorm(25, 10, 20, Right);
    halveWorm();  // total 20 -> 10: segments 10..19 cut
    EXPECT_EQ(world.length, 10);
    frame();
    EXPECT_EQ(playsOf(SoundPop), 6);  // k = 4 .. 9
}

}  // namespace
}  // namespace wt

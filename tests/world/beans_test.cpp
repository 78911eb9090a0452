// Beans from the sky: the random fall's frame counter and its scan of empty cells, one bean per
// nibble with an interval of 0, the fall from height 63 through the air onto the pond floor
// with its splashes and one landing sound, beans materialising on revived stones and the
// pop-ups' lifetimes.
#include "tests/world/harness.h"

#include "game/screens/assets.h"
#include "game/shell/random.h"
#include "game/shell/shell.h"
#include "render/pixels.h"

namespace wt {
namespace {

class Beans : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(3, 3, 6);
        load(scene);
        newGame();
    }
    void fallSettings(int randomFall, int interval) {
        world.randomFall = randomFall;
        world.fallInterval = interval;
    }
};

int beansOnField() {
    int n = 0;
    for (std::uint8_t c : world.cells) n += c < BonusBean;
    return n;
}

TEST_F(Beans, WithAThreeSecondIntervalTheSixtyFirstCallDrops) {
    fallSettings(1, 3);
    for (int call = 1; call <= 60; ++call) dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 0);
    EXPECT_EQ(world.fallCounter, 60);
    dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 1);
    EXPECT_EQ(world.fallCounter, 0);
    for (int call = 1; call <= 60; ++call) dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 1);
    dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 2);
}

TEST_F(Beans, TheIntervalCountsFramesAtTheGameSpeed) {
    fallSettings(1, 2);
    shell.framesPerSecond = 25;
    for (int call = 1; call <= 50; ++call) dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 0);
    dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 1);
}

TEST_F(Beans, NothingFallsAndNothingCountsWithRandomFallOff) {
    fallSettings(0, 0);
    const std::uint32_t before = randomState.state;
    for (int call = 0; call < 100; ++call) dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 0);
    EXPECT_EQ(world.fallCounter, 0);
    EXPECT_EQ(randomState.state, before);
}

TEST_F(Beans, CandidatesAreScannedRowByRow) {
    fallSettings(1, 0);
    world.cells.fill(Stone);
    // Rows outer: (5, 0) is the first candidate, (0, 1) the second, (2, 1) the third.
    world.cells[cellIndex(0, 1)] = Empty;
    world.cells[cellIndex(5, 0)] = Empty;
    world.cells[cellIndex(2, 1)] = Empty;
    for (int round = 0; round < 3; ++round) {
        const std::uint32_t state = randomState.state;
        const int pick = gameRand() % (3 - round);
        randomState.state = state;
        int expected[3][2] = {{5, 0}, {0, 1}, {2, 1}};
        int k = 0;
        for (auto& cell : expected) {
            if (cellAt(cell[0], cell[1]) != Empty) continue;
            if (k++ != pick) continue;
            dropRandomBean(Orange);
            EXPECT_EQ(cellAt(cell[0], cell[1]), Orange) << round;
            EXPECT_EQ(world.fallHeight[cellIndex(cell[0], cell[1])], 63);
            break;
        }
    }
}

TEST_F(Beans, AFullFieldTakesNoBean) {
    fallSettings(1, 0);
    world.cells.fill(Green);
    const std::uint32_t before = randomState.state;
    dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), kFieldCells);
    EXPECT_EQ(world.cells[0], Green);
    EXPECT_EQ(randomState.state, before);
    EXPECT_EQ(world.fallCounter, 0);
}

TEST_F(Beans, FallAfterNibbleDropsOneBeanPerBeanEaten) {
    fallSettings(1, 0);
    placeWorm(10, 10, 3, Right);
    world.cells[cellIndex(12, 10)] = Blue;
    world.cells[cellIndex(14, 10)] = BonusBean;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    frame();
    EXPECT_EQ(beansOnField(), 1);
    ASSERT_TRUE(runUntilHeadAt(140, 100));
    frame();
    EXPECT_EQ(beansOnField(), 1);  // a bonus bean brings none
}

TEST_F(Beans, FallAfterNibbleDrawsTheColourBeforeTheDrop) {
    // The colour comes from the generator first, then the candidate.
    fallSettings(1, 0);
    placeWorm(10, 10, 3, Right);
    world.cells[cellIndex(12, 10)] = Blue;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    const std::uint32_t state = randomState.state;
    frame();
    randomState.state = state;
    const int colour = gameRand() % 5;
    int fallen = -1;
    for (int i = 0; i < kFieldCells; ++i)
        if (world.cells[i] < BonusBean) fallen = world.cells[i];
    EXPECT_EQ(fallen, colour);
}

TEST_F(Beans, ABeanFallsThirtyTwoFramesThroughTheAirThenFiveOnTheFloor) {
    fallSettings(1, 0);
    world.cells.fill(Stone);
    world.cells[cellIndex(20, 15)] = Empty;
    dropRandomBean(Purple);
    std::vector<int> heights{world.fallHeight[cellIndex(20, 15)]};
    int splashes = 0;
    for (int f = 0; f < 40; ++f) {
        clearFrameBuffer(rippleMaps);
        frame();
        heights.push_back(world.fallHeight[cellIndex(20, 15)]);
        if (rippleCurrentAt(204, 155) != 0) {
            const int v = rippleCurrentAt(204, 155);
            EXPECT_LE(v, -255);
            EXPECT_GE(v, -318);
            ++splashes;
        }
    }
    const std::vector<int> expected = {63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49,
                                       48, 47, 45, 43, 41, 39, 37, 35, 33, 31, 28, 25, 22, 19, 16,
                                       13, 9,  5,  4,  3,  2,  1,  0,  0,  0,  0};
    EXPECT_EQ(heights, expected);
    EXPECT_EQ(splashes, 5);
    EXPECT_EQ(playsOf(SoundDrop), 1);
    EXPECT_EQ(callsOn(SoundDrop), restartCalls(SoundDrop, 5 * 200 - 1000));
}

TEST_F(Beans, AMaterialisingBeanTakesSixtyFourFramesAndKillsUntilThen) {
    world.cells[cellIndex(10, 5)] = Stone;
    world.cellEffect[cellIndex(10, 5)] = Green;
    world.effectAge[cellIndex(10, 5)] = 0;
    world.fallHeight[cellIndex(10, 5)] = 12;
    frames(63);
    EXPECT_EQ(cellAt(10, 5), Stone);
    EXPECT_EQ(world.effectAge[cellIndex(10, 5)], 63);
    frame();
    EXPECT_EQ(cellAt(10, 5), Green);
    EXPECT_EQ(world.cellEffect[cellIndex(10, 5)], EffectNone);
    EXPECT_EQ(world.fallHeight[cellIndex(10, 5)], 0);
}

TEST_F(Beans, APopUpRisesForThirtyThreeFrames) {
    world.cellEffect[cellIndex(4, 4)] = EffectAdd30;
    for (int f = 0; f < 32; ++f) frame();
    EXPECT_EQ(world.cellEffect[cellIndex(4, 4)], EffectAdd30);
    EXPECT_EQ(world.effectAge[cellIndex(4, 4)], 32);
    frame();
    EXPECT_EQ(world.cellEffect[cellIndex(4, 4)], EffectNone);
}

TEST_F(Beans, ANewPopUpReplacesOneStillRunning) {
    placeWorm(10, 10, 3, Right);
    world.speed = 5;
    world.cells[cellIndex(12, 10)] = Orange;
    world.cellEffect[cellIndex(12, 10)] = EffectLifeUp;
    world.effectAge[cellIndex(12, 10)] = 20;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    frame();
    EXPECT_EQ(world.cellEffect[cellIndex(12, 10)], EffectAdd5);
    EXPECT_EQ(world.effectAge[cellIndex(12, 10)], 1);
}

}  // namespace
}  // namespace wt

// Beans from the sky: the random fall's frame counter and its scan of empty cells, one bean per
// nibble with an interval of 0, the fall from height 63 through the air onto the pond floor
// with its splashes and one landing sound, beans materialising on revived stones and the
// pop-ups' lifetimes.
#include <tuple>

#include "game/common/assets.h"
#include "game/common/random.h"
#include "game/common/shell_state.h"
#include "render/pixels.h"
#include "tests/world/harness.h"

namespace wt {
namespace {

class Beans : public World {
protected:
    void SetUp() override {
        World::SetUp();
        startPlain();
    }
    void fallSettings(int randomFall, int interval) {
        world.scene.randomFall = randomFall;
        world.scene.fallInterval = interval;
    }
};

TEST_F(Beans, TheIntervalCountsFramesAtTheGameSpeed) {
    struct Case {
        int framesPerSecond, interval, wait;
    };
    for (const Case& c : {Case{0, 3, 60}, Case{25, 2, 50}}) {
        SCOPED_TRACE(c.framesPerSecond);
        world.cells.fill(Empty);
        world.fallCounter = 0;
        fallSettings(1, c.interval);
        if (c.framesPerSecond != 0) shell.framesPerSecond = c.framesPerSecond;
        for (int round = 1; round <= 2; ++round) {
            for (int call = 1; call <= c.wait; ++call) dropRandomBean(Red);
            EXPECT_EQ(beansOnField(), round - 1);
            EXPECT_EQ(world.fallCounter, c.wait);
            dropRandomBean(Red);
            EXPECT_EQ(beansOnField(), round);
            EXPECT_EQ(world.fallCounter, 0);
        }
    }
}

TEST_F(Beans, NothingFallsOrCountsWithRandomFallOffOrAFullField) {
    const std::uint32_t before = randomState.state;
    for (int call = 0; call < 100; ++call) dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), 0);
    fallSettings(1, 0);
    world.cells.fill(Green);
    dropRandomBean(Red);
    EXPECT_EQ(beansOnField(), kFieldCells);
    EXPECT_EQ(world.fallCounter, 0);
    EXPECT_EQ(randomState.state, before);
}

TEST_F(Beans, CandidatesAreScannedRowByRow) {
    fallSettings(1, 0);
    world.cells.fill(Stone);
    // Rows outer: (5, 0) is the first candidate, (0, 1) the second, (2, 1) the third.
    const int order[3][2] = {{5, 0}, {0, 1}, {2, 1}};
    for (const auto& cell : order) world.cells[cellIndex(cell[0], cell[1])] = Empty;
    for (int round = 0; round < 3; ++round) {
        std::vector<const int*> left;
        for (const auto& cell : order)
            if (cellAt(cell[0], cell[1]) == Empty) left.push_back(cell);
        const std::uint32_t state = randomState.state;
        const int* cell = left[static_cast<std::size_t>(gameRand() % static_cast<int>(left.size()))];
        randomState.state = state;
        dropRandomBean(Orange);
        EXPECT_EQ(cellAt(cell[0], cell[1]), Orange) << round;
        EXPECT_EQ(world.fallHeight[cellIndex(cell[0], cell[1])], 63);
    }
}

TEST_F(Beans, FallAfterNibbleDrawsTheColourThenDropsOneBeanPerBeanEaten) {
    fallSettings(1, 0);
    placeWorm(10, 10, 3, Right);
    world.cells[cellIndex(12, 10)] = Blue;
    world.cells[cellIndex(14, 10)] = BonusBean;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    const std::uint32_t state = randomState.state;
    frame();
    ASSERT_EQ(beansOnField(), 1);
    randomState.state = state;
    const int colour = gameRand() % 5;  // the colour comes from the generator before the cell
    for (std::uint8_t c : world.cells) {
        if (c < BonusBean) {
            EXPECT_EQ(c, colour);
        }
    }
    ASSERT_TRUE(runUntilHeadAt(140, 100));
    frame();
    EXPECT_EQ(beansOnField(), 1);  // a bonus bean brings none
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
        if (const int v = rippleCurrentAt(204, 155); v != 0) {
            EXPECT_LE(v, -255);
            EXPECT_GE(v, -318);
            ++splashes;
        }
    }
    const std::vector<int> expected = {63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50,
                                       49, 48, 47, 45, 43, 41, 39, 37, 35, 33, 31, 28, 25, 22,
                                       19, 16, 13, 9,  5,  4,  3,  2,  1,  0,  0,  0,  0};
    EXPECT_EQ(heights, expected);
    EXPECT_EQ(splashes, 5);
    EXPECT_EQ(callsOn(SoundDrop), restartCalls(SoundDrop, 5 * 200 - 1000));
}

TEST_F(Beans, AMaterialisingBeanTakesSixtyFourFramesAndAPopUpThirtyThree) {
    const int stone = cellIndex(10, 5), popUp = cellIndex(4, 4);
    world.cells[stone] = Stone;
    world.cellEffect[stone] = Green;
    world.fallHeight[stone] = 12;
    world.cellEffect[popUp] = EffectAdd30;
    frames(32);
    EXPECT_EQ(world.cellEffect[popUp], EffectAdd30);
    EXPECT_EQ(world.effectAge[popUp], 32);
    frame();
    EXPECT_EQ(world.cellEffect[popUp], EffectNone);
    frames(30);
    EXPECT_EQ(world.cells[stone], Stone);
    EXPECT_EQ(world.effectAge[stone], 63);
    frame();
    EXPECT_EQ(std::tuple(world.cells[stone], world.cellEffect[stone], world.fallHeight[stone]),
              std::tuple(Green, EffectNone, 0));
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

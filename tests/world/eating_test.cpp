// What the head does with a bean: the points at each speed and in the rain with their
// pop-ups, the bonus bean, the colour runs and the powers they fire, red beans slowing a fast
// worm, the extra life every 5000 points, and the high score following the score.
#include "tests/world/harness.h"

#include <cstdlib>
#include <tuple>

#include "game/common/assets.h"
#include "game/common/random.h"

namespace wt {
namespace {

class Eating : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(10, 10, 6);
        load(scene);
        newGame();
        placeWorm(10, 10, 3, Right);
    }
    // Runs until the head reaches column `column` of row 10, then the frame that acts on it.
    void eatAt(int column) {
        ASSERT_TRUE(runUntilHeadAt(column * 10, 100));
        soundLog.calls.clear();
        frame();
    }
    void putBean(int column, std::uint8_t code) { world.cells[cellIndex(column, 10)] = code; }
};

struct BeanValue {
    int speed;
    int rainTimer;
    std::uint32_t points;
    std::uint8_t popUp;
};

class BeanValues : public Eating, public ::testing::WithParamInterface<BeanValue> {};

TEST_P(BeanValues, ABeanIsWorthFiveMoreWhenFastAndTenMoreInTheRain) {
    const BeanValue v = GetParam();
    putBean(12, Blue);
    world.speed = v.speed;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    world.rainTimer = v.rainTimer;  // as the step sees it
    frame();
    EXPECT_EQ(world.score, v.points);
    EXPECT_EQ(world.cellEffect[cellIndex(12, 10)], v.popUp);
    EXPECT_EQ(world.effectAge[cellIndex(12, 10)], v.popUp == EffectNone ? 0 : 1);
    EXPECT_EQ(world.length + world.pendingGrowth, 4);
    EXPECT_EQ(cellAt(12, 10), WormBody);
}

INSTANTIATE_TEST_SUITE_P(Eating, BeanValues,
                         ::testing::Values(BeanValue{2, 0, 5, EffectNone}, BeanValue{5, 0, 10, EffectAdd5},
                                           BeanValue{2, 300, 15, EffectAdd10},
                                           BeanValue{5, 300, 20, EffectAdd15},
                                           // Before the rain has set in: dry; its last frame: wet.
                                           BeanValue{2, 450, 5, EffectNone},
                                           BeanValue{2, 1, 15, EffectAdd10}));

TEST_F(Eating, ABonusBeanGivesThirtyAndNeitherGrowsNorTouchesTheRun) {
    putBean(12, BonusBean);
    world.comboColour = Green;
    world.comboCount = 3;
    eatAt(12);
    EXPECT_EQ(std::tuple(world.score, world.pendingGrowth, world.comboColour, world.comboCount),
              std::tuple(30u, 0, Green, 3));
    EXPECT_EQ(world.cellEffect[cellIndex(12, 10)], EffectAdd30);
    EXPECT_EQ(callsOn(SoundEat), restartCalls(SoundEat, 5 * 120 - 1000));
    EXPECT_EQ(cellAt(12, 10), WormBody);
}

TEST_F(Eating, ABeanInTheAirCanBeEaten) {
    putBean(12, Red);
    world.fallHeight[cellIndex(12, 10)] = 40;
    eatAt(12);
    EXPECT_EQ(world.score, 5u);
    EXPECT_EQ(cellAt(12, 10), WormBody);
}

TEST_F(Eating, ADifferentColourStartsANewRun) {
    for (int c = 11; c <= 14; ++c) putBean(c, Purple);
    putBean(15, Orange);
    ASSERT_TRUE(runUntilHeadAt(150, 100));
    frame();
    EXPECT_EQ(world.comboColour, Orange);
    EXPECT_EQ(world.comboCount, 1);
    EXPECT_EQ(world.length + world.pendingGrowth, 8);  // no halving happened
}

TEST_F(Eating, FiveOfAColourInARowFireItsPower) {
    for (int c = 11; c <= 15; ++c) putBean(c, Orange);
    ASSERT_TRUE(runUntilHeadAt(150, 100));
    EXPECT_EQ(world.comboCount, 4);
    EXPECT_EQ(world.laserAge, 0);
    frame();
    EXPECT_EQ(world.comboCount, 0);
    EXPECT_NE(world.laserAge, 0);
}

TEST_F(Eating, TheFifthBlueStartsAStormButDoesNotExtendOne) {
    putBean(12, Blue);
    world.comboColour = Blue;
    world.comboCount = 4;
    eatAt(12);
    EXPECT_EQ(world.rainTimer, 499);  // set to 500, and the storm has run one frame
    putBean(14, Blue);
    world.comboCount = 4;
    eatAt(14);
    EXPECT_EQ(world.rainTimer, 489);
}

TEST_F(Eating, TheFifthRedSpeedsUpOverFortyFramesARedBeanSlowsAFastWormOverThirtyTwo) {
    struct Case {
        int speed, comboCount, speedTimer, speedAfter, offCellAfter;
    };
    for (const Case& c : {Case{2, 4, 40, 5, 5}, Case{5, 0, -32, 2, 2}}) {
        SCOPED_TRACE(c.speedTimer);
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.speed = c.speed;
        world.comboColour = Red;
        world.comboCount = c.comboCount;
        putBean(12, Red);
        eatAt(12);
        EXPECT_EQ(world.speedTimer, c.speedTimer);
        frames(std::abs(c.speedTimer) - 1);
        EXPECT_EQ(world.speed, c.speed);
        EXPECT_EQ(world.segX[0] % 10, 0);  // the change falls on a cell
        frame();
        EXPECT_EQ(std::tuple(world.speed, world.speedTimer, world.segX[0] % 10),
                  std::tuple(c.speedAfter, 0, c.offCellAfter));
    }
}

TEST_F(Eating, TheFifthRedWhileFastSlowsDownThenSpeedsUpAgain) {
    world.speed = 5;
    world.comboColour = Red;
    world.comboCount = 4;
    putBean(12, Red);
    eatAt(12);
    EXPECT_EQ(world.speedTimer, 40);
    EXPECT_EQ(world.score, 10u);
    std::vector<SoundCall> expected = {{SoundOp::Stop, SoundSpeedUp, 0},
                                       {SoundOp::Stop, SoundSpeedDown, 0},
                                       {SoundOp::SetPan, SoundSpeedDown, 5 * 120 - 1000},
                                       {SoundOp::Rewind, SoundSpeedDown, 0},
                                       {SoundOp::Play, SoundSpeedDown, 0}};
    const std::vector<SoundCall> restart = restartCalls(SoundSpeedUp, 5 * 120 - 1000);
    expected.insert(expected.end(), restart.begin(), restart.end());
    std::vector<SoundCall> speedCalls;
    for (const SoundCall& call : soundLog.calls)
        if (call.id == SoundSpeedUp || call.id == SoundSpeedDown) speedCalls.push_back(call);
    // The frame's own speed-up pan follows the eating: the step already runs at 40.
    ASSERT_GE(speedCalls.size(), expected.size());
    speedCalls.resize(expected.size());
    EXPECT_EQ(speedCalls, expected);
}

TEST_F(Eating, ARedBeanStartsTheSlowDownUnlessTheWormIsAtNormalSpeed) {
    struct Case {
        int speed, speedTimer, after;
    };
    // Half-way through a speed-up the worm is still at 2, yet a red bean starts the slow-down.
    for (const Case& c : {Case{2, 0, 0}, Case{2, 20, -32}}) {
        SCOPED_TRACE(c.speedTimer);
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.speed = c.speed;
        world.speedTimer = c.speedTimer;
        putBean(12, Red);
        eatAt(12);
        EXPECT_EQ(world.speedTimer, c.after);
        EXPECT_EQ(callsOn(SoundSpeedDown).empty(), c.after == 0);
    }
}

TEST_F(Eating, SpeedChangesRippleAndPanEveryFrame) {
    world.speedTimer = 40;
    frame();
    const std::vector<SoundCall> calls = callsOn(SoundSpeedUp);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (SoundCall{SoundOp::SetPan, SoundSpeedUp, 5 * 100 - 1000}));
    // The disc of radius 3 behind the head holds the value drawn from the generator.
    seedRandom(1);
    EXPECT_EQ(rippleCurrentAt(world.segX[1] + 4, world.segY[1] + 5), gameRand() & 31);
}

TEST_F(Eating, EveryFiveThousandPointsBringALifeUpToNinetyNine) {
    for (int lives : {99, 2}) {
        SCOPED_TRACE(lives);
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.score = 4995;
        world.nextLifeScore = 5000;
        world.lives = lives;
        putBean(12, Green);
        eatAt(12);
        EXPECT_EQ(world.lives, lives == 2 ? 3 : 99);
        EXPECT_EQ(world.nextLifeScore, lives == 2 ? 10000u : 5000u);
    }
    // The pop-up shows at the head's cell after its move, replacing nothing else.
    EXPECT_EQ(world.cellEffect[cellIndex(12, 10)], EffectLifeUp);
    const std::vector<SoundCall> expected = {
        {SoundOp::Stop, SoundLifeUp, 0}, {SoundOp::Rewind, SoundLifeUp, 0}, {SoundOp::Play, SoundLifeUp, 0}};
    EXPECT_EQ(callsOn(SoundLifeUp), expected);
}

TEST_F(Eating, TheHighScoreFollowsTheScore) {
    world.hiScore = 7;
    putBean(12, Green);
    putBean(13, Green);
    eatAt(12);
    EXPECT_EQ(world.hiScore, 7u);
    eatAt(13);
    EXPECT_EQ(world.hiScore, 10u);
}

}  // namespace
}  // namespace wt

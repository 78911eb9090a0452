// The world's rules worth pinning one by one, each on a worm laid in a scene of the real play
// screen: what a bean is worth, the powers, speed changes, lives, death, molting, the fall of a
// bean, winning, steering and the scene's cells. Whole games are the replays' business.
#include <tuple>

#include "tests/support/support.h"

namespace {

using namespace ts;

class Rules : public Game {
protected:
    // An empty field in play, the worm laid at (10, 10) heading right, three long.
    void SetUp() override {
        Game::SetUp();
        play(makeScene(3, 3));
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.scene.fallInterval = world.scene.randomFall = 0;
    }
    void put(int column, std::uint8_t code) { world.cells[cellIndex(column, 10)] = code; }
    bool headAt(int x, int y, int limit = 400) {
        for (int i = 0; i < limit && !(world.segX[0] == x && world.segY[0] == y); ++i) runOneFrame();
        return world.segX[0] == x && world.segY[0] == y;
    }
    // Runs until the head reaches `column` of row 10, then the frame that acts on it.
    void eatAt(int column) {
        ASSERT_TRUE(headAt(column * 10, 100));
        headless.soundCalls.clear();
        runOneFrame();
    }
    int count(std::uint8_t code) { return static_cast<int>(std::ranges::count(world.cells, code)); }
    int plays(int id) {
        return static_cast<int>(std::ranges::count(headless.soundCalls, SoundCall{SoundOp::Play, id, 0}));
    }
};

// A bean is worth 5, 5 more when fast and 10 more in the rain (its last frame wet, before it sets in dry).
TEST_F(Rules, WhatABeanIsWorth) {
    const std::tuple<int, int, std::uint32_t, std::uint8_t> rows[] = {
        {2, 0, 5, EffectNone},     {5, 0, 10, EffectAdd5},  {2, 300, 15, EffectAdd10},
        {5, 300, 20, EffectAdd15}, {2, 450, 5, EffectNone}, {2, 1, 15, EffectAdd10}};
    for (auto [speed, rain, points, popUp] : rows) {
        world.cells.fill(Empty);
        world.cellEffect.fill(EffectNone);
        placeWorm(10, 10, 3, Right);
        world.score = 0;
        world.rainTimer = 0;
        put(12, Blue);
        world.speed = speed;
        ASSERT_TRUE(headAt(120, 100));
        world.rainTimer = rain;
        runOneFrame();
        EXPECT_EQ(
            std::tuple(world.score, world.cellEffect[cellIndex(12, 10)], world.length + world.pendingGrowth),
            std::tuple(points, popUp, 4))
            << speed << " " << rain;
    }
}

TEST_F(Rules, ABonusBeanGivesThirtyAndNeitherGrowsNorTouchesTheRun) {
    put(12, BonusBean);
    world.comboColour = Green;
    world.comboCount = 3;
    eatAt(12);
    EXPECT_EQ(std::tuple(world.score, world.pendingGrowth, world.comboColour, world.comboCount,
                         world.cellEffect[cellIndex(12, 10)]),
              std::tuple(30u, 0, Green, 3, EffectAdd30));
}

// Five of a colour in a row: red speeds up, orange fires the laser, green revives the five
// oldest stones, blue starts a storm, purple halves the worm.
TEST_F(Rules, TheFifthBeanOfAColourFiresItsPower) {
    for (std::uint8_t colour : {Red, Orange, Green, Blue, Purple}) {
        SCOPED_TRACE(int(colour));
        world.cells.fill(Empty);
        placeWorm(10, 10, 8, Right);
        for (int c = 11; c <= 15; ++c) put(c, colour);
        for (int c = 0; c < 7; ++c) world.cells[cellIndex(c, 20)] = Stone;
        world.stoneRead = world.stoneWrite = 0;
        for (int c = 0; c < 7; ++c)
            world.stoneQueue[static_cast<std::size_t>(world.stoneWrite++)] = {std::uint8_t(c), 20};
        world.comboCount = 0;
        world.speedTimer = world.laserAge = world.rainTimer = 0;
        world.speed = 2;
        ASSERT_TRUE(headAt(150, 100));
        EXPECT_EQ(world.comboCount, 4);
        runOneFrame();
        EXPECT_EQ(world.comboCount, 0);
        const std::tuple<int, bool, int, int, int> expected[] = {{40, false, 0, 0, 13},
                                                                 {0, true, 0, 0, 13},
                                                                 {0, false, 5, 0, 13},
                                                                 {0, false, 0, 499, 13},
                                                                 {0, false, 0, 0, 7}};
        EXPECT_EQ(std::tuple(world.speedTimer, world.laserAge != 0, world.stoneRead, world.rainTimer,
                             world.length + world.pendingGrowth),
                  expected[colour]);
    }
}

// A red bean slows a fast worm over 32 frames; the slow-down ripples the water downward at
// the head, the speed-up upward behind it.
TEST_F(Rules, RedBeansSlowAFastWormAndSpeedChangesRippleThePond) {
    world.speed = 5;
    put(12, Red);
    eatAt(12);
    EXPECT_EQ(world.speedTimer, -32);
    const auto rippleAfterStep = [](int segment) {
        clearRipples();
        const int x = world.segX[segment] + 4, y = world.segY[segment] + 5;
        runOneFrame();
        return rippleCurrent()[y * 400 + x];
    };
    EXPECT_LT(rippleAfterStep(0), 0);
    runFrames(30);
    EXPECT_EQ(world.speed, 5);
    runOneFrame();
    EXPECT_EQ(std::tuple(world.speed, world.speedTimer), std::tuple(2, 0));
    world.speedTimer = 20;
    EXPECT_GT(rippleAfterStep(1), 0);
}

TEST_F(Rules, EveryFiveThousandPointsBringALifeUpToNinetyNine) {
    for (int lives : {99, 2}) {
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.score = 4995;
        world.nextLifeScore = 5000;
        world.lives = lives;
        put(12, Green);
        eatAt(12);
        EXPECT_EQ(std::tuple(world.lives, world.nextLifeScore, world.hiScore),
                  lives == 2 ? std::tuple(3, 10000u, 5000u) : std::tuple(99, 5000u, 5000u));
    }
    EXPECT_EQ(world.cellEffect[cellIndex(12, 10)], EffectLifeUp);
    EXPECT_EQ(plays(SoundLifeUp), 1);
}

// The worm dies before it moves; the next one starts on the cell of its last body segment.
TEST_F(Rules, HittingAStoneKills) {
    world.cells.fill(Empty);
    placeWorm(10, 10, 5, Right);
    put(12, Stone);
    eatAt(12);
    EXPECT_EQ(
        std::tuple(world.segX[0], world.segX[1], world.face, world.tailHold, world.startCol, world.startRow),
        std::tuple(120, 110, 6, 15, 8, 10));
    EXPECT_EQ(game.currentScreen, &lifeLostScreen);
    EXPECT_EQ(plays(SoundDie), 1);
    ASSERT_GT(runUntil(&playScreen, 200), 0);
    EXPECT_EQ(std::tuple(world.segX[0], world.segY[0], world.lives, world.length), std::tuple(80, 100, 1, 1));
}

// At 25 segments the worm sheds 20 stones behind the five it keeps, queued tail first.
TEST_F(Rules, AtTwentyFiveTheWormMoltsIntoTwentyStones) {
    world.cells.fill(Empty);
    placeWorm(30, 10, 24, Right);
    world.pendingGrowth = 1;
    runOneFrame();
    EXPECT_EQ(std::tuple(world.length, world.tailHold), std::tuple(25, 5));
    runFrames(5);
    EXPECT_EQ(std::tuple(world.length, count(Stone), world.stoneWrite), std::tuple(5, 20, 20));
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(cellAt(world.stoneQueue[k].column, world.stoneQueue[k].row), Stone);
    EXPECT_EQ(world.stoneQueue[0].column + 19, world.stoneQueue[19].column);
}

// A bean of the random fall: 32 frames through the air, then five on the floor, one landing
// sound, five splashes.
TEST_F(Rules, ABeanFallsThroughTheAirOntoTheFloor) {
    world.cells.fill(Stone);
    placeWorm(10, 10, 1, Right);
    world.started = 0;
    world.cells[cellIndex(20, 15)] = Empty;
    world.scene.randomFall = 1;
    dropRandomBean(Purple);
    std::vector<int> heights;
    headless.soundCalls.clear();
    for (int f = 0; f < 40; ++f) {
        runOneFrame();
        heights.push_back(world.fallHeight[cellIndex(20, 15)]);
    }
    EXPECT_EQ(heights, (std::vector<int>{62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49,
                                         48, 47, 45, 43, 41, 39, 37, 35, 33, 31, 28, 25, 22, 19,
                                         16, 13, 9,  5,  4,  3,  2,  1,  0,  0,  0,  0}));
    EXPECT_EQ(plays(SoundDrop), 1);
}

// Escape wins at the exit, Eat-up with the last bean on the floor, Goal score on the frame the
// score reaches the goal (compared unsigned).
TEST_F(Rules, WinningByEachObjective) {
    const std::tuple<int, std::uint8_t, std::int16_t, std::uint32_t, int> rows[] = {
        {Escape, Exit, 0, 5, 1},     {EatUp, BonusBean, 0, 5, 1}, {EatUp, Blue, 50, 5, 0},
        {GoalScore, Empty, 0, 5, 1}, {Standard, Empty, 0, 5, 0},  {GoalScore, Empty, 0, 0x80000000u, 0}};
    for (auto [objective, other, height, goal, won] : rows) {
        SCOPED_TRACE(objective);
        game.currentScreen = &playScreen;
        world.sceneAccomplished = 0;
        world.score = 0;
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.scene.objective = objective;
        world.scene.goalScore = static_cast<std::int32_t>(goal);
        put(12, objective == Escape ? Exit : Green);
        world.cells[cellIndex(30, 3)] = other;
        world.fallHeight[cellIndex(30, 3)] = height;
        eatAt(12);
        EXPECT_EQ(world.sceneAccomplished, won);
        EXPECT_EQ(game.currentScreen == &sceneEndScreen, won == 1);
    }
}

// A queued arrow turns at the next cell, a reversal is refused, other keys are skipped; the
// head wraps round the edges.
TEST_F(Rules, SteeringAndWrapping) {
    const std::tuple<std::vector<std::uint8_t>, Direction> rows[] = {
        {{kKeyLeft}, Right}, {{kKeyTab, kKeyEnter, kKeyDown}, Down}, {{kKeyUp, kKeyDown}, Up}};
    for (const auto& [keys, dir] : rows) {
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        runOneFrame();
        for (std::uint8_t key : keys) press(key);
        ASSERT_TRUE(headAt(110, 100));
        runOneFrame();
        EXPECT_EQ(world.segDir[0], dir);
    }
    world.cells.fill(Empty);
    placeWorm(39, 29, 3, Right);
    runFrames(10);
    EXPECT_EQ(std::tuple(world.segX[0], world.segY[0]), std::tuple(10, 290));
}

// The face glances at a bean beside the way ahead, the left one first.
TEST_F(Rules, TheFaceGlancesFrontLeftBeforeFrontRight) {
    for (auto [left, right, face] : {std::tuple(Green, Green, 3), std::tuple(Empty, Green, 2)}) {
        world.cells.fill(Empty);
        placeWorm(10, 10, 3, Right);
        world.face = 0;
        world.cells[cellIndex(11, 9)] = left;
        world.cells[cellIndex(11, 11)] = right;
        runOneFrame();
        EXPECT_EQ(world.face, face);
    }
    world.cells.fill(Empty);  // at the field's edge too
    placeWorm(2, 10, 3, Left);
    world.face = 0;
    world.cells[cellIndex(0, 11)] = Green;
    runOneFrame();
    EXPECT_EQ(world.face, 3);
}

// Scene codes: beans, stone, start, exit; random beans in file order; stones queued in file order.
TEST_F(Rules, SceneCellsLoadByTheirCodes) {
    Scene scene = makeScene(6, 0);
    for (std::uint8_t c = 0; c < 5; ++c) scene.grid[sceneCellIndex(c, 0)] = c;
    const std::uint8_t codes[] = {5, 7, 8, 200, 5, 10, 10};
    for (int k = 0; k < 7; ++k) scene.grid[sceneCellIndex(7 + k, k == 4 ? 2 : 0)] = codes[k];
    scene.grid[sceneCellIndex(0, 1)] = RandomBean;
    writeScene("cells.qsn", scene);
    seedRandom(3);
    loadScene("cells.qsn");
    const std::uint32_t after = randomState.state;
    seedRandom(3);
    const int a = gameRand() % 5, b = gameRand() % 5, c = gameRand() % 5;
    EXPECT_EQ(randomState.state, after);
    const std::vector<std::uint8_t> cells = {Red,   Orange, Green,           Blue,           Purple,
                                             Empty, Empty,  Stone,           Exit,           Empty,
                                             Empty, Empty,  std::uint8_t(a), std::uint8_t(b)};
    for (int k = 0; k < 14; ++k) EXPECT_EQ(cellAt(k, 0), cells[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(cellAt(0, 1), c);
    EXPECT_EQ(std::tuple(world.startCol, world.exitCol, world.stoneWrite, world.stoneQueue[1].row),
              std::tuple(6, 8, 2, 2));
}

}  // namespace

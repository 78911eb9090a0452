// Winning a scene: reaching an exit, eating the last bean of an Eat-up scene (not while a bean
// is still materialising; bonus beans may remain, a bean in the air must be eaten), and a goal
// score checked every frame, on a cell or not.
#include <tuple>

#include "game/common/assets.h"
#include "game/common/light.h"
#include "game/common/shell_state.h"
#include "tests/world/harness.h"

namespace wt {
namespace {

class Winning : public World {
protected:
    void start(int objective) {
        TestScene scene;
        scene.objective = objective;
        scene.set(3, 3, 6);
        scene.set(14, 10, objective == 1 ? 7 : 255);
        scene.set(12, 10, 2);  // a green bean in the worm's way
        load(scene);
        newGame();
        placeWorm(10, 10, 3, Right);
    }
    void expectWon() {
        EXPECT_EQ(std::tuple(world.sceneAccomplished, world.endFade), std::tuple(1, 256));
        EXPECT_EQ(world.outcome, WorldOutcome::Won);
    }
};

TEST_F(Winning, ReachingTheExitWins) {
    start(1);
    ASSERT_TRUE(runUntilHeadAt(140, 100));
    soundLog.calls.clear();
    frame();
    expectWon();
    EXPECT_EQ(callsOn(SoundAccomplished), restartCalls(SoundAccomplished, 5 * 140 - 1000));
    EXPECT_EQ(cellAt(14, 10), WormBody);  // the head marks the exit cell and moves on
    EXPECT_EQ(world.segX[0], 142);
}

TEST_F(Winning, EatingTheLastBeanOrReachingTheGoalWinsInThatFrame) {
    struct Case {
        int objective;
        std::uint8_t other;  // what else lies on the field, at (30, 3)
        std::int16_t height;
        bool won;
    };
    // Eat-up: bonus beans and stones may remain, a bean in the air must be eaten. The goal of
    // 5 points is reached by eating; other objectives do not win on an empty field.
    for (const Case& c : {Case{3, Empty, 0, true}, Case{3, BonusBean, 0, true}, Case{3, Stone, 0, true},
                          Case{3, Blue, 50, false}, Case{2, Empty, 0, true}, Case{0, Empty, 0, false}}) {
        SCOPED_TRACE(::testing::Message() << c.objective << " " << int(c.other));
        start(c.objective);
        world.cells[cellIndex(30, 3)] = c.other;
        world.fallHeight[cellIndex(30, 3)] = c.height;
        ASSERT_TRUE(runUntilHeadAt(120, 100));
        EXPECT_EQ(world.sceneAccomplished, 0);
        frame();
        if (c.won) {
            expectWon();
        } else {
            EXPECT_EQ(world.sceneAccomplished, 0);
            EXPECT_EQ(world.outcome, WorldOutcome::None);
        }
    }
}

TEST_F(Winning, NoWinWhileABeanMaterialises) {
    start(3);
    world.cells[cellIndex(30, 3)] = Stone;
    world.cellEffect[cellIndex(30, 3)] = Purple;
    world.effectAge[cellIndex(30, 3)] = 40;
    ASSERT_TRUE(runUntilHeadAt(120, 100));
    frame();
    EXPECT_EQ(world.sceneAccomplished, 0);
    frames(30);  // the revived bean is there now, and must be eaten too
    EXPECT_EQ(cellAt(30, 3), Purple);
    EXPECT_EQ(world.sceneAccomplished, 0);
}

TEST_F(Winning, TheGoalScoreIsCheckedEveryFrame) {
    start(2);
    world.scene.goalScore = 500;
    frames(2);  // between cells
    ASSERT_NE(world.segX[0] % 10, 0);
    world.score = 499;
    frame();
    EXPECT_EQ(world.sceneAccomplished, 0);
    world.score = 500;
    frame();
    expectWon();
}

TEST_F(Winning, AGoalScoreAboveTwoToTheThirtyOneComparesUnsigned) {
    start(2);
    world.scene.goalScore = 0x80000000u;  // a negative number in the file
    world.score = 0x7FFFFFFFu;
    frame();
    EXPECT_EQ(world.sceneAccomplished, 0);
}

}  // namespace
}  // namespace wt

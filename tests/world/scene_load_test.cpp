// Loading a scene into the playfield: the cell conversion in file order, the reset of every
// companion array, the stone queue, the start and exit points, the forced settings of Eat-up
// scenes, and a missing file leaving the previous scene in force.
#include "tests/world/harness.h"

#include <cstring>

#include "game/shell/random.h"

namespace wt {
namespace {

using SceneLoading = World;

TEST_F(SceneLoading, CellsAreConvertedByTheirSceneCodes) {
    TestScene scene;
    for (std::uint8_t c = 0; c < 5; ++c) scene.set(c, 0, c);
    scene.set(5, 0, 5);   // stone bean
    scene.set(6, 0, 6);   // start
    scene.set(7, 0, 7);   // exit
    scene.set(8, 0, 8);   // codes without meaning
    scene.set(9, 0, 9);
    scene.set(10, 0, 200);
    load(scene);
    for (std::uint8_t c = 0; c < 5; ++c) EXPECT_EQ(cellAt(c, 0), c);
    EXPECT_EQ(cellAt(5, 0), Stone);
    EXPECT_EQ(cellAt(6, 0), Empty);
    EXPECT_EQ(cellAt(7, 0), Exit);
    EXPECT_EQ(cellAt(8, 0), Empty);
    EXPECT_EQ(cellAt(9, 0), Empty);
    EXPECT_EQ(cellAt(10, 0), Empty);
    EXPECT_EQ(world.startCol, 6);
    EXPECT_EQ(world.exitCol, 7);
}

TEST_F(SceneLoading, RandomBeansDrawTheirColoursInFileOrder) {
    TestScene scene;
    // File order is row by row: (39, 0) comes before (0, 1), which comes before (5, 2).
    scene.set(5, 2, 10);
    scene.set(0, 1, 10);
    scene.set(39, 0, 10);
    load(scene);
    seedRandom(1);
    const int first = gameRand() % 5, second = gameRand() % 5, third = gameRand() % 5;
    EXPECT_EQ(cellAt(39, 0), first);
    EXPECT_EQ(cellAt(0, 1), second);
    EXPECT_EQ(cellAt(5, 2), third);
    EXPECT_EQ(randomState.state, [] { seedRandom(1); for (int i = 0; i < 3; ++i) gameRand(); return randomState.state; }());
}

TEST_F(SceneLoading, StonesAreQueuedInFileOrder) {
    TestScene scene;
    scene.set(3, 4, 5);
    scene.set(1, 4, 5);
    scene.set(39, 2, 5);
    load(scene);
    EXPECT_EQ(world.stoneRead, 0);
    EXPECT_EQ(world.stoneWrite, 3);
    EXPECT_EQ(world.stoneQueue[0].column, 39);
    EXPECT_EQ(world.stoneQueue[0].row, 2);
    EXPECT_EQ(world.stoneQueue[1].column, 1);
    EXPECT_EQ(world.stoneQueue[2].column, 3);
    EXPECT_EQ(world.stoneQueue[3].column, 255);
}

TEST_F(SceneLoading, LoadingClearsEffectsHeightsAndTheQueue) {
    TestScene scene;
    scene.set(2, 2, 5);
    load(scene);
    world.cellEffect[17] = EffectAdd30;
    world.effectAge[17] = 9;
    world.fallHeight[18] = 40;
    world.stoneQueue[500] = {1, 1};
    world.stoneWrite = 501;
    world.stoneRead = 7;
    load(TestScene{});
    EXPECT_EQ(world.cellEffect[17], EffectNone);
    EXPECT_EQ(world.effectAge[17], 0);
    EXPECT_EQ(world.fallHeight[18], 0);
    EXPECT_EQ(world.stoneQueue[500].column, 255);
    EXPECT_EQ(world.stoneRead, 0);
    EXPECT_EQ(world.stoneWrite, 0);
    EXPECT_EQ(cellAt(2, 2), Empty);
}

TEST_F(SceneLoading, TheLastStartAndExitInFileOrderWin) {
    TestScene scene;
    scene.set(30, 1, 6);
    scene.set(2, 5, 6);
    scene.set(20, 3, 7);
    scene.set(10, 9, 7);
    load(scene);
    EXPECT_EQ(world.startCol, 2);
    EXPECT_EQ(world.startRow, 5);
    EXPECT_EQ(world.exitCol, 10);
    EXPECT_EQ(world.exitRow, 9);
    // Both exits are on the field; only the last is the scene's exit point.
    EXPECT_EQ(cellAt(20, 3), Exit);
}

TEST_F(SceneLoading, AStartPointIsKeptWhenTheNextSceneHasNone) {
    TestScene first;
    first.set(12, 13, 6);
    load(first);
    load(TestScene{}, "other.qsn");
    EXPECT_EQ(world.startCol, 12);
    EXPECT_EQ(world.startRow, 13);
}

TEST_F(SceneLoading, SettingsAreTakenAndEatUpTurnsRandomFallOff) {
    TestScene scene;
    scene.title = "Pond of Plenty";
    scene.description = "Eat\r\nthem all";
    scene.background = 10;
    scene.randomFall = 1;
    scene.fallInterval = 7;
    scene.objective = 3;
    scene.goalScore = 1234;
    load(scene);
    EXPECT_STREQ(world.title, "Pond of Plenty");
    EXPECT_STREQ(world.description, "Eat\r\nthem all");
    EXPECT_EQ(world.background, 10);
    EXPECT_EQ(world.randomFall, 0);
    EXPECT_EQ(world.fallInterval, 7);
    EXPECT_EQ(world.objective, 3);
    EXPECT_EQ(world.goalScore, 1234u);
}

TEST_F(SceneLoading, AMissingFileLeavesThePreviousSceneInForce) {
    TestScene scene;
    scene.title = "Kept";
    scene.set(4, 4, 2);
    scene.goalScore = 99;
    load(scene);
    loadScene("absent.qsn");
    EXPECT_STREQ(world.title, "Kept");
    EXPECT_EQ(cellAt(4, 4), Green);
    EXPECT_EQ(world.goalScore, 99u);
}

TEST_F(SceneLoading, NumbersThatCannotBeReadKeepThePreviousScenesValues) {
    TestScene scene;
    scene.background = 4;
    scene.goalScore = 300;
    load(scene);
    // A title line, then a number line whose third number is garbage.
    const char bytes[] = "Odd\0\r\n7 1 x 2 9\r\n";
    std::FILE* file = std::fopen("Scenes/odd.qsn", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes, 1, sizeof bytes - 1, file);
    std::fclose(file);
    loadScene("odd.qsn");
    EXPECT_EQ(world.background, 7);
    EXPECT_EQ(world.randomFall, 1);
    EXPECT_EQ(world.fallInterval, 0);  // the unreadable field and those after it stay
    EXPECT_EQ(world.objective, 0);
    EXPECT_EQ(world.goalScore, 300u);
}

TEST_F(SceneLoading, ARandomBeanInTheLastCellSurvivesItsLineEnd) {
    TestScene scene;
    scene.set(39, 29, 10);
    load(scene);
    EXPECT_LT(cellAt(39, 29), 5);
}

}  // namespace
}  // namespace wt

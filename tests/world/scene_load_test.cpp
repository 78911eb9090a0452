// Loading a scene into the playfield: the cell conversion in file order, the reset of every
// companion array, the stone queue, the start and exit points, the forced settings of Eat-up
// scenes, and a missing file leaving the previous scene in force.
#include <tuple>

#include "game/common/random.h"
#include "tests/world/harness.h"

namespace wt {
namespace {

using SceneLoading = World;

TEST_F(SceneLoading, CellsAreConvertedByTheirSceneCodes) {
    TestScene scene;
    for (std::uint8_t c = 0; c < 5; ++c) scene.set(c, 0, c);
    // Stone, start, exit, then codes without meaning.
    const std::uint8_t codes[] = {5, 6, 7, 8, 9, 200}, cells[] = {Stone, Empty, Exit, Empty, Empty, Empty};
    for (int k = 0; k < 6; ++k) scene.set(5 + k, 0, codes[k]);
    load(scene);
    for (std::uint8_t c = 0; c < 5; ++c) EXPECT_EQ(cellAt(c, 0), c);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(cellAt(5 + k, 0), cells[k]) << k;
    EXPECT_EQ(world.startCol, 6);
    EXPECT_EQ(world.exitCol, 7);
}

TEST_F(SceneLoading, RandomBeansDrawTheirColoursInFileOrder) {
    TestScene scene;
    // File order is row by row: (39, 0) comes before (0, 1), which comes before (5, 2); the
    // last cell's bean survives the line end after it.
    scene.set(5, 2, 10);
    scene.set(0, 1, 10);
    scene.set(39, 0, 10);
    scene.set(39, 29, 10);
    load(scene);
    const std::uint32_t loaded = randomState.state;
    seedRandom(1);
    EXPECT_EQ(cellAt(39, 0), gameRand() % 5);
    EXPECT_EQ(cellAt(0, 1), gameRand() % 5);
    EXPECT_EQ(cellAt(5, 2), gameRand() % 5);
    EXPECT_EQ(cellAt(39, 29), gameRand() % 5);
    EXPECT_EQ(randomState.state, loaded);
}

TEST_F(SceneLoading, StonesAreQueuedInFileOrderAndTheNextLoadClearsEverything) {
    TestScene scene;
    scene.set(3, 4, 5);
    scene.set(1, 4, 5);
    scene.set(39, 2, 5);
    load(scene);
    EXPECT_EQ(std::tuple(world.stoneRead, world.stoneWrite), std::tuple(0, 3));
    EXPECT_EQ(std::tuple(world.stoneQueue[0].column, world.stoneQueue[0].row, world.stoneQueue[1].column,
                         world.stoneQueue[2].column, world.stoneQueue[3].column),
              std::tuple(39, 2, 1, 3, 255));
    world.cellEffect[17] = EffectAdd30;
    world.effectAge[17] = 9;
    world.fallHeight[18] = 40;
    world.stoneQueue[500] = {1, 1};
    world.stoneWrite = 501;
    world.stoneRead = 7;
    load(TestScene{});
    EXPECT_EQ(std::tuple(world.cellEffect[17], world.effectAge[17], world.fallHeight[18], cellAt(3, 4)),
              std::tuple(EffectNone, 0, 0, Empty));
    EXPECT_EQ(std::tuple(world.stoneQueue[0].column, world.stoneQueue[500].column, world.stoneRead,
                         world.stoneWrite),
              std::tuple(255, 255, 0, 0));
}

TEST_F(SceneLoading, TheLastStartAndExitInFileOrderWin) {
    TestScene scene;
    scene.set(30, 1, 6);
    scene.set(2, 5, 6);
    scene.set(20, 3, 7);
    scene.set(10, 9, 7);
    load(scene);
    EXPECT_EQ(std::tuple(world.startCol, world.startRow, world.exitCol, world.exitRow),
              std::tuple(2, 5, 10, 9));
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
    EXPECT_STREQ(world.scene.title, "Pond of Plenty");
    EXPECT_STREQ(world.scene.description, "Eat\r\nthem all");
    EXPECT_EQ(std::tuple(world.scene.background, world.scene.randomFall, world.scene.fallInterval,
                         world.scene.objective, world.scene.goalScore),
              std::tuple(10, 0, 7, 3, 1234u));
}

TEST_F(SceneLoading, AMissingFileLeavesThePreviousSceneInForce) {
    TestScene scene;
    scene.title = "Kept";
    scene.set(4, 4, 2);
    scene.goalScore = 99;
    load(scene);
    loadScene("absent.qsn");
    EXPECT_STREQ(world.scene.title, "Kept");
    EXPECT_EQ(cellAt(4, 4), Green);
    EXPECT_EQ(world.scene.goalScore, 99u);
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
    // The unreadable field and those after it stay.
    EXPECT_EQ(std::tuple(world.scene.background, world.scene.randomFall, world.scene.fallInterval,
                         world.scene.objective, world.scene.goalScore),
              std::tuple(7, 1, 0, 0, 300u));
}

}  // namespace
}  // namespace wt

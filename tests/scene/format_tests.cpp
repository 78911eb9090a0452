// The scene file format byte for byte: what the writer puts on disk, what both readers make of
// it, and the line-end translation between the two.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/scene.h"

namespace {

std::string cells(std::size_t count, char code) { return std::string(count, code); }

const std::string kEmptyGrid = cells(kSceneCells, '\xFF');

struct GameCapture {
    int resets = 0;
    std::vector<std::uint8_t> codes;
    std::vector<std::pair<int, int>> positions;
};
GameCapture capture;

GameSceneSink captureSink() {
    capture = GameCapture{};
    GameSceneSink sink;
    sink.resetCells = [] { ++capture.resets; };
    sink.cell = [](int column, int row, std::uint8_t code) {
        capture.codes.push_back(code);
        capture.positions.emplace_back(column, row);
    };
    return sink;
}

TEST(SceneWriter, ExampleSceneIsLaidOutAsOnDisk) {
    Scene scene;
    scene.title = "Pond";
    scene.background = 4;
    scene.randomFall = 1;
    scene.fallInterval = 5;
    scene.objective = GoalScore;
    scene.goalScore = 300;
    scene.grid[sceneCellIndex(3, 0)] = RandomBean;
    std::string expected = std::string("Pond\0\r\n", 7) + "4 1 5 2 300" + std::string("\r\n\0\r\n", 5) +
                           std::string("\0\r\n", 3) + cells(3, '\xFF') + "\r\n" + cells(kSceneCells - 4, '\xFF');
    EXPECT_EQ(sceneDiskBytes(scene), expected);
}

TEST(SceneWriter, NewSceneIs1220Bytes) {
    std::string expected = std::string("\0\r\n", 3) + "0 1 0 0 5" + std::string("\r\n\0\r\n", 5) +
                           std::string("\0\r\n", 3) + kEmptyGrid;
    std::string disk = sceneDiskBytes(Scene{});
    EXPECT_EQ(disk.size(), 1220u);
    EXPECT_EQ(disk, expected);
}

TEST(SceneWriter, GridIsStoredRowByRow) {
    Scene scene;
    scene.grid[sceneCellIndex(1, 0)] = RedBean;     // file position 1
    scene.grid[sceneCellIndex(0, 1)] = StoneBean;   // file position 40
    scene.grid[sceneCellIndex(39, 29)] = ExitPoint; // the last byte
    std::string disk = sceneDiskBytes(scene);
    std::string grid = disk.substr(disk.size() - kSceneCells);
    EXPECT_EQ(grid[1], '\0');
    EXPECT_EQ(grid[40], '\5');
    EXPECT_EQ(grid[kSceneCells - 1], '\7');
}

TEST(SceneWriter, DescriptionLineBreakIsWidened) {
    Scene scene;
    scene.description = "a\r\nb";
    std::string disk = sceneDiskBytes(scene);
    std::string expected = std::string("a\r\r\nb\0\r\n", 8);
    EXPECT_NE(disk.find(expected), std::string::npos);
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.description, "a\r\nb");
}

TEST(SceneWriter, NegativeAndLargeNumbersArePlainDecimal) {
    Scene scene;
    scene.background = -3;
    scene.goalScore = 2147483647;
    scene.fallInterval = -2147483647 - 1;
    std::string disk = sceneDiskBytes(scene);
    EXPECT_NE(disk.find("-3 1 -2147483648 0 2147483647\r\n"), std::string::npos);
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.background, -3);
    EXPECT_EQ(back.fallInterval, -2147483647 - 1);
    EXPECT_EQ(back.goalScore, 2147483647);
}

TEST(SceneReaders, RandomBeanInLastCellEndsTheFileWithCrLf) {
    Scene scene;
    scene.grid[sceneCellIndex(39, 29)] = RandomBean;
    std::string disk = sceneDiskBytes(scene);
    ASSERT_EQ(disk.substr(disk.size() - 2), "\r\n");
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.grid[sceneCellIndex(39, 29)], RandomBean);
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, captureSink());
    EXPECT_EQ(capture.codes.back(), RandomBean);
}

TEST(SceneReaders, NumberLineOfEscapeScene) {
    std::string disk = std::string("\0\r\n", 3) + "10 1 0 1 5" + std::string("\r\n\0\r\n\0\r\n", 8) + kEmptyGrid;
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.background, 10);
    EXPECT_EQ(scene.randomFall, 1);
    EXPECT_EQ(scene.fallInterval, 0);
    EXPECT_EQ(scene.objective, Escape);
    EXPECT_EQ(scene.goalScore, 5);
}

TEST(SceneReaders, EditorReaderRestoresEveryField) {
    Scene scene;
    scene.title = "Stone Garden";
    scene.background = 9;
    scene.randomFall = 0;
    scene.fallInterval = 17;
    scene.objective = Escape;
    scene.goalScore = 1234567;
    scene.description = "Find the way out.\r\nMind the stones.";
    for (int i = 0; i < kSceneCells; ++i) scene.grid[i] = static_cast<std::uint8_t>(i % 256);
    Scene back;
    readSceneBytes(sceneDiskBytes(scene), back);
    EXPECT_EQ(back.title, scene.title);
    EXPECT_EQ(back.background, 9);
    EXPECT_EQ(back.randomFall, 0);
    EXPECT_EQ(back.fallInterval, 17);
    EXPECT_EQ(back.objective, Escape);
    EXPECT_EQ(back.goalScore, 1234567);
    EXPECT_EQ(back.description, scene.description);
    EXPECT_EQ(back.grid, scene.grid);
}

TEST(SceneReaders, TitleOf28CharactersSurvivesBothReaders) {
    Scene scene;
    scene.title = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01";
    ASSERT_EQ(scene.title.size(), 28u);
    std::string disk = sceneDiskBytes(scene);
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.title, scene.title);
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, captureSink());
    EXPECT_STREQ(settings.title, scene.title.c_str());
}

TEST(SceneReaders, GameCutsTitleAt31AndDescriptionAt255) {
    Scene scene;
    scene.title = std::string(40, 'T');
    scene.description = std::string(300, 'd');
    std::string disk = sceneDiskBytes(scene);
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, captureSink());
    EXPECT_EQ(std::string(settings.title), std::string(31, 'T'));
    EXPECT_EQ(std::string(settings.description), std::string(255, 'd'));
    // The cut description must not shift the grid.
    EXPECT_EQ(capture.codes, std::vector<std::uint8_t>(kSceneCells, EmptyCell));
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.title, scene.title);
    EXPECT_EQ(back.description, std::string(255, 'd'));
}

TEST(SceneReaders, UnknownCodesKeptByEditorAndPassedToGame) {
    Scene scene;
    scene.grid[sceneCellIndex(5, 6)] = 8;
    scene.grid[sceneCellIndex(7, 8)] = 9;
    std::string disk = sceneDiskBytes(scene);
    Scene back;
    readSceneBytes(disk, back);
    EXPECT_EQ(back.grid[sceneCellIndex(5, 6)], 8);
    EXPECT_EQ(back.grid[sceneCellIndex(7, 8)], 9);
    EXPECT_EQ(sceneDiskBytes(back), disk);
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, captureSink());
    EXPECT_EQ(capture.codes[6 * 40 + 5], 8);
    EXPECT_EQ(capture.codes[8 * 40 + 7], 9);
}

TEST(SceneReaders, GameGetsCellsInFileOrderAfterOneReset) {
    Scene scene;
    scene.grid[sceneCellIndex(2, 1)] = StartPoint;
    GameSceneSettings settings;
    readSceneBytesForGame(sceneDiskBytes(scene), settings, captureSink());
    EXPECT_EQ(capture.resets, 1);
    ASSERT_EQ(capture.positions.size(), static_cast<std::size_t>(kSceneCells));
    for (int i = 0; i < kSceneCells; ++i) {
        EXPECT_EQ(capture.positions[i], std::make_pair(i % 40, i / 40));
    }
    EXPECT_EQ(capture.codes[42], StartPoint);
}

TEST(SceneReaders, EatUpReadsWithRandomFallOff) {
    std::string disk = std::string("\0\r\n", 3) + "0 1 0 3 5" + std::string("\r\n\0\r\n\0\r\n", 8) + kEmptyGrid;
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.randomFall, 0);
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, captureSink());
    EXPECT_EQ(settings.randomFall, 0);
}

TEST(LineEnds, LoneCarriageReturnsStay) {
    EXPECT_EQ(narrowLineEnds("a\r\nb"), "a\nb");
    EXPECT_EQ(narrowLineEnds("a\rb"), "a\rb");
    EXPECT_EQ(narrowLineEnds("a\r\r\n"), "a\r\n");
    EXPECT_EQ(narrowLineEnds("a\r"), "a\r");
    EXPECT_EQ(narrowLineEnds("\n"), "\n");
    EXPECT_EQ(widenLineEnds("\n\r\n"), "\r\n\r\r\n");
}

TEST(LineEnds, CarriageReturnAsLastByteIsAGridCell) {
    std::string disk = sceneDiskBytes(Scene{});
    disk.back() = '\r';
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.grid[sceneCellIndex(39, 29)], 13);
}

TEST(LineEnds, WideningThenNarrowingGivesTheSameBytes) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    all += "\r\r\n\n\r";
    EXPECT_EQ(narrowLineEnds(widenLineEnds(all)), all);
}

}  // namespace

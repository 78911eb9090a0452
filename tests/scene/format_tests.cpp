// The scene file format byte for byte: what the writer puts on disk, what both readers make of
// it, and the line-end translation between the two.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scene/scene_test_util.h"

namespace {

std::string cells(std::size_t count) {
    return std::string(count, '\xFF');
}

struct GameCapture {
    int resets = 0;
    std::vector<std::uint8_t> codes;
    std::vector<std::pair<int, int>> positions;
};
GameCapture capture;

// Both readers over the same bytes; the game's cells land in `capture`.
struct BothReads {
    Scene editor;
    GameSceneSettings game;
};
BothReads readBoth(const std::string& disk) {
    capture = GameCapture{};
    GameSceneSink sink;
    sink.resetCells = [] { ++capture.resets; };
    sink.cell = [](int column, int row, std::uint8_t code) {
        capture.codes.push_back(code);
        capture.positions.emplace_back(column, row);
    };
    BothReads reads;
    readSceneBytes(disk, reads.editor);
    readSceneBytesForGame(disk, reads.game, sink);
    return reads;
}

TEST(SceneWriter, ScenesAreLaidOutAsOnDisk) {
    Scene pond;
    pond.title = "Pond";
    pond.background = 4;
    pond.fallInterval = 5;
    pond.objective = GoalScore;
    pond.goalScore = 300;
    pond.grid[sceneCellIndex(3, 0)] = RandomBean;  // code 10 is widened like a line end
    pond.grid[sceneCellIndex(0, 1)] = StoneBean;   // row by row: file position 40
    pond.grid[sceneCellIndex(39, 29)] = ExitPoint;
    const std::string pondBytes = std::string("Pond\0\r\n", 7) + "4 1 5 2 300" +
                                  std::string("\r\n\0\r\n\0\r\n", 8) + cells(3) + "\r\n" + cells(36) + "\5" +
                                  cells(kSceneCells - 42) + "\7";
    EXPECT_EQ(sceneDiskBytes(pond), pondBytes);
    EXPECT_EQ(sceneDiskBytes(Scene{}), sceneBytes("0 1 0 0 5"));  // a new scene: 1220 bytes
}

TEST(SceneWriter, EveryFieldRoundTripsThroughTheEditorReader) {
    Scene scene;
    scene.title = "Stone Garden";
    scene.background = -3;
    scene.randomFall = 0;
    scene.fallInterval = -2147483647 - 1;
    scene.objective = Escape;
    scene.goalScore = 2147483647;
    scene.description = "Find the way out.\r\nMind the stones.";
    for (int i = 0; i < kSceneCells; ++i) scene.grid[i] = static_cast<std::uint8_t>(i % 256);
    const std::string disk = sceneDiskBytes(scene);
    EXPECT_NE(disk.find("-3 0 -2147483648 1 2147483647\r\n"), std::string::npos);
    EXPECT_NE(disk.find("out.\r\r\nMind the stones." + std::string("\0\r\n", 3)), std::string::npos);
    Scene back = readBoth(disk).editor;
    EXPECT_EQ(back.title, scene.title);
    EXPECT_EQ(numbersOf(back), numbersOf(scene));
    EXPECT_EQ(back.description, scene.description);
    EXPECT_EQ(back.grid, scene.grid);
}

TEST(SceneReaders, NumberLinesAsBothReadersSeeThem) {
    // Eat up scenes read with random fall off, whatever the file says.
    const std::pair<const char*, std::vector<int>> cases[] = {{"10 1 0 1 5", {10, 1, 0, Escape, 5}},
                                                              {"0 1 0 3 5", {0, 0, 0, EatUp, 5}}};
    for (const auto& [numbers, expected] : cases) {
        BothReads reads = readBoth(sceneBytes(numbers));
        EXPECT_EQ(numbersOf(reads.editor), expected) << numbers;
        EXPECT_EQ(numbersOf(reads.game), expected) << numbers;
    }
}

TEST(SceneReaders, GameCutsTitleAt31AndDescriptionAt255) {
    for (std::size_t length : {28u, 31u, 40u}) {
        SCOPED_TRACE(length);
        Scene scene;
        scene.title = std::string(length, 'T');
        scene.description = std::string(300, 'd');
        BothReads reads = readBoth(sceneDiskBytes(scene));
        EXPECT_EQ(std::string(reads.game.title), std::string(std::min<std::size_t>(length, 31), 'T'));
        EXPECT_EQ(std::string(reads.game.description), std::string(255, 'd'));
        // The cut description must not shift the grid.
        EXPECT_EQ(capture.codes, std::vector<std::uint8_t>(kSceneCells, EmptyCell));
        EXPECT_EQ(reads.editor.title, scene.title);
        EXPECT_EQ(reads.editor.description, std::string(255, 'd'));
    }
}

TEST(SceneReaders, EditorKeepsEveryCodeAndGameGetsCellsInFileOrderAfterOneReset) {
    Scene scene;
    scene.grid[sceneCellIndex(2, 1)] = StartPoint;
    scene.grid[sceneCellIndex(5, 6)] = 8;  // codes no scene should hold are kept and passed on
    scene.grid[sceneCellIndex(7, 8)] = 9;
    scene.grid[sceneCellIndex(39, 29)] = RandomBean;  // the file then ends in CR LF
    const std::string disk = sceneDiskBytes(scene);
    ASSERT_EQ(disk.substr(disk.size() - 2), "\r\n");
    Scene back = readBoth(disk).editor;
    EXPECT_EQ(back.grid, scene.grid);
    EXPECT_EQ(sceneDiskBytes(back), disk);
    EXPECT_EQ(capture.resets, 1);
    ASSERT_EQ(capture.positions.size(), static_cast<std::size_t>(kSceneCells));
    for (int i = 0; i < kSceneCells; ++i) EXPECT_EQ(capture.positions[i], std::make_pair(i % 40, i / 40));
    EXPECT_EQ(capture.codes[42], StartPoint);
    EXPECT_EQ(capture.codes[6 * 40 + 5], 8);
    EXPECT_EQ(capture.codes[8 * 40 + 7], 9);
    EXPECT_EQ(capture.codes.back(), RandomBean);
}

TEST(LineEnds, LoneCarriageReturnsStay) {
    EXPECT_EQ(narrowLineEnds("a\r\nb"), "a\nb");
    EXPECT_EQ(narrowLineEnds("a\rb"), "a\rb");
    EXPECT_EQ(narrowLineEnds("a\r\r\n"), "a\r\n");
    EXPECT_EQ(narrowLineEnds("a\r"), "a\r");
    EXPECT_EQ(narrowLineEnds("\n"), "\n");
    EXPECT_EQ(widenLineEnds("\n\r\n"), "\r\n\r\r\n");
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    all += "\r\r\n\n\r";
    EXPECT_EQ(narrowLineEnds(widenLineEnds(all)), all);
}

TEST(LineEnds, CarriageReturnAsLastByteIsAGridCell) {
    std::string disk = sceneDiskBytes(Scene{});
    disk.back() = '\r';
    EXPECT_EQ(readBoth(disk).editor.grid[sceneCellIndex(39, 29)], 13);
}

}  // namespace

// Bad input: files that end anywhere, fields longer than their buffers, numbers that cannot be
// read, paths that do not fit, and random bytes. No reader may fault, read past its input or
// leave a field longer than it can hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "tests/scene/scene_test_util.h"

namespace {

int cellCount = 0;
GameSceneSink countingSink() {
    cellCount = 0;
    GameSceneSink sink;
    sink.cell = [](int column, int row, std::uint8_t) {
        ASSERT_TRUE(column >= 0 && column < kSceneColumns && row >= 0 && row < kSceneRows);
        ++cellCount;
    };
    return sink;
}

// Both readers must survive `disk`, keep their fields within bounds and hand the game every cell.
Scene readSafely(const std::string& disk, GameSceneSettings& settings) {
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_LE(scene.title.size(), 254u);
    EXPECT_LE(scene.description.size(), 255u);
    readSceneBytesForGame(disk, settings, countingSink());
    EXPECT_EQ(cellCount, kSceneCells);
    EXPECT_LT(std::char_traits<char>::length(settings.title), sizeof settings.title);
    return scene;
}

TEST(SceneTruncation, EveryPrefixReadsWithoutFault) {
    Scene original;
    original.title = "Truncation";
    original.goalScore = 4321;
    original.description = "One\r\nTwo";
    for (int i = 0; i < kSceneCells; i += 7) original.grid[i] = i % 2 ? RandomBean : BlueBean;
    const std::string disk = sceneDiskBytes(original);
    for (std::size_t length = 0; length <= disk.size(); ++length) {
        SCOPED_TRACE(length);
        GameSceneSettings settings;
        // A copy of exactly `length` bytes, so the sanitizers see any read beyond it.
        readSafely(disk.substr(0, length), settings);
    }
    // 100 cells short: the missing cells read as empty, everything before them stays.
    GameSceneSettings settings;
    Scene cut = readSafely(disk.substr(0, disk.size() - 100), settings);
    EXPECT_EQ(cut.title, original.title);
    EXPECT_EQ(cut.goalScore, 4321);
    EXPECT_EQ(cut.grid[sceneCellIndex(39, 29)], EmptyCell);
    EXPECT_EQ(cut.grid[sceneCellIndex(0, 0)], BlueBean);
}

TEST(SceneTruncation, ShortFilesKeepWhatWasReadAndEmptyTheRest) {
    Scene scene;
    scene.goalScore = 77;
    scene.description = "old";
    scene.grid.fill(RedBean);
    readSceneBytes(std::string("T\0\r\n4 1", 7), scene);
    EXPECT_EQ(scene.title, "T");
    EXPECT_EQ(numbersOf(scene), std::vector<int>({4, 1, 0, 0, 77}));
    EXPECT_EQ(scene.description, "");
    EXPECT_EQ(scene.grid, Scene::filledGrid());
    scene.title = scene.description = "old";
    scene.grid.fill(RedBean);
    readSceneBytes("", scene);
    EXPECT_EQ(scene.title, "");
    EXPECT_EQ(scene.description, "");
    EXPECT_EQ(scene.grid, Scene::filledGrid());
}

TEST(SceneNumbers, FormattedInputRules) {
    // An unreadable field keeps its value and ends the numbers; signs, extra white space (line
    // ends included) and wrap-around past 32 bits are read as formatted input reads them.
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"3 x 9 9 9", {3, 0, 44, 0, 99}}, {"  +7\t-2\r\n 0012 1 4294967301", {7, -2, 12, 1, 5}}};
    for (const auto& [numbers, expected] : cases) {
        Scene scene;
        GameSceneSettings settings;
        scene.randomFall = settings.randomFall = 0;
        scene.fallInterval = settings.fallInterval = 44;
        scene.goalScore = settings.goalScore = 99;
        readSceneBytes(sceneBytes(numbers, "", ""), scene);
        readSceneBytesForGame(sceneBytes(numbers, "", ""), settings, GameSceneSink{});
        EXPECT_EQ(numbersOf(scene), expected) << numbers;
        EXPECT_EQ(numbersOf(settings), expected) << numbers;
    }
    // Garbage after the numbers is skipped up to the NUL.
    Scene scene;
    readSceneBytes(sceneBytes("1 0 0 0 5 and more", "d", std::string(kSceneCells, '\x03')), scene);
    EXPECT_EQ(scene.description, "d");
    EXPECT_EQ(scene.grid[0], BlueBean);
}

TEST(SceneTexts, TitleLineLongerThanTheLineReadLeavesItsRestToTheNumbers) {
    // 300 title bytes: only 254 are taken by the line read, the rest cannot be read as numbers.
    Scene original;
    original.title = std::string(300, 'A');
    original.background = 6;
    GameSceneSettings settings;
    Scene scene = readSafely(sceneDiskBytes(original), settings);
    EXPECT_EQ(scene.title, std::string(254, 'A'));
    EXPECT_EQ(scene.background, 0);
    EXPECT_EQ(std::string(settings.title), std::string(31, 'A'));
}

TEST(SceneTexts, TitleWithoutNulIsTheWholeLine) {
    Scene scene;
    readSceneBytes("abc\r\n1 1 1 1 9", scene);
    EXPECT_EQ(scene.title, "abc\n");
    EXPECT_EQ(scene.goalScore, 9);
}

TEST(SceneRandomInput, RandomBytesNeverFault) {
    std::mt19937 rng(1234);
    const std::string alphabet("\0\r\n 0123456789-+ab\xFF\x0A", 20);
    for (int round = 0; round < 3000 && !testing::Test::HasFailure(); ++round) {
        std::string disk(rng() % 1500, '\0');
        for (char& c : disk) c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        GameSceneSettings settings;
        readSafely(disk, settings);
    }
}

TEST_F(SceneFolder, GameReadsFromTheScenesFolderUnlessMissingOrThePathIsTooLong) {
    GameSceneSettings settings;
    std::snprintf(settings.title, sizeof settings.title, "kept");
    settings.background = 9;
    EXPECT_FALSE(readSceneForGame("missing.qsn", settings, countingSink()));
    // "Scenes/" and a 248-character name fill the 256-byte buffer exactly; one more does not fit.
    std::string longest = std::string(244, 'n') + ".qsn";
    Scene scene;
    scene.title = "fits";
    scene.grid[sceneCellIndex(1, 2)] = StartPoint;
    ASSERT_TRUE(writeSceneFile(("Scenes/" + longest).c_str(), scene));
    EXPECT_FALSE(readSceneForGame(("x" + longest).c_str(), settings, countingSink()));
    EXPECT_EQ(cellCount, 0);
    EXPECT_STREQ(settings.title, "kept");
    EXPECT_EQ(settings.background, 9);
    EXPECT_TRUE(readSceneForGame(longest.c_str(), settings, countingSink()));
    EXPECT_STREQ(settings.title, "fits");
    EXPECT_EQ(cellCount, kSceneCells);
}

TEST_F(SceneFolder, EditorRefusesMissingFilesAndFolders) {
    Scene scene;
    scene.title = "unchanged";
    EXPECT_FALSE(readSceneFile("Scenes/none.qsn", scene));
    EXPECT_FALSE(readSceneFile("Scenes", scene));
    EXPECT_FALSE(readSceneFile(nullptr, scene));
    EXPECT_EQ(scene.title, "unchanged");
}

TEST_F(SceneFolder, EditorReadsALargeFileInPieces) {
    // More than one read buffer of white space before the numbers.
    std::string disk =
        "big" + sceneBytes(std::string(10000, ' ') + "2 0 0 0 5", "", std::string(kSceneCells, '\x04'));
    std::FILE* file = std::fopen("Scenes/big.qsn", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(disk.data(), 1, disk.size(), file);
    std::fclose(file);
    Scene scene;
    ASSERT_TRUE(readSceneFile("Scenes/big.qsn", scene));
    EXPECT_EQ(scene.title, "big");
    EXPECT_EQ(scene.background, 2);
    EXPECT_EQ(scene.grid[sceneCellIndex(39, 29)], PurpleBean);
}

}  // namespace

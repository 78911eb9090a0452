// Bad input: files that end anywhere, fields longer than their buffers, numbers that cannot be
// read, paths that do not fit, and random bytes. No reader may fault, read past its input or
// leave a field longer than it can hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "scene/scene.h"

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

Scene richScene() {
    Scene scene;
    scene.title = "Truncation";
    scene.background = 7;
    scene.fallInterval = 12;
    scene.objective = GoalScore;
    scene.goalScore = 4321;
    scene.description = "One\r\nTwo";
    for (int i = 0; i < kSceneCells; i += 7) scene.grid[i] = static_cast<std::uint8_t>(i % 2 ? RandomBean : BlueBean);
    return scene;
}

TEST(SceneTruncation, EveryPrefixReadsWithoutFault) {
    Scene original = richScene();
    std::string disk = sceneDiskBytes(original);
    for (std::size_t length = 0; length <= disk.size(); ++length) {
        // A copy of exactly `length` bytes, so the sanitizers see any read beyond it.
        std::string prefix = disk.substr(0, length);
        Scene scene;
        readSceneBytes(prefix, scene);
        EXPECT_LE(scene.description.size(), 255u);
        GameSceneSettings settings;
        readSceneBytesForGame(prefix, settings, countingSink());
        EXPECT_EQ(cellCount, kSceneCells);
    }
}

TEST(SceneTruncation, MissingCellsReadAsEmpty) {
    Scene original = richScene();
    std::string disk = sceneDiskBytes(original);
    disk.resize(disk.size() - 100);
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.title, original.title);
    EXPECT_EQ(scene.goalScore, 4321);
    EXPECT_EQ(scene.grid[sceneCellIndex(39, 29)], EmptyCell);
    EXPECT_EQ(scene.grid[sceneCellIndex(0, 0)], BlueBean);
}

TEST(SceneTruncation, FileEndingInTheNumberLineKeepsWhatWasRead) {
    std::string disk = std::string("T\0\r\n4 1", 7);
    Scene scene;
    scene.goalScore = 77;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.title, "T");
    EXPECT_EQ(scene.background, 4);
    EXPECT_EQ(scene.randomFall, 1);
    EXPECT_EQ(scene.goalScore, 77);
    EXPECT_EQ(scene.grid, Scene::filledGrid());
}

TEST(SceneTruncation, EmptyFileGivesEmptyTextsAndGrid) {
    Scene scene;
    scene.title = "old";
    scene.description = "old";
    scene.grid.fill(RedBean);
    readSceneBytes("", scene);
    EXPECT_EQ(scene.title, "");
    EXPECT_EQ(scene.description, "");
    EXPECT_EQ(scene.grid, Scene::filledGrid());
}

TEST(SceneNumbers, UnreadableFieldKeepsItsValueAndEndsTheNumbers) {
    std::string disk = std::string("\0\r\n", 3) + "3 x 9 9 9" + std::string("\r\n\0\r\n\0\r\n", 8);
    Scene scene;
    scene.randomFall = 0;
    scene.fallInterval = 44;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.background, 3);
    EXPECT_EQ(scene.randomFall, 0);
    EXPECT_EQ(scene.fallInterval, 44);
    GameSceneSettings settings;
    settings.goalScore = 99;
    readSceneBytesForGame(disk, settings, GameSceneSink{});
    EXPECT_EQ(settings.background, 3);
    EXPECT_EQ(settings.goalScore, 99);
}

TEST(SceneNumbers, FormattedInputRules) {
    // Signs, extra white space (line ends included) and wrap-around past 32 bits.
    std::string disk = std::string("\0\r\n", 3) + "  +7\t-2\r\n 0012 1 4294967301" + std::string("\r\n\0\r\n\0\r\n", 8);
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.background, 7);
    EXPECT_EQ(scene.randomFall, -2);
    EXPECT_EQ(scene.fallInterval, 12);
    EXPECT_EQ(scene.objective, 1);
    EXPECT_EQ(scene.goalScore, 5);
}

TEST(SceneNumbers, GarbageBeforeTheNulIsSkipped) {
    std::string grid(kSceneCells, '\x03');
    std::string disk = std::string("\0\r\n", 3) + "1 0 0 0 5 and more" + std::string("\r\n\0\r\nd\0\r\n", 9) + grid;
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.description, "d");
    EXPECT_EQ(scene.grid[0], BlueBean);
}

TEST(SceneTexts, TitleLineLongerThanTheLineReadLeavesItsRestToTheNumbers) {
    // 300 title bytes: only 254 are taken by the line read, the rest cannot be read as numbers.
    Scene original;
    original.title = std::string(300, 'A');
    original.background = 6;
    Scene scene;
    readSceneBytes(sceneDiskBytes(original), scene);
    EXPECT_EQ(scene.title, std::string(254, 'A'));
    EXPECT_EQ(scene.background, 0);
    GameSceneSettings settings;
    readSceneBytesForGame(sceneDiskBytes(original), settings, countingSink());
    EXPECT_EQ(std::string(settings.title), std::string(31, 'A'));
    EXPECT_EQ(cellCount, kSceneCells);
}

TEST(SceneTexts, TitleWithoutNulIsTheWholeLine) {
    std::string disk = "abc\r\n1 1 1 1 9";
    Scene scene;
    readSceneBytes(disk, scene);
    EXPECT_EQ(scene.title, "abc\n");
    EXPECT_EQ(scene.goalScore, 9);
}

TEST(SceneRandomInput, RandomBytesNeverFault) {
    std::mt19937 rng(1234);
    constexpr char kAlphabet[] = "\0\r\n 0123456789-+ab\xFF\x0A";
    std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string disk(rng() % 1500, '\0');
        for (char& c : disk) c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        Scene scene;
        readSceneBytes(disk, scene);
        ASSERT_LE(scene.title.size(), 254u);
        ASSERT_LE(scene.description.size(), 255u);
        GameSceneSettings settings;
        readSceneBytesForGame(disk, settings, countingSink());
        ASSERT_EQ(cellCount, kSceneCells);
        ASSERT_LT(std::char_traits<char>::length(settings.title), sizeof settings.title);
    }
}

class SceneFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() / ("scene-read-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_ / "Scenes");
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }
    std::filesystem::path previous_, folder_;
};

TEST_F(SceneFolder, GameReadsFromTheScenesFolder) {
    Scene scene;
    scene.title = "Here";
    scene.grid[sceneCellIndex(1, 2)] = StartPoint;
    ASSERT_TRUE(writeSceneFile("Scenes/here.qsn", scene));
    GameSceneSettings settings;
    EXPECT_TRUE(readSceneForGame("here.qsn", settings, countingSink()));
    EXPECT_STREQ(settings.title, "Here");
    EXPECT_EQ(cellCount, kSceneCells);
}

TEST_F(SceneFolder, GameChangesNothingWhenTheFileIsMissingOrThePathTooLong) {
    GameSceneSettings settings;
    std::snprintf(settings.title, sizeof settings.title, "kept");
    settings.background = 9;
    EXPECT_FALSE(readSceneForGame("missing.qsn", settings, countingSink()));
    // "Scenes/" and a 248-character name fill the 256-byte buffer exactly; one more does not fit.
    std::string longest(248 - 4, 'n');
    longest += ".qsn";
    Scene scene;
    scene.title = "fits";
    ASSERT_TRUE(writeSceneFile(("Scenes/" + longest).c_str(), scene));
    EXPECT_FALSE(readSceneForGame(("x" + longest).c_str(), settings, countingSink()));
    EXPECT_EQ(cellCount, 0);
    EXPECT_STREQ(settings.title, "kept");
    EXPECT_EQ(settings.background, 9);
    EXPECT_TRUE(readSceneForGame(longest.c_str(), settings, countingSink()));
    EXPECT_STREQ(settings.title, "fits");
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
    std::string disk = std::string("big\0\r\n", 6) + std::string(10000, ' ') + "2 0 0 0 5" +
                       std::string("\r\n\0\r\n\0\r\n", 8) + std::string(kSceneCells, '\x04');
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

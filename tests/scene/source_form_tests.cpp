// scenetool's source form and checks: every shipped scene builds, checks clean and dumps back
// to its own source; dump then build gives back any file byte for byte; mistakes in a source
// are reported with their line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "tools/scenetool/scene_report.h"
#include "tools/scenetool/source_form.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> shippedSources() {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(MT_SCENES_DIR)) {
        if (entry.path().extension() == ".txt" && entry.path().filename() != "CMakeLists.txt") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string built(const std::string& source) {
    std::string disk, error;
    EXPECT_TRUE(buildSource(source, disk, error)) << error;
    return disk;
}

std::string roundTrip(const std::string& disk) { return built(dumpSource(disk)); }

bool hasRunOfFive(const Scene& scene) {
    for (int row = 0; row < kSceneRows; ++row) {
        for (int column = 0; column + 5 <= kSceneColumns; ++column) {
            std::uint8_t first = scene.grid[sceneCellIndex(column, row)];
            bool run = first <= PurpleBean;
            for (int i = 1; i < 5 && run; ++i) run = scene.grid[sceneCellIndex(column + i, row)] == first;
            if (run) return true;
        }
    }
    return false;
}

TEST(ShippedScenes, EachBuildsChecksCleanAndDumpsToItsSource) {
    std::vector<fs::path> sources = shippedSources();
    ASSERT_GE(sources.size(), 12u);
    for (const fs::path& path : sources) {
        SCOPED_TRACE(path.filename().string());
        std::string source = readAll(path);
        std::string disk = built(source);
        EXPECT_EQ(dumpSource(disk), source);
        EXPECT_EQ(roundTrip(disk), disk);
        EXPECT_EQ(checkScene(disk), std::vector<std::string>{});
        Scene scene;
        readSceneBytes(disk, scene);
        EXPECT_FALSE(scene.title.empty());
        EXPECT_LE(scene.title.size(), 28u);
        EXPECT_GE(scene.description.size(), 60u) << "the player needs to be told what to do";
    }
}

// Cells the worm can reach from the start point without touching a stone; it wraps round the
// edges of the pond.
std::vector<bool> reachable(const Scene& scene) {
    std::vector<bool> seen(kSceneCells, false);
    std::vector<int> todo;
    for (int i = 0; i < kSceneCells; ++i) {
        if (scene.grid[i] == StartPoint) todo.push_back(i);
    }
    while (!todo.empty()) {
        int at = todo.back();
        todo.pop_back();
        if (seen[at] || scene.grid[at] == StoneBean) continue;
        seen[at] = true;
        int column = at / kSceneRows, row = at % kSceneRows;
        todo.push_back(sceneCellIndex((column + 1) % kSceneColumns, row));
        todo.push_back(sceneCellIndex((column + kSceneColumns - 1) % kSceneColumns, row));
        todo.push_back(sceneCellIndex(column, (row + 1) % kSceneRows));
        todo.push_back(sceneCellIndex(column, (row + kSceneRows - 1) % kSceneRows));
    }
    return seen;
}

int openNeighbours(const Scene& scene, int at) {
    int column = at / kSceneRows, row = at % kSceneRows;
    int around[4] = {sceneCellIndex((column + 1) % kSceneColumns, row),
                     sceneCellIndex((column + kSceneColumns - 1) % kSceneColumns, row),
                     sceneCellIndex(column, (row + 1) % kSceneRows),
                     sceneCellIndex(column, (row + kSceneRows - 1) % kSceneRows)};
    int open = 0;
    for (int cell : around) open += scene.grid[cell] != StoneBean;
    return open;
}

TEST(ShippedScenes, EveryBeanAndExitCanBeReachedAndNoCellIsATrap) {
    for (const fs::path& path : shippedSources()) {
        SCOPED_TRACE(path.filename().string());
        Scene scene;
        readSceneBytes(built(readAll(path)), scene);
        std::vector<bool> seen = reachable(scene);
        for (int i = 0; i < kSceneCells; ++i) {
            std::uint8_t code = scene.grid[i];
            if (code == StoneBean) continue;
            if (code != EmptyCell) {
                EXPECT_TRUE(seen[i]) << "cell " << i / kSceneRows << "," << i % kSceneRows;
            }
            // A worm cannot turn back, so a cell with one way in and none out is certain death.
            EXPECT_GE(openNeighbours(scene, i), 2) << "cell " << i / kSceneRows << "," << i % kSceneRows;
        }
    }
}

TEST(ShippedScenes, TogetherTheyUseEverySetting) {
    std::set<int> objectives, backgrounds;
    bool timedFall = false, nibbleFall = false, noFall = false, stones = false, randomBeans = false, combos = false;
    for (const fs::path& path : shippedSources()) {
        Scene scene;
        readSceneBytes(built(readAll(path)), scene);
        objectives.insert(scene.objective);
        backgrounds.insert(scene.background);
        timedFall = timedFall || (scene.randomFall == 1 && scene.fallInterval > 0);
        nibbleFall = nibbleFall || (scene.randomFall == 1 && scene.fallInterval == 0);
        noFall = noFall || scene.randomFall == 0;
        stones = stones || std::count(scene.grid.begin(), scene.grid.end(), StoneBean) > 0;
        randomBeans = randomBeans || std::count(scene.grid.begin(), scene.grid.end(), RandomBean) > 0;
        combos = combos || hasRunOfFive(scene);
    }
    EXPECT_EQ(objectives, (std::set<int>{Standard, Escape, GoalScore, EatUp}));
    EXPECT_EQ(backgrounds.size(), 11u);
    EXPECT_TRUE(timedFall && nibbleFall && noFall && stones && randomBeans && combos);
}

TEST(SourceRoundTrip, RandomScenesWithAnyValues) {
    std::mt19937 rng(77);
    for (int round = 0; round < 120; ++round) {
        Scene scene;
        scene.title.resize(rng() % 40);
        for (char& c : scene.title) c = static_cast<char>(1 + rng() % 255);
        scene.description.resize(rng() % 300);
        for (char& c : scene.description) c = static_cast<char>(1 + rng() % 255);
        scene.background = static_cast<std::int32_t>(rng() % 2 ? rng() % 11 : rng());
        scene.randomFall = static_cast<std::int32_t>(rng() % 3) - 1;
        scene.fallInterval = static_cast<std::int32_t>(rng());
        scene.objective = static_cast<std::int32_t>(rng() % 6);
        scene.goalScore = static_cast<std::int32_t>(rng());
        for (auto& cell : scene.grid) cell = static_cast<std::uint8_t>(round % 2 ? rng() : rng() % 12);
        std::string disk = sceneDiskBytes(scene);
        ASSERT_EQ(roundTrip(disk), disk) << "round " << round;
    }
}

TEST(SourceRoundTrip, ArbitraryBytes) {
    std::mt19937 rng(99);
    constexpr char kAlphabet[] = "\0\r\n\n 5-\xFF\x0A\\";
    std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (int round = 0; round < 500; ++round) {
        std::string disk(rng() % 1400, '\0');
        for (char& c : disk) c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        ASSERT_EQ(roundTrip(disk), disk) << "round " << round;
    }
}

TEST(SourceRoundTrip, EveryTruncationAndExtensionOfAScene) {
    Scene scene;
    scene.title = "Cut";
    scene.description = "x\r\ny";
    for (int i = 0; i < kSceneCells; i += 3) scene.grid[i] = static_cast<std::uint8_t>(i % 13);
    std::string disk = sceneDiskBytes(scene);
    for (std::size_t length = 0; length <= disk.size(); ++length) {
        std::string prefix = disk.substr(0, length);
        ASSERT_EQ(roundTrip(prefix), prefix) << "length " << length;
    }
    for (std::string tail : {std::string("\r\n"), std::string("\r"), std::string("extra\n"), std::string("\0", 1)}) {
        ASSERT_EQ(roundTrip(disk + tail), disk + tail);
    }
}

TEST(SourceRoundTrip, ShortGridIsShownWithDashes) {
    std::string disk = sceneDiskBytes(Scene{});
    disk.resize(disk.size() - 45);
    std::string source = dumpSource(disk);
    EXPECT_NE(source.find("...................................-----\n" + std::string(40, '-') + "\n"),
              std::string::npos);
    EXPECT_EQ(built(source), disk);
}

TEST(SourceRoundTrip, UnusualNumberLineIsKeptAsItStands) {
    std::string disk = sceneDiskBytes(Scene{});
    std::string odd = disk;
    odd.replace(odd.find("0 1 0 0 5"), 9, "+0 01 0  0 5");
    std::string source = dumpSource(odd);
    EXPECT_NE(source.find("numbers = +0 01 0  0 5\n"), std::string::npos);
    EXPECT_EQ(built(source), odd);
    for (std::string line : {"1 2 3", "", "1 2 3 4 5 6", "1 2 3 4 5 "}) {
        std::string shorter = disk;
        shorter.replace(shorter.find("0 1 0 0 5"), 9, line);
        EXPECT_EQ(roundTrip(shorter), shorter) << line;
    }
}

std::string errorOf(const std::string& source) {
    std::string disk, error;
    EXPECT_FALSE(buildSource(source, disk, error));
    return error;
}

std::string sourceWithGrid(const std::string& settings, const std::string& firstRow, const std::string& after = "") {
    std::string source = settings + "grid:\n" + firstRow + "\n";
    for (int row = 1; row < kSceneRows; ++row) source += std::string(kSceneColumns, '.') + "\n";
    return source + after;
}

TEST(SourceErrors, MistakesNameTheirLine) {
    std::string row(kSceneColumns, '.');
    EXPECT_EQ(errorOf("title = A\ncolour = red\n"), "line 2: unknown key 'colour'");
    EXPECT_EQ(errorOf("# c\ntitle = A\ntitle = B\n"), "line 3: 'title' is given twice");
    EXPECT_EQ(errorOf("title = A\\q\n"), "line 1: unknown escape; use \\\\, \\n or \\xHH");
    EXPECT_EQ(errorOf("title = A\\x00\n"), "line 1: a NUL byte would end the field");
    EXPECT_EQ(errorOf("background = Lava\n"), "line 1: expected a name or a whole number");
    EXPECT_EQ(errorOf("interval = 99999999999\n"), "line 1: expected a whole number");
    EXPECT_EQ(errorOf("title = A\n"), "line 1: the source has no 'grid:' section");
    EXPECT_EQ(errorOf(sourceWithGrid("", row.substr(1))), "line 2: a grid row needs 40 symbols, this one has 39");
    EXPECT_EQ(errorOf(sourceWithGrid("", "x" + row.substr(1))),
              "line 2: 'x' is not a grid symbol (r o g b p # S E ? . * -)");
    EXPECT_EQ(errorOf(sourceWithGrid("", "-" + row.substr(1))),
              "line 2: '-' marks the end of the file and may only be followed by '-'");
    EXPECT_EQ(errorOf(sourceWithGrid("", "*" + row.substr(1))), "line 31: no 'cell 0 0 = CODE' line for the '*' there");
    EXPECT_EQ(errorOf(sourceWithGrid("", row, "cell 1 0 = 8\n")), "line 32: that cell is not marked '*' in the grid");
    EXPECT_EQ(errorOf("title = A\nraw:\n"), "line 2: a raw source holds nothing but its bytes");
    EXPECT_EQ(errorOf("raw:\n0a1\n"), "line 2: raw lines hold pairs of hex digits");
}

TEST(SourceErrors, NamesAndNumbersMeanTheSame) {
    std::string row(kSceneColumns, '.');
    std::string byName = built(sourceWithGrid(
        "title = T\nbackground = random BACKGROUND\nrandom fall = no\nobjective = eat up\n", row));
    std::string byNumber =
        built(sourceWithGrid("title = T\nbackground = 10\nrandom fall = 0\nobjective = 3\n", row));
    EXPECT_EQ(byName, byNumber);
    EXPECT_NE(byName.find("10 0 0 3 5\r\n"), std::string::npos);
}

TEST(SceneChecks, ValuesOutsideTheEditorsLimitsFail) {
    Scene scene;
    scene.title = std::string(40, 'T');
    scene.background = -1;
    scene.objective = EatUp;
    scene.randomFall = 1;
    scene.grid[0] = StartPoint;
    scene.grid[1] = RedBean;
    scene.grid[2] = 9;
    std::vector<std::string> failures = checkScene(sceneDiskBytes(scene));
    std::vector<std::string> expected = {
        "the title has 40 characters; the editor allows 28",
        "background is -1; the editor allows 0 to 10",
        "random fall is on in an Eat up scene; the editor always turns it off",
        "the cell at column 0, row 2 holds code 9, which the editor never writes",
    };
    EXPECT_EQ(failures, expected);
}

TEST(SceneChecks, EditorMessageComesFirst) {
    Scene scene;
    scene.goalScore = 1;
    scene.randomFall = 0;
    scene.grid[5] = BlueBean;
    std::vector<std::string> failures = checkScene(sceneDiskBytes(scene));
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "Please set a start point");
    EXPECT_EQ(failures[1], "goal score is 1; the editor allows 5 to 9999999");
}

TEST(SceneChecks, MalformedFileFails) {
    std::vector<std::string> failures = checkScene("no scene here");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "not a scene file: the title line does not end with NUL and a line end");
}

TEST(SceneShow, DescribesTheSceneAsTheGameDoes) {
    Scene scene;
    scene.title = "Show me";
    scene.background = 9;
    scene.description = "eat";
    scene.grid[sceneCellIndex(2, 0)] = StartPoint;
    std::string text = showScene(sceneDiskBytes(scene));
    EXPECT_NE(text.find("Title:       SHOW ME\n"), std::string::npos);
    EXPECT_NE(text.find("Background:  ORE\n"), std::string::npos);
    EXPECT_NE(text.find("Interval:    FALL AFTER NIBBLE\n"), std::string::npos);
    EXPECT_NE(text.find("Objective:   STANDARD - SCORE AS HIGH AS YOU CAN\n"), std::string::npos);
    EXPECT_NE(text.find("|..S.....................................|\n"), std::string::npos);
}

TEST(SceneShow, DescriptionWrapsAt31Characters) {
    EXPECT_EQ(wrapLikeGame(std::string(31, 'a') + "b\r\nc"), std::string(31, 'A') + "\nB\nC");
}

}  // namespace

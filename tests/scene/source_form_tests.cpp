// scenetool's source form and checks: every shipped scene builds, checks clean and dumps back
// to its own source; dump then build gives back any file byte for byte; mistakes in a source
// are reported with their line.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>

#include "tests/scene/scene_test_util.h"
#include "tools/scenetool/scene_report.h"
#include "tools/scenetool/source_form.h"

namespace fs = std::filesystem;

namespace {

std::string built(const std::string& source) {
    std::string disk, error;
    EXPECT_TRUE(buildSource(source, disk, error)) << error;
    return disk;
}

std::string roundTrip(const std::string& disk) {
    return built(dumpSource(disk));
}

struct Shipped {
    std::string name, source, disk;
    Scene scene;
};

const std::vector<Shipped>& shippedScenes() {
    static const std::vector<Shipped> scenes = [] {
        std::vector<Shipped> list;
        for (const auto& entry : fs::directory_iterator(MT_SCENES_DIR)) {
            if (entry.path().extension() != ".txt" || entry.path().filename() == "CMakeLists.txt") continue;
            Shipped s{entry.path().filename().string(), readAll(entry.path()), "", {}};
            s.disk = built(s.source);
            readSceneBytes(s.disk, s.scene);
            list.push_back(s);
        }
        std::sort(list.begin(), list.end(),
                  [](const Shipped& a, const Shipped& b) { return a.name < b.name; });
        return list;
    }();
    return scenes;
}

TEST(ShippedScenes, EachBuildsChecksCleanAndDumpsToItsSource) {
    ASSERT_GE(shippedScenes().size(), 12u);
    for (const Shipped& s : shippedScenes()) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(dumpSource(s.disk), s.source);
        EXPECT_EQ(roundTrip(s.disk), s.disk);
        EXPECT_EQ(checkScene(s.disk), std::vector<std::string>{});
        EXPECT_FALSE(s.scene.title.empty());
        EXPECT_LE(s.scene.title.size(), 28u);
        EXPECT_GE(s.scene.description.size(), 60u) << "the player needs to be told what to do";
    }
}

// The four cells beside `at`; the pond wraps round its edges.
std::array<int, 4> neighbours(int at) {
    int column = at / kSceneRows, row = at % kSceneRows;
    return {sceneCellIndex((column + 1) % kSceneColumns, row),
            sceneCellIndex((column + kSceneColumns - 1) % kSceneColumns, row),
            sceneCellIndex(column, (row + 1) % kSceneRows),
            sceneCellIndex(column, (row + kSceneRows - 1) % kSceneRows)};
}

TEST(ShippedScenes, EveryBeanAndExitCanBeReachedAndNoCellIsATrap) {
    for (const Shipped& s : shippedScenes()) {
        SCOPED_TRACE(s.name);
        const auto& grid = s.scene.grid;
        // The cells the worm can reach from the start point without touching a stone.
        std::vector<bool> seen(kSceneCells, false);
        std::vector<int> todo;
        for (int i = 0; i < kSceneCells; ++i)
            if (grid[i] == StartPoint) todo.push_back(i);
        while (!todo.empty()) {
            int at = todo.back();
            todo.pop_back();
            if (seen[at] || grid[at] == StoneBean) continue;
            seen[at] = true;
            for (int next : neighbours(at)) todo.push_back(next);
        }
        for (int i = 0; i < kSceneCells; ++i) {
            if (grid[i] == StoneBean) continue;
            SCOPED_TRACE("cell " + std::to_string(i / kSceneRows) + "," + std::to_string(i % kSceneRows));
            EXPECT_TRUE(grid[i] == EmptyCell || seen[i]) << "cannot be reached";
            // A worm cannot turn back, so a cell with one way in and none out is certain death.
            auto around = neighbours(i);
            EXPECT_GE(
                std::count_if(around.begin(), around.end(), [&](int n) { return grid[n] != StoneBean; }), 2);
        }
    }
}

TEST(ShippedScenes, TogetherTheyUseEverySetting) {
    std::set<int> objectives, backgrounds;
    bool timedFall = false, nibbleFall = false, noFall = false, stones = false, randomBeans = false,
         combos = false;
    for (const Shipped& s : shippedScenes()) {
        const Scene& scene = s.scene;
        objectives.insert(scene.objective);
        backgrounds.insert(scene.background);
        timedFall |= scene.randomFall == 1 && scene.fallInterval > 0;
        nibbleFall |= scene.randomFall == 1 && scene.fallInterval == 0;
        noFall |= scene.randomFall == 0;
        stones |= std::count(scene.grid.begin(), scene.grid.end(), StoneBean) > 0;
        randomBeans |= std::count(scene.grid.begin(), scene.grid.end(), RandomBean) > 0;
        // A combo: five beans of one colour in a row.
        for (int row = 0; row < kSceneRows; ++row)
            for (int column = 0; column + 5 <= kSceneColumns; ++column) {
                std::uint8_t first = scene.grid[sceneCellIndex(column, row)];
                bool run = first <= PurpleBean;
                for (int i = 1; i < 5 && run; ++i) run = scene.grid[sceneCellIndex(column + i, row)] == first;
                combos |= run;
            }
    }
    EXPECT_EQ(objectives, (std::set<int>{Standard, Escape, GoalScore, EatUp}));
    EXPECT_EQ(backgrounds.size(), 11u);
    EXPECT_TRUE(timedFall && nibbleFall && noFall && stones && randomBeans && combos);
}

TEST(SourceRoundTrip, RandomScenesAndArbitraryBytes) {
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
        ASSERT_EQ(roundTrip(disk), disk) << "scene " << round;
    }
    const std::string alphabet("\0\r\n\n 5-\xFF\x0A\\", 10);
    for (int round = 0; round < 500; ++round) {
        std::string disk(rng() % 1400, '\0');
        for (char& c : disk) c = round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        ASSERT_EQ(roundTrip(disk), disk) << "bytes " << round;
    }
}

TEST(SourceRoundTrip, EveryTruncationAndExtensionOfAScene) {
    Scene scene;
    scene.title = "Cut";
    scene.description = "x\r\ny";
    for (int i = 0; i < kSceneCells; i += 3) scene.grid[i] = static_cast<std::uint8_t>(i % 13);
    std::string disk = sceneDiskBytes(scene);
    for (std::size_t length = 0; length <= disk.size(); ++length)
        ASSERT_EQ(roundTrip(disk.substr(0, length)), disk.substr(0, length)) << "length " << length;
    for (std::string tail :
         {std::string("\r\n"), std::string("\r"), std::string("extra\n"), std::string("\0", 1)})
        ASSERT_EQ(roundTrip(disk + tail), disk + tail);
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
    std::string odd = sceneBytes("+0 01 0  0 5");
    std::string source = dumpSource(odd);
    EXPECT_NE(source.find("numbers = +0 01 0  0 5\n"), std::string::npos);
    EXPECT_EQ(built(source), odd);
    for (const char* line : {"1 2 3", "", "1 2 3 4 5 6", "1 2 3 4 5 "})
        EXPECT_EQ(roundTrip(sceneBytes(line)), sceneBytes(line)) << line;
}

std::string sourceWithGrid(const std::string& firstRow, const std::string& settings = "",
                           const std::string& after = "") {
    std::string source = settings + "grid:\n" + firstRow + "\n";
    for (int row = 1; row < kSceneRows; ++row) source += std::string(kSceneColumns, '.') + "\n";
    return source + after;
}

TEST(SourceErrors, MistakesNameTheirLine) {
    const std::string row(kSceneColumns, '.'), rest = row.substr(1);
    const std::pair<std::string, std::string> cases[] = {
        {"title = A\ncolour = red\n", "line 2: unknown key 'colour'"},
        {"# c\ntitle = A\ntitle = B\n", "line 3: 'title' is given twice"},
        {"title = A\\q\n", "line 1: unknown escape; use \\\\, \\n or \\xHH"},
        {"title = A\\x00\n", "line 1: a NUL byte would end the field"},
        {"background = Lava\n", "line 1: expected a name or a whole number"},
        {"interval = 99999999999\n", "line 1: expected a whole number"},
        {"title = A\n", "line 1: the source has no 'grid:' section"},
        {sourceWithGrid(rest), "line 2: a grid row needs 40 symbols, this one has 39"},
        {sourceWithGrid("x" + rest), "line 2: 'x' is not a grid symbol (r o g b p # S E ? . * -)"},
        {sourceWithGrid("-" + rest), "line 2: '-' marks the end of the file and may only be followed by '-'"},
        {sourceWithGrid("*" + rest), "line 31: no 'cell 0 0 = CODE' line for the '*' there"},
        {sourceWithGrid(row, "", "cell 1 0 = 8\n"), "line 32: that cell is not marked '*' in the grid"},
        {"title = A\nraw:\n", "line 2: a raw source holds nothing but its bytes"},
        {"raw:\n0a1\n", "line 2: raw lines hold pairs of hex digits"},
    };
    for (const auto& [source, message] : cases) {
        std::string disk, error;
        EXPECT_FALSE(buildSource(source, disk, error)) << message;
        EXPECT_EQ(error, message);
    }
}

TEST(SourceErrors, NamesAndNumbersMeanTheSame) {
    const std::string row(kSceneColumns, '.');
    std::string byName = built(sourceWithGrid(
        row, "title = T\nbackground = random BACKGROUND\nrandom fall = no\nobjective = eat up\n"));
    EXPECT_EQ(byName,
              built(sourceWithGrid(row, "title = T\nbackground = 10\nrandom fall = 0\nobjective = 3\n")));
    EXPECT_NE(byName.find("10 0 0 3 5\r\n"), std::string::npos);
}

TEST(SceneChecks, EditorMessageFirstThenEveryValueOutsideTheEditorsLimits) {
    Scene scene;
    scene.title = std::string(40, 'T');
    scene.background = -1;
    scene.objective = EatUp;
    scene.grid[0] = StartPoint;
    scene.grid[1] = RedBean;
    scene.grid[2] = 9;
    EXPECT_EQ(checkScene(sceneDiskBytes(scene)),
              (std::vector<std::string>{
                  "the title has 40 characters; the editor allows 28",
                  "background is -1; the editor allows 0 to 10",
                  "random fall is on in an Eat up scene; the editor always turns it off",
                  "the cell at column 0, row 2 holds code 9, which the editor never writes",
              }));
    Scene noStart;
    noStart.goalScore = 1;
    noStart.randomFall = 0;
    noStart.grid[5] = BlueBean;
    EXPECT_EQ(checkScene(sceneDiskBytes(noStart)),
              (std::vector<std::string>{"Please set a start point",
                                        "goal score is 1; the editor allows 5 to 9999999"}));
    EXPECT_EQ(
        checkScene("no scene here"),
        std::vector<std::string>{"not a scene file: the title line does not end with NUL and a line end"});
}

TEST(SceneShow, DescribesTheSceneAsTheGameDoes) {
    Scene scene;
    scene.title = "Show me";
    scene.background = 9;
    scene.description = "eat";
    scene.grid[sceneCellIndex(2, 0)] = StartPoint;
    std::string text = showScene(sceneDiskBytes(scene));
    for (const char* line :
         {"Title:       SHOW ME\n", "Background:  ORE\n", "Interval:    FALL AFTER NIBBLE\n",
          "Objective:   STANDARD - SCORE AS HIGH AS YOU CAN\n",
          "|..S.....................................|\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(wrapLikeGame(std::string(31, 'a') + "b\r\nc"), std::string(31, 'A') + "\nB\nC");
}

}  // namespace

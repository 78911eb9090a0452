// The scene files: the format byte for byte, what the writer puts on disk, what both readers
// make of it (numbers as formatted input reads them, texts cut to their buffers, files that end
// early), the checks before saving, and the one atomic writer on a real file system. Broken
// files are seeds of fuzz/scene, where the fuzz targets check that what was read writes back.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "scene/atomic_file.h"
#include "scene/scene_rules.h"
#include "tests/scene/scene_test_util.h"

namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> gameCodes;  // the cells the game reader handed over, in order
int resets = 0;
GameSceneSink sink{[] { ++resets; },
                   [](int column, int row, std::uint8_t code) {
                       EXPECT_EQ(column + row * kSceneColumns, static_cast<int>(gameCodes.size()));
                       gameCodes.push_back(code);
                   }};

// Both readers over the same bytes, the editor's into `editor`.
GameSceneSettings readBoth(const std::string& disk, Scene& editor, GameSceneSettings game = {}) {
    gameCodes.clear(), resets = 0;
    readSceneBytes(disk, editor);
    readSceneBytesForGame(disk, game, sink);
    EXPECT_EQ(std::pair(resets, gameCodes.size()), std::pair(1, std::size_t{kSceneCells}));
    return game;
}

TEST(SceneFormat, WriterLaysScenesOutAsOnDiskAndTheEditorReadsEveryFieldBack) {
    Scene pond;
    pond.title = "Pond", pond.background = 4, pond.fallInterval = 5, pond.objective = GoalScore,
    pond.goalScore = 300;
    pond.grid[sceneCellIndex(3, 0)] = RandomBean;  // code 10 is widened like a line end
    pond.grid[sceneCellIndex(0, 1)] = StoneBean;   // row by row: file position 40
    pond.grid[sceneCellIndex(39, 29)] = ExitPoint;
    const std::string cells(kSceneCells, '\xFF');
    EXPECT_EQ(sceneDiskBytes(pond), std::string("Pond\0\r\n4 1 5 2 300\r\n\0\r\n\0\r\n", 26) +
                                        cells.substr(0, 3) + "\r\n" + cells.substr(0, 36) + "\5" +
                                        cells.substr(0, kSceneCells - 42) + "\7");
    EXPECT_EQ(sceneDiskBytes(Scene{}), sceneBytes("0 1 0 0 5"));  // a new scene: 1220 bytes
    Scene scene;
    scene.title = "Stone Garden", scene.background = -3, scene.randomFall = 0, scene.objective = Escape;
    scene.fallInterval = INT32_MIN, scene.goalScore = INT32_MAX,
    scene.description = "Find the way out.\r\nMind it.";
    for (int i = 0; i < kSceneCells; ++i) scene.grid[i] = static_cast<std::uint8_t>(i % 256);
    const std::string disk = sceneDiskBytes(scene);
    EXPECT_NE(disk.find("-3 0 -2147483648 1 2147483647\r\n\0\r\nFind the way out.\r\r\nMind it.\0\r\n"s),
              std::string::npos);
    Scene back;
    readBoth(disk, back);
    EXPECT_EQ(std::tuple(back.title, numbersOf(back), back.description, back.grid),
              std::tuple(scene.title, numbersOf(scene), scene.description, scene.grid));
    EXPECT_EQ(sceneDiskBytes(back), disk);
    for (int i = 0; i < kSceneCells; ++i) ASSERT_EQ(gameCodes[i], scene.grid[sceneCellIndex(i % 40, i / 40)]);
}

// An unreadable field keeps its value and ends the numbers; signs, white space (line ends
// included) and wrap-around past 32 bits read as formatted input reads them; Eat up scenes read
// with random fall off; anything after the numbers is skipped up to the NUL.
TEST(SceneFormat, NumberLinesAsBothReadersSeeThem) {
    // clang-format off
    const std::pair<const char*, std::vector<int>> cases[] = {{"10 1 0 1 5", {10, 1, 0, Escape, 5}},
        {"0 1 0 3 5", {0, 0, 0, EatUp, 5}}, {"3 x 9 9 9", {3, 0, 44, 0, 99}},
        {"  +7\t-2\r\n 0012 1 4294967301", {7, -2, 12, 1, 5}}, {"1 0 0 0 5 and more", {1, 0, 0, 0, 5}}};
    // clang-format on
    for (const auto& [numbers, expected] : cases) {
        Scene scene;
        GameSceneSettings preset;
        scene.randomFall = preset.randomFall = 0, scene.fallInterval = preset.fallInterval = 44;
        scene.goalScore = preset.goalScore = 99;
        GameSceneSettings game =
            readBoth(sceneBytes(numbers, "d", std::string(kSceneCells, '\3')), scene, preset);
        EXPECT_EQ(std::pair(numbersOf(scene), numbersOf(game)), std::pair(expected, expected)) << numbers;
        EXPECT_EQ(std::tuple(scene.description, std::string(game.description), scene.grid[0], gameCodes[0]),
                  std::tuple("d", "d", BlueBean, BlueBean));
    }
}

// The game keeps 31 title and 255 description characters, the editor 254 and 255: a longer
// title line leaves its rest to the numbers, which cannot read it. A cut text never shifts the grid.
TEST(SceneFormat, TextsAreCutToTheirBuffers) {
    for (std::size_t length : {28u, 31u, 40u, 300u}) {
        Scene scene, back;
        scene.title = std::string(length, 'T'), scene.description = std::string(300, 'd');
        scene.background = 6, scene.grid[kSceneCells - 1] = StartPoint;
        GameSceneSettings game = readBoth(sceneDiskBytes(scene), back);
        EXPECT_EQ(game.title + back.title,
                  std::string(std::min(length, 31ul) + std::min(length, 254ul), 'T'));
        if (length == 300) continue;
        EXPECT_EQ(game.description + back.description + std::to_string(back.background + game.background),
                  std::string(510, 'd') + "12");
        EXPECT_EQ(gameCodes.back() * 256 + back.grid.back(), StartPoint * 257);
    }
}

// A file that ends anywhere reads without fault (each prefix a copy of its own, for the
// sanitizers) and keeps what was read; the rest of the numbers keep their values, the rest of
// the texts and the grid are empty.
TEST(SceneFormat, FilesEndingAnywhereKeepWhatWasRead) {
    Scene original;
    original.title = "Cut", original.goalScore = 4321, original.description = "One\r\nTwo",
    original.grid[0] = 3;
    const std::string disk = sceneDiskBytes(original);
    for (std::size_t length = 0; length <= disk.size(); ++length) {
        Scene scene;
        scene.title = scene.description = "old", scene.grid.fill(RedBean), scene.goalScore = 77;
        readBoth(disk.substr(0, length), scene);
        if (length != disk.size() - 100 && length != 9) continue;
        EXPECT_EQ(
            std::tuple(scene.title, numbersOf(scene), scene.description, scene.grid[0], scene.grid.back()),
            length == 9 ? std::tuple("Cut"s, std::vector<int>{0, 1, 0, 0, 77}, ""s, EmptyCell, EmptyCell)
                        : std::tuple("Cut"s, numbersOf(original), original.description, BlueBean, EmptyCell));
    }
}

// "Scenes/" and a 248-character name fill the game's 256-byte path exactly; one more does not
// fit. Missing files change nothing; the editor reads a file larger than its read buffer.
TEST_F(SceneFolder, ReadersOfFilesRefuseWhatTheyCannotOpen) {
    Scene scene;
    scene.title = "fits";
    const std::string longest = std::string(244, 'n') + ".qsn";
    ASSERT_TRUE(writeSceneFile(("Scenes/" + longest).c_str(), scene));
    GameSceneSettings settings;
    settings.background = 9, gameCodes.clear();
    EXPECT_FALSE(readSceneForGame("missing.qsn", settings, sink) ||
                 readSceneForGame(("x" + longest).c_str(), settings, sink));
    EXPECT_EQ(settings.title + std::to_string(settings.background + gameCodes.size()), "9");
    EXPECT_TRUE(readSceneForGame(longest.c_str(), settings, sink));
    EXPECT_EQ(settings.title + std::to_string(gameCodes.size()), "fits1200");
    EXPECT_FALSE(readSceneFile("Scenes/none.qsn", scene) || readSceneFile("Scenes", scene) ||
                 readSceneFile(nullptr, scene));
    std::ofstream("Scenes/big.qsn", std::ios::binary)
        << "big" + sceneBytes(std::string(10000, ' ') + "2 0 0 0 5", "", std::string(kSceneCells, '\4'));
    ASSERT_TRUE(readSceneFile("Scenes/big.qsn", scene));
    EXPECT_EQ(std::tuple(scene.title, scene.background, scene.grid.back()), std::tuple("big", 2, PurpleBean));
}

TEST(ValidateScene, ChecksInTheirOrder) {
    const std::string bean = "Please put in at least 1 non-stone bean", start = "Please set a start point";
    // A scene with `food` at (2, 1), a start point at (1, 1) and an exit point at (9, 9) when asked.
    // clang-format off
    const struct { std::uint8_t food; int randomFall, fallInterval, objective; bool start, exit; std::string verdict; }
    cases[] = {
        {GreenBean, 1, 0, Standard, true, false, ""}, {RandomBean, 0, 0, Standard, true, false, ""},
        {StoneBean, 0, 0, Standard, true, false, bean},  // random beans are food, stones are not
        {EmptyCell, 1, 3, Standard, true, false, ""},    // timed random fall brings food...
        {EmptyCell, 1, 0, Standard, true, false, bean},  // ...falling only after a nibble never does
        {EmptyCell, 1, 3, EatUp, true, false, bean}, {EmptyCell, 0, 3, Standard, true, false, bean},
        {EmptyCell, 0, 0, Standard, false, false, bean},  // beans are checked before the start
        {GreenBean, 1, 0, Standard, false, false, start},
        {GreenBean, 1, 0, Standard, true, true, "The objective of this scene isn't 'Escape'\nPlease erase the exit point"},
        {GreenBean, 1, 0, Escape, true, true, ""}, {GreenBean, 1, 0, Escape, true, false, "Please set an exit point"},
        {GreenBean, 1, 0, Escape, false, false, start}};  // the start is checked before the exit
    // clang-format on
    for (const auto& c : cases) {
        Scene scene;
        scene.randomFall = c.randomFall, scene.fallInterval = c.fallInterval, scene.objective = c.objective;
        scene.grid[sceneCellIndex(2, 1)] = c.food,
                                     scene.grid[sceneCellIndex(1, 1)] = c.start ? StartPoint : EmptyCell;
        scene.grid[sceneCellIndex(9, 9)] = c.exit ? ExitPoint : EmptyCell;
        EXPECT_EQ(validateScene(scene) ?: "", c.verdict) << &c - cases;
    }
}

// Scenes/old (mode 0640) and a link Scenes/link to it before each row; each write runs in a
// child process, as an ordinary user where the row needs one (root may write anywhere), with a
// file size limit that makes writes fail as a full disk does.
TEST_F(SceneFolder, AtomicWritesKeepPermissionsAndLinksAndFailWithoutDamage) {
    constexpr int kCannotDropRoot = 4;
    constexpr rlim_t kAny = RLIM_INFINITY;
    const mode_t mask = umask(022);  // a new file gets what the user's mask lets through
    umask(mask);
    // clang-format off
    const struct { const char* path; int folderMode, fileMode; rlim_t sizeLimit; const char* reason; } rows[] = {
        {"Scenes/new", 0, 0, kAny, nullptr}, {"Scenes/old", 0, 0, kAny, nullptr}, {"Scenes/link", 0, 0, kAny, nullptr},
        {"Scenes/no/such", 0, 0, kAny, "cannot create the file: No such file or directory"},
        {"Scenes", 0, 0, kAny, "cannot replace the file: Is a directory"},
        {"Scenes/old", 0, 0, 4, "cannot write the file: File too large"},
        {"Scenes/old", 0, 0400, kAny, "cannot replace the file: Permission denied"},
        {"Scenes/link", 0500, 0, kAny, "cannot create the file: Permission denied"}};
    // clang-format on
    const fs::path old = scenes_ / "old", link = scenes_ / "link";
    fs::create_symlink("old", link);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path + std::string(" ") + (row.reason ? row.reason : "ok"));
        std::ofstream(old, std::ios::binary | std::ios::trunc) << "old";
        fs::permissions(old, fs::perms(0640)), fs::remove(scenes_ / "new");
        if (pid_t child = fork(); child == 0) {
            constexpr uid_t kNobody = 65534;
            if ((row.folderMode || row.fileMode) && geteuid() == 0 &&
                (chown(scenes_.c_str(), kNobody, kNobody) || chown(old.c_str(), kNobody, kNobody) ||
                 setgid(kNobody) || setuid(kNobody)))
                _exit(kCannotDropRoot);
            if (row.folderMode) chmod(scenes_.c_str(), static_cast<mode_t>(row.folderMode));
            if (row.fileMode) chmod(old.c_str(), static_cast<mode_t>(row.fileMode));
            const rlimit limit{row.sizeLimit, row.sizeLimit};
            signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &limit);
            FileWrite written = writeFileAtomically(row.path, "new bytes");
            _exit(written.ok ? 1 : row.reason && written.reason == row.reason ? 0 : 2);
        } else {
            int status = 0;
            waitpid(child, &status, 0), fs::permissions(scenes_, fs::perms::owner_all);
            if (WEXITSTATUS(status) == kCannotDropRoot) continue;  // no ordinary user here
            EXPECT_EQ(WEXITSTATUS(status), row.reason ? 0 : 1);
        }
        const bool wroteOld = !row.reason && std::string(row.path) != "Scenes/new";
        if (!row.reason && !wroteOld) {
            EXPECT_EQ(fs::status(scenes_ / "new").permissions(), fs::perms(0666 & ~mask));
        }
        EXPECT_EQ(readAll(old), wroteOld ? "new bytes" : "old");
        EXPECT_EQ(fs::status(old).permissions(), row.fileMode ? fs::perms(row.fileMode) : fs::perms(0640));
        std::set<std::string> names, expected{"old", "link"};
        if (!row.reason && !wroteOld) expected.insert("new");
        for (const auto& entry : fs::directory_iterator(scenes_)) names.insert(entry.path().filename());
        EXPECT_EQ(names, expected);  // the link among them: still a link
        EXPECT_TRUE(fs::is_symlink(link));
    }
}

// Only regular files are read or replaced: a FIFO is refused at once (never waited on), a device
// is not turned into a file, a dangling link is not replaced, nor is a file read without end.
// Temporaries that killed writers left (their writer gone, older than this process) are swept
// at the next write; a live writer's are not.
TEST_F(SceneFolder, OnlyRegularFilesAreReadOrReplacedAndKilledWritesLeaveNothing) {
    ASSERT_EQ(mkfifo("Scenes/fifo", 0600), 0);
    fs::create_symlink("nowhere", scenes_ / "dangling");
    std::ofstream("Scenes/big", std::ios::binary) << std::string(kReadLimit + 1, 'x');
    std::string bytes, reason;
    const std::pair<const char*, const char*> reads[] = {{"Scenes/fifo", "not a regular file"},
                                                         {"/dev/zero", "not a regular file"},
                                                         {"Scenes/big", "larger than 1048576 bytes"},
                                                         {"Scenes", "Is a directory"}};
    for (const auto& [path, why] : reads)
        EXPECT_FALSE(readRegularFile(path, bytes, reason) || reason != why) << path;
    EXPECT_EQ(writeFileAtomically("Scenes/fifo", "x").reason,
              "cannot replace the file: it is not a regular file");
    EXPECT_FALSE(writeFileAtomically("Scenes/dangling", "x").ok);
    EXPECT_TRUE(fs::is_fifo(scenes_ / "fifo") && fs::is_symlink(scenes_ / "dangling"));
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stale = ".old.tmp" + std::to_string(gone) + "-0",
                      live = ".old.tmp" + std::to_string(getppid()) + "-0";
    const utimbuf past{0, 1000};
    for (const std::string& name : {stale, live, ".old.tmpX-0"s}) {
        std::ofstream(scenes_ / name) << "left";
        utime((scenes_ / name).c_str(), &past);
    }
    ASSERT_TRUE(writeFileAtomically("Scenes/old", "new").ok);
    EXPECT_FALSE(fs::exists(scenes_ / stale));
    EXPECT_TRUE(fs::exists(scenes_ / live) && fs::exists(scenes_ / ".old.tmpX-0"));
}

// The scene writer puts down the disk bytes; Eat up is saved with random fall off, in the file
// and, once saved, in the scene; a failed save changes neither.
TEST_F(SceneFolder, SceneWriterSavesEatUpWithRandomFallOffOnlyWhenSaved) {
    Scene scene;
    scene.objective = EatUp;
    EXPECT_FALSE(writeSceneFile("Scenes/no/such.qsn", scene) || writeSceneFile("Scenes", scene) ||
                 writeSceneFile("", scene) || writeSceneFile(nullptr, scene) || scene.randomFall != 1);
    ASSERT_TRUE(writeSceneFile("Scenes/scene.qsn", scene));
    EXPECT_EQ(std::pair(readAll("Scenes/scene.qsn"), scene.randomFall),
              std::pair(sceneBytes("0 0 0 3 5"), 0));
}

}  // namespace

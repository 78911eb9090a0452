// A player's progress: the progress file's lines as a table, the order of best games, and whole
// games on the headless layer that count into it, keep their replay as the best, mark the list,
// show the best game with R and race it as a ghost.
#include <cstdio>
#include <cstdlib>

#include "tests/support/support.h"

namespace {

using namespace ts;

TEST(ProgressFile, EverySoundLineCountsAndEveryDamagedOneIsLeftOut) {
    const struct Row {
        const char* line;
        bool sound;
    } rows[] = {
        {"00000000000000FF 120 1 3 2026_a.mtreplay a.qsn", true},
        {"00000000000000ff 120 0 3 - a.qsn", true},
        {"00000000000000FF 0 1 1 - my\\x20scene\\x5C.qsn", true},
        {"00000000000000FF 120 2 3 - a.qsn", false},         // won is 0 or 1
        {"0000000000000FF 120 1 3 - a.qsn", false},          // the hash has 16 digits
        {"00000000000000FG 120 1 3 - a.qsn", false},         // and only hex ones
        {"00000000000000FF 4294967296 1 3 - a.qsn", false},  // beyond 32 bits
        {"00000000000000FF 12x 1 3 - a.qsn", false},         // not a number
        {"00000000000000FF 120 1 3 - a.qsn more", false},    // a seventh field
        {"00000000000000FF 120 1 3 -  a.qsn", false},        // fields apart by one space
        {"00000000000000FF 120 1 3 - ../a.qsn", false},      // no folder in a name
        {"00000000000000FF 120 1 3 - a\\x2", false},         // a cut escape
        {"00000000000000FF 120 1 3 a\\x2Fb.mtreplay a.qsn", false},
        {"00000000000000FF 120 1 3 -", false},
        {"", false},
    };
    for (const Row& r : rows) EXPECT_EQ(parseProgress(r.line).size(), r.sound ? 1u : 0u) << r.line;
    const ProgressTable spaced = parseProgress(rows[2].line);
    EXPECT_EQ(spaced[0].scene, "my scene\\.qsn");
    // A file cut short in a line, damaged in another and holding one scene twice: the sound
    // lines count, the first of the twins, and a write gives them back in order.
    const std::string text = std::string("MunchTrail progress 1\n") + rows[1].line + "\n" + rows[4].line +
                             "\n" + "000000000000000A 7 0 1 - b.qsn\n" + rows[0].line + "\n000000000000";
    const ProgressTable table = parseProgress(text);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(std::tuple(table[0].scene, table[0].won, table[1].scene), std::tuple("a.qsn", false, "b.qsn"));
    EXPECT_EQ(progressText(table),
              "MunchTrail progress 1\n00000000000000FF 120 0 3 - a.qsn\n000000000000000A 7 0 1 - b.qsn\n");
}

// A won game beats any lost one, then the higher score does; a scene saved over with other
// bytes is another scene.
TEST(ProgressFile, TheBestGameIsTheWonOneThenTheHigherScore) {
    const struct Played {
        std::uint32_t score;
        bool won;
        bool best;
    } games[] = {{50, false, true},   {40, false, false}, {60, false, true}, {10, true, true},
                 {100, false, false}, {20, true, true},   {20, true, false}};
    ProgressTable table;
    int n = 0;
    for (const Played& g : games)
        EXPECT_EQ(countGame(table, "a.qsn", 1, g.score, g.won, std::to_string(n++)), g.best) << n;
    countGame(table, "a.qsn", 2, 5, false, "other");
    ASSERT_EQ(table.size(), 2u);
    const SceneProgress* a = findProgress(table, "a.qsn", 1);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::tuple(a->bestScore, a->won, a->games, a->bestReplay), std::tuple(20u, true, 7u, "5"));
    EXPECT_EQ(findProgress(table, "a.qsn", 2)->games, 1u);
    EXPECT_EQ(findProgress(table, "a.qsn", 3), nullptr);
}

class Progress : public Game {
protected:
    // An Escape scene whose exit is next to the start: won by one step to the right.
    static Scene tiny() {
        Scene scene = makeScene(20, 15);
        scene.objective = Escape;
        scene.grid[sceneCellIndex(21, 15)] = ExitPoint;
        return scene;
    }
    // Two scenes, the tiny one first, and its game begun.
    void playTinyOfTwo() {
        writeScene("a.qsn", tiny());
        writeScene("b.qsn", makeScene());
        enterGame();
    }
    void openList() {
        game.currentScreen = &sceneSelectScreen;
        step(kKeyEnter);
    }
};

TEST_F(Progress, AWonGameCountsKeepsItsReplayAsTheBestAndEnterGoesOnToTheNextScene) {
    playTinyOfTwo();
    ASSERT_GT(playUntil(&endPictureScreen, Exit, 200), 0);
    runFrames(40);
    step(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    EXPECT_EQ(fs::path(sceneOrigin.path).filename(), "b.qsn");
    const ProgressTable table = readProgress();
    ASSERT_EQ(table.size(), 1u) << "the next game has only begun";
    const SceneProgress* a = &table[0];
    EXPECT_EQ(std::tuple(a->games, a->won, a->bestScore), std::tuple(1u, true, 0u));
    EXPECT_TRUE(looksLikeReplay(fs::path(replayFolder()) / a->bestReplay)) << a->bestReplay;
}

// The list marks the won scene and counts it, R shows its best game and the list comes back
// with the player's own values; a new game races the ghost; an unchanged copy in the player's
// folder is the same scene, a changed one another.
TEST_F(Progress, TheListMarksAndCountsWonScenesAndRShowsTheBestGame) {
    playTinyOfTwo();
    ASSERT_GT(playUntil(&mainMenuScreen, Exit, 400), 0);
    world.hiScore = 4321;
    openList();
    EXPECT_EQ(std::tuple(listProgress.wonCount, listProgress.pageWon[0], listProgress.pageWon[1]),
              std::tuple(1, 1, 0));
    for (bool leave : {false, true}) {  // the best game to its end, then left on its end picture
        step(kKeyR);
        ASSERT_GT(runUntil(&endPictureScreen, 300), 0) << "only the watched game has one";
        runFrames(40);
        if (leave) step(kKeyBackspace);
        ASSERT_GT(runUntil(&sceneSelectScreen, 400), 0);
        EXPECT_EQ(std::tuple(world.hiScore, sceneSelect.sceneRow, playScreens.endPictureHolding),
                  std::tuple(4321u, 0, 0));
        runFrames(40);
    }
    step(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    EXPECT_TRUE(ghost.shown && ghost.best.frames > 0) << "a won scene races its ghost";
    runOneFrame();
    tap(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 100), 0);
    fs::create_directories("data/munchtrail/Scenes");
    fs::copy_file("Scenes/a.qsn", "data/munchtrail/Scenes/a.qsn");
    openList();
    EXPECT_EQ(std::tuple(listProgress.wonCount, listProgress.selected.games), std::tuple(1, 2u));
    writeScene("../data/munchtrail/Scenes/a.qsn", makeScene());
    step(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    openList();
    EXPECT_EQ(std::tuple(listProgress.wonCount, listProgress.selected.games), std::tuple(0, 0u));
}

// The ghost is not part of the game: a kept replay played with its own worm as the ghost holds
// every checkpoint, and its frames change only while the ghost is shown (loaded but hidden with
// the bean marks; one left from the game before is dropped when the watching starts). Pictures
// only: the ghost and the bean marks change frames of a kept game, never its checkpoints or final
// digest.
TEST_F(Progress, TheGhostAndTheBeanMarksChangeFramesButNoDigest) {
    ASSERT_TRUE(start());
    Replay replay;
    std::string message;
    ASSERT_TRUE(readReplayFile(sourceFolder() / "tests/replays/StormLaserAndHalvingInOneGameReplay.mtreplay",
                               replay, message));
    GhostTrack track;
    const auto frames = [&](int mode) {
        ghost.best = track, ghost.shown = true;  // in mode 1 left from a game before: watching drops it
        startPlayback(replay);
        clearFrameBuffer(drawBuffer);  // the game-start frame draws nothing
        if (mode != 1) ghost.best = track, ghost.shown = mode == 2;
        options.beanMarks = mode == 3;
        std::vector<std::uint64_t> hashes;
        while (replayFrame()) hashes.push_back(frameHash());
        track = ghost.capture;
        EXPECT_EQ(std::pair(playbackStatus().firstBadFrame, gameDigest()), std::pair(0u, replay.finalDigest))
            << mode;
        stopPlayback();
        return fnv1a64(hashes.data(), hashes.size() * sizeof hashes[0]);
    };
    const std::uint64_t plain = frames(0);
    EXPECT_EQ(frames(1), plain) << "a ghost left from the game before";
    const std::uint64_t raced = frames(2), marked = frames(3);
    if (std::getenv("MT_HASH_PRINT"))
        std::printf("ghost: 0x%016llxull, marks: 0x%016llxull\n", static_cast<unsigned long long>(raced),
                    static_cast<unsigned long long>(marked));
    EXPECT_EQ(raced, 0xd3c264a4aa8cbf7dull) << "the ghost over the worm of its own game";
    EXPECT_EQ(marked, 0x4a374a0b1ccc6387ull) << "every bean of the game marked";
}

// A progress file that cannot be written is reported at exit, like the settings.
TEST_F(Progress, AFailedWriteIsReportedAtExit) {
    ASSERT_TRUE(start());
    writeBytes("data-file", {1});
    setenv("XDG_DATA_HOME", (root_ / "data-file").c_str(), 1);
    noteFinishedGame("a.qsn", 1, 10, true, "");
    shutdownGame();
    ASSERT_EQ(headless.errorBoxes.size(), 1u);
    EXPECT_EQ(headless.errorBoxes[0].rfind("The progress could not be saved: no folder for it at ", 0), 0u)
        << headless.errorBoxes[0];
}

}  // namespace

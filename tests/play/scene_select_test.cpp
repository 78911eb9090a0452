// The scene selection: the listing, the paging against a small model over random keys and
// folder sizes, the held-arrow repeat, and what the screen shows, pinned by frame hashes.
#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/support/support.h"

namespace {

using namespace ts;

std::string sceneName(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "s%03d.qsn", i);
    return text;
}

class SceneList : public Game {
protected:
    void SetUp() override {
        Game::SetUp();
        ASSERT_TRUE(start());
    }
    void writeScenes(int count) {
        for (int i = count - 1; i >= 0; --i) {  // in reverse: the folder's order is not the list's
            Scene scene = makeScene();
            scene.title = sceneName(i);
            writeScene(sceneName(i), scene);
        }
    }
    void enter() {
        game.currentScreen = &sceneSelectScreen;
        step(kKeyEnter);  // a skip press ends the fade-in at once
    }
};

TEST_F(SceneList, ListsSceneFilesSortedByNameAndThePlayersOwnOverrideAShippedName) {
    for (const char* name : {"b.qsn", "C.QSN", "a.qsn", "notes.txt", ".hidden.qsn"})
        writeScene(name, makeScene());
    fs::create_directory("Scenes/folder.qsn");
    const fs::path own = fs::path(std::getenv("XDG_DATA_HOME")) / "munchtrail/Scenes";
    fs::create_directories(own);
    Scene mine = makeScene();
    mine.title = "mine";
    writeScene("../data/munchtrail/Scenes/b.qsn", mine);
    EXPECT_EQ(listSceneFiles(), (std::vector<std::string>{"C.QSN", "a.qsn", "b.qsn"}));
    enter();
    step(kKeyEnd);
    EXPECT_STREQ(world.scene.title, "mine");
}

// The page's top and the selected row after each key, against the rules in a few lines.
TEST_F(SceneList, PagingFollowsTheModelOverRandomKeysAndFolderSizes) {
    constexpr int P = kScenePageRows;
    constexpr std::uint8_t keys[] = {kKeyUp, kKeyDown, kKeyPageUp, kKeyPageDown, kKeyHome, kKeyEnd, kKeyDown};
    std::mt19937 gen(11);
    for (int n : {0, 1, 5, 26, 27, 28, 29, 30, 53, 54, 55, 60}) {
        SCOPED_TRACE(n);
        fs::remove_all("Scenes");
        writeScenes(n);
        enter();
        int top = 0, row = 0;
        const auto clampTop = [&](int t) { return std::max(0, std::min(t, n - P)); };
        for (int i = 0; i < 120; ++i) {
            const std::uint8_t key = keys[gen() % std::size(keys)];
            step(key);
            if (key == kKeyUp) {
                row >= 1 ? --row : (top = clampTop(top - 1));
            } else if (key == kKeyDown) {
                if (row < P - 1)
                    row += row < n - 1 && top + row + 1 < n;
                else
                    top = clampTop(top + 1);
            } else if (key == kKeyPageUp) {
                top < P ? (top = 0, row = 0) : (top = clampTop(top - P));
            } else if (key == kKeyPageDown) {
                if (n < P + 1)
                    top = 0, row = std::max(n - 1, 0);
                else if (top > n - 2 * P)
                    top = clampTop(n - P), row = P - 1;
                else
                    top = clampTop(top + P);
            } else if (key == kKeyHome) {
                top = row = 0;
            } else {
                row = std::min(std::max(n - 1, 0), P - 1), top = clampTop(n - P);
            }
            while (row > 0 && top + row >= n) --row;
            ASSERT_EQ(std::pair(sceneSelect.sceneTop, sceneSelect.sceneRow), std::pair(top, row)) << i;
            ASSERT_TRUE(n == 0 || world.scene.title == sceneName(top + row)) << world.scene.title;
        }
        step(kKeyBackspace);
        ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    }
}

TEST_F(SceneList, ThePageIsReFoundByItsFirstNameWhenFilesAppearBeforeIt) {
    writeScenes(60);
    enter();
    step(kKeyPageDown);
    writeScene("a0.qsn", makeScene());
    writeScene("a1.qsn", makeScene());
    for (int i = 0; i < 27; ++i) step(kKeyDown);
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[0].data()), sceneName(28));
    EXPECT_EQ(sceneSelect.sceneTop, 30);
}

TEST_F(SceneList, HeldDownMovesOnThePressThenEveryFrameFromTheSixteenth) {
    writeScenes(30);
    enter();
    hold(kKeyDown);
    std::vector<int> rows;
    for (int f = 0; f < 20; ++f) {
        runOneFrame();
        rows.push_back(sceneSelect.sceneRow);
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6}));
    EXPECT_STREQ(world.scene.title, "s001.qsn") << "the repeat itself reads nothing";
    hold(kKeyUp);
    runFrames(20);
    release(kKeyDown);
    release(kKeyUp);
    runOneFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 5) << "only the press of Up moved";
    EXPECT_STREQ(world.scene.title, "s005.qsn") << "the release reads the selected scene";
}

TEST_F(SceneList, AltKeepsEnterAndBackspaceFromActingAndEnterReReadsTheScene) {
    writeScenes(3);
    enter();
    hold(kKeyLeftAlt);
    step(kKeyEnter);
    step(kKeyBackspace);
    release(kKeyLeftAlt);
    EXPECT_EQ(sceneSelect.phase, 0);
    Scene changed = makeScene();
    changed.title = "changed";
    writeScene(sceneName(0), changed);
    step(kKeyEnter);
    EXPECT_STREQ(world.scene.title, "changed");
    EXPECT_EQ(runUntil(&gameStartScreen, 40), 33) << "32 fade frames and the hand-over";
}

// What the screen shows of a scene: each row a scene and one hash over every frame of the
// list's fade in and of its fade out to the menu; a played row has been won twice, its best game
// kept (the won mark, the count, best and R); the last row is an empty folder.
TEST_F(SceneList, EachDetailInItsPlace) {
    struct Row {
        std::int32_t background, randomFall, fallInterval, objective, goalScore;
        const char* description;
        std::uint64_t hash;
        bool played = false, none = false;
    } rows[] = {
        {4, 1, 7, Standard, 5, "", 0xc83a0c4947e75260ull},
        {1, 1, 0, Standard, 5, "the quick brown fox jumps over the lazy dog\r\nbc", 0xe9c7c8fe12cf61e0ull},
        {10, 0, 12, Escape, 5, "", 0x30b4061e5c9219e0ull},
        {1, 0, 0, GoalScore, 500, "", 0xfc610f1b98206160ull},
        {11, 1, 0, EatUp, 5, "", 0xf45b336d768106e0ull},
        {2, 1, 3, Escape, 5, "", 0xb82927f0d8fa7ca0ull, true},
        {0, 0, 0, Standard, 5, "", 0x248ab8f3571651a0ull, false, true},
    };
    for (const Row& r : rows) {
        Scene scene = makeScene();
        scene.title = "Pond of Dawn";
        std::tie(scene.background, scene.randomFall, scene.fallInterval, scene.objective, scene.goalScore) =
            std::tuple(r.background, r.randomFall, r.fallInterval, r.objective, r.goalScore);
        scene.description = r.description;
        r.none ? void(fs::remove_all("Scenes")) : writeScene("only.qsn", scene);
        ProgressTable progress;
        std::uint64_t sceneHash = 0;
        ASSERT_TRUE(r.none || sceneFileHash("Scenes/only.qsn", sceneHash));
        for (int i = 0; r.played && i < 2; ++i)
            countGame(progress, "only.qsn", sceneHash, 120, true, "best.mtreplay");
        writeProgress(progress);
        game.currentScreen = &sceneSelectScreen;
        std::uint64_t h = 0;
        for (int f = 0; f < 80 && game.currentScreen != &mainMenuScreen; ++f) {
            if (f == 40) press(kKeyBackspace);
            runOneFrame();
            h = h * 31 + frameHash();
        }
        if (std::getenv("MT_HASH_PRINT")) std::printf("0x%016llxull\n", static_cast<unsigned long long>(h));
        EXPECT_EQ(h, r.hash) << r.background;
        ASSERT_EQ(game.currentScreen, &mainMenuScreen);
    }
}

}  // namespace

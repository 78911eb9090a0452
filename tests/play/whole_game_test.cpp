// Whole games, frame by frame on the headless platform: won on a shipped Escape scene, lost by
// three deaths, abandoned with Backspace and the high score kept at exit.
#include <algorithm>
#include <string>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/platform/headless/headless.h"
#include "game/screens/menus.h"
#include "game/screens/play_screens.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/settings.h"
#include "game/world/world.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

class WholeGame : public GameTest {};

// Follows the end picture from its first frame to the main menu: the picture shown at full
// light while it holds, and for how many frames it held.
int followEndPicture(const PixelBuffer* picture) {
    int holdFrames = 0;
    for (int frame = 0; frame < 400 && shell.currentScreen == &endPictureScreen; ++frame) {
        runFrame();
        if (playScreens.endPicturePhase != 0) continue;
        ++holdFrames;
        EXPECT_TRUE(picturePixelShown(picture, 200, 150));
        EXPECT_TRUE(picturePixelShown(picture, 20, 280));
    }
    EXPECT_EQ(shell.currentScreen, &mainMenuScreen);
    return holdFrames;
}

TEST_F(WholeGame, ShippedEscapeSceneWonEndsOnTheAccomplishedPictureAndTheMenu) {
    const std::string escapeScene = shippedSceneWithObjective(Escape);
    if (escapeScene.empty()) GTEST_SKIP() << "no shipped Escape scene in " << distFolder();
    copyShippedScene(escapeScene);
    startGame();
    EXPECT_EQ(world.lives, 2);
    EXPECT_EQ(light.brightness, 256);

    ASSERT_GT(playUntil(&sceneEndScreen, Exit, 20000), 0) << "the autopilot never reached the exit";
    EXPECT_EQ(world.sceneAccomplished, 1);
    EXPECT_EQ(world.quitToMenu, 0);
    EXPECT_EQ(runUntil(&endPictureScreen, 40), 33) << "32 fade frames, then the finish";
    EXPECT_FALSE(headless.slots[SoundLoop].playing) << "every sound stops at the finish";

    const int holdFrames = followEndPicture(assets.accomplished);
    EXPECT_GE(holdFrames, 100) << "five seconds at 20 frames per second";
    EXPECT_LE(holdFrames, 103);
    EXPECT_EQ(menus.menuItem, 0);
    expectReplayHolds();
}

TEST_F(WholeGame, ThreeDeathsEndOnTheGameOverPicture) {
    writeScene("wall.qsn", wallScene(10));
    startGame();
    for (int livesLeft = 1; livesLeft >= 0; --livesLeft) {
        ASSERT_GT(playUntil(&lifeLostScreen, Stone, 2000), 0);
        ASSERT_GT(runUntil(&playScreen, 130), 0) << "the next worm comes";
        EXPECT_EQ(world.lives, livesLeft);
        EXPECT_EQ(world.started, 0);
    }
    ASSERT_GT(playUntil(&sceneEndScreen, Stone, 2000), 0);
    EXPECT_EQ(world.sceneAccomplished, 0);
    ASSERT_GT(runUntil(&endPictureScreen, 130), 0);
    EXPECT_FALSE(headless.slots[SoundLoop].playing);
    followEndPicture(assets.gameOver);
    expectReplayHolds();
}

TEST_F(WholeGame, SkippingTheEndPictureFadesToTheMenuAtOnce) {
    writeScene("wall.qsn", wallScene(7));
    startGame();
    world.lives = 0;
    ASSERT_GT(playUntil(&sceneEndScreen, Stone, 2000), 0);
    step(kKeySpace);  // the closing fade is skipped too
    ASSERT_EQ(shell.currentScreen, &endPictureScreen);
    step(kKeySpace);  // full light at once
    EXPECT_EQ(playScreens.endPicturePhase, 0);
    step(kKeyEnter);  // leave the picture
    EXPECT_EQ(playScreens.endPicturePhase, 1);
    step(kKeyEnter);  // and cut its fade-out short
    EXPECT_EQ(shell.currentScreen, &mainMenuScreen);
    EXPECT_EQ(light.brightness, 0);
}

TEST_F(WholeGame, BackspaceAbandonsToTheMenuAndAHigherScoreIsStoredAtExit) {
    writeHighScore(3);
    readHighScore(&world.hiScore);
    writeScene("beans.qsn", beanRowScene());
    startGame();
    for (int frame = 0; frame < 400 && world.score < 20; ++frame) {
        autopilot(Red);
        runFrame();
    }
    ASSERT_GE(world.score, 20u);
    autopilot(Red);
    takeSoundCalls();
    tap(kKeyBackspace);
    ASSERT_EQ(shell.currentScreen, &sceneEndScreen);
    EXPECT_EQ(world.quitToMenu, 1);
    EXPECT_EQ(world.sceneAccomplished, 1);
    const std::vector<SoundCall> calls = takeSoundCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), SoundCall{SoundOp::Play, SoundAccomplished, 0}),
              calls.end());
    const std::uint32_t score = world.score;
    EXPECT_EQ(runUntil(&mainMenuScreen, 40), 33) << "no end picture after an abandon";
    EXPECT_EQ(world.hiScore, score);
    expectReplayHolds();
    shutdownGame();
    EXPECT_EQ(settingValue("HiScore"), "dword:" + std::to_string(score));
}

// Rows of five blue, orange and purple beans eaten in turn: a storm, a laser shot and a halved
// worm, then Backspace; the replay of all that holds (and is kept as tests/replays/ material).
TEST_F(WholeGame, StormLaserAndHalvingInOneGameReplay) {
    Scene scene = makeScene("Powers", 20, 15);
    for (int i = 0; i < 5; ++i) {
        scene.grid[sceneCellIndex(22 + i, 15)] = BlueBean;
        scene.grid[sceneCellIndex(30 + i, 5)] = OrangeBean;
        scene.grid[sceneCellIndex(8 + i, 25)] = PurpleBean;
    }
    writeScene("powers.qsn", scene);
    startGame();
    int storm = 0, laser = 0, longest = 0;
    for (const std::uint8_t colour : {Blue, Orange, Purple}) {
        for (int frame = 0; frame < 1500 && std::ranges::count(world.cells, colour) > 0; ++frame) {
            autopilot(colour);
            runFrame();
            storm = std::max(storm, world.rainTimer);
            laser = std::max(laser, world.laserAge);
            longest = std::max(longest, world.length);
        }
    }
    EXPECT_GT(storm, 0);
    EXPECT_GT(laser, 0);
    EXPECT_LT(world.length, longest);
    autopilot(Red);
    tap(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    expectReplayHolds();
}

// An Eat-up scene of 30 red beans: the worm grows to 25 segments and molts, and eating the last
// bean wins; the replay holds.
TEST_F(WholeGame, EatUpWonAfterMoltingReplay) {
    Scene scene = makeScene("Eat up", 20, 20);
    scene.objective = EatUp;
    for (int i = 0; i < 30; ++i) scene.grid[sceneCellIndex(10 + i % 10, 8 + i / 10 * 2)] = RedBean;
    writeScene("eat.qsn", scene);
    startGame();
    int longest = 0;
    for (int frame = 0; frame < 6000 && shell.currentScreen != &sceneEndScreen; ++frame) {
        autopilot(Red);
        runFrame();
        longest = std::max(longest, world.length);
    }
    EXPECT_EQ(longest, 25);
    EXPECT_GT(std::ranges::count(world.cells, Stone), 0) << "the molt shed stones";
    EXPECT_EQ(world.sceneAccomplished, 1);
    ASSERT_GT(runUntil(&mainMenuScreen, 400), 0);
    expectReplayHolds();
}

TEST_F(WholeGame, TheClosingFadePullsTheDaylightDownWithIt) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    tap(kKeyBackspace);
    ASSERT_EQ(shell.currentScreen, &sceneEndScreen);
    for (int frame = 1; frame <= 32; ++frame) {
        runFrame();
        ASSERT_EQ(shell.currentScreen, &sceneEndScreen);
        EXPECT_EQ(world.endFade, 256 - 8 * frame);
        EXPECT_EQ(light.brightness, world.endFade + 8) << "frame " << frame;
    }
    runFrame();
    EXPECT_EQ(shell.currentScreen, &mainMenuScreen);
    EXPECT_EQ(light.brightness, 0);
    EXPECT_EQ(world.rainTimer, 0);
}

TEST_F(WholeGame, AfterTheLastDeathTheDeadWormStaysLitUntilItHasBurst) {
    writeScene("wall.qsn", wallScene(9));
    startGame();
    world.lives = 0;
    ASSERT_GT(playUntil(&sceneEndScreen, Stone, 500), 0);
    int frames = 0;
    while (shell.currentScreen == &sceneEndScreen && frames < 200) {
        runFrame();
        ++frames;
        if (shell.currentScreen == &sceneEndScreen) {
            EXPECT_EQ(light.brightness, 256);
        }
    }
    EXPECT_EQ(shell.currentScreen, &endPictureScreen);
    EXPECT_LT(frames, 126) << "the burst ends the screen before the fade runs out";
}

}  // namespace
}  // namespace play_test

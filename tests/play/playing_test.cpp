// The keys of a game the autopilot's replays never press: the first arrow, the pause and its
// queue, Enter cutting a death short, the key queue emptied at every worm's start, and sound off.
#include <cstdio>
#include <cstdlib>
#include <set>

#include "tests/support/support.h"

namespace {

using namespace ts;

class PlayKeys : public Game {
protected:
    Scene wallScene(int column) {
        Scene scene = makeScene(5, 15);
        for (int row = 0; row < kSceneRows; ++row) scene.grid[sceneCellIndex(column, row)] = StoneBean;
        return scene;
    }
    void crawl() {
        play(makeScene());
        tap(kKeyRight);
        runFrames(3);
    }
    bool queueEmpty() const { return keyboard.readIndex == keyboard.writeIndex; }
};

TEST_F(PlayKeys, TheFirstWormWaitsForAnArrowAndTakesTheFirstOfUpRightDownLeft) {
    for (auto [first, second, dir] :
         {std::tuple(kKeyDown, kKeyUp, Up), std::tuple(kKeyLeft, kKeyRight, Right)}) {
        play(makeScene());
        press(kKeyTab);
        runFrames(30);
        EXPECT_EQ(std::tuple(world.started, world.segX[0], world.segY[0]), std::tuple(0, 200, 150));
        hold(first);
        hold(second);
        runOneFrame();
        EXPECT_EQ(world.segDir[0], dir);
        release(first);
        release(second);
        tap(kKeyBackspace);
        ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    }
}

TEST_F(PlayKeys, SpacePausesTheFrameAndDropsThePressesQueuedAheadOfIt) {
    crawl();
    tap(kKeySpace);
    ASSERT_EQ(game.currentScreen, &pauseScreen);
    const std::uint8_t dir = world.segDir[0];
    press(kKeyDown);
    press(kKeyUp);
    hold(kKeySpace);
    runFrames(2);
    EXPECT_EQ(game.currentScreen, &pauseScreen) << "Down and Up taken and dropped";
    runOneFrame();
    EXPECT_EQ(game.currentScreen, &playScreen);
    release(kKeySpace);
    runFrames(10);
    EXPECT_EQ(world.segDir[0], dir);
    step(kKeySpace);  // let go before the frame: never seen held
    EXPECT_EQ(game.currentScreen, &playScreen);
    tap(kKeySpace);
    runOneFrame();
    const std::uint64_t pausedAgain = frameHash();
    for (int mode : {0, 1}) {  // Alt+Enter there and back: the paused game is shown again, not black
        scriptPress(kKeyEnter, true);
        runFrames(2);
        EXPECT_EQ(options.isWindowed, mode);
        EXPECT_EQ(frameHash(), pausedAgain);
    }
}

TEST_F(PlayKeys, EveryWormStartsWithAnEmptyKeyQueue) {
    play(wallScene(8));
    ASSERT_GT(playUntil(&lifeLostScreen, Stone, 500), 0);
    for (int i = 0; i < 3; ++i) press(kKeyTab);
    ASSERT_GT(runUntil(&playScreen, 200), 0);
    EXPECT_TRUE(queueEmpty());
    tap(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    game.currentScreen = &sceneSelectScreen;
    step(kKeyEnter);
    press(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    press(kKeyTab);
    runOneFrame();
    EXPECT_TRUE(queueEmpty());
}

TEST_F(PlayKeys, AOneSegmentWormLiesDeadForTheFull125Frames) {
    play(wallScene(6));
    hold(kKeyRight);
    world.pendingGrowth = 0;
    runOneFrame();
    release(kKeyRight);
    ASSERT_GT(runUntil(&lifeLostScreen, 20), 0);
    EXPECT_EQ(runUntil(&playScreen, 200), 126);
}

// A fixed background is the scene's number less one; a random one is any of the nine; any other
// number (the lowest a file can hold too) the first.
TEST_F(PlayKeys, EachGameStartsOnTheScenesBackground) {
    ASSERT_TRUE(start());
    std::set<std::uint32_t> seen;
    for (int game = 0; game < 200; ++game) {
        world.scene.background = game < 9 ? game + 1 : 10;
        gameStartScreen();
        EXPECT_TRUE(game >= 9 || assets.backgroundIndex == static_cast<std::uint32_t>(game)) << game;
        if (game >= 9) seen.insert(assets.backgroundIndex);
    }
    EXPECT_EQ(seen.size(), 9u);
    world.scene.background = INT32_MIN;  // one less would overflow: the first picture instead
    gameStartScreen();
    EXPECT_EQ(assets.backgroundIndex, 0u);
}

// A worm waiting beside the exit of an Escape scene: both hints pulse in opposite phases; then
// dusk, the head's light coming up as the day fades, the quick dark of the night and the next
// dawn. One hash over every frame.
TEST_F(PlayKeys, AWaitingWormBesideTheExitFromDayIntoNight) {
    Scene scene = makeScene();
    scene.objective = Escape;
    scene.grid[sceneCellIndex(25, 15)] = ExitPoint;
    play(scene);
    std::uint64_t h = 0;
    for (int f = 0; f < 290; ++f) {
        if (f == 30) world.dayClock = 3280;
        runOneFrame();
        h = h * 31 + frameHash();
    }
    if (std::getenv("MT_HASH_PRINT")) std::printf("0x%016llxull\n", static_cast<unsigned long long>(h));
    EXPECT_EQ(h, 0xa79d191ee59228d5ull);
}

// Now and then one of the fourteen voices of the pond by day, never at night.
TEST_F(PlayKeys, AmbientSoundsUseEveryVoiceByDayAndNoneAtNight) {
    play(makeScene());
    world.length = kMaxSegments;  // a waiting worm as long as can be livens the pond up most
    std::set<int> voices;
    for (int night = 0; night < 2; ++night) {
        for (int f = 0; f < 6000; ++f) {
            world.dayClock = night ? 2700 : 300;
            headless.soundCalls.clear();
            runOneFrame();
            for (const SoundCall& c : headless.soundCalls)
                if ((night == 0 || light.brightness <= 200) && c.op == SoundOp::Play &&
                    c.id >= SoundAmbientFirst && c.id <= SoundAmbientLast)
                    voices.insert(night * 1000 + c.id);
        }
    }
    EXPECT_EQ(voices.size(), 14u);
    EXPECT_LT(*voices.rbegin(), 1000);
}

// Sound off: no slot is touched, and the game runs frame for frame as with sound.
TEST_F(PlayKeys, SoundOffTouchesNoSlotAndChangesNothingElse) {
    std::vector<std::uint64_t> runs[2];
    for (int muted : {0, 1}) {
        play(wallScene(12));
        options.soundMuted = muted;
        headless.soundCalls.clear();
        for (int f = 0; f < 3000 && game.currentScreen != &mainMenuScreen; ++f) {
            autopilot(Stone);
            runOneFrame();
            runs[muted].push_back(reinterpret_cast<std::uintptr_t>(game.currentScreen) << 16 ^
                                  static_cast<std::uint64_t>(light.brightness) << 32 ^
                                  static_cast<std::uint64_t>(world.segX[0] * 1000 + world.segY[0]) ^
                                  world.lives);
        }
        EXPECT_EQ(headless.soundCalls.empty(), muted == 1);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace

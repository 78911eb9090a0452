// The frame loop: pacing from the tick that ran (late ticks are not caught up), the rates
// 15/20/25, Escape / close / Alt+Enter / F1 / focus handling of the window, one press per
// frame, the shutdown order and the loop's sleeping.
#include <gtest/gtest.h>

#include "game/platform/headless.h"
#include "game/screens/assets.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/shell/shell.h"
#include "tests/game/game_test_support.h"

namespace {

int ticksRun = 0;
void countingScreen() { ++ticksRun; }

class FrameLoop : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeDat();
        ASSERT_TRUE(startGame());
        ticksRun = 0;
    }
    // One tick at the given clock.
    void tickAt(std::uint32_t now) {
        headless.now = now;
        frameTick();
    }
};

TEST_F(FrameLoop, TheIntervalCountsFromTheTickThatRan) {
    shell.currentScreen = countingScreen;
    tickAt(5000);
    EXPECT_EQ(ticksRun, 1);
    EXPECT_EQ(shell.nextFrameTime, 5050u);
    tickAt(5049);
    EXPECT_EQ(ticksRun, 1);
    EXPECT_EQ(shell.frameTime, 5049u);  // frameTime follows every call
    tickAt(5050);
    EXPECT_EQ(ticksRun, 2);
    tickAt(5300);  // late: runs once, and the next is due 50 ms after it
    tickAt(5301);
    EXPECT_EQ(ticksRun, 3);
    EXPECT_EQ(shell.nextFrameTime, 5350u);
}

TEST_F(FrameLoop, EachRateGivesItsInterval) {
    shell.currentScreen = countingScreen;
    for (auto [rate, interval] : {std::pair{15u, 66u}, {20u, 50u}, {25u, 40u}}) {
        shell.framesPerSecond = rate;
        shell.nextFrameTime = 0;
        ticksRun = 0;
        for (std::uint32_t now = 100000; now < 101000; ++now) tickAt(now);
        EXPECT_EQ(ticksRun, static_cast<int>((999 / interval) + 1)) << rate;
    }
}

TEST_F(FrameLoop, ANullScreenShutsTheGameDown) {
    shell.currentScreen = nullptr;
    tickAt(headless.now + 1000);
    EXPECT_FALSE(shell.windowOpen);
    EXPECT_TRUE(headless.errorBoxes.empty());
}

TEST_F(FrameLoop, AFrameIsPresentedAfterTheScreenHandsOver) {
    runOneFrame();
    EXPECT_EQ(headless.framesShown, 1);
    shell.currentScreen = countingScreen;
    runOneFrame();
    EXPECT_EQ(headless.framesShown, 2);
}

TEST_F(FrameLoop, EscapeQuitsInOrderAndTheProgramEndsWithZero) {
    runFrames(3);
    headless.lifecycle.clear();
    scriptPress(0x01);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.lifecycle,
              (std::vector<std::string>{"closeAudio", "releaseInput", "releaseDisplay", "destroyWindow"}));
    EXPECT_EQ(shell.currentScreen, nullptr);
    EXPECT_EQ(assets.logo, nullptr);
}

TEST_F(FrameLoop, AFatalErrorShutsDownOnceAndShowsTheBoxLast) {
    headless.lifecycle.clear();
    raiseFatalError("Failed to load background image!");
    raiseFatalError("a second failure is not shown");
    runMessageLoop();
    EXPECT_EQ(headless.lifecycle, (std::vector<std::string>{"closeAudio", "releaseInput", "releaseDisplay",
                                                            "destroyWindow", "errorBox"}));
    EXPECT_EQ(headless.errorBoxes, std::vector<std::string>{"Failed to load background image!"});
    shutdownGame();
    EXPECT_EQ(headless.errorBoxes.size(), 1u);
}

TEST_F(FrameLoop, ClosingTheWindowQuits) {
    scriptClose();
    runMessageLoop();
    EXPECT_FALSE(shell.windowOpen);
}

TEST_F(FrameLoop, AltEnterSwitchesTheModeOnReleaseWithoutSkipping) {
    runFrames(5);
    const int brightness = screens.brightness;
    scriptKey(kKeyLeftAlt, true, true);
    scriptKey(kKeyEnter, true, true);
    scriptKey(kKeyEnter, false, true);
    runOneFrame();
    EXPECT_EQ(shell.isWindowed, 0);
    EXPECT_EQ(shell.currentScreen, logoScreen);
    EXPECT_EQ(screens.brightness, brightness + 8);  // the Enter press did not skip the fade
    EXPECT_TRUE(headless.lastFrameFullScreen);
    scriptKey(kKeyPadEnter, true, true);
    scriptKey(kKeyPadEnter, false, true);
    runOneFrame();
    EXPECT_EQ(shell.isWindowed, 1);
}

TEST_F(FrameLoop, AFailedModeSwitchIsFatal) {
    headless.displayFails = true;
    toggleDisplayMode();
    EXPECT_FALSE(shell.windowOpen);
    EXPECT_EQ(headless.errorBoxes, std::vector<std::string>{"Failed to initialize screen!"});
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes.size(), 1u);
}

TEST_F(FrameLoop, F1MinimisesAndOpensTheHelpPage) {
    scriptPress(0x3B);
    runOneFrame();
    EXPECT_EQ(headless.minimiseCount, 1);
    EXPECT_EQ(headless.openedDocuments, std::vector<std::string>{"Readme.htm"});
}

TEST_F(FrameLoop, LosingFocusStopsFramesAndForgetsKeys) {
    runOneFrame();
    const int shown = headless.framesShown;
    scriptKey(kKeyUp, true);
    scriptFocus(false);
    scriptKey(kKeyDown, true);
    runOneFrame();
    runOneFrame();
    EXPECT_EQ(headless.framesShown, shown);
    EXPECT_FALSE(keyHeld(kKeyUp));
    EXPECT_EQ(popKey(), 0);
    scriptFocus(true);
    runOneFrame();
    EXPECT_EQ(headless.framesShown, shown + 1);
}

TEST_F(FrameLoop, OnlyOnePressIsActedOnPerFrame) {
    runUntilScreen(mainMenuScreen);
    runFrames(40);
    ASSERT_EQ(menus.menuPhase, 0);
    press(kKeyDown);
    press(kKeyDown);
    press(kKeyDown);
    runOneFrame();
    EXPECT_EQ(menus.menuItem, 1);
    runOneFrame();
    EXPECT_EQ(menus.menuItem, 1);
}

TEST_F(FrameLoop, TheLoopSleepsUntilTheNextFrameIsDueInsteadOfSpinning) {
    const std::uint32_t start = headless.now;
    headless.closeAfterWaits = 10;
    runMessageLoop();
    // Every pass ran one frame and then slept exactly until the next one was due.
    EXPECT_EQ(headless.framesShown, 10);
    EXPECT_EQ(headless.now - start, 500u);
}

}  // namespace

// The frame loop: pacing from the tick that ran (late ticks are not caught up), the rates
// 15/20/25, Escape / close / Alt+Enter / F1 / focus handling of the window, one press per
// frame, the shutdown order and the loop's sleeping; and the key queue: presses in order, one
// ring of 64 that drops presses when full, releases that only change the held state.
#include <gtest/gtest.h>

#include "tests/game/game_test_support.h"

namespace {

int ticksRun = 0;
void countingScreen() {
    ++ticksRun;
}
using Strings = std::vector<std::string>;
const Strings kShutdownOrder = {"closeAudio", "releaseInput", "releaseDisplay", "destroyWindow"};

class FrameLoop : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeDat();
        ASSERT_TRUE(startGame());
        ticksRun = 0;
    }
    void tickAt(std::uint32_t now) {
        headless.now = now;
        frameTick();
    }
};

TEST_F(FrameLoop, TheIntervalCountsFromTheTickThatRan) {
    game.currentScreen = countingScreen;
    tickAt(5000);
    EXPECT_EQ(loop.nextFrameTime, 5050u);
    tickAt(5049);
    EXPECT_EQ(ticksRun, 1);
    EXPECT_EQ(game.frameTime, 5049u);  // frameTime follows every call
    tickAt(5050);
    EXPECT_EQ(ticksRun, 2);
    tickAt(5300);  // late: runs once, and the next is due 50 ms after it
    tickAt(5301);
    EXPECT_EQ(ticksRun, 3);
    EXPECT_EQ(loop.nextFrameTime, 5350u);
    loop.nextFrameTime = 0;
    tickAt(0xFFFFFFFFu - 80);  // the clock wraps 49.7 days after boot: frames keep coming
    for (std::uint32_t now = 40; now < 100; now += 10) tickAt(now);
    EXPECT_EQ(ticksRun, 6);
}

TEST_F(FrameLoop, EachRateGivesItsInterval) {
    game.currentScreen = countingScreen;
    for (auto [rate, interval] : {std::pair{15u, 66u}, {20u, 50u}, {25u, 40u}}) {
        options.framesPerSecond = rate;
        loop.nextFrameTime = 0;
        ticksRun = 0;
        for (std::uint32_t now = 100000; now < 101000; ++now) tickAt(now);
        EXPECT_EQ(ticksRun, static_cast<int>((999 / interval) + 1)) << rate;
    }
}

TEST_F(FrameLoop, ANullScreenOrAClosedWindowShutsTheGameDown) {
    game.currentScreen = nullptr;
    tickAt(headless.now + 1000);
    EXPECT_FALSE(loop.windowOpen);
    EXPECT_TRUE(headless.errorBoxes.empty());
    resetHeadlessGame();
    ASSERT_TRUE(startGame());
    scriptClose();
    runMessageLoop();
    EXPECT_FALSE(loop.windowOpen);
}

TEST_F(FrameLoop, AFrameIsPresentedAfterTheScreenHandsOver) {
    runOneFrame();
    game.currentScreen = countingScreen;
    runOneFrame();
    EXPECT_EQ(headless.framesShown, 2);
}

TEST_F(FrameLoop, EscapeQuitsInOrderAndTheProgramEndsWithZero) {
    runFrames(3);
    headless.lifecycle.clear();
    scriptPress(0x01);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.lifecycle, kShutdownOrder);
    EXPECT_EQ(game.currentScreen, nullptr);
    EXPECT_EQ(assets.logo, nullptr);
}

TEST_F(FrameLoop, AFatalErrorShutsDownOnceAndShowsTheBoxLast) {
    headless.lifecycle.clear();
    raiseFatalError("Failed to load background image!");
    raiseFatalError("a second failure is not shown");
    runMessageLoop();
    Strings order = kShutdownOrder;
    order.push_back("errorBox");
    EXPECT_EQ(headless.lifecycle, order);
    EXPECT_EQ(headless.errorBoxes, Strings{"Failed to load background image!"});
    shutdownGame();
    EXPECT_EQ(headless.errorBoxes.size(), 1u);
}

TEST_F(FrameLoop, AltEnterSwitchesTheModeOnReleaseWithoutSkipping) {
    runFrames(5);
    const int brightness = light.brightness;
    scriptKey(kKeyLeftAlt, true, true);
    scriptKey(kKeyEnter, true, true);
    scriptKey(kKeyEnter, false, true);
    runOneFrame();
    EXPECT_EQ(options.isWindowed, 0);
    EXPECT_EQ(game.currentScreen, logoScreen);
    EXPECT_EQ(light.brightness, brightness + 8);  // the Enter press did not skip the fade
    EXPECT_TRUE(headless.lastFrameFullScreen);
    scriptKey(kKeyPadEnter, true, true);
    scriptKey(kKeyPadEnter, false, true);
    runOneFrame();
    EXPECT_EQ(options.isWindowed, 1);
}

TEST_F(FrameLoop, AFailedModeSwitchIsFatal) {
    headless.displayFails = true;
    switchDisplayMode();
    EXPECT_FALSE(loop.windowOpen);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes, Strings{"Failed to initialize screen!"});
}

TEST_F(FrameLoop, F1MinimisesAndOpensTheHelpPage) {
    scriptPress(0x3B);
    runOneFrame();
    EXPECT_EQ(headless.minimiseCount, 1);
    EXPECT_EQ(headless.openedDocuments, Strings{"Readme.htm"});
}

TEST_F(FrameLoop, LosingFocusStopsFramesAndForgetsKeys) {
    runOneFrame();
    const int shown = headless.framesShown;
    scriptKey(kKeyUp, true);
    scriptFocus(false);
    scriptKey(kKeyDown, true);
    runFrames(2);
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
    for (int i = 0; i < 3; ++i) press(kKeyDown);
    runOneFrame();
    EXPECT_EQ(menus.menuItem, 1);
    runOneFrame();
    EXPECT_EQ(menus.menuItem, 1);
}

TEST_F(FrameLoop, TheLoopSleepsUntilTheNextFrameIsDueInsteadOfSpinning) {
    const std::uint32_t start = headless.now;
    headless.closeAfterWaits = 10;
    runMessageLoop();
    EXPECT_EQ(headless.framesShown, 10);
    EXPECT_EQ(headless.now - start, 500u);
}

class KeyQueue : public ::testing::Test {
protected:
    void SetUp() override { resetHeadlessGame(); }
    void TearDown() override { resetHeadlessGame(); }
};

TEST_F(KeyQueue, PressesComeOutInOrderAndReleasesOnlyClearTheHeldState) {
    pushKeyEvent(kKeyLeftAlt, true);
    EXPECT_EQ(keyboard.keyState[kKeyLeftAlt], 0x80);
    pushKeyEvent(kKeyDown, true);
    pushKeyEvent(kKeyLeftAlt, false);
    EXPECT_FALSE(keyHeld(kKeyLeftAlt));
    EXPECT_EQ(popKey(), kKeyLeftAlt);
    EXPECT_EQ(popKey(), kKeyDown);
    EXPECT_EQ(popKey(), 0);
}

TEST_F(KeyQueue, AFullQueueDropsFurtherPressesAndTheRingWraps) {
    for (int i = 0; i < 100; ++i) pushKeyEvent(static_cast<std::uint8_t>(1 + i), true);
    int count = 0;
    for (std::uint8_t key = popKey(); key != 0; key = popKey()) EXPECT_EQ(key, ++count);
    EXPECT_EQ(count, kKeyQueueSize - 1);
    EXPECT_TRUE(keyHeld(100));  // the dropped presses still leave their keys held
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 40; ++i) pushKeyEvent(static_cast<std::uint8_t>(10 + i), true);
        for (int i = 0; i < 40; ++i) ASSERT_EQ(popKey(), 10 + i);
        ASSERT_EQ(popKey(), 0);
    }
}

TEST_F(KeyQueue, ClearKeysEmptiesTheQueueAndKeepsHeldKeys) {
    pushKeyEvent(kKeySpace, true);
    clearKeys();
    EXPECT_EQ(popKey(), 0);
    EXPECT_TRUE(keyHeld(kKeySpace));
    clearKeyState();
    EXPECT_FALSE(keyHeld(kKeySpace));
}

TEST_F(KeyQueue, OnlyAnActiveWindowQueuesPresses) {
    loop.windowOpen = 1;
    windowKeyEvent(kKeyUp, true, false);
    EXPECT_EQ(popKey(), 0);
    loop.isActive = 1;
    windowKeyEvent(kKeyUp, true, false);
    EXPECT_EQ(popKey(), kKeyUp);
}

// Two pads and the keyboard's queue: each row acts, then names the game keys held afterwards and
// the press it queued (0: none). A stick presses once when it crosses the dead zone.
TEST_F(KeyQueue, GamepadsActAsOneKeyboard) {
    loop.windowOpen = 1;
    loop.isActive = 1;
    padAttached(3);
    padAttached(7);
    enum : std::uint8_t { U = 1, D = 2, L = 4, R = 8, E = 16, B = 32, S = 64, W = 128 };
    struct Row {
        void (*act)();
        std::uint8_t held;
        std::uint8_t queued;
    };
    const Row rows[] = {
        {[] { padStick(3, false, kStickDeadZone - 1); }, 0, 0},
        {[] { padStick(3, false, kStickDeadZone); }, R, kKeyRight},
        {[] { padStick(3, false, 32767); }, R, 0},
        {[] { padButton(7, PadDpadRight, true); }, R, 0},
        {[] { padStick(3, false, 0); }, R, 0},
        {[] { padButton(7, PadDpadRight, false); }, 0, 0},
        {[] { padStick(3, true, -32768); }, U, kKeyUp},
        {[] { padButton(7, PadA, true); }, U | E, kKeyEnter},
        {[] { padDetached(3); }, E, 0},
        {[] { padButton(7, PadB, true); }, E | B, kKeyBackspace},
        {[] { padButton(7, PadStart, true); }, E | B | S, kKeySpace},
        {[] { padButton(7, PadY, true); }, E | B | S | W, kKeyR},
        {[] { padButton(9, PadDpadDown, true); }, E | B | S | W, 0},  // unknown pad
        {[] { padButton(7, PadX, true); }, E | B | S | W, 0},         // bound to nothing
        {[] { padDetached(7); }, 0, 0},
    };
    const std::uint8_t codes[] = {kKeyUp,    kKeyDown,      kKeyLeft,  kKeyRight,
                                  kKeyEnter, kKeyBackspace, kKeySpace, kKeyR};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].act();
        for (int bit = 0; bit < 8; ++bit)
            EXPECT_EQ(keyHeld(codes[bit]), ((rows[i].held >> bit) & 1) != 0) << i;
        EXPECT_EQ(popKey(), rows[i].queued) << i;
        EXPECT_EQ(popKey(), 0) << i;
    }
}

}  // namespace

// The key queue and the held-key table: presses in order, one ring of 64 that drops presses
// when full instead of wrapping to empty, releases that only change the held state, and the
// window procedure feeding the queue only while the game is active.
#include <gtest/gtest.h>

#include "game/platform/headless.h"
#include "game/shell/keys.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"

namespace {

class KeyQueue : public ::testing::Test {
protected:
    void SetUp() override { keyboard = KeyboardState{}; }
};

TEST_F(KeyQueue, PressesComeOutOldestFirstThenZero) {
    pushKeyEvent(kKeyUp, true);
    pushKeyEvent(kKeyDown, true);
    EXPECT_EQ(popKey(), kKeyUp);
    EXPECT_EQ(popKey(), kKeyDown);
    EXPECT_EQ(popKey(), 0);
}

TEST_F(KeyQueue, ReleasesAreNotQueuedButClearTheHeldState) {
    pushKeyEvent(kKeyLeftAlt, true);
    EXPECT_TRUE(keyHeld(kKeyLeftAlt));
    EXPECT_EQ(keyboard.keyState[kKeyLeftAlt], 0x80);
    pushKeyEvent(kKeyLeftAlt, false);
    EXPECT_FALSE(keyHeld(kKeyLeftAlt));
    EXPECT_EQ(popKey(), kKeyLeftAlt);
    EXPECT_EQ(popKey(), 0);
}

TEST_F(KeyQueue, AFullQueueDropsFurtherPressesInsteadOfLookingEmpty) {
    for (int i = 0; i < 100; ++i) pushKeyEvent(static_cast<std::uint8_t>(1 + i), true);
    int count = 0;
    std::uint8_t expected = 1;
    for (std::uint8_t key = popKey(); key != 0; key = popKey(), ++expected, ++count) EXPECT_EQ(key, expected);
    EXPECT_EQ(count, kKeyQueueSize - 1);
    // The dropped presses still leave their keys held.
    EXPECT_TRUE(keyHeld(100));
}

TEST_F(KeyQueue, TheRingWrapsAroundWithoutLosingPresses) {
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 40; ++i) pushKeyEvent(static_cast<std::uint8_t>(10 + i), true);
        for (int i = 0; i < 40; ++i) ASSERT_EQ(popKey(), 10 + i);
        ASSERT_EQ(popKey(), 0);
    }
}

TEST_F(KeyQueue, ClearKeysEmptiesTheQueueAndKeepsHeldKeys) {
    pushKeyEvent(kKeySpace, true);
    pushKeyEvent(kKeyEnter, true);
    clearKeys();
    EXPECT_EQ(popKey(), 0);
    EXPECT_TRUE(keyHeld(kKeySpace));
    clearKeyState();
    EXPECT_FALSE(keyHeld(kKeySpace));
}

TEST_F(KeyQueue, OnlyAnActiveWindowQueuesPresses) {
    resetHeadlessGame();
    shell.windowOpen = 1;
    windowKeyEvent(kKeyUp, true, false);
    EXPECT_EQ(popKey(), 0);
    shell.isActive = 1;
    windowKeyEvent(kKeyUp, true, false);
    EXPECT_EQ(popKey(), kKeyUp);
    resetHeadlessGame();
}

}  // namespace

// The picture screens, frame by frame: the standard fade (skip to full, skip to cut; its 32
// frames in are among the tour's hashed frames), the logo's five seconds, the main menu's
// wrap-around, sounds and items, the options rows, marks and speed cycle, and the lit
// rectangles as drawn.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>

#include "tests/game/game_test_support.h"

namespace {

class Screens : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeDat();
        ASSERT_TRUE(startGame());
    }
    std::uint32_t drawn(int x, int y) const { return drawBuffer->pixels[y * kFrameWidth + x]; }
    // Into the main menu, faded in and waiting.
    void reachMenu() {
        ASSERT_TRUE(runUntilScreen(mainMenuScreen, 600));
        runFrames(33);
        ASSERT_EQ(menus.menuPhase, 0);
        headless.soundCalls.clear();
    }
    void reachOptions() {
        reachMenu();
        step(kKeyDown);
        press(kKeyEnter);
        ASSERT_TRUE(runUntilScreen(optionsScreen));
        runFrames(33);
        ASSERT_EQ(menus.optionsPhase, 0);
        headless.soundCalls.clear();
    }
};

TEST_F(Screens, ASkipJumpsTheFadeInToFullLightAndCutsTheFadeOut) {
    runFrames(3);
    step(kKeySpace);
    EXPECT_EQ(light.brightness, 256);
    EXPECT_EQ(menus.logoPhase, 0);
    EXPECT_EQ(drawn(200, 150), kLogoColour);
    runOneFrame();
    step(kKeyPadEnter);  // leaves the logo: fade-out begins
    runFrames(4);
    EXPECT_EQ(light.brightness, 256 - 4 * 8);
    step(kKeySpace);
    EXPECT_EQ(light.brightness, 0);
    EXPECT_EQ(game.currentScreen, mainMenuScreen);
    EXPECT_EQ(menus.logoPhase, -1);
    runOneFrame();  // the next picture starts from black
    EXPECT_EQ(light.brightness, 8);
}

TEST_F(Screens, TheLogoLeavesAfterFiveSecondsAndItsFade) {
    runFrames(33);
    headless.now = loop.nextFrameTime = 0;  // the hold starts when the clock reads 0
    runOneFrame();
    while (game.frameTime <= 5000) {
        ASSERT_EQ(menus.logoPhase, 0);
        runOneFrame();
    }
    EXPECT_EQ(menus.logoPhase, 1);
    int fadeFrames = 0;
    while (game.currentScreen == logoScreen && fadeFrames < 100) {
        runOneFrame();
        ++fadeFrames;
    }
    EXPECT_EQ(fadeFrames, 33);
    EXPECT_EQ(game.currentScreen, mainMenuScreen);
}

// Every menu item lit (both ways round), every options row lit with each of its values, the
// options opened again (on its last row), the Controls screen, the editor item (the menu stays),
// both help pages in turn and the first again: one hash over those frames, every frame of each fade-in and
// every sound call.
TEST_F(Screens, TheMenusAsDrawn) {
    reachMenu();
    std::uint64_t h = 0;
    const auto add = [&] {
        h = h * 31 + frameHash();
        for (const SoundCall& call : headless.soundCalls)
            h = h * 31 + (static_cast<std::uint64_t>(call.op) << 40 ^
                          static_cast<std::uint64_t>(call.id) << 32 ^ static_cast<std::uint32_t>(call.value));
        headless.soundCalls.clear();
    };
    const auto fadeIn = [&] {
        for (int frame = 0; frame < 33; ++frame) runOneFrame(), add();
    };
    for (std::uint8_t key : {kKeyUp, kKeyDown, kKeyRight, kKeyRight, kKeyRight, kKeyRight, kKeyRight}) {
        step(key);
        add();
    }
    step(kKeySpace);
    EXPECT_EQ(menus.menuPhase, 0) << "Space does not choose";
    for (int visit = 0; visit < 2; ++visit) {
        menus.menuItem = 1;
        menus.optionsRow = visit;  // wherever it was, the options open on their last row
        press(kKeyEnter);
        ASSERT_TRUE(runUntilScreen(optionsScreen));
        fadeIn();
        add();
        for (int row = 0; row < kOptionsRows; ++row) {
            step(kKeyDown);
            add();
            for (std::uint8_t key : {kKeyLeft, kKeyLeft, kKeyLeft, kKeyRight, kKeyRight, kKeyRight}) {
                step(key);
                add();
            }
        }
        if (visit == 1) {  // the Controls screen, its second row lit, and Escape back to its row
            step(kKeyUp);
            press(kKeyEnter);
            ASSERT_TRUE(runUntilScreen(controlsScreen));
            fadeIn();
            step(kKeyDown);
            add();
            press(kKeyEscape);
            ASSERT_TRUE(runUntilScreen(optionsScreen));
            fadeIn();
            add();
            // the second options screen, beside Controls, every row stepped down and back up
            step(kKeyLeft);
            press(kKeyEnter);
            ASSERT_TRUE(runUntilScreen(moreOptionsScreen));
            fadeIn();
            for (int row = 0; row < kMoreOptionsRows; ++row) {
                step(kKeyDown);
                add();
                for (std::uint8_t key : {kKeyLeft, kKeyLeft, kKeyLeft, kKeyRight, kKeyRight, kKeyRight}) {
                    step(key);
                    add();
                    ASSERT_EQ(headless.slots[SoundEat].playerVolume, options.effectsVolume);
                    ASSERT_EQ(headless.slots[SoundAmbientFirst].playerVolume, options.ambientVolume);
                }
            }
            for (std::uint8_t key : {kKeyUp, kKeyDown}) step(key), add();   // up round the top and back
            EXPECT_EQ(options.effectsVolume + options.ambientVolume, 200);  // 100 % held at the top
            press(kKeyEnter);                                               // on Back
            ASSERT_TRUE(runUntilScreen(optionsScreen));
            fadeIn();
            step(kKeyDown);  // from More options over Controls to Back
            step(kKeyDown);
        }
        press(kKeyEnter);  // on Back
        ASSERT_TRUE(runUntilScreen(mainMenuScreen));
        fadeIn();
    }
    menus.menuItem = 2;  // the editor: the game steps aside and its menu stays
    step(kKeyEnter);
    add();
    EXPECT_EQ(std::pair(headless.minimiseCount, headless.editorStarts), std::pair(1, 1));
    menus.menuItem = 4;
    step(kKeyEnter);
    ASSERT_TRUE(runUntilScreen(helpScreen));
    fadeIn();
    add();
    press(kKeySpace);
    ASSERT_TRUE(runUntilScreen(helpScreen2));
    fadeIn();
    add();
    press(kKeyEnter);
    EXPECT_TRUE(runUntilScreen(mainMenuScreen));
    EXPECT_EQ(menus.menuItem, 4);
    fadeIn();
    press(kKeyEnter);  // the help once more: a picture screen starts afresh each time
    ASSERT_TRUE(runUntilScreen(helpScreen));
    fadeIn();
    if (std::getenv("MT_HASH_PRINT")) std::printf("0x%016llxull\n", static_cast<unsigned long long>(h));
    EXPECT_EQ(h, 0xf9950892583662e6ull);
}

TEST_F(Screens, TheQuitItemFadesOutAndEndsTheGame) {
    reachMenu();
    menus.menuItem = 3;
    press(kKeyEnter);
    runMessageLoop();
    EXPECT_FALSE(loop.windowOpen);
    EXPECT_EQ(light.brightness, 0);
}

}  // namespace

// The keys of a game in progress: the first arrow that sets the worm off, Space pausing and
// resuming with the presses queued ahead of it dropped, Enter cutting the death animation short
// while Alt+Enter does not, and the lost life's limit of 125 frames.
#include <vector>

#include "game/screens/play_screens.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/world/world.h"
#include "render/font.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

class PlayKeys : public GameTest {
protected:
    // A game on the bean row, the worm already crawling for a few frames.
    void startCrawling() {
        writeScene("beans.qsn", beanRowScene());
        startGame();
        hold(kKeyRight);
        runFrame();
        release(kKeyRight);
        runFrames(3);
        ASSERT_EQ(world.started, 1);
    }
    // A game on a scene with a wall close to the start, played into the first death.
    void dieOnce(int wallColumn = 8) {
        writeScene("wall.qsn", wallScene(wallColumn));
        startGame();
        ASSERT_GT(playUntil(&lifeLostScreen, Stone, 500), 0);
    }
    bool queueEmpty() const { return keyboard.readIndex == keyboard.writeIndex; }
};

// ---- the start ----

TEST_F(PlayKeys, TheFirstWormWaitsForAnArrowKey) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    press(kKeyTab);  // not an arrow
    runFrames(30);
    EXPECT_EQ(world.started, 0);
    EXPECT_EQ(world.segX[0], 200);
    EXPECT_EQ(world.segY[0], 150);
}

// Two arrows held at once: the start takes the first of Up, Right, Down, Left, and the steering
// of the same frame then refuses the other one, queued first, as a reversal.
TEST_F(PlayKeys, TwoArrowsAtOnceStartInTheFirstOfUpRightDownLeft) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    hold(kKeyDown);
    hold(kKeyUp);
    runFrame();
    EXPECT_EQ(world.started, 1);
    EXPECT_EQ(world.segDir[0], Up);
}

TEST_F(PlayKeys, RightWinsOverLeft) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    hold(kKeyLeft);
    hold(kKeyRight);
    runFrame();
    EXPECT_EQ(world.segDir[0], Right);
    EXPECT_LT(world.segY[0], 0 + 151) << "moving along the row";
    EXPECT_GT(world.segX[0], 200);
}

// ---- pause ----

TEST_F(PlayKeys, SpacePausesAndNothingMovesUntilSpaceAgain) {
    startCrawling();
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    ASSERT_EQ(shell.currentScreen, &pauseScreen);
    runFrame();
    const int x = world.segX[0];
    const std::uint64_t paused = frameHash();
    runFrames(40);
    EXPECT_EQ(world.segX[0], x);
    EXPECT_EQ(frameHash(), paused) << "the paused frame stays as it is";
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    EXPECT_EQ(shell.currentScreen, &playScreen);
    runFrames(2);
    EXPECT_NE(world.segX[0], x);
}

TEST_F(PlayKeys, GamePausedIsWhiteWithABlackShadowBelow) {
    startCrawling();
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    runFrame();
    // Where the text is, white; one pixel below where the text is not, black.
    FrameBuffer* const saved = drawContext.target;
    drawContext.target = dibBuffer;
    clearFrameBuffer(dibBuffer);
    resetClipRect();
    drawContext.drawColour = 0xFFFFFF;
    drawText(167, 150, "GAME PAUSED");
    drawContext.target = saved;
    int white = 0;
    for (int y = 150; y < 158; ++y) {
        for (int x = 167; x < 167 + 66; ++x) {
            if (dibBuffer->pixels[y * kFrameWidth + x] == 0) continue;
            ++white;
            EXPECT_EQ(pixelAt(x, y), 0xFFFFFFu) << x << "," << y;
            if (dibBuffer->pixels[(y + 1) * kFrameWidth + x] == 0) {
                EXPECT_EQ(pixelAt(x, y + 1), 0u) << x << "," << y + 1;
            }
        }
    }
    EXPECT_GT(white, 50);
}

TEST_F(PlayKeys, PressesQueuedAheadOfSpaceAreDroppedWhilePaused) {
    startCrawling();
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    ASSERT_EQ(shell.currentScreen, &pauseScreen);
    const std::uint8_t direction = world.segDir[0];
    press(kKeyDown);
    press(kKeyUp);
    hold(kKeySpace);
    runFrame();
    EXPECT_EQ(shell.currentScreen, &pauseScreen) << "Down taken and dropped";
    runFrame();
    EXPECT_EQ(shell.currentScreen, &pauseScreen) << "Up taken and dropped";
    runFrame();
    EXPECT_EQ(shell.currentScreen, &playScreen) << "then the Space press itself";
    release(kKeySpace);
    EXPECT_TRUE(queueEmpty());
    runFrames(10);
    EXPECT_EQ(world.segDir[0], direction) << "the dropped arrows never steer";
}

TEST_F(PlayKeys, ASpaceTapShorterThanTheQueueAheadLeavesTheGamePaused) {
    startCrawling();
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    press(kKeyDown);
    press(kKeyUp);
    hold(kKeySpace);
    runFrame();  // takes Down
    release(kKeySpace);
    runFrames(20);
    EXPECT_EQ(shell.currentScreen, &pauseScreen);
    EXPECT_FALSE(queueEmpty()) << "Up and Space wait in the queue";
    hold(kKeySpace);
    runFrame();  // takes Up
    EXPECT_EQ(shell.currentScreen, &pauseScreen);
    runFrame();  // takes the first Space
    EXPECT_EQ(shell.currentScreen, &playScreen);
}

TEST_F(PlayKeys, ASpaceTapBetweenTwoFramesDoesNotPause) {
    startCrawling();
    press(kKeySpace);  // pressed and let go before the frame: never seen held
    runFrame();
    EXPECT_EQ(shell.currentScreen, &playScreen);
}

TEST_F(PlayKeys, PauseAndResumePlayTheConfirmSound) {
    startCrawling();
    takeSoundCalls();
    hold(kKeySpace);
    runFrame();
    release(kKeySpace);
    int starts = 0;
    for (const SoundCall& call : takeSoundCalls()) {
        starts += call.id == 99 && call.op == SoundOp::Play;
    }
    EXPECT_EQ(starts, 1);
}

// ---- a lost life ----

TEST_F(PlayKeys, EnterCutsTheDeathAnimationShort) {
    dieOnce();
    runFrames(3);
    hold(kKeyEnter);
    runFrame();
    release(kKeyEnter);
    EXPECT_EQ(shell.currentScreen, &playScreen);
    EXPECT_EQ(world.lives, 1);
    EXPECT_EQ(world.started, 0);
    EXPECT_EQ(playScreens.loopVolume, -10000);
}

TEST_F(PlayKeys, KeypadEnterCutsItShortToo) {
    dieOnce();
    hold(kKeyPadEnter);
    runFrame();
    EXPECT_EQ(shell.currentScreen, &playScreen);
}

TEST_F(PlayKeys, AltEnterDoesNotCutTheDeathAnimationShort) {
    dieOnce();
    hold(kKeyLeftAlt);
    hold(kKeyEnter);
    const int fade = screens.endFade;
    runFrame();
    EXPECT_EQ(shell.currentScreen, &lifeLostScreen);
    EXPECT_EQ(screens.endFade, fade - 8);
    release(kKeyEnter);
    release(kKeyLeftAlt);
}

TEST_F(PlayKeys, AOneSegmentWormLiesDeadForTheFull125Frames) {
    writeScene("wall.qsn", wallScene(6));
    startGame();
    hold(kKeyRight);
    world.pendingGrowth = 0;  // the worm stays one segment long
    runFrame();
    release(kKeyRight);
    ASSERT_GT(runUntil(&lifeLostScreen, 20), 0);
    ASSERT_EQ(world.length, 1);
    EXPECT_EQ(runUntil(&playScreen, 200), 126) << "125 frames of the dead worm, then the next";
}

TEST_F(PlayKeys, TheNextWormStartsTheLoopSoundAfresh) {
    dieOnce();
    takeSoundCalls();
    ASSERT_GT(runUntil(&playScreen, 130), 0);
    const std::vector<SoundCall> calls = takeSoundCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], (SoundCall{SoundOp::SetVolume, 0, -10000}));
    EXPECT_EQ(calls.back(), (SoundCall{SoundOp::Play, 0, 1}));
}

}  // namespace
}  // namespace play_test

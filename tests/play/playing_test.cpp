// A game in progress. Its keys: the first arrow that sets the worm off, Space pausing and
// resuming with the presses queued ahead of it dropped, Enter cutting the death animation short
// while Alt+Enter does not, and the lost life's limit of 125 frames. Its sound: the looping play
// sound swelling in and following the worm, the ambient sounds of the day, everything stopped at
// the end, and a game with sound off that touches no slot at all while every screen, fade and
// timer runs exactly as with sound on.
#include <algorithm>
#include <vector>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/platform/headless/headless.h"
#include "game/screens/play_screens.h"
#include "game/screens/screens.h"
#include "game/world/world.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

class PlayKeys : public GameTest {
protected:
    // A game on the bean row, the worm already crawling for a few frames.
    void startCrawling() {
        writeScene("beans.qsn", beanRowScene());
        startGame();
        tap(kKeyRight);
        runFrames(3);
        ASSERT_EQ(world.started, 1);
    }
    // A game on a scene with a wall close to the start, played into the first death.
    void dieOnce() {
        writeScene("wall.qsn", wallScene(8));
        startGame();
        ASSERT_GT(playUntil(&lifeLostScreen, Stone, 500), 0);
    }
    bool queueEmpty() const { return keyboard.readIndex == keyboard.writeIndex; }
};

// ---- the start ----

// Two arrows held at once: the start takes the first of Up, Right, Down, Left, and the steering
// of the same frame then refuses the other one, queued first, as a reversal.
TEST_F(PlayKeys, TheFirstWormWaitsForAnArrowAndTakesTheFirstOfUpRightDownLeft) {
    const std::uint8_t cases[][3] = {{kKeyDown, kKeyUp, Up}, {kKeyLeft, kKeyRight, Right}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c[2]));
        TearDown();
        SetUp();
        writeScene("beans.qsn", beanRowScene());
        startGame();
        press(kKeyTab);  // not an arrow
        runFrames(30);
        EXPECT_EQ(world.started, 0);
        EXPECT_EQ(world.segX[0], 200);
        EXPECT_EQ(world.segY[0], 150);
        hold(c[0]);
        hold(c[1]);
        runFrame();
        EXPECT_EQ(world.started, 1);
        EXPECT_EQ(world.segDir[0], c[2]);
    }
}

// ---- pause ----

TEST_F(PlayKeys, SpacePausesWithTheConfirmSoundAndNothingMovesUntilSpaceAgain) {
    startCrawling();
    takeSoundCalls();
    tap(kKeySpace);
    ASSERT_EQ(shell.currentScreen, &pauseScreen);
    const std::vector<SoundCall> calls = takeSoundCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), SoundCall{SoundOp::Play, 99, 0}), 1);
    runFrame();
    const int x = world.segX[0];
    const std::uint64_t paused = frameHash();
    runFrames(40);
    EXPECT_EQ(world.segX[0], x);
    EXPECT_EQ(frameHash(), paused) << "the paused frame stays as it is";
    tap(kKeySpace);
    EXPECT_EQ(shell.currentScreen, &playScreen);
    runFrames(2);
    EXPECT_NE(world.segX[0], x);
}

TEST_F(PlayKeys, GamePausedIsWhiteWithABlackShadowBelow) {
    startCrawling();
    tap(kKeySpace);
    runFrame();
    // Where the text is, white; one pixel below where the text is not, black.
    const std::vector<bool> mask =
        textMask(167, 150, {0, 0, kFrameWidth - 1, kFrameHeight - 1}, "GAME PAUSED");
    int white = 0;
    for (int y = 150; y < 158; ++y) {
        for (int x = 167; x < 167 + 66; ++x) {
            if (!mask[y * kFrameWidth + x]) continue;
            ++white;
            EXPECT_EQ(pixelAt(x, y), 0xFFFFFFu) << x << "," << y;
            EXPECT_TRUE(mask[(y + 1) * kFrameWidth + x] || pixelAt(x, y + 1) == 0u) << x << "," << y + 1;
        }
    }
    EXPECT_GT(white, 50);
}

TEST_F(PlayKeys, PressesQueuedAheadOfSpaceAreDroppedWhilePaused) {
    startCrawling();
    tap(kKeySpace);
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
    tap(kKeySpace);
    press(kKeyDown);
    press(kKeyUp);
    tap(kKeySpace);  // takes Down
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
    step(kKeySpace);  // pressed and let go before the frame: never seen held
    EXPECT_EQ(shell.currentScreen, &playScreen);
}

// ---- a lost life ----

TEST_F(PlayKeys, EitherEnterCutsTheDeathAnimationShort) {
    for (std::uint8_t enter : {kKeyEnter, kKeyPadEnter}) {
        SCOPED_TRACE(int(enter));
        TearDown();
        SetUp();
        dieOnce();
        runFrames(3);
        tap(enter);
        EXPECT_EQ(shell.currentScreen, &playScreen);
        EXPECT_EQ(world.lives, 1);
        EXPECT_EQ(world.started, 0);
        EXPECT_EQ(playScreens.loopVolume, -10000);
    }
}

TEST_F(PlayKeys, AltEnterDoesNotCutTheDeathAnimationShort) {
    dieOnce();
    hold(kKeyLeftAlt);
    hold(kKeyEnter);
    const int fade = world.endFade;
    runFrame();
    EXPECT_EQ(shell.currentScreen, &lifeLostScreen);
    EXPECT_EQ(world.endFade, fade - 8);
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

// ---- sound ----

class PlaySound : public GameTest {};

std::vector<std::int32_t> valuesOf(const std::vector<SoundCall>& calls, SoundOp op, int id) {
    std::vector<std::int32_t> values;
    for (const SoundCall& call : calls) {
        if (call.op == op && call.id == id) values.push_back(call.value);
    }
    return values;
}

TEST_F(PlaySound, TheLoopStartsSilentAndSwellsInOverTwentyFrames) {
    writeScene("beans.qsn", beanRowScene());
    shell.currentScreen = &sceneSelectScreen;
    step(kKeyEnter);
    press(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    takeSoundCalls();
    runFrame();  // the game's start
    EXPECT_EQ(takeSoundCalls(), (std::vector<SoundCall>{{SoundOp::SetVolume, SoundLoop, -10000},
                                                        {SoundOp::Play, SoundLoop, 1}}));
    runFrames(30);
    std::vector<std::int32_t> expected;
    for (std::int32_t volume = -9500; volume <= 1000; volume += 500) expected.push_back(volume);
    const std::vector<SoundCall> calls = takeSoundCalls();
    EXPECT_EQ(valuesOf(calls, SoundOp::SetVolume, SoundLoop), expected);
    EXPECT_EQ(headless.slots[SoundLoop].volume, 0) << "the values above 0 are refused";
    EXPECT_EQ(valuesOf(calls, SoundOp::SetPan, SoundLoop).size(), 30u) << "one pan a frame";
}

TEST_F(PlaySound, TheLoopFollowsTheSegmentBehindTheHead) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    hold(kKeyRight);
    runFrames(12);
    takeSoundCalls();
    const std::int32_t x = world.segX[1];
    runFrame();
    const std::vector<std::int32_t> pans = valuesOf(takeSoundCalls(), SoundOp::SetPan, SoundLoop);
    ASSERT_EQ(pans.size(), 1u);
    EXPECT_EQ(pans[0], 5 * x - 1000) << "panned before the worm steps";
}

TEST_F(PlaySound, AmbientSoundsPlayByDayAndNeverAtNight) {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    world.length = 25;  // a long worm livens the surroundings up: 400 in 32768 a frame
    world.pendingGrowth = 0;
    int ambientByDay = 0;
    for (int frame = 0; frame < 400; ++frame) {
        runFrame();
        for (const SoundCall& call : takeSoundCalls()) {
            ambientByDay +=
                call.op == SoundOp::Play && call.id >= SoundAmbientFirst && call.id <= SoundAmbientLast;
        }
    }
    EXPECT_GT(ambientByDay, 0);
    world.dayClock = 2700;  // the dead of night
    runFrames(200);
    ASSERT_LE(light.brightness, 200);
    takeSoundCalls();
    int ambientByNight = 0;
    for (int frame = 0; frame < 400 && light.brightness <= 200; ++frame) {
        runFrame();
        for (const SoundCall& call : takeSoundCalls()) {
            ambientByNight += call.id >= SoundAmbientFirst && call.id <= SoundAmbientLast;
        }
    }
    EXPECT_EQ(ambientByNight, 0);
}

// The generator's state after a day of a long waiting worm; the ambient sounds draw their pan
// and volume only when they will really play.
std::uint32_t randomStateAfterADay() {
    writeScene("beans.qsn", beanRowScene());
    startGame();
    world.length = 25;
    runFrames(600);
    return randomState.state;
}

TEST_F(PlaySound, AmbientPanAndVolumeAreDrawnOnlyForASoundThatPlays) {
    const std::uint32_t withAmbience = randomStateAfterADay();
    TearDown();
    SetUp();
    shell.soundMuted = 1;
    const std::uint32_t muted = randomStateAfterADay();
    TearDown();
    SetUp();
    for (int id = SoundAmbientFirst; id <= SoundAmbientLast; ++id) headless.slots[id].loaded = false;
    const std::uint32_t withoutAmbientSounds = randomStateAfterADay();
    EXPECT_EQ(muted, withoutAmbientSounds);
    EXPECT_NE(muted, withAmbience);
}

// What a player could time in a game: the screen of every frame, the light, the closing fade
// and the state of the worm.
struct FrameTrace {
    Screen screen;
    std::int32_t brightness, endFade, started, lives, length, x, y;
    std::uint32_t score;
    bool operator==(const FrameTrace&) const = default;
};

std::vector<FrameTrace> playLostGame() {
    std::vector<FrameTrace> trace;
    startGame();
    for (int frame = 0; frame < 3000 && shell.currentScreen != &mainMenuScreen; ++frame) {
        autopilot(Stone);
        runFrame();
        trace.push_back({shell.currentScreen, light.brightness, world.endFade, world.started, world.lives,
                         world.length, world.segX[0], world.segY[0], world.score});
    }
    return trace;
}

TEST_F(PlaySound, SoundOffTouchesNoSlotAndChangesNoTiming) {
    Scene scene = wallScene(12);
    scene.grid[sceneCellIndex(8, 15)] = GreenBean;
    writeScene("wall.qsn", scene);
    const std::vector<FrameTrace> withSound = playLostGame();
    ASSERT_EQ(withSound.back().screen, &mainMenuScreen);
    EXPECT_FALSE(takeSoundCalls().empty());

    TearDown();
    SetUp();
    writeScene("wall.qsn", scene);
    shell.soundMuted = 1;
    takeSoundCalls();
    const std::vector<FrameTrace> silent = playLostGame();
    EXPECT_TRUE(takeSoundCalls().empty()) << "no slot is touched with sound off";
    EXPECT_EQ(silent, withSound);
}

}  // namespace
}  // namespace play_test

// The sound of a game: the looping play sound swelling in and following the worm, the ambient
// sounds of the day, everything stopped at the end, and a game with sound off that touches no
// slot at all while every screen, fade and timer runs exactly as with sound on.
#include <vector>

#include "game/platform/headless.h"
#include "game/screens/assets.h"
#include "game/screens/play_screens.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/shell/random.h"
#include "game/shell/sound.h"
#include "game/world/world.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

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
    press(kKeyEnter);
    runFrame();
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
            ambientByDay += call.op == SoundOp::Play && call.id >= SoundAmbientFirst &&
                            call.id <= SoundAmbientLast;
        }
    }
    EXPECT_GT(ambientByDay, 0);
    world.dayClock = 2700;  // the dead of night
    runFrames(200);
    ASSERT_LE(screens.brightness, 200);
    takeSoundCalls();
    int ambientByNight = 0;
    for (int frame = 0; frame < 400 && screens.brightness <= 200; ++frame) {
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
        trace.push_back({shell.currentScreen, screens.brightness, screens.endFade, world.started,
                         world.lives, world.length, world.segX[0], world.segY[0], world.score});
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

// Sound: the guards of every operation, and the mixer's sums on buffers. The mixer's volume,
// pan, loop and stop rules are checked on the sound that reaches SDL's disk audio driver
// (sdl_audio_test.cpp), the WAVE reader on the fuzz target's seeds (odd and damaged files).
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/game/game_test_support.h"

namespace {

class SoundGuards : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeDat();
        initSound();
        ASSERT_EQ(loadSound(2, "DAT/eat.wav"), 1);
    }
};

TEST_F(SoundGuards, EveryOperationOfAnEmptySlotDoesNothing) {
    soundPlay(3, 1);
    soundStop(3);
    soundRewind(3);
    soundSetPan(3, 500);
    soundSetVolume(3, -500);
    playSoundFromStart(3);
    soundPlay(-1, 0);
    soundPlay(256, 0);
    EXPECT_TRUE(headless.soundCalls.empty());
}

TEST_F(SoundGuards, MutedSoundSkipsEveryOperation) {
    options.soundMuted = 1;
    playSoundPanned(2, 100);
    soundSetVolume(2, -100);
    EXPECT_TRUE(headless.soundCalls.empty());
    // A looped sound that was never started stays silent after unmuting until it is started.
    soundPlay(2, 1);
    options.soundMuted = 0;
    EXPECT_FALSE(headless.slots[2].playing);
}

TEST_F(SoundGuards, OneShotsStopRewindAndPlayWithThePanSetBeforeTheRewind) {
    playSoundFromStart(2);
    playSoundPanned(2, -2500);
    const std::vector<SoundCall> expected = {
        {SoundOp::Stop, 2, 0},       {SoundOp::Rewind, 2, 0}, {SoundOp::Play, 2, 0}, {SoundOp::Stop, 2, 0},
        {SoundOp::SetPan, 2, -2500}, {SoundOp::Rewind, 2, 0}, {SoundOp::Play, 2, 0}};
    EXPECT_EQ(headless.soundCalls, expected);
}

TEST_F(SoundGuards, UnplayableOrMissingFilesLeaveTheSlotEmptyAndLoadingReplaces) {
    writeBytes("DAT/adpcm.wav", makeWave(2, 1, 22050, 4, 100, {1, 2}));
    writeBytes("DAT/pcm24.wav", makeWave(1, 2, 22050, 24, 100));
    for (const char* path : {"DAT/adpcm.wav", "DAT/pcm24.wav", "DAT/none.wav"})
        EXPECT_EQ(loadSound(5, path), 0);
    EXPECT_FALSE(soundIsLoaded(5));
    writeBytes("DAT/long.wav", makeWave(1, 1, 11025, 8, 5000));
    ASSERT_EQ(loadSound(2, "DAT/long.wav"), 1);
    EXPECT_EQ(headless.slots[2].frames, 5000u);
}

// ---- the mixer ------------------------------------------------------------------------------

class Mixer : public ::testing::Test {
protected:
    void SetUp() override { mixerUnloadAll(); }
    void TearDown() override { mixerUnloadAll(); }
    // A sound of `frames` frames whose left and right samples are both `value`.
    static void loadConstant(int id, std::uint32_t frames, std::int16_t value) {
        mixerLoad(id, std::vector<std::int16_t>(2 * frames, value));
    }
    std::vector<std::int16_t> mix(int frames) {
        std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames), 0x5555);
        mixAudio(out.data(), frames);
        return out;
    }
};

TEST_F(Mixer, DifferentSlotsSumAndSaturate) {
    loadConstant(1, 4, 30000);
    loadConstant(2, 4, 30000);
    loadConstant(3, 4, -30000);
    mixerPlay(1, false);
    mixerPlay(2, false);
    EXPECT_EQ(mix(1)[0], 32767);
    mixerStop(1);
    mixerStop(2);
    loadConstant(4, 4, -30000);
    mixerPlay(3, false);
    mixerPlay(4, false);
    EXPECT_EQ(mix(1)[1], -32768);
}

// The player's volume: the square law in steps of ten, on top of the rules' volume and pan, and
// kept when the slot is loaded again.
TEST_F(Mixer, ThePlayersVolumeScalesAfterTheRulesAndOutlastsLoading) {
    const std::pair<int, std::int32_t> law[] = {{-5, 0},     {0, 0},       {10, 327},   {50, 8192},
                                                {70, 16056}, {100, 32768}, {120, 32768}};
    for (auto [percent, gain] : law) EXPECT_EQ(playerVolumeGain(percent), gain) << percent;
    mixerSetPlayerVolume(5, 50);
    loadConstant(5, 4, 16000);
    mixerSetPan(5, 600);  // the left channel 6 dB down by the rules
    mixerPlay(5, true);
    EXPECT_EQ(mix(1)[0], 2004);  // 16000 x 0.501 x 0.25
    EXPECT_EQ(mix(1)[1], 4000);
    mixerSetPlayerVolume(5, 0);
    EXPECT_EQ(mix(1)[1], 0);
}

}  // namespace

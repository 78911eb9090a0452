// Sound: the guards of every operation, the RIFF WAVE reader on valid and broken files, and
// the mixer's instance, volume, pan, loop and stop rules on buffers.
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

// ---- the WAVE reader ------------------------------------------------------------------------

TEST(WaveReader, ReadsPcmFormatAndSamples) {
    const std::vector<std::uint8_t> file = makeWave(1, 2, 22050, 16, 10);
    WaveSound wave;
    ASSERT_EQ(readWave(file.data(), file.size(), &wave), kWaveOk);
    EXPECT_EQ(wave.format.channels, 2);
    EXPECT_EQ(wave.format.samplesPerSec, 22050u);
    EXPECT_EQ(wave.format.bitsPerSample, 16);
    EXPECT_EQ(wave.format.extraSize, 0);
    ASSERT_EQ(wave.formatBytes.size(), 18u);
    EXPECT_EQ(std::memcmp(wave.formatBytes.data(), file.data() + 20, 16), 0);
    ASSERT_EQ(wave.samples.size(), 40u);
    EXPECT_EQ(std::memcmp(wave.samples.data(), file.data() + file.size() - 40, 40), 0);
    EXPECT_TRUE(isPlayablePcm(wave.format));
}

TEST(WaveReader, SkipsOtherChunksAndFindsDataBeforeFormat) {
    // LIST chunk (odd size, padded), then data, then fmt: both are searched from the start.
    std::vector<std::uint8_t> file = makeWave(1, 1, 8000, 8, 4);
    const std::vector<std::uint8_t> fmt(file.begin() + 12, file.begin() + 36);
    const std::vector<std::uint8_t> data(file.begin() + 36, file.end());
    std::vector<std::uint8_t> shuffled(file.begin(), file.begin() + 12);
    const std::uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    shuffled.insert(shuffled.end(), std::begin(list), std::end(list));
    shuffled.insert(shuffled.end(), data.begin(), data.end());
    shuffled.insert(shuffled.end(), fmt.begin(), fmt.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(shuffled.size() - 8);
    std::memcpy(shuffled.data() + 4, &riff, 4);
    WaveSound wave;
    ASSERT_EQ(readWave(shuffled.data(), shuffled.size(), &wave), kWaveOk);
    EXPECT_EQ(wave.samples.size(), 4u);
    EXPECT_EQ(wave.format.samplesPerSec, 8000u);
}

TEST(WaveReader, RejectsBrokenFiles) {
    const std::vector<std::uint8_t> good = makeWave(1, 1, 8000, 8, 16);
    std::vector<std::uint8_t> hugeExtra = makeWave(0x11, 1, 22050, 4, 0, {1, 2});
    hugeExtra[36] = 200;  // the extra byte count, far beyond the file
    std::vector<std::uint8_t> shortFormat(good.begin(), good.begin() + 34);  // a 14-byte fmt chunk
    shortFormat[16] = 14;
    shortFormat.insert(shortFormat.end(), good.begin() + 36, good.end());
    struct Case {
        std::vector<std::uint8_t> bytes;
        int result;
    } cases[] = {
        {good, kWaveOk},
        {{}, kWaveNotWave},
        {std::vector<std::uint8_t>(good.begin(), good.begin() + 30), kWaveShortRead},
        {std::vector<std::uint8_t>(good.begin(), good.end() - 1), kWaveCorrupt},
        {hugeExtra, kWaveNotWave},
        {shortFormat, kWaveNotWave},
    };
    for (auto [at, value] :
         {std::pair{0, 'X'}, {8, 'A'}, {16, 14}, {36, 'x'}}) {  // RIFF, WAVE, fmt size, data
        cases[0].bytes[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
        WaveSound wave;
        EXPECT_EQ(readWave(cases[0].bytes.data(), cases[0].bytes.size(), &wave), kWaveNotWave) << at;
        cases[0].bytes = good;
    }
    for (const Case& c : cases) {
        WaveSound wave;
        EXPECT_EQ(readWave(c.bytes.data(), c.bytes.size(), &wave), c.result) << c.bytes.size();
    }
    WaveSound wave;
    EXPECT_EQ(readWaveFile("/nonexistent/file.wav", &wave), kWaveCannotOpen);
    EXPECT_TRUE(wave.samples.empty());
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

TEST_F(Mixer, StopKeepsThePositionAndARestartNeverOverlaps) {
    mixerLoad(1, {1, 1, 2, 2, 3, 3, 4, 4});
    mixerPlay(1, false);
    mix(1);
    mixerStop(1);
    EXPECT_EQ(mix(2), (std::vector<std::int16_t>{0, 0, 0, 0}));
    mixerPlay(1, false);
    EXPECT_EQ(mix(2), (std::vector<std::int16_t>{2, 2, 3, 3}));
    mixerStop(1);
    mixerRewind(1);
    mixerPlay(1, false);
    EXPECT_EQ(mix(4), (std::vector<std::int16_t>{1, 1, 2, 2, 3, 3, 4, 4}));
}

TEST_F(Mixer, AOneShotEndsAndALoopWraps) {
    mixerLoad(1, {10, 10, 20, 20});
    mixerLoad(2, {1, 1, 2, 2, 3, 3});
    mixerPlay(1, false);
    mixerPlay(2, true);
    EXPECT_EQ(mix(5), (std::vector<std::int16_t>{11, 11, 22, 22, 3, 3, 1, 1, 2, 2}));
    EXPECT_FALSE(mixer.slots[1].playing);
    EXPECT_TRUE(mixer.slots[2].playing);
    EXPECT_EQ(mix(2), (std::vector<std::int16_t>{3, 3, 1, 1}));  // on from where it stopped
}

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

TEST_F(Mixer, VolumeIsAnAttenuationInHundredthsOfADecibel) {
    EXPECT_EQ(attenuationGain(0), kUnityGain);
    EXPECT_EQ(attenuationGain(-10000), 0);
    EXPECT_NEAR(attenuationGain(-600), kUnityGain * 0.501, 40);  // -6 dB: about half
    EXPECT_NEAR(attenuationGain(-2000), kUnityGain * 0.1, 5);    // -20 dB: a tenth
    loadConstant(1, 4, 10000);
    mixerSetVolume(1, -2000);
    mixerPlay(1, false);
    EXPECT_NEAR(mix(1)[0], 1000, 2);
}

TEST_F(Mixer, VolumesOutsideTheRangeAndEmptySlotsAreIgnored) {
    loadConstant(1, 4, 1000);
    mixerSetVolume(1, -600);
    mixerSetVolume(1, 500);
    mixerSetVolume(1, -10001);
    EXPECT_EQ(mixer.slots[1].volume, -600);
    mixerPlay(9, true);
    mixerSetVolume(9, -100);
    EXPECT_FALSE(mixer.slots[9].playing);
}

TEST_F(Mixer, PanAttenuatesTheOtherSide) {
    loadConstant(1, 8, 10000);
    mixerSetPan(1, 2000);  // right: the left side loses 20 dB
    mixerPlay(1, false);
    std::vector<std::int16_t> out = mix(1);
    EXPECT_NEAR(out[0], 1000, 2);
    EXPECT_EQ(out[1], 10000);
    mixerSetPan(1, -10000);  // hard left: the right side is silent
    out = mix(1);
    EXPECT_EQ(out[0], 10000);
    EXPECT_EQ(out[1], 0);
}

}  // namespace

// Sound: the guards of every operation, and the mixer's sums on buffers. The mixer's volume,
// pan, loop and stop rules are checked on the sound that reaches SDL's disk audio driver
// (sdl_audio_test.cpp); the WAVE reader on files built chunk by chunk (and on the fuzz
// target's seeds).
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

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

// The WAVE reader on files built chunk by chunk: each row a file and what comes of it (the
// result, the channels, the format record's length, the samples), then whether the mixer plays
// such a format.
TEST(Wave, ChunksAreWalkedAndEverySizeCheckedAgainstTheFile) {
    const auto le = [](std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> 8 * i & 0xFF);
        return out;
    };
    const auto chunk = [&](const char* id, const std::string& body, std::uint32_t size = ~0u) {
        return id + le(size == ~0u ? static_cast<std::uint32_t>(body.size()) : size, 4) + body;
    };
    const auto fmt = [&](int tag, int channels, std::string extra = "") {
        return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(22050, 4) + le(88200, 4) +
                                 le(2 * channels, 2) + le(16, 2) + extra);
    };
    const auto riff = [&](const std::string& body, std::uint32_t size = ~0u) {
        return "RIFF" + le(size == ~0u ? static_cast<std::uint32_t>(body.size() + 4) : size, 4) + "WAVE" +
               body;
    };
    const std::string pcm = fmt(1, 2), samples = chunk("data", "abcd");
    const std::tuple<std::string, int, int, std::size_t, std::string> rows[] = {
        {riff(pcm + samples), kWaveOk, 2, 18, "abcd"},
        {riff(chunk("LIST", "odd") + '\0' + samples + fmt(1, 1)), kWaveOk, 1, 18,
         "abcd"},                                                // padded, any order
        {riff(pcm + samples, 9999), kWaveOk, 2, 18, "abcd"},     // size cut to the file
        {riff(pcm + samples, 4 + 24), kWaveNotWave, 2, 18, ""},  // data outside RIFF
        {riff(fmt(2, 1, le(4, 2) + "wxyz") + samples), kWaveOk, 1, 22, "abcd"},
        {riff(fmt(2, 1, le(5, 2) + "wxyz")), kWaveNotWave, 1, 0, ""},  // extra bytes past the end
        {riff(fmt(2, 1)), kWaveShortRead, 1, 0, ""},
        {riff(chunk("fmt ", "0123456789abcde") + samples), kWaveNotWave, 0, 0, ""},
        {riff(chunk("fmt ", "0123", 16)), kWaveShortRead, 0, 0, ""},
        {riff(pcm), kWaveNotWave, 2, 18, ""},
        {riff(pcm + chunk("data", "abcd", 5)), kWaveCorrupt, 2, 18, ""},
        {riff(pcm + chunk("data", "ab", 0xFFFFFFFE) + samples), kWaveCorrupt, 2, 18, ""},
        {"RIFX" + riff(pcm + samples).substr(4), kWaveNotWave, 0, 0, ""},
        {riff("").substr(0, 11), kWaveNotWave, 0, 0, ""}};
    for (const auto& [file, result, channels, formatBytes, bytes] : rows) {
        WaveSound sound;
        const int read = readWave(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), &sound);
        EXPECT_EQ(std::tuple(read, sound.format.channels, sound.formatBytes.size(),
                             std::string(sound.samples.begin(), sound.samples.end())),
                  std::tuple(result, channels, formatBytes, bytes))
            << testing::PrintToString(file);
    }
    // clang-format off
    const std::pair<WaveFormat, bool> formats[] = {
        {{1, 1, 1000, 1000, 1, 8, 0}, true}, {{1, 2, 192000, 768000, 4, 16, 0}, true}, {{2, 1, 11025, 11025, 1, 8, 0}, false},
        {{1, 3, 11025, 33075, 3, 8, 0}, false}, {{1, 1, 11025, 11025, 1, 12, 0}, false}, {{1, 1, 999, 999, 1, 8, 0}, false},
        {{1, 1, 192001, 192001, 1, 8, 0}, false}, {{1, 2, 11025, 22050, 4, 8, 0}, false}};
    // clang-format on
    for (auto [format, playable] : formats)
        EXPECT_EQ(isPlayablePcm(format), playable) << format.formatTag << " " << format.samplesPerSec;
}

}  // namespace

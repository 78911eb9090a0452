// The SDL2 sound layer on SDL's disk audio driver, which writes every buffer the mixer fills to
// a file: one script of slot changes made while SDL's audio thread mixes, and the sound that
// reached the device read back as runs of sound between silences. Each run is the sound as the
// mixer's rules say: the volume and pan law, an 8-bit mono sound converted to the device rate,
// a loop that repeats until stopped, a stop that keeps the place and a rewind that drops it.
#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "game/common/platform.h"
#include "game/platform/sdl/sdl_state.h"

namespace {

using Frames = std::vector<std::int16_t>;  // interleaved left, right

// A PCM WAVE file of `samples` (interleaved when stereo; 8-bit samples are written unsigned).
void writeWave(const std::string& path, int channels, int rate, int bits, const std::vector<int>& samples) {
    std::string data;
    for (int s : samples) {
        data += static_cast<char>(s);
        if (bits == 16) data += static_cast<char>(s >> 8);
    }
    const auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const int block = channels * bits / 8;
    std::string file = "RIFF" + u32(36 + static_cast<std::uint32_t>(data.size())) + "WAVEfmt " + u32(16) +
                       u32(1 | channels << 16) + u32(static_cast<std::uint32_t>(rate)) +
                       u32(static_cast<std::uint32_t>(rate * block)) +
                       u32(static_cast<std::uint32_t>(block | bits << 16)) + "data" +
                       u32(static_cast<std::uint32_t>(data.size())) + data;
    std::ofstream(path, std::ios::binary) << file;
}

// The sound that reached the file, cut into the stretches between silent frames.
std::vector<Frames> soundRuns(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    Frames all(bytes.size() / 4 * 2);
    std::memcpy(all.data(), bytes.data(), all.size() * 2);
    std::vector<Frames> runs;
    bool silent = true;
    for (std::size_t i = 0; i < all.size(); i += 2) {
        const bool quiet = all[i] == 0 && all[i + 1] == 0;
        if (!quiet && silent) runs.emplace_back();
        if (!quiet) runs.back().insert(runs.back().end(), {all[i], all[i + 1]});
        silent = quiet;
    }
    return runs;
}

void wait(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The gain of an attenuation in hundredths of a decibel, by the law rather than by the mixer.
double gain(int hundredthsDb) {
    return std::pow(10.0, hundredthsDb / 2000.0);
}

TEST(DiskAudio, EachPlayedSoundArrivesMixedAsTheRulesSay) {
    char folder[] = "/tmp/mt_audioXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string base = folder, output = base + "/device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    constexpr int kFrames = 1000;  // a stereo sound at the device rate, never silent
    std::vector<int> tone;
    for (int i = 0; i < kFrames; ++i) tone.insert(tone.end(), {3000 + i * 53 % 9000, -2000 - i * 31 % 7000});
    writeWave(base + "/tone.wav", 2, 22050, 16, tone);
    writeWave(base + "/low.wav", 1, 11025, 8, std::vector<int>(500, 0xC0));  // half the rate, +0.5

    ASSERT_EQ(platformOpenAudio(), 1) << SDL_GetError();
    ASSERT_EQ(platformLoadSound(7, (base + "/tone.wav").c_str()), 1);
    ASSERT_EQ(platformLoadSound(8, (base + "/low.wav").c_str()), 1);
    EXPECT_TRUE(platformSoundLoaded(8) && !platformSoundLoaded(9));
    platformSound(SoundOp::SetVolume, 7, -600);
    platformSound(SoundOp::SetPan, 7, 1000);  // the left channel 10 dB down
    platformSound(SoundOp::Play, 7, 0);
    wait(150);
    platformSound(SoundOp::Play, 8, 0);
    wait(150);
    platformSound(SoundOp::SetVolume, 7, 0);
    platformSound(SoundOp::SetPan, 7, -10000);  // the right channel silent
    platformSound(SoundOp::Play, 7, 1);
    wait(250);
    platformSound(SoundOp::Stop, 7, 0);
    wait(100);
    platformSound(SoundOp::Rewind, 7, 0);
    platformSound(SoundOp::SetPan, 7, 0);
    platformSound(SoundOp::Play, 7, 0);
    wait(150);
    platformCloseAudio();

    const std::vector<Frames> runs = soundRuns(output);
    ASSERT_EQ(runs.size(), 4u);
    ASSERT_EQ(runs[0].size(), 2u * kFrames);
    for (int i = 0; i < 2 * kFrames; ++i)
        ASSERT_NEAR(runs[0][i], tone[i] * gain(i % 2 == 0 ? -1600 : -600), 1.5) << "frame " << i / 2;
    ASSERT_NEAR(runs[1].size(), 2u * 1000, 8);  // converted to twice the frames, both channels
    for (std::size_t i = 100; i + 100 < runs[1].size(); ++i) ASSERT_NEAR(runs[1][i], 16384, 200) << i;
    ASSERT_GT(runs[2].size(), 6u * kFrames);  // at least three times round
    for (std::size_t i = 0; i < runs[2].size(); i += 2) {
        ASSERT_EQ(runs[2][i], tone[i % (2 * kFrames)]) << "frame " << i / 2;
        ASSERT_EQ(runs[2][i + 1], 0) << "frame " << i / 2;
    }
    ASSERT_EQ(Frames(tone.begin(), tone.end()), runs[3]);
}

}  // namespace

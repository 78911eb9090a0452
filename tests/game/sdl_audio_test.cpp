// The SDL2 sound layer on SDL's disk audio driver, which writes every buffer the mixer fills to
// a file: one script of slot changes made while SDL's audio thread mixes (ThreadSanitizer runs
// it too), and the sound that reached the device read back as runs of sound between silences.
// Each run is the sound as the mixer's rules say: the volume and pan law, an 8-bit mono sound
// converted to the device rate, a loop that repeats until stopped, a stop that keeps the place
// and a rewind that drops it.
#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "game/common/platform.h"
#include "game/media/mixer.h"
#include "game/platform/sdl/sdl_state.h"

namespace {

using Frames = std::vector<std::int16_t>;  // interleaved left, right

// A PCM WAVE file of `samples` (interleaved when stereo; 8-bit samples are unsigned).
void writeWave(const std::string& path, int channels, int rate, int bits, const std::vector<int>& samples) {
    std::string file;
    const auto put = [&file](auto value, int bytes) {
        for (int i = 0; i < bytes; ++i) file += static_cast<char>(static_cast<std::uint32_t>(value) >> 8 * i);
    };
    const int block = channels * bits / 8, size = static_cast<int>(samples.size()) * bits / 8;
    file += "RIFF", put(36 + size, 4), file += "WAVEfmt ", put(16, 4), put(1, 2), put(channels, 2);
    put(rate, 4), put(rate * block, 4), put(block, 2), put(bits, 2), file += "data", put(size, 4);
    for (int sample : samples) put(sample, bits / 8);
    std::ofstream(path, std::ios::binary) << file;
}

// The sound that reached the file, cut into the stretches between silent frames.
std::vector<Frames> soundRuns(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<Frames> runs;
    bool silent = true;
    for (std::int16_t f[2]; in.read(reinterpret_cast<char*>(f), sizeof f);) {
        if ((f[0] != 0 || f[1] != 0) && silent) runs.emplace_back();
        if (f[0] != 0 || f[1] != 0) runs.back().insert(runs.back().end(), {f[0], f[1]});
        silent = f[0] == 0 && f[1] == 0;
    }
    return runs;
}

void wait(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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
    // with half a frame more at its end, which is left out
    tone.push_back(12345), writeWave(base + "/tone.wav", 2, 22050, 16, tone), tone.pop_back();
    writeWave(base + "/low.wav", 1, 11025, 8, std::vector<int>(500, 0xC0));  // half the rate, +0.5

    // Before the device is open nothing loads and nothing reaches the mixer (its player volume
    // outlasts loading, so a silenced tone below would show).
    mixerLoad(12, std::vector<std::int16_t>(4, 1));
    EXPECT_FALSE(platformLoadSound(8, (base + "/low.wav").c_str()) || platformSoundLoaded(12));
    platformSetPlayerVolume(7, 0), platformSound(SoundOp::SetVolume, 7, -10000);
    ASSERT_EQ(platformOpenAudio(), 1) << SDL_GetError();
    ASSERT_EQ(platformLoadSound(7, (base + "/tone.wav").c_str()), 1);
    ASSERT_EQ(platformLoadSound(8, (base + "/low.wav").c_str()), 1);
    EXPECT_TRUE(platformSoundLoaded(8) && !platformSoundLoaded(9));
    platformSound(SoundOp::SetVolume, 7, -600);
    platformSound(SoundOp::SetVolume, 7, 500);  // outside -10000..0: refused
    platformSound(SoundOp::SetVolume, 7, -10001);
    platformSound(SoundOp::Play, 10, 0);      // an empty slot: nothing
    platformSound(SoundOp::SetPan, 7, 1000);  // the left channel 10 dB down
    platformSound(SoundOp::Play, 7, 0);
    wait(150);
    platformSound(SoundOp::Play, 8, 0);
    wait(150);
    for (int i = 0; i < 400; ++i) {  // a loop, stopped and started again, while the slots change
        platformSound(SoundOp::SetVolume, 7, 0);
        platformSound(SoundOp::SetPan, 7, -10000);  // the right channel silent
        if (i % 20 == 0) platformLoadSound(9, (base + "/low.wav").c_str());
        if (i == 0 || i == 300) platformSound(SoundOp::Play, 7, 1);
        if (i == 200 || i == 399) platformSound(SoundOp::Stop, 7, 0);
        wait(1);
    }
    wait(100);
    platformSound(SoundOp::Rewind, 7, 0);
    platformSound(SoundOp::SetPan, 7, 0);
    platformSound(SoundOp::Play, 7, 0);
    wait(150);
    platformCloseAudio();

    // The tone at -16 dB left and -6 dB right (by the law, not by the mixer's numbers); the
    // other sound at twice its frames; the loop twice round at least, then on from where it
    // stopped; the tone again from its start.
    std::vector<Frames> runs = soundRuns(output);
    std::filesystem::remove_all(base);
    ASSERT_EQ(runs.size(), 5u);
    ASSERT_EQ(runs[0].size(), 2u * kFrames);
    for (int i = 0; i < 2 * kFrames; ++i)
        ASSERT_NEAR(runs[0][i], tone[i] * std::pow(10.0, (i % 2 ? -600 : -1600) / 2000.0), 1.5)
            << "frame " << i / 2;
    ASSERT_NEAR(runs[1].size(), 2u * 1000, 8);
    for (std::size_t i = 100; i + 100 < runs[1].size(); ++i) ASSERT_NEAR(runs[1][i], 16384, 200) << i;
    ASSERT_GT(runs[2].size(), 4u * kFrames);
    runs[2].insert(runs[2].end(), runs[3].begin(), runs[3].end());
    for (std::size_t i = 0; i < runs[2].size(); ++i)
        ASSERT_EQ(runs[2][i], i % 2 ? 0 : tone[i % (2 * kFrames)]) << "frame " << i / 2;
    EXPECT_EQ(Frames(tone.begin(), tone.end()), runs[4]);
}

}  // namespace

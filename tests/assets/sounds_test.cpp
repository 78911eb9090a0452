// The WAVE files: a strict RIFF header (PCM, mono, 22,050 Hz, 16-bit, nothing else in the
// file), the game's own WAVE reader accepts them, one-shots start and end at rest (no
// clicks), levels are normalised, the loops join without a seam, and the fourteen ambient
// sounds are all different.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/assets/asset_files.h"

#ifdef MT_HAVE_WAVE
#include "game/platform/wave.h"
#endif

namespace {

const std::vector<std::string> kEffects = {"drop", "eat", "freeze", "popo", "die", "thunder1",
                                           "thunder2", "accomplished", "fade", "laser", "warp",
                                           "speedup", "speedown", "lifeup", "start", "select"};
const std::vector<std::string> kLoops = {"loop", "rainloop", "beat"};

std::vector<std::string> ambient() {
    std::vector<std::string> names;
    for (int i = 1; i <= 14; ++i) names.push_back("env" + std::to_string(i));
    return names;
}

std::vector<std::string> allSounds() {
    std::vector<std::string> all = kEffects;
    all.insert(all.end(), kLoops.begin(), kLoops.end());
    for (const std::string& n : ambient()) all.push_back(n);
    return all;
}

std::string path(const std::string& name) { return distPath("DAT/" + name + ".wav"); }

// The samples of a file with the exact header we write; empty when the header is off.
std::vector<int> strictSamples(const std::string& name) {
    const std::vector<std::uint8_t> b = readFile(path(name));
    if (b.size() < 46) return {};
    const bool ok = std::equal(b.begin(), b.begin() + 4, "RIFF") && le32(b, 4) == b.size() - 8 &&
                    std::equal(b.begin() + 8, b.begin() + 16, "WAVEfmt ") && le32(b, 16) == 16 &&
                    le16(b, 20) == 1 && le16(b, 22) == 1 && le32(b, 24) == 22050 &&
                    le32(b, 28) == 44100 && le16(b, 32) == 2 && le16(b, 34) == 16 &&
                    std::equal(b.begin() + 36, b.begin() + 40, "data") && le32(b, 40) == b.size() - 44;
    if (!ok) return {};
    std::vector<int> samples;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2)
        samples.push_back(static_cast<std::int16_t>(le16(b, i)));
    return samples;
}

double rms(const std::vector<int>& s, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / count);
}

TEST(WaveFiles, EveryFileHasTheStrictPcmHeader) {
    for (const std::string& n : allSounds()) {
        const std::vector<int> s = strictSamples(n);
        EXPECT_GT(s.size(), 22050u / 50) << n;  // at least 20 ms of sound
        EXPECT_LT(s.size(), 22050u * 4) << n;
    }
}

#ifdef MT_HAVE_WAVE
TEST(WaveFiles, TheGamesReaderAcceptsThemAsPlayablePcm) {
    for (const std::string& n : allSounds()) {
        WaveSound sound;
        ASSERT_EQ(readWaveFile(path(n).c_str(), &sound), kWaveOk) << n;
        EXPECT_TRUE(isPlayablePcm(sound.format)) << n;
        EXPECT_EQ(sound.format.samplesPerSec, 22050u) << n;
        EXPECT_EQ(sound.samples.size(), strictSamples(n).size() * 2) << n;
    }
}
#endif

TEST(Levels, EverySoundIsNormalised) {
    for (const std::string& n : allSounds()) {
        const std::vector<int> s = strictSamples(n);
        ASSERT_FALSE(s.empty()) << n;
        int peak = 0;
        for (int v : s) peak = std::max(peak, std::abs(v));
        EXPECT_GE(peak, 32768 * 40 / 100) << n << " too quiet";
        EXPECT_LE(peak, 32768 * 85 / 100) << n << " too loud";
    }
}

TEST(Levels, NoSoundCarriesAnOffset) {
    for (const std::string& n : allSounds()) {
        const std::vector<int> s = strictSamples(n);
        ASSERT_FALSE(s.empty()) << n;
        double sum = 0;
        for (int v : s) sum += v;
        EXPECT_LT(std::fabs(sum / s.size()), 32768 * 0.01) << n;
    }
}

TEST(Levels, OneShotsStartAndEndAtRest) {
    std::vector<std::string> oneShots = kEffects;
    for (const std::string& n : ambient()) oneShots.push_back(n);
    for (const std::string& n : oneShots) {
        const std::vector<int> s = strictSamples(n);
        ASSERT_FALSE(s.empty()) << n;
        EXPECT_LT(std::abs(s.front()), 300) << n << " clicks at its start";
        EXPECT_LT(std::abs(s.back()), 300) << n << " clicks at its end";
    }
}

TEST(Loops, StartAndEndAtMatchingLevels) {
    for (const std::string& n : kLoops) {
        const std::vector<int> s = strictSamples(n);
        ASSERT_GT(s.size(), 22050u / 2) << n;
        const std::size_t window = 2205;  // 100 ms
        const double head = rms(s, 0, window), tail = rms(s, s.size() - window, window);
        if (head < 100 && tail < 100) continue;  // a loop that rests at both ends (the heartbeat)
        EXPECT_LT(head, tail * 2.0) << n;
        EXPECT_LT(tail, head * 2.0) << n;
    }
}

TEST(Loops, TheWrapStepIsNoLargerThanTheStepsInside) {
    for (const std::string& n : kLoops) {
        const std::vector<int> s = strictSamples(n);
        ASSERT_FALSE(s.empty()) << n;
        std::vector<int> steps;
        for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
        std::sort(steps.begin(), steps.end());
        const int typicalLarge = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.front() - s.back()), typicalLarge + 64) << n << " has a seam";
    }
}

TEST(Ambient, FourteenDifferentVoices) {
    const std::vector<std::string> names = ambient();
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            EXPECT_NE(strictSamples(names[i]), strictSamples(names[j])) << names[i] << " " << names[j];
}

TEST(Ambient, AreAudibleThroughout) {
    // No ambient sound is mostly silence: a quarter of its 50 ms windows carry sound.
    for (const std::string& n : ambient()) {
        const std::vector<int> s = strictSamples(n);
        int loud = 0, windows = 0;
        for (std::size_t at = 0; at + 1102 <= s.size(); at += 1102, ++windows) loud += rms(s, at, 1102) > 300;
        EXPECT_GT(loud * 4, windows) << n;
    }
}

}  // namespace

// The WAVE files: a strict RIFF header (PCM, mono, 22,050 Hz, 16-bit, nothing else in the
// file), the game's own WAVE reader accepts them, one-shots start and end at rest (no
// clicks), levels are normalised, the loops join without a seam, and the fourteen ambient
// sounds are all different.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/assets/asset_files.h"

#ifdef MT_HAVE_WAVE
#include "game/media/wave.h"
#endif

namespace {

const std::vector<std::string> kEffects = {"drop",     "eat",          "freeze", "popo",  "die",  "thunder1",
                                           "thunder2", "accomplished", "fade",   "laser", "warp", "speedup",
                                           "speedown", "lifeup",       "start",  "select"};
const std::vector<std::string> kLoops = {"loop", "rainloop", "beat"};
std::vector<std::string> ambient() {
    std::vector<std::string> names;
    for (int i = 1; i <= 14; ++i) names.push_back("env" + std::to_string(i));
    return names;
}

std::string path(const std::string& name) {
    return distPath("DAT/" + name + ".wav");
}

// The samples of a file with the exact header we write; empty when the header is off.
const std::vector<int>& samples(const std::string& name) {
    static std::map<std::string, std::vector<int>> cache;
    if (auto found = cache.find(name); found != cache.end()) return found->second;
    std::vector<int>& s = cache[name];
    const std::vector<std::uint8_t> b = readFile(path(name));
    if (b.size() < 46) return s;
    const bool ok = std::equal(b.begin(), b.begin() + 4, "RIFF") && le32(b, 4) == b.size() - 8 &&
                    std::equal(b.begin() + 8, b.begin() + 16, "WAVEfmt ") && le32(b, 16) == 16 &&
                    le16(b, 20) == 1 && le16(b, 22) == 1 && le32(b, 24) == 22050 && le32(b, 28) == 44100 &&
                    le16(b, 32) == 2 && le16(b, 34) == 16 &&
                    std::equal(b.begin() + 36, b.begin() + 40, "data") && le32(b, 40) == b.size() - 44;
    for (std::size_t i = 44; ok && i + 1 < b.size(); i += 2)
        s.push_back(static_cast<std::int16_t>(le16(b, i)));
    return s;
}

double rms(const std::vector<int>& s, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / count);
}

TEST(WaveFiles, EverySoundHasTheStrictHeaderANormalLevelAndNoClicks) {
    std::vector<std::string> all = kEffects;
    all.insert(all.end(), kLoops.begin(), kLoops.end());
    for (const std::string& n : ambient()) all.push_back(n);
    for (const std::string& n : all) {
        SCOPED_TRACE(n);
        const std::vector<int>& s = samples(n);
        ASSERT_GT(s.size(), 22050u / 50);  // at least 20 ms of sound
        EXPECT_LT(s.size(), 22050u * 4);
#ifdef MT_HAVE_WAVE
        WaveSound sound;
        ASSERT_EQ(readWaveFile(path(n).c_str(), &sound), kWaveOk);
        EXPECT_TRUE(isPlayablePcm(sound.format));
        EXPECT_EQ(sound.format.samplesPerSec, 22050u);
        EXPECT_EQ(sound.samples.size(), s.size() * 2);
#endif
        int peak = 0;
        double sum = 0;
        for (int v : s) peak = std::max(peak, std::abs(v)), sum += v;
        EXPECT_GE(peak, 32768 * 40 / 100) << "too quiet";
        EXPECT_LE(peak, 32768 * 85 / 100) << "too loud";
        EXPECT_LT(std::fabs(sum / s.size()), 32768 * 0.01) << "carries an offset";
        if (std::find(kLoops.begin(), kLoops.end(), n) != kLoops.end()) continue;
        EXPECT_LT(std::abs(s.front()), 300) << "clicks at its start";
        EXPECT_LT(std::abs(s.back()), 300) << "clicks at its end";
    }
}

TEST(Loops, JoinWithoutASeam) {
    for (const std::string& n : kLoops) {
        SCOPED_TRACE(n);
        const std::vector<int>& s = samples(n);
        ASSERT_GT(s.size(), 22050u / 2);
        // The wrap step is no larger than the large steps inside.
        std::vector<int> steps;
        for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
        std::sort(steps.begin(), steps.end());
        EXPECT_LE(std::abs(s.front() - s.back()), steps[steps.size() * 99 / 100] + 64);
        // Start and end at matching levels, unless the loop rests at both ends (the heartbeat).
        const std::size_t window = 2205;  // 100 ms
        const double head = rms(s, 0, window), tail = rms(s, s.size() - window, window);
        if (head < 100 && tail < 100) continue;
        EXPECT_LT(head, tail * 2.0);
        EXPECT_LT(tail, head * 2.0);
    }
}

TEST(Ambient, FourteenDifferentVoicesAudibleThroughout) {
    const std::vector<std::string> names = ambient();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::vector<int>& s = samples(names[i]);
        for (std::size_t j = i + 1; j < names.size(); ++j)
            EXPECT_NE(s, samples(names[j])) << names[i] << " " << names[j];
        // Not mostly silence: a quarter of its 50 ms windows carry sound.
        int loud = 0, windows = 0;
        for (std::size_t at = 0; at + 1102 <= s.size(); at += 1102, ++windows) loud += rms(s, at, 1102) > 300;
        EXPECT_GT(loud * 4, windows) << names[i];
    }
}

}  // namespace

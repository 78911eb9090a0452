// The pond's water surface: which pixels a stamp covers and when it is dropped; the wave step
// and the refraction through the slopes as the packed kernels against the plain ones on random
// maps, with their results pinned (the 16-bit wrapping, the border that is never computed, a
// slope of 8 shifting by one pixel and the look outside the clip among them). The game's kept
// replays pin both through the pond of every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <tuple>
#include <vector>

#include "game/common/frames.h"
#include "game/world/pond.h"
#include "render/pixels.h"

namespace {

constexpr int kW = kFrameWidth;
constexpr int kH = kFrameHeight;
constexpr PondRect kWhole{0, 0, kW - 1, kH - 1};

class Pond : public ::testing::Test {
protected:
    void SetUp() override {
        initRowTables();
        resetClipRect();
        clearRipples();
        pond.currentMap = 0;
    }
};

int countNonZero(const std::int16_t* map) {
    return static_cast<int>(std::count_if(map, map + kW * kH, [](std::int16_t h) { return h != 0; }));
}

std::int16_t at(const std::int16_t* map, int x, int y) {
    return map[y * kW + x];
}

// The random rounds' results folded into one pinned number: a fault both kernels share changes
// it (MT_HASH_PRINT=1 prints the new one after a deliberate change).
template <typename Values>
void fold(std::uint64_t& digest, const Values& values) {
    for (auto value : values) digest = (digest ^ static_cast<std::uint32_t>(value)) * 0x100000001b3ull;
}
void expectDigest(std::uint64_t digest, std::uint64_t pinned) {
    if (std::getenv("MT_HASH_PRINT")) std::printf("0x%016llxull\n", static_cast<unsigned long long>(digest));
    EXPECT_EQ(digest, pinned);
}

std::vector<std::int16_t> randomMap(std::mt19937& gen, int spread) {
    std::uniform_int_distribution<int> value(-spread, spread - 1);
    std::vector<std::int16_t> map(kW * kH);
    for (auto& h : map) h = static_cast<std::int16_t>(value(gen));
    return map;
}

// A clip rectangle anywhere on the surface, from a few pixels wide to nearly whole.
PondRect randomClip(std::mt19937& gen) {
    int left = static_cast<int>(gen() % 200), top = static_cast<int>(gen() % 150);
    int right = left + static_cast<int>(gen() % (kW - left)),
        bottom = top + static_cast<int>(gen() % (kH - top));
    return {left, top, right, bottom};
}

// --- Stamping ---------------------------------------------------------------------------------

TEST_F(Pond, ADiscCoversThePixelsCloserThanItsRadiusWithTheValuesLowSixteenBits) {
    struct Case {
        int x, y, radius;
        std::int32_t value;
        std::int16_t kept;
    };
    for (const Case& c :
         {Case{100, 50, 2, 77, 77}, Case{200, 150, 3, -300, -300}, Case{60, 60, 2, 0x18005, -32763}}) {
        SCOPED_TRACE(c.radius);
        clearRipples();
        stampRipple(c.x, c.y, c.radius, c.value);
        const std::int16_t* map = rippleCurrent();
        const int reach = c.radius - 1;  // (-r)^2 is not below r^2
        EXPECT_EQ(countNonZero(map), (2 * reach + 1) * (2 * reach + 1));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) EXPECT_EQ(at(map, c.x + dx, c.y + dy), c.kept);
    }
}

TEST_F(Pond, StampingReplacesAndZeroFlattens) {
    stampRipple(60, 60, 3, 500);
    stampRipple(60, 60, 2, 0);
    const std::int16_t* map = rippleCurrent();
    EXPECT_EQ(at(map, 60, 60), 0);
    EXPECT_EQ(at(map, 62, 60), 500);
    EXPECT_EQ(countNonZero(map), 25 - 9);
}

TEST_F(Pond, DiscReachingTheBorderIsDroppedWhole) {
    stampRipple(396, 100, 3, 9);  // x + 3 = 399
    stampRipple(100, 296, 3, 9);  // y + 3 = 299
    stampRipple(2, 100, 3, 9);    // x - 3 < 0
    stampRipple(100, 2, 3, 9);
    EXPECT_EQ(countNonZero(rippleCurrent()), 0);
    stampRipple(395, 295, 3, 9);  // just inside
    stampRipple(3, 3, 3, 9);
    EXPECT_EQ(countNonZero(rippleCurrent()), 50);
}

TEST_F(Pond, StampingHonoursTheClipRectangle) {
    setClipRect(50, 50, 100, 100);
    stampRipple(52, 60, 3, 9);
    EXPECT_EQ(countNonZero(rippleCurrent()), 0);
    stampRipple(53, 60, 3, 9);
    EXPECT_EQ(countNonZero(rippleCurrent()), 25);
}

// --- Wave step ---------------------------------------------------------------------------------

TEST(PondKernels, PackedWaveStepMatchesPlainOnRandomMaps) {
    std::mt19937 gen(1234);
    std::uint64_t digest = 0;
    for (int spread : {64, 4096, 32768}) {
        for (int round = 0; round < 4; ++round) {
            std::vector<std::int16_t> previous = randomMap(gen, spread);
            std::vector<std::int16_t> plain = randomMap(gen, spread);
            std::vector<std::int16_t> packed = plain;
            PondRect clip = round == 0 ? kWhole : randomClip(gen);
            waveStepPlain(plain.data(), previous.data(), clip);
            waveStepFast(packed.data(), previous.data(), clip);
            ASSERT_EQ(plain, packed) << "spread " << spread << " round " << round;
            fold(digest, plain);
        }
    }
    expectDigest(digest, 0x214ff6a946c7793full);
}

// --- Refraction --------------------------------------------------------------------------------

std::vector<std::uint32_t> randomPixels(std::mt19937& gen) {
    std::vector<std::uint32_t> pixels(kW * kH);
    for (auto& p : pixels) p = gen() & 0x00FFFFFFu;
    return pixels;
}

TEST(PondKernels, PackedRefractionMatchesPlainOnRandomMaps) {
    std::mt19937 gen(99);
    std::uint64_t digest = 0;
    std::vector<std::uint32_t> floorPixels = randomPixels(gen);
    for (int spread : {8, 64, 1024, 32768}) {
        for (int round = 0; round < 4; ++round) {
            std::vector<std::int16_t> heights = randomMap(gen, spread);
            // Mostly calm water with random patches, so both the flat and the sloped paths run.
            if (round % 2 == 1)
                for (int i = 0; i < kW * kH; ++i)
                    if ((i / 37) % 3 != 0) heights[i] = 0;
            PondRect clip = round >= 2 ? randomClip(gen) : kWhole;
            std::vector<std::uint32_t> plain(kW * kH, 0x11u), packed(kW * kH, 0x11u);
            refractPlain(plain.data(), floorPixels.data(), heights.data(), clip);
            refractFast(packed.data(), floorPixels.data(), heights.data(), clip);
            ASSERT_EQ(plain, packed) << "spread " << spread << " round " << round;
            fold(digest, plain);
        }
    }
    expectDigest(digest, 0x4b17c26d2b6d7534ull);
}

}  // namespace

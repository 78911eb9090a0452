// Loading .txm textures: spreading, plain interpolation, the coverage classes around keyed
// pixels, and what short, long and missing files give.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/render/render_test_support.h"

namespace {

struct Source {  // 128 x 128 pixels, as in the file
    std::vector<std::uint32_t> pixels;
    explicit Source(std::uint32_t colour) : pixels(kTxmSize * kTxmSize, colour) {}
    std::uint32_t& operator()(int row, int column) { return pixels[row * kTxmSize + column]; }
    std::vector<std::uint8_t> bytes() const { return txmBytes(pixels); }
};

struct Store {
    std::unique_ptr<TextureStore> store = std::make_unique<TextureStore>();
    explicit Store(std::uint32_t fill = 0) { std::fill_n(store->texels, kTextureSize * kTextureSize, fill); }
    void load(const std::vector<std::uint8_t>& bytes, std::size_t size) {
        loadTextureFromMemory(store.get(), bytes.data(), size);
    }
    std::uint32_t operator()(int row, int column) const { return store->texels[row * kTextureSize + column]; }
};

Store build(const Source& source) {
    Store store;
    loadTxm(store.store.get(), source.pixels);
    return store;
}

TEST(TextureSpread, SourcePixelsKeepTheirExactColourOnEvenTexels) {
    Source source(0);
    for (int i = 0; i < kTxmSize * kTxmSize; ++i) {
        source.pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
        source.pixels[i] = source.pixels[i] == colourKey ? 0 : source.pixels[i];
    }
    Store store = build(source);
    for (int r = 0; r < kTxmSize; ++r) {
        for (int c = 0; c < kTxmSize; ++c) ASSERT_EQ(store(2 * r, 2 * c), source(r, c)) << r << "," << c;
    }
}

TEST(TextureSpread, UnkeyedTextureHasNoClassesAndPlainMidpoints) {
    Source source(0x00102030u);
    source(5, 6) = 0x00FFFFFFu;
    source(5, 7) = 0x00010101u;
    source(6, 6) = 0x00030303u;
    Store store = build(source);
    for (std::uint32_t t : store.store->texels) ASSERT_EQ(t >> 24, 0u);
    // ((a & FEFEFE) + (b & FEFEFE)) >> 1: the lowest bit of each channel is lost.
    EXPECT_EQ(store(10, 13), 0x00FEFEFEu >> 1);
    EXPECT_EQ(store(11, 12), (0x00FEFEFEu + 0x00020202u) >> 1);
    // Odd rows come from the already interpolated even rows.
    EXPECT_EQ(store(11, 13), ((store(10, 13) & 0x00FEFEFEu) + (store(12, 13) & 0x00FEFEFEu)) >> 1);
}

TEST(TextureClasses, LoneOpaquePixelGivesOneOpaqueFourHalfFourQuarter) {
    Source source(colourKey);
    source(30, 40) = 0x00C3A5F7u;
    Store store = build(source);
    int opaque = 0, transparent = 0;
    for (std::uint32_t t : store.store->texels) {
        opaque += t < 0x80000000u ? 1 : 0;
        transparent += t == kTransparentTexel ? 1 : 0;
    }
    EXPECT_EQ(opaque, 1);
    EXPECT_EQ(transparent, kTextureSize * kTextureSize - 9);
    EXPECT_EQ(store(60, 80), 0x00C3A5F7u);
    for (auto [r, c] : {std::pair{60, 79}, {61, 80}, {60, 81}, {59, 80}}) {
        EXPECT_EQ(store(r, c), 0xA0C2A4F6u) << r << "," << c;
    }
    for (auto [r, c] : {std::pair{59, 79}, {61, 81}, {59, 81}, {61, 79}}) {
        EXPECT_EQ(store(r, c), 0x90C0A4F4u) << r << "," << c;
    }
}

TEST(TextureClasses, CentresCountTheirOpaqueCorners) {
    Source source(colourKey);
    // Three corners of one cell opaque: its centre is three-quarter covered, undivided.
    source(10, 10) = 0x00404040u;
    source(10, 11) = 0x00808080u;
    source(11, 11) = 0x00FFFFFFu;
    // Bright enough to reach into the class byte.
    source(30, 30) = source(30, 31) = source(31, 30) = 0x00FFFFFFu;
    // A full cell: opaque centre, the average of four.
    source(50, 50) = source(50, 51) = source(51, 50) = source(51, 51) = 0x00FFFFFFu;
    // Two corners: half, the sum halved.
    source(90, 90) = 0x00FFFFFFu;
    source(91, 90) = 0x00040404u;
    Store store = build(source);
    EXPECT_EQ(store(21, 21), (0x00404040u + 0x00808080u + 0x00FCFCFCu) | 0xB0000000u);
    EXPECT_EQ(store(61, 61), (3u * 0x00FCFCFCu) | 0xB0000000u);
    EXPECT_EQ(store(101, 101), 0x00FCFCFCu);
    EXPECT_EQ(store(181, 181), ((0x00FCFCFCu + 0x00040404u) >> 1) | 0xA0000000u);
    EXPECT_EQ(store(181, 179), ((0x00FCFCFCu + 0x00040404u) >> 1) | 0xA0000000u);
}

TEST(TextureFiles, ShortDataLeavesBlackLongDataIsCut) {
    auto bytes = Source(0x00FFFFFFu).bytes();
    Store store(0xDEADBEEFu);
    store.load(bytes, 4 * 128 + 2);  // one row and half a pixel
    EXPECT_EQ(store(0, 254), 0x00FFFFFFu);
    EXPECT_EQ(store(2, 0), 0x0000FFFFu);  // blue and green arrived, red did not
    EXPECT_EQ(store(2, 2), 0u);
    EXPECT_EQ(store(254, 254), 0u);
    bytes.resize(bytes.size() + 1000, 0x55);
    store.load(bytes, bytes.size());
    EXPECT_EQ(store(254, 254), 0x00FFFFFFu);
    loadTextureFromMemory(store.store.get(), nullptr, 12345);
    EXPECT_EQ(store(100, 100), 0u);
}

// Stores that start out different end up equal: every texel is defined, the file as from memory.
TEST(TextureFiles, LoadsFromAFileLikeFromMemoryWhateverWasThereBefore) {
    std::string path = ::testing::TempDir() + "render_texture_test.txm";
    Source source(colourKey);
    for (int i = 0; i < kTxmSize * kTxmSize; i += 7) {
        source.pixels[i] = static_cast<std::uint32_t>(i) * 40503u & 0x00FFFFFFu;
    }
    auto bytes = source.bytes();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size() - 100, file);  // a short file
    std::fclose(file);
    Store fromFile(0xFFFFFFFFu), fromMemory(0);
    EXPECT_EQ(loadTexture(fromFile.store.get(), path.c_str()), 1);
    fromMemory.load(bytes, bytes.size() - 100);
    std::remove(path.c_str());
    ASSERT_TRUE(std::equal(fromFile.store->texels, fromFile.store->texels + kTextureSize * kTextureSize,
                           fromMemory.store->texels));
    EXPECT_EQ(loadTexture(fromFile.store.get(), (path + ".missing").c_str()), 0);
    EXPECT_EQ(loadTexture(nullptr, path.c_str()), 0);
}

}  // namespace

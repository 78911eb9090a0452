// Loading .txm textures: spreading, plain interpolation, the coverage classes around keyed
// pixels, and what short, long and missing files give.
#include <cstdio>
#include <string>
#include <vector>

#include "render/texture.h"
#include "tests/render/render_test_support.h"

namespace {

using Source = std::vector<std::uint32_t>;  // 128 x 128 pixels, as in the file

Source filled(std::uint32_t colour) {
    return Source(kTxmSize * kTxmSize, colour);
}

std::vector<std::uint8_t> bytesOf(const Source& source) {
    std::vector<std::uint8_t> bytes(source.size() * 4);
    for (std::size_t i = 0; i < source.size(); ++i) {
        for (int b = 0; b < 4; ++b) {
            bytes[i * 4 + b] = static_cast<std::uint8_t>(source[i] >> (8 * b));
        }
    }
    return bytes;
}

std::unique_ptr<TextureStore> build(const Source& source) {
    auto store = std::make_unique<TextureStore>();
    auto bytes = bytesOf(source);
    loadTextureFromMemory(store.get(), bytes.data(), bytes.size());
    return store;
}

std::uint32_t texelAt(const TextureStore& store, int row, int column) {
    return store.texels[row * kTextureSize + column];
}

std::uint32_t& pixel(Source& source, int row, int column) {
    return source[row * kTxmSize + column];
}

enum class Class { opaque, transparent, quarter, half, threeQuarter };

Class classOf(std::uint32_t t) {
    if (t < 0x80000000u) {
        return Class::opaque;
    }
    if (t == kTransparentTexel) {
        return Class::transparent;
    }
    if (t >= kThreeQuarterFlag) {
        return Class::threeQuarter;
    }
    return t >= kHalfFlag ? Class::half : Class::quarter;
}

TEST(TextureSpread, SourcePixelsKeepTheirExactColourOnEvenTexels) {
    Source source = filled(0);
    for (int i = 0; i < kTxmSize * kTxmSize; ++i) {
        source[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
        source[i] = source[i] == colourKey ? 0 : source[i];
    }
    auto store = build(source);
    for (int r = 0; r < kTxmSize; ++r) {
        for (int c = 0; c < kTxmSize; ++c) {
            ASSERT_EQ(texelAt(*store, 2 * r, 2 * c), pixel(source, r, c)) << r << "," << c;
        }
    }
}

TEST(TextureSpread, UnkeyedTextureHasNoClassesAndPlainMidpoints) {
    Source source = filled(0x00102030u);
    pixel(source, 5, 6) = 0x00FFFFFFu;
    pixel(source, 5, 7) = 0x00010101u;
    pixel(source, 6, 6) = 0x00030303u;
    auto store = build(source);
    for (std::uint32_t t : store->texels) {
        ASSERT_EQ(t >> 24, 0u);
    }
    // ((a & FEFEFE) + (b & FEFEFE)) >> 1: the lowest bit of each channel is lost.
    EXPECT_EQ(texelAt(*store, 10, 13), (0x00FEFEFEu + 0x00000000u) >> 1);
    EXPECT_EQ(texelAt(*store, 11, 12), (0x00FEFEFEu + 0x00020202u) >> 1);
    // Odd rows come from the already interpolated even rows.
    std::uint32_t above = texelAt(*store, 10, 13);
    std::uint32_t below = texelAt(*store, 12, 13);
    EXPECT_EQ(texelAt(*store, 11, 13), ((above & 0x00FEFEFEu) + (below & 0x00FEFEFEu)) >> 1);
}

TEST(TextureClasses, LoneOpaquePixelGivesOneOpaqueFourHalfFourQuarter) {
    Source source = filled(colourKey);
    pixel(source, 30, 40) = 0x00C3A5F7u;
    auto store = build(source);
    int counts[5] = {};
    for (std::uint32_t t : store->texels) {
        ++counts[static_cast<int>(classOf(t))];
    }
    EXPECT_EQ(counts[static_cast<int>(Class::opaque)], 1);
    EXPECT_EQ(counts[static_cast<int>(Class::half)], 4);
    EXPECT_EQ(counts[static_cast<int>(Class::quarter)], 4);
    EXPECT_EQ(counts[static_cast<int>(Class::threeQuarter)], 0);
    EXPECT_EQ(texelAt(*store, 60, 80), 0x00C3A5F7u);
    EXPECT_EQ(texelAt(*store, 60, 79), 0xA0C2A4F6u);
    EXPECT_EQ(texelAt(*store, 61, 80), 0xA0C2A4F6u);
    EXPECT_EQ(texelAt(*store, 59, 79), 0x90C0A4F4u);
    EXPECT_EQ(texelAt(*store, 61, 81), 0x90C0A4F4u);
}

TEST(TextureClasses, CentresCountTheirOpaqueDiagonals) {
    Source source = filled(colourKey);
    // Three corners of one cell opaque: its centre is three-quarter covered, undivided.
    pixel(source, 10, 10) = 0x00404040u;
    pixel(source, 10, 11) = 0x00808080u;
    pixel(source, 11, 11) = 0x00FFFFFFu;
    // A full cell elsewhere: opaque centre, the average of four.
    for (int r = 50; r <= 51; ++r) {
        for (int c = 50; c <= 51; ++c) {
            pixel(source, r, c) = 0x00FFFFFFu;
        }
    }
    // Two corners: half, the sum halved.
    pixel(source, 90, 90) = 0x00FFFFFFu;
    pixel(source, 91, 90) = 0x00040404u;
    auto store = build(source);
    EXPECT_EQ(texelAt(*store, 21, 21), (0x00404040u + 0x00808080u + 0x00FCFCFCu) | 0xB0000000u);
    EXPECT_EQ(texelAt(*store, 101, 101), 0x00FCFCFCu * 4 >> 2);
    EXPECT_EQ(texelAt(*store, 181, 181), ((0x00FCFCFCu + 0x00040404u) >> 1) | 0xA0000000u);
    EXPECT_EQ(texelAt(*store, 181, 179), ((0x00FCFCFCu + 0x00040404u) >> 1) | 0xA0000000u);
}

TEST(TextureClasses, ThreeBrightCornersReachIntoTheClassByte) {
    Source source = filled(colourKey);
    pixel(source, 10, 10) = 0x00FFFFFFu;
    pixel(source, 10, 11) = 0x00FFFFFFu;
    pixel(source, 11, 10) = 0x00FFFFFFu;
    auto store = build(source);
    EXPECT_EQ(texelAt(*store, 21, 21), (3u * 0x00FCFCFCu) | 0xB0000000u);
    EXPECT_EQ(classOf(texelAt(*store, 21, 21)), Class::threeQuarter);
}

TEST(TextureFiles, ShortDataLeavesBlackLongDataIsCut) {
    Source source = filled(0x00FFFFFFu);
    auto bytes = bytesOf(source);
    auto store = std::make_unique<TextureStore>();
    for (std::uint32_t& t : store->texels) {
        t = 0xDEADBEEFu;
    }
    loadTextureFromMemory(store.get(), bytes.data(), 4 * 128 + 2);  // one row and half a pixel
    EXPECT_EQ(texelAt(*store, 0, 254), 0x00FFFFFFu);
    EXPECT_EQ(texelAt(*store, 2, 0), 0x0000FFFFu);  // blue and green arrived, red did not
    EXPECT_EQ(texelAt(*store, 2, 2), 0u);
    EXPECT_EQ(texelAt(*store, 254, 254), 0u);
    bytes.resize(bytes.size() + 1000, 0x55);
    loadTextureFromMemory(store.get(), bytes.data(), bytes.size());
    EXPECT_EQ(texelAt(*store, 254, 254), 0x00FFFFFFu);
    loadTextureFromMemory(store.get(), nullptr, 12345);
    EXPECT_EQ(texelAt(*store, 100, 100), 0u);
}

TEST(TextureFiles, EveryTexelIsDefinedWhateverWasThereBefore) {
    Source source = filled(colourKey);
    for (int i = 0; i < kTxmSize * kTxmSize; i += 7) {
        source[i] = static_cast<std::uint32_t>(i) * 40503u & 0x00FFFFFFu;
    }
    auto bytes = bytesOf(source);
    auto first = std::make_unique<TextureStore>();
    auto second = std::make_unique<TextureStore>();
    for (int i = 0; i < kTextureSize * kTextureSize; ++i) {
        first->texels[i] = 0;
        second->texels[i] = 0xFFFFFFFFu - static_cast<std::uint32_t>(i);
    }
    loadTextureFromMemory(first.get(), bytes.data(), bytes.size());
    loadTextureFromMemory(second.get(), bytes.data(), bytes.size());
    for (int i = 0; i < kTextureSize * kTextureSize; ++i) {
        ASSERT_EQ(first->texels[i], second->texels[i]) << i;
    }
}

TEST(TextureFiles, LoadsFromAFileLikeFromMemory) {
    std::string path = ::testing::TempDir() + "render_texture_test.txm";
    Source source = filled(colourKey);
    pixel(source, 3, 3) = 0x00123456u;
    auto bytes = bytesOf(source);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size() - 100, file);  // a short file
    std::fclose(file);
    auto fromFile = std::make_unique<TextureStore>();
    auto fromMemory = std::make_unique<TextureStore>();
    EXPECT_EQ(loadTexture(fromFile.get(), path.c_str()), 1);
    loadTextureFromMemory(fromMemory.get(), bytes.data(), bytes.size() - 100);
    std::remove(path.c_str());
    for (int i = 0; i < kTextureSize * kTextureSize; ++i) {
        ASSERT_EQ(fromFile->texels[i], fromMemory->texels[i]) << i;
    }
    EXPECT_EQ(loadTexture(fromFile.get(), (path + ".missing").c_str()), 0);
    EXPECT_EQ(loadTexture(nullptr, path.c_str()), 0);
}

}  // namespace

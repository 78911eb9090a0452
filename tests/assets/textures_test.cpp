// The two .txm atlases: exact size, opaque where the game's quads sample, transparent margins
// round every bean and face (so the loader's coverage classes give soft edges), faces that
// mirror as their glances do, glow pictures that fade to black, and the loader's view of them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/assets/asset_files.h"

#ifdef MT_HAVE_RENDER
#include "render/texture.h"
#endif

namespace {

struct Atlas {
    std::vector<std::uint32_t> texels;  // 128 x 128
    std::uint32_t at(int x, int y) const { return texels[static_cast<std::size_t>(y) * 128 + x]; }
};

// The atlas, or a test failure when it is not 65536 bytes with an empty top byte everywhere.
Atlas loadAtlas(const std::string& name) {
    const std::vector<std::uint8_t> b = readFile(distPath("DAT/" + name));
    Atlas a;
    EXPECT_EQ(b.size(), 65536u) << name;
    for (std::size_t i = 0; b.size() == 65536 && i < 65536; i += 4) a.texels.push_back(le32(b, i));
    for (std::uint32_t t : a.texels) EXPECT_EQ(t >> 24, 0u) << name;
    if (a.texels.empty()) a.texels.assign(16384, 0);
    return a;
}

TEST(BeanAtlas, SixBeansAndSixFacesWithTransparentMarginsAndTheirColours) {
    const Atlas a = loadAtlas("bean.txm");
    // Each 10 x 10 cell: its outer ring transparent, its middle opaque.
    for (int cx = 0; cx < 60; cx += 10)
        for (int cy : {0, 10}) {
            SCOPED_TRACE(std::to_string(cx) + ", " + std::to_string(cy));
            for (int i = 0; i < 10; ++i) {
                EXPECT_EQ(a.at(cx + i, cy), kKey);
                EXPECT_EQ(a.at(cx + i, cy + 9), kKey);
                EXPECT_EQ(a.at(cx, cy + i), kKey);
                EXPECT_EQ(a.at(cx + 9, cy + i), kKey);
            }
            for (int y = 3; y <= 6; ++y)
                for (int x = 3; x <= 6; ++x) EXPECT_NE(a.at(cx + x, cy + y), kKey);
        }
    auto channel = [&](int c, int shift) { return (a.at(10 * c + 5, 6) >> shift) & 0xFF; };
    EXPECT_GT(channel(0, 16), channel(0, 8) + 60);  // red
    EXPECT_GT(channel(2, 8), channel(2, 16) + 40);  // green
    EXPECT_GT(channel(3, 0), channel(3, 16) + 60);  // blue
    EXPECT_GT(channel(4, 0), channel(4, 8) + 40);   // purple: blue over green
    EXPECT_GT(channel(4, 16), channel(4, 8) + 40);  // ... and red over green
}

TEST(BeanAtlas, EveryFaceIsDifferentAndGlancesMirrorEachOther) {
    const Atlas a = loadAtlas("bean.txm");
    for (int f = 0; f < 6; ++f)
        for (int g = f + 1; g < 6; ++g) {
            bool same = true;
            for (int y = 10; y < 20; ++y)
                for (int x = 0; x < 10; ++x) same = same && a.at(10 * f + x, y) == a.at(10 * g + x, y);
            EXPECT_FALSE(same) << f << " and " << g;
        }
    // Straight ahead and chewing are symmetric; front-right and front-left, right and left are
    // mirror pictures. The shading comes from the top left, so only the eyes and mouth (the dark
    // features) are compared.
    for (auto [f, g] : {std::pair{0, 0}, {1, 1}, {2, 3}, {4, 5}})
        for (int y = 10; y < 20; ++y)
            for (int x = 0; x < 10; ++x)
                EXPECT_EQ(luminance(a.at(10 * f + x, y)) < 40, luminance(a.at(10 * g + 9 - x, y)) < 40)
                    << f << " and " << g << " at " << x << ", " << y;
}

TEST(BrightAtlas, GlowsFadeToBlackWithoutMagentaAndNightSpritesAreShapesOnMagenta) {
    const Atlas a = loadAtlas("bright.txm");
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_NE(a.at(x, y), kKey) << x << ", " << y;
    for (int oy : {0, 64}) {
        EXPECT_EQ(a.at(0, oy), 0u);
        EXPECT_EQ(a.at(63, oy + 63), 0u);
        EXPECT_EQ(a.at(31, oy), 0u);  // the glow ends inside its square
        EXPECT_GT(luminance(a.at(31, oy + 31)), 150);
        EXPECT_EQ(a.at(64, oy), kKey);
        EXPECT_EQ(a.at(127, oy + 63), kKey);
        EXPECT_NE(a.at(96, oy + 32), kKey);
    }
}

#ifdef MT_HAVE_RENDER
TEST(LoadedTextures, QuadsSampleOpaqueTexelsInsideTransparentOnesWithSoftEdges) {
    auto store = std::make_unique<TextureStore>();
    ASSERT_EQ(loadTexture(store.get(), distPath("DAT/bean.txm").c_str()), 1);
    auto texel = [&](int u2, int v2) { return store->texels[v2 * kTextureSize + u2]; };
    for (int c = 0; c < 6; ++c) {
        EXPECT_LT(texel(20 * c + 9, 9), 0x80000000u) << "bean " << c << " centre";
        EXPECT_EQ(texel(20 * c, 0), kTransparentTexel) << "bean " << c << " corner";
        EXPECT_LT(texel(20 * c + 9, 29), 0x80000000u) << "face " << c << " centre";
    }
    // Somewhere round each bean the loader made partly covered texels: soft edges.
    int soft = 0;
    for (int v = 0; v < 20; ++v)
        for (int u = 0; u < 20; ++u) soft += texel(u, v) >= 0x80000000u && texel(u, v) != kTransparentTexel;
    EXPECT_GT(soft, 8);
    ASSERT_EQ(loadTexture(store.get(), distPath("DAT/bright.txm").c_str()), 1);
    EXPECT_LT(store->texels[62 * kTextureSize + 62], 0x80000000u);        // the head light's middle
    EXPECT_EQ(store->texels[0 * kTextureSize + 128], kTransparentTexel);  // round the moon
}
#endif

}  // namespace

// Loading .txm textures: the coverage classes around keyed pixels, and what short, long and
// missing files give. Spreading and plain interpolation show in the quad tests' texels.
#include "tests/render/render_test_support.h"

namespace {

struct Texture : RenderTest {
    std::vector<std::uint32_t> source = std::vector<std::uint32_t>(kTxmSize * kTxmSize, colourKey);
    std::uint32_t& pixel(int row, int column) { return source[row * kTxmSize + column]; }
    std::uint32_t store(int row, int column) const { return texture->texels[row * kTextureSize + column]; }
};

// A lone opaque pixel gives one opaque texel, four half and four quarter covered ones, of 3 x 3;
// a cell centre counts its opaque corners (three: the sum undivided; two: halved), and of the
// 5 x 5 texels around three corners, the four by the keyed pixel stay transparent.
TEST_F(Texture, CoverageClassesAroundKeyedPixels) {
    pixel(30, 40) = 0x00C3A5F7u;
    pixel(10, 10) = 0x00404040u, pixel(10, 11) = 0x00808080u, pixel(11, 11) = 0x00FFFFFFu;
    pixel(70, 70) = pixel(70, 71) = pixel(71, 70) = 0x00FFFFFFu;  // bright enough to reach the class byte
    pixel(50, 50) = pixel(50, 51) = pixel(51, 50) = pixel(51, 51) = 0x00FFFFFFu;
    pixel(90, 90) = 0x00FFFFFFu, pixel(91, 90) = 0x00040404u;
    loadTxm(texture.get(), source);
    EXPECT_EQ(std::count(texture->texels, texture->texels + kTextureSize * kTextureSize, kTransparentTexel),
              kTextureSize * kTextureSize - 9 - 21 - 21 - 25 - 15);
    // clang-format off
    const struct { int row, column; std::uint32_t texel; } texels[] = {{60, 80, 0x00C3A5F7},
        {60, 79, 0xA0C2A4F6}, {61, 80, 0xA0C2A4F6}, {60, 81, 0xA0C2A4F6}, {59, 80, 0xA0C2A4F6}, {59, 79, 0x90C0A4F4},
        {61, 81, 0x90C0A4F4}, {59, 81, 0x90C0A4F4}, {61, 79, 0x90C0A4F4}, {101, 101, 0x00FCFCFC},
        {21, 21, (0x404040 + 0x808080 + 0xFCFCFC) | 0xB0000000}, {141, 141, (3 * 0xFCFCFC) | 0xB0000000},
        {181, 181, ((0xFCFCFC + 0x040404) >> 1) | 0xA0000000}, {181, 179, ((0xFCFCFC + 0x040404) >> 1) | 0xA0000000}};
    // clang-format on
    for (const auto& t : texels) EXPECT_EQ(store(t.row, t.column), t.texel) << t.row << "," << t.column;
}

// Short data leaves black where nothing arrived and long data is cut, whatever the store held
// before; a missing file is refused.
TEST_F(Texture, ShortLongAndMissingFiles) {
    std::fill(source.begin(), source.end(), 0x00FFFFFFu);
    std::fill_n(texture->texels, kTextureSize * kTextureSize, 0xDEADBEEFu);
    loadTxm(texture.get(), source, source.size() * 4 - 4 * 128 - 2);  // one row and half a pixel
    EXPECT_EQ(std::tuple(store(0, 254), store(2, 0), store(2, 2), store(254, 254)),
              std::tuple(0x00FFFFFFu, 0x0000FFFFu, 0u, 0u));  // blue and green of (1, 0) arrived
    source.resize(source.size() + 300, 0x00353535u);          // long: cut
    loadTxm(texture.get(), source);
    EXPECT_EQ(store(254, 254) + loadTexture(texture.get(), "no such file.txm") + loadTexture(nullptr, "x"),
              0xFFFFFFu);
    loadTextureFromMemory(texture.get(), nullptr, 12345);
    EXPECT_EQ(store(0, 0), 0u);
}

}  // namespace

// Reading BMP pictures: the accepted layout byte for byte. The files that must be refused are
// seeds of fuzz/render, replayed by CTest; the game's pictures are read from their files.
#include "tests/render/render_test_support.h"

namespace {

// A 24-bit BMP: 54 header bytes (info header size `info`), then `pixelBytes` counting up from 1.
std::vector<std::uint8_t> makeBmp(std::int32_t width, std::int32_t height, std::size_t pixelBytes,
                                  int info = 40) {
    std::vector<std::uint8_t> bytes(54 + pixelBytes, 0);
    const std::uint32_t size = static_cast<std::uint32_t>(bytes.size()),
                        w = static_cast<std::uint32_t>(width);
    const std::uint32_t fields[][2] = {{0, 0x4D42},       {2, size}, {10, 14u + info},
                                       {14, 0u + info},   {18, w},   {22, static_cast<std::uint32_t>(height)},
                                       {26, 1 | 24 << 16}};
    for (auto [offset, value] : fields)
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    for (std::size_t i = 0; i < pixelBytes; ++i) bytes[54 + i] = static_cast<std::uint8_t>(i + 1);
    return bytes;
}

// 3 x 2: rows of 9 pixel bytes and 3 of padding; file row 0 is the bottom row, each pixel blue,
// green, red; file row 1 starts at byte 13. Then no padding, a larger header, extra bytes.
TEST(Bmp, PixelsComeFromByte54BottomRowFirstPastRowPadding) {
    // clang-format off
    const struct { int width, height, pixelBytes, info, x, y; std::uint32_t expected; } cases[] = {
        {3, 2, 24, 40, 0, 1, 0x030201}, {3, 2, 24, 40, 2, 1, 0x090807}, {3, 2, 24, 40, 0, 0, 0x0F0E0D},
        {3, 2, 24, 40, 2, 0, 0x151413}, {4, 1, 12, 40, 3, 0, 0x0C0B0A}, {2, 1, 8, 124, 1, 0, 0x060504},
        {1, 1, 40, 40, 0, 0, 0x030201}, {kMaxImageSide, 1, kMaxImageSide * 3, 40, 1, 0, 0x060504}};
    // clang-format on
    for (const auto& c : cases) {
        auto bytes = makeBmp(c.width, c.height, static_cast<std::size_t>(c.pixelBytes), c.info);
        ImagePtr image(loadBmpFromMemory(bytes.data(), bytes.size()));
        ASSERT_TRUE(image) << &c - cases;
        EXPECT_EQ(std::pair(image->width, image->height), std::pair(c.width, c.height));
        EXPECT_EQ(at(image.get(), c.x, c.y), c.expected) << &c - cases;
    }
    auto magenta = makeBmp(1, 1, 4);
    magenta[54] = magenta[56] = 0xFF, magenta[55] = 0;
    EXPECT_EQ(ImagePtr(loadBmpFromMemory(magenta.data(), magenta.size()))->pixels()[0], colourKey);
    EXPECT_EQ(loadBmp("no such file.bmp") ?: loadBmp(nullptr) ?: loadBmpFromMemory(nullptr, 100), nullptr);
}

}  // namespace

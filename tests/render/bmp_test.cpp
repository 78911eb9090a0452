// Reading BMP files: the accepted layout byte for byte, and every kind of file that must be
// refused without leaving anything behind.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/render/render_test_support.h"

namespace {

struct BmpSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint16_t signature = 0x4D42;
};

// The 54 header bytes followed by `pixelBytes` bytes counting up from 1.
std::vector<std::uint8_t> makeBmp(const BmpSpec& spec, std::size_t pixelBytes) {
    std::vector<std::uint8_t> bytes(54 + pixelBytes, 0);
    // clang-format off
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {0, spec.signature}, {2, static_cast<std::uint32_t>(bytes.size())}, {10, 14 + spec.infoSize},
        {14, spec.infoSize}, {18, static_cast<std::uint32_t>(spec.width)},
        {22, static_cast<std::uint32_t>(spec.height)}, {26, 1u | std::uint32_t{spec.bitCount} << 16},
        {30, spec.compression}};
    // clang-format on
    for (auto [offset, value] : fields) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    for (std::size_t i = 0; i < pixelBytes; ++i) bytes[54 + i] = static_cast<std::uint8_t>(i + 1);
    return bytes;
}

ImagePtr load(const std::vector<std::uint8_t>& bytes) {
    return ImagePtr(loadBmpFromMemory(bytes.data(), bytes.size()));
}

TEST(BmpLayout, PixelsComeFromByte54BottomRowFirstPastRowPadding) {
    struct Case {
        BmpSpec spec;
        std::size_t pixelBytes;
        int x, y;
        std::uint32_t expected;
    } const cases[] = {
        // 3 x 2: rows of 9 pixel bytes and 3 of padding; file row 0 is the bottom row, each
        // pixel blue, green, red; file row 1 starts at byte 13.
        {{3, 2}, 24, 0, 1, 0x00030201u},
        {{3, 2}, 24, 1, 1, 0x00060504u},
        {{3, 2}, 24, 2, 1, 0x00090807u},
        {{3, 2}, 24, 0, 0, 0x000F0E0Du},
        {{3, 2}, 24, 2, 0, 0x00151413u},
        {{4, 1}, 12, 3, 0, 0x000C0B0Au},             // no padding
        {{2, 1, 24, 0, 124}, 8, 1, 0, 0x00060504u},  // larger info header
        {{1, 1}, 40, 0, 0, 0x00030201u},             // extra bytes ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.spec.width << "x" << c.spec.height << " at " << c.x << "," << c.y);
        ImagePtr image = load(makeBmp(c.spec, c.pixelBytes));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, c.spec.width);
        EXPECT_EQ(image->height, c.spec.height);
        EXPECT_EQ(at(image.get(), c.x, c.y), c.expected);
    }
    auto magenta = makeBmp({1, 1}, 4);
    magenta[54] = magenta[56] = 0xFF;
    magenta[55] = 0;
    ImagePtr key = load(magenta);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->pixels()[0], colourKey);
    ImagePtr widest = load(makeBmp({kMaxImageSide, 1}, static_cast<std::size_t>(kMaxImageSide) * 3));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->width, kMaxImageSide);
}

TEST(BmpRefusal, WrongFormatsAndSizes) {
    const BmpSpec refused[] = {{1, 1, 1},
                               {1, 1, 4},
                               {1, 1, 8},
                               {1, 1, 16},
                               {1, 1, 32},
                               {1, 1, 24, 1},
                               {1, 1, 24, 0, 40, 0x4142},
                               {4, -1},
                               {0, 1},
                               {1, 0},
                               {-4, 1},
                               {16385, 1},
                               {1, 16385},
                               {INT32_MIN, INT32_MIN},
                               {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const BmpSpec& spec : refused) {
        EXPECT_FALSE(load(makeBmp(spec, 64)))
            << spec.width << "x" << spec.height << " bits " << spec.bitCount;
    }
    auto whole = makeBmp({3, 2}, 24);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(loadBmpFromMemory(whole.data(), size), nullptr) << size << " bytes";
    }
    EXPECT_EQ(loadBmpFromMemory(nullptr, 100), nullptr);
}

TEST(BmpFile, ReadsLikeMemoryAndRefusesShortMissingAndNull) {
    std::string path = ::testing::TempDir() + "render_bmp_test.bmp";
    auto bytes = makeBmp({3, 2}, 24);
    for (std::size_t size : {bytes.size(), bytes.size() - 1}) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, size, file);
        std::fclose(file);
        ImagePtr fromFile(loadBmp(path.c_str()));
        ImagePtr fromMemory(loadBmpFromMemory(bytes.data(), size));
        ASSERT_EQ(!fromFile, size != bytes.size());
        ASSERT_EQ(!fromFile, !fromMemory);
        for (int i = 0; fromFile && i < 6; ++i) EXPECT_EQ(fromFile->pixels()[i], fromMemory->pixels()[i]);
    }
    std::remove(path.c_str());
    EXPECT_EQ(loadBmp(path.c_str()), nullptr);
    EXPECT_EQ(loadBmp(nullptr), nullptr);
}

TEST(PixelBufferAllocation, ZeroFilledWithItsSize) {
    ImagePtr image(createPixelBuffer(7, 5));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 7);
    EXPECT_EQ(image->height, 5);
    EXPECT_EQ(std::count(image->pixels(), image->pixels() + 35, 0u), 35);
    EXPECT_EQ(createPixelBuffer(-1, 5), nullptr);
    EXPECT_EQ(createPixelBuffer(5, kMaxImageSide + 1), nullptr);
    destroyPixelBuffer(nullptr);
}

}  // namespace

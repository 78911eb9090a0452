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

void putLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The 54 header bytes followed by `pixelBytes` bytes counting up from 1.
std::vector<std::uint8_t> makeBmp(const BmpSpec& spec, std::size_t pixelBytes) {
    std::vector<std::uint8_t> bytes(54 + pixelBytes, 0);
    putLe(bytes, 0, spec.signature, 2);
    putLe(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    putLe(bytes, 10, 14 + spec.infoSize, 4);
    putLe(bytes, 14, spec.infoSize, 4);
    putLe(bytes, 18, static_cast<std::uint32_t>(spec.width), 4);
    putLe(bytes, 22, static_cast<std::uint32_t>(spec.height), 4);
    putLe(bytes, 26, 1, 2);
    putLe(bytes, 28, spec.bitCount, 2);
    putLe(bytes, 30, spec.compression, 4);
    for (std::size_t i = 0; i < pixelBytes; ++i) {
        bytes[54 + i] = static_cast<std::uint8_t>(i + 1);
    }
    return bytes;
}

ImagePtr load(const std::vector<std::uint8_t>& bytes) {
    return ImagePtr(loadBmpFromMemory(bytes.data(), bytes.size()));
}

TEST(BmpLayout, ThreeByTwoSkipsRowPaddingAndTurnsRowsOver) {
    auto bytes = makeBmp({3, 2}, 24);  // rows of 9 pixel bytes and 3 of padding
    ImagePtr image = load(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    // File row 0 (bytes 1..9) is the bottom image row; each pixel is blue, green, red.
    EXPECT_EQ(at(image.get(), 0, 1), 0x00030201u);
    EXPECT_EQ(at(image.get(), 1, 1), 0x00060504u);
    EXPECT_EQ(at(image.get(), 2, 1), 0x00090807u);
    // File row 1 starts at byte 13 after the padding 10..12.
    EXPECT_EQ(at(image.get(), 0, 0), 0x000F0E0Du);
    EXPECT_EQ(at(image.get(), 2, 0), 0x00151413u);
}

TEST(BmpLayout, FourByOneHasNoPadding) {
    ImagePtr image = load(makeBmp({4, 1}, 12));
    ASSERT_TRUE(image);
    EXPECT_EQ(at(image.get(), 0, 0), 0x00030201u);
    EXPECT_EQ(at(image.get(), 3, 0), 0x000C0B0Au);
}

TEST(BmpLayout, MagentaBytesBecomeTheColourKey) {
    auto bytes = makeBmp({1, 1}, 4);
    bytes[54] = 0xFF;  // blue
    bytes[55] = 0x00;  // green
    bytes[56] = 0xFF;  // red
    ImagePtr image = load(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(at(image.get(), 0, 0), colourKey);
}

TEST(BmpLayout, LargerInfoHeaderIsStillReadFromByte54) {
    BmpSpec spec{2, 1};
    spec.infoSize = 124;
    ImagePtr image = load(makeBmp(spec, 8));
    ASSERT_TRUE(image);
    EXPECT_EQ(at(image.get(), 0, 0), 0x00030201u);
    EXPECT_EQ(at(image.get(), 1, 0), 0x00060504u);
}

TEST(BmpLayout, ExtraBytesAfterThePixelsAreIgnored) {
    ImagePtr image = load(makeBmp({1, 1}, 40));
    ASSERT_TRUE(image);
    EXPECT_EQ(at(image.get(), 0, 0), 0x00030201u);
}

TEST(BmpRefusal, OtherBitCountsCompressionAndSignatures) {
    for (std::uint16_t bits : {1, 4, 8, 16, 32}) {
        BmpSpec spec;
        spec.bitCount = bits;
        EXPECT_FALSE(load(makeBmp(spec, 64))) << bits << " bits";
    }
    BmpSpec compressed;
    compressed.compression = 1;
    EXPECT_FALSE(load(makeBmp(compressed, 64)));
    BmpSpec wrongSignature;
    wrongSignature.signature = 0x4142;
    EXPECT_FALSE(load(makeBmp(wrongSignature, 64)));
}

TEST(BmpRefusal, TopDownZeroAndAbsurdSizes) {
    EXPECT_FALSE(load(makeBmp({4, -1}, 12)));
    EXPECT_FALSE(load(makeBmp({0, 1}, 12)));
    EXPECT_FALSE(load(makeBmp({1, 0}, 12)));
    EXPECT_FALSE(load(makeBmp({-4, 1}, 12)));
    EXPECT_FALSE(load(makeBmp({16385, 1}, 64)));
    EXPECT_FALSE(load(makeBmp({1, 16385}, 64)));
    EXPECT_FALSE(load(makeBmp({INT32_MIN, INT32_MIN}, 64)));
    EXPECT_FALSE(load(makeBmp({0x7FFFFFFF, 0x7FFFFFFF}, 64)));
}

TEST(BmpRefusal, FilesShorterThanTheirPixelsOrHeaders) {
    auto whole = makeBmp({3, 2}, 24);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(loadBmpFromMemory(whole.data(), size), nullptr) << size << " bytes";
    }
    EXPECT_EQ(loadBmpFromMemory(nullptr, 100), nullptr);
}

TEST(BmpRefusal, LargestSideStillLoads) {
    ImagePtr image = load(makeBmp({kMaxImageSide, 1}, static_cast<std::size_t>(kMaxImageSide) * 3));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, kMaxImageSide);
}

class BmpFile : public ::testing::Test {
protected:
    std::string path = ::testing::TempDir() + "render_bmp_test.bmp";
    void write(const std::vector<std::uint8_t>& bytes) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    void TearDown() override { std::remove(path.c_str()); }
};

TEST_F(BmpFile, ReadsTheSameAsFromMemory) {
    auto bytes = makeBmp({3, 2}, 24);
    write(bytes);
    ImagePtr fromFile(loadBmp(path.c_str()));
    ImagePtr fromMemory = load(bytes);
    ASSERT_TRUE(fromFile);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fromFile->pixels()[i], fromMemory->pixels()[i]);
    }
}

TEST_F(BmpFile, TruncatedMissingAndNullPathsGiveNull) {
    auto bytes = makeBmp({3, 2}, 24);
    bytes.pop_back();
    write(bytes);
    EXPECT_EQ(loadBmp(path.c_str()), nullptr);
    EXPECT_EQ(loadBmp((path + ".missing").c_str()), nullptr);
    EXPECT_EQ(loadBmp(nullptr), nullptr);
}

TEST(PixelBufferAllocation, ZeroFilledWithItsSize) {
    ImagePtr image(createPixelBuffer(7, 5));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 7);
    EXPECT_EQ(image->height, 5);
    for (int i = 0; i < 7 * 5; ++i) {
        EXPECT_EQ(image->pixels()[i], 0u);
    }
    EXPECT_EQ(createPixelBuffer(-1, 5), nullptr);
    EXPECT_EQ(createPixelBuffer(5, kMaxImageSide + 1), nullptr);
    destroyPixelBuffer(nullptr);
}

}  // namespace

// Reading 24-bit uncompressed bottom-up BMP pictures into images. Only the signature, bit count,
// compression, width and height are looked at; the pixel rows always start at byte 54. Files
// that announce more pixels than they hold, or sizes no picture of ours could have, are refused
// before anything is allocated.
#include <cstdio>
#include <cstdlib>

#include "render/pixels.h"

namespace {

constexpr std::size_t kHeaderBytes = 54;

struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t rowBytes = 0;
    std::size_t pixelBytes = 0;
};

std::uint32_t readLe(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// Checks the two headers and works out how many bytes of pixels must follow them.
bool readLayout(const std::uint8_t* header, BmpLayout* layout) {
    if (readLe(header, 2) != 0x4D42u || readLe(header + 28, 2) != 24u || readLe(header + 30, 4) != 0u) {
        return false;
    }
    auto width = static_cast<std::int32_t>(readLe(header + 18, 4));
    auto height = static_cast<std::int32_t>(readLe(header + 22, 4));
    // A negative height is a top-down file, which we do not read; zero has nothing to show.
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) {
        return false;
    }
    layout->width = width;
    layout->height = height;
    layout->rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    layout->pixelBytes = layout->rowBytes * static_cast<std::size_t>(height);
    return true;
}

// File rows run bottom-up as blue, green, red triples followed by padding.
PixelBuffer* convertRows(const std::uint8_t* rows, const BmpLayout& layout) {
    PixelBuffer* image = createPixelBuffer(layout.width, layout.height);
    if (image == nullptr) {
        return nullptr;
    }
    for (std::int32_t i = 0; i < layout.height; ++i) {
        const std::uint8_t* source = rows + layout.rowBytes * static_cast<std::size_t>(i);
        std::size_t imageRow = static_cast<std::size_t>(layout.height - 1 - i);
        std::uint32_t* pixel = image->pixels() + imageRow * static_cast<std::size_t>(layout.width);
        for (std::int32_t x = 0; x < layout.width; ++x, source += 3) {
            pixel[x] = (std::uint32_t{source[2]} << 16) | (std::uint32_t{source[1]} << 8) | source[0];
        }
    }
    return image;
}

}  // namespace

PixelBuffer* loadBmpFromMemory(const std::uint8_t* data, std::size_t size) {
    BmpLayout layout;
    if (data == nullptr || size < kHeaderBytes || !readLayout(data, &layout)) {
        return nullptr;
    }
    if (size - kHeaderBytes < layout.pixelBytes) {
        return nullptr;
    }
    return convertRows(data + kHeaderBytes, layout);
}

PixelBuffer* loadBmp(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    std::uint8_t header[kHeaderBytes];
    BmpLayout layout;
    PixelBuffer* image = nullptr;
    if (std::fread(header, 1, kHeaderBytes, file) == kHeaderBytes && readLayout(header, &layout)) {
        auto* rows = static_cast<std::uint8_t*>(std::malloc(layout.pixelBytes));
        if (rows != nullptr && std::fread(rows, 1, layout.pixelBytes, file) == layout.pixelBytes) {
            image = convertRows(rows, layout);
        }
        std::free(rows);
    }
    std::fclose(file);
    return image;
}

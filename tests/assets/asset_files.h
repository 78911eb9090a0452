// Helpers of the asset tests: where the program folder is, raw file reading, and a strict
// reader of our own 24-bit BMPs that the tests use beside the render library's loader.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string distPath(const std::string& relative) {
    return std::string(MT_DIST) + "/" + relative;
}

inline std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::uint32_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}
inline std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads a BMP the way our generator must write it; an empty picture when it breaks any rule.
inline Picture readStrictBmp(const std::string& path) {
    const std::vector<std::uint8_t> b = readFile(path);
    Picture p;
    if (b.size() < 54 || le16(b, 0) != 0x4D42 || le32(b, 10) != 54 || le32(b, 14) != 40 || le16(b, 26) != 1 ||
        le16(b, 28) != 24 || le32(b, 30) != 0)
        return p;
    const int w = static_cast<int>(le32(b, 18));
    const int h = static_cast<int>(le32(b, 22));
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return p;
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
    if (b.size() != 54 + row * h || le32(b, 2) != b.size()) return p;
    p.width = w;
    p.height = h;
    p.pixels.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + row * (h - 1 - y) + 3 * x;
            p.pixels[static_cast<std::size_t>(y) * w + x] = b[at] | (b[at + 1] << 8) | (b[at + 2] << 16);
        }
    return p;
}

// A BMP of the game's data folder by its name without ".bmp".
inline Picture loadDat(const std::string& name) {
    return readStrictBmp(distPath("DAT/" + name + ".bmp"));
}

inline int luminance(std::uint32_t c) {
    return (((c >> 16) & 0xFF) * 299 + ((c >> 8) & 0xFF) * 587 + (c & 0xFF) * 114) / 1000;
}

inline constexpr std::uint32_t kKey = 0x00FF00FFu;

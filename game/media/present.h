// The pixel work of presenting a frame: the after-glow blend of each new frame into
// displayBuffer, the 800 x 600 full-screen picture (each row doubled by interpolation, odd
// rows and the last column black), the 16-bit conversion tables for displays that want
// 5-6-5 or 5-5-5 pixels, and where the picture goes in a window or on a screen of any size.
// Pure code shared by the SDL layer, the headless layer and the tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

// display = (3 x (frame AND 0xFCFCFC) + (display AND 0xFCFCFC)) >> 2 for count pixels.
void blendFramePlain(const std::uint32_t* frame, std::uint32_t* display, std::size_t count);
void blendFrame(const std::uint32_t* frame, std::uint32_t* display, std::size_t count);  // fast path

// The 800 x 600 picture of a 400 x 300 frame; pitch is in pixels (at least 800). Every pixel
// of the 800 x 600 area is written: the black ones too.
void expandFramePlain(const std::uint32_t* frame, std::uint32_t* screen, std::size_t pitch);
void expandFrame(const std::uint32_t* frame, std::uint32_t* screen, std::size_t pitch);  // fast path

struct SixteenBitTables {
    std::array<std::uint16_t, 65536> highTable{};  // red part for the red byte (index AND 0xFF)
    std::array<std::uint16_t, 65536> lowTable{};   // green and blue parts for (green << 8) | blue
    bool is555 = false;
};
void buildSixteenBitTables(SixteenBitTables* tables, bool is555);
inline std::uint16_t toSixteenBit(const SixteenBitTables& t, std::uint32_t pixel) {
    return static_cast<std::uint16_t>(t.highTable[pixel >> 16] + t.lowTable[pixel & 0xFFFF]);
}
// The 800 x 600 picture through the tables; pitch in 16-bit pixels.
void expandFrame16(const std::uint32_t* frame, std::uint16_t* screen, std::size_t pitch,
                   const SixteenBitTables& tables);

// Where a picture of picture.w x picture.h goes in an output of output.w x output.h pixels
// (physical pixels on a HiDPI display): the largest whole factor that fits, centred, with
// nearest sampling; an output smaller than the picture gets it scaled down smoothly to the
// largest size of the same shape that fits, centred. The rest of the output stays black.
struct PixelSize {
    int w = 0;
    int h = 0;
    bool operator==(const PixelSize&) const = default;
};
inline constexpr PixelSize kFrameSize{400, 300};
inline constexpr PixelSize kFullScreenSize{kScreenWidth, kScreenHeight};
struct Placement {
    int x = 0, y = 0, w = 0, h = 0;
    int factor = 0;       // 0: scaled down
    bool smooth = false;  // linear filtering (only when scaled down)
    bool operator==(const Placement&) const = default;
};
Placement placePicture(PixelSize output, PixelSize picture);

// The window's client size at start: the stored size, at most the desktop's usable area less
// the decorations; without one, twice the 400 x 300 frame where that area holds it, else once.
PixelSize chooseWindowSize(PixelSize stored, PixelSize usable, PixelSize decorations);

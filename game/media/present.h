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
// (physical pixels on a HiDPI display); the rest of the output stays black, the picture is
// centred.
// - Whole factors: the largest whole factor that fits, with nearest sampling.
// - Sharp fill: the largest size of the picture's own shape that fits, reached in two steps:
//   enlarged `factor` times with nearest sampling (the smallest whole factor that covers the
//   final size), then scaled linearly down to it. Pixels stay crisp, only their edges blend, and
//   at an exact whole factor the second step falls away: the same picture as whole factors.
// In both, an output smaller than the picture gets it scaled down linearly to the largest size
// of the same shape that fits (factor 0 for whole factors, 1 for sharp fill).
struct PixelSize {
    int w = 0;
    int h = 0;
    bool operator==(const PixelSize&) const = default;
};
inline constexpr PixelSize kFrameSize{400, 300};
inline constexpr PixelSize kFullScreenSize{kScreenWidth, kScreenHeight};
struct Placement {
    int x = 0, y = 0, w = 0, h = 0;
    int factor = 0;       // the whole factor of the nearest step
    bool smooth = false;  // a linear step follows it (or replaces it when factor is 0)
    bool operator==(const Placement&) const = default;
};
Placement placePicture(PixelSize output, PixelSize picture, bool sharpFill);

// The window's client size at start: the stored size, at most the desktop's usable area less
// the decorations; without one, twice the 400 x 300 frame where that area holds it, else once.
PixelSize chooseWindowSize(PixelSize stored, PixelSize usable, PixelSize decorations);

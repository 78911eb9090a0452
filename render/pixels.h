// Colours, images, the 400 x 300 drawing surface type and the drawing state shared by every
// drawing operation of the render library. Both programs link this library and each gets its
// own DrawContext; each program owns the surfaces it draws into (the game its frame slots, the
// editor its view's buffer) and points drawContext.target at one of them.
#pragma once

#include <cstddef>
#include <cstdint>

using Colour = std::uint32_t;  // 0x00RRGGBB; the top byte carries no meaning in a frame

inline constexpr Colour colourKey = 0x00FF00FFu;  // transparent in keyed operations, whole word compared

inline constexpr int kFrameWidth = 400;
inline constexpr int kFrameHeight = 300;
inline constexpr int kFramePixels = kFrameWidth * kFrameHeight;
inline constexpr int kFrameRowBytes = kFrameWidth * 4;

// Largest width or height createPixelBuffer and loadBmp accept; anything beyond is a broken file.
inline constexpr std::int32_t kMaxImageSide = 16384;

// An image: width x height pixels, top row first, no padding, in one zero-filled allocation
// with room for width x height + 2 words. Made by createPixelBuffer or loadBmp, released by
// destroyPixelBuffer.
struct PixelBuffer {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t* pixels() { return reinterpret_cast<std::uint32_t*>(this + 1); }
    const std::uint32_t* pixels() const { return reinterpret_cast<const std::uint32_t*>(this + 1); }
};

// Every drawing target is one of these: 400 x 300 pixels, 1600-byte rows, top row first.
struct FrameBuffer {
    alignas(64) std::uint32_t pixels[kFramePixels];
};

// The drawing state. Operations trust the clip rectangle (inclusive corners) and never check
// the surface bounds themselves; a rectangle with left > right or top > bottom draws nothing.
struct DrawContext {
    FrameBuffer* target = nullptr;              // every program points it at a surface of its own first
    std::uint32_t rowIndex[kFrameHeight] = {};  // pixel index of row y: y x 400
    std::int32_t clipLeft = 0;
    std::int32_t clipTop = 0;
    std::int32_t clipRight = kFrameWidth - 1;
    std::int32_t clipBottom = kFrameHeight - 1;
    Colour drawColour = 0x00FFFFFFu;
};
// The library's drawContext has its row tables filled from the start; initRowTables fills them
// again, as the display set-up of each program does.
extern DrawContext drawContext;

void initRowTables();
void clearFrameBuffer(FrameBuffer* buffer);
void setClipRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
void resetClipRect();
// The frame less its one-pixel border: the clip of every full picture the game draws.
inline void setFrameInteriorClip() {
    setClipRect(1, 1, kFrameWidth - 2, kFrameHeight - 2);
}

// Pointer to the first pixel of row y of the current target.
inline std::uint32_t* targetRow(std::int32_t y) {
    return drawContext.target->pixels + drawContext.rowIndex[y];
}

PixelBuffer* createPixelBuffer(std::int32_t width, std::int32_t height);
void destroyPixelBuffer(PixelBuffer* image);
// How many images are made and not yet destroyed.
std::int64_t livePixelBuffers();

// Reads an uncompressed 24-bit bottom-up BMP; null for anything else, for impossible or absurd
// sizes (not positive, or above kMaxImageSide) and for files shorter than their pixel data
// (rowBytes x height bytes from byte 54 on). Nothing stays allocated on failure. A null image
// passed to any drawing operation draws nothing and changes no state.
PixelBuffer* loadBmp(const char* path);
PixelBuffer* loadBmpFromMemory(const std::uint8_t* data, std::size_t size);

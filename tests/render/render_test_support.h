// Shared helpers of the render tests: a fixture that puts the drawing state back to its start
// values around every test, small painters for frames and images, and every blit and quad
// filler under one signature.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "render/blit.h"
#include "render/pixels.h"
#include "render/reference.h"
#include "render/texture.h"

// clang-format off
struct ImageDeleter { void operator()(PixelBuffer* image) const { destroyPixelBuffer(image); } };
using ImagePtr = std::unique_ptr<PixelBuffer, ImageDeleter>;
inline ImagePtr makeImage(int width, int height, std::uint32_t fill) {
    ImagePtr image(createPixelBuffer(width, height));
    std::fill_n(image->pixels(), width * height, fill);
    return image;
}
inline std::uint32_t& at(FrameBuffer* frame, int x, int y) { return frame->pixels[y * kFrameWidth + x]; }
inline std::uint32_t& at(PixelBuffer* image, int x, int y) { return image->pixels()[y * image->width + x]; }
inline void paint(FrameBuffer* frame, std::uint32_t colour) { std::fill_n(frame->pixels, kFramePixels, colour); }
// Number of pixels of the frame that differ from colour.
inline int countNot(const FrameBuffer* frame, std::uint32_t colour) {
    return static_cast<int>(kFramePixels - std::count(frame->pixels, frame->pixels + kFramePixels, colour));
}

// Every blit, indexed by BlitKind; the amount is the level or alpha of the last four.
using Blit = void (*)(std::int32_t, std::int32_t, const PixelBuffer*, std::int32_t);
enum BlitKind { kCopy, kKeyed, kSilhouette, kAdd, kSub, kSubAll, kDim, kBlend, kKeyedDim, kKeyedBlend, kBlits };
#define MT_PLAIN_BLIT(blit) [](std::int32_t x, std::int32_t y, const PixelBuffer* i, std::int32_t) { blit(x, y, i); }
inline constexpr Blit kAllBlits[kBlits] = {
    MT_PLAIN_BLIT(blitCopy), MT_PLAIN_BLIT(blitKeyed), MT_PLAIN_BLIT(blitSilhouette), MT_PLAIN_BLIT(blitAdd),
    MT_PLAIN_BLIT(blitSubtract), MT_PLAIN_BLIT(blitSubtractAll), blitDim, blitBlend, blitKeyedDim, blitKeyedBlend};
#undef MT_PLAIN_BLIT

// 128 x 128 pixel words loaded as a .txm file (little-endian), less its last `cut` bytes.
inline void loadTxm(TextureStore* store, const std::vector<std::uint32_t>& pixels, std::size_t cut = 0) {
    loadTextureFromMemory(store, reinterpret_cast<const std::uint8_t*>(pixels.data()), pixels.size() * 4 - cut);
}

// The three quad fillers; c holds x0, y0 .. x3, y3 and then u0, v0 .. u3, v3.
enum class Filler { opaque, add, blend };
inline void drawQuad(Filler filler, const int* c, const TextureStore* t, int alpha = 0) {
#define MT_QUAD \
    c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12], c[13], c[14], c[15], t
    if (filler == Filler::opaque) drawTexQuad(MT_QUAD);
    if (filler == Filler::add) drawTexQuadAdd(MT_QUAD);
    if (filler == Filler::blend) drawTexQuadBlend(MT_QUAD, alpha);
#undef MT_QUAD
}
// clang-format on

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(), drawContext.target = target.get(); }
    void TearDown() override { drawContext = DrawContext{}, initRowTables(), renderPaths = RenderPaths{}; }
    std::unique_ptr<FrameBuffer> target = std::make_unique<FrameBuffer>();
    std::unique_ptr<TextureStore> texture = std::make_unique<TextureStore>();
};

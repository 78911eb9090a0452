// Shared helpers of the render tests: a fixture that puts the drawing state back to its start
// values around every test, and small painters for frames and images.
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

struct ImageDeleter {
    void operator()(PixelBuffer* image) const { destroyPixelBuffer(image); }
};
using ImagePtr = std::unique_ptr<PixelBuffer, ImageDeleter>;

inline ImagePtr makeImage(int width, int height, std::uint32_t fill) {
    ImagePtr image(createPixelBuffer(width, height));
    std::fill_n(image->pixels(), width * height, fill);
    return image;
}

inline std::uint32_t& at(FrameBuffer* frame, int x, int y) {
    return frame->pixels[y * kFrameWidth + x];
}
inline std::uint32_t& at(PixelBuffer* image, int x, int y) {
    return image->pixels()[y * image->width + x];
}
inline void paint(FrameBuffer* frame, std::uint32_t colour) {
    std::fill_n(frame->pixels, kFramePixels, colour);
}
// Number of pixels of the frame that differ from colour.
inline int countNot(const FrameBuffer* frame, std::uint32_t colour) {
    return static_cast<int>(kFramePixels - std::count(frame->pixels, frame->pixels + kFramePixels, colour));
}

// Every blit under one signature, indexed by BlitKind; the amount is the level or alpha of the
// last four and ignored by the others.
using Blit = void (*)(std::int32_t, std::int32_t, const PixelBuffer*, std::int32_t);
// clang-format off
enum BlitKind { kCopy, kKeyed, kSilhouette, kAdd, kSub, kSubAll, kDim, kBlend, kKeyedDim, kKeyedBlend,
                kBlits };
#define MT_PLAIN_BLIT(blit) \
    [](std::int32_t x, std::int32_t y, const PixelBuffer* i, std::int32_t) { blit(x, y, i); }
inline constexpr Blit kAllBlits[kBlits] = {
    MT_PLAIN_BLIT(blitCopy), MT_PLAIN_BLIT(blitKeyed),    MT_PLAIN_BLIT(blitSilhouette),
    MT_PLAIN_BLIT(blitAdd),  MT_PLAIN_BLIT(blitSubtract), MT_PLAIN_BLIT(blitSubtractAll),
    blitDim, blitBlend, blitKeyedDim, blitKeyedBlend};
// clang-format on
#undef MT_PLAIN_BLIT

// The .txm bytes of 128 x 128 pixel words, and those bytes loaded into a texture store.
inline std::vector<std::uint8_t> txmBytes(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint8_t> bytes(pixels.size() * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(pixels[i / 4] >> (8 * (i % 4)));
    return bytes;
}
inline void loadTxm(TextureStore* store, const std::vector<std::uint32_t>& pixels) {
    auto bytes = txmBytes(pixels);
    loadTextureFromMemory(store, bytes.data(), bytes.size());
}

// The three quad fillers; c holds x0, y0 .. x3, y3 and then u0, v0 .. u3, v3.
enum class Filler { opaque, add, blend };
inline void drawQuad(Filler filler, const int* c, const TextureStore* t, int alpha = 0) {
    if (filler == Filler::opaque) {
        drawTexQuad(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12], c[13],
                    c[14], c[15], t);
    } else if (filler == Filler::add) {
        drawTexQuadAdd(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12], c[13],
                       c[14], c[15], t);
    } else {
        drawTexQuadBlend(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12],
                         c[13], c[14], c[15], t, alpha);
    }
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = std::make_unique<FrameBuffer>();
        paint(target.get(), 0);
        initRowTables();
        resetClipRect();
        drawContext.target = target.get();
        drawContext.drawColour = 0x00FFFFFFu;
        renderPaths = RenderPaths{};
    }
    void TearDown() override {
        drawContext.target = drawBuffer;
        resetClipRect();
        renderPaths = RenderPaths{};
    }
    std::unique_ptr<FrameBuffer> target;
};

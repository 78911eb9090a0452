// Shared helpers of the render tests: a fixture that puts the drawing state back to its start
// values around every test, and small painters for frames and images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "render/pixels.h"
#include "render/reference.h"

struct ImageDeleter {
    void operator()(PixelBuffer* image) const { destroyPixelBuffer(image); }
};
using ImagePtr = std::unique_ptr<PixelBuffer, ImageDeleter>;

inline ImagePtr makeImage(int width, int height, std::uint32_t fill) {
    ImagePtr image(createPixelBuffer(width, height));
    for (int i = 0; i < width * height; ++i) {
        image->pixels()[i] = fill;
    }
    return image;
}

inline std::uint32_t& at(FrameBuffer* frame, int x, int y) {
    return frame->pixels[y * kFrameWidth + x];
}
inline std::uint32_t& at(PixelBuffer* image, int x, int y) {
    return image->pixels()[y * image->width + x];
}

inline void paint(FrameBuffer* frame, std::uint32_t colour) {
    for (std::uint32_t& pixel : frame->pixels) {
        pixel = colour;
    }
}

// Number of pixels of the frame that differ from colour.
inline int countNot(const FrameBuffer* frame, std::uint32_t colour) {
    int count = 0;
    for (std::uint32_t pixel : frame->pixels) {
        count += pixel != colour ? 1 : 0;
    }
    return count;
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
        renderPaths.referenceOnly = false;
    }
    void TearDown() override {
        drawContext.target = drawBuffer;
        resetClipRect();
        renderPaths.referenceOnly = false;
    }
    std::unique_ptr<FrameBuffer> target;
};

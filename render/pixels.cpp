// The drawing state of the render library: the DrawContext every operation reads, its row
// tables and clip rectangle, surface clears and the allocation of images.
#include "render/pixels.h"

#include <cstdlib>
#include <new>

#include "render/reference.h"

namespace {

void fillRowTables(DrawContext* context) {
    for (int y = 0; y < kFrameHeight; ++y) {
        context->rowIndex[y] = static_cast<std::uint32_t>(y * kFrameWidth);
    }
}

// The row tables are right from the first instant, so a drawing made before the display set-up
// (a test, a tool) cannot land every row on row 0.
DrawContext initialContext() {
    DrawContext context{};
    fillRowTables(&context);
    return context;
}

// Images made and not yet released: a program that has shut down holds none, so a picture
// that is never freed shows in the tests without a leak checker.
struct ImageCount {
    std::int64_t live = 0;
};
ImageCount imageCount{};

}  // namespace

DrawContext drawContext = initialContext();

void initRowTables() {
    fillRowTables(&drawContext);
}

void clearFrameBuffer(FrameBuffer* buffer) {
    if (buffer == nullptr) {
        return;
    }
    if (renderPaths.referenceOnly) {
        ref::clearWords(buffer->pixels, kFramePixels);
    } else {
        fast::clearWords(buffer->pixels, kFramePixels);
    }
}

void setClipRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    if (x1 < x0) {
        std::int32_t swap = x0;
        x0 = x1;
        x1 = swap;
    }
    if (y1 < y0) {
        std::int32_t swap = y0;
        y0 = y1;
        y1 = swap;
    }
    drawContext.clipLeft = x0 > 0 ? x0 : 0;
    drawContext.clipTop = y0 > 0 ? y0 : 0;
    drawContext.clipRight = x1 < kFrameWidth - 1 ? x1 : kFrameWidth - 1;
    drawContext.clipBottom = y1 < kFrameHeight - 1 ? y1 : kFrameHeight - 1;
}

void resetClipRect() {
    drawContext.clipLeft = 0;
    drawContext.clipTop = 0;
    drawContext.clipRight = kFrameWidth - 1;
    drawContext.clipBottom = kFrameHeight - 1;
}

PixelBuffer* createPixelBuffer(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return nullptr;
    }
    // The two header words count as the "+ 2" of the allocation, so the pixels follow them.
    std::size_t words = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 2;
    static_assert(sizeof(PixelBuffer) == 2 * sizeof(std::uint32_t));
    void* block = std::calloc(words, sizeof(std::uint32_t));
    if (block == nullptr) {
        return nullptr;
    }
    ++imageCount.live;
    return new (block) PixelBuffer{width, height};
}

void destroyPixelBuffer(PixelBuffer* image) {
    if (image != nullptr) --imageCount.live;
    std::free(image);
}

std::int64_t livePixelBuffers() {
    return imageCount.live;
}

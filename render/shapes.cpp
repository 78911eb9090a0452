// Single pixels, lines and rectangles in the drawing colour, clipped to the clip rectangle.
// Lines are the building block of the filled rectangles and of the black boxes a dimming blit
// turns into at level 0.
#include "render/blit.h"
#include "render/reference.h"

namespace {

void fillSpan(std::uint32_t* dst, int count) {
    if (renderPaths.referenceOnly) {
        ref::fillRow(dst, count, drawContext.drawColour);
    } else {
        fast::fillRow(dst, count, drawContext.drawColour);
    }
}

}  // namespace

void drawPixel(std::int32_t x, std::int32_t y) {
    const DrawContext& dc = drawContext;
    if (x < dc.clipLeft || x > dc.clipRight || y < dc.clipTop || y > dc.clipBottom) {
        return;
    }
    targetRow(y)[x] = dc.drawColour;
}

void drawHLine(std::int32_t x0, std::int32_t x1, std::int32_t y) {
    const DrawContext& dc = drawContext;
    if (y < dc.clipTop || y > dc.clipBottom) {
        return;
    }
    std::int32_t left = x0 < x1 ? x0 : x1;
    std::int32_t right = x0 < x1 ? x1 : x0;
    left = left < dc.clipLeft ? dc.clipLeft : left;
    right = right > dc.clipRight ? dc.clipRight : right;
    if (left > right) {
        return;
    }
    fillSpan(targetRow(y) + left, right - left + 1);
}

void drawVLine(std::int32_t y0, std::int32_t y1, std::int32_t x) {
    const DrawContext& dc = drawContext;
    if (x < dc.clipLeft || x > dc.clipRight) {
        return;
    }
    std::int32_t top = y0 < y1 ? y0 : y1;
    std::int32_t bottom = y0 < y1 ? y1 : y0;
    top = top < dc.clipTop ? dc.clipTop : top;
    bottom = bottom > dc.clipBottom ? dc.clipBottom : bottom;
    for (std::int32_t y = top; y <= bottom; ++y) {
        targetRow(y)[x] = dc.drawColour;
    }
}

void fillRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    std::int32_t top = y0 < y1 ? y0 : y1;
    std::int32_t bottom = y0 < y1 ? y1 : y0;
    // Rows outside the clip rectangle would be dropped line by line anyway; skipping them here
    // keeps a huge rectangle from costing billions of empty calls.
    top = top < drawContext.clipTop ? drawContext.clipTop : top;
    bottom = bottom > drawContext.clipBottom ? drawContext.clipBottom : bottom;
    for (std::int32_t y = top; y <= bottom; ++y) {
        drawHLine(x0, x1, y);
    }
}

void drawRectOutline(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    drawHLine(x0, x1, y0);
    drawHLine(x0, x1, y1);
    drawVLine(y0, y1, x0);
    drawVLine(y0, y1, x1);
}

// Shapes in drawContext.drawColour and the image blits onto drawContext.target, all clipped
// to the clip rectangle. Levels and alphas are on a scale of 256; per-byte products are exact
// and truncated, additions and subtractions saturate per byte. Every operation writes exactly
// the bytes of its scalar rule, whatever fast path it takes.
#pragma once

#include <cstdint>

#include "render/pixels.h"

void drawPixel(std::int32_t x, std::int32_t y);
void drawHLine(std::int32_t x0, std::int32_t x1, std::int32_t y);
void drawVLine(std::int32_t y0, std::int32_t y1, std::int32_t x);
void fillRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
void drawRectOutline(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

void blitCopy(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitKeyed(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitSilhouette(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitAdd(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitSubtract(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitSubtractAll(std::int32_t x, std::int32_t y, const PixelBuffer* image);
void blitDim(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t level);
void blitBlend(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t alpha);
void blitKeyedDim(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t level);
void blitKeyedBlend(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t alpha);
void grabRect(std::int32_t x, std::int32_t y, PixelBuffer* image);  // target -> image

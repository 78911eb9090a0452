// The cells that the editor's drawing tools cover: lines, rectangles, ellipses and their
// filled forms on the scene grid. Every shape reports its cells one by one, in a fixed order,
// to a cell sink together with the preview flag it was given; the sink decides what happens
// to cells outside the grid and what is written. Integer arithmetic only (the ellipses rotate
// a fixed-point vector with 6 fractional bits), so the same strokes always give the same cells.
#pragma once

#include <cstdint>

// Receives each covered cell; may be called more than once for the same cell.
using CellSink = void (*)(std::int32_t column, std::int32_t row, bool preview);

void drawLine(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
              CellSink sink);
void drawRectangle(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
                   CellSink sink);
void fillRectangle(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
                   CellSink sink);
void drawEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                 CellSink sink);
void fillEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                 CellSink sink);
void fillSpan(std::int32_t x0, std::int32_t x1, std::int32_t row, bool preview, CellSink sink);

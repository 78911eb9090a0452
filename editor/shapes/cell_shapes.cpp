// The cell shapes of the editor's drawing tools. The visiting orders matter: the view feeds
// these cells straight into the scene, and a scene drawn with the same strokes must come out
// the same cell for cell. The ellipses walk a circle by rotating a vector (x, y) in 6-bit
// fixed point (x += y / r, y -= x / r) and scale one axis by ry / rx or rx / ry; they never
// touch floating point so that every build gives the same cells.
#include "editor/shapes/cell_shapes.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Reports the point (px, py) mirrored into all four quadrants around (cx, cy), each mirror
// only once when it lies on an axis.
void plot4(std::int32_t cx, std::int32_t cy, std::int32_t px, std::int32_t py, bool preview, CellSink sink) {
    sink(cx + px, cy + py, preview);
    if (px != 0) sink(cx - px, cy + py, preview);
    if (py != 0) {
        sink(cx + px, cy - py, preview);
        if (px != 0) sink(cx - px, cy - py, preview);
    }
}

// Ellipse outline walked along the wider x axis: (h, k) follows the lower octant, (i, j) the
// upper one, each reported only when it moved to a new cell and before the two meet.
void drawWideEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                     CellSink sink) {
    std::int32_t h = 65535, i = 65535, j = 65535, k = 65535;
    std::int32_t ix = 0, iy = 64 * rx;
    do {
        const std::int32_t oh = h, oi = i, oj = j, ok = k;
        h = (ix + 32) >> 6;
        i = (iy + 32) >> 6;
        j = h * ry / rx;
        k = i * ry / rx;
        if ((h != oh || k != ok) && h < oi) plot4(cx, cy, h, k, preview, sink);
        if ((i != oi || j != oj) && h < i) plot4(cx, cy, i, j, preview, sink);
        ix = ix + iy / rx;
        iy = iy - ix / rx;
    } while (i > h);
}

// The same walk along the taller y axis, with the roles of the coordinates exchanged.
void drawTallEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                     CellSink sink) {
    std::int32_t h = 65535, i = 65535, j = 65535, k = 65535;
    std::int32_t ix = 0, iy = 64 * ry;
    do {
        const std::int32_t oh = h, oi = i, oj = j, ok = k;
        h = (ix + 32) >> 6;
        i = (iy + 32) >> 6;
        j = h * rx / ry;
        k = i * rx / ry;
        if ((j != oj || i != oi) && h < i) plot4(cx, cy, j, i, preview, sink);
        if ((k != ok || h != oh) && h < oi) plot4(cx, cy, k, h, preview, sink);
        ix = ix + iy / ry;
        iy = iy - ix / ry;
    } while (i > h);
}

// Filled ellipse, wide case: each step yields a span half-width b at row offset c (growing
// from the centre) and a half-width a at row offset d (shrinking from the top); low and high
// keep a row from being spanned twice from the same side.
void fillWideEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                     CellSink sink) {
    std::int32_t low = -1, high = 65535;
    std::int32_t ix = 0, iy = 64 * rx;
    std::int32_t na = 0, nb = (iy + 32) >> 6, nc = 0, nd = nb * ry / rx;
    std::int32_t a = 0, b = 0;
    do {
        a = na, b = nb;
        const std::int32_t c = nc, d = nd;
        ix = ix + iy / rx;
        iy = iy - ix / rx;
        na = (ix + 32) >> 6;
        nb = (iy + 32) >> 6;
        nc = na * ry / rx;
        nd = nb * ry / rx;
        if (low <= c && c <= high) {
            fillSpan(cx - b, cx + b, cy + c, preview, sink);
            if (c != 0) fillSpan(cx - b, cx + b, cy - c, preview, sink);
            low = c;
        }
        if (low <= d && d <= high) {
            fillSpan(cx - a, cx + a, cy + d, preview, sink);
            fillSpan(cx - a, cx + a, cy - d, preview, sink);
            high = d;
        }
    } while (b > a);
}

// Filled ellipse, tall case: the same walk with the rows and half-widths exchanged.
void fillTallEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                     CellSink sink) {
    std::int32_t low = -1, high = 65535;
    std::int32_t ix = 0, iy = 64 * ry;
    std::int32_t na = 0, nb = (iy + 32) >> 6, nc = 0, nd = nb * rx / ry;
    std::int32_t a = 0, b = 0;
    do {
        a = na, b = nb;
        const std::int32_t c = nc, d = nd;
        ix = ix + iy / ry;
        iy = iy - ix / ry;
        na = (ix + 32) >> 6;
        nb = (iy + 32) >> 6;
        nc = na * rx / ry;
        nd = nb * rx / ry;
        if (low <= a && a <= high) {
            fillSpan(cx - d, cx + d, cy + a, preview, sink);
            if (a != 0) fillSpan(cx - d, cx + d, cy - a, preview, sink);
            low = a;
        }
        if (low <= b && b <= high) {
            fillSpan(cx - c, cx + c, cy + b, preview, sink);
            fillSpan(cx - c, cx + c, cy - b, preview, sink);
            high = b;
        }
    } while (b > a);
}

}  // namespace

// Bresenham with the error compared against half the major extent; an error exactly at half
// does not step, which decides the ties in favour of the starting row or column.
void drawLine(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
              CellSink sink) {
    const std::int32_t dx = std::abs(c1 - c0), sx = c1 < c0 ? -1 : 1;
    const std::int32_t dy = std::abs(r1 - r0), sy = r1 < r0 ? -1 : 1;
    std::int32_t err = 0, c = c0, r = r0;
    const bool wide = dx >= dy;
    const std::int32_t major = wide ? dx : dy, minor = wide ? dy : dx;
    const std::int32_t half = major >> 1;
    for (std::int32_t n = 0; n <= major; ++n) {
        sink(c, r, preview);
        err += minor;
        (wide ? c : r) += wide ? sx : sy;
        if (err > half) {
            err -= major;
            (wide ? r : c) += wide ? sy : sx;
        }
    }
}

void drawRectangle(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
                   CellSink sink) {
    const std::int32_t left = std::min(c0, c1), right = std::max(c0, c1);
    const std::int32_t top = std::min(r0, r1), bottom = std::max(r0, r1);
    for (std::int32_t c = left; c <= right; ++c) {
        sink(c, top, preview);
        sink(c, bottom, preview);
    }
    for (std::int32_t r = top; r <= bottom; ++r) {
        sink(left, r, preview);
        sink(right, r, preview);
    }
}

void fillRectangle(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1, bool preview,
                   CellSink sink) {
    const std::int32_t left = std::min(c0, c1), right = std::max(c0, c1);
    const std::int32_t top = std::min(r0, r1), bottom = std::max(r0, r1);
    for (std::int32_t r = top; r <= bottom; ++r) fillSpan(left, right, r, preview, sink);
}

void drawEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                 CellSink sink) {
    rx = std::max(rx, 1);
    ry = std::max(ry, 1);
    if (rx > ry)
        drawWideEllipse(cx, cy, rx, ry, preview, sink);
    else
        drawTallEllipse(cx, cy, rx, ry, preview, sink);
}

void fillEllipse(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry, bool preview,
                 CellSink sink) {
    rx = std::max(rx, 1);
    ry = std::max(ry, 1);
    if (rx > ry)
        fillWideEllipse(cx, cy, rx, ry, preview, sink);
    else
        fillTallEllipse(cx, cy, rx, ry, preview, sink);
}

void fillSpan(std::int32_t x0, std::int32_t x1, std::int32_t row, bool preview, CellSink sink) {
    for (std::int32_t x = x0; x <= x1; ++x) sink(x, row, preview);
}

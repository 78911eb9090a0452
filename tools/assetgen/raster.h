// Small-sprite rasterising: shapes given as functions of a point are sampled 4 x 4 times per
// pixel, giving each pixel a coverage and the mean colour of the samples inside. Sprites drawn
// with the colour key then keep a pixel when at least half of it is covered, so their edges
// stay crisp at 10 x 10 instead of fringing into magenta.
#pragma once

#include <algorithm>
#include <cmath>

#include "tools/assetgen/palette.h"

struct Coverage {
    double amount = 0.0;  // 0..1
    double r = 0.0, g = 0.0, b = 0.0;
};

// fn(x, y, colour) returns true when (x, y) (pixel units, pixel centres at +0.5) is inside.
template <typename ShapeFn>
Coverage sampleCoverage(int px, int py, ShapeFn fn) {
    Coverage out;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            Rgb c = 0;
            if (fn(px + (sx + 0.5) / 4.0, py + (sy + 0.5) / 4.0, c)) {
                ++inside;
                out.r += red(c);
                out.g += green(c);
                out.b += blue(c);
            }
        }
    }
    out.amount = inside / 16.0;
    if (inside > 0) {
        out.r /= inside;
        out.g /= inside;
        out.b /= inside;
    }
    return out;
}

inline Rgb coverageColour(const Coverage& c) {
    return rgb(static_cast<int>(std::lround(c.r)), static_cast<int>(std::lround(c.g)),
               static_cast<int>(std::lround(c.b)));
}

// Keyed sprite: magenta where less than half covered. A covered pixel never comes out as
// exact magenta, which the programs would take as transparent.
template <typename ShapeFn>
void rasterKeyed(Image& image, int ox, int oy, int w, int h, ShapeFn fn) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Coverage c = sampleCoverage(x, y, fn);
            Rgb p = c.amount >= 0.5 ? coverageColour(c) : kMagenta;
            if (c.amount >= 0.5 && p == kMagenta) p = 0xFE00FE;
            image.at(ox + x, oy + y) = p;
        }
    }
}

// Additive or subtractive sprite: colour weighted by coverage, black where nothing is added.
template <typename ShapeFn>
void rasterSoft(Image& image, int ox, int oy, int w, int h, ShapeFn fn) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Coverage c = sampleCoverage(x, y, fn);
            image.at(ox + x, oy + y) = rgb(static_cast<int>(std::lround(c.r * c.amount)),
                                           static_cast<int>(std::lround(c.g * c.amount)),
                                           static_cast<int>(std::lround(c.b * c.amount)));
        }
    }
}

// Light from the top left on a sphere of radius r centred at (cx, cy): 0..1 brightness.
inline double sphereLight(double x, double y, double cx, double cy, double r) {
    const double nx = (x - cx) / r;
    const double ny = (y - cy) / r;
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    const double diffuse = std::max(0.0, -0.55 * nx - 0.55 * ny + 0.63 * nz);
    return diffuse;
}

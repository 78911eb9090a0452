// The nine pond floors bg00..bg08 (Grass, Silt, Marble, Rock, Cobble, Granite, Sandrock,
// Cobblestone, Ore). Each is a height field and a colour per pixel, shaded by the top-left
// light. They stay mid-dark and low in contrast so that the bright beans and the glowing worm
// read clearly on them, also through the water and at night.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/assetgen/palette.h"

namespace {

constexpr int kW = 400;
constexpr int kH = 300;

struct Sample {
    double height = 0.0;
    Rgb colour = 0;
};

using FloorFn = Sample (*)(double x, double y);

// Distances to the nearest and second nearest jittered point of a grid of the given cell size,
// and the id of the nearest point.
struct Cells {
    double f1 = 1e9;
    double f2 = 1e9;
    std::uint32_t id = 0;
};

Cells voronoi(double x, double y, double cell, double stretchY, std::uint32_t seed) {
    Cells out;
    const int cx = static_cast<int>(std::floor(x / cell));
    const int cy = static_cast<int>(std::floor(y / (cell * stretchY)));
    for (int j = cy - 1; j <= cy + 1; ++j) {
        for (int i = cx - 1; i <= cx + 1; ++i) {
            const double px = (i + 0.15 + 0.7 * hashUnit(i, j, seed)) * cell;
            const double py = (j + 0.15 + 0.7 * hashUnit(i, j, seed + 1)) * cell * stretchY;
            const double d = std::hypot(x - px, (y - py) / stretchY);
            if (d < out.f1) {
                out.f2 = out.f1;
                out.f1 = d;
                out.id = hash3(i, j, seed + 2);
            } else if (d < out.f2) {
                out.f2 = d;
            }
        }
    }
    return out;
}

double unitOf(std::uint32_t id, int shift) {
    return ((id >> shift) & 0xFF) / 255.0;
}

Sample grass(double x, double y) {
    // Blades lean with a slow current: stretched noise, warped sideways.
    const double warp = fbm(x / 80.0, y / 80.0, 2, 11) * 30.0;
    const double blades = fbm((x + warp) / 2.2, y / 16.0, 3, 12);
    const double clumps = fbm(x / 45.0, y / 45.0, 3, 13);
    Sample s;
    s.height = blades * 0.9 + clumps * 0.4;
    Rgb base = mix(0x1A2E1A, 0x3E5E2C, blades * 0.9 + clumps * 0.2);
    s.colour = mix(base, 0x5A5630, std::max(0.0, clumps - 0.55) * 1.2);
    return s;
}

Sample silt(double x, double y) {
    const double n = fbm(x / 50.0, y / 50.0, 3, 21);
    const double ripple = std::sin((x * 0.9 + y * 0.35) / 5.5 + n * 9.0);
    const double grain = hashUnit(static_cast<int>(x), static_cast<int>(y), 22);
    Sample s;
    s.height = ripple * 0.35 + n * 0.6 + grain * 0.08;
    s.colour = mix(0x5E5344, 0x8C7D62, n * 0.8 + grain * 0.15 + ripple * 0.06);
    return s;
}

Sample marble(double x, double y) {
    const double n = fbm(x / 70.0, y / 70.0, 5, 31);
    const double cloud = fbm(x / 110.0 + 3.0, y / 90.0, 3, 34);
    const double vein = std::fabs(std::sin((x * 0.6 + y * 0.8) / 28.0 + n * 10.0));
    const double fine = std::fabs(std::sin((x * 0.2 - y * 0.9) / 9.0 + n * 14.0));
    const double quartz = std::fabs(std::sin((x * 0.9 - y * 0.3) / 45.0 + cloud * 12.0));
    Sample s;
    s.height = n * 0.3;
    Rgb base = mix(0x4C5654, 0x747C74, n);
    base = mix(base, 0x7A705E, std::max(0.0, cloud - 0.45) * 1.2);  // warm clouds in the stone
    base = mix(base, 0x2E3C38, std::pow(1.0 - vein, 14.0) * 0.8);
    base = mix(base, 0x9AA49C, std::pow(1.0 - quartz, 24.0) * 0.5);  // pale quartz threads
    s.colour = mix(base, 0x4B5A55, std::pow(1.0 - fine, 20.0) * 0.45);
    return s;
}

Sample rock(double x, double y) {
    const Cells c = voronoi(x, y, 70.0, 0.8, 41);
    const double n = fbm(x / 30.0, y / 30.0, 4, 42);
    const double crack = std::clamp((c.f2 - c.f1) / 5.0, 0.0, 1.0);
    Sample s;
    s.height = n * 0.9 + crack * 0.6 + unitOf(c.id, 0) * 0.3;
    Rgb base = mix(0x4D4A44, 0x7B746A, n * 0.7 + unitOf(c.id, 8) * 0.3);
    s.colour = mix(0x23211E, base, 0.35 + crack * 0.65);
    return s;
}

Sample cobble(double x, double y) {
    const double wx = x + (fbm(x / 30.0, y / 30.0, 2, 51) - 0.5) * 8.0;
    const Cells c = voronoi(wx, y, 24.0, 1.0, 52);
    const double edge = std::clamp((c.f2 - c.f1) / 6.0, 0.0, 1.0);
    const double dome = std::sqrt(edge);
    const double grain = fbm(x / 3.0, y / 3.0, 2, 53);
    Sample s;
    s.height = dome * 1.4 + grain * 0.1;
    const Rgb stone = mix(0x67625A, 0x857D70, unitOf(c.id, 0) * 0.7 + grain * 0.3);
    s.colour = mix(0x3A372F, mix(stone, 0x6C7560, unitOf(c.id, 16) * 0.4), std::min(1.0, edge * 3));
    return s;
}

Sample granite(double x, double y) {
    const double n = fbm(x / 40.0, y / 40.0, 3, 61);
    const double speck = hashUnit(static_cast<int>(x / 1.5), static_cast<int>(y / 1.5), 62);
    const Cells crystal = voronoi(x, y, 6.0, 1.0, 63);
    Sample s;
    s.height = n * 0.3 + speck * 0.12 + (crystal.f2 - crystal.f1) * 0.012;
    Rgb base = mix(0x5E5A5C, 0x7F7877, n);
    const double tint = unitOf(crystal.id, 0);
    if (tint > 0.8)
        base = mix(base, 0x8E6E66, 0.35);  // feldspar
    else if (tint < 0.15)
        base = mix(base, 0x3A3836, 0.4);  // mica
    if (speck > 0.95) base = mix(base, 0xB0AAA2, 0.3);
    s.colour = base;
    return s;
}

Sample sandrock(double x, double y) {
    const double n = fbm(x / 60.0, y / 60.0, 4, 71);
    const double layer = y / 7.0 + n * 6.0 + std::sin(x / 55.0) * 1.5;
    const double band = 0.5 + 0.5 * std::sin(layer);
    const double grain = hashUnit(static_cast<int>(x), static_cast<int>(y), 72);
    Sample s;
    s.height = band * 0.45 + n * 0.5 + grain * 0.05;
    Rgb base = mix(0x6E4E33, 0x94704A, band * 0.7 + n * 0.3);
    s.colour = mix(base, 0x5C3F28, std::pow(std::fabs(std::sin(layer * 0.5)), 30.0) * 0.6 + grain * 0.08);
    return s;
}

Sample cobblestone(double x, double y) {
    // Staggered setts of 30 x 20 pixels with rounded corners and sandy joints.
    const int row = static_cast<int>(std::floor(y / 20.0));
    const double offset = (row & 1) ? 15.0 : 0.0;
    const int col = static_cast<int>(std::floor((x + offset) / 30.0));
    const double lx = std::fmod(x + offset, 30.0) - 15.0;
    const double ly = std::fmod(y, 20.0) - 10.0;
    const double qx = std::max(std::fabs(lx) - 9.5, 0.0);
    const double qy = std::max(std::fabs(ly) - 4.5, 0.0);
    const double inside =
        4.5 - std::hypot(qx, qy) + (fbm(x / 6.0, y / 6.0, 2, 83) - 0.5) * 1.5;  // > 0 inside the stone
    const double grain = fbm(x / 4.0, y / 4.0, 2, 81);
    const double tone = hashUnit(col, row, 82);
    Sample s;
    const double dome = std::clamp(inside / 4.5, 0.0, 1.0);
    s.height = std::sqrt(dome) * 1.2 + grain * 0.12;
    const Rgb stone = mix(0x54555A, 0x807C78, tone * 0.7 + grain * 0.3);
    s.colour = mix(0x3A3529, stone, std::clamp(inside, 0.0, 1.0));
    return s;
}

Sample ore(double x, double y) {
    const double n = fbm(x / 45.0, y / 45.0, 4, 91);
    const double vein = std::fabs(std::sin((x - y * 0.5) / 40.0 + n * 8.0));
    const double glint = hashUnit(static_cast<int>(x / 2.0), static_cast<int>(y / 2.0), 92);
    const double cluster = fbm(x / 25.0, y / 25.0, 2, 94);
    Sample s;
    s.height = n * 0.8;
    Rgb base = mix(0x2C2930, 0x524B56, n);
    const double inVein = std::pow(1.0 - vein, 6.0);
    base = mix(base, 0x6A4A2E, inVein * 0.7);
    if (glint > 0.995 - inVein * 0.05 * cluster) {
        const Rgb metal =
            (hash3(static_cast<int>(x / 2.0), static_cast<int>(y / 2.0), 93) & 3) == 0 ? 0x7FA8B8 : 0xD8A84A;
        base = mix(base, metal, 0.55);
        s.height += 0.15;
    }
    s.colour = base;
    return s;
}

constexpr std::array<FloorFn, 9> kFloors = {grass,   silt,     marble,      rock, cobble,
                                            granite, sandrock, cobblestone, ore};
constexpr std::array<double, 9> kBump = {2.5, 3.0, 1.5, 5.0, 3.5, 2.0, 3.0, 4.5, 3.5};
// Overall light per floor: the pale ones are toned down so the additive worm keeps its colour.
constexpr std::array<double, 9> kLevel = {1.0, 0.8, 0.8, 0.9, 0.85, 0.85, 0.8, 0.9, 1.0};

Image shadeFloor(FloorFn fn, double bump, double level) {
    std::vector<Sample> samples(static_cast<std::size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) samples[static_cast<std::size_t>(y) * kW + x] = fn(x, y);
    Image image = makeImage(kW, kH, 0);
    const double lx = -0.55, ly = -0.55, lz = 0.63;  // unit vector towards the top-left light
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            auto h = [&](int px, int py) {
                px = std::clamp(px, 0, kW - 1);
                py = std::clamp(py, 0, kH - 1);
                return samples[static_cast<std::size_t>(py) * kW + px].height;
            };
            const double nx = (h(x - 1, y) - h(x + 1, y)) * bump;
            const double ny = (h(x, y - 1) - h(x, y + 1)) * bump;
            const double len = std::sqrt(nx * nx + ny * ny + 1.0);
            const double diffuse = std::max(0.0, (nx * lx + ny * ly + lz) / len);
            const double light = (0.45 + 0.85 * diffuse) * level;
            image.at(x, y) = scale(samples[static_cast<std::size_t>(y) * kW + x].colour, light);
        }
    }
    return image;
}

}  // namespace

void makeFloors(const std::string& dat) {
    for (int i = 0; i < 9; ++i) {
        char name[24];  // room for any int, as GCC's format check asks in sanitizer builds
        std::snprintf(name, sizeof name, "bg%02d.bmp", i);
        const auto at = static_cast<std::size_t>(i);
        saveBmp(dat, name, shadeFloor(kFloors[at], kBump[at], kLevel[at]));
    }
}

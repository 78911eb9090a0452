// The playfield sprites (worm, neck glow and burst, shadows, stone, exit, hint arrows, score
// pop-ups, the list marker, the won mark, the ghost's ring), the status panel and the editor's
// start and random cells. Each is drawn the way the game blits it: keyed sprites are crisp with
// magenta round them, additive ones add nothing where black, the shadows subtract a little
// blue-tinted darkness and hold no magenta at all because they are also subtracted without
// the key.
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/assetgen/raster.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

Image wormSegment() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        if (std::hypot(x - 5.0, y - 5.0) > 4.9) return false;
        const double light = sphereLight(x, y, 5.0, 5.0, 5.0);
        // Added onto the floor, so modest values: the floor beneath supplies the rest.
        c = rgb(static_cast<int>(50 + 100 * light), static_cast<int>(12 + 52 * light),
                static_cast<int>(14 + 40 * light));
        return true;
    });
    return image;
}

// Stage k of the neck glow and of a bursting segment: a glow that fades with k and droplets
// that fly outwards from the second stage on.
Image wormBurst(int k) {
    Image image = makeImage(10, 10, 0);
    const double fade = std::pow(1.0 - (k - 1) / 8.5, 1.6);
    rasterSoft(image, 0, 0, 10, 10, [k, fade](double x, double y, Rgb& c) {
        const double d = std::hypot(x - 5.0, y - 5.0);
        // The glow shrinks away as the droplets fly outwards.
        const double glow = std::max(0.0, 1.0 - d / (4.6 - k * 0.45)) * fade;
        const double ringRadius = 0.6 * (k - 1) + 0.8;
        double drop = 0.0;
        if (k >= 2) {
            for (int i = 0; i < 7; ++i) {
                const double a = 2 * kPi * i / 7.0 + k * 0.35;
                const double dx = x - (5.0 + std::cos(a) * ringRadius);
                const double dy = y - (5.0 + std::sin(a) * ringRadius);
                if (std::hypot(dx, dy) < 0.95 - k * 0.04) drop = std::max(drop, fade * 0.8);
            }
        }
        const double v = std::min(1.0, std::max(glow, drop));
        if (v <= 0.0) return false;
        c = rgb(static_cast<int>(170 * v), static_cast<int>(95 * v), static_cast<int>(70 * v));
        return true;
    });
    for (Rgb& p : image.pixels)
        if (p == 0) p = kMagenta;
    return image;
}

// A soft round shadow; level is the darkness subtracted at its centre.
Image softShadow(double radius, double softness, double level) {
    Image image = makeImage(10, 10, 0);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const double d = std::hypot(x + 0.5 - 5.0, y + 0.5 - 5.0);
            const double t = std::clamp((radius - d) / softness + 0.5, 0.0, 1.0);
            const double v = level * t * t * (3 - 2 * t);
            image.at(x, y) = rgb(static_cast<int>(v), static_cast<int>(v * 0.92), static_cast<int>(v * 0.7));
        }
    }
    return image;
}

Image stone() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        const double d = std::hypot((x - 5.0) / 1.0, (y - 5.1) / 0.9);
        if (d > 4.8) return false;
        const double light = sphereLight(x, y, 5.0, 5.1, 5.0);
        const double grain = hashUnit(static_cast<int>(x * 2), static_cast<int>(y * 2), 5) * 0.12;
        c = d > 4.0 ? Rgb{0x26241F} : scale(0x9C978A, 0.35 + 0.85 * light + grain);
        return true;
    });
    return image;
}

Image exitHole() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        const double dx = x - 5.0, dy = y - 5.0;
        const double d = std::hypot(dx, dy);
        if (d > 4.95) return false;
        const double a = std::atan2(dy, dx);
        const double swirl = 0.5 + 0.5 * std::sin(a * 3.0 + d * 1.6);
        if (d < 1.6)
            c = 0x06141A;
        else if (d > 4.2)
            c = 0xE8FFF6;
        else
            c = mix(0x0E5A66, 0x8AF5E0, swirl * (d / 4.2));
        return true;
    });
    return image;
}

// A hint arrow pointing up, turned by quarter turns: 0 up, 1 right, 2 down, 3 left.
Image arrow(int turns) {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [turns](double x, double y, Rgb& c) {
        double u = x - 5.0, v = y - 5.0;
        for (int i = 0; i < turns; ++i) {  // rotate the sample back into the upward arrow
            const double t = u;
            u = v;
            v = -t;
        }
        const bool head = v >= -4.8 && v <= 0.6 && std::fabs(u) <= (v + 4.8) * 0.95;
        const bool stem = v > 0.0 && v <= 4.8 && std::fabs(u) <= 1.6;
        if (!head && !stem) return false;
        const bool headInner = v >= -3.3 && v <= -0.4 && std::fabs(u) <= (v + 3.3) * 0.95 - 0.2;
        const bool stemInner = v > -0.6 && v <= 3.8 && std::fabs(u) <= 0.7;
        c = (headInner || stemInner) ? mix(0xFFFBEA, pal::amber, (x + y) / 20.0) : pal::ink;
        return true;
    });
    return image;
}

// Pop-up glyphs, 4 x 7 pixels ('1' and '+' narrower or wider), drawn with a one-pixel ink
// outline so they read over any water.
struct Glyph {
    char ch;
    int width;
    const char* rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'+', 5, {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'0', 4, {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}},
    {'1', 3, {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'3', 4, {"###.", "...#", "...#", ".##.", "...#", "...#", "###."}},
    {'5', 4, {"####", "#...", "###.", "...#", "...#", "#..#", ".##."}},
    {'U', 4, {"#..#", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}},
    {'P', 4, {"###.", "#..#", "#..#", "###.", "#...", "#...", "#..."}},
};

const Glyph* findGlyph(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch) return &g;
    return nullptr;
}

Image popup(const std::string& text, int width, Rgb top, Rgb bottom) {
    Image image = makeImage(width, 9, kMagenta);
    int textWidth = -1;
    for (char ch : text) textWidth += findGlyph(ch)->width + 1;
    int x = (width - textWidth) / 2;
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(width) * 9, 0);
    for (char ch : text) {
        const Glyph* g = findGlyph(ch);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < g->width; ++col)
                if (g->rows[row][col] == '#') {
                    image.at(x + col, row + 1) = mix(top, bottom, row / 6.0);
                    ink[static_cast<std::size_t>(row + 1) * width + x + col] = 1;
                }
        x += g->width + 1;
    }
    for (int y = 0; y < 9; ++y)
        for (int x2 = 0; x2 < width; ++x2) {
            if (ink[static_cast<std::size_t>(y) * width + x2]) continue;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x2 + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < width && ny < 9 &&
                        ink[static_cast<std::size_t>(ny) * width + nx])
                        near = true;
                }
            if (near) image.at(x2, y) = pal::ink;
        }
    return image;
}

// The list and option marker: a small worm head nosing to the right, 16 x 13.
Image marker() {
    Image image = makeImage(16, 13, kMagenta);
    rasterKeyed(image, 0, 0, 16, 13, [](double x, double y, Rgb& c) {
        const double hx = 10.0, hy = 6.5;
        const double head = std::hypot(x - hx, y - hy);
        const double tail = std::hypot((x - 4.5) / 1.15, y - hy);
        if (head > 5.6 && tail > 3.6) return false;
        const bool outline = head > 4.6 && tail > 2.7;
        const bool eye = std::hypot(x - 11.8, y - 4.6) < 1.3;
        const bool pupil = std::hypot(x - 12.4, y - 4.6) < 0.6;
        if (outline)
            c = pal::ink;
        else if (pupil)
            c = pal::ink;
        else if (eye)
            c = 0xFFFFFF;
        else {
            const double light = head <= 4.6 ? sphereLight(x, y, hx, hy, 4.8) : 0.55;
            c = mix(pal::wormDark, pal::wormLight, light);
        }
        return true;
    });
    return image;
}

// The status panel 245 x 11: a cream bar lit from above, a recessed tray for the combo beans
// and the lives; black text is drawn on it by the game.
Image scorePanel() {
    Image image = makeImage(245, 11, pal::cream);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 245; ++x) {
            Rgb c = mix(0xFBF4DC, pal::parchment, y / 10.0);
            const bool tray = x >= 169 && x <= 204 && y >= 1 && y <= 9;
            if (tray) c = mix(0xD8C995, 0xE9DDB4, (y - 1) / 8.0);
            if (tray && (x == 169 || y == 1)) c = 0xB5A46E;  // lit from the top left: shade inside
            image.at(x, y) = c;
        }
    for (int x = 0; x < 245; ++x) {
        image.at(x, 0) = 0xFFFFF0;
        image.at(x, 10) = 0x8E7D52;
    }
    for (int y = 0; y < 11; ++y) {
        image.at(0, y) = 0xFFFFF0;
        image.at(244, y) = 0x8E7D52;
    }
    // Rounded corners in the pond's deep colour.
    image.at(0, 0) = image.at(244, 0) = image.at(0, 10) = image.at(244, 10) = pal::deepWater;
    return image;
}

Image startPad() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        const double dx = x - 5.0, dy = y - 5.0;
        const double d = std::hypot(dx, dy);
        if (d > 4.9) return false;
        const double a = std::atan2(dy, dx);
        if (d > 1.0 && std::fabs(a - 0.8) < 0.35) return false;  // the lily pad's notch
        const double light = sphereLight(x, y, 5.0, 5.0, 5.5);
        c = d > 4.1 ? pal::ink : mix(pal::padDark, pal::padLight, light);
        if (d < 1.5) c = 0xFFF4A0;  // a flower bud marks the starting spot
        return true;
    });
    return image;
}

Image randomBean() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        const double d = std::hypot(x - 5.0, y - 5.0);
        if (d > 4.95) return false;
        const double light = sphereLight(x, y, 5.0, 5.0, 5.2);
        c = d > 4.3 ? Rgb{0x8C887C} : mix(0xC8C4B8, 0xFFFFFF, light);
        return true;
    });
    return image;
}

// The won mark of the scene list, 7 x 7: a pixel star, too small to be sampled from a shape,
// in a deep gold that stands out on the parchment with a lighter heart.
Image wonStar() {
    constexpr const char* kRows[7] = {"...#...", "..#o#..", "##ooo##", ".#ooo#.",
                                      "..#o#..", ".##.##.", ".#...#."};
    Image image = makeImage(7, 7, kMagenta);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            if (kRows[y][x] == '#') image.at(x, y) = 0xC77A06;
            if (kRows[y][x] == 'o') image.at(x, y) = 0xFFC43A;
        }
    return image;
}

// A segment of the ghost, the worm raced: only a pale ring, so the floor and the player's own
// worm show through it.
Image ghostRing() {
    Image image = makeImage(10, 10, kMagenta);
    rasterKeyed(image, 0, 0, 10, 10, [](double x, double y, Rgb& c) {
        const double d = std::hypot(x - 5.0, y - 5.0);
        if (d > 4.9 || d < 3.5) return false;
        c = mix(0xF4FFFF, 0x9FE3F0, (y - 1.0) / 8.0);
        return true;
    });
    return image;
}

// The bean marks, 5 x 5, one shape per colour (red dot, orange bar, green cross, blue ring,
// purple triangle), so each colour reads without telling colours apart. Red and purple beans
// turn dark for a red-green deficient eye, so their marks are pale; the others' marks are dark
// ink. The top edge of a shape is a shade lighter, like the beans' own light from above.
Image beanMark(int colour) {
    constexpr const char* kShapes[5][5] = {
        {".....", ".###.", ".###.", ".###.", "....."}, {".....", ".....", "#####", "#####", "....."},
        {"..#..", "..#..", "#####", "..#..", "..#.."}, {".###.", "#...#", "#...#", "#...#", ".###."},
        {"..#..", "..#..", ".###.", ".###.", "#####"},
    };
    const bool pale = colour == 0 || colour == 4;
    Image image = makeImage(5, 5, kMagenta);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            if (kShapes[colour][y][x] != '#') continue;
            const bool top = y == 0 || kShapes[colour][y - 1][x] != '#';
            image.at(x, y) = pale ? (top ? 0xFFFFF4 : 0xEDE6CF) : (top ? 0x3A3A3A : 0x101010);
        }
    return image;
}

}  // namespace

void makeSprites(const std::string& dat) {
    saveBmp(dat, "worm.bmp", wormSegment());
    for (int k = 1; k <= 8; ++k) {
        saveBmp(dat, "wormb" + std::to_string(k) + ".bmp", wormBurst(k));
        saveBmp(dat, "wormd" + std::to_string(k) + ".bmp",
                softShadow(3.9 + k * 0.2, 1.2 + k * 0.35, 58.0 * (1.0 - k / 10.0)));
    }
    saveBmp(dat, "shadow.bmp", softShadow(3.7, 1.1, 64.0));
    saveBmp(dat, "stone.bmp", stone());
    saveBmp(dat, "exit.bmp", exitHole());
    saveBmp(dat, "up.bmp", arrow(0));
    saveBmp(dat, "right.bmp", arrow(1));
    saveBmp(dat, "down.bmp", arrow(2));
    saveBmp(dat, "left.bmp", arrow(3));
    saveBmp(dat, "add5.bmp", popup("+5", 14, 0xFFFFFF, 0xFFE08A));
    saveBmp(dat, "add10.bmp", popup("+10", 18, 0xE0FFFF, 0x7FD8FF));
    saveBmp(dat, "add15.bmp", popup("+15", 18, 0xEFFFD8, 0x8FE860));
    saveBmp(dat, "add30.bmp", popup("+30", 18, 0xFFF6C0, 0xFFB830));
    saveBmp(dat, "lifeup.bmp", popup("1UP", 18, 0xFFD8E0, 0xFF5A78));
    saveBmp(dat, "cursor.bmp", marker());
    saveBmp(dat, "score.bmp", scorePanel());
    saveBmp(dat, "start.bmp", startPad());
    saveBmp(dat, "random.bmp", randomBean());
    saveBmp(dat, "won.bmp", wonStar());
    saveBmp(dat, "ghost.bmp", ghostRing());
    for (int colour = 0; colour < 5; ++colour)
        saveBmp(dat, "mark" + std::to_string(colour + 1) + ".bmp", beanMark(colour));
}

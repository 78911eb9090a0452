// The two .txm atlases. bean.txm: the five bean colours and the bonus bean in row 0, the six
// faces of the worm's head (seen heading down: the front is the bottom of the picture and the
// worm's left is the picture's right) in row 10, each a hard-edged shape on magenta so that the
// loader's coverage classes smooth their edges. bright.txm: the head light and the laser
// flash, drawn additively (black adds nothing), and two night sprites drawn translucent over
// the night pond: the moon's reflection and an owl gliding over.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/raster.h"

namespace {

void drawBean(Image& atlas, int column, Rgb colour, bool bonus) {
    rasterKeyed(atlas, 10 * column, 0, 10, 10, [colour, bonus](double x, double y, Rgb& c) {
        // Kept one texel inside its 10 x 10 cell: the margin must stay transparent.
        const double d = std::hypot(x - 5.0, (y - 5.0) / 0.9);
        if (d > 4.4) return false;
        const double light = sphereLight(x, y, 5.0, 5.0, 5.0);
        c = mix(scale(colour, 0.42), colour, std::min(1.0, light * 1.5));
        c = mix(c, 0xFFFFFF, std::max(0.0, light - 0.82) * 3.0);
        if (d > 3.7) c = scale(colour, 0.38);  // a dark rim keeps the bean apart from the floor
        if (bonus) {
            // A four-pointed sparkle in the golden bean.
            const double sx = std::fabs(x - 5.0), sy = std::fabs(y - 5.0);
            if (sx * sy < 0.5 && sx + sy < 3.4) c = 0xFFFFFF;
        }
        return true;
    });
}

// Eye geometry of a face: where the pupils look, in picture directions.
struct Gaze {
    int dx;  // -1 picture left, 0 centre, 1 picture right
    int dy;  // 0 middle, 1 front (picture bottom)
    bool chewing;
};

void drawFace(Image& atlas, int face, Gaze gaze) {
    const int ox = 10 * face, oy = 10;
    rasterKeyed(atlas, ox, oy, 10, 10, [](double x, double y, Rgb& c) {
        const double d = std::hypot(x - 5.0, y - 5.0);
        if (d > 4.45) return false;
        const double light = sphereLight(x, y, 5.0, 5.0, 5.0);
        c = d > 3.75 ? pal::wormDark : mix(0xB85E48, 0xFFC8A8, light);
        return true;
    });
    // Two eyes near the front, 3 x 3 whites with a 1 x 2 pupil.
    for (int eye = 0; eye < 2; ++eye) {
        const int ex = eye == 0 ? 1 : 6;
        const int ey = 5;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) atlas.at(ox + ex + x, oy + ey + y) = 0xFFFFFF;
        if (gaze.chewing) {
            // Squeezed shut with pleasure.
            for (int x = 0; x < 3; ++x) {
                atlas.at(ox + ex + x, oy + ey) = 0xE09A80;
                atlas.at(ox + ex + x, oy + ey + 1) = pal::ink;
                atlas.at(ox + ex + x, oy + ey + 2) = 0xE09A80;
            }
            continue;
        }
        const int px = ex + 1 + gaze.dx;
        const int py = ey + gaze.dy;
        atlas.at(ox + px, oy + py) = pal::ink;
        atlas.at(ox + px, oy + py + 1) = pal::ink;
    }
    if (gaze.chewing) {
        // The mouth at the front edge, open round a bite.
        atlas.at(ox + 3, oy + 8) = atlas.at(ox + 6, oy + 8) = 0x401010;
        atlas.at(ox + 4, oy + 8) = atlas.at(ox + 5, oy + 8) = 0xD9352D;
    }
}

Image beanAtlas() {
    Image atlas = makeImage(128, 128, kMagenta);
    for (int c = 0; c < 6; ++c) drawBean(atlas, c, pal::bean[static_cast<std::size_t>(c)], c == 5);
    drawFace(atlas, 0, {0, 1, false});
    drawFace(atlas, 1, {0, 1, true});
    drawFace(atlas, 2, {-1, 1, false});  // front-right: the worm's right is the picture's left
    drawFace(atlas, 3, {1, 1, false});   // front-left
    drawFace(atlas, 4, {-1, 0, false});  // right
    drawFace(atlas, 5, {1, 0, false});   // left
    return atlas;
}

void headLight(Image& atlas) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double d = std::hypot(x - 31.5, y - 31.5) / 32.0;
            const double v = d >= 0.95 ? 0.0 : std::pow(1.0 - d / 0.95, 1.8);
            atlas.at(x, y) =
                rgb(static_cast<int>(200 * v), static_cast<int>(180 * v), static_cast<int>(120 * v));
        }
}

void laserFlash(Image& atlas) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double dx = x - 31.5, dy = y - 31.5;
            const double d = std::hypot(dx, dy) / 32.0;
            const double a = std::atan2(dy, dx);
            const double rays = std::pow(std::fabs(std::cos(a * 4.0)), 12.0) * std::max(0.0, 1.0 - d * 1.1);
            const double core = std::pow(std::max(0.0, 1.0 - d * 2.2), 1.5);
            const double v = std::min(1.0, core + rays * 0.9);
            const double hot = std::min(1.0, core * 1.6);
            atlas.at(x, y + 64) = rgb(static_cast<int>(255 * v), static_cast<int>((120 + 135 * hot) * v),
                                      static_cast<int>((40 + 200 * hot) * v));
        }
}

void moon(Image& atlas) {
    rasterKeyed(atlas, 64, 0, 64, 64, [](double x, double y, Rgb& c) {
        const double d = std::hypot(x - 32.0, y - 32.0);
        if (d > 27.0) return false;
        const double light = sphereLight(x, y, 32.0, 32.0, 28.0);
        c = mix(0x9FB3C8, 0xFFFBEA, 0.35 + 0.65 * light);
        const double craters[4][3] = {{24, 22, 5}, {38, 30, 7}, {28, 41, 4}, {41, 17, 3}};
        for (const auto& k : craters)
            if (std::hypot(x - k[0], y - k[1]) < k[2]) c = mix(c, 0x8A9AB0, 0.45);
        return true;
    });
}

// An owl gliding over the pond, seen from above with its head to the top (it drifts upward).
void owl(Image& atlas) {
    rasterKeyed(atlas, 64, 64, 64, 64, [](double x, double y, Rgb& c) {
        const double u = (x - 32.0) * 1.12, v = (y - 32.0) * 1.12, span = std::fabs(u);  // inside a margin
        // Broad wings as slightly back-swept ellipses, with feather fingers at their tips.
        const double wu = span - 16.0, wv = v + 1.0 + 0.12 * wu;
        const bool wing = std::hypot(wu / 15.0, wv / 7.5) < 1.0;
        bool finger = false;
        for (int f = 0; f < 4; ++f) {
            const double fx = 27.0 + f * 1.2, fy = -2.0 + f * 3.0;
            finger = finger || std::hypot((span - fx) / 3.6, (v - fy) / 1.3) < 1.0;
        }
        const bool body = std::hypot(u / 7.0, (v - 2.0) / 12.0) < 1.0;
        const bool tail = v > 8.0 && v < 21.0 && span < 3.5 + (v - 8.0) * 0.35;
        const bool head = std::hypot(u, v + 11.0) < 7.5;
        if (!wing && !finger && !body && !tail && !head) return false;
        const double mottle = hashUnit(static_cast<int>(x / 2), static_cast<int>(y / 2), 77);
        const double light = 0.75 + 0.35 * std::clamp(-(u + v) / 40.0, -0.5, 0.5);  // top-left light
        if (head) {
            c = scale(0x8E6B44, light);
            if (std::hypot(span - 3.3, v + 12.0) < 2.1) c = 0xF4C84A;  // eyes
            if (std::hypot(span - 3.3, v + 12.0) < 1.0) c = pal::ink;
            if (span < 0.9 && v > -9.5 && v < -7.0) c = 0xD8B070;  // beak
        } else if (wing || finger) {
            const bool bar = std::fmod(span + 40.0, 6.0) < 1.6;  // barred flight feathers
            c = scale(bar ? 0x4A3220 : (mottle > 0.8 ? 0xC8A070 : 0x7A5634), light);
        } else {
            c = scale(mottle > 0.75 ? 0xD0B080 : 0x8A6440, light);
        }
        return true;
    });
}

Image brightAtlas() {
    Image atlas = makeImage(128, 128, 0);
    headLight(atlas);
    laserFlash(atlas);
    moon(atlas);
    owl(atlas);
    return atlas;
}

}  // namespace

void makeTextures(const std::string& dat) {
    if (!writeTxm(dat + "/bean.txm", beanAtlas())) reportFailure("bean.txm");
    if (!writeTxm(dat + "/bright.txm", brightAtlas())) reportFailure("bright.txm");
}

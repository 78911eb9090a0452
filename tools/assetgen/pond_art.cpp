// The pond motifs that the full-screen pictures share: deep water with faint caustics, lily
// pads, beans, pebbles, the worm itself and the wooden plaques that carry menu items. All are
// lit from the top left and cast their shadows down and to the right.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/palette.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void castShadow(cairo_t* cr, double x, double y, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x + rx * 0.18 + 1.5, y + ry * 0.18 + 1.5);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1.0, 0, 2 * kPi);
    cairo_restore(cr);
    setColour(cr, pal::ink, alpha);
    cairo_fill(cr);
}

void shadedDisc(cairo_t* cr, double x, double y, double r, Rgb light, Rgb base, Rgb dark) {
    cairo_pattern_t* gradient =
        cairo_pattern_create_radial(x - r * 0.4, y - r * 0.45, r * 0.1, x, y, r * 1.05);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, red(light) / 255.0, green(light) / 255.0,
                                     blue(light) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 0.45, red(base) / 255.0, green(base) / 255.0,
                                     blue(base) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, red(dark) / 255.0, green(dark) / 255.0,
                                     blue(dark) / 255.0);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
    setColour(cr, pal::ink, 0.85);
    cairo_set_line_width(cr, std::max(0.8, r * 0.12));
    cairo_stroke(cr);
}

}  // namespace

void drawWaterBackdrop(cairo_t* cr, int width, int height, unsigned seed) {
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Rgb*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const double depth = fbm(x / 90.0, y / 90.0, 3, seed);
            const double vein = fbm(x / 34.0 + depth * 2.0, y / 30.0, 3, seed + 7);
            const double caustic = std::pow(1.0 - std::fabs(vein * 2.0 - 1.0), 9.0);
            const double shade = 0.25 + 0.55 * depth + 0.25 * (1.0 - static_cast<double>(y) / height);
            Rgb c = mix(pal::deepWater, pal::shallow, shade * 0.8);
            c = mix(c, pal::foam, caustic * 0.22);
            row[x] = c;
        }
    }
    cairo_surface_mark_dirty(target);
}

void drawLilyPad(cairo_t* cr, double x, double y, double radius, double notchAngle) {
    castShadow(cr, x, y, radius, radius * 0.96, 0.35);
    cairo_pattern_t* gradient =
        cairo_pattern_create_radial(x - radius * 0.35, y - radius * 0.4, radius * 0.1, x, y, radius);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, red(pal::padLight) / 255.0, green(pal::padLight) / 255.0,
                                     blue(pal::padLight) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 0.55, red(pal::pad) / 255.0, green(pal::pad) / 255.0,
                                     blue(pal::pad) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, red(pal::padDark) / 255.0, green(pal::padDark) / 255.0,
                                     blue(pal::padDark) / 255.0);
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, radius, notchAngle + 0.22, notchAngle + 2 * kPi - 0.22);
    cairo_close_path(cr);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
    setColour(cr, pal::ink, 0.8);
    cairo_set_line_width(cr, std::max(0.8, radius * 0.05));
    cairo_stroke(cr);
    // Veins radiate from the stem.
    setColour(cr, pal::padDark, 0.55);
    cairo_set_line_width(cr, std::max(0.6, radius * 0.035));
    for (int i = 1; i < 9; ++i) {
        const double a = notchAngle + 2 * kPi * i / 9.0;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::cos(a) * radius * 0.85, y + std::sin(a) * radius * 0.85);
    }
    cairo_stroke(cr);
}

void drawBeanShape(cairo_t* cr, double x, double y, double radius, Rgb colour) {
    castShadow(cr, x, y, radius, radius * 0.9, 0.45);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1.0, 0.9);
    shadedDisc(cr, 0, 0, radius, mix(colour, 0xFFFFFF, 0.55), colour, scale(colour, 0.45));
    cairo_restore(cr);
    setColour(cr, 0xFFFFFF, 0.75);
    cairo_arc(cr, x - radius * 0.38, y - radius * 0.35, radius * 0.2, 0, 2 * kPi);
    cairo_fill(cr);
}

void drawStonePebble(cairo_t* cr, double x, double y, double radius) {
    castShadow(cr, x, y, radius, radius * 0.85, 0.5);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1.0, 0.85);
    shadedDisc(cr, 0, 0, radius, 0xC9C6BC, 0x8A877E, 0x3D3B37);
    cairo_restore(cr);
}

void drawWormPath(cairo_t* cr, const double* xy, int points, double radius, bool eyesOpen) {
    for (int i = points - 1; i >= 0; --i) castShadow(cr, xy[2 * i], xy[2 * i + 1], radius, radius, 0.3);
    for (int i = points - 1; i >= 0; --i) {
        const double glow = i == 0 ? 1.0 : 0.9 - 0.25 * i / points;
        shadedDisc(cr, xy[2 * i], xy[2 * i + 1], radius, pal::wormLight, scale(pal::worm, glow),
                   pal::wormDark);
    }
    if (points < 2) return;
    // The head looks where it is going: away from the second segment.
    const double hx = xy[0], hy = xy[1];
    double dx = hx - xy[2], dy = hy - xy[3];
    const double len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    for (int side = -1; side <= 1; side += 2) {
        const double ex = hx + dx * radius * 0.35 - dy * radius * 0.42 * side;
        const double ey = hy + dy * radius * 0.35 + dx * radius * 0.42 * side;
        setColour(cr, 0xFFFFFF);
        cairo_arc(cr, ex, ey, radius * 0.3, 0, 2 * kPi);
        cairo_fill(cr);
        if (eyesOpen) {
            setColour(cr, pal::ink);
            cairo_arc(cr, ex + dx * radius * 0.12, ey + dy * radius * 0.12, radius * 0.16, 0, 2 * kPi);
            cairo_fill(cr);
        } else {
            setColour(cr, pal::ink);
            cairo_set_line_width(cr, radius * 0.1);
            cairo_move_to(cr, ex - dy * radius * 0.25, ey + dx * radius * 0.25);
            cairo_line_to(cr, ex + dy * radius * 0.25, ey - dx * radius * 0.25);
            cairo_stroke(cr);
        }
    }
}

void drawPlaque(cairo_t* cr, double x, double y, double w, double h, bool lit) {
    const double r = std::min(8.0, h * 0.3);
    if (lit) {
        // A warm glow round the selected plaque, kept inside its rectangle by the caller.
        for (int i = 3; i >= 1; --i) {
            roundedRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, r + i);
            setColour(cr, pal::amberLight, 0.22);
            cairo_fill(cr);
        }
    } else {
        roundedRect(cr, x + 2, y + 2, w, h, r);
        setColour(cr, pal::ink, 0.45);
        cairo_fill(cr);
    }
    const Rgb top = lit ? pal::amberLight : 0x8A6440;
    const Rgb bottom = lit ? pal::amber : pal::barkDark;
    cairo_pattern_t* gradient = cairo_pattern_create_linear(x, y, x + w * 0.3, y + h);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, red(top) / 255.0, green(top) / 255.0, blue(top) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, red(bottom) / 255.0, green(bottom) / 255.0,
                                     blue(bottom) / 255.0);
    roundedRect(cr, x, y, w, h, r);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
    setColour(cr, pal::ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A bevel: light on the upper-left rim.
    roundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r - 1);
    setColour(cr, 0xFFFFFF, lit ? 0.55 : 0.18);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

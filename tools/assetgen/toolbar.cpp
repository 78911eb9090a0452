// The editor's twenty-four toolbar buttons, 16 x 15 each, drawn into one transparent strip in the
// order of the editor's toolbar. Small and pixel-aligned; the same palette and top-left light
// as the game, the beans looking as they do on the pond.
#include <array>
#include <cmath>

#include "tools/assetgen/palette.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void outlineFill(cairo_t* cr, Rgb fill) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, pal::ink);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void bean(cairo_t* cr, Rgb colour) {
    cairo_pattern_t* g = cairo_pattern_create_radial(6, 5, 0.5, 8, 7.5, 6.5);
    const Rgb light = mix(colour, 0xFFFFFF, 0.5), dark = scale(colour, 0.55);
    cairo_pattern_add_color_stop_rgb(g, 0, red(light) / 255.0, green(light) / 255.0, blue(light) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 0.5, red(colour) / 255.0, green(colour) / 255.0,
                                     blue(colour) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, red(dark) / 255.0, green(dark) / 255.0, blue(dark) / 255.0);
    cairo_arc(cr, 8, 7.5, 5.5, 0, 2 * kPi);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, pal::ink);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void page(cairo_t* cr) {
    cairo_move_to(cr, 3.5, 1.5);
    cairo_line_to(cr, 9.5, 1.5);
    cairo_line_to(cr, 12.5, 4.5);
    cairo_line_to(cr, 12.5, 13.5);
    cairo_line_to(cr, 3.5, 13.5);
    cairo_close_path(cr);
    outlineFill(cr, 0xFFFBEA);
    cairo_move_to(cr, 9.5, 1.5);
    cairo_line_to(cr, 9.5, 4.5);
    cairo_line_to(cr, 12.5, 4.5);
    setColour(cr, pal::ink);
    cairo_stroke(cr);
}

void openFolder(cairo_t* cr) {
    cairo_move_to(cr, 1.5, 3.5);
    cairo_line_to(cr, 5.5, 3.5);
    cairo_line_to(cr, 6.5, 4.5);
    cairo_line_to(cr, 12.5, 4.5);
    cairo_line_to(cr, 12.5, 12.5);
    cairo_line_to(cr, 1.5, 12.5);
    cairo_close_path(cr);
    outlineFill(cr, 0xC8962E);
    cairo_move_to(cr, 3.5, 7.5);
    cairo_line_to(cr, 14.5, 7.5);
    cairo_line_to(cr, 12.5, 12.5);
    cairo_line_to(cr, 1.5, 12.5);
    cairo_close_path(cr);
    outlineFill(cr, pal::amberLight);
}

void floppy(cairo_t* cr) {
    cairo_rectangle(cr, 2.5, 1.5, 11, 12);
    outlineFill(cr, 0x2F5FB0);
    cairo_rectangle(cr, 4.5, 1.5, 7, 4);
    outlineFill(cr, 0xE8E8E8);
    cairo_rectangle(cr, 4.5, 8.5, 7, 5);
    outlineFill(cr, 0xFFFBEA);
}

void properties(cairo_t* cr) {
    page(cr);
    setColour(cr, pal::bark);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, 5, 6 + 2.5 * i, 6, 1);
        cairo_fill(cr);
    }
    setColour(cr, pal::bean[3]);
    cairo_rectangle(cr, 8, 5.5, 2, 2);
    cairo_rectangle(cr, 6, 8, 2, 2);
    cairo_rectangle(cr, 9, 10.5, 2, 2);
    cairo_fill(cr);
}

void randomBean(cairo_t* cr) {
    bean(cr, 0xE8E4D8);
    TextStyle q;
    q.size = 9;
    q.colour = pal::ink;
    drawLabel(cr, 8, 11, "?", q, 1);
}

void stone(cairo_t* cr) {
    bean(cr, 0x8A877E);
}

void eraser(cairo_t* cr) {
    cairo_move_to(cr, 2.5, 10.5);
    cairo_line_to(cr, 8.5, 3.5);
    cairo_line_to(cr, 13.5, 7.5);
    cairo_line_to(cr, 8.5, 13.5);
    cairo_line_to(cr, 5.5, 13.5);
    cairo_close_path(cr);
    outlineFill(cr, 0xF3A0B0);
    cairo_move_to(cr, 5.5, 7.0);
    cairo_line_to(cr, 10.5, 11.0);
    setColour(cr, pal::ink);
    cairo_stroke(cr);
}

void startFlag(cairo_t* cr) {
    cairo_move_to(cr, 4.5, 1.5);
    cairo_line_to(cr, 4.5, 13.5);
    setColour(cr, pal::barkDark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, 5, 2.5);
    cairo_line_to(cr, 13.5, 5.0);
    cairo_line_to(cr, 5, 7.5);
    cairo_close_path(cr);
    outlineFill(cr, pal::bean[2]);
}

void exitHole(cairo_t* cr) {
    cairo_arc(cr, 8, 7.5, 5.5, 0, 2 * kPi);
    outlineFill(cr, 0x8AF5E0);
    cairo_arc(cr, 8, 7.5, 3.2, 0, 2 * kPi);
    setColour(cr, 0x0E5A66);
    cairo_fill(cr);
    cairo_arc(cr, 8, 7.5, 1.4, 0, 2 * kPi);
    setColour(cr, 0x06141A);
    cairo_fill(cr);
}

void shapeStroke(cairo_t* cr) {
    setColour(cr, pal::ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void lineTool(cairo_t* cr) {
    cairo_move_to(cr, 2.5, 12.5);
    cairo_line_to(cr, 13.5, 2.5);
    shapeStroke(cr);
}

void rectTool(cairo_t* cr, bool filled) {
    cairo_rectangle(cr, 2.5, 3.5, 11, 8);
    if (filled)
        outlineFill(cr, pal::bean[3]);
    else
        shapeStroke(cr);
}

void ellipseTool(cairo_t* cr, bool filled) {
    cairo_save(cr);
    cairo_translate(cr, 8, 7.5);
    cairo_scale(cr, 6, 4.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    if (filled)
        outlineFill(cr, pal::bean[3]);
    else
        shapeStroke(cr);
}

// The brush: a handle and a bristle tip that has just painted a wavy trail of green.
void brushTool(cairo_t* cr) {
    cairo_move_to(cr, 2.5, 12.5);
    cairo_curve_to(cr, 5, 9, 7, 14, 9.5, 10.5);
    setColour(cr, pal::bean[2]);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_move_to(cr, 9.5, 8.5);
    cairo_line_to(cr, 13.5, 2.5);
    setColour(cr, pal::barkDark);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_arc(cr, 9.5, 9, 1.6, 0, 2 * kPi);
    outlineFill(cr, 0xE8D9A8);
}

// Select: a dashed frame round a few cells.
void selectTool(cairo_t* cr) {
    const double dash[] = {2.0, 1.5};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_rectangle(cr, 2.5, 3.5, 11, 8);
    shapeStroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// Fill: a tipped bucket pouring blue.
void fillTool(cairo_t* cr) {
    cairo_move_to(cr, 3.5, 5.5);
    cairo_line_to(cr, 9.5, 2.5);
    cairo_line_to(cr, 12.5, 8.5);
    cairo_line_to(cr, 6.5, 11.5);
    cairo_close_path(cr);
    outlineFill(cr, 0xC0C0C0);
    cairo_move_to(cr, 12.5, 8.5);
    cairo_curve_to(cr, 14.5, 10, 14.5, 12, 13.5, 13.5);
    setColour(cr, pal::bean[3]);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

// Test play: the usual "play" triangle in the worm's green.
void playTriangle(cairo_t* cr) {
    cairo_move_to(cr, 4.5, 2.5);
    cairo_line_to(cr, 12.5, 7.5);
    cairo_line_to(cr, 4.5, 12.5);
    cairo_close_path(cr);
    outlineFill(cr, 0x3CB043);
}

void about(cairo_t* cr) {
    cairo_arc(cr, 8, 7.5, 6, 0, 2 * kPi);
    outlineFill(cr, 0x2F70E0);
    TextStyle q;
    q.size = 10;
    q.colour = 0xFFFFFF;
    drawLabel(cr, 8, 11.5, "?", q, 1);
}

}  // namespace

void drawToolbarStrip(cairo_t* cr) {
    for (int i = 0; i < 24; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, 16 * i, 0, 16, 15);
        cairo_clip(cr);
        cairo_translate(cr, 16 * i, 0);
        cairo_set_line_width(cr, 1.0);
        switch (i) {
            case 0: page(cr); break;
            case 1: openFolder(cr); break;
            case 2: floppy(cr); break;
            case 3: properties(cr); break;
            case 4: playTriangle(cr); break;
            case 5: randomBean(cr); break;
            case 6:
            case 7:
            case 8:
            case 9:
            case 10: bean(cr, pal::bean[static_cast<std::size_t>(i - 6)]); break;
            case 11: stone(cr); break;
            case 12: eraser(cr); break;
            case 13: startFlag(cr); break;
            case 14: exitHole(cr); break;
            case 15: lineTool(cr); break;
            case 16: rectTool(cr, false); break;
            case 17: ellipseTool(cr, false); break;
            case 18: rectTool(cr, true); break;
            case 19: ellipseTool(cr, true); break;
            case 20: brushTool(cr); break;
            case 21: selectTool(cr); break;
            case 22: fillTool(cr); break;
            default: about(cr); break;
        }
        cairo_restore(cr);
    }
}

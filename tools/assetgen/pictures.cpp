// The full-screen pictures: the logo, the main menu and the options screen (each with a lit
// twin that differs only inside the item rectangles the screens light), the scene selection
// frame, the Controls screen and the two end pictures. All share the pond backdrop, the wooden plaques and
// the top-left light. The help pages live in help_pages.cpp.
#include <algorithm>
#include <array>
#include <cmath>

#include "game/screens/menu_layout.h"
#include "tools/assetgen/palette.h"

namespace {

constexpr int kW = 400;
constexpr int kH = 300;

using Rect = MenuRect;
constexpr std::array<const char*, kMenuItems> kMenuLabels = {"Play", "Options", "Scene Editor", "Quit",
                                                             "Help"};
constexpr std::array<const char*, kOptionsRows> kOptionRows = {"Display",      "Game speed", "Sound",
                                                               "More options", "Controls",   "Back"};
constexpr std::array<const char*, kMoreOptionsRows> kMoreOptionRows = {
    "Pixels", "Effects volume", "Ambient volume", "Bean marks", "Ghost", "Back"};

TextStyle plaqueText(bool lit, double size) {
    TextStyle style;
    style.size = size;
    style.colour = lit ? pal::barkDark : pal::cream;
    style.shadow = lit ? pal::amberLight : pal::ink;
    style.shadowAlpha = lit ? 0.0 : 0.9;
    return style;
}

TextStyle titleText(double size, Rgb colour) {
    TextStyle style;
    style.size = size;
    style.serif = true;
    style.colour = colour;
    style.outline = pal::ink;
    style.outlineWidth = size / 9.0;
    style.shadow = pal::ink;
    style.shadowAlpha = 0.6;
    return style;
}

// A plaque inset in its rectangle with its label centred; the lit glow reaches exactly to the
// rectangle's edge, never beyond.
void drawItem(cairo_t* cr, const Rect& r, const char* label, bool lit, double size) {
    const double x = r.x0 + 3.5, y = r.y0 + 3.5;
    const double w = r.x1 - r.x0 - 6.0, h = r.y1 - r.y0 - 6.0;
    drawPlaque(cr, x, y, w, h, lit);
    drawLabel(cr, (r.x0 + r.x1 + 1) / 2.0, y + h / 2.0 + size * 0.36, label, plaqueText(lit, size), 1);
}

void clipTo(cairo_t* cr, const Rect& r) {
    cairo_reset_clip(cr);
    cairo_rectangle(cr, r.x0, r.y0, r.x1 - r.x0 + 1, r.y1 - r.y0 + 1);
    cairo_clip(cr);
}

void pondBackdrop(cairo_t* cr, unsigned seed) {
    drawWaterBackdrop(cr, kW, kH, seed);
}

void scatterBeans(cairo_t* cr, const double (*spots)[3], int count) {
    for (int i = 0; i < count; ++i)
        drawBeanShape(cr, spots[i][0], spots[i][1], 5.0, pal::bean[static_cast<std::size_t>(spots[i][2])]);
}

// A worm swimming along a gentle S-curve, head at (x, y) heading along angle a.
void curlyWorm(cairo_t* cr, double x, double y, double a, int segments, double radius, double bend,
               bool eyesOpen) {
    std::array<double, 64> xy{};
    for (int i = 0; i < segments && i < 32; ++i) {
        xy[2 * i] = x;
        xy[2 * i + 1] = y;
        a += bend * std::sin(i * 0.45);
        x -= std::cos(a) * radius * 1.45;
        y -= std::sin(a) * radius * 1.45;
    }
    drawWormPath(cr, xy.data(), segments, radius, eyesOpen);
}

// A worm wriggling along a sine wave, head at (x, y), its body trailing to the left; beans
// lie ahead of it on the same wave: the munch trail.
void wavyWorm(cairo_t* cr, double x, double y, int segments, double radius, double amplitude, int beansAhead,
              bool eyesOpen) {
    const double step = radius * 1.4, k = 0.55;
    for (int j = beansAhead; j >= 1; --j)
        drawBeanShape(cr, x + j * step * 1.5, y + amplitude * std::sin(j * 1.5 * k), 5.0,
                      pal::bean[static_cast<std::size_t>(j % 6)]);
    std::array<double, 64> xy{};
    for (int i = 0; i < segments && i < 32; ++i) {
        xy[2 * i] = x - i * step;
        xy[2 * i + 1] = y + amplitude * std::sin(-i * k);
    }
    drawWormPath(cr, xy.data(), std::min(segments, 32), radius, eyesOpen);
}

void gradientTitle(cairo_t* cr, double x, double y, const char* text, double size, Rgb top, Rgb bottom) {
    TextStyle style = titleText(size, top);
    const double width = textWidth(cr, text, style);
    x -= width / 2.0;
    setColour(cr, pal::ink, 0.55);
    cairo_move_to(cr, x + 3, y + 3);
    cairo_text_path(cr, text);
    cairo_fill(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text);
    setColour(cr, pal::ink);
    cairo_set_line_width(cr, size / 8.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - size * 0.8, 0, y);
    cairo_pattern_add_color_stop_rgb(g, 0, red(top) / 255.0, green(top) / 255.0, blue(top) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, red(bottom) / 255.0, green(bottom) / 255.0, blue(bottom) / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

Image logo() {
    Image image = makeImage(kW, kH, 0);
    Canvas canvas(image);
    cairo_t* cr = canvas.cr;
    pondBackdrop(cr, 101);
    drawLilyPad(cr, 70, 230, 48, 0.6);
    drawLilyPad(cr, 330, 70, 40, 2.4);
    drawLilyPad(cr, 345, 245, 30, 4.0);
    drawLilyPad(cr, 45, 55, 24, 5.2);
    wavyWorm(cr, 236, 218, 13, 8.0, 12.0, 5, true);
    gradientTitle(cr, 200, 112, "Munch Trail", 48, pal::amberLight, pal::amber);
    TextStyle sub;
    sub.size = 14;
    sub.colour = pal::cream;
    sub.shadowAlpha = 0.9;
    sub.shadow = pal::ink;
    drawLabel(cr, 200, 140, "a worm, a pond, and a great many beans", sub, 1);
    sub.size = 10;
    sub.bold = false;
    drawLabel(cr, 200, 292, "Version 2.01", sub, 1);
    return image;
}

void mainMenuArt(cairo_t* cr) {
    pondBackdrop(cr, 202);
    drawLilyPad(cr, 200, 165, 66, 0.9);
    drawLilyPad(cr, 40, 215, 26, 2.0);
    drawLilyPad(cr, 368, 205, 22, 4.4);
    drawLilyPad(cr, 360, 40, 28, 3.3);
    drawLilyPad(cr, 42, 48, 22, 5.6);
    const double beans[][3] = {{168, 138, 0}, {228, 130, 1}, {242, 190, 2}, {160, 196, 3},
                               {200, 214, 4}, {296, 70, 2},  {104, 72, 0},  {190, 100, 5}};
    scatterBeans(cr, beans, 8);
    curlyWorm(cr, 214, 158, 3.5, 11, 7.5, 0.55, true);
    gradientTitle(cr, 200, 92, "Munch Trail", 24, pal::amberLight, pal::amber);
}

void mainMenus(Image& normal, Image& lit) {
    {
        Canvas canvas(normal);
        mainMenuArt(canvas.cr);
        for (std::size_t i = 0; i < kMenuRects.size(); ++i)
            drawItem(canvas.cr, kMenuRects[i], kMenuLabels[i], false, i == 2 ? 13.0 : 14.0);
    }
    lit = normal;
    Canvas canvas(lit);
    for (std::size_t i = 0; i < kMenuRects.size(); ++i) {
        clipTo(canvas.cr, kMenuRects[i]);
        drawItem(canvas.cr, kMenuRects[i], kMenuLabels[i], true, i == 2 ? 13.0 : 14.0);
    }
}

void optionValues(cairo_t* cr) {
    TextStyle style;
    style.size = 12;
    style.colour = pal::cream;
    style.shadow = pal::ink;
    style.shadowAlpha = 0.9;
    // Each value sits just right of its mark (the marker is 16 pixels wide).
    struct Value {
        std::int32_t markX, markY;
        const char* text;
    };
    const OptionMarks& m = kOptionMarks;
    const Value values[] = {{m.fullScreen.x, m.fullScreen.y, "Full screen"},
                            {m.window.x, m.window.y, "Window"},
                            {m.slow.x, m.slow.y, "Slow"},
                            {m.normal.x, m.normal.y, "Normal"},
                            {m.fast.x, m.fast.y, "Fast"},
                            {m.soundOn.x, m.soundOn.y, "On"},
                            {m.soundOff.x, m.soundOff.y, "Off"}};
    for (const Value& v : values) {
        setColour(cr, pal::ink, 0.35);  // a dimple where the marker sits
        roundedRect(cr, v.markX + 1, v.markY + 1, 14, 11, 4);
        cairo_fill(cr);
        drawLabel(cr, v.markX + 20, v.markY + 10.5, v.text, style);
    }
}

void optionsArt(cairo_t* cr) {
    pondBackdrop(cr, 303);
    drawLilyPad(cr, 50, 250, 34, 1.1);
    drawLilyPad(cr, 355, 255, 30, 3.7);
    drawLilyPad(cr, 365, 42, 24, 2.2);
    curlyWorm(cr, 296, 280, 0.1, 8, 6.5, 0.5, true);
    gradientTitle(cr, 200, 55, "Options", 34, pal::amberLight, pal::amber);
    setColour(cr, pal::ink, 0.45);  // a darker band under the rows keeps the values readable
    roundedRect(cr, 12, 84, 380, 92, 10);
    cairo_fill(cr);
    optionValues(cr);
}

// A menu's two pictures: its art with every item's plaque, and the same with each plaque lit
// (the screens show the lit picture only inside the selected item's rectangle).
template <std::size_t N>
void menuPictures(Image& normal, Image& lit, void (*art)(cairo_t*), const std::array<MenuRect, N>& rects,
                  const std::array<const char*, N>& labels) {
    {
        Canvas canvas(normal);
        art(canvas.cr);
        for (std::size_t i = 0; i < N; ++i) drawItem(canvas.cr, rects[i], labels[i], false, 12.0);
    }
    lit = normal;
    Canvas canvas(lit);
    for (std::size_t i = 0; i < N; ++i) {
        clipTo(canvas.cr, rects[i]);
        drawItem(canvas.cr, rects[i], labels[i], true, 12.0);
    }
}

// The second options screen: the same pond, its own title, a band behind the rows whose values
// the game writes at run time right of the labels.
void moreOptionsArt(cairo_t* cr) {
    pondBackdrop(cr, 303);
    drawLilyPad(cr, 48, 262, 30, 2.4);
    drawLilyPad(cr, 360, 40, 24, 0.7);
    gradientTitle(cr, 200, 48, "More Options", 30, pal::amberLight, pal::amber);
    setColour(cr, pal::ink, 0.5);
    roundedRect(cr, 12, 70, 376, 138, 10);
    cairo_fill(cr);
}

void parchmentPanel(cairo_t* cr, double x0, double y0, double x1, double y1) {
    roundedRect(cr, x0 + 3, y0 + 3, x1 - x0, y1 - y0, 6);  // shadow down-right
    setColour(cr, pal::ink, 0.5);
    cairo_fill(cr);
    roundedRect(cr, x0, y0, x1 - x0, y1 - y0, 6);
    setColour(cr, pal::bark);
    cairo_fill(cr);
    roundedRect(cr, x0 + 3, y0 + 3, x1 - x0 - 6, y1 - y0 - 6, 3);
    setColour(cr, pal::cream);
    cairo_fill_preserve(cr);
    setColour(cr, pal::barkDark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

Image sceneSelection() {
    Image image = makeImage(kW, kH, 0);
    Canvas canvas(image);
    cairo_t* cr = canvas.cr;
    pondBackdrop(cr, 404);
    gradientTitle(cr, 200, 29, "Choose a Scene", 22, pal::amberLight, pal::amber);
    parchmentPanel(cr, 11, 36, 186, 271);  // the list is drawn inside (15,40)-(181,266)
    // The details run to the right edge: the longest objective line reaches the last column.
    parchmentPanel(cr, 187, 36, 408, 271);
    TextStyle label;
    label.size = 9.5;
    label.colour = pal::bark;
    // Each label ends left of where its value is printed.
    struct Label {
        int valueX, valueY;
        const char* text;
    };
    const Label labels[] = {{225, 43, "Title:"},
                            {265, 59, "Background:"},
                            {270, 75, "Random fall:"},
                            {245, 91, "Interval:"},
                            {252, 107, "Objective:"}};
    // Left-aligned in one column; each still ends left of where its value is printed.
    for (const Label& l : labels) drawLabel(cr, 193, l.valueY + 7.5, l.text, label);
    setColour(cr, pal::parchment);
    cairo_rectangle(cr, 195, 136, 205, 1);
    cairo_fill(cr);
    drawLabel(cr, 198, 151, "Description:", label);
    TextStyle hint;
    hint.size = 9.5;
    hint.colour = pal::cream;
    hint.shadowAlpha = 0.9;
    drawLabel(cr, 200, 289, "Arrows: choose     Enter: play     Backspace: back", hint, 1);
    return image;
}

// The Controls screen: the panel under its rows and the headings of its three columns; the
// screen draws the rows themselves, since they change with the player's choices.
Image controlsPicture() {
    Image image = makeImage(kW, kH, 0);
    Canvas canvas(image);
    cairo_t* cr = canvas.cr;
    pondBackdrop(cr, 808);
    drawLilyPad(cr, 372, 34, 22, 1.7);
    drawLilyPad(cr, 30, 30, 18, 4.1);
    gradientTitle(cr, 200, 38, "Controls", 28, pal::amberLight, pal::amber);
    const ControlsLayout& l = kControlsLayout;
    const int bottom = l.firstRowY + kControlsRows * l.rowHeight + 2;
    parchmentPanel(cr, l.left - 12, l.firstRowY - 26, l.right + 12, bottom);
    TextStyle heading;
    heading.size = 10;
    heading.colour = pal::bark;
    drawLabel(cr, l.nameX, l.firstRowY - 9, "Action", heading);
    drawLabel(cr, l.keyX, l.firstRowY - 9, "Key", heading);
    drawLabel(cr, l.padX, l.firstRowY - 9, "Gamepad", heading);
    setColour(cr, pal::parchment);
    cairo_rectangle(cr, l.left, l.firstRowY - 6, l.right - l.left + 1, 1);
    cairo_fill(cr);
    TextStyle hint;
    hint.size = 9.5;
    hint.colour = pal::cream;
    hint.shadowAlpha = 0.9;
    drawLabel(cr, 200, 276, "Arrows: choose     Enter: change     Backspace: back", hint, 1);
    drawLabel(cr, 200, 290, "A key taken by another action changes places with it", hint, 1);
    return image;
}

Image gameOver() {
    Image image = makeImage(kW, kH, 0);
    Canvas canvas(image);
    cairo_t* cr = canvas.cr;
    pondBackdrop(cr, 505);
    setColour(cr, 0x040A1A, 0.55);  // night has fallen on the pond
    cairo_paint(cr);
    drawLilyPad(cr, 200, 200, 58, 1.4);
    for (int i = 0; i < 9; ++i) drawStonePebble(cr, 60 + i * 37 + (i % 2) * 9, 262 - (i % 3) * 11, 6.5);
    curlyWorm(cr, 222, 192, 3.3, 9, 7.0, 0.7, false);
    // The moon mirrored in the still water, with a soft halo.
    cairo_pattern_t* halo = cairo_pattern_create_radial(340, 52, 16, 340, 52, 60);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1.0, 0.98, 0.9, 0.35);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1.0, 0.98, 0.9, 0.0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
    cairo_pattern_t* disc = cairo_pattern_create_radial(334, 46, 2, 340, 52, 21);
    cairo_pattern_add_color_stop_rgb(disc, 0, 1.0, 1.0, 0.96);
    cairo_pattern_add_color_stop_rgb(disc, 1, 0.82, 0.86, 0.9);
    cairo_arc(cr, 340, 52, 20, 0, 6.2832);
    cairo_set_source(cr, disc);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    setColour(cr, 0x8A9AB0, 0.4);
    cairo_arc(cr, 333, 47, 4, 0, 6.2832);
    cairo_arc(cr, 346, 57, 5.5, 0, 6.2832);
    cairo_fill(cr);
    gradientTitle(cr, 200, 110, "Game Over", 50, 0xDDEBFF, 0x7C9CC8);
    TextStyle sub;
    sub.size = 13;
    sub.colour = pal::cream;
    sub.shadowAlpha = 0.9;
    drawLabel(cr, 200, 136, "The pond grows quiet... try again!", sub, 1);
    return image;
}

Image accomplished() {
    Image image = makeImage(kW, kH, 0);
    Canvas canvas(image);
    cairo_t* cr = canvas.cr;
    pondBackdrop(cr, 606);
    drawLilyPad(cr, 70, 220, 44, 0.3);
    drawLilyPad(cr, 330, 225, 46, 2.9);
    drawLilyPad(cr, 60, 60, 26, 4.2);
    drawLilyPad(cr, 350, 58, 30, 1.9);
    // Water-lily blossoms on the pads.
    for (const auto& b : {std::array<double, 2>{70, 215}, std::array<double, 2>{334, 220}}) {
        for (int p = 0; p < 8; ++p) {
            const double a = p * 0.785;
            cairo_save(cr);
            cairo_translate(cr, b[0], b[1]);
            cairo_rotate(cr, a);
            cairo_scale(cr, 13, 5);
            cairo_arc(cr, 0.9, 0, 1, 0, 6.2832);
            cairo_restore(cr);
            setColour(cr, p % 2 ? 0xFFD6E4 : 0xFFF2F6);
            cairo_fill_preserve(cr);
            setColour(cr, pal::ink, 0.6);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        setColour(cr, pal::amber);
        cairo_arc(cr, b[0], b[1], 5, 0, 6.2832);
        cairo_fill(cr);
    }
    wavyWorm(cr, 262, 204, 12, 8.0, 10.0, 0, true);
    const double beans[][3] = {{150, 262, 5}, {172, 270, 0}, {196, 262, 1},
                               {220, 270, 2}, {244, 262, 3}, {266, 270, 4}};
    scatterBeans(cr, beans, 6);
    gradientTitle(cr, 200, 105, "Well Done!", 52, pal::amberLight, pal::amber);
    TextStyle sub;
    sub.size = 15;
    sub.colour = pal::cream;
    sub.shadowAlpha = 0.9;
    drawLabel(cr, 200, 135, "Scene accomplished", sub, 1);
    return image;
}

}  // namespace

void makePictures(const std::string& dat) {
    saveBmp(dat, "logo.bmp", logo());
    Image normal = makeImage(kW, kH, 0), lit;
    mainMenus(normal, lit);
    saveBmp(dat, "mainmenu.bmp", normal);
    saveBmp(dat, "mainmenu0.bmp", lit);
    Image options = makeImage(kW, kH, 0), optionsLit;
    menuPictures(options, optionsLit, optionsArt, kOptionsRects, kOptionRows);
    saveBmp(dat, "options.bmp", options);
    saveBmp(dat, "options0.bmp", optionsLit);
    Image more = makeImage(kW, kH, 0), moreLit;
    menuPictures(more, moreLit, moreOptionsArt, kMoreOptionsRects, kMoreOptionRows);
    saveBmp(dat, "options2.bmp", more);
    saveBmp(dat, "options20.bmp", moreLit);
    saveBmp(dat, "selectscene.bmp", sceneSelection());
    saveBmp(dat, "gameover.bmp", gameOver());
    saveBmp(dat, "accomplished.bmp", accomplished());
    saveBmp(dat, "controls.bmp", controlsPicture());
    makeHelpPages(dat);
}

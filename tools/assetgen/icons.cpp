// Icons of both programs and of the scene document, and the editor's toolbar. The icons are
// described once as a few simple shapes in a 256 x 256 space; the same description is written
// as SVG and rendered by Cairo into PNGs of 16 to 256 pixels. The toolbar is one PNG strip of
// twenty-one 16 x 15 buttons in the editor's order: New, Open, Save, Set properties, Test play,
// Random bean, Red, Orange, Green, Blue, Purple, Stone, Eraser, Start point, Exit point, Line,
// Rectangle, Ellipse, Filled rectangle, Filled ellipse, About; and each button again as its own PNG named
// after its command (new.png .. about.png).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/assetgen/palette.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr const char* kButtonNames[24] = {
    "new",    "open",  "save",      "properties", "testplay",        "random",        "red",
    "orange", "green", "blue",      "purple",     "stone",           "eraser",        "start",
    "exit",   "line",  "rectangle", "ellipse",    "filledrectangle", "filledellipse", "brush",
    "select", "fill",  "about"};

enum class Kind { Circle, Rect, Polygon, Line };

struct Shape {
    Kind kind = Kind::Circle;
    std::vector<double> v;  // circle: cx cy r; rect: x y w h rx; polygon: x y ...; line: x1 y1 x2 y2
    Rgb fill = 0;
    bool filled = true;
    bool shaded = false;  // radial highlight from the top left
    Rgb stroke = pal::ink;
    double strokeWidth = 0.0;
};

using Icon = std::vector<Shape>;

Shape circle(double cx, double cy, double r, Rgb fill, double sw = 6, bool shaded = true) {
    return {Kind::Circle, {cx, cy, r}, fill, true, shaded, pal::ink, sw};
}
Shape rect(double x, double y, double w, double h, double rx, Rgb fill, double sw = 6, bool shaded = false) {
    return {Kind::Rect, {x, y, w, h, rx}, fill, true, shaded, pal::ink, sw};
}
Shape polygon(std::vector<double> points, Rgb fill, double sw = 6) {
    return {Kind::Polygon, std::move(points), fill, true, false, pal::ink, sw};
}
Shape line(double x1, double y1, double x2, double y2, Rgb colour, double width) {
    return {Kind::Line, {x1, y1, x2, y2}, 0, false, false, colour, width};
}

std::vector<double> padPolygon(double cx, double cy, double r, double notch) {
    std::vector<double> p = {cx, cy};
    for (int i = 0; i <= 40; ++i) {
        const double a = notch + 0.3 + (2 * kPi - 0.6) * i / 40.0;
        p.push_back(cx + std::cos(a) * r);
        p.push_back(cy + std::sin(a) * r);
    }
    return p;
}

void addWorm(Icon& icon, const double (*xy)[2], int count, double r) {
    for (int i = count - 1; i >= 0; --i) icon.push_back(circle(xy[i][0], xy[i][1], r, pal::worm));
    const double hx = xy[0][0], hy = xy[0][1];
    icon.push_back(circle(hx - r * 0.4, hy - r * 0.25, r * 0.32, 0xFFFFFF, 0, false));
    icon.push_back(circle(hx + r * 0.4, hy - r * 0.25, r * 0.32, 0xFFFFFF, 0, false));
    icon.push_back(circle(hx - r * 0.4, hy - r * 0.35, r * 0.15, pal::ink, 0, false));
    icon.push_back(circle(hx + r * 0.4, hy - r * 0.35, r * 0.15, pal::ink, 0, false));
}

Icon gameIcon() {
    Icon icon;
    icon.push_back(rect(8, 8, 240, 240, 48, pal::water, 8, true));
    icon.push_back(polygon(padPolygon(150, 150, 78, 0.5), pal::pad));
    icon.push_back(circle(70, 70, 22, pal::bean[0]));
    icon.push_back(circle(196, 62, 18, pal::bean[3]));
    const double worm[][2] = {{118, 92}, {110, 128}, {122, 162}, {152, 182}, {188, 180}, {214, 160}};
    addWorm(icon, worm, 6, 24);
    return icon;
}

Icon editorIcon() {
    Icon icon;
    icon.push_back(rect(8, 8, 240, 240, 36, pal::cream, 8));
    for (int i = 1; i < 5; ++i) {
        icon.push_back(line(8 + 48.0 * i, 14, 8 + 48.0 * i, 242, 0xC9B98A, 4));
        icon.push_back(line(14, 8 + 48.0 * i, 242, 8 + 48.0 * i, 0xC9B98A, 4));
    }
    icon.push_back(circle(80, 80, 18, pal::bean[0]));
    icon.push_back(circle(128, 80, 18, pal::bean[1]));
    icon.push_back(circle(80, 128, 18, pal::bean[2]));
    icon.push_back(circle(80, 176, 18, pal::bean[4]));
    // A pencil across the grid, point down-left.
    icon.push_back(polygon({96, 220, 108, 172, 206, 74, 240, 108, 142, 206}, pal::amber));
    icon.push_back(polygon({96, 220, 108, 172, 142, 206}, pal::cream));
    icon.push_back(polygon({96, 220, 101, 200, 116, 215}, pal::ink, 0));
    icon.push_back(polygon({206, 74, 222, 58, 256 - 0.5, 92, 240, 108}, 0xF3A0B0));
    return icon;
}

Icon documentIcon() {
    Icon icon;
    icon.push_back(polygon({40, 8, 170, 8, 224, 62, 224, 248, 40, 248}, 0xFFFBEA, 8));
    icon.push_back(polygon({170, 8, 170, 62, 224, 62}, pal::parchment, 6));
    icon.push_back(rect(66, 90, 132, 132, 10, pal::water, 6, true));
    icon.push_back(circle(100, 122, 13, pal::bean[0]));
    icon.push_back(circle(164, 122, 13, pal::bean[2]));
    icon.push_back(circle(100, 188, 13, pal::bean[3]));
    const double worm[][2] = {{168, 176}, {148, 192}, {124, 196}};
    addWorm(icon, worm, 3, 14);
    return icon;
}

// --- Rendering: Cairo and SVG from the same shapes --------------------------------------------

void cairoPath(cairo_t* cr, const Shape& s) {
    switch (s.kind) {
        case Kind::Circle: cairo_arc(cr, s.v[0], s.v[1], s.v[2], 0, 2 * kPi); break;
        case Kind::Rect: roundedRect(cr, s.v[0], s.v[1], s.v[2], s.v[3], s.v[4]); break;
        case Kind::Polygon:
            cairo_move_to(cr, s.v[0], s.v[1]);
            for (std::size_t i = 2; i + 1 < s.v.size(); i += 2) cairo_line_to(cr, s.v[i], s.v[i + 1]);
            cairo_close_path(cr);
            break;
        case Kind::Line:
            cairo_move_to(cr, s.v[0], s.v[1]);
            cairo_line_to(cr, s.v[2], s.v[3]);
            break;
    }
}

void renderShape(cairo_t* cr, const Shape& s) {
    cairoPath(cr, s);
    if (s.filled) {
        if (s.shaded) {
            double x0, y0, x1, y1;
            cairo_path_extents(cr, &x0, &y0, &x1, &y1);
            const double r = std::max(x1 - x0, y1 - y0) * 0.6;
            cairo_pattern_t* g =
                cairo_pattern_create_radial(x0 + (x1 - x0) * 0.3, y0 + (y1 - y0) * 0.3, 0,
                                            x0 + (x1 - x0) * 0.3, y0 + (y1 - y0) * 0.3, r * 1.4);
            const Rgb light = mix(s.fill, 0xFFFFFF, 0.45), dark = scale(s.fill, 0.6);
            cairo_pattern_add_color_stop_rgb(g, 0, red(light) / 255.0, green(light) / 255.0,
                                             blue(light) / 255.0);
            cairo_pattern_add_color_stop_rgb(g, 1, red(dark) / 255.0, green(dark) / 255.0,
                                             blue(dark) / 255.0);
            cairo_set_source(cr, g);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(g);
        } else {
            setColour(cr, s.fill);
            cairo_fill_preserve(cr);
        }
    }
    if (s.strokeWidth > 0) {
        setColour(cr, s.stroke);
        cairo_set_line_width(cr, s.strokeWidth);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void writeIconPng(const Icon& icon, int size, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / 256.0, size / 256.0);
    for (const Shape& s : icon) {
        Shape scaled = s;
        // Thin strokes vanish when small: keep them at least about one pixel wide.
        if (scaled.strokeWidth > 0) scaled.strokeWidth = std::max(scaled.strokeWidth, 256.0 / size);
        renderShape(cr, scaled);
    }
    cairo_destroy(cr);
    if (!writePng(path, surface)) reportFailure(path);
    cairo_surface_destroy(surface);
}

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", c & 0xFFFFFFu);
    return text;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string svgShape(const Shape& s, int index, std::string& defs) {
    // Built with appends only: long chains of string + literal trip a false GCC 12 warning.
    std::string fill = s.filled ? hex(s.fill) : std::string("none");
    if (s.filled && s.shaded) {
        char id[16];
        std::snprintf(id, sizeof id, "g%d", index);
        defs += "<radialGradient id=\"";
        defs += id;
        defs += "\" cx=\"0.3\" cy=\"0.3\" r=\"0.85\"><stop offset=\"0\" stop-color=\"";
        defs += hex(mix(s.fill, 0xFFFFFF, 0.45));
        defs += "\"/><stop offset=\"1\" stop-color=\"";
        defs += hex(scale(s.fill, 0.6));
        defs += "\"/></radialGradient>\n";
        fill = "url(#";
        fill += id;
        fill += ")";
    }
    std::string out;
    auto attribute = [&out](const char* name, const std::string& value) {
        out += ' ';
        out += name;
        out += "=\"";
        out += value;
        out += '"';
    };
    const auto& v = s.v;
    switch (s.kind) {
        case Kind::Circle:
            out = "<circle";
            attribute("cx", number(v[0]));
            attribute("cy", number(v[1]));
            attribute("r", number(v[2]));
            break;
        case Kind::Rect:
            out = "<rect";
            attribute("x", number(v[0]));
            attribute("y", number(v[1]));
            attribute("width", number(v[2]));
            attribute("height", number(v[3]));
            attribute("rx", number(v[4]));
            break;
        case Kind::Polygon: {
            std::string points;
            for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
                points += number(v[i]);
                points += ',';
                points += number(v[i + 1]);
                points += ' ';
            }
            out = "<polygon";
            attribute("points", points);
            break;
        }
        case Kind::Line:
            out = "<line";
            attribute("x1", number(v[0]));
            attribute("y1", number(v[1]));
            attribute("x2", number(v[2]));
            attribute("y2", number(v[3]));
            break;
    }
    attribute("fill", fill);
    if (s.strokeWidth > 0) {
        attribute("stroke", hex(s.stroke));
        attribute("stroke-width", number(s.strokeWidth));
        attribute("stroke-linecap", "round");
        attribute("stroke-linejoin", "round");
    }
    out += "/>\n";
    return out;
}

void writeIconSvg(const Icon& icon, const std::string& path) {
    std::string defs, body;
    for (std::size_t i = 0; i < icon.size(); ++i) body += svgShape(icon[i], static_cast<int>(i), defs);
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "<defs>\n";
    svg += defs;
    svg += "</defs>\n";
    svg += body;
    svg += "</svg>\n";
    if (!writeText(path, svg)) reportFailure(path);
}

void writeIcon(const Icon& icon, const std::string& folder, const std::string& name) {
    writeIconSvg(icon, folder + "/" + name + ".svg");
    writeIconPng(icon, 256, folder + "/" + name + ".png");  // the one a program loads itself
    for (int size : {16, 32, 48, 64, 128, 256})
        writeIconPng(icon, size, folder + "/" + name + "-" + std::to_string(size) + ".png");
}

}  // namespace

void makeIcons(const std::string& folder) {
    writeIcon(gameIcon(), folder, "munchtrail");
    writeIcon(editorIcon(), folder, "kelv");
    writeIcon(documentIcon(), folder, "qsn-document");
    cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24 * 16, 15);
    cairo_t* cr = cairo_create(strip);
    drawToolbarStrip(cr);
    cairo_destroy(cr);
    if (!writePng(folder + "/toolbar.png", strip)) reportFailure("toolbar.png");
    // The same buttons one file each, named after the commands, for toolkits that want them so.
    for (int i = 0; i < 24; ++i) {
        cairo_surface_t* button = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 15);
        cairo_t* bcr = cairo_create(button);
        cairo_set_source_surface(bcr, strip, -16.0 * i, 0);
        cairo_paint(bcr);
        cairo_destroy(bcr);
        const std::string name = std::string(kButtonNames[i]) + ".png";
        if (!writePng(folder + "/" + name, button)) reportFailure(name);
        cairo_surface_destroy(button);
    }
    cairo_surface_destroy(strip);
}

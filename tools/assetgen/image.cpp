// Images, colours, noise, text and the file writers of the asset generator. Every writer
// produces the same bytes on every run: no time stamps, no uninitialised padding.
#include "tools/assetgen/image.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool failed = false;

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const bool closed = std::fclose(file) == 0;
    return written == bytes.size() && closed;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

// The DejaVu fonts are loaded from their files, so that every machine with the Debian font
// package draws the very same glyphs; without the files, fontconfig finds the nearest font.
constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* kFontFiles[4] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf",
                                       "DejaVuSerif-Bold.ttf"};

struct FontCache {
    FT_Library library = nullptr;
    bool tried[4] = {};
    cairo_font_face_t* faces[4] = {};
};
FontCache fonts;

cairo_font_face_t* fontFace(int index) {
    if (fonts.tried[index]) return fonts.faces[index];
    fonts.tried[index] = true;
    if (fonts.library == nullptr && FT_Init_FreeType(&fonts.library) != 0) return nullptr;
    FT_Face face = nullptr;
    const std::string path = std::string(kFontFolder) + kFontFiles[index];
    if (FT_New_Face(fonts.library, path.c_str(), 0, &face) != 0) return nullptr;
    fonts.faces[index] = cairo_ft_font_face_create_for_ft_face(face, 0);
    return fonts.faces[index];
}

void selectFont(cairo_t* cr, const TextStyle& style) {
    cairo_font_face_t* face = fontFace((style.serif ? 2 : 0) + (style.bold ? 1 : 0));
    if (face != nullptr) {
        cairo_set_font_face(cr, face);
    } else {
        cairo_select_font_face(cr, style.serif ? "DejaVu Serif" : "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    cairo_set_font_size(cr, style.size);
}

}  // namespace

Image makeImage(int width, int height, Rgb fill) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    return image;
}

Canvas::Canvas(Image& target) : image(&target) {
    surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.pixels.data()),
                                                  CAIRO_FORMAT_RGB24, target.width, target.height,
                                                  target.width * 4);
    cr = cairo_create(surface);
    // Fixed rendering options keep the text identical from run to run and machine to machine.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    // RGB24 leaves the top byte undefined; our pixels keep it zero.
    for (Rgb& p : image->pixels) p &= 0x00FFFFFFu;
}

Rgb rgb(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}
int red(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int green(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int blue(Rgb c) {
    return static_cast<int>(c & 0xFF);
}

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return rgb(channel(red(a), red(b)), channel(green(a), green(b)), channel(blue(a), blue(b)));
}

Rgb scale(Rgb c, double factor) {
    auto channel = [factor](int x) { return static_cast<int>(std::lround(x * factor)); };
    return rgb(channel(red(c)), channel(green(c)), channel(blue(c)));
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, red(c) / 255.0, green(c) / 255.0, blue(c) / 255.0, alpha);
}

std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double hashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return (hash3(x, y, seed) >> 8) / 16777215.0;
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double a = hashUnit(ix, iy, seed);
    const double b = hashUnit(ix + 1, iy, seed);
    const double c = hashUnit(ix, iy + 1, seed);
    const double d = hashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * amplitude;
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    selectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void drawLabel(cairo_t* cr, double x, double y, const std::string& text, const TextStyle& style, int align) {
    selectFont(cr, style);
    const double width = textWidth(cr, text, style);
    if (align == 1) x -= width / 2.0;
    if (align == 2) x -= width;
    if (style.shadowAlpha > 0.0) {
        setColour(cr, style.shadow, style.shadowAlpha);
        cairo_move_to(cr, x + 1.0, y + 1.0);
        cairo_show_text(cr, text.c_str());
    }
    if (style.outlineWidth > 0.0) {
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, text.c_str());
        setColour(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    setColour(cr, style.colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double pi = 3.14159265358979323846;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

bool writeBmp(const std::string& path, const Image& image) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataBytes);
    putLe16(out, 0x4D42);
    putLe32(out, 54 + dataBytes);
    putLe32(out, 0);
    putLe32(out, 54);
    putLe32(out, 40);
    putLe32(out, static_cast<std::uint32_t>(image.width));
    putLe32(out, static_cast<std::uint32_t>(image.height));
    putLe16(out, 1);
    putLe16(out, 24);
    putLe32(out, 0);
    putLe32(out, dataBytes);
    putLe32(out, 2835);  // 72 dots per inch
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            out.push_back(static_cast<std::uint8_t>(blue(p)));
            out.push_back(static_cast<std::uint8_t>(green(p)));
            out.push_back(static_cast<std::uint8_t>(red(p)));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return writeBytes(path, out);
}

bool writeTxm(const std::string& path, const Image& image) {
    if (image.width != 128 || image.height != 128) return false;
    std::vector<std::uint8_t> out;
    out.reserve(65536);
    for (const Rgb p : image.pixels) putLe32(out, p & 0x00FFFFFFu);
    return writeBytes(path, out);
}

bool writePng(const std::string& path, cairo_surface_t* surface) {
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool writeText(const std::string& path, const std::string& text) {
    return writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void reportFailure(const std::string& what) {
    std::fprintf(stderr, "assetgen: could not write %s\n", what.c_str());
    failed = true;
}

bool anyFailure() {
    return failed;
}

// The generator's picture toolkit: an in-memory image of 0x00RRGGBB pixels that Cairo can
// draw into directly, the file writers for the formats the programs read (24-bit bottom-up
// BMP, the raw 128 x 128 .txm atlas) plus PNG for icons, and the small helpers every picture
// shares: colours, value noise, text with the one light direction of the whole game.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

using Rgb = std::uint32_t;  // 0x00RRGGBB
inline constexpr Rgb kMagenta = 0x00FF00FFu;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Image makeImage(int width, int height, Rgb fill);

// A Cairo context drawing straight into an Image (RGB24 shares our pixel layout).
struct Canvas {
    Image* image = nullptr;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    explicit Canvas(Image& target);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
};

// Colour helpers.
Rgb rgb(int r, int g, int b);
int red(Rgb c);
int green(Rgb c);
int blue(Rgb c);
Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a
Rgb scale(Rgb c, double factor);  // clamps at 255
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Deterministic noise: hash of integer lattice points and smooth fractal value noise.
std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed);
double hashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed);  // 0..1
double valueNoise(double x, double y, std::uint32_t seed);            // 0..1
double fbm(double x, double y, int octaves, std::uint32_t seed);      // 0..1

// Text in DejaVu Sans (bold when asked), anchored at its baseline; align 0 left, 1 centre,
// 2 right. The shadow falls one pixel down and right, away from the top-left light.
struct TextStyle {
    double size = 12.0;
    bool bold = true;
    bool serif = false;
    Rgb colour = 0xFFFFFF;
    Rgb shadow = 0x000000;
    double shadowAlpha = 0.0;  // 0: no shadow
    Rgb outline = 0x000000;
    double outlineWidth = 0.0;  // 0: no outline
};
double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
void drawLabel(cairo_t* cr, double x, double y, const std::string& text, const TextStyle& style,
               int align = 0);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Writers; each returns false when the file could not be written completely.
bool writeBmp(const std::string& path, const Image& image);
bool writeTxm(const std::string& path, const Image& image);  // must be 128 x 128
bool writePng(const std::string& path, cairo_surface_t* surface);
bool writeText(const std::string& path, const std::string& text);

// Records a failure for main's exit status without stopping the other files.
void reportFailure(const std::string& what);
bool anyFailure();

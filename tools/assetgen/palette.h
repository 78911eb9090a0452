// The one palette of the whole game and its generator's module entry points. Light always
// comes from the top left, so highlights sit up-left and shadows fall down-right, the same
// way the game offsets its bean shadows by (+4, +4).
#pragma once

#include <array>
#include <string>

#include "tools/assetgen/image.h"

namespace pal {
inline constexpr Rgb ink = 0x0A171B;  // outlines and deepest shade
inline constexpr Rgb deepWater = 0x0D2C36;
inline constexpr Rgb water = 0x17505C;
inline constexpr Rgb shallow = 0x2B7A7C;
inline constexpr Rgb foam = 0xA9DCD0;
inline constexpr Rgb padDark = 0x2C6229;
inline constexpr Rgb pad = 0x5B9A3C;
inline constexpr Rgb padLight = 0x9CCB5E;
inline constexpr Rgb cream = 0xF4EACB;
inline constexpr Rgb parchment = 0xE6D9AF;
inline constexpr Rgb bark = 0x6B4A2E;
inline constexpr Rgb barkDark = 0x3E2A1A;
inline constexpr Rgb amber = 0xF4B43E;
inline constexpr Rgb amberLight = 0xFFE38E;
inline constexpr Rgb worm = 0xE4876A;
inline constexpr Rgb wormDark = 0x9E4A40;
inline constexpr Rgb wormLight = 0xFFC7A6;
// Bean colours in their game order: red, orange, green, blue, purple, then the bonus bean.
inline constexpr std::array<Rgb, 6> bean = {0xD9352D, 0xF28C1E, 0x4DB23A, 0x2F70E0, 0x9C46CA, 0xFFD54A};
}  // namespace pal

// Shared pond motifs drawn with Cairo (pond_art.cpp).
void drawWaterBackdrop(cairo_t* cr, int width, int height, unsigned seed);
void drawLilyPad(cairo_t* cr, double x, double y, double radius, double notchAngle);
void drawBeanShape(cairo_t* cr, double x, double y, double radius, Rgb colour);
void drawStonePebble(cairo_t* cr, double x, double y, double radius);
// A worm along a polyline of points (head first), segments of the given radius.
void drawWormPath(cairo_t* cr, const double* xy, int points, double radius, bool eyesOpen);
void drawPlaque(cairo_t* cr, double x, double y, double w, double h, bool lit);

// The generator's modules; each writes its files into the folder given.
void makeFloors(const std::string& dat);
void makePictures(const std::string& dat);
void makeSprites(const std::string& dat);
void makeTextures(const std::string& dat);
void makeSounds(const std::string& dat);
void makeReadme(const std::string& folder);
void makeIcons(const std::string& folder);

// Parts of the modules above that live in files of their own.
void makeHelpPages(const std::string& dat);  // help_pages.cpp, called by makePictures
void drawToolbarStrip(cairo_t* cr);          // toolbar.cpp, called by makeIcons

// Writes name into folder as BMP, reporting failures.
void saveBmp(const std::string& folder, const std::string& name, const Image& image);

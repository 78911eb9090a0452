// The BMP files: every picture exists with its size in the exact 24-bit bottom-up layout and
// loads with the game's own loader; the lit menu pictures differ from the normal ones only
// inside the rectangles the screens light; the scene selection keeps its value areas light;
// the pond floors stay calm enough for the beans.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tests/assets/asset_files.h"

#ifdef MT_HAVE_RENDER
#include "render/pixels.h"
#endif

namespace {

struct Expected {
    std::string name;
    int width, height;
};

std::vector<Expected> allBmps() {
    std::vector<Expected> list;
    for (const char* n : {"logo", "mainmenu", "mainmenu0", "options", "options0", "help", "help0",
                          "selectscene", "gameover", "accomplished"})
        list.push_back({n, 400, 300});
    for (int i = 0; i <= 8; ++i) list.push_back({"bg0" + std::to_string(i), 400, 300});
    for (const char* n : {"worm", "shadow", "stone", "exit", "up", "down", "left", "right", "start", "random"})
        list.push_back({n, 10, 10});
    for (int i = 1; i <= 8; ++i) {
        list.push_back({"wormb" + std::to_string(i), 10, 10});
        list.push_back({"wormd" + std::to_string(i), 10, 10});
    }
    list.push_back({"add5", 14, 9});
    for (const char* n : {"add10", "add15", "add30", "lifeup"}) list.push_back({n, 18, 9});
    list.push_back({"cursor", 16, 13});
    list.push_back({"score", 245, 11});
    return list;
}

Picture load(const std::string& name) { return readStrictBmp(distPath("DAT/" + name + ".bmp")); }

TEST(BmpFiles, EveryPictureHasItsSizeAndTheExactLayout) {
    for (const Expected& e : allBmps()) {
        const Picture p = load(e.name);
        EXPECT_EQ(p.width, e.width) << e.name;
        EXPECT_EQ(p.height, e.height) << e.name;
    }
}

#ifdef MT_HAVE_RENDER
TEST(BmpFiles, TheGamesLoaderReadsThemPixelForPixel) {
    for (const Expected& e : allBmps()) {
        const std::string path = distPath("DAT/" + e.name + ".bmp");
        PixelBuffer* image = loadBmp(path.c_str());
        ASSERT_NE(image, nullptr) << e.name;
        const Picture p = readStrictBmp(path);
        ASSERT_EQ(image->width, p.width);
        ASSERT_EQ(image->height, p.height);
        EXPECT_TRUE(std::equal(p.pixels.begin(), p.pixels.end(), image->pixels())) << e.name;
        destroyPixelBuffer(image);
    }
}
#endif

struct Rect {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// Every pixel the lit picture changes lies in one of the rectangles, and each rectangle is
// visibly lit: a good share of its pixels change.
void expectLitOnlyInside(const std::string& normalName, const std::string& litName,
                         const std::vector<Rect>& rects) {
    const Picture normal = load(normalName), lit = load(litName);
    ASSERT_EQ(normal.pixels.size(), lit.pixels.size());
    std::vector<int> changed(rects.size(), 0);
    for (int y = 0; y < normal.height; ++y)
        for (int x = 0; x < normal.width; ++x) {
            if (normal.at(x, y) == lit.at(x, y)) continue;
            bool inside = false;
            for (std::size_t i = 0; i < rects.size(); ++i)
                if (rects[i].contains(x, y)) {
                    inside = true;
                    ++changed[i];
                }
            EXPECT_TRUE(inside) << litName << " changes (" << x << ", " << y << ")";
            if (!inside) return;
        }
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        const int area = (r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1);
        EXPECT_GT(changed[i] * 2, area) << litName << " item " << i << " barely changes";
    }
}

TEST(Menus, TheLitMainMenuDiffersOnlyInsideTheItemRectangles) {
    expectLitOnlyInside("mainmenu", "mainmenu0",
                        {{140, 20, 255, 60}, {300, 100, 395, 140}, {220, 240, 355, 280},
                         {75, 240, 145, 280}, {20, 100, 90, 140}});
}

TEST(Menus, TheLitOptionsDifferOnlyInsideTheRowRectangles) {
    expectLitOnlyInside("options", "options0",
                        {{20, 90, 145, 115}, {20, 120, 135, 145}, {20, 145, 145, 170},
                         {110, 230, 295, 255}});
}

TEST(Menus, TheLitItemsAreBrighterThanTheNormalOnes) {
    const Picture normal = load("mainmenu"), lit = load("mainmenu0");
    long sumNormal = 0, sumLit = 0;
    for (int y = 20; y <= 60; ++y)
        for (int x = 140; x <= 255; ++x) {
            sumNormal += luminance(normal.at(x, y));
            sumLit += luminance(lit.at(x, y));
        }
    EXPECT_GT(sumLit, sumNormal * 3 / 2);
}

// Mean luminance and the share of dark pixels of an area.
double meanLuminance(const Picture& p, const Rect& r) {
    double sum = 0;
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) sum += luminance(p.at(x, y));
    return sum / ((r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1));
}

TEST(SceneSelection, TheListAndTheValueAreasAreLightSoBlueTextReads) {
    const Picture p = load("selectscene");
    EXPECT_GT(meanLuminance(p, {15, 40, 181, 266}), 200.0);       // the list
    EXPECT_GT(meanLuminance(p, {225, 43, 385, 53}), 200.0);       // title value
    EXPECT_GT(meanLuminance(p, {265, 59, 385, 69}), 200.0);       // background value
    EXPECT_GT(meanLuminance(p, {270, 75, 385, 85}), 200.0);       // random fall value
    EXPECT_GT(meanLuminance(p, {245, 91, 385, 101}), 200.0);      // interval value
    EXPECT_GT(meanLuminance(p, {252, 107, 398, 127}), 200.0);     // objective, two lines
    EXPECT_GT(meanLuminance(p, {198, 158, 383, 263}), 200.0);     // description
}

TEST(SceneSelection, EveryLabelEndsLeftOfItsValue) {
    // Label text is the dark brown ink; nothing of it may reach into a value's line.
    const Picture p = load("selectscene");
    const std::array<Rect, 5> valueLines = {
        {{225, 43, 399, 53}, {265, 59, 399, 69}, {270, 75, 399, 85}, {245, 91, 399, 101}, {252, 107, 399, 127}}};
    for (const Rect& r : valueLines)
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= 398; ++x) EXPECT_GT(luminance(p.at(x, y)), 150) << x << ", " << y;
}

TEST(Floors, NineCalmMidDarkFloors) {
    for (int i = 0; i <= 8; ++i) {
        const Picture p = load("bg0" + std::to_string(i));
        std::vector<int> lum;
        for (std::uint32_t c : p.pixels) lum.push_back(luminance(c));
        std::sort(lum.begin(), lum.end());
        const int median = lum[lum.size() / 2];
        const int high = lum[lum.size() * 98 / 100];
        EXPECT_GE(median, 40) << "bg0" << i << " too dark to see at night";
        EXPECT_LE(median, 140) << "bg0" << i << " too bright for the beans";
        EXPECT_LE(high, 200) << "bg0" << i << " has highlights as bright as beans";
        EXPECT_GT(high - lum[lum.size() / 50], 20) << "bg0" << i << " has no texture";
    }
}

TEST(Floors, AreDifferentFromEachOther) {
    for (int i = 0; i <= 8; ++i)
        for (int j = i + 1; j <= 8; ++j)
            EXPECT_NE(load("bg0" + std::to_string(i)).pixels, load("bg0" + std::to_string(j)).pixels);
}

TEST(Pictures, FullScreenPicturesAreNotBlank) {
    for (const char* n : {"logo", "mainmenu", "options", "help", "help0", "selectscene", "gameover",
                          "accomplished"}) {
        const Picture p = load(n);
        int darkest = 255, brightest = 0;
        for (std::uint32_t c : p.pixels) {
            darkest = std::min(darkest, luminance(c));
            brightest = std::max(brightest, luminance(c));
        }
        EXPECT_GT(brightest - darkest, 150) << n;
    }
}

}  // namespace

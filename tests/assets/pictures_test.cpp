// The BMP files: every picture exists with its size in the exact 24-bit bottom-up layout and
// loads with the game's own loader; the lit menu pictures differ from the normal ones only
// inside the rectangles the screens light; the scene selection keeps its value areas light;
// the pond floors stay calm enough for the beans.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/assets/asset_files.h"

#ifdef MT_HAVE_RENDER
#include "render/pixels.h"
#endif

namespace {

TEST(BmpFiles, EveryPictureHasItsSizeTheExactLayoutAndLoadsInTheGame) {
    struct Expected {
        std::string name;
        int width, height;
    };
    std::vector<Expected> list;
    for (const char* n :
         {"logo", "mainmenu", "mainmenu0", "options", "options0", "help", "help0", "selectscene", "gameover",
          "accomplished", "bg00", "bg01", "bg02", "bg03", "bg04", "bg05", "bg06", "bg07", "bg08"})
        list.push_back({n, 400, 300});
    for (const char* n :
         {"worm", "shadow", "stone", "exit", "up", "down", "left", "right", "start", "random"})
        list.push_back({n, 10, 10});
    for (int i = 1; i <= 8; ++i) {
        list.push_back({"wormb" + std::to_string(i), 10, 10});
        list.push_back({"wormd" + std::to_string(i), 10, 10});
    }
    for (const char* n : {"add10", "add15", "add30", "lifeup"}) list.push_back({n, 18, 9});
    list.insert(list.end(), {{"add5", 14, 9}, {"cursor", 16, 13}, {"score", 245, 11}});
    for (const Expected& e : list) {
        SCOPED_TRACE(e.name);
        const Picture p = loadDat(e.name);
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
#ifdef MT_HAVE_RENDER
        PixelBuffer* image = loadBmp(distPath("DAT/" + e.name + ".bmp").c_str());
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->width, p.width);
        ASSERT_EQ(image->height, p.height);
        EXPECT_TRUE(std::equal(p.pixels.begin(), p.pixels.end(), image->pixels()));
        destroyPixelBuffer(image);
#endif
    }
}

struct Rect {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

double meanLuminance(const Picture& p, const Rect& r) {
    double sum = 0;
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) sum += luminance(p.at(x, y));
    return sum / ((r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1));
}

TEST(Menus, TheLitPicturesDifferOnlyInsideTheItemRectangles) {
    // Every pixel the lit picture changes lies in one of the rectangles, and each rectangle is
    // visibly lit: a good share of its pixels change.
    struct Case {
        const char *normal, *lit;
        std::vector<Rect> rects;
    };
    for (const Case& c :
         {Case{"mainmenu",
               "mainmenu0",
               {{140, 20, 255, 60},
                {300, 100, 395, 140},
                {220, 240, 355, 280},
                {75, 240, 145, 280},
                {20, 100, 90, 140}}},
          Case{"options",
               "options0",
               {{20, 90, 145, 115}, {20, 120, 135, 145}, {20, 145, 145, 170}, {110, 230, 295, 255}}}}) {
        SCOPED_TRACE(c.lit);
        const Picture normal = loadDat(c.normal), lit = loadDat(c.lit);
        ASSERT_EQ(normal.pixels.size(), lit.pixels.size());
        std::vector<int> changed(c.rects.size(), 0);
        for (int y = 0; y < normal.height; ++y)
            for (int x = 0; x < normal.width; ++x) {
                if (normal.at(x, y) == lit.at(x, y)) continue;
                bool inside = false;
                for (std::size_t i = 0; i < c.rects.size(); ++i)
                    if (c.rects[i].contains(x, y)) inside = true, ++changed[i];
                ASSERT_TRUE(inside) << "changes (" << x << ", " << y << ")";
            }
        for (std::size_t i = 0; i < c.rects.size(); ++i) {
            const Rect& r = c.rects[i];
            EXPECT_GT(changed[i] * 2, (r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1))
                << "item " << i << " barely changes";
        }
    }
    // Lit means brighter.
    const Rect play{140, 20, 255, 60};
    EXPECT_GT(meanLuminance(loadDat("mainmenu0"), play), meanLuminance(loadDat("mainmenu"), play) * 1.5);
}

TEST(SceneSelection, TheListAndTheValueAreasAreLightSoBlueTextReads) {
    const Picture p = loadDat("selectscene");
    EXPECT_GT(meanLuminance(p, {15, 40, 181, 266}), 200.0);    // the list
    EXPECT_GT(meanLuminance(p, {198, 158, 383, 263}), 200.0);  // the description
    // Title, background, random fall, interval and the two lines of the objective. Label text
    // is the dark brown ink; nothing of it may reach into a value's line.
    for (const Rect& r : {Rect{225, 43, 385, 53}, Rect{265, 59, 385, 69}, Rect{270, 75, 385, 85},
                          Rect{245, 91, 385, 101}, Rect{252, 107, 398, 127}}) {
        EXPECT_GT(meanLuminance(p, r), 200.0) << r.x0 << ", " << r.y0;
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= 398; ++x) EXPECT_GT(luminance(p.at(x, y)), 150) << x << ", " << y;
    }
}

TEST(Floors, NineDifferentCalmMidDarkFloors) {
    std::vector<Picture> floors;
    for (int i = 0; i <= 8; ++i) {
        SCOPED_TRACE("bg0" + std::to_string(i));
        floors.push_back(loadDat("bg0" + std::to_string(i)));
        std::vector<int> lum;
        for (std::uint32_t c : floors.back().pixels) lum.push_back(luminance(c));
        std::sort(lum.begin(), lum.end());
        const int median = lum[lum.size() / 2], high = lum[lum.size() * 98 / 100];
        EXPECT_GE(median, 40) << "too dark to see at night";
        EXPECT_LE(median, 140) << "too bright for the beans";
        EXPECT_LE(high, 200) << "highlights as bright as beans";
        EXPECT_GT(high - lum[lum.size() / 50], 20) << "no texture";
        for (int j = 0; j < i; ++j) EXPECT_NE(floors[j].pixels, floors.back().pixels) << "same as bg0" << j;
    }
}

TEST(Pictures, FullScreenPicturesAreNotBlank) {
    for (const char* n :
         {"logo", "mainmenu", "options", "help", "help0", "selectscene", "gameover", "accomplished"}) {
        const Picture p = loadDat(n);
        std::vector<int> lum;
        for (std::uint32_t c : p.pixels) lum.push_back(luminance(c));
        ASSERT_FALSE(lum.empty()) << n;
        EXPECT_GT(*std::max_element(lum.begin(), lum.end()) - *std::min_element(lum.begin(), lum.end()), 150)
            << n;
    }
}

}  // namespace

// The generated data: the generator gives the same bytes on every run (and the program folder
// holds them), every file of the shared data table loads with the game's own loaders at its
// listed size, the lit menu pictures change only inside the rectangles the screens light, and
// the help page is self-contained and covers both programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "game/media/wave.h"
#include "game/screens/menu_layout.h"
#include "render/pixels.h"
#include "render/texture.h"
#include "scene/data_files.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::map<std::string, std::string> generate(const char* tag) {
    const fs::path dir =
        fs::temp_directory_path() / ("assetgen-" + std::string(tag) + std::to_string(getpid()));
    fs::remove_all(dir);
    EXPECT_EQ(std::system(("\"" MT_ASSETGEN "\" \"" + dir.string() + "\"").c_str()), 0);
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).string()] = readFile(entry.path());
    fs::remove_all(dir);
    return files;
}

}  // namespace

TEST(Generator, TwoRunsGiveTheBytesOfTheProgramFolder) {
    const auto first = generate("a"), second = generate("b");
    EXPECT_GT(first.size(), std::size(kDataFiles));
    EXPECT_TRUE(first == second);
    for (const auto& [name, bytes] : first) EXPECT_TRUE(bytes == readFile(fs::path(MT_DIST) / name)) << name;
}

TEST(DataFiles, EachLoadsWithTheGamesLoadersAtItsSize) {
    ASSERT_EQ(chdir(MT_DIST), 0);
    for (const DataFile& file : kDataFiles) {
        const std::string path = file.path;
        if (path.ends_with(".bmp")) {
            PixelBuffer* picture = loadBmp(file.path);
            ASSERT_NE(picture, nullptr) << path;
            EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(file.width, file.height)) << path;
            destroyPixelBuffer(picture);
        } else if (path.ends_with(".txm")) {
            TextureStore texture;
            EXPECT_TRUE(loadTexture(&texture, file.path)) << path;
        } else {
            WaveSound sound;
            EXPECT_TRUE(readWaveFile(file.path, &sound) == kWaveOk && isPlayablePcm(sound.format)) << path;
            EXPECT_GT(sound.samples.size(), 1000u) << path;  // a tick at least
        }
    }
}

TEST(Menus, TheLitPicturesChangeOnlyInsideTheirRectangles) {
    ASSERT_EQ(chdir(MT_DIST), 0);
    auto check = [](const char* normalPath, const char* litPath, const auto& rects) {
        PixelBuffer* normal = loadBmp(normalPath);
        PixelBuffer* lit = loadBmp(litPath);
        ASSERT_TRUE(normal && lit);
        std::vector<int> changed(rects.size() + 1);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                if (normal->pixels()[y * 400 + x] == lit->pixels()[y * 400 + x]) continue;
                std::size_t in = 0;
                while (in < rects.size() &&
                       !(x >= rects[in].x0 && x <= rects[in].x1 && y >= rects[in].y0 && y <= rects[in].y1))
                    ++in;
                ++changed[in];
            }
        EXPECT_EQ(changed.back(), 0) << litPath << ": changed outside every rectangle";
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const MenuRect& r = rects[i];
            EXPECT_GT(changed[i] * 4, (r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1)) << litPath << " rectangle " << i;
        }
        destroyPixelBuffer(normal);
        destroyPixelBuffer(lit);
    };
    check(dataPath("mainmenu.bmp"), dataPath("mainmenu0.bmp"), kMenuRects);
    check(dataPath("options.bmp"), dataPath("options0.bmp"), kOptionsRects);
}

TEST(HelpPage, IsSelfContainedHtmlCoveringTheGameAndTheEditor) {
    const std::string html = readFile(fs::path(MT_DIST) / "Readme.htm");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* external : {"http:", "https:", "src=", "<link", "<script", "@import", "url("})
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    for (const char* topic :
         {"Backspace", "Objectives", "Colour powers", "Molting", "KELV", "Shapes", "Properties"})
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
}

// The generator as a whole: two runs into fresh folders give identical bytes (and the same
// bytes as the program folder), the help page is self-contained HTML covering both programs,
// and the icons and the toolbar strip are PNGs of the promised sizes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/assets/asset_files.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::vector<std::uint8_t>> snapshot(const fs::path& root) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = readFile(entry.path().string());
    return files;
}

fs::path freshFolder(const char* tag) {
    const fs::path dir =
        fs::temp_directory_path() / ("assetgen-" + std::string(tag) + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    return dir;
}

bool runGenerator(const fs::path& dir) {
    const std::string command = std::string("\"") + MT_ASSETGEN + "\" \"" + dir.string() + "\"";
    return std::system(command.c_str()) == 0;
}

TEST(Generator, TwoRunsGiveIdenticalBytes) {
    const fs::path a = freshFolder("a"), b = freshFolder("b");
    ASSERT_TRUE(runGenerator(a));
    ASSERT_TRUE(runGenerator(b));
    const auto first = snapshot(a), second = snapshot(b);
    EXPECT_GT(first.size(), 90u);
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        ASSERT_TRUE(second.count(name)) << name;
        EXPECT_TRUE(bytes == second.at(name)) << name << " differs between runs";
        // The program folder holds what this generator makes.
        EXPECT_TRUE(bytes == readFile(distPath(name))) << name << " differs from the program folder";
    }
    fs::remove_all(a);
    fs::remove_all(b);
}

TEST(HelpPage, IsSelfContainedHtmlCoveringTheGameAndTheEditor) {
    const std::vector<std::uint8_t> bytes = readFile(distPath("Readme.htm"));
    const std::string html(bytes.begin(), bytes.end());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("</html>"), std::string::npos);
    for (const char* external : {"http:", "https:", "src=", "<link", "<script", "@import", "url("})
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    for (const char* topic :
         {"Keys", "Backspace", "Objectives", "Colour powers", "Scoring", "Lives", "Molting", "5000",
          "25 segments", "KELV", "Units", "Shapes", "Properties", "Scenes", "Ctrl</kbd>+<kbd>S"})
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
}

// Width and height from a PNG's IHDR chunk, or 0, 0.
std::pair<std::uint32_t, std::uint32_t> pngSize(const std::string& file) {
    const std::vector<std::uint8_t> b = readFile(file);
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 24 || !std::equal(signature, signature + 8, b.begin())) return {0, 0};
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
               (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
    };
    return {be32(16), be32(20)};
}

TEST(Icons, ProgramsDocumentAndToolbarHaveTheirSizes) {
    // Each PNG under icons/ by name, with its width and height (0: any height).
    struct Png {
        std::string name;
        std::uint32_t width, height;
    };
    // The toolbar is one strip of twenty-one 16 x 15 buttons, and each button is there alone too.
    std::vector<Png> pngs = {{"toolbar", 21 * 16, 15}, {"kelv", 256, 0}, {"munchtrail", 256, 0}};
    for (const char* button :
         {"new",    "open",  "save",      "properties", "testplay",        "random",        "red",
          "orange", "green", "blue",      "purple",     "stone",           "eraser",        "start",
          "exit",   "line",  "rectangle", "ellipse",    "filledrectangle", "filledellipse", "about"})
        pngs.push_back({button, 16, 15});
    for (const char* icon : {"munchtrail", "kelv", "qsn-document"}) {
        const std::vector<std::uint8_t> svg = readFile(distPath(std::string("icons/") + icon + ".svg"));
        EXPECT_NE(std::string(svg.begin(), svg.end()).find("<svg"), std::string::npos) << icon;
        for (std::uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u})
            pngs.push_back({std::string(icon) + "-" + std::to_string(size), size, size});
    }
    for (const Png& png : pngs) {
        const auto [width, height] = pngSize(distPath("icons/" + png.name + ".png"));
        EXPECT_EQ(width, png.width) << png.name;
        EXPECT_TRUE(png.height == 0 || height == png.height) << png.name << " is " << height << " high";
    }
}

}  // namespace

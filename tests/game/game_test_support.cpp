// The temporary program folder and settings folder of the game's headless tests.
#include "tests/game/game_test_support.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/platform/headless/headless.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + std::strlen(tag));
}

struct PictureFile {
    const char* name;
    std::uint32_t colour;
};

}  // namespace

std::vector<std::uint8_t> makeBmp(int width, int height, std::uint32_t colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> out = {'B', 'M'};
    const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
    for (std::uint32_t value : {54 + static_cast<std::uint32_t>(rowBytes) * h, 0u, 54u, 40u, w, h, 0x180001u,
                                0u, 0u, 0u, 0u, 0u, 0u})
        put32(out, value);  // 0x180001: one plane of 24 bits
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<std::uint8_t>(colour));
            out.push_back(static_cast<std::uint8_t>(colour >> 8));
            out.push_back(static_cast<std::uint8_t>(colour >> 16));
        }
        for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> makeWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                   std::uint16_t bits, std::uint32_t frames,
                                   const std::vector<std::uint8_t>& extra) {
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    std::vector<std::uint8_t> fmt;
    const auto pair = [](std::uint32_t low, std::uint32_t high) { return low | high << 16; };
    for (std::uint32_t value : {pair(tag, channels), rate, rate * block, pair(block, bits)})
        put32(fmt, value);
    if (tag != 1) {
        put16(fmt, static_cast<std::uint32_t>(extra.size()));
        for (std::uint8_t byte : extra) fmt.push_back(byte);
    }
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);  // filled in below
    putTag(out, "WAVEfmt ");
    put32(out, static_cast<std::uint32_t>(fmt.size()));
    for (std::uint8_t byte : fmt) out.push_back(byte);
    if (fmt.size() & 1) out.push_back(0);
    putTag(out, "data");
    put32(out, frames * block);
    for (std::uint32_t i = 0; i < frames * block; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    const std::uint32_t riffSize = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    return out;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::remove(path);  // never write through a link into the program folder
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void GameTest::SetUp() {
    char pattern[] = "/tmp/mtgameXXXXXX";
    folder_ = mkdtemp(pattern);
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::create_directories(folder_ + "/config");
    ASSERT_EQ(chdir(folder_.c_str()), 0);
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
    setenv("XDG_STATE_HOME", (folder_ + "/state").c_str(), 1);
    resetHeadlessGame();
}

void GameTest::TearDown() {
    resetHeadlessGame();
    if (chdir(previousFolder_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previousFolder_;
    std::filesystem::remove_all(folder_);
}

void GameTest::makeDat() {
    // The generated DAT, file by file, with the full-screen pictures and the marker replaced by
    // plain colours.
    const std::filesystem::path dat = folder_ + "/DAT";
    std::filesystem::remove_all(dat);
    std::filesystem::create_directories(dat);
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(MT_TEST_DIST_DIR) / "DAT"))
        std::filesystem::create_symlink(entry.path(), dat / entry.path().filename());
    const PictureFile pictures[] = {
        {"logo.bmp", kLogoColour},           {"mainmenu.bmp", kMenuColour},
        {"mainmenu0.bmp", kMenuLitColour},   {"options.bmp", kOptionsColour},
        {"options0.bmp", kOptionsLitColour}, {"help.bmp", kHelpColour},
        {"help0.bmp", kHelp2Colour},
    };
    for (const PictureFile& picture : pictures)
        writeBytes((dat / picture.name).string(), makeBmp(400, 300, picture.colour));
    writeBytes((dat / "cursor.bmp").string(), makeBmp(8, 8, kMarkerColour));
}

void GameTest::removeDatFile(const std::string& name) {
    std::filesystem::remove(folder_ + "/DAT/" + name);
}

std::string GameTest::settingsText() const {
    std::ifstream in(settingsFilePath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void GameTest::writeSettingsText(const std::string& text) const {
    std::filesystem::create_directories(folder_ + "/config/Quillfern");
    std::ofstream(settingsFilePath(), std::ios::binary) << text;
}

bool GameTest::startGame() {
    return initGame() == 1;
}

bool GameTest::runUntilScreen(void (*screen)(), int limit) {
    for (int i = 0; i < limit && shell.currentScreen != screen; ++i)
        if (!runOneFrame()) return false;
    return shell.currentScreen == screen;
}

void GameTest::runFrames(int count) {
    for (int i = 0; i < count; ++i) runOneFrame();
}

void GameTest::press(std::uint8_t scanCode) {
    scriptPress(scanCode);
}

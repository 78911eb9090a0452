// The temporary program folder and settings folder of the game's headless tests.
#include "tests/game/game_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "game/platform/headless.h"
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
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct PictureFile {
    const char* name;
    std::uint32_t colour;
};

}  // namespace

std::vector<std::uint8_t> makeBmp(int width, int height, std::uint32_t colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> out = {'B', 'M'};
    put32(out, static_cast<std::uint32_t>(54 + rowBytes * height));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i) put32(out, 0);
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

std::vector<std::uint8_t> makeWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                                   std::uint32_t frames, const std::vector<std::uint8_t>& extra) {
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    std::vector<std::uint8_t> fmt;
    put16(fmt, tag);
    put16(fmt, channels);
    put32(fmt, rate);
    put32(fmt, rate * block);
    put16(fmt, block);
    put16(fmt, bits);
    if (tag != 1) {
        put16(fmt, static_cast<std::uint32_t>(extra.size()));
        for (std::uint8_t byte : extra) fmt.push_back(byte);
    }
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, static_cast<std::uint32_t>(fmt.size()));
    for (std::uint8_t byte : fmt) out.push_back(byte);
    if (fmt.size() & 1) out.push_back(0);
    putTag(out, "data");
    put32(out, frames * block);
    for (std::uint32_t i = 0; i < frames * block; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    const std::uint32_t riffSize = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    return out;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> catalogueImageNames() {
    std::vector<std::string> names = {"logo", "mainmenu", "mainmenu0", "help", "help0", "options", "options0",
                                      "selectscene", "gameover", "accomplished", "cursor", "score", "up", "down",
                                      "left", "right", "shadow", "exit", "stone", "add5", "add10", "add15",
                                      "add30", "lifeup", "worm"};
    for (int i = 0; i <= 8; ++i) names.push_back("bg0" + std::to_string(i));
    for (int i = 1; i <= 8; ++i) names.push_back("wormb" + std::to_string(i));
    for (int i = 1; i <= 8; ++i) names.push_back("wormd" + std::to_string(i));
    for (std::string& name : names) name += ".bmp";
    return names;
}

std::vector<std::string> catalogueSoundNames() {
    std::vector<std::string> names = {"loop", "drop", "eat", "freeze", "popo", "die", "thunder1", "rainloop",
                                      "thunder2", "accomplished", "beat", "fade", "laser", "warp", "speedup",
                                      "speedown", "lifeup", "start", "select"};
    for (int i = 1; i <= 14; ++i) names.push_back("env" + std::to_string(i));
    for (std::string& name : names) name += ".wav";
    return names;
}

void GameTest::SetUp() {
    char pattern[] = "/tmp/mtgameXXXXXX";
    folder_ = mkdtemp(pattern);
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::create_directories(folder_ + "/config");
    ASSERT_EQ(chdir(folder_.c_str()), 0);
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    resetHeadlessGame();
}

void GameTest::TearDown() {
    resetHeadlessGame();
    if (chdir(previousFolder_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previousFolder_;
    std::filesystem::remove_all(folder_);
}

void GameTest::makeDat() {
    std::filesystem::create_directories(folder_ + "/DAT");
    const PictureFile pictures[] = {
        {"logo.bmp", kLogoColour},       {"mainmenu.bmp", kMenuColour}, {"mainmenu0.bmp", kMenuLitColour},
        {"options.bmp", kOptionsColour}, {"options0.bmp", kOptionsLitColour}, {"help.bmp", kHelpColour},
        {"help0.bmp", kHelp2Colour},
    };
    for (const std::string& name : catalogueImageNames()) writeBytes(folder_ + "/DAT/" + name, makeBmp(10, 10, 0x00808080));
    for (const PictureFile& picture : pictures)
        writeBytes(folder_ + "/DAT/" + picture.name, makeBmp(400, 300, picture.colour));
    writeBytes(folder_ + "/DAT/cursor.bmp", makeBmp(8, 8, kMarkerColour));
    const std::vector<std::uint8_t> texture(65536, 0x40);
    writeBytes(folder_ + "/DAT/bean.txm", texture);
    writeBytes(folder_ + "/DAT/bright.txm", texture);
    for (const std::string& name : catalogueSoundNames())
        writeBytes(folder_ + "/DAT/" + name, makeWave(1, 2, 22050, 16, 2205));
}

void GameTest::removeDatFile(const std::string& name) { std::filesystem::remove(folder_ + "/DAT/" + name); }

std::string GameTest::settingsText() const {
    std::ifstream in(settingsFilePath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void GameTest::writeSettingsText(const std::string& text) const {
    std::filesystem::create_directories(folder_ + "/config/Quillfern");
    std::ofstream(settingsFilePath(), std::ios::binary) << text;
}

bool GameTest::startGame() { return initGame() == 1; }

bool GameTest::runUntilScreen(void (*screen)(), int limit) {
    for (int i = 0; i < limit && shell.currentScreen != screen; ++i)
        if (!runOneFrame()) return false;
    return shell.currentScreen == screen;
}

void GameTest::runFrames(int count) {
    for (int i = 0; i < count; ++i) runOneFrame();
}

void GameTest::press(std::uint8_t scanCode) { scriptPress(scanCode); }

#include "tests/support/support.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ranges>

namespace ts {

fs::path distFolder() {
    return MT_TEST_DIST_DIR;
}
fs::path sourceFolder() {
    return MT_TEST_SOURCE_DIR;
}

namespace {

void put(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void putTag(Bytes& out, const char* tag) {
    out.insert(out.end(), tag, tag + std::strlen(tag));
}

}  // namespace

Bytes makeBmp(int width, int height, std::uint32_t colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    Bytes out = {'B', 'M'};
    const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
    for (std::uint32_t v : {54 + static_cast<std::uint32_t>(rowBytes) * h, 0u, 54u, 40u, w, h, 0x180001u, 0u,
                            0u, 0u, 0u, 0u, 0u})
        put(out, v, 4);  // 0x180001: one plane of 24 bits
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) put(out, colour, 3);
        for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Bytes makeWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               std::uint32_t frames, const Bytes& extra) {
    const std::uint32_t block = channels * bits / 8u;
    Bytes fmt;
    put(fmt, tag, 2);
    put(fmt, channels, 2);
    put(fmt, rate, 4);
    put(fmt, rate * block, 4);
    put(fmt, block, 2);
    put(fmt, bits, 2);
    if (tag != 1) {
        put(fmt, static_cast<std::uint32_t>(extra.size()), 2);
        fmt.insert(fmt.end(), extra.begin(), extra.end());
    }
    Bytes out;
    putTag(out, "RIFF");
    put(out, 0, 4);
    putTag(out, "WAVEfmt ");
    put(out, static_cast<std::uint32_t>(fmt.size()), 4);
    out.insert(out.end(), fmt.begin(), fmt.end());
    if (fmt.size() & 1) out.push_back(0);
    putTag(out, "data");
    put(out, frames * block, 4);
    for (std::uint32_t i = 0; i < frames * block; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    const auto riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riff >> (8 * i));
    return out;
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    fs::remove(path);  // never write through a link into the program folder
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Scene makeScene(int startColumn, int startRow) {
    Scene scene;
    scene.title = "Test";
    scene.background = 1;
    scene.randomFall = 0;
    scene.grid[sceneCellIndex(startColumn, startRow)] = StartPoint;
    return scene;
}

void writeScene(const std::string& fileName, const Scene& scene) {
    fs::create_directories("Scenes");
    Scene copy = scene;
    ASSERT_TRUE(writeSceneFile(("Scenes/" + fileName).c_str(), copy)) << fileName;
}

void press(std::uint8_t key) {
    scriptPress(key, altKeyHeld());
}
void hold(std::uint8_t key) {
    scriptKey(key, true, altKeyHeld());
}
void release(std::uint8_t key) {
    scriptKey(key, false);
}
void step(std::uint8_t key) {
    press(key);
    runOneFrame();
}
void tap(std::uint8_t key) {
    hold(key);
    runOneFrame();
    release(key);
}
void runFrames(int count) {
    for (int i = 0; i < count; ++i) runOneFrame();
}
int runUntil(Screen screen, int limit) {
    for (int frames = 1; frames <= limit; ++frames) {
        runOneFrame();
        if (game.currentScreen == screen) return frames;
    }
    return -1;
}

namespace {
constexpr std::uint8_t kArrows[4] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};  // by Direction
constexpr int kStepColumn[4] = {0, 1, 0, -1};
constexpr int kStepRow[4] = {-1, 0, 1, 0};
std::uint8_t heldArrow = 0;

int headCell() {
    return cellIndex((world.segX[0] + 400) % 400 / kCellSize, (world.segY[0] + 300) % 300 / kCellSize);
}

int stepFrom(int cell, int dir) {
    const int c = (cell / kFieldRows + kStepColumn[dir] + kFieldColumns) % kFieldColumns;
    return cellIndex(c, (cell % kFieldRows + kStepRow[dir] + kFieldRows) % kFieldRows);
}

// A walk out from `from` round stones and the body: the first step of a shortest way to a cell
// holding `goal` (or -1), and how many cells it reached, counted up to `enough`.
std::pair<int, int> walk(int from, std::uint8_t goal, int refused, int enough) {
    const auto isGoal = [goal](int cell) {
        return goal == kAnyBean ? world.cells[cell] <= BonusBean : world.cells[cell] == goal;
    };
    std::array<int, kFieldCells> first;
    first.fill(-2);
    first[headCell()] = first[from] = -1;
    if (from != headCell() && (isGoal(from) || world.cells[from] == Stone || world.cells[from] == WormBody))
        return {-1, isGoal(from) ? enough : 0};
    std::vector<int> frontier{from};
    for (std::size_t next = 0; next < frontier.size() && static_cast<int>(frontier.size()) < enough; ++next)
        for (int dir = 0; dir < 4; ++dir) {
            const int here = frontier[next], cell = stepFrom(here, dir);
            if (first[cell] != -2 || (here == from && dir == refused)) continue;
            first[cell] = here == from ? dir : first[here];
            if (isGoal(cell)) return {first[cell], enough};
            if (world.cells[cell] != Stone && world.cells[cell] != WormBody) frontier.push_back(cell);
        }
    return {-1, static_cast<int>(frontier.size())};
}

// The way to go: towards the goal unless that leads into a pocket too small for the worm, else
// into the most room. Reaching the exit, or a colour asked for by name, is room enough.
int chooseStep(std::uint8_t goal) {
    const int refused = (world.segDir[0] + 2) % 4, enough = world.length + world.pendingGrowth + 4;
    const int way = walk(headCell(), goal, refused, kFieldCells).first;
    const auto room = [&](int dir) {
        return walk(stepFrom(headCell(), dir), goal == kAnyBean ? std::uint8_t{Exit} : goal, -1, enough)
            .second;
    };
    if (way >= 0 && room(way) >= enough) return way;
    int best = way, bestRoom = 0;
    for (int dir : {static_cast<int>(world.segDir[0]), (refused + 1) % 4, (refused + 3) % 4})
        if (room(dir) > bestRoom) best = dir, bestRoom = room(dir);
    return best;
}
}  // namespace

void autopilot(std::uint8_t goal) {
    if (heldArrow != 0) release(heldArrow);
    heldArrow = 0;
    if (game.currentScreen != &playScreen) return;
    if (world.started == 0) {
        const int dir = walk(headCell(), goal, -1, kFieldCells).first;
        hold(heldArrow = kArrows[dir < 0 ? Right : dir]);
    } else if (world.segX[0] % kCellSize == 0 && world.segY[0] % kCellSize == 0) {
        if (const int dir = chooseStep(goal); dir >= 0) press(kArrows[dir]);
    }
}

int playUntil(Screen screen, std::uint8_t goal, int limit) {
    for (int frames = 1; frames <= limit; ++frames) {
        autopilot(goal);
        runOneFrame();
        if (game.currentScreen == screen) {
            autopilot(goal);  // lets go of a held arrow
            return frames;
        }
    }
    return -1;
}

void placeWorm(int column, int row, int length, Direction dir) {
    world.length = length;
    world.pendingGrowth = 0;
    world.tailHold = 0;
    world.started = 1;
    for (int i = 0; i < length; ++i) {
        const int c = ((column - kStepColumn[dir] * i) % kFieldColumns + kFieldColumns) % kFieldColumns;
        const int r = ((row - kStepRow[dir] * i) % kFieldRows + kFieldRows) % kFieldRows;
        world.segX[i] = c * kCellSize;
        world.segY[i] = r * kCellSize;
        world.segDir[i] = dir;
        if (i > 0) world.cells[cellIndex(c, r)] = WormBody;
    }
}

std::uint8_t cellAt(int column, int row) {
    return world.cells[cellIndex(column, row)];
}
std::uint64_t frameHash() {
    return hashPixels(drawBuffer->pixels, kFramePixels);
}

bool replayFrame() {
    if (!tapFrameStart()) return false;
    game.currentScreen();
    tapFrameEnd();
    return true;
}

fs::path setReplayAside(int index) {
    const fs::path folder = replayFolder();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    const fs::path aside = folder.parent_path() / (std::to_string(index) + ".mtreplay");
    fs::rename(fs::directory_iterator(folder)->path(), aside);
    return aside;
}

void expectReplayHolds(const fs::path& file, const std::string& name) {
    Replay replay;
    std::string message;
    ASSERT_TRUE(readReplayFile(file, replay, message)) << message;
    EXPECT_EQ(verifyReplay(replay, message), 0) << message;
    if (const char* out = std::getenv("MT_REPLAY_OUT"))
        fs::copy_file(file, fs::path(out) / (name + ".mtreplay"), fs::copy_options::overwrite_existing);
}

void Game::SetUp() {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/mt-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    linkDat();
    fs::create_directory(root_ / "Scenes");
    fs::create_directory(root_ / "config");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
    fs::current_path(root_);
    resetHeadlessGame();
    heldArrow = 0;
    seedRandom(20261206);
}

void Game::TearDown() {
    shutdownGame();
    resetHeadlessGame();
    EXPECT_EQ(livePixelBuffers(), 0) << "pictures left once the game has shut down";
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(root_, error);
}

void Game::linkDat() {
    fs::remove_all(root_ / "DAT");
    fs::create_directory(root_ / "DAT");
    for (const auto& entry : fs::directory_iterator(distFolder() / "DAT"))
        fs::create_symlink(entry.path(), root_ / "DAT" / entry.path().filename());
}

void Game::solidDat() {
    const std::pair<const char*, std::uint32_t> pictures[] = {
        {"logo.bmp", kLogoColour},           {"mainmenu.bmp", kMenuColour}, {"mainmenu0.bmp", kMenuLitColour},
        {"options.bmp", kOptionsColour},     {"help.bmp", kHelpColour},     {"help0.bmp", kHelp2Colour},
        {"options0.bmp", kOptionsLitColour},
    };
    for (auto [name, colour] : pictures) writeBytes(root_ / "DAT" / name, makeBmp(400, 300, colour));
    writeBytes(root_ / "DAT/cursor.bmp", makeBmp(8, 8, kMarkerColour));
}

bool Game::start() {
    return initGame() == 1;
}

void Game::play(const Scene& scene) {
    writeScene("test.qsn", scene);
    enterGame();
}

void Game::playShipped(const std::string& name) {
    fs::copy_file(distFolder() / "Scenes" / name, "Scenes/test.qsn", fs::copy_options::overwrite_existing);
    enterGame();
}

void Game::enterGame() {
    if (!loop.windowOpen) {
        ASSERT_TRUE(start()) << game.errorText;
    }
    sceneSelect = SceneSelectState{};
    clearKeyState();
    game.currentScreen = &sceneSelectScreen;
    step(kKeyEnter);
    press(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    runOneFrame();
    ASSERT_EQ(game.currentScreen, &playScreen);
}

}  // namespace ts

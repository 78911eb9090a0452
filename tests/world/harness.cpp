// The harness behind the world tests: the scene bytes, and the play frame in the play screen's
// order with the drawing passes reduced to the animation advances they perform.
#include "tests/world/harness.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/shell_state.h"
#include "game/world/pond.h"
#include "render/pixels.h"

namespace wt {

namespace {

std::vector<std::uint8_t> sceneBytes(const TestScene& scene) {
    std::vector<std::uint8_t> logical;
    auto put = [&](const std::string& s) { logical.insert(logical.end(), s.begin(), s.end()); };
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d\n", scene.background, scene.randomFall,
                  scene.fallInterval, scene.objective, scene.goalScore);
    put(scene.title);
    logical.insert(logical.end(), {0, 10});
    put(numbers);
    logical.insert(logical.end(), {0, 10});
    put(scene.description);
    logical.insert(logical.end(), {0, 10});
    for (int row = 0; row < kFieldRows; ++row)
        for (int column = 0; column < kFieldColumns; ++column)
            logical.push_back(scene.grid[column * kFieldRows + row]);
    std::vector<std::uint8_t> disk;
    for (std::uint8_t b : logical) {
        if (b == 10) disk.push_back(13);
        disk.push_back(b);
    }
    return disk;
}

bool isPopUp(std::uint8_t effect) {
    return effect == EffectAdd5 || effect == EffectAdd10 || effect == EffectAdd15 || effect == EffectAdd30 ||
           effect == EffectLifeUp;
}

template <typename F>
void eachCell(F f) {
    for (int row = 0; row < kFieldRows; ++row)
        for (int column = 0; column < kFieldColumns; ++column) f(column, row, cellIndex(column, row));
}

// What the drawing passes advance, in their order: floor beans, floor effects, the laser,
// then (above the water) pop-ups and beans in the air.
void animationPasses() {
    eachCell([](int c, int r, int) {
        if (cellAt(c, r) < 7) advanceFloorFall(c, r);
    });
    eachCell([](int c, int r, int i) {
        if (world.cellEffect[i] < 5) advanceMaterialising(c, r);
        if (world.cellEffect[i] == EffectVanish) advanceVanishing(c, r);
    });
    advanceLaser();
    eachCell([](int c, int r, int i) {
        if (isPopUp(world.cellEffect[i])) advancePopUp(c, r);
    });
    eachCell([](int c, int r, int i) {
        if (cellAt(c, r) < 6 && world.fallHeight[i] > 5) advanceSkyFall(c, r);
    });
}

}  // namespace

std::uint8_t cellAt(int column, int row) {
    return world.cells[cellIndex(column, row)];
}
std::int16_t rippleCurrentAt(int x, int y) {
    return rippleCurrent()[y * 400 + x];
}

int beansOnField() {
    int n = 0;
    for (std::uint8_t c : world.cells) n += c < BonusBean;
    return n;
}

void World::SetUp() {
    char pattern[] = "/tmp/world_test_XXXXXX";
    folder_ = mkdtemp(pattern);
    oldDir_ = std::filesystem::current_path().string();
    std::filesystem::create_directory(folder_ + "/Scenes");
    std::filesystem::current_path(folder_);
    world = WorldState{};
    resetLight();
    shell = ShellState{};
    keyboard = KeyboardState{};
    resetSoundLog();
    seedRandom(1);
    initRowTables();
    resetClipRect();
    clearFrameBuffer(rippleMaps);
    pond = PondState{};
}

void World::TearDown() {
    std::filesystem::current_path(oldDir_);
    std::filesystem::remove_all(folder_);
}

void World::load(const TestScene& scene, const char* name) {
    const std::vector<std::uint8_t> bytes = sceneBytes(scene);
    std::FILE* file = std::fopen((std::string("Scenes/") + name).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    loadScene(name);
}

void World::newGame() {
    resetWorm(WormReset::NewGame);
    world.rainVolume = 0;
    clearKeys();
    world.outcome = WorldOutcome::None;
}

void World::startPlain() {
    TestScene scene;
    scene.set(3, 3, 6);
    load(scene);
    newGame();
}

void World::frame() {
    playStep();
    updateRain();
    animationPasses();
}

void World::frames(int count) {
    for (int i = 0; i < count; ++i) frame();
}

void World::press(std::uint8_t key) {
    pushKeyEvent(key, true);
}
void World::release(std::uint8_t key) {
    pushKeyEvent(key, false);
}
void World::tap(std::uint8_t key) {
    pushKeyEvent(key, true);
    pushKeyEvent(key, false);
}

bool World::runUntilHeadAt(std::int32_t x, std::int32_t y, int limit) {
    for (int i = 0; i < limit && !(world.segX[0] == x && world.segY[0] == y); ++i) frame();
    return world.segX[0] == x && world.segY[0] == y;
}

void placeWorm(int column, int row, int length, Direction dir) {
    constexpr int kStepX[4] = {0, 1, 0, -1};
    constexpr int kStepY[4] = {-1, 0, 1, 0};
    world.length = length;
    world.pendingGrowth = 0;
    world.tailHold = 0;
    world.started = 1;
    for (int i = 0; i < length; ++i) {
        const int c = ((column - kStepX[dir] * i) % kFieldColumns + kFieldColumns) % kFieldColumns;
        const int r = ((row - kStepY[dir] * i) % kFieldRows + kFieldRows) % kFieldRows;
        world.segX[i] = c * kCellSize;
        world.segY[i] = r * kCellSize;
        world.segDir[i] = dir;
        if (i > 0) world.cells[cellIndex(c, r)] = WormBody;
    }
}

}  // namespace wt

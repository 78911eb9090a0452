// The harness behind the world tests: the recording sound layer (the platform side of the
// game's guarded sound operations), stand-ins for the two screens the world hands over to, the
// scene bytes, and the play frame in the play screen's order with the drawing passes reduced to
// the animation advances they perform.
#include "tests/world/harness.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/shell/random.h"
#include "game/shell/shell.h"
#include "game/world/pond.h"
#include "render/pixels.h"

// ---- The platform's sound side, recording -------------------------------------------------

int platformOpenAudio() { return 1; }
void platformCloseAudio() {}
int platformLoadSound(int id, const char*) {
    wt::soundLog.loaded[static_cast<std::size_t>(id)] = true;
    return 1;
}
bool platformSoundLoaded(int id) {
    return id >= 0 && id < 256 && wt::soundLog.loaded[static_cast<std::size_t>(id)];
}
void platformSound(SoundOp op, int id, std::int32_t value) {
    wt::soundLog.calls.push_back({op, id, value});
}

// The screens the world hands over to are only compared as addresses here; the real ones win
// when the game core brings them along.
__attribute__((weak)) void lifeLostScreen() {}
__attribute__((weak)) void sceneEndScreen() {}

namespace wt {

SoundLog soundLog;

std::vector<SoundCall> callsOn(int id) {
    std::vector<SoundCall> out;
    for (const SoundCall& call : soundLog.calls)
        if (call.id == id) out.push_back(call);
    return out;
}

int playsOf(int id) {
    int n = 0;
    for (const SoundCall& call : soundLog.calls) n += call.id == id && call.op == SoundOp::Play;
    return n;
}

std::vector<SoundCall> restartCalls(int id, std::int32_t pan) {
    return {{SoundOp::Stop, id, 0}, {SoundOp::SetPan, id, pan}, {SoundOp::Rewind, id, 0},
            {SoundOp::Play, id, 0}};
}

std::vector<std::uint8_t> sceneBytes(const TestScene& scene) {
    std::vector<std::uint8_t> logical;
    auto put = [&](const std::string& s) { logical.insert(logical.end(), s.begin(), s.end()); };
    put(scene.title);
    logical.push_back(0);
    logical.push_back(10);
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d\n", scene.background, scene.randomFall,
                  scene.fallInterval, scene.objective, scene.goalScore);
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

std::uint8_t cellAt(int column, int row) { return world.cells[cellIndex(column, row)]; }

void World::SetUp() {
    char pattern[] = "/tmp/world_test_XXXXXX";
    folder_ = mkdtemp(pattern);
    oldDir_ = std::filesystem::current_path().string();
    std::filesystem::create_directory(folder_ + "/Scenes");
    std::filesystem::current_path(folder_);
    world = WorldState{};
    screens = ScreenState{};
    shell = ShellState{};
    keyboard = KeyboardState{};
    soundLog = SoundLog{};
    soundLog.loaded.fill(true);
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
    const std::string path = std::string("Scenes/") + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    loadScene(name);
}

void World::newGame() {
    resetWorm(WormReset::NewGame);
    world.rainVolume = 0;
    clearKeys();
    shell.currentScreen = nullptr;
}

namespace {

constexpr std::uint8_t kArrows[4] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};

void startOnHeldArrow() {
    for (int d = 0; d < 4 && !world.started; ++d) {
        if (!keyHeld(kArrows[d])) continue;
        world.segDir[0] = static_cast<std::uint8_t>(d);
        world.started = 1;
    }
}

bool steeringHeld() {
    for (int d = 0; d < 4; ++d) {
        if (keyHeld(kArrows[d]) && (d + 2) % 4 != world.segDir[0]) return true;
    }
    return false;
}

bool isPopUp(std::uint8_t effect) {
    return effect == EffectAdd5 || effect == EffectAdd10 || effect == EffectAdd15 ||
           effect == EffectAdd30 || effect == EffectLifeUp;
}

// What the drawing passes advance, in their order: floor beans, floor effects, the laser,
// then (above the water) pop-ups and beans in the air.
void animationPasses() {
    for (int row = 0; row < kFieldRows; ++row)
        for (int column = 0; column < kFieldColumns; ++column)
            if (cellAt(column, row) < 7) advanceFloorFall(column, row);
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            const std::uint8_t effect = world.cellEffect[cellIndex(column, row)];
            if (effect < 5) advanceMaterialising(column, row);
            if (effect == EffectVanish) advanceVanishing(column, row);
        }
    }
    advanceLaser();
    for (int row = 0; row < kFieldRows; ++row)
        for (int column = 0; column < kFieldColumns; ++column)
            if (isPopUp(world.cellEffect[cellIndex(column, row)])) advancePopUp(column, row);
    for (int row = 0; row < kFieldRows; ++row)
        for (int column = 0; column < kFieldColumns; ++column)
            if (cellAt(column, row) < 6 && world.fallHeight[cellIndex(column, row)] > 5)
                advanceSkyFall(column, row);
}

}  // namespace

void World::frame() {
    startOnHeldArrow();
    if (world.started) {
        stepWorm();
        if (world.pendingGrowth > 0 && world.tailHold <= 0) {
            world.pendingGrowth -= 1;
            growWorm();
        }
        if (world.fallInterval != 0) dropRandomBean(gameRand() % 5);
    }
    if (steeringHeld()) stampRipple(world.segX[1] + 4, world.segY[1] + 5, 2, gameRand() & 127);
    updateRain();
    animationPasses();
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

void World::frames(int count) {
    for (int i = 0; i < count; ++i) frame();
}

void World::press(std::uint8_t key) { pushKeyEvent(key, true); }
void World::release(std::uint8_t key) { pushKeyEvent(key, false); }
void World::tap(std::uint8_t key) {
    pushKeyEvent(key, true);
    pushKeyEvent(key, false);
}

bool World::runUntilHeadAt(std::int32_t x, std::int32_t y, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (world.segX[0] == x && world.segY[0] == y) return true;
        frame();
    }
    return world.segX[0] == x && world.segY[0] == y;
}

}  // namespace wt

namespace wt {

std::int16_t rippleCurrentAt(int x, int y) { return rippleCurrent()[y * 400 + x]; }

}  // namespace wt

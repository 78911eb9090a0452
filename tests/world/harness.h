// The test harness of the world's simulation: scenes built as bytes in the test and loaded
// through the game's reader from a temporary Scenes folder, a sound layer that records every
// call that passes the guards, and one play frame run in the order the play screen runs it
// (start keys, world step with growth and random fall, steering ripple, storm, and the
// animation advances of the drawing passes).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/shell/platform.h"
#include "game/world/world.h"

namespace wt {

struct SoundCall {
    SoundOp op;
    int id;
    std::int32_t value;
    bool operator==(const SoundCall&) const = default;
};

// The recording sound layer: which slots hold a sound, and every operation performed.
struct SoundLog {
    std::array<bool, 256> loaded{};
    std::vector<SoundCall> calls;
};
extern SoundLog soundLog;

// The calls made on one slot, in order.
std::vector<SoundCall> callsOn(int id);
// How often a slot was started (Play operations).
int playsOf(int id);
// A restart as the world makes it: stop, pan, rewind, play once.
std::vector<SoundCall> restartCalls(int id, std::int32_t pan);

// A scene as the editor would save it; cells addressed by column and row.
struct TestScene {
    std::string title = "Test";
    std::int32_t background = 1;
    std::int32_t randomFall = 0;
    std::int32_t fallInterval = 0;
    std::int32_t objective = 0;
    std::int32_t goalScore = 5;
    std::string description;
    std::array<std::uint8_t, kFieldCells> grid = empty();

    void set(int column, int row, std::uint8_t code) { grid[column * kFieldRows + row] = code; }
    static std::array<std::uint8_t, kFieldCells> empty() {
        std::array<std::uint8_t, kFieldCells> g{};
        g.fill(255);
        return g;
    }
};

// The bytes on disk, CR LF line ends included.
std::vector<std::uint8_t> sceneBytes(const TestScene& scene);

// Every test runs in a fresh temporary folder holding Scenes/; sound and keys are clean, the
// generator is seeded with 1, all sound slots are loaded.
class World : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Scenes/<name> and loads it with loadScene.
    void load(const TestScene& scene, const char* name = "test.qsn");
    // A new game on the loaded scene, as the game-start screen makes it.
    void newGame();
    // One play frame.
    void frame();
    void frames(int count);
    // Holds an arrow key (press queued, key held) or releases it.
    void press(std::uint8_t key);
    void release(std::uint8_t key);
    // Presses and releases at once: a tap that only queues the press.
    void tap(std::uint8_t key);
    // Runs frames until the head stands on the given pixel (at most `limit` frames).
    bool runUntilHeadAt(std::int32_t x, std::int32_t y, int limit = 400);

    std::string folder_;
    std::string oldDir_;
};

std::uint8_t cellAt(int column, int row);

}  // namespace wt

namespace wt {

// Lays a straight worm on cells: head at (column, row) heading `dir`, the body trailing behind
// it, every body segment's cell marked as worm (the head marks its own cell on its step). The worm has started and waits for no growth.
void placeWorm(int column, int row, int length, Direction dir);

}  // namespace wt

namespace wt {

// The height of the current ripple map at a pixel.
std::int16_t rippleCurrentAt(int x, int y);

}  // namespace wt

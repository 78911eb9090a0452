// The test harness of the world's simulation: scenes built as bytes in the test and loaded
// through the game's reader from a temporary Scenes folder, the recording sound layer, and one
// play frame run in the play screen's order (the worm's step, the storm, and the animation
// advances of the drawing passes).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/world/world.h"
#include "tests/world/recording.h"

namespace wt {

// A scene as the editor would save it; cells addressed by column and row.
struct TestScene {
    std::string title = "Test";
    std::int32_t background = 1, randomFall = 0, fallInterval = 0, objective = 0, goalScore = 5;
    std::string description;
    std::array<std::uint8_t, kFieldCells> grid = [] {
        std::array<std::uint8_t, kFieldCells> g{};
        g.fill(255);
        return g;
    }();

    void set(int column, int row, std::uint8_t code) { grid[column * kFieldRows + row] = code; }
};

// Every test runs in a fresh temporary folder holding Scenes/; sound and keys are clean, the
// generator is seeded with 1, all sound slots are loaded.
class World : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Scenes/<name> (CR LF line ends) and loads it with loadScene.
    void load(const TestScene& scene, const char* name = "test.qsn");
    // A new game on the loaded scene, as the game-start screen makes it.
    void newGame();
    // Loads an empty scene with its start at (3, 3) and begins a new game.
    void startPlain();
    void frame();
    void frames(int count);
    // Holds an arrow key (press queued, key held) or releases it; a tap only queues the press.
    void press(std::uint8_t key);
    void release(std::uint8_t key);
    void tap(std::uint8_t key);
    // Runs frames until the head stands on the given pixel (at most `limit` frames).
    bool runUntilHeadAt(std::int32_t x, std::int32_t y, int limit = 400);

    std::string folder_;
    std::string oldDir_;
};

std::uint8_t cellAt(int column, int row);
// Lays a straight worm on cells: head at (column, row) heading `dir`, the body trailing behind
// it, every body segment's cell marked as worm (the head marks its own cell on its step). The
// worm has started and waits for no growth.
void placeWorm(int column, int row, int length, Direction dir);
// The height of the current ripple map at a pixel.
std::int16_t rippleCurrentAt(int x, int y);
// Beans of the five colours on the field.
int beansOnField();

}  // namespace wt

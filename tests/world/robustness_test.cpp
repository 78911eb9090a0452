// Bad scenes and long random play: scenes with settings out of every range and grids of any
// bytes load, and thousands of frames of random keys, deaths, new lives and new games keep the
// worm and the queues inside their arrays (run under the sanitizers, this finds any reach
// past them).
#include "tests/world/harness.h"

#include <random>

#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/shell_state.h"

namespace wt {
namespace {

using Robustness = World;

TestScene randomScene(std::mt19937& gen) {
    TestScene scene;
    constexpr std::int32_t kOdd[] = {-2147483647 - 1, -5, -1, 0, 1, 2, 3, 4, 10, 60, 99, 2147483647};
    auto odd = [&] { return kOdd[gen() % std::size(kOdd)]; };
    scene.background = odd();
    scene.randomFall = odd();
    scene.fallInterval = static_cast<std::int32_t>(gen() % 3);
    scene.objective = static_cast<std::int32_t>(gen() % 5);
    scene.goalScore = odd();
    for (auto& cell : scene.grid) {
        const unsigned roll = gen() % 100;
        cell = roll < 70   ? 255
               : roll < 95 ? static_cast<std::uint8_t>(gen() % 11)
                           : static_cast<std::uint8_t>(gen());
    }
    return scene;
}

void expectInside() {
    auto in = [](std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high; };
    ASSERT_TRUE(in(world.length, 1, 25)) << world.length;
    for (int i = 0; i < world.length; ++i)
        ASSERT_TRUE(in(world.segX[i], -9, 390) && in(world.segY[i], -9, 290))
            << world.segX[i] << "," << world.segY[i];
    ASSERT_TRUE(in(world.stoneRead, 0, kStoneQueueSize - 1) && in(world.stoneWrite, 0, kStoneQueueSize - 1));
    ASSERT_TRUE(in(world.startCol, 0, kFieldColumns - 1) && in(world.startRow, 0, kFieldRows - 1));
}

// What the screens do once the world hands over: the next worm, or a new game.
void handOver() {
    if (world.outcome == WorldOutcome::None) return;
    resetWorm(world.outcome == WorldOutcome::Died && world.lives > 0 ? WormReset::NewLife
                                                                     : WormReset::NewGame);
    world.outcome = WorldOutcome::None;
}

TEST_F(Robustness, RandomScenesAndRandomKeysStayInsideTheirArrays) {
    std::mt19937 gen(20261206);
    constexpr std::uint8_t kKeys[] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft, kKeySpace, kKeyTab};
    for (int round = 0; round < 12; ++round) {
        load(randomScene(gen));
        newGame();
        for (int f = 0; f < 1500; ++f) {
            if (gen() % 4 == 0) tap(kKeys[gen() % std::size(kKeys)]);
            if (gen() % 7 == 0) press(kKeys[gen() % 4]);
            if (gen() % 5 == 0) release(kKeys[gen() % 4]);
            // Now and then a power, so that every one of them meets odd states.
            if (gen() % 97 == 0) {
                world.comboColour = static_cast<std::int32_t>(gen() % 5);
                world.comboCount = 4;
            }
            frame();
            handOver();
            expectInside();
            if (HasFatalFailure()) return;
        }
    }
}

TEST_F(Robustness, AFieldWithoutEmptyCellsStillPlays) {
    TestScene scene;
    scene.grid.fill(0);
    scene.set(0, 0, 6);
    scene.randomFall = 1;
    scene.fallInterval = 1;
    load(scene);
    newGame();
    press(kKeyRight);
    for (int f = 0; f < 300; ++f) {
        frame();
        handOver();
        expectInside();
    }
}

}  // namespace
}  // namespace wt

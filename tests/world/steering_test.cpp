// The worm's start, steering and movement: the first arrow starts it, turns only happen on
// cells, the first queued arrow counts and a reversal is refused, the head wraps round the
// torus through the negative seam positions, and the body follows cell by cell.
#include <tuple>

#include "game/common/keys.h"
#include "game/common/shell_state.h"
#include "tests/world/harness.h"

namespace wt {
namespace {

class Steering : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(10, 10, 6);
        load(scene);
        newGame();
    }
};

TEST_F(Steering, TheWormWaitsForAnArrowAndStartsInItsDirection) {
    frames(5);
    EXPECT_EQ(world.started, 0);
    EXPECT_EQ(world.segY[0], 100);
    struct Case {
        std::vector<std::uint8_t> held, queued;
        Direction dir;
        std::int32_t x, y;
    };
    // Two held arrows start in the first of Up, Right, Down, Left; a queued arrow then steers
    // on the start cell unless it reverses the start.
    const Case cases[] = {{{kKeyRight}, {kKeyRight}, Right, 102, 100},
                          {{kKeyLeft, kKeyDown}, {}, Down, 100, 102},
                          {{kKeyLeft, kKeyDown}, {kKeyLeft, kKeyDown}, Left, 98, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        keyboard = KeyboardState{};
        world.cells.fill(Empty);
        newGame();
        for (std::uint8_t key : c.held) keyboard.keyState[key] = 0x80;  // held, no press queued
        for (std::uint8_t key : c.queued) press(key);
        frame();
        EXPECT_EQ(std::tuple(world.started, world.segDir[0], world.segX[0], world.segY[0]),
                  std::tuple(1, c.dir, c.x, c.y));
    }
}

TEST_F(Steering, AReversalIsRefusedAndOtherKeysBeforeAnArrowAreSkipped) {
    struct Case {
        std::vector<std::uint8_t> taps;
        Direction dir;
    };
    for (const Case& c : {Case{{kKeyDown}, Up}, Case{{kKeyTab, kKeyEnter, kKeyRight}, Right}}) {
        SCOPED_TRACE(c.dir);
        keyboard = KeyboardState{};
        world.cells.fill(Empty);
        newGame();
        press(kKeyUp);
        frame();
        release(kKeyUp);
        frames(2);  // between cells
        for (std::uint8_t key : c.taps) tap(key);
        ASSERT_TRUE(runUntilHeadAt(100, 90));
        frame();
        EXPECT_EQ(world.segDir[0], c.dir);
    }
}

TEST_F(Steering, TheFirstQueuedArrowTurnsAtTheNextCellAndTheRestIsDropped) {
    press(kKeyUp);
    frame();
    release(kKeyUp);
    frame();
    tap(kKeyLeft);
    tap(kKeyUp);
    frame();
    EXPECT_EQ(world.segDir[0], Up);  // still crossing the cell
    ASSERT_TRUE(runUntilHeadAt(100, 90));
    frame();
    EXPECT_EQ(world.segDir[0], Left);
    EXPECT_EQ(world.segX[0], 98);
    EXPECT_EQ(keyboard.readIndex, keyboard.writeIndex);
    ASSERT_TRUE(runUntilHeadAt(90, 90));
    frame();
    EXPECT_EQ(world.segDir[0], Left);  // the Up was dropped with the queue
}

TEST_F(Steering, TheHeadWrapsRoundTheTorusThroughTheNegativeSeamPositions) {
    struct Case {
        int column, row;
        Direction dir;
        std::vector<std::int32_t> positions;  // along the direction of travel
    };
    const Case cases[] = {{39, 5, Right, {-8, -6, -4, -2, 0, 2}},
                          {0, 5, Left, {-2, -4, -6, -8, 390, 388}},
                          {7, 0, Up, {-2, -4, -6, -8, 290, 288}},
                          {7, 29, Down, {-8, -6, -4, -2, 0, 2}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        placeWorm(c.column, c.row, 1, c.dir);
        const bool sideways = c.dir == Right || c.dir == Left;
        std::vector<std::int32_t> positions;
        for (int i = 0; i < 6; ++i) {
            frame();
            positions.push_back(sideways ? world.segX[0] : world.segY[0]);
        }
        EXPECT_EQ(positions, c.positions);
        EXPECT_EQ(sideways ? world.segY[0] : world.segX[0], (sideways ? c.row : c.column) * 10);
    }
}

TEST_F(Steering, TheSeamCellIsColumnZero) {
    // At x = -2 the head is not on a cell, and truncation puts it in column 0: a stone in
    // column 0 only kills once the head arrives at x = 0.
    placeWorm(39, 5, 1, Right);
    world.cells[cellIndex(0, 5)] = Stone;
    frames(4);
    EXPECT_EQ(world.segX[0], -2);
    EXPECT_EQ(world.outcome, WorldOutcome::None);
    frames(2);
    EXPECT_EQ(world.segX[0], 0);
    EXPECT_EQ(world.face, 6);
}

TEST_F(Steering, TheBodyFollowsTheHeadRoundACorner) {
    placeWorm(20, 10, 3, Right);
    tap(kKeyDown);
    frames(10);  // two cells
    EXPECT_EQ(
        std::tuple(world.segX[0], world.segY[0], world.segX[1], world.segY[1], world.segX[2], world.segY[2]),
        std::tuple(200, 120, 200, 110, 200, 100));
}

TEST_F(Steering, AFreshWormGrowsToFiveSegmentsOneCellAtATime) {
    press(kKeyRight);
    frame();
    release(kKeyRight);
    EXPECT_EQ(world.length, 2);
    EXPECT_EQ(world.tailHold, 5);
    frames(19);
    EXPECT_EQ(world.length, 5);
    frames(5);
    EXPECT_EQ(world.length, 5);
    EXPECT_EQ(world.pendingGrowth, 0);
    // Head at column 15 after 25 frames; the tail one cell per segment behind, on cells.
    EXPECT_EQ(world.segX[0], 150);
    for (int i = 1; i < 5; ++i) EXPECT_EQ(world.segX[i], 150 - 10 * i) << i;
}

TEST_F(Steering, GrowthWaitsTwoFramesWhenFast) {
    placeWorm(5, 5, 3, Right);
    world.speed = 5;
    growWorm();
    EXPECT_EQ(std::tuple(world.tailHold, world.length, world.segX[3]), std::tuple(2, 4, world.segX[2]));
}

TEST_F(Steering, MarkingEmptiesTheTailCellAndAOneSegmentWormLeavesNone) {
    placeWorm(10, 10, 3, Right);  // cells 8..10 of row 10
    frame();
    EXPECT_EQ(cellAt(10, 10), WormBody);
    EXPECT_EQ(cellAt(9, 10), WormBody);
    EXPECT_EQ(cellAt(8, 10), Empty);
    world.cells.fill(Empty);
    placeWorm(20, 10, 1, Right);
    frame();
    EXPECT_EQ(cellAt(20, 10), Empty);
}

}  // namespace
}  // namespace wt

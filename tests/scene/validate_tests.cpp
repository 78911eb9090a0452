// The checks before saving, in their order: something to eat, a start point, and an exit point
// exactly in Escape scenes.
#include <gtest/gtest.h>

#include <string>

#include "scene/scene.h"

namespace {

TEST(ValidateScene, ChecksInTheirOrder) {
    const std::string bean = "Please put in at least 1 non-stone bean", start = "Please set a start point";
    // A scene with `food` at (2, 1), a start point at (1, 1) and an exit point at (9, 9) when asked.
    // clang-format off
    const struct { std::uint8_t food; int randomFall, fallInterval, objective; bool start, exit; std::string verdict; }
    cases[] = {
        {GreenBean, 1, 0, Standard, true, false, ""}, {RandomBean, 0, 0, Standard, true, false, ""},
        {StoneBean, 0, 0, Standard, true, false, bean},  // random beans are food, stones are not
        {EmptyCell, 1, 3, Standard, true, false, ""},    // timed random fall brings food...
        {EmptyCell, 1, 0, Standard, true, false, bean},  // ...falling only after a nibble never does
        {EmptyCell, 1, 3, EatUp, true, false, bean}, {EmptyCell, 0, 3, Standard, true, false, bean},
        {EmptyCell, 0, 0, Standard, false, false, bean},  // beans are checked before the start
        {GreenBean, 1, 0, Standard, false, false, start},
        {GreenBean, 1, 0, Standard, true, true, "The objective of this scene isn't 'Escape'\nPlease erase the exit point"},
        {GreenBean, 1, 0, Escape, true, true, ""}, {GreenBean, 1, 0, Escape, true, false, "Please set an exit point"},
        {GreenBean, 1, 0, Escape, false, false, start}};  // the start is checked before the exit
    // clang-format on
    for (const auto& c : cases) {
        Scene scene;
        scene.grid[sceneCellIndex(2, 1)] = c.food;
        scene.randomFall = c.randomFall, scene.fallInterval = c.fallInterval, scene.objective = c.objective;
        if (c.start) scene.grid[sceneCellIndex(1, 1)] = StartPoint;
        if (c.exit) scene.grid[sceneCellIndex(9, 9)] = ExitPoint;
        const char* message = validateScene(scene);
        EXPECT_EQ(message ? message : "", c.verdict) << &c - cases;
    }
}

}  // namespace

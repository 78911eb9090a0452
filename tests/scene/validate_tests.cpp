// The checks before saving, in their order: something to eat, a start point, and an exit point
// exactly in Escape scenes.
#include <gtest/gtest.h>

#include <string>

#include "scene/scene.h"

namespace {

Scene playable() {
    Scene scene;
    scene.grid[sceneCellIndex(1, 1)] = StartPoint;
    scene.grid[sceneCellIndex(2, 1)] = GreenBean;
    return scene;
}

std::string verdict(const Scene& scene) {
    const char* message = validateScene(scene);
    return message == nullptr ? "ok" : message;
}

TEST(ValidateScene, PlayableSceneIsAccepted) { EXPECT_EQ(verdict(playable()), "ok"); }

TEST(ValidateScene, RandomBeanCountsAsFoodButStoneDoesNot) {
    Scene scene = playable();
    scene.randomFall = 0;
    scene.grid[sceneCellIndex(2, 1)] = RandomBean;
    EXPECT_EQ(verdict(scene), "ok");
    scene.grid[sceneCellIndex(2, 1)] = StoneBean;
    EXPECT_EQ(verdict(scene), "Please put in at least 1 non-stone bean");
}

TEST(ValidateScene, NoBeansNeedsTimedRandomFallAndNoEatUp) {
    Scene scene = playable();
    scene.grid[sceneCellIndex(2, 1)] = EmptyCell;
    scene.randomFall = 1;
    scene.fallInterval = 3;
    EXPECT_EQ(verdict(scene), "ok");
    scene.fallInterval = 0;  // falls only after a nibble: nothing would ever fall
    EXPECT_EQ(verdict(scene), "Please put in at least 1 non-stone bean");
    scene.fallInterval = 3;
    scene.objective = EatUp;
    EXPECT_EQ(verdict(scene), "Please put in at least 1 non-stone bean");
    scene.objective = Standard;
    scene.randomFall = 0;
    EXPECT_EQ(verdict(scene), "Please put in at least 1 non-stone bean");
}

TEST(ValidateScene, BeansAreCheckedBeforeTheStartPoint) {
    Scene scene;
    scene.randomFall = 0;
    EXPECT_EQ(verdict(scene), "Please put in at least 1 non-stone bean");
    scene.grid[0] = OrangeBean;
    EXPECT_EQ(verdict(scene), "Please set a start point");
}

TEST(ValidateScene, ExitOnlyInEscapeScenes) {
    Scene scene = playable();
    scene.grid[sceneCellIndex(9, 9)] = ExitPoint;
    EXPECT_EQ(verdict(scene), "The objective of this scene isn't 'Escape'\nPlease erase the exit point");
    scene.objective = Escape;
    EXPECT_EQ(verdict(scene), "ok");
    scene.grid[sceneCellIndex(9, 9)] = EmptyCell;
    EXPECT_EQ(verdict(scene), "Please set an exit point");
}

TEST(ValidateScene, StartIsCheckedBeforeTheExit) {
    Scene scene = playable();
    scene.grid[sceneCellIndex(1, 1)] = EmptyCell;
    scene.objective = Escape;
    EXPECT_EQ(verdict(scene), "Please set a start point");
}

}  // namespace

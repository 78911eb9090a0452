// The SDL2 layer itself, on SDL's dummy video driver: the key table (every key the game
// names, letters, digits, function keys; no scan code given to two keys), the windowed
// picture read back from the renderer (top row first, exactly the blended frame), also after
// the renderer was lost and rebuilt, and a whole game played with SDL's virtual gamepad.
#include <unistd.h>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/common/frames.h"
#include "game/common/game_state.h"
#include "game/common/platform.h"
#include "game/media/present.h"
#include "game/platform/sdl/sdl_state.h"
#include "game/screens/screens.h"
#include "game/shell/media.h"
#include "game/shell/shell.h"
#include "game/world/world.h"
#include "render/pixels.h"

namespace {

// The table itself is pinned where it is written; here only that no code is given twice.
TEST(KeyTable, NoScanCodeIsShared) {
    std::set<int> seen;
    for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
        const int code = scanCodeOf(static_cast<SDL_Scancode>(key));
        EXPECT_TRUE(code == 0 || seen.insert(code).second) << "scan code " << code << " given twice";
    }
    EXPECT_EQ(scanCodeOf(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 5)), 0);
}

class DummyDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        resetGameRecord();
        // The frame once, so the picture reads back 1:1.
        ASSERT_EQ(platformCreateWindow({kFrameWidth, kFrameHeight}), 1);
        ASSERT_EQ(initDisplay(), 1);
    }
    void TearDown() override {
        platformReleaseDisplay();
        platformDestroyWindow();
        SDL_Quit();
    }
    std::vector<std::uint32_t> readBack() {
        std::vector<std::uint32_t> pixels(kFramePixels);
        SDL_Rect area{0, 0, kFrameWidth, kFrameHeight};
        EXPECT_EQ(SDL_RenderReadPixels(sdlVideo.renderer, &area, SDL_PIXELFORMAT_RGB888, pixels.data(),
                                       kFrameRowBytes),
                  0);
        for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
        return pixels;
    }
    // Draws a frame with a distinct top row and presents it; the picture expected on screen.
    std::vector<std::uint32_t> presentPattern(std::uint32_t seed) {
        for (int i = 0; i < kFramePixels; ++i)
            drawBuffer->pixels[i] = (seed + static_cast<std::uint32_t>(i) * 2654435761u) & 0xFCFCFC;
        for (int x = 0; x < kFrameWidth; ++x) drawBuffer->pixels[x] = 0x00FC0000;
        std::vector<std::uint32_t> expected(displayBuffer->pixels, displayBuffer->pixels + kFramePixels);
        blendFramePlain(drawBuffer->pixels, expected.data(), expected.size());
        presentFrame();
        return expected;
    }
};

TEST_F(DummyDisplay, TheWindowShowsTheBlendedFrameTopRowFirstAlsoAfterALostRenderer) {
    std::vector<std::uint32_t> expected = presentPattern(1);
    const std::vector<std::uint32_t> shown = readBack();
    EXPECT_EQ(shown[0], 0x00BD0000u);
    EXPECT_EQ(shown, expected);
    sdlVideo.rendererLost = true;
    expected = presentPattern(2);
    EXPECT_FALSE(sdlVideo.rendererLost);
    EXPECT_EQ(readBack(), expected);
}

TEST_F(DummyDisplay, FullScreenUsesAnEightHundredBySixHundredTexture) {
    platformReleaseDisplay();
    options.isWindowed = 0;
    platformPlaceWindow({});
    ASSERT_EQ(initDisplay(), 1);
    int width = 0, height = 0;
    ASSERT_EQ(SDL_QueryTexture(sdlVideo.texture, nullptr, nullptr, &width, &height), 0);
    EXPECT_EQ(width, kScreenWidth);
    EXPECT_EQ(height, kScreenHeight);
    presentPattern(3);
    EXPECT_FALSE(sdlVideo.rendererLost);
}

// The shipped game on the dummy driver, steered by a virtual pad only: A from the logo through
// the menu and the scene selection into the first scene, then the stick sets the worm off.
TEST(VirtualPad, PlaysASceneFromTheMenuToTheWormMoving) {
    char config[] = "/tmp/mt_padXXXXXX";
    ASSERT_NE(mkdtemp(config), nullptr);
    setenv("XDG_CONFIG_HOME", config, 1);
    ASSERT_EQ(chdir(MT_TEST_DIST_DIR), 0);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");  // no window has focus here
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    resetGameState();
    ASSERT_EQ(initGame(), 1) << game.errorText;
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    const auto frames = [](int count) {
        for (int i = 0; i < count && loop.windowOpen; ++i) {
            platformHandleEvents();
            loop.nextFrameTime = 0;
            frameTick();
        }
    };
    for (int i = 0; i < 30 && game.currentScreen != &playScreen; ++i) {
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
        frames(2);
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
        frames(6);
    }
    ASSERT_EQ(game.currentScreen, &playScreen);
    const std::int32_t column = world.segX[0];
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 30000);
    frames(20);
    EXPECT_EQ(world.started, 1);
    EXPECT_GT(world.segX[0], column);
    SDL_JoystickClose(pad);
    shutdownGame();
    SDL_Quit();
}

}  // namespace

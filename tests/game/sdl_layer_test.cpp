// The SDL2 layer on SDL's dummy video driver, where SDL's software renderer draws into the
// window's own surface and the test reads that back: the key table (no scan code given to two
// keys), the picture in the window at several sizes and full screen (what a player sees,
// whatever rule places it), also after the renderer was lost, and a whole game played with
// SDL's virtual gamepad.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/common/frames.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/media/present.h"
#include "game/platform/sdl/sdl_state.h"
#include "game/screens/screens.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"
#include "game/world/world.h"
#include "render/pixels.h"
#include "scene/fnv1a.h"
#include "scene/folders.h"

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

// The window's pixels as 0x00RRGGBB, row by row.
struct Shown {
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)] & 0xFFFFFF; }
};

// Four quadrants of pure hues and a magenta patch round the centre, nowhere black: however the
// picture is scaled, the middle of each quadrant keeps its hue and the middle stays magenta.
constexpr std::uint32_t kQuadrants[4] = {0xC00000, 0x00C000, 0x0000C0, 0xC0C000};
constexpr std::uint32_t kCentre = 0xC000C0;
void drawQuadrants() {
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            displayBuffer->pixels[y * kFrameWidth + x] = std::abs(x - 200) < 20 && std::abs(y - 150) < 15
                                                             ? kCentre
                                                             : kQuadrants[(y >= 150) * 2 + (x >= 200)];
}

class DummyDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        resetGameRecord();
        ASSERT_EQ(platformCreateWindow({}), 1);  // a first start: the platform chooses the size
        platformPlaceWindow({});
        ASSERT_EQ(platformInitDisplay(), 1);
        EXPECT_TRUE(sdlVideo.softwareRenderer) << "the dummy driver's renderer draws in software";
        EXPECT_EQ(fnv1a64(sdlVideo.icon.data(), sizeof sdlVideo.icon), 0xbad77fa301734a9aull)
            << "the window's icon as drawn";
    }
    void TearDown() override {
        platformReleaseDisplay();
        platformDestroyWindow();
        SDL_Quit();
    }
    // Shows displayBuffer over a window first filled with a colour the picture never has, and
    // reads back what the window holds.
    Shown show() {
        SDL_Surface* surface = SDL_GetWindowSurface(sdlVideo.window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x12, 0x34, 0x56));
        platformShowFrame();
        surface = SDL_ConvertSurfaceFormat(SDL_GetWindowSurface(sdlVideo.window), SDL_PIXELFORMAT_RGB888, 0);
        Shown shown{surface->w, surface->h, std::vector<std::uint32_t>(surface->w * surface->h)};
        for (int y = 0; y < surface->h; ++y)
            std::memcpy(&shown.pixels[y * surface->w],
                        static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch, surface->w * 4u);
        SDL_FreeSurface(surface);
        return shown;
    }
};

// At the frame's own size the window holds the frame exactly, top row first; also once the
// renderer was lost and rebuilt.
TEST_F(DummyDisplay, AWindowOfTheFramesSizeShowsItPixelForPixel) {
    SDL_SetWindowSize(sdlVideo.window, kFrameWidth, kFrameHeight);
    for (bool lost : {false, true}) {
        for (int i = 0; i < kFramePixels; ++i)
            displayBuffer->pixels[i] = (lost * 77u + static_cast<std::uint32_t>(i) * 2654435761u) & 0xFFFFFF;
        sdlVideo.rendererLost = lost;
        const Shown shown = show();
        EXPECT_FALSE(sdlVideo.rendererLost);
        ASSERT_EQ(std::pair(shown.w, shown.h), std::pair(kFrameWidth, kFrameHeight));
        EXPECT_EQ(shown.pixels,
                  std::vector<std::uint32_t>(displayBuffer->pixels, displayBuffer->pixels + kFramePixels));
    }
}

// As a first start opens it (twice the frame, where the desktop holds it), at other sizes, and
// full screen (the 800 x 600 picture with its black rows), at whole factors and filled sharply
// (SDL's software renderer, the dummy driver's, keeps to whole factors: it is told otherwise
// here so that both ways of drawing run), two of them through 16-bit pixels: the picture lies
// centred on black where its placement says, 4:3, upright and unmirrored; windowed it is lit
// throughout.
TEST_F(DummyDisplay, ThePictureIsTheFrameScaledCentredOnBlack) {
    drawQuadrants();
    for (auto [w, h, sharp] : {std::tuple{800, 600, false},
                               {1000, 700, false},
                               {1000, 700, true},
                               {1280, 720, true},
                               {500, 800, false},
                               {399, 299, true},
                               {0, 0, true}}) {
        sdlVideo.preferSixteenBit = w == 500 || w == 0;  // two rows through the 16-bit conversion
        if (w == 500 || w == 399) platformInitDisplay();
        options.sharpFill = sharp;
        sdlVideo.softwareRenderer = !sharp;
        SDL_Rect desktop{};
        SDL_GetDisplayBounds(0, &desktop);
        if (w == 0)
            options.isWindowed = 0, platformPlaceWindow({}), platformInitDisplay(),
            sdlVideo.softwareRenderer = false;
        if (w != 0) SDL_SetWindowSize(sdlVideo.window, w, h);
        const Shown shown = show();
        EXPECT_EQ(sdlVideo.sixteenBit, w == 500 || w == 0);
        EXPECT_EQ(std::pair(shown.w, shown.h), w != 0 ? std::pair(w, h) : std::pair(desktop.w, desktop.h));
        int left = shown.w, right = -1, top = shown.h, bottom = -1;
        for (int y = 0; y < shown.h; ++y)
            for (int x = 0; x < shown.w; ++x)
                if (shown.at(x, y) != 0)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        const int pw = right - left + 1, ph = bottom - top + 1;
        const Placement place =
            placePicture({shown.w, shown.h}, w == 0 ? kFullScreenSize : kFrameSize, sharp);
        SCOPED_TRACE(testing::Message() << shown.w << "x" << shown.h << (sharp ? " sharp" : "")
                                        << ": picture " << pw << "x" << ph << " at " << left << "," << top);
        EXPECT_LE(std::abs(left - place.x) + std::abs(pw - place.w), 1);
        EXPECT_LE(std::abs(top - place.y) + std::abs(ph - place.h), 2);  // full screen's last row is black
        EXPECT_LE(std::abs(pw * 3 - ph * 4), 4);
        for (int y = top; y <= bottom && w != 0; ++y)
            for (int x = left; x <= right; ++x) ASSERT_NE(shown.at(x, y), 0u) << x << "," << y;
        // Which channels are lit, in the brighter of two rows (full screen has black ones).
        const auto hue = [&](double fx, double fy) {
            const int x = left + static_cast<int>(fx * pw), y = top + static_cast<int>(fy * ph);
            const std::uint32_t c = std::max(shown.at(x, y), shown.at(x, y + 1));
            return (c & 0xFF0000 ? 0xC00000u : 0) | (c & 0xFF00 ? 0xC000u : 0) | (c & 0xFF ? 0xC0u : 0);
        };
        std::set<std::uint32_t> colours;  // nearest at a whole multiple, smoothed below the frame's size
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) colours.insert(shown.at(x, y));
        EXPECT_TRUE((w != 800 && w != 399) || (colours.size() <= 5) == (w == 800)) << colours.size();
        // Filled sharply, the edge between two quadrants blends over one pixel at most; a single
        // linear step from the frame (the fallback) blurs it over the whole factor.
        int blended = 0;
        for (int x = left + 4, y = top + ph / 4; x < right - 4; ++x)
            blended += shown.at(x, y) != kQuadrants[0] && shown.at(x, y) != kQuadrants[1];
        EXPECT_TRUE(!sharp || w == 0 || blended <= 1) << blended;
        EXPECT_EQ(hue(0.5, 0.5), kCentre);
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(hue(0.25 + q % 2 * 0.5, 0.25 + q / 2 * 0.5), kQuadrants[q]) << q;
    }
}

// Each mode leaves the window as a player expects it, and the next switch undoes it: full screen
// covers the desktop without a pointer; windowed has the stored size and
// the pointer; the texture carries the mode's picture size.
TEST_F(DummyDisplay, EachModeLeavesTheWindowAsThePlayerExpects) {
    SDL_Rect desktop{};
    SDL_GetDisplayBounds(0, &desktop);
    for (int windowed : {1, 0, 1}) {
        options.isWindowed = windowed;
        platformPlaceWindow({640, 481});
        ASSERT_EQ(platformInitDisplay(), 1);
        const std::uint32_t flags = SDL_GetWindowFlags(sdlVideo.window);
        int w = 0, h = 0, textureW = 0, textureH = 0, x = 0, y = 0;
        SDL_GetWindowSize(sdlVideo.window, &w, &h);
        SDL_GetWindowPosition(sdlVideo.window, &x, &y);
        SDL_QueryTexture(sdlVideo.texture, nullptr, nullptr, &textureW, &textureH);
        // Full screen, shown, the pointer, the size, the place (centred on the dummy's 1024 x 768
        // desktop, with room for a typical title bar), the size to store, the texture's size.
        // clang-format off
        const std::vector<int> seen = {(flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP,
            (flags & SDL_WINDOW_SHOWN) != 0, SDL_ShowCursor(SDL_QUERY), w, h, x, y, platformWindowSize().width, textureW, textureH};
        const std::vector<int> expected = windowed ? std::vector{0, 1, SDL_ENABLE, 640, 481, 192, 163, 640, 400, 300}
                                                   : std::vector{1, 1, SDL_DISABLE, desktop.w, desktop.h, 0, 0, 0, 800, 600};
        // clang-format on
        EXPECT_EQ(seen, expected);
        EXPECT_STREQ(SDL_GetWindowTitle(sdlVideo.window), "Munch Trail 2.01");
    }
}

// The game's clock is the machine's monotonic one in milliseconds, not SDL's count from start.
// A signal ignored at start (HUP under nohup) stays ignored; the others end the game as its
// close button does, and the exit status says which.
TEST(SdlSystem, TheClockIsTheMachinesAndAnIgnoredSignalStaysIgnored) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto expected = static_cast<std::uint32_t>(now.tv_sec * 1000ull + now.tv_nsec / 1000000);
    EXPECT_LE(platformTicks() - expected, 20u);
    std::signal(SIGHUP, SIG_IGN);
    catchEndingSignals();
    std::raise(SIGHUP);
    EXPECT_EQ(exitStatusAfterSignal(3), 3);
    std::raise(SIGTERM);
    EXPECT_EQ(exitStatusAfterSignal(3), 128 + SIGTERM);
    endingSignal = 0;
}

// The desktop beside the game, through stand-ins that write down what they were given: the help
// page opens as a file:// address in the desktop's viewer (xdg-open), every byte but the
// unreserved ones percent-encoded; the editor item starts KELV from the program's folder (the
// test's here), and once it has ended the game collects it: no zombie stays.
TEST(Desktop, TheHelpPageAndTheEditorOpenBesideTheGame) {
    char home[] = "/tmp/mt_urlXXXXXX";
    ASSERT_NE(mkdtemp(home), nullptr);
    const std::string folder = std::string(home) + "/a b%\xC3\xA9~_.-",
                      viewer = std::string(home) + "/xdg-open", editor = runningProgramFolder() + "/KELV";
    const auto standIn = [](const std::string& path, const char* step) {
        std::remove((path + ".ran").c_str());
        std::ofstream(path) << "#!/bin/sh\n" << step << " > \"$0.part\" && mv \"$0.part\" \"$0.ran\"\n";
        chmod(path.c_str(), 0700);
    };
    const auto said = [](const std::string& path) {
        std::string words;
        for (int i = 0; i < 500 && !std::ifstream(path + ".ran"); ++i) usleep(10000);
        std::getline(std::ifstream(path + ".ran"), words);
        return words;
    };
    standIn(viewer, "printf %s \"$1\""), standIn(editor, "echo started");
    setenv("PATH", (std::string(home) + ":" + std::getenv("PATH")).c_str(), 1);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    platformOpenDocument("Read me.htm");
    platformStartEditor();
    EXPECT_EQ(said(viewer), "file://" + std::string(home) + "/a%20b%25%C3%A9~_.-/Read%20me.htm");
    EXPECT_EQ(said(editor), "started");
    usleep(200000);  // the stand-in's last step was its file
    reapEditor();
    siginfo_t child{};
    EXPECT_EQ(waitid(P_ALL, 0, &child, WEXITED | WNOHANG), -1) << "a zombie: " << child.si_pid;
    std::remove(editor.c_str()), std::remove((editor + ".ran").c_str());
}

// The shipped game on the dummy driver, steered by a virtual pad only: A from the logo through
// the menu and the scene selection into the first scene, then the stick sets the worm off; then
// the window's events (keys, focus, a lost renderer, the request to come forward, a signal).
TEST(VirtualPad, PlaysASceneFromTheMenuToTheWormMovingAndTheWindowsEventsFollow) {
    char home[] = "/tmp/mt_padXXXXXX";  // the settings and the replay stay out of the user's own
    ASSERT_NE(mkdtemp(home), nullptr);
    setenv("XDG_CONFIG_HOME", home, 1), setenv("XDG_STATE_HOME", home, 1);
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
    // The window's own events, each as the real window reports it.
    const auto sent = [](std::uint32_t type, int what = 0, std::uint8_t repeat = 0) {
        SDL_Event event{type};
        if (type == SDL_KEYDOWN)
            event.key.keysym.scancode = static_cast<SDL_Scancode>(what), event.key.repeat = repeat;
        if (type == SDL_WINDOWEVENT) event.window.event = static_cast<std::uint8_t>(what);
        SDL_PushEvent(&event);
        platformHandleEvents();
    };
    sent(SDL_KEYDOWN, SDL_SCANCODE_UP, 1);
    EXPECT_FALSE(keyHeld(kKeyUp)) << "an auto-repeat is no press";
    sent(SDL_KEYDOWN, SDL_SCANCODE_UP);
    EXPECT_TRUE(keyHeld(kKeyUp));
    sent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_FALSE(windowTakesKeys() || keyHeld(kKeyUp));
    sent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(windowTakesKeys());
    sent(SDL_RENDER_DEVICE_RESET);
    EXPECT_TRUE(sdlVideo.rendererLost);
    SDL_HideWindow(sdlVideo.window);
    sent(raiseRequestEvent = SDL_RegisterEvents(1));
    EXPECT_NE(SDL_GetWindowFlags(sdlVideo.window) & SDL_WINDOW_SHOWN, 0u) << "the request to come forward";
    endingSignal = SIGTERM;
    platformHandleEvents();
    EXPECT_FALSE(gameWindowOpen()) << "a signal ends the game as closing its window does";
    SDL_JoystickClose(pad);
    shutdownGame();
    SDL_Quit();
}

}  // namespace

// What every headless game test shares: a throw-away program folder made the working directory
// (DAT/ from the build, a Scenes folder, private config, data and state folders), every
// process-wide record of the game back at its start values, and verbs to drive the real frame
// loop the way a player would. The only file that names the game's headers for the tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ranges>
#include <string>
#include <tuple>
#include <vector>

#include "game/common/assets.h"
#include "game/common/bindings.h"
#include "game/common/frames.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/media/mixer.h"
#include "game/media/present.h"
#include "game/media/wave.h"
#include "game/platform/headless/headless.h"
#include "game/replay/replay.h"
#include "game/screens/menus.h"
#include "game/screens/play_screens.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/gamepad.h"
#include "game/shell/media.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"
#include "game/world/draw.h"
#include "game/world/ghost.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/pixels.h"
#include "scene/scene.h"

namespace ts {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

fs::path distFolder();
fs::path sourceFolder();

// Files made in memory.
Bytes makeBmp(int width, int height, std::uint32_t colour);
Bytes makeWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               std::uint32_t frames, const Bytes& extra = {});
void writeBytes(const fs::path& path, const Bytes& bytes);
std::string readText(const fs::path& path);

// An empty scene with its start point.
Scene makeScene(int startColumn = 20, int startRow = 15);
void writeScene(const std::string& fileName, const Scene& scene);

// Keys as the platform reports them (Alt as now held).
void press(std::uint8_t key);  // down and up before the next frame
void hold(std::uint8_t key);
void release(std::uint8_t key);
void step(std::uint8_t key);  // press, then one frame
void tap(std::uint8_t key);   // held over one frame, then let go
void runFrames(int count);
// Frames until `screen` runs: how many, or -1 after `limit`.
int runUntil(Screen screen, int limit = 400);

// Lays a straight worm, head at (column, row) heading `dir`, its body cells marked; started.
void placeWorm(int column, int row, int length, Direction dir);
std::uint8_t cellAt(int column, int row);
std::uint64_t frameHash();  // the picture in drawBuffer

// Holds the arrow of a shortest way to a cell holding `goal` (round stones and the body, and
// never into a pocket too small for the worm when another way has room).
inline constexpr std::uint8_t kAnyBean = 6;  // a goal: the nearest bean or bonus bean
void autopilot(std::uint8_t goal);
int playUntil(Screen screen, std::uint8_t goal, int limit);

// One recorded frame of the replay being played, as the loop runs it; false at its end.
bool replayFrame();
// Moves the one replay the game just wrote out of the replay folder, numbered.
std::filesystem::path setReplayAside(int index);
// The replay plays back to its end; kept under MT_REPLAY_OUT as `name`.
void expectReplayHolds(const std::filesystem::path& file, const std::string& name);

// The fixture: the folder, the reset game; DAT is linked, `solidDat` swaps the full-screen
// pictures for solid colours; `start` runs the real start-up.
class Game : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void linkDat();
    void solidDat();
    bool start();
    // Writes `scene` as the only scene and goes from the scene selection into play.
    void play(const Scene& scene);
    void playShipped(const std::string& fileName);  // a shipped scene, byte for byte
    void enterGame();
    fs::path root_, previous_;
};

// Solid colours of the pictures solidDat() puts in place.
inline constexpr std::uint32_t kLogoColour = 0x204060, kMenuColour = 0x101010, kMenuLitColour = 0xF0F0F0,
                               kOptionsColour = 0x202020, kOptionsLitColour = 0xE0E0E0,
                               kHelpColour = 0x300000, kHelp2Colour = 0x003000, kMarkerColour = 0x00FF00;

}  // namespace ts

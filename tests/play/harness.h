// What the whole-game tests share: a throw-away program folder (the generated DAT, a Scenes
// folder the test fills, a settings folder of its own) made the working directory, every
// process-wide record of the game put back to its start values, the asset catalogue loaded,
// and a few verbs to drive the game frame by frame the way a player would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "game/platform/headless/headless.h"
#include "game/shell/shell.h"
#include "render/pixels.h"
#include "scene/scene.h"

namespace play_test {

// The folder holding the built programs, DAT and the shipped Scenes.
std::filesystem::path distFolder();

// A scene of the given title on an empty grid with the start point at (column, row).
Scene makeScene(const std::string& title, int startColumn = 20, int startRow = 15);
// Writes `scene` as Scenes/<fileName> of the current program folder.
void writeScene(const std::string& fileName, Scene scene);
// Copies the shipped scene of that file name into the current program folder.
void copyShippedScene(const std::string& fileName);
// The first shipped scene (by name) with that objective; empty when there is none.
std::string shippedSceneWithObjective(std::int32_t objective);
// A scene with a wall of stones in column `wallColumn`, the worm starting at (5, 15).
Scene wallScene(int wallColumn);
// A scene with a row of red beans from (21, 15) to (30, 15), the worm starting at (20, 15).
Scene beanRowScene();

// From the scene selection into the play screen on the first listed scene.
void startGame();

// A value of the settings file as written ("dword:10"); empty when missing.
std::string settingValue(const std::string& name);

// One frame tick: the clock moves on by one frame and the current screen runs.
void runFrame();
void runFrames(int count);
// Runs frames until the current screen is `screen`; the number of frames run, or -1 when it
// did not happen within `limit` frames.
int runUntil(Screen screen, int limit);

// Keys as the platform reports them.
void press(std::uint8_t scanCode);    // press and release, both before the next frame
void hold(std::uint8_t scanCode);     // press, and keep it held
void release(std::uint8_t scanCode);  // let go
void step(std::uint8_t scanCode);     // press and release, then one frame
void tap(std::uint8_t scanCode);      // held over one frame, then let go

// The autopilot, run before a play frame: while the worm waits it holds the arrow of a shortest
// way to the nearest cell holding `goal`; on every cell it presses the arrow of such a way,
// round stones and the worm's body. Elsewhere it lets go of the arrows.
void autopilot(std::uint8_t goal);
// Plays with the autopilot until `screen` is current: the frames run, or -1 after `limit`.
int playUntil(Screen screen, std::uint8_t goal, int limit);

// Frame pixels.
std::uint32_t pixelAt(int x, int y);
// The picture's own pixel is in the frame at (x, y).
bool picturePixelShown(const PixelBuffer* picture, int x, int y);
std::uint64_t frameHash();
struct Rect {
    int left, top, right, bottom;
};
// The pixels `text` sets when drawn in white at (x, y) inside `clip`, as a mask over the frame.
std::vector<bool> textMask(int x, int y, Rect clip, const char* text);

// The sound calls that reached the platform since the last call of this function.
std::vector<SoundCall> takeSoundCalls();

// The game just ended left one replay; it plays back to the same end, and with its first
// steering key after frame 100 (if any) turned round it differs from the next checkpoint on.
// MT_REPLAY_OUT=folder keeps it there as <test name>.mtreplay (re-recording tests/replays).
void expectReplayHolds();

// A fresh program folder with the generated DAT and an empty Scenes folder, the game reset and
// its catalogue loaded; removed again after the test.
class GameTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

}  // namespace play_test

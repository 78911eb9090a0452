// The game shell: start-up, the message loop with its frame tick, the display-mode switch and
// the orderly shutdown, over the running game in game/common/game_state.h. The loop's own
// bookkeeping stays here; the platform layers see it only through these functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/common/platform.h"
#include "game/replay/replay_file.h"

// What the loop keeps for itself between passes.
struct LoopState {
    std::uint32_t nextFrameTime = 0;  // 0: the next tick runs at once
    std::int32_t isActive = 0;        // the window has the focus: frames run
    std::int32_t windowOpen = 0;      // the window exists; its destruction ends the loop
    std::int32_t modeOverride = -1;   // --windowed 1, --fullscreen 0: this run only, not stored
    WindowSize windowSize{};          // the client size the player left (0 x 0 until known)
    bool watching = false;            // a replay is shown: nothing of the player's is stored
    std::string playFile;             // --play: this scene file, then the program ends
    // A best game shown from the scene selection, and what of the player's game it puts aside
    // until the selection comes back.
    bool watchingFromList = false;
    Replay listReplay;
    std::uint32_t savedHiScore = 0;
    std::uint32_t savedFramesPerSecond = 20;
    std::int32_t savedSoundMuted = 0;
    std::array<std::uint8_t, 32> savedSoundsLoaded{};
    std::uint32_t savedRandom = 0;
};
inline LoopState loop{};

// Start-up from the window on (the program's folder and the single-instance check come
// first): 1 when the message loop may run. A step that fails records its message.
int initGame();
// initGame, then the loop; a failed start-up shows its message and gives 0 (1 with --play).
int runGame();
// Shows a replay in the game's window through the same loop; 0 when it ends or the player
// leaves, 2 when the window or the pictures cannot be had (the message is shown).
int watchReplay(const Replay& replay);
// The message loop: passes until the window is gone, sleeping until the next frame is due;
// the exit code.
int runMessageLoop();
// One pass of the message loop: the window's events, then the frame tick while the window is
// active. False once the game has ended.
bool loopPass();
// Runs the current screen and presents its frame when 1000 / framesPerSecond ms have passed
// since the last tick that ran.
void frameTick();
bool gameWindowOpen();
// Flips options.isWindowed and makes the window and the presentation for the new mode; a
// presentation that cannot be made is fatal. The loop does this when a screen or Alt+Enter
// asked for it (game.action), before the next frame.
void switchDisplayMode();
// Releases sound, input and display, stores the settings and destroys the window; only once.
void shutdownGame();

// The catalogue at start: the version file and the stored high score, then every picture,
// texture and sound; the logo screen comes first. A failed picture or texture is fatal.
void loadAssetCatalogue();
// Frees every image, stores the high score and clears currentScreen.
void releaseAssets();
// Every subsystem back to its state at process start, each through its own reset.
void resetGameState();

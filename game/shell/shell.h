// The game shell: start-up, the message loop, the frame tick and shutdown, over the running
// state in game/common/shell_state.h.
#pragma once

#include "game/common/shell_state.h"

// Start-up from the window on (the program's folder and the single-instance check come
// first): 1 when the message loop may run. A step that fails records its message.
int initGame();
// The message loop: runs until the window is destroyed; the exit code.
int runMessageLoop();
// initGame, then the loop; a failed start-up shows its message and gives 0 (1 with --play).
int runGame();
// Runs the current screen and presents its frame when 1000 / framesPerSecond ms have passed
// since the last tick that ran.
void frameTick();
// Releases sound, input and display, stores the settings and destroys the window; only once.
void shutdownGame();
void toggleDisplayMode();

// The catalogue at start: the version file and the stored high score, then every picture,
// texture and sound; the logo screen comes first. A failed picture or texture is fatal.
void loadAssetCatalogue();
// Frees every image, stores the high score and clears currentScreen.
void releaseAssets();
// Every subsystem back to its state at process start, each through its own reset.
void resetGameState();

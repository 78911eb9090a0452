// What the game core needs from the system it runs on: a millisecond clock, the window, the
// picture, the keyboard's on/off switch, the sound device and its slots, message boxes and the
// desktop shell. Two layers provide these functions: the SDL2 layer of the real program and
// the headless layer the tests drive. The core links against exactly one of them, so nothing
// here includes a system header. What the platform learns (the size the player gave the
// window) it returns; it writes nothing into the game's state.
#pragma once

#include <cstdint>

// The millisecond clock: unsigned 32-bit, wraps after 49 days; readings are compared only
// through ticksBetween (game/common/game_state.h).
std::uint32_t platformTicks();

// A window's client size in logical pixels; 0 x 0 when none is known.
struct WindowSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The one game window, created hidden, titled "Munch Trail 2.01". `size` is the client size the
// player left last time (0 x 0 at a first start: the platform chooses). 1 on success.
int platformCreateWindow(WindowSize size);
// Sizes, places and shows the window for options.isWindowed: centred at `size` (or the
// platform's choice), or covering the desktop.
void platformPlaceWindow(WindowSize size);
void platformDestroyWindow();
void platformMinimiseWindow();
// The client size the player has given the window while it is windowed; 0 x 0 in full screen.
WindowSize platformWindowSize();

// The presentation surface for options.isWindowed; 1 on success. The core clears the frames.
int platformInitDisplay();
void platformReleaseDisplay();
// Shows displayBuffer (already blended) in the current mode.
void platformShowFrame();

// The keyboard: created once, switched on and off with the game's activation.
int platformInitInput();
void platformReleaseInput();

// Empties the platform's event queue into the window procedure (game/shell/window.h).
void platformHandleEvents();
// Sleeps until an event arrives or timeoutMs has passed (negative: no limit).
void platformWaitEvent(std::int32_t timeoutMs);

// The sound device and its 256 slots. The core guards every call (empty slot, muted sound),
// so the layer only performs what it is asked.
int platformOpenAudio();                          // 1 when a device is open
void platformCloseAudio();                        // frees every slot, then the device
int platformLoadSound(int id, const char* path);  // 1 when the slot now holds the sound
bool platformSoundLoaded(int id);
enum class SoundOp : std::uint8_t { Play, Stop, Rewind, SetPan, SetVolume };
void platformSound(SoundOp op, int id, std::int32_t value);
// The player's volume for a slot, 0..100 %, on top of what the rules set; it outlasts loading.
void platformSetPlayerVolume(int id, std::int32_t percent);

// A message box with the caption "Error" and one OK button; also written to standard error.
void platformShowError(const char* text);
// Opens a document of the program's folder with the desktop's default viewer.
void platformOpenDocument(const char* path);
// Starts the scene editor KELV from the program's folder without waiting for it.
void platformStartEditor();

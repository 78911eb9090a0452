// What the SDL2 layer's files share: the window, the renderer and its streaming texture, and
// the wake-up event the single-instance watcher sends. Only game/platform includes this.
#pragma once

#include <SDL.h>

#include <array>
#include <csignal>
#include <cstdint>

inline constexpr int kIconSize = 32;  // the window's icon, square

struct SdlVideo {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    SDL_Cursor* noCursor = nullptr;
    // Sharp fill's nearest step: the picture enlarged by a whole factor, kept while its size holds.
    SDL_Texture* sharpStep = nullptr;
    int sharpWidth = 0, sharpHeight = 0;
    bool softwareRenderer = false;  // SDL's own: sharp fill costs too much there
    bool sixteenBit = false;        // the renderer takes no 32-bit texture: 5-6-5 or 5-5-5 pixels
    bool preferSixteenBit = false;  // the tests' way onto that path where 32 bits are offered
    std::array<std::uint32_t, kIconSize * kIconSize> icon{};  // the window's icon as drawn, ARGB
    bool rendererLost = false;                                // recreate before the next frame
};
inline SdlVideo sdlVideo{};

// Registered at start: another start of the game asks this one to come to the front.
inline std::uint32_t raiseRequestEvent = 0;

// The signal that told the game to end (HUP, INT, QUIT or TERM), 0 while none came. The event
// handling turns it into a close request, so the game ends as when its window is closed:
// settings, high score and replay kept.
inline volatile std::sig_atomic_t endingSignal = 0;
// Catches the four signals that end a program by default; called once SDL is initialised, so
// that SDL's own handlers (for INT and TERM only) are replaced.
void catchEndingSignals();
// The exit status: `code`, or 128 + the signal once one ended the game.
int exitStatusAfterSignal(int code);

// Recreates the renderer and texture of the current mode after the device was reset.
void recreateRenderer();
// Brings the window to the front (the single-instance request).
void raiseGameWindow();
// Reaps a finished editor process, if one was started.
void reapEditor();
// The PC scan code of an SDL key, 0 for keys the game does not know.
std::uint8_t scanCodeOf(SDL_Scancode key);

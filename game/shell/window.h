// The game window's behaviour, in the order the platform reports things: every key event
// (already translated to a PC scan code, auto-repeats left out), the close button, focus
// changes and exposure. Both platform layers call these and nothing else of the shell's
// event handling, so the headless tests exercise the same rules as the real window.
#pragma once

#include <cstdint>

// A key of the keyboard went down or up (the key the player pressed, before the bindings).
// altHeld: either Alt key is down at this moment.
void windowKeyEvent(std::uint8_t scanCode, bool pressed, bool altHeld);
// A game key a gamepad pressed or let go (already the game's code).
void windowPadKey(std::uint8_t gameKey, bool pressed);
// The window is open and has the focus: keys reach the game.
bool windowTakesKeys();
void windowCloseRequest();
void windowFocusChanged(bool active);
void windowExposed();

// Destroying the window: the assets go, the high score is stored, a pending error is shown.
void destroyGameWindow();

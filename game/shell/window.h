// The game window's behaviour, in the order the platform reports things: every key event
// (already translated to a PC scan code, auto-repeats left out), the close button, focus
// changes and exposure. Both platform layers call these and nothing else of the shell's
// event handling, so the headless tests exercise the same rules as the real window.
#pragma once

#include <cstdint>

inline constexpr std::uint8_t kKeyEscape = 0x01;
inline constexpr std::uint8_t kKeyF1 = 0x3B;

// A key went down or up. altHeld: either Alt key is down at this moment.
void windowKeyEvent(std::uint8_t scanCode, bool pressed, bool altHeld);
void windowCloseRequest();
void windowFocusChanged(bool active);
void windowExposed();

// Destroying the window: the assets go, the high score is stored, a pending error is shown.
void destroyGameWindow();

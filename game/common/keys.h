// Key presses as PC scan codes: a ring of 64 presses read one per frame, and the held state of
// every key. The platform layer feeds both through pushKeyEvent; screens read them.
#pragma once

#include <array>
#include <cstdint>

inline constexpr std::uint8_t kKeyEnter = 0x1C;
inline constexpr std::uint8_t kKeyPadEnter = 0x9C;
inline constexpr std::uint8_t kKeySpace = 0x39;
inline constexpr std::uint8_t kKeyBackspace = 0x0E;
inline constexpr std::uint8_t kKeyTab = 0x0F;
inline constexpr std::uint8_t kKeyLeftAlt = 0x38;
inline constexpr std::uint8_t kKeyRightAlt = 0xB8;
inline constexpr std::uint8_t kKeyUp = 0xC8;
inline constexpr std::uint8_t kKeyDown = 0xD0;
inline constexpr std::uint8_t kKeyLeft = 0xCB;
inline constexpr std::uint8_t kKeyRight = 0xCD;
inline constexpr std::uint8_t kKeyPageUp = 0xC9;
inline constexpr std::uint8_t kKeyPageDown = 0xD1;
inline constexpr std::uint8_t kKeyHome = 0xC7;
inline constexpr std::uint8_t kKeyEnd = 0xCF;
inline constexpr std::uint8_t kKeyR = 0x13;       // the scene list: watch the selected scene's best game
inline constexpr std::uint8_t kKeyEscape = 0x01;  // quits (the window's), or leaves the Controls screen
inline constexpr std::uint8_t kKeyF1 = 0x3B;      // the help file (the window's)

inline constexpr int kKeyQueueSize = 64;

struct KeyboardState {
    std::array<std::uint8_t, kKeyQueueSize> keyQueue{};
    int readIndex = 0;
    int writeIndex = 0;
    std::array<std::uint8_t, 256> keyState{};  // 0x80 while held
};
inline KeyboardState keyboard{};
inline void resetKeyboard() {
    keyboard = KeyboardState{};
}
// The held keys and the presses still queued, oldest first: the slots outside the ring's live
// part hold stale presses that no rule will ever read.
std::uint64_t digestKeyboard(std::uint64_t hash);

// One key event (from the platform, or from a replay): a press is queued (dropped when the queue is full) and
// the held state follows the event either way.
void pushKeyEvent(std::uint8_t scanCode, bool pressed);
std::uint8_t popKey();  // oldest press, 0 when none
void clearKeys();       // empties the queue
void clearKeyState();   // releases every held key and empties the queue (focus changes)
inline bool keyHeld(std::uint8_t scanCode) {
    return (keyboard.keyState[scanCode] & 0x80) != 0;
}
// Either Alt key: Alt+Enter switches the display, so no screen takes Enter or Backspace with it.
inline bool altKeyHeld() {
    return keyHeld(kKeyLeftAlt) || keyHeld(kKeyRightAlt);
}

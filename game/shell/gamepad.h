// Gamepads as keys: the D-pad and the left stick are the arrow keys, A is Enter, B Backspace,
// Start Space and Y the R key (a scene's best game, on the scene selection). Every pad the
// platform reports keeps a reading here; all pads together act as one, and each change of that
// combined state goes through the window's key events like a key of the keyboard, so every
// screen (and every "held" check) treats both alike.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kPadSlots = 8;
// A stick axis counts as pressed past a third of its travel; it presses once when it crosses.
inline constexpr std::int32_t kStickDeadZone = 11000;

enum PadKey : std::uint8_t {
    PadUp = 1,
    PadDown = 2,
    PadLeft = 4,
    PadRight = 8,
    PadEnter = 16,
    PadBackspace = 32,
    PadSpace = 64,
    PadWatch = 128,
};

struct PadReading {
    std::int32_t id = -1;      // the platform's number for the pad; -1: free slot
    std::uint8_t buttons = 0;  // PadKey bits of the D-pad and the buttons
    std::int32_t stickX = 0;   // -32768 (left) .. 32767
    std::int32_t stickY = 0;   // -32768 (up) .. 32767
};

struct GamepadState {
    std::array<PadReading, kPadSlots> pads{};
    std::uint8_t held = 0;  // PadKey bits of all pads together, as last sent
};
inline GamepadState gamepads{};
inline void resetGamepads() {
    gamepads = GamepadState{};
}

// The keys one pad holds: its buttons and the stick's directions beyond the dead zone.
std::uint8_t padKeys(const PadReading& pad);

// What the platform reports; each sends the key events of whatever changed.
void padAttached(std::int32_t id);
void padDetached(std::int32_t id);
void padButton(std::int32_t id, std::uint8_t key, bool pressed);
void padStick(std::int32_t id, bool vertical, std::int32_t value);

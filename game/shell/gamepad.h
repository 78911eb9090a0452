// Gamepads as keys: each button stands for the action the player bound it to on the Controls
// screen (by default the D-pad for the arrows, A Enter, B Backspace, Start Space), Y, while no
// action has it, for the R key (a scene's best game, on the scene selection), and the left stick
// always for the four directions. Every pad the platform reports keeps a reading here; all pads
// together act as one, and each change of the game keys they hold goes through the window like
// a key of the keyboard, so every screen (and every "held" check) treats both alike.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kPadSlots = 8;
// A stick axis counts as pressed past a third of its travel; it presses once when it crosses.
inline constexpr std::int32_t kStickDeadZone = 11000;

struct PadReading {
    std::int32_t id = -1;       // the platform's number for the pad; -1: free slot
    std::uint16_t buttons = 0;  // bit b: button b (game/common/bindings.h) held
    std::int32_t stickX = 0;    // -32768 (left) .. 32767
    std::int32_t stickY = 0;    // -32768 (up) .. 32767
};

struct GamepadState {
    std::array<PadReading, kPadSlots> pads{};
    std::uint16_t held = 0;                   // the buttons of all pads together
    std::uint16_t swallowed = 0;              // bound on the Controls screen: they send nothing until let go
    std::array<std::uint64_t, 4> keysSent{};  // the game keys the pads hold, as last sent
};
inline GamepadState gamepads{};
inline void resetGamepads() {
    gamepads = GamepadState{};
}

// What the platform reports; each sends the key events of whatever changed. A button pressed
// while the Controls screen waits for one is bound instead.
void padAttached(std::int32_t id);
void padDetached(std::int32_t id);
void padButton(std::int32_t id, std::uint8_t button, bool pressed);
void padStick(std::int32_t id, bool vertical, std::int32_t value);

// The combined pad state and its key events.
#include "game/shell/gamepad.h"

#include "game/common/bindings.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"

namespace {

using KeySet = std::array<std::uint64_t, 4>;

void addKey(KeySet& keys, std::uint8_t key) {
    keys[key >> 6] |= std::uint64_t{1} << (key & 63);
}
bool hasKey(const KeySet& keys, int key) {
    return ((keys[static_cast<std::size_t>(key >> 6)] >> (key & 63)) & 1) != 0;
}

PadReading* findPad(std::int32_t id) {
    for (PadReading& pad : gamepads.pads)
        if (pad.id == id) return &pad;
    return nullptr;
}

// The arrows a stick holds beyond the dead zone.
void addStickKeys(const PadReading& pad, KeySet& keys) {
    if (pad.stickY <= -kStickDeadZone) addKey(keys, kKeyUp);
    if (pad.stickY >= kStickDeadZone) addKey(keys, kKeyDown);
    if (pad.stickX <= -kStickDeadZone) addKey(keys, kKeyLeft);
    if (pad.stickX >= kStickDeadZone) addKey(keys, kKeyRight);
}

// Sends a key event for every game key whose combined state changed: releases first, then
// presses. The button bound to full screen asks for the other display mode when it goes down.
void sendChanges() {
    std::uint16_t held = 0;
    KeySet now{};
    for (const PadReading& pad : gamepads.pads)
        if (pad.id >= 0) {
            held = static_cast<std::uint16_t>(held | pad.buttons);
            addStickKeys(pad, now);
        }
    const std::uint16_t pressed = held & ~gamepads.held & ~gamepads.swallowed;
    gamepads.swallowed &= held;
    gamepads.held = held;
    const std::uint8_t fullScreen = controls.pads[ControlFullScreen];
    if (fullScreen != PadNone && ((pressed >> fullScreen) & 1) != 0 && gameWindowOpen())
        game.action = GameAction::SwitchDisplay;
    for (int button = 1; button < kPadButtons; ++button)
        if (((held & ~gamepads.swallowed) >> button) & 1) {
            const std::uint8_t key = gameKeyOfPad(static_cast<std::uint8_t>(button));
            if (key != 0) addKey(now, key);
        }
    const KeySet before = gamepads.keysSent;
    gamepads.keysSent = now;
    for (int pass = 0; pass < 2; ++pass)
        for (int key = 1; key < 256; ++key) {
            const bool was = hasKey(before, key), is = hasKey(now, key);
            if (was != is && is == (pass == 1)) windowPadKey(static_cast<std::uint8_t>(key), is);
        }
}

}  // namespace

void padAttached(std::int32_t id) {
    if (findPad(id) != nullptr) return;
    PadReading* slot = findPad(-1);
    if (slot != nullptr) *slot = PadReading{id};
}

void padDetached(std::int32_t id) {
    PadReading* pad = findPad(id);
    if (pad == nullptr) return;
    *pad = PadReading{};
    sendChanges();
}

void padButton(std::int32_t id, std::uint8_t button, bool pressed) {
    PadReading* pad = findPad(id);
    if (pad == nullptr || button == PadNone || button >= kPadButtons) return;
    const auto bit = static_cast<std::uint16_t>(1u << button);
    if (pressed && controls.capture != kNoCapture && windowTakesKeys() &&
        bindPadButton(static_cast<ControlAction>(controls.capture), button)) {
        controls.capture = kNoCapture;
        gamepads.swallowed |= bit;
    }
    pad->buttons = static_cast<std::uint16_t>(pressed ? pad->buttons | bit : pad->buttons & ~bit);
    sendChanges();
}

void padStick(std::int32_t id, bool vertical, std::int32_t value) {
    PadReading* pad = findPad(id);
    if (pad == nullptr) return;
    (vertical ? pad->stickY : pad->stickX) = value;
    sendChanges();
}

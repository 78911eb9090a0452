// The combined pad state and its key events.
#include "game/shell/gamepad.h"

#include "game/common/keys.h"
#include "game/shell/window.h"

namespace {

constexpr std::uint8_t kScanCodes[] = {kKeyUp,    kKeyDown,      kKeyLeft,  kKeyRight,
                                       kKeyEnter, kKeyBackspace, kKeySpace, kKeyR};

PadReading* findPad(std::int32_t id) {
    for (PadReading& pad : gamepads.pads)
        if (pad.id == id) return &pad;
    return nullptr;
}

// Sends a key event for every key whose combined state changed: releases first, then presses.
void sendChanges() {
    std::uint8_t now = 0;
    for (const PadReading& pad : gamepads.pads)
        if (pad.id >= 0) now |= padKeys(pad);
    const std::uint8_t before = gamepads.held;
    gamepads.held = now;
    for (int pass = 0; pass < 2; ++pass)
        for (int bit = 0; bit < 8; ++bit) {
            const bool was = (before >> bit) & 1, is = (now >> bit) & 1;
            if (was != is && is == (pass == 1)) windowKeyEvent(kScanCodes[bit], is, false);
        }
}

}  // namespace

std::uint8_t padKeys(const PadReading& pad) {
    std::uint8_t keys = pad.buttons;
    if (pad.stickY <= -kStickDeadZone) keys |= PadUp;
    if (pad.stickY >= kStickDeadZone) keys |= PadDown;
    if (pad.stickX <= -kStickDeadZone) keys |= PadLeft;
    if (pad.stickX >= kStickDeadZone) keys |= PadRight;
    return keys;
}

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

void padButton(std::int32_t id, std::uint8_t key, bool pressed) {
    PadReading* pad = findPad(id);
    if (pad == nullptr) return;
    pad->buttons = static_cast<std::uint8_t>(pressed ? pad->buttons | key : pad->buttons & ~key);
    sendChanges();
}

void padStick(std::int32_t id, bool vertical, std::int32_t value) {
    PadReading* pad = findPad(id);
    if (pad == nullptr) return;
    (vertical ? pad->stickY : pad->stickX) = value;
    sendChanges();
}

// The key queue and the held-key table. The platform feeds every key event in through
// pushKeyEvent while the game is active; screens take at most one press per frame with popKey
// and clearKeys.
#include "game/common/keys.h"

void pushKeyEvent(std::uint8_t scanCode, bool pressed) {
    if (keyRecorder != nullptr) keyRecorder(scanCode, pressed ? 1 : 0);
    keyboard.keyState[scanCode] = pressed ? 0x80 : 0;
    if (!pressed) return;
    // A full ring drops the press: letting the write index catch up with the read index would
    // make 64 unread presses look like none at all.
    const int next = (keyboard.writeIndex + 1) % kKeyQueueSize;
    if (next == keyboard.readIndex) return;
    keyboard.keyQueue[keyboard.writeIndex] = scanCode;
    keyboard.writeIndex = next;
}

std::uint8_t popKey() {
    if (keyboard.readIndex == keyboard.writeIndex) return 0;
    const std::uint8_t key = keyboard.keyQueue[keyboard.readIndex];
    keyboard.readIndex = (keyboard.readIndex + 1) % kKeyQueueSize;
    return key;
}

void clearKeys() {
    keyboard.readIndex = 0;
    keyboard.writeIndex = 0;
}

void clearKeyState() {
    if (keyRecorder != nullptr) keyRecorder(0, 2);
    keyboard.keyState.fill(0);
    clearKeys();
}

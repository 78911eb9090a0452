// The key queue and the held-key table. The platform feeds every key event in through
// pushKeyEvent while the game is active; screens take at most one press per frame with popKey
// and clearKeys.
#include "game/common/keys.h"

#include "game/common/digest.h"

static_assert(sizeof(KeyboardState) == kKeyQueueSize + 2 * sizeof(int) + 256,
              "a new member of KeyboardState: add it to digestKeyboard, then here");

std::uint64_t digestKeyboard(std::uint64_t hash) {
    hash = fnv1a64(keyboard.keyState.data(), keyboard.keyState.size(), hash);
    for (int i = keyboard.readIndex; i != keyboard.writeIndex; i = (i + 1) % kKeyQueueSize)
        hash = fnv1a64(&keyboard.keyQueue[static_cast<std::size_t>(i)], 1, hash);
    return hash;
}

void pushKeyEvent(std::uint8_t scanCode, bool pressed) {
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
    keyboard.keyState.fill(0);
    clearKeys();
}

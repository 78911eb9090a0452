// What every picture screen shares: taking this frame's one key, the skip and confirm
// presses (never with Alt held, so Alt+Enter only switches the display), the standard fade in
// and out, and drawing a full-screen picture or its lit part at the current brightness.
#include "game/screens/screens.h"

#include "game/common/keys.h"
#include "render/blit.h"

bool isConfirmPress(std::uint8_t key) {
    if (altKeyHeld()) return false;
    return key == kKeyEnter || key == kKeyPadEnter;
}

bool isSkipPress(std::uint8_t key) {
    if (altKeyHeld()) return false;
    return key == kKeySpace || key == kKeyEnter || key == kKeyPadEnter;
}

std::uint8_t takeKey() {
    const std::uint8_t key = popKey();
    clearKeys();
    return key;
}

bool stepFadeIn(std::int32_t& phase, std::uint8_t key) {
    if (!isSkipPress(key) && light.brightness < 249) {
        light.brightness += 8;
        return false;
    }
    light.brightness = 256;
    phase = 0;
    return true;
}

bool stepFadeOut(std::uint8_t key) {
    if (!isSkipPress(key) && light.brightness >= 8) {
        light.brightness -= 8;
        return false;
    }
    light.brightness = 0;
    return true;
}

void drawPicture(const PixelBuffer* picture) {
    setFrameInteriorClip();
    blitDim(0, 0, picture, light.brightness);
}

void drawLitRect(const PixelBuffer* picture, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                 std::int32_t y1) {
    setClipRect(x0, y0, x1, y1);
    blitDim(0, 0, picture, light.brightness);
    setFrameInteriorClip();
}

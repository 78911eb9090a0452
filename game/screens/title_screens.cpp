// The logo shown at start and the two help pages: a picture that fades in, waits (the logo
// for a skip press or five seconds, the help pages for a skip press only) and fades out to
// the next screen.
#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"

namespace {

// A help page: waits for a skip press without a timeout, then fades out to `next`.
void runHelpPage(std::int32_t& phase, const PixelBuffer* picture, Screen next) {
    const std::uint8_t key = takeKey();
    if (phase == -1) {
        stepFadeIn(phase, key);
    } else if (phase == 0) {
        if (isSkipPress(key)) {
            light.brightness = 256;
            phase = 1;
        }
    } else if (stepFadeOut(key)) {
        phase = -1;
        game.currentScreen = next;
    }
    drawPicture(picture);
}

// The hold keeps its own running flag, so a clock that happens to read 0 cannot restart it.
void logoWaiting(std::uint8_t key) {
    if (!menus.logoHolding) {
        menus.logoHolding = true;
        menus.logoStart = game.frameTime;
    }
    if (!isSkipPress(key) && ticksBetween(menus.logoStart, game.frameTime) <= kLogoHoldMs) return;
    light.brightness = 256;
    menus.logoPhase = 1;
    menus.logoHolding = false;
}

}  // namespace

void logoScreen() {
    const std::uint8_t key = takeKey();
    if (menus.logoPhase == -1) {
        stepFadeIn(menus.logoPhase, key);
    } else if (menus.logoPhase == 0) {
        logoWaiting(key);
    } else if (stepFadeOut(key)) {
        menus.logoPhase = -1;
        game.currentScreen = mainMenuScreen;
    }
    drawPicture(assets.logo);
}

void helpScreen() {
    runHelpPage(menus.helpPhase, assets.help1, helpScreen2);
}

void helpScreen2() {
    runHelpPage(menus.help2Phase, assets.help2, mainMenuScreen);
}

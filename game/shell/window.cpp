// The window procedure of the game: Escape quits from every screen (the Controls screen takes it
// as a way back), F1 minimises the game and opens the help page, Alt with the full-screen key
// (Enter, unless the player chose another; it counts when released while Alt is held) asks for
// the other display mode, closing the window quits, and focus switches the frames and the
// keyboard on and off. Every other key event is turned into the game's key by the player's
// bindings and goes through the event tap, and only while the game is active.
#include "game/shell/window.h"

#include "game/common/assets.h"
#include "game/common/bindings.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/replay/replay.h"
#include "game/screens/progress.h"
#include "game/screens/screens.h"
#include "game/shell/media.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"

namespace {

// While the Controls screen waits for a key, the next key that can be bound is bound: its press
// and its release go no further. Escape gives up waiting; any other key goes on as usual.
bool capturedKey(std::uint8_t scanCode) {
    if (controls.capture == kNoCapture || !windowTakesKeys()) return false;
    if (scanCode != kKeyEscape && !bindKey(static_cast<ControlAction>(controls.capture), scanCode))
        return false;
    controls.capture = kNoCapture;
    swallowKey(scanCode);
    return true;
}

}  // namespace

void windowKeyEvent(std::uint8_t scanCode, bool pressed, bool altHeld) {
    if (pressed && capturedKey(scanCode)) return;
    if (!pressed && takeSwallowedRelease(scanCode)) return;
    // Escape quits from every screen but the Controls screen, where it goes back instead.
    if (pressed && scanCode == kKeyEscape && game.currentScreen != controlsScreen) {
        shutdownGame();
        return;
    }
    if (pressed && scanCode == kKeyF1) {
        platformMinimiseWindow();
        platformOpenDocument("Readme.htm");
    }
    if (!pressed && altHeld && isFullScreenKey(scanCode) && loop.windowOpen)
        game.action = GameAction::SwitchDisplay;
    const std::uint8_t gameKey = pressed ? keyDownAs(scanCode) : keyUpAs(scanCode);
    if (gameKey != 0 && windowTakesKeys()) tapKey(gameKey, pressed);
}

void windowPadKey(std::uint8_t gameKey, bool pressed) {
    if (windowTakesKeys()) tapKey(gameKey, pressed);
}

bool windowTakesKeys() {
    return loop.isActive && loop.windowOpen;
}

void windowCloseRequest() {
    shutdownGame();
}

void windowFocusChanged(bool active) {
    if (!loop.windowOpen) return;
    loop.isActive = active ? 1 : 0;
    tapFocusChange();  // no key stays held across a focus change
}

void windowExposed() {
    if (loop.windowOpen) presentFrame();
}

namespace {

// At exit: an error box (also on standard error) for each thing the player would otherwise lose
// without a word: the settings file that could not be written, the replay that could not be
// kept, the progress that could not be saved.
void reportFailedWrites() {
    if (!settingsState.failedReason.empty()) {
        const std::string text =
            "The settings could not be saved to " +
            (settingsState.failedPath.empty() ? "the settings file" : settingsState.failedPath) + " (" +
            settingsState.failedReason + ").";
        platformShowError(text.c_str());
    }
    if (!recordingReport.failedReason.empty()) {
        const std::string text =
            "A game could not be kept as a replay: " + recordingReport.failedReason + ".";
        platformShowError(text.c_str());
    }
    if (!progressReport.failedReason.empty()) {
        const std::string text = "The progress could not be saved: " + progressReport.failedReason + ".";
        platformShowError(text.c_str());
    }
}

}  // namespace

void destroyGameWindow() {
    platformDestroyWindow();
    loop.windowOpen = 0;
    loop.isActive = 0;
    releaseAssets();
    game.currentScreen = nullptr;
    if (game.errorText[0] != '\0') platformShowError(game.errorText);
    reportFailedWrites();
}

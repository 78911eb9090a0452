// The window procedure of the game: Escape quits from every screen, F1 minimises the game and
// opens the help page, Alt+Enter (Enter released while Alt is held) switches the display
// mode, closing the window quits, and focus switches the frames and the keyboard on and off.
// Every other key event only feeds the key queue, and only while the game is active.
#include "game/shell/window.h"

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/shell/media.h"
#include "game/shell/replay.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"

void windowKeyEvent(std::uint8_t scanCode, bool pressed, bool altHeld) {
    if (viewerKeyEvent(scanCode, pressed)) return;
    if (pressed && scanCode == kKeyEscape) {
        shutdownGame();
        return;
    }
    if (pressed && scanCode == kKeyF1) {
        platformMinimiseWindow();
        platformOpenDocument("Readme.htm");
    }
    if (!pressed && altHeld && (scanCode == kKeyEnter || scanCode == kKeyPadEnter) && shell.windowOpen)
        toggleDisplayMode();
    if (shell.isActive && shell.windowOpen) pushKeyEvent(scanCode, pressed);
}

void windowCloseRequest() {
    if (viewerCloseRequest()) return;
    shutdownGame();
}

void windowFocusChanged(bool active) {
    if (!shell.windowOpen || replayPlayback.active) return;
    shell.isActive = active ? 1 : 0;
    clearKeyState();  // no key stays held across a focus change
}

void windowExposed() {
    if (shell.windowOpen) presentFrame();
}

namespace {

// At exit: an error box (also on standard error) naming the settings file and the reason, when
// a write of it failed during the run.
void reportFailedSettingsWrite() {
    if (settingsState.failedReason.empty()) return;
    const std::string text =
        "The settings could not be saved to " +
        (settingsState.failedPath.empty() ? "the settings file" : settingsState.failedPath) + " (" +
        settingsState.failedReason + ").";
    platformShowError(text.c_str());
}

}  // namespace

void destroyGameWindow() {
    platformDestroyWindow();
    shell.windowOpen = 0;
    shell.isActive = 0;
    releaseAssets();
    shell.currentScreen = nullptr;
    if (shell.errorText[0] != '\0') platformShowError(shell.errorText);
    reportFailedSettingsWrite();
}

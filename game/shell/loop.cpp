// The spine of the game: start-up from the window on, the message loop, the frame tick with
// its pacing, the display-mode switch and the orderly shutdown. The loop sleeps until the
// next frame is due (the platform wakes it for any event), so an idle game costs next to no
// processor time; frames still come exactly 1000 / framesPerSecond ms after the tick before.
#include <cstdint>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"
#include "game/shell/gamepad.h"
#include "game/shell/media.h"
#include "game/shell/replay.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"
#include "game/world/world.h"

namespace {

// The old check for CPUID and MMX: every x86 processor this builds for has both, and the
// pixel code needs nothing of other processors.
bool processorSupported() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("mmx");
#else
    return true;
#endif
}

int failStartup(const char* message) {
    raiseFatalError(message);
    return 0;
}

void waitForNextFrame() {
    if (shell.nextFrameTime == 0) return;
    const std::int32_t wait = ticksBetween(platformTicks(), shell.nextFrameTime);
    if (wait > 0) platformWaitEvent(wait);
}

}  // namespace

void applySettings(const StoredSettings& stored) {
    if ((shell.modeOverride < 0 ? stored.windowedMode : static_cast<std::uint32_t>(shell.modeOverride)) == 0)
        toggleDisplayMode();
    shell.framesPerSecond = stored.gameSpeed == 15 || stored.gameSpeed == 25 ? stored.gameSpeed : 20;
    if (stored.noSound != 0) shell.soundMuted = 1;
}

int initGame() {
    shell.switchDisplayMode = toggleDisplayMode;
    const StoredSettings stored = readSettings();
    shell.windowWidth = static_cast<std::int32_t>(stored.windowWidth);  // before the window is placed
    shell.windowHeight = static_cast<std::int32_t>(stored.windowHeight);
    if (!platformCreateWindow()) return 0;
    shell.windowOpen = 1;
    platformPlaceWindow();
    if (!processorSupported()) return failStartup("Require Pentium MMX CPU or higher!");
    if (!initDisplay()) return failStartup("Failed to initialize screen!");
    if (!platformInitInput()) return failStartup("Failed to initialize DirectInput!");
    initSound();  // without a device the game runs silent
    shell.frameTime = platformTicks();
    seedRandom(shell.frameTime);
    loadAssetCatalogue();
    // --play: straight into the game with the scene read again after seeding (random beans).
    if (shell.playFile[0] != '\0' && shell.currentScreen != nullptr) {
        if (!loadSceneFile(shell.playFile)) return failStartup("Cannot read the scene file!");
        shell.currentScreen = gameStartScreen;
    }
    applySettings(stored);
    shell.isActive = 1;
    clearKeyState();
    return 1;
}

int runMessageLoop() {
    for (;;) {
        if (shell.fatalError) {
            shutdownGame();
            break;
        }
        platformHandleEvents();
        if (!shell.windowOpen) break;
        if (!shell.isActive) {
            platformWaitEvent(-1);
            continue;
        }
        frameTick();
        if (shell.windowOpen && !shell.fatalError) waitForNextFrame();
    }
    return 0;
}

int runGame() {
    if (initGame()) return runMessageLoop();
    if (shell.errorText[0] != '\0') platformShowError(shell.errorText);
    if (shell.windowOpen) platformDestroyWindow();
    shell.windowOpen = 0;
    return shell.playFile[0] != '\0' ? 1 : 0;  // the editor's test play learns it failed
}

void frameTick() {
    const std::uint32_t now = platformTicks();
    shell.frameTime = now;
    if (shell.nextFrameTime != 0 && ticksBetween(now, shell.nextFrameTime) > 0) return;
    const std::uint32_t rate = shell.framesPerSecond != 0 ? shell.framesPerSecond : 20;
    shell.nextFrameTime = now + 1000 / rate;
    if (shell.currentScreen == nullptr) {
        shutdownGame();
        return;
    }
    runScreenFrame();
    if (shell.windowOpen) presentFrame();
}

void toggleDisplayMode() {
    platformReleaseDisplay();
    shell.isWindowed = !shell.isWindowed;
    platformPlaceWindow();
    if (!initDisplay()) {
        raiseFatalError("Failed to initialize screen!");
        shutdownGame();
    }
}

void shutdownGame() {
    if (!shell.windowOpen) return;
    finishReplayRecording();
    releaseSound();
    releaseInput();
    platformReleaseDisplay();
    writeSettings();
    destroyGameWindow();
}

void loadAssetCatalogue() {
    writeVersionInfo();
    readHighScore(&world.hiScore);
    if (!loadAssetFiles()) return;
    loadSounds();
    shell.currentScreen = logoScreen;
}

void releaseAssets() {
    freeAssetImages();
    writeHighScore(world.hiScore);
    shell.currentScreen = nullptr;
}

void resetGameState() {
    resetAssetCatalogue();
    resetWorld();
    resetShellState();
    resetKeyboard();
    resetGamepads();
    resetLight();
    resetMenus();
    resetSettingsState();
}

// The spine of the game: start-up from the window on, the message loop, the frame tick with
// its pacing, the display-mode switch and the orderly shutdown. The loop sleeps until the
// next frame is due (the platform wakes it for any event), so an idle game costs next to no
// processor time; frames still come exactly 1000 / framesPerSecond ms after the tick before.
// A replay being watched runs through the same loop: the event tap then feeds the recorded
// frames instead of the player's keys. A best game asked for on the scene selection is shown
// the same way, and the selection comes back when it ends or the viewer leaves it.
#include "game/shell/shell.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/common/assets.h"
#include "game/common/bindings.h"
#include "game/common/frames.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/replay/replay.h"
#include "game/screens/controls_screen.h"
#include "game/screens/menus.h"
#include "game/screens/play_screens.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/gamepad.h"
#include "game/shell/media.h"
#include "game/shell/settings.h"
#include "game/shell/window.h"
#include "game/world/ghost.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/cpu.h"

namespace {

bool failStartup(const char* message) {
    raiseFatalError(message);
    return false;
}

// The window, the picture, the keyboard and the sound device: the one bring-up for a game and
// for a replay to watch. False when a step failed (its message recorded, if it has one).
bool openGameWindow() {
    if (!platformCreateWindow(loop.windowSize)) return false;
    loop.windowOpen = 1;
    platformPlaceWindow(loop.windowSize);
    if (!processorSupported()) return failStartup("Require Pentium MMX CPU or higher!");
    if (!initDisplay()) return failStartup("Failed to initialize screen!");
    if (!platformInitInput()) return failStartup("Failed to initialize DirectInput!");
    initSound();  // without a device the game runs silent
    return true;
}

// The selected scene's best game, in place of the selection. A file that cannot be read
// leaves the selection as it is, fading in again.
void watchFromList() {
    std::string error;
    if (!readReplayFile(replayFolder() + "/" + listProgress.watchFile, loop.listReplay, error)) return;
    loop.savedHiScore = world.hiScore;
    loop.savedFramesPerSecond = options.framesPerSecond;
    loop.savedSoundMuted = options.soundMuted;
    loop.savedSoundsLoaded = soundState.loaded;
    loop.savedRandom = randomState.state;
    loop.watchingFromList = true;
    startPlayback(loop.listReplay);
}

// Back to the selection: the replay's sounds silenced, the player's own values restored, and
// every record a game reads put back as a fresh start has it, as a replay's start does, so the
// next game is recorded from the same state a replay of it starts from.
void backToList() {
    for (int id = 0; id < kSoundSlots; ++id) {
        soundStop(id);
        soundRewind(id);
    }
    stopPlayback();
    loop.watchingFromList = false;
    resetWorld();
    resetPlayScreens();
    resetPond();
    clearRipples();
    clearKeyState();
    resetGhost();
    world.hiScore = loop.savedHiScore;
    options.framesPerSecond = loop.savedFramesPerSecond;
    options.soundMuted = loop.savedSoundMuted;
    soundState.loaded = loop.savedSoundsLoaded;
    randomState.state = loop.savedRandom;
    returnToSceneSelect();
}

// What a screen asked for in the last frame, done before the next one runs.
void performGameAction() {
    const GameAction action = game.action;
    game.action = GameAction::None;
    if (action == GameAction::SwitchDisplay) switchDisplayMode();
    if (action == GameAction::WatchReplay) watchFromList();
}

std::uint32_t framePeriod() {
    const std::uint32_t rate = options.framesPerSecond != 0 ? options.framesPerSecond : 20;
    return 1000 / rate / (playbackStatus().fast ? 4 : 1);
}

void waitForNextFrame() {
    if (loop.nextFrameTime == 0) return;
    const std::int32_t wait = ticksBetween(platformTicks(), loop.nextFrameTime);
    if (wait > 0) platformWaitEvent(wait);
}

void showStartupFailure() {
    if (game.errorText[0] != '\0') platformShowError(game.errorText);
    if (loop.windowOpen) platformDestroyWindow();
    loop.windowOpen = 0;
}

// The player's two volumes, in tenths, 100 % where the file holds anything else, told to the
// mixer (which keeps them for every slot, loaded or not, and across loading).
void applyStoredVolumes(const StoredSettings& stored) {
    const auto volume = [](std::uint32_t value) {
        return value <= 100 && value % 10 == 0 ? static_cast<std::int32_t>(value) : 100;
    };
    options.effectsVolume = volume(stored.effectsVolume);
    options.ambientVolume = volume(stored.ambientVolume);
    applyPlayerVolumes();
}

}  // namespace

void applySettings(const StoredSettings& stored) {
    if ((loop.modeOverride < 0 ? stored.windowedMode : static_cast<std::uint32_t>(loop.modeOverride)) == 0)
        switchDisplayMode();
    options.framesPerSecond = stored.gameSpeed == 15 || stored.gameSpeed == 25 ? stored.gameSpeed : 20;
    if (stored.noSound != 0) options.soundMuted = 1;
    const auto choice = [](std::uint32_t value, std::uint32_t highest, std::int32_t fallback) {
        return value <= highest ? static_cast<std::int32_t>(value) : fallback;
    };
    options.ghost = choice(stored.ghost, 2, 2);
    options.sharpFill = choice(stored.sharpFill, 1, 1);
    options.beanMarks = choice(stored.beanMarks, 1, 0);
    applyStoredVolumes(stored);
    applyStoredControls(stored.keys, stored.pads);
}

int initGame() {
    const StoredSettings stored = readSettings();
    loop.windowSize = {static_cast<std::int32_t>(stored.windowWidth),
                       static_cast<std::int32_t>(stored.windowHeight)};
    if (!openGameWindow()) return 0;
    game.frameTime = platformTicks();
    seedRandom(game.frameTime);
    loadAssetCatalogue();
    // --play: straight into the game with the scene read again after seeding (random beans).
    if (!loop.playFile.empty() && game.currentScreen != nullptr) {
        if (!loadSceneFile(loop.playFile.c_str())) return failStartup("Cannot read the scene file!");
        game.singleScene = true;
        prepareGameProgress();
        game.currentScreen = gameStartScreen;
    }
    applySettings(stored);
    loop.isActive = 1;
    clearKeyState();
    return 1;
}

int runGame() {
    if (initGame()) return runMessageLoop();
    showStartupFailure();
    return loop.playFile.empty() ? 0 : 1;  // the editor's test play learns it failed
}

int watchReplay(const Replay& replay) {
    loop.watching = true;
    // The viewer steers with the player's own keys: those of pause, Right and back.
    const StoredSettings stored = readSettings();
    applyStoredControls(stored.keys, stored.pads);
    const bool opened = openGameWindow();
    if (opened) loadSounds();    // a sound that fails, or no device, leaves the replay silent
    applyStoredVolumes(stored);  // heard as loud as the player set the game
    if (!opened || !loadAssetFiles()) {
        if (game.errorText[0] == '\0') raiseFatalError("Failed to initialize screen!");
        releaseSound();
        freeAssetImages();
        showStartupFailure();
        return 2;
    }
    loop.isActive = 1;
    startPlayback(replay);
    runMessageLoop();
    stopPlayback();
    return 0;
}

bool loopPass() {
    if (game.fatalError) {
        shutdownGame();
        return false;
    }
    platformHandleEvents();
    if (!loop.windowOpen) return false;
    if (loop.isActive) frameTick();
    return loop.windowOpen != 0;
}

int runMessageLoop() {
    while (loopPass()) {
        if (!loop.isActive) {
            platformWaitEvent(-1);
        } else if (!game.fatalError) {
            waitForNextFrame();
        }
    }
    return 0;
}

void switchDisplayMode() {
    // A fresh display starts black; the frames are put back so that a still screen (the pause,
    // a menu waiting for a key) shows its last picture again in the new mode.
    const std::vector<std::uint32_t> drawn(drawBuffer->pixels, drawBuffer->pixels + kFramePixels);
    const std::vector<std::uint32_t> shown(displayBuffer->pixels, displayBuffer->pixels + kFramePixels);
    platformReleaseDisplay();
    options.isWindowed = !options.isWindowed;
    platformPlaceWindow(loop.windowSize);
    if (!initDisplay()) {
        raiseFatalError("Failed to initialize screen!");
        shutdownGame();
        return;
    }
    std::copy(drawn.begin(), drawn.end(), drawBuffer->pixels);
    std::copy(shown.begin(), shown.end(), displayBuffer->pixels);
}

bool gameWindowOpen() {
    return loop.windowOpen != 0;
}

void frameTick() {
    const std::uint32_t now = platformTicks();
    tapClock(now);
    if (loop.nextFrameTime != 0 && ticksBetween(now, loop.nextFrameTime) > 0) return;
    loop.nextFrameTime = now + framePeriod();
    performGameAction();
    if (playbackStatus().ended && loop.watchingFromList) backToList();
    if (game.currentScreen == nullptr || playbackStatus().ended) {
        shutdownGame();
        return;
    }
    if (!tapFrameStart()) return;
    game.currentScreen();
    tapFrameEnd();
    if (loop.windowOpen) presentFrame();
}

void shutdownGame() {
    if (!loop.windowOpen) return;
    if (loop.watchingFromList) backToList();  // the player's settings and high score are stored
    finishReplayRecording();
    releaseSound();
    releaseInput();
    platformReleaseDisplay();
    if (!loop.watching) writeSettings();
    destroyGameWindow();
}

void loadAssetCatalogue() {
    writeVersionInfo();
    readHighScore(&world.hiScore);
    if (!loadAssetFiles()) return;
    loadSounds();
    game.currentScreen = logoScreen;
}

void releaseAssets() {
    freeAssetImages();
    if (!loop.watching) writeHighScore(world.hiScore);
    game.currentScreen = nullptr;
}

void resetGameState() {
    resetAssetCatalogue();
    resetWorld();
    resetGameRecord();
    loop = LoopState{};
    resetKeyboard();
    resetControls();
    resetGamepads();
    resetLight();
    resetMenus();
    resetControlsScreen();
    resetPlayScreens();
    resetSceneSelect();
    resetPond();
    clearRipples();
    resetSoundState();
    resetFrames();
    resetSettingsState();
    resetReplays();
    resetProgressState();
}

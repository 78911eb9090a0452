// The screens that carry one game: its start, the play frame, the pause, the lost life, the
// closing fade and the end picture. The play frame runs the world in one fixed order (keys,
// sound, day, worm, ripple, rain, ambience, drawing) because the world's random numbers and
// sounds depend on that order. During play the pause and abandon keys are tested on the held
// state first, so the queue stays with the worm's steering unless one of them is down.
#include "game/screens/play_screens.h"
#include "game/common/frames.h"

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/screens/progress.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/world/draw.h"
#include "game/world/ghost.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/font.h"
#include "render/pixels.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::int32_t kAmbientChoices = SoundAmbientLast - SoundAmbientFirst + 1;
static_assert(kAmbientChoices == 14);
constexpr std::int32_t kDaylight = 200;  // the surroundings are quiet at or below this light

// True when `key` is held and the oldest queued press is that key. Holding it takes one press
// out of the queue per frame, whatever that press is.
bool takeHeldPress(std::uint8_t key) {
    return keyHeld(key) && popKey() == key;
}

void stopEverySound() {
    for (int id = 0; id < kSoundSlots; ++id) {
        soundStop(id);
        soundRewind(id);
    }
}

// The looping play sound starts silent with every worm and swells in over the first frames.
void startLoopSound() {
    world.rainVolume = 0;
    playScreens.loopVolume = kLoopSilent;
    soundSetVolume(SoundLoop, kLoopSilent);
    soundPlay(SoundLoop, 1);
}

void chooseBackground() {
    const std::int32_t background = world.scene.background;
    if (background == 0) {
        assets.backgroundIndex = 0;
    } else if (background == 10) {
        assets.backgroundIndex = static_cast<std::uint32_t>(gameRand() % 9);
    } else {
        // Out-of-range values give an index loadBackground refuses and replaces with bg00; the
        // subtraction is unsigned, so even the lowest number a file can hold wraps, not overflows.
        assets.backgroundIndex = static_cast<std::uint32_t>(background) - 1u;
    }
    loadBackground();
}

// ---- the play frame, step by step ----

void abandonOnBackspace() {
    if (!takeHeldPress(kKeyBackspace)) return;
    world.quitToMenu = 1;
    world.sceneAccomplished = 1;
    world.endFade = 256;
    playSoundPanned(SoundAccomplished, soundPan(world.segX[0]));
    game.currentScreen = &sceneEndScreen;
}

void pauseOnSpace() {
    if (!takeHeldPress(kKeySpace)) return;
    playSoundFromStart(SoundStart);
    game.currentScreen = &pauseScreen;
}

void startOnFirstArrow() {
    if (world.started != 0) return;
    constexpr std::uint8_t arrows[] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    for (std::uint8_t dir = Up; dir <= Left; ++dir) {
        if (!keyHeld(arrows[dir])) continue;
        world.segDir[0] = dir;
        world.started = 1;
        return;
    }
}

void followWithLoopSound() {
    soundSetPan(SoundLoop, soundPan(world.segX[1]));
    if (playScreens.loopVolume < kLoopVolumeStop) {
        playScreens.loopVolume += kLoopVolumeStep;
        soundSetVolume(SoundLoop, playScreens.loopVolume);
    }
}

// A won scene or a death ends the play frame's stepping: the screen that follows it.
void actOnOutcome() {
    const WorldOutcome outcome = world.outcome;
    world.outcome = WorldOutcome::None;
    if (outcome == WorldOutcome::Won) game.currentScreen = &sceneEndScreen;
    if (outcome == WorldOutcome::Died)
        game.currentScreen = world.lives > 0 ? &lifeLostScreen : &sceneEndScreen;
}

void stepWorld() {
    if (world.started == 0) return;
    stepWorm();
    if (world.pendingGrowth > 0 && world.tailHold < 1) {
        world.pendingGrowth -= 1;
        growWorm();
    }
    if (world.scene.fallInterval != 0) dropRandomBean(gameRand() % 5);
    stepGhost();
}

// Steering stirs the water behind the head, even before the worm has set off.
void steeringRipple() {
    const std::uint8_t dir = world.segDir[0];
    const bool steering = (keyHeld(kKeyUp) && dir != Down) || (keyHeld(kKeyDown) && dir != Up) ||
                          (keyHeld(kKeyLeft) && dir != Right) || (keyHeld(kKeyRight) && dir != Left);
    if (steering) stampRipple(world.segX[1] + 4, world.segY[1] + 5, 2, gameRand() & 127);
}

// Now and then a frog, a bird or the wind, more often the longer the worm. The pan and volume
// are drawn only for a sound that will really play, so muting changes no random numbers
// beyond these two.
void ambientSound() {
    if (light.brightness <= kDaylight || world.rainTimer >= 1) return;
    if (gameRand() >= world.length * 16) return;
    const int id = SoundAmbientFirst + gameRand() % kAmbientChoices;
    if (!soundIsLoaded(id) || options.soundMuted != 0) return;
    soundSetPan(id, gameRand() % 4000 - 2000);
    soundSetVolume(id, -(gameRand() % 2000));
    soundPlay(id, 0);
}

// ---- the end picture ----

constexpr Colour kEndTextShadow = 0x00000000u;
constexpr Colour kEndTextCream = 0x00FFF4D0u;
constexpr Colour kEndTextGold = 0x00FFD54Au;

// Only a won scene of the list goes on to the next one, and only while a game is played, not
// watched: a replay knows nothing of the list it was played from.
bool goesOnWithEnter() {
    return world.sceneAccomplished != 0 && !game.singleScene && gameProgress.known &&
           !gameProgress.nextScene.empty();
}

// Five seconds of the picture at full light, unless a skip press or Backspace ends them sooner.
// The hold keeps its own running flag, so a clock that happens to read 0 cannot restart it.
void endPictureHold(std::uint8_t key) {
    PlayScreenState& p = playScreens;
    if (p.endPictureHolding == 0) {
        p.endPictureHolding = 1;
        p.endPictureStart = game.frameTime;
    }
    const bool leaves = isSkipPress(key) || (key == kKeyBackspace && !altKeyHeld());
    if (leaves || ticksBetween(p.endPictureStart, game.frameTime) > kEndPictureHoldMs) {
        gameProgress.goOn = isConfirmPress(key) && goesOnWithEnter();
        light.brightness = 256;
        p.endPicturePhase = 1;
    }
}

void endPictureLeave() {
    PlayScreenState& p = playScreens;
    p.endPictureStart = 0;
    p.endPictureHolding = 0;
    p.endPicturePhase = -1;
    if (game.singleScene) {
        game.currentScreen = nullptr;  // --play ends here
    } else {
        game.currentScreen = gameProgress.goOn ? &nextSceneScreen : &mainMenuScreen;
    }
    gameProgress.goOn = false;
}

// A line of the end picture, centred, dimmed with the picture by the fade.
void drawEndLine(std::int32_t y, const char* text, Colour colour) {
    const std::int32_t x = 200 - 3 * static_cast<std::int32_t>(std::strlen(text));
    const auto dim = [](Colour c) {
        const auto channel = [c](int shift) {
            return ((c >> shift & 0xFF) * static_cast<Colour>(light.brightness) >> 8) << shift;
        };
        return channel(16) | channel(8) | channel(0);
    };
    drawContext.drawColour = kEndTextShadow;
    drawText(x + 1, y + 1, text);
    drawContext.drawColour = dim(colour);
    drawText(x, y, text);
}

// The game's score under the picture's title, "NEW BEST" when it beat the scene's best game,
// and the way on after a won scene.
void drawEndPictureText() {
    char score[32];
    std::snprintf(score, sizeof score, "SCORE %u", world.score);
    drawEndLine(150, score, kEndTextCream);
    const bool won = world.sceneAccomplished != 0;
    if (gameProgress.known && beatsBest(world.score, won, &gameProgress.entry))
        drawEndLine(161, "NEW BEST!", kEndTextGold);
    if (goesOnWithEnter()) drawEndLine(287, "ENTER: NEXT SCENE   BACKSPACE: MENU", kEndTextCream);
}

}  // namespace

void gameStartScreen() {
    resetWorm(WormReset::NewGame);
    restartGhost();
    chooseBackground();
    clearRipples();
    clearKeys();
    startLoopSound();
    game.currentScreen = &playScreen;
}

void playScreen() {
    abandonOnBackspace();
    pauseOnSpace();
    startOnFirstArrow();
    followWithLoopSound();
    updateDayCycle();
    stepWorld();
    actOnOutcome();
    steeringRipple();
    updateRain();
    ambientSound();
    drawPlayfield();
}

void pauseScreen() {
    if (takeHeldPress(kKeySpace)) {
        playSoundFromStart(SoundStart);
        game.currentScreen = &playScreen;
    }
    // The last play frame stays under the text: only the words are drawn over it.
    FrameBuffer* const previousTarget = drawContext.target;
    drawContext.target = drawBuffer;
    drawContext.drawColour = 0x00000000u;
    drawText(167, 151, "GAME PAUSED");
    drawContext.drawColour = 0x00FFFFFFu;
    drawText(167, 150, "GAME PAUSED");
    drawContext.target = previousTarget;
}

void lifeLostScreen() {
    bool skipped = false;
    if ((keyHeld(kKeyEnter) || keyHeld(kKeyPadEnter)) && !altKeyHeld()) {
        const std::uint8_t key = popKey();
        skipped = key == kKeyEnter || key == kKeyPadEnter;
    }
    if (!skipped && world.endFade > 7) {
        world.endFade -= 8;
        updateDayCycle();
        updateRain();
        drawPlayfieldDying();
        return;
    }
    // The next worm: nothing is drawn, the dying frame stays on screen for this tick.
    resetWorm(WormReset::NewLife);
    clearRipples();
    clearKeys();
    stopEverySound();
    startLoopSound();
    game.currentScreen = &playScreen;
}

void sceneEndScreen() {
    const std::uint8_t key = takeKey();
    bool finished = true;
    if (isSkipPress(key)) {
        world.endFade = 0;
        if (light.brightness > 0) light.brightness = 0;
    } else if (world.endFade > 7) {
        if (world.endFade < light.brightness) light.brightness = world.endFade;
        world.endFade -= 8;
        finished = false;
    }
    if (finished) {
        stopEverySound();
        light.brightness = 0;
        world.rainTimer = 0;
        game.currentScreen = world.quitToMenu == 0 ? &endPictureScreen
                             : game.singleScene    ? nullptr
                                                   : &mainMenuScreen;
    }
    updateDayCycle();
    updateRain();
    if (world.sceneAccomplished == 0) {
        drawPlayfieldDying();
    } else {
        drawPlayfield();
    }
    resetClipRect();
}

void endPictureScreen() {
    const std::uint8_t key = takeKey();
    if (playScreens.endPicturePhase == -1) {
        stepFadeIn(playScreens.endPicturePhase, key);
    } else if (playScreens.endPicturePhase == 0) {
        endPictureHold(key);
    } else if (stepFadeOut(key)) {
        endPictureLeave();
    }
    drawPicture(world.sceneAccomplished != 0 ? assets.accomplished : assets.gameOver);
    drawEndPictureText();
}

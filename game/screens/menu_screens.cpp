// The main menu, hub of the game, and the options screen. Both light their selected entry by
// drawing the lit picture inside its rectangle, move with the arrows (the select sound) and confirm
// with Enter only (the start sound in the main menu and into the Controls screen); the options
// change the settings in memory at once and the shell stores them at exit.
#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/common/sound.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"
#include "render/blit.h"

namespace {

// Fade-out phases of the main menu and where each leads.
constexpr std::int32_t kMenuToScenes = 1;
constexpr std::int32_t kMenuToOptions = 2;
constexpr std::int32_t kMenuToQuit = 4;
constexpr std::int32_t kMenuToHelp = 5;
// And of the options.
constexpr std::int32_t kOptionsToMenu = 1;
constexpr std::int32_t kOptionsToControls = 2;

void chooseMenuItem() {
    playSoundFromStart(SoundStart);
    switch (menus.menuItem) {
        case 0:
            light.brightness = 256;
            menus.menuPhase = kMenuToScenes;
            break;
        case 1:
            light.brightness = 256;
            menus.menuPhase = kMenuToOptions;
            break;
        case 2:
            // The editor runs beside the game; the menu waits on this item until the player
            // comes back.
            platformMinimiseWindow();
            platformStartEditor();
            break;
        case 3: menus.menuPhase = kMenuToQuit; break;
        default:
            light.brightness = 256;
            menus.menuPhase = kMenuToHelp;
            break;
    }
}

void menuWaiting(std::uint8_t key) {
    if (key == kKeyUp || key == kKeyLeft) {
        playSoundFromStart(SoundSelect);
        menus.menuItem = menus.menuItem == 0 ? kMenuItems - 1 : menus.menuItem - 1;
    } else if (key == kKeyDown || key == kKeyRight) {
        playSoundFromStart(SoundSelect);
        menus.menuItem = menus.menuItem == kMenuItems - 1 ? 0 : menus.menuItem + 1;
    } else if (isConfirmPress(key)) {
        chooseMenuItem();
    }
}

void menuFadedOut() {
    const std::int32_t leaving = menus.menuPhase;
    menus.menuPhase = -1;
    if (leaving == kMenuToScenes) {
        menus.menuItem = 0;
        game.currentScreen = sceneSelectScreen;
    } else if (leaving == kMenuToOptions) {
        game.currentScreen = optionsScreen;
    } else if (leaving == kMenuToQuit) {
        game.currentScreen = nullptr;
    } else {
        game.currentScreen = helpScreen;
    }
}

std::uint32_t fasterSpeed(std::uint32_t fps) {
    return fps == 15 ? 20 : fps == 20 ? 25 : 15;
}
std::uint32_t slowerSpeed(std::uint32_t fps) {
    return fps == 15 ? 25 : fps == 20 ? 15 : 20;
}

// Left and Right change the setting of the row (no sound); the last two rows have none.
void changeOption(bool right) {
    switch (menus.optionsRow) {
        case 0:
            game.action = GameAction::SwitchDisplay;  // the loop switches before the next frame
            break;
        case 1:
            options.framesPerSecond =
                right ? fasterSpeed(options.framesPerSecond) : slowerSpeed(options.framesPerSecond);
            break;
        case 2: options.soundMuted = !options.soundMuted; break;
        default: break;
    }
}

void optionsWaiting(std::uint8_t key) {
    if (key == kKeyUp) {
        playSoundFromStart(SoundSelect);
        menus.optionsRow = menus.optionsRow == 0 ? kOptionsRows - 1 : menus.optionsRow - 1;
    } else if (key == kKeyDown) {
        playSoundFromStart(SoundSelect);
        menus.optionsRow = menus.optionsRow == kOptionsRows - 1 ? 0 : menus.optionsRow + 1;
    } else if (key == kKeyLeft || key == kKeyRight) {
        changeOption(key == kKeyRight);
    } else if (isConfirmPress(key) && menus.optionsRow == kOptionsRows - 1) {
        light.brightness = 256;
        menus.optionsPhase = kOptionsToMenu;
    } else if (isConfirmPress(key) && menus.optionsRow == kOptionsControlsRow) {
        playSoundFromStart(SoundStart);
        light.brightness = 256;
        menus.optionsPhase = kOptionsToControls;
    }
}

OptionMark speedMark() {
    if (options.framesPerSecond == 15) return kOptionMarks.slow;
    if (options.framesPerSecond == 25) return kOptionMarks.fast;
    return kOptionMarks.normal;
}

void drawOptionMarks() {
    const OptionMark display = options.isWindowed ? kOptionMarks.window : kOptionMarks.fullScreen;
    const OptionMark sound = options.soundMuted ? kOptionMarks.soundOff : kOptionMarks.soundOn;
    const OptionMark speed = speedMark();
    blitKeyedDim(display.x, display.y, assets.marker, light.brightness);
    blitKeyedDim(speed.x, speed.y, assets.marker, light.brightness);
    blitKeyedDim(sound.x, sound.y, assets.marker, light.brightness);
}

}  // namespace

void mainMenuScreen() {
    const std::uint8_t key = takeKey();
    if (menus.menuPhase == -1) {
        stepFadeIn(menus.menuPhase, key);
    } else if (menus.menuPhase == 0) {
        menuWaiting(key);
    } else if (stepFadeOut(key)) {
        menuFadedOut();
    }
    const MenuRect& lit = kMenuRects[static_cast<std::size_t>(menus.menuItem)];
    drawPicture(assets.mainMenu);
    drawLitRect(assets.mainMenuLit, lit.x0, lit.y0, lit.x1, lit.y1);
}

void optionsScreen() {
    const std::uint8_t key = takeKey();
    if (menus.optionsPhase == -1) {
        if (stepFadeIn(menus.optionsPhase, key)) menus.optionsRow = kOptionsRows - 1;
    } else if (menus.optionsPhase == 0) {
        optionsWaiting(key);
    } else if (stepFadeOut(key)) {
        game.currentScreen = menus.optionsPhase == kOptionsToControls ? controlsScreen : mainMenuScreen;
        menus.optionsPhase = -1;
    }
    const MenuRect& lit = kOptionsRects[static_cast<std::size_t>(menus.optionsRow)];
    drawPicture(assets.options);
    drawLitRect(assets.optionsLit, lit.x0, lit.y0, lit.x1, lit.y1);
    drawOptionMarks();
}

// The main menu, hub of the game, and the two options screens. All light their selected entry
// by drawing the lit picture inside its rectangle, move with the arrows (the select sound) and
// confirm with Enter only (the start sound in the main menu and into the Controls screen); the
// options change the settings in memory at once and the shell stores them at exit. The second
// options screen holds what only changes how the game looks and sounds; it writes its values at
// run time over its picture.
#include <cstdio>

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/common/sound.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"
#include "render/blit.h"
#include "render/font.h"

namespace {

// Fade-out phases of the main menu and where each leads.
constexpr std::int32_t kMenuToScenes = 1;
constexpr std::int32_t kMenuToOptions = 2;
constexpr std::int32_t kMenuToQuit = 4;
constexpr std::int32_t kMenuToHelp = 5;
// The options' fade-out into the Controls screen (1: the main menu, 2: the more options).
constexpr std::int32_t kOptionsToControls = 3;

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

// Left and Right change the setting of the row (no sound), or go between the two plaques side by
// side, "More options" and "Controls"; Back has none.
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
        case kOptionsMoreRow:
        case kOptionsControlsRow:
            playSoundFromStart(SoundSelect);
            menus.optionsRow = menus.optionsRow == kOptionsMoreRow ? kOptionsControlsRow : kOptionsMoreRow;
            break;
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
    } else if (isConfirmPress(key) &&
               (menus.optionsRow == kOptionsRows - 1 || menus.optionsRow == kOptionsMoreRow)) {
        light.brightness = 256;
        menus.optionsPhase = menus.optionsRow == kOptionsMoreRow ? 2 : 1;
    } else if (isConfirmPress(key) && menus.optionsRow == kOptionsControlsRow) {
        playSoundFromStart(SoundStart);
        light.brightness = 256;
        menus.optionsPhase = kOptionsToControls;
    }
}

std::int32_t stepVolume(std::int32_t volume, bool up) {
    return up ? std::min(volume + 10, 100) : std::max(volume - 10, 0);
}

// Left and Right step the row's value; volumes stop at 0 and 100 %, the switches go round.
void changeMoreOption(bool right) {
    switch (menus.moreOptionsRow) {
        case 0: options.sharpFill = !options.sharpFill; break;
        case 1: options.effectsVolume = stepVolume(options.effectsVolume, right); break;
        case 2: options.ambientVolume = stepVolume(options.ambientVolume, right); break;
        case 3: options.beanMarks = !options.beanMarks; break;
        case 4: options.ghost = (options.ghost + (right ? 2 : 1)) % 3; break;
        default: return;
    }
    if (menus.moreOptionsRow == 1 || menus.moreOptionsRow == 2) {
        applyPlayerVolumes();
        playSoundFromStart(SoundSelect);  // heard at the new volume
    }
}

void moreOptionsWaiting(std::uint8_t key) {
    if (key == kKeyUp || key == kKeyDown) {
        playSoundFromStart(SoundSelect);
        const std::int32_t step = key == kKeyUp ? kMoreOptionsRows - 1 : 1;
        menus.moreOptionsRow = (menus.moreOptionsRow + step) % kMoreOptionsRows;
    } else if (key == kKeyLeft || key == kKeyRight) {
        changeMoreOption(key == kKeyRight);
    } else if (isConfirmPress(key) && menus.moreOptionsRow == kMoreOptionsRows - 1) {
        light.brightness = 256;
        menus.moreOptionsPhase = 1;
    }
}

// Each value in the font, shadowed, dimmed with the picture during the fades.
void drawMoreOptionValues() {
    static constexpr const char* kGhost[] = {"NEVER", "ALWAYS", "WON SCENES"};
    char effects[8], ambient[8];
    std::snprintf(effects, sizeof effects, "%d%%", options.effectsVolume);
    std::snprintf(ambient, sizeof ambient, "%d%%", options.ambientVolume);
    const char* const values[] = {options.sharpFill ? "SHARP FILL" : "WHOLE FACTORS", effects, ambient,
                                  options.beanMarks ? "ON" : "OFF", kGhost[options.ghost % 3]};
    const std::uint32_t level = static_cast<std::uint32_t>(light.brightness);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const MenuRect& row = kMoreOptionsRects[i];
        const std::int32_t y = (row.y0 + row.y1) / 2 - 3;
        drawContext.drawColour = 0;
        drawText(kMoreValueX + 1, y + 1, values[i]);
        const std::uint32_t c = 0xF0E6C8u;
        drawContext.drawColour = ((c >> 16 & 0xFF) * level >> 8) << 16 | ((c >> 8 & 0xFF) * level >> 8) << 8 |
                                 ((c & 0xFF) * level >> 8);
        drawText(kMoreValueX, y, values[i]);
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
        if (stepFadeIn(menus.optionsPhase, key)) menus.optionsRow = menus.optionsOpenRow;
    } else if (menus.optionsPhase == 0) {
        optionsWaiting(key);
    } else if (stepFadeOut(key)) {
        game.currentScreen = menus.optionsPhase == 2                    ? moreOptionsScreen
                             : menus.optionsPhase == kOptionsToControls ? controlsScreen
                                                                        : mainMenuScreen;
        menus.optionsPhase = -1;
        menus.optionsOpenRow = kOptionsRows - 1;
    }
    const MenuRect& lit = kOptionsRects[static_cast<std::size_t>(menus.optionsRow)];
    drawPicture(assets.options);
    drawLitRect(assets.optionsLit, lit.x0, lit.y0, lit.x1, lit.y1);
    drawOptionMarks();
}

void moreOptionsScreen() {
    const std::uint8_t key = takeKey();
    if (menus.moreOptionsPhase == -1) {
        if (stepFadeIn(menus.moreOptionsPhase, key)) menus.moreOptionsRow = kMoreOptionsRows - 1;
    } else if (menus.moreOptionsPhase == 0) {
        moreOptionsWaiting(key);
    } else if (stepFadeOut(key)) {
        menus.moreOptionsPhase = -1;
        menus.optionsOpenRow = kOptionsMoreRow;
        game.currentScreen = optionsScreen;
    }
    const MenuRect& lit = kMoreOptionsRects[static_cast<std::size_t>(menus.moreOptionsRow)];
    drawPicture(assets.moreOptions);
    drawLitRect(assets.moreOptionsLit, lit.x0, lit.y0, lit.x1, lit.y1);
    drawMoreOptionValues();
}

// The Controls screen, reached from the options: the player's actions with their keys and
// gamepad buttons, and DEFAULTS. Enter on an action waits for the next key or button, which the
// window binds to it (game/shell/window.cpp, gamepad.cpp) before it could reach the key queue;
// Enter on DEFAULTS puts back the keys of a first start. Backspace or Escape goes back to the
// options. The screen moves with the player's own keys, so a binding shows at once where it
// works. The text is drawn over the picture at the fade's light, as dim as the picture.
#include "game/screens/controls_screen.h"

#include "game/common/assets.h"
#include "game/common/bindings.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/common/sound.h"
#include "game/screens/menu_layout.h"
#include "game/screens/menus.h"
#include "game/screens/screens.h"
#include "render/blit.h"
#include "render/font.h"
#include "render/pixels.h"

namespace {

constexpr std::int32_t kDefaultsRow = kControlsRows - 1;
static_assert(kDefaultsRow == kControlActions);

constexpr Colour kText = 0x003E2A1Au;    // the picture's dark bark
constexpr Colour kBand = 0x00F4B43Eu;    // amber under the selected row
constexpr Colour kPrompt = 0x00A0201Au;  // the row waiting for a key

Colour dimmed(Colour colour) {
    const auto level = static_cast<std::uint32_t>(light.brightness);
    const std::uint32_t red = ((colour >> 16) & 0xFF) * level >> 8,
                        green = ((colour >> 8) & 0xFF) * level >> 8, blue = (colour & 0xFF) * level >> 8;
    return red << 16 | green << 8 | blue;
}

void moveRow(int by) {
    playSoundFromStart(SoundSelect);
    controlsMenu.row = (controlsMenu.row + by + kControlsRows) % kControlsRows;
}

void controlsWaiting(std::uint8_t key) {
    if (controls.capture != kNoCapture) return;  // the window binds the next key or button
    if (key == kKeyUp) {
        moveRow(-1);
    } else if (key == kKeyDown) {
        moveRow(1);
    } else if (isConfirmPress(key)) {
        playSoundFromStart(SoundStart);
        if (controlsMenu.row == kDefaultsRow) {
            restoreDefaultControls();
        } else {
            controls.capture = static_cast<std::uint8_t>(controlsMenu.row);
        }
    } else if ((key == kKeyBackspace && !altKeyHeld()) || key == kKeyEscape) {
        light.brightness = 256;
        controlsMenu.phase = 1;
    }
}

// Full screen is Alt with its key.
void drawKey(std::int32_t x, std::int32_t y, int action) {
    if (action == ControlFullScreen) {
        drawText(x, y, "ALT+");
        x += 4 * 6;
    }
    const char* name = keyName(controls.keys[static_cast<std::size_t>(action)]);
    drawText(x, y, name != nullptr ? name : "?");
}

void drawRow(int row) {
    const ControlsLayout& l = kControlsLayout;
    const std::int32_t y = l.firstRowY + row * l.rowHeight;
    const bool selected = row == controlsMenu.row;
    if (selected) {
        drawContext.drawColour = dimmed(kBand);
        fillRect(l.left, y - 4, l.right, y + 10);
    }
    drawContext.drawColour = dimmed(kText);
    if (row == kDefaultsRow) {
        drawText(l.nameX, y, "DEFAULTS");
        return;
    }
    drawText(l.nameX, y, kControls[static_cast<std::size_t>(row)].label);
    if (selected && controls.capture != kNoCapture) {
        drawContext.drawColour = dimmed(kPrompt);
        drawText(l.keyX, y, "PRESS A KEY");
        drawText(l.padX, y, "OR A BUTTON");
        return;
    }
    drawKey(l.keyX, y, row);
    drawText(l.padX, y, padButtonName(controls.pads[static_cast<std::size_t>(row)]));
}

}  // namespace

void controlsScreen() {
    const std::uint8_t key = takeKey();
    if (controlsMenu.phase == -1) {
        if (stepFadeIn(controlsMenu.phase, key)) controlsMenu.row = 0;
    } else if (controlsMenu.phase == 0) {
        controlsWaiting(key);
    } else if (stepFadeOut(key)) {
        controlsMenu.phase = -1;
        menus.optionsOpenRow = kOptionsControlsRow;
        game.currentScreen = optionsScreen;
    }
    drawPicture(assets.controls);
    for (int row = 0; row < kControlsRows; ++row) drawRow(row);
}

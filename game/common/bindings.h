// The player's controls: which key of the keyboard and which button of a gamepad performs each
// of the game's actions. The rules never see them: a key or a button is turned into the game's
// own scan code where it comes in (the window's key events, the pad's buttons), so the screens,
// the world and every replay see the same codes whatever the player chose. Pure code over one
// record, so the tests reach every rule of it without a window.
#pragma once

#include <array>
#include <cstdint>

#include "game/common/keys.h"

enum ControlAction : std::uint8_t {
    ControlUp,
    ControlDown,
    ControlLeft,
    ControlRight,
    ControlPause,
    ControlBack,
    ControlConfirm,
    ControlPanel,
    ControlFullScreen,
};
inline constexpr int kControlActions = 9;
// The actions whose keys must differ from each other. Full screen is Alt with its key, a chord
// of its own, so its key may be any other action's as well (Enter, by default).
inline constexpr int kPlainActions = 8;

// Gamepad buttons in the game's own numbering; 0 is no button.
enum PadButton : std::uint8_t {
    PadNone,
    PadA,
    PadB,
    PadX,
    PadY,
    PadBackButton,
    PadGuide,
    PadStart,
    PadLeftStick,
    PadRightStick,
    PadLeftShoulder,
    PadRightShoulder,
    PadDpadUp,
    PadDpadDown,
    PadDpadLeft,
    PadDpadRight,
};
inline constexpr int kPadButtons = 16;  // PadNone included

struct ControlInfo {
    const char* label;     // on the Controls screen
    const char* keyValue;  // the settings file's value names
    const char* padValue;
    std::uint8_t gameKey;  // what the rules read; 0 for full screen, which the window performs
    std::uint8_t defaultKey;
    std::uint8_t defaultPad;
};
inline constexpr std::array<ControlInfo, kControlActions> kControls{{
    {"UP", "KeyUp", "PadUp", kKeyUp, kKeyUp, PadDpadUp},
    {"DOWN", "KeyDown", "PadDown", kKeyDown, kKeyDown, PadDpadDown},
    {"LEFT", "KeyLeft", "PadLeft", kKeyLeft, kKeyLeft, PadDpadLeft},
    {"RIGHT", "KeyRight", "PadRight", kKeyRight, kKeyRight, PadDpadRight},
    {"PAUSE", "KeyPause", "PadPause", kKeySpace, kKeySpace, PadStart},
    {"BACK", "KeyBack", "PadBack", kKeyBackspace, kKeyBackspace, PadB},
    {"CONFIRM", "KeyConfirm", "PadConfirm", kKeyEnter, kKeyEnter, PadA},
    {"SCORE PANEL", "KeyPanel", "PadPanel", kKeyTab, kKeyTab, PadNone},
    {"FULL SCREEN", "KeyFullScreen", "PadFullScreen", 0, kKeyEnter, PadNone},
}};

inline constexpr std::uint8_t kNoCapture = 0xFF;

// The defaults of kControls, in its order, as bindings or as the settings file's numbers.
template <typename T = std::uint8_t>
constexpr std::array<T, kControlActions> defaultKeys() {
    std::array<T, kControlActions> keys{};
    for (std::size_t a = 0; a < keys.size(); ++a) keys[a] = kControls[a].defaultKey;
    return keys;
}
template <typename T = std::uint8_t>
constexpr std::array<T, kControlActions> defaultPads() {
    std::array<T, kControlActions> pads{};
    for (std::size_t a = 0; a < pads.size(); ++a) pads[a] = kControls[a].defaultPad;
    return pads;
}

struct ControlsState {
    std::array<std::uint8_t, kControlActions> keys = defaultKeys();
    std::array<std::uint8_t, kControlActions> pads = defaultPads();
    // The action waiting for the next key or button to bind (the Controls screen), or kNoCapture.
    std::uint8_t capture = kNoCapture;
    // What each key's press was sent as while the key is down: 0x100 | the game's code, so its
    // release matches its press even when the bindings changed meanwhile; 0x200 when the
    // Controls screen took the press to bind the key.
    std::array<std::uint16_t, 256> keySentAs{};
};
inline ControlsState controls{};
inline void resetControls() {
    controls = ControlsState{};
}
void restoreDefaultControls();  // every key and button as at a first start; a capture ends

// The key's name on the Controls screen ("UP", "F5", "KP 7"); nullptr for a code the game does
// not know. A button's name; "-" for no button.
const char* keyName(std::uint8_t key);
const char* padButtonName(std::uint8_t button);
// Escape quits, F1 opens the help and Alt makes the full-screen chord: these are never bound.
bool bindableKey(std::uint32_t key);

// Binds the key or button to the action; an action that held it takes the action's old one in
// exchange, so no action is left without a key. False (nothing changes) for a key that cannot
// be bound.
bool bindKey(ControlAction action, std::uint32_t key);
bool bindPadButton(ControlAction action, std::uint32_t button);

// The bindings from the settings file's numbers (the defaults stand in for missing values). A
// damaged value, one out of range or one that another action holds too, means that action's
// default; should that default be taken by another action already, every binding goes back to
// its default.
void applyStoredControls(const std::array<std::uint32_t, kControlActions>& keys,
                         const std::array<std::uint32_t, kControlActions>& pads);

// What a key of the keyboard is to the game: the game's code of the action bound to it; 0 for
// a key whose own code belongs to an action that now has another key (it does nothing); any
// other key as itself.
std::uint8_t gameKeyOf(std::uint8_t key);
// The game's code of the action a button is bound to; Y, unbound, is the R key (the scene
// list's best game); 0 for every other button.
std::uint8_t gameKeyOfPad(std::uint8_t button);
// A key went down or up: the game's code to send, 0 for none. The release sends what the press
// sent; a key whose press was bound on the Controls screen sends nothing at all.
std::uint8_t keyDownAs(std::uint8_t key);
std::uint8_t keyUpAs(std::uint8_t key);
void swallowKey(std::uint8_t key);            // its press was taken to bind it
bool takeSwallowedRelease(std::uint8_t key);  // the release of such a key: true once
// Alt with this key (released) asks for the other display mode.
bool isFullScreenKey(std::uint8_t key);

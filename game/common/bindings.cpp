// The bindings of keys and buttons to the game's actions, their exchange when one is taken, the
// repair of damaged stored values, and the turning of a key or a button into the game's code.
#include "game/common/bindings.h"

#include <utility>

namespace {

struct KeyName {
    std::uint8_t key;
    const char* name;
};

// Every key the platform reports, by the game's scan code. The names fit the Controls screen's
// key column (11 characters).
// clang-format off
constexpr KeyName kKeyNames[] = {
    {0x01, "ESCAPE"}, {0x02, "1"}, {0x03, "2"}, {0x04, "3"}, {0x05, "4"}, {0x06, "5"}, {0x07, "6"},
    {0x08, "7"}, {0x09, "8"}, {0x0A, "9"}, {0x0B, "0"}, {0x0C, "-"}, {0x0D, "="}, {0x0E, "BACKSPACE"},
    {0x0F, "TAB"}, {0x10, "Q"}, {0x11, "W"}, {0x12, "E"}, {0x13, "R"}, {0x14, "T"}, {0x15, "Y"},
    {0x16, "U"}, {0x17, "I"}, {0x18, "O"}, {0x19, "P"}, {0x1A, "["}, {0x1B, "]"}, {0x1C, "ENTER"},
    {0x1D, "LEFT CTRL"}, {0x1E, "A"}, {0x1F, "S"}, {0x20, "D"}, {0x21, "F"}, {0x22, "G"}, {0x23, "H"},
    {0x24, "J"}, {0x25, "K"}, {0x26, "L"}, {0x27, ";"}, {0x28, "'"}, {0x29, "`"}, {0x2A, "LEFT SHIFT"},
    {0x2B, "\\"}, {0x2C, "Z"}, {0x2D, "X"}, {0x2E, "C"}, {0x2F, "V"}, {0x30, "B"}, {0x31, "N"},
    {0x32, "M"}, {0x33, ","}, {0x34, "."}, {0x35, "/"}, {0x36, "RIGHT SHIFT"}, {0x37, "KP *"},
    {0x38, "LEFT ALT"}, {0x39, "SPACE"}, {0x3A, "CAPS LOCK"}, {0x3B, "F1"}, {0x3C, "F2"}, {0x3D, "F3"},
    {0x3E, "F4"}, {0x3F, "F5"}, {0x40, "F6"}, {0x41, "F7"}, {0x42, "F8"}, {0x43, "F9"}, {0x44, "F10"},
    {0x45, "NUM LOCK"}, {0x46, "SCROLL LOCK"}, {0x47, "KP 7"}, {0x48, "KP 8"}, {0x49, "KP 9"},
    {0x4A, "KP -"}, {0x4B, "KP 4"}, {0x4C, "KP 5"}, {0x4D, "KP 6"}, {0x4E, "KP +"}, {0x4F, "KP 1"},
    {0x50, "KP 2"}, {0x51, "KP 3"}, {0x52, "KP 0"}, {0x53, "KP ."}, {0x56, "102ND"}, {0x57, "F11"},
    {0x58, "F12"}, {0x9C, "KP ENTER"}, {0x9D, "RIGHT CTRL"}, {0xB5, "KP /"}, {0xB7, "PRINT"},
    {0xB8, "RIGHT ALT"}, {0xC5, "BREAK"}, {0xC7, "HOME"}, {0xC8, "UP"}, {0xC9, "PAGE UP"},
    {0xCB, "LEFT"}, {0xCD, "RIGHT"}, {0xCF, "END"}, {0xD0, "DOWN"}, {0xD1, "PAGE DOWN"},
    {0xD2, "INSERT"}, {0xD3, "DELETE"}, {0xDB, "LEFT SUPER"}, {0xDC, "RIGHT SUPER"}, {0xDD, "MENU"},
};
// clang-format on

constexpr const char* kPadNames[kPadButtons] = {"-",     "A",      "B",       "X",       "Y",  "BACK",
                                                "GUIDE", "START",  "L STICK", "R STICK", "LB", "RB",
                                                "D-UP",  "D-DOWN", "D-LEFT",  "D-RIGHT"};

constexpr std::uint16_t kKeySent = 0x100;
constexpr std::uint16_t kKeySwallowed = 0x200;

bool plainAction(int action) {
    return action < kPlainActions;
}

// The action of the plain ones holding the key, or -1.
int actionOfKey(std::uint32_t key) {
    for (int a = 0; a < kPlainActions; ++a)
        if (controls.keys[static_cast<std::size_t>(a)] == key) return a;
    return -1;
}

int actionOfPad(std::uint32_t button) {
    for (int a = 0; a < kControlActions; ++a)
        if (button != PadNone && controls.pads[static_cast<std::size_t>(a)] == button) return a;
    return -1;
}

using Stored = std::array<std::uint32_t, kControlActions>;

bool padInRange(std::uint32_t button) {
    return button < kPadButtons;
}

// Whether another of the first `count` values equals value i; "no button" may repeat.
bool sharedValue(const Stored& values, int count, int i, bool noneFree) {
    const std::uint32_t value = values[static_cast<std::size_t>(i)];
    if (noneFree && value == PadNone) return false;
    for (int j = 0; j < count; ++j)
        if (j != i && values[static_cast<std::size_t>(j)] == value) return true;
    return false;
}

// Each value out of range or shared takes its default. False when two actions still share one
// (a default was another action's choice): the caller keeps every default then.
bool repair(Stored& values, int count, bool noneFree, bool (*valid)(std::uint32_t), const Stored& defaults) {
    Stored repaired = values;
    for (int i = 0; i < count; ++i) {
        const auto a = static_cast<std::size_t>(i);
        if (!valid(values[a]) || sharedValue(values, count, i, noneFree)) repaired[a] = defaults[a];
    }
    for (int i = 0; i < count; ++i)
        if (sharedValue(repaired, count, i, noneFree)) return false;
    values = repaired;
    return true;
}

}  // namespace

void restoreDefaultControls() {
    const std::array<std::uint16_t, 256> sent = controls.keySentAs;
    controls = ControlsState{};
    controls.keySentAs = sent;  // keys still down keep what their press sent
}

const char* keyName(std::uint8_t key) {
    for (const KeyName& entry : kKeyNames)
        if (entry.key == key) return entry.name;
    return nullptr;
}

const char* padButtonName(std::uint8_t button) {
    return button < kPadButtons ? kPadNames[button] : nullptr;
}

bool bindableKey(std::uint32_t key) {
    if (key > 0xFF || keyName(static_cast<std::uint8_t>(key)) == nullptr) return false;
    return key != kKeyEscape && key != kKeyF1 && key != kKeyLeftAlt && key != kKeyRightAlt;
}

bool bindKey(ControlAction action, std::uint32_t key) {
    if (!bindableKey(key)) return false;
    auto& keys = controls.keys;
    const int holder = plainAction(action) ? actionOfKey(key) : -1;
    if (holder >= 0) keys[static_cast<std::size_t>(holder)] = keys[action];
    keys[action] = static_cast<std::uint8_t>(key);
    return true;
}

bool bindPadButton(ControlAction action, std::uint32_t button) {
    if (button == PadNone || button >= kPadButtons) return false;
    auto& pads = controls.pads;
    const int holder = actionOfPad(button);
    if (holder >= 0) pads[static_cast<std::size_t>(holder)] = pads[action];
    pads[action] = static_cast<std::uint8_t>(button);
    return true;
}

void applyStoredControls(const std::array<std::uint32_t, kControlActions>& keys,
                         const std::array<std::uint32_t, kControlActions>& pads) {
    restoreDefaultControls();
    Stored plain = keys, buttons = pads;
    if (repair(plain, kPlainActions, false, bindableKey, defaultKeys<std::uint32_t>()))
        for (int a = 0; a < kPlainActions; ++a)
            controls.keys[static_cast<std::size_t>(a)] =
                static_cast<std::uint8_t>(plain[static_cast<std::size_t>(a)]);
    if (bindableKey(keys[ControlFullScreen]))
        controls.keys[ControlFullScreen] = static_cast<std::uint8_t>(keys[ControlFullScreen]);
    if (repair(buttons, kControlActions, true, padInRange, defaultPads<std::uint32_t>()))
        for (std::size_t a = 0; a < buttons.size(); ++a)
            controls.pads[a] = static_cast<std::uint8_t>(buttons[a]);
}

std::uint8_t gameKeyOf(std::uint8_t key) {
    const int action = actionOfKey(key);
    if (action >= 0) return kControls[static_cast<std::size_t>(action)].gameKey;
    for (int a = 0; a < kPlainActions; ++a)
        if (kControls[static_cast<std::size_t>(a)].gameKey == key) return 0;
    return key;
}

std::uint8_t gameKeyOfPad(std::uint8_t button) {
    const int action = actionOfPad(button);
    if (action >= 0) return kControls[static_cast<std::size_t>(action)].gameKey;
    return button == PadY ? kKeyR : 0;
}

std::uint8_t keyDownAs(std::uint8_t key) {
    const std::uint8_t code = gameKeyOf(key);
    controls.keySentAs[key] = static_cast<std::uint16_t>(kKeySent | code);
    return code;
}

std::uint8_t keyUpAs(std::uint8_t key) {
    const std::uint16_t sent = std::exchange(controls.keySentAs[key], 0);
    if (sent == kKeySwallowed) return 0;
    return (sent & kKeySent) != 0 ? static_cast<std::uint8_t>(sent) : gameKeyOf(key);
}

void swallowKey(std::uint8_t key) {
    controls.keySentAs[key] = kKeySwallowed;
}

bool takeSwallowedRelease(std::uint8_t key) {
    if (controls.keySentAs[key] != kKeySwallowed) return false;
    controls.keySentAs[key] = 0;
    return true;
}

bool isFullScreenKey(std::uint8_t key) {
    const std::uint8_t bound = controls.keys[ControlFullScreen];
    return key == bound || (bound == kKeyEnter && key == kKeyPadEnter);
}

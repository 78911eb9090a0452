// SDL2's events turned into the game window's behaviour: key events (auto-repeats are not
// presses) translated to PC set-1 scan codes through one table, with extended keys at
// 0x80 + code; game controllers (plugged in before or during play) handed to the pad keys,
// their buttons by the game's own numbers (the player's bindings turn keys and buttons into
// the game's keys); focus, exposure, closing, a reset render device, and the single-instance
// request to come to the front.
#include <array>
#include <ctime>

#include "game/common/bindings.h"
#include "game/common/platform.h"
#include "game/platform/sdl/sdl_state.h"
#include "game/shell/gamepad.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"

namespace {

struct KeyCode {
    SDL_Scancode key;
    std::uint8_t scanCode;
};

// Letters, digits, the function keys and every key the game reads.
// clang-format off
constexpr KeyCode kKeyCodes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03}, {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06}, {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09}, {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12}, {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15}, {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18}, {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E}, {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24}, {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27}, {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_Z, 0x2C}, {SDL_SCANCODE_X, 0x2D}, {SDL_SCANCODE_C, 0x2E}, {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30}, {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32}, {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35}, {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38}, {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F2, 0x3C}, {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F}, {SDL_SCANCODE_F6, 0x40}, {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42}, {SDL_SCANCODE_F9, 0x43}, {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46}, {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48}, {SDL_SCANCODE_KP_9, 0x49}, {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B}, {SDL_SCANCODE_KP_5, 0x4C}, {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E}, {SDL_SCANCODE_KP_1, 0x4F}, {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51}, {SDL_SCANCODE_KP_0, 0x52}, {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_F11, 0x57}, {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_RCTRL, 0x9D}, {SDL_SCANCODE_KP_DIVIDE, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, 0xB7}, {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_HOME, 0xC7}, {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9},
    {SDL_SCANCODE_LEFT, 0xCB}, {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF},
    {SDL_SCANCODE_DOWN, 0xD0}, {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2},
    {SDL_SCANCODE_DELETE, 0xD3}, {SDL_SCANCODE_LGUI, 0xDB}, {SDL_SCANCODE_RGUI, 0xDC},
    {SDL_SCANCODE_APPLICATION, 0xDD},
};
// clang-format on

constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> buildKeyTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> table{};
    for (const KeyCode& code : kKeyCodes) table[static_cast<std::size_t>(code.key)] = code.scanCode;
    return table;
}

constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> kKeyTable = buildKeyTable();
static_assert(kKeyTable[SDL_SCANCODE_RETURN] == 0x1C && kKeyTable[SDL_SCANCODE_KP_ENTER] == 0x9C);
static_assert(kKeyTable[SDL_SCANCODE_LEFT] == 0xCB && kKeyTable[SDL_SCANCODE_RALT] == 0xB8);

void handleKey(const SDL_KeyboardEvent& key) {
    if (key.repeat != 0) return;
    const std::uint8_t scanCode = scanCodeOf(key.keysym.scancode);
    if (scanCode == 0) return;
    windowKeyEvent(scanCode, key.type == SDL_KEYDOWN, (key.keysym.mod & KMOD_ALT) != 0);
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: windowFocusChanged(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: windowFocusChanged(false); break;
        case SDL_WINDOWEVENT_EXPOSED: windowExposed(); break;
        case SDL_WINDOWEVENT_CLOSE: windowCloseRequest(); break;
        default: break;
    }
}

// SDL's buttons in SDL's order are the game's own buttons, one number up (0 is no button).
static_assert(SDL_CONTROLLER_BUTTON_A + 1 == PadA && SDL_CONTROLLER_BUTTON_START + 1 == PadStart);
static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1 == PadDpadRight && PadDpadRight + 1 == kPadButtons);

void handleControllerButton(const SDL_ControllerButtonEvent& button) {
    if (button.button + 1 >= kPadButtons) return;
    padButton(button.which, static_cast<std::uint8_t>(button.button + 1), button.state == SDL_PRESSED);
}

void handleControllerDevice(const SDL_ControllerDeviceEvent& device) {
    if (device.type == SDL_CONTROLLERDEVICEADDED) {
        SDL_GameController* pad = SDL_GameControllerOpen(device.which);  // here: a device index
        if (pad != nullptr) padAttached(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)));
    } else {
        padDetached(device.which);
        SDL_GameController* pad = SDL_GameControllerFromInstanceID(device.which);
        if (pad != nullptr) SDL_GameControllerClose(pad);
    }
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED: handleControllerDevice(event.cdevice); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: handleControllerButton(event.cbutton); break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                padStick(event.caxis.which, event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY, event.caxis.value);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: handleKey(event.key); break;
        case SDL_WINDOWEVENT: handleWindowEvent(event.window); break;
        case SDL_QUIT: windowCloseRequest(); break;
        case SDL_RENDER_DEVICE_RESET: sdlVideo.rendererLost = true; break;
        default:
            if (raiseRequestEvent != 0 && event.type == raiseRequestEvent) raiseGameWindow();
            break;
    }
}

}  // namespace

std::uint8_t scanCodeOf(SDL_Scancode key) {
    const auto index = static_cast<std::size_t>(key);
    return index < kKeyTable.size() ? kKeyTable[index] : 0;
}

// The keyboard needs no device of its own; game controllers are optional (no pad support
// leaves the keyboard).
int platformInitInput() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        SDL_Log("MunchTrail: no gamepad support: %s", SDL_GetError());
    return 1;
}

void platformReleaseInput() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void platformHandleEvents() {
    // The loop waits at most a second for an event, so a signal is seen within one.
    static bool signalHandled = false;
    if (endingSignal != 0 && !signalHandled) {
        signalHandled = true;
        windowCloseRequest();
    }
    SDL_Event event;
    while (gameWindowOpen() && SDL_PollEvent(&event)) handleEvent(event);
    reapEditor();
}

void platformWaitEvent(std::int32_t timeoutMs) {
    SDL_WaitEventTimeout(nullptr, timeoutMs < 0 ? 1000 : timeoutMs);
}

// Milliseconds since the machine started, as the game's clock always counted: SDL's own ticks
// start near zero with every run, which would seed the random numbers almost alike each time.
std::uint32_t platformTicks() {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return SDL_GetTicks();
    const std::uint64_t ms =
        static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

// The player's controls: a key or button taken from another action changes places with it, the
// settings file's damaged values fall back to their defaults, the boundary turns keys and
// buttons into the game's keys (a release matching its press), and the Controls screen binds
// the next key or button, gives up on Escape, restores the defaults and goes back to the options.
#include <gtest/gtest.h>

#include <string>

#include "game/common/bindings.h"
#include "game/screens/controls_screen.h"
#include "tests/game/game_test_support.h"

namespace {

using Controls = GameTest;

// Every action's key or button by name, in order.
std::string names(const std::array<std::uint8_t, kControlActions>& codes, const char* (*name)(std::uint8_t)) {
    std::string text;
    for (std::uint8_t code : codes) {
        if (!text.empty()) text += ' ';
        text += name(code);
    }
    return text;
}
std::string keysNow() {
    return names(controls.keys, keyName);
}
std::string padsNow() {
    return names(controls.pads, padButtonName);
}
constexpr const char* kDefaultKeys = "UP DOWN LEFT RIGHT SPACE BACKSPACE ENTER TAB ENTER";
constexpr const char* kDefaultPads = "D-UP D-DOWN D-LEFT D-RIGHT START B A - -";

// Each row binds in turn, from the defaults; then every action's key or button.
TEST_F(Controls, ATakenKeyOrButtonChangesPlacesSoNoActionLosesItsKey) {
    struct Row {
        bool pad;
        ControlAction action;
        std::uint32_t code;
        bool bound;
        const char* after;
    } rows[] = {
        {false, ControlUp, 0x11, true, "W DOWN LEFT RIGHT SPACE BACKSPACE ENTER TAB ENTER"},
        {false, ControlDown, 0x11, true, "DOWN W LEFT RIGHT SPACE BACKSPACE ENTER TAB ENTER"},
        {false, ControlPause, kKeyEnter, true, "DOWN W LEFT RIGHT ENTER BACKSPACE SPACE TAB ENTER"},
        {false, ControlFullScreen, kKeyTab, true, "DOWN W LEFT RIGHT ENTER BACKSPACE SPACE TAB TAB"},
        {false, ControlBack, kKeyEscape, false, nullptr},
        {false, ControlBack, kKeyF1, false, nullptr},
        {false, ControlBack, kKeyRightAlt, false, nullptr},
        {false, ControlBack, 0x54, false, nullptr},  // no key the platform reports
        {false, ControlBack, 0x1C8, false, nullptr},
        {true, ControlPanel, PadX, true, "D-UP D-DOWN D-LEFT D-RIGHT START B A X -"},
        {true, ControlUp, PadA, true, "A D-DOWN D-LEFT D-RIGHT START B D-UP X -"},
        {true, ControlFullScreen, PadA, true, "- D-DOWN D-LEFT D-RIGHT START B D-UP X A"},
        {true, ControlBack, PadNone, false, nullptr},
        {true, ControlBack, kPadButtons, false, nullptr},
    };
    std::string keys = kDefaultKeys, pads = kDefaultPads;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(r.pad ? bindPadButton(r.action, r.code) : bindKey(r.action, r.code), r.bound);
        if (r.bound) (r.pad ? pads : keys) = r.after;
        EXPECT_EQ(keysNow(), keys);
        EXPECT_EQ(padsNow(), pads);
    }
    restoreDefaultControls();
    EXPECT_EQ(keysNow(), kDefaultKeys);
    EXPECT_EQ(padsNow(), kDefaultPads);
}

// What the settings file holds, then the bindings a start makes of it.
TEST_F(Controls, AMissingValueIsTheDefaultAndADamagedOneTheActionsDefault) {
    const struct {
        const char* file;
        const char* keys;
        const char* pads;
    } rows[] = {
        {"", kDefaultKeys, kDefaultPads},
        {"KeyUp=dword:17\nKeyFullScreen=dword:87\nPadPanel=dword:3\n",
         "W DOWN LEFT RIGHT SPACE BACKSPACE ENTER TAB F11", "D-UP D-DOWN D-LEFT D-RIGHT START B A X -"},
        {"KeyUp=dword:999\nKeyDown=dword:84\nKeyLeft=dword:1\nKeyRight=sz:17\nKeyFullScreen=dword:59\n",
         kDefaultKeys, kDefaultPads},
        {"KeyUp=dword:17\nKeyPause=dword:17\nKeyBack=dword:30\n",  // shared: defaults; Back kept
         "UP DOWN LEFT RIGHT SPACE A ENTER TAB ENTER", kDefaultPads},
        {"KeyUp=dword:17\nKeyDown=dword:17\nKeyLeft=dword:200\n", kDefaultKeys, kDefaultPads},  // Up's taken
        {"PadUp=dword:1\nPadDown=dword:1\nPadPanel=dword:16\nPadBack=dword:0\n", kDefaultKeys,
         "D-UP D-DOWN D-LEFT D-RIGHT START - A - -"},
        {"PadUp=dword:7\nPadPause=dword:7\nPadRight=dword:12\n", kDefaultKeys, kDefaultPads},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        writeSettingsText(row.file);
        const StoredSettings stored = readSettings();
        applyStoredControls(stored.keys, stored.pads);
        EXPECT_EQ(keysNow(), row.keys);
        EXPECT_EQ(padsNow(), row.pads);
    }
}

// Keys and buttons as the game gets them, through the window and the pads.
TEST_F(Controls, KeysAndButtonsReachTheGameAsTheActionsKeys) {
    loop.windowOpen = loop.isActive = 1;
    bindKey(ControlUp, 0x11);
    bindKey(ControlPause, kKeyEnter);
    bindKey(ControlFullScreen, 0x57);
    bindPadButton(ControlPanel, PadY);
    bindPadButton(ControlFullScreen, PadBackButton);
    // clang-format off
    const std::pair<std::uint8_t, std::uint8_t> keys[] = {{0x11, kKeyUp}, {kKeyUp, 0}, {kKeyEnter, kKeySpace},
        {kKeySpace, kKeyEnter}, {kKeyR, kKeyR}, {kKeyPageUp, kKeyPageUp}, {kKeyPadEnter, kKeyPadEnter}, {0x57, 0x57}};
    // clang-format on
    for (auto [key, gameKey] : keys) EXPECT_EQ(gameKeyOf(key), gameKey) << int{key};
    const std::pair<std::uint8_t, std::uint8_t> buttons[] = {
        {PadDpadUp, kKeyUp}, {PadA, kKeyEnter}, {PadY, kKeyTab}, {PadX, 0}, {PadBackButton, 0}};
    for (auto [button, gameKey] : buttons) EXPECT_EQ(gameKeyOfPad(button), gameKey) << int{button};
    windowKeyEvent(0x11, true, false);  // W held while Up moves to S: its release still lets Up go
    bindKey(ControlUp, 0x1F);
    EXPECT_TRUE(keyHeld(kKeyUp));
    windowKeyEvent(0x11, false, false);
    EXPECT_FALSE(keyHeld(kKeyUp));
    windowKeyEvent(kKeyEnter, false, true);  // Alt+Enter no longer switches; Alt+F11 does
    EXPECT_EQ(game.action, GameAction::None);
    windowKeyEvent(0x57, false, true);
    EXPECT_EQ(game.action, GameAction::SwitchDisplay);
    game.action = GameAction::None;
    padAttached(4);
    padButton(4, PadBackButton, true);
    EXPECT_EQ(game.action, GameAction::SwitchDisplay);
}

TEST_F(Controls, TheScreenBindsTheNextKeyOrButtonAndEscapeGoesBack) {
    makeDat();
    ASSERT_TRUE(startGame());
    game.currentScreen = controlsScreen;
    runFrames(33);
    padAttached(2);
    step(kKeyDown);
    step(kKeyEnter);
    EXPECT_EQ(controls.capture, ControlDown);
    step(0x11);  // W: taken, never queued
    EXPECT_EQ(controls.capture, kNoCapture);
    EXPECT_EQ(keysNow(), "UP W LEFT RIGHT SPACE BACKSPACE ENTER TAB ENTER");
    step(0x11);
    EXPECT_EQ(controlsMenu.row, 2);
    step(kKeyEnter);
    padButton(2, PadX, true);
    padButton(2, PadX, false);
    runOneFrame();
    EXPECT_EQ(padsNow(), "D-UP D-DOWN X D-RIGHT START B A - -");
    step(kKeyEnter);
    step(kKeyEscape);  // gives up waiting, stays
    EXPECT_EQ(controls.capture, kNoCapture);
    EXPECT_EQ(game.currentScreen, controlsScreen);
    controlsMenu.row = kControlsRows - 1;
    step(kKeyEnter);
    EXPECT_EQ(keysNow(), kDefaultKeys);
    EXPECT_EQ(padsNow(), kDefaultPads);
    bindKey(ControlRight, 0x20);
    press(kKeyEscape);
    EXPECT_TRUE(runUntilScreen(optionsScreen));
    shutdownGame();
    EXPECT_NE(settingsText().find("KeyRight=dword:32\nPadRight=dword:15\n"), std::string::npos);
}

}  // namespace

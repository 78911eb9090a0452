// The game's settings and high score, kept in $XDG_CONFIG_HOME/Quillfern/MunchTrail.ini
// (~/.config when the variable is unset): one typed value a line, "Name=dword:123" or
// "Name=sz:text". Every operation reads the file anew and writes it whole through a temporary
// file and a rename, so a crash never leaves half a file and a failed write keeps the old one.
// Unreadable or damaged values count as missing and take their defaults; nothing here ever
// stops the game.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/common/bindings.h"

inline constexpr const char* kVersionText = "2.01";
inline constexpr const char* kHomepageText = "https://quillfern.example/munchtrail";
inline constexpr const char* kCopyrightText =
    "Munch Trail 2.01, copyright (c) Quillfern. All rights reserved.";

struct StoredSettings {
    std::uint32_t windowedMode = 1;
    std::uint32_t gameSpeed = 20;
    std::uint32_t noSound = 0;
    std::uint32_t windowWidth = 0;  // "WindowSize=sz:800x600"; 0 when missing or unreadable
    std::uint32_t windowHeight = 0;
    // The options beyond the first screen's, as stored; applySettings keeps what is in range.
    std::uint32_t ghost = 2;
    std::uint32_t sharpFill = 1;
    std::uint32_t effectsVolume = 100;
    std::uint32_t ambientVolume = 100;
    std::uint32_t beanMarks = 0;
    // "KeyUp=dword:200", "PadUp=dword:12", ...: the game's scan code of each action's key and
    // the game's number of its gamepad button (0 none), in the order of kControls.
    std::array<std::uint32_t, kControlActions> keys = defaultKeys<std::uint32_t>();
    std::array<std::uint32_t, kControlActions> pads = defaultPads<std::uint32_t>();
};

// The settings file's full path; empty when neither XDG_CONFIG_HOME nor HOME is set.
std::string settingsFilePath();

// The outcome of a write: ok, or why not (the system's text for the error).
struct SettingsWrite {
    bool ok = true;
    std::string reason;
};

// The first write that failed in this run; the game goes on without it and tells at exit.
struct SettingsState {
    std::string failedPath;
    std::string failedReason;
};
inline SettingsState settingsState{};
inline void resetSettingsState() {
    settingsState = SettingsState{};
}

StoredSettings readSettings();  // raw stored numbers, defaults for missing ones
// options.isWindowed (unless chosen for this run), the other options, the window size
SettingsWrite writeSettings();
void readHighScore(std::uint32_t* hiScore);  // left unchanged when missing
SettingsWrite writeHighScore(std::uint32_t hiScore);
SettingsWrite writeVersionInfo();  // "Copyright", "Homepage", "Version"

// What a write makes of a settings file's text: its readable values, once each, in order.
std::string normaliseSettingsText(std::string_view text);

// Start-up's use of the stored settings: a frame rate other than 15 or 25 stays 20, any
// non-zero "NoSound" mutes, "WindowedMode" 0 (or --fullscreen) switches to full screen; a
// ghost choice above 2, a switch above 1 or a volume that is no multiple of 10 up to 100
// keeps its default; the keys and buttons become the player's bindings (a damaged one its
// default).
void applySettings(const StoredSettings& stored);

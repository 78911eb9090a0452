// The running program's state that every layer reads: the current screen, frame timing, the
// display mode, the sound switch and the pending fatal error. The shell (game/shell) owns it
// and runs the frame loop; the screens hand over by writing currentScreen.
#pragma once

#include <cstdint>

// A screen: called once per frame through shell.currentScreen; it reads at most one key, steps
// its phase, draws the whole frame and hands over by writing shell.currentScreen.
using Screen = void (*)();

struct ShellState {
    Screen currentScreen = nullptr;      // null while running: the game quits
    std::uint32_t frameTime = 0;         // ms clock at the start of the current tick
    std::uint32_t nextFrameTime = 0;     // 0: the next tick runs at once
    std::uint32_t framesPerSecond = 20;  // only 15, 20 or 25
    std::int32_t isWindowed = 1;
    std::int32_t isActive = 0;
    std::int32_t soundMuted = 0;
    std::int32_t fatalError = 0;
    char errorText[256] = {};
    std::int32_t windowOpen = 0;     // the window exists; its destruction ends the message loop
    std::int32_t windowWidth = 0;    // the window's client size when windowed (logical pixels);
    std::int32_t windowHeight = 0;   // 0 until stored or chosen at the first start
    std::int32_t modeOverride = -1;  // --windowed 1, --fullscreen 0: this run only, not stored
    char playFile[4096] = {};        // --play: one game of this scene file, then the program ends
    // Switches between windowed and full screen at once (the options screen's first row);
    // installed by the shell at start-up, null before.
    void (*switchDisplayMode)() = nullptr;
};
inline ShellState shell{};
inline void resetShellState() {
    shell = ShellState{};
}

// Milliseconds from `since` to `now` on the wrapping 32-bit clock, negative when `now` comes
// first. Every comparison of two clock readings goes through it, so the wrap every 49.7 days
// of uptime changes nothing.
constexpr std::int32_t ticksBetween(std::uint32_t since, std::uint32_t now) {
    return static_cast<std::int32_t>(now - since);
}

// Records a fatal error once: copies the message and raises the flag; the loop shuts down.
void raiseFatalError(const char* message);

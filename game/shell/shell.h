// The game shell's process-wide state: the current screen, frame timing, display mode, sound
// switch and the pending fatal error. Owned by the shell; screens and the world read and write
// the fields named here exactly as the frame loop expects.
#pragma once

#include <cstdint>

// A screen: called once per frame through shell.currentScreen; it reads at most one key, steps
// its phase, draws the whole frame and hands over by writing shell.currentScreen.
using Screen = void (*)();

struct ShellState {
    Screen currentScreen = nullptr;        // null while running: the game quits
    std::uint32_t frameTime = 0;           // ms clock at the start of the current tick
    std::uint32_t nextFrameTime = 0;       // 0: the next tick runs at once
    std::uint32_t framesPerSecond = 20;    // only 15, 20 or 25
    std::int32_t isWindowed = 1;
    std::int32_t isActive = 0;
    std::int32_t soundMuted = 0;
    std::int32_t fatalError = 0;
    char errorText[256] = {};
};
inline ShellState shell{};

// Records a fatal error once: copies the message and raises the flag; the loop shuts down.
void raiseFatalError(const char* message);

// The running game as every screen sees it: the screen to run, the clock of the current frame,
// an action a screen asks the loop to perform, the pending fatal error, and the player's
// options that the rules and the presentation read. The shell owns the loop around this and
// keeps its own bookkeeping (frame pacing, the window, activation) to itself.
#pragma once

#include <cstdint>

// A screen: called once per frame through game.currentScreen; it reads at most one key, steps
// its phase, draws the whole frame and hands over by writing game.currentScreen.
using Screen = void (*)();

// What a screen may ask of the loop. The loop performs it at the start of the next tick,
// before any screen runs, so no screen ever finds the display changed under its feet.
// WatchReplay: the scene selection asks for its selected scene's best game (the file the
// progress names); the loop shows it and comes back to the selection.
enum class GameAction : std::uint8_t { None, SwitchDisplay, WatchReplay };

struct GameState {
    Screen currentScreen = nullptr;  // null while running: the game quits
    std::uint32_t frameTime = 0;     // ms clock at the start of the current tick
    GameAction action = GameAction::None;
    // One scene and out (--play): the end of that game ends the program instead of showing
    // the menu.
    bool singleScene = false;
    std::int32_t fatalError = 0;
    char errorText[256] = {};
};
inline GameState game{};

// The player's options: stored in the settings file, changed on the options screens. The
// frame rate and the sound switch are part of a game's rules (a replay records them); the rest
// only change what is presented or heard, never the game's state.
struct PlayerOptions {
    std::uint32_t framesPerSecond = 20;  // only 15, 20 or 25
    std::int32_t isWindowed = 1;
    std::int32_t soundMuted = 0;
    std::int32_t ghost = 2;            // 2 for won scenes, 1 always, 0 never
    std::int32_t sharpFill = 1;        // 1: fill the screen's shape sharply; 0: whole factors only
    std::int32_t effectsVolume = 100;  // percent, in steps of 10
    std::int32_t ambientVolume = 100;  // the birds, frogs and crickets, likewise
    std::int32_t beanMarks = 0;        // 1: each colour's beans carry their own mark
};
inline PlayerOptions options{};

inline void resetGameRecord() {
    game = GameState{};
    options = PlayerOptions{};
}

// Milliseconds from `since` to `now` on the wrapping 32-bit clock, negative when `now` comes
// first. Every comparison of two clock readings goes through it, so the wrap every 49.7 days
// of uptime changes nothing.
constexpr std::int32_t ticksBetween(std::uint32_t since, std::uint32_t now) {
    return static_cast<std::int32_t>(now - since);
}

// Records a fatal error once: copies the message and raises the flag; the loop shuts down.
void raiseFatalError(const char* message);

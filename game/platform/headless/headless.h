// The headless platform layer the tests run the game on: a clock the test sets, key events
// the test scripts, a sound layer that loads real WAVE files into 256 slots and records every
// call it receives, and the presented frames kept for hashing or writing out. The window
// and the desktop shell only count what was asked of them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/common/platform.h"

struct SoundCall {
    SoundOp op;
    int id;
    std::int32_t value;  // the loop flag, pan or volume; 0 for the others
    bool operator==(const SoundCall&) const = default;
};

// What a slot holds as far as the game can tell: loaded, playing, and the last accepted
// volume and pan (a volume outside -10000..0 is refused, as the real mixer does).
struct HeadlessSlot {
    bool loaded = false;
    bool playing = false;
    bool looping = false;
    std::int32_t volume = 0;
    std::int32_t pan = 0;
    std::uint32_t frames = 0;  // sample frames of the loaded sound
    std::int32_t playerVolume = 100;
};

struct ScriptedEvent {
    enum Kind : std::uint8_t { Key, Close, Focus, Expose } kind = Key;
    std::uint8_t scanCode = 0;
    bool pressed = false;  // Key: down; Focus: gained
    bool altHeld = false;
};

struct HeadlessState {
    std::uint32_t now = 1000;  // the clock; tests move it
    bool windowFails = false;
    bool displayFails = false;
    bool inputFails = false;
    bool audioMissing = false;
    bool windowOpen = false;
    bool displayOpen = false;
    bool audioOpen = false;
    bool inputOpen = false;
    int windowPlacements = 0;
    WindowSize windowSize{};  // as the game last asked for it; tests set it as a player would
    int minimiseCount = 0;
    int editorStarts = 0;
    int waits = 0;
    int closeAfterWaits = 0;             // > 0: the user closes the window during that sleep
    std::vector<std::string> lifecycle;  // window, display, input and audio calls in order
    std::vector<std::string> errorBoxes;
    std::vector<std::string> openedDocuments;
    std::vector<SoundCall> soundCalls;
    std::array<HeadlessSlot, 256> slots{};
    std::vector<ScriptedEvent> events;  // delivered, oldest first, by platformHandleEvents
    int framesShown = 0;
    bool lastFrameFullScreen = false;
    std::vector<std::uint32_t> lastFrame;   // displayBuffer as shown (400 x 300)
    std::vector<std::uint32_t> lastScreen;  // the 800 x 600 picture when full screen
};
inline HeadlessState headless{};

// Everything back to a fresh process: the headless layer, the shell, keys, screens, assets
// (freed), the mixer slots. Tests call it first.
void resetHeadlessGame();

// Scripted events for the next platformHandleEvents.
void scriptKey(std::uint8_t scanCode, bool pressed, bool altHeld = false);
void scriptPress(std::uint8_t scanCode, bool altHeld = false);  // down, then up
void scriptClose();
void scriptFocus(bool gained);

// Advances the clock to the next due frame and runs one pass of the loop's work: events, then
// one frame tick. Returns false once the window is gone.
bool runOneFrame();

// FNV-1a over the pixels; equal frames hash equal.
std::uint64_t hashPixels(const std::uint32_t* pixels, std::size_t count);

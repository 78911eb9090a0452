// The headless platform: every function of game/common/platform.h over plain state that the
// tests read and set. Sounds are read with the real WAVE reader, so the catalogue's failure
// paths behave as in the game; nothing is ever played.
#include "game/platform/headless/headless.h"

#include <cstdio>

#include "game/common/frames.h"
#include "game/common/game_state.h"
#include "game/media/mixer.h"
#include "game/media/present.h"
#include "game/media/wave.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"
#include "render/pixels.h"
#include "scene/fnv1a.h"

std::uint32_t platformTicks() {
    return headless.now;
}

int platformCreateWindow(WindowSize size) {
    headless.windowSize = size;
    if (headless.windowFails) return 0;
    headless.windowOpen = true;
    headless.lifecycle.emplace_back("createWindow");
    return 1;
}

void platformPlaceWindow(WindowSize size) {
    headless.windowSize = size;
    ++headless.windowPlacements;
}

WindowSize platformWindowSize() {
    return options.isWindowed ? headless.windowSize : WindowSize{};
}
void platformDestroyWindow() {
    headless.windowOpen = false;
    headless.lifecycle.emplace_back("destroyWindow");
}
void platformMinimiseWindow() {
    ++headless.minimiseCount;
}

int platformInitDisplay() {
    if (headless.displayFails) return 0;
    headless.displayOpen = true;
    headless.lifecycle.emplace_back(options.isWindowed ? "initDisplay windowed" : "initDisplay full screen");
    return 1;
}

void platformReleaseDisplay() {
    headless.displayOpen = false;
    headless.lifecycle.emplace_back("releaseDisplay");
}

void platformShowFrame() {
    if (!headless.displayOpen) return;
    ++headless.framesShown;
    headless.lastFrame.assign(displayBuffer->pixels, displayBuffer->pixels + kFramePixels);
    headless.lastFrameFullScreen = options.isWindowed == 0;
    if (headless.lastFrameFullScreen) {
        headless.lastScreen.resize(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
        expandFrame(displayBuffer->pixels, headless.lastScreen.data(), kScreenWidth);
    }
}

int platformInitInput() {
    if (headless.inputFails) return 0;
    headless.inputOpen = true;
    return 1;
}

void platformReleaseInput() {
    headless.inputOpen = false;
    headless.lifecycle.emplace_back("releaseInput");
}

void platformHandleEvents() {
    std::vector<ScriptedEvent> pending;
    pending.swap(headless.events);
    for (const ScriptedEvent& event : pending) {
        switch (event.kind) {
            case ScriptedEvent::Key: windowKeyEvent(event.scanCode, event.pressed, event.altHeld); break;
            case ScriptedEvent::Close: windowCloseRequest(); break;
            case ScriptedEvent::Focus: windowFocusChanged(event.pressed); break;
            case ScriptedEvent::Expose: windowExposed(); break;
        }
    }
}

// Time passes while the loop sleeps; a sleep without a limit and without events means nobody
// will ever wake the game, so the test is closing it.
void platformWaitEvent(std::int32_t timeoutMs) {
    ++headless.waits;
    if (timeoutMs > 0) headless.now += static_cast<std::uint32_t>(timeoutMs);
    if (timeoutMs < 0 && headless.events.empty()) scriptClose();
    if (headless.waits == headless.closeAfterWaits) scriptClose();
}

int platformOpenAudio() {
    if (headless.audioMissing) return 0;
    headless.audioOpen = true;
    return 1;
}

void platformCloseAudio() {
    for (HeadlessSlot& slot : headless.slots) slot = HeadlessSlot{};
    headless.audioOpen = false;
    headless.lifecycle.emplace_back("closeAudio");
}

int platformLoadSound(int id, const char* path) {
    if (!headless.audioOpen) return 0;
    WaveSound wave;
    if (readWaveFile(path, &wave) != kWaveOk || !isPlayablePcm(wave.format)) return 0;
    HeadlessSlot& slot = headless.slots[static_cast<std::size_t>(id)];
    slot = HeadlessSlot{.playerVolume = slot.playerVolume};
    slot.loaded = true;
    slot.frames = static_cast<std::uint32_t>(wave.samples.size() / wave.format.blockAlign);
    return 1;
}

bool platformSoundLoaded(int id) {
    return id >= 0 && id < 256 && headless.slots[static_cast<std::size_t>(id)].loaded;
}

void platformSetPlayerVolume(int id, std::int32_t percent) {
    if (id >= 0 && id < 256) headless.slots[static_cast<std::size_t>(id)].playerVolume = percent;
}

void platformSound(SoundOp op, int id, std::int32_t value) {
    headless.soundCalls.push_back({op, id, value});
    HeadlessSlot& slot = headless.slots[static_cast<std::size_t>(id)];
    switch (op) {
        case SoundOp::Play:
            slot.playing = true;
            slot.looping = value != 0;
            break;
        case SoundOp::Stop: slot.playing = false; break;
        case SoundOp::Rewind: break;
        case SoundOp::SetPan: slot.pan = value; break;
        case SoundOp::SetVolume:
            if (value >= kSilentVolume && value <= 0) slot.volume = value;
            break;
    }
}

void platformShowError(const char* text) {
    headless.errorBoxes.emplace_back(text);
    headless.lifecycle.emplace_back("errorBox");
}
void platformOpenDocument(const char* path) {
    headless.openedDocuments.emplace_back(path);
}
void platformStartEditor() {
    ++headless.editorStarts;
}

void resetHeadlessGame() {
    resetGameState();
    headless = HeadlessState{};
    mixerUnloadAll();
}

void scriptKey(std::uint8_t scanCode, bool pressed, bool altHeld) {
    headless.events.push_back({ScriptedEvent::Key, scanCode, pressed, altHeld});
}

void scriptPress(std::uint8_t scanCode, bool altHeld) {
    scriptKey(scanCode, true, altHeld);
    scriptKey(scanCode, false, altHeld);
}

void scriptClose() {
    headless.events.push_back({ScriptedEvent::Close, 0, false, false});
}
void scriptFocus(bool gained) {
    headless.events.push_back({ScriptedEvent::Focus, 0, gained, false});
}

bool runOneFrame() {
    if (loop.nextFrameTime != 0 && ticksBetween(headless.now, loop.nextFrameTime) > 0)
        headless.now = loop.nextFrameTime;
    return loopPass();
}

std::uint64_t hashPixels(const std::uint32_t* pixels, std::size_t count) {
    return fnv1a64Words(pixels, count);
}

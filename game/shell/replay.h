// Recording every game and playing replays back. The frame loop runs each screen through
// runScreenFrame, which records from the game-start screen to the end picture or the return to
// the menu; the key table reports every event it takes in through keyRecorder. Playback feeds the recorded
// events and clock steps to the same screens, with no platform in between, so a replay can be checked without
// a window or a sound device and watched in one.
#pragma once

#include <cstdint>
#include <string>

#include "game/shell/replay_file.h"

inline constexpr int kReplaysKept = 50;

struct ReplayPlaybackState {
    bool active = false;  // sound slots read as the replay says they were loaded
    const Replay* replay = nullptr;
    std::uint32_t frame = 0;  // frames run so far
    std::size_t nextInput = 0;
    std::uint32_t firstBadFrame = 0;  // the first checkpoint that differed; 0 none
};
inline ReplayPlaybackState replayPlayback{};

// The frame loop's call: runs shell.currentScreen once, recording when a game is on.
void runScreenFrame();
// Shutdown's call: a game still being recorded is written as quit.
void finishReplayRecording();

// $XDG_STATE_HOME/munchtrail/replays (~/.local/state when unset); empty without HOME.
std::string replayFolder();
// Keeps the newest kReplaysKept replays of the folder (their names sort by time) and always the
// one with the best score.
void pruneReplays(const std::string& folder);
// The digest of everything the rest of a game depends on: the world, the random state, the
// light, the screen running and the key tables.
std::uint64_t gameDigest();

// Puts the game where the replay began (the assets must be loaded); then each playbackFrame
// runs one recorded frame, false once all have run or the game left its screens.
void startPlayback(const Replay& replay);
bool playbackFrame();
void stopPlayback();

// Runs the whole replay; 0 when every checkpoint and the end match (message "ok: N frames,
// score S"), 1 with the first difference named.
int verifyReplay(const Replay& replay, std::string& message);
// The --verify-replay command in the data folder: reads, loads the pictures, verifies,
// prints; 0, 1, or 2 for a file that cannot be read.
int verifyReplayCommand(const std::string& path);

// The --replay command: the replay in the game's window (replay_view.cpp); 0 when the player
// leaves or it ends, 2 for a file that cannot be read or a window that cannot open.
int watchReplayCommand(const std::string& path);
// The window procedure's calls while a replay is watched: true when the viewer took the event.
bool viewerKeyEvent(std::uint8_t scanCode, bool pressed);
bool viewerCloseRequest();

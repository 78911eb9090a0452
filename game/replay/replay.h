// Replays: every game recorded as it is played, and a recorded game run again, to be watched in
// the window or checked frame for frame without one. The game meets this layer at one event
// tap: every key event, every clearing of the key tables at a focus change and the clock of
// every frame pass through it, so a recording notes exactly what the game was given, and a
// replay gives the game the same things through the same door (shutting the player's keys
// out: they steer the viewing instead). Nothing below this layer knows of recording.
#pragma once

#include <cstdint>
#include <string>

#include "game/common/game_state.h"
#include "game/replay/replay_file.h"

// ---- the event tap (event_tap.cpp) --------------------------------------------------------

// A key went down or up: into the key queue and table, noted when a game is being recorded.
// While a replay is watched the player's keys steer the viewing instead: Space pauses, Right
// switches four-times speed, Backspace leaves.
void tapKey(std::uint8_t scanCode, bool pressed);
// The window lost or gained focus: every key released, the queue emptied (not while a replay
// plays: its own key table stays as recorded).
void tapFocusChange();
// Every frame tick, due or not: the game's clock follows the millisecond clock (a replay keeps
// its recorded clock instead).
void tapClock(std::uint32_t now);
// The frame tick's calls around the one run of the current screen. tapFrameStart gives the
// frame its recorded events and clock step while a replay plays, and starts or notes the
// recording of a game; false when no frame is to run (a watched replay is paused, or has
// ended). tapFrameEnd counts the frame for the recording or the replay.
bool tapFrameStart();
void tapFrameEnd();

// ---- recording (recorder.cpp) -------------------------------------------------------------

// No recording, no playback, no failure noted: the layer as at process start.
void resetReplays();

// Shutdown's call: a game still being recorded is kept, its outcome "quit".
void finishReplayRecording();
// The first replay of this run that could not be kept, and why; empty while none failed.
struct RecordingReport {
    std::string failedReason;
};
inline RecordingReport recordingReport{};

// ---- playback (playback.cpp) --------------------------------------------------------------

struct PlaybackStatus {
    bool active = false;
    bool paused = false;
    bool fast = false;   // four frames in the time of one
    bool ended = false;  // all frames ran, the game left its screens, or the viewer left
    std::uint32_t frame = 0;
    std::uint32_t firstBadFrame = 0;  // the first checkpoint that differed; 0 none
};
const PlaybackStatus& playbackStatus();

// Puts the game where the replay began (the pictures must be loaded; the replay must outlive
// the playback). From then on the frame tick runs the recorded frames.
void startPlayback(const Replay& replay);
void stopPlayback();

// Runs the whole replay with no window; 0 when every checkpoint and the end match (message
// "ok: N frames, score S"), 1 with the first difference named.
int verifyReplay(const Replay& replay, std::string& message);

// ---- where replays are kept (replay_store.cpp) --------------------------------------------

inline constexpr int kReplaysKept = 50;

// $XDG_STATE_HOME/munchtrail/replays; empty without a state folder.
std::string replayFolder();
// Writes the replay into the folder under a name that sorts by time, then prunes; the file's
// path, or empty with `error` set.
std::string keepReplay(const Replay& replay, std::string& error);
// Keeps the newest kReplaysKept replays of the folder (their names sort by time), always the
// one with the best score, and every replay the progress file names as a scene's best game.
void pruneReplays(const std::string& folder);

// ---- the digest (game_digest.cpp) ---------------------------------------------------------

// Everything the rest of a game depends on: the world, the random state, the light, the play
// screens, the key table and queue, the background, the running screen, the clock and the
// options the rules read (frame rate, sound switch).
std::uint64_t gameDigest();
// The screens of one game in a fixed order; -1 for every other screen.
int gameScreenIndex(Screen screen);

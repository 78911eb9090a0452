// What the replay layer's files tell each other: the tap hands each input to the recorder or
// to the playback, whichever is running. Included only inside game/replay.
#pragma once

#include <cstdint>

#include "game/replay/replay_file.h"

// The recorder (recorder.cpp).
ReplayOutcome outcomeNow();  // what the game in the world has come to so far
void noteInput(ReplayInput::Kind kind, std::uint8_t scanCode);
void recordFrameStart();
void recordFrameEnd();

// The playback (playback.cpp).
void viewerKey(std::uint8_t scanCode, bool pressed);
bool playbackFrameStart();
void playbackFrameEnd();

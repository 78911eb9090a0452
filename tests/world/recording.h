// Shared by the world and world-drawing tests: the platform's sound side recording every call
// that passes the game's guards, and the worm's part of a play frame in the play screen's order.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/common/platform.h"

namespace wt {

struct SoundCall {
    SoundOp op;
    int id;
    std::int32_t value;
    bool operator==(const SoundCall&) const = default;
};

// Which slots hold a sound, and every operation performed.
struct SoundLog {
    std::array<bool, 256> loaded{};
    std::vector<SoundCall> calls;
};
extern SoundLog soundLog;

// A clean log with every slot loaded.
void resetSoundLog();
// The calls made on one slot, in order.
std::vector<SoundCall> callsOn(int id);
// How often a slot was started (Play operations).
int playsOf(int id);
// A restart as the world makes it: stop, pan, rewind, play once.
std::vector<SoundCall> restartCalls(int id, std::int32_t pan);

// The first held arrow starts a waiting worm; a started worm steps, grows and takes its random
// fall; a held steering arrow stirs the water behind the head.
void playStep();

}  // namespace wt

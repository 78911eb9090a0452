// The replay file: everything one game's outcome depends on (the scene, the random seeds, the
// frame rate, the sounds that were loaded, every key event and odd clock step per frame) and
// what came of it (checkpoint digests every 100 frames, the outcome, the score). The layout is
// described in docs/replay-format.md. This file knows nothing of the game, so the reader can be
// fuzzed on its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scene/fnv1a.h"

inline constexpr char kReplayTag[8] = {'M', 'T', 'R', 'E', 'P', 'L', 'A', 'Y'};
inline constexpr std::uint16_t kReplayFormatVersion = 2;
inline constexpr std::uint16_t kReplayProgramVersion = 201;
inline constexpr int kCheckpointInterval = 100;
// What a replay can plausibly hold: a day of play at 25 frames per second, a scene far larger
// than any real one. Files beyond these are refused before anything is allocated for them.
inline constexpr std::uint32_t kReplayMaxFrames = 25 * 60 * 60 * 24;
inline constexpr std::uint32_t kReplayMaxSceneBytes = 256 * 1024;
inline constexpr std::uint32_t kReplayMaxFileBytes = 32 * 1024 * 1024;

// One thing that happened before a frame ran, in the order it happened.
struct ReplayInput {
    enum Kind : std::uint8_t { Release = 0, Press = 1, ClearKeys = 2, Clock = 3 };
    std::uint32_t frame = 0;  // the frame it came before (0: the game-start frame)
    Kind kind = Press;
    std::uint8_t scanCode = 0;  // Release, Press
    std::uint32_t value = 0;    // Clock: ms since the previous frame, when not 1000 / fps
    bool operator==(const ReplayInput&) const = default;
};

enum class ReplayOutcome : std::uint8_t { Lost = 0, Won = 1, Abandoned = 2, Quit = 3 };

struct Replay {
    std::uint16_t programVersion = kReplayProgramVersion;
    std::uint32_t framesPerSecond = 20;
    std::uint8_t soundMuted = 0;
    std::array<std::uint8_t, 32> soundsLoaded{};  // bit n: sound slot n held a sound
    std::array<std::uint8_t, 32> keysHeld{};      // bit n: scan code n was held at game start
    std::uint32_t sceneSeed = 0;                  // random state before the scene was read
    std::uint32_t startSeed = 0;                  // random state when the game started
    std::uint32_t startClock = 0;                 // ms clock of the game-start frame
    std::uint32_t startHiScore = 0;
    std::string sceneName;
    std::string sceneBytes;
    std::uint32_t frameCount = 0;
    std::vector<ReplayInput> inputs;         // sorted by frame
    std::vector<std::uint64_t> checkpoints;  // after frames 100, 200, ...
    ReplayOutcome outcome = ReplayOutcome::Lost;
    std::uint32_t score = 0;
    std::uint32_t hiScore = 0;
    std::uint64_t finalDigest = 0;
};

inline bool bitSet(const std::array<std::uint8_t, 32>& bits, int n) {
    return (bits[static_cast<std::size_t>(n) >> 3] >> (n & 7) & 1) != 0;
}
inline void setBit(std::array<std::uint8_t, 32>& bits, int n) {
    bits[static_cast<std::size_t>(n) >> 3] |= static_cast<std::uint8_t>(1u << (n & 7));
}

// The file's bytes, closing check included.
std::string replayBytes(const Replay& replay);
// Reads the bytes of a file; false with a message naming what is wrong (damaged, truncated,
// not a replay, from a newer program, implausibly large). Never allocates more than the bytes
// given could hold.
bool parseReplay(std::string_view bytes, Replay& replay, std::string& error);
// The file at `path`, its size checked before it is read.
bool readReplayFile(const std::string& path, Replay& replay, std::string& error);
// True when the file is a regular file that starts as a replay does, whatever its name (a
// replay handed over by the desktop's file type, which matches by content).
bool looksLikeReplay(const std::string& path);
// Written through a temporary neighbour, flushed and renamed; false with a message.
bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error);

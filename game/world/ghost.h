// The ghost: the worm of a scene's best game, drawn as a faint outline while the player races
// it. Its track is the best game's worm segment by segment, one entry for every play frame in
// which that worm moved; the game now played is taken down the same way, so that it can become
// the next ghost. None of this is in the world record: the rules never read it, the digest
// never covers it, and a replay holds whether a ghost was shown or not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Half an hour of moving at the fastest frame rate; a longer game's ghost stops there.
inline constexpr std::uint32_t kGhostMaxFrames = 25 * 60 * 30;

// Frame after frame: the worm's length, then x and y of each segment, head first.
struct GhostTrack {
    std::vector<std::int16_t> data;
    std::uint32_t frames = 0;
};

struct GhostState {
    bool shown = false;     // the race is on: the best game's worm is drawn
    GhostTrack best;        // the worm raced
    std::size_t at = 0;     // where in best.data the worm shown now starts
    std::uint32_t now = 0;  // the frame of best shown now
    GhostTrack capture;     // the game being played
};
inline GhostState ghost{};
inline void resetGhost() {
    ghost = GhostState{};
}

// The race of a new game: the best game's worm back at its first frame, nothing taken down.
void restartGhost();
// One play frame in which the player's worm moved: it is taken down, the ghost moves on.
void stepGhost();
// The best game's worm as it is now, when shown (the play screens' frame, over the water).
void drawGhost();

// A track as the ghost file holds it, and back; false for bytes that are not a sound track.
std::string ghostBytes(const GhostTrack& track);
bool parseGhost(std::string_view bytes, GhostTrack& track);

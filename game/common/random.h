// The game's random numbers: the classic linear congruential generator
// (state = state x 214013 + 2531011 mod 2^32, result = bits 16..30). The order of the calls is
// part of the game's behaviour, so nothing else may draw from it by accident.
#pragma once

#include <cstdint>

#include "game/common/digest.h"

struct RandomState {
    std::uint32_t state = 1;
};
inline RandomState randomState{};
inline std::uint64_t digestRandom(std::uint64_t hash) {
    return digestBytes(randomState, hash);
}

inline void seedRandom(std::uint32_t seed) {
    randomState.state = seed;
}

// 0..32767, the generator called rand in the game's rules.
inline int gameRand() {
    randomState.state = randomState.state * 214013u + 2531011u;
    return static_cast<int>((randomState.state >> 16) & 0x7FFF);
}

// State of the screens that run one game, from its start to the end picture: the volume ramp
// of the looping play sound and the end picture's fade and hold. A replay's checkpoints
// cover it, so it sits here beside its digest. The world's own flags
// (sceneAccomplished, quitToMenu) live in the world; the fades share light.brightness and
// world.endFade.
#pragma once

#include <cstdint>

#include "game/common/digest.h"

inline constexpr std::int32_t kLoopSilent = -10000;  // hundredths of a decibel
inline constexpr std::int32_t kLoopVolumeStep = 500;
inline constexpr std::int32_t kLoopVolumeStop = 1000;  // the ramp stops above full volume
inline constexpr std::int32_t kEndPictureHoldMs = 5000;

struct PlayScreenState {
    std::int32_t loopVolume = kLoopSilent;
    std::int32_t endPicturePhase = -1;   // -1 fade in, 0 hold, 1 fade out
    std::uint32_t endPictureStart = 0;   // frameTime when the hold began
    std::int32_t endPictureHolding = 0;  // 1: the hold's clock has been started
};
inline PlayScreenState playScreens{};
inline void resetPlayScreens() {
    playScreens = PlayScreenState{};
}
inline std::uint64_t digestPlayScreens(std::uint64_t hash) {
    return digestBytes(playScreens, hash);
}

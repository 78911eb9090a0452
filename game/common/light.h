// The light level of the picture, 0 (black) to 256 (full light). The screens' fades and the
// playfield's day and night share it: a scene starts at full light, the day cycle dims it,
// and the closing fade of a scene darkens whatever the day had reached.
#pragma once

#include <cstdint>

#include "game/common/digest.h"

struct LightState {
    std::int32_t brightness = 0;
};
inline LightState light{};
inline void resetLight() {
    light = LightState{};
}
inline std::uint64_t digestLight(std::uint64_t hash) {
    return digestBytes(light, hash);
}

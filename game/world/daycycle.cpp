// The day cycle: 3500 frames of full day, dusk, night, a quick darkening and dawn, setting the
// light level the whole playfield is drawn at. Scenes that cycle their backgrounds show the
// next picture at every new day. It runs through lives and the closing screens alike; only a
// new game puts the clock back to the morning.
#include "game/common/assets.h"
#include "game/common/light.h"
#include "game/world/pond.h"
#include "game/world/world.h"

namespace {

constexpr std::int32_t kDayLength = 3500;
constexpr std::int32_t kDuskStart = 2244;  // full daylight until here
constexpr std::int32_t kDarkening = 3484;  // the last 15 frames fall off quickly
constexpr std::int32_t kDawnEnd = 256;     // light returns until here
constexpr std::int32_t kNightLevel = 64;
constexpr std::int32_t kFullLight = 256;
constexpr std::uint32_t kBackgrounds = 9;  // bg00 .. bg08

void startNewDay() {
    world.dayClock = 0;
    if (world.scene.background != 0) return;  // fixed or random pictures stay for the whole game
    assets.backgroundIndex = (assets.backgroundIndex + 1) % kBackgrounds;
    loadBackground();
}

}  // namespace

void updateDayCycle() {
    std::int32_t& level = light.brightness;
    world.dayClock += 1;
    if (world.dayClock >= kDayLength) startNewDay();
    std::int32_t t = world.dayClock;
    if (t > kDarkening && level > 0) level -= 4;
    if (t <= kDawnEnd) {
        // Out of the dark fast, then slowly up to full daylight.
        if (level < kNightLevel) {
            level += 4;
        } else if (level < kFullLight) {
            level += 1;
        }
    }
    if (t > kDuskStart && level > kNightLevel) level -= 1;
}

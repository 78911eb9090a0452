// The storm a run of five blue beans brings: 500 frames of thunder, a rain loop fading in and
// out, raindrops rippling the pond, random thunder, and five beans dropped into the field
// whatever the scene's fall settings. Every bean eaten while it rains is worth 10 more.
#include <cstdint>

#include "game/common/assets.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/world/pond.h"
#include "game/world/world.h"

namespace {

// The storm's own beans fall even in scenes without random fall, right away.
void dropStormBean() {
    const std::int32_t randomFall = world.scene.randomFall;
    const std::int32_t fallInterval = world.scene.fallInterval;
    world.scene.randomFall = 1;
    world.scene.fallInterval = 0;
    dropRandomBean(gameRand() % 5);
    world.scene.randomFall = randomFall;
    world.scene.fallInterval = fallInterval;
}

void rainOnThePond(std::int32_t t) {
    if (t > 100 && t % 64 == 0) dropStormBean();
    for (int drop = 0; drop < 2; ++drop) {
        // The three numbers are drawn in this order: value, row, column.
        const std::int32_t v = (-gameRand()) & 255;
        const std::int32_t y = gameRand() % 300;
        const std::int32_t x = gameRand() % 400;
        stampRipple(x, y, 3, v);
    }
    if (t > 150 && gameRand() < 1500) soundPlay(SoundThunder2, 0);
}

}  // namespace

void updateRain() {
    if (world.rainTimer <= 0) return;
    world.rainTimer -= 1;
    const std::int32_t t = world.rainTimer;
    if (t == 499) soundPlay(SoundThunder1, 0);
    if (t == 450) {
        world.rainVolume = -10000;
        soundSetVolume(SoundRainLoop, world.rainVolume);
        soundPlay(SoundRainLoop, 1);
    }
    if (t > 100 && t < 450 && world.rainVolume < 0) {
        world.rainVolume += 400;
        soundSetVolume(SoundRainLoop, world.rainVolume);
    }
    if (t < 440) rainOnThePond(t);
    if (t < 50 && world.rainVolume > -10000) {
        world.rainVolume -= 200;
        soundSetVolume(SoundRainLoop, world.rainVolume);
    }
    if (t == 0) soundStop(SoundRainLoop);
}

// The storm: its 500-frame timeline of thunder, the rain loop fading in and out, raindrops
// drawn value-row-column from the generator, random thunder only while more than 150 frames
// are left, and the five beans it drops at 384, 320, 256, 192 and 128 frames left whatever the
// scene's fall settings.
#include <algorithm>

#include "game/common/assets.h"
#include "game/common/random.h"
#include "render/pixels.h"
#include "tests/world/harness.h"

namespace wt {
namespace {

class Storm : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(3, 3, 6);
        scene.fallInterval = 5;
        load(scene);
        newGame();
        world.rainTimer = 500;
    }
};

TEST_F(Storm, TheTimelineOfAStorm) {
    world.fallCounter = 17;
    std::vector<int> dropsAt, rainStartsAt;
    int lastThunder = 1000, thunders = 0;
    while (world.rainTimer > 0) {
        const int beans = beansOnField(), starts = playsOf(SoundThunder1), rolls = playsOf(SoundThunder2);
        frame();
        if (beansOnField() != beans) dropsAt.push_back(world.rainTimer);
        if (playsOf(SoundThunder1) != starts) rainStartsAt.push_back(world.rainTimer);
        if (playsOf(SoundThunder2) != rolls) {
            lastThunder = world.rainTimer;
            ++thunders;
        }
    }
    // Five beans at their moments whatever the scene's fall settings; each resets the counter.
    EXPECT_EQ(dropsAt, (std::vector<int>{384, 320, 256, 192, 128}));
    EXPECT_EQ(world.scene.randomFall, 0);
    EXPECT_EQ(world.scene.fallInterval, 5);
    EXPECT_EQ(world.fallCounter, 0);
    // Random thunder only while more than 150 frames are left.
    EXPECT_GT(thunders, 0);
    EXPECT_GT(lastThunder, 150);
    // The opening thunder, and the rain loop fading in and out.
    EXPECT_EQ(rainStartsAt, std::vector<int>{499});
    std::vector<SoundCall> loop = {{SoundOp::SetVolume, SoundRainLoop, -10000},
                                   {SoundOp::Play, SoundRainLoop, 1}};
    for (int k = 1; k <= 25; ++k) loop.push_back({SoundOp::SetVolume, SoundRainLoop, -10000 + 400 * k});
    for (int k = 1; k <= 50; ++k) loop.push_back({SoundOp::SetVolume, SoundRainLoop, -200 * k});
    loop.push_back({SoundOp::Stop, SoundRainLoop, 0});
    EXPECT_EQ(callsOn(SoundRainLoop), loop);
    EXPECT_EQ(world.rainVolume, -10000);
    // Then the storm is idle: no sound, nothing drawn from the generator.
    const std::uint32_t state = randomState.state;
    soundLog.calls.clear();
    frames(3);
    EXPECT_EQ(randomState.state, state);
    EXPECT_TRUE(soundLog.calls.empty());
}

TEST_F(Storm, RaindropsStartBelow440FramesLeft) {
    while (world.rainTimer > 440) frame();
    const std::int16_t* maps = reinterpret_cast<std::int16_t*>(rippleMaps->pixels);
    ASSERT_TRUE(std::all_of(maps, maps + kFramePixels * 2, [](std::int16_t h) { return h == 0; }));
    // T = 439: two drops, each drawing its value, then its row, then its column.
    const std::uint32_t state = randomState.state;
    frame();
    randomState.state = state;
    for (int drop = 0; drop < 2; ++drop) {
        const std::int32_t v = (-gameRand()) & 255;
        const std::int32_t y = gameRand() % 300;
        const std::int32_t x = gameRand() % 400;
        if (x - 3 >= 0 && y - 3 >= 0 && x + 3 < 399 && y + 3 < 299) {
            EXPECT_EQ(rippleCurrentAt(x, y), v) << drop;
        }
    }
}

}  // namespace
}  // namespace wt

// The storm: its 500-frame timeline of thunder, the rain loop fading in and out, raindrops
// drawn value-row-column from the generator, random thunder only while more than 150 frames
// are left, and the five beans it drops at 384, 320, 256, 192 and 128 frames left whatever the
// scene's fall settings.
#include "tests/world/harness.h"

#include "game/screens/assets.h"
#include "game/shell/random.h"
#include "render/pixels.h"

namespace wt {
namespace {

class Storm : public World {
protected:
    void SetUp() override {
        World::SetUp();
        TestScene scene;
        scene.set(3, 3, 6);
        scene.randomFall = 0;
        scene.fallInterval = 5;
        load(scene);
        newGame();
        world.rainTimer = 500;
    }
};

int beansOnField() {
    int n = 0;
    for (std::uint8_t c : world.cells) n += c < BonusBean;
    return n;
}

TEST_F(Storm, FiveBeansFallAtTheirMomentsWhateverTheScene) {
    world.fallCounter = 17;
    std::vector<int> dropsAt;
    while (world.rainTimer > 0) {
        const int before = beansOnField();
        frame();
        if (beansOnField() != before) dropsAt.push_back(world.rainTimer);
    }
    EXPECT_EQ(dropsAt, (std::vector<int>{384, 320, 256, 192, 128}));
    EXPECT_EQ(world.randomFall, 0);
    EXPECT_EQ(world.fallInterval, 5);
    EXPECT_EQ(world.fallCounter, 0);  // each storm bean resets the counter
}

TEST_F(Storm, TheRainLoopFadesInAndOut) {
    std::vector<int> playsAt6;
    while (world.rainTimer > 0) {
        const int plays = playsOf(SoundThunder1);
        frame();
        if (playsOf(SoundThunder1) != plays) playsAt6.push_back(world.rainTimer);
    }
    EXPECT_EQ(playsAt6, std::vector<int>{499});
    const std::vector<SoundCall> loop = callsOn(SoundRainLoop);
    ASSERT_EQ(loop.size(), 2u + 25u + 50u + 1u);
    EXPECT_EQ(loop[0], (SoundCall{SoundOp::SetVolume, SoundRainLoop, -10000}));
    EXPECT_EQ(loop[1], (SoundCall{SoundOp::Play, SoundRainLoop, 1}));
    for (int k = 0; k < 25; ++k) {
        EXPECT_EQ(loop[2 + k], (SoundCall{SoundOp::SetVolume, SoundRainLoop, -10000 + 400 * (k + 1)}));
    }
    for (int k = 0; k < 50; ++k) {
        EXPECT_EQ(loop[27 + k], (SoundCall{SoundOp::SetVolume, SoundRainLoop, -200 * (k + 1)}));
    }
    EXPECT_EQ(loop[77], (SoundCall{SoundOp::Stop, SoundRainLoop, 0}));
    EXPECT_EQ(world.rainVolume, -10000);
}

TEST_F(Storm, ThunderRollsOnlyWhileMoreThan150FramesAreLeft) {
    int lastThunder = 1000;
    int thunders = 0;
    while (world.rainTimer > 0) {
        const int plays = playsOf(SoundThunder2);
        frame();
        if (playsOf(SoundThunder2) != plays) {
            lastThunder = world.rainTimer;
            ++thunders;
        }
    }
    EXPECT_GT(thunders, 0);
    EXPECT_GT(lastThunder, 150);
}

TEST_F(Storm, RaindropsStartBelow440FramesLeft) {
    while (world.rainTimer > 440) frame();
    for (int i = 0; i < kFramePixels * 2; ++i) {
        ASSERT_EQ(reinterpret_cast<std::int16_t*>(rippleMaps->pixels)[i], 0) << i;
    }
    // T = 439: two drops, each drawing its value, then its row, then its column.
    const std::uint32_t state = randomState.state;
    frame();
    randomState.state = state;
    for (int drop = 0; drop < 2; ++drop) {
        const std::int32_t v = (-gameRand()) & 255;
        const std::int32_t y = gameRand() % 300;
        const std::int32_t x = gameRand() % 400;
        const bool onThePond = x - 3 >= 0 && y - 3 >= 0 && x + 3 < 399 && y + 3 < 299;
        if (onThePond) {
            EXPECT_EQ(rippleCurrentAt(x, y), v) << drop;
        }
    }
}

TEST_F(Storm, TheStormEndsIdle) {
    frames(500);
    EXPECT_EQ(world.rainTimer, 0);
    const std::uint32_t state = randomState.state;
    soundLog.calls.clear();
    frames(3);
    EXPECT_EQ(randomState.state, state);
    EXPECT_TRUE(soundLog.calls.empty());
}

}  // namespace
}  // namespace wt

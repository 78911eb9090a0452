// A replay guard: a scene made here, a fixed seed and a fixed key script, run through the play
// frame's calling order for a few hundred frames with pictures made in memory, must give the
// same frame hashes on every run. The rule tests prove the rules; this one catches any change
// to what a game looks like, intended or not. After an intended change, run the test with
// MT_REPLAY_PRINT=1 and paste the hashes it prints.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/support.h"

namespace {

std::vector<PixelBuffer*> images;

PixelBuffer* solidImage(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    PixelBuffer* image = createPixelBuffer(width, height);
    std::fill(image->pixels(), image->pixels() + width * height, colour);
    images.push_back(image);
    return image;
}

// The worm's part of a play frame in the play screen's order: the first held arrow starts it,
// it steps, grows and takes its random fall; a held steering arrow stirs the water.
void playStep() {
    constexpr std::uint8_t kArrows[4] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    for (int d = 0; d < 4 && !world.started; ++d) {
        if (!keyHeld(kArrows[d])) continue;
        world.segDir[0] = static_cast<std::uint8_t>(d);
        world.started = 1;
    }
    if (world.started) {
        stepWorm();
        if (world.pendingGrowth > 0 && world.tailHold <= 0) {
            world.pendingGrowth -= 1;
            growWorm();
        }
        if (world.scene.fallInterval != 0) dropRandomBean(gameRand() % 5);
    }
    bool steering = false;
    for (int d = 0; d < 4; ++d) steering |= keyHeld(kArrows[d]) && (d + 2) % 4 != world.segDir[0];
    if (steering) stampRipple(world.segX[1] + 4, world.segY[1] + 5, 2, gameRand() & 127);
}

class Replay : public ts::Game {
protected:
    void SetUp() override {
        ts::Game::SetUp();
        world.cells.fill(Empty);
        world.cellEffect.fill(EffectNone);
        light.brightness = 256;
        seedRandom(1);
    }
    void TearDown() override {
        for (PixelBuffer* image : images) destroyPixelBuffer(image);
        images.clear();
        assets = AssetCatalogue{};
        ts::Game::TearDown();
    }
};

// Row 15 leads the worm through five blue beans (a storm), five orange (the laser), five red
// (speed) and five purple (halving); the rest of the pond holds a scatter of beans and stones.
void fillReplayScene() {
    resetPlayfield();
    world.scene.background = 1;
    world.scene.randomFall = 1;
    world.scene.fallInterval = 2;
    world.scene.objective = 1;  // Escape: the exit and its arrows are drawn
    seedRandom(77);
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            std::uint8_t code = 255;
            if (row == 15) {
                if (column >= 7 && column < 32)
                    code = std::uint8_t(std::array{3, 1, 0, 4, 2}[(column - 7) / 5]);
            } else if (gameRand() % 100 < 12) {
                code = gameRand() % 6 == 0 ? 5 : 10;  // stones and random beans
            }
            if (column == 5 && row == 15) code = 6;  // start
            if (column == 36 && row == 4) code = 7;  // exit
            fillPlayfield(column, row, code);
        }
    }
}

struct KeyStep {
    int frame;
    std::uint8_t key;
    bool pressed;
};
// Right at once, held for a while; later a turn up and a turn right again.
constexpr KeyStep kScript[] = {
    {3, kKeyTab, true},    {6, kKeyTab, false},    {8, kKeyRight, true},  {60, kKeyRight, false},
    {170, kKeyUp, true},   {172, kKeyUp, false},   {200, kKeyLeft, true}, {203, kKeyLeft, false},
    {230, kKeyDown, true}, {232, kKeyDown, false},
};

// The play screen's frame while the worm lives; once the world's step has ended in an outcome
// (death or the exit), the closing frames draw the dying worm or the won field.
void replayFrame() {
    const bool playing = world.outcome == WorldOutcome::None;
    updateDayCycle();
    if (playing) playStep();
    updateRain();
    if (playing || world.sceneAccomplished) {
        drawPlayfield();
    } else {
        drawPlayfieldDying();
    }
}

// Pictures with some structure, so that a misplaced blit changes the hash.
void makePictures() {
    PixelBuffer* floor = solidImage(400, 300, 0);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            floor->pixels()[y * 400 + x] = std::uint32_t((x * 3) ^ (y * 5)) & 0x00FFFFFFu;
    assets.background = floor;
    assets.score = solidImage(245, 11, 0x00B0A090u);
    assets.shadow = solidImage(10, 10, 0x00303030u);
    assets.stone = solidImage(10, 10, 0x00909090u);
    assets.exit = solidImage(10, 10, 0x0000C000u);
    assets.worm = solidImage(10, 10, 0x00204010u);
    for (PixelBuffer** arrow : {&assets.up, &assets.down, &assets.left, &assets.right}) {
        *arrow = solidImage(10, 10, 0x00E0E0E0u);
        (*arrow)->pixels()[0] = colourKey;
    }
    for (PixelBuffer** popUp : {&assets.add5, &assets.add10, &assets.add15, &assets.add30, &assets.lifeUp}) {
        *popUp = solidImage(14, 7, 0x00FFFF40u);
    }
    for (int i = 0; i < 8; ++i) {
        assets.wormB[i] = solidImage(10, 10, 0x00100800u * std::uint32_t(i + 1));
        assets.wormD[i] = solidImage(12 + i, 12 + i, 0x00080808u * std::uint32_t(8 - i));
    }
    for (int i = 0; i < kTextureSize * kTextureSize; ++i) {
        std::uint32_t x = std::uint32_t(i % kTextureSize), y = std::uint32_t(i / kTextureSize);
        beanTexture.texels[i] = ((x * 5) << 16 | (y * 7) << 8 | (x ^ y)) & 0x00FFFFFFu;
        brightTexture.texels[i] = (x + y) % 7 == 0 ? kTransparentTexel : ((x / 4) * 0x010101u) & 0x003F3F3Fu;
    }
}

std::uint64_t maskedHash() {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint32_t pixel : drawBuffer->pixels) hash = (hash ^ (pixel & 0x00FFFFFFu)) * 1099511628211ull;
    return hash;
}

std::vector<std::uint64_t> runReplay(int frames, int every) {
    makePictures();
    fillReplayScene();
    resetWorm(WormReset::NewGame);
    world.dayClock = 2600;  // dusk: the night and its sprite come within the replay
    world.outcome = WorldOutcome::None;
    game.currentScreen = nullptr;
    seedRandom(20261206);
    std::vector<std::uint64_t> hashes;
    std::size_t next = 0;
    for (int frame = 0; frame < frames; ++frame) {
        while (next < std::size(kScript) && kScript[next].frame == frame) {
            pushKeyEvent(kScript[next].key, kScript[next].pressed);
            ++next;
        }
        replayFrame();
        if ((frame + 1) % every == 0) hashes.push_back(maskedHash());
    }
    return hashes;
}

// Every 25th frame of 400: the storm from frame 50, the laser, halving, dusk into night.
constexpr std::uint64_t kExpected[] = {
    0xece4f294c07cda3eull, 0x1333d574e8853a26ull, 0xa3d306083aa195e5ull, 0x5374b13b5d341dd1ull,
    0x490e31ca10a34ac1ull, 0x8cb8716176efb863ull, 0x462875e8a0340198ull, 0x69284fbd4fb09a46ull,
    0x21e6d5f629b1d0e6ull, 0x7eedc0597ed0e99cull, 0xda7222fbbb87fd93ull, 0xd8298c03de81c1afull,
    0x0408da61f5e96cf5ull, 0xcad9ce07d8e2e1cbull, 0xd429529f4f0d94e1ull, 0xdb232833ab17e5b2ull,
};

TEST_F(Replay, SameFramesEveryRun) {
    std::vector<std::uint64_t> hashes = runReplay(400, 25);
    if (std::getenv("MT_REPLAY_PRINT")) {
        for (std::uint64_t h : hashes) std::printf("    0x%016llxull,\n", static_cast<unsigned long long>(h));
    }
    ASSERT_EQ(hashes.size(), std::size(kExpected));
    for (std::size_t i = 0; i < hashes.size(); ++i)
        EXPECT_EQ(hashes[i], kExpected[i]) << "frame " << (i + 1) * 25;
}

// The living worm's shadow leaves the key colour out; the dying worm's fading shadows take every
// pixel, the key colour too.
TEST_F(Replay, OnlyTheDyingWormsShadowsSubtractTheKeyColour) {
    assets.shadow = solidImage(10, 10, colourKey);
    world.length = 1;
    world.segX[0] = world.segY[0] = 100;
    for (auto [draw, left] :
         {std::pair(&drawWormShadow, 0xFFFFFFu), std::pair(&drawDissolvingShadow, 0x00FF00u)}) {
        std::fill(std::begin(drawBuffer->pixels), std::end(drawBuffer->pixels), 0xFFFFFFu);
        draw();
        EXPECT_EQ(drawBuffer->pixels[110 * 400 + 110] & 0xFFFFFFu, left);
    }
}

}  // namespace

// How long one busy play frame takes (the world step and the whole playfield drawing: a worm
// of 24 segments, a storm, a laser, beans falling all over the pond, at night), and the pond's
// wave step with the refraction alone, packed and plain side by side. The pictures and
// textures come from the generated DAT folder when there is one (MT_DAT_DIR overrides it),
// otherwise from solid stand-ins. MT_BENCH_DUMP=<file.ppm> writes the busy frame for a look.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/common/assets.h"
#include "game/common/frames.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/platform.h"
#include "game/common/random.h"
#include "game/world/draw.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/pixels.h"
#include "render/texture.h"

// A silent platform: no sound slot is loaded, so the world's sound calls stop at their guards.
int platformOpenAudio() {
    return 0;
}
void platformCloseAudio() {}
int platformLoadSound(int, const char*) {
    return 0;
}
bool platformSoundLoaded(int) {
    return false;
}
void platformSound(SoundOp, int, std::int32_t) {}
void platformSetPlayerVolume(int, std::int32_t) {}

// What the asset catalogue brings in the game.
__attribute__((weak)) TextureStore beanTexture;
__attribute__((weak)) TextureStore brightTexture;
__attribute__((weak)) void loadBackground() {}

namespace {

std::string datFolder() {
    const char* overridden = std::getenv("MT_DAT_DIR");
    return overridden ? overridden : MT_BENCH_DAT;
}

PixelBuffer* image(const char* name, std::uint32_t colour, int width = 10, int height = 10) {
    if (PixelBuffer* loaded = loadBmp((datFolder() + "/" + name).c_str())) return loaded;
    PixelBuffer* solid = createPixelBuffer(width, height);
    for (int i = 0; i < width * height; ++i) solid->pixels()[i] = colour;
    return solid;
}

void texture(TextureStore* store, const char* name, std::uint32_t colour) {
    if (loadTexture(store, (datFolder() + "/" + name).c_str())) return;
    for (std::uint32_t& texel : store->texels) texel = colour;
}

void loadPictures() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    assets.background = image("bg03.bmp", 0x00406080u, 400, 300);
    assets.score = image("score.bmp", 0x00C0C0C0u, 245, 11);
    assets.shadow = image("shadow.bmp", 0x00202020u);
    assets.stone = image("stone.bmp", 0x00808080u);
    assets.exit = image("exit.bmp", 0x0000FF00u);
    assets.worm = image("worm.bmp", 0x00306030u);
    assets.up = image("up.bmp", 0x00FFFFFFu);
    assets.down = image("down.bmp", 0x00FFFFFFu);
    assets.left = image("left.bmp", 0x00FFFFFFu);
    assets.right = image("right.bmp", 0x00FFFFFFu);
    assets.add5 = image("add5.bmp", 0x00FFFF00u);
    assets.add10 = image("add10.bmp", 0x00FFFF00u);
    assets.add15 = image("add15.bmp", 0x00FFFF00u);
    assets.add30 = image("add30.bmp", 0x00FFFF00u);
    assets.lifeUp = image("lifeup.bmp", 0x00FFFF00u);
    char name[16];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(name, sizeof name, "wormb%d.bmp", i + 1);
        assets.wormB[i] = image(name, 0x00102010u);
        std::snprintf(name, sizeof name, "wormd%d.bmp", i + 1);
        assets.wormD[i] = image(name, 0x00101010u);
    }
    texture(&beanTexture, "bean.txm", 0x00C04040u);
    texture(&brightTexture, "bright.txm", 0x00202010u);
}

// A worm of 24 segments along row 15 heading Right, the rest of the pond strewn with beans and
// stones, `falling` of the beans still in the air at heights all the way up to 63, a storm in
// full rain, a laser in flight, pop-ups rising, night with the night sprite up.
WorldState busyWorld(int falling) {
    seedRandom(2026);
    world = WorldState{};
    world.cells.fill(Empty);
    world.cellEffect.fill(EffectNone);
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            if (row == 15) continue;
            int at = cellIndex(column, row);
            int roll = gameRand() % 100;
            if (roll < 30) {
                world.cells[at] = static_cast<std::uint8_t>(gameRand() % 5);
            } else if (roll < 36) {
                world.cells[at] = Stone;
            } else if (roll < 40) {
                world.cellEffect[at] = EffectAdd10;
                world.effectAge[at] = static_cast<std::int16_t>(gameRand() % 32);
            }
        }
    }
    for (int placed = 0; placed < falling;) {
        int at = cellIndex(gameRand() % kFieldColumns, gameRand() % kFieldRows);
        if (world.cells[at] >= 5 || world.fallHeight[at] != 0) continue;
        world.fallHeight[at] = static_cast<std::int16_t>(6 + gameRand() % 58);
        ++placed;
    }
    world.length = 24;
    for (int i = 0; i < kMaxSegments; ++i) {
        world.segX[i] = 250 - 10 * (i < 24 ? i : 23);
        world.segY[i] = 150;
        world.segDir[i] = Right;
    }
    for (int i = 0; i < 24; ++i) world.cells[cellIndex(25 - i, 15)] = WormBody;
    world.started = 1;
    world.scene.randomFall = 1;
    world.scene.fallInterval = 1;
    world.scene.objective = 1;
    world.exitCol = 39;
    world.exitRow = 0;
    world.rainTimer = 430;
    world.laserAge = 1;
    world.laserX = 250;
    world.laserY = 150;
    world.laserDX = 10;
    world.dayClock = 2900;  // the night sprite is up
    world.comboCount = 3;
    return world;
}

// Drops and splashes of the sizes the game stamps, spread over the pond: a storm with beans
// landing keeps about this many going.
void disturbPond() {
    for (int drop = 0; drop < 4; ++drop)
        stampRipple(gameRand() % 400, gameRand() % 300, 3, (gameRand() & 511) - 320);
}

void setUpPond() {
    initRowTables();
    resetClipRect();
    clearRipples();
    light.brightness = 64;
    for (int i = 0; i < 60; ++i) {
        disturbPond();
        stepRipples();
    }
}

// One frame in the play screen's order: the day, the worm and its growth, random fall, the
// steering ripple, the storm, the drawing.
void playFrame() {
    updateDayCycle();
    stepWorm();
    if (world.pendingGrowth > 0 && world.tailHold <= 0) {
        world.pendingGrowth -= 1;
        growWorm();
    }
    if (world.scene.fallInterval != 0) dropRandomBean(gameRand() % 5);
    stampRipple(world.segX[1] + 4, world.segY[1] + 5, 2, gameRand() & 127);
    updateRain();
    drawPlayfield();
}

void BM_BusyPlayFrame(benchmark::State& state) {
    loadPictures();
    setUpPond();
    const WorldState busy = busyWorld(static_cast<int>(state.range(0)));
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % 40 == 0) {
            // Back to the busy start before the worm has eaten the scene bare.
            state.PauseTiming();
            world = busy;
            light.brightness = 64;
            state.ResumeTiming();
        }
        playFrame();
        benchmark::DoNotOptimize(drawBuffer->pixels[0]);
    }
    if (const char* dump = std::getenv("MT_BENCH_DUMP")) {
        if (std::FILE* file = std::fopen(dump, "wb")) {
            std::fprintf(file, "P6\n400 300\n255\n");
            for (std::uint32_t pixel : drawBuffer->pixels) {
                unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                        static_cast<unsigned char>(pixel >> 8),
                                        static_cast<unsigned char>(pixel)};
                std::fwrite(rgb, 1, 3, file);
            }
            std::fclose(file);
        }
    }
}
// 8 beans in the air is a lively storm; 40 is far beyond what a game drops at once.
BENCHMARK(BM_BusyPlayFrame)->Arg(0)->Arg(8)->Arg(40)->Unit(benchmark::kMicrosecond);

void BM_RipplesAndRefraction(benchmark::State& state) {
    setUpPond();
    for (auto _ : state) {
        stepRipples();
        refractPond();
        disturbPond();  // keep the pond from calming down
        benchmark::DoNotOptimize(drawBuffer->pixels[0]);
    }
}
BENCHMARK(BM_RipplesAndRefraction)->Unit(benchmark::kMicrosecond);

void BM_RipplesAndRefractionPlain(benchmark::State& state) {
    setUpPond();
    const PondRect whole{0, 0, 399, 299};
    for (auto _ : state) {
        pond.currentMap ^= 1;
        waveStepPlain(rippleCurrent(), ripplePrevious(), whole);
        refractPlain(drawBuffer->pixels, backdropBuffer->pixels, rippleCurrent(), whole);
        disturbPond();
        benchmark::DoNotOptimize(drawBuffer->pixels[0]);
    }
}
BENCHMARK(BM_RipplesAndRefractionPlain)->Unit(benchmark::kMicrosecond);

void BM_WaveStepAlone(benchmark::State& state) {
    setUpPond();
    for (auto _ : state) {
        stepRipples();
        benchmark::DoNotOptimize(rippleCurrent()[0]);
    }
}
BENCHMARK(BM_WaveStepAlone)->Unit(benchmark::kMicrosecond);

void BM_RefractionAlone(benchmark::State& state) {
    setUpPond();
    for (auto _ : state) {
        refractPond();
        benchmark::DoNotOptimize(drawBuffer->pixels[0]);
    }
}
BENCHMARK(BM_RefractionAlone)->Unit(benchmark::kMicrosecond);

void BM_CalmPondRefraction(benchmark::State& state) {
    initRowTables();
    resetClipRect();
    clearRipples();
    for (auto _ : state) {
        stepRipples();
        refractPond();
        benchmark::DoNotOptimize(drawBuffer->pixels[0]);
    }
}
BENCHMARK(BM_CalmPondRefraction)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

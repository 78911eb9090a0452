// Speed of presenting a frame: the after-glow blend and the 800 x 600 full-screen expansion,
// packed beside plain, the 16-bit expansion, and the whole presentFrame of each mode as the
// game runs it (on the headless layer, so only our own pixel work is timed); verifying a long
// replay; opening the scene list over thousands of scenes and progress lines. With SDL2
// available, SDL_ConvertPixels doing a plain 800 x 600 copy-convert gives a yardstick.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "game/common/frames.h"
#include "game/common/keys.h"
#include "game/media/present.h"
#include "game/platform/headless/headless.h"
#include "game/replay/replay.h"
#include "game/screens/progress.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/media.h"
#include "game/shell/shell.h"
#include "game/world/world.h"
#include "render/pixels.h"
#include "scene/scene.h"

#if defined(MT_BENCH_WITH_SDL)
#include <SDL.h>
#endif

namespace {

std::vector<std::uint32_t> randomFrame() {
    std::mt19937 random(5);
    std::vector<std::uint32_t> frame(kFramePixels);
    for (std::uint32_t& p : frame) p = static_cast<std::uint32_t>(random()) & 0x00FFFFFF;
    return frame;
}

void BM_BlendPlain(benchmark::State& state) {
    const std::vector<std::uint32_t> frame = randomFrame();
    std::vector<std::uint32_t> display(kFramePixels, 0);
    for (auto _ : state) {
        blendFramePlain(frame.data(), display.data(), kFramePixels);
        benchmark::DoNotOptimize(display.data());
    }
}
BENCHMARK(BM_BlendPlain);

void BM_BlendPacked(benchmark::State& state) {
    const std::vector<std::uint32_t> frame = randomFrame();
    std::vector<std::uint32_t> display(kFramePixels, 0);
    for (auto _ : state) {
        blendFrame(frame.data(), display.data(), kFramePixels);
        benchmark::DoNotOptimize(display.data());
    }
}
BENCHMARK(BM_BlendPacked);

void BM_ExpandPlain(benchmark::State& state) {
    const std::vector<std::uint32_t> frame = randomFrame();
    std::vector<std::uint32_t> screen(kScreenWidth * kScreenHeight);
    for (auto _ : state) {
        expandFramePlain(frame.data(), screen.data(), kScreenWidth);
        benchmark::DoNotOptimize(screen.data());
    }
}
BENCHMARK(BM_ExpandPlain);

void BM_ExpandPacked(benchmark::State& state) {
    const std::vector<std::uint32_t> frame = randomFrame();
    std::vector<std::uint32_t> screen(kScreenWidth * kScreenHeight);
    for (auto _ : state) {
        expandFrame(frame.data(), screen.data(), kScreenWidth);
        benchmark::DoNotOptimize(screen.data());
    }
}
BENCHMARK(BM_ExpandPacked);

void BM_Expand16(benchmark::State& state) {
    const std::vector<std::uint32_t> frame = randomFrame();
    static SixteenBitTables tables;
    buildSixteenBitTables(&tables, false);
    std::vector<std::uint16_t> screen(kScreenWidth * kScreenHeight);
    for (auto _ : state) {
        expandFrame16(frame.data(), screen.data(), kScreenWidth, tables);
        benchmark::DoNotOptimize(screen.data());
    }
}
BENCHMARK(BM_Expand16);

// presentFrame as the game calls it: blend, then the mode's picture (the headless layer also
// keeps a copy of the frame, which is part of what is timed).
void presentInMode(benchmark::State& state, int windowed) {
    resetHeadlessGame();
    options.isWindowed = windowed;
    initDisplay();
    const std::vector<std::uint32_t> frame = randomFrame();
    std::copy(frame.begin(), frame.end(), drawBuffer->pixels);
    for (auto _ : state) presentFrame();
    resetHeadlessGame();
}

void BM_PresentFrameWindowed(benchmark::State& state) {
    presentInMode(state, 1);
}
BENCHMARK(BM_PresentFrameWindowed);

void BM_PresentFrameFullScreen(benchmark::State& state) {
    presentInMode(state, 0);
}
BENCHMARK(BM_PresentFrameFullScreen);

#if defined(MT_BENCH_WITH_SDL)
// SDL's own pixel conversion of an 800 x 600 picture (32-bit to 32-bit with a swizzle): the
// work a plain upload of a full-screen frame costs, for comparison with the expansion.
void BM_SdlConvert800x600(benchmark::State& state) {
    std::vector<std::uint32_t> in(kScreenWidth * kScreenHeight, 0x00123456), out(in.size());
    for (auto _ : state) {
        SDL_ConvertPixels(kScreenWidth, kScreenHeight, SDL_PIXELFORMAT_RGB888, in.data(), kScreenWidth * 4,
                          SDL_PIXELFORMAT_BGR888, out.data(), kScreenWidth * 4);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SdlConvert800x600);

// One windowed present on SDL's software renderer at a whole factor (the argument): upload the
// 400 x 300 frame, clear the client area, copy the frame in at its placement (nearest
// sampling). The window system's own copy of the client area to the screen is not included.
void BM_SdlPresentWindowAtFactor(benchmark::State& state) {
    const int factor = static_cast<int>(state.range(0));
    const PixelSize client{kFrameSize.w * factor, kFrameSize.h * factor};
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, client.w, client.h, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                             kFrameSize.w, kFrameSize.h);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    const std::vector<std::uint32_t> frame = randomFrame();
    const Placement place = placePicture(client, kFrameSize, false);
    const SDL_Rect target{place.x, place.y, place.w, place.h};
    for (auto _ : state) {
        SDL_UpdateTexture(texture, nullptr, frame.data(), kFrameRowBytes);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, &target);
        SDL_RenderPresent(renderer);
        benchmark::DoNotOptimize(surface->pixels);
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_SdlPresentWindowAtFactor)->Arg(1)->Arg(2)->Arg(4);

// One full-screen present on SDL's software renderer at 1920 x 1080, as the SDL layer does it:
// whole factors (the argument 0: the 800 x 600 picture once, centred) or sharp fill (1: the
// picture twice its size into a target texture with nearest sampling, then linearly down to
// 1440 x 1080). Upload of the expanded picture included; the screen's own copy not.
void BM_SdlPresentFullScreen1080p(benchmark::State& state) {
    const bool sharp = state.range(0) != 0;
    const PixelSize output{1920, 1080};
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, output.w, output.h, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                             kScreenWidth, kScreenHeight);
    const Placement place = placePicture(output, kFullScreenSize, sharp);
    SDL_Texture* step = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                          kScreenWidth * place.factor, kScreenHeight * place.factor);
    const std::vector<std::uint32_t> frame = randomFrame();
    std::vector<std::uint32_t> picture(kScreenWidth * kScreenHeight);
    const SDL_Rect target{place.x, place.y, place.w, place.h};
    for (auto _ : state) {
        expandFrame(frame.data(), picture.data(), kScreenWidth);
        SDL_UpdateTexture(texture, nullptr, picture.data(), kScreenWidth * 4);
        SDL_Texture* shown = texture;
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
        if (place.smooth) {
            SDL_SetRenderTarget(renderer, step);
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_SetRenderTarget(renderer, nullptr);
            SDL_SetTextureScaleMode(step, SDL_ScaleModeLinear);
            shown = step;
        }
        SDL_RenderCopy(renderer, shown, nullptr, &target);
        SDL_RenderPresent(renderer);
        benchmark::DoNotOptimize(surface->pixels);
    }
    state.SetLabel(sharp ? "sharp fill 1440x1080" : "whole factor 800x600");
    SDL_DestroyTexture(step);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_SdlPresentFullScreen1080p)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
#endif

// A ten-minute game at 20 frames per second (12,000 frames): the worm circles an empty pond,
// turning every 60 frames, recorded on the headless layer in a throw-away program folder and
// then verified as --verify-replay does. The time per iteration is the whole verification.
Replay recordLongGame() {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/munchtrail-bench-XXXXXX";
    const fs::path root = mkdtemp(pattern);
    fs::create_directory_symlink(fs::path(MT_DIST_DIR) / "DAT", root / "DAT");
    fs::create_directory(root / "Scenes");
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
    fs::current_path(root);
    Scene scene;
    scene.title = "Bench";
    scene.grid[sceneCellIndex(20, 15)] = StartPoint;
    writeSceneFile("Scenes/bench.qsn", scene);
    resetHeadlessGame();
    initGame();
    loadScene("bench.qsn");
    game.currentScreen = &gameStartScreen;
    constexpr std::uint8_t arrows[] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    for (int frame = 0; frame < 12000; ++frame) {
        if (frame % 60 == 1) scriptPress(arrows[frame / 60 % 4]);
        runOneFrame();
    }
    finishReplayRecording();
    Replay replay;
    std::string message;
    readReplayFile(fs::directory_iterator(root / "state/munchtrail/replays")->path(), replay, message);
    fs::current_path(MT_DIST_DIR);  // its DAT serves the verification
    fs::remove_all(root);
    return replay;
}

void BM_VerifyTenMinuteGame(benchmark::State& state) {
    static const Replay replay = recordLongGame();
    std::string message;
    for (auto _ : state) {
        if (verifyReplay(replay, message) != 0) state.SkipWithError(message.c_str());
    }
    state.counters["frames"] = replay.frameCount;
    state.SetLabel(message);
}
BENCHMARK(BM_VerifyTenMinuteGame)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening the scene list with 3,000 scenes and a progress file of 3,000 lines, every scene won,
// so every listed file is read and hashed for the won count: the first frame of the screen
// (listing both folders, reading the progress, hashing, marking the page, reading the first
// scene, drawing). It must stay well within one fade-in: 32 frames, 1.6 s at 20 frames a second.
void BM_OpenSceneListOf3000(benchmark::State& state) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/munchtrail-bench-XXXXXX";
    const fs::path root = mkdtemp(pattern);
    fs::create_directory_symlink(fs::path(MT_DIST_DIR) / "DAT", root / "DAT");
    fs::create_directory(root / "Scenes");
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
    fs::current_path(root);
    ProgressTable progress;
    for (int i = 0; i < 3000; ++i) {
        Scene scene;
        scene.title = "Scene " + std::to_string(i);
        scene.grid[sceneCellIndex(i % 40, i / 40 % 30)] = StartPoint;
        char name[32];
        std::snprintf(name, sizeof name, "s%04d.qsn", i);
        writeSceneFile((std::string("Scenes/") + name).c_str(), scene);
        std::uint64_t hash = 0;
        sceneFileHash(std::string("Scenes/") + name, hash);
        countGame(progress, name, hash, static_cast<std::uint32_t>(i), true, "best.mtreplay");
    }
    writeProgress(progress);
    resetHeadlessGame();
    initGame();
    for (auto _ : state) {
        resetSceneSelect();
        sceneSelectScreen();
        if (listProgress.wonCount != 3000) state.SkipWithError("not every scene counted as won");
    }
    state.counters["scenes"] = 3000;
    shutdownGame();
    fs::current_path(MT_DIST_DIR);
    fs::remove_all(root);
}
BENCHMARK(BM_OpenSceneListOf3000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

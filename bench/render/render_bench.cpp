// Speed of our blits next to SDL2's software blitter doing the same job on the same pictures,
// and of the three quad fillers. Each benchmark times ours, the plain kernels and (for blits)
// SDL in batches inside the same run, and reports them as counters: ours_ns, plain_ns, sdl_ns
// and ratio = ours / SDL (the goal is at most 1.0); the quads also report packed_ns, the
// packed span kernels at every width, beside ours, which picks per span. The reported time is
// ours. Iteration counts are fixed because every iteration also runs the other batches.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "render/blit.h"
#include "render/reference.h"
#include "render/texture.h"

#if defined(MT_BENCH_WITH_SDL)
#include <SDL.h>
#endif

namespace {

// The machine is shared, so jobs are timed on this thread's processor clock rather than the wall
// clock; small jobs run in batches so that reading the clock does not swamp them.
double threadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double timeBatch(int batch, const std::function<void()>& job) {
    double start = threadNanoseconds();
    for (int i = 0; i < batch; ++i) {
        job();
    }
    benchmark::ClobberMemory();
    return (threadNanoseconds() - start) / batch;
}

// A picture of noise with a keyed border and keyed specks, like a sprite on magenta.
PixelBuffer* makePicture(int width, int height) {
    PixelBuffer* image = createPixelBuffer(width, height);
    std::mt19937 random(static_cast<unsigned>(width * 1000 + height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            std::uint32_t colour = static_cast<std::uint32_t>(random()) & 0x00FFFFFFu;
            image->pixels()[y * width + x] = border || (random() % 8 == 0) ? colourKey : colour;
        }
    }
    return image;
}

enum class Op { copy, keyed, silhouette, add, subtract, subtractAll, dim, blend, keyedDim, keyedBlend, grab };

void runOurs(Op op, PixelBuffer* image, int x, int y) {
    switch (op) {
        case Op::copy: blitCopy(x, y, image); break;
        case Op::keyed: blitKeyed(x, y, image); break;
        case Op::silhouette: blitSilhouette(x, y, image); break;
        case Op::add: blitAdd(x, y, image); break;
        case Op::subtract: blitSubtract(x, y, image); break;
        case Op::subtractAll: blitSubtractAll(x, y, image); break;
        case Op::dim: blitDim(x, y, image, 128); break;
        case Op::blend: blitBlend(x, y, image, 100); break;
        case Op::keyedDim: blitKeyedDim(x, y, image, 128); break;
        case Op::keyedBlend: blitKeyedBlend(x, y, image, 100); break;
        case Op::grab: grabRect(x, y, image); break;
    }
}

#if defined(MT_BENCH_WITH_SDL)

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

// An SDL surface of the same 0x00RRGGBB pixels, set up for the job nearest to our operation.
// SDL has no subtractive blend; subtraction is timed against its additive blit, the same
// amount of work.
SurfacePtr sdlSource(Op op, const PixelBuffer* image) {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, image->width, image->height, 32, SDL_PIXELFORMAT_RGB888));
    for (int y = 0; y < image->height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                     y * surface->pitch);
        for (int x = 0; x < image->width; ++x) {
            row[x] = image->pixels()[y * image->width + x];
        }
    }
    bool key = op == Op::keyed || op == Op::silhouette || op == Op::add || op == Op::subtract ||
               op == Op::keyedDim || op == Op::keyedBlend;
    SDL_SetColorKey(surface.get(), key ? SDL_TRUE : SDL_FALSE, colourKey);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    if (op == Op::add || op == Op::subtract || op == Op::subtractAll) {
        mode = SDL_BLENDMODE_ADD;
    } else if (op == Op::blend || op == Op::keyedBlend) {
        mode = SDL_BLENDMODE_BLEND;
        SDL_SetSurfaceAlphaMod(surface.get(), 100);
    }
    SDL_SetSurfaceBlendMode(surface.get(), mode);
    if (op == Op::dim || op == Op::keyedDim) {
        SDL_SetSurfaceColorMod(surface.get(), 128, 128, 128);
    } else if (op == Op::silhouette) {
        SDL_SetSurfaceColorMod(surface.get(), 0, 0, 0);
    }
    return surface;
}

// SDL's screen starts with the same picture as ours: a surface never written would be read from
// the kernel's shared zero page and make a grab look cheaper than it is.
SurfacePtr sdlScreen(const FrameBuffer& frame) {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, kFrameWidth, kFrameHeight, 32, SDL_PIXELFORMAT_RGB888));
    for (int y = 0; y < kFrameHeight; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                     y * surface->pitch);
        for (int x = 0; x < kFrameWidth; ++x) {
            row[x] = frame.pixels[y * kFrameWidth + x];
        }
    }
    return surface;
}

#endif

void benchBlit(benchmark::State& state, Op op, int width, int height) {
    auto target = std::make_unique<FrameBuffer>();
    PixelBuffer* backdrop = makePicture(kFrameWidth, kFrameHeight);
    std::copy(backdrop->pixels(), backdrop->pixels() + kFramePixels, target->pixels);
    destroyPixelBuffer(backdrop);
    drawContext.target = target.get();
    resetClipRect();
    PixelBuffer* image = makePicture(width, height);
    int x = (kFrameWidth - width) / 2;
    int y = (kFrameHeight - height) / 2;
    double ours = 0, plain = 0, sdl = 0;
    int batch = width * height < 1000 ? 256 : 2;
#if defined(MT_BENCH_WITH_SDL)
    SurfacePtr source = sdlSource(op, image);
    SurfacePtr screen = sdlScreen(*target);
    SDL_Rect place{x, y, width, height};
    if (op == Op::grab) {
        std::swap(source, screen);  // the grab copies from the picture on screen into an image
        SDL_SetSurfaceBlendMode(source.get(), SDL_BLENDMODE_NONE);
        place = SDL_Rect{0, 0, width, height};
    }
#endif
    for (auto _ : state) {
        double mine = timeBatch(batch, [&] { runOurs(op, image, x, y); });
        ours += mine;
        renderPaths.referenceOnly = true;
        plain += timeBatch(batch, [&] { runOurs(op, image, x, y); });
        renderPaths.referenceOnly = false;
#if defined(MT_BENCH_WITH_SDL)
        SDL_Rect grabFrom{x, y, width, height};
        sdl += timeBatch(batch, [&] {
            SDL_Rect where = place;
            SDL_BlitSurface(source.get(), op == Op::grab ? &grabFrom : nullptr, screen.get(), &where);
        });
#endif
        state.SetIterationTime(mine * 1e-9);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["ours_ns"] = ours / n;
    state.counters["plain_ns"] = plain / n;
    if (sdl > 0) {
        state.counters["sdl_ns"] = sdl / n;
        state.counters["ratio"] = ours / sdl;
    }
    destroyPixelBuffer(image);
    drawContext.target = nullptr;
}

// A round bean of 10 x 10 texels on magenta in the texture's top-left corner, noise elsewhere.
std::unique_ptr<TextureStore> makeBeanTexture() {
    std::vector<std::uint8_t> bytes(kTxmBytes);
    std::mt19937 random(5);
    for (int r = 0; r < kTxmSize; ++r) {
        for (int c = 0; c < kTxmSize; ++c) {
            double dx = (c % 10) - 4.5, dy = (r % 10) - 4.5;
            std::uint32_t colour =
                dx * dx + dy * dy > 20 ? colourKey : (static_cast<std::uint32_t>(random()) & 0xFFFFFFu);
            for (int b = 0; b < 4; ++b) {
                bytes[(r * kTxmSize + c) * 4 + b] = static_cast<std::uint8_t>(colour >> (8 * b));
            }
        }
    }
    auto store = std::make_unique<TextureStore>();
    loadTextureFromMemory(store.get(), bytes.data(), bytes.size());
    return store;
}

enum class Fill { opaque, add, blend };

// The corners of a size x size square turned by angle about the frame's centre.
struct BeanQuad {
    int x[4] = {};
    int y[4] = {};
};

BeanQuad placeBean(int size, double angle) {
    double half = size / 2.0, cs = std::cos(angle) * half, sn = std::sin(angle) * half;
    const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    BeanQuad quad;
    for (int i = 0; i < 4; ++i) {
        quad.x[i] = 200 + static_cast<int>(std::lround(corners[i][0] * cs - corners[i][1] * sn));
        quad.y[i] = 150 + static_cast<int>(std::lround(corners[i][0] * sn + corners[i][1] * cs));
    }
    return quad;
}

void drawBean(Fill fill, const TextureStore* texture, const BeanQuad& q) {
    const int* x = q.x;
    const int* y = q.y;
    switch (fill) {
        case Fill::opaque:
            drawTexQuad(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], 0, 0, 9, 0, 9, 9, 0, 9, texture);
            break;
        case Fill::add:
            drawTexQuadAdd(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], 0, 0, 9, 0, 9, 9, 0, 9, texture);
            break;
        case Fill::blend:
            drawTexQuadBlend(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], 0, 0, 9, 0, 9, 9, 0, 9, texture,
                             160);
            break;
    }
}

void benchQuad(benchmark::State& state, Fill fill, int size, double angle) {
    auto target = std::make_unique<FrameBuffer>();
    drawContext.target = target.get();
    resetClipRect();
    auto texture = makeBeanTexture();
    double ours = 0, plain = 0, packed = 0;
    int batch = size < 50 ? 256 : 8;
    BeanQuad quad = placeBean(size, angle);
    for (auto _ : state) {
        double mine = timeBatch(batch, [&] { drawBean(fill, texture.get(), quad); });
        ours += mine;
        renderPaths.referenceOnly = true;
        plain += timeBatch(batch, [&] { drawBean(fill, texture.get(), quad); });
        renderPaths.referenceOnly = false;
        renderPaths.packedSpansOnly = true;
        packed += timeBatch(batch, [&] { drawBean(fill, texture.get(), quad); });
        renderPaths.packedSpansOnly = false;
        state.SetIterationTime(mine * 1e-9);
    }
    double n = static_cast<double>(state.iterations());
    state.counters["ours_ns"] = ours / n;
    state.counters["plain_ns"] = plain / n;
    state.counters["packed_ns"] = packed / n;
    drawContext.target = nullptr;
}

void benchClear(benchmark::State& state) {
    auto target = std::make_unique<FrameBuffer>();
    for (auto _ : state) {
        clearFrameBuffer(target.get());
        benchmark::ClobberMemory();
    }
}

void registerAll() {
    struct Named {
        const char* name;
        Op op;
    };
    const Named ops[] = {{"blitCopy", Op::copy},
                         {"blitKeyed", Op::keyed},
                         {"blitSilhouette", Op::silhouette},
                         {"blitAdd", Op::add},
                         {"blitSubtract", Op::subtract},
                         {"blitSubtractAll", Op::subtractAll},
                         {"blitDim", Op::dim},
                         {"blitBlend", Op::blend},
                         {"blitKeyedDim", Op::keyedDim},
                         {"blitKeyedBlend", Op::keyedBlend},
                         {"grabRect", Op::grab}};
    for (const Named& named : ops) {
        for (auto [w, h, label] : {std::tuple{10, 10, "10x10"}, std::tuple{400, 300, "400x300"}}) {
            std::string name = std::string(named.name) + "/" + label;
            Op op = named.op;
            int width = w, height = h;
            benchmark::RegisterBenchmark(name.c_str(),
                                         [=](benchmark::State& s) { benchBlit(s, op, width, height); })
                ->UseManualTime()
                ->Iterations(w == 10 ? 400 : 100);
        }
    }
    const std::pair<const char*, Fill> fills[] = {
        {"drawTexQuad", Fill::opaque}, {"drawTexQuadAdd", Fill::add}, {"drawTexQuadBlend", Fill::blend}};
    for (auto [label, fill] : fills) {
        Fill f = fill;
        benchmark::RegisterBenchmark((std::string(label) + "/bean10").c_str(),
                                     [=](benchmark::State& s) { benchQuad(s, f, 10, 0.0); })
            ->UseManualTime()
            ->Iterations(400);
        benchmark::RegisterBenchmark((std::string(label) + "/bean20").c_str(),
                                     [=](benchmark::State& s) { benchQuad(s, f, 20, 0.0); })
            ->UseManualTime()
            ->Iterations(400);
        benchmark::RegisterBenchmark((std::string(label) + "/falling136").c_str(),
                                     [=](benchmark::State& s) { benchQuad(s, f, 136, 0.4); })
            ->UseManualTime()
            ->Iterations(100);
    }
    benchmark::RegisterBenchmark("clearFrameBuffer", benchClear);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

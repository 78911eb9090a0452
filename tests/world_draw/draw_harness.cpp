// The drawing tests' harness: the asset catalogue's textures and background loader are
// stand-ins that the real ones replace when the game core brings them along.
#include "tests/world_draw/draw_harness.h"

#include <algorithm>
#include <vector>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/shell_state.h"
#include "game/world/pond.h"
#include "game/world/world.h"

__attribute__((weak)) TextureStore beanTexture;
__attribute__((weak)) TextureStore brightTexture;
__attribute__((weak)) void loadBackground() {
    ++wd::backgroundLoads;
}

namespace wd {

int backgroundLoads = 0;

namespace {
std::vector<PixelBuffer*> images;
}

PixelBuffer* solidImage(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    PixelBuffer* image = createPixelBuffer(width, height);
    std::fill(image->pixels(), image->pixels() + width * height, colour);
    images.push_back(image);
    return image;
}

void fillTexture(TextureStore* store, std::uint32_t colour) {
    std::fill(std::begin(store->texels), std::end(store->texels), colour);
}

std::uint64_t frameHash() {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint32_t pixel : drawBuffer->pixels) {
        hash = (hash ^ (pixel & 0x00FFFFFFu)) * 1099511628211ull;
    }
    return hash;
}

std::uint32_t floorAt(int x, int y) {
    return backdropBuffer->pixels[y * 400 + x] & 0x00FFFFFFu;
}
std::uint32_t frameAt(int x, int y) {
    return drawBuffer->pixels[y * 400 + x] & 0x00FFFFFFu;
}

void Drawing::SetUp() {
    world = WorldState{};
    resetLight();
    shell = ShellState{};
    keyboard = KeyboardState{};
    assets = AssetCatalogue{};
    pond = PondState{};
    wt::resetSoundLog();
    backgroundLoads = 0;
    seedRandom(1);
    initRowTables();
    resetClipRect();
    drawContext.target = drawBuffer;
    for (int slot : {0, 3, 4, 5}) clearFrameBuffer(slot);
    // Transparent atlases: beans and faces draw nothing unless a test paints the atlas.
    fillTexture(&beanTexture, kTransparentTexel);
    fillTexture(&brightTexture, kTransparentTexel);
    world.cells.fill(Empty);
    world.cellEffect.fill(EffectNone);
    light.brightness = 256;
}

void Drawing::TearDown() {
    for (PixelBuffer* image : images) destroyPixelBuffer(image);
    images.clear();
}

void Drawing::placeWorm(std::int32_t x, std::int32_t y, std::int32_t length) {
    world.length = length;
    for (int i = 0; i < kMaxSegments; ++i) {
        int k = std::min(i, length - 1);
        world.segX[i] = x;
        world.segY[i] = y + 10 * k;
        world.segDir[i] = Up;
    }
    for (int i = 0; i < length; ++i) world.cells[cellIndex(x / 10, y / 10 + i)] = WormBody;
}

void Drawing::kill() {
    world.face = 6;
    world.tailHold = 15;
    world.headDissolve = 0;
    world.endFade = 1000;
}

}  // namespace wd

// The playfield's drawing rules that no kept game shows by itself, with pictures made in memory.
// What a whole game looks like is pinned by the kept replays' frame hashes (tests/play).
#include <array>
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

class Drawing : public ts::Game {
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

// The living worm's shadow leaves the key colour out; the dying worm's fading shadows take every
// pixel, the key colour too.
TEST_F(Drawing, OnlyTheDyingWormsShadowsSubtractTheKeyColour) {
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

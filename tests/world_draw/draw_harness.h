// The harness of the drawing tests: the shared recording sound layer, stand-ins for what the
// asset catalogue brings in the real game, small solid images and textures made in memory, and
// a fixture that starts every test from a clean world, a calm pond and a known random seed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "render/pixels.h"
#include "render/texture.h"
#include "tests/world/recording.h"

namespace wd {

using wt::playsOf;
extern int backgroundLoads;  // calls of loadBackground

// A width x height image of one colour; owned by the fixture, freed at its end.
PixelBuffer* solidImage(std::int32_t width, std::int32_t height, std::uint32_t colour);
// Every texel of the store one opaque colour.
void fillTexture(TextureStore* store, std::uint32_t colour);
// A hash of the whole frame in drawBuffer.
std::uint64_t frameHash();
// The colour of a pixel of the floor layer and of the frame.
std::uint32_t floorAt(int x, int y);
std::uint32_t frameAt(int x, int y);

class Drawing : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A worm of `length` segments lying from (x, y) straight down behind a head heading Up.
    void placeWorm(std::int32_t x, std::int32_t y, std::int32_t length);
    // The state killWorm leaves for the death animation.
    void kill();
};

}  // namespace wd

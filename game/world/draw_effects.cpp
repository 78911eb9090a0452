// Glows on the pond floor: the spinning flash of the laser shot and the night sprite that
// drifts up across the pond once a night. The flash is rotated with fixed-point sine tables
// whose products keep only their high 32 bits, which is what places its corners.
#include <array>
#include <cmath>
#include <cstdlib>

#include "game/common/assets.h"
#include "game/world/draw.h"
#include "game/world/world.h"
#include "render/texture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kScale = 1073741824.0;  // 2^30

struct RotationTables {
    std::array<std::int32_t, 256> sine{};
    std::array<std::int32_t, 256> cosine{};
};

RotationTables buildRotationTables() {
    RotationTables tables;
    for (int a = 0; a < 256; ++a) {
        double angle = 2.0 * kPi * a / 256.0;
        tables.sine[a] = static_cast<std::int32_t>(std::lround(std::sin(angle) * kScale));
        tables.cosine[a] = static_cast<std::int32_t>(std::lround(std::cos(angle) * kScale));
    }
    return tables;
}

const RotationTables& rotationTables() {
    static const RotationTables tables = buildRotationTables();
    return tables;
}

// The high 32 bits of the 64-bit product (rounded down), times 4.
std::int32_t scaledProduct(std::int32_t value, std::int32_t factor) {
    std::int64_t product = static_cast<std::int64_t>(value) * factor;
    return static_cast<std::int32_t>(product >> 32) * 4;
}

// The night: the first frame of each picks the other of the two sprites.
constexpr std::int32_t kNightSwitch = 2700;
constexpr std::int32_t kNightEnd = 3200;
constexpr std::int32_t kNightMiddle = 2900;

}  // namespace

std::int32_t laserSine(std::int32_t angle) {
    return rotationTables().sine[angle & 0xFF];
}
std::int32_t laserCosine(std::int32_t angle) {
    return rotationTables().cosine[angle & 0xFF];
}

void rotateCorner(std::int32_t x, std::int32_t y, std::int32_t angle, std::int32_t& outX,
                  std::int32_t& outY) {
    std::int32_t s = laserSine(angle);
    std::int32_t c = laserCosine(angle);
    outX = scaledProduct(x, c) - scaledProduct(y, s);
    outY = scaledProduct(x, s) + scaledProduct(y, c);
}

void drawLaserFlash() {
    if (world.laserAge == 0 || !advanceLaser()) return;
    std::int32_t s = world.laserAge + 10;
    const std::int32_t cornerX[4] = {-s, s, s, -s};
    const std::int32_t cornerY[4] = {-s, -s, s, s};
    std::int32_t x[4], y[4];
    for (int k = 0; k < 4; ++k) {
        rotateCorner(cornerX[k], cornerY[k], world.laserAngle, x[k], y[k]);
        x[k] += world.laserX + 4;
        y[k] += world.laserY + 4;
    }
    drawTexQuadAdd(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], 0, 64, 63, 64, 63, 127, 0, 127,
                   &brightTexture);
}

void drawNightSprite() {
    std::int32_t t = world.dayClock;
    if (t == kNightSwitch) {
        world.nightSpritePatch = 1 - world.nightSpritePatch;
        return;
    }
    if (t <= kNightSwitch || t >= kNightEnd) return;
    std::int32_t top = world.nightSpritePatch == 1 ? 0 : 64;
    std::int32_t bottom = top + 63;
    std::int32_t alpha = 150 - std::abs(kNightMiddle - t);
    drawTexQuadBlend(168, 3018 - t, 232, 3018 - t, 232, 3082 - t, 168, 3082 - t, 64, top, 127, top, 127,
                     bottom, 64, bottom, &brightTexture, alpha);
}

// The worm on the pond floor: its shadow, the light its head carries at night, the body with
// the glowing neck, the face that glances at nearby beans and chews, and the death animation
// in which the segments burst one after another from the head to the tail.
#include "game/common/assets.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/world/draw.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/texture.h"

namespace {

constexpr std::int32_t kDeadFace = 6;
constexpr std::int32_t kBurstStages = 8;  // wormb1 .. wormb8

struct Heading {
    std::int32_t dx, dy;
};
constexpr Heading kHeadings[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};  // Up, Right, Down, Left

// Texel corners of face 0 for the screen corners top-left, top-right, bottom-right,
// bottom-left, per heading; the atlas holds the faces as they look heading Down.
struct FaceTexels {
    std::int32_t u[4], v[4];
};
constexpr FaceTexels kFaceTexels[4] = {
    {{9, 0, 0, 9}, {19, 19, 10, 10}},  // Up
    {{9, 9, 0, 0}, {10, 19, 19, 10}},  // Right
    {{0, 9, 9, 0}, {10, 10, 19, 19}},  // Down
    {{0, 0, 9, 9}, {19, 10, 10, 19}},  // Left
};

const PixelBuffer* burstImage(std::int32_t stage) {
    return stage == 0 ? assets.worm : assets.wormB[(stage - 1) & 7];
}

const PixelBuffer* dissolveShadow(std::int32_t stage) {
    return stage == 0 ? assets.shadow : assets.wormD[(stage - 1) & 7];
}

std::uint8_t headingOf(std::int32_t segment) {
    return world.segDir[segment] & 3;
}

// A bean or bonus bean on a cell of the field (no wrapping: the face only sees its own side).
bool beanAt(std::int32_t column, std::int32_t row) {
    if (column < 0 || column >= kFieldColumns || row < 0 || row >= kFieldRows) return false;
    return world.cells[cellIndex(column, row)] < 112;
}

bool openAhead(std::int32_t column, std::int32_t row) {
    if (column < 0 || column >= kFieldColumns || row < 0 || row >= kFieldRows) return false;
    std::uint8_t code = world.cells[cellIndex(column, row)];
    return code == Empty || code == Stone;
}

// Side glances return through the diagonal glance to straight ahead.
void decayFace() {
    constexpr std::int32_t kDecay[7] = {0, 0, 0, 0, 2, 3, 6};
    if (world.face >= 0 && world.face <= kDeadFace) world.face = kDecay[world.face];
}

void lookAround() {
    if (world.face == kDeadFace) return;
    std::int32_t column = world.segX[0] / kCellSize;
    std::int32_t row = world.segY[0] / kCellSize;
    auto [dx, dy] = kHeadings[headingOf(0)];
    if (!openAhead(column + dx, row + dy)) return;  // a bean straight ahead holds its gaze
    std::int32_t lx = dy, ly = -dx, rx = -dy, ry = dx;
    const struct {
        std::int32_t column, row, face;
    } glances[6] = {
        {column + lx + dx, row + ly + dy, 3}, {column + rx + dx, row + ry + dy, 2},
        {column + lx, row + ly, 5},           {column + rx, row + ry, 4},
        {column + lx - dx, row + ly - dy, 5}, {column + rx - dx, row + ry - dy, 4},
    };
    for (const auto& glance : glances) {
        if (beanAt(glance.column, glance.row)) {
            world.face = glance.face;
            return;
        }
    }
}

void chew() {
    bool betweenCells = world.segX[0] % kCellSize != 0 || world.segY[0] % kCellSize != 0;
    if (world.tailHold != 0 && world.length > 4 && betweenCells) world.face = 1;
}

void drawFace() {
    const FaceTexels& t = kFaceTexels[headingOf(0)];
    std::int32_t x = world.segX[0];
    std::int32_t y = world.segY[0];
    if (world.face == kDeadFace) {
        drawTexQuad(x - 2, y - 2, x + 11, y - 2, x + 11, y + 11, x - 2, y + 11, t.u[0], t.v[0], t.u[1],
                    t.v[1], t.u[2], t.v[2], t.u[3], t.v[3], &beanTexture);
        return;
    }
    std::int32_t shift = 10 * (world.face < 0 || world.face > 5 ? 0 : world.face);
    drawTexQuad(x, y, x + 9, y, x + 9, y + 9, x, y + 9, t.u[0] + shift, t.v[0], t.u[1] + shift, t.v[1],
                t.u[2] + shift, t.v[2], t.u[3] + shift, t.v[3], &beanTexture);
}

std::int32_t segmentCount() {
    return world.length < 1 ? 1 : (world.length > kMaxSegments ? kMaxSegments : world.length);
}

// One frame of the burst: each segment starts once the one before it has reached stage 3.
void advanceBurst(std::int32_t count) {
    for (std::int32_t i = count - 1; i >= 1; --i) {
        if (world.segDissolve[i - 1] > 2 && world.segDissolve[i] < kBurstStages) world.segDissolve[i] += 1;
    }
}

void drawBurstingSegments(std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t stage = world.segDissolve[i];
        if (stage == 1) playSoundPanned(SoundPop, soundPan(world.segX[i]));
        if (stage >= 2) stampRipple(world.segX[i] + 4, world.segY[i] + 5, 2, gameRand() & 511);
        blitAdd(world.segX[i], world.segY[i], burstImage(stage));
    }
}

}  // namespace

void drawWormShadow() {
    for (std::int32_t i = 0; i < segmentCount(); ++i) {
        blitSubtract(world.segX[i] + 4, world.segY[i] + 4, assets.shadow);
    }
}

void drawDissolvingShadow() {
    std::int32_t count = segmentCount();
    if (world.segDissolve[count - 1] >= kBurstStages) return;  // the tail has burst: no shadow
    for (std::int32_t i = 0; i < count; ++i) {
        blitSubtractAll(world.segX[i] + 4, world.segY[i] + 4, dissolveShadow(world.segDissolve[i]));
    }
}

void drawHeadLight(std::int32_t s) {
    std::int32_t cx = world.segX[0] + 4;
    std::int32_t cy = world.segY[0] + 4;
    drawTexQuadAdd(cx - s, cy - s, cx + s + 1, cy - s, cx + s + 1, cy + s + 1, cx - s, cy + s + 1, 0, 0, 63,
                   0, 63, 63, 0, 63, &brightTexture);
}

void drawLivingWorm() {
    std::int32_t count = segmentCount();
    blitAdd(world.segX[0], world.segY[0], assets.worm);
    // The neck glows: the first segments behind the head are drawn brighter, fading out.
    std::int32_t neck = count < 9 ? count : 9;
    for (std::int32_t i = 1; i < neck; ++i) blitAdd(world.segX[i], world.segY[i], assets.wormB[i - 1]);
    for (std::int32_t i = 0; i < count; ++i) blitAdd(world.segX[i], world.segY[i], assets.worm);
    decayFace();
    lookAround();
    chew();
    drawFace();
}

void drawDissolvingWorm() {
    if (world.tailHold > 0) {
        drawLivingWorm();  // the dead worm lies still for a moment first
        world.tailHold -= 1;
        return;
    }
    if (world.headDissolve < kBurstStages) {
        world.segDissolve[0] = world.headDissolve;
        world.headDissolve += 1;
    }
    std::int32_t count = segmentCount();
    if (world.segDissolve[count - 1] >= kBurstStages) {
        world.endFade = 0;  // the tail has burst: the screen moves on
        return;
    }
    advanceBurst(count);
    drawBurstingSegments(count);
}

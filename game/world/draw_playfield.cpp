// The two frame sequences of the playfield and their passes over the cells. The pond floor
// (background, shadows, light, beans, stones, exit, worm, effects, night sprite, laser) goes
// into backdropBuffer; the water refracts it into drawBuffer; pop-ups, beans in the air, the
// start hints and the status panel are drawn over the water. Every pass over the cells goes
// row by row from the top and column by column from the left, because the splashes of the
// falling beans draw random numbers in that order.
#include "game/common/frames.h"
#include "game/world/draw.h"

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/light.h"
#include "game/world/ghost.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/pixels.h"
#include "render/texture.h"

namespace {

constexpr std::int32_t kLightLimit = 250;  // from this brightness on the head carries no light
constexpr std::int32_t kInAir = 5;         // beans above this height are drawn over the water
constexpr std::int32_t kHintPeriod = 29;

// Calls pass(column, row, x, y) for every cell in drawing order.
template <typename Pass>
void forEachCell(Pass pass) {
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            pass(column, row, column * kCellSize, row * kCellSize);
        }
    }
}

bool isPopUp(std::uint8_t effect) {
    return effect == EffectAdd5 || effect == EffectAdd10 || effect == EffectAdd15 || effect == EffectAdd30 ||
           effect == EffectLifeUp;
}

const PixelBuffer* popUpImage(std::uint8_t effect) {
    switch (effect) {
        case EffectAdd5: return assets.add5;
        case EffectAdd10: return assets.add10;
        case EffectAdd15: return assets.add15;
        case EffectAdd30: return assets.add30;
        default: return assets.lifeUp;
    }
}

// Bean, enlarged by its height on every side and fading with it; its mark stays its own size
// in the middle, so a falling bean is known before it lands.
void drawRaisedBean(std::int32_t x, std::int32_t y, std::int32_t colour, std::int32_t h) {
    drawBeanQuad(x - h, y - h, x + h + 9, y + h + 9, colour, 255 - 4 * h);
    drawBeanMark(x + 2, y + 2, colour);
}

// wormd1 .. wormd8 (index 0 .. 7): the higher the bean, the more diffuse its shadow.
int diffuseShadow(std::int32_t h) {
    int stage = 7 - ((63 - h) >> 3);
    return stage < 0 ? 0 : (stage > 7 ? 7 : stage);
}

void drawBackground() {
    blitDim(0, 0, assets.background, light.brightness);
}

void drawCellShadows() {
    forEachCell([](int column, int row, std::int32_t x, std::int32_t y) {
        int at = cellIndex(column, row);
        std::uint8_t code = world.cells[at];
        if (code < BonusBean + 1) {
            std::int32_t h = world.fallHeight[at];
            // High beans cast a diffuse shadow far down-right, sharpening as they come down.
            const PixelBuffer* shadow = h < 6 ? assets.shadow : assets.wormD[diffuseShadow(h)];
            blitSubtract(x + h + 4, y + h + 4, shadow);
        } else if (code == Stone) {
            blitSubtract(x + 4, y + 4, assets.shadow);
        }
        if (world.cellEffect[at] == EffectVanish) blitSubtract(x + 4, y + 4, assets.shadow);
    });
}

void drawLivingHeadLight() {
    if (light.brightness < kLightLimit) drawHeadLight((256 - light.brightness) >> 1);
}

void drawDyingHeadLight() {
    if (light.brightness < kLightLimit && world.tailHold > 0) {
        drawHeadLight((((256 - light.brightness) >> 1) * world.tailHold) >> 5);
    }
}

void drawFloorBeansAndStones() {
    forEachCell([](int column, int row, std::int32_t x, std::int32_t y) {
        int at = cellIndex(column, row);
        std::uint8_t code = world.cells[at];
        if (code < 7) {
            std::int32_t h = world.fallHeight[at];
            if (h > kInAir) return;  // still in the air: the sky pass draws it
            drawRaisedBean(x, y, code, h);
            advanceFloorFall(column, row);
        } else if (code == Stone) {
            blitKeyed(x, y, assets.stone);
        }
    });
}

// Pulse of the hint arrows: rises over the first half of the period, falls over the second.
std::int32_t exitHintAlpha(std::int32_t k) {
    std::int32_t a = k <= 15 ? (15 - k) * light.brightness / 15 : (k - 15) * light.brightness / 15;
    return a & 0xFF;
}

void drawExit() {
    if (world.scene.objective != 1) return;
    std::int32_t ex = world.exitCol * kCellSize;
    std::int32_t ey = world.exitRow * kCellSize;
    blitKeyed(ex, ey, assets.exit);
    std::int32_t k = ++world.exitHintClock;
    if (world.started) return;
    std::int32_t a = exitHintAlpha(k);
    blitKeyedBlend(ex, ey - 10, assets.down, a);
    blitKeyedBlend(ex, ey + 10, assets.up, a);
    blitKeyedBlend(ex - 10, ey, assets.right, a);
    blitKeyedBlend(ex + 10, ey, assets.left, a);
    if (k >= kHintPeriod) world.exitHintClock = 0;
}

void drawFloorEffects() {
    forEachCell([](int column, int row, std::int32_t x, std::int32_t y) {
        int at = cellIndex(column, row);
        std::uint8_t effect = world.cellEffect[at];
        if (effect < 5) {
            drawBeanQuad(x, y, x + 9, y + 9, effect, 4 * world.effectAge[at]);
            advanceMaterialising(column, row);
        } else if (effect == EffectVanish) {
            if (advanceVanishing(column, row)) blitAdd(x, y, assets.worm);
        }
    });
}

void drawPopUps() {
    forEachCell([](int column, int row, std::int32_t x, std::int32_t y) {
        int at = cellIndex(column, row);
        std::uint8_t effect = world.cellEffect[at];
        if (!isPopUp(effect)) return;
        std::int32_t t = world.effectAge[at];
        std::int32_t left = effect == EffectAdd5 ? x - 2 : x - 4;
        if (t < 16) {
            blitKeyed(left, y - t, popUpImage(effect));
        } else {
            blitKeyedBlend(left, y - t, popUpImage(effect), (32 - t) * 16);
        }
        advancePopUp(column, row);
    });
}

void drawBeansInTheAir() {
    forEachCell([](int column, int row, std::int32_t x, std::int32_t y) {
        int at = cellIndex(column, row);
        std::uint8_t code = world.cells[at];
        if (code >= BonusBean + 1 || world.fallHeight[at] <= kInAir) return;
        drawRaisedBean(x, y, code, world.fallHeight[at]);
        advanceSkyFall(column, row);
    });
}

// Arrows round the waiting worm, in the opposite phase to the exit's.
void drawStartHints() {
    std::int32_t k = ++world.startHintClock;
    if (world.started) return;
    std::int32_t a = k < 15 ? k * light.brightness / 15 : (29 - k) * light.brightness / 15;
    a &= 0xFF;
    std::int32_t hx = world.segX[0];
    std::int32_t hy = world.segY[0];
    blitKeyedBlend(hx, hy - 10, assets.up, a);
    blitKeyedBlend(hx, hy + 10, assets.down, a);
    blitKeyedBlend(hx - 10, hy, assets.left, a);
    blitKeyedBlend(hx + 10, hy, assets.right, a);
    if (k >= kHintPeriod) world.startHintClock = 0;
}

void drawWater() {
    drawContext.target = drawBuffer;
    stepRipples();
    refractPond();
}

enum class Worm { Living, Dying };

void drawSequence(Worm worm) {
    drawContext.target = backdropBuffer;
    drawBackground();
    drawCellShadows();
    if (worm == Worm::Living) {
        drawWormShadow();
        drawLivingHeadLight();
    } else {
        drawDissolvingShadow();
        drawDyingHeadLight();
    }
    drawFloorBeansAndStones();
    drawExit();
    if (worm == Worm::Living) {
        drawLivingWorm();
    } else {
        drawDissolvingWorm();
    }
    drawFloorEffects();
    drawNightSprite();
    drawLaserFlash();

    drawWater();
    setFrameInteriorClip();  // what is above the water leaves a one-pixel frame
    if (worm == Worm::Living) drawGhost();
    drawPopUps();
    drawBeansInTheAir();
    if (worm == Worm::Living) drawStartHints();
    drawStatusPanel();
    resetClipRect();
}

}  // namespace

void drawBeanQuad(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::int32_t colour, std::int32_t alpha) {
    std::int32_t u = 10 * colour;
    drawTexQuadBlend(left, top, right, top, right, bottom, left, bottom, u, 0, u + 9, 0, u + 9, 9, u, 9,
                     &beanTexture, alpha);
}

void drawBeanMark(std::int32_t x, std::int32_t y, std::int32_t colour) {
    if (options.beanMarks != 0 && colour >= 0 && colour < 5)
        blitKeyed(x, y, assets.beanMarks[static_cast<std::size_t>(colour)]);
}

void drawBeanQuadOpaque(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                        std::int32_t colour) {
    std::int32_t u = 10 * colour;
    drawTexQuad(left, top, right, top, right, bottom, left, bottom, u, 0, u + 9, 0, u + 9, 9, u, 9,
                &beanTexture);
}

void drawPlayfield() {
    drawSequence(Worm::Living);
}

void drawPlayfieldDying() {
    drawSequence(Worm::Dying);
}

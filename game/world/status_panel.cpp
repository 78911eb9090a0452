// The status panel over the top of the pond: best score, score, the run of equal beans and the
// lives, composed in scratchBuffer and blended into the frame. It fades out while the head is
// near the top of the pond (under the panel) or near the bottom (about to wrap to the top), and
// Tab shows it fully, even before the worm has started.
#include <cstdio>

#include "game/common/assets.h"
#include "game/common/frames.h"
#include "game/common/keys.h"
#include "game/world/draw.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/font.h"
#include "render/pixels.h"
#include "render/texture.h"

namespace {

constexpr std::int32_t kPanelX = 3;
constexpr std::int32_t kPanelY = 3;
constexpr std::int32_t kPanelWidth = 245;
constexpr std::int32_t kPanelHeight = 11;

void drawScoreLine() {
    char text[40];
    formatScoreLine(text, world.hiScore, world.score);
    drawContext.drawColour = 0;
    drawText(6, 5, text);
}

// A small worm head heading Up, then "X" and the lives.
void drawLives() {
    blitAdd(210, 3, assets.worm);
    drawTexQuad(210, 3, 219, 3, 219, 12, 210, 12, 9, 19, 0, 19, 0, 10, 9, 10, &beanTexture);
    drawChar(222, 5, 'X');
    drawNumber(230, 5, world.lives);
}

// The beans of the current run; at four, one bean short of a power, they blink.
void drawComboBeans() {
    bool shown = world.comboCount < 4 || (world.comboCount == 4 && (world.dayClock & 7) < 4);
    if (!shown) return;
    for (std::int32_t k = 0; k < world.comboCount; ++k) {
        drawBeanQuadOpaque(174 + 8 * k, 5, 180 + 8 * k, 11, world.comboColour);
        drawBeanMark(175 + 8 * k, 6, world.comboColour);
    }
}

bool playing() {
    return world.headDissolve == 0 && world.quitToMenu == 0 && world.sceneAccomplished == 0;
}

std::int32_t panelAlpha() {
    std::int32_t y = world.segY[0];
    if (y < 100) return 2 * y;
    if (y > 200) return 600 - 2 * y;
    return 200;
}

}  // namespace

void formatScoreLine(char* text, std::uint32_t hiScore, std::uint32_t score) {
    std::snprintf(text, 40, "HISCORE%7u SCORE%7u", hiScore, score);
    for (int position : {8, 9, 10, 11, 12, 21, 22, 23, 24, 25}) {
        if (text[position] == ' ') text[position] = '0';
    }
}

void drawStatusPanel() {
    if (!world.started && !keyHeld(kKeyTab)) return;
    FrameBuffer* found = drawContext.target;
    drawContext.target = scratchBuffer;
    blitCopy(kPanelX, kPanelY, assets.score);
    drawScoreLine();
    drawLives();
    drawComboBeans();
    PixelBuffer* panel = createPixelBuffer(kPanelWidth, kPanelHeight);
    grabRect(kPanelX, kPanelY, panel);
    drawContext.target = drawBuffer;
    if (playing() && keyHeld(kKeyTab)) {
        blitCopy(kPanelX, kPanelY, panel);
    } else {
        blitBlend(kPanelX, kPanelY, panel, playing() ? panelAlpha() : 200);
    }
    destroyPixelBuffer(panel);
    drawContext.target = found;
}

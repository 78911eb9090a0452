// Display and input around the platform: the after-glow blend on every presented frame, the
// cleared frames of a fresh display, and the gamepads forgotten when input is released.
#include "game/shell/media.h"

#include <cstdint>

#include "game/common/frames.h"
#include "game/common/platform.h"
#include "game/media/present.h"
#include "game/shell/gamepad.h"
#include "game/shell/shell.h"
#include "render/pixels.h"

int initDisplay() {
    if (!platformInitDisplay()) return 0;
    initRowTables();
    clearFrameBuffer(drawBuffer);
    clearFrameBuffer(displayBuffer);
    // The first frame is drawn before any is shown: without a window system that sends an
    // exposure first (SDL's dummy driver, some compositors) nothing else has set the target.
    drawContext.target = drawBuffer;
    return 1;
}

void presentFrame() {
    const std::int32_t left = drawContext.clipLeft, top = drawContext.clipTop;
    const std::int32_t right = drawContext.clipRight, bottom = drawContext.clipBottom;
    resetClipRect();
    blendFrame(drawBuffer->pixels, displayBuffer->pixels, kFramePixels);
    platformShowFrame();
    // The size the player gives the window is the one the next start opens with.
    const WindowSize size = platformWindowSize();
    if (size.width > 0 && size.height > 0) loop.windowSize = size;
    // Restored as it was, even an empty rectangle, rather than normalised by setClipRect.
    drawContext.clipLeft = left;
    drawContext.clipTop = top;
    drawContext.clipRight = right;
    drawContext.clipBottom = bottom;
    drawContext.target = drawBuffer;
}

void releaseInput() {
    platformReleaseInput();
    gamepads = GamepadState{};
}

// The frame slots live for the whole process, in static storage: 1.9 MB that the game never
// allocates or frees.
#include "game/common/frames.h"

FrameBuffer frameBuffers[kFrameSlots];

void resetFrames() {
    for (FrameBuffer& slot : frameBuffers) clearFrameBuffer(&slot);
    drawContext = DrawContext{};
    initRowTables();
    drawContext.target = drawBuffer;
}

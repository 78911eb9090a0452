// The game's frame slots: the picture being drawn, the picture on the screen (the after-glow
// blend of every drawn frame), the pond floor under the water, and a scratch surface for the
// pictures composed apart (the score panel, the scene list). Each is a 400 x 300 FrameBuffer.
#pragma once

#include "render/pixels.h"

inline constexpr int kFrameSlots = 4;
extern FrameBuffer frameBuffers[kFrameSlots];
inline FrameBuffer* const drawBuffer = &frameBuffers[0];
inline FrameBuffer* const displayBuffer = &frameBuffers[1];
inline FrameBuffer* const backdropBuffer = &frameBuffers[2];
inline FrameBuffer* const scratchBuffer = &frameBuffers[3];

// Every slot black, the drawing state on drawBuffer with the whole frame as clip.
void resetFrames();

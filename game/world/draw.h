// Drawing the playfield: the pond floor into backdropBuffer, the water refracting it into
// drawBuffer, and what floats above the water. The play screens call one of the two frame
// sequences once per frame; drawing also advances the falling beans, the cell effects and the
// laser, so each sequence must run exactly once per shown frame.
#pragma once

#include <cstdint>

// A living worm (play screen, and the closing screen after a win or an abandon).
void drawPlayfield();
// A dead worm bursting from head to tail (life-lost screen, closing screen after the last
// death). Sets world.endFade to 0 in the frame after the tail has burst.
void drawPlayfieldDying();

// ---- The parts of the sequences, shared by the drawing files -------------------------------

// The score line as the panel shows it: "HISCORE%7u SCORE%7u" with the blanks of both number
// fields, after their first character, shown as zeros. `text` needs 40 characters.
void formatScoreLine(char* text, std::uint32_t hiScore, std::uint32_t score);

// Bean atlas quads: colour 0..4 (5 the bonus bean) over the given corners, translucent or opaque.
void drawBeanQuad(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  std::int32_t colour, std::int32_t alpha);
// The player's mark of a bean colour (0..4), 5 x 5 at (x, y), when bean marks are on.
void drawBeanMark(std::int32_t x, std::int32_t y, std::int32_t colour);
void drawBeanQuadOpaque(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                        std::int32_t colour);

void drawWormShadow();        // living worm
void drawDissolvingShadow();  // dying worm
void drawHeadLight(std::int32_t halfSize);
void drawLivingWorm();      // body, neck glow and the face (which it also animates)
void drawDissolvingWorm();  // the death animation, one frame
void drawNightSprite();
void drawLaserFlash();  // advances the laser and draws its flash
void drawStatusPanel();

// Rotation tables of the laser flash: sin and cos of 2 pi a / 256, scaled by 2^30 and rounded.
std::int32_t laserSine(std::int32_t angle);
std::int32_t laserCosine(std::int32_t angle);
// A corner offset rotated by angle: each product keeps its high 32 bits, times 4.
void rotateCorner(std::int32_t x, std::int32_t y, std::int32_t angle, std::int32_t& outX, std::int32_t& outY);

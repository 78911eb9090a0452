// The water surface of the pond: two maps of signed 16-bit ripple heights, one per frame
// pixel. Discs are stamped into the current map, one wave
// step per frame advances it, and the refraction looks the pond floor (backdropBuffer) up
// through the slopes of the surface into the frame (drawBuffer). Every operation works inside
// the clip rectangle of the drawing context; the play screens keep it whole while they run.
#pragma once

#include <cstdint>

struct PondState {
    std::int32_t currentMap = 0;  // which of the two maps is rippleCurrent (0 or 1)
};
inline PondState pond{};
inline void resetPond() {
    pond = PondState{};
}

// Still water: every height of both maps 0.
void clearRipples();

// The map that is stamped into and refracted through, and the one before it. Swapping them is
// how the wave step moves on: nothing is ever copied.
std::int16_t* rippleCurrent();
std::int16_t* ripplePrevious();

// Sets every height of the disc (X - x)^2 + (Y - y)^2 < r^2 to v (stored as 16 bits). A disc
// that would reach the clip border is dropped whole.
void stampRipple(std::int32_t x, std::int32_t y, std::int32_t r, std::int32_t v);
// One wave step over the interior of the clip rectangle (the roles of the maps swap first).
void stepRipples();
// Refracts backdropBuffer through rippleCurrent into drawBuffer, interior pixels only.
void refractPond();

// The inner rectangle the wave and the refraction work on: the clip rectangle less its
// outermost rows and columns.
struct PondRect {
    std::int32_t left, top, right, bottom;  // the clip rectangle, inclusive
};

// The two kernels behind stepRipples and refractPond on explicit maps. The plain versions are
// the reference the packed ones must match bit for bit; both are kept so that the fast path
// can always be checked against them.
void waveStepPlain(std::int16_t* current, const std::int16_t* previous, PondRect clip);
void waveStepFast(std::int16_t* current, const std::int16_t* previous, PondRect clip);
void refractPlain(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                  PondRect clip);
void refractFast(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                 PondRect clip);

// The day cycle: one frame of dawn, day, dusk and night (dayClock and the light level), and at
// each new day the next background in scenes that cycle them.
void updateDayCycle();

// The pond's water surface: stamping discs, the wave step and the refraction of the floor
// layer into the frame. The heights are 16-bit and every sum, difference and shift on them
// stays 16-bit (wrapping, arithmetic shifts), because that is what gives the waves their look
// once they grow large; the packed kernels work on eight such lanes at a time and must match
// the plain ones exactly, which the tests check on random maps.
#include "game/world/pond.h"

#include <array>

#include "game/common/frames.h"
#include "render/pixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kRow = kFrameWidth;  // heights and pixels both have 400 per row

// The two height maps, one value per frame pixel; the packed kernels read eight at a time.
alignas(64) std::array<std::int16_t, kFramePixels> rippleHeights[2];

std::int16_t* rippleMap(int which) {
    return rippleHeights[which].data();
}

PondRect currentClip() {
    return {drawContext.clipLeft, drawContext.clipTop, drawContext.clipRight, drawContext.clipBottom};
}

std::int16_t wrap16(std::int32_t value) {
    return static_cast<std::int16_t>(value);
}

std::int16_t waveValue(std::int16_t left, std::int16_t right, std::int16_t up, std::int16_t down,
                       std::int16_t older) {
    std::int16_t sum = wrap16(wrap16(wrap16(left + right) + up) + down);
    std::int16_t n = wrap16((sum >> 1) - older);
    return wrap16(n - (n >> 7));
}

// Where the refraction looks: the floor pixel shifted by the surface slope, or the pixel
// itself when the shifted one falls outside the clip rectangle.
std::int32_t refractedIndex(const std::int16_t* heights, std::int32_t x, std::int32_t y, PondRect clip) {
    std::int32_t at = y * kRow + x;
    std::int32_t dx = wrap16(heights[at - 1] - heights[at + 1]) >> 3;
    std::int32_t dy = wrap16(heights[at - kRow] - heights[at + kRow]) >> 3;
    std::int32_t sx = x + dx;
    std::int32_t sy = y + dy;
    if (sx < clip.left || sx > clip.right || sy < clip.top || sy > clip.bottom) return at;
    return sy * kRow + sx;
}

#if defined(__SSE2__)

void waveRowFast(std::int16_t* current, const std::int16_t* previous, std::int32_t first, std::int32_t last) {
    std::int32_t x = first;
    for (; x + 7 <= last; x += 8) {
        __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + x - 1));
        __m128i right = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + x + 1));
        __m128i up = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + x - kRow));
        __m128i down = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + x + kRow));
        __m128i older = _mm_loadu_si128(reinterpret_cast<const __m128i*>(current + x));
        __m128i sum = _mm_add_epi16(_mm_add_epi16(left, right), _mm_add_epi16(up, down));
        __m128i n = _mm_sub_epi16(_mm_srai_epi16(sum, 1), older);
        __m128i damped = _mm_sub_epi16(n, _mm_srai_epi16(n, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(current + x), damped);
    }
    for (; x <= last; ++x) {
        current[x] =
            waveValue(previous[x - 1], previous[x + 1], previous[x - kRow], previous[x + kRow], current[x]);
    }
}

// Four pixels from the floor, each at its own offset. (Testing whether the four share one
// offset and moving them as one costs more in mispredicted branches than it saves.)
void fetchFour(std::uint32_t* to, const std::uint32_t* from, __m128i offsets) {
    alignas(16) std::int32_t offset[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(offset), offsets);
    for (int k = 0; k < 4; ++k) to[k] = from[k + offset[k]];
}

// Eight pixels whose slopes are not all flat: the lanes that look outside the clip rectangle
// fall back to their own pixel; the others fetch the floor at dy x 400 + dx from it, an offset
// formed by one multiply-add of the (dx, dy) pairs.
void refractLanes(std::uint32_t* frame, const std::uint32_t* floor, std::int32_t at, __m128i dx, __m128i dy,
                  __m128i sx, __m128i sy, PondRect clip) {
    __m128i inside = _mm_and_si128(
        _mm_and_si128(_mm_cmpgt_epi16(sx, _mm_set1_epi16(static_cast<short>(clip.left - 1))),
                      _mm_cmplt_epi16(sx, _mm_set1_epi16(static_cast<short>(clip.right + 1)))),
        _mm_and_si128(_mm_cmpgt_epi16(sy, _mm_set1_epi16(static_cast<short>(clip.top - 1))),
                      _mm_cmplt_epi16(sy, _mm_set1_epi16(static_cast<short>(clip.bottom + 1)))));
    dx = _mm_and_si128(dx, inside);
    dy = _mm_and_si128(dy, inside);
    const __m128i rowStep = _mm_set1_epi32(kRow << 16 | 1);
    fetchFour(frame + at, floor + at, _mm_madd_epi16(_mm_unpacklo_epi16(dx, dy), rowStep));
    fetchFour(frame + at + 4, floor + at + 4, _mm_madd_epi16(_mm_unpackhi_epi16(dx, dy), rowStep));
}

void refractRowFast(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                    std::int32_t y, PondRect clip) {
    std::int32_t first = clip.left + 1;
    std::int32_t last = clip.right - 1;
    std::int32_t row = y * kRow;
    __m128i sy0 = _mm_set1_epi16(static_cast<short>(y));
    __m128i sx0 = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    std::int32_t x = first;
    for (; x + 7 <= last; x += 8) {
        const std::int16_t* h = heights + row + x;
        __m128i dx = _mm_srai_epi16(_mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h - 1)),
                                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + 1))),
                                    3);
        __m128i dy =
            _mm_srai_epi16(_mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h - kRow)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + kRow))),
                           3);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_or_si128(dx, dy), _mm_setzero_si128())) == 0xFFFF) {
            // A flat stretch of water, the usual case: the floor shows through unchanged.
            const __m128i* from = reinterpret_cast<const __m128i*>(floor + row + x);
            __m128i* to = reinterpret_cast<__m128i*>(frame + row + x);
            _mm_storeu_si128(to, _mm_loadu_si128(from));
            _mm_storeu_si128(to + 1, _mm_loadu_si128(from + 1));
            continue;
        }
        __m128i sx = _mm_add_epi16(_mm_add_epi16(sx0, _mm_set1_epi16(static_cast<short>(x))), dx);
        refractLanes(frame, floor, row + x, dx, dy, sx, _mm_add_epi16(sy0, dy), clip);
    }
    for (; x <= last; ++x) frame[row + x] = floor[refractedIndex(heights, x, y, clip)];
}

#endif

}  // namespace

void clearRipples() {
    for (auto& map : rippleHeights) map.fill(0);
}

std::int16_t* rippleCurrent() {
    return rippleMap(pond.currentMap);
}
std::int16_t* ripplePrevious() {
    return rippleMap(pond.currentMap ^ 1);
}

void stampRipple(std::int32_t x, std::int32_t y, std::int32_t r, std::int32_t v) {
    const DrawContext& dc = drawContext;
    if (x + r >= dc.clipRight || y + r >= dc.clipBottom || x - r < dc.clipLeft || y - r < dc.clipTop) {
        return;
    }
    std::int16_t value = wrap16(v);
    std::int16_t* map = rippleCurrent();
    for (std::int32_t row = y - r; row < y + r; ++row) {
        for (std::int32_t column = x - r; column < x + r; ++column) {
            std::int32_t ox = column - x;
            std::int32_t oy = row - y;
            if (ox * ox + oy * oy < r * r) map[row * kRow + column] = value;
        }
    }
}

void waveStepPlain(std::int16_t* current, const std::int16_t* previous, PondRect clip) {
    for (std::int32_t y = clip.top + 1; y <= clip.bottom - 1; ++y) {
        for (std::int32_t x = clip.left + 1; x <= clip.right - 1; ++x) {
            std::int32_t at = y * kRow + x;
            current[at] = waveValue(previous[at - 1], previous[at + 1], previous[at - kRow],
                                    previous[at + kRow], current[at]);
        }
    }
}

void refractPlain(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                  PondRect clip) {
    for (std::int32_t y = clip.top + 1; y <= clip.bottom - 1; ++y) {
        for (std::int32_t x = clip.left + 1; x <= clip.right - 1; ++x) {
            frame[y * kRow + x] = floor[refractedIndex(heights, x, y, clip)];
        }
    }
}

#if defined(__SSE2__)

void waveStepFast(std::int16_t* current, const std::int16_t* previous, PondRect clip) {
    for (std::int32_t y = clip.top + 1; y <= clip.bottom - 1; ++y) {
        waveRowFast(current + y * kRow, previous + y * kRow, clip.left + 1, clip.right - 1);
    }
}

void refractFast(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                 PondRect clip) {
    for (std::int32_t y = clip.top + 1; y <= clip.bottom - 1; ++y) {
        refractRowFast(frame, floor, heights, y, clip);
    }
}

#else

// Without packed 16-bit lanes the plain kernels are the fast ones.
void waveStepFast(std::int16_t* current, const std::int16_t* previous, PondRect clip) {
    waveStepPlain(current, previous, clip);
}

void refractFast(std::uint32_t* frame, const std::uint32_t* floor, const std::int16_t* heights,
                 PondRect clip) {
    refractPlain(frame, floor, heights, clip);
}

#endif

void stepRipples() {
    pond.currentMap ^= 1;
    waveStepFast(rippleCurrent(), ripplePrevious(), currentClip());
}

void refractPond() {
    refractFast(drawBuffer->pixels, backdropBuffer->pixels, rippleCurrent(), currentClip());
}

// Presentation pixel work. The blend and the row doubling run on every frame, so each has a
// packed SSE2 path beside the plain loop it must match bit for bit; the plain loops are the
// reference the tests hold the fast ones to.
#include "game/media/present.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t kBlendMask = 0x00FCFCFCu;
constexpr std::uint32_t kAverageMask = 0x00FEFEFEu;

inline std::uint32_t blendPixel(std::uint32_t frame, std::uint32_t display) {
    return (3 * (frame & kBlendMask) + (display & kBlendMask)) >> 2;
}

inline std::uint32_t averagePixel(std::uint32_t a, std::uint32_t b) {
    return ((a & kAverageMask) + (b & kAverageMask)) >> 1;
}

void expandRowPlain(const std::uint32_t* in, std::uint32_t* out) {
    for (int x = 0; x < 399; ++x) {
        out[2 * x] = in[x];
        out[2 * x + 1] = averagePixel(in[x], in[x + 1]);
    }
    out[798] = in[399];
    out[799] = 0;
}

#if defined(__SSE2__)
// Four source pixels a time: the pixels themselves and the averages with their right
// neighbours, interleaved into eight screen pixels.
void expandRowFast(const std::uint32_t* in, std::uint32_t* out) {
    const __m128i mask = _mm_set1_epi32(static_cast<int>(kAverageMask));
    int x = 0;
    for (; x + 4 < 400; x += 4) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x + 1));
        const __m128i avg =
            _mm_srli_epi32(_mm_add_epi32(_mm_and_si128(here, mask), _mm_and_si128(next, mask)), 1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x), _mm_unpacklo_epi32(here, avg));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x + 4), _mm_unpackhi_epi32(here, avg));
    }
    for (; x < 399; ++x) {
        out[2 * x] = in[x];
        out[2 * x + 1] = averagePixel(in[x], in[x + 1]);
    }
    out[798] = in[399];
    out[799] = 0;
}
#else
void expandRowFast(const std::uint32_t* in, std::uint32_t* out) {
    expandRowPlain(in, out);
}
#endif

}  // namespace

void blendFramePlain(const std::uint32_t* frame, std::uint32_t* display, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) display[i] = blendPixel(frame[i], display[i]);
}

void blendFrame(const std::uint32_t* frame, std::uint32_t* display, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(static_cast<int>(kBlendMask));
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(frame + i)), mask);
        const __m128i d = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(display + i)), mask);
        const __m128i sum = _mm_add_epi32(_mm_add_epi32(f, _mm_add_epi32(f, f)), d);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(display + i), _mm_srli_epi32(sum, 2));
    }
#endif
    for (; i < count; ++i) display[i] = blendPixel(frame[i], display[i]);
}

void expandFramePlain(const std::uint32_t* frame, std::uint32_t* screen, std::size_t pitch) {
    for (int y = 0; y < 300; ++y) {
        expandRowPlain(frame + 400 * y, screen + pitch * static_cast<std::size_t>(2 * y));
        std::memset(screen + pitch * static_cast<std::size_t>(2 * y + 1), 0, kScreenWidth * 4);
    }
}

void expandFrame(const std::uint32_t* frame, std::uint32_t* screen, std::size_t pitch) {
    for (int y = 0; y < 300; ++y) {
        expandRowFast(frame + 400 * y, screen + pitch * static_cast<std::size_t>(2 * y));
        std::memset(screen + pitch * static_cast<std::size_t>(2 * y + 1), 0, kScreenWidth * 4);
    }
}

void buildSixteenBitTables(SixteenBitTables* t, bool is555) {
    t->is555 = is555;
    for (std::uint32_t i = 0; i < 65536; ++i) {
        const std::uint32_t red = i & 0xFF;
        if (is555) {
            t->highTable[i] = static_cast<std::uint16_t>((red & 0xF8) << 7);
            t->lowTable[i] = static_cast<std::uint16_t>(((i >> 6) & 0x3E0) + ((i >> 3) & 0x1F));
        } else {
            t->highTable[i] = static_cast<std::uint16_t>((red & 0xF8) << 8);
            t->lowTable[i] = static_cast<std::uint16_t>(((i >> 5) & 0x7E0) + ((i >> 3) & 0x1F));
        }
    }
}

void expandFrame16(const std::uint32_t* frame, std::uint16_t* screen, std::size_t pitch,
                   const SixteenBitTables& tables) {
    std::uint32_t row[kScreenWidth];
    for (int y = 0; y < 300; ++y) {
        expandRowFast(frame + 400 * y, row);
        std::uint16_t* out = screen + pitch * static_cast<std::size_t>(2 * y);
        for (int x = 0; x < kScreenWidth; ++x) out[x] = toSixteenBit(tables, row[x]);
        out[799] = 0;  // never written: it keeps the black of the cleared surface
        std::memset(screen + pitch * static_cast<std::size_t>(2 * y + 1), 0, kScreenWidth * 2);
    }
}

Placement placePicture(PixelSize output, PixelSize picture, bool sharpFill) {
    Placement place;
    if (picture.w <= 0 || picture.h <= 0 || output.w <= 0 || output.h <= 0) return place;
    place.factor = std::min(output.w / picture.w, output.h / picture.h);
    if (place.factor >= 1 && !sharpFill) {
        place.w = picture.w * place.factor;
        place.h = picture.h * place.factor;
    } else {
        // The same shape, as large as fits; 64-bit products, since outputs may be large.
        const bool widthBound = std::int64_t{output.w} * picture.h <= std::int64_t{output.h} * picture.w;
        place.w = widthBound ? output.w : static_cast<int>(std::int64_t{output.h} * picture.w / picture.h);
        place.h = widthBound ? static_cast<int>(std::int64_t{output.w} * picture.h / picture.w) : output.h;
        if (sharpFill) place.factor = std::max(1, (place.w + picture.w - 1) / picture.w);
        place.smooth = place.w != picture.w * place.factor || place.h != picture.h * place.factor;
    }
    place.x = (output.w - place.w) / 2;
    place.y = (output.h - place.h) / 2;
    return place;
}

PixelSize chooseWindowSize(PixelSize stored, PixelSize usable, PixelSize decorations) {
    const PixelSize room{usable.w - decorations.w, usable.h - decorations.h};
    if (stored.w > 0 && stored.h > 0) {
        if (room.w <= 0 || room.h <= 0) return stored;  // the desktop could not be asked
        return {std::min(stored.w, room.w), std::min(stored.h, room.h)};
    }
    const bool twice = room.w >= 2 * kFrameSize.w && room.h >= 2 * kFrameSize.h;
    return twice ? PixelSize{2 * kFrameSize.w, 2 * kFrameSize.h} : kFrameSize;
}

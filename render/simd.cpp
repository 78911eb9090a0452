// The packed row kernels. On x86-64 they use SSE2, four pixels per step; elsewhere they are the plain kernels
// themselves. Each gives exactly the bytes of its plain twin (the tests compare them on random rows): the
// 16-bit lane products s x level and s x alpha + d x (256 - alpha) never exceed 65,280, so the low half of
// the packed multiply is the exact product and the logical shift by 8 truncates as the rule says.
#include <cstring>

#include "render/reference.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

using Vec = __m128i;

Vec load(const std::uint32_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const Vec*>(p));
}
void store(std::uint32_t* p, Vec v) {
    _mm_storeu_si128(reinterpret_cast<Vec*>(p), v);
}
Vec splat(std::uint32_t value) {
    return _mm_set1_epi32(static_cast<int>(value));
}

// Lanes where mask is set take a, the others b.
Vec select(Vec mask, Vec a, Vec b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// Pixels that are the colour key keep the target; the rest take value.
Vec keyed(Vec src, Vec dst, Vec value) {
    return select(_mm_cmpeq_epi32(src, splat(colourKey)), dst, value);
}

// (s x level) >> 8 for each byte.
Vec dim(Vec src, Vec level) {
    Vec zero = _mm_setzero_si128();
    Vec low = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(src, zero), level), 8);
    Vec high = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(src, zero), level), 8);
    return _mm_packus_epi16(low, high);
}

// (s x alpha + d x (256 - alpha)) >> 8 for each byte; both factors are 16-bit broadcasts.
Vec blend(Vec src, Vec dst, Vec alpha, Vec rest) {
    Vec zero = _mm_setzero_si128();
    Vec low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(src, zero), alpha),
                            _mm_mullo_epi16(_mm_unpacklo_epi8(dst, zero), rest));
    Vec high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(src, zero), alpha),
                             _mm_mullo_epi16(_mm_unpackhi_epi8(dst, zero), rest));
    return _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8));
}

Vec lanes16(int value) {
    return _mm_set1_epi16(static_cast<short>(value));
}

// One texel as the low lane of a vector, stepping the walk on.
Vec fetch(SpanWalk& walk) {
    std::uint32_t texel = sampleTexel(walk.texels, walk.u, walk.v);
    walk.u += walk.du;
    walk.v += walk.dv;
    return _mm_cvtsi32_si128(static_cast<int>(texel));
}

// Four texels of a span, put together in registers (a narrow store followed by a wide load of
// the same bytes would stall).
Vec gather(SpanWalk& walk) {
    Vec t0 = fetch(walk);
    Vec t1 = fetch(walk);
    Vec t2 = fetch(walk);
    Vec t3 = fetch(walk);
    return _mm_unpacklo_epi64(_mm_unpacklo_epi32(t0, t1), _mm_unpacklo_epi32(t2, t3));
}

// Coverage classes as lane masks. Every class but opaque has the top bit set, and among such
// words the signed order is the unsigned one, so signed compares sort them.
struct Classes {
    Vec opaque, transparent, threeQuarter, half;
};

Classes classify(Vec t) {
    Classes c;
    c.opaque = _mm_cmpgt_epi32(t, _mm_set1_epi32(-1));
    c.transparent = _mm_cmpeq_epi32(t, splat(kTransparentTexel));
    c.threeQuarter = _mm_andnot_si128(c.opaque, _mm_cmpgt_epi32(t, splat(kThreeQuarterFlag - 1)));
    c.half = _mm_andnot_si128(c.opaque, _mm_cmpgt_epi32(t, splat(kHalfFlag - 1)));
    return c;
}

// The opaque-with-coverage mix of texels t over targets d; transparent lanes keep d.
Vec cover(Vec t, Vec d, const Classes& c) {
    Vec quarterBase = _mm_and_si128(d, splat(0x00FCFCFCu));
    Vec threeQuarter = _mm_srli_epi32(_mm_add_epi32(t, quarterBase), 2);
    Vec half = _mm_srli_epi32(_mm_add_epi32(t, _mm_and_si128(d, splat(0x00FEFEFEu))), 1);
    Vec tripled = _mm_add_epi32(quarterBase, _mm_add_epi32(quarterBase, quarterBase));
    Vec quarter = _mm_srli_epi32(_mm_add_epi32(t, tripled), 2);
    Vec mixed = select(c.threeQuarter, threeQuarter, select(c.half, half, quarter));
    return select(c.transparent, d, select(c.opaque, t, mixed));
}

// One to three pixels as the low lanes of a vector, and back. Built from 32- and 64-bit moves so
// that no narrow store is followed by a wide load of the same bytes.
Vec loadPartial(const std::uint32_t* p, int count) {
    if (count == 1) {
        return _mm_cvtsi32_si128(static_cast<int>(p[0]));
    }
    Vec low = _mm_loadl_epi64(reinterpret_cast<const Vec*>(p));
    return count == 2 ? low : _mm_unpacklo_epi64(low, _mm_cvtsi32_si128(static_cast<int>(p[2])));
}

void storePartial(std::uint32_t* p, Vec v, int count) {
    if (count == 1) {
        p[0] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(v));
        return;
    }
    _mm_storel_epi64(reinterpret_cast<Vec*>(p), v);
    if (count == 3) {
        p[2] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
    }
}

// Runs step(source, target) over a row four pixels at a time. A row of four or more that does
// not divide by four ends with the last four pixels, worked out from their original values
// before anything is stored and stored last: the pixels it shares with the block before get
// the same bytes again.
template <typename Step>
void rowLoop(std::uint32_t* dst, const std::uint32_t* src, int count, Step step) {
    if (count < 4) {
        if (count > 0) {
            storePartial(dst, step(loadPartial(src, count), loadPartial(dst, count)), count);
        }
        return;
    }
    int last = count - 4;
    Vec lastResult = step(load(src + last), load(dst + last));
    for (int i = 0; i < last; i += 4) {
        store(dst + i, step(load(src + i), load(dst + i)));
    }
    store(dst + last, lastResult);
}

// The same for a texture span: step(texels, target), with the walk moved on to the last block.
template <typename Step>
void spanLoop(std::uint32_t* dst, int count, SpanWalk walk, Step step) {
    if (count < 4) {
        if (count > 0) {
            storePartial(dst, step(gather(walk), loadPartial(dst, count)), count);
        }
        return;
    }
    int last = count - 4;
    SpanWalk lastWalk = walk;
    lastWalk.u += walk.du * static_cast<std::uint32_t>(last);
    lastWalk.v += walk.dv * static_cast<std::uint32_t>(last);
    Vec lastResult = step(gather(lastWalk), load(dst + last));
    for (int i = 0; i < last; i += 4) {
        store(dst + i, step(gather(walk), load(dst + i)));
    }
    store(dst + last, lastResult);
}

}  // namespace

namespace fast {

void clearWords(std::uint32_t* dst, int count) {
    fillRow(dst, count, 0);
}

void fillRow(std::uint32_t* dst, int count, std::uint32_t colour) {
    Vec value = splat(colour);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        store(dst + i, value);
    }
    for (; i < count; ++i) {
        dst[i] = colour;
    }
}

// Sprite rows are short, where a call to memcpy costs more than the copy; long rows go to it.
void copyRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    if (count >= 64) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        return;
    }
    rowLoop(dst, src, count, [](Vec s, Vec) { return s; });
}

void keyedRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    rowLoop(dst, src, count, [](Vec s, Vec d) { return keyed(s, d, s); });
}

void silhouetteRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
    Vec value = splat(colour);
    rowLoop(dst, src, count, [=](Vec s, Vec d) { return keyed(s, d, value); });
}

void addRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    rowLoop(dst, src, count, [](Vec s, Vec d) { return keyed(s, d, _mm_adds_epu8(d, s)); });
}

void subtractRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    rowLoop(dst, src, count, [](Vec s, Vec d) { return keyed(s, d, _mm_subs_epu8(d, s)); });
}

void subtractAllRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    rowLoop(dst, src, count, [](Vec s, Vec d) { return _mm_subs_epu8(d, s); });
}

void dimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    Vec factor = lanes16(level);
    rowLoop(dst, src, count, [=](Vec s, Vec) { return dim(s, factor); });
}

void blendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    Vec a = lanes16(alpha);
    Vec rest = lanes16(256 - alpha);
    rowLoop(dst, src, count, [=](Vec s, Vec d) { return blend(s, d, a, rest); });
}

void keyedDimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    Vec factor = lanes16(level);
    rowLoop(dst, src, count, [=](Vec s, Vec d) { return keyed(s, d, dim(s, factor)); });
}

void keyedBlendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    Vec a = lanes16(alpha);
    Vec rest = lanes16(256 - alpha);
    rowLoop(dst, src, count, [=](Vec s, Vec d) { return keyed(s, d, blend(s, d, a, rest)); });
}

// The opaque filler stays per pixel: with mostly opaque or transparent texels it is one
// predictable branch and one store a pixel, which measured no slower than the packed mix.
void texSpan(std::uint32_t* dst, int count, const SpanWalk& walk) {
    ref::texSpan(dst, count, walk);
}

void texSpanAdd(std::uint32_t* dst, int count, const SpanWalk& walk) {
    spanLoop(dst, count, walk, [](Vec t, Vec d) {
        Classes c = classify(t);
        // Opaque adds all of t, half adds t >> 1, quarter and three-quarter add t >> 2.
        Vec halfOnly = _mm_andnot_si128(c.threeQuarter, c.half);
        Vec part = select(halfOnly, _mm_srli_epi32(t, 1), _mm_srli_epi32(t, 2));
        return select(c.transparent, d, _mm_adds_epu8(d, select(c.opaque, t, part)));
    });
}

void texSpanBlend(std::uint32_t* dst, int count, const SpanWalk& walk, int alpha) {
    Vec a = lanes16(alpha);
    Vec rest = lanes16(256 - alpha);
    spanLoop(dst, count, walk, [=](Vec t, Vec d) {
        Classes c = classify(t);
        return select(c.transparent, d, blend(cover(t, d, c), d, a, rest));
    });
}

}  // namespace fast

#else  // no SSE2: the plain kernels are the fast ones

namespace fast {

void clearWords(std::uint32_t* dst, int count) {
    ref::clearWords(dst, count);
}
void fillRow(std::uint32_t* dst, int count, std::uint32_t colour) {
    ref::fillRow(dst, count, colour);
}
void copyRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    ref::copyRow(dst, src, count);
}
void keyedRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    ref::keyedRow(dst, src, count);
}
void silhouetteRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
    ref::silhouetteRow(dst, src, count, colour);
}
void addRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    ref::addRow(dst, src, count);
}
void subtractRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    ref::subtractRow(dst, src, count);
}
void subtractAllRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    ref::subtractAllRow(dst, src, count);
}
void dimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    ref::dimRow(dst, src, count, level);
}
void blendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    ref::blendRow(dst, src, count, alpha);
}
void keyedDimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    ref::keyedDimRow(dst, src, count, level);
}
void keyedBlendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    ref::keyedBlendRow(dst, src, count, alpha);
}
void texSpan(std::uint32_t* dst, int count, const SpanWalk& walk) {
    ref::texSpan(dst, count, walk);
}
void texSpanAdd(std::uint32_t* dst, int count, const SpanWalk& walk) {
    ref::texSpanAdd(dst, count, walk);
}
void texSpanBlend(std::uint32_t* dst, int count, const SpanWalk& walk, int alpha) {
    ref::texSpanBlend(dst, count, walk, alpha);
}

}  // namespace fast

#endif

// The plain row kernels: each pixel handled on its own, each byte of a pixel on its own, exactly
// as the drawing rules read. They define the bytes every fast kernel must produce and are the
// kernels used wherever no packed instructions exist.
#include "render/reference.h"

namespace {

using Word = std::uint32_t;

// Applies op to each of the four bytes of a and b and packs the results back.
template <typename Op>
Word perByte(Word a, Word b, Op op) {
    Word result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        Word x = (a >> shift) & 0xFFu;
        Word y = (b >> shift) & 0xFFu;
        result |= (op(x, y) & 0xFFu) << shift;
    }
    return result;
}

Word addBytes(Word d, Word s) {
    return perByte(d, s, [](Word x, Word y) { return x + y > 255u ? 255u : x + y; });
}

Word subtractBytes(Word d, Word s) {
    return perByte(d, s, [](Word x, Word y) { return x > y ? x - y : 0u; });
}

Word dimBytes(Word s, int level) {
    Word l = static_cast<Word>(level);
    return perByte(s, 0, [l](Word x, Word) { return (x * l) >> 8; });
}

Word blendBytes(Word s, Word d, int alpha) {
    Word a = static_cast<Word>(alpha);
    return perByte(s, d, [a](Word x, Word y) { return (x * a + y * (256u - a)) >> 8; });
}

// The opaque-with-coverage rule of a textured quad; returns false for a transparent texel.
bool coverTexel(Word t, Word d, Word* out) {
    if (t < 0x80000000u) {
        *out = t;
    } else if (t == kTransparentTexel) {
        return false;
    } else if (t >= kThreeQuarterFlag) {
        *out = (t + (d & 0x00FCFCFCu)) >> 2;
    } else if (t >= kHalfFlag) {
        *out = (t + (d & 0x00FEFEFEu)) >> 1;
    } else {
        *out = (t + 3u * (d & 0x00FCFCFCu)) >> 2;
    }
    return true;
}

Word addTexel(Word t, Word d) {
    if (t < 0x80000000u) {
        return addBytes(d, t);
    }
    if (t == kTransparentTexel) {
        return d;
    }
    if (t >= kThreeQuarterFlag || t < kHalfFlag) {
        return addBytes(d, t >> 2);
    }
    return addBytes(d, t >> 1);
}

}  // namespace

namespace ref {

void clearWords(std::uint32_t* dst, int count) {
    for (int i = 0; i < count; ++i) {
        dst[i] = 0;
    }
}

void fillRow(std::uint32_t* dst, int count, std::uint32_t colour) {
    for (int i = 0; i < count; ++i) {
        dst[i] = colour;
    }
}

void copyRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        dst[i] = src[i];
    }
}

void keyedRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = src[i];
        }
    }
}

void silhouetteRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = colour;
        }
    }
}

void addRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = addBytes(dst[i], src[i]);
        }
    }
}

void subtractRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = subtractBytes(dst[i], src[i]);
        }
    }
}

void subtractAllRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
    for (int i = 0; i < count; ++i) {
        dst[i] = subtractBytes(dst[i], src[i]);
    }
}

void dimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    for (int i = 0; i < count; ++i) {
        dst[i] = dimBytes(src[i], level);
    }
}

void blendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    for (int i = 0; i < count; ++i) {
        dst[i] = blendBytes(src[i], dst[i], alpha);
    }
}

void keyedDimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = dimBytes(src[i], level);
        }
    }
}

void keyedBlendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha) {
    for (int i = 0; i < count; ++i) {
        if (src[i] != colourKey) {
            dst[i] = blendBytes(src[i], dst[i], alpha);
        }
    }
}

void texSpan(std::uint32_t* dst, int count, const SpanWalk& start) {
    SpanWalk walk = start;
    for (int i = 0; i < count; ++i, walk.u += walk.du, walk.v += walk.dv) {
        Word covered = 0;
        if (coverTexel(sampleTexel(walk.texels, walk.u, walk.v), dst[i], &covered)) {
            dst[i] = covered;
        }
    }
}

void texSpanAdd(std::uint32_t* dst, int count, const SpanWalk& start) {
    SpanWalk walk = start;
    for (int i = 0; i < count; ++i, walk.u += walk.du, walk.v += walk.dv) {
        dst[i] = addTexel(sampleTexel(walk.texels, walk.u, walk.v), dst[i]);
    }
}

void texSpanBlend(std::uint32_t* dst, int count, const SpanWalk& start, int alpha) {
    SpanWalk walk = start;
    for (int i = 0; i < count; ++i, walk.u += walk.du, walk.v += walk.dv) {
        Word covered = 0;
        if (coverTexel(sampleTexel(walk.texels, walk.u, walk.v), dst[i], &covered)) {
            dst[i] = blendBytes(covered, dst[i], alpha);
        }
    }
}

}  // namespace ref

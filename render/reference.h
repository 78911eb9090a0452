// The row kernels behind every blit, line, clear and quad span, in two builds: `ref`, the plain
// per-byte rules that define the result, and `fast`, the packed versions the drawing functions
// normally take (SSE2 on x86-64, the plain rules elsewhere). Tests and benchmarks set
// renderPaths.referenceOnly to run the whole library on the plain kernels and compare.
#pragma once

#include <cstdint>

#include "render/texture.h"

struct RenderPaths {
    bool referenceOnly = false;
    bool packedSpansOnly = false;  // quads: the packed span kernels at every width (benchmarks)
};
inline RenderPaths renderPaths{};

// One texel sampler state for a span: the texture, the 8.24 coordinates and their steps.
struct SpanWalk {
    const std::uint32_t* texels = nullptr;
    std::uint32_t u = 0;
    std::uint32_t v = 0;
    std::uint32_t du = 0;
    std::uint32_t dv = 0;
};

// Column u >> 23, row v >> 23; the mask keeps coordinates outside 0..127 inside the store.
inline std::uint32_t sampleTexel(const std::uint32_t* texels, std::uint32_t u, std::uint32_t v) {
    return texels[((v >> 23) & 255u) * kTextureSize + ((u >> 23) & 255u)];
}

#define MT_ROW_KERNELS                                                                                 \
    void clearWords(std::uint32_t* dst, int count);                                                    \
    void fillRow(std::uint32_t* dst, int count, std::uint32_t colour);                                 \
    void copyRow(std::uint32_t* dst, const std::uint32_t* src, int count);                             \
    void keyedRow(std::uint32_t* dst, const std::uint32_t* src, int count);                            \
    void silhouetteRow(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour); \
    void addRow(std::uint32_t* dst, const std::uint32_t* src, int count);                              \
    void subtractRow(std::uint32_t* dst, const std::uint32_t* src, int count);                         \
    void subtractAllRow(std::uint32_t* dst, const std::uint32_t* src, int count);                      \
    void dimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level);                   \
    void blendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha);                 \
    void keyedDimRow(std::uint32_t* dst, const std::uint32_t* src, int count, int level);              \
    void keyedBlendRow(std::uint32_t* dst, const std::uint32_t* src, int count, int alpha);            \
    void texSpan(std::uint32_t* dst, int count, const SpanWalk& walk);                                 \
    void texSpanAdd(std::uint32_t* dst, int count, const SpanWalk& walk);                              \
    void texSpanBlend(std::uint32_t* dst, int count, const SpanWalk& walk, int alpha);

namespace ref {
MT_ROW_KERNELS
}  // namespace ref

namespace fast {
MT_ROW_KERNELS
}  // namespace fast

#undef MT_ROW_KERNELS

// .txm textures (128 x 128 pixels, 65,536 bytes, no header) spread into 256 x 256 texture
// stores whose top byte is an edge-coverage class, and the quads that sample them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/pixels.h"

inline constexpr int kTxmSize = 128;
inline constexpr std::size_t kTxmBytes = kTxmSize * kTxmSize * 4;
inline constexpr int kTextureSize = 256;

// Coverage classes of a texel's top byte, tested on the whole word.
inline constexpr std::uint32_t kTransparentTexel = 0x80FF00FFu;
inline constexpr std::uint32_t kQuarterFlag = 0x90000000u;
inline constexpr std::uint32_t kHalfFlag = 0xA0000000u;
inline constexpr std::uint32_t kThreeQuarterFlag = 0xB0000000u;

struct TextureStore {
    alignas(64) std::uint32_t texels[kTextureSize * kTextureSize];
};

// Per-row extent of the quad being scanned; u and v carry 24 fraction bits.
struct SpanRow {
    std::int32_t leftX, leftU, leftV, rightX, rightU, rightV;
};
struct SpanTable {
    SpanRow rows[kFrameHeight];
};
extern SpanTable spanTable;

// 1 when the file could be opened. Texels never stay undefined: a file shorter than 65,536
// bytes gives black (0x00000000, opaque) for the pixels it lacks, bytes past 65,536 are
// ignored, and the last column and row (255) repeat the midpoint rule with the last even texel
// standing in for the missing neighbour. loadTextureFromMemory does the same on a byte span
// (null data counts as empty).
int loadTexture(TextureStore* store, const char* path);
void loadTextureFromMemory(TextureStore* store, const std::uint8_t* data, std::size_t size);

void drawEdge(std::int32_t xa, std::int32_t ya, std::int32_t ua, std::int32_t va, std::int32_t xb,
              std::int32_t yb, std::int32_t ub, std::int32_t vb);

// Corners in order around the quad; u, v are source texel coordinates 0..127.
void drawTexQuad(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                 std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                 std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                 std::int32_t v3, const TextureStore* texture);
void drawTexQuadAdd(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                    std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                    std::int32_t v3, const TextureStore* texture);
void drawTexQuadBlend(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t u0, std::int32_t v0,
                      std::int32_t u1, std::int32_t v1, std::int32_t u2, std::int32_t v2, std::int32_t u3,
                      std::int32_t v3, const TextureStore* texture, std::int32_t alpha);

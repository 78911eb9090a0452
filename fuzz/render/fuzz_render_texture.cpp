// Fuzzes the texture loader and the quads: the first 32 bytes give the corners, texel
// coordinates and alpha of a quad (any texel coordinate, not only 0..127), the rest is the
// texture file. Corners are kept within a few screens of the frame: an edge across billions of
// pixels is slow, not wrong.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/texture.h"

static TextureStore store;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kParameterBytes = 32;
    std::int16_t p[16] = {};
    if (size >= kParameterBytes)
        std::memcpy(p, data, kParameterBytes), data += kParameterBytes, size -= kParameterBytes;
    loadTextureFromMemory(&store, data, size);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::int16_t>(p[i] % 1200);
    static FrameBuffer target;
    drawContext.target = &target;
    resetClipRect(), setClipRect(p[0] & 511, p[1] & 511, p[2] & 511, p[3] & 511);
    drawTexQuad(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11], p[12], p[13], p[14],
                p[15], &store);
    drawTexQuadAdd(p[1], p[0], p[3], p[2], p[5], p[4], p[7], p[6], p[8], p[9], p[10], p[11], p[12], p[13],
                   p[14], p[15], &store);
    drawTexQuadBlend(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[15], p[14], p[13], p[12], p[11], p[10],
                     p[9], p[8], &store, p[15]);
    resetClipRect();
    return 0;
}

// Loading .txm textures: 128 x 128 source pixels spread to the even texels of a 256 x 256 store
// and the texels between them interpolated once, here, with an edge-coverage class in the top
// byte wherever a keyed (magenta) pixel is near, so that the quad fillers can draw smooth edges
// with one compare chain per pixel.
//
// What a file that is not exactly 65,536 bytes gives: the bytes it has are used in order, the
// pixels it lacks are black (0x00000000, opaque), and bytes after the 65,536th are ignored. So
// every texel of the store is defined after any load that reached the data. The last column and
// the last row (255) have no source neighbour beyond them; their midpoints are taken with the
// last even texel standing in for the missing neighbour.
#include <bit>
#include <cstdio>
#include <cstring>

#include "render/texture.h"

namespace {

constexpr std::uint32_t kKeyMask = 0x00FFFFFFu;
constexpr std::uint32_t kLastEven = kTextureSize - 2;

std::uint32_t& texel(TextureStore* store, std::uint32_t row, std::uint32_t column) {
    return store->texels[row * kTextureSize + column];
}

// The even neighbour after position 2c: 2c + 2, or the last even texel at the end.
std::uint32_t nextEven(std::uint32_t even) {
    return even + 2 <= kLastEven ? even + 2 : kLastEven;
}

std::uint32_t average(std::uint32_t a, std::uint32_t b) {
    return ((a & 0x00FEFEFEu) + (b & 0x00FEFEFEu)) >> 1;
}

bool isKeyed(std::uint32_t t) {
    return (t & kKeyMask) == colourKey;
}

// Walks backwards so that no source pixel is overwritten before it has moved; true when any
// pixel was the colour key.
bool spreadPixels(TextureStore* store) {
    bool keyed = false;
    for (int index = kTxmSize * kTxmSize - 1; index >= 0; --index) {
        std::uint32_t pixel = store->texels[index];
        if (pixel == colourKey) {
            pixel = kTransparentTexel;
            keyed = true;
        }
        auto row = static_cast<std::uint32_t>(index / kTxmSize);
        auto column = static_cast<std::uint32_t>(index % kTxmSize);
        texel(store, 2 * row, 2 * column) = pixel;
    }
    return keyed;
}

void interpolatePlain(TextureStore* store) {
    for (std::uint32_t row = 0; row < kTextureSize; row += 2) {
        for (std::uint32_t column = 0; column < kTextureSize; column += 2) {
            texel(store, row, column + 1) =
                average(texel(store, row, column), texel(store, row, nextEven(column)));
        }
    }
    for (std::uint32_t row = 0; row < kTextureSize; row += 2) {
        for (std::uint32_t x = 0; x < kTextureSize; ++x) {
            texel(store, row + 1, x) = average(texel(store, row, x), texel(store, nextEven(row), x));
        }
    }
}

// A midpoint between two texels of which either may be transparent.
std::uint32_t keyedMidpoint(std::uint32_t a, std::uint32_t b) {
    bool aClear = isKeyed(a);
    bool bClear = isKeyed(b);
    if (aClear && bClear) {
        return kTransparentTexel;
    }
    if (aClear) {
        return (b & 0x00FEFEFEu) | kHalfFlag;
    }
    if (bClear) {
        return (a & 0x00FEFEFEu) | kHalfFlag;
    }
    return average(a, b);
}

// A centre texel from its four diagonal neighbours; three-quarter sums stay undivided, the
// quad fillers divide them.
std::uint32_t keyedCentre(const std::uint32_t (&corners)[4]) {
    std::uint32_t sum = 0;
    int covered = 0;
    for (std::uint32_t corner : corners) {
        if (!isKeyed(corner)) {
            sum += corner & 0x00FCFCFCu;
            ++covered;
        }
    }
    switch (covered) {
        case 0: return kTransparentTexel;
        case 1: return sum | kQuarterFlag;
        case 2: return (sum >> 1) | kHalfFlag;
        case 3: return sum | kThreeQuarterFlag;
        default: return sum >> 2;
    }
}

void interpolateKeyed(TextureStore* store) {
    for (std::uint32_t row = 0; row < kTextureSize; row += 2) {
        for (std::uint32_t column = 0; column < kTextureSize; column += 2) {
            texel(store, row, column + 1) =
                keyedMidpoint(texel(store, row, column), texel(store, row, nextEven(column)));
        }
    }
    for (std::uint32_t row = 0; row < kTextureSize; row += 2) {
        for (std::uint32_t column = 0; column < kTextureSize; column += 2) {
            texel(store, row + 1, column) =
                keyedMidpoint(texel(store, row, column), texel(store, nextEven(row), column));
        }
    }
    for (std::uint32_t row = 0; row < kTextureSize; row += 2) {
        for (std::uint32_t column = 0; column < kTextureSize; column += 2) {
            std::uint32_t below = nextEven(row);
            std::uint32_t right = nextEven(column);
            const std::uint32_t corners[4] = {texel(store, row, column), texel(store, row, right),
                                              texel(store, below, right), texel(store, below, column)};
            texel(store, row + 1, column + 1) = keyedCentre(corners);
        }
    }
}

// The first `valid` bytes of the store hold file data; the rest of the source quarter turns black.
void buildTexture(TextureStore* store, std::size_t valid) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(store->texels);
    std::memset(bytes + valid, 0, kTxmBytes - valid);
    if (spreadPixels(store)) {
        interpolateKeyed(store);
    } else {
        interpolatePlain(store);
    }
}

}  // namespace

// The file is little-endian, like every machine we build for, so its words copy as they are.
static_assert(std::endian::native == std::endian::little);

void loadTextureFromMemory(TextureStore* store, const std::uint8_t* data, std::size_t size) {
    if (store == nullptr) {
        return;
    }
    std::size_t used = data == nullptr ? 0 : (size < kTxmBytes ? size : kTxmBytes);
    if (used > 0) {
        std::memcpy(store->texels, data, used);
    }
    buildTexture(store, used);
}

int loadTexture(TextureStore* store, const char* path) {
    if (store == nullptr || path == nullptr) {
        return 0;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    // Read straight into the store's first quarter, where the spreading expects the source.
    auto* bytes = reinterpret_cast<std::uint8_t*>(store->texels);
    std::size_t used = std::fread(bytes, 1, kTxmBytes, file);
    std::fclose(file);
    buildTexture(store, used);
    return 1;
}

// Fuzzes the BMP reader with arbitrary bytes; whatever it accepts is then drawn and grabbed at a
// position taken from the data, so the image it built must be whole and consistent.
#include <cstddef>
#include <cstdint>

#include "render/blit.h"

int fuzzAccepted = -1;  // for the seed replay: whether the last file was read

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PixelBuffer* image = loadBmpFromMemory(data, size);
    fuzzAccepted = image != nullptr;
    if (image == nullptr) {
        return 0;
    }
    std::int32_t x = size > 58 ? static_cast<std::int8_t>(data[58]) * 4 : 0;
    std::int32_t y = size > 59 ? static_cast<std::int8_t>(data[59]) * 3 : 0;
    static FrameBuffer target;
    drawContext.target = &target;
    resetClipRect();
    blitKeyedBlend(x, y, image, 100);
    blitDim(x, y, image, 0);
    grabRect(x, y, image);
    destroyPixelBuffer(image);
    return 0;
}

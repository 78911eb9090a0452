// The image blits: one clipping rule shared by all of them, the special ends of the level and
// alpha scales, and a walk over the visible rows that hands each row to its row kernel.
#include "render/blit.h"

#include "render/reference.h"

namespace {

// The visible part of an image placed at (x, y): where it lands and where it starts.
struct BlitArea {
    std::int32_t targetX = 0;
    std::int32_t targetY = 0;
    std::int32_t imageX = 0;
    std::int32_t imageY = 0;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
};

// False when nothing of the image is visible. Works in 64 bits so that no position and size
// can overflow, and finds an empty area for a clip rectangle turned inside out.
bool clipImage(std::int32_t x, std::int32_t y, const PixelBuffer* image, BlitArea* area) {
    const DrawContext& dc = drawContext;
    if (image == nullptr || x > dc.clipRight || y > dc.clipBottom) {
        return false;
    }
    std::int64_t right = std::int64_t{x} + image->width - 1;
    std::int64_t bottom = std::int64_t{y} + image->height - 1;
    std::int64_t left = x > dc.clipLeft ? x : dc.clipLeft;
    std::int64_t top = y > dc.clipTop ? y : dc.clipTop;
    right = right < dc.clipRight ? right : dc.clipRight;
    bottom = bottom < dc.clipBottom ? bottom : dc.clipBottom;
    if (left > right || top > bottom) {
        return false;
    }
    area->targetX = static_cast<std::int32_t>(left);
    area->targetY = static_cast<std::int32_t>(top);
    area->imageX = static_cast<std::int32_t>(left - x);
    area->imageY = static_cast<std::int32_t>(top - y);
    area->columns = static_cast<std::int32_t>(right - left + 1);
    area->rows = static_cast<std::int32_t>(bottom - top + 1);
    return true;
}

const std::uint32_t* imageRow(const PixelBuffer* image, const BlitArea& area, std::int32_t row) {
    std::size_t index = static_cast<std::size_t>(area.imageY + row) * static_cast<std::size_t>(image->width);
    return image->pixels() + index + static_cast<std::size_t>(area.imageX);
}

// Runs kernel(targetRow, imageRow, columns) over every visible row.
template <typename Kernel>
void blitRows(std::int32_t x, std::int32_t y, const PixelBuffer* image, Kernel kernel) {
    BlitArea area;
    if (!clipImage(x, y, image, &area)) {
        return;
    }
    for (std::int32_t row = 0; row < area.rows; ++row) {
        kernel(targetRow(area.targetY + row) + area.targetX, imageRow(image, area, row), area.columns);
    }
}

bool plain() {
    return renderPaths.referenceOnly;
}

}  // namespace

void blitCopy(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    blitRows(x, y, image, plain() ? ref::copyRow : fast::copyRow);
}

void blitKeyed(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    blitRows(x, y, image, plain() ? ref::keyedRow : fast::keyedRow);
}

void blitSilhouette(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    auto kernel = plain() ? ref::silhouetteRow : fast::silhouetteRow;
    std::uint32_t colour = drawContext.drawColour;
    blitRows(x, y, image, [=](std::uint32_t* d, const std::uint32_t* s, int n) { kernel(d, s, n, colour); });
}

void blitAdd(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    blitRows(x, y, image, plain() ? ref::addRow : fast::addRow);
}

void blitSubtract(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    blitRows(x, y, image, plain() ? ref::subtractRow : fast::subtractRow);
}

void blitSubtractAll(std::int32_t x, std::int32_t y, const PixelBuffer* image) {
    blitRows(x, y, image, plain() ? ref::subtractAllRow : fast::subtractAllRow);
}

void blitDim(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t level) {
    if (image == nullptr) {
        return;
    }
    if (level < 1) {
        // Level 0 is a black box over the image's whole rectangle, and the colour stays black.
        drawContext.drawColour = 0;
        std::int64_t right = std::int64_t{x} + image->width - 1;
        std::int64_t bottom = std::int64_t{y} + image->height - 1;
        if (image->width > 0 && image->height > 0 && right <= INT32_MAX && bottom <= INT32_MAX) {
            fillRect(x, y, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom));
        }
        return;
    }
    if (level > 255) {
        blitCopy(x, y, image);
        return;
    }
    auto kernel = plain() ? ref::dimRow : fast::dimRow;
    blitRows(x, y, image, [=](std::uint32_t* d, const std::uint32_t* s, int n) { kernel(d, s, n, level); });
}

void blitBlend(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t alpha) {
    if (alpha < 1) {
        return;
    }
    if (alpha > 255) {
        blitCopy(x, y, image);
        return;
    }
    auto kernel = plain() ? ref::blendRow : fast::blendRow;
    blitRows(x, y, image, [=](std::uint32_t* d, const std::uint32_t* s, int n) { kernel(d, s, n, alpha); });
}

void blitKeyedDim(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t level) {
    if (image == nullptr) {
        return;
    }
    if (level < 1) {
        drawContext.drawColour = 0;
        blitSilhouette(x, y, image);
        return;
    }
    if (level > 255) {
        blitKeyed(x, y, image);
        return;
    }
    auto kernel = plain() ? ref::keyedDimRow : fast::keyedDimRow;
    blitRows(x, y, image, [=](std::uint32_t* d, const std::uint32_t* s, int n) { kernel(d, s, n, level); });
}

void blitKeyedBlend(std::int32_t x, std::int32_t y, const PixelBuffer* image, std::int32_t alpha) {
    if (alpha < 1) {
        return;
    }
    if (alpha > 255) {
        blitKeyed(x, y, image);
        return;
    }
    auto kernel = plain() ? ref::keyedBlendRow : fast::keyedBlendRow;
    blitRows(x, y, image, [=](std::uint32_t* d, const std::uint32_t* s, int n) { kernel(d, s, n, alpha); });
}

void grabRect(std::int32_t x, std::int32_t y, PixelBuffer* image) {
    // The same clipping as a blit, with the copy running from the target into the image.
    BlitArea area;
    if (!clipImage(x, y, image, &area)) {
        return;
    }
    auto kernel = plain() ? ref::copyRow : fast::copyRow;
    for (std::int32_t row = 0; row < area.rows; ++row) {
        std::size_t index =
            static_cast<std::size_t>(area.imageY + row) * static_cast<std::size_t>(image->width);
        kernel(image->pixels() + index + static_cast<std::size_t>(area.imageX),
               targetRow(area.targetY + row) + area.targetX, area.columns);
    }
}

// The editor's picture of the scene: the images under DAT that the view draws with, loaded by
// their full names under the program folder, and renderSceneView, which paints the background,
// every cell with its shadow, the one-shot preview of the action in progress and the green frame
// round the cell under the mouse into the editor's own 400 x 300 buffer.
#include <algorithm>
#include <cstdio>

#include "editor/core/editing.h"
#include "render/blit.h"
#include "render/font.h"
#include "scene/data_files.h"

TextureStore beanTexture;
FrameBuffer viewDrawBuffer;

namespace {

std::string dataFile(const char* path) {
    return editorState.programFolder + "/" + path;
}

void drawBean(std::int32_t x, std::int32_t y, std::int32_t colour) {
    const std::int32_t u = 10 * colour;
    drawTexQuad(x, y, x + 9, y, x + 9, y + 9, x, y + 9, u, 0, u + 9, 0, u + 9, 9, u, 9, &beanTexture);
}

// One cell's content at (x, y). False when nothing at all was drawn (no shadow either).
bool drawCellContent(std::int32_t x, std::int32_t y, std::uint8_t code) {
    switch (code) {
        case RedBean:
        case OrangeBean:
        case GreenBean:
        case BlueBean:
        case PurpleBean: drawBean(x, y, code); return true;
        case StoneBean: blitKeyed(x, y, viewImages.stone); return true;
        case StartPoint: blitKeyed(x, y, viewImages.start); return true;
        case ExitPoint: blitKeyed(x, y, viewImages.exit); return true;
        case RandomBean:
            blitKeyed(x, y, viewImages.random);
            drawContext.drawColour = 0;
            drawChar(x + 1, y + 1, '?');
            return true;
        case EmptyCell: return false;
        default: return true;  // unknown codes read from a file show only their shadow
    }
}

void drawCell(std::int32_t x, std::int32_t y, std::uint8_t code) {
    if (drawCellContent(x, y, code)) blitSubtract(x + 4, y + 4, viewImages.shadow);
}

void drawHoverFrame() {
    if (!editorState.hoverShown) return;
    const std::int32_t c = std::clamp(editorState.hoverCol, 0, kSceneColumns - 1);
    const std::int32_t r = std::clamp(editorState.hoverRow, 0, kSceneRows - 1);
    drawContext.drawColour = 0x0000FF00u;
    drawRectOutline(10 * c, 10 * r, 10 * c + 9, 10 * r + 9);
}

// The selection, or where a floating block would land, framed in yellow.
void drawSelectionFrame() {
    const FloatingBlock& f = editorState.floating;
    CellRect rect = editorState.selection;
    if (f.active) {
        rect.left = editorState.hoverCol - f.grabCol, rect.top = editorState.hoverRow - f.grabRow;
        rect.right = rect.left + f.block.width - 1, rect.bottom = rect.top + f.block.height - 1;
    }
    if (!rect.active && !f.active) return;
    drawContext.drawColour = 0x00FFFF00u;
    drawRectOutline(10 * rect.left, 10 * rect.top, 10 * rect.right + 9, 10 * rect.bottom + 9);
}

void replaceImage(PixelBuffer*& slot, const char* path) {
    destroyPixelBuffer(slot);
    slot = loadBmp(dataFile(path).c_str());
}

}  // namespace

void setupViewDisplay() {
    initRowTables();
    clearFrameBuffer(&viewDrawBuffer);
}

const char* loadCellImages() {
    struct ImageFile {
        PixelBuffer** slot;
        const char* path;
        const char* failure;
    };
    const ImageFile files[] = {
        {&viewImages.shadow, dataPath("shadow.bmp"), "Failed to load image: shadow.bmp!"},
        {&viewImages.start, dataPath("start.bmp"), "Failed to load image: start.bmp!"},
        {&viewImages.exit, dataPath("exit.bmp"), "Failed to load image: exit.bmp!"},
        {&viewImages.random, dataPath("random.bmp"), "Failed to load image: random.bmp!"},
        {&viewImages.stone, dataPath("stone.bmp"), "Failed to load image: stone.bmp!"},
    };
    for (const ImageFile& file : files) {
        replaceImage(*file.slot, file.path);
        if (*file.slot == nullptr) return file.failure;
    }
    return nullptr;
}

bool loadEditorBackground() {
    if (editorState.backgroundImageNumber < 0 || editorState.backgroundImageNumber > 8)
        editorState.backgroundImageNumber = 0;
    replaceImage(viewImages.background, kBackgroundPaths[editorState.backgroundImageNumber]);
    return viewImages.background != nullptr;
}

bool showSceneBackground() {
    editorState.backgroundImageNumber = backgroundPictureOf(editorState.scene.background);
    return loadEditorBackground();
}

bool loadBeanTexture() {
    return loadTexture(&beanTexture, dataFile(dataPath("bean.txm")).c_str()) != 0;
}

void releaseViewImages() {
    for (PixelBuffer** slot : {&viewImages.background, &viewImages.shadow, &viewImages.start,
                               &viewImages.exit, &viewImages.random, &viewImages.stone}) {
        destroyPixelBuffer(*slot);
        *slot = nullptr;
    }
}

void renderSceneView() {
    drawContext.target = &viewDrawBuffer;
    resetClipRect();
    // Without a background (a reload failed), or with a small one, the old picture would keep
    // every stale preview; clearing first costs little.
    const PixelBuffer* background = viewImages.background;
    if (background == nullptr || background->width < kFrameWidth || background->height < kFrameHeight)
        clearFrameBuffer(&viewDrawBuffer);
    blitCopy(0, 0, background);
    previewFloating();  // drawn at every paint while it follows the pointer
    for (std::int32_t row = 0; row < kSceneRows; ++row) {
        for (std::int32_t column = 0; column < kSceneColumns; ++column) {
            const int cell = sceneCellIndex(column, row);
            const std::uint8_t preview = editorState.previewGrid[cell];
            if (preview != ErasedPreview) drawCell(10 * column, 10 * row, editorState.scene.grid[cell]);
            if (preview != ErasedPreview) drawCell(10 * column, 10 * row, preview);
            editorState.previewGrid[cell] = EmptyCell;
        }
    }
    drawSelectionFrame();
    drawHoverFrame();
}

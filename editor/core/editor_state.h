// The editor's program-wide state and its pure operations: the one scene, the preview overlay,
// the chosen unit and shape, the mouse action in progress, the images of the view and the
// 400 x 300 picture. Nothing here knows Qt: the Qt classes of KELV call these functions with
// plain numbers, so the drawing rules, the tools and the checks before a save can be tested
// (and run under the sanitizers) without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/pixels.h"
#include "render/texture.h"
#include "scene/scene.h"

inline constexpr std::uint8_t NoUnit = 255;
inline constexpr std::uint8_t EraserUnit = 254;
inline constexpr std::uint8_t NoShape = 255;
inline constexpr std::uint8_t ErasedPreview = 254;  // a preview cell shown without content

// The five drawing shapes, then the tools that came later, each chosen like a shape: a brush
// that paints every cell a drag crosses, a rectangle of cells to select, and flood fill.
enum ShapeCode : std::uint8_t {
    LineShape = 0,
    RectangleShape = 1,
    EllipseShape = 2,
    FilledRectangleShape = 3,
    FilledEllipseShape = 4,
    BrushShape = 5,
    SelectShape = 6,
    FillShape = 7,
};

// Cells lifted out of the scene or read from the clipboard, row by row.
struct CellBlock {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::array<std::uint8_t, kSceneCells> cells{};
    std::uint8_t& at(std::int32_t column, std::int32_t row) {
        return cells[std::size_t(row * width + column)];
    }
    std::uint8_t at(std::int32_t column, std::int32_t row) const {
        return cells[std::size_t(row * width + column)];
    }
};

// A rectangle of cells, both corners included; `active` false when nothing is selected.
struct CellRect {
    bool active = false;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = -1;
    std::int32_t bottom = -1;
};

// A block that follows the pointer until a click places it: pasted from the clipboard, or a
// selection being dragged away from `source`, which empties when the block is placed.
struct FloatingBlock {
    bool active = false;
    CellBlock block;
    std::int32_t grabCol = 0;  // the block's cell under the pointer
    std::int32_t grabRow = 0;
    CellRect source;
};

// The cells a brush drag has crossed so far, painted with the unit (or erased with the right
// button) at the release.
struct BrushStroke {
    bool active = false;
    bool erasing = false;
    bool moved = false;  // it left its first cell
    std::int32_t lastCol = 0;
    std::int32_t lastRow = 0;
    std::array<bool, kSceneCells> cells{};
};

// Everything the document, the view and the properties dialog share. One instance for the
// whole run; New and Open overwrite the scene in place.
struct EditorState {
    Scene scene{};
    std::array<std::uint8_t, kSceneCells> previewGrid = Scene::filledGrid();
    std::uint8_t currentUnit = NoUnit;
    std::uint8_t currentShape = NoShape;
    std::int32_t hoverCol = 0;
    std::int32_t hoverRow = 0;
    std::int32_t anchorCol = -1;
    std::int32_t anchorRow = -1;
    std::int32_t oldPointCol = -1;
    std::int32_t oldPointRow = -1;
    bool dragCancelled = false;
    bool hoverShown = true;  // false while the mouse is away from the view
    CellRect selection;
    FloatingBlock floating;
    BrushStroke stroke;
    // The picture is drawn at a whole factor, square cells, centred in the view.
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::int32_t viewLeft = 0;
    std::int32_t viewTop = 0;
    std::int32_t backgroundImageNumber = 0;
    // Where DAT, Scenes and Readme.htm live, as an absolute path: every file is loaded by its
    // full name, so a file dialog that wandered elsewhere changes nothing. It is the program's
    // own folder when KELV runs portable, the installed data folder otherwise (`portable`
    // false), where scenes are saved into the player's own folder.
    std::string programFolder = ".";
    bool portable = true;
};
inline EditorState editorState{};

// The view's images and picture. The bean texture and the buffer are large, so they live in
// static storage rather than inside EditorState.
struct ViewImages {
    PixelBuffer* background = nullptr;
    PixelBuffer* shadow = nullptr;
    PixelBuffer* start = nullptr;
    PixelBuffer* exit = nullptr;
    PixelBuffer* random = nullptr;
    PixelBuffer* stone = nullptr;
};
inline ViewImages viewImages{};
extern TextureStore beanTexture;
extern FrameBuffer viewDrawBuffer;

// ---- images and the picture (scene_view.cpp) ----
void setupViewDisplay();  // the row tables and a cleared picture
// The five cell images, shadow first, so that the start-up names the first one missing; returns
// that failure's message, or null.
const char* loadCellImages();
// The picture of background number `backgroundImageNumber` (0..8; any other number shows the
// first picture and becomes 0). False when it could not be loaded.
bool loadEditorBackground();
// Backgrounds 1..9 are the pictures 0..8, so the picture number is one less. The subtraction is
// unsigned: the lowest number a file can hold wraps to a large number, which shows the first
// picture, where a signed subtraction would overflow.
constexpr std::int32_t backgroundPictureOf(std::int32_t background) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(background) - 1u);
}
// Shows the scene's own background: its picture number set and the picture loaded, in one place.
bool showSceneBackground();
bool loadBeanTexture();
void releaseViewImages();
void renderSceneView();

// ---- units, shapes and the mouse (tools.cpp) ----
void putCell(std::int32_t column, std::int32_t row, bool preview);
void selectUnit(std::uint8_t code);   // toggles
void selectShape(std::uint8_t code);  // toggles
bool isUnitChecked(std::uint8_t code);
bool isShapeEnabled(std::uint8_t code);
bool isShapeChecked(std::uint8_t code);
const char* unitName(std::uint8_t code);
const char* shapeName(std::uint8_t code);
std::string statusText();
void mouseToCell(std::int32_t x, std::int32_t y);
// The factor the picture is drawn at in a view of this size: `zoom` itself, or for 0 the
// largest whole factor that fits (at least 1); the picture is centred when the view is larger.
std::int32_t viewScale(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t zoom);
void setViewGeometry(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t zoom);
void leftButtonDown();
void mouseMoved(bool leftHeld);
bool leftButtonUp();  // true when the action changed the scene (a commit happened)
void rightButtonDown(bool leftHeld);
bool rightButtonUp();  // true when a brush stroke erased cells

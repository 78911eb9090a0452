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

enum ShapeCode : std::uint8_t {
    LineShape = 0,
    RectangleShape = 1,
    EllipseShape = 2,
    FilledRectangleShape = 3,
    FilledEllipseShape = 4,
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
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::int32_t backgroundImageNumber = 0;
    // Where DAT, Scenes and Readme.htm live; setExeDirectory makes it the working directory.
    // It is the program's own folder when KELV runs portable, the installed data folder
    // otherwise (`portable` false), where scenes are saved into the player's own folder.
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

// ---- program folder, images and the picture (scene_view.cpp) ----
bool setExeDirectory();
bool setupViewDisplay();
// Step 4 of the start-up: the five cell images in their order; returns the message of the
// first that fails, or null.
const char* loadCellImages();
bool loadEditorBackground();
// The picture number of a scene's background, one less; unsigned, so the lowest number a file
// can hold wraps (to a number loadEditorBackground replaces with the first) instead of overflowing.
constexpr std::int32_t backgroundPictureOf(std::int32_t background) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(background) - 1u);
}
bool loadBeanTexture();
void releaseViewImages();
void renderSceneView();

// ---- the scene as a document (scene_rules.cpp) ----
void resetScene();  // the new-scene values, an empty grid and an empty preview
std::string sceneSavePath(const std::string& documentTitle);

// ---- units, shapes and the mouse (tools.cpp) ----
void putCell(std::int32_t column, std::int32_t row, bool preview);
void selectUnit(std::uint8_t code);   // toggles
void selectShape(std::uint8_t code);  // toggles
bool isUnitChecked(std::uint8_t code);
bool isShapeEnabled();
bool isShapeChecked(std::uint8_t code);
const char* unitName(std::uint8_t code);
const char* shapeName(std::uint8_t code);
std::string statusText();
void mouseToCell(std::int32_t x, std::int32_t y);
void setViewScale(std::int32_t clientWidth, std::int32_t clientHeight);
void leftButtonDown();
void mouseMoved(bool leftHeld);
bool leftButtonUp();  // true when the action changed the scene (a commit happened)
void rightButtonDown(bool leftHeld);

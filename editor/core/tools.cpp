// The view's drawing tools: the unit and shape selections, the mapping from mouse positions to
// cells, the status-bar text, and the left-button action from press through preview to commit
// (or its cancellation by the right button). Nothing reaches the scene before the release;
// until then every move rebuilds the one-shot preview that the next paint shows and consumes.
#include <cstdio>
#include <cstdlib>

#include "editor/core/editor_state.h"
#include "editor/shapes/cell_shapes.h"

namespace {

bool isPointUnit(std::uint8_t unit) {
    return unit == StartPoint || unit == ExitPoint;
}

void putPreviewCell(std::int32_t column, std::int32_t row, bool preview) {
    putCell(column, row, preview);
}

// The current shape between the anchor and the hover cell; the ellipses take the anchor as
// their centre and the distances to the hover cell as radii.
void applyShape(bool preview) {
    EditorState& s = editorState;
    const std::int32_t rx = std::abs(s.hoverCol - s.anchorCol), ry = std::abs(s.hoverRow - s.anchorRow);
    switch (s.currentShape) {
        case LineShape:
            drawLine(s.anchorCol, s.anchorRow, s.hoverCol, s.hoverRow, preview, putPreviewCell);
            break;
        case RectangleShape:
            drawRectangle(s.anchorCol, s.anchorRow, s.hoverCol, s.hoverRow, preview, putPreviewCell);
            break;
        case EllipseShape: drawEllipse(s.anchorCol, s.anchorRow, rx, ry, preview, putPreviewCell); break;
        case FilledRectangleShape:
            fillRectangle(s.anchorCol, s.anchorRow, s.hoverCol, s.hoverRow, preview, putPreviewCell);
            break;
        case FilledEllipseShape:
            fillEllipse(s.anchorCol, s.anchorRow, rx, ry, preview, putPreviewCell);
            break;
        default: putCell(s.hoverCol, s.hoverRow, preview); break;
    }
}

// A start or exit point moves: the old one (if any) is erased and the unit goes under the mouse.
void applyPointMove(bool preview) {
    EditorState& s = editorState;
    const std::uint8_t unit = s.currentUnit;
    s.currentUnit = EraserUnit;
    putCell(s.oldPointCol, s.oldPointRow, preview);
    s.currentUnit = unit;
    putCell(s.hoverCol, s.hoverRow, preview);
}

void findOldPoint() {
    EditorState& s = editorState;
    s.oldPointCol = s.oldPointRow = -1;
    for (std::int32_t row = 0; row < kSceneRows; ++row)
        for (std::int32_t column = 0; column < kSceneColumns; ++column)
            if (s.scene.grid[sceneCellIndex(column, row)] == s.currentUnit) {
                s.oldPointCol = column;
                s.oldPointRow = row;
                return;
            }
}

void applyAction(bool preview) {
    // Qt may deliver a press and several moves before one paint; the preview shows only the
    // latest state of the action, never a trail of earlier ones.
    if (preview) editorState.previewGrid = Scene::filledGrid();
    if (isPointUnit(editorState.currentUnit))
        applyPointMove(preview);
    else
        applyShape(preview);
}

}  // namespace

void putCell(std::int32_t column, std::int32_t row, bool preview) {
    if (column < 0 || column >= kSceneColumns || row < 0 || row >= kSceneRows) return;
    const int cell = sceneCellIndex(column, row);
    if (preview)
        editorState.previewGrid[cell] = editorState.currentUnit;
    else
        editorState.scene.grid[cell] =
            editorState.currentUnit == EraserUnit ? std::uint8_t(EmptyCell) : editorState.currentUnit;
}

void selectUnit(std::uint8_t code) {
    editorState.currentUnit = editorState.currentUnit == code ? NoUnit : code;
}

void selectShape(std::uint8_t code) {
    editorState.currentShape = editorState.currentShape == code ? NoShape : code;
}

bool isUnitChecked(std::uint8_t code) {
    return editorState.currentUnit == code;
}

bool isShapeEnabled() {
    return editorState.currentUnit != NoUnit && !isPointUnit(editorState.currentUnit);
}

bool isShapeChecked(std::uint8_t code) {
    return editorState.currentShape == code;
}

const char* unitName(std::uint8_t code) {
    static constexpr const char* names[] = {"Red bean",    "Orange bean", "Green bean",  "Blue bean",
                                            "Purple bean", "Stone bean",  "Start point", "Exit point"};
    if (code <= ExitPoint) return names[code];
    if (code == RandomBean) return "Random bean";
    if (code == EraserUnit) return "Eraser";
    return "None";
}

const char* shapeName(std::uint8_t code) {
    static constexpr const char* names[] = {"Line", "Rectangle", "Ellipse", "Filled rectangle",
                                            "Filled ellipse"};
    return code <= FilledEllipseShape ? names[code] : "None";
}

std::string statusText() {
    char text[160];
    std::snprintf(text, sizeof text, "(Col, Row) = (%d, %d)    Unit = %s    Shape = %s",
                  int(editorState.hoverCol), int(editorState.hoverRow), unitName(editorState.currentUnit),
                  shapeName(editorState.currentShape));
    return text;
}

void setViewScale(std::int32_t clientWidth, std::int32_t clientHeight) {
    editorState.scaleX = float(clientWidth) * 0.0025f;
    editorState.scaleY = float(clientHeight) * 0.0033333334f;
}

// Truncation toward zero on purpose: while a button is held the mouse may stray a few pixels
// left of or above the view, and pixels -9..9 still land in cell 0, so a drag that overshoots
// the edge by less than a cell keeps drawing on the edge.
void mouseToCell(std::int32_t x, std::int32_t y) {
    // A zero-sized client area leaves the last cell in place rather than dividing by zero.
    if (!(editorState.scaleX > 0.0f) || !(editorState.scaleY > 0.0f)) return;
    const std::int32_t bx = std::int32_t(float(x) / editorState.scaleX);
    const std::int32_t by = std::int32_t(float(y) / editorState.scaleY);
    editorState.hoverCol = std::int32_t(float(bx) * 0.1f);
    editorState.hoverRow = std::int32_t(float(by) * 0.1f);
}

void leftButtonDown() {
    EditorState& s = editorState;
    s.anchorCol = s.hoverCol;
    s.anchorRow = s.hoverRow;
    if (s.currentUnit == NoUnit) return;
    if (isPointUnit(s.currentUnit)) findOldPoint();
    applyAction(true);
}

void mouseMoved(bool leftHeld) {
    if (!leftHeld || editorState.dragCancelled || editorState.currentUnit == NoUnit) return;
    // A press outside the view (then dragged in) has no anchor and so no action to preview.
    if (editorState.anchorCol == -1 && editorState.anchorRow == -1) return;
    applyAction(true);
}

bool leftButtonUp() {
    EditorState& s = editorState;
    if (s.anchorCol == -1 && s.anchorRow == -1) return false;
    const bool commit = s.currentUnit != NoUnit && !s.dragCancelled;
    if (commit) applyAction(false);
    s.dragCancelled = false;
    s.anchorCol = s.anchorRow = -1;
    s.oldPointCol = s.oldPointRow = -1;
    return commit;
}

void rightButtonDown(bool leftHeld) {
    EditorState& s = editorState;
    if (leftHeld)
        s.dragCancelled = true;
    else if (s.currentShape != NoShape)
        s.currentShape = NoShape;
    else if (s.currentUnit != NoUnit)
        s.currentUnit = NoUnit;
}

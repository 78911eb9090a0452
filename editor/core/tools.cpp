// The view's drawing tools: the unit and shape selections, the mapping from mouse positions to
// cells, the status-bar text, and the left-button action from press through preview to commit
// (or its cancellation by the right button). Nothing reaches the scene before the release;
// until then every move rebuilds the one-shot preview that the next paint shows and consumes.
// The later tools ride on the same action: the brush collects the cells its drag crosses, the
// select tool draws or drags the selection, fill previews the area it would fill, and a
// floating block is placed by the next click whatever the tool.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "editor/core/editing.h"
#include "editor/shapes/cell_shapes.h"

namespace {

bool isPointUnit(std::uint8_t unit) {
    return unit == StartPoint || unit == ExitPoint;
}

void putPreviewCell(std::int32_t column, std::int32_t row, bool preview) {
    putCell(column, row, preview);
}

void markStrokeCell(std::int32_t column, std::int32_t row, bool) {
    if (column >= 0 && column < kSceneColumns && row >= 0 && row < kSceneRows)
        editorState.stroke.cells[std::size_t(sceneCellIndex(column, row))] = true;
}

void startStroke(bool erasing) {
    BrushStroke& stroke = editorState.stroke;
    stroke = BrushStroke{true, erasing, false, editorState.hoverCol, editorState.hoverRow, {}};
    markStrokeCell(stroke.lastCol, stroke.lastRow, false);
}

// A fast pointer skips cells between two moves; the line rule joins them.
void extendStroke() {
    BrushStroke& stroke = editorState.stroke;
    const std::int32_t column = editorState.hoverCol, row = editorState.hoverRow;
    if (column == stroke.lastCol && row == stroke.lastRow) return;
    drawLine(stroke.lastCol, stroke.lastRow, column, row, false, markStrokeCell);
    stroke.lastCol = column, stroke.lastRow = row, stroke.moved = true;
}

void applyStroke(bool preview) {
    EditorState& s = editorState;
    const std::uint8_t unit = s.currentUnit;
    if (s.stroke.erasing) s.currentUnit = EraserUnit;
    for (int cell = 0; cell < kSceneCells; ++cell)
        if (s.stroke.cells[std::size_t(cell)]) putCell(cell / kSceneRows, cell % kSceneRows, preview);
    s.currentUnit = unit;
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
        case BrushShape:
            extendStroke();
            applyStroke(preview);
            break;
        case FillShape: floodFill(s.hoverCol, s.hoverRow, preview); break;
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

bool selecting() {
    return editorState.currentShape == SelectShape && !editorState.floating.active;
}

bool actionStarted() {
    return editorState.anchorCol != -1 || editorState.anchorRow != -1;
}

void endAction() {
    EditorState& s = editorState;
    s.dragCancelled = false;
    s.anchorCol = s.anchorRow = -1;
    s.oldPointCol = s.oldPointRow = -1;
    s.stroke = BrushStroke{};
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

// The select tool needs no unit; the others paint with one, and never with a point.
bool isShapeEnabled(std::uint8_t code) {
    return code == SelectShape ||
           (editorState.currentUnit != NoUnit && !isPointUnit(editorState.currentUnit));
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
    static constexpr const char* names[] = {"Line",           "Rectangle", "Ellipse", "Filled rectangle",
                                            "Filled ellipse", "Brush",     "Select",  "Fill"};
    return code <= FillShape ? names[code] : "None";
}

std::string statusText() {
    char text[160];
    std::snprintf(text, sizeof text, "(Col, Row) = (%d, %d)    Unit = %s    Shape = %s",
                  int(editorState.hoverCol), int(editorState.hoverRow), unitName(editorState.currentUnit),
                  shapeName(editorState.currentShape));
    return text;
}

std::int32_t viewScale(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t zoom) {
    if (zoom > 0) return zoom;
    return std::max(1, std::min(clientWidth / kFrameWidth, clientHeight / kFrameHeight));
}

void setViewGeometry(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t zoom) {
    const std::int32_t scale = viewScale(clientWidth, clientHeight, zoom);
    editorState.scaleX = editorState.scaleY = float(scale);
    editorState.viewLeft = std::max(0, (clientWidth - kFrameWidth * scale) / 2);
    editorState.viewTop = std::max(0, (clientHeight - kFrameHeight * scale) / 2);
}

// Truncation toward zero on purpose: while a button is held the mouse may stray a few pixels
// left of or above the picture, and pixels -9..9 still land in cell 0, so a drag that overshoots
// the edge by less than a cell keeps drawing on the edge.
void mouseToCell(std::int32_t x, std::int32_t y) {
    const std::int32_t bx = std::int32_t(float(x - editorState.viewLeft) / editorState.scaleX);
    const std::int32_t by = std::int32_t(float(y - editorState.viewTop) / editorState.scaleY);
    editorState.hoverCol = std::int32_t(float(bx) * 0.1f);
    editorState.hoverRow = std::int32_t(float(by) * 0.1f);
    editorState.hoverShown = true;
}

void leftButtonDown() {
    EditorState& s = editorState;
    s.anchorCol = s.hoverCol;
    s.anchorRow = s.hoverRow;
    if (s.floating.active) return;  // the release places it
    if (selecting()) {
        if (!liftSelection()) selectCells(s.anchorCol, s.anchorRow, s.hoverCol, s.hoverRow);
        return;
    }
    if (s.currentUnit == NoUnit) return;
    if (isPointUnit(s.currentUnit)) findOldPoint();
    if (s.currentShape == BrushShape) startStroke(false);
    applyAction(true);
}

void mouseMoved(bool leftHeld) {
    if (editorState.stroke.active && editorState.stroke.erasing) {
        extendStroke();
        editorState.previewGrid = Scene::filledGrid();
        applyStroke(true);
        return;
    }
    if (!leftHeld || editorState.dragCancelled || !actionStarted()) return;
    if (editorState.floating.active) return;  // it follows the pointer by itself
    if (selecting())
        return selectCells(editorState.anchorCol, editorState.anchorRow, editorState.hoverCol,
                           editorState.hoverRow);
    // A press outside the view (then dragged in) has no anchor and so no action to preview.
    if (editorState.currentUnit != NoUnit) applyAction(true);
}

bool leftButtonUp() {
    EditorState& s = editorState;
    if (!actionStarted()) return false;
    bool changed = false;
    if (s.floating.active)
        changed = !s.dragCancelled && placeFloating();
    else if (s.currentShape != SelectShape && s.currentUnit != NoUnit && !s.dragCancelled)
        applyAction(false), changed = true;
    endAction();
    return changed;
}

void rightButtonDown(bool leftHeld) {
    EditorState& s = editorState;
    if (leftHeld)
        s.dragCancelled = true;
    else if (s.floating.active)
        cancelSelection();
    else if (s.currentShape == BrushShape)
        startStroke(true);  // a drag erases; a click still drops the shape at the release
    else if (s.currentShape != NoShape)
        s.currentShape = NoShape;
    else if (s.currentUnit != NoUnit)
        s.currentUnit = NoUnit;
}

bool rightButtonUp() {
    EditorState& s = editorState;
    if (!s.stroke.active || !s.stroke.erasing) return false;
    const bool erase = s.stroke.moved;
    if (erase)
        applyStroke(false);
    else
        s.currentShape = NoShape;
    s.stroke = BrushStroke{};
    return erase;
}

void moveCursor(std::int32_t dc, std::int32_t dr) {
    EditorState& s = editorState;
    s.hoverCol = std::clamp(s.hoverCol + dc, 0, kSceneColumns - 1);
    s.hoverRow = std::clamp(s.hoverRow + dr, 0, kSceneRows - 1);
    s.hoverShown = true;
}

bool paintAtCursor() {
    EditorState& s = editorState;
    if (s.currentUnit == NoUnit || actionStarted()) return false;
    const Scene before = s.scene;
    if (isPointUnit(s.currentUnit)) {
        findOldPoint();
        applyPointMove(false);
    } else {
        putCell(s.hoverCol, s.hoverRow, false);
    }
    return before.grid != s.scene.grid;
}

bool eraseAtCursor() {
    const std::uint8_t unit = editorState.currentUnit;
    editorState.currentUnit = EraserUnit;
    const bool erased = paintAtCursor();
    editorState.currentUnit = unit;
    return erased;
}

bool enterAtCursor() {
    if (editorState.floating.active) return placeFloating();
    return isPointUnit(editorState.currentUnit) && paintAtCursor();
}

std::string contentText() {
    const EditorState& s = editorState;
    const bool onGrid =
        s.hoverCol >= 0 && s.hoverCol < kSceneColumns && s.hoverRow >= 0 && s.hoverRow < kSceneRows;
    const std::uint8_t code =
        onGrid ? s.scene.grid[std::size_t(sceneCellIndex(s.hoverCol, s.hoverRow))] : std::uint8_t(EmptyCell);
    int counts[11] = {};  // by code: beans 0..4, stones 5, random beans 10
    for (std::uint8_t cell : s.scene.grid)
        if (cell <= RandomBean) counts[cell] += 1;
    char name[16];
    std::snprintf(name, sizeof name, "Code %d", int(code));
    if (code == EmptyCell || code <= ExitPoint || code == RandomBean)
        std::snprintf(name, sizeof name, "%s", code == EmptyCell ? "Empty" : unitName(code));
    char text[200];
    std::snprintf(text, sizeof text, "%s   |   r %d  o %d  g %d  b %d  p %d  ? %d  # %d",
                  onGrid ? name : "Off the grid", counts[RedBean], counts[OrangeBean], counts[GreenBean],
                  counts[BlueBean], counts[PurpleBean], counts[RandomBean], counts[StoneBean]);
    return text;
}

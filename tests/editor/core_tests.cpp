// The editor's rules without Qt: the mouse-to-cell mapping, the tools from
// press through preview to commit, the picture renderSceneView paints, where a scene is saved,
// the undo history against a plain list, and the command line.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>

#include "editor/core/command_line.h"
#include "editor/core/document_rules.h"
#include "editor/core/editing.h"
#include "editor/core/editor_state.h"
#include "editor/core/properties_form.h"
#include "editor/core/undo_history.h"
#include "render/blit.h"
#include "scene/scene_rules.h"

namespace {

constexpr Colour kBackground = 0x203040, kStone = 0x808080, kStart = 0x00C000, kShadow = 0x101010,
                 kFrame = 0x00FF00;

class EditorCore : public ::testing::Test {
protected:
    void SetUp() override {
        editorState = EditorState{};
        releaseViewImages();
        viewImages = {solid(400, 300, kBackground), solid(10, 10, kShadow),  solid(10, 10, kStart),
                      solid(10, 10, 0xC00000),      solid(10, 10, 0xFFFF00), solid(10, 10, kStone)};
        setupViewDisplay();
        setViewGeometry(800, 600, 0);  // the view at twice the picture's size: 20 pixels a cell
    }
    void TearDown() override { releaseViewImages(); }
    static PixelBuffer* solid(int width, int height, Colour colour) {
        PixelBuffer* image = createPixelBuffer(width, height);
        return std::fill_n(image->pixels(), width * height, colour), image;
    }
    static std::uint8_t& cell(int c, int r) { return editorState.scene.grid[sceneCellIndex(c, r)]; }
    static std::uint8_t& preview(int c, int r) { return editorState.previewGrid[sceneCellIndex(c, r)]; }
    static void hover(int column, int row) { mouseToCell(20 * column + 5, 20 * row + 5); }
    static void drag(int c0, int r0, int c1, int r1) {
        hover(c0, r0), leftButtonDown(), hover(c1, r1), mouseMoved(true);
    }
    static Colour pixel(int x, int y) { return viewDrawBuffer.pixels[y * kFrameWidth + x] & 0xFFFFFFu; }
};

// View pixels map to cells by truncation toward zero, at the largest whole factor that fits (or
// the zoom's), the picture centred in a larger view.
TEST_F(EditorCore, MousePositionsTruncateTowardZero) {
    // clang-format off
    for (auto [width, height, zoom, x, y, column, row] : {std::array{400, 300, 0, 9, 9, 0, 0},
             {400, 300, 0, -9, -9, 0, 0}, {400, 300, 0, -10, 299, -1, 29}, {800, 600, 0, 799, 599, 39, 29},
             {1000, 600, 0, 100, 0, 0, 0}, {1000, 600, 0, 80, 5, -1, 0}, {1000, 700, 0, 899, 649, 39, 29},
             {799, 600, 0, 209, 160, 1, 1}, {800, 600, 3, 59, 59, 1, 1}}) {
        // clang-format on
        setViewGeometry(width, height, zoom);
        mouseToCell(x, y);
        EXPECT_EQ(std::pair(editorState.hoverCol, editorState.hoverRow), std::pair(column, row)) << x << y;
    }
}

// Nothing reaches the scene before the release: the eraser previews its cells erased; a point
// moves (the first in row order when a file holds two) and only the latest state of an action is
// previewed; the right button cancels a drag; a release without a unit or a press does nothing.
TEST_F(EditorCore, ToolsPreviewUntilTheReleaseCommits) {
    EXPECT_FALSE(leftButtonUp());
    drag(2, 2, 3, 3);
    EXPECT_FALSE(leftButtonUp());
    editorState.scene.grid.fill(GreenBean);
    selectUnit(EraserUnit);
    selectShape(FilledRectangleShape);
    drag(1, 1, 2, 3);
    EXPECT_EQ(std::tuple(preview(2, 2), cell(2, 2)), std::tuple(ErasedPreview, GreenBean));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), EmptyCell), 6);
    selectUnit(ExitPoint);
    cell(4, 4) = cell(1, 20) = ExitPoint;
    drag(9, 3, 9, 2);
    EXPECT_EQ(std::tuple(preview(4, 4), preview(9, 3), preview(9, 2)),
              std::tuple(ErasedPreview, EmptyCell, ExitPoint));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::tuple(cell(4, 4), cell(9, 2), cell(1, 20)), std::tuple(EmptyCell, ExitPoint, ExitPoint));
    const Scene before = editorState.scene;
    drag(0, 0, 5, 5);
    rightButtonDown(true);
    drag(0, 0, 6, 6);
    EXPECT_EQ(preview(6, 6), EmptyCell);
    EXPECT_FALSE(leftButtonUp());
    EXPECT_EQ(editorState.scene.grid, before.grid);
    EXPECT_EQ(editorState.currentUnit, ExitPoint);  // the right button only cancelled
    drag(0, 0, 0, 0);
    EXPECT_TRUE(leftButtonUp());
}

// Cells with their shadows 4 pixels down and right, a preview shown once (erased cells without
// content), the green frame round the hovered cell, kept on the grid while the mouse is off it.
TEST_F(EditorCore, PictureShowsCellsShadowsThePreviewOnceAndTheHoverFrame) {
    cell(2, 0) = cell(39, 29) = cell(5, 5) = StoneBean;
    preview(5, 5) = ErasedPreview;
    preview(8, 8) = StartPoint;
    hover(10, 10);
    renderSceneView();
    EXPECT_EQ(std::tuple(pixel(22, 2), pixel(392, 292), pixel(31, 11), pixel(52, 52), pixel(82, 82)),
              std::tuple(kStone, kStone, kBackground - kShadow, kBackground, kStart));
    EXPECT_EQ(std::tuple(pixel(100, 100), pixel(109, 105), pixel(105, 109), pixel(105, 105)),
              std::tuple(kFrame, kFrame, kFrame, kBackground));
    editorState.hoverCol = -3, editorState.hoverRow = 50;
    renderSceneView();
    EXPECT_EQ(std::tuple(pixel(52, 52), pixel(82, 82), pixel(0, 290), pixel(9, 299)),
              std::tuple(kStone, kBackground, kFrame, kFrame));
    // The selection framed in yellow; no hover frame once the mouse has left; a floating block
    // shown at every paint, framed where it would land.
    editorState.hoverShown = false, selectCells(6, 6, 5, 5);
    renderSceneView();
    EXPECT_EQ(std::tuple(pixel(0, 290), pixel(50, 50), pixel(69, 69), pixel(65, 65)),
              std::tuple(kBackground, 0xFFFF00u, 0xFFFF00u, kBackground));
    startPaste(selectedBlock()), hover(20, 20), editorState.scene.grid = Scene::filledGrid();
    renderSceneView();
    renderSceneView();
    EXPECT_EQ(std::tuple(pixel(202, 202), pixel(200, 200), pixel(219, 219), pixel(215, 215)),
              std::tuple(kStone, kFrame, 0xFFFF00u, kBackground));
    destroyPixelBuffer(viewImages.background);  // a failed reload keeps no stale preview
    viewImages.background = nullptr;
    preview(8, 8) = StartPoint;
    renderSceneView();
    renderSceneView();
    EXPECT_EQ(pixel(82, 82), 0u);
}

// The brush paints every cell a drag crosses, however fast the pointer, at the release; the right
// button erases the same way, and a right click without a drag still drops the shape.
TEST_F(EditorCore, BrushPaintsEveryCellADragCrosses) {
    selectUnit(RedBean), selectShape(BrushShape);
    drag(1, 1, 9, 5), hover(9, 1), mouseMoved(true);
    EXPECT_EQ(std::tuple(preview(5, 3), preview(9, 3), cell(5, 3)), std::tuple(RedBean, RedBean, EmptyCell));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), RedBean), 13);
    rightButtonDown(false), hover(9, 5), mouseMoved(false);
    EXPECT_EQ(preview(9, 3), ErasedPreview);
    EXPECT_TRUE(rightButtonUp());
    EXPECT_EQ(std::tuple(cell(9, 3), cell(8, 4), cell(1, 1)), std::tuple(EmptyCell, RedBean, RedBean));
    drag(20, 20, 30, 20), rightButtonDown(true);  // a right click cancels a drag, as with every shape
    EXPECT_FALSE(rightButtonUp() || leftButtonUp());
    EXPECT_EQ(cell(25, 20), EmptyCell);
    rightButtonDown(false);
    EXPECT_FALSE(rightButtonUp());
    EXPECT_EQ(std::tuple(editorState.currentShape, editorState.currentUnit), std::tuple(NoShape, RedBean));
}

// A block placed as the clipboard text gave it, then turned, copied and pasted (its start moves
// the scene's one), dragged away, erased; a dropped floating block changes nothing.
TEST_F(EditorCore, SelectionsCopyPasteMoveAndTurn) {
    CellBlock block;
    const auto place = [&block](const char* text, int column, int row) {
        ASSERT_TRUE(readBlockText(text, block));
        startPaste(block), hover(column, row), leftButtonDown();
        EXPECT_TRUE(leftButtonUp());
    };
    const auto selected = [] { return blockText(selectedBlock()); };
    place("\r\n rogS\r\n#*-E\n\n", 2, 1);
    EXPECT_EQ(std::tuple(cell(2, 1), cell(3, 1), cell(2, 2), cell(3, 2)),
              std::tuple(EmptyCell, RedBean, StoneBean, EmptyCell));
    EXPECT_EQ(selected(), ".rogS\n#..E.\n");
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), EmptyCell), 1194);
    EXPECT_TRUE(turnSelection(Turn::FlipHorizontally));
    EXPECT_EQ(selected(), "Sgor.\n.E..#\n");
    EXPECT_TRUE(turnSelection(Turn::FlipVertically));
    EXPECT_EQ(selected(), ".E..#\nSgor.\n");
    EXPECT_TRUE(turnSelection(Turn::HalfTurn));
    EXPECT_EQ(selected(), ".rogS\n#..E.\n");
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), EmptyCell), 1194);
    place(selected().c_str(), 38, 28);  // the edge cuts off its start and exit: the scene keeps its own
    EXPECT_EQ(std::tuple(cell(6, 1), cell(5, 2), cell(38, 28), cell(39, 28), cell(38, 29)),
              std::tuple(StartPoint, ExitPoint, EmptyCell, RedBean, StoneBean));
    place("S.\n.S", 0, 0);  // one start: the block's first
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), StartPoint), 1);
    selectShape(SelectShape), drag(4, 2, 1, 1);
    EXPECT_FALSE(leftButtonUp());
    EXPECT_EQ(selected(), "..ro\n.#..\n");
    cell(3, 2) = GreenBean, drag(2, 2, 12, 22), previewFloating();  // dragged by its cell (2, 2)
    EXPECT_EQ(std::tuple(preview(2, 2), preview(12, 22), cell(2, 2)),
              std::tuple(ErasedPreview, StoneBean, StoneBean));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::tuple(cell(2, 2), cell(13, 21), cell(12, 22), cell(13, 22)),
              std::tuple(EmptyCell, RedBean, StoneBean, GreenBean));
    EXPECT_TRUE(eraseSelection());
    const Scene before = editorState.scene;
    startPaste(block), turnSelection(Turn::HalfTurn), cancelSelection(), hover(0, 0), leftButtonDown();
    EXPECT_FALSE(leftButtonUp());
    EXPECT_EQ(editorState.scene.grid, before.grid);
    for (const std::string& text : {std::string(), std::string("rog\nx\n"), std::string(41, 'r'),
                                    std::string(40, 'r') + std::string(30, '\n') + "r"})
        EXPECT_FALSE(readBlockText(text, block));
    EXPECT_TRUE(readBlockText(std::string(40, 'r') + std::string(29, '\n') + "r", block) &&
                block.height == 30);
    selectAllCells();
    EXPECT_EQ(blockText(selectedBlock()).size(), std::size_t((kSceneColumns + 1) * kSceneRows));
}

// Random editing sessions against a plain model: a grid of numbers changed by obvious loops for
// selecting (clipped to the grid), the flips and the half turn, delete, copy and paste, moving
// by dragging, flood fill (not across the edges), and a list of snapshots for undo and redo
// beyond the history's limit of five. Each operation says whether it changed the scene.
TEST_F(EditorCore, RandomEditingFollowsAPlainModel) {
    std::mt19937 random(606);
    const auto pick = [&random](int lo, int hi) { return lo + int(random() % unsigned(hi - lo + 1)); };
    const std::uint8_t codes[] = {EmptyCell, RedBean, StoneBean, RandomBean, EraserUnit};
    using Grid = std::array<std::array<int, kSceneRows>, kSceneColumns>;
    Grid m;
    for (int c = 0; c < kSceneColumns; ++c)
        for (int r = 0; r < kSceneRows; ++r)
            cell(c, r) = std::uint8_t(m[c][r] = codes[pick(0, 3) / 2 * (c / 8 % 2 + 1)]);
    UndoHistory history(5);
    history.reset(editorState.scene);
    std::vector<Grid> snapshots{m};
    std::size_t at = 0;
    int l = 0, t = 0, right = -1, bottom = -1;  // the model's selection, active once l <= right
    const auto place = [&](const Grid& from, int column, int row) {  // the selection's cells, top left there
        Grid to = m;
        for (int c = l; c <= right; ++c)
            for (int r = t; r <= bottom; ++r)
                if (unsigned(column + c - l) < 40u && unsigned(row + r - t) < 30u)
                    to[column + c - l][row + r - t] = from[c][r];
        std::tie(l, t, right, bottom) =
            std::tuple(std::clamp(column, 0, 39), std::clamp(row, 0, 29),
                       std::clamp(column + right - l, 0, 39), std::clamp(row + bottom - t, 0, 29));
        m = to;
    };
    for (int step = 0; step < 3000; ++step) {
        const Grid before = m;
        const int op = pick(0, 8), c = pick(-3, 42), r = pick(-3, 32), c1 = pick(-3, 42), r1 = pick(-3, 32);
        bool changed = false;
        if (op == 0) {
            selectCells(c, r, c1, r1);
            l = std::clamp(std::min(c, c1), 0, 39), right = std::clamp(std::max(c, c1), 0, 39);
            t = std::clamp(std::min(r, r1), 0, 29), bottom = std::clamp(std::max(r, r1), 0, 29);
        } else if (op == 1) {
            const Turn turn = Turn(pick(0, 2));
            changed = turnSelection(turn);
            for (int x = l; x <= right; ++x)
                for (int y = t; y <= bottom; ++y)
                    m[x][y] = before[turn == Turn::FlipVertically ? x : l + right - x]
                                    [turn == Turn::FlipHorizontally ? y : t + bottom - y];
        } else if (op == 2) {
            changed = eraseSelection();
            for (int x = l; x <= right; ++x) std::fill_n(&m[x][t], bottom - t + 1, EmptyCell);
        } else if (op == 3 && l <= right) {  // copy, then paste with the pointer at (c, r)
            CellBlock block;
            ASSERT_TRUE(readBlockText(blockText(selectedBlock()), block));
            startPaste(block), editorState.hoverCol = c, editorState.hoverRow = r;
            changed = placeFloating();
            place(before, c, r);
        } else if (op == 4 && l <= right) {  // drag by a cell of the selection to (c, r)
            const int grabC = pick(l, right), grabR = pick(t, bottom);
            editorState.hoverCol = grabC, editorState.hoverRow = grabR;
            ASSERT_TRUE(liftSelection());
            editorState.hoverCol = c, editorState.hoverRow = r;
            changed = placeFloating();
            for (int x = l; x <= right; ++x) std::fill_n(&m[x][t], bottom - t + 1, EmptyCell);
            place(before, c - grabC + l, r - grabR + t);
        } else if (op == 5 && unsigned(c) < 40u && unsigned(r) < 30u) {
            editorState.currentUnit = codes[pick(1, 4)];
            const int from = m[c][r],
                      to = editorState.currentUnit == EraserUnit ? int(EmptyCell) : editorState.currentUnit;
            changed = floodFill(c, r, false);
            for (std::vector<std::pair<int, int>> todo{{c, r}}; from != to && !todo.empty();
                 todo.pop_back()) {
                auto [x, y] = todo.back();
                if (unsigned(x) < 40u && unsigned(y) < 30u && m[x][y] == from)
                    m[x][y] = to, todo.insert(todo.begin(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
        } else if (op >= 6) {
            EXPECT_EQ(op == 6 ? history.undo() : history.redo(),
                      op == 6 ? at > 0 : at + 1 < snapshots.size());
            at = op == 6 ? at - (at > 0) : at + (at + 1 < snapshots.size());
            editorState.scene = history.current(), m = snapshots[at];
        }
        ASSERT_EQ(changed, op < 6 && m != before) << step;
        if (changed) {
            ASSERT_TRUE(history.commit(editorState.scene));
            snapshots.resize(++at), snapshots.push_back(m);
            if (snapshots.size() > 5) snapshots.erase(snapshots.begin()), --at;
        }
        for (int x = 0; x < kSceneColumns; ++x)
            for (int y = 0; y < kSceneRows; ++y)
                ASSERT_EQ(cell(x, y), m[x][y]) << step << " " << x << " " << y;
        const CellRect& s = editorState.selection;
        ASSERT_EQ(std::tuple(s.active, s.left, s.top, s.right, s.bottom),
                  std::tuple(l <= right, l, t, right, bottom))
            << step;
    }
}

// Flood fill takes the area of equal cells under the pointer, not across the edges, previewed
// until the release; filling a cell with what it holds changes nothing.
TEST_F(EditorCore, FloodFillStopsAtOtherCellsAndAtTheEdges) {
    for (int row = 0; row < kSceneRows; ++row) cell(1, row) = StoneBean;
    cell(0, 5) = RedBean;
    selectUnit(BlueBean), selectShape(FillShape), drag(20, 20, 0, 0);
    EXPECT_EQ(std::tuple(preview(0, 0), preview(0, 29), preview(0, 5), preview(39, 0), cell(0, 0)),
              std::tuple(BlueBean, EmptyCell, EmptyCell, EmptyCell, EmptyCell));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), BlueBean), 5);
    EXPECT_FALSE(floodFill(0, 0, false));
    selectUnit(EraserUnit);
    EXPECT_TRUE(floodFill(1, 0, false));
    EXPECT_EQ(cell(1, 29), EmptyCell);
}

// The keyboard's cursor is the hover cell, kept on the grid: Space paints the unit (a start moves),
// Delete erases, Enter places a point or a floating block. The status bar names the cell's content
// and the scene's counts.
TEST_F(EditorCore, KeyboardCursorPaintsErasesAndPlacesPoints) {
    moveCursor(-5, 40);
    EXPECT_EQ(std::pair(editorState.hoverCol, editorState.hoverRow), std::pair(0, 29));
    EXPECT_FALSE(paintAtCursor());  // no unit
    selectUnit(RandomBean);
    EXPECT_TRUE(paintAtCursor());
    EXPECT_FALSE(enterAtCursor());  // not a point
    selectUnit(StartPoint), moveCursor(3, 0);
    EXPECT_TRUE(enterAtCursor());
    moveCursor(1, 0);
    EXPECT_TRUE(paintAtCursor());
    EXPECT_EQ(std::tuple(cell(0, 29), cell(3, 29), cell(4, 29)),
              std::tuple(RandomBean, EmptyCell, StartPoint));
    EXPECT_TRUE(eraseAtCursor());
    EXPECT_EQ(cell(4, 29), EmptyCell);
}

// The status bar names every kind of cell (a code no unit has by its number), nothing off any
// edge of the grid, and counts each bean colour, the random beans and the stones.
TEST_F(EditorCore, StatusTextsNameEveryCellKindAndCountTheBeans) {
    std::string names;
    int next = 0;
    for (std::uint8_t code : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 255}) cell(next++, 0) = code;
    cell(39, 29) = OrangeBean;
    for (auto [column, row] : {std::pair{0, 0},
                               {1, 0},
                               {2, 0},
                               {3, 0},
                               {4, 0},
                               {5, 0},
                               {6, 0},
                               {7, 0},
                               {8, 0},
                               {9, 0},
                               {10, 0},
                               {39, 29},
                               {40, 29},
                               {39, 30},
                               {-1, 0},
                               {0, -1}}) {
        editorState.hoverCol = column, editorState.hoverRow = row;
        names += contentText().substr(0, contentText().find("   |")) + ",";
        EXPECT_TRUE(contentText().ends_with("|   r 1  o 2  g 1  b 1  p 1  ? 1  # 1"));
    }
    EXPECT_EQ(names,
              "Red bean,Orange bean,Green bean,Blue bean,Purple bean,Stone bean,Start point,Exit point,"
              "Code 9,Random bean,Empty,Orange bean,Off the grid,Off the grid,Off the grid,Off the grid,");
    editorState.currentUnit = EraserUnit, editorState.currentShape = FillShape;
    EXPECT_EQ(statusText(), "(Col, Row) = (0, -1)    Unit = Eraser    Shape = Fill");
    EXPECT_EQ(std::string(unitName(8)) + shapeName(8), "NoneNone");
}

// Bean colour k shows texels 10k..10k+9 of the texture's first ten rows (their shadow darkens the
// lower right).
TEST_F(EditorCore, BeansShowTheirOwnTexels) {
    std::vector<std::uint8_t> txm(kTxmBytes);
    for (std::size_t i = 0; i < txm.size(); i += 4)
        txm[i] = std::uint8_t(i / 4 % 128), txm[i + 1] = std::uint8_t(i / 512);
    loadTextureFromMemory(&beanTexture, txm.data(), txm.size());
    cell(3, 2) = BlueBean;
    renderSceneView();
    for (int y : {0, 9})
        for (int x = 0; x < (y == 0 ? 10 : 4); ++x)
            EXPECT_EQ(pixel(30 + x, 20 + y), Colour(y << 8) + 30 + x) << x << y;
}

// A scene is saved beside the shipped ones only where the programs run portable and may write
// there, otherwise into the player's own folder, which the first save creates. Save writes in
// place only to the document's own file at its place there; everything else asks, proposing
// that place (a new scene's named after its title).
TEST_F(EditorCore, SavesGoToTheScenePlaceAndAskForANameOtherwise) {
    char pattern[] = "/tmp/kelvsaveXXXXXX";
    const std::string root = mkdtemp(pattern), own = root + "/data/munchtrail/Scenes/",
                      shipped = root + "/p/Scenes/";
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    std::filesystem::create_directories(shipped);
    editorState.scene.title = " ..Pond/Party\xE9 ";
    // clang-format off
    for (auto [folder, portable, path, name, writable, rename, saveAs, dialog, expected] : {
             std::tuple{"/p", true, std::string(), "Untitled", false, false, false, true, shipped + "Pond-Party\u00E9.qsn"},
             {"/none", true, "", "Untitled", false, false, false, true, own + "Pond-Party\u00E9.qsn"},
             {"/p", false, "", "Untitled", false, false, false, true, own + "Pond-Party\u00E9.qsn"},
             {"/p", true, shipped + "a.qsn", "a.qsn", true, false, false, false, shipped + "a.qsn"},
             {"/p", true, shipped + "a.qsn", "a.qsn", true, false, true, true, shipped + "a.qsn"},
             {"/p", true, shipped + "a.qsn", "a.qsn", false, false, false, true, shipped + "a.qsn"},
             {"/p", true, shipped + "a.qsn", "a.qsn", true, true, false, true, shipped + "Pond-Party\u00E9.qsn"},
             {"/p", true, root + "/a.qsn", "a.qsn", true, false, false, true, shipped + "a.qsn"}}) {
        // clang-format on
        std::filesystem::remove_all(root + "/data");
        editorState.programFolder = root + folder, editorState.portable = portable;
        const SavePlan plan = planSave({path, name, writable, rename, saveAs}, editorState.scene);
        EXPECT_EQ(std::pair(plan.dialog, plan.path), std::pair(dialog, expected)) << path << saveAs << rename;
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(expected).parent_path()));
    }
    EXPECT_TRUE(!savedOutsideItsPlace(shipped + "b.qsn") && savedOutsideItsPlace(root + "/b.qsn"));
    EXPECT_EQ(proposedFileName(" . "), "Untitled.qsn");
    EXPECT_EQ(fileNameWarning("caf\u00E9.qsn"), "");
    EXPECT_EQ(
        fileNameWarning("\u20AC\u00E9t\u00E9.qsn"),
        "The game can show only Latin-1 characters in its scene list, and \"\u20AC\" is not one: it will "
        "list this scene as \"?\u00E9T\u00E9.QSN\".");
    std::filesystem::remove_all(root);
}

// The properties dialog's enabling rules. Each row opens a scene (objective, random fall, goal
// score), chooses an objective (one outside the list changes nothing) and may click Random fall;
// then Random fall (checked, enabled), the interval and the goal score show their states. A field
// holding a value its rule refuses is enabled, so that it can be corrected.
TEST(PropertiesForm, FieldsAreEnabledByTheObjectiveAndRandomFall) {
    // clang-format off
    for (auto [objective, fall, goal, choose, click, expected] : {
             std::tuple{Standard, 1, 5, -1, -1, "1110"}, {EatUp, 1, 5, -1, -1, "0000"},
             {Standard, 1, 5, EatUp, -1, "0000"}, {EatUp, 0, 5, GoalScore, -1, "0101"},
             {EatUp, 0, 5, GoalScore, 1, "1111"}, {Standard, 1, 5, Escape, 0, "0100"},
             {Standard, 0, 2, 7, -1, "0101"}}) {
        // clang-format on
        Scene scene;
        scene.objective = objective, scene.randomFall = fall, scene.goalScore = goal;
        PropertiesForm form = openPropertiesForm(scene);
        chooseObjective(form, choose);
        if (click >= 0) clickRandomFall(form, click == 1);
        std::string states;
        for (bool on : {form.randomFall, form.randomFallEnabled, form.intervalEnabled, form.goalScoreEnabled})
            states += on ? '1' : '0';
        EXPECT_EQ(states, expected) << objective << choose << click;
    }
    std::set<char> keys;
    for (const char* label : propertyLabels) keys.insert(char(std::tolower(std::strchr(label, '&')[1])));
    EXPECT_EQ(keys.size(), propertyLabels.size());
}

// OK checks the title, the enabled interval and goal score and the description, in this order,
// and names the first refused field with the dialog's message; the scene changes only when all
// are good. Texts come back as Latin-1 with CR LF breaks, untouched ones as the bytes they were.
TEST(PropertiesForm, OkRefusesTheFirstBadFieldOrTakesTheWholeForm) {
    Scene scene;
    scene.objective = GoalScore, scene.description = std::string(200, 'd') + std::string(55, '\n');
    const std::string euro = latin1Message(0x20AC);
    // clang-format off
    for (auto [field, text, refused, message] : {
             std::tuple<int, std::string, int, std::string>{IntervalField, "61", IntervalField, rangeMessage(0, 60)},
             {IntervalField, " ten", IntervalField, std::string(kIntegerMessage)},
             {GoalScoreField, "4", GoalScoreField, rangeMessage(5, 9999999)},
             {TitleField, std::string(29, 'T'), TitleField, lengthMessage(28)},
             {DescriptionField, std::string(127, 'd') + "\n" + std::string(127, 'd'), DescriptionField, lengthMessage(255)},
             {DescriptionField, "\u00FF\u20AC\U0001F41B", DescriptionField, euro},
             {IntervalField, " +60 ", -1, ""}}) {
        // clang-format on
        PropertiesForm form = openPropertiesForm(scene);
        std::string* typed[] = {&form.title, nullptr,         nullptr,          &form.interval,
                                nullptr,     &form.goalScore, &form.description};
        *typed[field] = text;
        Scene edited = scene;
        const FormVerdict verdict = acceptPropertiesForm(form, edited);
        EXPECT_EQ(std::pair(verdict.field, verdict.message), std::pair(refused, message)) << text;
        EXPECT_EQ(sceneDiskBytes(edited),
                  sceneDiskBytes(refused < 0 ? (scene.fallInterval = 60, scene) : scene));
    }
    PropertiesForm form = openPropertiesForm(scene);
    form.title = "Caf\u00E9\r\n", form.background = 9, form.description = "line one\nline two";
    chooseObjective(form, Escape);
    clickRandomFall(form, false);
    form.goalScore = form.interval = "99";  // disabled now: neither is read
    ASSERT_EQ(acceptPropertiesForm(form, scene).field, -1);
    EXPECT_EQ(std::tuple(scene.title, scene.background, scene.randomFall, scene.fallInterval, scene.objective,
                         scene.goalScore, scene.description),
              std::tuple("Caf\xE9", 9, 0, 60, Escape, 5, "line one\r\nline two"));
    scene.title = "Odd\rone";  // untouched, it still has to keep to one line
    EXPECT_EQ(acceptPropertiesForm(openPropertiesForm(scene), scene).message, kOneLineMessage);
    // The preview: 31 columns, upper case, "?" where the game's font has no letter, 15 lines.
    EXPECT_EQ(descriptionPreview(std::string(31, 'a') + "b{\u00E9\u20AC" + std::string(20, '\n') + "x"),
              std::string(31, 'A') + "\nB???" + std::string(13, '\n'));
}

// Random commits, undos, redos and saves against a list of snapshot numbers (a number is never
// reused, so "at the saved state" means the current entry is the one saved). A limit of four makes
// the oldest steps fall off.
TEST(UndoHistory, FollowsAPlainListThroughRandomEdits) {
    std::mt19937 random(11);
    Scene scene;
    const auto numbered = [&scene](int number) { return scene.goalScore = number, scene; };
    for (int run = 0; run < 40; ++run) {
        UndoHistory history(4);  // fresh: one unchanged scene, the saved one
        std::vector<int> list{Scene{}.goalScore};
        std::size_t at = 0;
        int saved = list[0], next = 100;
        for (int step = 0; step < 60; ++step) {
            switch (random() % 7) {
                case 0: EXPECT_FALSE(history.commit(numbered(list[at]))); break;  // nothing changed
                case 1:
                    EXPECT_TRUE(history.commit(numbered(next)));
                    list.resize(++at);
                    list.push_back(next++);
                    if (list.size() > 4) list.erase(list.begin()), --at;
                    break;
                case 2:
                    EXPECT_EQ(history.undo(), at > 0);
                    at -= at > 0;
                    break;
                case 3:
                    EXPECT_EQ(history.redo(), at + 1 < list.size());
                    at += at + 1 < list.size();
                    break;
                case 4: history.markSaved(numbered(next)), saved = list[at] = next++; break;  // it may adjust
                case 5: history.forgetSaved(), saved = -1; break;
                default: history.reset(numbered(next)), list.assign(1, saved = next++), at = 0;
            }
            ASSERT_EQ(history.current().goalScore, list[at]) << "run " << run << " step " << step;
            ASSERT_EQ(std::tuple(history.canUndo(), history.canRedo(), history.isAtSavedState()),
                      std::tuple(at > 0, at + 1 < list.size(), list[at] == saved));
        }
    }
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// Our options are answered before Qt starts; Qt's own (with one dash or two) go on to it, and what
// follows "--" is a file whatever it looks like. Each row: the arguments, the action, how the text
// starts, what Qt gets, the files after "--".
TEST(CommandLine, OursAreAnsweredAndTheRestGoesOnToQtAndTheFiles) {
    using enum CommandLine::Action;
    for (auto [arguments, action, text, forQt, files] :
         {std::tuple{"--help", Print, "Usage: KELV [options] [--] [scene.qsn]\n", "", ""},
          {"a.qsn -h", Print, "Usage: KELV", "", ""},
          {"--version", Print, "KELV 2.01\n", "", ""},
          {"--bogus --help", Fail, "KELV: unknown option '--bogus'\n", "", ""},
          {"-platform offscreen --style fusion a.qsn", Run, "",
           "KELV -platform offscreen --style fusion a.qsn", ""},
          {"-x -- -odd.qsn --help", Run, "", "KELV -x", "-odd.qsn --help"}}) {
        const CommandLine line = parseCommandLine(words(std::string("KELV ") + arguments));
        EXPECT_EQ(std::tuple(line.action, line.forQt, line.afterDashes),
                  std::tuple(action, words(forQt), words(files)));
        EXPECT_TRUE(line.text.starts_with(text)) << line.text;
    }
}

}  // namespace

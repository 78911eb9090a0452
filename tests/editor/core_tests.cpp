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
#include "scene/fnv1a.h"
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
    void TearDown() override {
        releaseViewImages();
        EXPECT_EQ(livePixelBuffers(), 0) << "images left";
    }
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
// button erases the same way, and a right click cancels a drag (without one it drops the brush).
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
    drag(0, 29, 39, 0), hover(0, 0), mouseMoved(true), leftButtonUp();  // corner to corner, the top row
    EXPECT_EQ(std::tuple(cell(0, 29), cell(39, 0), cell(0, 0)), std::tuple(RedBean, RedBean, RedBean));
    drag(20, 20, 30, 20), rightButtonDown(true);  // a right click cancels a drag, as with every shape
    EXPECT_FALSE(rightButtonUp() || leftButtonUp());
    EXPECT_EQ(cell(25, 20), EmptyCell);
}

// A block placed as the clipboard text gave it, copied and pasted again (its start moves
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
    selectAllCells();
    EXPECT_EQ(blockText(selectedBlock()).size(), std::size_t((kSceneColumns + 1) * kSceneRows));
}

// Random editing sessions against a plain model: a grid of numbers changed by obvious loops for
// selecting (clipped to the grid), the flips and the half turn, delete, copy and paste, moving
// by dragging and flood fill (not across the edges), each saying whether the scene changed; and
// a list of numbered snapshots for undo, redo and the saved state, beyond the history's limit of five.
TEST_F(EditorCore, RandomEditingFollowsAPlainModel) {
    std::mt19937 random(606);
    const auto pick = [&random](int lo, int hi) { return lo + int(random() % unsigned(hi - lo + 1)); };
    const auto on = [](int x, int y) { return unsigned(x) < 40u && unsigned(y) < 30u; };
    const std::uint8_t codes[] = {EmptyCell, RedBean, StoneBean, RandomBean, EraserUnit};
    std::array<std::uint8_t, kSceneCells> m;  // the model's cells, by sceneCellIndex
    const auto model = [&m](int x, int y) -> std::uint8_t& { return m[std::size_t(sceneCellIndex(x, y))]; };
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = codes[pick(0, 3) / 2 * (i / 240 % 2 + 1)];
    editorState.scene.grid = m;
    UndoHistory history(5);
    history.reset(editorState.scene);
    std::vector<std::pair<decltype(m), int>> snapshots{{m, 0}};
    std::size_t at = 0;
    int l = 0, t = 0, right = -1, bottom = -1, saved = 0, next = 1;  // a selection once l <= right
    const auto select = [&](int c0, int r0, int c1, int r1) {        // clipped to the grid
        std::tie(l, t, right, bottom) =
            std::tuple(std::clamp(std::min(c0, c1), 0, 39), std::clamp(std::min(r0, r1), 0, 29),
                       std::clamp(std::max(c0, c1), 0, 39), std::clamp(std::max(r0, r1), 0, 29));
    };
    const auto place = [&](const decltype(m)& from, int column, int row) {  // the selection's cells, moved
        for (int c = l; c <= right; ++c)
            for (int r = t; r <= bottom; ++r)
                if (on(column + c - l, row + r - t))
                    model(column + c - l, row + r - t) = from[std::size_t(sceneCellIndex(c, r))];
        select(column, row, column + right - l, row + bottom - t);
    };
    for (int step = 0; step < 3000; ++step) {
        const auto before = m;
        const int op = pick(0, 9), c = pick(-3, 42), r = pick(-3, 32), c1 = pick(-3, 42), r1 = pick(-3, 32);
        const int grabC = pick(l, std::max(l, right)), grabR = pick(t, std::max(t, bottom));
        const Turn turn = Turn(pick(0, 2));
        bool changed = false;
        if (op == 0)
            selectCells(c, r, c1, r1), select(c, r, c1, r1);
        else if (op == 1) {
            changed = turnSelection(turn);
            for (int x = l; x <= right; ++x)
                for (int y = t; y <= bottom; ++y)
                    model(x, y) = before[std::size_t(
                        sceneCellIndex(turn == Turn::FlipVertically ? x : l + right - x,
                                       turn == Turn::FlipHorizontally ? y : t + bottom - y))];
        } else if (op == 2 || (op == 4 && l <= right)) {  // delete; or drag by a cell of the selection
            editorState.hoverCol = grabC, editorState.hoverRow = grabR;
            changed = op == 2 ? eraseSelection()
                              : (liftSelection(), editorState.hoverCol = c, editorState.hoverRow = r,
                                 placeFloating());
            for (int x = l; x <= right; ++x) std::fill_n(&model(x, t), bottom - t + 1, EmptyCell);
            if (op == 4) place(before, c - grabC + l, r - grabR + t);
        } else if (op == 3 && l <= right) {  // copy, then paste with the pointer at (c, r)
            CellBlock block;
            ASSERT_TRUE(readBlockText(blockText(selectedBlock()), block));
            startPaste(block), editorState.hoverCol = c, editorState.hoverRow = r;
            changed = placeFloating();
            place(before, c, r);
        } else if (op == 5 && on(c, r)) {
            editorState.currentUnit = codes[pick(1, 4)];
            const int from = model(c, r),
                      to = editorState.currentUnit == EraserUnit ? 255 : editorState.currentUnit;
            changed = floodFill(c, r, false);
            for (std::vector<std::pair<int, int>> todo{{c, r}}; from != to && !todo.empty();
                 todo.pop_back()) {
                auto [x, y] = todo.back();
                if (on(x, y) && model(x, y) == from)
                    model(x, y) = std::uint8_t(to),
                             todo.insert(todo.begin(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
        } else if (op == 6 || op == 7) {
            EXPECT_EQ(op == 6 ? history.undo() : history.redo(),
                      op == 6 ? at > 0 : at + 1 < snapshots.size());
            at = op == 6 ? at - (at > 0) : at + (at + 1 < snapshots.size());
            editorState.scene = history.current(), m = snapshots[at].first;
        } else if (op == 8 || c < 0) {  // the file now matches, or (more rarely) nothing matches it
            op == 8 ? history.markSaved(editorState.scene) : history.forgetSaved();
            saved = op == 8 ? snapshots[at].second : -1;
        }
        ASSERT_EQ(changed, op < 6 && m != before) << step;
        ASSERT_EQ(history.commit(editorState.scene), changed);
        if (changed) {
            snapshots.resize(++at), snapshots.emplace_back(m, next++);
            if (snapshots.size() > 5) snapshots.erase(snapshots.begin()), --at;
        }
        const CellRect& s = editorState.selection;
        ASSERT_EQ(std::tuple(editorState.scene.grid, s.active, s.left, s.top, s.right, s.bottom,
                             history.canUndo(), history.canRedo(), history.isAtSavedState()),
                  std::tuple(m, l <= right, l, t, right, bottom, at > 0, at + 1 < snapshots.size(),
                             snapshots[at].second == saved))
            << step;
    }
}

// The fill tool previews the area of equal cells under the pointer until the release.
TEST_F(EditorCore, FloodFillIsPreviewedUntilTheRelease) {
    for (int row = 0; row < kSceneRows; ++row) cell(1, row) = StoneBean;
    selectUnit(BlueBean), selectShape(FillShape), drag(20, 20, 0, 0);
    EXPECT_EQ(std::tuple(preview(0, 29), preview(2, 0), cell(0, 0)),
              std::tuple(BlueBean, EmptyCell, EmptyCell));
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), BlueBean), 30);
}

// The keyboard's cursor is the hover cell, kept on the grid: Space paints the unit (a start moves),
// Delete erases, Enter places a point or a floating block.
TEST_F(EditorCore, KeyboardCursorPaintsErasesAndPlacesPointsAndTheStatusTextsNameEveryCell) {
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
    EXPECT_TRUE(eraseAtCursor() && cell(4, 29) == EmptyCell);
    // The status bar names every kind of cell (a code no unit has by its number), nothing off any
    // edge of the grid, and counts each bean colour, the random beans and the stones.
    std::string names;
    for (int i = 0; i < 11; ++i)
        cell(i, 0) = std::array<std::uint8_t, 11>{0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 255}[i];
    cell(39, 29) = OrangeBean;
    for (int i = 0; i < 16; ++i) {  // row 0 then every edge
        const int column = i < 11 ? i : std::array{39, 40, 39, -1, 0}[i - 11],
                  row = i < 11 ? 0 : std::array{29, 29, 30, 0, -1}[i - 11];
        editorState.hoverCol = column, editorState.hoverRow = row;
        names += contentText().substr(0, contentText().find("   |")) + ",";
        EXPECT_TRUE(contentText().ends_with("|   r 1  o 2  g 1  b 1  p 1  ? 2  # 1"));  // one ? from above
    }
    EXPECT_EQ(names,
              "Red bean,Orange bean,Green bean,Blue bean,Purple bean,Stone bean,Start point,Exit point,"
              "Code 9,Random bean,Empty,Orange bean,Off the grid,Off the grid,Off the grid,Off the grid,");
}

// Every code in the cells, each in several places: the beans with their own texels of the
// texture's first ten rows, the pictures, the random bean's mark, the shadows of all but the empty
// cells (unknown codes show only theirs); one hash over the picture.
TEST_F(EditorCore, EveryCellCodeAsDrawn) {
    std::vector<std::uint8_t> txm(kTxmBytes);
    for (std::size_t i = 0; i < txm.size(); i += 4)
        txm[i] = std::uint8_t(i / 4 % 128), txm[i + 1] = std::uint8_t(i / 512);
    loadTextureFromMemory(&beanTexture, txm.data(), txm.size());
    for (int i = 0; i < kSceneCells; ++i) editorState.scene.grid[std::size_t(i)] = std::uint8_t(i * 37 % 256);
    renderSceneView();
    const std::uint64_t hash = fnv1a64(viewDrawBuffer.pixels, kFramePixels * sizeof(Colour));
    EXPECT_EQ(hash, 0x19427cc1c3f716e1ull);
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

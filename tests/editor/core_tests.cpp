// The editor's rules without Qt: the unit and shape selections with their checked and enabled
// states, the status text, the mouse-to-cell mapping, each tool's press / move / release with
// its preview and commit, the moving start and exit points, the right button, and the picture
// that renderSceneView paints (preview, erased cells, shadows, hover frame), and the undo history
// against a plain list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "editor/core/editor_state.h"
#include "editor/core/undo_history.h"
#include "render/blit.h"
#include "tests/editor/cells.h"

namespace {

using namespace ui_test;

constexpr Colour kBackground = 0x00203040u;
constexpr Colour kStone = 0x00808080u;
constexpr Colour kStart = 0x0000C000u;
constexpr Colour kShadow = 0x00101010u;

PixelBuffer* solidImage(std::int32_t width, std::int32_t height, Colour colour) {
    PixelBuffer* image = createPixelBuffer(width, height);
    std::fill_n(image->pixels(), width * height, colour);
    return image;
}

class EditorCore : public ::testing::Test {
protected:
    void SetUp() override {
        editorState = EditorState{};
        resetScene();
        releaseViewImages();
        viewImages.background = solidImage(400, 300, kBackground);
        viewImages.stone = solidImage(10, 10, kStone);
        viewImages.start = solidImage(10, 10, kStart);
        viewImages.exit = solidImage(10, 10, 0x00C00000u);
        viewImages.random = solidImage(10, 10, 0x00FFFF00u);
        viewImages.shadow = solidImage(10, 10, kShadow);
        setupViewDisplay();
        setViewScale(800, 600);  // the view at twice the picture's size
    }
    void TearDown() override { releaseViewImages(); }

    std::uint8_t preview(int column, int row) const {
        return editorState.previewGrid[sceneCellIndex(column, row)];
    }
    void hover(int column, int row) { mouseToCell(20 * column + 5, 20 * row + 5); }
    // Press on the first cell and drag to the second; a stroke releases there too.
    void drag(int c0, int r0, int c1, int r1) {
        hover(c0, r0);
        leftButtonDown();
        hover(c1, r1);
        mouseMoved(true);
    }
    bool stroke(int c0, int r0, int c1, int r1) {
        drag(c0, r0, c1, r1);
        return leftButtonUp();
    }
    Colour pixel(int x, int y) const { return viewDrawBuffer.pixels[y * kFrameWidth + x] & 0x00FFFFFFu; }
};

// ---- selection ----------------------------------------------------------------------------

TEST_F(EditorCore, UnitCommandsToggleAndReplaceEachOther) {
    selectUnit(RedBean);
    EXPECT_TRUE(isUnitChecked(RedBean));
    selectUnit(RedBean);
    EXPECT_EQ(editorState.currentUnit, NoUnit);
    selectUnit(RedBean);
    selectUnit(OrangeBean);
    EXPECT_EQ(editorState.currentUnit, OrangeBean);
    EXPECT_FALSE(isUnitChecked(RedBean));
}

TEST_F(EditorCore, ShapesAreEnabledOnlyForBeansStonesAndTheEraser) {
    for (std::uint8_t unit : std::initializer_list<std::uint8_t>{RedBean, PurpleBean, StoneBean, RandomBean,
                                                                 EraserUnit, StartPoint, ExitPoint, NoUnit}) {
        editorState.currentUnit = unit;
        EXPECT_EQ(isShapeEnabled(), unit != StartPoint && unit != ExitPoint && unit != NoUnit) << int(unit);
    }
}

TEST_F(EditorCore, ChoosingAPointUnitKeepsTheShape) {
    selectUnit(GreenBean);
    selectShape(LineShape);
    selectUnit(StartPoint);
    EXPECT_TRUE(isShapeChecked(LineShape));
    selectShape(LineShape);
    EXPECT_EQ(editorState.currentShape, NoShape);
}

TEST_F(EditorCore, RightClickDropsTheShapeFirstThenTheUnit) {
    selectUnit(BlueBean);
    selectShape(EllipseShape);
    rightButtonDown(false);
    EXPECT_EQ(editorState.currentShape, NoShape);
    EXPECT_EQ(editorState.currentUnit, BlueBean);
    rightButtonDown(false);
    EXPECT_EQ(editorState.currentUnit, NoUnit);
}

// ---- status text and mouse mapping ----------------------------------------------------------

TEST_F(EditorCore, StatusTextNamesCellUnitAndShape) {
    hover(12, 7);
    selectUnit(GreenBean);
    EXPECT_EQ(statusText(), "(Col, Row) = (12, 7)    Unit = Green bean    Shape = None");
    selectUnit(EraserUnit);
    selectShape(FilledEllipseShape);
    EXPECT_EQ(statusText(), "(Col, Row) = (12, 7)    Unit = Eraser    Shape = Filled ellipse");
    editorState.currentUnit = RandomBean;
    editorState.currentShape = 9;
    EXPECT_EQ(statusText(), "(Col, Row) = (12, 7)    Unit = Random bean    Shape = None");
}

// View pixels map to cells by truncation toward zero; a zero-sized view keeps the last cell.
TEST_F(EditorCore, MousePositionsTruncateTowardZero) {
    const struct {
        int width, height, x, y, column, row;
    } cases[] = {{400, 300, 9, 9, 0, 0},
                 {400, 300, -9, -9, 0, 0},
                 {400, 300, -10, 299, -1, 29},
                 {800, 600, 799, 599, 39, 29},
                 {0, 0, 100, 100, 39, 29}};
    for (const auto& c : cases) {
        setViewScale(c.width, c.height);
        mouseToCell(c.x, c.y);
        EXPECT_EQ(std::make_pair(editorState.hoverCol, editorState.hoverRow), std::make_pair(c.column, c.row))
            << c.width << " x " << c.height << " at " << c.x << ", " << c.y;
    }
}

// ---- strokes ------------------------------------------------------------------------------

TEST_F(EditorCore, NothingReachesTheSceneBeforeTheRelease) {
    selectUnit(RedBean);
    selectShape(FilledRectangleShape);
    drag(1, 1, 3, 2);
    EXPECT_EQ(countCells(RedBean), 0);
    EXPECT_EQ(preview(3, 2), RedBean);
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(countCells(RedBean), 6);
    EXPECT_EQ(cellAt(1, 1), RedBean);
    EXPECT_EQ(cellAt(3, 2), RedBean);
}

TEST_F(EditorCore, WithoutAShapeOnlyTheCellUnderTheReleaseIsSet) {
    selectUnit(PurpleBean);
    stroke(2, 2, 9, 9);
    EXPECT_EQ(countCells(PurpleBean), 1);
    EXPECT_EQ(cellAt(9, 9), PurpleBean);
}

TEST_F(EditorCore, EraserEmptiesARectangleAndPreviewsItErased) {
    selectUnit(GreenBean);
    selectShape(FilledRectangleShape);
    stroke(0, 0, 5, 5);
    selectUnit(EraserUnit);
    drag(1, 1, 2, 3);
    EXPECT_EQ(preview(2, 2), ErasedPreview);
    EXPECT_EQ(cellAt(2, 2), GreenBean);
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(countCells(GreenBean), 36 - 6);
    EXPECT_EQ(cellAt(1, 1), EmptyCell);
}

TEST_F(EditorCore, CellsOutsideTheGridAreIgnored) {
    selectUnit(RedBean);
    selectShape(LineShape);
    hover(38, 28);
    leftButtonDown();
    editorState.hoverCol = 45;  // captured mouse far right of the window
    editorState.hoverRow = 28;
    mouseMoved(true);
    EXPECT_TRUE(leftButtonUp());
    EXPECT_EQ(countCells(RedBean), 2);
}

TEST_F(EditorCore, StartPointMovesAndOnlyTheFirstOldOneIsErased) {
    selectUnit(StartPoint);
    stroke(4, 4, 4, 4);
    EXPECT_EQ(cellAt(4, 4), StartPoint);
    stroke(9, 2, 9, 3);
    EXPECT_EQ(cellAt(4, 4), EmptyCell);
    EXPECT_EQ(cellAt(9, 3), StartPoint);
    EXPECT_EQ(countCells(StartPoint), 1);
    // A file may hold two start points; the first in row order is the one that moves.
    setCell(1, 20, StartPoint);
    stroke(30, 25, 30, 25);
    EXPECT_EQ(cellAt(9, 3), EmptyCell);
    EXPECT_EQ(cellAt(1, 20), StartPoint);
    EXPECT_EQ(cellAt(30, 25), StartPoint);
}

TEST_F(EditorCore, PointMovePreviewErasesTheOldPoint) {
    selectUnit(ExitPoint);
    stroke(3, 3, 3, 3);
    hover(6, 6);
    leftButtonDown();
    EXPECT_EQ(preview(3, 3), ErasedPreview);
    EXPECT_EQ(preview(6, 6), ExitPoint);
    hover(7, 6);
    mouseMoved(true);
    EXPECT_EQ(preview(6, 6), EmptyCell);
    EXPECT_EQ(preview(7, 6), ExitPoint);
    leftButtonUp();
    EXPECT_EQ(cellAt(3, 3), EmptyCell);
    EXPECT_EQ(cellAt(7, 6), ExitPoint);
}

TEST_F(EditorCore, RightClickDuringADragCancelsTheAction) {
    selectUnit(RedBean);
    selectShape(FilledRectangleShape);
    hover(0, 0);
    leftButtonDown();
    rightButtonDown(true);
    hover(5, 5);
    mouseMoved(true);
    EXPECT_EQ(preview(5, 5), EmptyCell);
    EXPECT_FALSE(leftButtonUp());
    EXPECT_EQ(countCells(RedBean), 0);
    EXPECT_EQ(editorState.currentShape, FilledRectangleShape);  // the right button only cancelled
    EXPECT_FALSE(editorState.dragCancelled);
    EXPECT_TRUE(stroke(0, 0, 0, 0));  // the next action works again
}

TEST_F(EditorCore, ReleaseWithoutUnitOrWithoutPressChangesNothing) {
    EXPECT_FALSE(leftButtonUp());
    hover(2, 2);
    leftButtonDown();
    EXPECT_FALSE(leftButtonUp());
    EXPECT_EQ(editorState.scene.grid, Scene::filledGrid());
}

// ---- the picture ----------------------------------------------------------------------------

TEST_F(EditorCore, PictureShowsCellsWithShadowsAndTheHoverFrame) {
    setCell(2, 3, StoneBean);
    hover(10, 10);
    renderSceneView();
    EXPECT_EQ(pixel(22, 32), kStone);
    // The shadow, 4 pixels down and right, darkens the background beside the stone.
    EXPECT_EQ(pixel(31, 41), kBackground - kShadow);
    EXPECT_EQ(pixel(60, 60), kBackground);
    EXPECT_EQ(pixel(100, 100), 0x0000FF00u);
    EXPECT_EQ(pixel(109, 105), 0x0000FF00u);
    EXPECT_EQ(pixel(105, 105), kBackground);
}

TEST_F(EditorCore, PreviewIsShownOnceAndErasedCellsShowNoContent) {
    setCell(2, 3, StoneBean);
    setCell(5, 5, StoneBean);
    editorState.previewGrid[sceneCellIndex(2, 3)] = ErasedPreview;
    editorState.previewGrid[sceneCellIndex(8, 8)] = StartPoint;
    hover(30, 20);
    renderSceneView();
    EXPECT_EQ(pixel(22, 32), kBackground);
    EXPECT_EQ(pixel(52, 52), kStone);
    EXPECT_EQ(pixel(82, 82), kStart);
    EXPECT_EQ(editorState.previewGrid, Scene::filledGrid());
    renderSceneView();
    EXPECT_EQ(pixel(22, 32), kStone);
    EXPECT_EQ(pixel(82, 82), kBackground);
}

TEST_F(EditorCore, HoverFrameStaysOnTheGridWhileTheMouseIsOutside) {
    editorState.hoverCol = -3;
    editorState.hoverRow = 50;
    renderSceneView();
    EXPECT_EQ(pixel(0, 290), 0x0000FF00u);
    EXPECT_EQ(pixel(9, 299), 0x0000FF00u);
}

TEST_F(EditorCore, MissingBackgroundLeavesABlankPicture) {
    destroyPixelBuffer(viewImages.background);
    viewImages.background = nullptr;
    editorState.previewGrid[sceneCellIndex(8, 8)] = StartPoint;
    renderSceneView();
    renderSceneView();
    EXPECT_EQ(pixel(82, 82), 0u);
}

// A scene is saved beside the shipped ones only where the programs run portable and may write
// there; otherwise into the player's own folder, which the first save creates.
TEST_F(EditorCore, SavePathIsTheWritableScenesFolderOrThePlayersOwn) {
    char pattern[] = "/tmp/kelvsaveXXXXXX";
    const std::string root = mkdtemp(pattern);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    std::filesystem::create_directories(root + "/portable/Scenes");
    const std::string own = root + "/data/munchtrail/Scenes";
    const struct {
        std::string folder;
        bool portable;
        std::string expected;
    } rows[] = {{root + "/portable", true, root + "/portable/Scenes/pond.qsn"},
                {root + "/noscenes", true, own + "/pond.qsn"},
                {root + "/portable", false, own + "/pond.qsn"}};
    for (const auto& row : rows) {
        std::filesystem::remove_all(root + "/data");
        editorState.programFolder = row.folder;
        editorState.portable = row.portable;
        EXPECT_EQ(sceneSavePath("pond.qsn"), row.expected) << row.folder << row.portable;
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(row.expected).parent_path()));
    }
    std::filesystem::remove_all(root);
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
                case 4:  // the writer may adjust what it saves
                    history.markSaved(numbered(next));
                    saved = list[at] = next++;
                    break;
                case 5:
                    history.forgetSaved();
                    saved = -1;
                    break;
                default:
                    history.reset(numbered(next));
                    list.assign(1, saved = next++);
                    at = 0;
            }
            ASSERT_EQ(history.current().goalScore, list[at]) << "run " << run << " step " << step;
            ASSERT_EQ(history.canUndo(), at > 0);
            ASSERT_EQ(history.canRedo(), at + 1 < list.size());
            ASSERT_EQ(history.isAtSavedState(), list[at] == saved);
        }
    }
}

}  // namespace

// KELV under the offscreen platform: drawing with real mouse events sent to the view, the
// preview, moving points, the right button and when the document becomes modified.
#include "tests/editor/ui_fixture.h"

using namespace ui_test;

// ---- drawing with the mouse ----------------------------------------------------------------

class StrokeTests : public QObject {
    Q_OBJECT
private slots:
    // Each unit with each shape: the cells painted (through the view's mouse mapping), one
    // painted cell, and the document and title marked modified.
    void strokesGiveTheirCells() {
        const struct {
            const char* name;
            int unit, shape, c0, r0, c1, r1, cells, probeColumn, probeRow;
        } rows[] = {
            {"red cell", CmdRedBean, 0, 5, 5, 6, 8, 1, 6, 8},
            {"orange line", CmdOrangeBean, CmdLine, 0, 0, 4, 2, 5, 2, 1},
            {"green rectangle", CmdGreenBean, CmdRectangle, 3, 4, 1, 1, 10, 1, 3},
            {"blue ellipse", CmdBlueBean, CmdEllipse, 10, 10, 13, 12, 12, 12, 11},
            {"purple filled rectangle", CmdPurpleBean, CmdFilledRectangle, 2, 2, 5, 4, 12, 4, 3},
            {"stone filled ellipse", CmdStoneBean, CmdFilledEllipse, 10, 10, 7, 8, 23, 10, 10},
            {"random line", CmdRandomBean, CmdLine, 39, 29, 30, 29, 10, 35, 29},
        };
        for (const auto& row : rows) {
            RowTrace trace{row.name};
            START_EDITOR(fixture);
            fixture.command(row.unit);
            if (row.shape != 0) fixture.command(row.shape);
            fixture.stroke(row.c0, row.r0, row.c1, row.r1);
            const std::uint8_t code = findCommand(row.unit)->code;
            QCOMPARE(countCells(code), row.cells);
            QCOMPARE(countCells(EmptyCell), kSceneCells - row.cells);
            QCOMPARE(cellAt(row.probeColumn, row.probeRow), code);
            QVERIFY(fixture.document()->isModified());
            QCOMPARE(fixture.frame()->windowTitle(), QString("Untitled[*] - Munch Trail Scene Editor"));
            QVERIFY(fixture.frame()->isWindowModified());
        }
    }

    void previewShowsErasedCellsBeforeTheRelease() {
        START_EDITOR(fixture);
        fixture.command(CmdStoneBean);
        fixture.command(CmdFilledRectangle);
        fixture.stroke(0, 0, 9, 9);
        QCOMPARE(pictureAt(fixture.view(), 4, 4), kStoneColour);
        fixture.command(CmdEraser);
        fixture.drag(2, 2, 5, 5);
        QCOMPARE(pictureAt(fixture.view(), 4, 4), kBackgroundColours[0]);  // shown erased
        QCOMPARE(pictureAt(fixture.view(), 7, 7), kStoneColour);
        QCOMPARE(cellAt(4, 4), std::uint8_t(StoneBean));  // not yet changed
        fixture.release(5, 5);
        QCOMPARE(cellAt(4, 4), std::uint8_t(EmptyCell));
        QCOMPARE(countCells(StoneBean), 100 - 16);
    }

    void rightClickCancelLeavesTheDocumentUnmodified() {
        START_EDITOR(fixture);
        fixture.command(CmdRedBean);
        fixture.command(CmdLine);
        fixture.drag(1, 1, 8, 1);
        fixture.press(8, 1, Qt::RightButton, Qt::LeftButton);
        fixture.move(9, 9);
        fixture.release(9, 9);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QVERIFY(!fixture.frame()->isWindowModified());
        QCOMPARE(editorState.currentShape, std::uint8_t(LineShape));
    }

    void modifiedOnlyAfterACommit() {
        START_EDITOR(fixture);
        fixture.stroke(4, 4, 5, 5);  // no unit chosen: nothing happens
        QVERIFY(!fixture.document()->isModified());
        fixture.command(CmdPurpleBean);
        fixture.drag(4, 4, 6, 6);
        QVERIFY(!fixture.document()->isModified());
        fixture.release(6, 6);
        QVERIFY(fixture.document()->isModified());
    }

    void dragsOutsideTheViewKeepTheirCellsOnTheGrid() {
        START_EDITOR(fixture);
        fixture.command(CmdRedBean);
        fixture.command(CmdLine);
        fixture.drag(37, 5, 45, 5);  // the captured mouse beyond the right edge
        fixture.release(45, 5);
        QCOMPARE(countCells(RedBean), 3);
    }
};

KELV_SUITE(StrokeTests);
#include "ui_stroke_tests.moc"

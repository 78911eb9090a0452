// KELV under the offscreen platform: drawing with real mouse events sent to the view, the
// preview, moving points, the right button and when the document becomes modified.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "editor/app/commands.h"
#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/properties_dialog.h"
#include "editor/core/editor_state.h"
#include "tests/editor/ui_fixture.h"

#include "tests/editor/ui_helpers.h"

using namespace ui_test;

// ---- drawing with the mouse ----------------------------------------------------------------

class StrokeTests : public QObject {
    Q_OBJECT
private slots:
    void strokesGiveTheirCells_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QPoint>("probe");
        QTest::newRow("red cell") << int(CmdRedBean) << 0 << QPoint(5, 5) << QPoint(6, 8) << 1
                                  << QPoint(6, 8);
        QTest::newRow("orange line") << int(CmdOrangeBean) << int(CmdLine) << QPoint(0, 0) << QPoint(4, 2)
                                     << 5 << QPoint(2, 1);
        QTest::newRow("green rectangle")
            << int(CmdGreenBean) << int(CmdRectangle) << QPoint(3, 4) << QPoint(1, 1) << 10 << QPoint(1, 3);
        QTest::newRow("blue ellipse") << int(CmdBlueBean) << int(CmdEllipse) << QPoint(10, 10)
                                      << QPoint(13, 12) << 12 << QPoint(12, 11);
        QTest::newRow("purple filled rectangle") << int(CmdPurpleBean) << int(CmdFilledRectangle)
                                                 << QPoint(2, 2) << QPoint(5, 4) << 12 << QPoint(4, 3);
        QTest::newRow("stone filled ellipse") << int(CmdStoneBean) << int(CmdFilledEllipse) << QPoint(10, 10)
                                              << QPoint(7, 8) << 23 << QPoint(10, 10);
        QTest::newRow("random line") << int(CmdRandomBean) << int(CmdLine) << QPoint(39, 29) << QPoint(30, 29)
                                     << 10 << QPoint(35, 29);
    }
    void strokesGiveTheirCells() {
        QFETCH(int, unit);
        QFETCH(int, shape);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, cells);
        QFETCH(QPoint, probe);
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(unit);
        if (shape != 0) fixture.command(shape);
        fixture.stroke(from.x(), from.y(), to.x(), to.y());
        const std::uint8_t code = findCommand(unit)->code;
        QCOMPARE(countCells(code), cells);
        QCOMPARE(countCells(EmptyCell), kSceneCells - cells);
        QCOMPARE(cellAt(probe.x(), probe.y()), code);
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.frame()->windowTitle(), QString("Untitled[*] - Munch Trail Scene Editor"));
        QVERIFY(fixture.frame()->isWindowModified());
    }

    void smallStrokesGiveExactlyTheirCells_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QList<QPoint>>("cells");
        QTest::newRow("line") << int(CmdLine) << QPoint(0, 0) << QPoint(4, 2)
                              << QList<QPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}};
        QTest::newRow("reversed line") << int(CmdLine) << QPoint(5, 2) << QPoint(0, 0)
                                       << QList<QPoint>{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}};
        QTest::newRow("ellipse click") << int(CmdEllipse) << QPoint(10, 10) << QPoint(10, 10)
                                       << QList<QPoint>{{9, 10}, {11, 10}, {10, 9}, {10, 11}};
        QTest::newRow("ellipse 3 x 2")
            << int(CmdEllipse) << QPoint(10, 10) << QPoint(7, 12)
            << QList<QPoint>{{13, 10}, {7, 10}, {12, 11}, {8, 11}, {12, 9},  {8, 9},
                             {11, 12}, {9, 12}, {11, 8},  {9, 8},  {10, 12}, {10, 8}};
        QTest::newRow("rectangle") << int(CmdRectangle) << QPoint(3, 4) << QPoint(1, 1)
                                   << QList<QPoint>{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2},
                                                    {1, 3}, {3, 3}, {1, 4}, {2, 4}, {3, 4}};
    }
    void smallStrokesGiveExactlyTheirCells() {
        QFETCH(int, shape);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QList<QPoint>, cells);
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdBlueBean);
        fixture.command(shape);
        fixture.stroke(from.x(), from.y(), to.x(), to.y());
        QList<QPoint> painted;
        for (int row = 0; row < kSceneRows; ++row)
            for (int column = 0; column < kSceneColumns; ++column)
                if (cellAt(column, row) != EmptyCell) painted.append(QPoint(column, row));
        auto byRow = [](const QPoint& a, const QPoint& b) {
            return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
        };
        std::sort(cells.begin(), cells.end(), byRow);
        QCOMPARE(painted, cells);
        QCOMPARE(countCells(BlueBean), int(cells.size()));
    }

    void previewShowsErasedCellsBeforeTheRelease() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdStoneBean);
        fixture.command(CmdFilledRectangle);
        fixture.stroke(0, 0, 9, 9);
        QCOMPARE(pictureAt(fixture.view(), 4, 4), kStoneColour);
        fixture.command(CmdEraser);
        fixture.move(2, 2, Qt::NoButton);
        fixture.press(2, 2);
        fixture.move(5, 5);
        QCOMPARE(pictureAt(fixture.view(), 4, 4), kBackgroundColours[0]);  // shown erased
        QCOMPARE(pictureAt(fixture.view(), 7, 7), kStoneColour);
        QCOMPARE(cellAt(4, 4), std::uint8_t(StoneBean));  // not yet changed
        fixture.release(5, 5);
        QCOMPARE(cellAt(4, 4), std::uint8_t(EmptyCell));
        QCOMPARE(countCells(StoneBean), 100 - 16);
    }

    void pointUnitsMove() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdStartPoint);
        fixture.stroke(3, 3, 3, 3);
        fixture.stroke(20, 10, 21, 12);
        QCOMPARE(countCells(StartPoint), 1);
        QCOMPARE(cellAt(21, 12), std::uint8_t(StartPoint));
        fixture.command(CmdExitPoint);
        fixture.stroke(30, 20, 30, 20);
        fixture.stroke(31, 21, 31, 21);
        QCOMPARE(countCells(ExitPoint), 1);
        QCOMPARE(cellAt(30, 20), std::uint8_t(EmptyCell));
        QCOMPARE(countCells(StartPoint), 1);
    }

    void rightClickCancelLeavesTheDocumentUnmodified() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.command(CmdLine);
        fixture.move(1, 1, Qt::NoButton);
        fixture.press(1, 1);
        fixture.move(8, 1);
        fixture.press(8, 1, Qt::RightButton, Qt::LeftButton);
        fixture.move(9, 9);
        fixture.release(9, 9);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QVERIFY(!fixture.document()->isModified());
        QVERIFY(!fixture.frame()->isWindowModified());
        QCOMPARE(editorState.currentShape, std::uint8_t(LineShape));
    }

    void modifiedOnlyAfterACommit() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.stroke(4, 4, 5, 5);  // no unit chosen: nothing happens
        QVERIFY(!fixture.document()->isModified());
        fixture.command(CmdPurpleBean);
        fixture.move(4, 4, Qt::NoButton);
        fixture.press(4, 4);
        fixture.move(6, 6);
        QVERIFY(!fixture.document()->isModified());
        fixture.release(6, 6);
        QVERIFY(fixture.document()->isModified());
    }

    void dragsOutsideTheViewKeepTheirCellsOnTheGrid() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.command(CmdLine);
        fixture.move(37, 5, Qt::NoButton);
        fixture.press(37, 5);
        fixture.move(45, 5);  // the captured mouse beyond the right edge
        fixture.release(45, 5);
        QCOMPARE(countCells(RedBean), 3);
    }
};

int runStrokeTests(int argc, char** argv) {
    StrokeTests suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "ui_stroke_tests.moc"

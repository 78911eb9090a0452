// KELV's Qt classes under the offscreen platform, grouped by concern: start-up, commands and
// the status bar, drawing with the mouse, the document's files, the properties dialog, and
// undo and redo. Every test starts a fresh editor in a program folder of its own.
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

namespace {

std::uint8_t cellAt(int column, int row) { return editorState.scene.grid[sceneCellIndex(column, row)]; }

int countCells(std::uint8_t code) {
    return int(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), code));
}

void setCell(int column, int row, std::uint8_t code) { editorState.scene.grid[sceneCellIndex(column, row)] = code; }

// The colour the view shows at the centre of a cell.
unsigned pictureAt(CKELVView* view, int column, int row) {
    return view->picture().pixel(10 * column + 2, 10 * row + 2) & 0xFFFFFFu;
}

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible() || action->isSeparator()) texts.append(action->isSeparator() ? "-" : action->text());
    return texts;
}

QMenu* menuNamed(CMainFrame* frame, const QString& title) {
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

}  // namespace

// ---- start-up ---------------------------------------------------------------------------------

class StartupTests : public QObject {
    Q_OBJECT
private slots:
    void failingStepShowsItsMessageAndEnds_data() {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QString>("message");
        QTest::newRow("shadow") << QStringList{"shadow.bmp"} << "Failed to load image: shadow.bmp!";
        QTest::newRow("start") << QStringList{"start.bmp"} << "Failed to load image: start.bmp!";
        QTest::newRow("exit") << QStringList{"exit.bmp"} << "Failed to load image: exit.bmp!";
        QTest::newRow("random") << QStringList{"random.bmp"} << "Failed to load image: random.bmp!";
        QTest::newRow("stone") << QStringList{"stone.bmp"} << "Failed to load image: stone.bmp!";
        QTest::newRow("background") << QStringList{"bg00.bmp"} << "Failed to load background image!";
        QTest::newRow("texture") << QStringList{"bean.txm"} << "Failed to load texture file: bean.txm!";
        QTest::newRow("first in order wins") << QStringList{"bean.txm", "stone.bmp", "start.bmp"}
                                             << "Failed to load image: start.bmp!";
        QTest::newRow("images before texture") << QStringList{"bean.txm", "bg00.bmp"}
                                               << "Failed to load background image!";
    }
    void failingStepShowsItsMessageAndEnds() {
        QFETCH(QStringList, missing);
        QFETCH(QString, message);
        EditorFixture fixture(missing);
        QVERIFY(!fixture.start());
        QCOMPARE(promptLog.stops, QStringList{message});
        QVERIFY(fixture.frame() == nullptr);
    }

    void startsOnANewUnmodifiedScene() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QCOMPARE(fixture.frame()->windowTitle(), QString("Untitled[*] - Munch Trail Scene Editor"));
        QVERIFY(!fixture.frame()->isWindowModified());
        QCOMPARE(fixture.frame()->statusPane()->text(), QString("Ready"));
        QCOMPARE(editorState.scene.randomFall, 1);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[0]);
    }

    void opensTheSceneNamedOnTheCommandLine() {
        EditorFixture fixture;
        Scene scene;
        scene.title = "Pond";
        scene.background = 3;
        scene.grid[sceneCellIndex(4, 5)] = StoneBean;
        const QString path = fixture.folder() + "/elsewhere.qsn";
        QVERIFY(writeSceneFile(path.toLocal8Bit().constData(), scene));
        QVERIFY(fixture.start({"KELV", path}));
        QCOMPARE(fixture.document()->title(), QString("elsewhere.qsn"));
        QCOMPARE(editorState.scene.title, std::string("Pond"));
        QCOMPARE(cellAt(4, 5), std::uint8_t(StoneBean));
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[2]);
        QVERIFY(!fixture.document()->isModified());
    }

    void unreadableCommandLineSceneIsReported() {
        EditorFixture fixture;
        QVERIFY(!fixture.start({"KELV", fixture.folder() + "/missing.qsn"}));
        QCOMPARE(promptLog.stops.size(), 1);
        QVERIFY(promptLog.stops.first().contains("missing.qsn"));
    }
};

// ---- commands, keys, toolbar and status bar --------------------------------------------------

class CommandTests : public QObject {
    Q_OBJECT
private slots:
    void menusHoldEveryItemInOrder() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CMainFrame* frame = fixture.frame();
        QStringList titles;
        for (QAction* action : frame->menuBar()->actions()) titles.append(action->text());
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Scene", "&View", "&Help"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&File")),
                 (QStringList{"&New", "&Open...", "&Save", "Save &As...", "-", "Recent File", "-", "E&xit"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Scene")),
                 (QStringList{"Se&t properties...", "-", "Rando&m bean", "&Red bean", "&Orange bean", "&Green bean",
                              "&Blue bean", "&Purple bean", "Sto&ne bean", "Eraser", "&Start point", "E&xit point", "-",
                              "&Line", "Rect&angle", "&Ellipse", "&Filled rectangle", "Fille&d ellipse"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&View")), (QStringList{"&Toolbar", "&Status Bar"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Help")), (QStringList{"Help info...", "-", "&About..."}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Edit")), (QStringList{"&Undo", "&Redo"}));
    }

    void keysPromptsAndTooltips_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("new") << int(CmdFileNew) << "Ctrl+N" << "Create a new document" << "New";
        QTest::newRow("open") << int(CmdFileOpen) << "Ctrl+O" << "Open an existing document" << "Open";
        QTest::newRow("save") << int(CmdFileSave) << "Ctrl+S" << "Save the active document" << "Save";
        QTest::newRow("properties") << int(CmdSetProperties) << "Ctrl+P" << "Set the scene's properties"
                                    << "Set properties [Ctrl+P]";
        QTest::newRow("random") << int(CmdRandomBean) << "`" << "Random bean" << "Random bean [`]";
        QTest::newRow("red") << int(CmdRedBean) << "1" << "Red bean" << "Red bean [1]";
        QTest::newRow("exit point") << int(CmdExitPoint) << "9" << "Exit point" << "Exit point [9]";
        QTest::newRow("ellipse") << int(CmdEllipse) << "" << "Draw a ellipse using current selected bean" << "Ellipse";
        QTest::newRow("help") << int(CmdHelp) << "F1" << "Display the help info (readme file)" << "Help info [F1]";
        QTest::newRow("toolbar") << int(CmdViewToolbar) << "" << "Show or hide the toolbar" << "Toggle ToolBar";
        QTest::newRow("exit") << int(CmdAppExit) << "" << "Quit the application; prompts to save documents" << "Exit";
    }
    void keysPromptsAndTooltips() {
        QFETCH(int, id);
        QFETCH(QString, key);
        QFETCH(QString, prompt);
        QFETCH(QString, tooltip);
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QAction* action = fixture.frame()->action(id);
        QCOMPARE(action->shortcut(), QKeySequence(key));
        QCOMPARE(action->statusTip(), prompt);
        QCOMPARE(action->toolTip(), tooltip);
    }

    void toolbarHoldsTwentyButtonsAndFourSeparators() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QStringList order;
        for (QAction* action : fixture.frame()->toolBar()->actions())
            order.append(action->isSeparator() ? "-" : action->toolTip());
        QCOMPARE(order, (QStringList{"New", "Open", "Save", "-", "Set properties [Ctrl+P]", "-", "Random bean [`]",
                                     "Red bean [1]", "Orange bean [2]", "Green bean [3]", "Blue bean [4]",
                                     "Purple bean [5]", "Stone bean [6]", "Eraser [7]", "Start point [8]",
                                     "Exit point [9]", "-", "Line", "Rectangle", "Ellipse", "Filled rectangle",
                                     "Filled ellipse", "-", "About"}));
    }

    void digitKeysToggleUnits() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.frame()));
        QTest::keyClick(fixture.frame(), Qt::Key_1);
        QCOMPARE(editorState.currentUnit, std::uint8_t(RedBean));
        QVERIFY(fixture.frame()->action(CmdRedBean)->isChecked());
        QTest::keyClick(fixture.frame(), Qt::Key_2);
        QCOMPARE(editorState.currentUnit, std::uint8_t(OrangeBean));
        QVERIFY(!fixture.frame()->action(CmdRedBean)->isChecked());
        QTest::keyClick(fixture.frame(), Qt::Key_2);
        QCOMPARE(editorState.currentUnit, NoUnit);
        QTest::keyClick(fixture.frame(), Qt::Key_QuoteLeft);
        QCOMPARE(editorState.currentUnit, std::uint8_t(RandomBean));
        QTest::keyClick(fixture.frame(), Qt::Key_7);
        QCOMPARE(editorState.currentUnit, EraserUnit);
    }

    void shapeCommandsFollowTheUnit() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CMainFrame* frame = fixture.frame();
        QVERIFY(!frame->action(CmdLine)->isEnabled());
        fixture.command(CmdStoneBean);
        QVERIFY(frame->action(CmdLine)->isEnabled());
        fixture.command(CmdFilledRectangle);
        QVERIFY(frame->action(CmdFilledRectangle)->isChecked());
        fixture.command(CmdStartPoint);
        QVERIFY(!frame->action(CmdFilledRectangle)->isEnabled());
        QVERIFY(frame->action(CmdFilledRectangle)->isChecked());  // kept, only ignored
        QVERIFY(frame->action(CmdStartPoint)->isChecked());
        QVERIFY(!frame->action(CmdStoneBean)->isChecked());
        QVERIFY(frame->action(CmdSetProperties)->isEnabled());
    }

    void rightClicksClearShapeThenUnitInTheToolbar() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdBlueBean);
        fixture.command(CmdEllipse);
        fixture.press(3, 3, Qt::RightButton);
        QVERIFY(!fixture.frame()->action(CmdEllipse)->isChecked());
        QVERIFY(fixture.frame()->action(CmdBlueBean)->isChecked());
        fixture.press(3, 3, Qt::RightButton);
        QVERIFY(!fixture.frame()->action(CmdBlueBean)->isChecked());
    }

    void statusPaneShowsCursorTextAndReady() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdGreenBean);
        fixture.move(12, 7, Qt::NoButton);
        QCOMPARE(fixture.frame()->statusPane()->text(),
                 QString("(Col, Row) = (12, 7)    Unit = Green bean    Shape = None"));
        fixture.frame()->statusBar()->showMessage("Create a new document");
        fixture.frame()->statusBar()->clearMessage();
        QCOMPARE(fixture.frame()->statusPane()->text(), QString("Ready"));
    }

    void viewTogglesHideToolbarAndStatusBar() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.frame()->action(CmdViewToolbar)->trigger();
        QVERIFY(fixture.frame()->toolBar()->isHidden());
        fixture.frame()->action(CmdViewStatusBar)->trigger();
        QVERIFY(fixture.frame()->statusBar()->isHidden());
        fixture.frame()->action(CmdViewToolbar)->trigger();
        QVERIFY(!fixture.frame()->toolBar()->isHidden());
    }

    void aboutShowsNameAndVersion() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        static QStringList texts;
        texts.clear();
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr) return;
            texts.append(box->windowTitle());
            for (QLabel* label : box->findChildren<QLabel*>())
                if (!label->text().isEmpty()) texts.append(label->text());
            static_cast<QDialog*>(box)->accept();
        });
        fixture.command(CmdAbout);
        QCOMPARE(texts, (QStringList{"About", "Munch Trail Scene Editor", "Version 2.01"}));
    }

    void droppedSceneIsOpened() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        Scene scene;
        scene.grid[sceneCellIndex(7, 7)] = BlueBean;
        const QString path = fixture.scenesFolder() + "/dropped.qsn";
        QVERIFY(writeSceneFile(path.toLocal8Bit().constData(), scene));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fixture.frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(fixture.frame(), &drop);
        QCOMPARE(fixture.document()->title(), QString("dropped.qsn"));
        QCOMPARE(cellAt(7, 7), std::uint8_t(BlueBean));
    }

    void helpOpensTheReadmeBesideTheProgram() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        static QString opened;
        editorPrompts.openDocument = [](const QString& path) {
            opened = path;
            return true;
        };
        fixture.command(CmdHelp);
        QCOMPARE(opened, fixture.folder() + "/Readme.htm");
    }
};

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
        QTest::newRow("red cell") << int(CmdRedBean) << 0 << QPoint(5, 5) << QPoint(6, 8) << 1 << QPoint(6, 8);
        QTest::newRow("orange line") << int(CmdOrangeBean) << int(CmdLine) << QPoint(0, 0) << QPoint(4, 2) << 5
                                     << QPoint(2, 1);
        QTest::newRow("green rectangle") << int(CmdGreenBean) << int(CmdRectangle) << QPoint(3, 4) << QPoint(1, 1)
                                         << 10 << QPoint(1, 3);
        QTest::newRow("blue ellipse") << int(CmdBlueBean) << int(CmdEllipse) << QPoint(10, 10) << QPoint(13, 12)
                                      << 12 << QPoint(12, 11);
        QTest::newRow("purple filled rectangle") << int(CmdPurpleBean) << int(CmdFilledRectangle) << QPoint(2, 2)
                                                 << QPoint(5, 4) << 12 << QPoint(4, 3);
        QTest::newRow("stone filled ellipse") << int(CmdStoneBean) << int(CmdFilledEllipse) << QPoint(10, 10)
                                              << QPoint(7, 8) << 23 << QPoint(10, 10);
        QTest::newRow("random line") << int(CmdRandomBean) << int(CmdLine) << QPoint(39, 29) << QPoint(30, 29) << 10
                                     << QPoint(35, 29);
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
        QCOMPARE(cellAt(4, 4), std::uint8_t(StoneBean));                  // not yet changed
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

// ---- files ------------------------------------------------------------------------------------

class DocumentTests : public QObject {
    Q_OBJECT
private slots:
    void validationMessagesInOrder_data() {
        QTest::addColumn<QString>("cells");  // letters: s start, e exit, b bean, o stone
        QTest::addColumn<int>("randomFall");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("objective");
        QTest::addColumn<QString>("message");
        const QString bean = "Please put in at least 1 non-stone bean";
        QTest::newRow("only a start") << "s" << 1 << 0 << 0 << bean;
        QTest::newRow("random fall off") << "so" << 0 << 5 << 0 << bean;
        QTest::newRow("eat up without beans") << "s" << 1 << 5 << 3 << bean;
        QTest::newRow("falling beans suffice") << "s" << 1 << 1 << 0 << "";
        QTest::newRow("no start") << "b" << 1 << 0 << 0 << "Please set a start point";
        QTest::newRow("start before stray exit") << "be" << 1 << 0 << 0 << "Please set a start point";
        QTest::newRow("exit outside escape") << "bse" << 1 << 0 << 0
                                             << "The objective of this scene isn't 'Escape'\nPlease erase the exit point";
        QTest::newRow("escape without exit") << "bs" << 1 << 0 << 1 << "Please set an exit point";
        QTest::newRow("escape with exit") << "bse" << 1 << 0 << 1 << "";
    }
    void validationMessagesInOrder() {
        QFETCH(QString, cells);
        QFETCH(int, randomFall);
        QFETCH(int, interval);
        QFETCH(int, objective);
        QFETCH(QString, message);
        EditorFixture fixture;
        QVERIFY(fixture.start());
        int column = 0;
        for (QChar letter : cells)
            setCell(column++, 0, letter == 's' ? StartPoint : letter == 'e' ? ExitPoint : letter == 'b' ? RedBean : StoneBean);
        editorState.scene.randomFall = randomFall;
        editorState.scene.fallInterval = interval;
        editorState.scene.objective = objective;
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.stops, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(QFileInfo::exists(fixture.scenesFolder() + "/Untitled.qsn"), message.isEmpty());
    }

    void saveAndReopenIsByteIdentical() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        for (int column = 0; column < kSceneColumns; ++column) setCell(column, column % kSceneRows, std::uint8_t(column % 8));
        setCell(39, 29, RandomBean);
        setCell(5, 20, RandomBean);
        editorState.scene.title = "Byte by byte";
        editorState.scene.description = "a\r\nb";
        editorState.scene.objective = Escape;
        editorState.scene.goalScore = 300;
        fixture.document()->commitEdit();
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.stops, QStringList{});
        QCOMPARE(promptLog.saveDialogs, QStringList{fixture.scenesFolder() + "/Untitled"});
        const QString path = fixture.scenesFolder() + "/Untitled.qsn";
        const QByteArray first = fileBytes(path);
        QCOMPARE(first.size(), (12 + 3) + (11 + 2 + 3) + (5 + 3) + (1200 + 2));  // two random beans
        QVERIFY(!fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled.qsn"));
        QCOMPARE(fixture.frame()->windowTitle(), QString("Untitled.qsn[*] - Munch Trail Scene Editor"));
        const Scene saved = editorState.scene;
        promptLog.answer = SaveAnswer::No;
        fixture.command(CmdFileNew);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QVERIFY(fixture.frame()->openFromShell(path));
        QCOMPARE(editorState.scene.grid, saved.grid);
        QCOMPARE(editorState.scene.description, saved.description);
        QFile::remove(path);
        fixture.command(CmdFileSave);  // the file is gone: the dialog comes back
        QCOMPARE(promptLog.saveDialogs.size(), 2);
        fixture.command(CmdFileSave);  // saved in place under its title: no dialog
        QCOMPARE(promptLog.saveDialogs.size(), 2);
        QCOMPARE(fileBytes(path), first);
    }

    void sceneSavedElsewhereStaysModified() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        setCell(0, 0, StartPoint);
        editorState.scene.fallInterval = 3;
        fixture.document()->commitEdit();
        promptLog.chooseProposed = false;
        promptLog.chosenFile = fixture.folder() + "/away.qsn";
        fixture.command(CmdFileSaveAs);
        QVERIFY(QFileInfo::exists(promptLog.chosenFile));
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("away.qsn"));
        // Save now proposes the Scenes folder under the same name.
        promptLog.chooseProposed = true;
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.saveDialogs.last(), fixture.scenesFolder() + "/away.qsn");
        QVERIFY(!fixture.document()->isModified());
    }

    void savePromptWithAnInvalidSceneKeepsTheEditorOpen() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);  // modified, but without a start point
        promptLog.answer = SaveAnswer::Yes;
        QVERIFY(!fixture.frame()->close());
        QCOMPARE(promptLog.savePrompts, QStringList{"Untitled"});
        QCOMPARE(promptLog.stops, QStringList{"Please set a start point"});
        QVERIFY(fixture.frame()->isVisible());
        promptLog.answer = SaveAnswer::Cancel;
        QVERIFY(!fixture.frame()->close());
        fixture.command(CmdFileNew);
        QCOMPARE(cellAt(1, 1), std::uint8_t(RedBean));  // New abandoned as well
        promptLog.answer = SaveAnswer::No;
        QVERIFY(fixture.frame()->close());
    }

    void failedOpenChangesNothing() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.stroke(2, 2, 2, 2);
        const Scene before = editorState.scene;
        promptLog.answer = SaveAnswer::No;
        QVERIFY(!fixture.frame()->openFromShell(fixture.folder() + "/nothing-here.qsn"));
        QCOMPARE(promptLog.stops.size(), 1);
        QVERIFY(promptLog.stops.first().contains("nothing-here.qsn"));
        QCOMPARE(editorState.scene.grid, before.grid);
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled"));
    }

    void openWhoseBackgroundCannotLoadChangesNothing() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        Scene scene;
        scene.background = 9;  // "Ore", DAT/bg08.bmp
        scene.grid[0] = StoneBean;
        const QString path = fixture.scenesFolder() + "/ore.qsn";
        QVERIFY(writeSceneFile(path.toLocal8Bit().constData(), scene));
        QFile::remove(fixture.folder() + "/DAT/bg08.bmp");
        QVERIFY(!fixture.frame()->openFromShell(path));
        QCOMPARE(promptLog.stops.size(), 1);
        QCOMPARE(cellAt(0, 0), std::uint8_t(EmptyCell));
        QCOMPARE(editorState.scene.background, 0);
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[0]);
    }

    void failedSaveChangesNothing() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        setCell(0, 0, StartPoint);
        setCell(1, 0, RedBean);
        fixture.document()->commitEdit();
        promptLog.chooseProposed = false;
        promptLog.chosenFile = fixture.folder() + "/no/such/folder/x.qsn";
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.stops.size(), 1);
        QVERIFY(promptLog.stops.first().contains("x.qsn"));
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled"));
        QVERIFY(fixture.frame()->recentFiles().isEmpty());
    }

    void recentFilesKeepTheLastFour() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        setCell(0, 0, StartPoint);
        setCell(1, 0, RedBean);
        promptLog.chooseProposed = false;
        for (int i = 1; i <= 5; ++i) {
            promptLog.chosenFile = fixture.scenesFolder() + QString("/s%1.qsn").arg(i);
            fixture.command(CmdFileSaveAs);
        }
        const QStringList expected{fixture.scenesFolder() + "/s5.qsn", fixture.scenesFolder() + "/s4.qsn",
                                   fixture.scenesFolder() + "/s3.qsn", fixture.scenesFolder() + "/s2.qsn"};
        QCOMPARE(fixture.frame()->recentFiles(), expected);
        QSettings settings("Quillfern", "KELV");
        QCOMPARE(settings.value("Recent File List/File1").toString(), expected.first());
        QCOMPARE(fixture.frame()->recentActions().first()->statusTip(), QString("Open this document"));
        QVERIFY(fixture.frame()->recentActions().first()->text().endsWith("s5.qsn"));
        // A recent entry opens its scene.
        setCell(5, 5, StoneBean);
        fixture.document()->commitEdit();
        promptLog.answer = SaveAnswer::No;
        fixture.frame()->recentActions()[2]->trigger();
        QCOMPARE(fixture.document()->title(), QString("s3.qsn"));
        QCOMPARE(cellAt(5, 5), std::uint8_t(EmptyCell));
    }

    void eatUpSaveSwitchesRandomFallOff() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        setCell(0, 0, StartPoint);
        setCell(1, 0, RedBean);
        editorState.scene.objective = EatUp;
        editorState.scene.randomFall = 1;
        fixture.command(CmdFileSave);
        QCOMPARE(editorState.scene.randomFall, 0);
        QVERIFY(fileBytes(fixture.scenesFolder() + "/Untitled.qsn").contains("0 0 0 3 5"));
    }
};

// ---- properties dialog ---------------------------------------------------------------------

class DialogTests : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheNewSceneValues() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        QCOMPARE(dialog->windowTitle(), QString("Set scene's properties"));
        QCOMPARE(dialog->titleEdit->text(), QString());
        QCOMPARE(dialog->backgroundList->currentText(), QString("Auto cycle background"));
        QCOMPARE(dialog->backgroundList->count(), 11);
        QVERIFY(dialog->randomFallBox->isChecked());
        QCOMPARE(dialog->intervalEdit->text(), QString("0"));
        QVERIFY(dialog->intervalEdit->isEnabled());
        QCOMPARE(dialog->objectiveList->currentText(), QString("Standard - Score as high as you can"));
        QCOMPARE(dialog->goalScoreEdit->text(), QString("5"));
        QVERIFY(!dialog->goalScoreEdit->isEnabled());
        QCOMPARE(dialog->descriptionEdit->toPlainText(), QString());
    }

    void eatUpSceneOpensWithRandomFallCleared() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        editorState.scene.objective = EatUp;
        editorState.scene.randomFall = 1;
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        QVERIFY(!dialog->randomFallBox->isChecked());
        QVERIFY(!dialog->randomFallBox->isEnabled());
        QVERIFY(!dialog->intervalEdit->isEnabled());
    }

    void objectiveAndRandomFallEnableTheirFields() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        dialog->objectiveList->setCurrentIndex(EatUp);
        QVERIFY(!dialog->randomFallBox->isChecked());
        QVERIFY(!dialog->randomFallBox->isEnabled());
        QVERIFY(!dialog->intervalEdit->isEnabled());
        QVERIFY(!dialog->goalScoreEdit->isEnabled());
        dialog->objectiveList->setCurrentIndex(GoalScore);
        QVERIFY(dialog->randomFallBox->isEnabled());
        QVERIFY(!dialog->randomFallBox->isChecked());
        QVERIFY(dialog->goalScoreEdit->isEnabled());
        QVERIFY(!dialog->intervalEdit->isEnabled());
        dialog->randomFallBox->click();
        QVERIFY(dialog->intervalEdit->isEnabled());
        dialog->objectiveList->setCurrentIndex(Escape);
        QVERIFY(dialog->intervalEdit->isEnabled());
        QVERIFY(!dialog->goalScoreEdit->isEnabled());
        dialog->randomFallBox->click();
        QVERIFY(!dialog->intervalEdit->isEnabled());
    }

    void rangeChecksNameTheRangeAndFocusTheField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("interval 61") << "interval" << "61" << "Please enter an integer between 0 and 60.";
        QTest::newRow("interval -1") << "interval" << "-1" << "Please enter an integer between 0 and 60.";
        QTest::newRow("interval text") << "interval" << "ten" << "Please enter an integer.";
        QTest::newRow("goal 4") << "goal" << "4" << "Please enter an integer between 5 and 9999999.";
        QTest::newRow("goal 10000000") << "goal" << "10000000" << "Please enter an integer between 5 and 9999999.";
        QTest::newRow("title 29") << "title" << QString(29, 'T') << "Please enter no more than 28 characters.";
        QTest::newRow("description 256") << "description" << QString(256, 'd')
                                         << "Please enter no more than 255 characters.";
        QTest::newRow("description line breaks count twice") << "description" << QString(127, 'd') + "\n" + QString(127, 'd')
                                                             << "Please enter no more than 255 characters.";
    }
    void rangeChecksNameTheRangeAndFocusTheField() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->activateWindow();
        QWidget* target = field == "interval" ? static_cast<QWidget*>(dialog->intervalEdit)
                          : field == "goal"   ? static_cast<QWidget*>(dialog->goalScoreEdit)
                          : field == "title"  ? static_cast<QWidget*>(dialog->titleEdit)
                                              : static_cast<QWidget*>(dialog->descriptionEdit);
        dialog->objectiveList->setCurrentIndex(GoalScore);  // enables the goal score
        if (auto* line = qobject_cast<QLineEdit*>(target)) line->setText(value);
        if (auto* text = qobject_cast<QPlainTextEdit*>(target)) text->setPlainText(value);
        const Scene before = editorState.scene;
        dialog->accept();
        QCOMPARE(promptLog.warnings, QStringList{message});
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), target);
        dialog->reject();
        QCOMPARE(editorState.scene.title, before.title);
        QCOMPARE(editorState.scene.fallInterval, before.fallInterval);
        QCOMPARE(editorState.scene.goalScore, before.goalScore);
    }

    void cancelAfterAFailedOkLeavesTheSceneIntact() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        dialog->titleEdit->setText("New title");
        dialog->backgroundList->setCurrentIndex(4);
        dialog->randomFallBox->setChecked(false);
        dialog->intervalEdit->setText("61");  // fails after title, background and random fall
        dialog->accept();
        QCOMPARE(promptLog.warnings.size(), 1);
        dialog->reject();
        QCOMPARE(editorState.scene.title, std::string());
        QCOMPARE(editorState.scene.background, 0);
        QCOMPARE(editorState.scene.randomFall, 1);
        QVERIFY(!fixture.document()->isModified());
    }

    void okAppliesReloadsTheBackgroundAndMarksModified() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QTimer::singleShot(0, [&fixture] {
            CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
            dialog->titleEdit->setText("Ore pond");
            dialog->backgroundList->setCurrentIndex(9);
            dialog->objectiveList->setCurrentIndex(GoalScore);
            dialog->goalScoreEdit->setText("300");
            dialog->descriptionEdit->setPlainText("line one\nline two");
            dialog->accept();
        });
        fixture.command(CmdSetProperties);
        QCOMPARE(editorState.scene.title, std::string("Ore pond"));
        QCOMPARE(editorState.scene.background, 9);
        QCOMPARE(editorState.backgroundImageNumber, 8);
        QCOMPARE(editorState.scene.objective, int(GoalScore));
        QCOMPARE(editorState.scene.goalScore, 300);
        QCOMPARE(editorState.scene.description, std::string("line one\r\nline two"));
        QVERIFY(fixture.document()->isModified());
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[8]);
        // Random and auto cycle backgrounds show the first picture.
        QTimer::singleShot(0, [&fixture] {
            fixture.frame()->propertiesDialog()->backgroundList->setCurrentIndex(10);
            fixture.frame()->propertiesDialog()->accept();
        });
        fixture.command(CmdSetProperties);
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[0]);
    }

    void disabledFieldsKeepTheirValuesUnread() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        editorState.scene.goalScore = 2;  // out of range, as a hand-made file may hold
        CScenePropertiesDlg* dialog = fixture.frame()->propertiesDialog();
        dialog->exchangeToControls();
        dialog->randomFallBox->click();
        dialog->intervalEdit->setText("99");
        dialog->accept();
        QCOMPARE(promptLog.warnings, QStringList{});
        QCOMPARE(editorState.scene.goalScore, 2);
        QCOMPARE(editorState.scene.fallInterval, 0);
        QCOMPARE(editorState.scene.randomFall, 0);
    }

    void okMarksModifiedEvenWithoutChanges() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QTimer::singleShot(0, [&fixture] { fixture.frame()->propertiesDialog()->accept(); });
        fixture.command(CmdSetProperties);
        QVERIFY(fixture.document()->isModified());
        QVERIFY(!fixture.document()->canUndo());  // nothing changed, so nothing to undo
    }
};

// ---- undo and redo ---------------------------------------------------------------------------

class UndoTests : public QObject {
    Q_OBJECT
private slots:
    void strokesUndoAndRedoInTurn() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);
        fixture.command(CmdBlueBean);
        fixture.stroke(2, 2, 2, 2);
        QVERIFY(fixture.frame()->action(CmdEditUndo)->isEnabled());
        QVERIFY(!fixture.frame()->action(CmdEditRedo)->isEnabled());
        fixture.command(CmdEditUndo);
        QCOMPARE(cellAt(2, 2), std::uint8_t(EmptyCell));
        QCOMPARE(cellAt(1, 1), std::uint8_t(RedBean));
        QVERIFY(fixture.document()->isModified());
        fixture.command(CmdEditUndo);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QVERIFY(!fixture.document()->isModified());  // back at the state the editor started with
        QVERIFY(!fixture.frame()->action(CmdEditUndo)->isEnabled());
        fixture.command(CmdEditRedo);
        fixture.command(CmdEditRedo);
        QCOMPARE(cellAt(2, 2), std::uint8_t(BlueBean));
        QVERIFY(fixture.document()->isModified());
    }

    void keysUndoAndRedo() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.frame()));
        fixture.command(CmdGreenBean);
        fixture.stroke(4, 4, 4, 4);
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(EmptyCell));
        QTest::keyClick(fixture.frame(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(GreenBean));
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(GreenBean));
    }

    void undoingBackToTheSavedStateClearsTheMark() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        setCell(0, 0, StartPoint);
        setCell(1, 0, RedBean);
        fixture.document()->commitEdit();
        fixture.command(CmdFileSave);
        QVERIFY(!fixture.document()->isModified());
        fixture.command(CmdStoneBean);
        fixture.stroke(9, 9, 9, 9);
        QVERIFY(fixture.document()->isModified());
        fixture.command(CmdEditUndo);
        QVERIFY(!fixture.document()->isModified());
        QVERIFY(!fixture.frame()->isWindowModified());
        fixture.command(CmdEditUndo);
        QVERIFY(fixture.document()->isModified());
        fixture.command(CmdEditRedo);
        QVERIFY(!fixture.document()->isModified());
    }

    void aNewStrokeAfterUndoDropsTheRedo() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);
        fixture.stroke(2, 2, 2, 2);
        fixture.command(CmdEditUndo);
        fixture.stroke(3, 3, 3, 3);
        QVERIFY(!fixture.document()->canRedo());
        fixture.command(CmdEditUndo);
        QCOMPARE(countCells(RedBean), 1);
    }

    void propertiesChangesUndoWithTheirBackground() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        QTimer::singleShot(0, [&fixture] {
            fixture.frame()->propertiesDialog()->backgroundList->setCurrentIndex(5);
            fixture.frame()->propertiesDialog()->titleEdit->setText("Cobble");
            fixture.frame()->propertiesDialog()->accept();
        });
        fixture.command(CmdSetProperties);
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 1, 1), kBackgroundColours[4]);
        fixture.command(CmdEditUndo);
        QCOMPARE(editorState.scene.title, std::string());
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 1, 1), kBackgroundColours[0]);
        fixture.command(CmdEditRedo);
        QCOMPARE(editorState.scene.background, 5);
    }

    void newAndOpenStartAFreshHistory() {
        EditorFixture fixture;
        QVERIFY(fixture.start());
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);
        promptLog.answer = SaveAnswer::No;
        fixture.command(CmdFileNew);
        QVERIFY(!fixture.document()->canUndo());
        QVERIFY(!fixture.frame()->action(CmdEditUndo)->isEnabled());
    }
};

int main(int argc, char** argv) {
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QApplication application(argc, argv);
    int failures = 0;
    StartupTests startup;
    CommandTests commands;
    StrokeTests strokes;
    DocumentTests documents;
    DialogTests dialogs;
    UndoTests undo;
    for (QObject* suite : std::initializer_list<QObject*>{&startup, &commands, &strokes, &documents, &dialogs, &undo})
        failures += QTest::qExec(suite, argc, argv);
    return failures == 0 ? 0 : 1;
}

#include "ui_tests.moc"

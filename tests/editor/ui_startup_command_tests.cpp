// KELV under the offscreen platform: start-up with its failure messages in order, and the
// commands (menus, keys, prompts, tooltips, toolbar, checked and enabled states, status pane).
#include "tests/editor/ui_fixture.h"

using namespace ui_test;

// ---- start-up ---------------------------------------------------------------------------------

class StartupTests : public QObject {
    Q_OBJECT
private slots:
    // The first failing step in load order names itself and the editor ends.
    void failingStepShowsItsMessageAndEnds() {
        const struct {
            QStringList missing;
            const char* message;
        } rows[] = {
            {{"shadow.bmp"}, "Failed to load image: shadow.bmp!"},
            {{"start.bmp"}, "Failed to load image: start.bmp!"},
            {{"exit.bmp"}, "Failed to load image: exit.bmp!"},
            {{"random.bmp"}, "Failed to load image: random.bmp!"},
            {{"stone.bmp"}, "Failed to load image: stone.bmp!"},
            {{"bg00.bmp"}, "Failed to load background image!"},
            {{"bean.txm"}, "Failed to load texture file: bean.txm!"},
            {{"bean.txm", "stone.bmp", "start.bmp"}, "Failed to load image: start.bmp!"},
            {{"bean.txm", "bg00.bmp"}, "Failed to load background image!"},
        };
        for (const auto& row : rows) {
            RowTrace trace{row.message};
            EditorFixture fixture(row.missing);
            QVERIFY(!fixture.start());
            QCOMPARE(promptLog.stops, QStringList{row.message});
            QVERIFY(fixture.frame() == nullptr);
        }
    }

    void startsOnANewUnmodifiedScene() {
        START_EDITOR(fixture);
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
    // Every menu item in order, the toolbar, and the keys, prompts and tooltips of the commands.
    void menusToolbarKeysAndTooltips() {
        START_EDITOR(fixture);
        CMainFrame* frame = fixture.frame();
        QStringList titles;
        for (QAction* action : frame->menuBar()->actions()) titles.append(action->text());
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Scene", "&View", "&Help"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&File")),
                 (QStringList{"&New", "&Open...", "&Save", "Save &As...", "-", "Recent File", "-", "E&xit"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Scene")),
                 (QStringList{"Se&t properties...", "Test pla&y", "-", "Rando&m bean", "&Red bean",
                              "&Orange bean", "&Green bean", "&Blue bean", "&Purple bean", "Sto&ne bean",
                              "Eraser", "&Start point", "E&xit point", "-", "&Line", "Rect&angle", "&Ellipse",
                              "&Filled rectangle", "Fille&d ellipse"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&View")), (QStringList{"&Toolbar", "&Status Bar"}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Help")), (QStringList{"Help info...", "-", "&About..."}));
        QCOMPARE(menuTexts(menuNamed(frame, "&Edit")), (QStringList{"&Undo", "&Redo"}));
        const struct {
            int id;
            const char *key, *prompt, *tooltip;
        } rows[] = {
            {CmdFileNew, "Ctrl+N", "Create a new document", "New"},
            {CmdFileOpen, "Ctrl+O", "Open an existing document", "Open"},
            {CmdFileSave, "Ctrl+S", "Save the active document", "Save"},
            {CmdSetProperties, "Ctrl+P", "Set the scene's properties", "Set properties [Ctrl+P]"},
            {CmdTestPlay, "F5", "Play the scene in the game without saving it", "Test play [F5]"},
            {CmdRandomBean, "`", "Random bean", "Random bean [`]"},
            {CmdRedBean, "1", "Red bean", "Red bean [1]"},
            {CmdExitPoint, "9", "Exit point", "Exit point [9]"},
            {CmdEllipse, "", "Draw a ellipse using current selected bean", "Ellipse"},
            {CmdHelp, "F1", "Display the help info (readme file)", "Help info [F1]"},
            {CmdViewToolbar, "", "Show or hide the toolbar", "Toggle ToolBar"},
            {CmdAppExit, "", "Quit the application; prompts to save documents", "Exit"},
        };
        for (const auto& row : rows) {
            RowTrace trace{row.tooltip};
            QAction* action = fixture.frame()->action(row.id);
            QCOMPARE(action->shortcut(), QKeySequence(row.key));
            QCOMPARE(action->statusTip(), QString(row.prompt));
            QCOMPARE(action->toolTip(), QString(row.tooltip));
        }
        QStringList order;
        for (QAction* action : fixture.frame()->toolBar()->actions())
            order.append(action->isSeparator() ? "-" : action->toolTip());
        QCOMPARE(
            order.join(" | "),
            QString("New | Open | Save | - | Set properties [Ctrl+P] | Test play [F5] | - | Random bean [`] "
                    "| Red bean [1] | "
                    "Orange bean [2] | Green bean [3] | Blue bean [4] | Purple bean [5] | Stone bean [6] | "
                    "Eraser [7] | Start point [8] | Exit point [9] | - | Line | Rectangle | Ellipse | "
                    "Filled rectangle | Filled ellipse | - | About"));
    }

    void digitKeysToggleUnits() {
        START_EDITOR(fixture);
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
    }

    void shapeCommandsFollowTheUnit() {
        START_EDITOR(fixture);
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
        START_EDITOR(fixture);
        fixture.command(CmdBlueBean);
        fixture.command(CmdEllipse);
        fixture.press(3, 3, Qt::RightButton);
        QVERIFY(!fixture.frame()->action(CmdEllipse)->isChecked());
        QVERIFY(fixture.frame()->action(CmdBlueBean)->isChecked());
        fixture.press(3, 3, Qt::RightButton);
        QVERIFY(!fixture.frame()->action(CmdBlueBean)->isChecked());
    }

    void statusPaneShowsCursorTextAndReady() {
        START_EDITOR(fixture);
        fixture.command(CmdGreenBean);
        fixture.move(12, 7, Qt::NoButton);
        QCOMPARE(fixture.frame()->statusPane()->text(),
                 QString("(Col, Row) = (12, 7)    Unit = Green bean    Shape = None"));
        fixture.frame()->statusBar()->showMessage("Create a new document");
        fixture.frame()->statusBar()->clearMessage();
        QCOMPARE(fixture.frame()->statusPane()->text(), QString("Ready"));
    }

    void viewTogglesHideToolbarAndStatusBar() {
        START_EDITOR(fixture);
        QCOMPARE(fixture.frame()->statusPane()->text(), QString("Ready"));
        fixture.frame()->action(CmdViewToolbar)->trigger();
        QVERIFY(fixture.frame()->toolBar()->isHidden());
        fixture.frame()->action(CmdViewStatusBar)->trigger();
        QVERIFY(fixture.frame()->statusBar()->isHidden());
        fixture.frame()->action(CmdViewToolbar)->trigger();
        QVERIFY(!fixture.frame()->toolBar()->isHidden());
    }

    void aboutShowsNameAndVersion() {
        START_EDITOR(fixture);
        static QStringList texts;
        texts.clear();
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr) return;
            texts.append(box->windowHandle()->title());  // the title the window system is given
            for (QLabel* label : box->findChildren<QLabel*>())
                if (!label->text().isEmpty()) texts.append(label->text());
            static_cast<QDialog*>(box)->accept();
        });
        fixture.command(CmdAbout);
        QCOMPARE(texts, (QStringList{"About", "Munch Trail Scene Editor", "Version 2.01"}));
    }

    void droppedSceneIsOpened() {
        START_EDITOR(fixture);
        const QString path = writeScene(fixture.scenesFolder() + "/dropped.qsn", 7, 7, BlueBean);
        QVERIFY(!path.isEmpty());
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
        START_EDITOR(fixture);
        static QString opened;
        editorPrompts.openDocument = [](const QString& path) {
            opened = path;
            return true;
        };
        fixture.command(CmdHelp);
        QCOMPARE(opened, fixture.folder() + "/Readme.htm");
    }
};

KELV_SUITE(StartupTests);
KELV_SUITE(CommandTests);
#include "ui_startup_command_tests.moc"

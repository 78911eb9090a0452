// KELV's Qt classes under the offscreen platform, driven as a user would: the start-up and its
// failures, strokes through the view, the commands' states, the properties dialog, files (the
// checks, a byte-exact save and reopen, failures that change nothing, the save prompt, recent
// files), undo through the menu and the keys, test play through a stand-in game, and the autosave
// with its recovery after a kill. Recorded answers stand in for the message boxes and file dialogs.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <csignal>

#include "editor/app/autosave.h"
#include "editor/app/commands.h"
#include "editor/app/kelv_app.h"
#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/prompts.h"
#include "editor/app/properties_dialog.h"
#include "editor/app/test_play.h"
#include "tests/editor/cells.h"

static void PrintTo(const QString& text, std::ostream* out) {  // readable failures
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace ui_test;

struct PromptLog {
    QStringList stops, warnings, savePrompts, saveDialogs, recoverPrompts;
    SaveAnswer answer = SaveAnswer::Yes;  // to the save prompt
    QString chosenFile;                   // by the file dialogs; empty: Save takes what it proposes
    QString offeredFolder, openedDocument;
    QList<RecoverAnswer> recoverAnswers;  // in turn; Later when they run out
} asked;

void recordPrompts() {
    asked = PromptLog{};
    editorPrompts = {
        [](QWidget*, const QString& text) { asked.stops.append(text); },
        [](QWidget*, const QString& text) { asked.warnings.append(text); },
        [](QWidget*, const QString& title) { return asked.savePrompts.append(title), asked.answer; },
        [](QWidget*, const QString& proposed) {
            asked.saveDialogs.append(proposed);
            return !asked.chosenFile.isEmpty() ? asked.chosenFile
                   : proposed.endsWith(".qsn") ? proposed
                                               : proposed + ".qsn";
        },
        [](QWidget*, const QString& folder) { return asked.offeredFolder = folder, asked.chosenFile; },
        [](const QString& path) { return asked.openedDocument = path, true; },
        [](QWidget*, const QString& title, const QDateTime&) {
            asked.recoverPrompts.append(title);
            return asked.recoverAnswers.isEmpty() ? RecoverAnswer::Later : asked.recoverAnswers.takeFirst();
        }};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A scene file with one stone at (1, 1) on `background`; returns the path.
QString writeScene(const QString& path, int background) {
    Scene scene;
    scene.background = background;
    scene.grid[sceneCellIndex(1, 1)] = StoneBean;
    return writeSceneFile(path.toLocal8Bit().constData(), scene) ? path : QString();
}

// The smallest scene that passes the checks before a save: a start point and one bean.
void makeSaveable() {
    setCell(0, 0, StartPoint);
    setCell(1, 0, RedBean);
}

// An editor in a program folder of its own: plain pictures (less the `missing` ones) and a bean
// texture under DAT, an empty Scenes folder, no recent files, recorded prompts. Background
// picture n is grey 0x203040 + n * 0x101010, the stone 0x808080.
class Editor {
public:
    explicit Editor(const QStringList& missing = {}) {
        QDir(folder()).mkpath("DAT");
        QDir(folder()).mkpath("Scenes");
        QSettings("Quillfern", "KELV").remove("Recent File List");
        QList<std::pair<QString, unsigned>> pictures = {{"shadow", 0x101010},
                                                        {"start", 0x00C000},
                                                        {"exit", 0xC00000},
                                                        {"random", 0xFFFF00},
                                                        {"stone", 0x808080}};
        for (int i = 0; i < 9; ++i)
            pictures.append({QString("bg%1").arg(i, 2, 10, QChar('0')), 0x203040 + 0x101010 * i});
        for (const auto& [name, colour] : pictures) {
            QImage image(name.startsWith("bg") ? QSize(400, 300) : QSize(10, 10), QImage::Format_RGB32);
            image.fill(colour);
            if (!missing.contains(name + ".bmp")) image.save(folder() + "/DAT/" + name + ".bmp", "BMP");
        }
        QFile texture(folder() + "/DAT/bean.txm");
        if (!missing.contains("bean.txm") && texture.open(QIODevice::WriteOnly))
            texture.write(QByteArray(kTxmBytes, '\x40'));
        recordPrompts();
        editorState = EditorState{};
        editorState.programFolder = folder().toStdString();
    }
    bool start(const QStringList& arguments = {"KELV"}) {
        app_ = std::make_unique<CKELVApp>();
        return app_->initInstance(arguments) && QTest::qWaitForWindowExposed(frame());
    }
    QString folder() const { return dir_.path(); }
    QString scenes() const { return dir_.path() + "/Scenes"; }
    CMainFrame* frame() const { return app_ ? app_->mainFrame() : nullptr; }
    CKELVDoc* document() const { return frame()->document(); }
    bool modified() const { return document()->isModified(); }
    void command(int id) { frame()->runCommand(id); }
    // What the user sees: the document's name with the window's modified mark, the number of
    // cells that hold something, and the background picture shown at cell (20, 15).
    QString seen() const {
        QApplication::processEvents();  // a pending paint, which consumes the preview it shows
        const unsigned colour = frame()->view()->picture().pixel(202, 152) & 0xFFFFFFu;
        return QString("%1%2 %3 bg%4")
            .arg(document()->title(), frame()->isWindowModified() ? "*" : "")
            .arg(kSceneCells - countCells(EmptyCell))
            .arg(colour == 0x808080 ? QString("stone") : QString::number((colour - 0x203040) / 0x101010));
    }
    CScenePropertiesDlg* dialog() const {  // filled from the scene, not shown
        frame()->propertiesDialog()->exchangeToControls();
        return frame()->propertiesDialog();
    }
    // Runs Set properties, letting `fill` edit the dialog before its OK (a refused OK cancels).
    void setProperties(const std::function<void(CScenePropertiesDlg*)>& fill) {
        QTimer::singleShot(0, [this, fill] {
            fill(frame()->propertiesDialog());
            frame()->propertiesDialog()->accept();
            if (frame()->propertiesDialog()->isVisible()) frame()->propertiesDialog()->reject();
        });
        command(CmdSetProperties);
    }
    // A mouse event at the middle of a cell, whatever size the view has.
    void mouse(QEvent::Type type, int column, int row, Qt::MouseButton button = Qt::LeftButton,
               Qt::MouseButtons held = Qt::LeftButton) {
        QWidget* view = frame()->view();
        const QPointF at((10 * column + 5) * view->width() / 400.0, (10 * row + 5) * view->height() / 300.0);
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
        view->repaint();
    }
    void stroke(int c0, int r0, int c1, int r1, bool release = true) {
        mouse(QEvent::MouseMove, c0, r0, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, c0, r0);
        mouse(QEvent::MouseMove, c1, r1, Qt::NoButton);
        if (release) mouse(QEvent::MouseButtonRelease, c1, r1, Qt::LeftButton, Qt::NoButton);
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<CKELVApp> app_;
};

TEST(KelvStart, TheFirstMissingFileInLoadOrderIsNamedAndTheEditorEnds) {
    for (auto [missing, message] :
         {std::pair{QStringList{"shadow.bmp"}, "Failed to load image: shadow.bmp!"},
          {{"exit.bmp"}, "Failed to load image: exit.bmp!"},
          {{"stone.bmp"}, "Failed to load image: stone.bmp!"},
          {{"bean.txm", "stone.bmp", "start.bmp"}, "Failed to load image: start.bmp!"},
          {{"bean.txm", "bg00.bmp"}, "Failed to load background image!"},
          {{"bean.txm"}, "Failed to load texture file: bean.txm!"}}) {
        Editor e(missing);
        EXPECT_FALSE(e.start()) << message;
        EXPECT_EQ(asked.stops, QStringList{message});
        EXPECT_EQ(e.frame(), nullptr);
    }
}

// A new unmodified scene; the commands' checked and enabled states follow the selection, the
// status pane shows the cursor text and "Ready"; View hides the bars, Help opens the readme.
TEST(KelvCommands, StatesFollowTheSelectionAndTheCommandsWork) {
    Editor e;
    ASSERT_TRUE(e.start());
    CMainFrame* frame = e.frame();
    const auto on = [frame](int id) { return frame->action(id)->isChecked(); };
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Munch Trail Scene Editor");
    EXPECT_EQ(e.seen(), "Untitled 0 bg0");
    EXPECT_FALSE(frame->action(CmdLine)->isEnabled());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_6);
    EXPECT_TRUE(on(CmdStoneBean) && frame->action(CmdLine)->isEnabled());
    e.command(CmdFilledRectangle);
    e.command(CmdStartPoint);
    EXPECT_FALSE(on(CmdStoneBean) || frame->action(CmdFilledRectangle)->isEnabled());
    EXPECT_TRUE(on(CmdFilledRectangle));  // kept, only ignored
    QTest::keyClick(frame, Qt::Key_4);
    e.mouse(QEvent::MouseMove, 12, 7, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(frame->statusPane()->text(),
              "(Col, Row) = (12, 7)    Unit = Blue bean    Shape = Filled rectangle");
    e.mouse(QEvent::MouseButtonPress, 3, 3, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(!on(CmdFilledRectangle) && on(CmdBlueBean));
    e.mouse(QEvent::MouseButtonPress, 3, 3, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(on(CmdBlueBean));
    frame->statusBar()->showMessage("Create a new document");
    frame->statusBar()->clearMessage();
    EXPECT_EQ(frame->statusPane()->text(), "Ready");
    frame->action(CmdViewToolbar)->trigger();
    frame->action(CmdViewStatusBar)->trigger();
    EXPECT_TRUE(frame->toolBar()->isHidden() && frame->statusBar()->isHidden());
    frame->action(CmdViewToolbar)->trigger();
    EXPECT_FALSE(frame->toolBar()->isHidden());
    e.command(CmdHelp);
    EXPECT_EQ(asked.openedDocument, e.folder() + "/Readme.htm");
}

// Each unit with a shape through the view's own mouse mapping: the cells appear on the release,
// which marks the document modified; cells off the grid (the mouse is captured) are dropped.
TEST(KelvStrokes, EachUnitAndShapeGivesItsCells) {
    Editor e;
    ASSERT_TRUE(e.start());
    asked.answer = SaveAnswer::No;
    for (auto [unit, shape, c0, r0, c1, r1, cells, column, row] :
         {std::array<int, 9>{CmdRedBean, 0, 5, 5, 6, 8, 1, 6, 8},
          {CmdOrangeBean, CmdLine, 0, 0, 4, 2, 5, 2, 1},
          {CmdGreenBean, CmdRectangle, 3, 4, 1, 1, 10, 1, 3},
          {CmdBlueBean, CmdEllipse, 10, 10, 13, 12, 12, 12, 11},
          {CmdPurpleBean, CmdFilledRectangle, 2, 2, 5, 4, 12, 4, 3},
          {CmdStoneBean, CmdFilledEllipse, 10, 10, 7, 8, 23, 10, 10},
          {CmdRandomBean, CmdLine, 37, 29, 45, 29, 3, 39, 29},
          {CmdBlueBean, CmdFilledEllipse, 35, 25, 45, 45, 321, 39, 29},
          {CmdPurpleBean, CmdEllipse, 3, 3, -5, -10, 21, 10, 3}}) {
        e.command(CmdFileNew);
        e.command(unit);
        if (shape != 0) e.command(shape);
        e.stroke(c0, r0, c1, r1, false);
        EXPECT_EQ(e.seen(), "Untitled 0 bg0");
        e.mouse(QEvent::MouseButtonRelease, c1, r1, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(e.seen(), QString("Untitled* %1 bg0").arg(cells)) << unit;
        EXPECT_EQ(cellAt(column, row), findCommand(unit)->code);
    }
}

// A right click during a drag cancels it; the picture shows an erasure before the release.
TEST(KelvStrokes, TheRightButtonCancelsAndThePreviewShowsTheErasure) {
    Editor e;
    ASSERT_TRUE(e.start());
    e.command(CmdRedBean);
    e.command(CmdLine);
    e.stroke(1, 1, 8, 1, false);
    e.mouse(QEvent::MouseButtonPress, 8, 1, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    e.mouse(QEvent::MouseMove, 9, 9);
    e.mouse(QEvent::MouseButtonRelease, 9, 9, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(e.seen(), "Untitled 0 bg0");
    EXPECT_TRUE(e.frame()->action(CmdLine)->isChecked());
    e.command(CmdStoneBean);
    e.command(CmdFilledRectangle);
    e.stroke(15, 10, 25, 20);
    EXPECT_EQ(e.seen(), "Untitled* 121 bgstone");
    e.command(CmdEraser);
    e.stroke(18, 14, 21, 16, false);
    EXPECT_EQ(e.seen(), "Untitled* 121 bg0");  // shown erased, not yet changed
    e.mouse(QEvent::MouseButtonRelease, 21, 16, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(e.seen(), "Untitled* 109 bg0");
}

// The random-fall box (checked, enabled), then whether the interval and the goal score are enabled.
QString fieldStates(CScenePropertiesDlg* dialog) {
    QString states;
    for (bool on : {dialog->randomFallBox->isChecked(), dialog->randomFallBox->isEnabled(),
                    dialog->intervalEdit->isEnabled(), dialog->goalScoreEdit->isEnabled()})
        states += on ? '1' : '0';
    return states;
}

TEST(KelvDialog, TheObjectiveAndRandomFallEnableTheirFields) {
    Editor e;
    ASSERT_TRUE(e.start());
    CScenePropertiesDlg* dialog = e.dialog();
    EXPECT_EQ(fieldStates(dialog), "1110");
    // Each step chooses an objective, or clicks the random-fall box (-1).
    for (auto [step, states] : {std::pair<int, const char*>{EatUp, "0000"},
                                {GoalScore, "0101"},
                                {-1, "1111"},
                                {Escape, "1110"},
                                {-1, "0100"}}) {
        if (step < 0) dialog->randomFallBox->click();
        if (step >= 0) dialog->objectiveList->setCurrentIndex(step);
        EXPECT_EQ(fieldStates(dialog), states) << step;
    }
    editorState.scene.objective = EatUp;  // opens with random fall off and locked
    EXPECT_EQ(fieldStates(e.dialog()), "0000");
    editorState.scene.objective = GoalScore;
    editorState.scene.randomFall = 0;
    EXPECT_EQ(fieldStates(e.dialog()), "0101");
}

// A refused OK names the range, keeps the dialog open with the field focused, and a cancel then
// leaves the scene as it was, the fields changed before the bad one included.
TEST(KelvDialog, RangeChecksNameTheRangeAndFocusTheField) {
    const QString interval = "Please enter an integer between 0 and 60.";
    const QString goal = "Please enter an integer between 5 and 9999999.";
    const QString description = "Please enter no more than 255 characters.";
    const QString euro =
        "Please enter only Latin-1 characters: \"\u20AC\" (U+20AC) cannot be stored in a scene.";
    Editor e;
    ASSERT_TRUE(e.start());
    const std::string before = sceneDiskBytes(editorState.scene);
    // The field (Interval, Goal score, Title, Description), what is typed, the warning.
    for (auto [field, value, message] :
         {std::tuple{'I', QString("61"), interval},
          {'I', "-1", interval},
          {'I', "ten", "Please enter an integer."},
          {'G', "4", goal},
          {'G', "10000000", goal},
          {'T', QString(29, 'T'), "Please enter no more than 28 characters."},
          {'D', QString(256, 'd'), description},
          {'D', QString(127, 'd') + "\n" + QString(127, 'd'), description},  // a line break counts twice
          {'T', "Caf\u00E9 \u20AC1", euro},
          {'D', "\u00FF\u20AC\U0001F41B", euro}}) {  // the first one is named
        CScenePropertiesDlg* dialog = e.dialog();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        dialog->activateWindow();
        QWidget* target = field == 'I'   ? static_cast<QWidget*>(dialog->intervalEdit)
                          : field == 'G' ? static_cast<QWidget*>(dialog->goalScoreEdit)
                          : field == 'T' ? static_cast<QWidget*>(dialog->titleEdit)
                                         : static_cast<QWidget*>(dialog->descriptionEdit);
        dialog->objectiveList->setCurrentIndex(GoalScore);  // enables the goal score
        dialog->backgroundList->setCurrentIndex(4);
        if (auto* line = qobject_cast<QLineEdit*>(target)) line->setText(value);
        if (auto* text = qobject_cast<QPlainTextEdit*>(target)) text->setPlainText(value);
        asked.warnings.clear();
        dialog->accept();
        EXPECT_EQ(asked.warnings, QStringList{message});
        EXPECT_TRUE(dialog->isVisible()) << value.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), target) << QApplication::focusWidget();
        dialog->reject();
        EXPECT_EQ(sceneDiskBytes(editorState.scene), before);
    }
    EXPECT_FALSE(e.modified());
}

// Untouched fields hand back their bytes as read (a lone CR in the title, a description that would
// grow past the limit if converted), disabled fields are not read (a goal score out of range), and
// every OK marks the scene modified; a new background is shown at once.
TEST(KelvDialog, OkAppliesTheFieldsAndKeepsUntouchedOnesAsRead) {
    Editor e;
    Scene odd;
    odd.title = "Odd\rone";
    odd.description = std::string(200, 'd') + std::string(55, '\n');
    odd.goalScore = 2;
    const QString path = e.folder() + "/odd.qsn";
    ASSERT_TRUE(writeSceneFile(path.toLocal8Bit().constData(), odd) && e.start({"KELV", path}));
    e.setProperties([](CScenePropertiesDlg* dialog) {
        dialog->randomFallBox->click();
        dialog->intervalEdit->setText("99");
    });
    EXPECT_EQ(asked.warnings, QStringList{});
    odd.randomFall = 0;
    EXPECT_EQ(sceneDiskBytes(editorState.scene), sceneDiskBytes(odd));
    EXPECT_EQ(e.seen(), "odd.qsn* 0 bg0");
    e.setProperties([](CScenePropertiesDlg* dialog) {
        dialog->titleEdit->setText("Ore pond");
        dialog->backgroundList->setCurrentIndex(9);
        dialog->objectiveList->setCurrentIndex(GoalScore);
        dialog->goalScoreEdit->setText("300");
        dialog->descriptionEdit->setPlainText("line one\nline two");
    });
    const Scene& scene = editorState.scene;
    EXPECT_EQ(std::tuple(scene.title, scene.background, scene.objective, scene.goalScore, scene.description),
              std::tuple("Ore pond", 9, GoalScore, 300, "line one\r\nline two"));
    EXPECT_EQ(e.seen(), "odd.qsn* 0 bg8");
    e.setProperties([](CScenePropertiesDlg* dialog) { dialog->backgroundList->setCurrentIndex(10); });
    EXPECT_EQ(e.seen(), "odd.qsn* 0 bg0");  // random: the first picture
}

// Undo and redo through the menu and the keys, back to the saved file's unmodified mark and with
// the background of a properties change; New starts a fresh history.
TEST(KelvUndo, StepsBackToTheSavedFileThroughTheMenuAndTheKeys) {
    Editor e;
    ASSERT_TRUE(e.start());
    makeSaveable();
    e.document()->commitEdit();
    e.command(CmdFileSave);
    e.frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(e.frame()));
    e.command(CmdGreenBean);
    e.stroke(4, 4, 4, 4);
    QTest::keyClick(e.frame(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.seen(), "Untitled.qsn 2 bg0");
    EXPECT_TRUE(e.frame()->action(CmdEditRedo)->isEnabled());
    QTest::keyClick(e.frame(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.seen(), "Untitled.qsn* 3 bg0");
    QTest::keyClick(e.frame(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(e.frame(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    e.setProperties([](CScenePropertiesDlg* dialog) { dialog->backgroundList->setCurrentIndex(5); });
    EXPECT_EQ(e.seen(), "Untitled.qsn* 3 bg4");
    e.command(CmdEditUndo);
    EXPECT_EQ(e.seen(), "Untitled.qsn* 3 bg0");
    e.command(CmdEditRedo);
    EXPECT_EQ(e.seen(), "Untitled.qsn* 3 bg4");
    asked.answer = SaveAnswer::No;
    e.command(CmdFileNew);
    EXPECT_FALSE(e.frame()->action(CmdEditUndo)->isEnabled());
}

// The checks refuse a save with their message; an accepted one goes through the dialog into
// Scenes and reads back byte for byte; a file that has gone brings the dialog back.
TEST(KelvFiles, SaveChecksWritesIntoScenesAndReopensByteForByte) {
    Editor e;
    ASSERT_TRUE(e.start());
    const QString path = e.scenes() + "/Untitled.qsn";
    e.command(CmdFileSave);
    EXPECT_EQ(asked.stops, QStringList{validateScene(Scene{})});
    asked.stops.clear();
    for (int column = 0; column < kSceneColumns; ++column)
        setCell(column, column % 8, std::uint8_t(column % 8));
    setCell(39, 29, RandomBean);
    editorState.scene.title = "Byte by byte";
    editorState.scene.description = "a\r\nb";
    editorState.scene.objective = Escape;
    e.document()->commitEdit();
    e.command(CmdFileSave);
    EXPECT_EQ(asked.stops, QStringList{});
    EXPECT_EQ(asked.saveDialogs, QStringList{e.scenes() + "/Untitled"});
    EXPECT_EQ(e.frame()->windowTitle(), "Untitled.qsn[*] - Munch Trail Scene Editor");
    EXPECT_EQ(e.seen(), "Untitled.qsn 41 bg0");
    const std::string saved = sceneDiskBytes(editorState.scene);
    const QByteArray first = fileBytes(path);
    asked.answer = SaveAnswer::No;
    e.command(CmdFileNew);
    EXPECT_EQ(e.seen(), "Untitled 0 bg0");
    ASSERT_TRUE(e.frame()->openFromShell(path));
    EXPECT_EQ(sceneDiskBytes(editorState.scene), saved);
    QFile::remove(path);
    e.command(CmdFileSave);  // the file is gone: the dialog comes back
    e.command(CmdFileSave);  // in place under its own name: no dialog
    EXPECT_EQ(asked.saveDialogs.size(), 2);
    EXPECT_EQ(fileBytes(path), first);
}

// A scene opens from the command line, File > Open (in the Scenes folder), a drop and the recent
// files, which keep the last four.
TEST(KelvFiles, ScenesOpenFromEveryPlaceAndTheRecentFilesKeepTheLastFour) {
    Editor e;
    const QString s = e.scenes();
    ASSERT_TRUE(e.start({"KELV", writeScene(e.folder() + "/a.qsn", 3)}));
    EXPECT_EQ(e.seen(), "a.qsn 1 bg2");
    asked.chosenFile = writeScene(s + "/b.qsn", 5);
    e.command(CmdFileOpen);
    EXPECT_EQ(asked.offeredFolder, s);
    EXPECT_EQ(e.seen(), "b.qsn 1 bg4");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(writeScene(s + "/c.qsn", 6))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.frame(), &drop);
    EXPECT_EQ(e.seen(), "c.qsn 1 bg5");
    for (const char* name : {"/d.qsn", "/e.qsn"}) e.frame()->openFromShell(writeScene(s + name, 7));
    EXPECT_EQ(e.frame()->recentFiles(),
              (QStringList{s + "/e.qsn", s + "/d.qsn", s + "/c.qsn", s + "/b.qsn"}));
    e.frame()->recentActions()[3]->trigger();
    EXPECT_EQ(e.seen(), "b.qsn 1 bg4");
    EXPECT_EQ(QSettings("Quillfern", "KELV").value("Recent File List/File1"), s + "/b.qsn");
}

// A failed save or open changes nothing and says why; a scene saved anywhere but under its own
// name in Scenes stays marked (the game would not find it).
TEST(KelvFiles, FailuresChangeNothingAndASceneSavedElsewhereStaysModified) {
    Editor e;
    ASSERT_TRUE(e.start());
    makeSaveable();
    e.document()->commitEdit();
    asked.chosenFile = e.folder() + "/no/such/folder/x.qsn";
    e.command(CmdFileSave);
    EXPECT_TRUE(asked.stops.size() == 1 && asked.stops[0].contains("x.qsn"));
    EXPECT_EQ(e.seen(), "Untitled* 2 bg0");
    EXPECT_TRUE(e.frame()->recentFiles().isEmpty());
    asked.chosenFile = e.folder() + "/away.qsn";
    e.command(CmdFileSaveAs);
    EXPECT_TRUE(QFile::exists(asked.chosenFile));
    EXPECT_EQ(e.seen(), "away.qsn* 2 bg0");
    asked.chosenFile.clear();
    e.command(CmdFileSave);
    EXPECT_EQ(asked.saveDialogs.last(), e.scenes() + "/away.qsn");
    EXPECT_EQ(e.seen(), "away.qsn 2 bg0");
    asked.answer = SaveAnswer::No;
    asked.stops.clear();
    EXPECT_FALSE(e.frame()->openFromShell(e.folder() + "/nothing-here.qsn"));
    QFile::remove(e.folder() + "/DAT/bg08.bmp");  // background 9, "Ore"
    EXPECT_FALSE(e.frame()->openFromShell(writeScene(e.scenes() + "/ore.qsn", 9)));
    EXPECT_TRUE(asked.stops.size() == 2 && asked.stops[0].contains("nothing-here.qsn"));
    EXPECT_EQ(e.seen(), "away.qsn 2 bg0");
    Editor other;
    EXPECT_FALSE(other.start({"KELV", other.folder() + "/missing.qsn"}));
    EXPECT_TRUE(asked.stops.size() == 1 && asked.stops[0].contains("missing.qsn"));
}

// With unsaved changes, closing or New asks first: Yes with a scene the checks refuse, or Cancel,
// keeps the editor open and abandons the New; No drops the changes.
TEST(KelvFiles, TheSavePromptCanKeepTheEditorOpen) {
    Editor e;
    ASSERT_TRUE(e.start());
    e.command(CmdRedBean);
    e.stroke(1, 1, 1, 1);
    EXPECT_FALSE(e.frame()->close());
    EXPECT_EQ(asked.savePrompts, QStringList{"Untitled"});
    EXPECT_EQ(asked.stops, QStringList{"Please set a start point"});
    asked.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(e.frame()->close());
    e.command(CmdFileNew);
    EXPECT_EQ(e.seen(), "Untitled* 1 bg0");
    asked.answer = SaveAnswer::No;
    EXPECT_TRUE(e.frame()->close());
}

// The game plays a copy of the scene as Save would write it; the document, its file and its mark
// stay, the copy goes when the game ends, and every failure says what happened. The stand-in game
// beside the editor records its arguments and the scene, says why it refuses and ends with `status`.
TEST(KelvTestPlay, TheGamePlaysATemporaryCopyAndEveryFailureSaysWhy) {
    for (auto [game, saveable, status, stop] :
         {std::tuple{true, true, 0, QString()},
          {true, false, 0, validateScene(Scene{})},
          {true, true, 3, "could not play the scene (exit status 3).\nno such scene"},
          {false, true, 0, "MunchTrail was found neither beside the editor nor on the PATH"}}) {
        SCOPED_TRACE(stop.toStdString());
        Editor e;
        ASSERT_TRUE(e.start());
        QFile script(e.folder() + "/MunchTrail");
        if (game && script.open(QIODevice::WriteOnly))
            script.write(QString("#!/bin/sh\nprintf '%s\\n' \"$@\" >\"$0.args\"\ncp \"$2\" \"$0.scene\"\n"
                                 "echo 'no such scene' >&2\nexit %1\n")
                             .arg(status)
                             .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (saveable) makeSaveable();
        e.document()->commitEdit();
        const QByteArray path = qgetenv("PATH");
        if (!game) qputenv("PATH", e.folder().toLocal8Bit());  // nor on the PATH
        QSignalSpy ended(e.frame()->testPlay(), &CTestPlay::finished);
        e.command(CmdTestPlay);
        qputenv("PATH", path);
        EXPECT_TRUE(!(game && saveable) || ended.wait(5000));
        EXPECT_TRUE(asked.stops.size() == (stop.isEmpty() ? 0 : 1) && asked.stops.join("").contains(stop));
        EXPECT_EQ(e.seen(), QString("Untitled* %1 bg0").arg(saveable ? 2 : 0));
        EXPECT_EQ(QDir(e.scenes()).entryList(QDir::Files), QStringList{});
        const QStringList arguments = QString(fileBytes(e.folder() + "/MunchTrail.args")).split('\n');
        ASSERT_EQ(arguments.size() == 3, game && saveable);
        if (arguments.size() != 3) continue;
        EXPECT_EQ(arguments[0], "--play");
        EXPECT_TRUE(arguments[1].endsWith("/Untitled.qsn") && !QFileInfo::exists(arguments[1]));
        EXPECT_EQ(fileBytes(e.folder() + "/MunchTrail.scene").toStdString(),
                  sceneDiskBytes(editorState.scene));
    }
}

// A minute of unsaved changes is saved aside; a save, and an exit that drops the changes, remove
// the copy, and an unmodified scene is not saved aside.
TEST(KelvRecovery, UnsavedChangesAreSavedAsideEveryMinute) {
    Editor e;
    ASSERT_TRUE(e.start());
    CAutosave* autosave = e.frame()->autosave();
    const auto written = [autosave] { return QFile::exists(autosave->scenePath()); };
    autosave->timer()->setInterval(1);
    makeSaveable();
    e.document()->commitEdit();
    EXPECT_TRUE(QTest::qWaitFor(written));
    EXPECT_EQ(fileBytes(autosave->scenePath()).toStdString(), sceneDiskBytes(editorState.scene));
    e.command(CmdFileSave);
    QTest::qWait(20);
    EXPECT_FALSE(written());
    e.document()->commitEdit();
    EXPECT_TRUE(QTest::qWaitFor(written));
    asked.answer = SaveAnswer::No;
    EXPECT_TRUE(e.frame()->close());
    EXPECT_FALSE(written());
}

// The scene of the killed editors: every setting away from its default and a few cells.
Scene recoveryScene() {
    Scene scene;
    scene.title = "Kept safe";
    scene.background = 5;
    scene.fallInterval = 9;
    scene.objective = GoalScore;
    scene.goalScore = 777;
    scene.description = "two\r\nlines\n";
    scene.grid[sceneCellIndex(0, 0)] = StartPoint;
    scene.grid[sceneCellIndex(39, 29)] = PurpleBean;
    return scene;
}

// Two editors die with unsaved changes, one by SIGTERM and one by SIGKILL (see main). The next
// start offers both, oldest first; Later keeps them, Discard drops one, Recover brings the other
// back byte for byte under its own name, modified, without history.
TEST(KelvRecovery, AKilledEditorsChangesAreOfferedAtTheNextStart) {
    QTemporaryDir scratch;
    for (QString how : {"term", "kill"}) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KELV_TEST_CHILD", how);
        environment.insert("TMPDIR", scratch.path());
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(scratch.path());  // ours may be a program folder already gone
        child.start(QCoreApplication::applicationFilePath(), QStringList{});
        ASSERT_TRUE(child.waitForReadyRead(10000));
        ::kill(pid_t(child.processId()), how == "kill" ? SIGKILL : SIGTERM);
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_TRUE(how == "kill" || child.exitCode() == 128 + SIGTERM);
    }
    {
        Editor later;  // Later for both
        ASSERT_TRUE(later.start());
        EXPECT_EQ(asked.recoverPrompts, (QStringList{"term.qsn", "kill.qsn"}));
        EXPECT_EQ(later.seen(), "Untitled 0 bg0");
    }
    Editor e;
    asked.recoverAnswers = {RecoverAnswer::Discard, RecoverAnswer::Recover};
    ASSERT_TRUE(e.start());
    EXPECT_EQ(asked.recoverPrompts, (QStringList{"term.qsn", "kill.qsn"}));
    EXPECT_EQ(sceneDiskBytes(editorState.scene), sceneDiskBytes(recoveryScene()));
    EXPECT_EQ(e.seen(), "kill.qsn* 2 bg4");
    EXPECT_TRUE(e.document()->pathName().endsWith("/Scenes/kill.qsn") && !e.document()->canUndo());
    EXPECT_TRUE(CAutosave::orphans().isEmpty() && QFile::exists(e.frame()->autosave()->scenePath()));
}

// The editor that the recovery test kills: a scene under its own name, modified; with "kill" the
// timer saves it aside before "ready", with "term" the signal handler has to.
int runEditorToBeKilled(const QString& how) {
    Editor e;
    if (!e.start({"KELV", writeScene(e.scenes() + "/" + how + ".qsn", 1)})) return 2;
    editorState.scene = recoveryScene();
    e.document()->commitEdit();
    if (how == "term")
        catchTerminationSignals(e.frame());
    else
        e.frame()->autosave()->timer()->setInterval(1);
    while (how == "kill" && !QFile::exists(e.frame()->autosave()->scenePath())) QTest::qWait(5);
    std::puts("ready");
    std::fflush(stdout);
    std::_Exit(QApplication::exec());  // as the program ends: no clean-up of the folder
}

}  // namespace

// One QApplication and one private settings and state folder for the whole run (a child editor
// shares its parent's).
int main(int argc, char** argv) {
    QTemporaryDir configuration;
    if (qEnvironmentVariableIsEmpty("KELV_TEST_CHILD")) {
        qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", (configuration.path() + "/state").toLocal8Bit());
        qunsetenv("KELV_GAME");
    }
    QApplication application(argc, argv);
    if (!qEnvironmentVariableIsEmpty("KELV_TEST_CHILD"))
        return runEditorToBeKilled(qEnvironmentVariable("KELV_TEST_CHILD"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

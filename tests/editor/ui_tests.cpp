// KELV's Qt classes under the offscreen platform, driven as a user would: the start-up and its
// failures, strokes through the view, the commands' states, the properties dialog, files (the
// checks, a byte-exact save and reopen, failures that change nothing, the save prompt, recent
// files), undo through the keys and the menu, test play through a stand-in game, and the autosave
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
#include "editor/core/editor_state.h"
#include "scene/scene_rules.h"

namespace {

// Every prompt the editor showed, as "stop: text", "warn: text", "inform: text", "confirm: text",
// "save? title", "save as: name",
// "open: folder", "show: file", "recover? title"; the answers given to them.
struct Prompts {
    QStringList said;
    SaveAnswer answer = SaveAnswer::Yes;
    bool proceed = true;           // past a warning
    QString chosen;                // by the file dialogs; none: Save as takes what it proposes
    QList<RecoverAnswer> recover;  // in turn; Later when they run out
    QString last() const { return said.isEmpty() ? QString() : said.last(); }
} asked;

template <class Answer>
Answer say(const char* kind, const QString& text, Answer answer) {
    return asked.said.append(kind + (": " + text)), answer;
}

// An editor in a program folder of its own: 10 x 10 pictures of stone grey and 400 x 300
// backgrounds of grey 0x203040 + n * 0x101010 and a bean texture under DAT, an empty Scenes folder, no recent
// files, and recorded answers to every prompt.
class Editor {
public:
    Editor() {
        for (const char* sub : {"Scenes", "DAT"}) QDir(folder()).mkpath(sub);
        for (int i = 0; i < 14; ++i) {
            QImage image(i < 5 ? QSize(10, 10) : QSize(400, 300), QImage::Format_RGB32);
            image.fill(i < 5 ? 0x808080 : 0x203040 + 0x101010 * (i - 5));
            const QStringList units{"shadow", "start", "exit", "random", "stone"};
            image.save(
                QString("%1/DAT/%2.bmp").arg(folder(), i < 5 ? units[i] : QString("bg0%1").arg(i - 5)));
        }
        QFile texture(folder() + "/DAT/bean.txm");
        if (texture.open(QIODevice::WriteOnly)) texture.write(QByteArray(kTxmBytes, '\x40'));
        QSettings("Quillfern", "KELV").remove("Recent File List");
        editorState = EditorState{};
        editorState.programFolder = folder().toStdString();
        asked = Prompts{};
        editorPrompts = {
            [](QWidget*, const QString& text) { say("stop", text, 0); },
            [](QWidget*, const QString& text) { say("warn", text, 0); },
            [](QWidget*, const QString& text) { say("inform", text, 0); },
            [](QWidget*, const QString& text, const QString&) { return say("confirm", text, asked.proceed); },
            [](QWidget*, const QString& title) { return say("save?", title, asked.answer); },
            [](QWidget*, const QString& name) {
                return say("save as", name,
                           asked.chosen.isEmpty() ? name.section(".qsn", 0, 0) + ".qsn" : asked.chosen);
            },
            [](QWidget*, const QString& folder) { return say("open", folder, asked.chosen); },
            [](const QString& file) { return say("show", file, true); },
            [](QWidget*, const QString& title, const QDateTime&) {
                return say("recover?", title,
                           asked.recover.isEmpty() ? RecoverAnswer::Later : asked.recover.takeFirst());
            }};
    }
    bool start(const QStringList& arguments = {"KELV"}) {
        app_ = std::make_unique<CKELVApp>();
        return app_->initInstance(arguments) && QTest::qWaitForWindowExposed(frame());
    }
    QString folder() const { return dir_.path(); }
    CMainFrame* frame() const { return app_->mainFrame(); }
    CKELVDoc* document() const { return frame()->document(); }
    void command(int id) { frame()->runCommand(id); }
    static std::uint8_t& cell(int c, int r) { return editorState.scene.grid[sceneCellIndex(c, r)]; }
    static void makeSaveable() { cell(0, 0) = StartPoint, cell(1, 0) = RedBean; }  // the least Save takes
    void commit() { document()->commitEdit(); }
    // What the user sees: the document's name with the window's modified mark, the number of
    // cells that hold something, and the picture at cell (20, 15): a background number or stone.
    std::string seen() const {
        QApplication::processEvents();  // a pending paint, which consumes the preview it shows
        const unsigned colour = frame()->view()->picture().pixel(202, 152) & 0xFFFFFFu;
        return QString("%1%2 %3 %4")
            .arg(document()->title(), frame()->isWindowModified() ? "*" : "")
            .arg(kSceneCells -
                 std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), EmptyCell))
            .arg(colour == 0x808080 ? QString("stone") : QString("bg%1").arg((colour - 0x203040) / 0x101010))
            .toStdString();
    }
    // Runs Set properties, letting `fill` edit the dialog before its OK (a refused OK cancels).
    void setProperties(const std::function<void(CScenePropertiesDlg*)>& fill) {
        QTimer::singleShot(0, [dialog = frame()->propertiesDialog(), fill] {
            fill(dialog);
            dialog->accept();
            if (dialog->isVisible()) dialog->reject();
        });
        command(CmdSetProperties);
    }
    // A mouse event at the middle of a cell, whatever size and zoom the view has.
    void mouse(QEvent::Type type, int column, int row, Qt::MouseButton button = Qt::LeftButton,
               Qt::MouseButtons held = Qt::LeftButton) {
        CKELVView* view = frame()->view();
        setViewGeometry(view->width(), view->height(), view->zoom());
        const QPointF at(editorState.viewLeft + (10 * column + 5) * editorState.scaleX,
                         editorState.viewTop + (10 * row + 5) * editorState.scaleY);
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
        view->repaint();
    }
    void drag(int c0, int r0, int c1, int r1) {
        mouse(QEvent::MouseMove, c0, r0, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, c0, r0);
        mouse(QEvent::MouseMove, c1, r1, Qt::NoButton);
    }
    void release(int column, int row) { mouse(QEvent::MouseButtonRelease, column, row, Qt::LeftButton, {}); }
    void rightClick(Qt::MouseButtons held = {}) {
        mouse(QEvent::MouseButtonPress, 3, 3, Qt::RightButton, held | Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, 3, 3, Qt::RightButton, held);
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<CKELVApp> app_;
};

// Most tests start with a fresh editor on a new scene.
class Kelv : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e.start()); }
    Editor e;
};

// A scene file with one stone on `background`; returns the path.
QString writeScene(const QString& path, int background) {
    Scene scene;
    scene.background = background, scene.grid[sceneCellIndex(1, 1)] = StoneBean;
    return writeSceneFile(path.toLocal8Bit().constData(), scene) ? path : QString();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the window shows, as one line: every menu item's state in menu order ('-' neither, 'e'
// enabled, 'c' checked, 'C' both, '|' a separator), the toolbar and status bar shown, what the
// user sees, the pane and the status message, the zoom and factor, the cursor, the view's pixels
// on the first grid lines, the recent files ('~' the folder).
std::string digest(const Editor& e) {
    CMainFrame* frame = e.frame();
    QString text;
    for (QAction* menu : frame->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            text += "-ecC|"[item->isSeparator() ? 4 : item->isEnabled() + 2 * item->isChecked()];
    // What the window's own pixels hold once the pending repaints are done: a change that asks
    // for no repaint leaves the old picture there. The grid lines are drawn only on the screen.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const QPoint origin = frame->view()->mapTo(frame, QPoint());
    const QImage screen = frame->screen()->grabWindow(frame->winId(), origin.x(), origin.y()).toImage();
    const int at = 10 * frame->view()->scale(), x = editorState.viewLeft, y = editorState.viewTop;
    text += QString::asprintf(
        " %d%d %s|%s|%s| %dx%d %d %06x %06x", frame->toolBar()->isVisibleTo(frame),
        frame->statusBar()->isVisibleTo(frame), e.seen().c_str(), qPrintable(frame->statusPane()->text()),
        qPrintable(frame->statusBar()->currentMessage()), frame->view()->zoom(), frame->view()->scale(),
        int(frame->view()->cursor().shape()), screen.pixel(x + at, y + at * 3 / 2) & 0xFFFFFF,
        screen.pixel(x + at * 3 / 2, y + at) & 0xFFFFFF);
    for (QAction* entry :
         frame->recentActions() + frame->menuBar()->actions()[0]->menu()->actions().mid(5, 1))
        if (entry->isVisible()) text += " " + entry->text();
    EXPECT_EQ(frame->windowTitle(), e.document()->title() + "[*] - Munch Trail Scene Editor");
    return text.replace(e.folder(), "~")
        .remove(QRegularExpression("\\(Col, Row\\) = |Unit = |Shape = "))
        .simplified()
        .toStdString();
}

// The window after start-up and after each step of a session: the right button drops the unit,
// then the shape (the brush at the release), and cancels a drag; undo and redo through the keys
// and the menu, back to the saved file's unmodified mark and to the background before a
// properties change; New starts a fresh history; a filled ellipse through the mouse keeps its
// cells on the grid.
TEST_F(Kelv, TheWindowShowsEachStepsCommandsTitleStatusZoomAndRecentFiles) {
    ASSERT_TRUE((e.frame()->activateWindow(), QTest::qWaitForWindowActive(e.frame())));
    // clang-format off
    for (auto [step, expected] : std::initializer_list<std::pair<std::function<void()>, std::string>>{
             {[] {}, "eeee|-----|e--|--eee|---eee|eeeeeeeeee|-----|-e-CC|eeeee|e 11 Untitled 0 bg0|(0, 0) None None|| 0x2 2 203040 203040 Recent File"},
             {[&] { e.command(CmdRedBean), e.command(CmdFill); }, "eeee|-----|e--|--eee|---eee|eCeeeeeeee|eeeee|eeCCC|eeeee|e 11 Untitled 0 bg0|(0, 0) Red bean Fill|| 0x2 2 203040 203040 Recent File"},
             {[&] { e.command(CmdBrush), e.rightClick(); }, "eeee|-----|e--|--eee|---eee|eCeeeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled 0 bg0|(0, 0) Red bean None|| 0x2 2 203040 203040 Recent File"},
             {[&] { e.command(CmdStartPoint), e.drag(1, 1, 8, 1), e.rightClick(Qt::LeftButton), e.release(12, 7); }, "eeee|-----|e--|--eee|---eee|eeeeeeeeCe|-----|-e-CC|eeeee|e 11 Untitled 0 bg0|(8, 1) Start point None|| 0x2 2 203040 203040 Recent File"},
             {[&] { e.makeSaveable(), e.commit(), e.command(CmdFileSave); }, "eeee|-e---|ee-|--eee|---eee|eeeeeeeeCe|-----|-e-CC|eeeee|e 11 Untitled.qsn 2 bg0|(8, 1) Start point None|| 0x2 2 203040 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.command(CmdGreenBean), e.drag(4, 4, 4, 4), e.release(4, 4); }, "eeee|-e---|ee-|--eee|---eee|eeeCeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled.qsn* 3 bg0|(4, 4) Green bean None|| 0x2 2 203040 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { QTest::keyClick(e.frame(), Qt::Key_Z, Qt::ControlModifier); }, "eeee|-e---|eee|--eee|---eee|eeeCeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled.qsn 2 bg0|(4, 4) Green bean None|| 0x2 2 203040 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { QTest::keyClick(e.frame(), Qt::Key_Y, Qt::ControlModifier); }, "eeee|-e---|ee-|--eee|---eee|eeeCeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled.qsn* 3 bg0|(4, 4) Green bean None|| 0x2 2 203040 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.setProperties([](CScenePropertiesDlg* dialog) { dialog->backgroundList->setCurrentIndex(5); }); }, "eeee|-e---|ee-|--eee|---eee|eeeCeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled.qsn* 3 bg4|(4, 4) Green bean None|| 0x2 2 607080 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.command(CmdEditUndo); }, "eeee|-e---|eee|--eee|---eee|eeeCeeeeee|eeeee|eeeCC|eeeee|e 11 Untitled.qsn* 3 bg0|(4, 4) Green bean None|| 0x2 2 203040 000000 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.command(CmdEditSelectAll), e.command(CmdFlipHorizontally), e.frame()->action(CmdViewGrid)->trigger(), e.command(CmdZoomIn); }, "eeee|-e---|ee-|eeeee|eeeeee|eeeCeeeeee|eeeee|eeeCC|Ceeee|e 11 Untitled.qsn* 3 bg0|(4, 4) Green bean None|| 3x3 2 5d6974 5d6974 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.frame()->action(CmdViewToolbar)->trigger(), e.frame()->action(CmdViewStatusBar)->trigger(), e.command(CmdZoomOut), e.command(CmdZoomOut); }, "eeee|-e---|ee-|eeeee|eeeeee|eeeCeeeeee|eeeee|eeeee|Ceeee|e 00 Untitled.qsn* 3 bg0|(4, 4) Green bean None|| 1x1 2 5d6974 5d6974 &1 ~/Scenes/Untitled.qsn"},
             {[&] { asked.answer = SaveAnswer::No, e.command(CmdFileNew), e.command(CmdZoomFit), e.frame()->action(CmdViewToolbar)->trigger(); }, "eeee|-e---|e--|--eee|---eee|eeeCeeeeee|eeeee|eeeCe|Ceeee|e 10 Untitled 0 bg0|(4, 4) Green bean None|| 0x2 2 5d6974 5d6974 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.command(CmdBlueBean), e.command(CmdFilledEllipse), e.drag(35, 25, 45, 45), e.release(45, 45); }, "eeee|-e---|ee-|--eee|---eee|eeeeCeeeee|eeeeC|eeeCe|Ceeee|e 10 Untitled* 321 bg0|(45, 45) Blue bean Filled ellipse|| 0x2 2 5d6974 5d6974 &1 ~/Scenes/Untitled.qsn"},
             {[&] { e.frame()->openFromShell(writeScene(e.folder() + "/b.qsn", 2)), e.command(CmdEditUndo); }, "eeee|-ee--|e--|--eee|---eee|eeeeCeeeee|eeeeC|eeeCe|Ceeee|e 10 b.qsn 1 bg1|(45, 45) Blue bean Filled ellipse|| 0x2 2 a3a3a3 a3a3a3 &1 ~/b.qsn &2 ~/Scenes/Untitled.qsn"},
             {[&] { e.frame()->recentActions()[1]->trigger(), QGuiApplication::clipboard()->setText("x"), e.command(CmdEditPaste); }, "eeee|-ee--|e--|--eee|---eee|eeeeCeeeee|eeeeC|eeeCe|Ceeee|e 10 Untitled.qsn 2 bg0|(45, 45) Blue bean Filled ellipse|The clipboard holds no lines of cells to paste.| 0x2 2 5d6974 464646 &1 ~/Scenes/Untitled.qsn &2 ~/b.qsn"}}) {
        // clang-format on
        step();
        EXPECT_EQ(digest(e), expected);
    }
}

// The dialog shows the form of the scene and forwards what is typed (its rules are the core's):
// a refused OK warns, keeps the dialog open with the field focused, and Cancel then leaves the
// scene as it was; an accepted one changes the scene, marks it modified and shows the new
// background at once. The preview follows the description as the game's list will show it.
TEST(KelvDialog, ShowsTheFormAndForwardsWhatWasTyped) {
    Editor e;
    Scene odd;
    odd.goalScore = 2;
    const QString path = e.folder() + "/odd.qsn";
    ASSERT_TRUE(writeSceneFile(path.toLocal8Bit().constData(), odd) && e.start({"KELV", path}));
    CScenePropertiesDlg* dialog = e.frame()->propertiesDialog();
    dialog->exchangeToControls();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    dialog->activateWindow();
    // Laid out as a form: no two of its parts overlap, and a label lies left of its field on the
    // field's row (a right-aligned one) or just above it from the same left edge.
    const auto parts = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* a : parts)
        for (QWidget* b : parts) EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()));
    for (const QLabel* l : dialog->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect label = l->geometry(), field = l->buddy() ? l->buddy()->geometry() : QRect();
        EXPECT_TRUE(!l->buddy() || (l->alignment() & Qt::AlignRight
                                        ? label.right() < field.left() && field.top() < label.center().y() &&
                                              label.center().y() < field.bottom()
                                        : label.bottom() < field.top() && label.left() == field.left()))
            << l->text().toStdString();
    }
    EXPECT_TRUE(dialog->goalScoreEdit->isEnabled() &&
                dialog->intervalEdit->isEnabled());  // 2 must be corrected
    dialog->backgroundList->setCurrentIndex(4);
    dialog->accept();
    EXPECT_EQ(asked.said, QStringList{"warn: Please enter an integer between 5 and 9999999."});
    EXPECT_EQ(QApplication::focusWidget(), dialog->goalScoreEdit);
    dialog->reject();
    EXPECT_EQ(sceneDiskBytes(editorState.scene), sceneDiskBytes(odd));
    e.setProperties([](CScenePropertiesDlg* dialog) {
        dialog->objectiveList->setCurrentIndex(EatUp);
        dialog->titleEdit->setText("Caf\u00E9"), dialog->backgroundList->setCurrentIndex(9);
        dialog->goalScoreEdit->setText("300"), dialog->descriptionEdit->setPlainText("line one\nline two");
        EXPECT_EQ(dialog->descriptionPreviewLabel->text(), "LINE ONE\nLINE TWO");
    });
    const Scene& scene = editorState.scene;
    EXPECT_EQ(std::tuple(scene.title, scene.background, scene.randomFall, scene.objective, scene.goalScore,
                         scene.description),
              std::tuple("Caf\xE9", 9, 0, EatUp, 300, "line one\r\nline two"));
}

// Every setting away from its default, and a few cells.
Scene richScene() {
    Scene scene;
    scene.title = "Kept safe", scene.background = 5, scene.fallInterval = 9, scene.objective = GoalScore;
    scene.goalScore = 777, scene.description = "two\r\nlines\n";
    scene.grid[sceneCellIndex(0, 0)] = StartPoint, scene.grid[sceneCellIndex(39, 29)] = RandomBean;
    return scene.grid[sceneCellIndex(7, 3)] = PurpleBean, scene;
}

// Cells go to the clipboard as lines of text and come back from it, from another program's text
// too, following the pointer until a click places them. A file that is no scene opens only after
// a warning, and its first save asks for a new name.
TEST_F(Kelv, TheClipboardCarriesCellsAsTextAndNonSceneFilesOpenOnlyWhenAsked) {
    e.cell(1, 1) = RedBean, e.cell(2, 1) = StartPoint;
    e.command(CmdSelect);
    e.drag(1, 1, 2, 1), e.release(2, 1);
    ASSERT_TRUE((e.frame()->activateWindow(), QTest::qWaitForWindowActive(e.frame())));
    QTest::keyClick(e.frame(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "rS\n");
    QGuiApplication::clipboard()->setText("gg\r\n#\r\n");
    e.command(CmdEditPaste);
    e.mouse(QEvent::MouseMove, 10, 10, Qt::NoButton, Qt::NoButton), e.mouse(QEvent::MouseButtonPress, 10, 10);
    e.release(10, 10);
    EXPECT_TRUE(e.cell(11, 10) == GreenBean && e.cell(10, 11) == StoneBean);
    EXPECT_EQ(e.seen(), "Untitled* 5 bg0");
    const QString path = e.folder() + "/Scenes/trail.qsn";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                file.write(QByteArray::fromStdString(sceneDiskBytes(richScene()) + "xy")));
    file.close();
    asked.answer = SaveAnswer::No, asked.proceed = false;
    EXPECT_FALSE(e.frame()->openFromShell(path));
    EXPECT_EQ(asked.last(), "confirm: " + path +
                                "\nis not a scene file: 2 bytes follow the 1200 cells.\nOpened, "
                                "it may show as nonsense, and it will be saved only under a new name.");
    EXPECT_EQ(e.seen(), "Untitled* 5 bg0");
    asked.proceed = true;
    ASSERT_TRUE(e.frame()->openFromShell(path));
    e.command(CmdFileSave);
    EXPECT_EQ(asked.last(), "save as: " + e.folder() + "/Scenes/Kept safe.qsn");
}

// The checks refuse a save with their message; an accepted one goes through the dialog into
// Scenes and reads back byte for byte; a file that has gone brings the dialog back. A scene opens
// from the command line and from File > Open (in Scenes); the recent files keep the last four.
TEST(KelvFiles, SavesAndOpensByteForByteAndTheRecentFilesKeepTheLastFour) {
    Editor e;
    const QString scenes = e.folder() + "/Scenes", path = scenes + "/Kept safe.qsn";
    ASSERT_TRUE(e.start({"KELV", writeScene(e.folder() + "/a.qsn", 3)}));
    EXPECT_EQ(e.seen(), "a.qsn 1 bg2");
    e.command(CmdFileNew);
    e.command(CmdFileSave);
    EXPECT_EQ(asked.last(), QString("stop: ") + validateScene(Scene{}));
    editorState.scene = richScene();
    e.commit();
    e.command(CmdFileSave);
    EXPECT_EQ(asked.last(), "save as: " + path);  // named after its title
    EXPECT_EQ(e.seen(), "Kept safe.qsn 3 bg0");   // set behind the dialog's back: the picture stays
    const QByteArray saved = fileBytes(path);
    EXPECT_EQ(saved.toStdString(), sceneDiskBytes(richScene()));
    asked.chosen = writeScene(scenes + "/b.qsn", 5);
    e.command(CmdFileOpen);
    EXPECT_EQ(asked.last(), "open: " + scenes);
    EXPECT_EQ(e.seen(), "b.qsn 1 bg4");
    ASSERT_TRUE(e.frame()->openFromShell(path));
    EXPECT_EQ(sceneDiskBytes(editorState.scene), saved.toStdString());
    QFile::remove(path);
    asked.chosen.clear();
    asked.said.clear();
    e.command(CmdFileSave);  // the file is gone: the dialog comes back
    e.command(CmdFileSave);  // in place under its own name: no dialog
    EXPECT_TRUE(asked.said == QStringList{"save as: " + path} && fileBytes(path) == saved);
    e.frame()->openFromShell(writeScene(scenes + "/c.qsn", 7));
    EXPECT_EQ(e.frame()->recentFiles(),
              (QStringList{scenes + "/c.qsn", path, scenes + "/b.qsn", e.folder() + "/a.qsn"}));
    e.frame()->recentActions()[3]->trigger();
    EXPECT_EQ(e.seen(), "a.qsn 1 bg2");
    EXPECT_EQ(QSettings("Quillfern", "KELV").value("Recent File List/File4"), scenes + "/b.qsn");
}

// A failed save or open changes nothing and says why; a scene saved anywhere but under its own
// name in Scenes stays marked (the game would not find it). With unsaved changes, closing or New
// asks first: Yes with a scene the checks refuse, or Cancel, keeps the editor open and abandons
// the New; No drops the changes.
TEST_F(Kelv, FailedSavesAndOpensChangeNothingAndTheSavePromptCanKeepTheEditorOpen) {
    e.makeSaveable();
    e.commit();
    asked.chosen = e.folder() + "/no/such/folder/x.qsn";
    e.command(CmdFileSave);
    EXPECT_TRUE(asked.last().startsWith("stop: Cannot save the scene to\n" + asked.chosen));
    EXPECT_EQ(e.seen(), "Untitled* 2 bg0");
    asked.chosen = e.folder() + "/away.qsn";
    e.command(CmdFileSaveAs);
    EXPECT_TRUE(QFile::exists(asked.chosen));
    EXPECT_EQ(e.seen(), "away.qsn* 2 bg0");
    asked.chosen.clear();
    e.command(CmdFileSave);
    EXPECT_EQ(asked.last(), "save as: " + e.folder() + "/Scenes/away.qsn");
    EXPECT_EQ(e.seen(), "away.qsn 2 bg0");
    e.cell(5, 5) = RedBean;
    e.commit();
    asked.answer = SaveAnswer::No;
    asked.said.clear();
    EXPECT_FALSE(e.frame()->openFromShell(e.folder() + "/nothing-here.qsn"));
    QFile::remove(e.folder() + "/DAT/bg08.bmp");  // background 9, "Ore"
    EXPECT_FALSE(e.frame()->openFromShell(writeScene(e.folder() + "/ore.qsn", 9)));
    EXPECT_TRUE(asked.said.size() == 4 && asked.said[1].contains("nothing-here.qsn") &&
                asked.said[3].contains("ore.qsn"));
    EXPECT_EQ(e.seen(), "away.qsn* 3 bg0");
    e.cell(0, 0) = EmptyCell;
    asked.answer = SaveAnswer::Yes;
    asked.said.clear();
    EXPECT_FALSE(e.frame()->close());
    EXPECT_EQ(asked.said, (QStringList{"save?: away.qsn", "stop: Please set a start point"}));
    asked.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(e.frame()->close());
    e.command(CmdFileNew);
    EXPECT_EQ(e.seen(), "away.qsn* 2 bg0");
    asked.answer = SaveAnswer::No;
    EXPECT_TRUE(e.frame()->close());
}

// The game plays a copy of the scene as Save would write it; the document, its file and its mark
// stay, the copy goes when the game ends, and every failure says what happened. The stand-in game
// beside the editor records its arguments and the scene, says why it refuses and ends with `status`.
TEST(KelvTestPlay, TheGamePlaysATemporaryCopyAndEveryFailureSaysWhy) {
    // clang-format off
    for (auto [game, saveable, status, stop] : {std::tuple<bool, bool, int, QString>{true, true, 0, QString()},
             {true, false, 0, QString("stop: ") + validateScene(Scene{})},
             {true, true, 3, "could not play the scene (exit status 3).\nno such scene"},
             {false, true, 0, "MunchTrail was found neither beside the editor nor on the PATH"}}) {
        // clang-format on
        Editor e;
        ASSERT_TRUE(e.start());
        QFile script(e.folder() + "/MunchTrail");
        if (game && script.open(QIODevice::WriteOnly))
            script.write(
                "#!/bin/sh\necho \"$@\" >$0.args; cp \"$2\" $0.scene; echo no such scene >&2; exit " +
                QByteArray::number(status));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (saveable) e.makeSaveable();
        e.commit();
        const QByteArray path = qgetenv("PATH");
        if (!game) qputenv("PATH", e.folder().toLocal8Bit());  // nor on the PATH
        QSignalSpy ended(e.frame()->testPlay(), &CTestPlay::finished);
        e.command(CmdTestPlay);
        qputenv("PATH", path);
        EXPECT_TRUE(!(game && saveable) || ended.wait(5000));
        EXPECT_TRUE(asked.said.size() == !stop.isEmpty() && asked.last().contains(stop))
            << asked.last().toStdString();
        EXPECT_EQ(e.seen(), saveable ? "Untitled* 2 bg0" : "Untitled* 0 bg0");
        EXPECT_EQ(QDir(e.folder() + "/Scenes").entryList(QDir::Files), QStringList{});
        const QString arguments = fileBytes(e.folder() + "/MunchTrail.args");
        ASSERT_EQ(arguments.startsWith("--play /"), game && saveable) << arguments.toStdString();
        EXPECT_TRUE(arguments.isEmpty() ||
                    (arguments.endsWith("/Untitled.qsn\n") && !QFile::exists(arguments.mid(7).trimmed())));
        EXPECT_TRUE(arguments.isEmpty() || fileBytes(e.folder() + "/MunchTrail.scene").toStdString() ==
                                               sceneDiskBytes(editorState.scene));
    }
}

// Two editors die with unsaved changes, by SIGTERM and by SIGKILL (see main); the killed one is
// an orphan at once, before its parent collects it. The next start offers both, oldest first; Later keeps
// them, Discard drops one, Recover brings the other back byte for byte under its own name, modified, without
// history.
TEST(KelvRecovery, UnsavedChangesAreSavedAsideAndOfferedAfterAKill) {
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
        if (how == "kill") QThread::msleep(300);  // not collected yet: a zombie is no running editor
        EXPECT_EQ(CAutosave::orphans().size(), how == "kill" ? 2 : 0);
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_TRUE(how == "kill" || child.exitCode() == 128 + SIGTERM);
    }
    for (auto first : {RecoverAnswer::Later, RecoverAnswer::Discard}) {
        Editor e;
        asked.recover = {first, first == RecoverAnswer::Later ? first : RecoverAnswer::Recover};
        ASSERT_TRUE(e.start());
        EXPECT_EQ(asked.said.filter("recover?"), (QStringList{"recover?: term.qsn", "recover?: kill.qsn"}));
        if (first == RecoverAnswer::Later) continue;
        EXPECT_EQ(sceneDiskBytes(editorState.scene), sceneDiskBytes(richScene()));
        EXPECT_EQ(e.seen(), "kill.qsn* 3 bg4");
        EXPECT_TRUE(e.document()->pathName().endsWith("/Scenes/kill.qsn") && !e.document()->canUndo());
        EXPECT_TRUE(CAutosave::orphans().isEmpty() && QFile::exists(e.frame()->autosave()->scenePath()));
    }
}

// A minute with unsaved changes saves them aside, byte for byte as Save would (a failed write
// says so in the status bar until one succeeds); a clean exit takes the copy away.
TEST_F(Kelv, AMinuteOfUnsavedChangesIsSavedAsideAndACleanExitRemovesIt) {
    QTimer* minute = e.frame()->autosave()->timer();
    EXPECT_TRUE(minute->isActive() && minute->interval() == 60 * 1000);
    const QString copy = e.frame()->autosave()->scenePath();
    QMetaObject::invokeMethod(minute, "timeout");
    EXPECT_FALSE(QFile::exists(copy));  // nothing unsaved yet
    e.makeSaveable();
    e.commit();
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "/dev/null/state");  // a folder that cannot be made: the write fails
    QMetaObject::invokeMethod(minute, "timeout");
    EXPECT_TRUE(e.frame()->statusBar()->currentMessage().startsWith("The scene could not be saved aside"));
    qputenv("XDG_STATE_HOME", state);
    QMetaObject::invokeMethod(minute, "timeout");  // the next minute writes it and clears the message
    EXPECT_EQ(fileBytes(copy).toStdString(), sceneDiskBytes(editorState.scene));
    EXPECT_EQ(e.frame()->statusPane()->text() + e.frame()->statusBar()->currentMessage(), "Ready");
    asked.answer = SaveAnswer::No;
    EXPECT_TRUE(e.frame()->close() && !QFile::exists(copy));
}

// The editor that the recovery test kills: a scene under its own name, modified; with "kill" the
// timer saves it aside before "ready", with "term" the signal handler has to.
int runEditorToBeKilled(const QString& how) {
    Editor e;
    if (!e.start({"KELV", writeScene(e.folder() + "/Scenes/" + how + ".qsn", 1)})) return 2;
    editorState.scene = richScene();
    e.commit();
    if (how == "term") catchTerminationSignals(e.frame());
    if (how == "kill") e.frame()->autosave()->timer()->setInterval(1);
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

// What every KELV test under the offscreen platform needs: a program folder of its own with
// plain pictures and a bean texture under DAT, a private settings folder, recorded answers in
// place of the message boxes and file dialogs, a freshly started editor, and helpers that send
// real mouse events to the view, plus small helpers shared by the KELV test files.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "editor/app/commands.h"
#include "editor/app/kelv_app.h"
#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/prompts.h"
#include "editor/app/properties_dialog.h"
#include "editor/core/editor_state.h"
#include "tests/editor/cells.h"

struct PromptLog {
    QStringList stops;
    QStringList warnings;
    QStringList savePrompts;
    QStringList saveDialogs;              // names proposed to the save dialog
    SaveAnswer answer = SaveAnswer::Yes;  // given to the save prompt
    QString chosenFile;                   // given by the save dialog; empty = cancel
    bool chooseProposed = true;           // answer the save dialog with what it proposes
    QStringList recoverPrompts;           // names offered for recovery
    QList<RecoverAnswer> recoverAnswers;  // given in turn; Later when they run out
};
inline PromptLog promptLog;

// Picture colours of the fixture's DAT folder.
inline constexpr unsigned kBackgroundColours[9] = {0x203040, 0x304050, 0x405060, 0x506070, 0x607080,
                                                   0x708090, 0x8090A0, 0x90A0B0, 0xA0B0C0};
inline constexpr unsigned kStoneColour = 0x808080;

class EditorFixture {
public:
    // Writes DAT, skipping the files named in `missing` (e.g. "bean.txm").
    explicit EditorFixture(const QStringList& missing = {});
    ~EditorFixture();
    bool start(const QStringList& arguments = {"KELV"});

    QString folder() const { return dir_.path(); }
    QString scenesFolder() const { return dir_.path() + "/Scenes"; }
    CMainFrame* frame() const { return app_ ? app_->mainFrame() : nullptr; }
    CKELVDoc* document() const { return frame()->document(); }
    CKELVView* view() const { return frame()->view(); }
    CScenePropertiesDlg* dialog() const { return frame()->propertiesDialog(); }
    CScenePropertiesDlg* openDialog() const {  // filled from the scene, not shown
        dialog()->exchangeToControls();
        return dialog();
    }
    // Runs Set properties, letting `fill` edit the modal dialog before its OK (a refused OK cancels).
    void setProperties(const std::function<void(CScenePropertiesDlg*)>& fill) {
        QTimer::singleShot(0, [this, fill] {
            fill(dialog());
            dialog()->accept();
            if (dialog()->isVisible()) dialog()->reject();  // OK refused: the test sees the warning
        });
        command(CmdSetProperties);
    }

    // Mouse events at the middle of a cell (cells outside the grid lie beyond the view's edges).
    void press(int column, int row, Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = {}) {
        send(QEvent::MouseButtonPress, column, row, button, held | button);
    }
    void move(int column, int row, Qt::MouseButtons held = Qt::LeftButton) {
        send(QEvent::MouseMove, column, row, Qt::NoButton, held);
    }
    void release(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonRelease, column, row, button, Qt::NoButton);
    }
    // Hover over the first cell, press, drag to the second; stroke() releases there too.
    void drag(int c0, int r0, int c1, int r1) {
        move(c0, r0, Qt::NoButton);
        press(c0, r0);
        move(c1, r1);
    }
    void stroke(int c0, int r0, int c1, int r1) {
        drag(c0, r0, c1, r1);
        release(c1, r1);
    }
    void command(int id) { frame()->runCommand(id); }

private:
    void send(QEvent::Type type, int column, int row, Qt::MouseButton button, Qt::MouseButtons buttons);
    QTemporaryDir dir_;
    std::unique_ptr<CKELVApp> app_;
};

void writeBmpFile(const QString& path, int width, int height, unsigned colour);
void installRecordingPrompts();
// The editor that the recovery test kills (KELV_TEST_CHILD=kill or term): see its test.
int runEditorToBeKilled(const QString& how);
QByteArray fileBytes(const QString& path);

// Starts a fresh editor named `f`; the test fails and returns if it does not start.
#define START_EDITOR(f) \
    EditorFixture f;    \
    QVERIFY(f.start())

// Every QtTest suite of the program registers itself; main() runs them all.
using SuiteRunner = int (*)(int argc, char** argv);
inline std::vector<SuiteRunner>& suiteRunners() {
    static std::vector<SuiteRunner> runners;
    return runners;
}
template <class Suite>
bool registerSuite() {
    suiteRunners().push_back([](int argc, char** argv) {
        Suite suite;
        return QTest::qExec(&suite, argc, argv);
    });
    return true;
}
#define KELV_SUITE(Suite) static const bool Suite##Registered = registerSuite<Suite>()

namespace ui_test {

// Names the table row under test when a check in its scope fails (QtTest's SCOPED_TRACE).
struct RowTrace {
    const char* row;
    ~RowTrace() {
        if (QTest::currentTestFailed()) qWarning("in row: %s", row);
    }
};

// The smallest scene that passes the checks before a save: a start point and one bean.
inline void makeSaveable() {
    setCell(0, 0, StartPoint);
    setCell(1, 0, RedBean);
}

// The colour the view shows at the centre of a cell.
inline unsigned pictureAt(CKELVView* view, int column, int row) {
    return view->picture().pixel(10 * column + 2, 10 * row + 2) & 0xFFFFFFu;
}

// Writes a scene file holding `code` at one cell; returns the path.
inline QString writeScene(const QString& path, int column, int row, std::uint8_t code, int background = 0) {
    Scene scene;
    scene.background = background;
    scene.grid[sceneCellIndex(column, row)] = code;
    return writeSceneFile(path.toLocal8Bit().constData(), scene) ? path : QString();
}

inline QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible() || action->isSeparator())
            texts.append(action->isSeparator() ? "-" : action->text());
    return texts;
}

inline QMenu* menuNamed(CMainFrame* frame, const QString& title) {
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

}  // namespace ui_test

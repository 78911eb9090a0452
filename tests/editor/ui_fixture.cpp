// The test program folder and the recorded prompts (see ui_fixture.h).
#include "tests/editor/ui_fixture.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTest>

#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/core/editor_state.h"

void writeBmpFile(const QString& path, int width, int height, unsigned colour) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray data(54 + rowBytes * height, '\0');
    auto put32 = [&data](int at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) data[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, std::uint32_t(data.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    data[26] = 1;
    data[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int at = 54 + y * rowBytes + x * 3;
            data[at] = char(colour & 0xFF);
            data[at + 1] = char((colour >> 8) & 0xFF);
            data[at + 2] = char((colour >> 16) & 0xFF);
        }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(data);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void installRecordingPrompts() {
    promptLog = PromptLog{};
    editorPrompts.stop = [](QWidget*, const QString& text) { promptLog.stops.append(text); };
    editorPrompts.warn = [](QWidget*, const QString& text) { promptLog.warnings.append(text); };
    editorPrompts.askSave = [](QWidget*, const QString& title) {
        promptLog.savePrompts.append(title);
        return promptLog.answer;
    };
    editorPrompts.saveFileName = [](QWidget*, const QString& proposed) {
        promptLog.saveDialogs.append(proposed);
        if (promptLog.chooseProposed) return proposed.endsWith(".qsn") ? proposed : proposed + ".qsn";
        return promptLog.chosenFile;
    };
    editorPrompts.openFileName = [](QWidget*, const QString&) { return QString(); };
    editorPrompts.openDocument = [](const QString&) { return true; };
}

EditorFixture::EditorFixture(const QStringList& missing) {
    QDir(dir_.path()).mkpath("DAT");
    QDir(dir_.path()).mkpath("Scenes");
    // Settings live in the test run's own configuration folder (set up by main); each test
    // starts without recent files.
    QSettings("Quillfern", "KELV").remove("Recent File List");
    const QString dat = dir_.path() + "/DAT/";
    const struct {
        const char* name;
        unsigned colour;
    } cells[] = {{"shadow", 0x101010},
                 {"start", 0x00C000},
                 {"exit", 0xC00000},
                 {"random", 0xFFFF00},
                 {"stone", kStoneColour}};
    for (const auto& image : cells)
        if (!missing.contains(QString(image.name) + ".bmp"))
            writeBmpFile(dat + image.name + ".bmp", 10, 10, image.colour);
    for (int i = 0; i < 9; ++i) {
        const QString name = QString("bg%1.bmp").arg(i, 2, 10, QChar('0'));
        if (!missing.contains(name)) writeBmpFile(dat + name, 400, 300, kBackgroundColours[i]);
    }
    if (!missing.contains("bean.txm")) {
        QFile texture(dat + "bean.txm");
        if (texture.open(QIODevice::WriteOnly)) texture.write(QByteArray(kTxmBytes, '\x40'));
    }
    installRecordingPrompts();
    editorState = EditorState{};
    editorState.programFolder = dir_.path().toStdString();
}

EditorFixture::~EditorFixture() {
    if (app_ && app_->mainFrame() != nullptr) app_->mainFrame()->document()->setModifiedFlag(false);
    app_.reset();
}

bool EditorFixture::start(const QStringList& arguments) {
    app_ = std::make_unique<CKELVApp>();
    if (!app_->initInstance(arguments)) return false;
    if (!QTest::qWaitForWindowExposed(frame())) return false;
    view()->repaint();  // a first paint sets the scale, as on screen
    return true;
}

CMainFrame* EditorFixture::frame() const {
    return app_ ? app_->mainFrame() : nullptr;
}
CKELVDoc* EditorFixture::document() const {
    return frame()->document();
}
CKELVView* EditorFixture::view() const {
    return frame()->view();
}

void EditorFixture::send(QEvent::Type type, int column, int row, Qt::MouseButton button,
                         Qt::MouseButtons buttons) {
    // The middle of the cell in widget pixels, whatever size the view has.
    const QPointF local((10 * column + 5) * view()->width() / 400.0,
                        (10 * row + 5) * view()->height() / 300.0);
    QMouseEvent event(type, local, view()->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view(), &event);
    view()->repaint();
}

void EditorFixture::press(int column, int row, Qt::MouseButton button, Qt::MouseButtons held) {
    send(QEvent::MouseButtonPress, column, row, button, held | button);
}

void EditorFixture::move(int column, int row, Qt::MouseButtons held) {
    send(QEvent::MouseMove, column, row, Qt::NoButton, held);
}

void EditorFixture::release(int column, int row, Qt::MouseButton button) {
    send(QEvent::MouseButtonRelease, column, row, button, Qt::NoButton);
}

void EditorFixture::stroke(int c0, int r0, int c1, int r1) {
    move(c0, r0, Qt::NoButton);
    press(c0, r0);
    move(c1, r1);
    release(c1, r1);
}

void EditorFixture::command(int id) {
    frame()->runCommand(id);
}

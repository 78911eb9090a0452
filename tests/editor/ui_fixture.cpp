// The test program folder and the recorded prompts (see ui_fixture.h).
#include "tests/editor/ui_fixture.h"

#include <QFile>
#include <QImage>

// Qt writes RGB32 images as 24-bit bottom-up BMP files, the one kind the editor reads.
void writeBmpFile(const QString& path, int width, int height, unsigned colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "BMP");
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
    editorPrompts.askRecover = [](QWidget*, const QString& title, const QDateTime&) {
        promptLog.recoverPrompts.append(title);
        return promptLog.recoverAnswers.isEmpty() ? RecoverAnswer::Later
                                                  : promptLog.recoverAnswers.takeFirst();
    };
}

EditorFixture::EditorFixture(const QStringList& missing) {
    QDir(dir_.path()).mkpath("DAT");
    QDir(dir_.path()).mkpath("Scenes");
    // Settings live in the test run's own configuration folder (set up by main); each test
    // starts without recent files.
    QSettings("Quillfern", "KELV").remove("Recent File List");
    const QString dat = dir_.path() + "/DAT/";
    const QStringList names{"shadow", "start", "exit", "random", "stone"};
    const unsigned colours[] = {0x101010, 0x00C000, 0xC00000, 0xFFFF00, kStoneColour};
    for (int i = 0; i < names.size(); ++i)
        if (!missing.contains(names[i] + ".bmp")) writeBmpFile(dat + names[i] + ".bmp", 10, 10, colours[i]);
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

void EditorFixture::send(QEvent::Type type, int column, int row, Qt::MouseButton button,
                         Qt::MouseButtons buttons) {
    // The middle of the cell in widget pixels, whatever size the view has.
    const QPointF local((10 * column + 5) * view()->width() / 400.0,
                        (10 * row + 5) * view()->height() / 300.0);
    QMouseEvent event(type, local, view()->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view(), &event);
    view()->repaint();
}

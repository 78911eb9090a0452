// The temporary scene lives in a folder of its own that only the user can read (under
// $XDG_RUNTIME_DIR when there is one), named after the document so the game shows a familiar
// name. The game's standard error is kept so that a game that refuses the scene can say why.
#include "editor/app/test_play.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include "editor/app/kelv_doc.h"
#include "editor/app/prompts.h"
#include "editor/core/editor_state.h"

QString findGame() {
    const QString chosen = qEnvironmentVariable("KELV_GAME");
    if (!chosen.isEmpty()) return chosen;
    const QString folder = QString::fromStdString(editorState.programFolder);
    for (const char* name : {"MunchTrail", "munchtrail"}) {
        const QFileInfo beside(folder + "/" + name);
        if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable("munchtrail");
}

CTestPlay::CTestPlay(CKELVDoc* document, QWidget* window)
    : QObject(window), document_(document), window_(window) {}

CTestPlay::~CTestPlay() {
    if (game_ != nullptr) game_->disconnect(this);  // the game is ended with the editor
}

void CTestPlay::start() {
    if (running()) {
        editorPrompts.warn(window_, "The game is still running the last test play; close it first.");
        return;
    }
    if (document_->refuseInvalidScene()) return;
    const QString game = findGame();
    if (game.isEmpty()) {
        editorPrompts.stop(window_,
                           "Cannot start the game for a test play: MunchTrail was found neither "
                           "beside the editor nor on the PATH.");
        return;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    folder_ = std::make_unique<QTemporaryDir>((QFileInfo(runtime).isDir() ? runtime : QDir::tempPath()) +
                                              "/kelv-test-play-XXXXXX");
    const QString path = folder_->filePath(QFileInfo(document_->title()).completeBaseName() + ".qsn");
    Scene copy = editorState.scene;  // the writer may force values; the document keeps its own
    if (!folder_->isValid() || !writeSceneFile(QFile::encodeName(path).constData(), copy)) {
        folder_.reset();
        editorPrompts.stop(window_, QString("Cannot write the scene for a test play to\n%1").arg(path));
        return;
    }
    game_ = new QProcess(this);
    game_->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    connect(game_, &QProcess::finished, this, [this, game](int code, QProcess::ExitStatus status) {
        const QString said = QString::fromLocal8Bit(game_->readAllStandardError()).trimmed();
        if (status == QProcess::CrashExit)
            gameEnded(QString("The game %1 ended abnormally during the test play.").arg(game));
        else if (code != 0)
            gameEnded(QString("The game %1 could not play the scene (exit status %2).\n%3")
                          .arg(game)
                          .arg(code)
                          .arg(said));
        else
            gameEnded({});
    });
    connect(game_, &QProcess::errorOccurred, this, [this, game](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            gameEnded(
                QString("Cannot start the game %1 for a test play:\n%2").arg(game, game_->errorString()));
    });
    game_->start(game, {"--play", path});
}

void CTestPlay::gameEnded(const QString& problem) {
    game_->deleteLater();
    game_ = nullptr;
    folder_.reset();
    if (!problem.isEmpty()) editorPrompts.stop(window_, problem);
    emit finished();
}

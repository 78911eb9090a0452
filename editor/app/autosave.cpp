// Autosave files come in pairs named after the editor that wrote them, "<pid>-<start>.qsn"
// (the scene's bytes exactly as a save would write them, but without any forced value) and
// "<pid>-<start>.note" (one "key value" a line, the values percent-encoded). The process's
// start time is part of the name and of the check for a live owner, so a process number
// reused by another program neither hides an orphan nor lets a new editor overwrite one.
#include "editor/app/autosave.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMap>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "editor/app/kelv_doc.h"
#include "editor/app/main_frame.h"
#include "editor/app/prompts.h"
#include "editor/core/editor_state.h"
#include "scene/atomic_file.h"
#include "scene/folders.h"

namespace {

// The fields of /proc/PID/stat from the third on: the state first, the start time (clock ticks
// since boot) at index 19.
QList<QByteArray> processStat(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return {};
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ');
}

QByteArray processStart(qint64 pid) {
    const QList<QByteArray> fields = processStat(pid);
    return fields.size() > 19 ? fields[19] : QByteArray();
}

bool processRunning(qint64 pid, const QByteArray& start) {
    if (pid <= 0) return false;
    const QList<QByteArray> fields = processStat(pid);
    // A killed editor lingers as a zombie until its parent collects it; it runs no more.
    if (!fields.isEmpty() && (fields[0] == "Z" || fields[0] == "X")) return false;
    if (!start.isEmpty() && QFile::exists("/proc/self/stat"))
        return fields.size() > 19 && fields[19] == start;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Through the one atomic writer: QSaveFile buffers the bytes and, on a full disk, commits the
// short file all the same, which loses the previous good copy.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    const FileWrite written = writeFileAtomically(QFile::encodeName(path).toStdString(), bytes.toStdString());
    if (!written.ok && error != nullptr)
        *error = QString("%1: %2").arg(path, QString::fromStdString(written.reason));
    return written.ok;
}

QMap<QByteArray, QString> readNote(const QString& path) {
    QMap<QByteArray, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return values;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (space > 0)
            values[line.left(space)] =
                QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(space + 1)));
    }
    return values;
}

int signalPipe[2] = {-1, -1};

void onSignal(int number) {
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

CAutosave::CAutosave(CKELVDoc* document, QObject* parent)
    : QObject(parent), document_(document), timer_(new QTimer(this)) {
    const qint64 pid = QCoreApplication::applicationPid();
    base_ = folder() + QString("/%1-%2").arg(pid).arg(QString::fromLatin1(processStart(pid)));
    connect(timer_, &QTimer::timeout, this, &CAutosave::tick);
    timer_->start(kIntervalMs);
}

QString CAutosave::folder() {
    return QString::fromStdString(xdgFolder("XDG_STATE_HOME", ".local/state")) + "/kelv";
}

bool CAutosave::write(QString* error) {
    if (!document_->isModified()) return true;
    if (!QDir().mkpath(folder()) ||
        !QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        if (error != nullptr) *error = QString("%1: the folder cannot be made").arg(folder());
        return false;
    }
    const std::string bytes = sceneDiskBytes(editorState.scene);
    const qint64 pid = QCoreApplication::applicationPid();
    const QByteArray note = "pid " + QByteArray::number(pid) + "\nstart " + processStart(pid) + "\npath " +
                            document_->pathName().toUtf8().toPercentEncoding() + "\ntitle " +
                            document_->title().toUtf8().toPercentEncoding() + "\n";
    // The scene first: a note always names a complete copy.
    return writeAtomically(scenePath(), QByteArray::fromStdString(bytes), error) &&
           writeAtomically(base_ + ".note", note, error);
}

void CAutosave::remove() {
    QFile::remove(base_ + ".note");
    QFile::remove(scenePath());
}

// A failure stays in the status bar until a write succeeds again; the previous good copy is
// kept meanwhile.
void CAutosave::tick() {
    QString error;
    const bool ok = write(&error);
    auto* window = qobject_cast<QMainWindow*>(parent());
    if (window == nullptr || ok == !failing_) return;
    failing_ = !ok;
    if (ok)
        window->statusBar()->clearMessage();
    else
        window->statusBar()->showMessage("The scene could not be saved aside for recovery (" + error +
                                         "); save it yourself to keep your changes safe.");
}

QList<AutosaveOrphan> CAutosave::orphans() {
    QList<AutosaveOrphan> found;
    const QDir dir(folder());
    for (const QFileInfo& note : dir.entryInfoList({"*.note"}, QDir::Files)) {
        const QMap<QByteArray, QString> values = readNote(note.filePath());
        const QString scene = note.path() + "/" + note.completeBaseName() + ".qsn";
        if (!QFile::exists(scene) ||
            processRunning(values.value("pid").toLongLong(), values.value("start").toLatin1()))
            continue;
        found.append(
            {scene, note.filePath(), values.value("path"), values.value("title"), note.lastModified()});
    }
    std::sort(found.begin(), found.end(),
              [](const AutosaveOrphan& a, const AutosaveOrphan& b) { return a.written < b.written; });
    return found;
}

void CAutosave::discard(const AutosaveOrphan& orphan) {
    QFile::remove(orphan.notePath);
    QFile::remove(orphan.scenePath);
}

void offerRecovery(CMainFrame* frame) {
    for (const AutosaveOrphan& orphan : CAutosave::orphans()) {
        const QString name = orphan.title.isEmpty() ? CKELVDoc::defaultTitle() : orphan.title;
        switch (editorPrompts.askRecover(frame, name, orphan.written)) {
            case RecoverAnswer::Discard: CAutosave::discard(orphan); break;
            case RecoverAnswer::Later: break;
            case RecoverAnswer::Recover:
                // One document at a time: the others wait for the next start.
                if (!frame->document()->recover(orphan.scenePath, orphan.documentPath, name)) break;
                if (frame->autosave()->write()) CAutosave::discard(orphan);
                return;
        }
    }
}

void catchTerminationSignals(CMainFrame* frame) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, frame);
    QObject::connect(notifier, &QSocketNotifier::activated, frame, [frame] {
        char number = 0;
        if (::read(signalPipe[0], &number, 1) != 1) return;
        QString error;
        if (!frame->autosave()->write(&error))
            std::fprintf(stderr, "KELV: the unsaved scene could not be saved aside: %s\n", qPrintable(error));
        QCoreApplication::exit(128 + number);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) ::sigaction(number, &action, nullptr);
}

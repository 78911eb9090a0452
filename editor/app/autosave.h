// CAutosave: the copy of an unsaved scene that survives a crash or a killed editor. While the
// document is modified it is written every minute (and when KELV is told to end by a signal)
// into $XDG_STATE_HOME/kelv/, beside a note naming the document and the editor that
// owns it; a save, a clean exit or an undo back to the saved state removes it. At the next
// start, the copies whose owner is no longer running are offered one by one.
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class CKELVDoc;
class CMainFrame;
class QTimer;

// An autosave left by an editor that is no longer running.
struct AutosaveOrphan {
    QString scenePath;     // the copy of the scene
    QString notePath;      // the note beside it
    QString documentPath;  // where the document was saved before, empty for a new scene
    QString title;         // the document's name
    QDateTime written;
};

class CAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60 * 1000;

    CAutosave(CKELVDoc* document, QObject* parent);

    static QString folder();
    static QList<AutosaveOrphan> orphans();  // oldest first
    static void discard(const AutosaveOrphan& orphan);

    // Writes the copy when the document is modified; false (with `error` set) on a failed write.
    bool write(QString* error = nullptr);
    void remove();
    QString scenePath() const { return base_ + ".qsn"; }
    QTimer* timer() const { return timer_; }  // the tests shorten the minute

private:
    void tick();

    CKELVDoc* document_;
    QTimer* timer_;
    QString base_;          // the folder and this editor's own name for its files
    bool failing_ = false;  // the status bar tells of the last failed write
};

// At the start: offers each orphan (Recover / Discard / Later); a recovered scene becomes the
// document, marked modified under its original name, and its orphan is removed once this
// editor's own copy of it is written.
void offerRecovery(CMainFrame* frame);
// SIGHUP, SIGINT, SIGQUIT and SIGTERM write the autosave and end the event loop (exit status
// 128 + signal).
void catchTerminationSignals(CMainFrame* frame);

// CTestPlay: Scene > Test play. The scene as it stands is written to a private temporary file
// and the game plays it with `--play`; the document, its file and its modified mark stay as
// they were, the editor stays usable while the game runs, and the file goes when the game ends.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class CKELVDoc;
class QProcess;
class QTemporaryDir;
class QWidget;

// The game for a test play: $KELV_GAME when set, else "MunchTrail" beside the editor (the
// program folder), else "munchtrail" beside it (installed under bin/), else on the PATH;
// empty when there is none.
QString findGame();

class CTestPlay : public QObject {
    Q_OBJECT
public:
    CTestPlay(CKELVDoc* document, QWidget* window);
    ~CTestPlay() override;

    void start();
    bool running() const { return game_ != nullptr; }

signals:
    void finished();  // the game ended (or could not start) and the temporary file is gone

private:
    void gameEnded(const QString& problem);

    CKELVDoc* document_;
    QWidget* window_;
    QProcess* game_ = nullptr;
    std::unique_ptr<QTemporaryDir> folder_;
};

// What every KELV test under the offscreen platform needs: a program folder of its own with
// plain pictures and a bean texture under DAT, a private settings folder, recorded answers in
// place of the message boxes and file dialogs, a freshly started editor, and helpers that send
// real mouse events to the view.
#pragma once

#include <QDir>
#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "editor/app/kelv_app.h"
#include "editor/app/prompts.h"

class CMainFrame;
class CKELVDoc;
class CKELVView;

struct PromptLog {
    QStringList stops;
    QStringList warnings;
    QStringList savePrompts;
    QStringList saveDialogs;              // names proposed to the save dialog
    SaveAnswer answer = SaveAnswer::Yes;  // given to the save prompt
    QString chosenFile;                   // given by the save dialog; empty = cancel
    bool chooseProposed = true;           // answer the save dialog with what it proposes
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
    CMainFrame* frame() const;
    CKELVDoc* document() const;
    CKELVView* view() const;

    // Mouse events at the middle of a cell (cells outside the grid lie beyond the view's edges).
    void press(int column, int row, Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = {});
    void move(int column, int row, Qt::MouseButtons held = Qt::LeftButton);
    void release(int column, int row, Qt::MouseButton button = Qt::LeftButton);
    void stroke(int c0, int r0, int c1, int r1);
    void command(int id);

private:
    void send(QEvent::Type type, int column, int row, Qt::MouseButton button, Qt::MouseButtons buttons);
    QTemporaryDir dir_;
    std::unique_ptr<CKELVApp> app_;
};

void writeBmpFile(const QString& path, int width, int height, unsigned colour);
void installRecordingPrompts();
QByteArray fileBytes(const QString& path);

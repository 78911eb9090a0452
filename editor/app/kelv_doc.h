// CKELVDoc: the document of KELV. It owns no scene of its own (the scene is program-wide, in
// editorState); it reads, writes and resets that scene, decides when a save needs the file
// dialog, asks before a modified scene is dropped, and keeps whole-scene snapshots for undo
// and redo together with the snapshot that matches the file on disk.
#pragma once

#include <QObject>
#include <QString>

#include "editor/core/undo_history.h"

class QWidget;

class CKELVDoc : public QObject {
    Q_OBJECT
public:
    explicit CKELVDoc(QWidget* window);

    // The steps behind the commands: a new scene, reading, writing, and the checks and the save
    // prompt that come before a scene is written or dropped.
    void deleteContents();
    bool onNewDocument();
    bool onOpenDocument(const QString& path);
    bool onSaveDocument(const QString& path);
    bool doFileSave();
    bool saveModified();  // false: the user cancelled, or the save they asked for did not happen
    // The scene rules before a save or test play; true (after the first one's message) when the
    // scene may not be written.
    bool refuseInvalidScene();
    // The playability warnings before a save; false when the user chose not to save.
    bool confirmPlayable();
    void check();  // Scene > Check: every rule broken and every warning
    // Reads an autosaved copy as the document `title` at `path`, marked modified, without history.
    bool recover(const QString& copy, const QString& path, const QString& title);

    // Commands.
    bool fileNew();
    bool openDocumentFile(const QString& path);
    void fileSave();
    void fileSaveAs();
    void undo();
    void redo();

    QString pathName() const { return path_; }
    QString title() const { return title_; }
    bool isModified() const { return modified_; }
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    void setModifiedFlag(bool modified);
    // After a committed drawing action or an accepted properties dialog: one undo step when
    // the scene changed, and the modified mark in any case.
    void commitEdit();

    static QString defaultTitle() { return QStringLiteral("Untitled"); }

signals:
    void documentChanged();                    // title, modified mark or undo state
    void sceneChanged();                       // the picture must be redrawn
    void pathRemembered(const QString& path);  // for the recent-file list

private:
    // Where a save goes (core rules), and whether it needs the file dialog.
    QString plannedPath(bool saveAs, bool* dialog = nullptr) const;
    void setPathName(const QString& path);
    bool saveWithDialog(const QString& proposed);
    void afterSaveCommand(bool saved);
    void resetHistory();
    void applySnapshot();
    bool openAnyway(const QString& path);

    QWidget* window_;
    QString path_;
    QString title_ = defaultTitle();
    bool modified_ = false;
    bool mustRename_ = false;  // opened although it was no scene file
    UndoHistory history_;
};

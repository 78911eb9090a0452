// CMainFrame: KELV's main window. It builds the menus, the keys and the toolbar from the
// command table, shows the prompts and the view's cursor text in the status bar's first pane
// (the cell's content and the scene's counts in the second), keeps the recent-file list, titles
// the window after the document, and routes every command to the document, the view, the
// editing operations or the dialogs.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <map>

class CAutosave;
class CKELVDoc;
class CKELVView;
class CScenePropertiesDlg;
class CTestPlay;
class QAction;
class QLabel;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    CKELVDoc* document() const { return document_; }
    CKELVView* view() const { return view_; }
    CScenePropertiesDlg* propertiesDialog() const { return properties_; }
    CAutosave* autosave() const { return autosave_; }
    CTestPlay* testPlay() const { return testPlay_; }
    QAction* action(int id) const;
    QLabel* statusPane() const { return pane_; }
    QLabel* contentPane() const { return contentPane_; }
    QToolBar* toolBar() const { return toolBar_; }
    QStringList recentFiles() const { return recent_; }
    QList<QAction*> recentActions() const { return recentActions_; }

    // Opening from the command line, a drop or a recent entry: asks to save first.
    bool openFromShell(const QString& path);
    void updateCommandStates();
    void updateTitle();
    void runCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void loadRecentFiles();
    void rememberPath(const QString& path);
    void saveRecentFiles();
    void rebuildRecentMenu();
    void openRecent(int index);
    void fileOpen();
    void setProperties();
    void keep(bool changed);
    void copySelection(bool cut);
    void paste();
    void help();
    void about();

    CKELVDoc* document_ = nullptr;
    CKELVView* view_ = nullptr;
    CScenePropertiesDlg* properties_ = nullptr;
    CAutosave* autosave_ = nullptr;
    CTestPlay* testPlay_ = nullptr;
    std::map<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QAction* recentPlaceholder_ = nullptr;
    QStringList recent_;
    QToolBar* toolBar_ = nullptr;
    QLabel* pane_ = nullptr;
    QLabel* contentPane_ = nullptr;
};

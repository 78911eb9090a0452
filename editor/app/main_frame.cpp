// The main window of KELV. Menus, keys, prompts, tooltips and the toolbar all come from the
// command table; the checked and enabled states of the unit and shape commands are refreshed
// after anything that can change the selection. The status bar's one pane reads "Ready" when
// idle, a command's prompt while it is hovered, and the view's cursor text while the mouse is
// over the scene.
#include "editor/app/main_frame.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "editor/app/about_dialog.h"
#include "editor/app/autosave.h"
#include "editor/app/commands.h"
#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/prompts.h"
#include "editor/app/properties_dialog.h"
#include "editor/app/test_play.h"
#include "editor/core/editing.h"
#include "scene/folders.h"

namespace {

constexpr int kRecentFiles = 4;

QString programPath(const QString& relative) {
    return QString::fromStdString(editorState.programFolder) + "/" + relative;
}

// The toolbar pictures come with the program; without them a button shows its name instead.
QIcon commandIcon(const char* name) {
    const QString path = programPath(QString("icons/%1.png").arg(name));
    return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

QString localFileOf(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
    return data->urls().first().toLocalFile();
}

}  // namespace

CMainFrame::CMainFrame() {
    document_ = new CKELVDoc(this);
    document_->setParent(this);
    view_ = new CKELVView(document_, this);
    // Zoomed in beyond the window, the view scrolls; fitted, it fills the window.
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setAlignment(Qt::AlignCenter);
    scroller->setWidget(view_);
    setCentralWidget(scroller);
    properties_ = new CScenePropertiesDlg(this);
    autosave_ = new CAutosave(document_, this);
    testPlay_ = new CTestPlay(document_, this);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    loadRecentFiles();
    setAcceptDrops(true);
    const QString icon = programPath("icons/kelv.png");
    if (QFileInfo::exists(icon)) setWindowIcon(QIcon(icon));
    connect(document_, &CKELVDoc::documentChanged, this, [this] {
        if (!document_->isModified()) autosave_->remove();  // saved, or undone back to the file
        updateTitle();
        updateCommandStates();
    });
    connect(document_, &CKELVDoc::pathRemembered, this, &CMainFrame::rememberPath);
    connect(view_, &CKELVView::cursorText, pane_, &QLabel::setText);
    connect(view_, &CKELVView::contentText, contentPane_, &QLabel::setText);
    connect(view_, &CKELVView::selectionChanged, this, &CMainFrame::updateCommandStates);
    updateTitle();
    updateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::createActions() {
    for (const Command& command : commandTable) {
        if (command.id == CmdFileMru) continue;
        const QString prompt = QString::fromLatin1(command.prompt);
        auto* action = new QAction(QString::fromLatin1(command.text), this);
        action->setStatusTip(prompt.section('\n', 0, 0));
        action->setToolTip(prompt.section('\n', 1));
        if (command.key[0] != '\0') action->setShortcut(QKeySequence(QString::fromLatin1(command.key)));
        action->setIcon(commandIcon(command.iconName));
        action->setCheckable(command.kind != CommandKind::Other || command.id == CmdViewToolbar ||
                             command.id == CmdViewStatusBar);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_[id] = action;
    }
    action(CmdEditRedo)->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    action(CmdZoomIn)->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    action(CmdViewGrid)->setCheckable(true);
    action(CmdViewToolbar)->setChecked(true);
    action(CmdViewStatusBar)->setChecked(true);
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    for (int id : {CmdFileNew, CmdFileOpen, CmdFileSave, CmdFileSaveAs}) file->addAction(action(id));
    file->addSeparator();
    const QString mruPrompt = QString::fromLatin1(findCommand(CmdFileMru)->prompt);
    recentPlaceholder_ = file->addAction("Recent File");
    recentPlaceholder_->setEnabled(false);
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* entry = file->addAction(QString());
        entry->setStatusTip(mruPrompt);
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, i] { openRecent(i); });
        recentActions_.append(entry);
    }
    file->addSeparator();
    file->addAction(action(CmdAppExit));
    const auto fill = [this](QMenu* menu, std::initializer_list<int> ids) {  // 0 stands for a separator
        for (int id : ids)
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(action(id));
    };
    fill(menuBar()->addMenu("&Edit"),
         {CmdEditUndo, CmdEditRedo, 0, CmdEditCut, CmdEditCopy, CmdEditPaste, CmdEditDelete, CmdEditSelectAll,
          0, CmdFlipHorizontally, CmdFlipVertically, CmdHalfTurn});
    QMenu* scene = menuBar()->addMenu("&Scene");
    scene->addAction(action(CmdSetProperties));
    scene->addAction(action(CmdTestPlay));
    scene->addAction(action(CmdCheck));
    scene->addSeparator();
    for (int id = CmdRandomBean; id <= CmdExitPoint; ++id) scene->addAction(action(id));
    scene->addSeparator();
    for (int id = CmdLine; id <= CmdFilledEllipse; ++id) scene->addAction(action(id));
    scene->addSeparator();
    fill(scene, {CmdBrush, CmdSelect, CmdFill});
    fill(menuBar()->addMenu("&View"),
         {CmdViewToolbar, CmdViewStatusBar, 0, CmdViewGrid, CmdZoomIn, CmdZoomOut, CmdZoomFit});
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(action(CmdHelp));
    help->addSeparator();
    help->addAction(action(CmdAbout));
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("toolbar");
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    bool allIcons = true;
    for (int id : toolbarLayout) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        toolBar_->addAction(action(id));
        allIcons = allIcons && !action(id)->icon().isNull();
    }
    toolBar_->setToolButtonStyle(allIcons ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    // The window's own context menu can hide the toolbar too; the View item follows it.
    connect(toolBar_, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isMinimized()) action(CmdViewToolbar)->setChecked(visible);
    });
}

void CMainFrame::createStatusBar() {
    pane_ = new QLabel("Ready");
    statusBar()->addWidget(pane_, 1);
    contentPane_ = new QLabel;
    contentPane_->setToolTip(
        "The cell under the cursor; the scene's beans by colour (r o g b p), random beans (?) "
        "and stones (#)");
    statusBar()->addPermanentWidget(contentPane_);
    // A prompt overlays the pane; when it goes away the pane shows the idle text again until
    // the mouse next moves over the scene.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) pane_->setText("Ready");
    });
}

void CMainFrame::updateTitle() {
    setWindowTitle(document_->title() + "[*] - " + kApplicationTitle);
    setWindowModified(document_->isModified());
}

void CMainFrame::updateCommandStates() {
    for (const Command& command : commandTable) {
        QAction* item = action(command.id);
        if (item == nullptr) continue;
        if (command.kind == CommandKind::Unit) {
            item->setChecked(isUnitChecked(command.code));
        } else if (command.kind == CommandKind::Shape) {
            item->setEnabled(isShapeEnabled(command.code));
            item->setChecked(isShapeChecked(command.code));
        }
    }
    action(CmdEditUndo)->setEnabled(document_->canUndo());
    action(CmdEditRedo)->setEnabled(document_->canRedo());
    const bool selected = editorState.selection.active;
    for (int id : {CmdEditCut, CmdEditCopy}) action(id)->setEnabled(selected);
    for (int id : {CmdFlipHorizontally, CmdFlipVertically, CmdHalfTurn})
        action(id)->setEnabled(selected || editorState.floating.active);
    action(CmdViewGrid)->setChecked(view_->grid());
}

void CMainFrame::runCommand(int id) {
    const Command* command = findCommand(id);
    if (command != nullptr && command->kind == CommandKind::Unit) selectUnit(command->code);
    if (command != nullptr && command->kind == CommandKind::Shape) selectShape(command->code);
    switch (id) {
        case CmdFileNew: document_->fileNew(); break;
        case CmdFileOpen: fileOpen(); break;
        case CmdFileSave: document_->fileSave(); break;
        case CmdFileSaveAs: document_->fileSaveAs(); break;
        case CmdAppExit: close(); break;
        case CmdEditUndo: document_->undo(); break;
        case CmdEditRedo: document_->redo(); break;
        case CmdEditCut:
        case CmdEditCopy: copySelection(id == CmdEditCut); break;
        case CmdEditPaste: paste(); break;
        case CmdEditDelete: keep(editorState.selection.active ? eraseSelection() : eraseAtCursor()); break;
        case CmdEditSelectAll: selectAllCells(); break;
        case CmdFlipHorizontally: keep(turnSelection(Turn::FlipHorizontally)); break;
        case CmdFlipVertically: keep(turnSelection(Turn::FlipVertically)); break;
        case CmdHalfTurn: keep(turnSelection(Turn::HalfTurn)); break;
        case CmdSetProperties: setProperties(); break;
        case CmdTestPlay: testPlay_->start(); break;
        case CmdCheck: document_->check(); break;
        case CmdViewGrid: view_->setGrid(action(id)->isChecked()); break;
        case CmdZoomIn: view_->setZoom(view_->scale() + 1); break;
        case CmdZoomOut: view_->setZoom(std::max(1, view_->scale() - 1)); break;
        case CmdZoomFit: view_->setZoom(0); break;
        case CmdViewToolbar: toolBar_->setVisible(action(id)->isChecked()); break;
        case CmdViewStatusBar: statusBar()->setVisible(action(id)->isChecked()); break;
        case CmdHelp: help(); break;
        case CmdAbout: about(); break;
        default: break;
    }
    updateCommandStates();
    view_->update();
    view_->refreshStatus();  // a key may have changed the unit, the shape or the scene
}

void CMainFrame::keep(bool changed) {
    if (changed) document_->commitEdit();
}

// The clipboard carries the cells as text, so other editors and text editors can take them.
void CMainFrame::copySelection(bool cut) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(blockText(selectedBlock()).c_str()));
    if (cut) keep(eraseSelection());
}

void CMainFrame::paste() {
    CellBlock block;
    if (!readBlockText(QGuiApplication::clipboard()->text().toStdString(), block)) {
        statusBar()->showMessage("The clipboard holds no lines of cells to paste.", 5000);
        return;
    }
    startPaste(block);
    statusBar()->showMessage("A click places the cells; Escape drops them.", 5000);
}

void CMainFrame::fileOpen() {
    // The player's own scenes first, once there are any; the shipped ones otherwise.
    QString folder =
        QString::fromStdString(sceneSaveFolder(editorState.programFolder, editorState.portable, false));
    if (!QFileInfo(folder).isDir()) folder = programPath("Scenes");
    const QString path = editorPrompts.openFileName(this, folder);
    if (!path.isEmpty()) document_->openDocumentFile(path);
}

bool CMainFrame::openFromShell(const QString& path) {
    return document_->openDocumentFile(path);
}

void CMainFrame::setProperties() {
    properties_->exchangeToControls();
    if (properties_->exec() != QDialog::Accepted) return;
    showSceneBackground();
    document_->commitEdit();
}

void CMainFrame::help() {
    editorPrompts.openDocument(programPath("Readme.htm"));
}

void CMainFrame::about() {
    CAboutDlg box(this);
    box.exec();
}

void CMainFrame::loadRecentFiles() {
    QSettings settings("Quillfern", "KELV");
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path = settings.value(QString("File%1").arg(i)).toString();
        if (!path.isEmpty()) recent_.append(path);
    }
    rebuildRecentMenu();
}

void CMainFrame::rememberPath(const QString& path) {
    recent_.removeAll(path);
    recent_.prepend(path);
    while (recent_.size() > kRecentFiles) recent_.removeLast();
    saveRecentFiles();
}

void CMainFrame::saveRecentFiles() {
    QSettings settings("Quillfern", "KELV");
    settings.beginGroup("Recent File List");
    for (int i = 0; i < kRecentFiles; ++i)
        settings.setValue(QString("File%1").arg(i + 1), i < recent_.size() ? recent_[i] : QString());
    rebuildRecentMenu();
}

void CMainFrame::rebuildRecentMenu() {
    for (int i = 0; i < kRecentFiles; ++i) {
        const bool used = i < recent_.size();
        recentActions_[i]->setVisible(used);
        if (used)
            recentActions_[i]->setText(
                QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(recent_[i])));
    }
    recentPlaceholder_->setVisible(recent_.isEmpty());
}

void CMainFrame::openRecent(int index) {
    if (index >= recent_.size()) return;
    const QString path = recent_[index];
    // A file that has gone away is dropped from the list, after the user was told.
    if (!document_->openDocumentFile(path) && !QFileInfo::exists(path)) {
        recent_.removeAll(path);
        saveRecentFiles();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (document_->saveModified()) {
        autosave_->remove();  // a clean exit: the user saved or chose to drop the changes
        event->accept();
    } else
        event->ignore();  // the save was refused or cancelled: the editor stays open
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFileOf(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = localFileOf(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openFromShell(path);
}

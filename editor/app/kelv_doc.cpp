// The document's file handling and history. Everything that fails tells the user and leaves
// the document as it was: a file that cannot be read or whose background cannot be shown is
// not half-loaded, and a file that cannot be written leaves the scene marked as unsaved. A
// scene is held to the scene rules before every save, and a save that they refuse also abandons
// the New, Open or Exit that asked for it; what may make it unwinnable only asks first.
#include "editor/app/kelv_doc.h"

#include <QFile>
#include <QFileInfo>

#include "editor/app/prompts.h"
#include "editor/core/document_rules.h"
#include "editor/core/editor_state.h"
#include "scene/atomic_file.h"
#include "scene/scene_play.h"
#include "scene/scene_rules.h"

namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString bulleted(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines)
        text += "\n\u2022 " + QString::fromLatin1(line.c_str()).replace('\n', ' ');
    return text;
}

}  // namespace

CKELVDoc::CKELVDoc(QWidget* window) : QObject(nullptr), window_(window) {
    resetHistory();
}

void CKELVDoc::deleteContents() {
    resetScene();
    showSceneBackground();  // a missing picture only leaves the view without a background
}

bool CKELVDoc::onNewDocument() {
    deleteContents();
    path_.clear();
    mustRename_ = false;
    title_ = defaultTitle();
    resetHistory();
    setModifiedFlag(false);
    emit sceneChanged();
    return true;
}

bool CKELVDoc::onOpenDocument(const QString& path) {
    // Read into a copy: fields the file does not give keep the values they had, and nothing
    // of the current scene is lost when the file turns out to be unusable.
    if (!openAnyway(path)) return false;
    Scene loaded = editorState.scene;
    if (!readSceneFile(nativePath(path).c_str(), loaded)) {
        editorPrompts.stop(window_, QString("Cannot open the scene file\n%1\nThe file could not be read; "
                                            "nothing was changed.")
                                        .arg(path));
        return false;
    }
    const Scene previous = editorState.scene;
    editorState.scene = loaded;
    if (!showSceneBackground()) {
        editorState.scene = previous;
        showSceneBackground();
        editorPrompts.stop(window_,
                           QString("Cannot open the scene file\n%1\nIts background image could not be "
                                   "loaded; nothing was changed.")
                               .arg(path));
        return false;
    }
    editorState.previewGrid = Scene::filledGrid();
    editorState.selection = CellRect{};  // places in the scene before
    editorState.floating = FloatingBlock{};
    resetHistory();
    setModifiedFlag(false);
    return true;
}

// Bytes that are no scene at all open only when the user insists; they are then never written
// over unasked, so the file they came from is not lost to a quick Save.
bool CKELVDoc::openAnyway(const QString& path) {
    std::string bytes, reason;
    const std::string why = readRegularFile(nativePath(path).c_str(), bytes, reason)
                                ? notSceneFileReason(layoutScene(bytes))
                                : std::string();
    if (!why.empty() && !editorPrompts.confirm(
                            window_,
                            QString("%1\nis not a scene file: %2.\nOpened, it may show as nonsense, and it "
                                    "will be saved only under a new name.")
                                .arg(path, QString::fromStdString(why)),
                            "Open anyway"))
        return false;
    mustRename_ = !why.empty();
    return true;
}

bool CKELVDoc::onSaveDocument(const QString& path) {
    if (!writeSceneFile(nativePath(path).c_str(), editorState.scene)) {
        editorPrompts.stop(window_, QString("Cannot save the scene to\n%1\nNothing was written; the scene is "
                                            "still unsaved.")
                                        .arg(path));
        return false;
    }
    // The writer may have switched the random fall off (Eat up); the snapshot follows it.
    history_.markSaved(editorState.scene);
    mustRename_ = false;
    setModifiedFlag(false);
    return true;
}

bool CKELVDoc::refuseInvalidScene() {
    const std::vector<std::string> problems = sceneRuleProblems(editorState.scene);
    if (problems.empty()) return false;
    editorPrompts.stop(window_, QString::fromLatin1(problems.front().c_str()));
    return true;
}

bool CKELVDoc::confirmPlayable() {
    const std::vector<std::string> warnings = playWarnings(editorState.scene);
    return warnings.empty() ||
           editorPrompts.confirm(window_, "This scene may not be winnable:" + bulleted(warnings),
                                 "Save anyway");
}

void CKELVDoc::check() {
    const std::vector<std::string> problems = sceneRuleProblems(editorState.scene);
    const std::vector<std::string> warnings = playWarnings(editorState.scene);
    QString text;
    if (!problems.empty()) text += "The scene cannot be saved as it is:" + bulleted(problems);
    if (!warnings.empty())
        text += QString(text.isEmpty() ? "" : "\n\n") + "It may not be winnable:" + bulleted(warnings);
    editorPrompts.inform(window_, text.isEmpty()
                                      ? "The scene keeps every rule, and nothing was found that would "
                                        "keep it from being won."
                                      : text);
}

QString CKELVDoc::plannedPath(bool saveAs, bool* dialog) const {
    SaveRequest request;
    request.path = QFile::encodeName(path_).toStdString();
    request.fileName = QFile::encodeName(title_).toStdString();
    request.fileWritable = !path_.isEmpty() && QFileInfo(path_).isFile() && QFileInfo(path_).isWritable();
    request.saveAs = saveAs;
    request.mustRename = mustRename_;
    const SavePlan plan = planSave(request, editorState.scene);
    if (dialog != nullptr) *dialog = plan.dialog;
    return QFile::decodeName(QByteArray::fromStdString(plan.path));
}

void CKELVDoc::setPathName(const QString& path) {
    path_ = QFileInfo(path).absoluteFilePath();
    title_ = QFileInfo(path).fileName();
    emit pathRemembered(path_);
    emit documentChanged();
}

bool CKELVDoc::saveWithDialog(const QString& proposed) {
    const QString chosen = editorPrompts.saveFileName(window_, proposed);
    if (chosen.isEmpty()) return false;
    const std::string warning = fileNameWarning(QFileInfo(chosen).fileName().toUtf8().toStdString());
    if (!warning.empty() &&
        !editorPrompts.confirm(window_, QString::fromUtf8(warning) + "\nSave under this name anyway?",
                               "Save anyway"))
        return false;
    if (!onSaveDocument(chosen)) return false;
    setPathName(chosen);
    return true;
}

bool CKELVDoc::doFileSave() {
    if (refuseInvalidScene() || !confirmPlayable()) return false;
    bool dialog = true;
    const QString path = plannedPath(false, &dialog);
    return dialog ? saveWithDialog(path) : onSaveDocument(path_);
}

// A scene that was saved anywhere but its place in the save folder stays marked: the game only
// finds scenes there.
void CKELVDoc::afterSaveCommand(bool saved) {
    if (saved && savedOutsideItsPlace(QFile::encodeName(path_).toStdString())) {
        history_.forgetSaved();
        setModifiedFlag(true);
    }
}

void CKELVDoc::fileSave() {
    afterSaveCommand(doFileSave());
}

void CKELVDoc::fileSaveAs() {
    if (refuseInvalidScene() || !confirmPlayable()) return;
    afterSaveCommand(saveWithDialog(plannedPath(true)));
}

bool CKELVDoc::saveModified() {
    if (!modified_) return true;
    switch (editorPrompts.askSave(window_, title_)) {
        case SaveAnswer::Yes: return doFileSave();
        case SaveAnswer::No: return true;
        default: return false;
    }
}

bool CKELVDoc::fileNew() {
    return saveModified() && onNewDocument();
}

bool CKELVDoc::openDocumentFile(const QString& path) {
    if (!saveModified() || !onOpenDocument(path)) return false;
    setPathName(path);
    emit sceneChanged();
    return true;
}

bool CKELVDoc::recover(const QString& copy, const QString& path, const QString& title) {
    if (!saveModified() || !onOpenDocument(copy)) return false;
    path_ = path;
    title_ = title;
    history_.forgetSaved();  // nothing on disk matches the recovered scene
    setModifiedFlag(true);
    emit sceneChanged();
    return true;
}

void CKELVDoc::setModifiedFlag(bool modified) {
    modified_ = modified;
    emit documentChanged();
}

void CKELVDoc::commitEdit() {
    history_.commit(editorState.scene);
    setModifiedFlag(true);
}

void CKELVDoc::undo() {
    if (history_.undo()) applySnapshot();
}

void CKELVDoc::redo() {
    if (history_.redo()) applySnapshot();
}

void CKELVDoc::applySnapshot() {
    const bool newBackground = editorState.scene.background != history_.current().background;
    editorState.scene = history_.current();
    if (newBackground) showSceneBackground();
    setModifiedFlag(!history_.isAtSavedState());
    emit sceneChanged();
}

void CKELVDoc::resetHistory() {
    history_.reset(editorState.scene);
}

// The real message boxes and file dialogs behind EditorPrompts. The file dialogs are Qt's own
// (not the desktop's) so that they behave the same everywhere, the virtual X server of the
// end-to-end test included, and always propose the .qsn extension.
#include "editor/app/prompts.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

void showStop(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kApplicationTitle, text);
}

void showWarning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, kApplicationTitle, text);
}

void showInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kApplicationTitle, text);
}

bool askProceed(QWidget* parent, const QString& text, const QString& proceed) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle, text, QMessageBox::Cancel, parent);
    QAbstractButton* go = box.addButton(proceed, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == go;
}

SaveAnswer askSaveChanges(QWidget* parent, const QString& title) {
    const auto answer =
        QMessageBox::question(parent, kApplicationTitle, QString("Save changes to %1?").arg(title),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Yes;
    return answer == QMessageBox::No ? SaveAnswer::No : SaveAnswer::Cancel;
}

QString runFileDialog(QWidget* parent, const QString& caption, const QString& start, bool saving) {
    QFileDialog dialog(parent, caption, start, kSceneFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("qsn");
    if (saving) dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString askSaveFileName(QWidget* parent, const QString& proposed) {
    return runFileDialog(parent, "Save As", proposed, true);
}

QString askOpenFileName(QWidget* parent, const QString& folder) {
    return runFileDialog(parent, "Open", folder, false);
}

bool openWithDesktop(const QString& path) {
    if (!QFileInfo::exists(path)) return false;  // nothing to show; the desktop would only complain
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

RecoverAnswer askRecoverScene(QWidget* parent, const QString& title, const QDateTime& written) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle,
                    QString("Unsaved changes to %1 were saved aside on %2 by an editor that is no longer "
                            "running.\nRecover them?")
                        .arg(title, QLocale().toString(written, QLocale::ShortFormat)),
                    QMessageBox::NoButton, parent);
    QAbstractButton* recover = box.addButton("&Recover", QMessageBox::AcceptRole);
    QAbstractButton* discard = box.addButton("&Discard", QMessageBox::DestructiveRole);
    box.addButton("&Later", QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == recover) return RecoverAnswer::Recover;
    return box.clickedButton() == discard ? RecoverAnswer::Discard : RecoverAnswer::Later;
}

}  // namespace

EditorPrompts standardPrompts() {
    EditorPrompts prompts;
    prompts.stop = showStop;
    prompts.warn = showWarning;
    prompts.inform = showInformation;
    prompts.confirm = askProceed;
    prompts.askSave = askSaveChanges;
    prompts.saveFileName = askSaveFileName;
    prompts.openFileName = askOpenFileName;
    prompts.openDocument = openWithDesktop;
    prompts.askRecover = askRecoverScene;
    return prompts;
}

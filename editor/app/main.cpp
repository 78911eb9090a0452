// KELV, the scene editor of Munch Trail: finds its data folder (its own folder, or the
// installed share folder), which the start-up makes the working directory, then runs the
// event loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "editor/app/kelv_app.h"
#include "editor/core/editor_state.h"
#include "scene/folders.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("KELV");
    QApplication::setOrganizationName("Quillfern");
    QApplication::setApplicationDisplayName("Munch Trail Scene Editor");
    const std::string programFolder = QDir(QApplication::applicationDirPath()).canonicalPath().toStdString();
    editorState.programFolder = dataFolderFor(programFolder);
    editorState.portable = editorState.programFolder == programFolder;
    // A scene named on the command line is relative to where the user started us, not to the
    // program folder that the start-up is about to make the working directory.
    QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        arguments[i] = QFileInfo(arguments[i]).absoluteFilePath();
    CKELVApp kelv;
    if (!kelv.initInstance(arguments)) return 1;
    return QApplication::exec();
}

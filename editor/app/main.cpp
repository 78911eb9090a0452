// KELV, the scene editor of Munch Trail: makes its own folder the working directory (data,
// scenes and the help page are found there) and runs the start-up, then the event loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "editor/app/kelv_app.h"
#include "editor/core/editor_state.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("KELV");
    QApplication::setOrganizationName("Quillfern");
    QApplication::setApplicationDisplayName("Munch Trail Scene Editor");
    editorState.programFolder = QDir(QApplication::applicationDirPath()).canonicalPath().toStdString();
    // A scene named on the command line is relative to where the user started us, not to the
    // program folder that the start-up is about to make the working directory.
    QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        arguments[i] = QFileInfo(arguments[i]).absoluteFilePath();
    CKELVApp kelv;
    if (!kelv.initInstance(arguments)) return 1;
    return QApplication::exec();
}

// KELV, the scene editor of Munch Trail: makes its own folder the working directory (data,
// scenes and the help page are found there) and runs the start-up, then the event loop.
#include <QApplication>
#include <QDir>

#include "editor/app/kelv_app.h"
#include "editor/core/editor_state.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("KELV");
    QApplication::setOrganizationName("Quillfern");
    QApplication::setApplicationDisplayName("Munch Trail Scene Editor");
    editorState.programFolder = QDir(QApplication::applicationDirPath()).canonicalPath().toStdString();
    CKELVApp kelv;
    if (!kelv.initInstance(QApplication::arguments())) return 1;
    return QApplication::exec();
}

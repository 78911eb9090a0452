// KELV, the scene editor of Munch Trail: answers its own options before Qt starts, finds its
// data folder (its own folder, or the installed share folder) as an absolute path that every
// file is loaded under, saves the scene aside when it is told to end, and runs the start-up,
// then the event loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "editor/app/autosave.h"
#include "editor/app/kelv_app.h"
#include "editor/core/command_line.h"
#include "editor/core/editor_state.h"
#include "scene/folders.h"

int main(int argc, char** argv) {
    CommandLine line = parseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (line.action != CommandLine::Action::Run) {
        std::fputs(line.text.c_str(), line.action == CommandLine::Action::Print ? stdout : stderr);
        return line.action == CommandLine::Action::Print ? 0 : kUsageExitCode;
    }
    std::vector<char*> qtArguments;
    for (std::string& argument : line.forQt) qtArguments.push_back(argument.data());
    qtArguments.push_back(nullptr);
    int qtCount = int(line.forQt.size());
    QApplication application(qtCount, qtArguments.data());
    nameApplication();
    const std::string programFolder = QDir(QApplication::applicationDirPath()).canonicalPath().toStdString();
    editorState.programFolder = dataFolderFor(programFolder);
    editorState.portable = editorState.programFolder == programFolder;
    // A scene named on the command line is relative to where the user started us.
    QStringList arguments = QApplication::arguments();
    for (const std::string& file : line.afterDashes) arguments.append(QString::fromLocal8Bit(file.c_str()));
    for (qsizetype i = 1; i < arguments.size(); ++i)
        arguments[i] = QFileInfo(arguments[i]).absoluteFilePath();
    CKELVApp kelv;
    if (!kelv.initInstance(arguments)) return 1;
    catchTerminationSignals(kelv.mainFrame());
    return QApplication::exec();
}

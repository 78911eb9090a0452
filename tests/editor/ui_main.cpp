// The KELV test program: one QApplication on the offscreen platform, one private settings
// folder for the whole run, and every group of tests in turn.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/editor/ui_fixture.h"

int main(int argc, char** argv) {
    QTemporaryDir configuration;
    if (qEnvironmentVariableIsEmpty("KELV_TEST_CHILD")) {  // a child shares its parent's folders
        qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", (configuration.path() + "/state").toLocal8Bit());
        qunsetenv("KELV_GAME");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir(configuration.path()).mkdir("runtime");
        QFile::setPermissions(configuration.path() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (configuration.path() + "/runtime").toLocal8Bit());
    }
    QApplication application(argc, argv);
    if (!qEnvironmentVariableIsEmpty("KELV_TEST_CHILD"))
        return runEditorToBeKilled(qEnvironmentVariable("KELV_TEST_CHILD"));
    int failures = 0;
    for (SuiteRunner run : suiteRunners()) failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}

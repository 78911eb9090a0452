// The KELV test program: one QApplication on the offscreen platform, one private settings
// folder for the whole run, and every group of tests in turn.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int runStartupTests(int argc, char** argv);
int runCommandTests(int argc, char** argv);
int runStrokeTests(int argc, char** argv);
int runDocumentTests(int argc, char** argv);
int runDialogTests(int argc, char** argv);
int runUndoTests(int argc, char** argv);

int main(int argc, char** argv) {
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir(configuration.path()).mkdir("runtime");
        QFile::setPermissions(configuration.path() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (configuration.path() + "/runtime").toLocal8Bit());
    }
    QApplication application(argc, argv);
    int failures = 0;
    for (auto run :
         {runStartupTests, runCommandTests, runStrokeTests, runDocumentTests, runDialogTests, runUndoTests})
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}

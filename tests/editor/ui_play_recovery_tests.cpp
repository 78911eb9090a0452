// KELV under the offscreen platform: test play through a stand-in game, and the autosave with
// its recovery after the editor was killed.
#include <QProcess>
#include <csignal>

#include "editor/app/autosave.h"
#include "editor/app/test_play.h"
#include "tests/editor/ui_fixture.h"

using namespace ui_test;

namespace {

// A game in the program folder that records its arguments and the scene it was given beside
// itself, complains and ends with `status`.
void writeStandInGame(const QString& folder, int status) {
    QFile game(folder + "/MunchTrail");
    QVERIFY(game.open(QIODevice::WriteOnly));
    game.write(QString("#!/bin/sh\nprintf '%s\\n' \"$@\" >\"$0.args\"\ncp \"$2\" \"$0.scene\"\n"
                       "echo 'no such scene' >&2\nexit %1\n")
                   .arg(status)
                   .toUtf8());
    game.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The scene of the killed editors: every setting away from its default and a few cells.
Scene recoveryScene() {
    Scene scene;
    scene.title = "Kept safe";
    scene.background = 5;
    scene.fallInterval = 9;
    scene.objective = GoalScore;
    scene.goalScore = 777;
    scene.description = "two\r\nlines\n";
    scene.grid[sceneCellIndex(0, 0)] = StartPoint;
    scene.grid[sceneCellIndex(39, 29)] = PurpleBean;
    scene.grid[sceneCellIndex(7, 3)] = StoneBean;
    return scene;
}

}  // namespace

// A scene under its own name, modified; with "kill" the timer saves it aside before "ready"
// and SIGKILL follows, with "term" the signal handler has to do it.
int runEditorToBeKilled(const QString& how) {
    EditorFixture fixture;
    if (!fixture.start({"KELV", writeScene(fixture.scenesFolder() + "/" + how + ".qsn", 1, 1, RedBean)}))
        return 2;
    editorState.scene = recoveryScene();
    fixture.document()->commitEdit();
    if (how == "kill") {
        fixture.frame()->autosave()->timer()->setInterval(1);
        while (!QFile::exists(fixture.frame()->autosave()->scenePath())) QTest::qWait(5);
    } else {
        catchTerminationSignals(fixture.frame());
    }
    std::puts("ready");
    std::fflush(stdout);
    std::_Exit(QApplication::exec());  // as the program ends: no clean-up of the fixture's
}

class PlayRecoveryTests : public QObject {
    Q_OBJECT
private slots:
    // The game plays a copy of the scene as Save would write it; the document, its file and its
    // mark stay, the copy goes when the game ends, and every failure says what happened.
    void testPlayRunsTheGameOnATemporaryCopy() {
        const struct {
            const char* row;
            bool game, saveable;
            int status;
            QString stop;
        } rows[] = {
            {"played", true, true, 0, ""},
            {"refused as Save refuses", true, false, 0, validateScene(Scene{})},
            {"the game refuses", true, true, 3, "could not play the scene (exit status 3).\nno such scene"},
            {"no game", false, true, 0, "MunchTrail was found neither beside the editor nor on the PATH"},
        };
        for (const auto& row : rows) {
            RowTrace trace{row.row};
            START_EDITOR(fixture);
            if (row.game) writeStandInGame(fixture.folder(), row.status);
            if (row.saveable) makeSaveable();
            fixture.document()->commitEdit();
            Scene expected = editorState.scene;
            QVERIFY(writeSceneFile((fixture.folder() + "/expected.qsn").toLocal8Bit().constData(), expected));
            const QByteArray path = qgetenv("PATH");
            if (!row.game) qputenv("PATH", fixture.folder().toLocal8Bit());  // nor on the PATH
            QSignalSpy ended(fixture.frame()->testPlay(), &CTestPlay::finished);
            fixture.command(CmdTestPlay);
            qputenv("PATH", path);
            if (row.game && row.saveable) QVERIFY(ended.wait(5000));
            QCOMPARE(promptLog.stops.join("|").contains(row.stop), true);
            QCOMPARE(promptLog.stops.size(), row.stop.isEmpty() ? 0 : 1);
            QVERIFY(fixture.document()->isModified());
            QCOMPARE(fixture.document()->pathName(), QString());
            QCOMPARE(QDir(fixture.scenesFolder()).entryList(QDir::Files), QStringList{});
            const QStringList arguments =
                QString(fileBytes(fixture.folder() + "/MunchTrail.args")).split('\n');
            QCOMPARE(arguments.size() == 3, row.game && row.saveable);
            if (arguments.size() != 3) continue;
            QCOMPARE(arguments[0], QString("--play"));
            QVERIFY(arguments[1].endsWith("/Untitled.qsn"));
            QVERIFY(!QFileInfo::exists(arguments[1]));
            QCOMPARE(fileBytes(fixture.folder() + "/MunchTrail.scene"),
                     fileBytes(fixture.folder() + "/expected.qsn"));
        }
    }

    // A minute of unsaved changes is saved aside; a save, and an exit that drops the changes,
    // remove the copy, and an unmodified scene is not saved aside.
    void unsavedChangesAreSavedAsideEveryMinute() {
        START_EDITOR(fixture);
        CAutosave* autosave = fixture.frame()->autosave();
        autosave->timer()->setInterval(1);
        makeSaveable();
        fixture.document()->commitEdit();
        QTRY_VERIFY(QFile::exists(autosave->scenePath()));
        QCOMPARE(fileBytes(autosave->scenePath()),
                 QByteArray::fromStdString(sceneDiskBytes(editorState.scene)));
        fixture.command(CmdFileSave);
        QVERIFY(!QFile::exists(autosave->scenePath()));
        QTest::qWait(20);
        QVERIFY(!QFile::exists(autosave->scenePath()));
        fixture.document()->commitEdit();
        QTRY_VERIFY(QFile::exists(autosave->scenePath()));
        promptLog.answer = SaveAnswer::No;
        QVERIFY(fixture.frame()->close());
        QVERIFY(!QFile::exists(autosave->scenePath()));
    }

    // Two editors die with unsaved changes, one by SIGTERM and one by SIGKILL. The next start
    // offers both, oldest first; Later keeps them, Discard drops one, Recover brings the other
    // back byte for byte under its own name, modified, without history.
    void aKilledEditorsChangesAreOfferedAtTheNextStart() {
        QTemporaryDir scratch;
        for (const char* how : {"term", "kill"}) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("KELV_TEST_CHILD", how);
            environment.insert("TMPDIR", scratch.path());
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), QStringList{});
            QVERIFY(child.waitForReadyRead(10000));
            ::kill(pid_t(child.processId()), QString(how) == "kill" ? SIGKILL : SIGTERM);
            QVERIFY(child.waitForFinished(10000));
            if (QString(how) == "term") QCOMPARE(child.exitCode(), 128 + SIGTERM);
        }
        {
            START_EDITOR(later);
            QCOMPARE(promptLog.recoverPrompts, (QStringList{"term.qsn", "kill.qsn"}));
            QVERIFY(!later.document()->isModified());
        }
        EditorFixture fixture;
        promptLog.recoverAnswers = {RecoverAnswer::Discard, RecoverAnswer::Recover};
        QVERIFY(fixture.start());
        QCOMPARE(promptLog.recoverPrompts, (QStringList{"term.qsn", "kill.qsn"}));
        QCOMPARE(sceneDiskBytes(editorState.scene), sceneDiskBytes(recoveryScene()));
        QCOMPARE(fixture.document()->title(), QString("kill.qsn"));
        QVERIFY(fixture.document()->pathName().endsWith("/Scenes/kill.qsn"));
        QVERIFY(fixture.document()->isModified() && !fixture.document()->canUndo());
        QVERIFY(CAutosave::orphans().isEmpty());
        QVERIFY(QFile::exists(fixture.frame()->autosave()->scenePath()));
    }
};

KELV_SUITE(PlayRecoveryTests);
#include "ui_play_recovery_tests.moc"

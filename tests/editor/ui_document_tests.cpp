// KELV under the offscreen platform: the checks before a save and their messages, where and
// when the file dialog appears, byte-identical save and reopen, the save prompt, failed opens
// and saves that change nothing, and the recent-file list.
#include "tests/editor/ui_fixture.h"

using namespace ui_test;

// ---- files ------------------------------------------------------------------------------------

class DocumentTests : public QObject {
    Q_OBJECT
private slots:
    // Cells in row 0 (s start, e exit, b bean, o stone) and properties, and the one message
    // Save shows; no message means the file is written.
    void validationMessagesInOrder() {
        const char* bean = "Please put in at least 1 non-stone bean";
        const char* start = "Please set a start point";
        const struct {
            const char* cells;
            int randomFall, interval, objective;
            const char* message;
        } rows[] = {
            {"s", 1, 0, 0, bean},   // only a start
            {"so", 0, 5, 0, bean},  // random fall off
            {"s", 1, 5, 3, bean},   // eat up without beans
            {"s", 1, 1, 0, ""},     // falling beans suffice
            {"b", 1, 0, 0, start},
            {"be", 1, 0, 0, start},  // start before a stray exit
            {"bse", 1, 0, 0, "The objective of this scene isn't 'Escape'\nPlease erase the exit point"},
            {"bs", 1, 0, 1, "Please set an exit point"},
            {"bse", 1, 0, 1, ""},
        };
        for (const auto& row : rows) {
            RowTrace trace{row.cells};
            START_EDITOR(fixture);
            const QString cells(row.cells), message(row.message);
            const std::uint8_t codes[] = {StartPoint, ExitPoint, RedBean, StoneBean};
            for (int column = 0; column < cells.size(); ++column)
                setCell(column, 0, codes[QString("sebo").indexOf(cells[column])]);
            editorState.scene.randomFall = row.randomFall;
            editorState.scene.fallInterval = row.interval;
            editorState.scene.objective = row.objective;
            fixture.command(CmdFileSave);
            QCOMPARE(promptLog.stops, message.isEmpty() ? QStringList{} : QStringList{message});
            QCOMPARE(QFileInfo::exists(fixture.scenesFolder() + "/Untitled.qsn"), message.isEmpty());
        }
    }

    void saveAndReopenIsByteIdentical() {
        START_EDITOR(fixture);
        for (int column = 0; column < kSceneColumns; ++column)
            setCell(column, column % kSceneRows, std::uint8_t(column % 8));
        setCell(39, 29, RandomBean);
        setCell(5, 20, RandomBean);
        editorState.scene.title = "Byte by byte";
        editorState.scene.description = "a\r\nb";
        editorState.scene.objective = Escape;
        editorState.scene.goalScore = 300;
        fixture.document()->commitEdit();
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.stops, QStringList{});
        QCOMPARE(promptLog.saveDialogs, QStringList{fixture.scenesFolder() + "/Untitled"});
        const QString path = fixture.scenesFolder() + "/Untitled.qsn";
        const QByteArray first = fileBytes(path);
        QCOMPARE(first.size(), (12 + 3) + (11 + 2 + 3) + (5 + 3) + (1200 + 2));  // two random beans
        QVERIFY(!fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled.qsn"));
        QCOMPARE(fixture.frame()->windowTitle(), QString("Untitled.qsn[*] - Munch Trail Scene Editor"));
        const Scene saved = editorState.scene;
        promptLog.answer = SaveAnswer::No;
        fixture.command(CmdFileNew);
        QCOMPARE(countCells(EmptyCell), kSceneCells);
        QVERIFY(fixture.frame()->openFromShell(path));
        QCOMPARE(editorState.scene.grid, saved.grid);
        QCOMPARE(editorState.scene.description, saved.description);
        QFile::remove(path);
        fixture.command(CmdFileSave);  // the file is gone: the dialog comes back
        QCOMPARE(promptLog.saveDialogs.size(), 2);
        fixture.command(CmdFileSave);  // saved in place under its title: no dialog
        QCOMPARE(promptLog.saveDialogs.size(), 2);
        QCOMPARE(fileBytes(path), first);
    }

    void sceneSavedElsewhereStaysModified() {
        START_EDITOR(fixture);
        setCell(0, 0, StartPoint);
        editorState.scene.fallInterval = 3;
        fixture.document()->commitEdit();
        promptLog.chooseProposed = false;
        promptLog.chosenFile = fixture.folder() + "/away.qsn";
        fixture.command(CmdFileSaveAs);
        QVERIFY(QFileInfo::exists(promptLog.chosenFile));
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("away.qsn"));
        // Save now proposes the Scenes folder under the same name.
        promptLog.chooseProposed = true;
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.saveDialogs.last(), fixture.scenesFolder() + "/away.qsn");
        QVERIFY(!fixture.document()->isModified());
    }

    void savePromptWithAnInvalidSceneKeepsTheEditorOpen() {
        START_EDITOR(fixture);
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);  // modified, but without a start point
        promptLog.answer = SaveAnswer::Yes;
        QVERIFY(!fixture.frame()->close());
        QCOMPARE(promptLog.savePrompts, QStringList{"Untitled"});
        QCOMPARE(promptLog.stops, QStringList{"Please set a start point"});
        QVERIFY(fixture.frame()->isVisible());
        promptLog.answer = SaveAnswer::Cancel;
        QVERIFY(!fixture.frame()->close());
        fixture.command(CmdFileNew);
        QCOMPARE(cellAt(1, 1), std::uint8_t(RedBean));  // New abandoned as well
        promptLog.answer = SaveAnswer::No;
        QVERIFY(fixture.frame()->close());
    }

    void openAsksForAFileInTheScenesFolder() {
        START_EDITOR(fixture);
        const QString path = writeScene(fixture.scenesFolder() + "/chosen.qsn", 3, 9, OrangeBean);
        QVERIFY(!path.isEmpty());
        static QString offeredFolder;
        editorPrompts.openFileName = [](QWidget*, const QString& folder) {
            offeredFolder = folder;
            return QDir(folder).filePath("chosen.qsn");
        };
        fixture.command(CmdFileOpen);
        QCOMPARE(offeredFolder, fixture.scenesFolder());
        QCOMPARE(fixture.document()->title(), QString("chosen.qsn"));
        QCOMPARE(cellAt(3, 9), std::uint8_t(OrangeBean));
        QCOMPARE(fixture.frame()->recentFiles(), QStringList{path});
        QVERIFY(!fixture.document()->isModified());
    }

    void failedOpenChangesNothing() {
        START_EDITOR(fixture);
        fixture.command(CmdRedBean);
        fixture.stroke(2, 2, 2, 2);
        const Scene before = editorState.scene;
        promptLog.answer = SaveAnswer::No;
        QVERIFY(!fixture.frame()->openFromShell(fixture.folder() + "/nothing-here.qsn"));
        QCOMPARE(promptLog.stops.size(), 1);
        QVERIFY(promptLog.stops.first().contains("nothing-here.qsn"));
        QCOMPARE(editorState.scene.grid, before.grid);
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled"));
    }

    void openWhoseBackgroundCannotLoadChangesNothing() {
        START_EDITOR(fixture);
        // Background 9 is "Ore", DAT/bg08.bmp.
        const QString path = writeScene(fixture.scenesFolder() + "/ore.qsn", 0, 0, StoneBean, 9);
        QVERIFY(!path.isEmpty());
        QFile::remove(fixture.folder() + "/DAT/bg08.bmp");
        QVERIFY(!fixture.frame()->openFromShell(path));
        QCOMPARE(promptLog.stops.size(), 1);
        QCOMPARE(cellAt(0, 0), std::uint8_t(EmptyCell));
        QCOMPARE(editorState.scene.background, 0);
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[0]);
    }

    void failedSaveChangesNothing() {
        START_EDITOR(fixture);
        makeSaveable();
        fixture.document()->commitEdit();
        promptLog.chooseProposed = false;
        promptLog.chosenFile = fixture.folder() + "/no/such/folder/x.qsn";
        fixture.command(CmdFileSave);
        QCOMPARE(promptLog.stops.size(), 1);
        QVERIFY(promptLog.stops.first().contains("x.qsn"));
        QVERIFY(fixture.document()->isModified());
        QCOMPARE(fixture.document()->title(), QString("Untitled"));
        QVERIFY(fixture.frame()->recentFiles().isEmpty());
    }

    void recentFilesKeepTheLastFour() {
        START_EDITOR(fixture);
        makeSaveable();
        promptLog.chooseProposed = false;
        for (int i = 1; i <= 5; ++i) {
            promptLog.chosenFile = fixture.scenesFolder() + QString("/s%1.qsn").arg(i);
            fixture.command(CmdFileSaveAs);
        }
        const QStringList expected{fixture.scenesFolder() + "/s5.qsn", fixture.scenesFolder() + "/s4.qsn",
                                   fixture.scenesFolder() + "/s3.qsn", fixture.scenesFolder() + "/s2.qsn"};
        QCOMPARE(fixture.frame()->recentFiles(), expected);
        QSettings settings("Quillfern", "KELV");
        QCOMPARE(settings.value("Recent File List/File1").toString(), expected.first());
        QCOMPARE(fixture.frame()->recentActions().first()->statusTip(), QString("Open this document"));
        QVERIFY(fixture.frame()->recentActions().first()->text().endsWith("s5.qsn"));
        // A recent entry opens its scene.
        setCell(5, 5, StoneBean);
        fixture.document()->commitEdit();
        promptLog.answer = SaveAnswer::No;
        fixture.frame()->recentActions()[2]->trigger();
        QCOMPARE(fixture.document()->title(), QString("s3.qsn"));
        QCOMPARE(cellAt(5, 5), std::uint8_t(EmptyCell));
    }

    void eatUpSaveSwitchesRandomFallOff() {
        START_EDITOR(fixture);
        makeSaveable();
        editorState.scene.objective = EatUp;
        editorState.scene.randomFall = 1;
        fixture.command(CmdFileSave);
        QCOMPARE(editorState.scene.randomFall, 0);
        QVERIFY(fileBytes(fixture.scenesFolder() + "/Untitled.qsn").contains("0 0 0 3 5"));
    }
};

KELV_SUITE(DocumentTests);
#include "ui_document_tests.moc"

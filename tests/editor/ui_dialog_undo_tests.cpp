// KELV under the offscreen platform: the properties dialog (opening values, enabling rules,
// range checks, cancel after a refused OK) and undo and redo of strokes and properties.
#include "tests/editor/ui_fixture.h"

using namespace ui_test;

// The random-fall box and which of the interval and goal-score fields can be edited.
static QString fieldStates(CScenePropertiesDlg* dialog) {
    auto onOff = [](bool on) { return on ? "on" : "off"; };
    return QString("fall %1%2, interval %3, goal %4")
        .arg(onOff(dialog->randomFallBox->isChecked()), dialog->randomFallBox->isEnabled() ? "" : " (locked)",
             onOff(dialog->intervalEdit->isEnabled()), onOff(dialog->goalScoreEdit->isEnabled()));
}

// ---- properties dialog ---------------------------------------------------------------------

class DialogTests : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheNewSceneValues() {
        START_EDITOR(fixture);
        CScenePropertiesDlg* dialog = fixture.openDialog();
        QCOMPARE(dialog->titleEdit->text(), QString());
        QCOMPARE(dialog->backgroundList->currentText(), QString("Auto cycle background"));
        QCOMPARE(dialog->backgroundList->count(), 11);
        QCOMPARE(fieldStates(dialog), QString("fall on, interval on, goal off"));
        QCOMPARE(dialog->intervalEdit->text(), QString("0"));
        QCOMPARE(dialog->objectiveList->currentText(), QString("Standard - Score as high as you can"));
        QCOMPARE(dialog->goalScoreEdit->text(), QString("5"));
        QCOMPARE(dialog->descriptionEdit->toPlainText(), QString());
        // An eat-up scene opens with random fall cleared and locked.
        editorState.scene.objective = EatUp;
        dialog->exchangeToControls();
        QCOMPARE(fieldStates(dialog), QString("fall off (locked), interval off, goal off"));
    }

    void objectiveAndRandomFallEnableTheirFields() {
        START_EDITOR(fixture);
        CScenePropertiesDlg* dialog = fixture.openDialog();
        dialog->objectiveList->setCurrentIndex(EatUp);
        QCOMPARE(fieldStates(dialog), QString("fall off (locked), interval off, goal off"));
        dialog->objectiveList->setCurrentIndex(GoalScore);
        QCOMPARE(fieldStates(dialog), QString("fall off, interval off, goal on"));
        dialog->randomFallBox->click();
        QCOMPARE(fieldStates(dialog), QString("fall on, interval on, goal on"));
        dialog->objectiveList->setCurrentIndex(Escape);
        QCOMPARE(fieldStates(dialog), QString("fall on, interval on, goal off"));
        dialog->randomFallBox->click();
        QCOMPARE(fieldStates(dialog), QString("fall off, interval off, goal off"));
    }

    // A refused OK names the range, keeps the dialog open with the field focused, and a cancel
    // then leaves the scene as it was.
    void rangeChecksNameTheRangeAndFocusTheField() {
        const QString interval = "Please enter an integer between 0 and 60.";
        const QString goal = "Please enter an integer between 5 and 9999999.";
        const QString description = "Please enter no more than 255 characters.";
        const QString euro =
            "Please enter only Latin-1 characters: \"\u20AC\" (U+20AC) cannot be stored in a scene.";
        const struct {
            const char* field;
            QString value, message;
        } rows[] = {
            {"interval", "61", interval},
            {"interval", "-1", interval},
            {"interval", "ten", "Please enter an integer."},
            {"goal", "4", goal},
            {"goal", "10000000", goal},
            {"title", QString(29, 'T'), "Please enter no more than 28 characters."},
            {"description", QString(256, 'd'), description},
            {"description", QString(127, 'd') + "\n" + QString(127, 'd'),
             description},  // a line break counts twice
            {"title", "Caf\u00E9 \u20AC1", euro},
            {"description", "\u00FF\u20AC\U0001F41B", euro},  // the first one is named
        };
        for (const auto& row : rows) {
            RowTrace trace{row.field};
            START_EDITOR(fixture);
            CScenePropertiesDlg* dialog = fixture.openDialog();
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QCOMPARE(dialog->windowHandle()->title(), QString("Set scene's properties"));
            dialog->activateWindow();
            const QString field = row.field;
            QWidget* target = field == "interval" ? static_cast<QWidget*>(dialog->intervalEdit)
                              : field == "goal"   ? static_cast<QWidget*>(dialog->goalScoreEdit)
                              : field == "title"  ? static_cast<QWidget*>(dialog->titleEdit)
                                                  : static_cast<QWidget*>(dialog->descriptionEdit);
            dialog->objectiveList->setCurrentIndex(GoalScore);  // enables the goal score
            if (auto* line = qobject_cast<QLineEdit*>(target)) line->setText(row.value);
            if (auto* text = qobject_cast<QPlainTextEdit*>(target)) text->setPlainText(row.value);
            const Scene before = editorState.scene;
            dialog->accept();
            QCOMPARE(promptLog.warnings, QStringList{row.message});
            QVERIFY(dialog->isVisible());
            QCOMPARE(QApplication::focusWidget(), target);
            dialog->reject();
            QCOMPARE(editorState.scene.title, before.title);
            QCOMPARE(editorState.scene.fallInterval, before.fallInterval);
            QCOMPARE(editorState.scene.goalScore, before.goalScore);
        }
    }

    void cancelAfterAFailedOkLeavesTheSceneIntact() {
        START_EDITOR(fixture);
        CScenePropertiesDlg* dialog = fixture.openDialog();
        dialog->titleEdit->setText("New title");
        dialog->backgroundList->setCurrentIndex(4);
        dialog->randomFallBox->setChecked(false);
        dialog->intervalEdit->setText("61");  // fails after title, background and random fall
        dialog->accept();
        QCOMPARE(promptLog.warnings.size(), 1);
        dialog->reject();
        QCOMPARE(editorState.scene.title, std::string());
        QCOMPARE(editorState.scene.background, 0);
        QCOMPARE(editorState.scene.randomFall, 1);
        QVERIFY(!fixture.document()->isModified());
    }

    void okAppliesReloadsTheBackgroundAndMarksModified() {
        START_EDITOR(fixture);
        fixture.setProperties([](CScenePropertiesDlg* dialog) {
            dialog->titleEdit->setText("Ore pond");
            dialog->backgroundList->setCurrentIndex(9);
            dialog->objectiveList->setCurrentIndex(GoalScore);
            dialog->goalScoreEdit->setText("300");
            dialog->descriptionEdit->setPlainText("line one\nline two");
        });
        QCOMPARE(editorState.scene.title, std::string("Ore pond"));
        QCOMPARE(editorState.scene.background, 9);
        QCOMPARE(editorState.backgroundImageNumber, 8);
        QCOMPARE(editorState.scene.objective, int(GoalScore));
        QCOMPARE(editorState.scene.goalScore, 300);
        QCOMPARE(editorState.scene.description, std::string("line one\r\nline two"));
        QVERIFY(fixture.document()->isModified());
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[8]);
        // Random and auto cycle backgrounds show the first picture.
        fixture.setProperties(
            [](CScenePropertiesDlg* dialog) { dialog->backgroundList->setCurrentIndex(10); });
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 20, 15), kBackgroundColours[0]);
    }

    void disabledFieldsKeepTheirValuesUnread() {
        START_EDITOR(fixture);
        editorState.scene.goalScore = 2;  // out of range, as a hand-made file may hold
        CScenePropertiesDlg* dialog = fixture.openDialog();
        dialog->randomFallBox->click();
        dialog->intervalEdit->setText("99");
        dialog->accept();
        QCOMPARE(promptLog.warnings, QStringList{});
        QCOMPARE(editorState.scene.goalScore, 2);
        QCOMPARE(editorState.scene.fallInterval, 0);
        QCOMPARE(editorState.scene.randomFall, 0);
    }

    // Untouched fields hand back their bytes as read: lone line feeds, a lone CR in the title
    // and a description that would grow past the limit if it were converted.
    void okMarksModifiedEvenWithoutChanges() {
        EditorFixture fixture;
        Scene before;
        before.title = "Odd\rone";
        before.description = std::string(200, 'd') + std::string(55, '\n');
        const QString path = fixture.folder() + "/odd.qsn";
        QVERIFY(writeSceneFile(path.toLocal8Bit().constData(), before) && fixture.start({"KELV", path}));
        fixture.setProperties([](CScenePropertiesDlg*) {});
        QCOMPARE(promptLog.warnings, QStringList{});
        QCOMPARE(sceneDiskBytes(editorState.scene), sceneDiskBytes(before));
        QVERIFY(fixture.document()->isModified());
    }
};

// ---- undo and redo ---------------------------------------------------------------------------

class UndoTests : public QObject {
    Q_OBJECT
private slots:
    // The history's own rules are tested in the core; here the menu, the picture and the mark.
    void strokeUndoesBackToTheSavedFileAndRedoes() {
        START_EDITOR(fixture);
        makeSaveable();
        fixture.document()->commitEdit();
        fixture.command(CmdFileSave);
        fixture.command(CmdRedBean);
        fixture.stroke(1, 1, 1, 1);
        fixture.command(CmdEditUndo);
        QCOMPARE(cellAt(1, 1), std::uint8_t(EmptyCell));
        QVERIFY(!fixture.frame()->isWindowModified());
        QVERIFY(fixture.frame()->action(CmdEditRedo)->isEnabled());
        fixture.command(CmdEditRedo);
        QVERIFY(fixture.frame()->isWindowModified());
        promptLog.answer = SaveAnswer::No;
        fixture.command(CmdFileNew);  // a fresh history
        QVERIFY(!fixture.frame()->action(CmdEditUndo)->isEnabled());
    }

    void keysUndoAndRedo() {
        START_EDITOR(fixture);
        fixture.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.frame()));
        fixture.command(CmdGreenBean);
        fixture.stroke(4, 4, 4, 4);
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(EmptyCell));
        QTest::keyClick(fixture.frame(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(GreenBean));
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(fixture.frame(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cellAt(4, 4), std::uint8_t(GreenBean));
    }

    void propertiesChangesUndoWithTheirBackground() {
        START_EDITOR(fixture);
        fixture.setProperties([](CScenePropertiesDlg* dialog) {
            dialog->backgroundList->setCurrentIndex(5);
            dialog->titleEdit->setText("Cobble");
        });
        fixture.command(CmdEditUndo);
        QCOMPARE(editorState.scene.title, std::string());
        fixture.view()->repaint();
        QCOMPARE(pictureAt(fixture.view(), 1, 1), kBackgroundColours[0]);
        fixture.command(CmdEditRedo);
        QCOMPARE(editorState.scene.background, 5);
    }
};

KELV_SUITE(DialogTests);
KELV_SUITE(UndoTests);
#include "ui_dialog_undo_tests.moc"

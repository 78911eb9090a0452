// CScenePropertiesDlg: the modal dialog that edits every scene setting except the grid. Its
// fields are filled from the program-wide scene when it opens, only the settings that matter
// for the chosen objective are enabled, and OK checks every field before anything of the
// scene changes.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CScenePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CScenePropertiesDlg(QWidget* parent);

    // Fills the controls from the scene and applies the enabling rules of an opening dialog.
    void exchangeToControls();

    QLineEdit* titleEdit = nullptr;
    QComboBox* backgroundList = nullptr;
    QCheckBox* randomFallBox = nullptr;
    QLineEdit* intervalEdit = nullptr;
    QComboBox* objectiveList = nullptr;
    QLineEdit* goalScoreEdit = nullptr;
    QPlainTextEdit* descriptionEdit = nullptr;

public slots:
    void accept() override;

private:
    void objectiveChanged(int index);
    void randomFallClicked();
    bool readInteger(QLineEdit* field, int low, int high, int& value);
    bool readText(QWidget* field, const QString& text, const QString& shown, int limit, std::string& value);
    void refuseText(QWidget* field, const QString& message);

    // The texts as the fields showed them on opening: a field still holding its text hands
    // back the scene's bytes exactly as they were read.
    QString shownTitle_;
    QString shownDescription_;
};

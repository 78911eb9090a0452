// CScenePropertiesDlg: the modal dialog that edits every scene setting except the grid. It shows
// the plain form of editor/core/properties_form.h: the form decides which fields are enabled and
// whether OK may change the scene; the dialog only shows it and hands back what was typed.
#pragma once

#include <QDialog>

#include "editor/core/properties_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class CScenePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CScenePropertiesDlg(QWidget* parent);

    // Opens the form of the program-wide scene in the controls.
    void exchangeToControls();

    QLineEdit* titleEdit = nullptr;
    QComboBox* backgroundList = nullptr;
    QCheckBox* randomFallBox = nullptr;
    QLineEdit* intervalEdit = nullptr;
    QComboBox* objectiveList = nullptr;
    QLineEdit* goalScoreEdit = nullptr;
    QPlainTextEdit* descriptionEdit = nullptr;
    QLabel* descriptionPreviewLabel = nullptr;  // the description as the game's list shows it

public slots:
    void accept() override;

private:
    void showForm();
    void showStates();
    void readForm();
    QWidget* fieldWidget(int field) const;

    PropertiesForm form_;
};

// The scene properties dialog: title and background at the top, random fall with its interval,
// the objective, the goal score, and the description with a preview of how the game's scene
// list will show it. Its rules live in the form it shows; a refused OK names the field's limit
// and puts the focus on that field, and the scene changes only when every field is good.
#include "editor/app/properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "editor/app/prompts.h"
#include "editor/core/editor_state.h"

namespace {

QLabel* buddyLabel(int field, QWidget* buddy, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromLatin1(propertyLabels[std::size_t(field)]));
    label->setBuddy(buddy);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

CScenePropertiesDlg::CScenePropertiesDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Set scene's properties");
    titleEdit = new QLineEdit;
    backgroundList = new QComboBox;
    for (const char* name : editorBackgroundNames) backgroundList->addItem(QString::fromLatin1(name));
    backgroundList->setMaxVisibleItems(kBackgroundCount);
    randomFallBox = new QCheckBox(QString::fromLatin1(propertyLabels[RandomFallField]));
    intervalEdit = new QLineEdit;
    intervalEdit->setMaximumWidth(60);
    objectiveList = new QComboBox;
    for (const char* text : editorObjectiveTexts) objectiveList->addItem(QString::fromLatin1(text));
    goalScoreEdit = new QLineEdit;
    goalScoreEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), goalScoreEdit));
    goalScoreEdit->setMaximumWidth(100);
    descriptionEdit = new QPlainTextEdit;
    descriptionEdit->setTabChangesFocus(true);
    descriptionEdit->setLineWrapMode(QPlainTextEdit::NoWrap);  // the lines break where the user breaks them
    descriptionPreviewLabel = new QLabel;
    descriptionPreviewLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    descriptionPreviewLabel->setTextFormat(Qt::PlainText);
    descriptionPreviewLabel->setFrameShape(QFrame::StyledPanel);
    descriptionPreviewLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    descriptionPreviewLabel->setMinimumHeight(descriptionPreviewLabel->fontMetrics().lineSpacing() * 6);

    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(TitleField, titleEdit, Qt::AlignRight), 0, 0);
    grid->addWidget(titleEdit, 0, 1, 1, 4);
    grid->addWidget(buddyLabel(BackgroundField, backgroundList, Qt::AlignRight), 1, 0);
    grid->addWidget(backgroundList, 1, 1, 1, 4);
    grid->addWidget(randomFallBox, 2, 0);
    grid->addWidget(buddyLabel(IntervalField, intervalEdit, Qt::AlignRight), 2, 1, 1, 2);
    grid->addWidget(intervalEdit, 2, 3);
    grid->addWidget(new QLabel("Sec."), 2, 4);
    grid->addWidget(buddyLabel(ObjectiveField, objectiveList, Qt::AlignLeft), 3, 0, 1, 5);
    grid->addWidget(objectiveList, 4, 0, 1, 5);
    grid->addWidget(buddyLabel(GoalScoreField, goalScoreEdit, Qt::AlignRight), 5, 0);
    grid->addWidget(goalScoreEdit, 5, 1, 1, 2);
    grid->addWidget(buddyLabel(DescriptionField, descriptionEdit, Qt::AlignLeft), 6, 0, 1, 5);
    grid->addWidget(descriptionEdit, 7, 0, 1, 5);
    grid->addWidget(new QLabel("As the game's scene list shows it:"), 8, 0, 1, 5);
    grid->addWidget(descriptionPreviewLabel, 9, 0, 1, 5);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton("&OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 10, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &CScenePropertiesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(objectiveList, &QComboBox::currentIndexChanged, this, [this](int index) {
        readForm();
        chooseObjective(form_, index);
        showForm();
    });
    connect(randomFallBox, &QCheckBox::clicked, this, [this](bool checked) {
        readForm();
        clickRandomFall(form_, checked);
        showStates();
    });
    connect(descriptionEdit, &QPlainTextEdit::textChanged, this, [this] {
        descriptionPreviewLabel->setText(
            QString::fromUtf8(descriptionPreview(utf8(descriptionEdit->toPlainText()))));
    });
    resize(440, 560);
}

void CScenePropertiesDlg::exchangeToControls() {
    form_ = openPropertiesForm(editorState.scene);
    showForm();
    // What the fields show after Qt took the texts is what counts as untouched.
    form_.openedTitle = utf8(titleEdit->text());
    form_.openedDescription = utf8(descriptionEdit->toPlainText());
    titleEdit->setFocus();
}

void CScenePropertiesDlg::showForm() {
    const QSignalBlocker quietList(objectiveList);  // showing a value is no choice of the user's
    titleEdit->setText(QString::fromUtf8(form_.title));
    backgroundList->setCurrentIndex(form_.background);
    randomFallBox->setChecked(form_.randomFall);
    intervalEdit->setText(QString::fromUtf8(form_.interval));
    objectiveList->setCurrentIndex(form_.objective);
    goalScoreEdit->setText(QString::fromUtf8(form_.goalScore));
    if (utf8(descriptionEdit->toPlainText()) != form_.description)
        descriptionEdit->setPlainText(QString::fromUtf8(form_.description));
    showStates();
}

void CScenePropertiesDlg::showStates() {
    randomFallBox->setChecked(form_.randomFall);
    randomFallBox->setEnabled(form_.randomFallEnabled);
    intervalEdit->setEnabled(form_.intervalEnabled);
    goalScoreEdit->setEnabled(form_.goalScoreEnabled);
}

void CScenePropertiesDlg::readForm() {
    form_.title = utf8(titleEdit->text());
    form_.background = backgroundList->currentIndex();
    form_.randomFall = randomFallBox->isChecked();
    form_.interval = utf8(intervalEdit->text());
    form_.objective = objectiveList->currentIndex();
    form_.goalScore = utf8(goalScoreEdit->text());
    form_.description = utf8(descriptionEdit->toPlainText());
}

QWidget* CScenePropertiesDlg::fieldWidget(int field) const {
    switch (field) {
        case TitleField: return titleEdit;
        case IntervalField: return intervalEdit;
        case GoalScoreField: return goalScoreEdit;
        default: return descriptionEdit;
    }
}

void CScenePropertiesDlg::accept() {
    readForm();
    const FormVerdict verdict = acceptPropertiesForm(form_, editorState.scene);
    if (verdict.field < 0) return QDialog::accept();
    editorPrompts.warn(this, QString::fromUtf8(verdict.message));
    QWidget* field = fieldWidget(verdict.field);
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    if (field == descriptionEdit) descriptionEdit->selectAll();
}

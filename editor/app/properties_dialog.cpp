// The scene properties dialog. The controls follow the old dialog's arrangement (title and
// background at the top, random fall with its interval, the objective, the goal score and the
// description) and its enabling rules. OK validates the fields in their order and stops at the
// first bad one with a message naming the allowed range and the focus on that field; only
// when every field is good does the scene change, so cancelling after a refused OK leaves the
// scene exactly as it was.
#include "editor/app/properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "editor/app/prompts.h"
#include "editor/core/editor_state.h"

namespace {

QLabel* buddyLabel(const char* text, QWidget* buddy, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// Scene texts are 8-bit; line breaks inside the description are CR LF pairs in the scene and
// plain line feeds in the text box. NUL bytes cannot be stored and are dropped.
std::string sceneText(QString text, bool multiLine) {
    text.remove(QChar(0));
    if (multiLine)
        text.replace("\r\n", "\n").replace('\n', "\r\n");
    else
        text.remove('\r').remove('\n');
    return text.toLatin1().toStdString();
}

QString editorText(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size())).replace("\r\n", "\n");
}

}  // namespace

CScenePropertiesDlg::CScenePropertiesDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Set scene's properties");
    titleEdit = new QLineEdit;
    backgroundList = new QComboBox;
    for (const char* name : editorBackgroundNames) backgroundList->addItem(QString::fromLatin1(name));
    backgroundList->setMaxVisibleItems(kBackgroundCount);
    randomFallBox = new QCheckBox("&Random fall");
    intervalEdit = new QLineEdit;
    intervalEdit->setMaximumWidth(60);
    objectiveList = new QComboBox;
    for (const char* text : editorObjectiveTexts) objectiveList->addItem(QString::fromLatin1(text));
    goalScoreEdit = new QLineEdit;
    goalScoreEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), goalScoreEdit));
    goalScoreEdit->setMaximumWidth(100);
    descriptionEdit = new QPlainTextEdit;
    descriptionEdit->setTabChangesFocus(true);
    descriptionEdit->setLineWrapMode(QPlainTextEdit::NoWrap);  // scrolls both ways, as typed

    auto* grid = new QGridLayout(this);
    grid->addWidget(buddyLabel("Scene's &Title:", titleEdit, Qt::AlignRight), 0, 0);
    grid->addWidget(titleEdit, 0, 1, 1, 4);
    grid->addWidget(buddyLabel("&Background:", backgroundList, Qt::AlignRight), 1, 0);
    grid->addWidget(backgroundList, 1, 1, 1, 4);
    grid->addWidget(randomFallBox, 2, 0);
    grid->addWidget(buddyLabel("&Interval:", intervalEdit, Qt::AlignRight), 2, 1, 1, 2);
    grid->addWidget(intervalEdit, 2, 3);
    grid->addWidget(new QLabel("Sec."), 2, 4);
    grid->addWidget(buddyLabel("Objec&tive:", objectiveList, Qt::AlignLeft), 3, 0, 1, 5);
    grid->addWidget(objectiveList, 4, 0, 1, 5);
    grid->addWidget(buddyLabel("&Goal Score:", goalScoreEdit, Qt::AlignRight), 5, 0);
    grid->addWidget(goalScoreEdit, 5, 1, 1, 2);
    grid->addWidget(buddyLabel("&Description:", descriptionEdit, Qt::AlignLeft), 6, 0, 1, 5);
    grid->addWidget(descriptionEdit, 7, 0, 1, 5);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton("&OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 8, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &CScenePropertiesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(objectiveList, &QComboBox::currentIndexChanged, this, &CScenePropertiesDlg::objectiveChanged);
    connect(randomFallBox, &QCheckBox::clicked, this, &CScenePropertiesDlg::randomFallClicked);
    resize(420, 440);
}

void CScenePropertiesDlg::exchangeToControls() {
    const Scene& scene = editorState.scene;
    titleEdit->setText(editorText(scene.title));
    shownTitle_ = titleEdit->text();
    // A value outside the lists (from a hand-made file) shows no selection rather than a wrong one.
    backgroundList->setCurrentIndex(
        scene.background >= 0 && scene.background < kBackgroundCount ? scene.background : -1);
    randomFallBox->setChecked(scene.randomFall != 0);
    intervalEdit->setText(QString::number(scene.fallInterval));
    {
        const QSignalBlocker quiet(objectiveList);  // the opening rules below are not a change
        objectiveList->setCurrentIndex(scene.objective >= 0 && scene.objective <= EatUp ? scene.objective
                                                                                        : -1);
    }
    goalScoreEdit->setText(QString::number(scene.goalScore));
    descriptionEdit->setPlainText(editorText(scene.description));
    shownDescription_ = descriptionEdit->toPlainText();
    if (scene.objective == EatUp) {
        randomFallBox->setChecked(false);
        randomFallBox->setEnabled(false);
    } else {
        randomFallBox->setEnabled(true);
    }
    intervalEdit->setEnabled(randomFallBox->isChecked());
    goalScoreEdit->setEnabled(scene.objective == GoalScore);
    titleEdit->setFocus();
}

void CScenePropertiesDlg::objectiveChanged(int index) {
    if (index < Standard || index > EatUp) return;
    if (index == EatUp) randomFallBox->setChecked(false);
    randomFallBox->setEnabled(index != EatUp);
    intervalEdit->setEnabled(index != EatUp && randomFallBox->isChecked());
    goalScoreEdit->setEnabled(index == GoalScore);
}

void CScenePropertiesDlg::randomFallClicked() {
    intervalEdit->setEnabled(randomFallBox->isChecked());
}

bool CScenePropertiesDlg::readInteger(QLineEdit* field, int low, int high, int& value) {
    bool number = false;
    const qlonglong read = field->text().trimmed().toLongLong(&number);
    if (number && read >= low && read <= high) {
        value = int(read);
        return true;
    }
    editorPrompts.warn(this, number ? QString("Please enter an integer between %1 and %2.").arg(low).arg(high)
                                    : QString("Please enter an integer."));
    field->setFocus();
    field->selectAll();
    return false;
}

bool CScenePropertiesDlg::readText(QWidget* field, const QString& text, const QString& shown, int limit,
                                   std::string& value) {
    if (text == shown) return true;  // untouched: `value` keeps the scene's own bytes
    // Scene texts are Latin-1; anything else would silently become "?".
    for (const char32_t c : text.toUcs4()) {
        if (c <= 0xFF) continue;
        refuseText(field, QString("Please enter only Latin-1 characters: \"%1\" (U+%2) cannot be stored in a "
                                  "scene.")
                              .arg(QString::fromUcs4(&c, 1),
                                   QString::number(uint(c), 16).toUpper().rightJustified(4, '0')));
        return false;
    }
    value = sceneText(text, field == descriptionEdit);
    if (int(value.size()) <= limit) return true;
    refuseText(field, QString("Please enter no more than %1 characters.").arg(limit));
    return false;
}

void CScenePropertiesDlg::refuseText(QWidget* field, const QString& message) {
    editorPrompts.warn(this, message);
    field->setFocus();
    if (field == titleEdit) titleEdit->selectAll();
    if (field == descriptionEdit) descriptionEdit->selectAll();
}

// Every field is read and checked into a copy first; the scene changes only when all are good.
// Disabled fields are not read: a goal score or interval out of range in a hand-made file
// would otherwise block OK with a message about a field the user cannot edit.
void CScenePropertiesDlg::accept() {
    Scene edited = editorState.scene;
    int interval = edited.fallInterval, goal = edited.goalScore;
    if (!readText(titleEdit, titleEdit->text(), shownTitle_, kTitleLimit, edited.title)) return;
    // A disabled field keeps its stored value unread: the user could not correct it anyway.
    if (intervalEdit->isEnabled() && !readInteger(intervalEdit, 0, kFallIntervalLimit, interval)) return;
    if (goalScoreEdit->isEnabled() && !readInteger(goalScoreEdit, kGoalScoreMin, kGoalScoreMax, goal)) return;
    if (!readText(descriptionEdit, descriptionEdit->toPlainText(), shownDescription_, kDescriptionLimit,
                  edited.description))
        return;
    if (backgroundList->currentIndex() >= 0) edited.background = backgroundList->currentIndex();
    edited.randomFall = randomFallBox->isChecked() ? 1 : 0;
    edited.fallInterval = interval;
    if (objectiveList->currentIndex() >= 0) edited.objective = objectiveList->currentIndex();
    edited.goalScore = goal;
    editorState.scene = edited;
    QDialog::accept();
}

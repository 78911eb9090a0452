// The About box: the program icon (when the icons are installed), "Munch Trail Scene Editor",
// "Version 2.01" and an OK button.
#include "editor/app/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel;
    if (parent != nullptr && !parent->windowIcon().isNull())
        icon->setPixmap(parent->windowIcon().pixmap(32, 32));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel("Munch Trail Scene Editor"), 0, 1);
    grid->addWidget(new QLabel("Version 2.01"), 1, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setHorizontalSpacing(16);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

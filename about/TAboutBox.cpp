// TAboutBox.cpp: the About box, its version line built when it is created.
#include "about/TAboutBox.h"

#include "about/core/VersionText.h"
#include "forms/DialogKeys.h"
#include "forms/FormLook.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    ProgramIcon->SetPicture(QImage(QStringLiteral(":/aboutlogo.bmp")));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate(this);
    SetUpDialog(this, {ProductName, Version, Copyright, Label4, Label1, Label2});
    KeepOpenOnEscape(this);
    OKButton->setFocus();
}

void TAboutBox::FormCreate(QObject*) {
    Version->setText(QString::fromStdString(
        VersionText(ZELLIPO_VERSION_MAJOR, ZELLIPO_VERSION_MINOR, ZELLIPO_VERSION_RELEASE)));
}

// TAboutBox.cpp: the About box, its version line built when it is created.
#include "about/TAboutBox.h"

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
    // The minor and release numbers follow each other without a point: 2.0.0 reads "Version:2.00".
    Version->setText(QStringLiteral("Version:%1.%2%3")
                         .arg(ZELLIPO_VERSION_MAJOR)
                         .arg(ZELLIPO_VERSION_MINOR)
                         .arg(ZELLIPO_VERSION_RELEASE));
}

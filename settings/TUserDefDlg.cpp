// TUserDefDlg.cpp: the custom size dialog.
#include "settings/TUserDefDlg.h"

#include "forms/FormLook.h"

TUserDefDlg::TUserDefDlg(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    SetUpDialog(this, {Label1, Label2});
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    OKBtn->setFocus();
}

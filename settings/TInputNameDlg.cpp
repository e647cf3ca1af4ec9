// TInputNameDlg.cpp: the new record holder dialog.
#include "settings/TInputNameDlg.h"

#include "forms/DialogKeys.h"
#include "forms/FormLook.h"

TInputNameDlg::TInputNameDlg(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    SetUpDialog(this, {Label1, Label2});
    KeepOpenOnEscape(this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    NameEdit->setFocus();
}

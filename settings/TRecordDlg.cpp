// TRecordDlg.cpp: the records dialog, filled from the records in memory when it is created.
#include "settings/TRecordDlg.h"

#include "app/FormLook.h"
#include "settings/Infobank.h"
#include "settings/Records.h"

TRecordDlg::TRecordDlg(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate(this);
    SetUpDialog(this, {BasicName, BasicTime, MiddleName, MiddleTime, AdvanceName, AdvanceTime});
}

void TRecordDlg::FormCreate(QObject*) {
    const TRecordTexts texts = RecordTexts(Settings);
    const auto text = [](const std::string& bytes) { return QString::fromUtf8(bytes); };
    BasicName->setText(text(texts.BasicName));
    BasicTime->setText(text(texts.BasicTime));
    MiddleName->setText(text(texts.MiddleName));
    MiddleTime->setText(text(texts.MiddleTime));
    AdvanceName->setText(text(texts.AdvanceName));
    AdvanceTime->setText(text(texts.AdvanceTime));
}

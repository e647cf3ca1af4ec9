// TRecordDlg.cpp: the records dialog, filled from the window's records when it is created.
#include "settings/TRecordDlg.h"

#include <QStyle>
#include <QStyleFactory>

#include "forms/DialogKeys.h"
#include "forms/FormLook.h"
#include "settings/core/Records.h"

TRecordDlg::TRecordDlg(const TSettings& settings, QWidget* parent) : QDialog(parent) {
    setupUi(this);
    // The classic group box, whose title interrupts the frame's top line; the desktop's style
    // sets the title above the frame instead.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        classic->setParent(this);
        for (QGroupBox* box : {GroupBox2, GroupBox3, GroupBox1}) {
            box->setStyle(classic);
        }
    }
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    const TRecordTexts texts = RecordTexts(settings);
    const auto text = [](const std::string& bytes) { return QString::fromUtf8(bytes); };
    BasicName->setText(text(texts.BasicName));
    BasicTime->setText(text(texts.BasicTime));
    MiddleName->setText(text(texts.MiddleName));
    MiddleTime->setText(text(texts.MiddleTime));
    AdvanceName->setText(text(texts.AdvanceName));
    AdvanceTime->setText(text(texts.AdvanceTime));
    SetUpDialog(this, {BasicName, BasicTime, MiddleName, MiddleTime, AdvanceName, AdvanceTime});
    KeepOpenOnEscape(this);
}

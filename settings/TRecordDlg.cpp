// TRecordDlg.cpp: the records dialog, filled from the window's records when it is created.
#include "settings/TRecordDlg.h"

#include <QStyle>
#include <QStyleFactory>
#include <iterator>

#include "engine/core/GameClock.h"
#include "forms/DialogKeys.h"
#include "forms/FormLook.h"

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
    QLabel* const names[] = {BasicName, MiddleName, AdvanceName};
    QLabel* const times[] = {BasicTime, MiddleTime, AdvanceTime};
    for (size_t level = 0; level < std::size(names); ++level) {
        names[level]->setText(QString::fromStdString(settings.*RecordFields[level].Holder));
        times[level]->setText(QString::fromStdString(TimeText(settings.*RecordFields[level].Time)));
    }
    SetUpDialog(this, {BasicName, BasicTime, MiddleName, MiddleTime, AdvanceName, AdvanceTime});
    KeepOpenOnEscape(this);
}

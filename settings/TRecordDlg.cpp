// TRecordDlg.cpp: the records dialog, filled from the window's records when it is created.
#include "settings/TRecordDlg.h"

#include <QStyle>
#include <QStyleFactory>
#include <iterator>
#include <utility>

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
    const std::pair<QLabel*, QLabel*> labels[] = {
        {BasicName, BasicTime}, {MiddleName, MiddleTime}, {AdvanceName, AdvanceTime}};
    for (size_t level = 0; level < std::size(labels); ++level) {
        const auto& [holder, time] = RecordFields[level];
        labels[level].first->setText(QString::fromStdString(settings.*holder));
        labels[level].second->setText(QString::fromStdString(TimeText(settings.*time)));
    }
    SetUpDialog(this, {BasicName, BasicTime, MiddleName, MiddleTime, AdvanceName, AdvanceTime});
    KeepOpenOnEscape(this);
}

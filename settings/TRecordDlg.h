// TRecordDlg.h: shows the best time and its holder of each fixed level.
#pragma once

#include <QDialog>

#include "settings/core/Infobank.h"
#include "ui_TRecordDlg.h"

class TRecordDlg : public QDialog, public Ui::TRecordDlg {
    Q_OBJECT

  public:
    // Shows the records as they are now.
    explicit TRecordDlg(const TSettings& settings, QWidget* parent = nullptr);
};

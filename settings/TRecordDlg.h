// TRecordDlg.h: shows the best time and its holder of each fixed level.
#pragma once

#include <QDialog>

#include "ui_TRecordDlg.h"

class TRecordDlg : public QDialog, public Ui::TRecordDlg {
    Q_OBJECT

  public:
    explicit TRecordDlg(QWidget* parent = nullptr);
    void FormCreate(QObject* sender);
};

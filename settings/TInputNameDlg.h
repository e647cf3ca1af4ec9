// TInputNameDlg.h: asks the holder of a new best time for a name.
#pragma once

#include <QDialog>

#include "ui_TInputNameDlg.h"

class TInputNameDlg : public QDialog, public Ui::TInputNameDlg {
    Q_OBJECT

  public:
    explicit TInputNameDlg(QWidget* parent = nullptr);
};

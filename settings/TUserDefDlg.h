// TUserDefDlg.h: asks for the columns and rows of the user-defined level.
#pragma once

#include <QDialog>

#include "ui_TUserDefDlg.h"

class TUserDefDlg : public QDialog, public Ui::TUserDefDlg {
    Q_OBJECT

  public:
    explicit TUserDefDlg(QWidget* parent = nullptr);
};

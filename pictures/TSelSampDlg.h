// TSelSampDlg.h: the sample chooser: five sample pictures as buttons, one click picks one.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <cstdint>

#include "ui_TSelSampDlg.h"

class TSelSampDlg : public QDialog, public Ui::TSelSampDlg {
    Q_OBJECT

  public:
    explicit TSelSampDlg(QWidget* parent = nullptr);

    void FormShow(QObject* sender);
    void BitBtn1Click(QObject* sender);

    // The resource identifier of the chosen sample; -1 while none is chosen.
    int32_t SelectedSample = -1;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The sample buttons, each under the identifier of the sample it shows.
    QButtonGroup Samples;
};

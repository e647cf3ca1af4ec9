// TAboutBox.h: the product's icon, name and version and the maker's lines.
#pragma once

#include <QDialog>

#include "ui_TAboutBox.h"

class TAboutBox : public QDialog, public Ui::TAboutBox {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    void FormCreate(QObject* sender);
};

// ErrorBox.cpp: the critical message box that shows errors under the application's title.
#include "forms/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

void ShowErrorBox(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text);
    box.addButton(QCoreApplication::translate("ErrorBox", "確定"), QMessageBox::AcceptRole);
    box.exec();
}

void ShowErrorBox(const std::exception& error) {
    ShowErrorBox(QString::fromUtf8(error.what()));
}

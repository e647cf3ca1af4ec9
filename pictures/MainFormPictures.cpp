// MainFormPictures.cpp: setting the main window's current picture.
#include <QFile>

#include "app/ErrorBox.h"
#include "app/TMainForm.h"
#include "pictures/BitmapFile.h"
#include "settings/Infobank.h"

void TMainForm::LoadStartupPicture() {
    if (Settings.BitmapFileName.empty()) {
        return;
    }
    try {
        // Stored names are bytes as the file system has them; relative ones start here.
        const QByteArray name = QByteArray::fromStdString(Settings.BitmapFileName);
        FinalImage->SetPicture(LoadWindowsBitmap(QFile::decodeName(name)));
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        Settings.BitmapFileName.clear();
    }
}

void TMainForm::CmNewClick(QObject*) {}

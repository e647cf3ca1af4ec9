// MainFormPictures.cpp: the main window's current picture, set at start-up and from the samples.
#include <QByteArray>

#include "app/TMainForm.h"
#include "forms/ErrorBox.h"
#include "pictures/BitmapFile.h"
#include "pictures/TSelSampDlg.h"
#include "settings/core/Infobank.h"

void TMainForm::LoadStartupPicture() {
    if (Settings.BitmapFileName.empty()) {
        return;
    }
    try {
        // Stored names are bytes as the file system has them; relative ones start here.
        const QByteArray name = QByteArray::fromStdString(Settings.BitmapFileName);
        FinalImage->SetPicture(LoadWindowsBitmap(name));
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        Settings.BitmapFileName.clear();
    }
}

void TMainForm::CmNewClick(QObject*) {
    TSelSampDlg dialog(this);
    dialog.exec();
    if (dialog.SelectedSample < 0) {
        return;
    }
    // A sample that fails to load leaves the picture as it was; the new game starts all the same.
    Guarded([&] { FinalImage->SetPicture(LoadSampleBitmap(dialog.SelectedSample)); });
    CmReset->trigger();
}

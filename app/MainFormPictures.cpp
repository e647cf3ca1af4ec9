// MainFormPictures.cpp: the main window's current picture, set at start-up, from the samples and
// by a drop.
#include <QByteArray>
#include <QDropEvent>

#include "app/TMainForm.h"
#include "forms/ErrorBox.h"
#include "pictures/PictureDrop.h"
#include "pictures/PictureFile.h"
#include "pictures/TSelSampDlg.h"
#include "settings/core/Infobank.h"

void TMainForm::LoadStartupPicture() {
    if (Settings.BitmapFileName.empty()) {
        return;
    }
    try {
        // Stored names are bytes as the file system has them; relative ones start here.
        const QByteArray name = QByteArray::fromStdString(Settings.BitmapFileName);
        FinalImage->SetPicture(LoadPicture(name));
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

void TMainForm::PlayPicture(const std::function<QImage()>& read) {
    QImage picture;
    try {
        picture = read();
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        return;
    }
    FinalImage->SetPicture(picture);
    CmReset->trigger();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    // The pointer tells whether the drop would be taken.
    if (TakesDrop(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    if (TakesDrop(event->mimeData())) {
        event->acceptProposedAction();
        PlayPicture([event] { return DroppedPicture(*event->mimeData()); });
    }
}

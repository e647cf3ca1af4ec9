// MainFormDisc.cpp: the main window's command that plays a picture of the picture disc.
#include "app/TMainForm.h"
#include "forms/ErrorBox.h"
#include "pictures/PictureFile.h"
#include "pictures/TPlayAndEditDlg.h"

void TMainForm::AttachPictureDisc(TPlayAndEditDlg* launcher) {
    PlayAndEditDlg = launcher;
    CmDisc->setVisible(launcher != nullptr && launcher->HasPictures());
}

void TMainForm::CmDiscClick(QObject*) {
    if (PlayAndEditDlg == nullptr || PlayAndEditDlg->exec() != TPlayAndEditDlg::PlayResult) {
        return;
    }
    // A picture that fails to load leaves the current one; the new game starts all the same,
    // as after a sample is chosen.
    Guarded([this] { FinalImage->SetPicture(LoadPicture(PlayAndEditDlg->SelectedPicture)); });
    CmReset->trigger();
}

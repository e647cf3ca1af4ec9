// MainFormSound.cpp: the main window's switches of the sound effects and the music.
#include "app/TMainForm.h"

void TMainForm::CmSoundClick(QObject*) {
    CmSound->setChecked(!CmSound->isChecked());
    SoundBtn->setChecked(CmSound->isChecked());
}

void TMainForm::CmMusicClick(QObject*) {
    CmMusic->setChecked(!CmMusic->isChecked());
    MusicBtn->setChecked(CmMusic->isChecked());
}

// The effects have no player yet; moves and refused clicks already ask for them.
void TMainForm::PlayMoveSound() {}

void TMainForm::PlayErrorSound() {}

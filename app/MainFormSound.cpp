// MainFormSound.cpp: the main window's sound effects, its background music and their switches.
#include "app/TMainForm.h"
#include "audio/TMediaPlayer.h"
#include "audio/core/SoundFiles.h"

void TMainForm::CmSoundClick(QObject* sender) {
    FollowToggle(sender, CmSound, SoundBtn);
}

void TMainForm::CmMusicClick(QObject* sender) {
    FollowToggle(sender, CmMusic, MusicBtn);
    // Without a device the switch still flips, and the player's error says why nothing plays.
    if (CmMusic->isChecked()) {
        BackMusic->Play();
    } else {
        BackMusic->Stop();
    }
}

void TMainForm::PlayMoveSound() {
    if (CmSound->isChecked()) {
        Sounds.PlayWave(MoveSoundFile);
    }
}

void TMainForm::PlayErrorSound() {
    if (CmSound->isChecked()) {
        Sounds.PlayWave(ErrorSoundFile);
    }
}

void TMainForm::BackMusicNotify(QObject*) {
    // A stop asked for by the switch finds the music switched off, and a replaced request finds
    // the player playing: both leave it as it is. A piece that had stopped at its end would play
    // again here, but the device starts it over by itself.
    if (BackMusic->Mode() == TPlayerMode::Stopped && CmMusic->isChecked()) {
        BackMusic->Play();
    }
}

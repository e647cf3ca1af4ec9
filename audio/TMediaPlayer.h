// TMediaPlayer.h: the invisible media player of a window: one music file, played and stopped on
// request, telling when a play request has ended.
#pragma once

#include <QObject>
#include <QString>

#include "audio/core/MusicPlayer.h"

class TMediaPlayer : public QObject {
    Q_OBJECT

  public:
    TMediaPlayer(IMusicDevice& device, QObject* parent);

    void SetFileName(const QString& fileName) { File = fileName; }
    QString FileName() const { return File; }

    // Opens the device for the file name, waiting until it is done; throws EMediaError. Music
    // the device loses later ends the play request, and the next play tells why.
    void Open();
    // Both throw EMediaError when no device is open.
    void Play() { Player.Play(); }
    void Stop() { Player.Stop(); }

    TPlayerMode Mode() const { return Player.Mode(); }

  signals:
    // A play request has ended. Connect it queued, as a message posted to the window: it is
    // emitted from inside Play and Stop.
    void Notify();

  private:
    QString File;
    TMusicPlayer Player;
};

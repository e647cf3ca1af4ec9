// TMediaPlayer.h: the invisible media player of a window: one music file, played and stopped on
// request, telling when a play request has ended.
#pragma once

#include <QObject>
#include <QString>

#include "audio/MusicPlayer.h"

class QTimer;

class TMediaPlayer : public QObject {
    Q_OBJECT

  public:
    TMediaPlayer(IMusicDevice& device, ITickCounter& ticks, QObject* parent);

    void SetFileName(const QString& fileName) { File = fileName; }
    QString FileName() const { return File; }
    void SetAutoRewind(bool on) { Player.AutoRewind = on; }
    bool AutoRewind() const { return Player.AutoRewind; }

    // Opens the device for the file name, waiting until it is done; throws EMediaError.
    void Open();
    // Both throw EMediaError when no device is open.
    void Play();
    void Stop();

    TPlayerMode Mode();
    uint32_t Position();
    uint32_t Length() const { return Player.Length(); }

  signals:
    // A play request has ended. Connect it queued, as a message posted to the window: it may be
    // emitted from inside Play, Stop or a look at the mode.
    void Notify();

  private:
    // Wakes the player when the piece's end, or the silencing after it, is due.
    void Rearm();

    QString File;
    QTimer* DueTimer;
    TMusicPlayer Player;
};

// TMainForm.h: the main window, the game's front end: it turns the player's input into calls on
// the game and the game's answers into the board, the clock, sounds and dialogs.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <functional>

#include "audio/core/MusicDevice.h"
#include "audio/core/SoundEffects.h"
#include "engine/core/Clocks.h"
#include "engine/core/Game.h"
#include "settings/core/Infobank.h"
#include "settings/core/SettingsStore.h"
#include "ui_TMainForm.h"

class TMediaPlayer;
class TPlayAndEditDlg;

// What the main window needs of the world outside, so tests can stand in for it.
struct TMainFormSeams {
    ITickCounter& Ticks;
    ICalendarClock& Calendar;
    ISettingsStore& Store;
    ISoundEffects& Sounds;
    IMusicDevice& Music;
};

class TMainForm : public QMainWindow, public Ui::TMainForm {
    Q_OBJECT

  public:
    explicit TMainForm(const TMainFormSeams& seams, QWidget* parent = nullptr);
    ~TMainForm() override;

    void FormCreate(QObject* sender);
    void FormShow(QObject* sender);
    void FormDestroy(QObject* sender);

    // The game menu and its toolbar buttons; a switch's state is its item's check mark.
    void CmResetClick(QObject* sender);
    void CmNewClick(QObject* sender);
    void CmBasicClick(QObject* sender);
    void CmMiddleClick(QObject* sender);
    void CmAdvanceClick(QObject* sender);
    void CmUserClick(QObject* sender);
    void CmMusicClick(QObject* sender);
    void CmNumberClick(QObject* sender);
    void CmScopeClick(QObject* sender);
    void CmExitClick(QObject* sender);
    void CmAboutClick(QObject* sender);

    // The board: its drawing, the pointer over it and the moves of the mouse and the keys.
    void MainPaintPaint(QObject* sender);
    void DrawTile(int32_t x, int32_t y, int32_t value);
    void MainPaintMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                            int32_t x, int32_t y);
    void MainPaintMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    void MoveTile(const TMovePlan& plan);
    void CmUpClick(QObject* sender);
    void CmDownClick(QObject* sender);
    void CmLeftClick(QObject* sender);
    void CmRightClick(QObject* sender);

    // The clock, the pause and the end of a game.
    void ClockTimerTimer(QObject* sender);
    void AppMinimize(QObject* sender);
    void AppRestore(QObject* sender);
    void PauseBtnClick(QObject* sender);
    void CheckNewRecord(int32_t seconds);

    void PlayMoveSound();
    void PlayErrorSound();
    void BackMusicNotify(QObject* sender);

    // The picture named in the settings, shown at start.
    void LoadStartupPicture();
    // Makes the loaded picture the game's and starts a new game with it; a picture that fails
    // to load is told and leaves the one before, and the new game starts all the same.
    void PlayPicture(const std::function<QImage()>& load);
    // A picture from outside (the command line, a drop) plays in a new game; one that cannot be
    // read is told and leaves the game as it was.
    void PlayGivenPicture(const std::function<QImage()>& read);

    // The picture disc's command is there only while the launcher found pictures on a disc.
    void AttachPictureDisc(TPlayAndEditDlg* launcher);
    void CmDiscClick(QObject* sender);

    QTimer* ClockTimer;
    TMediaPlayer* BackMusic;
    // Set when a signal or the end of the desktop session ends the game: no box may hold that
    // end up, so a failed save is told on standard error.
    bool QuietEnd = false;

  protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void SetUpLook();
    void WireEvents();
    void On(QAction* item, void (TMainForm::*handler)(QObject*));
    // A new game at the level, which its item and button then show.
    void StartGame(int32_t level);
    const QImage& StretchedPicture();
    void ShowLevel();
    void FollowPause(TPauseStep step);
    void EnableClockTimer();
    void SetClockInterval(int32_t ms);
    void ShowClockNormalColours();
    void SwapClockColours();
    void SaveSettingsNow();

    friend struct TMainFormProbe;

    ISettingsStore& Store;
    ISoundEffects& Sounds;
    TSettings Settings;
    TGame Game;
    bool FormShown = false;
    TPlayAndEditDlg* PlayAndEditDlg = nullptr;
    QImage WorkBitmap;
};

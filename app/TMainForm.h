// TMainForm.h: the main window: toolbar, menu, board, clock and the finished picture.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <functional>

#include "app/core/PauseWatch.h"
#include "audio/core/MusicDevice.h"
#include "audio/core/SoundEffects.h"
#include "engine/core/Board.h"
#include "engine/core/Clocks.h"
#include "engine/core/GameClock.h"
#include "engine/core/MoveRules.h"
#include "settings/core/SettingsStore.h"
#include "ui_TMainForm.h"

class QAbstractButton;
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

    // Lifecycle (app/TMainForm.cpp)
    void FormCreate(QObject* sender);
    void FormShow(QObject* sender);
    void FormDestroy(QObject* sender);

    // Levels, numbers and exit (app/TMainForm.cpp)
    void CmBasicClick(QObject* sender);
    void CmMiddleClick(QObject* sender);
    void CmAdvanceClick(QObject* sender);
    void CmNumberClick(QObject* sender);
    void CmExitClick(QObject* sender);

    // New game and drawing the board (app/MainFormBoard.cpp)
    void CmResetClick(QObject* sender);
    void MainPaintPaint(QObject* sender);
    void DrawTile(int32_t x, int32_t y, int32_t value);

    // Tile moves from the mouse and the arrow keys (app/MainFormMoves.cpp)
    void MainPaintMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                            int32_t x, int32_t y);
    void MainPaintMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    void MoveTile(int32_t x, int32_t y);
    void CmUpClick(QObject* sender);
    void CmDownClick(QObject* sender);
    void CmLeftClick(QObject* sender);
    void CmRightClick(QObject* sender);

    // The game clock, pausing and completion (app/MainFormClock.cpp)
    void ClockTimerTimer(QObject* sender);
    void AppMinimize(QObject* sender);
    void AppRestore(QObject* sender);
    void PauseBtnClick(QObject* sender);

    // Best times (app/MainFormRecords.cpp)
    void CheckNewRecord(int32_t seconds);
    void CmScopeClick(QObject* sender);

    // Sound effects, background music and their switches (app/MainFormSound.cpp)
    void CmSoundClick(QObject* sender);
    void CmMusicClick(QObject* sender);
    void PlayMoveSound();
    void PlayErrorSound();
    void BackMusicNotify(QObject* sender);

    // The start-up picture, the sample chooser, pictures given or dropped
    // (app/MainFormPictures.cpp)
    void LoadStartupPicture();
    void CmNewClick(QObject* sender);
    // A picture from outside (the command line, a drop) becomes the picture of a new game; one
    // that cannot be read is told and leaves the game as it was.
    void PlayPicture(const std::function<QImage()>& read);

    // The picture disc (app/MainFormDisc.cpp): its command is there only while the
    // launcher found pictures on a disc.
    void AttachPictureDisc(TPlayAndEditDlg* launcher);
    void CmDiscClick(QObject* sender);

    // Custom grid size (app/MainFormUserSize.cpp)
    void CmUserClick(QObject* sender);

    // About box (app/MainFormAbout.cpp)
    void CmAboutClick(QObject* sender);

    // The level whose menu item carries the check mark.
    int32_t CheckedLevel() const;

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
    void On(QAbstractButton* button, void (TMainForm::*handler)(QObject*));
    void UndoLevelCheck();
    // Puts a toggle's menu item and button to the mark of whichever of them was clicked.
    void FollowToggle(QObject* sender, QAction* item, QAbstractButton* button);
    // The item of a level code; codes outside 0 to 3 are Basic.
    QAction* LevelItem(int32_t level) const;
    void CheckLevel(QAction* item);
    void SyncLevelButtons();
    // Shows one level's button pressed and the other three released.
    void PressLevelButton(QAbstractButton* pressed);
    void FollowPause(TPauseStep step);
    void EnableClockTimer();
    void SetClockInterval(int32_t ms);
    void ShowClockNormalColours();
    void SwapClockColours();
    void MoveTowardsHole(TArrowKey key);
    void SaveSettingsNow();

    friend struct TMainFormProbe;

    ITickCounter& Ticks;
    ICalendarClock& Calendar;
    ISettingsStore& Store;
    ISoundEffects& Sounds;
    bool FormShown = false;
    TPlayAndEditDlg* PlayAndEditDlg = nullptr;

    QImage WorkBitmap;
    TBoard Board;
    TClock Clock;
    TPauseWatch PauseWatch;
};

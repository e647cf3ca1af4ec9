// TMainForm.cpp: building the main window, its start and end, the level and number commands.
#include "app/TMainForm.h"
#include "app/StartupPhase.h"

#include <QApplication>
#include <QLayout>
#include <QShowEvent>

#include <iostream>

#include "audio/TMediaPlayer.h"
#include "audio/core/SoundFiles.h"
#include "engine/Cursors.h"
#include "engine/core/Levels.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "settings/core/Infobank.h"

namespace {
const QColor WindowGreen(0, 128, 0);
}

TMainForm::TMainForm(const TMainFormSeams& seams, QWidget* parent)
    : QMainWindow(parent),
      ClockTimer(new QTimer(this)),
      BackMusic(new TMediaPlayer(seams.Music, this)),
      Ticks(seams.Ticks),
      Calendar(seams.Calendar),
      Store(seams.Store),
      Sounds(seams.Sounds),
      // Only X11 reports a window minimized; a Wayland compositor keeps that to itself.
      PauseWatch(!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    setupUi(this);
    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    ClockTimer->setInterval(IntervalRunning);
    // A coarse timer may fire early, and a first tick would then show a second too few.
    ClockTimer->setTimerType(Qt::PreciseTimer);
    BackMusic->setObjectName(QStringLiteral("BackMusic"));
    SetUpLook();
    WireEvents();
    // An error while the window is created is shown, and the window still opens.
    Guarded([this] { FormCreate(this); });
}

TMainForm::~TMainForm() {
    try {
        FormDestroy(this);
    } catch (const std::exception& error) {
        if (QuietEnd) {
            std::cerr << "zellipo: " << error.what() << '\n';
        } else {
            ShowErrorBox(error);
        }
    }
}

void TMainForm::SetUpLook() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    UseFormFont(this);
    setWindowIcon(GlyphIcon(QStringLiteral(":/icon.png")));
    FinalImage->SetPicture(ResourceImage(QStringLiteral(":/default.bmp")));

    QPalette green = palette();
    green.setColor(QPalette::Window, WindowGreen);
    centralWidget()->setAutoFillBackground(true);
    centralWidget()->setPalette(green);
    // The toolbar panel keeps the button face colour of the desktop.
    QPalette face = MainPanel->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    MainPanel->setPalette(face);

    ShowClockNormalColours();
    QFont clockFont(QStringLiteral("Times New Roman"));
    clockFont.setPixelSize(19);
    clockFont.setBold(true);
    ClockText->setFont(clockFont);

    const struct {
        QAbstractButton* Button;
        const char* Glyph;
    } glyphs[] = {{ResetBtn, ":/reset.png"},     {NewBtn, ":/new.png"},
                  {BasicBtn, ":/basic.png"},     {MiddleBtn, ":/middle.png"},
                  {AdvanceBtn, ":/advance.png"}, {UserBtn, ":/user.png"},
                  {MusicBtn, ":/music.png"},     {NumberBtn, ":/number.png"},
                  {ScopeBtn, ":/scope.png"},     {PauseBtn, ":/pause.png"}};
    for (const auto& g : glyphs) {
        g.Button->setIcon(GlyphIcon(QString::fromLatin1(g.Glyph)));
    }
    // The sound glyph holds the normal and the disabled look side by side.
    const QImage sound = ResourceImage(QStringLiteral(":/sound.png"));
    SoundBtn->setIcon(PixelArtIcon(sound.copy(16, 0, 16, 16), QIcon::Disabled,
                                   PixelArtIcon(sound.copy(0, 0, 16, 16))));

    // The arrow keys act through the hidden HotKey menu; a hidden menu's actions get no
    // shortcuts in Qt unless they also belong to the window.
    HotKey1->menuAction()->setVisible(false);
    addActions(HotKey1->actions());

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(this);
}

void TMainForm::On(QAction* item, void (TMainForm::*handler)(QObject*)) {
    connect(item, &QAction::triggered, this, [this, item, handler] {
        if (item->actionGroup() == LevelGroup) {
            UndoLevelCheck();
        }
        Guarded([&] { (this->*handler)(item); });
    });
}

void TMainForm::UndoLevelCheck() {
    // A level's check mark changes only in its handler, which may yet be cancelled; the toolkit's
    // change took the mark off the level before, which the level buttons still show.
    LevelItem(LevelFromChecks(BasicBtn->isChecked(), MiddleBtn->isChecked(),
                              AdvanceBtn->isChecked(), UserBtn->isChecked()))
        ->setChecked(true);
}

void TMainForm::FollowToggle(QObject* sender, QAction* item, QAbstractButton* button) {
    // The menu item or the button clicked has flipped its own mark already; the other follows.
    if (sender == button) {
        item->setChecked(button->isChecked());
    } else {
        button->setChecked(item->isChecked());
    }
}

void TMainForm::On(QAbstractButton* button, void (TMainForm::*handler)(QObject*)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, button, handler] { Guarded([&] { (this->*handler)(button); }); });
}

void TMainForm::WireEvents() {
    On(CmReset, &TMainForm::CmResetClick);
    On(ResetBtn, &TMainForm::CmResetClick);
    On(CmNew, &TMainForm::CmNewClick);
    On(NewBtn, &TMainForm::CmNewClick);
    On(CmDisc, &TMainForm::CmDiscClick);
    On(CmBasic, &TMainForm::CmBasicClick);
    On(BasicBtn, &TMainForm::CmBasicClick);
    On(CmMiddle, &TMainForm::CmMiddleClick);
    On(MiddleBtn, &TMainForm::CmMiddleClick);
    On(CmAdvance, &TMainForm::CmAdvanceClick);
    On(AdvanceBtn, &TMainForm::CmAdvanceClick);
    On(CmUser, &TMainForm::CmUserClick);
    On(UserBtn, &TMainForm::CmUserClick);
    On(CmMusic, &TMainForm::CmMusicClick);
    On(MusicBtn, &TMainForm::CmMusicClick);
    On(CmSound, &TMainForm::CmSoundClick);
    On(SoundBtn, &TMainForm::CmSoundClick);
    On(CmNumber, &TMainForm::CmNumberClick);
    On(NumberBtn, &TMainForm::CmNumberClick);
    On(CmScope, &TMainForm::CmScopeClick);
    On(ScopeBtn, &TMainForm::CmScopeClick);
    On(CmExit, &TMainForm::CmExitClick);
    On(CmUp, &TMainForm::CmUpClick);
    On(CmDown, &TMainForm::CmDownClick);
    On(CmLeft, &TMainForm::CmLeftClick);
    On(CmRight, &TMainForm::CmRightClick);
    On(CmAbout, &TMainForm::CmAboutClick);
    On(PauseBtn, &TMainForm::PauseBtnClick);

    connect(MainPaint, &TPaintBox::Paint, this,
            [this] { Guarded([this] { MainPaintPaint(MainPaint); }); });
    connect(MainPaint, &TPaintBox::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
                Guarded([&] { MainPaintMouseDown(MainPaint, button, shift, x, y); });
            });
    connect(MainPaint, &TPaintBox::MouseMove, this,
            [this](Qt::KeyboardModifiers shift, int x, int y) {
                Guarded([&] { MainPaintMouseMove(MainPaint, shift, x, y); });
            });
    connect(ClockTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { ClockTimerTimer(ClockTimer); }); });
    // Queued like a posted message: the player may tell of an ended request from inside a Play or
    // Stop, and the handler must not run in the middle of it.
    connect(
        BackMusic, &TMediaPlayer::Notify, this,
        [this] { Guarded([this] { BackMusicNotify(BackMusic); }); }, Qt::QueuedConnection);
}

void TMainForm::FormCreate(QObject*) {
    Clock.StartTick = 0;
    Clock.FinalSeconds = 0;
    RegisterPointingHands();
    StartupPhaseDone("form");
    // Minimize and restore reach AppMinimize and AppRestore through changeEvent.
    // A value that cannot be read is told and keeps its default; the start goes on with every
    // other value, so one mistyped value does not cost the player's other choices.
    Guarded([this] { LoadSettings(Settings, Store); });
    StartupPhaseDone("settings");
    LoadStartupPicture();
    StartupPhaseDone("pictures");
    CheckLevel(LevelItem(Settings.Level));
    CmSound->setChecked(Settings.SoundOn);
    SoundBtn->setChecked(Settings.SoundOn);
    CmMusic->setChecked(Settings.MusicOn);
    MusicBtn->setChecked(Settings.MusicOn);
    CmNumber->setChecked(Settings.NumberOn);
    NumberBtn->setChecked(Settings.NumberOn);
    CmReset->trigger();
    StartupPhaseDone("first game");
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A restore from the task bar shows the window again; only the first show starts the music.
    if (!FormShown) {
        FormShown = true;
        // Loading the soundfont takes a while, so the music is opened once the board has been
        // painted: the window reaches the screen first and the music starts a moment later.
        // A failed open is shown once, and the window stays open.
        connect(
            MainPaint, &TPaintBox::Paint, this,
            [this] {
                QTimer::singleShot(0, this, [this] { Guarded([this] { FormShow(this); }); });
            },
            Qt::SingleShotConnection);
    }
}

void TMainForm::FormShow(QObject*) {
    // The music is looked for beside the program, wherever the game was started from.
    BackMusic->SetFileName(
        QString::fromStdString(MusicPathIn(QCoreApplication::applicationDirPath().toStdString())));
    BackMusic->Open();
    // The player's device starts the piece over at its end by itself, which is what auto-rewind
    // and the end's notification amount to.
    if (CmMusic->isChecked()) {
        BackMusic->Play();
    }
}

void TMainForm::FormDestroy(QObject*) {
    SaveSettingsNow();
}

void TMainForm::SaveSettingsNow() {
    Settings.Level = CheckedLevel();
    Settings.SoundOn = CmSound->isChecked();
    Settings.MusicOn = CmMusic->isChecked();
    Settings.NumberOn = CmNumber->isChecked();
    SaveSettings(Settings, Store);
}

int32_t TMainForm::CheckedLevel() const {
    return LevelFromChecks(CmBasic->isChecked(), CmMiddle->isChecked(), CmAdvance->isChecked(),
                           CmUser->isChecked());
}

QAction* TMainForm::LevelItem(int32_t level) const {
    switch (level) {
        case LevelMiddle:
            return CmMiddle;
        case LevelAdvance:
            return CmAdvance;
        case LevelUser:
            return CmUser;
        default:
            return CmBasic;
    }
}

void TMainForm::CheckLevel(QAction* item) {
    // The level group takes the mark off the other levels.
    item->setChecked(true);
    SyncLevelButtons();
}

void TMainForm::SyncLevelButtons() {
    BasicBtn->setChecked(CmBasic->isChecked());
    MiddleBtn->setChecked(CmMiddle->isChecked());
    AdvanceBtn->setChecked(CmAdvance->isChecked());
    UserBtn->setChecked(CmUser->isChecked());
}

void TMainForm::PressLevelButton(QAbstractButton* pressed) {
    for (QAbstractButton* button : {BasicBtn, MiddleBtn, AdvanceBtn, UserBtn}) {
        button->setChecked(button == pressed);
    }
}

void TMainForm::CmBasicClick(QObject*) {
    CheckLevel(CmBasic);
    CmReset->trigger();
}

void TMainForm::CmMiddleClick(QObject*) {
    CheckLevel(CmMiddle);
    CmReset->trigger();
}

void TMainForm::CmAdvanceClick(QObject*) {
    CheckLevel(CmAdvance);
    CmReset->trigger();
}

void TMainForm::CmNumberClick(QObject* sender) {
    FollowToggle(sender, CmNumber, NumberBtn);
    MainPaint->Invalidate();
}

void TMainForm::CmExitClick(QObject*) {
    close();
}

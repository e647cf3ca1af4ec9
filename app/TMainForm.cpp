// TMainForm.cpp: the main window: its look and start and end, the game's commands, the board's
// drawing and moves, the clock with the pause, the sounds and the pictures.
#include "app/TMainForm.h"
#include "app/StartupPhase.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QPainter>
#include <QShowEvent>

#include <chrono>
#include <iostream>
#include <thread>

#include "about/TAboutBox.h"
#include "audio/TMediaPlayer.h"
#include "audio/core/SoundFiles.h"
#include "engine/Cursors.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/PictureDrop.h"
#include "pictures/PictureFile.h"
#include "pictures/TPlayAndEditDlg.h"
#include "pictures/TSelSampDlg.h"
#include "settings/TInputNameDlg.h"
#include "settings/TRecordDlg.h"
#include "settings/TUserDefDlg.h"

namespace {

constexpr uint32_t SlideStepMs = 20;

// Numbers are set 16 pixels high from the top of their text cell, so take the largest face
// whose whole cell fits those 16 pixels; it and its ascent are worked out once, not per tile.
struct TTileNumberFont {
    QFont Font;
    int Ascent;
};

const TTileNumberFont& TileNumberFont() {
    static const TTileNumberFont number = [] {
        QFont font;
        font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
        for (int size = 16; size > 6; --size) {
            font.setPixelSize(size);
            if (QFontMetrics(font).height() <= 16) {
                break;
            }
        }
        return TTileNumberFont{font, QFontMetrics(font).ascent()};
    }();
    return number;
}

// Holds the user-interface thread without handling events; input that arrives meanwhile waits
// in the queue. It sleeps rather than spins, and compares unsigned differences so a wrap of the
// counter cannot stretch the wait.
void WaitSince(TGame& game, uint32_t t0, uint32_t ms) {
    for (uint32_t now = game.Now(); now - t0 < ms; now = game.Now()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms - (now - t0)));
    }
}

}  // namespace

TMainForm::TMainForm(const TMainFormSeams& seams, QWidget* parent)
    : QMainWindow(parent),
      ClockTimer(new QTimer(this)),
      BackMusic(new TMediaPlayer(seams.Music, this)),
      Store(seams.Store),
      Sounds(seams.Sounds),
      // Only X11 reports a window minimized; a Wayland compositor keeps that to itself.
      Game(seams.Ticks, seams.Calendar,
           !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
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
    // The window shows only the game's own texts, which the face has, so the start need not
    // look up other faces for characters it might lack.
    QFont font = FormFont();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    setFont(font);
    setAcceptDrops(true);
    FinalImage->SetBuiltInPicture(QStringLiteral(":/default.bmp"));

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
        TItemButton* Button;
        QAction* Item;
        QIcon Glyph;
    } buttons[] = {
        {ResetBtn, CmReset, GlyphIcon(QStringLiteral(":/reset.png"))},
        {NewBtn, CmNew, GlyphIcon(QStringLiteral(":/new.png"))},
        {BasicBtn, CmBasic, GlyphIcon(QStringLiteral(":/basic.png"))},
        {MiddleBtn, CmMiddle, GlyphIcon(QStringLiteral(":/middle.png"))},
        {AdvanceBtn, CmAdvance, GlyphIcon(QStringLiteral(":/advance.png"))},
        {UserBtn, CmUser, GlyphIcon(QStringLiteral(":/user.png"))},
        {MusicBtn, CmMusic, GlyphIcon(QStringLiteral(":/music.png"))},
        {SoundBtn, CmSound, GlyphIcon(QStringLiteral(":/sound.png"), true)},
        {NumberBtn, CmNumber, GlyphIcon(QStringLiteral(":/number.png"))},
        {ScopeBtn, CmScope, GlyphIcon(QStringLiteral(":/scope.png"))},
    };
    // Each button is its menu item on the toolbar, so a switch has one state that both show;
    // the item takes the button's tip.
    for (const auto& b : buttons) {
        b.Item->setToolTip(b.Button->toolTip());
        b.Button->ShowItem(b.Item, b.Glyph);
    }
    PauseBtn->setIcon(GlyphIcon(QStringLiteral(":/pause.png")));

    // The arrow keys act through the hidden HotKey menu; a hidden menu's actions get no
    // shortcuts in Qt unless they also belong to the window.
    HotKey1->menuAction()->setVisible(false);
    addActions(HotKey1->actions());

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(this);
}

void TMainForm::On(QAction* item, void (TMainForm::*handler)(QObject*)) {
    connect(item, &QAction::triggered, this,
            [this, item, handler] { Guarded([&] { (this->*handler)(item); }); });
}

void TMainForm::WireEvents() {
    On(CmReset, &TMainForm::CmResetClick);
    On(CmNew, &TMainForm::CmNewClick);
    On(CmDisc, &TMainForm::CmDiscClick);
    On(CmBasic, &TMainForm::CmBasicClick);
    On(CmMiddle, &TMainForm::CmMiddleClick);
    On(CmAdvance, &TMainForm::CmAdvanceClick);
    On(CmUser, &TMainForm::CmUserClick);
    On(CmMusic, &TMainForm::CmMusicClick);
    On(CmNumber, &TMainForm::CmNumberClick);
    On(CmScope, &TMainForm::CmScopeClick);
    On(CmExit, &TMainForm::CmExitClick);
    On(CmUp, &TMainForm::CmUpClick);
    On(CmDown, &TMainForm::CmDownClick);
    On(CmLeft, &TMainForm::CmLeftClick);
    On(CmRight, &TMainForm::CmRightClick);
    On(CmAbout, &TMainForm::CmAboutClick);
    connect(PauseBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { PauseBtnClick(PauseBtn); }); });

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
    StartupPhaseDone("form");
    // Minimize and restore reach AppMinimize and AppRestore through changeEvent.
    // A value that cannot be read is told and keeps its default; the start goes on with every
    // other value, so one mistyped value does not cost the player's other choices.
    Guarded([this] { LoadSettings(Settings, Store); });
    StartupPhaseDone("settings");
    LoadStartupPicture();
    StartupPhaseDone("pictures");
    CmSound->setChecked(Settings.SoundOn);
    CmMusic->setChecked(Settings.MusicOn);
    CmNumber->setChecked(Settings.NumberOn);
    StartGame(Settings.Level);
    StartupPhaseDone("first game");
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A restore from the task bar shows the window again; only the first show starts the music.
    if (!FormShown) {
        FormShown = true;
        // Loading the soundfont takes a while, so the music is opened once the board has been
        // painted: the window reaches the screen first and the music starts a moment later.
        // A failed open is shown once, and the window stays open. The icon, which only the task
        // bar shows, comes with the board too: it is the window's first image read, for which Qt
        // first lists its image plugins, and the window need not wait for that.
        connect(
            MainPaint, &TPaintBox::Paint, this,
            [this] {
                setWindowIcon(GlyphIcon(QStringLiteral(":/icon.png")));
                QTimer::singleShot(0, this, [this] { Guarded([this] { FormShow(this); }); });
            },
            Qt::SingleShotConnection);
    }
}

void TMainForm::FormShow(QObject*) {
    // The music is looked for beside the program, wherever the game was started from.
    BackMusic->SetFileName(QDir(QCoreApplication::applicationDirPath()).filePath(MusicFile));
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
    Settings.Level = Game.Level;
    Settings.SoundOn = CmSound->isChecked();
    Settings.MusicOn = CmMusic->isChecked();
    Settings.NumberOn = CmNumber->isChecked();
    SaveSettings(Settings, Store);
}

void TMainForm::StartGame(int32_t level) {
    WorkBitmap = QImage();
    Game.NewGame(level, {Settings.UserDefineH, Settings.UserDefineV});
    ShowLevel();
    MainPaint->Invalidate();
    ShowClockNormalColours();
    SetClockInterval(IntervalRunning);
    EnableClockTimer();
}

const QImage& TMainForm::StretchedPicture() {
    // Stretched from the picture itself at the screen's resolution, so a high-density screen
    // shows the picture's own detail rather than a 360-pixel copy scaled up. It is made as the
    // board is first drawn, so the window of a start is shown without waiting for it.
    const qreal ratio = MainPaint->devicePixelRatioF();
    if (WorkBitmap.isNull() || WorkBitmap.devicePixelRatio() != ratio) {
        WorkBitmap = QImage(MainPaint->size() * ratio, QImage::Format_RGB32);
        WorkBitmap.setDevicePixelRatio(ratio);
        WorkBitmap.fill(Qt::white);
        QPainter(&WorkBitmap).drawImage(MainPaint->rect(), FinalImage->Picture());
    }
    return WorkBitmap;
}

void TMainForm::ShowLevel() {
    // The group's items are the levels in the order of their codes; it unchecks the others.
    LevelGroup->actions().at(Game.Level)->setChecked(true);
}

void TMainForm::CmResetClick(QObject*) {
    StartGame(Game.Level);
}

void TMainForm::CmBasicClick(QObject*) {
    StartGame(LevelBasic);
}

void TMainForm::CmMiddleClick(QObject*) {
    StartGame(LevelMiddle);
}

void TMainForm::CmAdvanceClick(QObject*) {
    StartGame(LevelAdvance);
}

void TMainForm::CmUserClick(QObject*) {
    // The item is checked while the dialog is open, so its button shows the level being chosen;
    // whatever comes of the dialog, the game's level is shown again.
    Guarded([this] {
        TUserDefDlg dialog(this);
        dialog.HSpinEdit->SetValue(Settings.UserDefineH);
        dialog.VSpinEdit->SetValue(Settings.UserDefineV);
        if (dialog.exec() == QDialog::Accepted) {
            Settings.UserDefineH = dialog.HSpinEdit->Value();
            Settings.UserDefineV = dialog.VSpinEdit->Value();
            StartGame(LevelUser);
        }
    });
    ShowLevel();
}

void TMainForm::CmMusicClick(QObject*) {
    // Without a device the switch still flips, and the player's error says why nothing plays.
    if (CmMusic->isChecked()) {
        BackMusic->Play();
    } else {
        BackMusic->Stop();
    }
}

void TMainForm::CmNumberClick(QObject*) {
    MainPaint->Invalidate();
}

void TMainForm::CmScopeClick(QObject*) {
    TRecordDlg dialog(Settings, this);
    dialog.exec();
}

void TMainForm::CmExitClick(QObject*) {
    close();
}

void TMainForm::CmAboutClick(QObject*) {
    // However it is closed, nothing comes back from it.
    TAboutBox dialog(this);
    dialog.exec();
}

void TMainForm::MainPaintPaint(QObject*) {
    const TBoard& board = Game.Board;
    if (!board.HasGame()) {
        return;
    }
    if (board.Solved) {
        QPainter(&MainPaint->Canvas())
            .drawImage(board.BoardLeft, board.BoardTop, StretchedPicture());
        return;
    }
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        const TPoint origin = CellOrigin(board, p);
        DrawTile(origin.X, origin.Y, board.BoardCells[p]);
    }
}

void TMainForm::DrawTile(int32_t x, int32_t y, int32_t value) {
    const TBoard& board = Game.Board;
    const int32_t w = board.TileWidth;
    const int32_t h = board.TileHeight;
    const QImage& picture = StretchedPicture();
    const qreal ratio = picture.devicePixelRatio();
    QImage tile(QSize(w, h) * ratio, QImage::Format_RGB32);
    tile.setDevicePixelRatio(ratio);
    QPainter painter(&tile);
    if (value < board.Hole()) {
        const QRectF piece((value % board.ColCount) * w, (value / board.ColCount) * h, w, h);
        painter.drawImage(QRectF(0, 0, w, h), picture,
                          QRectF(piece.topLeft() * ratio, piece.size() * ratio));
        if (CmNumber->isChecked()) {
            painter.setFont(TileNumberFont().Font);
            painter.setPen(Qt::red);
            painter.drawText(QPoint(1, h - 16 + TileNumberFont().Ascent),
                             QString::number(value + 1));
        }
    } else {
        tile.fill(WindowGreen);
    }
    // Lines that leave out their end points: white down the left and along the top, black along
    // the bottom and up the right, and the top-right corner pixel left as it was.
    painter.fillRect(0, 0, 1, h, Qt::white);
    painter.fillRect(0, 0, w - 1, 1, Qt::white);
    painter.fillRect(0, h - 1, w - 1, 1, Qt::black);
    painter.fillRect(w - 1, 1, 1, h - 1, Qt::black);
    painter.end();

    QPainter(&MainPaint->Canvas()).drawImage(x, y, tile);
    MainPaint->Flush(QRect(x, y, w, h));
}

void TMainForm::MainPaintMouseDown(QObject*, Qt::MouseButton button, Qt::KeyboardModifiers,
                                   int32_t x, int32_t y) {
    if (button == Qt::LeftButton) {
        MoveTile(Game.Click(x, y));
    }
}

void TMainForm::MainPaintMouseMove(QObject*, Qt::KeyboardModifiers, int32_t x, int32_t y) {
    MainPaint->setCursor(CursorFor(PointerFor(Game.Board, x, y)));
}

void TMainForm::MoveTile(const TMovePlan& plan) {
    if (plan.Outcome == TMoveOutcome::Ignored) {
        return;
    }
    if (plan.Outcome == TMoveOutcome::Refused) {
        PlayErrorSound();
        return;
    }
    // The pixels already on screen move; the tile is not redrawn on the way.
    const QRect slide(plan.Slide.Left, plan.Slide.Top, plan.Slide.Width, plan.Slide.Height);
    const int32_t columns = Game.Board.ColCount;
    const QPoint way(plan.To % columns - plan.From % columns,
                     plan.To / columns - plan.From / columns);
    for (int32_t step : SlideSteps(plan.Distance)) {
        const uint32_t t0 = Game.Now();
        MainPaint->Scroll(slide, way.x() * step, way.y() * step);
        WaitSince(Game, t0, SlideStepMs);
    }
    PlayMoveSound();
    Game.Move(plan);
    DrawTile(plan.Cell.Left, plan.Cell.Top, Game.Board.Hole());
}

void TMainForm::CmUpClick(QObject*) {
    MoveTile(Game.Arrow(ArrowUp));
}

void TMainForm::CmDownClick(QObject*) {
    MoveTile(Game.Arrow(ArrowDown));
}

void TMainForm::CmLeftClick(QObject*) {
    MoveTile(Game.Arrow(ArrowLeft));
}

void TMainForm::CmRightClick(QObject*) {
    MoveTile(Game.Arrow(ArrowRight));
}

void TMainForm::ClockTimerTimer(QObject*) {
    const TTickOutcome outcome = Game.Tick();
    SetClockInterval(outcome.IntervalMs);
    switch (outcome.Action) {
        case TTickAction::ShowTime:
            ClockText->setText(QString::fromStdString(outcome.Text));
            break;
        case TTickAction::SwapColours:
            SwapClockColours();
            break;
        case TTickAction::Finish:
            ClockTimer->stop();
            ShowClockNormalColours();
            MainPaint->Invalidate();
            CheckNewRecord(Game.Clock.FinalSeconds);
            break;
    }
}

void TMainForm::AppMinimize(QObject*) {
    Game.Minimize(ClockTimer->isActive());
    ClockTimer->stop();
}

void TMainForm::AppRestore(QObject*) {
    if (Game.Restore()) {
        EnableClockTimer();
    }
}

void TMainForm::PauseBtnClick(QObject*) {
    FollowPause(Game.PauseWatch.Paused(Game.Now()));
    // Where the desktop leaves the window on screen, using it ends the pause.
    qApp->installEventFilter(this);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->showMinimized();
        }
    }
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Focus moving to another program is no minimize; it counts only where the desktop reports
    // no minimize at all.
    if (event->type() == QEvent::WindowStateChange) {
        FollowPause(Game.PauseWatch.StateChanged(isMinimized()));
    } else if (event->type() == QEvent::ActivationChange) {
        FollowPause(Game.PauseWatch.ActiveChanged(isActiveWindow()));
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Every key is offered first as a shortcut override, also one that then moves a tile as a
    // shortcut and never arrives as a key press.
    if (type == QEvent::MouseButtonPress || type == QEvent::ShortcutOverride) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this &&
            Game.PauseWatch.Used(Game.Now()) == TPauseStep::Resume) {
            // The desktop never minimized the window, whatever the toolkit still believes.
            setWindowState(windowState() & ~Qt::WindowMinimized);
            FollowPause(TPauseStep::Resume);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FollowPause(TPauseStep step) {
    if (step == TPauseStep::Stop) {
        Guarded([this] { AppMinimize(this); });
    } else if (step == TPauseStep::Resume) {
        qApp->removeEventFilter(this);
        Guarded([this] { AppRestore(this); });
    }
}

void TMainForm::EnableClockTimer() {
    // Enabling a running timer must not restart its period.
    if (!ClockTimer->isActive()) {
        ClockTimer->start();
    }
}

void TMainForm::SetClockInterval(int32_t ms) {
    // A new interval restarts the period, so only a real change sets it.
    if (ClockTimer->interval() != ms) {
        ClockTimer->setInterval(ms);
    }
}

void TMainForm::ShowClockNormalColours() {
    // Lime on navy.
    QPalette clock = ClockText->palette();
    clock.setColor(QPalette::Window, Qt::darkBlue);
    clock.setColor(QPalette::WindowText, Qt::green);
    ClockText->setPalette(clock);
}

void TMainForm::SwapClockColours() {
    QPalette clock = ClockText->palette();
    const QColor text = clock.color(QPalette::WindowText);
    clock.setColor(QPalette::WindowText, clock.color(QPalette::Window));
    clock.setColor(QPalette::Window, text);
    ClockText->setPalette(clock);
}

void TMainForm::CheckNewRecord(int32_t seconds) {
    if (!IsNewRecord(Settings, Game.Level, seconds)) {
        return;
    }
    Guarded([&] {
        TInputNameDlg dialog(this);
        // However it was closed, the name field holds the name.
        dialog.exec();
        StoreRecord(Settings, Game.Level, dialog.NameEdit->text().toStdString(), seconds);
        // Saved at once, so a crash or a power cut before the exit cannot lose the record.
        SaveSettingsNow();
    });
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

void TMainForm::PlayPicture(const std::function<QImage()>& load) {
    Guarded([&] { FinalImage->SetPicture(load()); });
    CmReset->trigger();
}

void TMainForm::PlayGivenPicture(const std::function<QImage()>& read) {
    QImage picture;
    try {
        picture = read();
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        return;
    }
    PlayPicture([&picture] { return picture; });
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
        PlayGivenPicture([event] { return DroppedPicture(*event->mimeData()); });
    }
}

void TMainForm::CmNewClick(QObject*) {
    TSelSampDlg dialog(this);
    dialog.exec();
    if (dialog.SelectedSample >= 0) {
        PlayPicture([&] { return LoadSampleBitmap(dialog.SelectedSample); });
    }
}

void TMainForm::AttachPictureDisc(TPlayAndEditDlg* launcher) {
    PlayAndEditDlg = launcher;
    CmDisc->setVisible(launcher != nullptr && launcher->HasPictures());
}

void TMainForm::CmDiscClick(QObject*) {
    if (PlayAndEditDlg != nullptr && PlayAndEditDlg->exec() == TPlayAndEditDlg::PlayResult) {
        PlayPicture([this] { return LoadPicture(PlayAndEditDlg->SelectedPicture); });
    }
}

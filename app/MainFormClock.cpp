// MainFormClock.cpp: the main window's game clock, pausing and the end of a game.
#include <QApplication>
#include <QEvent>

#include "app/TMainForm.h"
#include "forms/ErrorBox.h"

void TMainForm::ClockTimerTimer(QObject*) {
    const TTickOutcome outcome = ClockTick(Clock, Board.Solved, Ticks.Now());
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
            CheckNewRecord(Clock.FinalSeconds);
            break;
    }
}

void TMainForm::AppMinimize(QObject*) {
    MinimizeClock(Clock, ClockTimer->isActive(), Ticks.Now());
    ClockTimer->stop();
}

void TMainForm::AppRestore(QObject*) {
    if (RestoreClock(Clock, Ticks.Now())) {
        EnableClockTimer();
    }
}

void TMainForm::PauseBtnClick(QObject*) {
    FollowPause(PauseWatch.Paused(Ticks.Now()));
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
        FollowPause(PauseWatch.StateChanged(isMinimized()));
    } else if (event->type() == QEvent::ActivationChange) {
        FollowPause(PauseWatch.ActiveChanged(isActiveWindow()));
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Every key is offered first as a shortcut override, also one that then moves a tile as a
    // shortcut and never arrives as a key press.
    if (type == QEvent::MouseButtonPress || type == QEvent::ShortcutOverride) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this &&
            PauseWatch.Used(Ticks.Now()) == TPauseStep::Resume) {
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

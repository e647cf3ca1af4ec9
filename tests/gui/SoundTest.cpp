// SoundTest.cpp: the effects of moves and refused clicks, the background music with its switch,
// and its failures, through the real event path with recording outputs.
#include <QSignalSpy>
#include <QtTest>
#include <thread>

#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "audio/TMediaPlayer.h"
#include "settings/core/Infobank.h"

namespace {

using TLog = std::vector<std::string>;

QRect CellRect(int p) {
    return {(p % 3) * 120, (p / 3) * 120, 120, 120};
}

}  // namespace

class TSoundTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

    TMainFormSeams Seams() { return World->Seams(); }
    TLog& Played() { return World->Sounds.Played; }
    TLog& DeviceLog() { return World->Music.Log; }
    static std::string OpenLine() {
        return "Open " + QCoreApplication::applicationDirPath().toStdString() + "/Music.mid";
    }

    // Shows the window and waits for the music, which is opened once the board is on screen.
    static void Show(TMainForm& form) {
        TMainFormProbe::Show(form);
        QTRY_VERIFY(!form.BackMusic->FileName().isEmpty());
    }

    static void Click(TMainForm& form, int cell, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(form.MainPaint, button, {}, TMainFormProbe::CellCentre(cell));
    }

    // Lets the window handle what was posted to it, such as the player's notifications.
    static void HandlePosted() { QCoreApplication::processEvents(); }

  private slots:
    void init() {
        World = std::make_unique<TFormFixture>();
        // Each read of the clock moves it on, so a slide's waits end at once.
        World->Ticks.StepPerRead = 20;
    }

    void MoveSoundPlaysWhenTheSlideHasReachedTheHoleBeforeTheBoardChanges() {
        TMainForm form(Seams());
        // The hole is in the middle of the right column; the tile above it moves down.
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 8, 6, 7, 5});
        const QImage tile = form.MainPaint->Canvas().copy(CellRect(2));
        bool slid = false;
        bool boardAsBefore = false;
        World->Sounds.OnPlay = [&] {
            slid = form.MainPaint->Canvas().copy(CellRect(5)) == tile;
            boardAsBefore = TMainFormProbe::Board(form).BoardCells[5] == 8;
        };
        Click(form, 2);
        QCOMPARE(Played(), TLog{"pon.wav"});
        QVERIFY(slid);
        QVERIFY(boardAsBefore);
        QCOMPARE(TMainFormProbe::Board(form).BoardCells[5], 2);
    }

    void RefusedClicksPlayTheErrorSoundAndMoveNothing() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 8, 6, 7, 5});
        const auto cells = TMainFormProbe::Board(form).BoardCells;
        // A tile that does not touch the hole, then the hole itself.
        Click(form, 0);
        Click(form, 5);
        QCOMPARE(Played(), (TLog{"error.wav", "error.wav"}));
        QVERIFY(TMainFormProbe::Board(form).BoardCells == cells);
    }

    void IgnoredInputIsSilent() {
        TMainForm form(Seams());
        // The hole in the middle of the bottom row: no tile lies below it for the up key.
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        Click(form, 4, Qt::RightButton);
        Click(form, 4, Qt::MiddleButton);
        QCOMPARE(Played(), TLog{});
    }

    void ArrowKeysPlayTheMoveSound() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        QCOMPARE(Played(), (TLog{"pon.wav", "pon.wav"}));
    }

    void TheSolvingMoveSoundsAndLaterInputDoesNot() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        Click(form, 8);
        QVERIFY(TMainFormProbe::Board(form).Solved);
        Click(form, 0);
        Click(form, 5);
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        QCOMPARE(Played(), TLog{"pon.wav"});
    }

    void SoundSwitchedOffSilencesTheEffectsUntilSwitchedOn() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        form.SoundBtn->click();
        QVERIFY(!form.CmSound->isChecked());
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
        Click(form, 0);
        QCOMPARE(Played(), TLog{});
        form.CmSound->trigger();
        QVERIFY(form.SoundBtn->isChecked());
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        QCOMPARE(Played(), TLog{"pon.wav"});
    }

    void FirstShowPlaysTheMusicBesideTheProgram() {
        TMainForm form(Seams());
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::NotReady);
        Show(form);
        QCOMPARE(form.BackMusic->FileName(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/Music.mid"));
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play"}));
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::Playing);
        // Showing the window again later opens nothing anew.
        form.hide();
        Show(form);
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play"}));
    }

    void MusicOffAtStartStaysSilentUntilSwitchedOn() {
        World->Store.Put("Music", DwordValue(0));
        TMainForm form(Seams());
        Show(form);
        QCOMPARE(DeviceLog(), TLog{OpenLine()});
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::Stopped);
        form.MusicBtn->click();
        QVERIFY(form.CmMusic->isChecked());
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play"}));
    }

    void MusicSwitchedOffAndOnPausesAndGoesOnWithoutANewOpen() {
        TMainForm form(Seams());
        Show(form);
        QSignalSpy notified(form.BackMusic, &TMediaPlayer::Notify);
        form.CmMusic->trigger();
        QVERIFY(!form.CmMusic->isChecked());
        QVERIFY(!form.MusicBtn->isChecked());
        // The stop's notification finds the music switched off and leaves it so.
        QCOMPARE(notified.count(), 1);
        HandlePosted();
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::Stopped);
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play", "Pause"}));

        form.MusicBtn->click();
        QVERIFY(form.CmMusic->isChecked());
        HandlePosted();
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::Playing);
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play", "Pause", "Play"}));
    }

    void MinimizingSolvingAndNewGamesLeaveTheMusicPlaying() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        Click(form, 8);
        form.setWindowState(Qt::WindowMinimized);
        form.setWindowState(Qt::WindowNoState);
        form.CmReset->trigger();
        form.CmAdvance->trigger();
        HandlePosted();
        QCOMPARE(form.BackMusic->Mode(), TPlayerMode::Playing);
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play"}));
    }

    void MissingMusicIsReportedOnceAndItsSwitchSaysNoDeviceIsOpen() {
        World->Music.RefuseOpen = "Cannot open file \"Music.mid\": No such file or directory";
        TMessageBoxCatcher boxes;
        {
            TMainForm form(Seams());
            Show(form);
            QCOMPARE(boxes.Texts, QStringList{QString::fromStdString(*World->Music.RefuseOpen)});
            QVERIFY(form.isVisible());
            QCOMPARE(form.BackMusic->Mode(), TPlayerMode::NotReady);

            form.MusicBtn->click();
            QVERIFY(!form.CmMusic->isChecked());
            QVERIFY(!form.MusicBtn->isChecked());
            form.CmMusic->trigger();
            QVERIFY(form.CmMusic->isChecked());
            QVERIFY(form.MusicBtn->isChecked());
            QCOMPARE(boxes.Texts.mid(1), (QStringList{QStringLiteral("No device is open"),
                                                      QStringLiteral("No device is open")}));
            form.MusicBtn->click();
        }
        QCOMPARE(boxes.Texts.size(), 4);
        QCOMPARE(DeviceLog(), TLog{OpenLine()});
        // The switch is kept as it was left, though nothing could play.
        QCOMPARE(*World->Store.Get("Music"), DwordValue(0));
    }

    void MusicLostWhilePlayingIsReportedOnceAndItsSwitchSaysNoDeviceIsOpen() {
        TMessageBoxCatcher boxes;
        TMainForm form(Seams());
        Show(form);
        const std::string why = "Cannot play \"Music.mid\": the synthesizer cannot keep up with it";
        // The device tells of it on a thread of its own.
        std::thread([&] { World->Music.Lost(why); }).join();
        QTRY_COMPARE(boxes.Texts, QStringList{QString::fromStdString(why)});
        form.MusicBtn->click();
        QCOMPARE(boxes.Texts.mid(1), QStringList{QStringLiteral("No device is open")});
        QCOMPARE(DeviceLog(), (TLog{OpenLine(), "Play", "Close"}));
    }

    void BothSwitchesAreKeptInTheSettings() {
        World->Store.Put("Sound", DwordValue(0));
        {
            TMainForm form(Seams());
            Show(form);
            QVERIFY(!form.CmSound->isChecked());
            QVERIFY(!form.SoundBtn->isChecked());
            form.SoundBtn->click();
            form.MusicBtn->click();
        }
        QCOMPARE(*World->Store.Get("Sound"), DwordValue(1));
        QCOMPARE(*World->Store.Get("Music"), DwordValue(0));
        QCOMPARE(DeviceLog().back(), std::string("Close"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TSoundTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SoundTest.moc"

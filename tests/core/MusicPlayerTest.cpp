// MusicPlayerTest.cpp: the music player's modes, position, auto-rewind, the end of play
// requests, and where the music is looked for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/MusicPlayer.h"
#include "audio/SoundFiles.h"
#include "fakes/FakeAudio.h"
#include "fakes/FakeClocks.h"

namespace {

using TLog = std::vector<std::string>;

class MusicPlayer : public testing::Test {
  protected:
    TFakeMusicDevice Device;
    TFakeTickCounter Ticks;
    int Notified = 0;
    TMusicPlayer Player{Device, Ticks, [this] { ++Notified; }};

    // Opens the 96-second piece and plays it from tick 0.
    void OpenAndPlay() {
        Player.Open("/games/Music.mid");
        Player.Play();
    }
};

TEST_F(MusicPlayer, PlayOrStopWithNoDeviceOpenSaysSo) {
    EXPECT_EQ(Player.Mode(), TPlayerMode::NotReady);
    for (auto request : {&TMusicPlayer::Play, &TMusicPlayer::Stop}) {
        try {
            (Player.*request)();
            ADD_FAILURE() << "no error";
        } catch (const EMediaError& error) {
            EXPECT_EQ(std::string(error.what()), "No device is open");
        }
    }
    EXPECT_EQ(Device.Log, TLog{});
    EXPECT_EQ(Notified, 0);
}

TEST_F(MusicPlayer, AFailedOpenLeavesNoDeviceOpen) {
    Device.RefuseOpen = "Cannot open file \"/games/Music.mid\"";
    EXPECT_THROW(Player.Open("/games/Music.mid"), EMediaError);
    EXPECT_EQ(Player.Mode(), TPlayerMode::NotReady);
    EXPECT_THROW(Player.Play(), EMediaError);
    EXPECT_EQ(Device.Log, TLog{"Open /games/Music.mid"});
}

TEST_F(MusicPlayer, OpenStandsStoppedAtTheStart) {
    Player.Open("/games/Music.mid");
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    EXPECT_EQ(Player.Position(), 0u);
    EXPECT_EQ(Player.Length(), 96000u);
    EXPECT_EQ(Player.DueIn(), std::nullopt);
    EXPECT_EQ(Device.Log, TLog{"Open /games/Music.mid"});
}

TEST_F(MusicPlayer, StopKeepsThePositionAndPlayGoesOnFromIt) {
    Ticks.Value = 1000;
    OpenAndPlay();
    Ticks.Value = 31000;
    EXPECT_EQ(Player.Position(), 30000u);
    Player.Stop();
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    EXPECT_EQ(Notified, 1);
    Ticks.Value = 50000;
    EXPECT_EQ(Player.Position(), 30000u);
    EXPECT_EQ(Player.DueIn(), std::nullopt);
    Player.Play();
    Ticks.Value = 51000;
    EXPECT_EQ(Player.Position(), 31000u);
    EXPECT_EQ(Player.DueIn(), 65000u);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart", "Pause", "Resume"}));
    EXPECT_EQ(Notified, 1);
}

TEST_F(MusicPlayer, AStopWhileStoppedEndsNoRequest) {
    Player.Open("/games/Music.mid");
    Player.Stop();
    EXPECT_EQ(Notified, 0);
    EXPECT_EQ(Device.Log, TLog{"Open /games/Music.mid"});
}

TEST_F(MusicPlayer, APlayWhilePlayingReplacesTheRequestAndGoesOn) {
    OpenAndPlay();
    Ticks.Value = 5000;
    Player.Play();
    EXPECT_EQ(Notified, 1);
    EXPECT_EQ(Player.Mode(), TPlayerMode::Playing);
    Ticks.Value = 6000;
    EXPECT_EQ(Player.Position(), 6000u);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart"}));
}

TEST_F(MusicPlayer, TheEndOfThePieceEndsTheRequestAtItsLength) {
    OpenAndPlay();
    Ticks.Value = 95000;
    Player.Poll();
    EXPECT_EQ(Player.DueIn(), 1000u);
    EXPECT_EQ(Notified, 0);
    Ticks.Value = 96000;
    Player.Poll();
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    EXPECT_EQ(Player.Position(), 96000u);
    EXPECT_EQ(Notified, 1);
}

TEST_F(MusicPlayer, APlayAfterTheEndJoinsTheDeviceThatStartedOverByItself) {
    OpenAndPlay();
    Ticks.Value = 96250;
    Player.Poll();
    Ticks.Value = 96300;
    Player.Play();
    EXPECT_EQ(Player.Mode(), TPlayerMode::Playing);
    // The new round began at the end, 300 ms ago; the device never stopped.
    EXPECT_EQ(Player.Position(), 300u);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart"}));
    // And so on, round after round.
    Ticks.Value = 2 * 96000 + 10;
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    Player.Play();
    EXPECT_EQ(Player.Position(), 10u);
    EXPECT_EQ(Notified, 2);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart"}));
}

TEST_F(MusicPlayer, ALateLookStillEndsThePieceWhenItEnded) {
    OpenAndPlay();
    Ticks.Value = 100000;
    EXPECT_EQ(Player.Position(), 96000u);
    EXPECT_EQ(Notified, 1);
    Player.Play();
    EXPECT_EQ(Player.Position(), 4000u);
}

TEST_F(MusicPlayer, WithoutAutoRewindAPlayAtTheEndEndsAtOnce) {
    Player.AutoRewind = false;
    OpenAndPlay();
    Ticks.Value = 96000;
    Player.Poll();
    Player.Play();
    EXPECT_EQ(Notified, 2);
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    EXPECT_EQ(Player.Position(), 96000u);
}

TEST_F(MusicPlayer, AnEndThatNoPlayFollowsIsSilencedASecondLater) {
    OpenAndPlay();
    Ticks.Value = 96000;
    Player.Poll();
    EXPECT_EQ(Player.DueIn(), 1000u);
    Ticks.Value = 96999;
    Player.Poll();
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart"}));
    Ticks.Value = 97000;
    Player.Poll();
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart", "Pause"}));
    EXPECT_EQ(Player.DueIn(), std::nullopt);
    // The device is somewhere in its next round, so a new play starts it from the beginning.
    Ticks.Value = 120000;
    Player.Play();
    EXPECT_EQ(Player.Position(), 0u);
    EXPECT_EQ(Device.Log.back(), "PlayFromStart");
    EXPECT_EQ(Notified, 1);
}

TEST_F(MusicPlayer, AStopRightAfterTheEndSilencesTheDeviceAtOnce) {
    OpenAndPlay();
    Ticks.Value = 96100;
    Player.Stop();
    EXPECT_EQ(Notified, 1);
    EXPECT_EQ(Player.Position(), 96000u);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart", "Pause"}));
    Player.Play();
    EXPECT_EQ(Device.Log.back(), "PlayFromStart");
    EXPECT_EQ(Player.Position(), 0u);
}

TEST_F(MusicPlayer, AWrapOfTheTickCounterKeepsThePosition) {
    Ticks.Value = 0xFFFFF000u;
    OpenAndPlay();
    Ticks.Value = 0x00001000u;
    EXPECT_EQ(Player.Position(), 8192u);
    EXPECT_EQ(Player.DueIn(), 96000u - 8192u);
    EXPECT_EQ(Player.Mode(), TPlayerMode::Playing);
}

TEST_F(MusicPlayer, OpeningAgainStandsStoppedAtTheStart) {
    OpenAndPlay();
    Ticks.Value = 5000;
    Player.Open("/games/Other.mid");
    EXPECT_EQ(Player.Mode(), TPlayerMode::Stopped);
    EXPECT_EQ(Player.Position(), 0u);
    Player.Play();
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart", "Open /games/Other.mid",
                                "PlayFromStart"}));
}

TEST(MusicPlayerLife, TheMusicEndsWithThePlayer) {
    TFakeMusicDevice device;
    TFakeTickCounter ticks;
    {
        TMusicPlayer player(device, ticks, [] {});
    }
    EXPECT_EQ(device.Log, TLog{});
    {
        TMusicPlayer player(device, ticks, [] {});
        player.Open("/games/Music.mid");
        player.Play();
    }
    EXPECT_EQ(device.Log, (TLog{"Open /games/Music.mid", "PlayFromStart", "Close"}));
}

TEST(MusicFile, IsLookedForBesideTheProgram) {
    EXPECT_EQ(MusicPathIn("/usr/libexec/zellipo"), "/usr/libexec/zellipo/Music.mid");
    EXPECT_EQ(MusicPathIn("/"), "/Music.mid");
}

}  // namespace

// MusicPlayerTest.cpp: the music player's modes, what it asks of its device and the end of play
// requests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/core/MusicPlayer.h"
#include "fakes/FakeAudio.h"

namespace {

using TLog = std::vector<std::string>;

class MusicPlayer : public testing::Test {
  protected:
    TFakeMusicDevice Device;
    int Notified = 0;
    TMusicPlayer Player{Device, [this] { ++Notified; }};
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
    Player.Open("/games/Music.mid", {});
    Device.RefuseOpen = "\"/games/Other.mid\" is not a playable MIDI file";
    EXPECT_THROW(Player.Open("/games/Other.mid", {}), EMediaError);
    EXPECT_EQ(Player.Mode(), TPlayerMode::NotReady);
    EXPECT_THROW(Player.Play(), EMediaError);
    EXPECT_EQ(Device.Log, (TLog{"Open /games/Music.mid", "Open /games/Other.mid"}));
}

// Each step is a request and then the mode, what the device was asked and how many requests have
// ended so far.
TEST_F(MusicPlayer, StopKeepsTheDevicesPlaceAndEndsOnlyARunningRequest) {
    Player.Open("/games/Music.mid", {});
    const struct {
        void (TMusicPlayer::*Request)();
        TPlayerMode Mode;
        const char* Asked;
        int Notified;
    } steps[] = {
        {&TMusicPlayer::Stop, TPlayerMode::Stopped, nullptr, 0},
        {&TMusicPlayer::Play, TPlayerMode::Playing, "Play", 0},
        // A newer request replaces the running one, which goes on where it is.
        {&TMusicPlayer::Play, TPlayerMode::Playing, nullptr, 1},
        {&TMusicPlayer::Stop, TPlayerMode::Stopped, "Pause", 2},
        {&TMusicPlayer::Stop, TPlayerMode::Stopped, nullptr, 2},
        {&TMusicPlayer::Play, TPlayerMode::Playing, "Play", 2},
    };
    for (const auto& step : steps) {
        const size_t asked = Device.Log.size();
        (Player.*step.Request)();
        EXPECT_EQ(Player.Mode(), step.Mode);
        EXPECT_EQ(Device.Log.size() - asked, step.Asked != nullptr ? 1u : 0u);
        if (step.Asked != nullptr && Device.Log.size() > asked) {
            EXPECT_EQ(Device.Log.back(), step.Asked);
        }
        EXPECT_EQ(Notified, step.Notified);
    }
}

TEST(MusicPlayerLife, TheMusicEndsWithThePlayer) {
    TFakeMusicDevice device;
    {
        TMusicPlayer player(device, [] {});
    }
    EXPECT_EQ(device.Log, TLog{});
    {
        TMusicPlayer player(device, [] {});
        player.Open("/games/Music.mid", {});
        player.Play();
    }
    EXPECT_EQ(device.Log, (TLog{"Open /games/Music.mid", "Play", "Close"}));
}

}  // namespace

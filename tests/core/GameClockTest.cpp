// GameClockTest.cpp: the time text, the running clock, minimizing, and the completion.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>

#include "engine/core/Game.h"
#include "fakes/FakeClocks.h"

void PrintTo(TTickAction action, std::ostream* os) {
    const char* const names[] = {"ShowTime", "SwapColours", "Finish"};
    *os << names[static_cast<int>(action)];
}

namespace {

// A game whose clock the tests run by hand: each call sets the tick counter first.
class ClockRig : public testing::Test {
  protected:
    TFakeTickCounter Ticks;
    TFakeCalendarClock Calendar;
    TGame Game{Ticks, Calendar, true};
    const TClock& clock = Game.Clock;

    void Start(uint32_t now) {
        Ticks.Value = now;
        Game.NewGame(LevelBasic, {});
    }
    TTickOutcome Tick(bool solved, uint32_t now) {
        Game.Board.Solved = solved;
        Ticks.Value = now;
        return Game.Tick();
    }
    void Minimize(bool timerRunning, uint32_t now) {
        Ticks.Value = now;
        Game.Minimize(timerRunning);
    }
    bool Restore(uint32_t now) {
        Ticks.Value = now;
        return Game.Restore();
    }

    // Ticks a solved game every 500 ms from `now` until the sequence finishes; counts the swaps.
    int32_t SwapsUntilFinish(uint32_t now) {
        int32_t swaps = 0;
        for (int i = 0; i < 100; ++i, now += 500) {
            const TTickOutcome outcome = Tick(true, now);
            // The display keeps the last running time throughout.
            EXPECT_EQ(outcome.Text, "");
            if (outcome.Action == TTickAction::Finish) {
                EXPECT_EQ(outcome.IntervalMs, 1000);
                return swaps;
            }
            EXPECT_EQ(outcome.Action, TTickAction::SwapColours);
            EXPECT_EQ(outcome.IntervalMs, 500);
            ++swaps;
        }
        ADD_FAILURE() << "the completion never finished";
        return swaps;
    }
};
using RunningClock = ClockRig;
using Minimizing = ClockRig;
using Completion = ClockRig;

TEST(TimeText, DocumentedTimes) {
    const struct {
        int32_t Seconds;
        const char* Text;
    } cases[] = {
        {0, "00:00:00"},     {83, "00:01:23"},      {3599, "00:59:59"},          {3600, "01:00:00"},
        {35999, "09:59:59"}, {360000, "100:00:00"}, {INT32_MAX, "596523:14:07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeText(c.Seconds), c.Text) << c.Seconds;
    }
}

TEST(TimeText, NegativeStoredTimeUsesTruncatingDivisionUnchecked) {
    EXPECT_EQ(TimeText(-83), "00:-1:-23");
    EXPECT_EQ(TimeText(-3600), "-1:00:00");
    EXPECT_EQ(TimeText(INT32_MIN), "-596523:-14:-8");
}

TEST_F(RunningClock, HundredHoursShowThreeHourDigits) {
    Start(1000);
    EXPECT_EQ(Tick(false, 360001000u).Text, "100:00:00");
}

TEST_F(RunningClock, CounterWrapDuringTheGameIsHarmless) {
    Start(4294966296u);  // 1 s before the counter wraps
    EXPECT_EQ(Tick(false, 82000).Text, "00:01:23");
    EXPECT_EQ(Tick(true, 83000).Action, TTickAction::SwapColours);
    EXPECT_EQ(clock.FinalSeconds, 84);
}

TEST_F(RunningClock, TimeIsRecomputedNotCountedFromTicks) {
    Start(0);
    // Ticks that came late or were merged do not slow the clock down.
    EXPECT_EQ(Tick(false, 1000).Text, "00:00:01");
    EXPECT_EQ(Tick(false, 7999).Text, "00:00:07");
}

TEST_F(Minimizing, RepeatedMinimizeDoesNotStopTheClockForGood) {
    Start(10000);
    Minimize(true, 71500);
    // The second notification finds the timer already stopped.
    Minimize(false, 80000);
    EXPECT_TRUE(Restore(671500));
    EXPECT_EQ(clock.StartTick, 610000u);
}

TEST_F(Minimizing, RepeatedRestoreDoesNotMoveTheStartTwice) {
    Start(10000);
    Minimize(true, 71500);
    EXPECT_TRUE(Restore(671500));
    EXPECT_FALSE(Restore(700000));
    EXPECT_EQ(clock.StartTick, 610000u);
}

TEST_F(Minimizing, CounterReadingZeroAtMinimizeStillResumes) {
    Start(4294901760u);  // 65.536 s before the counter wraps
    Minimize(true, 0);
    EXPECT_TRUE(Restore(600000));
    EXPECT_EQ(clock.StartTick, 534464u);
    EXPECT_EQ(Tick(false, 600000).Text, "00:01:05");
}

TEST_F(Minimizing, MinimizedBeforeTheFirstCompletionTickIsNotCounted) {
    Start(0);
    // Solved at 30.2 s, minimized at 30.5 s before the tick at 31 s could come.
    Minimize(true, 30500);
    EXPECT_TRUE(Restore(630500));
    Tick(true, 631000);
    EXPECT_EQ(clock.FinalSeconds, 31);
}

TEST_F(Minimizing, FlashingGoesOnAfterRestore) {
    Start(0);
    Tick(true, 30000);
    Tick(true, 30500);
    Minimize(true, 30700);
    EXPECT_TRUE(Restore(90700));
    EXPECT_EQ(SwapsUntilFinish(91000), 4);
    EXPECT_EQ(clock.FinalSeconds, 30);
}

TEST_F(Completion, SolveWithinTheFirstSecondRestartsTheSwaps) {
    Start(1000);
    // 0.6 s: the time computes to 0 and stays untaken, one swap is made.
    EXPECT_EQ(Tick(true, 1600).Action, TTickAction::SwapColours);
    EXPECT_EQ(clock.FinalSeconds, 0);
    EXPECT_EQ(clock.BlinkCount, 5);
    // 1.1 s: the time is taken and six more swaps follow, seven in all.
    EXPECT_EQ(SwapsUntilFinish(2100), 6);
    EXPECT_EQ(clock.FinalSeconds, 1);
}

TEST_F(Completion, NewGameDuringFlashingDoesNotInheritIt) {
    Start(0);
    Tick(true, 30000);
    Tick(true, 30500);
    EXPECT_EQ(clock.BlinkCount, 4);
    Start(30800);
    EXPECT_EQ(clock.BlinkCount, 0);
    EXPECT_EQ(clock.FinalSeconds, 0);
    EXPECT_EQ(clock.StartTick, 30800u);
    const TTickOutcome outcome = Tick(false, 31000);
    EXPECT_EQ(outcome.Action, TTickAction::ShowTime);
    EXPECT_EQ(outcome.Text, "00:00:00");
    EXPECT_EQ(outcome.IntervalMs, 1000);
    EXPECT_EQ(SwapsUntilFinish(50800), 6);
    EXPECT_EQ(clock.FinalSeconds, 20);
}

}  // namespace

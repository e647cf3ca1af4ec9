// GameClockTest.cpp: the time text, the running clock, minimizing, and the completion.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>

#include "engine/core/GameClock.h"

void PrintTo(TTickAction action, std::ostream* os) {
    const char* const names[] = {"ShowTime", "SwapColours", "Finish"};
    *os << names[static_cast<int>(action)];
}

namespace {

// Ticks a solved game every 500 ms from `now` until the sequence finishes; counts the swaps.
int32_t SwapsUntilFinish(TClock& clock, uint32_t now) {
    int32_t swaps = 0;
    for (int i = 0; i < 100; ++i, now += 500) {
        const TTickOutcome outcome = ClockTick(clock, true, now);
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

TEST(RunningClock, HundredHoursShowThreeHourDigits) {
    TClock clock;
    StartClock(clock, 1000);
    EXPECT_EQ(ClockTick(clock, false, 360001000u).Text, "100:00:00");
}

TEST(RunningClock, CounterWrapDuringTheGameIsHarmless) {
    TClock clock;
    StartClock(clock, 4294966296u);  // 1 s before the counter wraps
    EXPECT_EQ(ClockTick(clock, false, 82000).Text, "00:01:23");
    EXPECT_EQ(ClockTick(clock, true, 83000).Action, TTickAction::SwapColours);
    EXPECT_EQ(clock.FinalSeconds, 84);
}

TEST(RunningClock, TimeIsRecomputedNotCountedFromTicks) {
    TClock clock;
    StartClock(clock, 0);
    // Ticks that came late or were merged do not slow the clock down.
    EXPECT_EQ(ClockTick(clock, false, 1000).Text, "00:00:01");
    EXPECT_EQ(ClockTick(clock, false, 7999).Text, "00:00:07");
}

TEST(Minimize, RepeatedMinimizeDoesNotStopTheClockForGood) {
    TClock clock;
    StartClock(clock, 10000);
    MinimizeClock(clock, true, 71500);
    // The second notification finds the timer already stopped.
    MinimizeClock(clock, false, 80000);
    EXPECT_TRUE(RestoreClock(clock, 671500));
    EXPECT_EQ(clock.StartTick, 610000u);
}

TEST(Minimize, RepeatedRestoreDoesNotMoveTheStartTwice) {
    TClock clock;
    StartClock(clock, 10000);
    MinimizeClock(clock, true, 71500);
    EXPECT_TRUE(RestoreClock(clock, 671500));
    EXPECT_FALSE(RestoreClock(clock, 700000));
    EXPECT_EQ(clock.StartTick, 610000u);
}

TEST(Minimize, CounterReadingZeroAtMinimizeStillResumes) {
    TClock clock;
    StartClock(clock, 4294901760u);  // 65.536 s before the counter wraps
    MinimizeClock(clock, true, 0);
    EXPECT_TRUE(RestoreClock(clock, 600000));
    EXPECT_EQ(clock.StartTick, 534464u);
    EXPECT_EQ(ClockTick(clock, false, 600000).Text, "00:01:05");
}

TEST(Minimize, MinimizedBeforeTheFirstCompletionTickIsNotCounted) {
    TClock clock;
    StartClock(clock, 0);
    // Solved at 30.2 s, minimized at 30.5 s before the tick at 31 s could come.
    MinimizeClock(clock, true, 30500);
    EXPECT_TRUE(RestoreClock(clock, 630500));
    ClockTick(clock, true, 631000);
    EXPECT_EQ(clock.FinalSeconds, 31);
}

TEST(Minimize, FlashingGoesOnAfterRestore) {
    TClock clock;
    StartClock(clock, 0);
    ClockTick(clock, true, 30000);
    ClockTick(clock, true, 30500);
    MinimizeClock(clock, true, 30700);
    EXPECT_TRUE(RestoreClock(clock, 90700));
    EXPECT_EQ(SwapsUntilFinish(clock, 91000), 4);
    EXPECT_EQ(clock.FinalSeconds, 30);
}

TEST(Completion, SolveWithinTheFirstSecondRestartsTheSwaps) {
    TClock clock;
    StartClock(clock, 1000);
    // 0.6 s: the time computes to 0 and stays untaken, one swap is made.
    EXPECT_EQ(ClockTick(clock, true, 1600).Action, TTickAction::SwapColours);
    EXPECT_EQ(clock.FinalSeconds, 0);
    EXPECT_EQ(clock.BlinkCount, 5);
    // 1.1 s: the time is taken and six more swaps follow, seven in all.
    EXPECT_EQ(SwapsUntilFinish(clock, 2100), 6);
    EXPECT_EQ(clock.FinalSeconds, 1);
}

TEST(Completion, NewGameDuringFlashingDoesNotInheritIt) {
    TClock clock;
    StartClock(clock, 0);
    ClockTick(clock, true, 30000);
    ClockTick(clock, true, 30500);
    EXPECT_EQ(clock.BlinkCount, 4);
    StartClock(clock, 30800);
    EXPECT_EQ(clock.BlinkCount, 0);
    EXPECT_EQ(clock.FinalSeconds, 0);
    EXPECT_EQ(clock.StartTick, 30800u);
    const TTickOutcome outcome = ClockTick(clock, false, 31000);
    EXPECT_EQ(outcome.Action, TTickAction::ShowTime);
    EXPECT_EQ(outcome.Text, "00:00:00");
    EXPECT_EQ(outcome.IntervalMs, 1000);
    EXPECT_EQ(SwapsUntilFinish(clock, 50800), 6);
    EXPECT_EQ(clock.FinalSeconds, 20);
}

}  // namespace

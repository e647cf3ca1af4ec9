// FakeClocks.h: tick counter and calendar clock that tests set by hand.
#pragma once

#include <functional>

#include "engine/core/Clocks.h"

class TFakeTickCounter : public ITickCounter {
  public:
    uint32_t Value = 0;
    // Added after every read, so a wait on the counter ends without real time passing.
    uint32_t StepPerRead = 0;
    // Called at every read, e.g. to look at the screen between the steps of a slide.
    std::function<void()> OnRead;

    uint32_t Now() override {
        if (OnRead) {
            OnRead();
        }
        const uint32_t now = Value;
        Value += StepPerRead;
        return now;
    }
};

class TFakeCalendarClock : public ICalendarClock {
  public:
    int64_t Value = 1700000000;
    int64_t Seconds() override { return Value; }
};

// FormFixture.h: the fakes a main window is built with in the widget tests, in one place.
#pragma once

#include "app/TMainForm.h"
#include "fakes/FakeAudio.h"
#include "fakes/FakeClocks.h"
#include "fakes/FakeSettingsStore.h"

struct TFormFixture {
    TFakeTickCounter Ticks;
    TFakeCalendarClock Calendar;
    TFakeSettingsStore Store;
    TFakeSoundEffects Sounds;
    TFakeMusicDevice Music;

    TMainFormSeams Seams() { return {Ticks, Calendar, Store, Sounds, Music}; }
};

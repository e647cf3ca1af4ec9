// EffectLatency.cpp: how long a move's sound takes from the game's request to the first mixed
// buffer that carries it, with the output device asleep (opened on demand) and awake.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "audio/module/SdlAudio.h"
#include "audio/module/SdlEffects.h"

namespace {

QElapsedTimer Clock;
// When the first buffer with sound was mixed, in nanoseconds of Clock; 0 until then.
std::atomic<qint64> HeardAt{0};

void NoteSound(void*, Uint8* stream, int length) {
    if (HeardAt == 0 && std::any_of(stream, stream + length, [](Uint8 b) { return b != 0; })) {
        HeardAt = Clock.nsecsElapsed();
    }
}

// The request's latency in milliseconds, or a negative number if nothing was heard.
double Latency(TSdlSoundEffects& effects) {
    HeardAt = 0;
    const qint64 asked = Clock.nsecsElapsed();
    effects.PlayWave("pon.wav");
    if (!QTest::qWaitFor([] { return HeardAt != 0; }, 5000)) {
        return -1;
    }
    return (HeardAt - asked) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(ZELLIPO_SOUND_DIR));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TSdlAudio audio;
    if (!audio.Failure().empty()) {
        std::fprintf(stderr, "no sound output: %s\n", audio.Failure().c_str());
        return 1;
    }
    TSdlSoundEffects effects(audio);
    // The effects load on a thread of their own, silent until then.
    QTest::qWait(1000);
    Clock.start();
    Mix_SetPostMix(NoteSound, nullptr);
    std::vector<double> asleep, awake;
    for (int run = 0; run < runs; ++run) {
        if (!QTest::qWaitFor([&] { return !audio.Awake(); }, 10000)) {
            return 1;
        }
        asleep.push_back(Latency(effects));
        // Once the first has ended, while the device is still open.
        if (!QTest::qWaitFor([] { return Mix_Playing(-1) == 0; }, 5000)) {
            return 1;
        }
        awake.push_back(Latency(effects));
    }
    std::printf("asleep,%.2f\nawake,%.2f\n", Median(asleep), Median(awake));
    return 0;
}

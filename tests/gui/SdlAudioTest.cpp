// SdlAudioTest.cpp: the real sound output on SDL's silent dummy driver: the generated files load,
// the device sleeps in silence, an effect cuts off the one before, the music opens, plays, stops,
// goes on and loops, music the synthesizer cannot play is refused; and the game's side of it when
// the sound module is missing.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>

#include "audio/LazyAudio.h"
#include "audio/core/MusicPlayer.h"
#include "audio/module/FluidMusic.h"
#include "audio/module/SdlAudio.h"
#include "audio/module/SdlEffects.h"

namespace {

// Where the build put the game with its sounds.
const QString SoundDir = QStringLiteral(ZELLIPO_SOUND_DIR);

// The mixer's output buffers since the count was last cleared, and how many of them carry sound.
std::atomic<int> Buffers{0};
std::atomic<int> AudibleBuffers{0};

void CountAudible(void*, Uint8* stream, int length) {
    ++Buffers;
    for (int i = 0; i < length; ++i) {
        if (stream[i] != 0) {
            ++AudibleBuffers;
            return;
        }
    }
}

void ClearCount() {
    Buffers = 0;
    AudibleBuffers = 0;
}

// Whether the output carries sound within a few seconds.
bool BecomesAudible() {
    ClearCount();
    return QTest::qWaitFor([] { return AudibleBuffers > 0; }, 5000);
}

// Whether a dozen buffers in a row, about a quarter of a second, are all silent.
bool StaysSilent() {
    ClearCount();
    return QTest::qWaitFor([] { return Buffers >= 12; }, 5000) && AudibleBuffers == 0;
}

// A standard MIDI file of that many copies of one track of the events, timed by the division.
QByteArray Midi(int tracks, uint8_t divisionHigh, uint8_t divisionLow, const QByteArray& events) {
    const int size = events.size();
    QByteArray track = QByteArray("MTrk") + char(size >> 24) + char(size >> 16) + char(size >> 8) +
                       char(size) + events;
    QByteArray file = QByteArray("MThd") + QByteArray::fromHex("0000000600") +
                      char(tracks > 1 ? 1 : 0) + char(tracks >> 8) + char(tracks) +
                      char(divisionHigh) + char(divisionLow);
    for (int i = 0; i < tracks; ++i) {
        file += track;
    }
    return file;
}

// An eighth note of middle C at the default 120 beats a minute, 96 ticks to the beat, the piece
// ending with it: a quarter of a second.
const QByteArray OneNote = QByteArray::fromHex("00903C64 30803C40 00FF2F00");

QByteArray Little(uint32_t value) {
    return QByteArray(1, char(value)) + char(value >> 8) + char(value >> 16) + char(value >> 24);
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return file.fileName();
}

}  // namespace

class TSdlAudioTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSdlAudio> Audio;

  private slots:
    void init() {
        Audio = std::make_unique<TSdlAudio>();
        QCOMPARE(QString::fromStdString(Audio->Failure()), QString());
        Mix_SetPostMix(CountAudible, nullptr);
    }

    void cleanup() {
        Mix_SetPostMix(nullptr, nullptr);
        Audio.reset();
    }

    void GeneratedEffectsLoadAsShortSounds() {
        QVERIFY(Audio->Wake());
        for (const char* name : {"pon.wav", "error.wav"}) {
            Mix_Chunk* chunk = Mix_LoadWAV(QDir(SoundDir).filePath(name).toUtf8().constData());
            QVERIFY2(chunk != nullptr, Mix_GetError());
            // 16-bit stereo at the output's rate.
            const double ms = chunk->alen / (4 * Audio->Rate() / 1000.0);
            Mix_FreeChunk(chunk);
            QVERIFY2(ms >= 100 && ms <= 500, name);
        }
    }

    void TheDeviceSleepsInSilenceAndWakesForANewEffectThatCutsOffTheOneBefore() {
        // Bare names are looked for in the current folder first.
        const QString before = QDir::currentPath();
        QDir::setCurrent(SoundDir);
        {
            QVERIFY(!Audio->Awake());
            TSdlSoundEffects effects(*Audio);
            // Silent until loaded, which began with the effects.
            QTRY_VERIFY((effects.PlayWave("pon.wav"), Audio->Awake()));
            QCOMPARE(Mix_Playing(-1), 1);
            QTRY_VERIFY((effects.PlayWave("error.wav"), Mix_Playing(-1) == 1));
            QVERIFY(BecomesAudible());
            QTRY_VERIFY_WITH_TIMEOUT(!Audio->Awake(), 10000);
            effects.PlayWave("pon.wav");
            QVERIFY(BecomesAudible());
        }
        QDir::setCurrent(before);
    }

    void EffectsPlayOnlyFromFilesTheCheckTakes() {
        QTemporaryDir dir;
        const auto wave = [](uint32_t rate, int dataBytes) {
            const QByteArray format = QByteArray::fromHex("01000100") + Little(rate) +
                                      Little(2 * rate) + QByteArray::fromHex("02001000");
            return QByteArray("RIFF") + Little(36 + dataBytes) + "WAVEfmt " + Little(16) + format +
                   "data" + Little(dataBytes) + QByteArray(dataBytes, 0x40);
        };
        QStringList files{WriteFile(dir, QStringLiteral("1hz.wav"), wave(1, 97392)),
                          WriteFile(dir, QStringLiteral("long.wav"), wave(8000, 2 * 8000 * 6)),
                          WriteFile(dir, QStringLiteral("midi.wav"), Midi(1, 0, 96, OneNote)),
                          dir.filePath(QStringLiteral("missing.wav")),
                          dir.filePath(QStringLiteral("fifo.wav")),
                          dir.filePath(QStringLiteral("zero.wav"))};
        // A FIFO would hold the loader for good, and a device never ends.
        QCOMPARE(mkfifo(QFile::encodeName(files[4]), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), files[5]));
        TSdlSoundEffects effects(*Audio);
        for (const QString& file : files) {
            effects.PlayWave(QFile::encodeName(file).toStdString());
        }
        // The loader takes the files in turn, so all of them are done once a later one plays.
        const std::string good = QDir(SoundDir).filePath(QStringLiteral("pon.wav")).toStdString();
        QTRY_VERIFY((effects.PlayWave(good), Audio->Awake()));
        Mix_HaltChannel(-1);
        for (const QString& file : files) {
            effects.PlayWave(QFile::encodeName(file).toStdString());
            QVERIFY2(Mix_Playing(-1) == 0, qPrintable(file));
        }
        // The highest rate taken plays.
        const QString high = WriteFile(dir, QStringLiteral("high.wav"), wave(192000, 38400));
        QTRY_VERIFY((effects.PlayWave(QFile::encodeName(high).toStdString()),
                     Audio->Awake() && Mix_Playing(-1) == 1));
    }

    void GeneratedMusicLoadsNoSoundfontUntilItPlaysThenGoesOnWhereItStopped() {
        TFluidMusicDevice device(*Audio);
        int notified = 0;
        TMusicPlayer player(device, [&] { ++notified; });
        player.Open(QDir(SoundDir).filePath(QStringLiteral("Music.mid")).toStdString(), {});
        QVERIFY(!device.Sounding());
        QVERIFY(!device.SoundfontLoaded());

        player.Play();
        QVERIFY(device.Sounding());
        QVERIFY(device.SoundfontLoaded());
        QVERIFY(BecomesAudible());
        // Longer than the device waits before it sleeps in silence: the music keeps it awake.
        QTRY_VERIFY_WITH_TIMEOUT(Buffers >= 100, 10000);
        QVERIFY(Audio->Awake());

        player.Stop();
        QVERIFY(!device.Sounding());
        QVERIFY(StaysSilent());
        // The piece is rendered a little ahead, and no further.
        const int stoppedAt = device.Tick();
        QVERIFY(stoppedAt > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!Audio->Awake(), 10000);
        QCOMPARE(device.Tick(), stoppedAt);

        player.Play();
        QVERIFY(device.Sounding());
        QVERIFY(BecomesAudible());
        QTRY_VERIFY(device.Tick() > stoppedAt);
        QCOMPARE(notified, 1);
    }

    void APieceStartsOverAtItsEndWithoutAGap() {
        QTemporaryDir dir;
        TFluidMusicDevice device(*Audio);
        device.Open(
            WriteFile(dir, QStringLiteral("Music.mid"), Midi(1, 0, 96, OneNote)).toStdString(), {});
        device.Play();
        QVERIFY(BecomesAudible());
        ClearCount();
        int rounds = 0;
        int last = 0;
        const auto roundsPassed = [&] {
            const int tick = device.Tick();
            rounds += tick < last ? 1 : 0;
            last = tick;
            return rounds;
        };
        QTRY_VERIFY_WITH_TIMEOUT(roundsPassed() >= 3, 10000);
        QCOMPARE(AudibleBuffers.load(), Buffers.load());
    }

    void MusicTheSynthesizerCannotPlayIsRefusedWithTheReason() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("none.mid"));
        const struct {
            QByteArray Bytes;
            const char* What;
        } unplayable[] = {
            {"not a MIDI file at all", "not a MIDI file"},
            {Midi(1, 0xE7, 40, OneNote), "timed in SMPTE frames"},
            {Midi(128, 0, 96, OneNote), "128 tracks"},
            {Midi(1, 0, 96, QByteArray::fromHex("00FF2F00")), "nothing to play"},
            {Midi(1, 0, 96, OneNote).chopped(4), "cut short"},
        };
        TFluidMusicDevice device(*Audio);
        for (const auto& c : unplayable) {
            const QString path = WriteFile(dir, QStringLiteral("Music.mid"), c.Bytes);
            try {
                device.Open(path.toStdString(), {});
                QFAIL(c.What);
            } catch (const EMediaError& error) {
                const QString why = QString::fromUtf8(error.what());
                const QString prefix =
                    QStringLiteral("\"%1\" is not a playable MIDI file: ").arg(path);
                QVERIFY2(why.startsWith(prefix) && why.size() > prefix.size(), qPrintable(why));
            }
            device.Play();
            QVERIFY2(!device.Sounding(), c.What);
        }
        // Players put music of their own here: nothing in its place may hold the game.
        const QString fifo = dir.filePath(QStringLiteral("fifo.mid"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo), 0600), 0);
        const QString zero = dir.filePath(QStringLiteral("zero.mid"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        const struct {
            QString Path;
            QString Reason;
        } unreadable[] = {
            {missing,
             QStringLiteral("Cannot open file \"%1\": No such file or directory").arg(missing)},
            {fifo, QStringLiteral("Cannot open file \"%1\": not a regular file").arg(fifo)},
            {zero, QStringLiteral("Cannot open file \"%1\": not a regular file").arg(zero)},
        };
        for (const auto& c : unreadable) {
            try {
                device.Open(c.Path.toStdString(), {});
                QFAIL("opened");
            } catch (const EMediaError& error) {
                QCOMPARE(QString::fromUtf8(error.what()), c.Reason);
            }
        }
        // A playable piece still plays after all that.
        device.Open(
            WriteFile(dir, QStringLiteral("Music.mid"), Midi(1, 0, 96, OneNote)).toStdString(), {});
        device.Play();
        QVERIFY(BecomesAudible());
    }

    void MusicTheSynthesizerCannotKeepUpWithIsStoppedAndTold() {
        // All the piece but its one note lies in the first block, and the sequencer reads it all
        // again at every round: a microsecond to the beat, 32,767 ticks to it. The empty events
        // are several times more than a synthesizer reads in real time.
        const QByteArray events = QByteArray::fromHex("00FF5103000001") +
                                  QByteArray::fromHex("00FF0100").repeated(400000) +
                                  QByteArray::fromHex("01903C64 00803C40 00FF2F00");
        QTemporaryDir dir;
        const QString path =
            WriteFile(dir, QStringLiteral("Music.mid"), Midi(1, 0x7F, 0xFF, events));
        TFluidMusicDevice device(*Audio);
        std::atomic<int> told{0};
        std::string why;
        device.Open(path.toStdString(), [&](const std::string& reason) {
            why = reason;
            ++told;
        });
        device.Play();
        QTRY_COMPARE_WITH_TIMEOUT(told.load(), 1, 10000);
        QCOMPARE(
            QString::fromStdString(why),
            QStringLiteral("Cannot play \"%1\": the synthesizer cannot keep up with it").arg(path));
        QTRY_VERIFY(StaysSilent());
        QCOMPARE(told.load(), 1);
    }

    void WithoutTheSoundModuleEffectsAreSilentAndTheMusicSaysWhy() {
        // The module lies beside the game, not beside the tests.
        TLazyAudio lazy;
        lazy.Effects().PlayWave("pon.wav");
        try {
            lazy.Music().Open("Music.mid", {});
            QFAIL("opened");
        } catch (const EMediaError& error) {
            const QString why = QString::fromUtf8(error.what());
            QVERIFY2(why.startsWith(QStringLiteral("No sound output to play \"Music.mid\": ")) &&
                         why.contains(QLatin1String(AudioModuleFileName)),
                     qPrintable(why));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TSdlAudioTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SdlAudioTest.moc"

// SdlAudioTest.cpp: the real sound output on SDL's silent dummy driver: the generated files load,
// an effect cuts off the one before, and the music opens, plays, stops and resumes; and the game's
// side of it when the sound module is missing.
#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>

#include "app/SystemClocks.h"
#include "audio/FluidMusic.h"
#include "audio/LazyAudio.h"
#include "audio/MusicPlayer.h"
#include "audio/SdlAudio.h"

namespace {

// Where the build put the game with its sounds.
const QString SoundDir = QStringLiteral(ZELLIPO_SOUND_DIR);

// Counts the mixer's output buffers that carry any sound.
std::atomic<int> AudibleBuffers{0};

void CountAudible(void*, Uint8* stream, int length) {
    for (int i = 0; i < length; ++i) {
        if (stream[i] != 0) {
            ++AudibleBuffers;
            return;
        }
    }
}

// Whether the output carries sound over the next half second.
bool Audible() {
    QTest::qWait(150);  // what was mixed before is played out
    AudibleBuffers = 0;
    QTest::qWait(350);
    return AudibleBuffers > 0;
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
        for (const char* name : {"pon.wav", "error.wav"}) {
            Mix_Chunk* chunk = Mix_LoadWAV(QDir(SoundDir).filePath(name).toUtf8().constData());
            QVERIFY2(chunk != nullptr, Mix_GetError());
            // 16-bit stereo at 44.1 kHz: 176.4 bytes a millisecond.
            const double ms = chunk->alen / 176.4;
            Mix_FreeChunk(chunk);
            QVERIFY2(ms >= 100 && ms <= 500, name);
        }
    }

    void ANewEffectCutsOffTheOneBefore() {
        // Bare names are looked for in the current folder first.
        const QString before = QDir::currentPath();
        QDir::setCurrent(SoundDir);
        {
            TSdlSoundEffects effects(*Audio);
            effects.PlayWave("pon.wav");
            QCOMPARE(Mix_Playing(-1), 1);
            effects.PlayWave("error.wav");
            QCOMPARE(Mix_Playing(-1), 1);
            QVERIFY(Audible());
            // A missing file sounds the desktop's alert instead, never the mixer; so does a FIFO,
            // which would hold the game for good, or a device that never ends.
            Mix_HaltChannel(-1);
            QTemporaryDir odd;
            QCOMPARE(mkfifo(QFile::encodeName(odd.filePath(QStringLiteral("fifo.wav"))), 0600), 0);
            QVERIFY(
                QFile::link(QStringLiteral("/dev/zero"), odd.filePath(QStringLiteral("zero.wav"))));
            for (const QString& name :
                 {QStringLiteral("missing.wav"), odd.filePath(QStringLiteral("fifo.wav")),
                  odd.filePath(QStringLiteral("zero.wav"))}) {
                effects.PlayWave(QFile::encodeName(name).toStdString());
                QCOMPARE(Mix_Playing(-1), 0);
            }
        }
        QDir::setCurrent(before);
    }

    void GeneratedMusicPlaysStopsAndResumes() {
        TFluidMusicDevice device(*Audio);
        TSystemTickCounter ticks;
        int notified = 0;
        TMusicPlayer player(device, ticks, [&] { ++notified; });
        player.Open(QDir(SoundDir).filePath(QStringLiteral("Music.mid")).toStdString());
        QVERIFY2(player.Length() >= 60000 && player.Length() <= 120000,
                 QByteArray::number(player.Length()));
        QVERIFY(!Audible());

        player.Play();
        QVERIFY(device.Sounding());
        QVERIFY(Audible());

        player.Stop();
        const uint32_t stoppedAt = player.Position();
        QVERIFY(!device.Sounding());
        QVERIFY(!Audible());
        QCOMPARE(player.Position(), stoppedAt);

        player.Play();
        QVERIFY(device.Sounding());
        QVERIFY(Audible());
        QVERIFY(player.Position() >= stoppedAt + 400);
        QCOMPARE(notified, 1);
    }

    void UnplayableOrMissingMusicIsRefusedWithTheReason() {
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("Music.mid"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a MIDI file at all");
        file.close();
        const QString fifo = dir.filePath(QStringLiteral("fifo.mid"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo), 0600), 0);
        const QString zero = dir.filePath(QStringLiteral("zero.mid"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        TFluidMusicDevice device(*Audio);
        const struct {
            QString Path;
            QString Reason;
        } cases[] = {
            {broken, QStringLiteral("\"%1\" is not a playable MIDI file: it does not start with a "
                                    "MIDI header")
                         .arg(broken)},
            {dir.filePath(QStringLiteral("none.mid")),
             QStringLiteral("Cannot open file \"%1\": No such file or directory")
                 .arg(dir.filePath(QStringLiteral("none.mid")))},
            // Players put music of their own here: nothing in its place may hold the game.
            {fifo, QStringLiteral("Cannot open file \"%1\": not a regular file").arg(fifo)},
            {zero, QStringLiteral("Cannot open file \"%1\": not a regular file").arg(zero)},
        };
        for (const auto& c : cases) {
            try {
                device.Open(c.Path.toStdString());
                QFAIL("opened");
            } catch (const EMediaError& error) {
                QCOMPARE(QString::fromUtf8(error.what()), c.Reason);
            }
        }
    }

    void WithoutTheSoundModuleEffectsAreSilentAndTheMusicSaysWhy() {
        // The module lies beside the game, not beside the tests.
        TLazyAudio lazy;
        lazy.Effects().PlayWave("pon.wav");
        try {
            lazy.Music().Open("Music.mid");
            QFAIL("opened");
        } catch (const EMediaError& error) {
            const QString why = QString::fromUtf8(error.what());
            QVERIFY2(why.startsWith(QStringLiteral("No sound output to play \"Music.mid\": ")) &&
                         why.contains(QLatin1String(AudioModuleFileName)),
                     qPrintable(why));
        }
        lazy.Music().Pause();
        lazy.Music().Close();
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TSdlAudioTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SdlAudioTest.moc"

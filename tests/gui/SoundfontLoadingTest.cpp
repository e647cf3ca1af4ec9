// SoundfontLoadingTest.cpp: the system's General MIDI soundfont as FluidSynth gets it: cut down to
// the instruments asked for, or whole when it cannot be cut.
#include <fluidsynth.h>

#include <QFile>
#include <QtTest>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "audio/SoundfontLoading.h"

namespace {

const QString GeneralMidi = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");

using TPresets = std::set<std::pair<int, int>>;

// The presets of the soundfont loaded for the instruments, or nothing when none loaded.
std::optional<TPresets> LoadedPresets(const TPresets& instruments) {
    std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings(
        new_fluid_settings(), delete_fluid_settings);
    std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth(
        new_fluid_synth(settings.get()), delete_fluid_synth);
    AddMemorySoundfontLoader(synth.get(), settings.get());
    const int id = LoadSoundfont(synth.get(), settings.get(), GeneralMidi, instruments);
    if (id == FLUID_FAILED) {
        return std::nullopt;
    }
    fluid_sfont_t* font = fluid_synth_get_sfont_by_id(synth.get(), id);
    TPresets presets;
    fluid_sfont_iteration_start(font);
    while (fluid_preset_t* preset = fluid_sfont_iteration_next(font)) {
        presets.insert({fluid_preset_get_banknum(preset), fluid_preset_get_num(preset)});
    }
    return presets;
}

}  // namespace

class TSoundfontLoadingTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        if (!QFile::exists(GeneralMidi)) {
            QSKIP("the General MIDI soundfont is not installed");
        }
    }

    void ThePiecesInstrumentsAreAllThatIsLoaded() {
        const TPresets wanted{{0, 0}, {0, 73}, {128, 0}};
        QCOMPARE(LoadedPresets(wanted), std::optional<TPresets>(wanted));
    }

    void ASoundfontWithoutTheInstrumentsIsLoadedWhole() {
        const std::optional<TPresets> presets = LoadedPresets({{5, 5}});
        QVERIFY(presets.has_value());
        QVERIFY2(presets->size() > 128, qPrintable(QString::number(presets->size())));
    }
};

QTEST_GUILESS_MAIN(TSoundfontLoadingTest)

#include "SoundfontLoadingTest.moc"

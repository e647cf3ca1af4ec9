// FluidMusic.cpp: FluidSynth set up for the background music, and fed to SDL_mixer's music stream.
#include "audio/FluidMusic.h"

#include <SDL_mixer.h>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

#include "audio/MidiFile.h"
#include "audio/SdlAudio.h"
#include "audio/SoundfontLoading.h"
#include "files/RegularFile.h"

namespace {

// Enough for a piece of several parts with its releases; each voice costs memory up front.
constexpr int Polyphony = 64;
// The mixer adds nothing to the music stream, so this is its loudness on the speakers: the level
// SDL_mixer's own MIDI player gives FluidSynth at full volume, which leaves the effects on top.
constexpr double Gain = 1.2;

// Where a soundfont is looked for: the one SDL's games are told of, FluidSynth's own default, and
// the one the system's General MIDI alternative points at.
QStringList SoundfontCandidates(fluid_settings_t* settings) {
    QStringList candidates;
    if (const char* told = std::getenv("SDL_SOUNDFONTS"); told != nullptr) {
        candidates += QString::fromLocal8Bit(told).split(QRegularExpression(QStringLiteral("[:;]")),
                                                         Qt::SkipEmptyParts);
    }
    char* fluidDefault = nullptr;
    if (fluid_settings_dupstr(settings, "synth.default-soundfont", &fluidDefault) == FLUID_OK &&
        fluidDefault != nullptr) {
        candidates += QString::fromLocal8Bit(fluidDefault);
        fluid_free(fluidDefault);
    }
    candidates += QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
    return candidates;
}

}  // namespace

TFluidMusicDevice::TFluidMusicDevice(TSdlAudio& audio) : Audio(audio) {}

TFluidMusicDevice::~TFluidMusicDevice() {
    Close();
}

uint32_t TFluidMusicDevice::Open(const std::string& path) {
    Close();
    // Players put music of their own here: a FIFO, a device or a huge file is refused at once.
    const TFileContents file = ReadRegularFile(path, MusicFileLimit);
    if (file.Failure != TFileFailure::None) {
        throw EMediaError("Cannot open file \"" + path + "\": " + file.Why);
    }
    const std::string& bytes = file.Bytes;
    TMidiPiece piece;
    try {
        // FluidSynth would take a broken file and only play silence.
        piece = ReadMidiPiece(bytes);
    } catch (const EMidiError& error) {
        throw EMediaError("\"" + path + "\" is not a playable MIDI file: " + error.what());
    }
    if (const std::string& why = Audio.Failure(); !why.empty()) {
        throw EMediaError("No sound output to play \"" + path + "\": " + why);
    }
    Path = path;
    if (!Synth) {
        CreateSynth();
    }
    LoadInstruments(piece.Instruments);
    Piece = bytes;
    return piece.LengthMs;
}

void TFluidMusicDevice::CreateSynth() {
    int rate = 0;
    Mix_QuerySpec(&rate, nullptr, nullptr);
    Settings.reset(new_fluid_settings());
    fluid_settings_setnum(Settings.get(), "synth.sample-rate", rate);
    fluid_settings_setnum(Settings.get(), "synth.gain", Gain);
    fluid_settings_setint(Settings.get(), "synth.polyphony", Polyphony);
    // The reverb gives the room; the chorus adds to every rendered sample for little that a
    // listener of a small wind-and-strings ensemble hears.
    fluid_settings_setint(Settings.get(), "synth.chorus.active", 0);
    // The sequencer moves on with the rendered samples, so it stands still while paused.
    fluid_settings_setstr(Settings.get(), "player.timing-source", "sample");
    // The soundfont holds only the instruments the piece plays, so FluidSynth would warn of every
    // channel whose starting instrument is not among them.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    Synth.reset(new_fluid_synth(Settings.get()));
    if (!Synth) {
        throw EMediaError("Cannot play \"" + Path + "\": the synthesizer could not be created");
    }
    AddMemorySoundfontLoader(Synth.get(), Settings.get());
}

void TFluidMusicDevice::LoadInstruments(const std::set<std::pair<int, int>>& instruments) {
    if (Soundfont != FLUID_FAILED &&
        std::includes(Loaded.begin(), Loaded.end(), instruments.begin(), instruments.end())) {
        return;
    }
    if (Soundfont != FLUID_FAILED) {
        fluid_synth_sfunload(Synth.get(), Soundfont, 1);
        Soundfont = FLUID_FAILED;
    }
    // A General MIDI soundfont holds hundreds of instruments and a piece plays a handful: only
    // those are loaded.
    for (const QString& candidate : SoundfontCandidates(Settings.get())) {
        if (QFileInfo::exists(candidate)) {
            Soundfont = LoadSoundfont(Synth.get(), Settings.get(), candidate, instruments);
        }
        if (Soundfont != FLUID_FAILED) {
            Loaded = instruments;
            return;
        }
    }
    throw EMediaError("Cannot play \"" + Path + "\": no General MIDI soundfont could be loaded");
}

void TFluidMusicDevice::StartSequencer() {
    Player.reset(new_fluid_player(Synth.get()));
    if (!Player || fluid_player_add_mem(Player.get(), Piece.data(), Piece.size()) != FLUID_OK) {
        Player.reset();
        throw EMediaError("Cannot play \"" + Path + "\": the sequencer could not take it");
    }
    fluid_player_set_loop(Player.get(), -1);
    if (fluid_player_play(Player.get()) != FLUID_OK) {
        throw EMediaError("Cannot play \"" + Path + "\": the sequencer did not start");
    }
}

void TFluidMusicDevice::PlayFromStart() {
    Hook(false);
    // The notes still sounding from before end at once.
    fluid_synth_system_reset(Synth.get());
    StartSequencer();
    Hook(true);
}

void TFluidMusicDevice::Pause() {
    Hook(false);
}

void TFluidMusicDevice::Resume() {
    if (Player) {
        Hook(true);
    }
}

void TFluidMusicDevice::Close() {
    Hook(false);
    Player.reset();
    if (Synth) {
        fluid_synth_system_reset(Synth.get());
    }
}

void TFluidMusicDevice::Hook(bool on) {
    if (on == Sounding()) {
        return;
    }
    // The mixer holds its lock while it swaps the hook, so once unhooked the audio thread has
    // left Render and the synthesizer is ours again.
    if (on) {
        Mix_HookMusic(Render, this);
    } else {
        Mix_HookMusic(nullptr, nullptr);
    }
}

void TFluidMusicDevice::Render(void* device, uint8_t* stream, int length) {
    // The output is 16-bit stereo, which the mixer keeps whatever the sound card offers.
    constexpr int FrameBytes = 2 * sizeof(int16_t);
    fluid_synth_write_s16(static_cast<TFluidMusicDevice*>(device)->Synth.get(), length / FrameBytes,
                          stream, 0, 2, stream, 1, 2);
}

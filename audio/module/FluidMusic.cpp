// FluidMusic.cpp: FluidSynth set up for the background music, and fed to SDL_mixer's music stream.
#include "audio/module/FluidMusic.h"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "audio/module/SdlAudio.h"
#include "files/RegularFile.h"

namespace {

// The game's piece sounds up to some fifty voices at once with its releases; beyond this the
// quietest releases give way, 85 dB below the piece. Each voice costs memory up front.
constexpr int Polyphony = 48;
// The mixer adds nothing to the music stream, so this is its loudness on the speakers: the level
// SDL_mixer's own MIDI player gives FluidSynth at full volume, which leaves the effects on top.
constexpr double Gain = 1.2;
// The synthesizer renders in blocks of this many frames; the sequencer reads its piece at the
// first.
constexpr int BlockFrames = 64;
// Rendered at once in the mixer's hook: eight of the output's buffers, so the synthesizer's data
// stays in the processor's caches for a stretch rather than being fetched again at every buffer.
constexpr int AheadFrames = 4096;

// The rendering stops for good once it has cost this much more of the processor than its sound
// lasts, a fifth of a second, counted since it was last ahead. A moment's work, such as reading
// an instrument's samples, stays well within it; a piece that is too much for the synthesizer is
// stopped within a second or two however slightly it is too much, and at once when by far.
constexpr int64_t BehindToStopNs = 200'000'000;

// The processor time of the calling thread: what the rendering costs, whatever else the machine
// is doing meanwhile.
int64_t ThreadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Loads the soundfont unless one is loaded already; nonzero when this one was.
int LoadFirstSoundfont(const char* path, void* synth) {
    auto* loading = static_cast<fluid_synth_t*>(synth);
    return fluid_synth_sfcount(loading) == 0 && access(path, R_OK) == 0 &&
           fluid_synth_sfload(loading, path, 1) != FLUID_FAILED;
}

// Keeps FluidSynth's error messages while it reads a piece, for the player's error text; they
// would otherwise go to the terminal.
void KeepError(int, const char* message, void* kept) {
    *static_cast<std::string*>(kept) = message;
}

}  // namespace

TFluidMusicDevice::TFluidMusicDevice(TSdlAudio& audio) : Audio(audio) {}

TFluidMusicDevice::~TFluidMusicDevice() {
    Close();
}

void TFluidMusicDevice::Open(const std::string& path, TMusicLost lost) {
    Close();
    // Players put music of their own here: a FIFO, a device or a huge file is refused at once.
    TFileContents file = ReadRegularFile(path, MusicFileLimit);
    if (file.Failure != TFileFailure::None) {
        throw EMediaError("Cannot open file \"" + path + "\": " + file.Why);
    }
    if (const std::string& why = Audio.Failure(); !why.empty()) {
        throw EMediaError("No sound output to play \"" + path + "\": " + why);
    }
    Path = path;
    Piece = std::move(file.Bytes);
    // The piece is read at once, so that one the sequencer cannot play is refused here rather
    // than retried on the audio thread. Whether it can be played does not depend on the
    // instruments: a synthesizer without a soundfont and with one voice reads it, and is let go
    // until the music first plays.
    CreateSynth(1);
    StartSequencer();
    ReleaseSynth();
    Lost = std::move(lost);
}

void TFluidMusicDevice::CreateSynth(int polyphony) {
    // A synthesizer refers to its settings to the last.
    Synth.reset();
    Settings.reset(new_fluid_settings());
    fluid_settings_setnum(Settings.get(), "synth.sample-rate", Audio.Rate());
    fluid_settings_setnum(Settings.get(), "synth.gain", Gain);
    fluid_settings_setint(Settings.get(), "synth.polyphony", polyphony);
    // A General MIDI soundfont holds hundreds of instruments and a piece plays a handful: only
    // the samples of the instruments chosen are read.
    fluid_settings_setint(Settings.get(), "synth.dynamic-sample-loading", 1);
    // The reverb gives the room; the chorus adds to every rendered sample for little that a
    // listener of a small wind-and-strings ensemble hears.
    fluid_settings_setint(Settings.get(), "synth.chorus.active", 0);
    // Background music needs no guard against being paged out, and pinned samples would count
    // against the player's limit of locked memory, which a larger soundfont's instruments exceed.
    fluid_settings_setint(Settings.get(), "synth.lock-memory", 0);
    // The sequencer moves on with the rendered samples, so it stands still while paused.
    fluid_settings_setstr(Settings.get(), "player.timing-source", "sample");
    // A reset between rounds would let go of the instruments, and their samples would be read
    // again on the audio thread at every round.
    fluid_settings_setint(Settings.get(), "player.reset-synth", 0);
    // A player's piece may choose instruments the soundfont lacks, warned of at every choice.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    Synth.reset(new_fluid_synth(Settings.get()));
    if (!Synth) {
        throw EMediaError("Cannot play \"" + Path + "\": the synthesizer could not be created");
    }
}

void TFluidMusicDevice::LoadSoundfont() {
    // The soundfonts SDL's games are told of, then the one the system's General MIDI alternative
    // points at rather than SDL_mixer's own guess.
    if (std::getenv("SDL_SOUNDFONTS") != nullptr) {
        Mix_EachSoundFont(LoadFirstSoundfont, Synth.get());
    }
    LoadFirstSoundfont("/usr/share/sounds/sf2/default-GM.sf2", Synth.get());
    if (!SoundfontLoaded()) {
        Synth.reset();
        throw EMediaError("Cannot play \"" + Path +
                          "\": no General MIDI soundfont could be loaded");
    }
}

void TFluidMusicDevice::StartSequencer() {
    const auto refuse = [this](const std::string& why) {
        Piece = std::string();
        ReleaseSynth();
        return EMediaError(why);
    };
    Player.reset(new_fluid_player(Synth.get()));
    if (!Player || fluid_player_add_mem(Player.get(), Piece.data(), Piece.size()) != FLUID_OK ||
        fluid_player_play(Player.get()) != FLUID_OK) {
        throw refuse("Cannot play \"" + Path + "\": the sequencer could not take it");
    }
    // Played once, the sequencer reads the piece in the first block and gives up on one it
    // cannot play; looping, it would read it again without end. The block is rendered here,
    // unheard, which also reads the samples of the instruments the piece starts with.
    std::string error;
    fluid_set_log_function(FLUID_ERR, KeepError, &error);
    std::array<int16_t, 2 * BlockFrames> block;
    fluid_synth_write_s16(Synth.get(), BlockFrames, block.data(), 0, 2, block.data(), 1, 2);
    fluid_set_log_function(FLUID_ERR, fluid_default_log_function, nullptr);
    // A piece it read without a single tick to play, as of too many tracks, would be read again
    // and again within one block.
    if (fluid_player_get_status(Player.get()) != FLUID_PLAYER_PLAYING ||
        fluid_player_get_total_ticks(Player.get()) <= 0) {
        throw refuse("\"" + Path + "\" is not a playable MIDI file: " +
                     (error.empty() ? "the synthesizer cannot read it" : error));
    }
    fluid_player_set_loop(Player.get(), -1);
    Ahead.assign(static_cast<size_t>(AheadFrames) * TSdlAudio::Channels, 0);
    Taken = Ahead.size();
    Behind = 0;
    Stalled = false;
}

void TFluidMusicDevice::Play() {
    if (!Player) {
        if (Piece.empty()) {
            return;
        }
        CreateSynth(Polyphony);
        LoadSoundfont();
        StartSequencer();
        Piece = std::string();
    }
    if (!Sounding() && Audio.Wake()) {
        Mix_HookMusic(Render, this);
    }
}

void TFluidMusicDevice::Pause() {
    // The mixer holds its lock while it swaps the hook, so once unhooked the audio thread has
    // left Render.
    if (Sounding()) {
        Mix_HookMusic(nullptr, nullptr);
        Audio.SleepWhenSilent();
    }
}

void TFluidMusicDevice::Close() {
    Pause();
    if (Player) {
        Player.reset();
        // The sequencer holds each event of its piece in a small block of its own, a hundred
        // megabytes and more for a file near the size limit, which the allocator would keep.
        malloc_trim(0);
    }
    Piece = std::string();
    // The synthesizer and its soundfont stay: at the game's end, the end of the process frees
    // them at once.
}

void TFluidMusicDevice::ReleaseSynth() {
    Player.reset();
    Synth.reset();
    malloc_trim(0);
}

int TFluidMusicDevice::Tick() const {
    return Player ? fluid_player_get_current_tick(Player.get()) : 0;
}

void TFluidMusicDevice::Render(void* device, uint8_t* stream, int length) {
    auto* self = static_cast<TFluidMusicDevice*>(device);
    // The mixer has silenced the stream, which is 16-bit stereo whatever the sound card offers.
    auto* out = reinterpret_cast<int16_t*>(stream);
    size_t wanted = static_cast<size_t>(length) / sizeof(int16_t);
    while (wanted > 0 && (self->Taken < self->Ahead.size() || self->RenderAhead())) {
        const size_t count = std::min(wanted, self->Ahead.size() - self->Taken);
        out = std::copy_n(self->Ahead.begin() + static_cast<ptrdiff_t>(self->Taken), count, out);
        self->Taken += count;
        wanted -= count;
    }
}

bool TFluidMusicDevice::RenderAhead() {
    const int64_t blockNs = int64_t{BlockFrames} * 1'000'000'000 / Audio.Rate();
    for (int done = 0; done < AheadFrames && !Stalled; done += BlockFrames) {
        int16_t* at = &Ahead[static_cast<size_t>(done) * TSdlAudio::Channels];
        const int64_t start = ThreadNanoseconds();
        fluid_synth_write_s16(Synth.get(), BlockFrames, at, 0, 2, at, 1, 2);
        Behind = std::max<int64_t>(0, Behind + ThreadNanoseconds() - start - blockNs);
        if (Behind > BehindToStopNs) {
            Stalled = true;
            Lost("Cannot play \"" + Path + "\": the synthesizer cannot keep up with it");
        }
    }
    // What was rendered before the rendering gave up is never heard.
    Taken = Stalled ? Ahead.size() : 0;
    return !Stalled;
}

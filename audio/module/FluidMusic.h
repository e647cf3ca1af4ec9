// FluidMusic.h: the background music: FluidSynth's sequencer and synthesizer, set up for a small,
// quiet footprint, rendering straight into the mixer's music stream.
#pragma once

#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <memory>
#include <string>

#include "audio/core/MusicDevice.h"
#include "audio/module/RenderAhead.h"

class TSdlAudio;

// The synthesizer and its soundfont are made when the piece first sounds, so a game played
// without music never builds the soundfont's presets, and stay from then on: switched off and
// on again, the music goes on at once, where a soundfont let go would take 50 to 200 ms to
// load again on the window's thread. The soundfont's samples are read as the piece chooses its
// instruments. The piece is rendered a little ahead on a thread of its own; while paused the
// music stream is unhooked and the renderer rests once it is ahead.
class TFluidMusicDevice : public IMusicDevice {
  public:
    explicit TFluidMusicDevice(TSdlAudio& audio);
    ~TFluidMusicDevice() override;
    TFluidMusicDevice(const TFluidMusicDevice&) = delete;
    TFluidMusicDevice& operator=(const TFluidMusicDevice&) = delete;

    void Open(const std::string& path, TMusicLost lost) override;
    // Loads the soundfont the first time; throws EMediaError when none can be loaded.
    void Play() override;
    void Pause() override;
    void Close() override;

    // Whether the synthesizer is rendering into the output: the mixer's music stream is ours.
    bool Sounding() const { return Mix_GetMusicHookData() == this; }
    // Where the sequencer stands in the piece, in its MIDI ticks.
    int Tick() const;
    bool SoundfontLoaded() const { return Synth && fluid_synth_sfcount(Synth.get()) > 0; }

  private:
    template <auto Delete>
    struct TDeleter {
        template <typename T>
        void operator()(T* object) const {
            Delete(object);
        }
    };

    // Runs on the audio thread: the mixer's music stream, filled from what is rendered ahead.
    static void Render(void* device, uint8_t* stream, int length);
    void CreateSynth(int polyphony);
    void LoadSoundfont();
    // Hands the piece to a new sequencer and lets it read the piece at once, so that one the
    // sequencer cannot play is refused here rather than retried on the audio thread.
    void StartSequencer();
    void ReleaseSynth();
    void Hook(bool on);

    TSdlAudio& Audio;
    std::string Path;
    // The piece opened, kept until it first sounds, and who is told when it is lost.
    std::string Piece;
    TMusicLost Lost;
    std::unique_ptr<fluid_settings_t, TDeleter<delete_fluid_settings>> Settings;
    std::unique_ptr<fluid_synth_t, TDeleter<delete_fluid_synth>> Synth;
    std::unique_ptr<fluid_player_t, TDeleter<delete_fluid_player>> Player;
    // Renders while a piece is loaded.
    std::unique_ptr<TRenderAhead> Ahead;
};

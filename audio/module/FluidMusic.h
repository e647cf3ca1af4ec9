// FluidMusic.h: the background music: FluidSynth's sequencer and synthesizer, set up for a small,
// quiet footprint, rendering straight into the mixer's music stream.
#pragma once

#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "audio/core/MusicDevice.h"

class TSdlAudio;

// The synthesizer and its soundfont are made when the piece first sounds, so a game played
// without music never builds the soundfont's presets, and stay from then on. The soundfont's
// samples are read as the piece chooses its instruments. The piece is rendered in the mixer's
// music hook, under the lock the window takes to start an effect: a fifth of a second of the
// minuet costs the synthesizer about a millisecond, and a piece it cannot render as fast as it
// sounds is stopped. While paused the music stream is unhooked and nothing is rendered.
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
    template <typename T, auto Delete>
    using TFluidPtr = std::unique_ptr<T, std::integral_constant<decltype(Delete), Delete>>;

    // Runs on the audio thread, with the mixer's lock held: the mixer's music stream.
    static void Render(void* device, uint8_t* stream, int length);
    // Renders the next stretch into Ahead; false once the rendering has given up.
    bool RenderAhead();
    void CreateSynth(int polyphony);
    void LoadSoundfont();
    // Hands the piece to a new sequencer and lets it read the piece at once, so that one the
    // sequencer cannot play is refused here rather than retried on the audio thread.
    void StartSequencer();
    void ReleaseSynth();

    TSdlAudio& Audio;
    std::string Path;
    // The piece opened, kept until it first sounds, and who is told when it is lost.
    std::string Piece;
    TMusicLost Lost;
    TFluidPtr<fluid_settings_t, delete_fluid_settings> Settings;
    TFluidPtr<fluid_synth_t, delete_fluid_synth> Synth;
    TFluidPtr<fluid_player_t, delete_fluid_player> Player;
    // On the audio thread while hooked: the stretch rendered and how much of it the mixer has
    // taken, the processor time the rendering has spent beyond what its sound lasts since it was
    // last ahead, and whether it has given up.
    std::vector<int16_t> Ahead;
    size_t Taken = 0;
    int64_t Behind = 0;
    bool Stalled = false;
};

// FluidMusic.h: the background music: FluidSynth's sequencer and synthesizer, set up for a small,
// quiet footprint, rendering straight into the mixer's music stream.
#pragma once

#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <memory>
#include <string>

#include "audio/core/MusicDevice.h"

class TSdlAudio;

// The synthesizer and its soundfont stay from the first piece on; the soundfont's samples are
// read as the piece chooses its instruments. While paused the music stream is unhooked, so
// nothing is synthesized at all.
class TFluidMusicDevice : public IMusicDevice {
  public:
    explicit TFluidMusicDevice(TSdlAudio& audio);
    ~TFluidMusicDevice() override;
    TFluidMusicDevice(const TFluidMusicDevice&) = delete;
    TFluidMusicDevice& operator=(const TFluidMusicDevice&) = delete;

    void Open(const std::string& path) override;
    void Play() override;
    void Pause() override;
    void Close() override;

    // Whether the synthesizer is rendering into the output: the mixer's music stream is ours.
    bool Sounding() const { return Mix_GetMusicHookData() == this; }
    // Where the sequencer stands in the piece, in its MIDI ticks.
    int Tick() const;

  private:
    template <auto Delete>
    struct TDeleter {
        template <typename T>
        void operator()(T* object) const {
            Delete(object);
        }
    };

    // Runs on the audio thread: the mixer's music stream, filled by the synthesizer.
    static void Render(void* device, uint8_t* stream, int length);
    void CreateSynth();
    void LoadSoundfont();
    // Hands the piece to a new sequencer and lets it read the piece at once, so that one the
    // sequencer cannot play is refused here rather than retried on the audio thread.
    void StartSequencer(const std::string& piece);
    void Hook(bool on);

    TSdlAudio& Audio;
    std::string Path;
    std::unique_ptr<fluid_settings_t, TDeleter<delete_fluid_settings>> Settings;
    std::unique_ptr<fluid_synth_t, TDeleter<delete_fluid_synth>> Synth;
    std::unique_ptr<fluid_player_t, TDeleter<delete_fluid_player>> Player;
};

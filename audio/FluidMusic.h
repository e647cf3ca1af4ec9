// FluidMusic.h: the background music: FluidSynth's sequencer and synthesizer, set up for a small,
// quiet footprint, rendering straight into the mixer's music stream.
#pragma once

#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <memory>
#include <set>
#include <string>
#include <utility>

#include "audio/MusicDevice.h"

class TSdlAudio;

// The synthesizer stays from the first piece on, with a soundfont of the instruments the pieces
// play; a piece only costs its sequencer, made anew at each play from the start. While paused the
// music stream is unhooked, so nothing is synthesized at all.
class TFluidMusicDevice : public IMusicDevice {
  public:
    explicit TFluidMusicDevice(TSdlAudio& audio);
    ~TFluidMusicDevice() override;
    TFluidMusicDevice(const TFluidMusicDevice&) = delete;
    TFluidMusicDevice& operator=(const TFluidMusicDevice&) = delete;

    uint32_t Open(const std::string& path) override;
    void PlayFromStart() override;
    void Pause() override;
    void Resume() override;
    void Close() override;

    // Whether the synthesizer is rendering into the output: the mixer's music stream is ours.
    bool Sounding() const { return Mix_GetMusicHookData() == this; }

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
    // Loads a soundfont with the instruments unless the one loaded has them all.
    void LoadInstruments(const std::set<std::pair<int, int>>& instruments);
    void StartSequencer();
    void Hook(bool on);

    TSdlAudio& Audio;
    std::string Path;
    std::string Piece;  // the file's bytes, for a new sequencer at each play from the start
    std::unique_ptr<fluid_settings_t, TDeleter<delete_fluid_settings>> Settings;
    std::unique_ptr<fluid_synth_t, TDeleter<delete_fluid_synth>> Synth;
    std::unique_ptr<fluid_player_t, TDeleter<delete_fluid_player>> Player;
    int Soundfont = FLUID_FAILED;
    std::set<std::pair<int, int>> Loaded;  // the instruments asked of the soundfont loaded
};

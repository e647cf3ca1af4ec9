// AudioModule.cpp: the sound module's entry point: SDL's output with the effects and the music on
// it.
#include <SDL_thread.h>

#include "audio/core/AudioOutput.h"
#include "audio/module/FluidMusic.h"
#include "audio/module/SdlAudio.h"
#include "audio/module/SdlEffects.h"

namespace {

class TAudioOutput : public IAudioOutput {
  public:
    ISoundEffects& Effects() override { return SoundEffects; }
    IMusicDevice& Music() override { return MusicDevice; }

  private:
    TSdlAudio Audio;
    TSdlSoundEffects SoundEffects{Audio};
    TFluidMusicDevice MusicDevice{Audio};
};

}  // namespace

extern "C" __attribute__((visibility("default"))) IAudioOutput* ZellipoCreateAudioOutput() {
    auto* output = new TAudioOutput;
    // The game makes the output on a thread of its own, about to end, and SDL frees what it keeps
    // for a thread it did not start only when told.
    SDL_TLSCleanup();
    return output;
}

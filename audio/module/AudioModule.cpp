// AudioModule.cpp: the sound module's entry point: SDL's output with the effects and the music on
// it.
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
    return new TAudioOutput;
}

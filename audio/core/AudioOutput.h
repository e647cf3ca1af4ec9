// AudioOutput.h: the sound output as the program sees it across the boundary of the sound module.
#pragma once

#include "audio/core/MusicDevice.h"
#include "audio/core/SoundEffects.h"

// SDL, SDL_mixer and FluidSynth bring a few dozen libraries with them; the module that holds them
// is loaded once the window has first painted rather than before the program can start.
class IAudioOutput {
  public:
    virtual ~IAudioOutput() = default;
    virtual ISoundEffects& Effects() = 0;
    virtual IMusicDevice& Music() = 0;
};

// The module's one entry point, called on a thread of its own: the output, its device tried.
extern "C" IAudioOutput* ZellipoCreateAudioOutput();
inline constexpr char AudioModuleFileName[] = "zellipo-audio.so";

// SoundEffects.h: the output the short wave effects of the moves are played on.
#pragma once

#include <string>

class ISoundEffects {
  public:
    virtual ~ISoundEffects() = default;
    // Starts the wave file of that bare name and returns at once, cutting off an effect that is
    // still playing. Never fails: a file that cannot be found plays an alert instead.
    virtual void PlayWave(const std::string& fileName) = 0;
};

// SdlAudio.cpp: SDL's audio output, open while something sounds.
#include "audio/module/SdlAudio.h"

#include <SDL.h>
#include <QTimer>

namespace {

// Half the CD rate halves the synthesizer's and the mixer's work while the music plays. The
// effects hold nothing above 5 kHz and the music next to nothing above 8 kHz (its energy above
// 11 kHz lies 57 dB below the whole), so nothing that is heard is lost; the effects are
// resampled once, as they are loaded.
constexpr int PreferredRate = 22050;
// A buffer of 23 ms: a move's sound waits at most that long for the next one while the device
// is awake.
constexpr int BufferFrames = 512;
// Moves come a few to the second while a player is at it; the device stays open between them.
constexpr int SleepAfterSilenceMs = 1500;

}  // namespace

TSdlAudio::TSdlAudio() {
    // SDL would otherwise catch SIGINT and SIGTERM, which must close the window to save the
    // settings.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || !OpenDevice(SDL_AUDIO_ALLOW_FREQUENCY_CHANGE)) {
        const char* why = SDL_GetError();
        Why = *why != '\0' ? why : "no audio output is available";
        return;
    }
    Mix_QuerySpec(&OutputRate, nullptr, nullptr);
    // Nothing sounds yet.
    Mix_CloseAudio();
}

bool TSdlAudio::OpenDevice(int allowedChanges) {
    const int rate = OutputRate != 0 ? OutputRate : PreferredRate;
    return Mix_OpenAudioDevice(rate, AUDIO_S16SYS, Channels, BufferFrames, nullptr,
                               allowedChanges) == 0;
}

TSdlAudio::~TSdlAudio() {
    Sleeper.reset();
    // Closing a closed device does nothing.
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}

bool TSdlAudio::Wake() {
    if (!Why.empty()) {
        return false;
    }
    // The rate found at first stays, as the loaded effects and the synthesizer are made for it.
    return Awake() || OpenDevice(0);
}

void TSdlAudio::SleepWhenSilent() {
    if (!Sleeper) {
        Sleeper = std::make_unique<QTimer>();
        Sleeper->setSingleShot(true);
        QObject::connect(Sleeper.get(), &QTimer::timeout, [this] { SleepIfSilent(); });
    }
    Sleeper->start(SleepAfterSilenceMs);
}

void TSdlAudio::SleepIfSilent() {
    if (!Awake() || Mix_GetMusicHookData() != nullptr) {
        // The music unhooks itself when it stops, and asks for sleep then.
        return;
    }
    if (Mix_Playing(-1) > 0) {
        SleepWhenSilent();
        return;
    }
    Mix_CloseAudio();
}

// SdlAudio.cpp: opening SDL's audio output, and the effects played on it.
#include "audio/SdlAudio.h"

#include <SDL.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int EffectChannel = 0;
// The effects are written at this rate, so the mixer need not resample them; a small buffer
// keeps a move's sound close to the move.
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 1024;

}  // namespace

TSdlAudio::TSdlAudio() {
    // SDL would otherwise catch SIGINT and SIGTERM, which must close the window to save the
    // settings.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    Opener = SDL_CreateThread(OpenOutput, "audio opener", this);
    if (Opener == nullptr) {
        OpenOutput(this);
    }
}

int TSdlAudio::OpenOutput(void* audio) {
    // SDL keeps its error text per thread, so it is read here.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
        Mix_OpenAudioDevice(OutputRate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
        std::string& why = static_cast<TSdlAudio*>(audio)->Why;
        why = SDL_GetError();
        if (why.empty()) {
            why = "no audio output is available";
        }
    }
    return 0;
}

TSdlAudio::~TSdlAudio() {
    if (Failure().empty()) {
        Mix_CloseAudio();
    }
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_Quit();
}

const std::string& TSdlAudio::Failure() {
    if (Opener != nullptr) {
        SDL_WaitThread(Opener, nullptr);
        Opener = nullptr;
    }
    return Why;
}

void TSdlSoundEffects::PlayWave(const std::string& fileName) {
    // The current folder first, as a bare name is looked for; then beside the program, where the
    // game's own effects lie.
    QString path = QString::fromStdString(fileName);
    if (!QFileInfo::exists(path)) {
        path = QDir(QCoreApplication::applicationDirPath()).filePath(path);
    }
    if (!QFileInfo::exists(path)) {
        QApplication::beep();
        return;
    }
    if (!Audio.Failure().empty()) {
        return;
    }
    const std::string key = QFile::encodeName(path).toStdString();
    auto chunk = Chunks.find(key);
    if (chunk == Chunks.end()) {
        chunk = Chunks.emplace(key, Mix_LoadWAV(key.c_str())).first;
    }
    if (!chunk->second) {
        QApplication::beep();
        return;
    }
    Mix_PlayChannel(EffectChannel, chunk->second.get(), 0);
}

// SdlAudio.cpp: opening SDL's audio output, and the effects played on it.
#include "audio/SdlAudio.h"

#include <SDL.h>
#include <QApplication>
#include <QDir>
#include <QFile>

#include "files/RegularFile.h"

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
    auto chunk = Chunks.find(fileName);
    if (chunk == Chunks.end()) {
        // The current folder first, as a bare name is looked for; then beside the program, where
        // the game's own effects lie. A FIFO or a device in a file's place counts as no file.
        TFileContents wave = ReadRegularFile(fileName, SoundFileLimit);
        if (wave.Failure == TFileFailure::Missing) {
            wave = ReadRegularFile(
                QFile::encodeName(QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QFile::decodeName(fileName.c_str())))
                    .toStdString(),
                SoundFileLimit);
        }
        // A file that is not there yet may be put there while the game runs.
        if (wave.Failure != TFileFailure::None) {
            QApplication::beep();
            return;
        }
        if (!Audio.Failure().empty()) {
            return;
        }
        // Decoded from memory: the file has been read whole, and once.
        SDL_RWops* bytes =
            SDL_RWFromConstMem(wave.Bytes.data(), static_cast<int>(wave.Bytes.size()));
        chunk = Chunks.emplace(fileName, Mix_LoadWAV_RW(bytes, 1)).first;
    }
    if (!chunk->second) {
        QApplication::beep();
        return;
    }
    Mix_PlayChannel(EffectChannel, chunk->second.get(), 0);
}

// SdlAudio.cpp: opening SDL's audio output, and the effects and music played on it.
#include "audio/SdlAudio.h"

#include <SDL.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "audio/MidiFile.h"

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
        Mix_OpenAudio(OutputRate, MIX_DEFAULT_FORMAT, OutputChannels, BufferFrames) != 0) {
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

uint32_t TSdlMusicDevice::Open(const std::string& path) {
    Close();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw EMediaError("Cannot open file \"" + path + "\": " + file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    uint32_t length = 0;
    try {
        // SDL_mixer takes any file ending in .mid, and a broken one would only play silence.
        length = MidiLengthMs(std::string_view(bytes.constData(), bytes.size()));
    } catch (const EMidiError& error) {
        throw EMediaError("\"" + path + "\" is not a playable MIDI file: " + error.what());
    }
    if (const std::string& why = Audio.Failure(); !why.empty()) {
        throw EMediaError("No sound output to play \"" + path + "\": " + why);
    }
    Path = path;
    Piece = bytes.toStdString();
    Load();
    return length;
}

void TSdlMusicDevice::Load() {
    Music = Mix_LoadMUS_RW(SDL_RWFromConstMem(Piece.data(), static_cast<int>(Piece.size())), 1);
    if (Music == nullptr) {
        throw EMediaError("Cannot play \"" + Path + "\": " + Mix_GetError());
    }
    Fresh = true;
}

void TSdlMusicDevice::PlayFromStart() {
    if (!Fresh) {
        Mix_FreeMusic(Music);
        Music = nullptr;
        Load();
    }
    if (Mix_PlayMusic(Music, -1) != 0) {
        throw EMediaError("Cannot play \"" + Path + "\": " + Mix_GetError());
    }
    Fresh = false;
}

void TSdlMusicDevice::Pause() {
    Mix_PauseMusic();
}

void TSdlMusicDevice::Resume() {
    Mix_ResumeMusic();
}

void TSdlMusicDevice::Close() {
    if (Music != nullptr) {
        // Freeing a piece that plays halts it first.
        Mix_FreeMusic(Music);
        Music = nullptr;
    }
}

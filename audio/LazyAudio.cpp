// LazyAudio.cpp: loading the sound module with dlopen, and the effects and music handed on to it.
#include "audio/LazyAudio.h"

#include <dlfcn.h>

#include <filesystem>
#include <utility>

#include "audio/core/SoundFiles.h"

void TLazyAudio::Start(const std::function<void()>& loaded) {
    if (!Loader.valid()) {
        Loader = std::async(std::launch::async, [this, loaded] {
            Load();
            if (loaded) {
                loaded();
            }
        });
    }
}

void TLazyAudio::Load() {
    // Away from the toolkit's thread, the program's folder comes from the kernel.
    const std::string module =
        (std::filesystem::path(ProgramFolder()) / AudioModuleFileName).string();
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        Why = dlerror();
        return;
    }
    auto* create = reinterpret_cast<IAudioOutput* (*)()>(dlsym(handle, "ZellipoCreateAudioOutput"));
    if (create == nullptr) {
        Why = module + " has no sound output";
        return;
    }
    Loaded.reset(create());
}

IAudioOutput* TLazyAudio::Output() {
    Start();
    Loader.wait();
    return Loaded.get();
}

void TLazyAudio::PlayWave(const std::string& fileName) {
    if (IAudioOutput* output = Output()) {
        output->Effects().PlayWave(fileName);
    }
}

void TLazyAudio::Open(const std::string& path, TMusicLost lost) {
    IAudioOutput* output = Output();
    if (output == nullptr) {
        throw EMediaError("No sound output to play \"" + path + "\": " + Why);
    }
    output->Music().Open(path, std::move(lost));
}

// The music is played, paused and closed only once it has opened, so the module is there.
void TLazyAudio::Play() {
    Loaded->Music().Play();
}

void TLazyAudio::Pause() {
    Loaded->Music().Pause();
}

void TLazyAudio::Close() {
    Loaded->Music().Close();
}

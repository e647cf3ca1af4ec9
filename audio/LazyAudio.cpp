// LazyAudio.cpp: loading the sound module with dlopen, and the effects and music handed on to it.
#include "audio/LazyAudio.h"

#include <dlfcn.h>

#include <filesystem>
#include <utility>

#include "audio/core/SoundFiles.h"

void TLazyAudio::Start(const std::function<void()>& loaded) {
    if (!Started) {
        Started = true;
        Loader = std::thread([this, loaded] {
            Load();
            if (loaded) {
                loaded();
            }
        });
    }
}

TLazyAudio::~TLazyAudio() {
    if (Loader.joinable()) {
        Loader.join();
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
    if (Loader.joinable()) {
        Loader.join();
    }
    return Loaded.get();
}

void TLazyAudio::TEffects::PlayWave(const std::string& fileName) {
    if (IAudioOutput* output = Owner.Output()) {
        output->Effects().PlayWave(fileName);
    }
}

IMusicDevice* TLazyAudio::TMusic::Device() {
    IAudioOutput* output = Owner.Output();
    return output != nullptr ? &output->Music() : nullptr;
}

void TLazyAudio::TMusic::Open(const std::string& path, TMusicLost lost) {
    IMusicDevice* device = Device();
    if (device == nullptr) {
        throw EMediaError("No sound output to play \"" + path + "\": " + Owner.Why);
    }
    device->Open(path, std::move(lost));
}

void TLazyAudio::TMusic::Play() {
    if (IMusicDevice* device = Device()) {
        device->Play();
    }
}

void TLazyAudio::TMusic::Pause() {
    if (IMusicDevice* device = Device()) {
        device->Pause();
    }
}

void TLazyAudio::TMusic::Close() {
    if (IMusicDevice* device = Device()) {
        device->Close();
    }
}

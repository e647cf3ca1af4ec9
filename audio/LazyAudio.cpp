// LazyAudio.cpp: loading the sound module with dlopen, and the effects and music handed on to it.
#include "audio/LazyAudio.h"

#include <dlfcn.h>

#include <filesystem>
#include <utility>

#include "audio/core/SoundFiles.h"

void TLazyAudio::Start() {
    if (!Started) {
        Started = true;
        Loader = std::thread([this] { Load(); });
    }
}

// The output the program leaves to the end of the process, where it is still reachable. Of
// external linkage, so that the store to it stays.
IAudioOutput* KeptToTheEnd = nullptr;

TLazyAudio::~TLazyAudio() {
    if (Loader.joinable()) {
        Loader.join();
    }
    // Closing the sound card waits for the audio thread to finish the buffer it is on, tens of
    // milliseconds at every close of the game, and the synthesizer's teardown frees every
    // sample: the end of the process does both at once. The music has stopped with its player.
    KeptToTheEnd = Loaded.release();
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

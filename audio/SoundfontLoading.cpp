// SoundfontLoading.cpp: the cut-down soundfont, handed to FluidSynth's own loader as a file in
// memory.
#include "audio/SoundfontLoading.h"

#include <QFile>
#include <cstdio>
#include <string>

#include "audio/SoundfontSubset.h"

namespace {

// FluidSynth's loader opens soundfonts by name alone, so the one made in memory is handed over in
// this, under a name no file has, for the length of one load.
struct TPendingSoundfont {
    std::string Name;
    std::string Bytes;
};
TPendingSoundfont Pending;

void* OpenSoundfont(const char* name) {
    if (!Pending.Name.empty() && Pending.Name == name) {
        return fmemopen(Pending.Bytes.data(), Pending.Bytes.size(), "rb");
    }
    return std::fopen(name, "rb");
}

int ReadSoundfont(void* buffer, fluid_long_long_t count, void* file) {
    const auto size = static_cast<size_t>(count);
    return std::fread(buffer, 1, size, static_cast<FILE*>(file)) == size ? FLUID_OK : FLUID_FAILED;
}

int SeekSoundfont(void* file, fluid_long_long_t offset, int origin) {
    return std::fseek(static_cast<FILE*>(file), static_cast<long>(offset), origin) == 0
               ? FLUID_OK
               : FLUID_FAILED;
}

fluid_long_long_t TellSoundfont(void* file) {
    return std::ftell(static_cast<FILE*>(file));
}

int CloseSoundfont(void* file) {
    return std::fclose(static_cast<FILE*>(file)) == 0 ? FLUID_OK : FLUID_FAILED;
}

// The soundfont cut down. Read piece by piece rather than mapped, so that what is read of the file
// never counts as the game's memory. Empty when it cannot be cut down.
std::string Subset(const QString& path, const std::set<std::pair<int, int>>& instruments) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const TSoundfontReader read = [&](uint64_t offset, uint32_t count) {
        std::string bytes(count, '\0');
        if (!file.seek(static_cast<qint64>(offset)) ||
            file.read(bytes.data(), count) != static_cast<qint64>(count)) {
            throw ESoundfontError("the file is cut short");
        }
        return bytes;
    };
    try {
        return SoundfontSubset(read, static_cast<uint64_t>(file.size()), instruments);
    } catch (const ESoundfontError&) {
        return {};
    }
}

}  // namespace

void AddMemorySoundfontLoader(fluid_synth_t* synth, fluid_settings_t* settings) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader != nullptr) {
        fluid_sfloader_set_callbacks(loader, OpenSoundfont, ReadSoundfont, SeekSoundfont,
                                     TellSoundfont, CloseSoundfont);
        fluid_synth_add_sfloader(synth, loader);
    }
}

int LoadSoundfont(fluid_synth_t* synth, fluid_settings_t* settings, const QString& path,
                  const std::set<std::pair<int, int>>& instruments) {
    static int made = 0;
    Pending.Bytes = Subset(path, instruments);
    const bool cut = !Pending.Bytes.empty();
    // Every sample of a cut-down soundfont is wanted, so they are read at once and the copy in
    // memory goes; a whole General MIDI set reads only the samples of the instruments chosen.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", cut ? 0 : 1);
    // FluidSynth caches samples by file name: each cut gets a name of its own.
    const std::string name = cut ? "zellipo soundfont in memory " + std::to_string(++made)
                                 : QFile::encodeName(path).toStdString();
    Pending.Name = cut ? name : std::string();
    const int id = fluid_synth_sfload(synth, name.c_str(), 1);
    Pending = {};
    return id;
}

// SoundfontSubsetTest.cpp: cutting a soundfont down to a piece's presets, and the files it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "audio/SoundfontSubset.h"

namespace {

std::string Le(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return out;
}

uint32_t Field(const std::string& list, size_t recordSize, size_t index, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(list.at(index * recordSize + at + i));
    }
    return value;
}

std::vector<std::string> Names(const std::string& list, size_t recordSize) {
    std::vector<std::string> names;
    for (size_t at = 0; at < list.size(); at += recordSize) {
        const std::string name = list.substr(at, 20);
        names.push_back(name.substr(0, name.find('\0')));
    }
    return names;
}

std::string Chunk(const std::string& id, const std::string& body) {
    return id + Le(static_cast<uint32_t>(body.size()), 4) + body +
           std::string(body.size() % 2, '\0');
}

std::string Name(std::string name) {
    name.resize(20, '\0');
    return name;
}

std::string Preset(const std::string& name, int program, int bank, int bag) {
    return Name(name) + Le(program, 2) + Le(bank, 2) + Le(bag, 2) + std::string(12, '\0');
}
std::string Instrument(const std::string& name, int bag) {
    return Name(name) + Le(bag, 2);
}
std::string Bag(int generator, int modulator) {
    return Le(generator, 2) + Le(modulator, 2);
}
std::string Gen(int oper, int amount) {
    return Le(oper, 2) + Le(amount, 2);
}
std::string Mod(int source) {
    return Le(source, 2) + Le(48, 2) + Le(960, 2) + Le(0, 4);
}

struct TSample {
    const char* Name;
    uint32_t Start, End, LoopStart, LoopEnd;
    int Link, Type;
};
// A drum, a piano and a stereo pair, 46 silent points after each as a soundfont keeps them.
const TSample Samples[] = {{"Snare", 0, 8, 2, 6, 0, 1},
                           {"Piano", 54, 66, 58, 64, 0, 1},
                           {"StringL", 112, 122, 114, 120, 3, 4},
                           {"StringR", 168, 178, 170, 176, 2, 2}};
constexpr uint32_t SamplePoints = 224;
constexpr uint16_t InstrumentGen = 41, SampleGen = 53, PanGen = 17, AttenuationGen = 48;

std::string SampleHeader(const TSample& s) {
    return Name(s.Name) + Le(s.Start, 4) + Le(s.End, 4) + Le(s.LoopStart, 4) + Le(s.LoopEnd, 4) +
           Le(22050, 4) + std::string("\x3C\0", 2) + Le(s.Link, 2) + Le(s.Type, 2);
}

// A soundfont's lists by id; INFO holds the INFO list's body.
using TLists = std::map<std::string, std::string>;

// Presets Piano (0,0), Strings (0,48: the strings layered over the piano) and Drums (128,0).
TLists TestLists() {
    TLists lists;
    lists["INFO"] = Chunk("ifil", Le(2, 2) + Le(1, 2)) + Chunk("INAM", std::string("Test\0", 5));
    for (uint32_t point = 0; point < SamplePoints; ++point) {
        bool inSample = false;
        for (const TSample& s : Samples) {
            inSample = inSample || (point >= s.Start && point < s.End);
        }
        lists["smpl"] += Le(inSample ? 1000 + point : 0, 2);
    }
    lists["sm24"] = std::string(SamplePoints, '\x7F');
    lists["phdr"] = Preset("Piano", 0, 0, 0) + Preset("Strings", 48, 0, 1) +
                    Preset("Drums", 0, 128, 3) + Preset("EOP", 0, 0, 4);
    lists["pbag"] = Bag(0, 0) + Bag(1, 1) + Bag(2, 1) + Bag(4, 1) + Bag(5, 1);
    lists["pmod"] = Mod(1) + std::string(10, '\0');
    lists["pgen"] = Gen(InstrumentGen, 1) + Gen(InstrumentGen, 2) + Gen(AttenuationGen, 100) +
                    Gen(InstrumentGen, 1) + Gen(InstrumentGen, 0) + Gen(0, 0);
    lists["inst"] = Instrument("Drums", 0) + Instrument("Piano", 1) + Instrument("Strings", 3) +
                    Instrument("EOI", 4);
    // The piano has a global zone; the strings name their left half only.
    lists["ibag"] = Bag(0, 0) + Bag(1, 0) + Bag(2, 0) + Bag(3, 0) + Bag(5, 0);
    lists["imod"] = std::string(10, '\0');
    lists["igen"] = Gen(SampleGen, 0) + Gen(PanGen, 0) + Gen(SampleGen, 1) + Gen(PanGen, 500) +
                    Gen(SampleGen, 2) + Gen(0, 0);
    for (const TSample& s : Samples) {
        lists["shdr"] += SampleHeader(s);
    }
    lists["shdr"] += SampleHeader({"EOS", 0, 0, 0, 0, 0, 0});
    return lists;
}

std::string Soundfont(const TLists& lists, const std::string& form = "sfbk") {
    std::string samples, hydra;
    for (const char* id : {"smpl", "sm24"}) {
        samples += lists.count(id) != 0 ? Chunk(id, lists.at(id)) : "";
    }
    for (const char* id :
         {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"}) {
        hydra += lists.count(id) != 0 ? Chunk(id, lists.at(id)) : "";
    }
    return Chunk("RIFF", form + Chunk("LIST", "INFO" + lists.at("INFO")) +
                             Chunk("LIST", "sdta" + samples) + Chunk("LIST", "pdta" + hydra));
}

void ReadChunks(const std::string& file, size_t at, size_t end, TLists& lists) {
    while (at + 8 <= end) {
        const std::string id = file.substr(at, 4);
        const uint32_t size = Field(file, 0, 0, at + 4, 4);
        const std::string body = file.substr(at + 8, size);
        if (id == "LIST" && body.substr(0, 4) == "INFO") {
            lists["INFO"] = body.substr(4);
        } else if (id == "LIST") {
            ReadChunks(file, at + 12, at + 8 + size, lists);
        } else {
            lists[id] = body;
        }
        at += 8 + size + size % 2;
    }
}

TLists ReadLists(const std::string& file) {
    EXPECT_EQ(file.substr(0, 4), "RIFF");
    EXPECT_EQ(file.substr(8, 4), "sfbk");
    EXPECT_EQ(Field(file, 0, 0, 4, 4) + 8, file.size());
    TLists lists;
    ReadChunks(file, 12, file.size(), lists);
    return lists;
}

// The subset of a soundfont held in a string, which may be shorter than the size given for it.
std::string Subset(const std::string& file, const std::set<TPresetNumber>& wanted,
                   uint64_t fileSize = 0, uint64_t* bytesRead = nullptr) {
    const auto read = [&](uint64_t offset, uint32_t count) {
        if (offset > file.size()) {
            throw ESoundfontError("read past the end");
        }
        if (bytesRead != nullptr) {
            *bytesRead += count;
        }
        return file.substr(offset, count);
    };
    return SoundfontSubset(read, fileSize != 0 ? fileSize : file.size(), wanted);
}

// Generator amounts, in order, of those with the given operator.
std::vector<uint32_t> Amounts(const std::string& generators, uint16_t oper) {
    std::vector<uint32_t> amounts;
    for (size_t i = 0; i < generators.size() / 4; ++i) {
        if (Field(generators, 4, i, 0, 2) == oper) {
            amounts.push_back(Field(generators, 4, i, 2, 2));
        }
    }
    return amounts;
}

TEST(SoundfontSubset, KeepsThePresetsWithTheirInstrumentsAndSamplesRenumbered) {
    const TLists out = ReadLists(Subset(Soundfont(TestLists()), {{0, 48}}));
    EXPECT_EQ(out.at("phdr"), Preset("Strings", 48, 0, 0) + Preset("EOP", 0, 0, 2));
    EXPECT_EQ(out.at("pbag"), Bag(0, 0) + Bag(1, 0) + Bag(3, 0));
    EXPECT_EQ(out.at("pmod"), std::string(10, '\0'));
    EXPECT_EQ(out.at("pgen"),
              Gen(InstrumentGen, 1) + Gen(AttenuationGen, 100) + Gen(InstrumentGen, 0) + Gen(0, 0));
    EXPECT_EQ(out.at("inst"),
              Instrument("Piano", 0) + Instrument("Strings", 2) + Instrument("EOI", 3));
    EXPECT_EQ(out.at("ibag"), Bag(0, 0) + Bag(1, 0) + Bag(2, 0) + Bag(4, 0));
    EXPECT_EQ(out.at("imod"), std::string(10, '\0'));
    EXPECT_EQ(out.at("igen"), Gen(PanGen, 0) + Gen(SampleGen, 0) + Gen(PanGen, 500) +
                                  Gen(SampleGen, 1) + Gen(0, 0));
    // The right half comes along with the left one that the strings name.
    EXPECT_EQ(Names(out.at("shdr"), 46),
              (std::vector<std::string>{"Piano", "StringL", "StringR", "EOS"}));
    // The stereo pair's links name each other by their new numbers; a mono sample links nothing.
    EXPECT_EQ(Field(out.at("shdr"), 46, 0, 42, 2), 0u);
    EXPECT_EQ(Field(out.at("shdr"), 46, 1, 42, 2), 2u);
    EXPECT_EQ(Field(out.at("shdr"), 46, 2, 42, 2), 1u);
}

TEST(SoundfontSubset, CopiesEachSampleFollowedBySilenceWithItsLoopInPlace) {
    const TLists in = TestLists();
    const TLists out = ReadLists(Subset(Soundfont(in), {{0, 48}}));
    const std::string& smpl = out.at("smpl");
    uint32_t next = 0;
    for (size_t i = 0; i < 3; ++i) {
        const TSample& old = Samples[i + 1];
        const uint32_t start = Field(out.at("shdr"), 46, i, 20, 4);
        const uint32_t end = Field(out.at("shdr"), 46, i, 24, 4);
        EXPECT_EQ(start, next) << old.Name;
        EXPECT_EQ(end - start, old.End - old.Start) << old.Name;
        EXPECT_EQ(Field(out.at("shdr"), 46, i, 28, 4) - start, old.LoopStart - old.Start);
        EXPECT_EQ(Field(out.at("shdr"), 46, i, 32, 4) - start, old.LoopEnd - old.Start);
        EXPECT_EQ(smpl.substr(start * 2, (end - start) * 2),
                  in.at("smpl").substr(old.Start * 2, (old.End - old.Start) * 2));
        EXPECT_EQ(smpl.substr(end * 2, 92), std::string(92, '\0')) << old.Name;
        next = end + 46;
    }
    EXPECT_EQ(smpl.size(), next * 2u);
    EXPECT_EQ(out.count("sm24"), 0u);
}

TEST(SoundfontSubset, FindsPercussionKitsInBank128AndCopiesTheInfoList) {
    const TLists in = TestLists();
    const TLists out = ReadLists(Subset(Soundfont(in), {{0, 0}, {128, 0}, {5, 5}}));
    EXPECT_EQ(out.at("phdr"),
              Preset("Piano", 0, 0, 0) + Preset("Drums", 0, 128, 1) + Preset("EOP", 0, 0, 2));
    EXPECT_EQ(out.at("pmod"), in.at("pmod"));
    EXPECT_EQ(out.at("pgen"), Gen(InstrumentGen, 1) + Gen(InstrumentGen, 0) + Gen(0, 0));
    EXPECT_EQ(Names(out.at("inst"), 22), (std::vector<std::string>{"Drums", "Piano", "EOI"}));
    EXPECT_EQ(Names(out.at("shdr"), 46), (std::vector<std::string>{"Snare", "Piano", "EOS"}));
    EXPECT_EQ(out.at("INFO"), in.at("INFO"));
}

TEST(SoundfontSubset, RefusesWhenNoneOfTheWantedPresetsIsThere) {
    EXPECT_THROW(Subset(Soundfont(TestLists()), {{0, 1}, {1, 0}}), ESoundfontError);
    EXPECT_THROW(Subset(Soundfont(TestLists()), {}), ESoundfontError);
}

TEST(SoundfontSubset, RefusesBrokenFiles) {
    const auto broken = [](const std::string& id, const std::string& list) {
        TLists lists = TestLists();
        lists[id] = list;
        return Soundfont(lists);
    };
    const std::string good = Soundfont(TestLists());
    const TSample romPiano{"Piano", 54, 66, 58, 64, 0, 0x8001};
    const TSample longPiano{"Piano", 54, SamplePoints + 1, 58, 64, 0, 1};
    const std::string cases[] = {
        good.substr(0, good.size() - 10),
        good.substr(0, 11),
        Soundfont(TestLists(), "WAVE"),
        "RIFX" + good.substr(4),
        broken("pbag", Bag(0, 0) + Bag(1, 1) + Bag(2, 1) + Bag(4, 1) + Bag(9, 1)),
        broken("pbag", Bag(0, 0) + Bag(1, 1) + Bag(2, 1) + Bag(4, 1) + Bag(5, 3)),
        broken("phdr", Preset("Piano", 0, 0, 0) + Preset("Strings", 48, 0, 3) +
                           Preset("Drums", 0, 128, 2) + Preset("EOP", 0, 0, 4)),
        broken("pgen", TestLists().at("pgen").substr(0, 16) + Gen(InstrumentGen, 3) + Gen(0, 0)),
        broken("pgen", TestLists().at("pgen") + std::string(2, '\0')),
        broken("igen", Gen(SampleGen, 0) + Gen(PanGen, 0) + Gen(SampleGen, 4) +
                           TestLists().at("igen").substr(12)),
        broken("shdr", SampleHeader(Samples[0]) + SampleHeader(longPiano) +
                           TestLists().at("shdr").substr(92)),
        broken("shdr", SampleHeader(Samples[0]) + SampleHeader(romPiano) +
                           TestLists().at("shdr").substr(92)),
        broken("imod", ""),
    };
    for (const std::string& file : cases) {
        EXPECT_THROW(Subset(file, {{0, 0}, {0, 48}, {128, 0}}), ESoundfontError) << file.size();
    }
    // A reader that gives less than the file's size promised.
    EXPECT_THROW(Subset(good.substr(0, good.size() - 10), {{0, 0}}, good.size()), ESoundfontError);
}

TEST(SoundfontSubset, CutsDownTheGeneralMidiSoundfont) {
    const std::filesystem::path path = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << path << " is not installed";
    }
    std::ifstream stream(path, std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(stream), {}};
    uint64_t bytesRead = 0;
    const TLists out = ReadLists(Subset(file, {{0, 0}, {128, 0}}, 0, &bytesRead));
    const std::string& presets = out.at("phdr");
    ASSERT_EQ(presets.size(), 3u * 38);
    std::set<TPresetNumber> numbers;
    for (size_t i = 0; i < 2; ++i) {
        numbers.emplace(Field(presets, 38, i, 22, 2), Field(presets, 38, i, 20, 2));
    }
    EXPECT_EQ(numbers, (std::set<TPresetNumber>{{0, 0}, {128, 0}}));
    for (const uint32_t instrument : Amounts(out.at("pgen"), InstrumentGen)) {
        EXPECT_LT(instrument, out.at("inst").size() / 22 - 1);
    }
    const size_t samples = out.at("shdr").size() / 46 - 1;
    for (const uint32_t sample : Amounts(out.at("igen"), SampleGen)) {
        EXPECT_LT(sample, samples);
    }
    EXPECT_LE(Field(out.at("shdr"), 46, samples - 1, 24, 4) + 46, out.at("smpl").size() / 2);
    // Only the lists and the two presets' samples were read.
    EXPECT_LT(bytesRead, file.size() / 2);
}

}  // namespace

// SoundfontSubset.cpp: reading a SoundFont 2 file's lists, following the chosen presets down to the
// instruments and samples they use, and writing those out as a soundfont of their own.
#include "audio/SoundfontSubset.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <vector>

namespace {

// Record sizes of the pdta lists.
constexpr size_t PresetHeaderSize = 38;
constexpr size_t InstrumentHeaderSize = 22;
constexpr size_t SampleHeaderSize = 46;
constexpr size_t BagSize = 4;
constexpr size_t ModulatorSize = 10;
constexpr size_t GeneratorSize = 4;

// Where the fields read or rewritten sit in their records; every header starts with its name.
constexpr size_t NameSize = 20;
constexpr size_t PresetProgramField = 20;
constexpr size_t PresetBankField = 22;
constexpr size_t PresetBagField = 24;
constexpr size_t InstrumentBagField = 20;
constexpr size_t BagGeneratorField = 0;
constexpr size_t BagModulatorField = 2;
constexpr size_t GeneratorOperatorField = 0;
constexpr size_t GeneratorAmountField = 2;
constexpr size_t SampleStartField = 20;
constexpr size_t SampleEndField = 24;
constexpr size_t SampleLoopStartField = 28;
constexpr size_t SampleLoopEndField = 32;
constexpr size_t SampleLinkField = 42;
constexpr size_t SampleTypeField = 44;

// The generators whose amounts are indices into the level below, so change when it is renumbered.
constexpr uint16_t InstrumentGenerator = 41;
constexpr uint16_t SampleIdGenerator = 53;

// Sample types: the halves of a stereo pair, or a link in a chain of samples played together.
constexpr uint16_t RightSample = 2;
constexpr uint16_t LeftSample = 4;
constexpr uint16_t LinkedSample = 8;
constexpr uint16_t RomSample = 0x8000;

constexpr uint64_t BytesPerPoint = 2;
// The synthesizer interpolates past a sample's last point, so every sample is followed by silence.
constexpr uint64_t ZeroPointsAfterSample = 46;

uint32_t LittleEndian(std::string_view bytes, size_t at, size_t width) {
    if (at > bytes.size() || width > bytes.size() - at) {
        throw ESoundfontError("a record of the soundfont is cut short");
    }
    uint32_t value = 0;
    for (size_t i = width; i-- > 0;) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFFu);
    }
}

std::string NameOf(std::string_view record) {
    const std::string_view name = record.substr(0, NameSize);
    return std::string(name.substr(0, name.find('\0')));
}

// The soundfont file behind the caller's reader, read only within its size and never cut short.
class TFile {
  public:
    TFile(const TSoundfontReader& read, uint64_t size) : Reader(read), Size(size) {}

    uint64_t FileSize() const { return Size; }

    std::string Read(uint64_t offset, uint64_t count) const {
        if (offset > Size || count > Size - offset ||
            count > std::numeric_limits<uint32_t>::max()) {
            throw ESoundfontError("the file is cut short");
        }
        std::string bytes = Reader(offset, static_cast<uint32_t>(count));
        if (bytes.size() < count) {
            throw ESoundfontError("the file is cut short");
        }
        bytes.resize(count);
        return bytes;
    }

  private:
    const TSoundfontReader& Reader;
    uint64_t Size;
};

struct TChunk {
    std::string Id;
    uint64_t Body = 0;  // where its data starts in the file
    uint32_t Size = 0;
};

// The chunks one after another in [begin, end) of the file, each padded to an even size.
std::vector<TChunk> ChunksIn(const TFile& file, uint64_t begin, uint64_t end) {
    std::vector<TChunk> chunks;
    uint64_t at = begin;
    while (at < end) {
        if (end - at < 8) {
            throw ESoundfontError("a chunk header is cut short");
        }
        const std::string header = file.Read(at, 8);
        const TChunk chunk{header.substr(0, 4), at + 8, LittleEndian(header, 4, 4)};
        if (chunk.Size > end - chunk.Body) {
            throw ESoundfontError("a chunk runs past the end of the list holding it");
        }
        chunks.push_back(chunk);
        at = chunk.Body + chunk.Size + (chunk.Size & 1u);
    }
    return chunks;
}

// A list that comes twice leaves it unclear which one the synthesizer would go by.
void Keep(std::optional<TChunk>& slot, const TChunk& chunk, const std::string& what) {
    if (slot) {
        throw ESoundfontError("the soundfont has two " + what);
    }
    slot = chunk;
}

// A list of pdta: whole records of one size, the last a terminal record that only closes the index
// ranges of the one before it.
class TRecords {
  public:
    TRecords(std::string bytes, size_t recordSize, const std::string& name)
        : Bytes(std::move(bytes)), RecordSize(recordSize) {
        if (Bytes.size() % RecordSize != 0) {
            throw ESoundfontError("the '" + name + "' list is not made of whole records");
        }
        if (Bytes.empty()) {
            throw ESoundfontError("the '" + name + "' list lacks its terminal record");
        }
    }

    // The terminal record's index, which is also how many records come before it.
    size_t Terminal() const { return Bytes.size() / RecordSize - 1; }

    std::string_view Record(size_t index) const {
        if (index > Terminal()) {
            throw ESoundfontError("a record past the end of its list was asked for");
        }
        return std::string_view(Bytes).substr(index * RecordSize, RecordSize);
    }

    uint16_t U16(size_t index, size_t field) const {
        return static_cast<uint16_t>(LittleEndian(Record(index), field, 2));
    }
    uint32_t U32(size_t index, size_t field) const { return LittleEndian(Record(index), field, 4); }

  private:
    std::string Bytes;
    size_t RecordSize;
};

// A list being written: records copied whole from the soundfont, then their indices set anew.
class TRecordWriter {
  public:
    void Add(std::string_view record) {
        Last = Bytes.size();
        Bytes.append(record);
        ++Added;
    }

    void Set16(size_t field, size_t value) {
        if (value > std::numeric_limits<uint16_t>::max()) {
            throw ESoundfontError("the cut-down soundfont would have too many records");
        }
        PutLittleEndian(Bytes, Last + field, static_cast<uint32_t>(value), 2);
    }
    void Set32(size_t field, uint32_t value) { PutLittleEndian(Bytes, Last + field, value, 4); }

    size_t Count() const { return Added; }
    const std::string& Written() const { return Bytes; }

  private:
    std::string Bytes;
    size_t Last = 0;
    size_t Added = 0;
};

// What tells the presets' lists from the instruments' lists, which otherwise have the same shape.
struct TLevelShape {
    const char* Noun;
    const char* Below;  // what the index generator names
    const char* HeaderId;
    char Prefix;  // of the bag, modulator and generator lists' ids
    size_t HeaderSize;
    size_t BagField;
    uint16_t IndexGenerator;
};

constexpr TLevelShape PresetShape{.Noun = "preset",
                                  .Below = "instrument",
                                  .HeaderId = "phdr",
                                  .Prefix = 'p',
                                  .HeaderSize = PresetHeaderSize,
                                  .BagField = PresetBagField,
                                  .IndexGenerator = InstrumentGenerator};
constexpr TLevelShape InstrumentShape{.Noun = "instrument",
                                      .Below = "sample",
                                      .HeaderId = "inst",
                                      .Prefix = 'i',
                                      .HeaderSize = InstrumentHeaderSize,
                                      .BagField = InstrumentBagField,
                                      .IndexGenerator = SampleIdGenerator};

// Presets and instruments alike: headers, each owning a range of bags (its zones), each owning a
// range of modulators and of generators. One generator names a record of the level below.
struct TLevel {
    TLevelShape Shape;
    TRecords Headers;
    TRecords Bags;
    TRecords Modulators;
    TRecords Generators;

    std::pair<size_t, size_t> BagsOf(size_t header) const {
        return {Headers.U16(header, Shape.BagField), Headers.U16(header + 1, Shape.BagField)};
    }
    std::pair<size_t, size_t> ModulatorsOf(size_t bag) const {
        return {Bags.U16(bag, BagModulatorField), Bags.U16(bag + 1, BagModulatorField)};
    }
    std::pair<size_t, size_t> GeneratorsOf(size_t bag) const {
        return {Bags.U16(bag, BagGeneratorField), Bags.U16(bag + 1, BagGeneratorField)};
    }
};

// Every range has to run forwards and end within the list it indexes, whose terminal record closes
// the last range; after this, no range of the level can reach past its list.
void CheckRanges(const TRecords& from, size_t field, const TRecords& into,
                 const std::string& what) {
    size_t previous = 0;
    for (size_t index = 0; index <= from.Terminal(); ++index) {
        const size_t first = from.U16(index, field);
        if (first < previous || first > into.Terminal()) {
            throw ESoundfontError("the " + what + " run backwards or past their list");
        }
        previous = first;
    }
}

void CheckLevel(const TLevel& level) {
    const std::string noun = level.Shape.Noun;
    CheckRanges(level.Headers, level.Shape.BagField, level.Bags, noun + " zones");
    CheckRanges(level.Bags, BagModulatorField, level.Modulators, noun + " modulators");
    CheckRanges(level.Bags, BagGeneratorField, level.Generators, noun + " generators");
}

// The records of the level below that the given headers' zones name, each checked to be there.
std::set<size_t> Named(const TLevel& level, const std::vector<size_t>& headers, size_t below) {
    std::set<size_t> named;
    for (const size_t header : headers) {
        const auto [firstBag, endBag] = level.BagsOf(header);
        for (size_t bag = firstBag; bag < endBag; ++bag) {
            const auto [first, end] = level.GeneratorsOf(bag);
            for (size_t generator = first; generator < end; ++generator) {
                if (level.Generators.U16(generator, GeneratorOperatorField) !=
                    level.Shape.IndexGenerator) {
                    continue;
                }
                const size_t index = level.Generators.U16(generator, GeneratorAmountField);
                if (index >= below) {
                    throw ESoundfontError(std::string("a zone of ") + level.Shape.Noun + " '" +
                                          NameOf(level.Headers.Record(header)) + "' names " +
                                          level.Shape.Below + " " + std::to_string(index) +
                                          ", which the soundfont does not have");
                }
                named.insert(index);
            }
        }
    }
    return named;
}

// Old index to new: the kept records stay in their order, closed up.
std::map<size_t, size_t> Renumbering(const std::set<size_t>& kept) {
    std::map<size_t, size_t> renumbering;
    for (const size_t index : kept) {
        renumbering.emplace(index, renumbering.size());
    }
    return renumbering;
}

struct TLevelLists {
    std::string Headers;
    std::string Bags;
    std::string Modulators;
    std::string Generators;
};

TLevelLists WriteLevel(const TLevel& level, const std::vector<size_t>& headers,
                       const std::map<size_t, size_t>& below) {
    TRecordWriter headersOut, bagsOut, modulatorsOut, generatorsOut;
    const auto addHeader = [&](size_t header) {
        headersOut.Add(level.Headers.Record(header));
        headersOut.Set16(level.Shape.BagField, bagsOut.Count());
    };
    const auto addBag = [&](size_t bag) {
        bagsOut.Add(level.Bags.Record(bag));
        bagsOut.Set16(BagGeneratorField, generatorsOut.Count());
        bagsOut.Set16(BagModulatorField, modulatorsOut.Count());
    };
    for (const size_t header : headers) {
        addHeader(header);
        const auto [firstBag, endBag] = level.BagsOf(header);
        for (size_t bag = firstBag; bag < endBag; ++bag) {
            addBag(bag);
            const auto [firstModulator, endModulator] = level.ModulatorsOf(bag);
            for (size_t modulator = firstModulator; modulator < endModulator; ++modulator) {
                modulatorsOut.Add(level.Modulators.Record(modulator));
            }
            const auto [firstGenerator, endGenerator] = level.GeneratorsOf(bag);
            for (size_t generator = firstGenerator; generator < endGenerator; ++generator) {
                generatorsOut.Add(level.Generators.Record(generator));
                if (level.Generators.U16(generator, GeneratorOperatorField) ==
                    level.Shape.IndexGenerator) {
                    generatorsOut.Set16(
                        GeneratorAmountField,
                        below.at(level.Generators.U16(generator, GeneratorAmountField)));
                }
            }
        }
    }
    // The terminal records keep their names; their indices close the last ranges.
    addHeader(level.Headers.Terminal());
    addBag(level.Bags.Terminal());
    modulatorsOut.Add(level.Modulators.Record(level.Modulators.Terminal()));
    generatorsOut.Add(level.Generators.Record(level.Generators.Terminal()));
    return {headersOut.Written(), bagsOut.Written(), modulatorsOut.Written(),
            generatorsOut.Written()};
}

bool IsLinked(const TRecords& samples, size_t sample) {
    return (samples.U16(sample, SampleTypeField) & (RightSample | LeftSample | LinkedSample)) != 0;
}

// A stereo sample sounds wrong without its other half, so partners come along, link by link.
std::set<size_t> WithPartners(const TRecords& samples, std::set<size_t> kept) {
    std::vector<size_t> pending(kept.begin(), kept.end());
    while (!pending.empty()) {
        const size_t sample = pending.back();
        pending.pop_back();
        const size_t partner = samples.U16(sample, SampleLinkField);
        if (IsLinked(samples, sample) && partner < samples.Terminal() &&
            kept.insert(partner).second) {
            pending.push_back(partner);
        }
    }
    return kept;
}

// A sample position moved along with the sample's data. Only a loop point lying before its own
// sample, which the synthesizer cannot play as it stands anyway, could land before the new data;
// it is put at 0 instead.
uint32_t Moved(uint32_t position, uint32_t oldStart, uint64_t newStart) {
    const int64_t moved =
        static_cast<int64_t>(newStart) + position - static_cast<int64_t>(oldStart);
    return static_cast<uint32_t>(
        std::clamp<int64_t>(moved, 0, std::numeric_limits<uint32_t>::max()));
}

// The kept samples' headers, and where their data lies in the file, to be copied in that order.
struct TSampleLists {
    struct TPiece {
        uint64_t Offset;
        uint64_t Bytes;
    };
    std::vector<TPiece> Pieces;
    uint64_t DataBytes = 0;  // with the zero points after each sample
    std::string Headers;
};

TSampleLists WriteSamples(const TChunk& data, const TRecords& samples,
                          const std::set<size_t>& kept) {
    const std::map<size_t, size_t> renumbering = Renumbering(kept);
    TSampleLists out;
    TRecordWriter headers;
    for (const size_t sample : kept) {
        const std::string name = NameOf(samples.Record(sample));
        if ((samples.U16(sample, SampleTypeField) & RomSample) != 0) {
            throw ESoundfontError("sample '" + name + "' is in ROM");
        }
        const uint32_t start = samples.U32(sample, SampleStartField);
        const uint32_t end = samples.U32(sample, SampleEndField);
        if (start > end || end > data.Size / BytesPerPoint) {
            throw ESoundfontError("sample '" + name + "' lies outside the sample data");
        }
        const uint64_t newStart = out.DataBytes / BytesPerPoint;
        const uint64_t bytes = uint64_t{end - start} * BytesPerPoint;
        out.Pieces.push_back({data.Body + uint64_t{start} * BytesPerPoint, bytes});
        out.DataBytes += bytes + ZeroPointsAfterSample * BytesPerPoint;

        headers.Add(samples.Record(sample));
        for (const size_t field :
             {SampleStartField, SampleEndField, SampleLoopStartField, SampleLoopEndField}) {
            headers.Set32(field, Moved(samples.U32(sample, field), start, newStart));
        }
        const auto partner = renumbering.find(samples.U16(sample, SampleLinkField));
        const bool paired = IsLinked(samples, sample) && partner != renumbering.end();
        headers.Set16(SampleLinkField, paired ? partner->second : 0);
    }
    headers.Add(samples.Record(samples.Terminal()));
    out.Headers = headers.Written();
    return out;
}

// Writes a RIFF file front to back, each chunk's size filled in as it ends, so the sample data
// is copied only once, into its place.
class TRiffWriter {
  public:
    explicit TRiffWriter(uint64_t expectedSize) {
        if (expectedSize > std::numeric_limits<uint32_t>::max()) {
            throw ESoundfontError("the cut-down soundfont would be too big for a RIFF file");
        }
        Out.reserve(expectedSize);
    }

    void Begin(std::string_view id) {
        Out += id;
        Started.push_back(Out.size());
        Out.append(4, '\0');
    }
    void BeginList(std::string_view id, std::string_view type) {
        Begin(id);
        Out += type;
    }
    void Append(std::string_view bytes) { Out += bytes; }
    void AppendZeros(uint64_t count) { Out.append(count, '\0'); }
    void End() {
        const size_t sizeAt = Started.back();
        Started.pop_back();
        PutLittleEndian(Out, sizeAt, static_cast<uint32_t>(Out.size() - sizeAt - 4), 4);
        if (Out.size() % 2 != 0) {
            Out += '\0';
        }
    }
    void Chunk(std::string_view id, std::string_view body) {
        Begin(id);
        Append(body);
        End();
    }

    std::string Written() { return std::move(Out); }

  private:
    std::string Out;
    std::vector<size_t> Started;
};

// Where the soundfont's three lists are: INFO and pdta as chunks of their list, smpl on its own.
struct TLayout {
    std::optional<TChunk> Info;
    std::optional<TChunk> Samples;
    std::vector<TChunk> Hydra;
};

TLayout FindLists(const TFile& file) {
    if (file.FileSize() < 12) {
        throw ESoundfontError("the file is too short to be a soundfont");
    }
    const std::string riff = file.Read(0, 12);
    if (riff.substr(0, 4) != "RIFF") {
        throw ESoundfontError("the file is not a RIFF file");
    }
    if (riff.substr(8, 4) != "sfbk") {
        throw ESoundfontError("the file is a RIFF file but not a soundfont");
    }
    const uint64_t end = 8 + uint64_t{LittleEndian(riff, 4, 4)};
    if (end > file.FileSize()) {
        throw ESoundfontError("the file is cut short");
    }
    TLayout layout;
    std::optional<TChunk> sampleList, hydraList;
    for (const TChunk& chunk : ChunksIn(file, 12, end)) {
        if (chunk.Id != "LIST") {
            continue;
        }
        if (chunk.Size < 4) {
            throw ESoundfontError("a list is too short to have a type");
        }
        const TChunk list{file.Read(chunk.Body, 4), chunk.Body + 4, chunk.Size - 4};
        if (list.Id == "INFO") {
            Keep(layout.Info, list, "INFO lists");
        } else if (list.Id == "sdta") {
            Keep(sampleList, list, "sample data lists");
        } else if (list.Id == "pdta") {
            Keep(hydraList, list, "preset data lists");
        }
    }
    if (!layout.Info || !sampleList || !hydraList) {
        throw ESoundfontError("the soundfont lacks its INFO, sdta or pdta list");
    }
    // The 24-bit extension (sm24) is left behind: the subset is written with 16-bit samples only.
    for (const TChunk& chunk :
         ChunksIn(file, sampleList->Body, sampleList->Body + sampleList->Size)) {
        if (chunk.Id == "smpl") {
            Keep(layout.Samples, chunk, "'smpl' chunks");
        }
    }
    if (!layout.Samples) {
        throw ESoundfontError("the soundfont has no sample data");
    }
    layout.Hydra = ChunksIn(file, hydraList->Body, hydraList->Body + hydraList->Size);
    return layout;
}

TRecords ReadRecords(const TFile& file, const std::vector<TChunk>& hydra, const std::string& id,
                     size_t recordSize) {
    std::optional<TChunk> found;
    for (const TChunk& chunk : hydra) {
        if (chunk.Id == id) {
            Keep(found, chunk, "'" + id + "' lists");
        }
    }
    if (!found) {
        throw ESoundfontError("the soundfont lacks its '" + id + "' list");
    }
    return TRecords(file.Read(found->Body, found->Size), recordSize, id);
}

TLevel ReadLevel(const TFile& file, const std::vector<TChunk>& hydra, const TLevelShape& shape) {
    const std::string prefix(1, shape.Prefix);
    TLevel level{shape, ReadRecords(file, hydra, shape.HeaderId, shape.HeaderSize),
                 ReadRecords(file, hydra, prefix + "bag", BagSize),
                 ReadRecords(file, hydra, prefix + "mod", ModulatorSize),
                 ReadRecords(file, hydra, prefix + "gen", GeneratorSize)};
    CheckLevel(level);
    return level;
}

std::vector<size_t> WantedPresets(const TRecords& presets, const std::set<TPresetNumber>& wanted) {
    std::vector<size_t> found;
    for (size_t preset = 0; preset < presets.Terminal(); ++preset) {
        const TPresetNumber number{presets.U16(preset, PresetBankField),
                                   presets.U16(preset, PresetProgramField)};
        if (wanted.count(number) != 0) {
            found.push_back(preset);
        }
    }
    if (found.empty()) {
        throw ESoundfontError("none of the wanted presets is in the soundfont");
    }
    return found;
}

}  // namespace

std::string SoundfontSubset(const TSoundfontReader& read, uint64_t fileSize,
                            const std::set<TPresetNumber>& wanted) {
    const TFile file(read, fileSize);
    const TLayout layout = FindLists(file);
    const TLevel presets = ReadLevel(file, layout.Hydra, PresetShape);
    const TLevel instruments = ReadLevel(file, layout.Hydra, InstrumentShape);
    const TRecords samples = ReadRecords(file, layout.Hydra, "shdr", SampleHeaderSize);

    const std::vector<size_t> keptPresets = WantedPresets(presets.Headers, wanted);
    const std::set<size_t> keptInstruments =
        Named(presets, keptPresets, instruments.Headers.Terminal());
    const std::vector<size_t> instrumentList(keptInstruments.begin(), keptInstruments.end());
    const std::set<size_t> keptSamples =
        WithPartners(samples, Named(instruments, instrumentList, samples.Terminal()));

    const TLevelLists presetLists = WriteLevel(presets, keptPresets, Renumbering(keptInstruments));
    const TLevelLists instrumentLists =
        WriteLevel(instruments, instrumentList, Renumbering(keptSamples));
    const TSampleLists sampleLists = WriteSamples(*layout.Samples, samples, keptSamples);

    const std::string info = file.Read(layout.Info->Body, layout.Info->Size);
    const std::pair<std::string_view, const std::string*> hydra[] = {
        {"phdr", &presetLists.Headers},        {"pbag", &presetLists.Bags},
        {"pmod", &presetLists.Modulators},     {"pgen", &presetLists.Generators},
        {"inst", &instrumentLists.Headers},    {"ibag", &instrumentLists.Bags},
        {"imod", &instrumentLists.Modulators}, {"igen", &instrumentLists.Generators},
        {"shdr", &sampleLists.Headers},
    };
    // Chunk headers and padding come to well under a kilobyte.
    uint64_t listBytes = info.size() + 1024;
    for (const auto& [id, body] : hydra) {
        listBytes += body->size();
    }
    TRiffWriter out(sampleLists.DataBytes + listBytes);
    out.BeginList("RIFF", "sfbk");
    out.BeginList("LIST", "INFO");
    out.Append(info);
    out.End();
    out.BeginList("LIST", "sdta");
    out.Begin("smpl");
    for (const TSampleLists::TPiece& piece : sampleLists.Pieces) {
        out.Append(file.Read(piece.Offset, piece.Bytes));
        out.AppendZeros(ZeroPointsAfterSample * BytesPerPoint);
    }
    out.End();
    out.End();
    out.BeginList("LIST", "pdta");
    for (const auto& [id, body] : hydra) {
        out.Chunk(id, *body);
    }
    out.End();
    out.End();
    return out.Written();
}

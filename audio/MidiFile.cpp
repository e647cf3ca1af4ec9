// MidiFile.cpp: the chunks, events, tempo map and instruments of a standard MIDI file.
#include "audio/MidiFile.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint32_t DefaultTempo = 500000;  // microseconds per quarter note until a tempo event

class TReader {
  public:
    TReader(std::string_view bytes, std::string what) : Bytes(bytes), What(std::move(what)) {}

    bool AtEnd() const { return Pos == Bytes.size(); }

    uint8_t Byte() { return static_cast<uint8_t>(Take(1)[0]); }

    uint32_t BigEndian(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | Byte();
        }
        return value;
    }

    // Delta times and lengths: seven bits a byte, at most four bytes.
    uint32_t Variable() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = Byte();
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80u) == 0) {
                return value;
            }
        }
        throw EMidiError(What + " has a number longer than four bytes");
    }

    std::string_view Take(size_t count) {
        if (Bytes.size() - Pos < count) {
            throw EMidiError(What + " is cut short");
        }
        const std::string_view taken = Bytes.substr(Pos, count);
        Pos += count;
        return taken;
    }

  private:
    std::string_view Bytes;
    std::string What;
    size_t Pos = 0;
};

struct TTempoChange {
    uint64_t Tick;
    uint32_t MicrosecondsPerQuarter;
};

constexpr int PercussionChannel = 9;
constexpr int PercussionBank = 128;

// What one channel selects and whether it sounds at all.
struct TChannelUse {
    bool Notes = false;
    std::set<int> Banks{0};
    std::set<int> Programs{0};

    void Hear(uint8_t message, uint8_t first, uint8_t second) {
        constexpr uint8_t NoteOn = 0x90, Controller = 0xB0, ProgramChange = 0xC0;
        constexpr uint8_t BankSelect = 0;
        if (message == NoteOn && second != 0) {
            Notes = true;
        } else if (message == Controller && first == BankSelect) {
            Banks.insert(second);
        } else if (message == ProgramChange) {
            Programs.insert(first);
        }
    }
};

struct TPieceReading {
    std::vector<TTempoChange> Tempos;
    TChannelUse Channels[16];
};

// Reads one track's events into what the piece learns; returns the tick the track ends at.
uint64_t ReadTrack(std::string_view data, int number, TPieceReading& piece) {
    const std::string what = "track " + std::to_string(number);
    TReader track(data, what);
    uint64_t tick = 0;
    uint8_t status = 0;
    while (!track.AtEnd()) {
        tick += track.Variable();
        uint8_t first = track.Byte();
        if (first < 0xF0) {
            if (first >= 0x80) {
                status = first;
                first = track.Byte();
            } else if (status == 0) {
                throw EMidiError(what + " has an event without a status");
            }
            const bool oneDataByte = status >= 0xC0 && status < 0xE0;
            const uint8_t second = oneDataByte ? 0 : track.Byte();
            piece.Channels[status & 0x0Fu].Hear(status & 0xF0u, first, second);
        } else if (first == 0xF0 || first == 0xF7) {
            status = 0;
            track.Take(track.Variable());
        } else if (first == 0xFF) {
            status = 0;
            const uint8_t type = track.Byte();
            const std::string_view body = track.Take(track.Variable());
            if (type == 0x2F) {
                return tick;
            }
            if (type == 0x51) {
                if (body.size() != 3) {
                    throw EMidiError(what + " has a tempo event of the wrong size");
                }
                TReader tempo(body, what);
                piece.Tempos.push_back({tick, tempo.BigEndian(3)});
            }
        } else {
            throw EMidiError(what + " holds a system message that files cannot carry");
        }
    }
    // A track that stops without its end event ends with its last event, as players take it.
    return tick;
}

double MillisecondsAt(uint64_t end, uint32_t division, std::vector<TTempoChange> tempos) {
    if ((division & 0x8000u) != 0) {
        // Frames per second (the high byte, negated) times ticks per frame; 29 stands for 29.97.
        const int frames = -static_cast<int8_t>(division >> 8);
        const double fps = frames == 29 ? 30000.0 / 1001.0 : frames;
        return static_cast<double>(end) * 1000.0 / (fps * (division & 0xFFu));
    }
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TTempoChange& a, const TTempoChange& b) { return a.Tick < b.Tick; });
    double ms = 0;
    uint64_t tick = 0;
    uint32_t tempo = DefaultTempo;
    for (const TTempoChange& change : tempos) {
        if (change.Tick >= end) {
            break;
        }
        ms += static_cast<double>(change.Tick - tick) * tempo / 1000.0 / division;
        tick = change.Tick;
        tempo = change.MicrosecondsPerQuarter;
    }
    return ms + static_cast<double>(end - tick) * tempo / 1000.0 / division;
}

std::set<std::pair<int, int>> InstrumentsOf(const TChannelUse (&channels)[16]) {
    std::set<std::pair<int, int>> instruments;
    for (int channel = 0; channel < 16; ++channel) {
        const TChannelUse& use = channels[channel];
        if (!use.Notes) {
            continue;
        }
        for (const int program : use.Programs) {
            if (channel == PercussionChannel) {
                instruments.insert({PercussionBank, program});
                continue;
            }
            for (const int bank : use.Banks) {
                instruments.insert({bank, program});
            }
        }
    }
    return instruments;
}

}  // namespace

TMidiPiece ReadMidiPiece(std::string_view bytes) {
    TReader file(bytes, "the file");
    if (bytes.size() < 8 || file.Take(4) != "MThd") {
        throw EMidiError("it does not start with a MIDI header");
    }
    const uint32_t headerLength = file.BigEndian(4);
    if (headerLength < 6) {
        throw EMidiError("its header is too short");
    }
    TReader header(file.Take(headerLength), "the header");
    const uint32_t format = header.BigEndian(2);
    const uint32_t trackCount = header.BigEndian(2);
    const uint32_t division = header.BigEndian(2);
    if (format > 1) {
        throw EMidiError("format " + std::to_string(format) + " files are not supported");
    }
    if (trackCount == 0 || (format == 0 && trackCount != 1)) {
        throw EMidiError("its header gives a wrong number of tracks");
    }
    if ((division & 0x7FFFu) == 0 || ((division & 0x8000u) != 0 && (division & 0xFFu) == 0)) {
        throw EMidiError("its time division is zero");
    }

    TPieceReading piece;
    uint64_t end = 0;
    for (uint32_t read = 0; read < trackCount;) {
        if (file.AtEnd()) {
            throw EMidiError("it has fewer tracks than its header says");
        }
        const std::string_view type = file.Take(4);
        const std::string_view data = file.Take(file.BigEndian(4));
        // Chunks of other kinds may be mixed in and are to be skipped.
        if (type == "MTrk") {
            ++read;
            end = std::max(end, ReadTrack(data, static_cast<int>(read), piece));
        }
    }
    const double ms = MillisecondsAt(end, division, piece.Tempos);
    if (ms < 1) {
        throw EMidiError("it plays for no time at all");
    }
    // Timers count milliseconds in a signed 32-bit number.
    if (ms > std::numeric_limits<int32_t>::max()) {
        throw EMidiError("it plays for longer than 24 days");
    }
    return {static_cast<uint32_t>(ms + 0.5), InstrumentsOf(piece.Channels)};
}

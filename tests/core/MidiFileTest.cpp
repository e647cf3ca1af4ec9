// MidiFileTest.cpp: the playing time of standard MIDI files, the instruments they sound on, and the
// files the player refuses.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "audio/MidiFile.h"

namespace {

std::string BigEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return out;
}

std::string Chunk(const std::string& type, const std::string& body) {
    return type + BigEndian(static_cast<uint32_t>(body.size()), 4) + body;
}

std::string Header(int format, int tracks, uint32_t division) {
    return Chunk("MThd", BigEndian(format, 2) + BigEndian(tracks, 2) + BigEndian(division, 2));
}

// An event after a delta time below 128 ticks, which takes one byte.
std::string Event(int delta, const std::string& bytes) {
    return static_cast<char>(delta) + bytes;
}

std::string Tempo(int delta, uint32_t microsecondsPerQuarter) {
    return Event(delta, std::string("\xFF\x51\x03", 3) + BigEndian(microsecondsPerQuarter, 3));
}

std::string EndOfTrack(int delta) {
    return Event(delta, std::string("\xFF\x2F\x00", 3));
}

std::string NoteOn(int delta, int key) {
    return Event(delta, std::string("\x90", 1) + static_cast<char>(key) + '\x64');
}

TEST(MidiFile, TheTempoSetsHowLongTheTicksLast) {
    // Four quarters of 96 ticks at 100 quarters a minute: 2.4 s.
    EXPECT_EQ(ReadMidiPiece(Header(0, 1, 96) +
                            Chunk("MTrk", Tempo(0, 600000) + NoteOn(96, 60) + NoteOn(96, 62) +
                                              NoteOn(96, 64) + EndOfTrack(96)))
                  .LengthMs,
              2400u);
    // Without a tempo event a quarter lasts half a second.
    EXPECT_EQ(
        ReadMidiPiece(Header(0, 1, 96) + Chunk("MTrk", NoteOn(96, 60) + EndOfTrack(96))).LengthMs,
        1000u);
}

TEST(MidiFile, ATempoChangeInTheFirstTrackTimesTheOthers) {
    // 96 ticks at 0.5 s a quarter, then 96 ticks at 0.25 s a quarter.
    const std::string conductor = Tempo(0, 500000) + Tempo(96, 250000) + EndOfTrack(0);
    const std::string notes = NoteOn(0, 60) + NoteOn(96, 62) + EndOfTrack(96);
    EXPECT_EQ(
        ReadMidiPiece(Header(1, 2, 96) + Chunk("MTrk", conductor) + Chunk("MTrk", notes)).LengthMs,
        750u);
}

TEST(MidiFile, TheLongestTrackSetsTheLength) {
    const std::string file = Header(1, 3, 100) + Chunk("MTrk", EndOfTrack(50)) +
                             Chunk("MTrk", NoteOn(0, 60) + EndOfTrack(100)) +
                             Chunk("MTrk", EndOfTrack(20));
    EXPECT_EQ(ReadMidiPiece(file).LengthMs, 500u);
}

TEST(MidiFile, RunningStatusSystemExclusiveAndOtherChunksAreSteppedOver) {
    const std::string track =
        NoteOn(0, 60) +
        // Running status: a note-off as a note-on of velocity 0, and a program change after it.
        Event(10, std::string("\x3C\x00", 2)) + Event(0, std::string("\xC1\x05", 2)) +
        Event(0, std::string("\x06", 1)) +
        // A system exclusive message and a text meta event, each with its length.
        Event(10, std::string("\xF0\x03\x7E\x7F\xF7", 5)) + Event(0, "\xFF\x01\x02hi") +
        // A delta time of two bytes: 1 × 128 + 0 ticks.
        std::string("\x81\x00", 2) + std::string("\xB0\x07\x64", 3) + EndOfTrack(0);
    const std::string file = Header(0, 1, 148) + Chunk("XFIH", "ignored") + Chunk("MTrk", track);
    EXPECT_EQ(ReadMidiPiece(file).LengthMs, 500u);
}

TEST(MidiFile, TimecodeDivisionCountsFramesNotQuarters) {
    // 25 frames a second of 40 ticks each: a tick is a millisecond, whatever the tempo says.
    const uint32_t division = (0x100u - 25u) << 8 | 40u;
    const std::string track =
        Tempo(0, 250000) + Event(0x7F, std::string("\xFF\x01\x00", 3)) + EndOfTrack(0x7F);
    EXPECT_EQ(ReadMidiPiece(Header(0, 1, division) + Chunk("MTrk", track)).LengthMs, 254u);
}

TEST(MidiFile, ATrackWithoutItsEndEndsWithItsLastEvent) {
    EXPECT_EQ(
        ReadMidiPiece(Header(0, 1, 96) + Chunk("MTrk", NoteOn(0, 60) + NoteOn(96, 62))).LengthMs,
        500u);
}

TEST(MidiFile, BrokenFilesAreRefusedWithTheReason) {
    const std::string track = Chunk("MTrk", NoteOn(96, 60) + EndOfTrack(0));
    const struct {
        std::string Bytes;
        std::string Reason;
    } cases[] = {
        {std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16), "it does not start with a MIDI header"},
        {"", "it does not start with a MIDI header"},
        {"MThd" + BigEndian(4, 4) + BigEndian(1, 4), "its header is too short"},
        {Header(2, 1, 96) + track, "format 2 files are not supported"},
        {Header(0, 2, 96) + track + track, "its header gives a wrong number of tracks"},
        {Header(1, 0, 96), "its header gives a wrong number of tracks"},
        {Header(1, 1, 0) + track, "its time division is zero"},
        {Header(1, 2, 96) + track, "it has fewer tracks than its header says"},
        {Header(0, 1, 96) + track.substr(0, track.size() - 2), "the file is cut short"},
        {Header(0, 1, 96) + Chunk("MTrk", NoteOn(0, 60) + std::string("\x00\x90\x3C", 3)),
         "track 1 is cut short"},
        {Header(0, 1, 96) + Chunk("MTrk", Event(0, "\x3C\x64") + EndOfTrack(0)),
         "track 1 has an event without a status"},
        {Header(0, 1, 96) + Chunk("MTrk", Event(0, std::string("\xF2\x00\x00", 3)) + EndOfTrack(0)),
         "track 1 holds a system message that files cannot carry"},
        {Header(0, 1, 96) + Chunk("MTrk", std::string("\xFF\xFF\xFF\xFF\x00", 5)),
         "track 1 has a number longer than four bytes"},
        {Header(0, 1, 96) + Chunk("MTrk", Event(0, "\xFF\x51\x02\x07\xA1") + EndOfTrack(0)),
         "track 1 has a tempo event of the wrong size"},
        {Header(0, 1, 96) + Chunk("MTrk", NoteOn(0, 60) + EndOfTrack(0)),
         "it plays for no time at all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reason);
        try {
            ReadMidiPiece(c.Bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EMidiError& error) {
            EXPECT_EQ(std::string(error.what()), c.Reason);
        }
    }
}

TEST(MidiFile, APieceLongerThanATimerCanWaitIsRefused) {
    // 0x0FFFFFFF ticks of a quarter each at 0.5 s: over four years.
    const std::string track = std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) +
                              std::string("\xFF\xFF\xFF\x7F\xFF\x2F\x00", 7);
    EXPECT_THROW(ReadMidiPiece(Header(0, 1, 1) + Chunk("MTrk", track)), EMidiError);
}

}  // namespace

TEST(MidiFile, InstrumentsAreThoseOfTheChannelsThatSoundNotes) {
    // Channel 1 picks bank 8 and program 5 after its first note, in a track after the notes;
    // channel 10 plays drums; channel 3 changes program but only ever sends a silent note-on
    // (velocity 0, by running status); channel 4 never plays.
    const std::string notes = NoteOn(0, 60) + Event(0, std::string("\x99\x24\x64", 3)) +
                              Event(0, "\xC2\x10") + Event(0, std::string("\x92\x3C\x00", 3)) +
                              Event(0, std::string("\x3E\x00", 2)) + EndOfTrack(96);
    const std::string selections = Event(10, std::string("\xB0\x00\x08", 3)) +
                                   Event(0, "\xC0\x05") + Event(0, std::string("\xC3\x30", 2)) +
                                   EndOfTrack(0);
    const TMidiPiece piece =
        ReadMidiPiece(Header(1, 2, 96) + Chunk("MTrk", notes) + Chunk("MTrk", selections));
    const std::set<std::pair<int, int>> expected{{0, 0}, {0, 5}, {8, 0}, {8, 5}, {128, 0}};
    EXPECT_EQ(piece.Instruments, expected);
    EXPECT_EQ(piece.LengthMs, 500u);
}

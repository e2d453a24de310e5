#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/error_msg.h"
#include "midi/midi_file.h"
#include "midi/midi_track_base.h"
#include "tests/midi/memory_file.h"

namespace {

using tBytes = std::vector<uint8_t>;

std::string Chunk(const char *magic, const tBytes &body) {
    std::string s(magic, 4);
    uint32_t n = uint32_t(body.size());
    s += char(n >> 24);
    s += char(n >> 16);
    s += char(n >> 8);
    s += char(n);
    s.append(body.begin(), body.end());
    return s;
}

std::string Header(uint16_t format, uint16_t tracks, uint16_t division) {
    return Chunk("MThd", {uint8_t(format >> 8), uint8_t(format), uint8_t(tracks >> 8), uint8_t(tracks),
                          uint8_t(division >> 8), uint8_t(division)});
}

std::string OneTrackFile(const tBytes &events, uint16_t division = 480) {
    return Header(0, 1, division) + Chunk("MTrk", events);
}

struct ErrorCounter {
    int32_t start = gErrorMsg->ErrorCount();
    int32_t Raised() const { return gErrorMsg->ErrorCount() - start; }
};

// A file read from memory, with its first track ready to be read.
struct ReadFile {
    cMidiFile file{u"", 480};
    int32_t bytes = 0;
    explicit ReadFile(const std::string &content, uint16_t quantum = 0) {
        test::cMemoryFile memory(content);
        bytes = file.ReadFrom(memory, nullptr);
        if (cMusicTrack *t = file.GetTrack(0)) {
            t->SetQuantum(quantum);
            t->Dump(nullptr);
        }
    }
    cMidiTrackBase &Track(int i = 0) { return *static_cast<cMidiTrackBase *>(file.GetTrack(i)); }
    std::vector<cMusicTrack::cEvent> All(int i = 0) {
        std::vector<cMusicTrack::cEvent> out;
        cMusicTrack::cEvent ev;
        for (int guard = 0; guard < 100000; ++guard) {
            EXPECT_EQ(Track(i).ReadNextEvent(&ev), RC_OK);
            out.push_back(ev);
            if (ev.type == cMusicTrack::kTypeTrackEnd) break;
        }
        return out;
    }
};

// ---- Note values --------------------------------------------------------

TEST(NoteTime, FromTicksAt480) {
    gTicksPerQuarter = 480;
    struct Case {
        uint32_t ticks, rounded;
    } cases[] = {{14, 30}, {45, 30}, {46, 60}, {1000, 990}, {0, 30}, {480, 480}, {720, 720}, {959, 960}};
    for (const Case &c : cases) {
        cMusicTrack::cNoteTime t;
        EXPECT_EQ(t.FromTicks(c.ticks), c.rounded) << c.ticks;
        EXPECT_EQ(t.ToTicks(480), c.rounded);
        EXPECT_EQ(t.denominator, 1);
        EXPECT_NE(t.numerator % 2, 0);  // the even factors went into the exponent
    }
}

TEST(NoteTime, UnitStopsAfterFourHalvings) {
    gTicksPerQuarter = 128;
    cMusicTrack::cNoteTime t;
    EXPECT_EQ(t.FromTicks(3), 8u);
    EXPECT_EQ(t.FromTicks(13), 16u);
    EXPECT_EQ(t.FromTicks(12), 8u);  // exactly half a unit rounds down
    gTicksPerQuarter = 120;  // 120, 60, 30, 15: odd after three halvings
    EXPECT_EQ(t.FromTicks(20), 15u);
    EXPECT_EQ(t.FromTicks(23), 30u);
    gTicksPerQuarter = 0;  // no resolution at all: nothing divides by zero
    EXPECT_EQ(t.FromTicks(100), 0u);
    EXPECT_EQ(ScaleTicksPerQuarter(-3), 0u);
    gTicksPerQuarter = 480;
}

TEST(NoteTime, NormaliseAndScale) {
    gTicksPerQuarter = 480;
    cMusicTrack::cNoteTime t;
    t.FromTicks(720);  // dotted quarter
    EXPECT_EQ(t.Normalise(), 960u);
    t.FromTicks(480);
    EXPECT_EQ(t.Normalise(), 480u);
    t.FromTicks(1320);  // 11 eighths
    EXPECT_EQ(t.Normalise(), 1920u);
    EXPECT_EQ(ScaleTicksPerQuarter(2), 1920u);
    EXPECT_EQ(ScaleTicksPerQuarter(-4), 30u);
    EXPECT_EQ(ScaleTicksPerQuarter(-40), 0u);
    cMusicTrack::cNoteTime half;
    half.exponent = 1;
    EXPECT_EQ(half.ToTicks(96), 192u);
}

TEST(MusicEvent, ClearQuantiseRescaleBpm) {
    gTicksPerQuarter = 480;
    cMusicTrack::cEvent ev;
    ev.start = 1000;
    ev.duration = 470;
    ev.channel = 3;
    ev.tempo = 0;
    EXPECT_EQ(ev.GetBpm(), 0);  // no division by zero
    ev.Quantise();
    EXPECT_EQ(ev.start, 990u);
    EXPECT_EQ(ev.duration, 1470u - 990u);
    ev.Rescale(96, nullptr);
    EXPECT_EQ(ev.start, 198u);
    EXPECT_EQ(ev.duration, 96u);
    ev.Clear();
    EXPECT_EQ(ev.type, cMusicTrack::kTypeTrackEnd);
    EXPECT_EQ(ev.pitch, kNoPitch);
    EXPECT_EQ(ev.start, 0u);
    EXPECT_EQ(ev.channel, 0);
    EXPECT_EQ(ev.timeNumerator, 4);
    EXPECT_EQ(ev.timeDenominator, 2);
    EXPECT_EQ(ev.GetBpm(), 120);
}

TEST(MusicTrack, PendingEventsComeOutNewestFirstAtEqualTimes) {
    cMusicTrack t(480, 16, nullptr);
    auto make = [](uint32_t start, uint8_t id) {
        auto *e = new cMusicTrack::cEvent;
        e->start = start;
        e->data1 = id;
        return e;
    };
    t.AddEvent(make(100, 1));
    t.AddEvent(make(100, 2));
    t.AddEvent(make(200, 3));
    t.AddEvent(make(50, 4));
    std::vector<int> order;
    for (auto *e : t.PendingEvents()) order.push_back(e->data1);
    EXPECT_EQ(order, (std::vector<int>{4, 2, 1, 3}));
}

TEST(PlayDuration, EndTimesOfSoundingNotes) {
    cPlayDuration d;
    EXPECT_EQ(d.Earliest(), 0x0FFFFFFFu);
    EXPECT_EQ(d.Add(100, 0), 100u);
    EXPECT_EQ(d.Count(), 0u);  // ends at once
    d.Add(0, 480);
    d.Add(0, 480);
    d.Add(0, 240);
    EXPECT_EQ(d.Count(), 2u);
    EXPECT_EQ(d.Earliest(), 240u);
    d.Add(240, 480);  // 240 has ended
    EXPECT_EQ(d.Earliest(), 480u);
    EXPECT_EQ(d.Count(), 2u);
    EXPECT_EQ(d.Clear(), 0);
    EXPECT_EQ(d.Earliest(), 0x0FFFFFFFu);
}

TEST(MusicTrack, PlainOperationsAnswerThePreviousValue) {
    cMusicTrack t(96, 16, nullptr);
    EXPECT_EQ(gTicksPerQuarter, 96u);
    EXPECT_EQ(t.GetPatch(), 255);
    EXPECT_EQ(t.SetTicksPerQuarter(480), 96);
    EXPECT_EQ(gTicksPerQuarter, 480u);
    EXPECT_EQ(t.SetTranspose(3), 0);
    EXPECT_EQ(t.SetQuantum(120), 0);
    EXPECT_EQ(t.SetChannel(9), 0);
    EXPECT_EQ(t.SetPatch(5), 255);
    t.PutTimeSignature(3, 4, 24, 8);
    t.ResetState();
    EXPECT_EQ(t.GetChannel(), 0);
    EXPECT_EQ(t.GetPatch(), 255);
    EXPECT_EQ(t.GetTranspose(), 0);
    EXPECT_EQ(t.GetTimeNumerator(), 4);
    EXPECT_EQ(t.GetTimeDenominator(), 2);
    EXPECT_EQ(t.ReadNextEvent(nullptr), RC_FAIL);
}

// ---- Decoding -----------------------------------------------------------

TEST(MidiRead, RunningStatusAndVelocityZero) {
    ReadFile f(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x00, 0x3C, 0x00}));
    ASSERT_GT(f.bytes, 0);
    cMidiTrackBase &t = f.Track();
    cMidiTrackBase::cMidiEvent ev;
    ev.Clear();
    EXPECT_EQ(t.ReadEventAt(8, ev), 4);
    EXPECT_EQ(ev.kind, cMidiTrackBase::kNoteOn);
    EXPECT_EQ(ev.runningStatus, 0);
    EXPECT_EQ(t.ReadEventAt(12, ev), 3);
    EXPECT_EQ(ev.kind, cMidiTrackBase::kNoteOff);  // velocity 0 ends the note
    EXPECT_EQ(ev.runningStatus, 1);
    EXPECT_EQ(t.GetEventLength(ev), 2);
    EXPECT_EQ(ev.data1, 0x3C);
}

TEST(MidiRead, InsertingBeforeARunningStatusEventGivesItItsStatusBack) {
    ReadFile f(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x60, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00}));
    cMidiTrackBase &t = f.Track();
    t.PutProgramChange(5, 50);
    t.PutNote(0, 200, 100);  // after everything: nothing to give back
    std::vector<uint8_t> events(t.Bytes() + 8, t.Bytes() + t.Count());
    EXPECT_EQ(events, (std::vector<uint8_t>{0x00, 0x90, 0x3C, 0x40, 0x32, 0xC0, 0x05, 0x2E, 0x90, 0x3C, 0x00,
                                            0x00, 0xFF, 0x2F, 0x00, 0x68, 0x90, 0x3C, 0x40, 0x60, 0x80,
                                            0x3C, 0x40}));
}

TEST(MidiRead, NotesWithDurationsAndPitches) {
    // C at 0 for 480, then E flat in a key of three flats for 240.
    ReadFile f(OneTrackFile({0x00, 0xFF, 0x59, 0x02, 0xFD, 0x00,  //
                             0x00, 0x90, 0x3C, 0x40, 0x83, 0x60, 0x80, 0x3C, 0x40,
                             0x00, 0x91, 0x3F, 0x50, 0x81, 0x70, 0x91, 0x3F, 0x00,
                             0x00, 0xFF, 0x2F, 0x00}));
    auto events = f.All();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].type, cMusicTrack::kTypeKeySig);
    EXPECT_EQ(events[0].key, -3);
    EXPECT_EQ(events[1].type, cMusicTrack::kTypeNote);
    EXPECT_EQ(events[1].pitch, 0);
    EXPECT_EQ(events[1].duration, 480u);
    EXPECT_EQ(events[1].nextOnset, 480u);  // the next note-on of channel 0: none, so the duration
    EXPECT_EQ(events[2].type, cMusicTrack::kTypeNone);  // the note-off
    EXPECT_EQ(events[3].type, cMusicTrack::kTypeNote);
    EXPECT_EQ(events[3].pitch, 9);  // E flat, not D sharp
    EXPECT_EQ(events[3].start, 480u);
    EXPECT_EQ(events[3].channel, 1);
    EXPECT_EQ(events[3].duration, 240u);
    EXPECT_EQ(events[3].fileDuration, 240u);
    EXPECT_EQ(events[5].type, cMusicTrack::kTypeTrackEnd);
}

TEST(MidiRead, NoteWithoutNoteOffHasNoDuration) {
    ReadFile f(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}));
    auto events = f.All();
    ASSERT_GE(events.size(), 1u);
    EXPECT_EQ(events[0].type, cMusicTrack::kTypeNote);
    EXPECT_EQ(events[0].duration, 0u);
}

TEST(MidiRead, QuantisationHoldsANoteToTheNextOnset) {
    // Q = 120 at 480: a note at 118 with its note-off at 358 and the next
    // note at 360 starts at 120 and lasts 240.
    ReadFile f(OneTrackFile({0x76, 0x90, 0x3C, 0x40,        // 118 on
                             0x81, 0x70, 0x80, 0x3C, 0x40,  // 358 off
                             0x02, 0x90, 0x3E, 0x40,        // 360 on
                             0x83, 0x60, 0x80, 0x3E, 0x40}),
               120);
    auto events = f.All();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].start, 120u);
    EXPECT_EQ(events[0].duration, 240u);
    EXPECT_EQ(events[0].fileTime, 118u);  // the exact time is kept
    EXPECT_EQ(events[2].start, 360u);
    EXPECT_EQ(events[2].duration, 480u);
}

TEST(MidiRead, QuantisationOfANoteShorterThanTheQuantum) {
    // A 30-tick note and the next 30 ticks later: the grid becomes 15.
    ReadFile f(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x1E, 0x80, 0x3C, 0x40, 0x00, 0x90, 0x3E, 0x40, 0x1E, 0x80,
                             0x3E, 0x40}),
               120);
    auto events = f.All();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].duration, 30u);
    EXPECT_EQ(events[2].start, 30u);
}

TEST(MidiRead, QuantisationOfANoteWithoutNoteOffDoesNotWrap) {
    // A start rounded up past a note of no duration leaves it at 0.
    ReadFile f(OneTrackFile({0x76, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}), 120);
    auto events = f.All();
    EXPECT_EQ(events[0].start, 120u);
    EXPECT_LT(events[0].duration, 480u);
}

TEST(MidiRead, KeySignatureTonics) {
    struct Case {
        uint8_t sf, minor;
        int8_t key, tonic;
    } cases[] = {{0xFD, 1, -3, 0}, {4, 1, 4, 0}, {0, 1, 0, 5}, {2, 1, 2, 6},
                 {0, 0, 0, 0},     {2, 0, 2, 1}, {0xF9, 0, -7, 0}, {7, 0, 7, 0}};
    for (const Case &c : cases) {
        ReadFile f(OneTrackFile({0x00, 0xFF, 0x59, 0x02, c.sf, c.minor}));
        auto events = f.All();
        EXPECT_EQ(events[0].type, cMusicTrack::kTypeKeySig);
        EXPECT_EQ(events[0].key, c.key);
        EXPECT_EQ(events[0].tonic, c.tonic) << int(c.sf) << " " << int(c.minor);
    }
}

TEST(MidiRead, MetaTypesTempoTimeProgrammeText) {
    ReadFile f(OneTrackFile({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo 500000
                             0x00, 0xFF, 0x58, 0x04, 0x06, 0x03, 0x18, 0x08,  // 6/8
                             0x00, 0xC2, 0x28,                        // violin on channel 2
                             0x00, 0xFF, 0x05, 0x02, 'l', 'a',        // lyric
                             0x00, 0xFF, 0x7F, 0x01, 0x00,            // sequencer data
                             0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,      // SysEx
                             0x00, 0xB0, 0x07, 0x64}));               // control change
    auto events = f.All();
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].type, cMusicTrack::kTypeTempo);
    EXPECT_EQ(events[0].tempo, 500000);
    EXPECT_EQ(events[0].GetBpm(), 120);
    EXPECT_EQ(events[1].type, cMusicTrack::kTypeTimeSig);
    EXPECT_EQ(events[1].timeNumerator, 6);
    EXPECT_EQ(events[1].timeDenominator, 3);
    EXPECT_EQ(f.file.State().timeNumerator, 6);
    EXPECT_EQ(f.Track().GetTicksPerMeasure(), 1440u);
    EXPECT_EQ(events[2].type, cMusicTrack::kTypeInstrument);
    EXPECT_EQ(events[2].programme, 40);
    EXPECT_EQ(events[3].type, cMusicTrack::kTypeText);
    EXPECT_EQ(events[3].dataLength, 2u);
    EXPECT_EQ(events[4].type, cMusicTrack::kTypeData);
    EXPECT_EQ(events[5].type, cMusicTrack::kTypeData);
    EXPECT_EQ(events[5].dataLength, 3u);
    EXPECT_EQ(events[6].type, cMusicTrack::kTypeNone);
    EXPECT_EQ(events[7].type, cMusicTrack::kTypeTrackEnd);
}

TEST(MidiRead, PendingEventsGoBeforeLaterBufferedOnes) {
    ReadFile f(OneTrackFile({0x00, 0xC0, 0x01, 0x83, 0x60, 0xC0, 0x02}));
    cMidiTrackBase &t = f.Track();
    auto *mark = new cMusicTrack::cEvent;
    mark->start = 100;
    mark->type = cMusicTrack::kTypeMeasure;
    t.AddEvent(mark);
    cMusicTrack::cEvent ev;
    ASSERT_EQ(t.ReadNextEvent(&ev), RC_OK);
    EXPECT_EQ(ev.type, cMusicTrack::kTypeInstrument);
    EXPECT_EQ(t.ReadNextEvent(nullptr), RC_FAIL);  // the mark is due: no output given
    ASSERT_EQ(t.ReadNextEvent(&ev), RC_OK);
    EXPECT_EQ(ev.type, cMusicTrack::kTypeMeasure);
    ASSERT_EQ(t.ReadNextEvent(&ev), RC_OK);
    EXPECT_EQ(ev.type, cMusicTrack::kTypeInstrument);
    EXPECT_EQ(ev.start, 480u);
}

TEST(MidiRead, DumpWithoutStreamLeavesTheReadPositionAtTheFirstEvent) {
    ReadFile f(OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x83, 0x60, 0x80, 0x3C, 0x40}));
    cMidiTrackBase &t = f.Track();
    EXPECT_EQ(t.GetReadPosition(), 8u);
    EXPECT_EQ(t.LowestSummary().pitch, 0);
    EXPECT_EQ(t.HighestSummary().duration, 480u);
    cMusicTrack::cEvent ev;
    t.ReadNextEvent(&ev);
    EXPECT_EQ(t.Dump(nullptr), 0);
    EXPECT_EQ(t.GetReadPosition(), 8u);
}

// The note durations and next onsets, found by scanning forward from each
// note-on as the reader's contract says, against what the reader delivers.
TEST(MidiRead, NoteLookAheadMatchesAForwardScan) {
    uint32_t seed = 7;
    auto random = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 30; ++round) {
        tBytes events;
        for (int i = 0; i < 200; ++i) {
            events.push_back(uint8_t(random(4) ? 0 : random(100)));  // delta
            uint8_t channel = uint8_t(random(3));
            uint8_t key = uint8_t(60 + random(3));
            uint32_t what = random(10);
            if (what < 5) events.insert(events.end(), {uint8_t(0x90 | channel), key, 64});
            else if (what < 8) events.insert(events.end(), {uint8_t(0x80 | channel), key, 0});
            else if (what < 9) events.insert(events.end(), {uint8_t(0x90 | channel), key, 0});
            else events.insert(events.end(), {uint8_t(0xC0 | channel), key});
        }
        ReadFile f(OneTrackFile(events));
        cMidiTrackBase &t = f.Track();
        // Forward scans over the raw events.
        struct Raw {
            uint32_t time, position;
            uint8_t kind, channel, key;
        };
        std::vector<Raw> raw;
        cMidiTrackBase::cMidiEvent ev;
        ev.Clear();
        for (uint32_t pos = 8; pos < t.Count();) {
            int32_t n = t.ReadEventAt(pos, ev);
            ASSERT_GT(n, 0);
            raw.push_back({ev.start, pos, ev.kind, ev.channel, ev.data1});
            pos += uint32_t(n);
        }
        std::vector<cMusicTrack::cEvent> read = f.All();
        size_t next = 0;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i].kind != cMidiTrackBase::kNoteOn) continue;
            uint32_t off = 0, onset = 0;
            bool found = false;
            for (size_t j = i + 1; j < raw.size() && !found; ++j)
                if (raw[j].kind == cMidiTrackBase::kNoteOff && raw[j].channel == raw[i].channel &&
                    raw[j].key == raw[i].key) {
                    off = raw[j].time - raw[i].time;
                    found = true;
                }
            onset = off;
            for (size_t j = i + 1; j < raw.size(); ++j)
                if (raw[j].kind == cMidiTrackBase::kNoteOn && raw[j].channel == raw[i].channel &&
                    raw[j].time > raw[i].time) {
                    onset = raw[j].time - raw[i].time;
                    break;
                }
            while (next < read.size() && read[next].position != raw[i].position) ++next;
            ASSERT_LT(next, read.size());
            EXPECT_EQ(read[next].type, cMusicTrack::kTypeNote);
            EXPECT_EQ(read[next].fileDuration, off) << "note at " << raw[i].position;
            EXPECT_EQ(read[next].nextOnset, onset) << "note at " << raw[i].position;
        }
    }
}

// ---- Damaged files ------------------------------------------------------

TEST(MidiRead, DamagedFilesAreRefusedWithAStreamError) {
    const std::string good = OneTrackFile({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
    struct Case {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"header cut short", good.substr(0, 10)},
        {"wrong magic", "MTHd" + good.substr(4)},
        {"header length 7", Chunk("MThd", {0, 0, 0, 1, 1, 0xE0, 0}) + good.substr(14)},
        {"division 0", OneTrackFile({0x00, 0xFF, 0x2F, 0x00}, 0)},
        {"track chunk missing", Header(0, 1, 480)},
        {"more tracks than chunks", Header(1, 3, 480) + good.substr(14)},
        {"chunk header cut short", good.substr(0, 18)},
        {"chunk is not a track", Header(0, 1, 480) + Chunk("XTrk", {0x00, 0xFF, 0x2F, 0x00})},
        {"chunk body cut short", good.substr(0, good.size() - 3)},
        {"chunk length past the end", Header(0, 1, 480) + std::string("MTrk\x7F\xFF\xFF\xF0", 8) + "\x00\xFF\x2F\x00"},
        {"chunk length of 4 GB", Header(0, 1, 480) + std::string("MTrk\xFF\xFF\xFF\xFF", 8)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ErrorCounter errors;
        cMidiFile file(u"", 480);
        test::cMemoryFile memory(c.bytes);
        EXPECT_EQ(file.ReadFrom(memory, nullptr), 0);
        EXPECT_EQ(file.GetTrackCount(), 0);
        EXPECT_GE(errors.Raised(), 1);
        auto *reporter = static_cast<cErrorMsg *>(gErrorMsg);
        EXPECT_EQ(std::u16string(reporter->LastText()).find(u"Stream error") != std::u16string::npos, true);
    }
    cMidiFile file(u"", 480);
    test::cMemoryFile memory(good);
    EXPECT_EQ(file.ReadFrom(memory, nullptr), int32_t(good.size()));
}

// Damage inside a track: the file loads, and reading ends the track at the
// damage with "Bad file", or skips a meaningless meta with "Bad data".
TEST(MidiRead, DamagedEventsEndTheTrackOrAreSkipped) {
    struct Case {
        const char *what;
        tBytes events;
        size_t delivered;  // events before the track's end
        bool badFile;
    } cases[] = {
        {"data byte without a status", {0x00, 0x3C, 0x40}, 0, true},
        {"meta length past the end", {0x00, 0xFF, 0x01, 0x7F, 'a', 'b'}, 0, true},
        {"huge meta length", {0x00, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F, 'a'}, 0, true},
        {"meta length of five bytes", {0x00, 0xFF, 0x01, 0x81, 0x80, 0x80, 0x80, 0x00}, 0, true},
        {"SysEx length past the end", {0x00, 0xF0, 0x40, 0x01}, 0, true},
        {"channel message cut short", {0x00, 0x90, 0x3C}, 0, true},
        {"running status cut short", {0x00, 0x90, 0x3C, 0x40, 0x00, 0x3C}, 1, true},
        {"delta cut short", {0x00, 0xC0, 0x01, 0x81}, 1, true},
        {"meta type missing", {0x00, 0xFF}, 0, true},
        {"system real-time byte", {0x00, 0xF8, 0x00}, 0, true},
        {"tempo 0", {0x00, 0xFF, 0x51, 0x03, 0, 0, 0}, 1, false},
        {"tempo of two bytes", {0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}, 1, false},
        {"numerator 0", {0x00, 0xFF, 0x58, 0x04, 0, 2, 24, 8}, 1, false},
        {"denominator 2^200", {0x00, 0xFF, 0x58, 0x04, 4, 200, 24, 8}, 1, false},
        {"time signature of one byte", {0x00, 0xFF, 0x58, 0x01, 4}, 1, false},
        {"key signature index 100", {0x00, 0xFF, 0x59, 0x02, 100, 0}, 1, false},
        {"key signature -8", {0x00, 0xFF, 0x59, 0x02, 0xF8, 1}, 1, false},
        {"key signature of no bytes", {0x00, 0xFF, 0x59, 0x00}, 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ErrorCounter errors;
        ReadFile f(OneTrackFile(c.events));
        ASSERT_GT(f.bytes, 0);
        auto *reporter = static_cast<cErrorMsg *>(gErrorMsg);
        auto events = f.All();
        ASSERT_EQ(events.size(), c.delivered + 1);
        EXPECT_EQ(events.back().type, cMusicTrack::kTypeTrackEnd);
        EXPECT_GE(errors.Raised(), 1);
        const char16_t *expected = c.badFile ? u"Bad file" : u"Bad data";
        EXPECT_NE(std::u16string(reporter->LastText()).find(expected), std::u16string::npos);
        if (!c.badFile) {
            EXPECT_EQ(events[0].type, cMusicTrack::kTypeData);
        }
        // Dumping the damaged track prints it without reading outside it.
        std::ostringstream dump;
        f.Track().Dump(&dump);
        EXPECT_NE(dump.str().find("Track Summary"), std::string::npos);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "foundation/error_msg.h"
#include "midi/midi_track_base.h"

namespace {

std::string Hex(const uint8_t *p, uint32_t n) {
    std::string s;
    char b[4];
    for (uint32_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, i ? " %02X" : "%02X", p[i]);
        s += b;
    }
    return s;
}

// The events of a track, without the chunk header.
std::string Events(const cMidiTrackBase &t) { return Hex(t.Bytes() + 8, t.Count() - 8); }

struct ErrorCounter {
    int32_t start = gErrorMsg->ErrorCount();
    int32_t Raised() const { return gErrorMsg->ErrorCount() - start; }
};

// A file track whose insertions may be told to decode from the start every
// time, the plain method that the seek hint must reproduce.
class cPlainTrack : public cMidiTrackBase {
public:
    explicit cPlainTrack(bool hinted) : cMidiTrackBase(480, 64, nullptr) { useSeekHint = hinted; }
};

TEST(MidiTrackWrite, DeltaTimes) {
    cMidiTrackBase t(480, 64, nullptr);
    struct Case {
        uint32_t value;
        const char *bytes;
    } cases[] = {{0, "00"},           {127, "7F"},          {128, "81 00"},      {0x3FFF, "FF 7F"},
                 {0x4000, "81 80 00"}, {0x1FFFFF, "FF FF 7F"}, {0x200000, "81 80 80 00"},
                 {0x0FFFFFFF, "FF FF FF 7F"}};
    for (const Case &c : cases) {
        uint8_t out[4] = {};
        uint32_t n = t.WriteDelta(c.value, out);
        EXPECT_EQ(Hex(out, n), c.bytes);
        EXPECT_EQ(t.WriteDelta(c.value, nullptr), n);
        uint32_t read = 0;
        EXPECT_EQ(t.ReadDelta(out, n, &read), c.value);
        EXPECT_EQ(read, n);
        // Cut one byte short, the value is not a delta.
        EXPECT_EQ((t.ReadDelta(out, n - 1, &read), read), 0u);
    }
    ErrorCounter errors;
    EXPECT_EQ(t.WriteDelta(0x10000000, nullptr), 0u);
    EXPECT_EQ(errors.Raised(), 1);
    const uint8_t fiveBytes[] = {0x81, 0x80, 0x80, 0x80, 0x00};
    uint32_t read = 7;
    t.ReadDelta(fiveBytes, 5, &read);
    EXPECT_EQ(read, 0u);
}

TEST(MidiTrackWrite, NewTrackHoldsTheChunkHeader) {
    cMidiTrackBase t(480, 64, nullptr);
    EXPECT_EQ(Hex(t.Bytes(), t.Count()), "4D 54 72 6B 00 00 00 00");
    EXPECT_EQ(t.GetDataStart(), 8u);
    t.PutTempo(120);
    t.Reset();
    EXPECT_EQ(t.Count(), 8u);
}

TEST(MidiTrackWrite, NoteOnAndOffWithTheGap) {
    cMidiTrackBase t(480, 64, nullptr);
    t.PutNote(0, 0, 480);
    // 476 ticks = 83 5C.
    EXPECT_EQ(Events(t), "00 90 3C 40 83 5C 80 3C 40");
    EXPECT_EQ(t.PutEndOfTrack(), 4);
    EXPECT_EQ(Hex(t.Bytes(), t.Count()), "4D 54 72 6B 00 00 00 0D 00 90 3C 40 83 5C 80 3C 40 00 FF 2F 00");
}

TEST(MidiTrackWrite, VelocityAndGapAreTheTracks) {
    cMidiTrackBase t(480, 64, nullptr);
    EXPECT_EQ(t.SetVelocity(100), 64);
    EXPECT_EQ(t.SetGap(10), 4u);
    t.PutNote(0, 0, 480);
    EXPECT_EQ(Events(t), "00 90 3C 64 83 56 80 3C 64");
    t.ResetState();  // back to 64 and 4
    t.PutNote(0, 0, 480);
    EXPECT_EQ(Events(t), "00 90 3C 40 83 5C 80 3C 40");
}

TEST(MidiTrackWrite, PitchTransposeAndClamps) {
    struct Case {
        uint8_t channel;
        int32_t pitch, transpose;
        uint8_t key;
    } cases[] = {
        {0, 5, 0, 62},      // D
        {0, -6, 0, 58},     // B flat below middle C
        {0, 0, 12, 72},     // transposed an octave
        {9, -80, 0, 35},    // percussion clamps to 35..81
        {9, 140, 0, 81},
        {0, -250, 0, 0},    // far below the keyboard
        {0, 300, 0, 127},
    };
    for (const Case &c : cases) {
        cMidiTrackBase t(480, 64, nullptr);
        t.SetChannel(c.channel);
        t.SetTranspose(c.transpose);
        t.PutNote(c.pitch, 0, 480);
        ASSERT_GE(t.Count(), 12u);
        EXPECT_EQ(t.Bytes()[9], 0x90 | c.channel);
        EXPECT_EQ(t.Bytes()[10], c.key) << c.pitch;
    }
    cMidiTrackBase t(480, 64, nullptr);
    EXPECT_EQ(t.PutNote(kNoPitch, 0, 480), 0);
    EXPECT_EQ(t.Count(), 8u);
}

TEST(MidiTrackWrite, EqualTimesKeepTheirOrderAndEarlierEventsLowerTheNextDelta) {
    cMidiTrackBase t(480, 64, nullptr);
    t.SetGap(0);
    t.PutNote(0, 480, 480);   // 480: on C
    t.PutNote(10, 480, 480);  // 480: on E, after C
    EXPECT_EQ(Events(t), "83 60 90 3C 40 00 90 40 40 83 60 80 3C 40 00 80 40 40");
    t.PutNote(20, 100, 100);  // before both: the C's delta falls to 280
    EXPECT_EQ(Events(t), "64 90 43 40 64 80 43 40 82 18 90 3C 40 00 90 40 40 83 60 80 3C 40 00 80 40 40");
}

TEST(MidiTrackWrite, TempoAndItsLimits) {
    struct Case {
        int32_t bpm;
        const char *bytes;
    } cases[] = {{120, "00 FF 51 03 07 A1 20"},
                 {60, "00 FF 51 03 0F 42 40"},
                 {7, "00 FF 51 03 82 CA 25"},  // 8571428.57 rounds up
                 {0, "00 FF 51 03 FF FF FF"},   // at least one beat a minute, within three bytes
                 {-5, "00 FF 51 03 FF FF FF"}};
    for (const Case &c : cases) {
        cMidiTrackBase t(480, 64, nullptr);
        t.PutTempo(c.bpm);
        EXPECT_EQ(Events(t), c.bytes) << c.bpm;
    }
}

TEST(MidiTrackWrite, MetaLengths) {
    cMidiTrackBase t(480, 64, nullptr);
    std::vector<uint8_t> text(300, 'a');
    t.PutMetaEvent(text.data(), 1, 100, kAppendTime);
    EXPECT_EQ(t.Count(), 8u + 4 + 100);
    EXPECT_EQ(Hex(t.Bytes() + 8, 4), "00 FF 01 64");
    t.Reset();
    t.PutMetaEvent(text.data(), 1, 200, kAppendTime);
    EXPECT_EQ(Hex(t.Bytes() + 8, 5), "00 FF 01 81 48");
    EXPECT_EQ(t.Count(), 8u + 5 + 200);
    t.Reset();
    t.PutMetaEvent(text.data(), 1, 300, kAppendTime);  // cut to 255
    EXPECT_EQ(Hex(t.Bytes() + 8, 5), "00 FF 01 81 7F");
    EXPECT_EQ(t.Count(), 8u + 5 + 255);
    t.Reset();
    t.PutText(u"Created by Pelmora");
    EXPECT_EQ(Hex(t.Bytes() + 8, 4), "00 FF 01 12");
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(t.Bytes()) + 12, 18), "Created by Pelmora");
    t.Reset();
    t.PutTrackName(u"Flute");
    EXPECT_EQ(Events(t), "00 FF 03 05 46 6C 75 74 65");
}

TEST(MidiTrackWrite, ProgramChanges) {
    cMidiTrackBase t(480, 64, nullptr);
    EXPECT_EQ(t.PutProgramChange(40, 0), 40);
    EXPECT_EQ(Events(t), "00 C0 28");
    t.PutProgramChange(40, 0);  // the same again: nothing
    EXPECT_EQ(t.Count(), 11u);
    t.SetChannel(2);
    t.PutProgramChange(40, 0);  // another channel needs its own
    EXPECT_EQ(Events(t), "00 C0 28 00 C2 28");
    ErrorCounter errors;
    t.PutProgramChange(128, 0);
    EXPECT_EQ(errors.Raised(), 1);
    EXPECT_EQ(t.Count(), 14u);
    EXPECT_EQ(t.GetPatch(), 40);
}

TEST(MidiTrackWrite, TimeAndKeySignatures) {
    cMidiTrackBase t(480, 64, nullptr);
    t.PutTimeSignature(3, 8, 24, 8);
    t.PutKeySignature(-3, 1);
    EXPECT_EQ(Events(t), "00 FF 58 04 03 03 18 08 00 FF 59 02 FD 01");
    EXPECT_EQ(t.GetTimeNumerator(), 3);
    EXPECT_EQ(t.GetKeySignature(), -3);
    t.PutTimeSignature(6, 5, 24, 8);  // a denominator between powers takes the next
    EXPECT_EQ(Hex(t.Bytes() + t.Count() - 4, 4), "06 03 18 08");

    ErrorCounter errors;
    uint32_t before = t.Count();
    t.PutTimeSignature(128, 4, 24, 8);
    t.PutTimeSignature(0, 4, 24, 8);
    t.PutTimeSignature(4, 256, 24, 8);
    EXPECT_EQ(t.PutKeySignature(9, 0), -3);
    t.PutKeySignature(2, 2);
    EXPECT_EQ(errors.Raised(), 5);
    EXPECT_EQ(t.Count(), before);
}

TEST(MidiTrackWrite, BaseTrackKeySignatureKeepsOutOfRangeKeys) {
    cMusicTrack t(480, 16, nullptr);
    EXPECT_EQ(t.PutKeySignature(3, 0), 3);
    EXPECT_EQ(t.PutKeySignature(9, 0), 3);
    EXPECT_EQ(t.GetKeySignature(), 3);
}

TEST(MidiTrackWrite, TimesThatAreNotTimes) {
    cMidiTrackBase t(480, 64, nullptr);
    ErrorCounter errors;
    EXPECT_EQ(t.PutNote(0, kAppendTime, 10), 0);
    // A note whose end cannot be written writes no note-on either.
    EXPECT_EQ(t.PutNote(0, kAppendTime - 3, 480), 0);
    EXPECT_EQ(t.Count(), 8u);
    EXPECT_EQ(errors.Raised(), 2);
    cMidiTrackBase::cMidiEvent ev;
    ev.kind = 8;
    EXPECT_EQ(t.InsertEvent(ev), -1);
    ev.kind = cMidiTrackBase::kSystem;
    ev.channel = 3;  // 0xF3 is not an event of a file
    EXPECT_EQ(t.InsertEvent(ev), -1);
    EXPECT_EQ(errors.Raised(), 4);
    EXPECT_EQ(t.Count(), 8u);
}

// Decodes a written track into (time, status, key) of its channel messages.
struct Decoded {
    uint32_t time;
    uint8_t kind, channel, key;
};
std::vector<Decoded> DecodeAll(cMidiTrackBase &t) {
    std::vector<Decoded> out;
    cMidiTrackBase::cMidiEvent ev;
    ev.Clear();
    for (uint32_t pos = t.GetDataStart(); pos < t.Count();) {
        int32_t n = t.ReadEventAt(pos, ev);
        EXPECT_GT(n, 0);
        if (n <= 0) break;
        pos += uint32_t(n);
        out.push_back({ev.start, ev.kind, ev.channel, ev.data1});
    }
    return out;
}

TEST(MidiTrackWrite, ShortNotesNeverEndBeforeTheyStart) {
    for (uint32_t gap : {4u, 10u}) {
        for (uint32_t d = 0; d <= 2 * gap + 2; ++d) {
            cMidiTrackBase t(480, 64, nullptr);
            t.SetGap(gap);
            t.PutNote(0, 1000, d);
            std::vector<Decoded> events = DecodeAll(t);
            ASSERT_EQ(events.size(), 2u);
            EXPECT_EQ(events[0].kind, cMidiTrackBase::kNoteOn);
            EXPECT_EQ(events[1].kind, cMidiTrackBase::kNoteOff);
            uint32_t held = events[1].time - events[0].time;
            EXPECT_EQ(events[0].time, 1000u);
            EXPECT_LE(held, d);
            EXPECT_GE(2 * held + 1, d) << "keeps at least half of " << d;
            if (d >= 2 * gap) {
                EXPECT_EQ(held, d - gap);
            }
        }
    }
}

TEST(MidiTrackWrite, RepeatedNotesStayPaired) {
    // Every note-on is followed by its own note-off before the next note-on
    // of the same key, whatever the durations.
    cMidiTrackBase t(480, 64, nullptr);
    uint32_t start = 0;
    for (uint32_t d : {1u, 2u, 3u, 480u, 5u, 0u, 7u, 8u, 9u}) {
        t.PutNote(0, start, d);
        start += d;
    }
    int open = 0;
    for (const Decoded &e : DecodeAll(t)) {
        open += e.kind == cMidiTrackBase::kNoteOn ? 1 : -1;
        EXPECT_GE(open, 0);
        EXPECT_LE(open, 1);
    }
    EXPECT_EQ(open, 0);
}

// The plain model of insertion: an event at a time goes after every event
// at that time or earlier; an appended one goes last at the time of the last.
struct ModelEvent {
    uint32_t time;
    std::vector<uint8_t> bytes;
};
std::string EncodeModel(const std::vector<ModelEvent> &events, cMidiTrackBase &encoder) {
    std::vector<uint8_t> out;
    uint32_t last = 0;
    for (const ModelEvent &e : events) {
        uint8_t delta[4];
        uint32_t n = encoder.WriteDelta(e.time - last, delta);
        out.insert(out.end(), delta, delta + n);
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        last = e.time;
    }
    return Hex(out.data(), uint32_t(out.size()));
}

TEST(MidiTrackWrite, InsertionMatchesThePlainMethod) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        cPlainTrack hinted(true), plain(false);
        std::vector<ModelEvent> model;
        auto insertModel = [&](uint32_t time, std::vector<uint8_t> bytes) {
            auto at = std::find_if(model.begin(), model.end(), [&](const ModelEvent &e) { return e.time > time; });
            model.insert(at, ModelEvent{time, std::move(bytes)});
        };
        for (int i = 0; i < 300; ++i) {
            uint32_t what = random() % 10;
            // Mostly forward in time, as a score walk writes, with jumps back.
            uint32_t start = round % 2 ? uint32_t(random() % 5000) : uint32_t(i * 40 + random() % 200);
            if (what < 7) {
                uint32_t d = random() % 700;
                uint8_t key = uint8_t(60 + random() % 12);
                int32_t pitch = SemitoneToPitch(key - 60, 0);
                for (cPlainTrack *t : {&hinted, &plain}) t->PutNote(pitch, start, d);
                uint32_t held = d > 4 ? std::max(d - 4, d / 2) : d / 2;
                insertModel(start, {0x90, key, 64});
                insertModel(start + held, {0x80, key, 64});
            } else if (what < 9) {
                uint8_t patch = uint8_t(random() % 4);
                if (patch == hinted.GetPatch()) continue;
                for (cPlainTrack *t : {&hinted, &plain}) t->PutProgramChange(patch, start);
                insertModel(start, {0xC0, patch});
            } else {
                for (cPlainTrack *t : {&hinted, &plain}) t->PutText(u"mark");
                model.push_back({model.empty() ? 0 : model.back().time, {0xFF, 0x01, 4, 'm', 'a', 'r', 'k'}});
            }
        }
        ASSERT_EQ(Events(hinted), Events(plain)) << "round " << round;
        ASSERT_EQ(Events(hinted), EncodeModel(model, hinted)) << "round " << round;
    }
}

}  // namespace

// The player's buffer: stream records, insertion at a time, and the chunks
// the buffer is cut into.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "midi/midi_track.h"
#include "tests/foundation/raised_errors.h"
#include "tests/midi/fake_midi_driver.h"

namespace {

using test::DecodeRecords;
using test::sStreamRecord;

constexpr uint32_t kNoteOnWord = 0x00403C90;  // key 60, velocity 64, channel 0

std::vector<sStreamRecord> Records(const cMidiTrack &t, bool *whole = nullptr) {
    return DecodeRecords(t.Bytes(), t.Count(), whole);
}

uint32_t Word(const uint8_t *p) { return test::cFakeMidiDriver::Le32(p); }

class StreamRecords : public testing::Test {
protected:
    test::cFakeDriverScope fake;
    cMidiTrack track{480, 1024};
};

TEST_F(StreamRecords, EncodingOfEachKind) {
    // Each case writes into an empty player and reads back its words.
    struct Case {
        const char *what;
        void (*write)(cMidiTrack &);
        std::vector<uint32_t> words;  // delta, stream id, event word, data words
    } cases[] = {
        {"note-on of middle C", [](cMidiTrack &t) { t.PutNote(0, 0, 480); }, {0, 0, kNoteOnWord}},
        {"tempo 120", [](cMidiTrack &t) { t.PutTempo(120); }, {0, 0, 0x0107A120}},
        {"text of five bytes",
         [](cMidiTrack &t) { t.PutText(u"hello"); },
         {0, 0, 0x82000005, 0x6C6C6568, 0x0000006F}},
        {"position mark", [](cMidiTrack &t) { t.PutPositionMark(0xDEADBEEF, 0); }, {0, 0, 0xC2000004, 0xDEADBEEF}},
        {"programme change", [](cMidiTrack &t) { t.PutProgramChange(5, 0); }, {0, 0, 0x000005C0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        track.Reset();
        c.write(track);
        ASSERT_GE(track.Count(), 4 * c.words.size());
        for (size_t i = 0; i < c.words.size(); ++i) EXPECT_EQ(Word(track.Bytes() + 4 * i), c.words[i]) << i;
    }
    // The note's off follows 476 ticks later; the text's record is 12 + 8.
    track.Reset();
    track.PutNote(0, 0, 480);
    auto r = Records(track);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].time, 476u);
    EXPECT_EQ(r[1].word, 0x00403C80u);
    track.Reset();
    track.PutText(u"hello");
    EXPECT_EQ(track.Count(), 20u);
}

TEST_F(StreamRecords, EventsGoInTimeOrderWithDeltasBetweenThem) {
    track.PutNote(0, 960, 480);
    track.PutNote(5, 0, 480);
    track.PutPositionMark(7, 480);
    track.PutNote(10, 480, 240);
    bool whole = false;
    auto r = Records(track, &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(r.size(), 7u);
    for (size_t i = 1; i < r.size(); ++i) EXPECT_LE(r[i - 1].time, r[i].time) << i;
    // The mark was written before the note at its time and stays before it.
    EXPECT_EQ(r[2].time, 480u);
    EXPECT_EQ(r[2].word, 0xC2000004u);
    EXPECT_EQ(r[3].word & 0xFF, 0x90u);
    EXPECT_EQ(r.back().time, 960u + 476u);
}

TEST_F(StreamRecords, SignaturesKeepTheirValuesWithoutRecords) {
    test::RaisedErrors errors;
    track.PutTimeSignature(3, 8, 24, 8);
    EXPECT_EQ(track.Cursor().timeNumerator, 3);
    EXPECT_EQ(track.Cursor().timeDenominator, 3);
    EXPECT_EQ(track.PutKeySignature(-2, 0), -2);
    EXPECT_EQ(track.Count(), 0u);
    track.PutTimeSignature(128, 4, 24, 8);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Bad data");
    EXPECT_EQ(track.Cursor().timeNumerator, 3);
}

TEST_F(StreamRecords, TheReaderListsAPlayerTrack) {
    track.PutTempo(120);
    track.PutNote(0, 0, 480);
    track.PutText(u"ab");
    track.PutEndOfTrack();
    std::ostringstream dump;
    EXPECT_EQ(track.Dump(&dump), 0);
    std::vector<cMusicTrack::cEvent> events;
    cMusicTrack::cEvent e;
    do {
        ASSERT_EQ(track.ReadNextEvent(&e), RC_OK);
        events.push_back(e);
    } while (e.type != cMusicTrack::kTypeTrackEnd && events.size() < 10);
    // The tempo record holds its bytes least significant first.
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].type, cMusicTrack::kTypeTempo);
    EXPECT_EQ(events[0].tempo, 500000);
    EXPECT_EQ(events[1].type, cMusicTrack::kTypeNote);
    EXPECT_EQ(events[1].pitch, 0);
    EXPECT_EQ(events[1].duration, 480u);  // 476 rounded to the note-value grid
    EXPECT_EQ(events[2].type, cMusicTrack::kTypeNone);  // its note-off
    EXPECT_EQ(events[3].type, cMusicTrack::kTypeText);
    EXPECT_EQ(events[3].start, 476u);
    EXPECT_NE(dump.str().find("(MM 120)"), std::string::npos) << dump.str();
}

TEST_F(StreamRecords, DecodingRefusesWhatIsNotARecord) {
    cMidiTrackBase::cMidiEvent ev;
    struct Case {
        const char *what;
        std::vector<uint8_t> bytes;
        int32_t length;
    } cases[] = {
        {"short message", {0x90, 0x3C, 0x40, 0x00}, 4},
        {"data byte as status", {0x3C, 0x3C, 0x40, 0x00}, -1},
        {"system status", {0xF0, 0, 0, 0x00}, -1},
        {"no event", {0, 0, 0, 0x02}, 4},
        {"comment of 5 bytes", {5, 0, 0, 0x82, 1, 2, 3, 4, 5, 0, 0, 0}, 12},
        {"comment cut short", {5, 0, 0, 0x82, 1, 2, 3, 4}, -1},
        {"comment with a bad length word", {5, 1, 0, 0x82, 1, 2, 3, 4, 5, 0, 0, 0}, -1},
        {"unknown type", {0, 0, 0, 0x05}, -1},
        {"too short", {0x90, 0x3C}, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(track.ParseEvent(c.bytes.data(), uint32_t(c.bytes.size()), ev), c.length);
    }
    test::RaisedErrors errors;
    cMidiTrackBase::cMidiEvent bad;
    bad.kind = 8;
    EXPECT_EQ(track.InsertEvent(bad), -1);
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Bad data");
    EXPECT_EQ(track.Count(), 0u);
}

TEST_F(StreamRecords, ResetAndResetStateEmptyTheBuffer) {
    track.PutNote(0, 0, 480);
    track.SetChannel(3);
    track.Reset();
    EXPECT_EQ(track.Count(), 0u);
    EXPECT_EQ(track.GetChannel(), 3);
    track.PutNote(0, 0, 480);
    track.ResetState();
    // No file chunk header in a player: the buffer holds records only.
    EXPECT_EQ(track.Count(), 0u);
    EXPECT_EQ(track.GetChannel(), 0);
}

// ---- Chunks ------------------------------------------------------------

// Every chunk must be whole records, the chunks must follow one another
// and together cover the buffer.
void ExpectChunksAreWholeRecords(const cMidiTrack &t) {
    uint32_t start = 0;
    for (uint32_t i = 0; i <= t.GetLastChunk(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.GetChunkStart(i), start);
        ASSERT_GE(t.GetChunkEnd(i), start);
        EXPECT_TRUE(test::cFakeMidiDriver::WellFormed(t.Bytes() + start, t.GetChunkEnd(i) - start));
        start = t.GetChunkEnd(i);
    }
    EXPECT_EQ(start, t.Count());
}

// A score walk: notes in time order on two voices, a mark at every onset,
// a break point after every onset.
void WalkNotes(cMidiTrack &t, uint32_t onsets, uint32_t firstTime = 0) {
    for (uint32_t i = 0; i < onsets; ++i) {
        uint32_t time = firstTime + 120 * i;
        t.PutPositionMark(i, time);
        t.PutNote(int32_t(i % 14), time, 240);
        t.PutNote(-10, time, 120);
        t.BreakChunk();
    }
}

TEST_F(StreamRecords, AWalkIsCutIntoChunksBetweenRecords) {
    WalkNotes(track, 3000);
    track.PutEndOfTrack();
    ASSERT_GE(track.GetLastChunk(), 2u);
    ExpectChunksAreWholeRecords(track);
    for (uint32_t i = 0; i < track.GetLastChunk(); ++i) {
        SCOPED_TRACE(i);
        uint32_t size = track.GetChunkEnd(i) - track.GetChunkStart(i);
        // Cut once the bytes up to the buffer's end passed the chunk size;
        // the note-offs at the end went on to the next chunk.
        EXPECT_GT(size, cMidiTrack::kChunkSize - 256);
        EXPECT_LT(size, cMidiTrack::kChunkSize + 256);
        // The chunk ends after a channel message that is not a note-off:
        // the note-offs of its last notes start the next one.
        auto r = DecodeRecords(track.Bytes() + track.GetChunkStart(i), size);
        ASSERT_FALSE(r.empty());
        EXPECT_EQ(r.back().word & 0xF0, 0x90u);
        auto next = DecodeRecords(track.Bytes() + track.GetChunkEnd(i), 12);
        ASSERT_EQ(next.size(), 1u);
        EXPECT_EQ(next[0].word & 0xF0, 0x80u);
    }
}

TEST_F(StreamRecords, InsertionsBeforeClosedChunksMoveTheirEnds) {
    // Two passes over the same time span, as a walk of one staff after the
    // other writes them: the second pass inserts into every closed chunk.
    WalkNotes(track, 2500);
    uint32_t closed = track.GetLastChunk();
    ASSERT_GE(closed, 1u);
    for (uint32_t i = 0; i < 2500; ++i) {
        track.PutNote(20, 120 * i + 60, 60);
        track.PutProgramChange(uint8_t(i % 2), 120 * i + 30);
    }
    track.PutTempo(100);
    track.PutEndOfTrack();
    ExpectChunksAreWholeRecords(track);
    bool whole = false;
    auto all = Records(track, &whole);
    EXPECT_TRUE(whole);
    EXPECT_EQ(all.size(), 2500u * 5 + 2500 * 2 + 2500 + 1);
}

TEST_F(StreamRecords, SixtyFourChunksAtMost) {
    test::RaisedErrors errors;
    // Big comments fill the buffer quickly; a note after each lets a chunk end.
    std::u16string text(250, u'x');
    for (uint32_t i = 0; i < 64 * 200 + 400; ++i) {
        track.PutText(text.c_str());
        track.PutProgramChange(uint8_t(i % 2), kAppendTime);
        track.BreakChunk();
    }
    track.PutEndOfTrack();
    EXPECT_EQ(track.GetLastChunk(), cMidiTrack::kMaxChunks - 1);
    EXPECT_EQ(errors.Count(), 1);  // once per pass, not at every break point
    EXPECT_EQ(errors.LastText(), u"Error in WinMidi: Buffer truncated");
    ExpectChunksAreWholeRecords(track);
    // A new pass may cut its chunks again and report again.
    track.Reset();
    EXPECT_EQ(track.GetLastChunk(), 0u);
    EXPECT_EQ(track.GetChunkEnd(0), 0u);
}

TEST_F(StreamRecords, NoChunkIsCutBeforeAChannelMessage) {
    // Past the chunk size with nothing but appended comments: no record can
    // end a chunk, so none is cut.
    std::u16string text(250, u'y');
    for (int i = 0; i < 250; ++i) {
        track.PutText(text.c_str());
        track.BreakChunk();
    }
    EXPECT_EQ(track.GetLastChunk(), 0u);
    track.PutEndOfTrack();
    EXPECT_EQ(track.GetChunkEnd(0), track.Count());
}

}  // namespace

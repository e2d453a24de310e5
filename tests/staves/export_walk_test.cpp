// The export-and-play walk over scores built in code: the MIDI file of a
// small score byte for byte against a file written by hand, the first
// track's events from the running context, the tracks of parts, rests,
// tempo changes, selections while playing and the CSV note list.
//
// The hand-written file is tests/staves/data/golden_export.mid; what
// midicsv lists of it is tests/staves/data/golden_export.csv, checked by
// export_walk_posix_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/music_commands.h"
#include "midi/midi_file.h"
#include "midi/music_track_csv.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/recording_music_track.h"
#include "tests/test_support.h"

namespace {

// A Standard MIDI File taken apart: the header's fields and the bytes of
// each track after its chunk header.  whole is false when the bytes do not
// split into the header and the chunks it announces.
struct sMidiBytes {
    uint32_t format = 0, trackCount = 0, division = 0;
    std::vector<std::string> tracks;
    bool whole = false;
};

uint32_t Big(const std::string &b, size_t at, size_t n) {
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | uint8_t(b[at + i]);
    return v;
}

sMidiBytes Split(const std::string &bytes) {
    sMidiBytes m;
    if (bytes.size() < 14 || bytes.compare(0, 8, std::string("MThd\0\0\0\6", 8)) != 0) return m;
    m.format = Big(bytes, 8, 2);
    m.trackCount = Big(bytes, 10, 2);
    m.division = Big(bytes, 12, 2);
    size_t at = 14;
    while (at + 8 <= bytes.size() && bytes.compare(at, 4, "MTrk") == 0) {
        const uint32_t length = Big(bytes, at + 4, 4);
        if (at + 8 + length > bytes.size()) return m;
        m.tracks.push_back(bytes.substr(at + 8, length));
        at += 8 + length;
    }
    m.whole = at == bytes.size() && m.tracks.size() == m.trackCount;
    return m;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(char(uint8_t(v)));
    return s;
}

bool Holds(const std::string &track, std::initializer_list<int> values) {
    return track.find(Bytes(values)) != std::string::npos;
}

// The first track of every file: text, tempo, time and key signature at
// time 0, then its end.
std::string FirstTrack(int tempoHigh, int tempoMid, int tempoLow, int numerator, int log2Denominator, int key) {
    std::string text = "Created by Pelmora";
    return Bytes({0x00, 0xFF, 0x01, int(text.size())}) + text +
           Bytes({0x00, 0xFF, 0x51, 0x03, tempoHigh, tempoMid, tempoLow,  //
                  0x00, 0xFF, 0x58, 0x04, numerator, log2Denominator, 0x18, 0x08,  //
                  0x00, 0xFF, 0x59, 0x02, key, 0x00,  //
                  0x00, 0xFF, 0x2F, 0x00});
}

// The lines of a recording track that start with the word.
std::vector<std::string> Lines(const std::vector<std::string> &events, const std::string &word) {
    std::vector<std::string> out;
    for (const std::string &e : events)
        if (e.compare(0, word.size() + 1, word + " ") == 0) out.push_back(e);
    return out;
}

class ExportWalkTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        cStaffBase::MakeDefaultTemplates();
        folder = test::MakeTempFolder("export_walk");
    }
    void TearDown() override {
        gSelectedObject = nullptr;
        test::RemoveTree(folder);
        StaffTest::TearDown();
    }

    StaffObject *NewStaff(int32_t top) { return AddStaffAt(top); }

    // A symbol of the class on the staff, `steps` diatonic steps below its
    // top line (middle C is 10 under the treble clef).
    cPObjPoint *Put(StaffObject *staff, int16_t classId, int32_t px, int32_t steps) {
        return PutOn(staff, classId, px, staff->GetY() + steps * staff->LineSpacing() / 2);
    }

    // A staff in ClefG and KeySigC with Time44 at the start, a C4 and a D4
    // quarter and an E4 half, a bar line.
    StaffObject *GoldenStaff(int32_t top) {
        StaffObject *staff = NewStaff(top);
        staff->SetStartClef(ClefG::kClassId);
        staff->SetStartKey(KeySigC::kClassId);
        Put(staff, Time44::kClassId, 60, 4);
        Put(staff, Note14::kClassId, 100, 10);
        Put(staff, Note14::kClassId, 130, 9);
        Put(staff, Note12::kClassId, 160, 8);
        Put(staff, Bar::kClassId, 220, 0);
        return staff;
    }

    // The score exported as a MIDI file (made with another division, which
    // the export replaces); its bytes.
    std::string ExportFile(const char *name) {
        const std::u16string path = folder + WidenAscii(name);
        {
            cMidiFile file(path.c_str(), 96);
            cMusicBase::ExportMidi(root.get(), nullptr, &file, nullptr);
        }
        return test::ReadFileBytes(path);
    }

    std::vector<std::string> Play() {
        test::cRecordingMusicTrack player;
        cMusicBase::ExportMidi(root.get(), &player, nullptr, nullptr);
        return player.events;
    }

    // A second part template with its own channel and program.
    static uint16_t AddPart(const char16_t *name, uint16_t channel, uint16_t program) {
        auto *t = new cStaffBase::sTemplate(name);
        t->channel = channel;
        t->program = program;
        gStaffTemplates->Append(t);
        return uint16_t(gStaffTemplates->Count() - 1);
    }

    std::u16string folder;
};

// ---- The golden file ---------------------------------------------------------------

TEST_F(ExportWalkTest, TheGoldenScoreWritesTheHandWrittenFile) {
    GoldenStaff(40);
    const std::string written = ExportFile("golden.mid");
    const std::string expected = test::ReadFileBytes(test::SourcePath("tests/staves/data/golden_export.mid"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(gTicksPerQuarter, 480u);
    // Under Wine the file is left for midicsv (export_walk_posix_test.cpp).
    test::KeepForCheck(folder + u"golden.mid", "golden_export.mid");
}

TEST_F(ExportWalkTest, TheGoldenScoreWritesThreeNoteLinesIntoTheCsvList) {
    GoldenStaff(40);
    std::ostringstream out;
    {
        cMusicTrackCsv list(&out, 480, 1024, nullptr);
        list.WriteHeader();
        cMusicBase::ExportMidi(root.get(), &list, nullptr, nullptr);
    }
    const std::vector<std::string> lines = test::SplitLines(out.str());
    ASSERT_EQ(lines.size(), 2u + 3u) << out.str();
    EXPECT_EQ(lines[2], "0,Acoustic grand piano,0,0,0,480,4,2,0");
    EXPECT_EQ(lines[3], "0,Acoustic grand piano,5,2,480,480,4,2,0");
    EXPECT_EQ(lines[4], "0,Acoustic grand piano,10,4,960,960,4,2,0");
}

// ---- The first track ---------------------------------------------------------------

// A file of one track is written in format 0.
TEST_F(ExportWalkTest, AnEmptyScoreWritesTheFirstTrackAlone) {
    const sMidiBytes file = Split(ExportFile("empty.mid"));
    ASSERT_TRUE(file.whole);
    EXPECT_EQ(file.format, 0u);
    EXPECT_EQ(file.division, 480u);
    ASSERT_EQ(file.trackCount, 1u);
    EXPECT_EQ(file.tracks[0], FirstTrack(0x07, 0xA1, 0x20, 4, 2, 0));
}

// The time and key signatures of the first track are the running ones when
// the export starts, whatever the staffs begin with; the tempo is the
// score's.
TEST_F(ExportWalkTest, TheFirstTrackTakesTheRunningContextAndTheScoreTempo) {
    struct sCase {
        const char *what;
        int16_t runningKey;
        uint16_t runningWord;
        uint16_t tempo;
        std::string first;
    };
    const sCase cases[] = {
        {"three flats", 113, 0x402, 120, FirstTrack(0x07, 0xA1, 0x20, 4, 2, 0xFD)},
        {"6/8", 0, 0x603, 120, FirstTrack(0x07, 0xA1, 0x20, 6, 3, 0)},
        {"two sharps, 3/4", 105, 0x302, 120, FirstTrack(0x07, 0xA1, 0x20, 3, 2, 2)},
        {"no key has run", 0, 0x402, 120, FirstTrack(0x07, 0xA1, 0x20, 4, 2, 0)},
        // 60000000 / 90 = 666667 = 0x0A2C2B.
        {"tempo 90", 0, 0x402, 90, FirstTrack(0x0A, 0x2C, 0x2B, 4, 2, 0)},
    };
    // A staff that starts in three sharps and 2/4: it does not decide.
    StaffObject *staff = NewStaff(40);
    staff->SetStartKey(106);
    staff->SetStartTimeWord(0x202);
    Put(staff, Note14::kClassId, 100, 10);
    for (const sCase &c : cases) {
        gMusicState = sMusicState();
        gMusicState.key = c.runningKey;
        SetRunningTimeWord(c.runningWord);
        root->SetTempo(c.tempo);
        const sMidiBytes file = Split(ExportFile("context.mid"));
        ASSERT_TRUE(file.whole) << c.what;
        ASSERT_EQ(file.trackCount, 2u) << c.what;
        EXPECT_EQ(file.tracks[0], c.first) << c.what;
    }
}

// ---- What the staffs write ---------------------------------------------------------

TEST_F(ExportWalkTest, ARestDelaysTheNextNoteAndWritesNothing) {
    for (bool withRest : {false, true}) {
        root = std::make_unique<ScoreObject>(window.get());
        StaffObject *staff = NewStaff(40);
        Put(staff, Note14::kClassId, 100, 10);
        if (withRest) Put(staff, Rest14::kClassId, 130, 6);
        Put(staff, Note14::kClassId, 160, 9);
        const std::vector<std::string> events = Play();
        EXPECT_EQ(Lines(events, "note"),
                  (std::vector<std::string>{"note 0 0 480", withRest ? "note 5 960 480" : "note 5 480 480"}))
            << withRest;
        // The rest adds no event of any kind.
        EXPECT_EQ(events.size(), 7u) << withRest;
    }
}

TEST_F(ExportWalkTest, StaffsOfOnePartNameShareATrackAndRenamedGetTheirOwn) {
    StaffObject *first = NewStaff(40);
    Put(first, Note14::kClassId, 100, 10);
    StaffObject *second = NewStaff(140);
    Put(second, Note14::kClassId, 100, 8);

    const sMidiBytes shared = Split(ExportFile("shared.mid"));
    ASSERT_TRUE(shared.whole);
    ASSERT_EQ(shared.trackCount, 2u);
    // The second staff goes on where the first one's notes end.
    EXPECT_EQ(shared.tracks[1], Bytes({0x00, 0xFF, 0x03, 0x06, 'P', 'a', 'r', 't', ' ', '1',  //
                                       0x00, 0xC0, 0x00,                                        //
                                       0x00, 0x90, 60, 0x40, 0x83, 0x5C, 0x80, 60, 0x40,        //
                                       0x04, 0x90, 64, 0x40, 0x83, 0x5C, 0x80, 64, 0x40,        //
                                       0x00, 0xFF, 0x2F, 0x00}));

    second->SetTemplateIndex(AddPart(u"Horn", 3, 60));
    const sMidiBytes apart = Split(ExportFile("apart.mid"));
    ASSERT_TRUE(apart.whole);
    ASSERT_EQ(apart.trackCount, 3u);
    EXPECT_EQ(apart.tracks[1], Bytes({0x00, 0xFF, 0x03, 0x06, 'P', 'a', 'r', 't', ' ', '1',  //
                                      0x00, 0xC0, 0x00,                                        //
                                      0x00, 0x90, 60, 0x40, 0x83, 0x5C, 0x80, 60, 0x40,        //
                                      0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(apart.tracks[2], Bytes({0x00, 0xFF, 0x03, 0x04, 'H', 'o', 'r', 'n',  //
                                      0x00, 0xC3, 60,                             //
                                      0x83, 0x60, 0x93, 64, 0x40, 0x83, 0x5C, 0x83, 64, 0x40,  //
                                      0x00, 0xFF, 0x2F, 0x00}));
}

// A time signature with a tempo changes the tempo at its place in the
// walk; one without writes none.
TEST_F(ExportWalkTest, ATimeSignatureWithATempoWritesItWhereItStands) {
    for (uint16_t tempo : {uint16_t(90), uint16_t(0)}) {
        root = std::make_unique<ScoreObject>(window.get());
        StaffObject *staff = NewStaff(40);
        Put(staff, Note14::kClassId, 100, 10);
        auto *time = dynamic_cast<TimeC *>(Put(staff, Time34::kClassId, 130, 4));
        ASSERT_NE(time, nullptr);
        time->SetTempo(tempo);
        Put(staff, Note14::kClassId, 160, 9);
        const std::vector<std::string> events = Play();
        const std::vector<std::string> expected =
            tempo ? std::vector<std::string>{"tempo 120", "note 0 0 480", "tempo 90", "note 5 480 480"}
                  : std::vector<std::string>{"tempo 120", "note 0 0 480", "note 5 480 480"};
        std::vector<std::string> timed;
        for (const std::string &e : events)
            if (e.rfind("tempo ", 0) == 0 || e.rfind("note ", 0) == 0) timed.push_back(e);
        EXPECT_EQ(timed, expected) << tempo;

        const sMidiBytes file = Split(ExportFile("tempo.mid"));
        ASSERT_TRUE(file.whole);
        ASSERT_EQ(file.trackCount, 2u);
        EXPECT_EQ(Holds(file.tracks[1], {0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2B}), tempo != 0) << tempo;
    }
}

// ---- Selections --------------------------------------------------------------------

TEST_F(ExportWalkTest, AFileExportWithASelectionStillWritesTheWholeScore) {
    StaffObject *staff = GoldenStaff(40);
    const std::string whole = ExportFile("whole.mid");
    gSelectedObject = staff->GetChild(2);  // the D4
    ASSERT_EQ(gSelectedObject->GetX(), 130);
    EXPECT_EQ(ExportFile("selected.mid"), whole);
}

TEST_F(ExportWalkTest, PlayingOneSelectedNotePlaysItAloneWithItsStaffsInstrument) {
    NewStaff(40);
    StaffObject *staff = NewStaff(140);
    staff->SetTemplateIndex(AddPart(u"Flute", 2, 73));
    Put(staff, Note14::kClassId, 100, 10);
    cPObjPoint *d = Put(staff, Note14::kClassId, 130, 9);
    Put(staff, Note14::kClassId, 160, 8);
    gSelectedObject = d;
    const std::vector<std::string> events = Play();
    EXPECT_EQ(Lines(events, "note"), std::vector<std::string>{"note 5 0 480"});
    EXPECT_EQ(Lines(events, "channel").back(), "channel 2");
    EXPECT_EQ(Lines(events, "program"), std::vector<std::string>{"program 73 0"});
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "tempo 120");
    EXPECT_EQ(events.back(), "end");
}

// A selected symbol that is not a direct child of its staff (a sign that a
// bar line holds) is reached through its owners, not the staff: the
// player gets the staff's part before the walk.
TEST_F(ExportWalkTest, PlayingASymbolDeepInAStaffSetsUpTheStaffsPartFirst) {
    StaffObject *staff = NewStaff(40);
    staff->SetTemplateIndex(AddPart(u"Organ", 4, 19));
    Put(staff, Note14::kClassId, 100, 10);
    cPObjPoint *bar = Put(staff, Bar::kClassId, 130, 0);
    auto *sign = new Sign1;
    sign->SetPosition(140, 10);
    ASSERT_TRUE(staff->InsertChild(sign));
    ASSERT_EQ(sign->FindOwner(0, 0), bar);
    gSelectedObject = sign;
    const std::vector<std::string> events = Play();
    EXPECT_EQ(events, (std::vector<std::string>{"tempo 120", "channel 4", "program 19 0", "end"}));
}

}  // namespace

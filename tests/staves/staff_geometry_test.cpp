// Staff geometry: steps and alterations at heights under each clef and key,
// the percussion mapping, placements, snapping, ledger lines and the MIDI
// set-up of a part.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/music_track.h"
#include "staves/part_templates.h"
#include "staves/percussion_sets.h"
#include "staves/staff.h"
#include "tests/staves/percussion_fixture.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/recording_music_track.h"

namespace {

constexpr int32_t kTop = 100;  // the staff's top line
constexpr int16_t kClefPerc = 96, kClefG = 101, kClefF = 102, kClefAlto = 98;
constexpr int16_t kKeyC = 103, kKey1Sharp = 104, kKey3Flat = 113;
constexpr int16_t kBlackHead = 43;

StaffObject *NewStaff(int32_t top) {
    auto *staff = static_cast<StaffObject *>(cPObjBase::NewById(StaffObject::kClassId));
    staff->SetY(top);
    return staff;
}

// The first template of the list, which new staffs take.
cStaffBase::sTemplate &FirstTemplate() { return *gStaffTemplates->At(0); }

class StaffGeometryTest : public test::StaffTest {
protected:
    void SetUp() override {
        test::StaffTest::SetUp();
        Build();
        staff = NewStaff(kTop);
    }
    void TearDown() override {
        delete staff;
        staff = nullptr;
        test::StaffTest::TearDown();
    }

    // A symbol of the class at (px, py), not in the staff.
    static std::unique_ptr<cPObjPoint> Symbol(int16_t id, int32_t px, int32_t py) {
        std::unique_ptr<cPObjPoint> symbol(cPObjBase::NewById(id));
        symbol->SetX(px);
        symbol->SetY(py);
        return symbol;
    }

    StaffObject *staff = nullptr;
};

// ---- Line spacing ----------------------------------------------------------

struct sSpacingCase {
    const char *what;
    uint16_t lines;
    int16_t heightUnits;
    int32_t spacing;
};

TEST_F(StaffGeometryTest, LineSpacingOfTheTemplateAndOfDamagedOnes) {
    const sSpacingCase cases[] = {
        {"default", 5, 25, 6},
        {"taller", 5, 49, 12},
        {"three lines", 3, 25, 12},
        // Lines that would meet, or a single line: the default spacing, so
        // that every half step keeps a height of its own.
        {"one line", 1, 25, 6},
        {"no lines", 0, 25, 6},
        {"lines closer than 2", 5, 8, 6},
    };
    for (const sSpacingCase &c : cases) {
        SCOPED_TRACE(c.what);
        FirstTemplate().lines = c.lines;
        FirstTemplate().heightUnits = c.heightUnits;
        EXPECT_EQ(staff->LineSpacing(), c.spacing);
        // Every query divides by the half spacing, which the spacing keeps
        // at 1 or more: middle C stays five spacings below the top line.
        EXPECT_EQ(staff->StepAtClef(kTop + 5 * c.spacing, kBlackHead, kClefG), 0);
        EXPECT_EQ(staff->SnapToStep(kTop - 1), kTop);
    }
}

// ---- Steps and alterations ---------------------------------------------------

struct sStepCase {
    const char *what;
    int16_t clef;
    int32_t dy;  // from the top line
    int32_t step;
};

TEST_F(StaffGeometryTest, StepAtAHeightUnderEachClef) {
    const sStepCase cases[] = {
        {"G: middle C one ledger line below", kClefG, 30, 0},
        {"G: bottom line is E", kClefG, 24, 2},
        {"G: top line is F", kClefG, 0, 10},
        {"G: a ledger line above", kClefG, -6, 12},
        // Between two positions the step nearer middle C's position wins.
        {"G: just above middle C", kClefG, 29, 0},
        {"G: just below middle C", kClefG, 31, 0},
        {"G: just above the top line", kClefG, -1, 10},
        {"F: middle C one ledger line above", kClefF, -6, 0},
        {"F: top line is A", kClefF, 0, -2},
        {"alto: middle line", kClefAlto, 12, 0},
    };
    for (const sStepCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(staff->StepAtClef(kTop + c.dy, kBlackHead, c.clef), c.step);
    }
}

TEST_F(StaffGeometryTest, StepAtTakesTheRunningClefAndClefGBeforeAnyRan) {
    SetRunningClef(kClefF);
    EXPECT_EQ(staff->StepAt(kTop - 6, kBlackHead), 0);
    EXPECT_EQ(staff->StepAtClef(kTop - 6, kBlackHead, 0), 0);
    // No clef has run: the staff reads as under ClefG, without an error.
    test::RaisedErrors errors;
    SetRunningClef(0);
    EXPECT_EQ(staff->StepAt(kTop + 30, kBlackHead), 0);
    EXPECT_EQ(staff->AlterationAtCurrent(kTop, kBlackHead), 0);
    EXPECT_EQ(errors.Count(), 0);
}

struct sAlterationCase {
    const char *what;
    int16_t key;
    int16_t clef;
    int32_t dy;
    int32_t alteration;
};

TEST_F(StaffGeometryTest, AlterationFromTheKeyAtEveryOctave) {
    const sAlterationCase cases[] = {
        {"G major: F on the top line", kKey1Sharp, kClefG, 0, 1},
        {"G major: F in the lowest space", kKey1Sharp, kClefG, 21, 1},
        {"G major: E on the bottom line", kKey1Sharp, kClefG, 24, 0},
        {"E flat major: B on the middle line", kKey3Flat, kClefG, 12, -1},
        {"E flat major: E on the bottom line", kKey3Flat, kClefG, 24, -1},
        {"E flat major: A on the second ledger line below", kKey3Flat, kClefG, 36, -1},
        {"E flat major: C", kKey3Flat, kClefG, 30, 0},
        {"C major: nothing", kKeyC, kClefG, 0, 0},
        // Under ClefF the top line is A: altered in E flat, not in G.
        {"E flat major under F: A", kKey3Flat, kClefF, 0, -1},
        {"G major under F: A", kKey1Sharp, kClefF, 0, 0},
    };
    for (const sAlterationCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(staff->AlterationAt(kTop + c.dy, kBlackHead, c.key, c.clef), c.alteration);
    }
    SetRunningClef(kClefG);
    SetRunningKey(kKey1Sharp);
    EXPECT_EQ(staff->AlterationAtCurrent(kTop, kBlackHead), 1);
    EXPECT_EQ(staff->AlterationAt(kTop, kBlackHead, 0, 0), 1);
}

// On a percussion staff without a set, the unmapped step: the note sounds
// the semitone offset from middle C that its step counts.
TEST_F(StaffGeometryTest, PercussionAlterationSoundsTheSemitoneOffset) {
    struct sCase {
        int32_t step, alteration, pitch;
    };
    const sCase cases[] = {
        {-25, 50, -75},  // MIDI key 35
        {0, 0, 0},
        {-1, 0, -5},
        {1, -4, 1},
        {11, -25, 30},
        {12, -25, 35},  // an octave is 35 units
        {14, -30, 40},
        {-13, 25, -40},
        {21, -45, 60},
    };
    // ClefPercussion1 puts step 0 four half spacings below the top line.
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.step);
        const int32_t y = kTop + 12 - 3 * c.step;
        ASSERT_EQ(staff->StepAtClef(y, kBlackHead, kClefPerc), c.step);
        const int32_t alteration = staff->AlterationAt(y, kBlackHead, kKeyC, kClefPerc);
        EXPECT_EQ(alteration, c.alteration);
        EXPECT_EQ(5 * c.step + alteration, c.pitch);
    }
}

// ---- Placements -----------------------------------------------------------------

TEST_F(StaffGeometryTest, PlacementsOnTheStaff) {
    auto clef = Symbol(kClefG, 50, 0);
    staff->PlaceAtStep(clef.get(), 6);
    EXPECT_EQ(clef->GetY(), kTop + 18);
    staff->PlaceAtStep(clef.get(), -2);
    EXPECT_EQ(clef->GetY(), kTop - 6);

    auto time = Symbol(123, 60, 0);
    staff->PlaceCentered(static_cast<cMusicBase *>(time.get()));
    EXPECT_EQ(time->GetY(), kTop + 12);
    // The middle line of five lines, whatever the count.
    FirstTemplate().lines = 3;
    staff->PlaceCentered(static_cast<cMusicBase *>(time.get()));
    EXPECT_EQ(time->GetY(), kTop + 24);
}

struct sSnapCase {
    int32_t dy, snapped;
};

TEST_F(StaffGeometryTest, SnapToTheNearestHalfSpaceTiesOutwards) {
    // Half spacing 2.
    FirstTemplate().heightUnits = 17;
    ASSERT_EQ(staff->LineSpacing(), 4);
    const sSnapCase halfTwo[] = {{1, 2}, {-1, -2}, {0, 0}, {2, 2}, {3, 4}, {-3, -4}, {5, 6}, {-4, -4}};
    for (const sSnapCase &c : halfTwo) {
        SCOPED_TRACE(c.dy);
        EXPECT_EQ(staff->SnapToStep(kTop + c.dy), kTop + c.snapped);
    }
    // The default half spacing 3.
    FirstTemplate().heightUnits = 25;
    const sSnapCase halfThree[] = {{1, 0}, {2, 3}, {-1, 0}, {-2, -3}, {4, 3}, {5, 6}, {29, 30}};
    for (const sSnapCase &c : halfThree) {
        SCOPED_TRACE(c.dy);
        EXPECT_EQ(staff->SnapToStep(kTop + c.dy), kTop + c.snapped);
    }
}

TEST_F(StaffGeometryTest, MoveOffLineLiftsLinesAndKeepsSpaces) {
    const sSnapCase cases[] = {
        {0, -2}, {6, 4}, {24, 22},    // lines of the staff
        {-6, -8}, {-12, -14}, {30, 28},  // ledger lines above and below
        {3, 3}, {21, 21}, {-3, -3}, {27, 27}, {-1, -1}, {1, 1},
    };
    for (const sSnapCase &c : cases) {
        SCOPED_TRACE(c.dy);
        EXPECT_EQ(staff->MoveOffLine(kTop + c.dy), kTop + c.snapped);
    }
}

TEST_F(StaffGeometryTest, KeySignaturesWithoutARunningClef) {
    SetRunningClef(0);
    SetRunningKey(0);
    auto sharp = Symbol(kKey1Sharp, 80, 0);
    staff->PlaceKeySharp(sharp.get());
    EXPECT_EQ(sharp->GetY(), kTop);
    auto flat = Symbol(kKey3Flat, 80, 0);
    staff->PlaceKeyFlat(flat.get());
    EXPECT_EQ(flat->GetY(), kTop + 2 * 6 + 1);
    EXPECT_EQ(gMusicState.clef, 0);
}

TEST_F(StaffGeometryTest, KeySignaturesFromTheClefInForceAtTheirX) {
    // The staff starts with ClefG and changes to ClefF at x 100.
    staff->SetStartClef(kClefG);
    auto *change = cPObjBase::NewById(kClefF);
    change->SetPosition(100, kTop);
    ASSERT_TRUE(staff->InsertChild(change));
    SetRunningClef(kClefAlto);
    SetRunningKey(kKey3Flat);

    struct sCase {
        int32_t x;
        bool flat;
        int32_t dy;
    };
    const sCase cases[] = {
        {50, false, 0},  // ClefG: F on the top line
        {50, true, 12},  // ClefG: B on the middle line
        {150, false, 6},  // ClefF: F on the second line
        {150, true, 18},  // ClefF: B on the second line from below
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.x);
        auto key = Symbol(c.flat ? kKey3Flat : kKey1Sharp, c.x, 0);
        if (c.flat)
            staff->PlaceKeyFlat(key.get());
        else
            staff->PlaceKeySharp(key.get());
        EXPECT_EQ(key->GetY(), kTop + c.dy);
        // The walk's running clef and key are put back.
        EXPECT_EQ(gMusicState.clef, kClefAlto);
        EXPECT_EQ(gMusicState.key, kKey3Flat);
    }
}

TEST_F(StaffGeometryTest, TextsCentredAndFlushRight) {
    const int32_t left = staff->GetX(), width = staff->GetSizeWidth();
    ASSERT_GT(width, 200);
    auto *text = new ScaledObject;
    std::unique_ptr<ScaledObject> owned(text);
    for (int32_t textWidth : {100, 101}) {
        SCOPED_TRACE(textWidth);
        text->SetSize(textWidth, 10);
        staff->CenterText(text);
        EXPECT_EQ(text->GetX(), left + (width - (textWidth - 1)) / 2);
        staff->RightAlignText(text);
        EXPECT_EQ(text->GetRight(), left + width - 1);
    }
}

// ---- Ledger lines -------------------------------------------------------------------

struct sLedgerCase {
    const char *what;
    int32_t dy;  // of the note, from the top line
    std::vector<int32_t> lines;  // their y, from the top line
};

const sLedgerCase kLedgerCases[] = {
    {"just above a ledger line", -7, {-6}},
    {"on the second ledger line above", -12, {-12, -6}},
    {"in the space above the top line", -5, {}},
    {"in the staff", 12, {}},
    {"bottom + 5", 29, {}},
    {"bottom + 6", 30, {30}},
    {"bottom + 12", 36, {30, 36}},
    {"bottom + 17", 41, {30, 36}},
};

TEST_F(StaffGeometryTest, LedgerLinesRectangle) {
    auto note = Symbol(kBlackHead, 200, 0);
    for (const sLedgerCase &c : kLedgerCases) {
        SCOPED_TRACE(c.what);
        note->SetY(kTop + c.dy);
        const cRectangl rect = *staff->LedgerLinesRect(static_cast<cMusicBase *>(note.get()));
        // 15 units long, centred on the note.
        EXPECT_EQ(rect.Left(), 200 - 7);
        if (c.lines.empty()) {
            EXPECT_EQ(rect.Top(), kTop + c.dy);
            EXPECT_EQ(rect.Width(), 0);
            EXPECT_EQ(rect.Height(), 0);
        } else {
            EXPECT_EQ(rect.Top(), kTop + c.lines.front());
            EXPECT_EQ(rect.Width(), 15);
            EXPECT_EQ(rect.Height(), int32_t(c.lines.size()) * 6);
        }
    }
}

#if !defined(_WIN32)

TEST_F(StaffGeometryTest, LedgerLinesDrawnOnTheScoreWindow) {
    auto note = Symbol(kBlackHead, 200, 0);
    FirstTemplate().ledgerWidth = 11;
    for (const sLedgerCase &c : kLedgerCases) {
        SCOPED_TRACE(c.what);
        note->SetY(kTop + c.dy);
        window->ClearRecords();
        staff->DrawLedgerLines(static_cast<cMusicBase *>(note.get()));
        std::vector<std::vector<int32_t>> drawn, expected;
        for (const sDrawRecord &r : window->Records()) {
            EXPECT_EQ(r.op, "DrawLine");
            drawn.push_back(r.args);
        }
        for (int32_t ly : c.lines) expected.push_back({195, kTop + ly, 205, kTop + ly});
        EXPECT_EQ(drawn, expected);
    }
}

#endif

// ---- MIDI set-up -------------------------------------------------------------------

TEST_F(StaffGeometryTest, MidiSetUpOfThePart) {
    struct sCase {
        uint16_t channel, program;
        int16_t transposition;
        int32_t transpose;
    };
    const sCase cases[] = {{3, 40, -3, -3}, {9, 0, 0, 0}, {0, 127, 15, 12}, {0x109, 0x150, -20, -12}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.program);
        FirstTemplate().channel = c.channel;
        FirstTemplate().program = c.program;
        FirstTemplate().transposition = c.transposition;
        test::cRecordingMusicTrack track;
        staff->ApplyMidiSetup(staff, &track, 96);
        const std::vector<std::string> expected = {"channel " + std::to_string(c.channel & 0xFF),
                                                   "program " + std::to_string(c.program & 0xFF) + " 96"};
        EXPECT_EQ(track.events, expected);
        EXPECT_EQ(track.GetTranspose(), c.transpose);
    }
}

// ---- Percussion sets -------------------------------------------------------------------

class StaffPercussionTest : public test::PercussionTest {};

TEST_F(StaffPercussionTest, MappedStepAndItsAlteration) {
    Build();
    Store(u"Kit", kHeadKindOval, 0, u"AcousticBassDrum");  // key 35
    Store(u"Kit", kHeadKindCross, 0, u"HighTom");           // key 50
    cPercussionSetup::AddLookup(u"Kit");
    std::unique_ptr<StaffObject> staff(NewStaff(kTop));
    FirstTemplate().percussionSet = u"Kit";
    // Position 0 of ClefPercussion1, four half spacings below the top line.
    const int32_t y = kTop + 12;
    EXPECT_EQ(staff->StepAtClef(y, kBlackHead, kClefPerc), -25);
    EXPECT_EQ(staff->AlterationAt(y, kBlackHead, kKeyC, kClefPerc), 50);
    EXPECT_EQ(staff->StepAtClef(y, 48, kClefPerc), -10);
    // Another clef reads the height as a plain step.
    EXPECT_EQ(staff->StepAtClef(y, kBlackHead, kClefG), 6);
    // A set the settings do not hold leaves the step as it is.
    FirstTemplate().percussionSet = u"Jazz";
    EXPECT_EQ(staff->StepAtClef(y, kBlackHead, kClefPerc), 0);
}

}  // namespace

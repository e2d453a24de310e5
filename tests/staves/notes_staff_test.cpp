// Notes on a real staff: the pitch from the height, the running key and the
// accidentals of the measure, snapping onto steps, transposition, and (with
// the recording device) the head, stem, flag and ledger lines as drawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "document/music_commands.h"
#include "tests/staves/staff_fixture.h"
#include "ui/graph_dvc.h"

namespace {

class NotesOnStaffTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        cStaffBase::MakeDefaultTemplates();
        staff = new StaffObject;
        staff->SetPosition(0, kTop);
    }
    void TearDown() override {
        delete staff;
        StaffTest::TearDown();
    }

    MusicBitMapNote *Place(int16_t id, int32_t px, int32_t py) {
        auto *note = dynamic_cast<MusicBitMapNote *>(cPObjBase::NewById(id));
        note->SetPosition(px, py);
        EXPECT_TRUE(staff->InsertChild(note));
        return note;
    }

    static constexpr int32_t kTop = 100;
    StaffObject *staff = nullptr;
};

TEST_F(NotesOnStaffTest, TheTopLineOfATrebleStaffInOneSharpSoundsFSharpUntilANatural) {
    staff->SetStartKey(104);  // one sharp
    const int32_t s = staff->LineSpacing();
    MusicBitMapNote *topF = Place(25, 200, kTop);
    MusicBitMapNote *g = Place(25, 220, kTop - s / 2);
    staff->RunContext(topF->GetX(), -1, nullptr);
    EXPECT_EQ(topF->GetMidiPitch().value, 5 * 10 + 1);  // F sharp above middle C's octave
    EXPECT_EQ(g->GetMidiPitch().value, 5 * 11);

    // A natural on the lower F earlier in the measure stores its alteration
    // for the letter, as an accidental symbol does when a walk meets it.
    gMusicState.accidentals.Set(5 * 3);
    EXPECT_EQ(topF->GetMidiPitch().value, 5 * 10);
    EXPECT_EQ(g->GetMidiPitch().value, 5 * 11);
    // The next measure's walk forgets it.
    staff->RunContext(topF->GetX(), -1, nullptr);
    EXPECT_EQ(topF->GetMidiPitch().value, 5 * 10 + 1);
}

TEST_F(NotesOnStaffTest, InsertingAndRecalculatingSnapOntoTheNearestStep) {
    const int32_t h = staff->LineSpacing() / 2;
    MusicBitMapNote *note = Place(25, 200, kTop + 2 * h + 1);
    EXPECT_EQ(note->GetY(), kTop + 2 * h);
    note->SetY(kTop + 5 * h - 1);
    EXPECT_TRUE(note->Recalculate());
    EXPECT_EQ(note->GetY(), kTop + 5 * h);
    // The arrow keys move a note by a step of the current template.
    EXPECT_EQ(note->GetKeyStepUp(), -cStaffBase::CurrentHalfSpacing());
    EXPECT_EQ(note->GetKeyStepDown(), cStaffBase::CurrentHalfSpacing());
}

TEST_F(NotesOnStaffTest, TranspositionMovesTheNoteByTheKeysSteps) {
    MusicBitMapNote *note = Place(25, 200, kTop + 30);  // middle C under the treble clef
    staff->RunContext(note->GetX(), -1, nullptr);
    ASSERT_EQ(note->GetMidiPitch().value, 0);
    // Up a major second from C major.
    cMusicBase::sCmdTranspose record(2, 0);
    record.clef = 101;
    record.key = 103;
    const int32_t steps = KeySignature::TransposeSteps(2, 0);
    EXPECT_EQ(note->OnTranspose(&record), 0);
    EXPECT_EQ(note->GetY(), kTop + 30 - steps * (staff->LineSpacing() / 2));
    EXPECT_EQ(note->GetMidiPitch().value, 5 * steps);

    // Without a staff nothing moves.
    std::unique_ptr<cPObjPoint> loose(cPObjBase::NewById(25));
    loose->SetPosition(5, 5);
    EXPECT_EQ(loose->OnTranspose(&record), 0);
    EXPECT_EQ(loose->GetY(), 5);
}

TEST_F(NotesOnStaffTest, BoundsCoverHeadStemFlagAndLedgerLines) {
    const int32_t s = staff->LineSpacing();
    MusicBitMapNote *low = Place(23, 200, kTop + 24 + 2 * s);  // two ledger lines below
    const cRectangl bounds = *low->GetBounds();
    const cRectangl ledger = *staff->LedgerLinesRect(low);
    EXPECT_LE(bounds.x, ledger.x - 1);
    EXPECT_GE(bounds.x + bounds.width, ledger.x + ledger.width + 1);
    EXPECT_GE(bounds.y + bounds.height, low->GetY() + low->GetStemLength());
    EXPECT_LE(bounds.y, ledger.y - 1);
    // A hit on the stem's end misses: only the head counts.
    EXPECT_NE(low->HitTest(low->GetX(), low->GetY()), 0);
    EXPECT_EQ(low->HitTest(low->GetX(), low->GetY() + low->GetStemLength() + 4), 0);
}

// Asked with flag 0x400 a note is hit anywhere in its bounds; with any
// other flags only its head counts, as without flags.  The flags reach the
// note from its owner's search for the symbol under a point.
TEST_F(NotesOnStaffTest, FlagX400HitsTheWholeNoteOtherwiseOnlyTheHead) {
    MusicBitMapNote *note = Place(25, 200, kTop + 24);
    const int32_t x = note->GetX(), y = note->GetY();
    const cRectangl head = *cShapeImg::ForClass(note->GetHeadGlyph())->GetDrawRect(x, y);
    // Low on the stem, below the head.
    const int32_t stemX = x - note->GetHotSpotX(), stemY = y - note->GetHotSpotY() + note->GetStemLength() - 1;
    ASSERT_GT(stemY, head.y + head.height) << "the stem point must lie clear of the head";
    struct sCase {
        const char *where;
        int32_t px, py, flags, hit;
    };
    const sCase cases[] = {
        {"head", x, y, 0, 1},          {"head", x, y, 0x400, 1},        {"head", x, y, 0x800, 1},
        {"stem", stemX, stemY, 0, 0},  {"stem", stemX, stemY, 0x400, 1}, {"stem", stemX, stemY, 0x800, 0},
        {"stem", stemX, stemY, 0xC00, 1}, {"beside", x + 60, y, 0x400, 0},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(std::string(c.where) + " flags " + std::to_string(c.flags));
        EXPECT_EQ(cPObjOwnBase::HitTestObject(note, c.px, c.py, c.flags) != 0, c.hit != 0);
        const cPObjPoint *found = staff->HitTestChildren(c.px, c.py, 0, uint32_t(c.flags), 0, nullptr);
        EXPECT_EQ(found, c.hit ? note : nullptr);
    }
}

#if !defined(_WIN32)
// The primitives drawing the glyph of a class with its origin at (x, y).
std::vector<sDrawRecord> PictureRecords(cGraphDvc &window, int16_t id, int32_t px, int32_t py) {
    window.ClearRecords();
    cShapeImg::ForClass(id)->DrawAt(px, py, &window);
    std::vector<sDrawRecord> records = window.Records();
    window.ClearRecords();
    return records;
}

bool Contains(const std::vector<sDrawRecord> &all, const sDrawRecord &wanted) {
    for (const sDrawRecord &r : all)
        if (r.op == wanted.op && r.args == wanted.args && r.text == wanted.text) return true;
    return false;
}

bool HasLine(const std::vector<sDrawRecord> &all, std::vector<int32_t> args) {
    for (const sDrawRecord &r : all)
        if (r.op == "DrawLine" && r.args == args) return true;
    return false;
}

// The ink of a glyph drawn by a DrawChars record, from the box its picture
// measured in the music font.
cRectangl InkOf(const sDrawRecord &drawn, int16_t id) {
    const cRectangl ink = *cShapeImg::ForClass(id)->GetImageRect();
    return cRectangl(drawn.args[0] + ink.x, drawn.args[1] + ink.y, ink.width, ink.height);
}

// The record drawing the glyph of a class; null when there is none.
const sDrawRecord *GlyphRecord(const std::vector<sDrawRecord> &all, int16_t id) {
    auto *picture = dynamic_cast<cShapeBmpFont *>(cShapeImg::ForClass(id));
    if (!picture) return nullptr;
    for (const sDrawRecord &r : all)
        if (r.op == "DrawChars" && r.text == std::u16string(1, picture->GetGlyph())) return &r;
    return nullptr;
}

bool Holds(const cRectangl &outer, const cRectangl &inner) {
    return inner.Left() >= outer.Left() && inner.Top() >= outer.Top() && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

// Every note value, both stem directions: the head's ink is centred on the
// note's position (so a line through the position runs through the head),
// the stem leaves the head from its stem side at the head's middle, a flag
// hangs from the stem's end back towards the head, and all of it lies in
// the bounds that redraw and hit-test the note.
TEST_F(NotesOnStaffTest, HeadsCentreOnTheirPitchAndFlagsHangFromTheStemEnd) {
    const int32_t s = staff->LineSpacing();
    const int16_t classes[] = {17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    int32_t px = 120;
    for (int16_t id : classes) {
        SCOPED_TRACE("class " + std::to_string(id));
        // On a line and in a space.
        for (int32_t py : {kTop + 2 * s, kTop + 2 * s + s / 2}) {
            MusicBitMapNote *note = Place(id, px += 40, py);
            window->ClearRecords();
            note->Draw();
            const std::vector<sDrawRecord> drawn = window->Records();
            const sDrawRecord *head = GlyphRecord(drawn, note->GetHeadGlyph());
            ASSERT_NE(head, nullptr);
            const cRectangl ink = InkOf(*head, note->GetHeadGlyph());
            EXPECT_LE(std::abs(2 * ink.Top() + ink.height - 2 * note->GetY()), 1) << "head's middle on its pitch";
            EXPECT_LE(std::abs(2 * ink.Left() + ink.width - 2 * note->GetX()), 1) << "head's middle on its x";
            const cRectangl bounds = *note->GetBounds();
            EXPECT_TRUE(Holds(bounds, ink)) << "the head lies in the bounds";

            const int32_t stem = note->GetStemLength();
            if (stem == 0) continue;
            const int32_t stemX = note->GetX() - note->GetHotSpotX();
            EXPECT_TRUE(HasLine(drawn, {stemX, note->GetY(), stemX, note->GetY() + stem}));
            EXPECT_GE(stemX, ink.Left());
            EXPECT_LE(stemX, ink.Right());
            // Stems go down on the head's left, up on its right.
            EXPECT_EQ(2 * stemX > 2 * ink.Left() + ink.width, stem < 0);

            if (note->GetFlagGlyph() == 0) continue;
            const sDrawRecord *flag = GlyphRecord(drawn, note->GetFlagGlyph());
            ASSERT_NE(flag, nullptr);
            const cRectangl flagInk = InkOf(*flag, note->GetFlagGlyph());
            const int32_t end = note->GetY() + stem;
            EXPECT_LE(std::abs(flagInk.Left() - stemX), 1) << "the flag starts at the stem";
            // The flag's ink reaches the stem's end and runs back from it
            // along the stem, towards the head.
            EXPECT_LE(flagInk.Top() - 1, end);
            EXPECT_GE(flagInk.Bottom() + 1, end);
            if (stem > 0)
                EXPECT_LT(flagInk.Top(), end - s);
            else
                EXPECT_GT(flagInk.Bottom(), end + s);
            EXPECT_TRUE(Holds(bounds, flagInk)) << "the flag lies in the bounds";
        }
    }
}

TEST_F(NotesOnStaffTest, DrawingPutsHeadStemFlagAndLedgerLinesWhereTheGeometrySays) {
    const int32_t s = staff->LineSpacing();
    const int32_t bottom = kTop + staff->GetSizeHeight() - 1;
    MusicBitMapNote *note = Place(23, 200, bottom + 2 * s);
    const int32_t left = note->GetX() - note->GetHotSpotX();
    const int32_t top = note->GetY() - note->GetHotSpotY();
    const std::vector<sDrawRecord> head = PictureRecords(*window, 43, left, top);
    const std::vector<sDrawRecord> flag = PictureRecords(*window, 60, left, top + 20);
    ASSERT_FALSE(head.empty());
    ASSERT_FALSE(flag.empty());

    window->ClearRecords();
    note->Draw();
    const std::vector<sDrawRecord> drawn = window->Records();
    EXPECT_TRUE(Contains(drawn, head.back()));
    EXPECT_TRUE(Contains(drawn, flag.back()));
    EXPECT_TRUE(HasLine(drawn, {left, top, left, top + 20}));
    const cRectangl ledger = *staff->LedgerLinesRect(note);
    ASSERT_EQ(ledger.height, 2 * s);
    for (int32_t i = 0; i < 2; ++i)
        EXPECT_TRUE(HasLine(drawn, {ledger.x, bottom + (i + 1) * s, ledger.x + ledger.width - 1, bottom + (i + 1) * s}))
            << i;

    // A quarter inside the staff: head and stem, no flag and no ledger line.
    MusicBitMapNote *quarter = Place(26, 300, kTop + s);
    window->ClearRecords();
    quarter->Draw();
    const std::vector<sDrawRecord> plain = window->Records();
    int32_t lines = 0;
    for (const sDrawRecord &r : plain) lines += r.op == "DrawLine" ? 1 : 0;
    EXPECT_EQ(lines, 1);
    const int32_t qLeft = quarter->GetX() - quarter->GetHotSpotX(), qTop = quarter->GetY() - quarter->GetHotSpotY();
    EXPECT_TRUE(HasLine(plain, {qLeft, qTop, qLeft, qTop - 20}));
    EXPECT_TRUE(Contains(plain, PictureRecords(*window, 44, qLeft, qTop).back()));
}
#endif

}  // namespace

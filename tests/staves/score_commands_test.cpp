// The score commands on a score of real staffs: the launchers (templates,
// transposition, songbook, bar numbers, stems, chords, beams), the dispatch
// of an id the music layer does not know, and the chord and beam builders
// with groups that hold notes only.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/music_commands.h"
#include "document/text_symbols.h"
#include "document/undo_list.h"
#include "foundation/clipboard_text.h"
#include "tests/staves/staff_fixture.h"

namespace {

// A chord or beam that takes notes only and may not stay with fewer than
// two; it dissolves into its owner when it goes.
template <int16_t Id>
class cNoteGroup : public cPObjGroup {
public:
    cNoteGroup() { unit = 1; }
    const char16_t *GetTypeName() const override { return Id == 34 ? u"TestChord" : u"TestBeam"; }
    int16_t GetTypeId() const override { return Id; }
    cPObjPoint *NewSameClass() const override { return new cNoteGroup; }
    cPObjPoint *AcceptsChild(cPObjBase *obj, uint32_t) override {
        return obj && (obj->GetTypeFlags(0) & kTypeNote) ? this : nullptr;
    }
    tStatus CheckNotEmpty() override { return GetChildCount() < 2 ? kFailed : 0; }
    int32_t AutoArrange() override {
        ++gArranged;
        return 0;
    }
    static inline int32_t gArranged = 0;
};
using cTestChord = cNoteGroup<34>;
using cTestBeam = cNoteGroup<32>;

// Counts the commands that reach the symbol root's handling.
class cCondenseProbe : public cPObjPoint {
public:
    tStatus Condense(sCmdCondense *) override {
        ++calls;
        return 5;
    }
    int32_t calls = 0;
};

// Hands a text to the songbook walk, as lyrics do.
class cSongbookProbe : public cPObjPoint {
public:
    explicit cSongbookProbe(cPObjBase *text) : text(text) {}
    tStatus OnSongbook(sCmdSongbook *record) override {
        record->texts.push_back(text);
        return 0;
    }

private:
    cPObjBase *text;
};

constexpr int16_t kEighth = Note18::kClassId;
constexpr int16_t kQuarter = Note14::kClassId;
constexpr int16_t kQuarterUp = Note14Up::kClassId;
constexpr int16_t kWhole = Note11::kClassId;
constexpr int16_t kEighthRest = Rest18::kClassId;

class ScoreCommandTest : public test::StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        Build();
        score = root.get();
        first = AddStaff(100);
        gSelectedObject = nullptr;
        gDocumentFlags = 0;
        cPObjBase::SetLastCommand(nullptr);
        cTestBeam::gArranged = 0;
    }
    void TearDown() override {
        gSelectedObject = nullptr;
        cPObjBase::SetLastCommand(nullptr);
        StaffTest::TearDown();
    }

    StaffObject *AddStaff(int32_t top) { return AddStaffAt(top); }

    // A new symbol of the class at (x after the header, y) in the staff.
    cPObjPoint *Put(int16_t id, int32_t dx, int32_t py, StaffObject *staff = nullptr) {
        if (!staff) staff = first;
        return PutOn(staff, id, staff->GetContentLeft() + dx, py);
    }

    // Makes the builders' groups the test groups.
    static void UseNoteGroups() {
        (new cTestChord)->Register(u"");
        (new cTestBeam)->Register(u"");
    }

    // One gets an undo record, so that clearing the list shows.
    void RecordUndo(cPObjPoint *obj) {
        ASSERT_NE(gPointUndo, nullptr);
        gPointUndo->RecordMove(obj);
        ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    }

    std::vector<int16_t> MemberIds(StaffObject *staff = nullptr) {
        if (!staff) staff = first;
        std::vector<int16_t> ids;
        for (uint16_t i = 0; i < staff->GetChildSlots(); ++i)
            if (cPObjPoint *c = staff->GetChild(i)) ids.push_back(c->GetTypeId());
        return ids;
    }

    // The staff's members in order: "n" a loose note, "r" a rest, "|" a bar
    // line, "C" a clef, "b<members>" a beam and "c<members>" a chord.
    std::string Layout() {
        std::string text;
        for (uint16_t i = 0; i < first->GetChildSlots(); ++i) {
            cPObjPoint *c = first->GetChild(i);
            if (!c) continue;
            if (!text.empty()) text += ' ';
            const uint32_t flags = c->GetTypeFlags(0);
            const int16_t id = c->GetTypeId();
            if (auto *group = dynamic_cast<cPObjOwnBase *>(c); group && (id == 32 || id == 34))
                text += (id == 32 ? "b" : "c") + std::to_string(group->GetChildCount());
            else if (flags & kTypeNote)
                text += "n";
            else if (flags & kTypeRest)
                text += "r";
            else if (flags & kTypeBar)
                text += "|";
            else if (flags & kTypeClef)
                text += "C";
            else
                text += "?";
        }
        return text;
    }

    // Notes the staff holds at any depth (an owner holding a note answers
    // the note's family too: only the notes themselves count).
    uint32_t NoteCount() {
        uint32_t n = 0;
        std::vector<cPObjOwnBase *> owners{first};
        while (!owners.empty()) {
            cPObjOwnBase *o = owners.back();
            owners.pop_back();
            for (uint16_t i = 0; i < o->GetChildSlots(); ++i) {
                cPObjPoint *c = o->GetChild(i);
                if (!c) continue;
                if (auto *inner = dynamic_cast<cPObjOwnBase *>(c))
                    owners.push_back(inner);
                else if (c->GetTypeFlags(0) & kTypeNote)
                    ++n;
            }
        }
        return n;
    }

    ScoreObject *score = nullptr;
    StaffObject *first = nullptr;
};

// ---- Launchers ------------------------------------------------------------------------

TEST_F(ScoreCommandTest, ATemplateAppliedReachesEveryStaff) {
    StaffObject *second = AddStaff(200);
    gStaffTemplates->Append(new cStaffBase::sTemplate(u"Bass"));
    EXPECT_EQ(first->GetTemplateIndex(), 0);
    cMusicBase::ApplyStaffTemplate(score, 1, nullptr);
    EXPECT_EQ(first->GetTemplateIndex(), 1);
    EXPECT_EQ(second->GetTemplateIndex(), 1);
    EXPECT_TRUE(gDocumentFlags & 8);
}

TEST_F(ScoreCommandTest, TransposingUpAToneMovesNotesAndReplacesKeysOnce) {
    const int32_t h = first->LineSpacing() / 2;
    first->SetStartKey(KeySigC::kClassId);
    cPObjPoint *c4 = Put(kQuarter, 20, 100 + 10 * h);
    ASSERT_NE(Put(KeySig1Sharp::kClassId, 60, 100), nullptr);
    cPObjPoint *g4 = Put(kQuarter, 100, 100 + 6 * h);
    const int32_t c4y = c4->GetY(), g4y = g4->GetY();
    RecordUndo(c4);
    gDocumentFlags = 0;

    cMusicBase::Transpose(score, 2, 0, nullptr);
    // C major becomes D major at the staff's start: once, not twice (E).
    EXPECT_EQ(first->GetStartKey(), KeySig2Sharp::kClassId);
    EXPECT_EQ(MemberIds(), (std::vector<int16_t>{kQuarter, KeySig3Sharp::kClassId, kQuarter}));
    EXPECT_EQ(c4->GetY(), c4y - h);
    EXPECT_EQ(g4->GetY(), g4y - h);
    EXPECT_TRUE(gDocumentFlags & 1);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);

    // It is the last command, with the signs running after the walk.
    auto *last = dynamic_cast<cMusicBase::sCmdTranspose *>(cPObjBase::GetLastCommand());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->commandId, kCmdTranspose);
    EXPECT_EQ(last->semitones, 2);
    EXPECT_EQ(last->key, KeyPrototype()->GetTypeId());
    EXPECT_EQ(last->clef, ClefPrototype()->GetTypeId());
}

TEST_F(ScoreCommandTest, StemsTurnUpReverseOrTurnDown) {
    const struct {
        int32_t direction;
        std::vector<int16_t> after;
    } cases[] = {
        {0, {kQuarterUp, kQuarterUp, kWhole}},
        {1, {kQuarterUp, kQuarter, kWhole}},
        {2, {kQuarter, kQuarter, kWhole}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.direction);
        first->Clear(0);
        Put(kQuarter, 20, 112);
        Put(kQuarterUp, 60, 112);
        RecordUndo(Put(kWhole, 100, 112));
        EXPECT_EQ(cMusicBase::SetStems(score, c.direction, nullptr), 0);
        EXPECT_EQ(MemberIds(), c.after);
        EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    }
}

TEST_F(ScoreCommandTest, BarNumbersSkipALeadingRepeatAndShowOncePerStaff) {
    StaffObject *second = AddStaff(200);
    auto bars = [&](StaffObject *staff, bool leadingRepeat) {
        std::vector<BaseBar *> found;
        int32_t dx = 2;
        if (leadingRepeat) found.push_back(static_cast<BaseBar *>(Put(BarLeftRepeat::kClassId, dx, staff->GetY(), staff)));
        for (int32_t measure = 0; measure < 2; ++measure) {
            for (int32_t i = 0; i < 4; ++i) Put(kQuarter, dx += 30, staff->GetY() + 12, staff);
            found.push_back(static_cast<BaseBar *>(Put(Bar::kClassId, dx += 30, staff->GetY(), staff)));
        }
        return found;
    };
    const std::vector<BaseBar *> upper = bars(first, true);
    const std::vector<BaseBar *> lower = bars(second, false);
    gDocumentFlags = 0x40;
    cMusicBase::NumberBars(score, nullptr);
    EXPECT_EQ(upper[0]->GetBarNumber(), kNoBarNumber);
    EXPECT_EQ(upper[1]->GetBarNumber(), 2);
    EXPECT_EQ(upper[2]->GetBarNumber(), kNoBarNumber);
    // The count runs on through the score; the second staff shows its first.
    EXPECT_EQ(lower[0]->GetBarNumber(), 4);
    EXPECT_EQ(lower[1]->GetBarNumber(), kNoBarNumber);
    EXPECT_FALSE(gDocumentFlags & 0x40);
}

TEST_F(ScoreCommandTest, TheSongbookGoesOnTheClipboard) {
    std::unique_ptr<cPObjPoint> text(cPObjBase::NewById(179));
    auto *verse = dynamic_cast<TextObject *>(text.get());
    ASSERT_NE(verse, nullptr);
    verse->SetText(u"Verse");
    auto *probe = new cSongbookProbe(verse);
    probe->SetPosition(first->GetContentLeft() + 20, 90);
    ASSERT_TRUE(first->InsertChild(probe));
    ClipboardEmptyForTest();
    cMusicBase::MakeSongbook(score, nullptr);
    EXPECT_EQ(ClipboardPendingLength(), 0u);
    const auto *pasted = static_cast<const char16_t *>(ClipboardGetData(kClipUnicodeText));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(std::u16string(pasted), u"Verse\r\n");
}

TEST_F(ScoreCommandTest, ChordsAndBeamsNeedTheWholeScoreAStaffOrABlock) {
    UseNoteGroups();
    cPObjPoint *bar = nullptr;
    const auto reset = [&] {
        first->Clear(0);
        bar = Put(Bar::kClassId, 100, 100);
        Put(kEighth, 20, 112);
        Put(kEighth, 20, 118);
        Put(kEighth, 50, 112);
    };
    // A bar line selected: nothing is sent, yet the undo list is emptied.
    reset();
    gSelectedObject = bar;
    RecordUndo(bar);
    EXPECT_EQ(cMusicBase::MakeChords(score, nullptr), 0);
    EXPECT_EQ(cMusicBase::MakeBeams(score, 479, 2, 1920, nullptr), 0);
    EXPECT_EQ(cPObjBase::GetLastCommand(), nullptr);
    EXPECT_EQ(Layout(), "n n n |");
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);

    // Nothing selected: the whole score; the staff selected: the staff.
    const struct {
        const char *name;
        bool selectStaff;
        bool chords;
        const char *layout;
    } cases[] = {
        {"chords, whole score", false, true, "c2 n |"},
        {"chords, staff", true, true, "c2 n |"},
        {"beams, whole score", false, false, "n n n |"},
        {"beams, staff", true, false, "n n n |"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        gSelectedObject = c.selectStaff ? first : nullptr;
        if (c.chords)
            cMusicBase::MakeChords(score, nullptr);
        else
            cMusicBase::MakeBeams(score, 479, 2, 1920, nullptr);
        ASSERT_NE(cPObjBase::GetLastCommand(), nullptr);
        EXPECT_EQ(cPObjBase::GetLastCommand()->commandId, c.chords ? kCmdMakeChords : kCmdMakeBeams);
        EXPECT_EQ(Layout(), c.layout);
    }
}

TEST_F(ScoreCommandTest, AnIdTheMusicLayerDoesNotKnowReachesTheRoot) {
    cCondenseProbe probe;
    cPObjBase::sCmdCondense record;
    EXPECT_EQ(probe.OnCommand(kCmdCondense, nullptr, &record), 5);
    EXPECT_EQ(probe.calls, 1);
}

// ---- The builders -------------------------------------------------------------------------

struct sPlaced {
    int16_t id;
    int32_t dx;  // after the header
    int32_t dy = 12;
};

TEST_F(ScoreCommandTest, BeamsFollowBeatGroupsMeasuresAndColumns) {
    UseNoteGroups();
    const struct {
        const char *name;
        int32_t groupLength;
        std::vector<sPlaced> symbols;
        const char *layout;
    } cases[] = {
        {"four eighths, one beat a group", 480, {{kEighth, 20}, {kEighth, 50}, {kEighth, 80}, {kEighth, 110}}, "b2 b2"},
        {"four eighths, two beats a group", 960, {{kEighth, 20}, {kEighth, 50}, {kEighth, 80}, {kEighth, 110}}, "b4"},
        {"eight eighths, two beats a group",
         960,
         {{kEighth, 20}, {kEighth, 50}, {kEighth, 80}, {kEighth, 110},
          {kEighth, 140}, {kEighth, 170}, {kEighth, 200}, {kEighth, 230}},
         "b4 b4"},
        {"eight eighths, four beats a group",
         1920,
         {{kEighth, 20}, {kEighth, 50}, {kEighth, 80}, {kEighth, 110},
          {kEighth, 140}, {kEighth, 170}, {kEighth, 200}, {kEighth, 230}},
         "b8"},
        {"a quarter ends the beam", 1920, {{kEighth, 20}, {kEighth, 50}, {kQuarter, 80}, {kEighth, 110}, {kEighth, 140}},
         "b2 n b2"},
        {"a single eighth between quarters", 1920, {{kQuarter, 20}, {kEighth, 50}, {kQuarter, 80}}, "n n n"},
        {"a rest ends the beam", 1920, {{kEighth, 20}, {kEighthRest, 50}, {kEighth, 80}}, "n r n"},
        {"a clef leaves the beam open", 1920, {{kEighth, 20}, {ClefF::kClassId, 50}, {kEighth, 80}}, "b2 C"},
        {"a bar line ends the measure's beam", 1920,
         {{kEighth, 20}, {kEighth, 50}, {Bar::kClassId, 70, 0}, {kEighth, 90}, {kEighth, 120}}, "b2 | b2"},
        // A loose chord tone takes the eighth of its column out of the beam,
        // and neither is beamed.
        {"a loose chord tone", 1920,
         {{kEighth, 20}, {kEighth, 50}, {kEighth, 50, 18}, {kEighth, 80}, {kEighth, 110}}, "n n n b2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        first->Clear(0);
        for (const sPlaced &p : c.symbols) Put(p.id, p.dx, first->GetY() + p.dy);
        const uint32_t notes = NoteCount();
        cTestBeam::gArranged = 0;
        cMusicBase::MakeBeams(score, 479, 2, c.groupLength, nullptr);
        EXPECT_EQ(Layout(), c.layout);
        EXPECT_EQ(NoteCount(), notes);
        // Every beam that stays is laid out again.
        int32_t beams = 0;
        for (int16_t id : MemberIds()) beams += id == 32;
        EXPECT_EQ(cTestBeam::gArranged, beams);
    }
}

TEST_F(ScoreCommandTest, ChordsJoinOneColumnOfOneOwner) {
    UseNoteGroups();
    const struct {
        const char *name;
        std::vector<sPlaced> symbols;
        const char *layout;
    } cases[] = {
        {"two columns around a single note",
         {{kQuarter, 20, 12}, {kQuarter, 20, 18}, {kQuarter, 50}, {kEighth, 80, 6}, {kQuarter, 80, 15}},
         "c2 n c2"},
        {"three tones", {{kQuarter, 20, 6}, {kQuarter, 20, 12}, {kQuarter, 20, 18}}, "c3"},
        {"a rest is no chord tone", {{kQuarter, 20}, {kEighthRest, 20, 18}}, "n r"},
        // A bar line with a sign walks its own members: the single note's
        // chord before it still goes.
        {"a single note before a bar line with a sign",
         {{kQuarter, 20}, {Bar::kClassId, 60, 0}, {Sign1::kClassId, 70, -30}, {kQuarter, 90}},
         "n | n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        first->Clear(0);
        for (const sPlaced &p : c.symbols) Put(p.id, p.dx, first->GetY() + p.dy);
        const uint32_t notes = NoteCount();
        cMusicBase::MakeChords(score, nullptr);
        EXPECT_EQ(Layout(), c.layout);
        EXPECT_EQ(NoteCount(), notes);
    }
}

// The chord and beam classes of the catalogue do not group yet: the
// builders leave every note in the score.
TEST_F(ScoreCommandTest, TheCataloguesGroupsLoseNoNote) {
    for (int32_t dx = 20; dx <= 110; dx += 30) Put(kEighth, dx, first->GetY() + 12);
    Put(kEighth, 110, first->GetY() + 18);
    cMusicBase::MakeBeams(score, 479, 2, 1920, nullptr);
    EXPECT_EQ(NoteCount(), 5u);
    cMusicBase::MakeChords(score, nullptr);
    EXPECT_EQ(NoteCount(), 5u);
}

}  // namespace

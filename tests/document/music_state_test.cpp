// The running musical context and the time walk of the music layer: which
// tick each symbol of a score starts on, the time words that set a measure,
// copies of the context that survive a nested walk, and the owner lookups
// of the walk (score, staff, main note, head y, image rectangle).
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "document/base_classes.h"
#include "document/music_state.h"
#include "document/shape_images.h"
#include "midi/music_track.h"
#include "tests/document/symbol_fixture.h"
#include "tests/foundation/raised_errors.h"

namespace {

// A timed symbol standing for the notes and rests of the catalogue: it
// answers its duration and keeps the start time the walk gave it.  A step
// of 0 makes it an untimed step, as a repeat bar takes in the export walk:
// laid out, it asks for a time with a step of 0.
class cTimedSymbol : public cPObjPoint {
public:
    int32_t ticks = kTicksPerQuarter;
    bool note = true;
    int32_t start = -1;

    int16_t GetTypeId() const override { return 21; }
    uint32_t GetTypeFlags(int16_t typeId) const override {
        return cPObjPoint::GetTypeFlags(typeId) | (note ? uint32_t(kTypeNote) : 0u);
    }
    cPObjPoint *NewSameClass() const override { return new cTimedSymbol; }
    int32_t GetDurationTicks() override { return ticks; }
    int32_t AssignTime(int32_t step) override { return start = cPObjPoint::AssignTime(step); }
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override {
        if (ticks != 0 || !advance) return cPObjPoint::LayoutTime(staff, limitX, advance);
        AssignTime(0);
    }
};

// The score: the owner of class 186 that keeps the pending note ends.
class cTestScore : public test::cListOwner {
public:
    cTestScore() : cListOwner(cMusicBase::kScoreTypeId, 0) {}
    cPlayDuration *GetPendingEnds() override { return &ends; }
    cPlayDuration ends;
};

// A staff that notes the context runs it is asked for and snaps y to every
// fourth unit.
class cTestStaff : public test::cListOwner {
public:
    struct sRun {
        int32_t x, flags;
        sCommandPrm *record;
    };
    cTestStaff() : cListOwner(cMusicBase::kStaffTypeId, kTypeStaff) {}
    void RunContext(int32_t px, int32_t flags, sCommandPrm *record) override { runs.push_back({px, flags, record}); }
    int32_t SnapToStep(int32_t py) override { return (py + 2) / 4 * 4; }
    std::vector<sRun> runs;
};

// An owner of no particular kind between a staff and its symbols.
class cUnit : public test::cListOwner {
public:
    cUnit() : cListOwner(60, 0) {}
};

class MusicStateTest : public test::SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        kept = gMusicState;
        gMusicState = sMusicState();
    }
    void TearDown() override {
        gMusicState = kept;
        SymbolTest::TearDown();
    }

    sMusicState kept;
};

// A symbol of a walk: its x, its step in ticks and the tick it must start
// on.
struct sPlaced {
    int32_t x;
    int32_t ticks;
    int32_t start;
};

struct sWalkCase {
    const char *name;
    std::vector<sPlaced> symbols;
};

// Symbols count themselves from their allocation: the tests make them on
// the heap.
template <class T, class... tArgs>
std::unique_ptr<T> Make(tArgs... args) {
    return std::unique_ptr<T>(new T(args...));
}

void ExpectSameRect(const cRectangl &a, const cRectangl &b) {
    EXPECT_EQ(a.Left(), b.Left());
    EXPECT_EQ(a.Top(), b.Top());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
}

// The pitch of the F above middle C with an alteration.
int16_t F(int32_t alteration, int32_t octave = 0) { return int16_t(15 + 35 * octave + alteration); }

}  // namespace

// No registry holds the head prototypes here: heads are 8 wide and the
// spacing tolerance is 10.
TEST_F(MusicStateTest, SymbolsCloseTogetherStartTogetherAndTheNextStepWaitsForTheEarliestEnd) {
    const sWalkCase cases[] = {
        {"notes 3 apart share a step; 30 further starts a quarter later",
         {{100, 480, 0}, {103, 480, 0}, {133, 480, 480}}},
        {"the tolerance is strict: 9 right joins the step, 10 right opens one",
         {{100, 480, 0}, {109, 480, 0}, {110, 480, 480}, {119, 960, 480}, {120, 480, 960}}},
        {"after a half and a quarter in one column the follower starts when the quarter ends",
         {{100, 960, 0}, {100, 480, 0}, {130, 480, 480}, {160, 480, 960}}},
        {"a short note inside a long one holds back no step once passed",
         {{100, 1920, 0}, {100, 240, 0}, {130, 240, 240}, {160, 240, 480}, {190, 480, 720}, {220, 480, 1200}}},
        {"an untimed step takes the earliest end and forgets the rest",
         {{100, 960, 0}, {100, 480, 0}, {130, 0, 480}, {160, 480, 480}, {190, 480, 960}}},
        {"an untimed step within the tolerance keeps the step's time and forgets the ends",
         {{100, 960, 0}, {105, 0, 0}, {130, 480, 0}}},
    };
    for (const sWalkCase &c : cases) {
        SCOPED_TRACE(c.name);
        gMusicState = sMusicState();
        auto score = Make<cTestScore>();
        // The score finds its notes at any depth: here inside a staff.
        auto *staff = score->Add<test::cListOwner>(0, 0);
        std::vector<cTimedSymbol *> placed;
        for (const sPlaced &p : c.symbols) {
            placed.push_back(staff->Add<cTimedSymbol>(p.x, 40));
            placed.back()->ticks = p.ticks;
        }
        score->LayoutTime(staff, kFailed, 1);
        for (size_t i = 0; i < placed.size(); ++i)
            EXPECT_EQ(placed[i]->start, c.symbols[i].start) << "symbol " << i << " at x " << c.symbols[i].x;
        EXPECT_EQ(gMusicState.currentTime, c.symbols.back().start);
    }
}

TEST_F(MusicStateTest, ASymbolOutsideAnyScoreLeavesTheTimeAlone) {
    gMusicState.SetCurrentTime(700);
    auto staff = Make<test::cListOwner>();
    auto *first = staff->Add<cTimedSymbol>(100, 40);
    auto *second = staff->Add<cTimedSymbol>(140, 40);
    staff->LayoutTime(staff.get(), kFailed, 1);
    EXPECT_EQ(first->start, 700);
    EXPECT_EQ(second->start, 700);
    EXPECT_EQ(gMusicState.currentTime, 700);
    EXPECT_EQ(first->GetNextEndTime(), 700);
    EXPECT_EQ(first->SetCurrentTime(960, 480), 480);
    EXPECT_EQ(gMusicState.currentTime, 700);
}

TEST_F(MusicStateTest, TheScoreKeepsThePendingEndsItselfAndForItsSymbols) {
    auto score = Make<cTestScore>();
    auto *note = score->Add<cTimedSymbol>(100, 40);
    // The score's own step goes to its own set.
    EXPECT_EQ(score->SetCurrentTime(240, 480), 480);
    EXPECT_EQ(score->ends.Earliest(), 720u);
    EXPECT_EQ(gMusicState.currentTime, 240);
    EXPECT_EQ(note->GetNextEndTime(), 720);
    EXPECT_EQ(note->SetCurrentTime(300, 120), 120);
    EXPECT_EQ(note->GetNextEndTime(), 420);
    EXPECT_EQ(score->ends.Count(), 2u);
    // A step of 0 forgets every pending end: the next end is the current
    // time again.
    EXPECT_EQ(note->SetCurrentTime(500, 0), 0);
    EXPECT_EQ(score->ends.Count(), 0u);
    EXPECT_EQ(note->GetNextEndTime(), 500);
}

TEST_F(MusicStateTest, OwnersLayOutTheirChildrenInOrderUpToTheLimit) {
    struct sCase {
        const char *name;
        int32_t limit;
        uint8_t advance;
        std::vector<int32_t> starts;
    } cases[] = {
        {"no limit", kFailed, 1, {0, 480, 960, 960}},
        {"stops at the first child at the limit", 160, 1, {0, 480, -1, -1}},
        {"a child right of the limit stops the walk even when a later one is left of it", 131, 1,
         {0, 480, -1, -1}},
        {"without advancing nothing is timed", kFailed, 0, {-1, -1, -1, -1}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        gMusicState = sMusicState();
        auto score = Make<cTestScore>();
        std::vector<cTimedSymbol *> notes;
        for (int32_t x : {100, 130, 160, 125}) notes.push_back(score->Add<cTimedSymbol>(x, 40));
        score->LayoutTime(nullptr, c.limit, c.advance);
        for (size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i]->start, c.starts[i]) << "child " << i;
    }
}

TEST_F(MusicStateTest, TimeWordsSetTheMeasureAndUnusableWordsLeaveTheContextAsItWas) {
    struct sCase {
        uint16_t word;
        bool usable;
        int32_t measure;
    } cases[] = {
        {0x603, true, 1440},     // 6/8
        {0x402, true, 1920},     // 4/4
        {0x203, true, 480},      // 2/8
        {0x106, true, 30},       // 1/64, the shortest denominator
        {0xFF00, true, 489600},  // 255/1, the longest measure
        {0x004, false, 0},       // no beats
        {0x440, false, 0},       // a shift past the ticks
        {0x020, false, 0},       // both
        {0x120, false, 0},       // a shift of 32
        {0x107, false, 0},       // a 128th
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "word 0x" << c.word);
        gMusicState = sMusicState();
        ASSERT_EQ(SetRunningTimeWord(0x305), kDefaultTimeWord);
        ASSERT_EQ(gMusicState.measureLength, 180);  // 3/32
        EXPECT_EQ(IsUsableTimeWord(c.word), c.usable);
        EXPECT_EQ(MeasureLengthOf(c.word), c.measure);
        EXPECT_EQ(SetRunningTimeWord(c.word), 0x305);
        EXPECT_EQ(gMusicState.timeWord, c.usable ? c.word : 0x305);
        EXPECT_EQ(gMusicState.measureLength, c.usable ? c.measure : 180);
    }
    // At the start the running context is 4/4, and stays so.
    gMusicState = sMusicState();
    EXPECT_EQ(SetRunningTimeWord(0x004), kDefaultTimeWord);
    EXPECT_EQ(gMusicState.timeWord, kDefaultTimeWord);
    EXPECT_EQ(gMusicState.measureLength, kTicksPerWhole);
}

TEST_F(MusicStateTest, TheDefaultsAndTheSettersAnsweringThePreviousValue) {
    const sMusicState fresh;
    EXPECT_EQ(fresh.lastX, 0);
    EXPECT_EQ(fresh.currentTime, 0);
    EXPECT_EQ(fresh.measureStart, 0);
    EXPECT_EQ(fresh.markTime, 0);
    EXPECT_EQ(fresh.clef, 0);
    EXPECT_EQ(fresh.key, 0);
    EXPECT_EQ(fresh.timeWord, kDefaultTimeWord);
    EXPECT_EQ(fresh.measureLength, MeasureLengthOf(kDefaultTimeWord));
    for (int32_t pitch = -35; pitch < 35; pitch += 5)
        EXPECT_EQ(fresh.accidentals.Get(pitch), sKeyAccidentals::kUnset) << "pitch " << pitch;

    struct sSetter {
        const char *name;
        int32_t (sMusicState::*set)(int32_t);
        int32_t sMusicState::*field;
        int32_t value;
    } setters[] = {
        {"last x", &sMusicState::SetLastX, &sMusicState::lastX, 11},
        {"current time", &sMusicState::SetCurrentTime, &sMusicState::currentTime, 21},
        {"measure start", &sMusicState::SetMeasureStart, &sMusicState::measureStart, 31},
        {"measure length", &sMusicState::SetMeasureLength, &sMusicState::measureLength, 41},
        {"mark time", &sMusicState::SetMarkTime, &sMusicState::markTime, 51},
    };
    sMusicState s;
    for (const sSetter &c : setters) {
        SCOPED_TRACE(c.name);
        const int32_t before = s.*c.field;
        EXPECT_EQ((s.*c.set)(c.value - 1), before);
        EXPECT_EQ((s.*c.set)(c.value), c.value - 1);
        EXPECT_EQ(s.*c.field, c.value);
    }
    EXPECT_EQ(s.SetClef(96), 0);
    EXPECT_EQ(s.SetClef(97), 96);
    EXPECT_EQ(s.SetKey(103), 0);
    EXPECT_EQ(s.SetKey(104), 103);
    EXPECT_EQ(s.SetTimeWord(0x302), kDefaultTimeWord);
    // The time signature sets the word only.
    EXPECT_EQ(s.SetTimeSignature(6, 3), 0x302);
    EXPECT_EQ(s.timeWord, 0x603);
    EXPECT_EQ(s.measureLength, 41);
    EXPECT_EQ(s.ShiftTimes(100), 0);
    EXPECT_EQ(s.currentTime, 121);
    EXPECT_EQ(s.measureStart, 131);
    EXPECT_EQ(s.markTime, 151);
    EXPECT_EQ(s.lastX, 11);

    // The running setters work on the one global context.
    EXPECT_EQ(SetRunningClef(98), 0);
    EXPECT_EQ(SetRunningClef(99), 98);
    EXPECT_EQ(SetRunningKey(110), 0);
    EXPECT_EQ(SetRunningKey(111), 110);
    EXPECT_EQ(SetRunningTimeSignature(3, 2), kDefaultTimeWord);
    EXPECT_EQ(gMusicState.timeWord, 0x302);
    EXPECT_EQ(gMusicState.measureLength, kTicksPerWhole);
    EXPECT_EQ(gMusicState.clef, 99);
    EXPECT_EQ(gMusicState.key, 111);
}

TEST_F(MusicStateTest, ACopyTakenBeforeANestedWalkRestoresTheMeasure) {
    auto score = Make<cTestScore>();
    auto *a = score->Add<cTimedSymbol>(100, 40);
    auto *b = score->Add<cTimedSymbol>(130, 40);
    a->ticks = 960;
    SetRunningClef(96);
    SetRunningKey(105);
    SetRunningTimeWord(0x302);
    gMusicState.SetMeasureStart(1440);
    gMusicState.SetMarkTime(60);
    gMusicState.accidentals.Set(F(+1));
    a->AssignTime(a->ticks);
    const sMusicState saved = gMusicState;
    EXPECT_EQ(saved.accidentals.Get(F(0, -1)), 1);  // every F of the measure

    // The nested walk changes every field.
    gMusicState.accidentals.Clear();
    gMusicState.accidentals.Set(F(-1));
    gMusicState.accidentals.Set(1);  // C sharp
    b->AssignTime(b->ticks);
    gMusicState.ShiftTimes(3840);
    SetRunningClef(100);
    SetRunningKey(110);
    SetRunningTimeWord(0x603);
    ASSERT_EQ(gMusicState.accidentals.Get(F(0)), -1);

    gMusicState = saved;
    EXPECT_EQ(gMusicState.accidentals.Get(F(0)), 1);
    EXPECT_EQ(gMusicState.accidentals.Get(F(0, 1)), 1);
    EXPECT_EQ(gMusicState.accidentals.Get(1), sKeyAccidentals::kUnset);
    EXPECT_EQ(gMusicState.currentTime, 0);
    EXPECT_EQ(gMusicState.lastX, 100);
    EXPECT_EQ(gMusicState.measureStart, 1440);
    EXPECT_EQ(gMusicState.measureLength, 1440);
    EXPECT_EQ(gMusicState.markTime, 60);
    EXPECT_EQ(gMusicState.clef, 96);
    EXPECT_EQ(gMusicState.key, 105);
    EXPECT_EQ(gMusicState.timeWord, 0x302);

    // A copy made from a copy carries the accidentals as well.
    sMusicState again(saved);
    EXPECT_EQ(again.accidentals.Get(F(0)), 1);
    EXPECT_EQ(again.measureStart, 1440);
}

TEST_F(MusicStateTest, TheContextAndTheStepsComeFromTheOwningStaff) {
    test::RaisedErrors errors;
    auto staff = Make<cTestStaff>();
    auto *unit = staff->Add<cUnit>(0, 0);
    auto *note = unit->Add<cTimedSymbol>(100, 13);
    sCommandPrm record;
    note->SeekContext(5, &record);
    ASSERT_EQ(staff->runs.size(), 1u);
    EXPECT_EQ(staff->runs[0].x, 100);
    EXPECT_EQ(staff->runs[0].flags, 5);
    EXPECT_EQ(staff->runs[0].record, &record);
    EXPECT_EQ(note->SnapToStaff(), 12);
    EXPECT_EQ(note->GetY(), 12);

    // Outside a staff nothing runs and y stays.
    auto loose = Make<test::cListOwner>(int16_t(50), uint32_t(0));
    auto *alone = loose->Add<cTimedSymbol>(100, 13);
    alone->SeekContext(5, nullptr);
    EXPECT_EQ(alone->SnapToStaff(), 13);
    EXPECT_EQ(alone->GetY(), 13);
    EXPECT_EQ(staff->runs.size(), 1u);
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(MusicStateTest, AnOwnersMainNoteIsItsLastNoteAndItsHeadThatOfItsFirstChild) {
    auto chord = Make<test::cListOwner>(int16_t(60), uint32_t(0));
    EXPECT_EQ(chord->GetMainNote(), chord.get());
    chord->SetPosition(0, 7);
    EXPECT_EQ(chord->GetHeadY(), 7);

    auto *first = chord->Add<cTimedSymbol>(100, 40);
    auto *second = chord->Add<cTimedSymbol>(100, 30);
    auto *other = chord->Add<cTimedSymbol>(100, 20);
    other->note = false;
    EXPECT_EQ(chord->GetMainNote(), second);
    EXPECT_EQ(chord->GetHeadY(), 40);
    first->note = second->note = false;
    EXPECT_EQ(chord->GetMainNote(), chord.get());

    // A child owner answers its own first child's head.
    auto outer = Make<test::cListOwner>(int16_t(61), uint32_t(0));
    auto *inner = outer->Add<cUnit>(0, 90);
    inner->Add<cTimedSymbol>(100, 55);
    EXPECT_EQ(outer->GetHeadY(), 55);
}

TEST_F(MusicStateTest, TheImageRectangleIsThatOfTheClassImageAtTheSymbol) {
    class cTestImage : public cShapeImg {
    public:
        using cShapeImg::cShapeImg;
        void DrawPicture(int32_t, int32_t, cGraphDvc *) override {}
    };
    test::RaisedErrors errors;
    auto note = Make<cTimedSymbol>();
    note->SetPosition(100, 40);
    const cRectangl bounds = *note->GetBounds();
    // Without a table or an image the bounds stand for the picture.
    ExpectSameRect(*note->GetImageRect(), bounds);
    cShapeImg::CreateTable();
    cShapeImg::ReserveTableIds(17, 186);
    cShapeImg::AllocateTable();
    ExpectSameRect(*note->GetImageRect(), bounds);
    cShapeImg::SetForClass(note->GetTypeId(), new cTestImage(12, 20, 3, 15));
    const cRectangl drawn = *note->GetImageRect();
    EXPECT_EQ(drawn.Left(), 100 - 3 - 1);
    EXPECT_EQ(drawn.Top(), 40 - 15 - 1);
    EXPECT_EQ(drawn.Width(), 12);
    EXPECT_EQ(drawn.Height(), 20);
    EXPECT_EQ(errors.Count(), 0);
}

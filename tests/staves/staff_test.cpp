// Staffs: a new staff, symbols dropped on the header, time signatures, the
// running context with brace bar lines, hidden parts, the staff commands,
// transposition, the export of parts and the songbook text.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/symbol_tags.h"
#include "foundation/clipboard_text.h"
#include "midi/midi_file.h"
#include "staves/part_templates.h"
#include "staves/staff.h"
#include "tests/staves/staff_fixture.h"
#include "tests/support/recording_music_track.h"

namespace {

constexpr int16_t kClefG = 101, kClefF = 102, kClefAlto = 98;
constexpr int16_t kKeyC = 103, kKey1Sharp = 104, kKey2Sharp = 105, kKey3Sharp = 106;
constexpr int16_t kNote = 43, kTime34 = 122, kTime68 = 124, kTime24 = 121;
constexpr int32_t kTop = 100;

using Template = cStaffBase::sTemplate;

// What the walks did, in order: "<name>@<x>" for each layout step.
std::vector<std::string> gLayoutLog;

// A symbol of a chosen family that logs its layout steps.
class cLoggingSymbol : public cPObjPoint {
public:
    cLoggingSymbol(const char *name, uint32_t family) : name(name), family(family) {}
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjPoint::GetTypeFlags(typeId) | family; }
    cPObjPoint *NewSameClass() const override { return new cLoggingSymbol(name, family); }
    void LayoutTime(cPObjBase *, int32_t, uint8_t) override {
        gLayoutLog.push_back(std::string(name) + "@" + std::to_string(x));
    }

private:
    const char *name;
    uint32_t family;
};

class StaffTestBase : public test::StaffTest {
protected:
    void SetUp() override {
        test::StaffTest::SetUp();
        gLayoutLog.clear();
        Build();
    }
    void TearDown() override {
        owned.clear();
        test::StaffTest::TearDown();
    }

    // A staff the test owns, its top line at y.
    StaffObject *Staff(int32_t top = kTop) {
        auto *staff = static_cast<StaffObject *>(cPObjBase::NewById(StaffObject::kClassId));
        staff->SetY(top);
        owned.emplace_back(staff);
        return staff;
    }
    // A new symbol of the class at (px, py) inserted into the owner; null
    // when the owner does not keep it (then it is deleted).
    static cPObjPoint *Drop(cPObjOwnBase *owner, int16_t id, int32_t px, int32_t py = kTop) {
        cPObjPoint *symbol = cPObjBase::NewById(id);
        symbol->SetPosition(px, py);
        if (owner->InsertChild(symbol)) return symbol;
        delete symbol;
        return nullptr;
    }
    static cPObjPoint *Add(cPObjOwnBase *owner, cPObjPoint *symbol, int32_t px) {
        symbol->SetPosition(px, kTop);
        EXPECT_TRUE(owner->InsertChild(symbol));
        return symbol;
    }

    std::vector<std::unique_ptr<cPObjPoint>> owned;
};

using StaffObjectTest = StaffTestBase;

// ---- A new staff ---------------------------------------------------------------

TEST_F(StaffObjectTest, NewStaffTakesTheCurrentPartAndTheDefaults) {
    // The registry's prototype made the default list.
    ASSERT_NE(gStaffTemplates, nullptr);
    EXPECT_EQ(gStaffTemplates->At(0)->name, u"Part 1");
    EXPECT_EQ(gPartNameFont, int16_t(window->GetDefaultFont()));

    gStaffTemplates->Append(new Template(u"Cello"));
    gCurrentTemplateIndex = 7;  // beyond the list: clamped to its last
    gStaffDefaultClef = kClefF;
    gStaffDefaultKey = kKey2Sharp;
    gStaffDefaultTime = 0x302;
    gPendingBar = reinterpret_cast<cPObjPoint *>(this);
    StaffObject *staff = Staff();
    EXPECT_EQ(staff->GetTemplateIndex(), 1);
    EXPECT_EQ(gCurrentTemplateIndex, 1);
    EXPECT_EQ(gPendingBar, nullptr);
    EXPECT_EQ(staff->GetStoredY(), cStaffBase::kNoStoredY);
    const Template &cello = *gStaffTemplates->At(1);
    EXPECT_EQ(staff->GetX(), cello.MarginUnits());
    EXPECT_EQ(staff->GetSizeWidth(), cello.WidthUnits());
    EXPECT_EQ(staff->GetSizeHeight(), 25);
    EXPECT_EQ(staff->GetStartClef(), kClefF);
    EXPECT_EQ(staff->GetStartKey(), kKey2Sharp);
    EXPECT_EQ(staff->GetStartTimeWord(), 0x302);
    EXPECT_EQ(gMusicState.clef, kClefF);
    EXPECT_EQ(gMusicState.key, kKey2Sharp);
    EXPECT_EQ(gMusicState.timeWord, 0x302);
    EXPECT_EQ(gMusicState.measureLength, 3 * 480);

    // Bar numbers are out of date once a staff goes.
    gDocumentFlags = 0;
    owned.clear();
    EXPECT_EQ(gDocumentFlags, 0xC0u);
}

TEST_F(StaffObjectTest, CopyAndSettings) {
    StaffObject *from = Staff(300);
    from->SetStartClef(kClefF);
    from->SetStartKey(kKey2Sharp);
    from->SetStartTimeWord(0x603);
    from->SetTemplateIndex(9);
    StaffObject *to = Staff();
    to->CopyFrom(*from);
    EXPECT_EQ(to->GetStartClef(), kClefF);
    EXPECT_EQ(to->GetStartKey(), kKey2Sharp);
    EXPECT_EQ(to->GetStartTimeWord(), 0x603);
    EXPECT_EQ(to->GetTemplateIndex(), 0);  // clamped to the one template
    EXPECT_EQ(to->GetY(), 300);

    // Another class is refused, and nothing is copied.
    test::RaisedErrors errors;
    std::unique_ptr<cPObjPoint> note(cPObjBase::NewById(kNote));
    note->SetPosition(5, 6);
    to->CopyFrom(*note);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in StaffObj: Invalid object");
    EXPECT_EQ(to->GetY(), 300);
    EXPECT_EQ(to->GetStartClef(), kClefF);

    // Settings come from where the other staff ends.
    StaffObject *source = Staff();
    source->SetStartTimeWord(0x603);
    Drop(source, kClefAlto, 300);
    Drop(source, kKey3Sharp, 400);
    StaffObject *taker = Staff();
    EXPECT_EQ(taker->TakeSettingsFrom(source), taker);
    EXPECT_EQ(taker->GetStartClef(), kClefAlto);
    EXPECT_EQ(taker->GetStartKey(), kKey3Sharp);
    EXPECT_EQ(taker->GetStartTimeWord(), 0x603);
}

// ---- The header ------------------------------------------------------------------

TEST_F(StaffObjectTest, ClefsDroppedOnTheHeaderBecomeTheStartClef) {
    StaffObject *staff = Staff();
    const int32_t x = staff->GetX();
    const int32_t clefEnd = x + gStaffClefGap + staff->HeaderClefWidth();
    ASSERT_GT(staff->HeaderClefWidth(), 5);
    struct sCase {
        int32_t px;
        int16_t clef;
        bool inserted;
        int16_t startClef;
    };
    const sCase cases[] = {
        {x + 5, kClefF, false, kClefF},
        {clefEnd - 1, kClefAlto, false, kClefAlto},
        {clefEnd, kClefF, true, kClefAlto},
        {x + 40, kClefG, true, kClefAlto},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.px - x);
        EXPECT_EQ(Drop(staff, c.clef, c.px) != nullptr, c.inserted);
        EXPECT_EQ(staff->GetStartClef(), c.startClef);
        EXPECT_EQ(gStaffDefaultClef, c.clef);
        EXPECT_EQ(gMusicState.clef, c.clef);
    }
    EXPECT_EQ(staff->GetChildCount(), 2);
}

TEST_F(StaffObjectTest, AKeyDroppedOnTheHeaderReplacesTheStartKeyAndWidensTheHeader) {
    StaffObject *staff = Staff();
    const int32_t keyX = staff->HeaderKeyX();
    EXPECT_EQ(staff->HeaderKeyWidth(), 0);
    const int32_t clefOnly = staff->GetContentLeft();
    EXPECT_EQ(clefOnly, staff->GetX() + gStaffClefGap + staff->HeaderClefWidth());

    // Anywhere left of the header's end, the clef's area too.
    EXPECT_EQ(Drop(staff, kKey2Sharp, staff->GetX() + 1), nullptr);
    EXPECT_EQ(staff->GetStartKey(), kKey2Sharp);
    EXPECT_EQ(gStaffDefaultKey, kKey2Sharp);
    EXPECT_EQ(gMusicState.key, kKey2Sharp);
    const int32_t width = staff->HeaderKeyWidth();
    ASSERT_GT(width, 0);
    EXPECT_EQ(staff->GetContentLeft(), keyX + width);
    EXPECT_GT(staff->GetContentLeft(), clefOnly);

    // The wider header takes the next key further right.
    EXPECT_EQ(Drop(staff, kKey1Sharp, keyX + width - 1), nullptr);
    EXPECT_EQ(staff->GetStartKey(), kKey1Sharp);
    const int32_t end = staff->GetContentLeft();
    EXPECT_NE(Drop(staff, kKey3Sharp, end), nullptr);
    EXPECT_EQ(staff->GetStartKey(), kKey1Sharp);
    EXPECT_EQ(staff->GetChildCount(), 1);
}

TEST_F(StaffObjectTest, TimeSignatureAsFirstMemberSetsTheStartTime) {
    StaffObject *staff = Staff();
    Drop(staff, kNote, 150);
    // Not the first member: the running and default time only.
    ASSERT_NE(Drop(staff, kTime68, 200), nullptr);
    EXPECT_EQ(staff->GetStartTimeWord(), 0x402);
    EXPECT_EQ(gStaffDefaultTime, 0x603);
    EXPECT_EQ(gMusicState.timeWord, 0x603);
    // Left of every member: the staff starts with it.
    ASSERT_NE(Drop(staff, kTime34, 100), nullptr);
    EXPECT_EQ(staff->GetStartTimeWord(), 0x302);
    EXPECT_EQ(gStaffDefaultTime, 0x302);
    // A new staff starts with the last one placed.
    Drop(staff, kTime24, 300);
    EXPECT_EQ(Staff()->GetStartTimeWord(), 0x202);
}

// ---- Running context ---------------------------------------------------------------

TEST_F(StaffObjectTest, RunningContextUpToAnX) {
    StaffObject *staff = Staff();
    staff->SetStartTimeWord(0x302);
    Drop(staff, kClefF, 100);
    Drop(staff, kKey2Sharp, 150);
    Drop(staff, kClefAlto, 200);
    struct sCase {
        int32_t limit, flags;
        int16_t clef, key;
        uint16_t time;
    };
    const sCase cases[] = {
        {60, -1, kClefG, kKeyC, 0x302},
        {100, -1, kClefG, kKeyC, 0x302},  // a member at the limit is not run
        {101, -1, kClefF, kKeyC, 0x302},
        {151, -1, kClefF, kKey2Sharp, 0x302},
        {0x7FFFFFFF, -1, kClefAlto, kKey2Sharp, 0x302},
        // Clef and key only: the time word stays where the walk found it.
        {0x7FFFFFFF, kTypeClef | kTypeKey, kClefAlto, kKey2Sharp, 0x208},
        // Clefs only: the key stays too.
        {0x7FFFFFFF, kTypeClef, kClefAlto, kKey3Sharp, 0x208},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.limit);
        SCOPED_TRACE(c.flags);
        gMusicState.SetKey(kKey3Sharp);
        gMusicState.SetTimeWord(0x208);
        gMusicState.accidentals.Set(5 * 3 + 1);  // F sharp
        staff->RunContext(c.limit, c.flags, nullptr);
        EXPECT_EQ(gMusicState.clef, c.clef);
        EXPECT_EQ(gMusicState.key, c.key);
        EXPECT_EQ(gMusicState.timeWord, c.time);
        EXPECT_EQ(gMusicState.accidentals.Get(5 * 3), sKeyAccidentals::kUnset);
        // The staff's start becomes the start of new staffs.
        EXPECT_EQ(gStaffDefaultClef, kClefG);
        if (c.flags == -1) EXPECT_EQ(gStaffDefaultTime, 0x302);
        if (c.flags == -1) EXPECT_EQ(gMusicState.measureLength, 3 * 480);
    }
    // With an advance record the walk starts at time 0.
    gMusicState.SetMeasureStart(960);
    gMusicState.SetMarkTime(480);
    gMusicState.SetLastX(77);
    sCommandPrm record;
    staff->RunContext(60, -1, &record);
    EXPECT_EQ(gMusicState.measureStart, 0);
    EXPECT_EQ(gMusicState.markTime, 0);
    EXPECT_EQ(gMusicState.lastX, 0);
}

// Every brace bar line is laid out once by each staff walk, just before the
// first member right of it; one left of the limit after the last member
// comes after the loop.
TEST_F(StaffObjectTest, RunningContextPassesTheBraceBarLines) {
    auto *brace = static_cast<cMObjBrace *>(cPObjBase::NewById(cMObjBrace::kClassId));
    owned.emplace_back(brace);
    StaffObject *upper = Staff(kTop);
    StaffObject *lower = Staff(kTop + 80);
    // The brace owns them now.
    for (int i = 0; i < 2; ++i) {
        owned.back().release();
        owned.pop_back();
    }
    ASSERT_TRUE(brace->InsertChild(upper));
    ASSERT_TRUE(brace->InsertChild(lower));
    for (int32_t bx : {200, 300, 400}) Add(brace, new cLoggingSymbol("bar", kTypeBar), bx);
    for (int32_t nx : {150, 250, 350}) Add(upper, new cLoggingSymbol("note", kTypeNote), nx);
    Add(lower, new cLoggingSymbol("note", kTypeNote), 260);
    cPObjPoint *outer = reinterpret_cast<cPObjPoint *>(this);
    gPendingBar = outer;

    upper->RunContext(0x7FFFFFFF, -1, nullptr);
    EXPECT_EQ(gLayoutLog, (std::vector<std::string>{"note@150", "bar@200", "note@250", "bar@300", "note@350", "bar@400"}));
    EXPECT_EQ(gPendingBar, outer);

    gLayoutLog.clear();
    upper->RunContext(390, -1, nullptr);
    EXPECT_EQ(gLayoutLog, (std::vector<std::string>{"note@150", "bar@200", "note@250", "bar@300", "note@350"}));

    // A staff with fewer members: one bar line before each member at most,
    // then the next one after the loop.
    gLayoutLog.clear();
    lower->RunContext(0x7FFFFFFF, -1, nullptr);
    EXPECT_EQ(gLayoutLog, (std::vector<std::string>{"bar@200", "note@260", "bar@300"}));

    // Flags that pick no member still pass the bar lines before members.
    gLayoutLog.clear();
    upper->RunContext(0x7FFFFFFF, kTypeClef, nullptr);
    EXPECT_EQ(gLayoutLog, (std::vector<std::string>{"bar@200", "bar@300", "bar@400"}));
}

// ---- Commands -----------------------------------------------------------------------

TEST_F(StaffObjectTest, HidingPartsNeedsABrace) {
    StaffObject *staff = Staff();
    Drop(staff, kNote, 200);
    gStaffTemplates->At(0)->visible = 0;
    cMusicBase::sCmdStfHide collapse(1);

    // No brace in the score: nothing is hidden.
    EXPECT_TRUE(staff->IsVisible());
    staff->OnCommand(kCmdStaffHide, nullptr, &collapse);
    EXPECT_EQ(gScoreStaffFlags, 0u);
    EXPECT_EQ(staff->GetStoredY(), cStaffBase::kNoStoredY);

    // With a brace the hidden part notes itself and keeps its y.
    gScoreStaffFlags = 1;
    EXPECT_FALSE(staff->IsVisible());
    staff->OnCommand(kCmdStaffHide, nullptr, &collapse);
    EXPECT_EQ(gScoreStaffFlags, 3u);
    EXPECT_EQ(staff->GetStoredY(), kTop);
    // Collapsed somewhere else, it comes back with its members.
    staff->MoveXY(0, -60);
    cMusicBase::sCmdStfHide restore(0);
    staff->OnCommand(kCmdStaffHide, nullptr, &restore);
    EXPECT_EQ(staff->GetY(), kTop);
    EXPECT_EQ(staff->GetChild(0)->GetY(), kTop);
    EXPECT_EQ(staff->GetStoredY(), cStaffBase::kNoStoredY);

    // A hidden staff takes no other command, unless every object is asked.
    cMusicBase::sCmdStfTmpl part(3);
    staff->OnCommand(kCmdStaffTemplate, nullptr, &part);
    EXPECT_EQ(staff->GetTemplateIndex(), 0);
    sCommandMask every(nullptr, kMaskEveryObject);
    staff->OnCommand(kCmdStaffTemplate, &every, &part);
    EXPECT_EQ(staff->GetTemplateIndex(), 3);
}

TEST_F(StaffObjectTest, TemplateMarginAndWidthByCommand) {
    StaffObject *staff = Staff();
    Drop(staff, kNote, 200);
    Template &part = *gStaffTemplates->At(0);
    part.margin = 1250;  // 1 inch more
    part.width = 5000;
    cMusicBase::sCmdStfHide apply(2);
    gDocumentFlags = 0;
    const int32_t before = staff->GetX();
    staff->OnCommand(kCmdStaffHide, nullptr, &apply);
    EXPECT_EQ(staff->GetX(), part.MarginUnits());
    EXPECT_EQ(staff->GetX(), before + 50);
    EXPECT_EQ(staff->GetChild(0)->GetX(), 250);
    EXPECT_EQ(staff->GetSizeWidth(), 500);
    EXPECT_EQ(apply.changed, 1);
    EXPECT_NE(gDocumentFlags & 0x10, 0u);

    // The bar-number record's count of the staff starts again.
    cMusicBase::sCmdBarNum numbers;
    numbers.staffShown = 12;
    staff->OnCommand(kCmdBarNumbers, nullptr, &numbers);
    EXPECT_EQ(numbers.staffShown, 0);
}

TEST_F(StaffObjectTest, PositionSortingAndDragging) {
    StaffObject *a = Staff(100);
    StaffObject *b = Staff(200);
    // Staffs move up and down only.
    const int32_t x = a->GetX();
    a->MoveBy(30, 7);
    EXPECT_EQ(a->GetX(), x);
    EXPECT_EQ(a->GetY(), 107);
    a->SetPosition(999, 100);
    EXPECT_EQ(a->GetX(), x);
    EXPECT_EQ(a->GetY(), 100);
    gLastMouseX = 321;
    EXPECT_EQ(a->GetHandleX(), 321);
    EXPECT_EQ(a->GetHandleY(), 100);
    gLastMouseX = 0;

    EXPECT_EQ(a->AcceptsObject(b), 0);
    std::unique_ptr<cPObjPoint> note(cPObjBase::NewById(kNote));
    EXPECT_LT(a->AcceptsObject(note.get()), 0);

    // Collapsed, a staff sorts and compares by where it will stand again.
    StaffObject *d = Staff(300);
    gScoreStaffFlags = 3;
    gStaffTemplates->At(0)->visible = 0;
    cMusicBase::sCmdStfHide collapse(1);
    b->OnCommand(kCmdStaffHide, nullptr, &collapse);
    ASSERT_EQ(b->GetStoredY(), 200);
    b->MoveXY(0, -150);  // now above a
    struct sSortCase {
        int32_t mode;
        bool beforeA, beforeD;
    };
    for (const sSortCase c : {sSortCase{0, false, true}, sSortCase{1, false, true}, sSortCase{2, false, false}}) {
        SCOPED_TRACE(c.mode);
        gSortMode = c.mode;
        EXPECT_EQ(b->SortsBefore(*a), c.beforeA);
        EXPECT_EQ(b->SortsBefore(*d), c.beforeD);
    }
    gSortMode = 0;
    StaffObject *c = Staff(200);
    EXPECT_TRUE(b->IsSamePosition(*c));
    EXPECT_FALSE(c->IsSamePosition(*b));

    gEditFlags = 0x10;
    gEditMode = kEditBlock | kEditResize;
    a->OnEditModeChanged(0);
    EXPECT_EQ(gEditMode, uint32_t(kEditBlock | kEditMove));
    gEditFlags = 0;
    gEditMode = 0;
}

TEST_F(StaffObjectTest, TransposeTheStart) {
    StaffObject *staff = Staff();
    staff->SetStartKey(kKey1Sharp);
    cMusicBase::sCmdTranspose record(2, kClefF);
    record.accidentals.Set(1);
    staff->OnCommand(kCmdTranspose, nullptr, &record);
    EXPECT_EQ(record.clef, kClefG);
    EXPECT_EQ(record.key, kKey1Sharp);
    EXPECT_EQ(record.accidentals.Get(0), sKeyAccidentals::kUnset);
    EXPECT_EQ(staff->GetStartClef(), kClefF);
    EXPECT_EQ(staff->GetStartKey(), kKey3Sharp);
    EXPECT_EQ(gStaffDefaultClef, kClefF);
    EXPECT_EQ(gStaffDefaultKey, kKey3Sharp);
    // Without a target clef the clef stays.
    cMusicBase::sCmdTranspose down(-2, 0);
    staff->OnCommand(kCmdTranspose, nullptr, &down);
    EXPECT_EQ(staff->GetStartClef(), kClefF);
    EXPECT_EQ(staff->GetStartKey(), kKey1Sharp);
}

TEST_F(StaffObjectTest, HilightScrollsAStaffOutsideTheWindowIntoView) {
    window->SetSize(1000, 300);
    // A score long enough to scroll down to the far staff.
    window->SetScrollExtent(1000, 10000);
    StaffObject *near = Staff(50);
    near->Hilight();
    EXPECT_EQ(window->GetOriginY(), 0);
    StaffObject *far = Staff(5000);
    far->Hilight();
    EXPECT_EQ(window->GetOriginY(), 5 - far->GetBounds()->Top());
}

// The staff at the same place in the next system; outside braces the next
// staff.
TEST_F(StaffObjectTest, NextStaffInTheNextSystem) {
    auto *score = new cPObjGroup;
    owned.emplace_back(score);
    auto adopt = [&](cPObjOwnBase *owner, cPObjPoint *child, int32_t py) {
        child->SetPosition(child->GetX(), py);
        EXPECT_TRUE(owner->InsertChild(child));
        return child;
    };
    auto newStaff = [] { return static_cast<StaffObject *>(cPObjBase::NewById(StaffObject::kClassId)); };
    auto newBrace = [] { return static_cast<cMObjBrace *>(cPObjBase::NewById(cMObjBrace::kClassId)); };

    // Free staffs: the next one.
    auto *free1 = adopt(score, newStaff(), 10);
    auto *free2 = adopt(score, newStaff(), 60);
    EXPECT_EQ(static_cast<StaffObject *>(free1)->NextStaffInSystem(), free2);
    EXPECT_EQ(static_cast<StaffObject *>(free2)->NextStaffInSystem(), nullptr);

    // Two systems of two staffs: the lower staff of the first system leads
    // to the lower staff of the second.
    auto *system1 = static_cast<cMObjBrace *>(adopt(score, newBrace(), 200));
    auto *system2 = static_cast<cMObjBrace *>(adopt(score, newBrace(), 400));
    adopt(system1, newStaff(), 200);
    auto *lower1 = adopt(system1, newStaff(), 260);
    adopt(system2, newStaff(), 400);
    auto *lower2 = adopt(system2, newStaff(), 460);
    EXPECT_EQ(static_cast<StaffObject *>(lower1)->NextStaffInSystem(), lower2);
    EXPECT_EQ(static_cast<StaffObject *>(lower2)->NextStaffInSystem(), nullptr);
}

// ---- Export ---------------------------------------------------------------------------

class StaffExportTest : public StaffTestBase {
protected:
    void SetUp() override {
        StaffTestBase::SetUp();
        Template *cello = new Template(u"Cello");
        cello->channel = 2;
        cello->program = 42;
        gStaffTemplates->At(0)->name = u"Violin";
        gStaffTemplates->At(0)->program = 40;
        gStaffTemplates->Append(cello);
    }
    // A staff of the part with one note.
    StaffObject *PartStaff(uint16_t part) {
        StaffObject *staff = Staff();
        staff->SetTemplateIndex(part);
        Drop(staff, kNote, 200);
        return staff;
    }
};

TEST_F(StaffExportTest, StaffsOfOnePartShareATrackOfTheFile) {
    cMidiFile file(u"export.mid", 480);
    std::map<std::u16string, cMusicTrack *> tracks;
    cMusicBase::sCmdExport record;
    record.midiFile = &file;
    record.trackMap = &tracks;

    PartStaff(0)->OnCommand(kCmdExport, nullptr, &record);
    ASSERT_EQ(file.GetTrackCount(), 1);
    cMusicTrack *violin = file.GetTrack(0);
    EXPECT_EQ(record.sink, violin);
    PartStaff(1)->OnCommand(kCmdExport, nullptr, &record);
    ASSERT_EQ(file.GetTrackCount(), 2);
    cMusicTrack *cello = file.GetTrack(1);
    EXPECT_EQ(record.sink, cello);
    PartStaff(0)->OnCommand(kCmdExport, nullptr, &record);
    EXPECT_EQ(file.GetTrackCount(), 2);
    EXPECT_EQ(record.sink, violin);

    EXPECT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[u"Violin"], violin);
    EXPECT_EQ(tracks[u"Cello"], cello);
    EXPECT_EQ(violin->GetChannel(), 0);
    EXPECT_EQ(violin->GetPatch(), 40);
    EXPECT_EQ(cello->GetChannel(), 2);
    EXPECT_EQ(cello->GetPatch(), 42);
}

TEST_F(StaffExportTest, LivePlayMarksTheStaffAndSetsUpItsPart) {
    test::cRecordingMusicTrack player;
    cMusicBase::sCmdExport record;
    record.sink = &player;
    StaffObject *cello = PartStaff(1);
    cello->OnCommand(kCmdExport, nullptr, &record);
    const uint32_t tag = TagOfSymbol(cello);
    ASSERT_NE(tag, 0u);
    EXPECT_EQ(SymbolOfTag(tag), cello);
    ASSERT_GE(player.events.size(), 3u);
    EXPECT_EQ(player.events[0], "mark " + std::to_string(tag) + " 0");
    EXPECT_EQ(player.events[1], "channel 2");
    EXPECT_EQ(player.events[2], "program 42 0");
    EXPECT_EQ(record.sink, &player);
    // The start clef and key run when the export reaches the staff.
    EXPECT_EQ(gMusicState.clef, cello->GetStartClef());

    // A hidden part exports nothing.
    gScoreStaffFlags = 1;
    gStaffTemplates->At(1)->visible = 0;
    player.events.clear();
    cello->OnCommand(kCmdExport, nullptr, &record);
    EXPECT_TRUE(player.events.empty());
}

// ---- Songbook ----------------------------------------------------------------------------

TEST_F(StaffObjectTest, SongbookTextsFlushedAtTheStaffStartAndEnd) {
    StaffObject *staff = Staff();
    Drop(staff, kNote, 200);
    auto text = [&](const char16_t *chars, int32_t py) {
        auto *t = static_cast<TextObject *>(cPObjBase::NewById(179));
        t->SetText(chars);
        t->SetPosition(10, py);
        owned.emplace_back(t);
        return t;
    };
    cMusicBase::sCmdSongbook record;
    record.texts = {text(u"Refrain", 50), text(u"Title", 10)};
    const std::u16string line = u"la la";
    std::copy(line.begin(), line.end(), record.text);
    record.length = int32_t(line.size());
    record.lineY = 30;
    staff->OnCommand(kCmdSongbook, nullptr, &record);
    EXPECT_EQ(record.length, 0);
    EXPECT_TRUE(record.texts.empty());
    EXPECT_EQ(record.lineY, -1);
    ClipboardPutText();
    const auto *pasted = static_cast<const char16_t *>(ClipboardGetData(kClipUnicodeText));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(std::u16string(pasted), u"Title\r\nla la\r\nRefrain\r\n");
}

}  // namespace

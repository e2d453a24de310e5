// Commands sent down the tree: the mask that picks the addressed objects,
// sending with and without an owner, the root dispatch and the kept copies.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/commands.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::cListOwner;
using test::RaisedErrors;
using test::SymbolTest;

class CommandTest : public SymbolTest {};

constexpr tStatus kMissed = kMaskMissed;
constexpr tStatus kBefore = kMaskBeforeStart;
constexpr tStatus kOver = kMaskOver;

// Four children: a point at (10, 10), a character at (20, 20), a line at
// (30, 30) 20 wide and a line at (5, 25) 40 wide.  Masks are made on the
// character.
struct sTree {
    sTree() {
        a = owner.Add(10, 10);
        b = owner.Add<CharObject>(20, 20);
        c = owner.Add<cLineObject>(30, 30);
        c->SetSize(20, 1);
        d = owner.Add<cLineObject>(5, 25);
        d->SetSize(40, 1);
    }
    cListOwner owner;
    cPObjPoint *a, *b;
    cLineObject *c, *d;
};

TEST_F(CommandTest, MasksAddressTheObjectsTheirFlagsAskFor) {
    struct sCase {
        const char *name;
        uint16_t flags;
        std::function<void(sCommandMask &, sTree &)> widen;
        tStatus answers[4];
    };
    const sCase cases[] = {
        {"none", 0, nullptr, {0, 0, 0, 0}},
        {"every object", 0x100, nullptr, {0, 0, 0, 0}},
        {"from the start", 0x200, nullptr, {kBefore, kMaskStartFound, 0, 0}},
        {"until the stop", 0x400, nullptr, {0, 0, kOver, kOver}},
        {"pass over", 0xFFFF, nullptr, {kOver, kOver, kOver, kOver}},
        {"class id", 0x1, nullptr, {kMissed, 0, kMissed, kMissed}},
        {"class id of lines", 0x1, [](sCommandMask &m, sTree &) { m.classId = 8; }, {kMissed, kMissed, 0, 0}},
        {"type bits", 0x2, nullptr, {kMissed, 0, kMissed, kMissed}},
        {"the position", 0x3C, nullptr, {kMissed, 0, kMissed, kMissed}},
        // Positions count, not extents: the long line starts left of minX.
        {"x bounds", 0xC, [](sCommandMask &m, sTree &) { m.minX = 10, m.maxX = 40; }, {0, 0, 0, kMissed}},
        {"y bounds", 0x30, [](sCommandMask &m, sTree &) { m.minY = 21, m.maxY = 30; }, {kMissed, kMissed, 0, 0}},
        {"on the owner", 0x81, [](sCommandMask &m, sTree &) { m.classId = 184; }, {0, 0, 0, 0}},
        {"on the owner, other id", 0x81, nullptr, {kMissed, kMissed, kMissed, kMissed}},
        {"second child", 0x800, [](sCommandMask &m, sTree &) { m.childIndex = 1; }, {kMissed, 0, kMissed, kMissed}},
        {"second line", 0x801, [](sCommandMask &m, sTree &) { m.classId = 8, m.childIndex = 1; }, {kMissed, kMissed, kMissed, 0}},
        {"start, then ids", 0x201, [](sCommandMask &m, sTree &) { m.classId = 8, m.startObject = nullptr; },
         {kBefore, kBefore, kBefore, kBefore}},
        {"from b until c", 0x600, [](sCommandMask &m, sTree &t) { m.stopObject = t.c; },
         {kBefore, kMaskStartFound, 0, kOver}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        sTree t;
        sCommandMask mask(t.b, c.flags);
        if (c.widen) c.widen(mask, t);
        cPObjPoint *objects[] = {t.a, t.b, t.c, t.d};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(mask.Match(objects[i]), c.answers[i]) << "object " << i;
        EXPECT_EQ(t.b->MatchesMask(nullptr), 0);
    }
}

TEST_F(CommandTest, MasksOnNothing) {
    cPObjPoint *alone = new cPObjPoint;
    sCommandMask onOwner(alone, 0x80);
    EXPECT_EQ(onOwner.Match(alone), kMissed);  // no owner: tests on nothing
    sCommandMask any(alone, 0x1);
    EXPECT_EQ(any.Match(nullptr), kMissed);
    sCommandMask none(alone, 0);
    EXPECT_EQ(none.Match(nullptr), 0);
    EXPECT_EQ(none.SetFlags(0xFFFF), 0);
    EXPECT_EQ(none.Match(alone), kOver);
    delete alone;
}

// An object that notes the commands it receives.
struct sLog {
    std::vector<std::string> lines;
};

class cProbe : public cPObjPoint {
public:
    explicit cProbe(sLog &log, tStatus answer = 0) : log(log), answer(answer) {}
    tStatus OnCommand(int16_t id, sCommandMask *mask, sCommandPrm *record) override {
        log.lines.push_back("child " + std::to_string(id));
        return answer;
    }
    sLog &log;
    tStatus answer;
};

class cHookedOwner : public cListOwner {
public:
    explicit cHookedOwner(sLog &log, bool parks = false) : log(log), parks(parks) {}
    tStatus BeforeChildCommand(int16_t id, sCommandMask *, sCommandPrm *, cPObjPoint *child, cPObjPoint *,
                               void **state) override {
        log.lines.push_back("before");
        if (parks) *state = this;
        return 0;
    }
    tStatus AfterChildCommand(int16_t id, sCommandMask *, sCommandPrm *, cPObjPoint *, cPObjPoint *previous,
                              void **) override {
        log.lines.push_back(previous ? "after" : "after nothing");
        return 0;
    }
    sLog &log;
    bool parks;
};

TEST_F(CommandTest, SendingWithoutAnOwnerCallsTheObjectDirectly) {
    sLog log;
    cProbe *probe = new cProbe(log, 7);
    cPObjBase::sCmdLoaded record(2);
    EXPECT_EQ(cPObjBase::SendCommand(probe, kCmdLoaded, nullptr, &record, nullptr), 7);
    EXPECT_EQ(log.lines, std::vector<std::string>{"child 13"});
    EXPECT_EQ(record.target, probe);
    delete probe;
}

TEST_F(CommandTest, SendingThroughAnOwnerRunsItsHooksAroundTheObject) {
    sLog log;
    cHookedOwner owner(log);
    cProbe *probe = new cProbe(log, 3);
    owner.InsertChild(probe);
    cPObjBase::sCmdLoaded record;
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::SendCommand(&owner, kCmdLoaded, nullptr, &record, probe), 3);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"before", "child 13", "after"}));
    EXPECT_EQ(record.target, probe);
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(CommandTest, AWorkObjectLeftParkedIsReportedAsBlock) {
    sLog log;
    cHookedOwner owner(log, true);
    owner.InsertChild(new cProbe(log));
    RaisedErrors errors;
    EXPECT_EQ(cPObjBase::SendCommand(&owner, kCmdLoaded, nullptr, nullptr, owner.children[0]), 0);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Block");
}

TEST_F(CommandTest, TheRootDispatchHandsEachCommandToItsOperation) {
    cPObjPoint *p = new cPObjPoint;
    p->SetPosition(5, 5);
    cPObjBase::sCmdCondense condense;
    condense.gapX = 10;
    condense.lastX = condense.maxRight = 100;
    EXPECT_EQ(p->OnCommand(kCmdCondense, nullptr, &condense), 0);
    EXPECT_GT(p->x, 100);  // the condense step moved it
    cPObjBase::sCmdLoaded loaded;
    EXPECT_EQ(p->OnCommand(kCmdLoaded, nullptr, &loaded), 0);
    // The music layer takes the export; an untimed symbol writes nothing.
    EXPECT_EQ(p->OnCommand(kCmdExport, nullptr, nullptr), 0);
    EXPECT_EQ(p->OnCommand(14, nullptr, nullptr), kFailed);
    sCommandMask passOver(p, 0xFFFF);
    EXPECT_EQ(p->OnCommand(kCmdLoaded, &passOver, &loaded), kFailed);
    delete p;
}

TEST_F(CommandTest, TheKeptCopiesAreCopiesOfTheirRecords) {
    cPObjBase::sCmdCondense record;
    record.gapX = 17;
    cPObjBase::SetLastCommand(&record);
    auto *copy = dynamic_cast<cPObjBase::sCmdCondense *>(cPObjBase::GetLastCommand());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &record);
    EXPECT_EQ(copy->gapX, 17);
    EXPECT_EQ(copy->GetSize(), 56);
    EXPECT_EQ(copy->commandId, kCmdCondense);

    // Keeping the kept copy itself is safe.
    cPObjBase::SetLastCommand(cPObjBase::GetLastCommand());
    ASSERT_NE(cPObjBase::GetLastCommand(), nullptr);
    EXPECT_EQ(cPObjBase::GetLastCommand()->GetSize(), 56);

    cPObjBase::SetRepeatCommand(cPObjBase::GetLastCommand());
    cPObjBase::SetLastCommand(nullptr);
    EXPECT_EQ(cPObjBase::GetLastCommand(), nullptr);
    ASSERT_NE(cPObjBase::GetRepeatCommand(), nullptr);
    EXPECT_EQ(cPObjBase::GetRepeatCommand()->commandId, kCmdCondense);
    cPObjBase::FreeCommandCopies();
    EXPECT_EQ(cPObjBase::GetRepeatCommand(), nullptr);
}

TEST_F(CommandTest, RecordsCarryTheirLogicalSizes) {
    struct sCase {
        sCommandPrm *record;
        uint16_t size;
        int16_t command;
    };
    cPObjBase::sCmdExpAsc exp;
    cPObjBase::sCmdImpAsc imp;
    cPObjBase::sCmdFileSave save;
    cPObjBase::sCmdCondense condense;
    cPObjBase::sCmdLoaded loaded;
    ScaledObject::sCmdSetupScaled scaled;
    cLineObject::sCmdSetupLine line;
    const sCase cases[] = {{&exp, 24, 4},      {&imp, 20, 5},     {&save, 20, 6},  {&condense, 56, 7},
                           {&loaded, 20, 13},  {&scaled, 24, 10}, {&line, 28, 11}};
    for (const sCase &c : cases) {
        EXPECT_EQ(c.record->GetSize(), c.size);
        EXPECT_EQ(c.record->commandId, c.command);
        EXPECT_EQ(c.record->familyId, c.command);
        std::unique_ptr<sCommandPrm> clone(c.record->Clone());
        EXPECT_EQ(typeid(*clone), typeid(*c.record));
        EXPECT_EQ(clone->GetSize(), c.size);
    }
}

TEST_F(CommandTest, RepeatingRepaintsAndEmptiesThePendingAreas) {
    test::cTestScoreWindow window;
    gRedrawArea = cRectangl(10, 10, 5, 5);
    gOwnerRedrawArea = cRectangl(30, 12, 5, 5);
    cPObjPoint *p = new cPObjPoint;
    EXPECT_EQ(p->RepeatCommand(), kFailed);  // nothing kept
    EXPECT_TRUE(gRedrawArea.IsEmpty());
    EXPECT_TRUE(gOwnerRedrawArea.IsEmpty());
#if !defined(_WIN32)
    ASSERT_FALSE(window.Records().empty());
    EXPECT_EQ(window.Records().back().op, "InvalidateArea");
    EXPECT_EQ(window.Records().back().args, (std::vector<int32_t>{10, 10, 25, 7}));
#endif

    // The kept record goes to the selection.
    sLog log;
    cProbe *probe = new cProbe(log);
    gSelectedObject = probe;
    cPObjBase::sCmdLoaded record;
    cPObjBase::SetRepeatCommand(&record);
    EXPECT_EQ(p->RepeatCommand(), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{"child 13"});
    gSelectedObject = nullptr;
    delete probe;
    delete p;
}

}  // namespace

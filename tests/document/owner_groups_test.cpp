// Single owners, pairs and groups: ordered insertion, removal,
// the two fields of a pair, clearing by mode, replacing in a single owner,
// attaching units, the condense step of groups and the sibling steps over
// group members.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/base_classes.h"
#include "document/commands.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::RaisedErrors;
using test::SymbolTest;

class GroupTest : public SymbolTest {};

// A group that keeps its children in the order they come.
class cArrivalGroup : public cPObjGroup {
public:
    int32_t GetChildOrder() const override { return 2; }
};

cPObjPoint *NewPoint(int32_t px, int32_t py) {
    auto *p = new cPObjPoint;
    p->SetPosition(px, py);
    return p;
}

std::vector<cPObjPoint *> ChildrenOf(cPObjOwnBase &owner) {
    std::vector<cPObjPoint *> list;
    for (uint16_t i = 0; i < owner.GetChildSlots(); ++i) list.push_back(owner.GetChild(i));
    return list;
}

TEST_F(GroupTest, OrderModeOneSortsByXThenYAndEqualsGoAfter) {
    cPObjGroup group;
    cPObjPoint *a = NewPoint(30, 0), *b = NewPoint(10, 0), *c = NewPoint(20, 0), *d = NewPoint(10, 0);
    for (cPObjPoint *p : {a, b, c, d}) EXPECT_TRUE(group.InsertChild(p));
    EXPECT_EQ(ChildrenOf(group), (std::vector<cPObjPoint *>{b, d, c, a}));
    EXPECT_EQ(gSortMode, 0);  // restored
    // Equal x: y decides.
    cPObjPoint *e = NewPoint(10, -5);
    group.InsertChild(e);
    EXPECT_EQ(group.GetChild(0), e);
}

// A group ordered by y, as the staffs and chords are.
class cColumnGroup : public cPObjGroup {
public:
    int32_t GetChildOrder() const override { return 0; }
};

TEST_F(GroupTest, OrderModesZeroAndTwo) {
    cColumnGroup column;
    cPObjPoint *low = NewPoint(0, 50), *high = NewPoint(99, 10);
    column.InsertChild(low);
    column.InsertChild(high);
    EXPECT_EQ(ChildrenOf(column), (std::vector<cPObjPoint *>{high, low}));

    cArrivalGroup arrival;
    cPObjPoint *a = NewPoint(30, 0), *b = NewPoint(10, 0), *c = NewPoint(20, 0);
    for (cPObjPoint *p : {a, b, c}) arrival.InsertChild(p);
    EXPECT_EQ(ChildrenOf(arrival), (std::vector<cPObjPoint *>{a, b, c}));
}

// Sorted insertion puts a child after those at its point; PlaceBeforeAlike
// moves it back among them, and nowhere the order would break.
TEST_F(GroupTest, PlaceBeforeAlikeMovesAChildOnlyAmongThoseAtItsPoint) {
    enum eSetUp { kSorted, kMiddleMovedAway, kFirstHeldTwice };
    struct sCase {
        const char *name;
        eSetUp setUp;
        int child, next;  // indexes into p1, p2, p3, q; -1 null, 4 a point not held
        bool moved;
        std::vector<int> order;
    };
    const sCase cases[] = {
        {"last before first", kSorted, 2, 0, true, {2, 0, 1, 3}},
        {"last before middle", kSorted, 2, 1, true, {0, 2, 1, 3}},
        {"next stands after it", kSorted, 0, 2, false, {0, 1, 2, 3}},
        {"next lies elsewhere", kSorted, 3, 0, false, {0, 1, 2, 3}},
        {"next is the child", kSorted, 1, 1, false, {0, 1, 2, 3}},
        {"no next", kSorted, 1, -1, false, {0, 1, 2, 3}},
        {"next not held", kSorted, 2, 4, false, {0, 1, 2, 3}},
        {"one between lies elsewhere", kMiddleMovedAway, 2, 0, false, {0, 1, 2, 3}},
        {"a child held twice", kFirstHeldTwice, 2, 1, false, {0, 1, 2, 0, 3}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        cPObjGroup group;
        cPObjPoint *points[] = {NewPoint(10, 0), NewPoint(10, 0), NewPoint(10, 0), NewPoint(20, 0)};
        for (cPObjPoint *p : points) group.InsertChild(p);
        if (c.setUp == kMiddleMovedAway) points[1]->SetPosition(15, 0);
        if (c.setUp == kFirstHeldTwice) group.AddChild(points[0]);
        std::unique_ptr<cPObjPoint> stranger(NewPoint(10, 0));
        auto pick = [&](int i) { return i < 0 ? nullptr : i == 4 ? stranger.get() : points[i]; };
        EXPECT_EQ(group.PlaceBeforeAlike(pick(c.child), pick(c.next)), c.moved);
        std::vector<cPObjPoint *> expected;
        for (int i : c.order) expected.push_back(points[i]);
        EXPECT_EQ(ChildrenOf(group), expected);
        EXPECT_EQ(gSortMode, 0);  // restored
        if (c.setUp == kFirstHeldTwice) group.RemoveChild(points[0]);
    }
}

TEST_F(GroupTest, RemovingAChildHeldTwiceRemovesTheLaterEntry) {
    cArrivalGroup group;
    cPObjPoint *a = NewPoint(10, 0), *b = NewPoint(20, 0);
    group.AddChild(a);
    group.AddChild(b);
    group.AddChild(a);
    EXPECT_EQ(group.CountMember(a, 0), 2);
    EXPECT_FALSE(group.HasUniqueChildren());
    gDocumentFlags = 0;
    EXPECT_EQ(group.RemoveChild(a), a);
    EXPECT_EQ(ChildrenOf(group), (std::vector<cPObjPoint *>{a, b}));
    EXPECT_EQ(gDocumentFlags & 0x4, 0x4u);
    EXPECT_TRUE(group.HasUniqueChildren());
    // Held twice again and cleared: each child is deleted once.
    group.AddChild(a);
    const uint32_t live = gLiveSymbolCount;
    group.Clear(0);
    EXPECT_EQ(gLiveSymbolCount, live - 2);
}

TEST_F(GroupTest, APairRefillsItsFirstField) {
    PointPairObject pair;
    cPObjPoint *a = NewPoint(1, 0), *b = NewPoint(2, 0), *c = NewPoint(3, 0);
    EXPECT_TRUE(pair.InsertChild(a));
    EXPECT_TRUE(pair.InsertChild(b));
    EXPECT_FALSE(pair.InsertChild(c));
    EXPECT_EQ(pair.GetChildCount(), 2);
    pair.RemoveChild(a);
    EXPECT_EQ(pair.GetChildCount(), 1);
    EXPECT_EQ(pair.GetChild(0), nullptr);
    EXPECT_EQ(pair.GetChild(1), b);
    // The walks pass over the empty first place.
    EXPECT_EQ(pair.GetChildSlots(), 2);
    EXPECT_EQ(pair.FirstChildOfKind(0, 0), b);
    EXPECT_EQ(pair.IndexOfChild(b, 0, 0), 0);
    {
        RaisedErrors errors;
        EXPECT_EQ(b->NextSibling(nullptr, 0, 0, 0), b);
        EXPECT_EQ(errors.Count(), 0);
    }
    EXPECT_TRUE(pair.InsertChild(c));
    EXPECT_EQ(pair.GetFirst(), c);
    EXPECT_EQ(pair.GetSecond(), b);
    delete a;
}

TEST_F(GroupTest, ASingleOwnerHoldsOneObject) {
    SingleOwnerObject single;
    cPObjPoint *a = NewPoint(1, 0), *b = NewPoint(2, 0);
    EXPECT_TRUE(single.InsertChild(a));
    EXPECT_FALSE(single.InsertChild(b));
    EXPECT_EQ(single.GetChildCount(), 1);
    EXPECT_EQ(single.GetChild(1), nullptr);
    EXPECT_EQ(single.GetHitTestFlags(), 2u);
    // Replacing: only the attached object is replaced.
    cPObjPoint *stranger = NewPoint(9, 9);
    EXPECT_EQ(single.ReplaceChild(stranger, b, 0), a);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(single.ReplaceChild(a, b, 0), b);
    EXPECT_EQ(single.GetAttached(), b);
    EXPECT_EQ(gLiveSymbolCount, live - 1);
    // Refused: the old object comes back.
    class cRefused : public cPObjPoint {
    public:
        bool OnInsert() override { return false; }
    };
    auto *refused = new cRefused;
    EXPECT_EQ(single.ReplaceChild(b, refused, 2), b);
    EXPECT_EQ(single.GetAttached(), b);
    delete refused;
    delete stranger;
}

TEST_F(GroupTest, ClearForgetsOrDeletesByMode) {
    cPObjGroup group;
    cPObjPoint *a = NewPoint(1, 0);
    auto *inner = new cPObjGroup;
    inner->SetPosition(2, 0);
    group.InsertChild(a);
    group.InsertChild(inner);
    inner->InsertChild(NewPoint(3, 0));
    inner->InsertChild(NewPoint(4, 0));
    uint32_t live = gLiveSymbolCount;
    group.Clear(2);
    EXPECT_EQ(group.GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live);  // forgotten, alive
    EXPECT_FALSE(group.HoldsChild(a));
    group.InsertChild(a);
    group.InsertChild(inner);
    group.Clear(0);
    EXPECT_EQ(group.GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 4);  // the nested owner's children too

    SingleOwnerObject single;
    single.InsertChild(NewPoint(0, 0));
    PointPairObject pair;
    pair.InsertChild(NewPoint(0, 0));
    pair.InsertChild(NewPoint(1, 0));
    live = gLiveSymbolCount;
    single.Clear(0);
    pair.Clear(0);
    EXPECT_EQ(gLiveSymbolCount, live - 3);
    EXPECT_EQ(pair.GetChildCount(), 0);
}

TEST_F(GroupTest, DeletingAnOwnerDeletesWhatItHolds) {
    const uint32_t live = gLiveSymbolCount;
    auto *group = new cPObjGroup;
    auto *pair = new PointPairObject;
    auto *single = new SingleOwnerObject;
    group->InsertChild(pair);
    pair->InsertChild(single);
    single->InsertChild(NewPoint(0, 0));
    group->InsertChild(NewPoint(5, 0));
    delete group;
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(GroupTest, AUnitSingleOwnerTakesItsObjectsPlaceOrGoes) {
    cPObjGroup staff;
    cPObjPoint *note = NewPoint(10, 10);
    auto *accent = new SingleOwnerObject;
    accent->SetUnitFlag(1);
    accent->AddChild(note);
    staff.InsertChild(note);  // the note stands in the staff
    EXPECT_EQ(accent->AttachTo(&staff), 0);
    EXPECT_EQ(ChildrenOf(staff), std::vector<cPObjPoint *>{accent});
    EXPECT_EQ(note->FindOwner(0, 0), accent);
    // The removal target of its object is the unit.
    EXPECT_EQ(accent->GetRemovalTarget(note), accent);

    // A unit whose object the target does not hold deletes itself.
    const uint32_t live = gLiveSymbolCount;
    auto *lost = new SingleOwnerObject;
    lost->SetUnitFlag(1);
    lost->AddChild(note);
    cPObjGroup other;
    lost->AttachTo(&other);
    EXPECT_EQ(gLiveSymbolCount, live);
    EXPECT_EQ(note->FindOwner(0, 0), accent);
}

TEST_F(GroupTest, AUnitGroupTakesTheMembersTheTargetHolds) {
    cPObjGroup staff;
    cPObjPoint *a = NewPoint(10, 0), *b = NewPoint(20, 0), *c = NewPoint(30, 0);
    for (cPObjPoint *p : {a, b, c}) staff.InsertChild(p);
    auto *chord = new cPObjGroup;
    chord->SetUnitFlag(1);
    chord->SetPosition(10, 0);
    cPObjPoint *elsewhere = NewPoint(15, 0);
    for (cPObjPoint *p : {a, c, elsewhere}) chord->AddChild(p);
    chord->AttachTo(&staff);
    EXPECT_EQ(ChildrenOf(staff), (std::vector<cPObjPoint *>{chord, b}));
    EXPECT_EQ(ChildrenOf(*chord), (std::vector<cPObjPoint *>{a, c}));
    EXPECT_EQ(a->FindOwner(0, 0), chord);
    delete elsewhere;

    // Nothing held: it goes.
    const uint32_t live = gLiveSymbolCount;
    auto *empty = new cPObjGroup;
    empty->SetUnitFlag(1);
    empty->AddChild(a);
    cPObjGroup other;
    empty->AttachTo(&other);
    EXPECT_EQ(a->FindOwner(0, 0), chord);
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(GroupTest, AGroupEndsACondenseFromItsBounds) {
    cPObjGroup group;
    group.SetPosition(0, 0);
    auto *s = new ScaledObject;
    s->SetPosition(40, 30);
    s->SetSize(10, 5);
    group.InsertChild(s);
    cPObjBase::sCmdCondense record;
    record.gapX = 3;
    record.gapY = kFailed;
    record.maxBottom = 7;
    void *state = nullptr;
    EXPECT_EQ(group.AfterChildCommand(kCmdCondense, nullptr, &record, nullptr, s, &state), 0);
    EXPECT_EQ(record.maxRight, 49 + 3);
    EXPECT_EQ(record.maxBottom, 7);
    cPObjBase::sCmdExpAsc exp;
    exp.depth = 2;
    group.AfterChildCommand(kCmdExportText, nullptr, &exp, nullptr, s, &state);
    EXPECT_EQ(exp.depth, 1);
}

TEST_F(GroupTest, SiblingStepsOverMembers) {
    cPObjGroup group;
    std::vector<cPObjPoint *> points;
    for (int32_t i = 0; i < 6; ++i) {
        cPObjPoint *p = i % 2 ? static_cast<cPObjPoint *>(new CharObject) : new cPObjPoint;
        p->SetPosition(i * 10, 0);
        group.InsertChild(p);
        points.push_back(p);
    }
    std::vector<cPObjPoint *> chars;
    for (cPObjPoint *c = points[1]; c; c = c->NextOfSameKind(0)) chars.push_back(c);
    EXPECT_EQ(chars, (std::vector<cPObjPoint *>{points[1], points[3], points[5]}));
    EXPECT_EQ(points[5]->GetOrdinalOfKind(3, 0), 2);
    EXPECT_EQ(points[4]->GetOrdinalOfKind(1, 0), 2);
    EXPECT_EQ(points[4]->GetOrdinalOfKind(3, 0), 0xFFFF);
    EXPECT_EQ(points[4]->PrevOfSameKind(0), points[2]);
    EXPECT_EQ(points[0]->GetIndexInOwner(points[3]), 3);
    // A child held twice takes the long way, with the same answers.
    group.AddChild(points[3]);
    EXPECT_EQ(points[2]->NextSibling(points[2], 0, 0, 0), points[3]);
    EXPECT_EQ(points[3]->GetOrdinalOfKind(0, 0), 3);
    group.RemoveChild(points[3]);
}

}  // namespace

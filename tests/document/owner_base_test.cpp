// Owners: hit testing, replacing and attaching, queries by
// kind, bounds, moving, drawing and dissolving on delete.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/base_classes.h"
#include "document/undo_list.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::RaisedErrors;
using test::SymbolTest;

class OwnerTest : public SymbolTest {};

template <class T = cPObjPoint>
T *AddAt(cPObjOwnBase &owner, int32_t px, int32_t py) {
    T *child = new T;
    child->SetPosition(px, py);
    EXPECT_TRUE(owner.InsertChild(child));
    return child;
}

cPObjGroup *NewGroup(int32_t px, int32_t py, int32_t w = 1, int32_t h = 1, uint8_t unit = 0) {
    auto *g = new cPObjGroup;
    g->SetPosition(px, py);
    g->SetSize(w, h);
    g->SetUnitFlag(unit);
    return g;
}

// A point that its owner can never take.
class cRefused : public cPObjPoint {
public:
    bool OnInsert() override { return false; }
};

std::vector<cPObjPoint *> ChildrenOf(cPObjOwnBase &owner) {
    std::vector<cPObjPoint *> list;
    for (uint16_t i = 0; i < owner.GetChildSlots(); ++i) list.push_back(owner.GetChild(i));
    return list;
}

TEST_F(OwnerTest, TheDeepestHitWins) {
    cPObjGroup root;
    cPObjGroup *staff = NewGroup(0, 0, 100, 100);
    root.InsertChild(staff);
    cPObjPoint *note = AddAt(*staff, 50, 50);
    AddAt(*staff, 80, 80);
    EXPECT_EQ(root.HitTestChildren(50, 50, 0, 0, 0, nullptr), note);
    // Passed over, the owner around it is hit.
    EXPECT_EQ(root.HitTestChildren(50, 50, 0, 0, 0, note), staff);
    EXPECT_EQ(root.HitTestChildren(50, 50, 11, 0, 0, nullptr), staff);  // only groups asked
    EXPECT_EQ(root.HitTestChildren(40, 40, 0, 0, 0, nullptr), staff);
    EXPECT_EQ(root.HitTestChildren(200, 200, 0, 0, 0, nullptr), nullptr);
}

TEST_F(OwnerTest, AUnitIsHitAsOnePiece) {
    cPObjGroup root;
    cPObjGroup *chord = NewGroup(10, 10, 1, 1, 1);
    root.InsertChild(chord);
    cPObjPoint *head = AddAt(*chord, 30, 30);
    // Flags 1: the outer unit of what was found.
    EXPECT_EQ(root.HitTestChildren(30, 30, 0, 0, 0, nullptr), head);
    EXPECT_EQ(root.HitTestChildren(30, 30, 0, 0x801, 0, nullptr), chord);
    // Without 0x800 the unit answers for itself only where its own point is.
    EXPECT_EQ(root.HitTestChildren(30, 30, 0, 1, 0, nullptr), nullptr);
    // A unit is hit where its children are only when asked with 0x800.
    EXPECT_EQ(chord->HitTest(30, 30, 0), 0);
    EXPECT_EQ(chord->HitTest(30, 30, 0x800), 1);
    EXPECT_EQ(chord->HitTest(10, 10, 0), 1);
    // Flag 8: an owner with an owner answers itself when no child is hit.
    EXPECT_EQ(chord->HitTestChildren(10, 10, 0, 8, 0, nullptr), chord);
    EXPECT_EQ(chord->HitTestChildren(10, 10, 0, 0, 0, nullptr), nullptr);
    // Flag 0x10 asks the owner's own flags: a single owner's are 2, a
    // group's 8.
    EXPECT_EQ(chord->HitTestChildren(10, 10, 0, 0x10, 0, nullptr), chord);
}

TEST_F(OwnerTest, ReplaceChildByMode) {
    cPObjGroup owner;
    // Mode 2 with a refused new child: the old one is put back and answered.
    cPObjPoint *old = AddAt(owner, 5, 5);
    auto *refused = new cRefused;
    EXPECT_EQ(owner.ReplaceChild(old, refused, 2), old);
    EXPECT_EQ(ChildrenOf(owner), std::vector<cPObjPoint *>{old});
    EXPECT_EQ(old->FindOwner(0, 0), &owner);
    delete refused;

    // Mode 0 accepted: the old one is deleted.
    uint32_t live = gLiveSymbolCount;
    auto *fresh = new cPObjPoint;
    ++live;
    EXPECT_EQ(owner.ReplaceChild(old, fresh, 0), fresh);
    EXPECT_EQ(ChildrenOf(owner), std::vector<cPObjPoint *>{fresh});
    EXPECT_EQ(gLiveSymbolCount, live - 1);

    // Mode 2 accepted: the caller keeps the old one.
    auto *next = new cPObjPoint;
    EXPECT_EQ(owner.ReplaceChild(fresh, next, 2), next);
    EXPECT_EQ(ChildrenOf(owner), std::vector<cPObjPoint *>{next});
    delete fresh;

    // Mode 1: the old one goes inside the new owner.
    cPObjGroup *wrapper = NewGroup(0, 0);
    EXPECT_EQ(owner.ReplaceChild(next, wrapper, 1), wrapper);
    EXPECT_EQ(ChildrenOf(*wrapper), std::vector<cPObjPoint *>{next});
    EXPECT_EQ(next->FindOwner(0, 0), wrapper);

    // Mode 4 refused: both go.
    live = gLiveSymbolCount;
    EXPECT_EQ(owner.ReplaceChild(wrapper, new cRefused, 4), wrapper);
    EXPECT_EQ(owner.GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 2);  // the wrapper with its child; the refused one came and went
}

TEST_F(OwnerTest, IndexOfChildCountsTheKindBeforeIt) {
    cPObjGroup owner;
    AddAt(owner, 1, 0);
    AddAt<CharObject>(owner, 2, 0);
    AddAt(owner, 3, 0);
    cPObjPoint *text = AddAt<CharObject>(owner, 4, 0);
    cPObjPoint stranger;
    EXPECT_EQ(owner.IndexOfChild(text, 0, 0), 3);
    EXPECT_EQ(owner.IndexOfChild(text, 1, 0), 2);  // points before it, though it is none
    EXPECT_EQ(owner.IndexOfChild(text, 0, kTypeText), 1);
    EXPECT_EQ(owner.IndexOfChild(&stranger, 0, 0), 0xFFFF);
    EXPECT_EQ(owner.IndexOfChild(nullptr, 0, 0), 0xFFFF);
    EXPECT_EQ(owner.CountOfKind(1, 0), 2);
    EXPECT_EQ(owner.CountOfKind(0, kTypeText), 2);
    EXPECT_EQ(owner.NthChildOfKind(1, 0, kTypeText), text);
    EXPECT_EQ(owner.LastChildOfKind(1, 0)->x, 3);
    EXPECT_EQ(owner.FirstChildOfKind(3, 0)->x, 2);
}

TEST_F(OwnerTest, BoundsJoinTheOwnersPointAndItsChildren) {
    cPObjGroup owner;
    owner.SetPosition(10, 10);
    cRectangl *alone = owner.GetBounds();
    EXPECT_EQ(alone->Left(), 10);
    EXPECT_EQ(alone->Right(), 10);
    auto *child = new ScaledObject;
    child->SetPosition(50, 50);
    child->SetSize(5, 5);
    owner.InsertChild(child);
    const cRectangl b = *owner.GetBounds();
    EXPECT_EQ(b.Left(), 10);
    EXPECT_EQ(b.Top(), 10);
    EXPECT_EQ(b.Right(), 54);
    EXPECT_EQ(b.Bottom(), 54);
    // The children alone: the owner's point is not joined.
    const cRectangl t = *owner.GetTotalBounds();
    EXPECT_EQ(t.Left(), 50);
    EXPECT_EQ(t.Right(), 54);
}

TEST_F(OwnerTest, MovingAnOwnerMovesItsChildren) {
    cPObjGroup owner;
    cPObjPoint *a = AddAt(owner, 5, 6);
    owner.MoveXY(10, 20);
    EXPECT_EQ(owner.x, 10);
    EXPECT_EQ(a->x, 15);
    EXPECT_EQ(a->y, 26);
    owner.SetPosition(0, 0);
    EXPECT_EQ(a->x, 5);
    EXPECT_EQ(a->y, 6);
}

TEST_F(OwnerTest, AUnitDissolvesIntoItsOwnerAndTheUndoListKeepsIt) {
    test::BuildTestRegistry();
    PointWindowObject document;
    gCurrentDocument = &document;
    cPObjGroup *unit = NewGroup(10, 10, 1, 1, 1);
    document.InsertChild(unit);
    cPObjPoint *a = AddAt(*unit, 20, 0);
    cPObjPoint *b = AddAt(*unit, 40, 0);
    cPObjPoint *other = AddAt(document, 30, 0);
    const uint32_t live = gLiveSymbolCount;

    EXPECT_EQ(unit->Detach(1), nullptr);
    // Both children stand in the document, each where its order puts it.
    EXPECT_EQ(ChildrenOf(document), (std::vector<cPObjPoint *>{a, other, b}));
    EXPECT_EQ(a->FindOwner(0, 0), &document);
    EXPECT_EQ(b->FindOwner(0, 0), &document);
    ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    EXPECT_EQ(gPointUndo->GetRecord(0)->RefersTo(unit), 0);
    EXPECT_EQ(gLiveSymbolCount, live);

    // Undone, the unit takes its children back.
    gPointUndo->Undo();
    EXPECT_EQ(ChildrenOf(document), (std::vector<cPObjPoint *>{unit, other}));
    EXPECT_EQ(ChildrenOf(*unit), (std::vector<cPObjPoint *>{a, b}));
    EXPECT_EQ(a->FindOwner(0, 0), unit);

    // Deleted again and the record dropped: only the unit goes.
    unit->Detach(1);
    gPointUndo->Clear();
    EXPECT_EQ(gLiveSymbolCount, live - 1);
    EXPECT_EQ(document.GetChildCount(), 3);
    gCurrentDocument = nullptr;
}

TEST_F(OwnerTest, APlainOwnerIsDetachedWhole) {
    test::BuildTestRegistry();
    cPObjGroup document;
    cPObjGroup *plain = NewGroup(10, 10);
    document.InsertChild(plain);
    AddAt(*plain, 20, 0);
    AddAt(*plain, 40, 0);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(plain->Detach(1), plain);
    EXPECT_EQ(document.GetChildCount(), 0);
    EXPECT_EQ(plain->GetChildCount(), 2);
    EXPECT_EQ(gPointUndo->GetRecord(0)->RefersTo(plain), 0);
    gPointUndo->Clear();
    EXPECT_EQ(gLiveSymbolCount, live - 3);
}

TEST_F(OwnerTest, AUnitWithoutAnUndoListDissolvesAndGoes) {
    cPObjGroup document;
    cPObjGroup *unit = NewGroup(10, 10, 1, 1, 1);
    document.InsertChild(unit);
    cPObjPoint *a = AddAt(*unit, 20, 0);
    cPObjPoint *b = AddAt(*unit, 40, 0);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(unit->Detach(0), nullptr);
    EXPECT_EQ(ChildrenOf(document), (std::vector<cPObjPoint *>{a, b}));
    EXPECT_EQ(gLiveSymbolCount, live - 1);
}

// An owner that takes no further child: the climb of a dissolving unit
// passes over it.
class cClosedGroup : public cPObjGroup {
public:
    cPObjPoint *AcceptsChild(cPObjBase *, uint32_t) override { return nullptr; }
};

TEST_F(OwnerTest, FurtherChildrenOfADissolvingUnitClimbToAnOwnerThatTakesThem) {
    cPObjGroup document;
    auto *staff = new cClosedGroup;
    document.InsertChild(staff);
    cPObjGroup *unit = NewGroup(10, 10, 1, 1, 1);
    staff->InsertChild(unit);
    cPObjPoint *a = AddAt(*unit, 20, 0);
    cPObjPoint *b = AddAt(*unit, 40, 0);
    unit->Detach(0);
    EXPECT_EQ(ChildrenOf(*staff), std::vector<cPObjPoint *>{a});  // the first takes the unit's place
    EXPECT_EQ(ChildrenOf(document), (std::vector<cPObjPoint *>{staff, b}));
}

TEST_F(OwnerTest, AttachingAUnitPutsItInItsTargetsPlace) {
    cPObjGroup staff;
    cPObjPoint *note = AddAt(staff, 30, 40);
    auto *accent = new SingleOwnerObject;
    accent->SetUnitFlag(1);
    EXPECT_TRUE(accent->AttachChild(note));
    EXPECT_EQ(ChildrenOf(staff), std::vector<cPObjPoint *>{accent});
    EXPECT_EQ(accent->GetAttached(), note);
    EXPECT_EQ(note->FindOwner(0, 0), accent);
    EXPECT_EQ(accent->FindOwner(0, 0), &staff);
    // One whose single place is taken: all stays as it was.
    cPObjPoint *loose = AddAt(staff, 60, 40);
    auto *full = new SingleOwnerObject;
    full->SetUnitFlag(1);
    full->AddChild(new cPObjPoint);
    EXPECT_FALSE(full->AttachChild(loose));
    EXPECT_EQ(loose->FindOwner(0, 0), &staff);
    EXPECT_EQ(staff.IndexOfChild(loose, 0, 0), 1);
    EXPECT_EQ(full->GetChildCount(), 1);
    delete full;
    // A plain owner simply inserts.
    cPObjGroup plain;
    EXPECT_TRUE(plain.AttachChild(new cPObjPoint));
    EXPECT_EQ(plain.GetChildCount(), 1);
}

TEST_F(OwnerTest, InsertPositionsSplitBetweenNeighbours) {
    cPObjGroup staff;
    auto add = [&](int32_t px, int32_t w) {
        auto *s = new ScaledObject;
        s->SetPosition(px, 0);
        s->SetSize(w, 10);
        staff.InsertChild(s);
        return s;
    };
    ScaledObject *a = add(0, 10);   // 0..9
    ScaledObject *b = add(30, 10);  // 30..39
    struct sCase {
        int32_t px, py;
        uint32_t mode;
        cPObjPoint *want;
    };
    const sCase cases[] = {
        {5, 5, 0x2000, a},     // hit
        {15, 5, 0x2000, a},    // nearer the left one (split at 9 + 21 / 2 = 19)
        {19, 5, 0x2000, b},
        {50, 5, 0x2000, b},    // after the last
        {-5, 5, 0x2000, a},    // before the first
        {15, 5, 0x1000, a},    // the answer steps back when the point lies before it
        {35, 50, 0, b},
    };
    for (const sCase &c : cases)
        EXPECT_EQ(staff.FindInsertPosition(c.px, c.py, 0, 0, c.mode), c.want) << c.px << " mode " << c.mode;
    EXPECT_EQ(staff.FindInsertPosition(5, 5, 3, 0, 0x2000), nullptr);  // none of the kind
}

TEST_F(OwnerTest, ChildrenInARectangle) {
    cPObjGroup owner;
    for (int32_t py : {0, 20, 40, 60}) AddAt(owner, 10, py);
    uint16_t first = 0, last = 0;
    cRectangl area = *owner.FindChildrenInRect(cRectangl(0, 15, 50, 30), &first, &last, 0);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);
    EXPECT_EQ(area.Top(), 20);
    EXPECT_EQ(area.Bottom(), 40);
    owner.FindChildrenInRect(cRectangl(100, 100, 5, 5), &first, &last, 0);
    EXPECT_EQ(first, 0xFFFF);
    EXPECT_EQ(last, 0xFFFF);
}

TEST_F(OwnerTest, DeepQueriesAndCounts) {
    cPObjGroup root;
    cPObjGroup *inner = NewGroup(50, 0);
    root.InsertChild(inner);
    cPObjPoint *farLeft = AddAt(*inner, -20, 0);
    cPObjPoint *p = AddAt(root, 5, 0);
    EXPECT_EQ(root.CountDescendants(), 3u);
    EXPECT_EQ(root.FindLeftmostOfKind(1, 0), farLeft);
    EXPECT_EQ(root.FindLastOfKindDeep(1, 0, 0), p);
    EXPECT_EQ(root.FindChild(farLeft), farLeft);
    EXPECT_EQ(inner->FindChild(p), nullptr);
    EXPECT_EQ(root.CountMember(farLeft, 0), 0);
    EXPECT_EQ(root.CountMember(farLeft, 512), 1);
    EXPECT_EQ(root.NextCovered(nullptr), &root);
    EXPECT_EQ(root.NextCovered(&root), nullptr);
    EXPECT_EQ(root.GetContentLeft(), 0);
    EXPECT_EQ(root.AcceptsChild(inner, 0), nullptr);  // its own class
    EXPECT_EQ(root.AcceptsChild(p, 0), &root);
    EXPECT_EQ(root.CheckNotEmpty(), 0);
    cPObjGroup emptyUnit;
    emptyUnit.SetUnitFlag(1);
    EXPECT_EQ(emptyUnit.CheckNotEmpty(), kFailed);
}

TEST_F(OwnerTest, AssignCopiesTheChildrenAsNewObjects) {
    test::BuildTestRegistry();
    cPObjGroup source;
    source.SetPosition(3, 4);
    source.SetUnitFlag(1);
    AddAt(source, 10, 0);
    cPObjGroup *inner = NewGroup(20, 0);
    source.InsertChild(inner);
    AddAt(*inner, 21, 0);
    cPObjGroup copy;
    copy.Assign(source);
    EXPECT_EQ(copy.x, 3);
    EXPECT_EQ(copy.GetUnitFlag(), 1);
    EXPECT_EQ(copy.CountDescendants(), 3u);
    EXPECT_NE(copy.GetChild(0), source.GetChild(0));
    EXPECT_EQ(copy.GetChild(1)->FindOwner(0, 0), &copy);
    RaisedErrors errors;
    SingleOwnerObject other;
    other.Assign(source);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
    EXPECT_EQ(other.GetChildCount(), 0);
}

// Notes the pen colour it is drawn with.
class cColourProbe : public cPObjPoint {
public:
    explicit cColourProbe(std::vector<uint32_t> &seen) : seen(seen) {}
    cPObjPoint *Draw() override {
        seen.push_back(gCurrentScoreWindow->GetPenColour());
        return this;
    }
    std::vector<uint32_t> &seen;
};

TEST_F(OwnerTest, DrawingMarksTheSelectionInItsColour) {
    test::cTestScoreWindow window;
    cPObjGroup owner;
    std::vector<uint32_t> colours;
    auto *plain = new cColourProbe(colours);
    auto *chosen = new cColourProbe(colours);
    plain->SetPosition(1, 1);
    chosen->SetPosition(2, 2);
    owner.InsertChild(plain);
    owner.InsertChild(chosen);
    window.SetColour(0x111111);
    gSelectedObject = chosen;
    owner.Draw();
    EXPECT_EQ(colours, (std::vector<uint32_t>{0x111111, cPObjOwnBase::kSelectionColour}));
    EXPECT_EQ(window.GetPenColour(), 0x111111u);
    colours.clear();
    gSelectedObject = &owner;
    owner.Draw();
    EXPECT_EQ(colours, (std::vector<uint32_t>{cPObjOwnBase::kSelectionColour, cPObjOwnBase::kSelectionColour}));
    EXPECT_EQ(window.GetPenColour(), 0x111111u);
    gSelectedObject = nullptr;
}

TEST_F(OwnerTest, BlockPointsRecordTheChildren) {
    cPObjGroup owner;
    owner.SetPosition(0, 0);
    cPObjPoint *a = AddAt(owner, 10, 0);
    AddAt<CharObject>(owner, 20, 0);
    cPObjPoint::cBlockPoint node;
    owner.SaveToBlockPoint(&node, 1, 0);
    ASSERT_EQ(node.children.size(), 1u);
    EXPECT_EQ(node.ChildObject(0), a);
    owner.SaveToBlockPoint(&node);
    EXPECT_EQ(node.children.size(), 2u);
    // Scaled through the nodes: the children move, the owner stays.
    owner.ScaleTo(&node, 0, 0, 5, 0, 10, 10, 10, 10);
    EXPECT_EQ(a->x, 15);
    EXPECT_EQ(owner.x, 0);
    // Without child nodes the owner moves as a point and takes its children.
    cPObjPoint::cBlockPoint bare;
    bare.Set(&owner, 1, 1, false);
    owner.ScaleTo(&bare, 0, 0, 7, 0, 10, 10, 10, 10);
    EXPECT_EQ(owner.x, 7);
    EXPECT_EQ(a->x, 22);
}

}  // namespace

// Walking the tree, moving with notices to owners, redraw areas, the edit
// state and the condense pass.
#include <gtest/gtest.h>

#include <vector>

#include "document/commands.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::cListOwner;
using test::RaisedErrors;
using test::SymbolTest;

class NavigationTest : public SymbolTest {};

// A document root holding a text, then two staffs: the first with a point
// and a line, the second with a point, a character and a line.
struct sScore {
    sScore() {
        text = root.Add<CharObject>(0, 0);
        staff1 = root.Add<cListOwner>(0, 100);
        staff2 = root.Add<cListOwner>(0, 200);
        p1 = staff1->Add(10, 100);
        l1 = staff1->Add<cLineObject>(20, 100);
        p2 = staff2->Add(10, 200);
        c2 = staff2->Add<CharObject>(15, 200);
        l2 = staff2->Add<cLineObject>(20, 200);
    }
    cListOwner root{12, 0};
    cPObjPoint *text;
    cListOwner *staff1, *staff2;
    cPObjPoint *p1, *l1, *p2, *c2, *l2;
};

TEST_F(NavigationTest, OwnersAreFoundUpTheChain) {
    sScore s;
    EXPECT_EQ(s.p2->FindOwner(0, 0), s.staff2);
    EXPECT_EQ(s.p2->FindOwner(184, 0), s.staff2);
    EXPECT_EQ(s.p2->FindOwner(12, 0), &s.root);
    EXPECT_EQ(s.p2->FindOwner(0, kTypeStaff), s.staff2);
    EXPECT_EQ(s.p2->FindOwner(999, 0), nullptr);
    EXPECT_EQ(s.root.FindOwner(0, 0), nullptr);
    EXPECT_EQ(s.p2->FindAncestor(&s.root), &s.root);
    EXPECT_EQ(s.p2->FindAncestor(s.staff1), nullptr);
    EXPECT_EQ(s.p2->GetRoot(), &s.root);
    EXPECT_EQ(s.root.GetRoot(), &s.root);
    EXPECT_EQ(s.c2->GetInheritedTypeFlags(), kTypeText | kTypeStaff);
}

TEST_F(NavigationTest, SiblingsAreStepsAmongTheOwnersChildren) {
    sScore s;
    struct sCase {
        const char *name;
        cPObjPoint *got;
        cPObjPoint *want;
    };
    cListOwner stranger;
    cPObjPoint *outsider = stranger.Add(0, 0);
    const sCase cases[] = {
        {"first child", s.l1->NextSibling(nullptr, 0, 0, 0), s.p1},
        {"after the first", s.p1->NextSibling(s.p1, 0, 0, 0), s.l1},
        {"after the last, staying", s.l1->NextSibling(s.l1, 0, 0, 0), nullptr},
        {"after the last, crossing", s.l1->NextSibling(s.l1, 0, 0, 1), s.p2},
        {"crossing to a kind", s.p1->NextSibling(s.l1, 8, 0, 1), s.l2},
        {"crossing by family", s.p1->NextSibling(nullptr, 0, kTypeText, 1), s.c2},
        {"a stranger finds nothing here", s.p1->NextSibling(outsider, 0, 0, 0), nullptr},
        {"a stranger still crosses", s.p1->NextSibling(outsider, 0, 0, 1), s.p2},
        {"next of the same kind", s.l1->NextOfSameKind(1), s.l2},
        {"the last staff has no next", s.staff2->NextOfSameKind(0), nullptr},
        {"the next staff", s.staff1->NextOfSameKind(0), s.staff2},
        {"last child", s.p2->PrevSibling(nullptr, 0, 0, 0), s.l2},
        {"before the first, staying", s.p2->PrevSibling(s.p2, 0, 0, 0), nullptr},
        {"before the first, crossing", s.p2->PrevSibling(s.p2, 0, 0, 1), s.l1},
        {"previous of the same kind", s.p2->PrevOfSameKind(1), s.p1},
        {"no owner", s.root.NextSibling(nullptr, 0, 0, 1), nullptr},
    };
    for (const sCase &c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST_F(NavigationTest, IndexesAndOrdinalsCountChildrenOfAKind) {
    sScore s;
    cPObjPoint *found = s.text;
    EXPECT_EQ(s.p2->FindSiblingFrom(0xFFFF, 0, 0, &found), 0xFFFF);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(s.p2->FindSiblingFrom(1, 8, 0, &found), 2);
    EXPECT_EQ(found, s.l2);
    EXPECT_EQ(s.p2->FindSiblingFrom(0, 0, kTypeText, nullptr), 1);
    EXPECT_EQ(s.p2->FindSiblingFrom(2, 0, kTypeText, &found), 0xFFFF);
    EXPECT_EQ(s.root.FindSiblingFrom(0, 0, 0, &found), 0xFFFF);

    EXPECT_EQ(s.l2->GetOrdinalOfKind(0, 0), 2);
    EXPECT_EQ(s.l2->GetOrdinalOfKind(8, 0), 0);
    EXPECT_EQ(s.staff2->GetOrdinalOfKind(184, 0), 1);
    EXPECT_EQ(s.l2->GetOrdinalOfKind(0, kTypeText), 0xFFFF);
    EXPECT_EQ(s.root.GetOrdinalOfKind(0, 0), 0xFFFF);

    EXPECT_EQ(s.c2->GetIndexInOwner(s.c2), 1);
    EXPECT_EQ(s.root.GetIndexInOwner(&s.root), 0xFFFF);
    EXPECT_EQ(s.staff2->IndexOfChild(s.l2, 1, 0), 1);  // children of id 1 before it
    EXPECT_EQ(s.staff2->IndexOfChild(s.p1, 0, 0), 0xFFFF);
    EXPECT_EQ(s.staff2->NthChildOfKind(1, 0, 0), s.c2);
    EXPECT_EQ(s.staff2->NthChildOfKind(3, 0, 0), nullptr);
    EXPECT_EQ(s.staff2->LastChildOfKind(0, 0), s.l2);
}

TEST_F(NavigationTest, OuterUnitsClimbOnlyThroughUnits) {
    cListOwner root(12, 0);
    cListOwner *chord = root.Add<cListOwner>(0, 0);
    cListOwner *unit = new cListOwner(40, kTypeChord | kTypeNote, 1);
    root.InsertChild(unit);
    cPObjPoint *inPlain = chord->Add(1, 1);
    cPObjPoint *inUnit = unit->Add(2, 2);
    EXPECT_EQ(inPlain->GetOuterUnit(-1, 0), inPlain);
    EXPECT_EQ(inUnit->GetOuterUnit(-1, 0), unit);
    EXPECT_EQ(inUnit->GetOuterUnit(kTypeChord, 0), unit);
    EXPECT_EQ(inUnit->GetOuterUnit(kTypeBeam, 0), inUnit);
    EXPECT_EQ(inUnit->GetOuterUnit(-1, kTypeNote), inUnit);
}

TEST_F(NavigationTest, SortingNeverOrdersEqualPositions) {
    cPObjPoint *a = new cPObjPoint, *b = new cPObjPoint, *c = new cPObjPoint;
    a->SetPosition(10, 20);
    b->SetPosition(10, 20);
    c->SetPosition(5, 30);
    struct sCase {
        int32_t mode;
        bool aBeforeB, bBeforeA, aBeforeC, cBeforeA;
    };
    const sCase cases[] = {{0, false, false, true, false}, {1, false, false, false, true}, {2, false, false, false, false}};
    for (const sCase &k : cases) {
        gSortMode = k.mode;
        EXPECT_EQ(a->SortsBefore(*b), k.aBeforeB) << k.mode;
        EXPECT_EQ(b->SortsBefore(*a), k.bBeforeA) << k.mode;
        EXPECT_EQ(a->SortsBefore(*c), k.aBeforeC) << k.mode;
        EXPECT_EQ(c->SortsBefore(*a), k.cBeforeA) << k.mode;
    }
    EXPECT_TRUE(a->IsSamePosition(*b));
    delete a;
    delete b;
    delete c;
}

TEST_F(NavigationTest, MovingTellsTheOwnerAndCollectsRedrawAreas) {
    cListOwner *unit = new cListOwner(40, 0, 1);
    unit->SetPosition(100, 100);
    cPObjPoint *p = unit->Add(100, 100);
    p->MoveBy(5, -3);
    EXPECT_EQ(p->x, 105);
    EXPECT_EQ(p->y, 97);
    EXPECT_EQ(unit->x, 105);  // a unit follows its child
    EXPECT_EQ(unit->y, 97);
    EXPECT_FALSE(gRedrawArea.IsEmpty());
    EXPECT_FALSE(gOwnerRedrawArea.IsEmpty());
    // The redraw went to the outer unit: its bounds before the move, and
    // after the child's and then its own move.  An owner's bounds take in
    // its children's, so the unit's own notice (after the child moved)
    // already reaches the child's new place.
    EXPECT_EQ(gRedrawArea.Left(), 100);
    EXPECT_EQ(gRedrawArea.Right(), 105);
    EXPECT_EQ(gOwnerRedrawArea.Left(), 100);
    EXPECT_EQ(gOwnerRedrawArea.Right(), 105);

    cPObjPoint copy;
    copy.SetPosition(100, 100);
    EXPECT_EQ(p->RestoreFrom(copy), 0);
    EXPECT_EQ(p->x, 100);
    EXPECT_EQ(unit->x, 100);
    delete unit;
}

TEST_F(NavigationTest, TheWholeWindowIsTheVisibleArea) {
    {
        RaisedErrors errors;
        cPObjBase::RedrawWholeWindow();
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    }
    test::cTestScoreWindow window;
    window.SetSize(300, 200);
    window.SetScrollExtent(1000, 1000);
    window.SetOrigin(-40, -60);
    cPObjBase::RedrawWholeWindow();
    EXPECT_EQ(gOwnerRedrawArea.x, -window.GetOriginX());
    EXPECT_EQ(gOwnerRedrawArea.y, -window.GetOriginY());
    EXPECT_EQ(gOwnerRedrawArea.width, window.GetWidth());
    EXPECT_EQ(gOwnerRedrawArea.height, window.GetHeight());
}

// Notes the edit-mode changes it is told of.
class cModeProbe : public cPObjPoint {
public:
    int32_t OnEditModeChanged(int32_t change) override {
        changes.push_back(change);
        return 0;
    }
    std::vector<int32_t> changes;
};

TEST_F(NavigationTest, TheFocusHearsOfEditModeAndFlagChanges) {
    cModeProbe *focus = new cModeProbe;
    gFocusObject = focus;
    EXPECT_EQ(cPObjBase::SetEditMode(3), 0u);
    EXPECT_EQ(cPObjBase::SetEditMode(2), 3u);
    gEditFlags = 0x10;
    EXPECT_EQ(cPObjBase::SetEditFlags(0x30), 0x10u);
    EXPECT_EQ(cPObjBase::ChangeEditFlags(0x100, 0x10), 0x30u);
    EXPECT_EQ(gEditFlags, 0x120u);
    EXPECT_EQ(focus->changes, (std::vector<int32_t>{3, 2, 0x2F, 0x11F}));
    delete focus;
}

// A symbol with a chosen spacing tolerance and width.
class cSpaced : public cLineObject {
public:
    int32_t GetSpacingToleranceX() override { return 4; }
    int32_t GetSpacingToleranceY() override { return 2; }
};

struct sCondenseCase {
    const char *name;
    int32_t gapX, gapY;
    std::vector<int32_t> xs, ys;  // before
    std::vector<int32_t> wantX, wantY;
};

TEST_F(NavigationTest, CondenseRespacesRowsAndColumns) {
    const sCondenseCase cases[] = {
        // The first starts a column: 10 right of the start's right (100);
        // the second lies within the tolerance: it shifts with the first.
        // The third starts a column 10 right of the second's right edge.
        {"columns", 10, kFailed, {500, 502, 600}, {0, 0, 0}, {110, 112, 124}, {0, 0, 0}},
        // A negative gap still advances x by tolerance + 1 past the column.
        {"negative gap", -50, kFailed, {500, 600}, {0, 0}, {105, 110}, {0, 0}},
        {"rows", kFailed, 5, {0, 0}, {300, 400}, {0, 0}, {6, 13}},
        {"no gaps", kFailed, kFailed, {500, 600}, {300, 400}, {500, 600}, {300, 400}},
    };
    for (const sCondenseCase &c : cases) {
        SCOPED_TRACE(c.name);
        cListOwner owner(11, 0);
        std::vector<cSpaced *> symbols;
        for (size_t i = 0; i < c.xs.size(); ++i) {
            cSpaced *s = owner.Add<cSpaced>(c.xs[i], c.ys[i]);
            s->SetSize(2, 2);
            symbols.push_back(s);
        }
        cPObjBase::sCmdCondense r;
        r.lastX = r.maxRight = 100;
        r.lastY = r.maxBottom = 1;
        r.gapX = c.gapX;
        r.gapY = c.gapY;
        gDocumentFlags = 0;
        for (cSpaced *s : symbols) EXPECT_EQ(s->Condense(&r), 0);
        for (size_t i = 0; i < symbols.size(); ++i) {
            EXPECT_EQ(symbols[i]->x, c.wantX[i]) << i;
            EXPECT_EQ(symbols[i]->y, c.wantY[i]) << i;
        }
        // Re-inserting in the owner (a removal) happens only when a gap was given.
        EXPECT_EQ((gDocumentFlags & 0x4) != 0, c.gapX != kFailed || c.gapY != kFailed);
    }
}

}  // namespace

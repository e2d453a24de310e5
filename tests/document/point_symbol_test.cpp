// Point symbols: counted allocation, what destruction clears, selection,
// keys, hit rectangles, drawing, proportional scaling and detaching.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/commands.h"
#include "tests/document/symbol_fixture.h"
#include "tests/document/undo_check.h"

namespace {

using test::cListOwner;
using test::RaisedErrors;
using test::SymbolTest;

class PointTest : public SymbolTest {};

TEST_F(PointTest, MakingAndDestroyingLeavesTheCountUnchanged) {
    const uint32_t live = gLiveSymbolCount;
    std::vector<cPObjPoint *> made;
    for (int i = 0; i < 25; ++i) made.push_back(i % 2 ? new cPObjPoint : new cLineObject);
    EXPECT_EQ(gLiveSymbolCount, live + 25);
    for (cPObjPoint *p : made) delete p;
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(PointTest, OneDestructionTooManyReportsTotalPointsOnce) {
    cPObjPoint *p = new cPObjPoint;
    const uint32_t live = gLiveSymbolCount;
    gLiveSymbolCount = 0;  // as if the count had been lost
    RaisedErrors errors;
    delete p;
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: TotalPoints");
    EXPECT_EQ(gLiveSymbolCount, 0u);
    gLiveSymbolCount = live - 1;
}

TEST_F(PointTest, DestroyingClearsEveryGlobalThatNamesTheObject) {
    enum { kSelected = 1, kFocused = 2, kHovered = 4 };
    for (int which = 1; which < 8; ++which) {
        SCOPED_TRACE(which);
        cPObjPoint *p = new cPObjPoint;
        cPObjPoint *other = new cPObjPoint;
        gSelectedObject = (which & kSelected) ? p : other;
        gFocusObject = (which & kFocused) ? p : other;
        gHoverObject = (which & kHovered) ? p : other;
        delete p;
        EXPECT_NE(gSelectedObject, p);
        EXPECT_NE(gFocusObject, p);
        EXPECT_NE(gHoverObject, p);
        gSelectedObject = gFocusObject = gHoverObject = nullptr;
        delete other;
    }
}

TEST_F(PointTest, SelectingMakesTheObjectSelectedAndFocusedAndRecordsAMove) {
    test::BuildTestRegistry();
    test::cTestScoreWindow window;
    cPObjPoint *first = new cPObjPoint;
    cPObjPoint *second = new cPObjPoint;
    second->SetPosition(40, 50);
    EXPECT_EQ(first->Select(), nullptr);
    EXPECT_EQ(second->Select(), first);
    EXPECT_EQ(gSelectedObject, second);
    EXPECT_EQ(gFocusObject, second);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    ASSERT_EQ(gPointUndo->GetRecordCount(), 2);
    EXPECT_TRUE(test::IsUndoRecord(0, u"UnMove", first));
    EXPECT_TRUE(test::IsUndoRecord(1, u"UnMove", second));
    EXPECT_EQ(window.GetMouseX(), 40);
    EXPECT_EQ(window.GetMouseY(), 50);
    delete first;
    delete second;
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_EQ(gFocusObject, nullptr);
}

TEST_F(PointTest, OnlyTheFocusObjectTakesKeys) {
    test::cTestScoreWindow window;
    cPObjPoint *p = new cPObjPoint;
    p->SetPosition(10, 10);
    EXPECT_EQ(p->OnKey(kKeyRight, 0, 0), kFailed);
    EXPECT_EQ(p->x, 10);
    gFocusObject = p;
    struct sCase {
        int16_t key;
        tStatus answer;
        int32_t x, y;
    };
    const sCase cases[] = {{kKeyRight, 0, 11, 10}, {kKeyDown, 0, 11, 11}, {kKeyLeft, 0, 10, 11},
                           {kKeyUp, 0, 10, 10},    {kKeyHome, kFailed, 10, 10}, {65, kFailed, 10, 10}};
    for (const sCase &c : cases) {
        EXPECT_EQ(p->OnKey(c.key, 0, 0), c.answer) << c.key;
        EXPECT_EQ(p->x, c.x);
        EXPECT_EQ(p->y, c.y);
    }
    gFocusObject = nullptr;
    delete p;
}

TEST_F(PointTest, TheDeleteKeyDetachesTheFocusIntoTheUndoList) {
    test::BuildTestRegistry();
    test::cTestScoreWindow window;
    cListOwner owner;
    cPObjPoint *p = owner.Add(10, 10);
    p->Select();
    EXPECT_EQ(p->OnKey(kKeyDelete, 0, 0), 0);
    EXPECT_TRUE(owner.children.empty());
    ASSERT_EQ(gPointUndo->GetRecordCount(), 2);  // the selection's move, then the deletion
    EXPECT_TRUE(test::IsUndoRecord(0, u"UnMove", p));
    EXPECT_TRUE(test::IsUndoRecord(1, u"Undelete", p));
    EXPECT_EQ(gDocumentFlags & 0x4, 0x4u);
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_EQ(gFocusObject, nullptr);
}

TEST_F(PointTest, TestRectAsksBoundsPositionOrInside) {
    cLineObject *wide = new cLineObject;  // 1 wide line from (10, 10) to (59, 10)
    wide->SetPosition(10, 10);
    wide->SetSize(50, 1);
    struct sCase {
        cRectangl rect;
        int16_t flags;
        tStatus answer;
    };
    const sCase cases[] = {
        {cRectangl(30, 0, 40, 40), 0, 0},           // the bounds meet it
        {cRectangl(30, 0, 40, 40), 0x100, kPointLeft},  // the position does not
        {cRectangl(0, 0, 40, 40), 0x100, 0},
        {cRectangl(0, 20, 40, 40), 0x100, kPointAbove},
        {cRectangl(70, 0, 40, 40), 0, kFailed},
        {cRectangl(0, 0, 100, 40), 0x40, 0},        // wholly inside
        {cRectangl(0, 0, 40, 40), 0x40, kFailed},
    };
    for (const sCase &c : cases) EXPECT_EQ(wide->TestRect(c.rect, c.flags), c.answer) << c.rect.x << "," << c.flags;
    delete wide;
}

TEST_F(PointTest, DrawingSpendsTheBudgetOnAPoint) {
    cPObjPoint *p = new cPObjPoint;
    {
        RaisedErrors errors;
        p->Draw();
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    }
    test::cTestScoreWindow window;
    p->SetPosition(7, 8);
    gDrawBudget = 2;
    p->Draw();
    EXPECT_EQ(gDrawBudget, 1u);
    EXPECT_EQ(p->DrawRect(cRectangl(100, 100, 5, 5), 0)->IsEmpty(), true);
    cRectangl drawn = *p->DrawRect(cRectangl(0, 0, 50, 50), 0);
    EXPECT_EQ(drawn.Left(), 7);
    EXPECT_EQ(drawn.Top(), 8);
    p->Draw();  // budget spent: nothing more
#if !defined(_WIN32)
    EXPECT_EQ(window.TakeOps(), (std::vector<std::string>{"DrawPoint", "DrawPoint"}));
#endif
    delete p;
}

TEST_F(PointTest, ScaleToPlacesProportionally) {
    struct sCase {
        const char *name;
        int32_t x0, at, dx, oldW, newW;
        int32_t x, nodeX;
    };
    const sCase cases[] = {
        {"15 right of x0, 10 to 15", 100, 115, 0, 10, 15, 123, 115},
        {"same width only moves", 100, 115, 7, 10, 10, 122, 122},
        {"old width 0 divides by 1", 100, 103, 0, 0, 2, 106, 103},
        {"shrinking, truncated", 0, 9, 0, 10, 5, 5, 9},
        {"left of x0", 100, 85, 0, 10, 15, 78, 85},
        // Far from the origin the products pass 32 bits; the result is exact.
        {"15 right at 100,000,000", 100000000, 100000015, 0, 10, 15, 100000023, 100000015},
        {"offset 10^8 from x0, 100 to 150", 0, 100000000, 0, 100, 150, 150000000, 100000000},
        // From the far left to the far right of the position range, halved.
        {"whole range halved", -134217728, 134217727, 0, 0x7FFFFFF, 0x7FFFFFF / 2, -2, 134217727},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        cPObjPoint *p = new cPObjPoint;
        p->SetPosition(c.at, 50);
        cPObjPoint::cBlockPoint node(nullptr, p, true);
        EXPECT_EQ(p->ScaleTo(&node, c.x0, 0, c.dx, 0, c.oldW, 10, c.newW, 10), &node);
        EXPECT_EQ(node.x, c.nodeX);
        EXPECT_EQ(p->x, c.x);
        EXPECT_EQ(p->y, 50);
        delete p;
    }
}

TEST_F(PointTest, RepeatedResizesScaleFromTheCollectedPosition) {
    cPObjPoint *p = new cPObjPoint;
    p->SetPosition(107, 0);
    cPObjPoint::cBlockPoint node(nullptr, p, true);
    p->ScaleTo(&node, 100, 0, 0, 0, 10, 1, 13, 1);  // 7 * 1.3 = 9.1 -> 109
    p->ScaleTo(&node, 100, 0, 0, 0, 10, 1, 17, 1);  // from 7 again: 11.9 -> 112
    EXPECT_EQ(p->x, 112);
    delete p;
}

TEST_F(PointTest, DetachingWithDeletionHandsTheObjectToTheUndoList) {
    test::BuildTestRegistry();
    cListOwner owner;
    cPObjPoint *keep = owner.Add(1, 1);
    cPObjPoint *gone = owner.Add(2, 2);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(gone->Detach(1), gone);
    EXPECT_EQ(owner.children, std::vector<cPObjPoint *>{keep});
    EXPECT_EQ(gone->FindOwner(0, 0), nullptr);
    EXPECT_EQ(gLiveSymbolCount, live);  // still alive
    ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    EXPECT_TRUE(test::IsUndoRecord(0, u"Undelete", gone));
    gPointUndo->Clear();
    EXPECT_EQ(gLiveSymbolCount, live - 1);

    // Without deletion the caller owns what comes out.
    std::unique_ptr<cPObjPoint> taken(keep->Detach(0));
    EXPECT_EQ(taken.get(), keep);
    EXPECT_TRUE(owner.children.empty());
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
}

TEST_F(PointTest, DetachingWithDeletionButNoUndoListDestroysTheObject) {
    cListOwner owner;
    cPObjPoint *p = owner.Add(1, 1);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(p->Detach(1), nullptr);
    EXPECT_TRUE(owner.children.empty());
    EXPECT_EQ(gLiveSymbolCount, live - 1);
}

TEST_F(PointTest, BlockPointsRecordAndReleaseTheirObjects) {
    cPObjPoint *a = new cPObjPoint;
    a->SetPosition(3, 4);
    cPObjPoint::cBlockPoint root;
    EXPECT_EQ(root.PopChild(), nullptr);
    EXPECT_EQ(root.AddChild(nullptr, false), nullptr);
    cPObjPoint::cBlockPoint *node = root.AddChild(a, true);
    EXPECT_EQ(node->parent, &root);
    EXPECT_EQ(node->x, 3);
    EXPECT_EQ(node->y, 4);
    EXPECT_EQ(root.ChildObject(0), a);
    EXPECT_EQ(root.ChildObject(1), nullptr);
    EXPECT_EQ(root.PopChild(), a);
    EXPECT_EQ(root.ChildNode(0), nullptr);
    delete a;
}

TEST_F(PointTest, DragsSetTheEditModeByHitKind) {
    cPObjPoint *p = new cPObjPoint;
    {
        RaisedErrors errors;
        p->BeginDrag(1, 2, kHitMove);
        EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");
    }
    test::cTestScoreWindow window;
    gEditMode = 0x20;
    p->BeginDrag(5, 6, kHitResize);
    EXPECT_EQ(gEditMode, 0x23u);
    p->BeginDrag(5, 6, kHitMove);
    EXPECT_EQ(gEditMode, 0x22u);
    p->BeginDrag(5, 6, 1);
    EXPECT_EQ(gEditMode, 0x22u);
    EXPECT_EQ(gDragStartX, 5);
    EXPECT_EQ(gDragStartY, 6);
    gHoverObject = p;
    EXPECT_EQ(p->EndDrag(), p);
    EXPECT_EQ(gHoverObject, nullptr);
    delete p;
}

}  // namespace

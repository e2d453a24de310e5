// The undo list: its limit, undoing deletions, moves and creations, records
// whose owner or object has gone, purging, clearing and the texts of the
// records.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/commands.h"
#include "tests/document/symbol_fixture.h"
#include "tests/document/undo_check.h"

namespace {

using test::cListOwner;
using test::IsUndoRecord;
using test::SymbolTest;

using cUndelete = cPObjBase::cPointUndo::cUndelete;

// Each test edits a document that holds one staff; the document is the
// current one.
class UndoTest : public SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        test::BuildTestRegistry();
        document = new PointWindowObject;
        gCurrentDocument = document;
        staff = new cListOwner;
        staff->SetPosition(0, 100);
        document->InsertChild(staff);
    }
    void TearDown() override {
        gPointUndo->Clear();
        gCurrentDocument = nullptr;
        delete document;
        SymbolTest::TearDown();
    }

    // A new symbol of the class, placed in the owner at (x, y).
    static cPObjPoint *Place(cPObjOwnBase *owner, int16_t id, int32_t px, int32_t py) {
        cPObjPoint *obj = cPObjBase::NewById(id);
        obj->SetPosition(px, py);
        owner->InsertChild(obj);
        return obj;
    }

    // How often the owner's list names the object.
    static int CountIn(cPObjOwnBase *owner, const cPObjPoint *obj) {
        int n = 0;
        for (uint16_t i = 0; i < owner->GetChildCount(); ++i) n += owner->GetChild(i) == obj ? 1 : 0;
        return n;
    }
    static bool Holds(cPObjOwnBase *owner, const cPObjPoint *obj) {
        return CountIn(owner, obj) == 1 && obj->FindOwner(0, 0) == owner;
    }

    static std::string DumpText() {
        std::ostringstream out;
        gPointUndo->Dump(out);
        return out.str();
    }

    static std::string Address(const void *p) {
        std::ostringstream out;
        out << std::hex << reinterpret_cast<uintptr_t>(p);
        return out.str();
    }

    PointWindowObject *document = nullptr;
    cListOwner *staff = nullptr;
};

TEST_F(UndoTest, The501stEditPushesTheOldestOut) {
    cPObjPoint *p = Place(staff, 1, 0, 100);
    for (int i = 0; i < 501; ++i) {
        gPointUndo->RecordMove(p);
        p->MoveBy(1, 0);
    }
    EXPECT_EQ(p->x, 501);
    ASSERT_EQ(gPointUndo->GetRecordCount(), 500);
    for (int i = 0; i < 500; ++i) gPointUndo->Undo();
    // The first move's record is gone: the object stops where it went first.
    EXPECT_EQ(p->x, 1);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);

    // A deletion record pushed out deletes the symbol it held.
    cPObjPoint *gone = Place(staff, 1, 5, 100);
    gone->Detach(1);
    const uint32_t live = gLiveSymbolCount;
    for (int i = 0; i < 499; ++i) gPointUndo->RecordMove(p);
    EXPECT_EQ(gLiveSymbolCount, live + 499);  // the copies of the moves
    EXPECT_TRUE(IsUndoRecord(0, u"Undelete", gone));
    gPointUndo->RecordMove(p);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 500);
    EXPECT_TRUE(IsUndoRecord(0, u"UnMove", p));
    EXPECT_EQ(gLiveSymbolCount, live + 500 - 1);
}

TEST_F(UndoTest, UndoOnAnEmptyListDoesNothing) {
    cPObjPoint *p = Place(staff, 1, 10, 100);
    gPointUndo->RecordMove(p);
    p->MoveBy(3, 0);
    gPointUndo->Undo();
    ASSERT_EQ(gPointUndo->GetRecordCount(), 0);
    cPObjBase::ClearRedrawArea();
    cPObjBase::ClearOwnerRedrawArea();
    const uint32_t live = gLiveSymbolCount;

    EXPECT_EQ(gPointUndo->Undo(), 0);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(p->x, 10);
    EXPECT_EQ(staff->children, std::vector<cPObjPoint *>{p});
    EXPECT_EQ(gLiveSymbolCount, live);
    EXPECT_TRUE(cPObjBase::GetRedrawArea()->IsEmpty());
    EXPECT_TRUE(cPObjBase::GetOwnerRedrawArea()->IsEmpty());
    EXPECT_EQ(DumpText(), "");
}

TEST_F(UndoTest, AnUndoneDeletionReinsertsTheVerySameObject) {
    cPObjPoint *a = Place(staff, 1, 10, 100);
    cPObjPoint *b = Place(staff, 17, 20, 100);
    const uint32_t live = gLiveSymbolCount;
    b->Detach(1);
    a->Detach(1);
    EXPECT_TRUE(staff->children.empty());
    EXPECT_EQ(gLiveSymbolCount, live);  // both live on in their records
    cPObjBase::ClearRedrawArea();
    cPObjBase::ClearOwnerRedrawArea();

    gPointUndo->Undo();
    EXPECT_TRUE(Holds(staff, a));
    EXPECT_FALSE(Holds(staff, b));
    EXPECT_EQ(a->x, 10);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 1);
    // The owner's old area and the object's new one are to be repainted.
    EXPECT_FALSE(cPObjBase::GetRedrawArea()->IsEmpty());
    EXPECT_FALSE(cPObjBase::GetOwnerRedrawArea()->IsEmpty());

    gPointUndo->Undo();
    EXPECT_TRUE(Holds(staff, b));
    EXPECT_EQ(b->GetTypeId(), 17);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(UndoTest, TwoMovesUndoInOrder) {
    test::cTestScoreWindow window;
    cPObjPoint *p = Place(staff, 1, 10, 120);
    p->Select();  // records the first move
    p->MoveBy(5, 5);
    p->Select();
    p->MoveBy(7, -3);
    ASSERT_EQ(gPointUndo->GetRecordCount(), 2);
    EXPECT_TRUE(IsUndoRecord(1, u"UnMove", p));
    gPointUndo->Undo();
    EXPECT_EQ(p->x, 15);
    EXPECT_EQ(p->y, 125);
    gPointUndo->Undo();
    EXPECT_EQ(p->x, 10);
    EXPECT_EQ(p->y, 120);
    EXPECT_TRUE(Holds(staff, p));
}

// A group keeps its children sorted by position, and a drag ends by sorting
// the dragged symbol in at its new place (ReinsertInOwner).  Undo gives back
// the order as well as the place: the exports and playback walk the list.
class UndoOrderTest : public UndoTest {
protected:
    void SetUp() override {
        UndoTest::SetUp();
        group = new cPObjGroup;
        group->SetPosition(0, 300);
        document->InsertChild(group);
        // b and b2 stand at the same point, b first.
        a = Place(group, 1, 10, 300);
        b = Place(group, 1, 20, 300);
        b2 = Place(group, 1, 20, 300);
        c = Place(group, 1, 30, 300);
        ASSERT_EQ(Order(), Names("a b b2 c"));
    }

    // A drag as the score's mouse edit makes it: recorded, moved, sorted in.
    void Drag(cPObjPoint *p, int32_t dx) {
        gPointUndo->RecordMove(p);
        p->MoveBy(dx, 0);
        p->ReinsertInOwner();
    }
    std::vector<cPObjPoint *> Order() {
        std::vector<cPObjPoint *> order;
        for (uint16_t i = 0; i < group->GetChildCount(); ++i) order.push_back(group->GetChild(i));
        return order;
    }
    // The children named by a blank-separated list of a, b, b2 and c.
    std::vector<cPObjPoint *> Names(const std::string &names) {
        std::vector<cPObjPoint *> order;
        std::istringstream words(names);
        for (std::string w; words >> w;)
            order.push_back(w == "a" ? a : w == "b" ? b : w == "b2" ? b2 : w == "c" ? c : nullptr);
        return order;
    }

    cPObjGroup *group = nullptr;
    cPObjPoint *a = nullptr, *b = nullptr, *b2 = nullptr, *c = nullptr;
};

TEST_F(UndoOrderTest, AnUndoneDragPutsTheSymbolBackInItsOrder) {
    struct sCase {
        const char *name;
        const char *moved;
        int32_t dx;
        const char *afterDrag;
    };
    const sCase cases[] = {
        {"past a later symbol", "a", 15, "b b2 a c"},
        {"before an earlier symbol", "c", -25, "c a b b2"},
        {"the first of two alike, to the end", "b", 100, "a b2 c b"},
        {"the second of two alike, to the start", "b2", -15, "b2 a b c"},
        {"onto the point of two others", "a", 10, "b b2 a c"},
        {"too little to pass another", "b", 3, "a b2 b c"},
        {"not at all", "b", 0, "a b2 b c"},
    };
    for (const sCase &k : cases) {
        SCOPED_TRACE(k.name);
        cPObjPoint *p = Names(k.moved).front();
        const int32_t x0 = p->x;
        Drag(p, k.dx);
        EXPECT_EQ(Order(), Names(k.afterDrag)) << "the drag itself re-sorts";
        gPointUndo->Undo();
        EXPECT_EQ(p->x, x0);
        EXPECT_EQ(Order(), Names("a b b2 c"));
        EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    }
}

TEST_F(UndoOrderTest, DragsAreUndoneNewestFirstEachToItsOrder) {
    Drag(b, 5);   // a b2 b c
    Drag(a, 30);  // b2 b c a
    Drag(b2, 25);  // b c a b2
    ASSERT_EQ(Order(), Names("b c a b2"));
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("b2 b c a"));
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("a b2 b c"));
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("a b b2 c"));
}

// Not every edit leaves a record: between a drag and its undo the sibling
// that the symbol preceded may have moved or gone.  The list stays sorted,
// and the symbol goes back before that sibling only where they stand alike.
TEST_F(UndoOrderTest, EditsBetweenTheDragAndItsUndoLeaveTheListSorted) {
    // The sibling moved away.
    Drag(b, 100);  // a b2 c b
    b2->MoveBy(20, 0);
    b2->ReinsertInOwner();  // a c b2 b
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("a b c b2"));

    // The sibling was deleted: the record only compares its address (the
    // sanitizer's build stops at a read).
    b2->MoveBy(-20, 0);
    b2->ReinsertInOwner();  // a b b2 c
    Drag(b, 100);           // a b2 c b
    delete b2->Detach(0);
    b2 = nullptr;
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("a b c"));

    // The sibling came to the symbol's old point.
    Drag(b, 100);  // a c b
    c->MoveBy(-10, 0);
    gPointUndo->Undo();
    EXPECT_EQ(Order(), Names("a b c"));
    EXPECT_EQ(c->x, b->x);

    // A newcomer at the old point was never behind the symbol: sorting
    // alone leaves it ahead.
    Drag(a, 50);  // b c a
    cPObjPoint *d = Place(group, 1, 10, 300);
    gPointUndo->Undo();
    EXPECT_EQ(Order(), (std::vector<cPObjPoint *>{d, a, b, c}));
}

TEST_F(UndoTest, AMoveRecordPutsBackTheSizeToo) {
    auto *scaled = static_cast<ScaledObject *>(Place(staff, 7, 10, 100));
    scaled->SetSize(20, 30);
    gPointUndo->RecordMove(scaled);
    scaled->MoveBy(4, 4);
    scaled->ResizeBy(6, -10);
    gPointUndo->Undo();
    EXPECT_EQ(scaled->x, 10);
    EXPECT_EQ(scaled->y, 100);
    EXPECT_EQ(scaled->GetSizeWidth(), 20);
    EXPECT_EQ(scaled->GetSizeHeight(), 30);
}

TEST_F(UndoTest, AnUndoneCreationRemovesAndDeletesTheObject) {
    const uint32_t live = gLiveSymbolCount;
    cPObjPoint *made = Place(staff, 17, 30, 100);
    gPointUndo->RecordCreate(made);
    gPointUndo->Undo();
    EXPECT_TRUE(staff->children.empty());
    EXPECT_EQ(gLiveSymbolCount, live);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
}

// The document is the owner of its top-level symbols (free symbols, page
// breaks, systems): their records find it as they find any other owner.
TEST_F(UndoTest, EditsOfTheDocumentsOwnChildrenAreUndone) {
    const uint32_t live = gLiveSymbolCount;
    cPObjPoint *moved = Place(document, 15, 40, 10);
    gPointUndo->RecordMove(moved);
    moved->MoveBy(0, 60);
    gPointUndo->Undo();
    EXPECT_EQ(moved->y, 10);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);

    moved->Detach(1);
    EXPECT_FALSE(Holds(document, moved));
    gPointUndo->Undo();
    EXPECT_TRUE(Holds(document, moved));
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);

    cPObjPoint *made = Place(document, 1, 70, 10);
    gPointUndo->RecordCreate(made);
    gPointUndo->Undo();
    EXPECT_EQ(CountIn(document, made), 0);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live + 1);  // the moved one remains
}

// A record whose owner has left the document is discarded when undone.  The
// owner is deleted before the undo, so a record that read through its old
// pointer would touch freed memory (the sanitizer's build stops there).
TEST_F(UndoTest, ARecordWhoseOwnerIsGoneIsDiscarded) {
    enum eKind { kDelete, kMove, kCreate };
    struct sCase {
        const char *name;
        eKind kind;
        bool deleteOwner;  // otherwise the owner lives on outside the document
    };
    const sCase cases[] = {
        {"deletion, owner deleted", kDelete, true}, {"move, owner deleted", kMove, true},
        {"creation, owner deleted", kCreate, true}, {"deletion, owner taken out", kDelete, false},
        {"move, owner taken out", kMove, false},    {"creation, owner taken out", kCreate, false},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t live = gLiveSymbolCount;
        cListOwner *other = new cListOwner;
        document->InsertChild(other);
        cPObjPoint *p = Place(other, 1, 5, 5);
        switch (c.kind) {
        case kDelete: p->Detach(1); break;
        case kMove:
            gPointUndo->RecordMove(p);
            p->MoveBy(3, 0);
            break;
        case kCreate: gPointUndo->RecordCreate(p); break;
        }
        std::unique_ptr<cPObjPoint> out(other->Detach(0));
        if (c.deleteOwner) out.reset();
        ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
        EXPECT_EQ(gPointUndo->GetRecord(0)->Validate(), kFailed);
        EXPECT_NE(DumpText().find(") invalid\n"), std::string::npos) << DumpText();
        EXPECT_NE(gPointUndo->GetRecord(0)->Describe().find(u": invalid"), std::u16string::npos);

        EXPECT_EQ(gPointUndo->Undo(), 0);
        EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
        if (out) {
            // Nothing was put back into the owner outside the document.
            const bool hasChild = !static_cast<cListOwner *>(out.get())->children.empty();
            EXPECT_EQ(hasChild, c.kind != kDelete);
            if (c.kind == kMove) {
                EXPECT_EQ(p->x, 8);
            }
        }
        out.reset();
        EXPECT_EQ(gLiveSymbolCount, live);
    }
}

// The owner stays, but the object has left it (taken out, or moved to
// another owner): a move or a creation record no longer applies.
TEST_F(UndoTest, AMoveOrCreationOfAnObjectNoLongerUnderItsOwnerIsDiscarded) {
    cListOwner *other = new cListOwner;
    document->InsertChild(other);
    for (bool create : {false, true}) {
        for (bool intoOther : {false, true}) {
            SCOPED_TRACE(testing::Message() << "creation " << create << ", into another owner " << intoOther);
            cPObjPoint *p = Place(staff, 1, 10, 100);
            if (create)
                gPointUndo->RecordCreate(p);
            else
                gPointUndo->RecordMove(p);
            p->MoveBy(4, 0);
            std::unique_ptr<cPObjPoint> out(p->Detach(0));
            if (intoOther) other->InsertChild(out.release());
            gPointUndo->Undo();
            EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
            EXPECT_EQ(p->x, 14);
            if (intoOther) {
                EXPECT_TRUE(Holds(other, p));
            }
        }
    }
}

TEST_F(UndoTest, WithoutADocumentNoRecordApplies) {
    cPObjPoint *p = Place(staff, 1, 10, 100);
    gPointUndo->RecordMove(p);
    p->MoveBy(5, 0);
    gCurrentDocument = nullptr;
    EXPECT_EQ(gPointUndo->GetRecord(0)->Validate(), kFailed);
    gPointUndo->Undo();
    EXPECT_EQ(p->x, 15);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
}

// A symbol that takes an owner only while allowed.
class cPickySymbol : public cPObjPoint {
public:
    bool OnInsert() override { return allowed; }
    bool allowed = true;
};

TEST_F(UndoTest, AnObjectItsOwnerRefusesIsDeletedNotLost) {
    auto *picky = new cPickySymbol;
    staff->InsertChild(picky);
    const uint32_t live = gLiveSymbolCount;
    picky->Detach(1);
    picky->allowed = false;
    gPointUndo->Undo();
    EXPECT_TRUE(staff->children.empty());
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 1);
}

// A deleted unit is kept while its children stand in its owner.  When none
// of them is left there to take back, the unit has nothing to stand for and
// deletes itself as undo hands it over.
TEST_F(UndoTest, AUnitWhoseChildrenAreGoneIsNotPutBack) {
    auto *unit = new cPObjGroup;
    unit->SetUnitFlag(1);
    unit->SetPosition(10, 100);
    staff->InsertChild(unit);
    cPObjPoint *a = Place(unit, 1, 20, 100);
    cPObjPoint *b = Place(unit, 1, 40, 100);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(unit->Detach(1), nullptr);
    ASSERT_TRUE(Holds(staff, a) && Holds(staff, b));
    delete a->Detach(0);
    delete b->Detach(0);
    gPointUndo->Undo();
    EXPECT_TRUE(staff->children.empty());
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 3);
}

TEST_F(UndoTest, PurgeDropsEveryRecordOfTheObject) {
    cPObjPoint *a = Place(staff, 1, 10, 100);
    cPObjPoint *b = Place(staff, 1, 20, 100);
    gPointUndo->RecordMove(a);
    gPointUndo->RecordMove(b);
    gPointUndo->RecordCreate(a);
    a->Detach(1);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(gPointUndo->Purge(a), 0);
    ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    EXPECT_TRUE(IsUndoRecord(0, u"UnMove", b));
    // The deleted object and the copy of its move went with their records.
    EXPECT_EQ(gLiveSymbolCount, live - 2);
    EXPECT_EQ(gPointUndo->Purge(nullptr), 0);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 1);
}

TEST_F(UndoTest, ClearingAndTransposingEmptyTheList) {
    cPObjPoint *p = Place(staff, 1, 10, 100);
    const uint32_t live = gLiveSymbolCount;
    gPointUndo->RecordMove(p);
    Place(staff, 1, 20, 100)->Detach(1);
    EXPECT_EQ(gLiveSymbolCount, live + 2);
    gPointUndo->Clear();
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live);

    gPointUndo->RecordMove(p);
    p->MoveBy(1, 1);
    p->OnTranspose(nullptr);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    gPointUndo->Undo();
    EXPECT_EQ(p->x, 11);
}

TEST_F(UndoTest, RecordsDescribeAndDumpThemselves) {
    cPObjPoint *p = Place(staff, 1, 10, 120);
    cPObjPoint *q = Place(staff, 17, -5, 1234);
    gPointUndo->RecordMove(p);
    gPointUndo->RecordCreate(q);
    cPObjPoint *r = Place(document, 2, 7, 8);
    r->Detach(1);
    std::unique_ptr<cPObjPoint> out(staff->Detach(0));  // p and q leave the document

    const std::string expected = "\"UnMove\"     (" + Address(p) + ") invalid\n" +
                                 "\"UnCreate\"   (" + Address(q) + ") invalid\n" +
                                 "\"Undelete\"   (" + Address(r) + ") Shape @   7,    8, Window\n";
    EXPECT_EQ(DumpText(), expected);
    EXPECT_EQ(gPointUndo->GetRecord(0)->Describe(), u"UnMove: invalid");
    EXPECT_EQ(gPointUndo->GetRecord(2)->Describe(), u"Undelete: Shape @ 7, 8");

    document->InsertChild(out.release());
    EXPECT_EQ(gPointUndo->GetRecord(1)->Describe(), u"UnCreate: Music17 @ -5, 1234");
    std::istringstream lines(DumpText());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "\"UnMove\"     (" + Address(p) + ") Point @  10,  120, ListOwner");
    std::getline(lines, line);
    EXPECT_EQ(line, "\"UnCreate\"   (" + Address(q) + ") Music17 @  -5, 1234, ListOwner");

    gPointUndo->Undo();
    EXPECT_TRUE(Holds(document, r));
}

TEST_F(UndoTest, RefersToAnswersForTheRecordsOwnObjectOnly) {
    cPObjPoint *p = Place(staff, 1, 10, 100);
    cPObjPoint *q = Place(staff, 1, 20, 100);
    gPointUndo->RecordMove(p);
    const cUndelete *record = gPointUndo->GetRecord(0);
    EXPECT_EQ(record->RefersTo(p), 0);
    EXPECT_EQ(record->RefersTo(q), kFailed);
    EXPECT_EQ(record->RefersTo(nullptr), kFailed);
    EXPECT_EQ(record->RefersTo(staff), kFailed);
    EXPECT_EQ(gPointUndo->GetRecord(1), nullptr);
    EXPECT_EQ(gPointUndo->GetRecord(-1), nullptr);

    // A deletion record that has handed its object back refers to it no
    // more, and lets it live on in the document.
    auto handedBack = std::make_unique<cUndelete>(q);
    EXPECT_EQ(handedBack->RefersTo(q), 0);
    std::unique_ptr<cPObjPoint> taken(q->Detach(0));
    handedBack->Apply();
    taken.release();
    EXPECT_TRUE(Holds(staff, q));
    EXPECT_EQ(handedBack->RefersTo(q), kFailed);
    handedBack.reset();
    EXPECT_TRUE(Holds(staff, q));

    gPointUndo->RecordMove(nullptr);
    EXPECT_EQ(gPointUndo->GetRecord(1)->RefersTo(nullptr), kFailed);
    EXPECT_EQ(gPointUndo->GetRecord(1)->Validate(), kFailed);
}

}  // namespace

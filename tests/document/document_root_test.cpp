// The document root: mouse editing as scripted sessions on the headless
// score window, keys, searching children from a position, the condense step
// at page ends, drawing (whole, by rectangle, the visible area, the page
// edge) and the errors raised while the document draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/commands.h"
#include "tests/document/symbol_fixture.h"
#include "tests/document/undo_check.h"

namespace {

using test::SymbolTest;

constexpr int16_t kProbeId = 40;
constexpr int16_t kRefusedId = 41;
constexpr int16_t kMoveAllId = 42;
constexpr int16_t kUnitId = 50;
constexpr int16_t kBlockMarkId = 14;
constexpr int16_t kRefusingId = 43;
constexpr int16_t kStaffId = 184;

// The drag kind that BeginDrag was last given, by any of the classes here.
int32_t gDragKind = 0;

// A point symbol with a box of 10 x height from its point.  It remembers
// the drag kind, can move in steps only, and can be told to fail its
// recalculation or refuse being inserted.
class cProbe : public cPObjPoint {
public:
    explicit cProbe(int16_t id = kProbeId) : id(id) {}
    const char16_t *GetTypeName() const override { return id == kProbeId ? u"Probe" : u"OtherProbe"; }
    int16_t GetTypeId() const override { return id; }
    cPObjPoint *NewSameClass() const override { return new cProbe(id); }
    int32_t GetRight() override { return x + 9; }
    int32_t GetBottom() override { return y + tall - 1; }
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t kind) override {
        gDragKind = kind;
        return cPObjPoint::BeginDrag(px, py, kind);
    }
    void MoveBy(int32_t dx, int32_t dy) override { cPObjPoint::MoveBy(dx / step * step, dy / step * step); }
    bool Recalculate() override { return !failRecalculate; }
    bool OnInsert() override { return !refuseInsert; }
    cRectangl *DrawRect(const cRectangl &rect, int16_t flags) override {
        ++drawRectCalls;
        return cPObjPoint::DrawRect(rect, flags);
    }

    int32_t tall = 10;
    int32_t step = 1;
    bool failRecalculate = false;
    bool refuseInsert = false;
    int32_t drawRectCalls = 0;

private:
    int16_t id;
};

// Takes objects of its own kind: with Move All the later ones follow it.
class cMoveAllProbe : public cProbe {
public:
    cMoveAllProbe() : cProbe(kMoveAllId) {}
    cPObjPoint *NewSameClass() const override { return new cMoveAllProbe; }
    tStatus AcceptsObject(cPObjBase *obj) override { return obj && obj->GetTypeId() == kMoveAllId ? 0 : kFailed; }
};

// A page break that counts the times the visible area asked it to draw.
// Never goes into an owner.
class cRefusingProbe : public cProbe {
public:
    cRefusingProbe() : cProbe(kRefusingId) { refuseInsert = true; }
    const char16_t *GetTypeName() const override { return u"RefusingProbe"; }
    cPObjPoint *NewSameClass() const override { return new cRefusingProbe; }
};

class cBreakProbe : public cProbe {
public:
    uint32_t GetTypeFlags(int16_t typeId) const override { return cProbe::GetTypeFlags(typeId) | kTypePageBreak; }
};

// A unit of the music layer's kind: it takes probes by answering them, as
// attachments take notes.
class cProbeUnit : public cPObjGroup {
public:
    cProbeUnit() { unit = 1; }
    const char16_t *GetTypeName() const override { return u"ProbeUnit"; }
    int16_t GetTypeId() const override { return kUnitId; }
    cPObjPoint *NewSameClass() const override { return new cProbeUnit; }
    cPObjPoint *AcceptsChild(cPObjBase *obj, uint32_t flags) override {
        if (flags != 0x8000) return cPObjGroup::AcceptsChild(obj, flags);
        return obj && obj->GetTypeId() == kProbeId ? static_cast<cPObjPoint *>(obj) : nullptr;
    }
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t kind) override {
        gDragKind = kind;
        return cPObjGroup::BeginDrag(px, py, kind);
    }
};

class cProbeStaff : public test::cListOwner {
public:
    cPObjPoint *NewSameClass() const override { return new cProbeStaff; }
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t kind) override {
        gDragKind = kind;
        return cListOwner::BeginDrag(px, py, kind);
    }
};

// A document ordered by y, as the score is.
class cYDocument : public PointWindowObject {
public:
    using PointWindowObject::PointWindowObject;
    cPObjPoint *NewSameClass() const override { return new cYDocument(GetScoreWindow()); }
    int32_t GetChildOrder() const override { return 0; }
};

// Takes the reports of the error reporter for one test and keeps the flags
// of those of the symbol model.  (Under Windows a window without a paint
// under way also reports its drawing calls.)
class cRecordingReporter : public cErrorMsgBase {
public:
    cRecordingReporter() : saved(gErrorMsg) { gErrorMsg = this; }
    ~cRecordingReporter() override { gErrorMsg = saved; }
    void Report(const sErrorTable *table, uint32_t flags) override {
        if (table->moduleName && std::u16string(table->moduleName) == u"PointObj") reports.push_back(flags);
    }
    void PutChar(char16_t) override {}

    std::vector<uint32_t> reports;

private:
    cErrorMsgBase *saved;
};

class DocumentTest : public SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        test::BuildTestRegistry();
        (new cProbe)->Register(nullptr);
        (new cProbe(kRefusedId))->Register(nullptr);
        (new cMoveAllProbe)->Register(nullptr);
        (new cProbeUnit)->Register(nullptr);
        (new cProbeStaff)->Register(nullptr);
        (new cRefusingProbe)->Register(nullptr);
        window = std::make_unique<test::cTestScoreWindow>();
        window->SetSize(400, 300);
        document = new cYDocument(window.get());
        gDragKind = 0;
    }
    void TearDown() override {
        delete document;
        gOutputWindow = nullptr;
        window.reset();
        SymbolTest::TearDown();
    }

    template <class T = cProbe>
    T *Add(cPObjOwnBase *owner, int32_t px, int32_t py) {
        T *obj = new T;
        obj->SetPosition(px, py);
        EXPECT_TRUE(owner->InsertChild(obj));
        return obj;
    }
    cProbe *Add(int32_t px, int32_t py) { return Add<cProbe>(document, px, py); }

    std::vector<cPObjPoint *> Children(cPObjOwnBase *owner) {
        std::vector<cPObjPoint *> list;
        for (uint16_t i = 0; i < owner->GetChildSlots(); ++i) list.push_back(owner->GetChild(i));
        return list;
    }

    std::unique_ptr<test::cTestScoreWindow> window;
    PointWindowObject *document = nullptr;
};

TEST_F(DocumentTest, MadeItIsTheCurrentDocumentWithoutANameAndForgetsThatWhenGone) {
    EXPECT_EQ(gCurrentDocument, document);
    EXPECT_EQ(std::u16string(document->GetFileName()), u"NoName");
    EXPECT_EQ(document->GetScoreWindow(), window.get());
    EXPECT_EQ(document->GetInsertMode(), 0);
    auto *other = new PointWindowObject;
    EXPECT_EQ(gCurrentDocument, other);
    delete other;
    EXPECT_EQ(gCurrentDocument, nullptr);
    gCurrentDocument = document;
    auto *older = new PointWindowObject;
    gCurrentDocument = document;
    delete older;  // not the current one: the current one stays
    EXPECT_EQ(gCurrentDocument, document);
}

TEST_F(DocumentTest, InsertingMarksTheDocumentChangedAndClearingEmptiesTheUndoList) {
    gDocumentFlags = 0;
    cProbe *a = Add(10, 10);
    EXPECT_EQ(document->GetChangeFlags(), 0x2u);
    EXPECT_EQ(a->FindOwner(0, 0), document);
    gPointUndo->RecordMove(a);  // keeps a copy of a
    gPointUndo->RecordCreate(a);
    const uint32_t live = gLiveSymbolCount;
    document->Clear(0);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(document->GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 2);
}

TEST_F(DocumentTest, DestroyingTheDocumentDeletesTheBlockClipboard) {
    gBlockClipboard = new cPObjBlockGroup;
    const uint32_t live = gLiveSymbolCount;
    delete document;
    document = nullptr;
    EXPECT_EQ(gBlockClipboard, nullptr);
    EXPECT_EQ(gLiveSymbolCount, live - 2);
}

// --- Mouse editing ----------------------------------------------------------

// What a click leaves under edit.
enum class eOutcome { kNothing, kPlaced, kAttached, kDragged };

// The scene of every session: a probe P, a probe of a class the unit does
// not take O, a probe that refuses to go into a unit R, a unit U holding a
// probe Q, and an empty staff S below them.
struct sScene {
    cProbe *p, *o, *r, *q;
    cProbeUnit *u;
    cProbeStaff *s;
};

struct sSession {
    const char *name;
    int16_t tool;
    char target;  // the object clicked, or '-' for empty space, 'S' inside the staff
    bool focusFirst;  // the clicked object has the focus already (and is selected)
    eOutcome outcome;
    char edited;  // the object under edit when it is one of the scene's
    const char16_t *record;  // the type of the record made, null for none
    int32_t dragKind;
};

const sSession kSessions[] = {
    {"no tool on empty space", 0, '-', false, eOutcome::kNothing, 0, nullptr, 0},
    {"no tool on a symbol", 0, 'P', false, eOutcome::kDragged, 'P', u"UnMove", 3},
    {"no tool on the focus symbol", 0, 'P', true, eOutcome::kDragged, 'P', u"UnMove", 4},
    {"no tool inside a staff", 0, 'S', false, eOutcome::kNothing, 0, nullptr, 0},
    {"no tool on a unit's child", 0, 'Q', false, eOutcome::kDragged, 'Q', u"UnMove", 3},
    {"its own class on a symbol", kProbeId, 'P', false, eOutcome::kDragged, 'P', u"UnMove", 3},
    {"another class on a symbol", kRefusedId, 'P', false, eOutcome::kDragged, 'P', u"UnMove", 3},
    {"a symbol tool on empty space", kProbeId, '-', false, eOutcome::kPlaced, 0, u"UnCreate", 2},
    {"a symbol tool inside a staff", kProbeId, 'S', false, eOutcome::kPlaced, 0, u"UnCreate", 2},
    {"the staff tool on a staff", kStaffId, 'S', false, eOutcome::kDragged, 'S', u"UnMove", 3},
    {"a unit tool on a symbol it takes", kUnitId, 'P', false, eOutcome::kAttached, 'P', u"UnCreate", 2},
    {"a unit tool on the focus symbol", kUnitId, 'P', true, eOutcome::kAttached, 'P', u"UnCreate", 2},
    {"a unit tool on a symbol it does not take", kUnitId, 'O', false, eOutcome::kDragged, 'O', nullptr, 3},
    {"a unit tool, attaching refused", kUnitId, 'R', false, eOutcome::kDragged, 'R', u"UnMove", 3},
    {"a unit tool on the selected child of its unit", kUnitId, 'Q', true, eOutcome::kDragged, 'U', u"UnMove", 3},
    {"a unit tool on empty space", kUnitId, '-', false, eOutcome::kNothing, 0, nullptr, 0},
    {"a symbol tool whose symbol the document refuses", kRefusingId, '-', false, eOutcome::kNothing, 0, nullptr, 0},
};

TEST_F(DocumentTest, MouseSessions) {
    for (const sSession &session : kSessions) {
        SCOPED_TRACE(session.name);
        sScene scene{};
        scene.p = Add(100, 100);
        scene.o = new cProbe(kRefusedId);
        scene.o->SetPosition(130, 100);
        document->InsertChild(scene.o);
        scene.r = Add(160, 100);
        scene.r->refuseInsert = true;
        scene.u = Add<cProbeUnit>(document, 200, 100);
        scene.u->SetSize(20, 20);
        scene.q = Add<cProbe>(scene.u, 200, 100);
        scene.s = Add<cProbeStaff>(document, 0, 300);
        scene.s->SetSize(400, 40);
        auto object = [&](char c) -> cPObjPoint * {
            switch (c) {
            case 'P': return scene.p;
            case 'O': return scene.o;
            case 'R': return scene.r;
            case 'Q': return scene.q;
            case 'U': return scene.u;
            case 'S': return scene.s;
            default: return nullptr;
            }
        };
        int32_t cx = 50, cy = 50;
        if (session.target == 'S') {
            cx = 250, cy = 320;
        } else if (cPObjPoint *t = object(session.target)) {
            cx = t->x + 5, cy = t->y + 5;
        }
        if (session.focusFirst) gSelectedObject = gFocusObject = object(session.target);
        gPointUndo->Clear();
        gRelocate = 0;
        gDragKind = 0;
        gLastMouseX = gLastMouseY = -1;
        const std::vector<cPObjPoint *> before = Children(document);
        const uint32_t live = gLiveSymbolCount;
        window->StoreMousePos(cx, cy);

        cPObjPoint *result = document->OnMouseDown(session.tool, cx, cy);

        cPObjPoint *expected = object(session.edited);
        switch (session.outcome) {
        case eOutcome::kNothing:
            EXPECT_EQ(result, nullptr);
            EXPECT_EQ(Children(document), before);
            EXPECT_EQ(gLiveSymbolCount, live);
            EXPECT_EQ(gLastMouseX, cx);
            EXPECT_EQ(gLastMouseY, cy);
            EXPECT_EQ(gHoverObject, nullptr);
            break;
        case eOutcome::kDragged:
            // (A move record keeps a copy: the count says nothing here.)
            EXPECT_EQ(result, expected);
            EXPECT_EQ(Children(document), before);
            break;
        case eOutcome::kPlaced:
            ASSERT_NE(result, nullptr);
            EXPECT_EQ(result->GetTypeId(), session.tool);
            EXPECT_EQ(result->FindOwner(0, 0), document);
            EXPECT_EQ(result->x, cx);
            EXPECT_EQ(result->y, cy);
            EXPECT_EQ(gLiveSymbolCount, live + 1);
            break;
        case eOutcome::kAttached: {
            ASSERT_NE(result, nullptr);
            EXPECT_EQ(result->GetTypeId(), session.tool);
            auto *unit = dynamic_cast<cPObjOwnBase *>(result);
            ASSERT_NE(unit, nullptr);
            EXPECT_EQ(Children(unit), std::vector<cPObjPoint *>{expected});
            EXPECT_EQ(result->FindOwner(0, 0), document);
            EXPECT_EQ(gLiveSymbolCount, live + 1);
            break;
        }
        }
        if (result) {
            EXPECT_EQ(gHoverObject, result);
            EXPECT_EQ(gSelectedObject, result);
            EXPECT_EQ(gFocusObject, result);
            EXPECT_EQ(gDragKind, session.dragKind);
            // The pointer goes to the handle of what is edited.
            EXPECT_EQ(gLastMouseX, result->GetHandleX());
            EXPECT_EQ(gLastMouseY, result->GetHandleY());
        }
        if (session.record) {
            ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
            EXPECT_TRUE(test::IsUndoRecord(0, session.record, result));
        } else {
            EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
        }

        EXPECT_EQ(document->OnMouseUp(), result);
        EXPECT_EQ(gHoverObject, nullptr);
        if (result) {
            EXPECT_EQ(result->GetRoot(), document);
        }
        gSelectedObject = gFocusObject = nullptr;
        document->Clear(0);
    }
}

TEST_F(DocumentTest, AddObjectPlacesInsertsRecordsAndSelects) {
    // An object without an owner is placed at the point first.
    auto *p = new cProbe;
    EXPECT_EQ(document->AddObject(p, 30, 40, PointWindowObject::kDragFirst), p);
    EXPECT_EQ(p->x, 30);
    EXPECT_EQ(p->y, 40);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{p});
    EXPECT_EQ(gSelectedObject, p);
    EXPECT_EQ(gHoverObject, p);
    EXPECT_EQ(gDragKind, 3);
    ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    EXPECT_TRUE(test::IsUndoRecord(0, u"UnCreate", p));
    document->OnMouseUp();

    // A unit without children is handed back as it is.
    auto *unit = new cProbeUnit;
    EXPECT_EQ(document->AddObject(unit, 50, 60, PointWindowObject::kDragNew), unit);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{p});
    EXPECT_EQ(gPointUndo->GetRecordCount(), 1);
    EXPECT_EQ(gHoverObject, nullptr);
    delete unit;

    // Refused, the object stays the caller's.
    auto *refused = new cRefusingProbe;
    EXPECT_EQ(document->AddObject(refused, 70, 80, PointWindowObject::kDragNew), nullptr);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{p});
    EXPECT_EQ(gPointUndo->GetRecordCount(), 1);
    delete refused;

    EXPECT_EQ(document->AddObject(nullptr, 90, 95, PointWindowObject::kDragNew), nullptr);
    EXPECT_EQ(gLastMouseX, 90);
    EXPECT_EQ(gLastMouseY, 95);
}

TEST_F(DocumentTest, SelectingNothingClearsTheSelection) {
    cProbe *p = Add(100, 100);
    ASSERT_EQ(document->OnMouseDown(0, 105, 105), p);
    EXPECT_EQ(document->SelectObject(nullptr, 0, 0, PointWindowObject::kDragFirst), nullptr);
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_EQ(gFocusObject, nullptr);
    EXPECT_EQ(gHoverObject, nullptr);
}

TEST_F(DocumentTest, APlacementIsUndoneByCtrlZ) {
    cPObjPoint *placed = document->OnMouseDown(kProbeId, 60, 70);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(document->OnMouseUp(), placed);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(document->OnDocumentKey(26), 0);
    EXPECT_EQ(document->GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live - 1);
}

TEST_F(DocumentTest, AnAttachmentIsUndoneByCtrlZAndTheSymbolStandsAsBefore) {
    cProbe *p = Add(100, 100);
    cPObjPoint *unit = document->OnMouseDown(kUnitId, 105, 105);
    ASSERT_NE(unit, nullptr);
    document->OnMouseUp();
    document->OnDocumentKey(26);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{p});
    EXPECT_EQ(p->FindOwner(0, 0), document);
}

TEST_F(DocumentTest, RelocateModeEndsWithAClickThatDoesNotRelocate) {
    auto *unit = Add<cProbeUnit>(document, 100, 100);
    cProbe *inUnit = Add<cProbe>(unit, 100, 100);
    struct sClick {
        const char *name;
        int32_t x, y;
    };
    // A child of a unit is never taken out of it.
    const sClick clicks[] = {{"empty space", 50, 50}, {"a child of a unit", 105, 105}};
    for (const sClick &c : clicks) {
        SCOPED_TRACE(c.name);
        cPObjBase::SetRelocate(1);
        document->OnMouseDown(0, c.x, c.y);
        EXPECT_EQ(gRelocate, 0);
        document->OnMouseUp();
    }
    EXPECT_EQ(inUnit->FindOwner(0, 0), unit);
}

TEST_F(DocumentTest, RelocatingTakesASymbolOutOfItsStaffIntoTheDocument) {
    auto *staff = Add<cProbeStaff>(document, 0, 100);
    staff->SetSize(400, 40);
    cProbe *p = Add<cProbe>(staff, 100, 110);
    cPObjBase::SetRelocate(1);
    gDocumentFlags = 0;
    EXPECT_EQ(document->OnMouseDown(0, 105, 115), p);
    EXPECT_EQ(p->FindOwner(0, 0), document);
    EXPECT_TRUE(staff->children.empty());
    EXPECT_EQ(gDragKind, 2);
    EXPECT_EQ(gRelocate, 1);
    EXPECT_TRUE(gDocumentFlags & 0x1);
    document->OnMouseUp();

    // Refused by the document, it goes back into its staff.
    cProbe *r = Add<cProbe>(staff, 200, 110);
    r->refuseInsert = true;
    EXPECT_EQ(document->OnMouseDown(0, 205, 115), nullptr);
    EXPECT_EQ(r->FindOwner(0, 0), staff);
    EXPECT_EQ(staff->children, std::vector<cPObjPoint *>{r});
    EXPECT_EQ(gRelocate, 1);
}

TEST_F(DocumentTest, SelectingAwayFromABlockMarkDeletesIt) {
    cProbe *p = Add(100, 100);
    cPObjPoint *mark = document->OnMouseDown(kBlockMarkId, 10, 10);
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->GetTypeFlags(0) & kTypeBlockMark);
    document->OnMouseUp();
    EXPECT_EQ(gFocusObject, mark);
    // A second click on the mark keeps it.
    document->OnMouseDown(0, mark->GetHandleX(), mark->GetHandleY());
    EXPECT_EQ(gHoverObject, mark);
    document->OnMouseUp();
    EXPECT_EQ(Children(document), (std::vector<cPObjPoint *>{mark, p}));
    EXPECT_EQ(document->OnMouseDown(0, 105, 105), p);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{p});
    EXPECT_EQ(gCurrentBlockMark, nullptr);
    EXPECT_EQ(gFocusObject, p);
    document->OnMouseUp();
}

TEST_F(DocumentTest, MovesSmallerThanAHandleStepAddUpUntilTheSymbolMoves) {
    cProbe *p = Add(100, 100);
    p->step = 5;
    ASSERT_EQ(document->OnMouseDown(0, 100, 100), p);
    gDocumentFlags = 0;
    struct sStep {
        int32_t mx, my;
        int32_t x, y;  // where the symbol stands after the move
        int32_t lastX, lastY;
    };
    const sStep steps[] = {
        {102, 101, 100, 100, 100, 100},  // too small: nothing moves, nothing is taken
        {104, 103, 100, 100, 100, 100},
        {106, 104, 105, 100, 105, 100},  // 6 across moves one step; 4 down is still short
        {107, 106, 105, 105, 105, 105},  // the 6 down, summed, moves
        {108, 107, 105, 105, 105, 105},  // short again on both axes
    };
    for (const sStep &s : steps) {
        SCOPED_TRACE(s.mx);
        document->OnMouseMove(s.mx, s.my);
        EXPECT_EQ(p->x, s.x);
        EXPECT_EQ(p->y, s.y);
        EXPECT_EQ(gLastMouseX, s.lastX);
        EXPECT_EQ(gLastMouseY, s.lastY);
        EXPECT_EQ((gDocumentFlags & 0x1) != 0, s.x != 100 || s.y != 100);
    }
    EXPECT_EQ(window->GetMouseX(), 105);
    EXPECT_EQ(window->GetMouseY(), 105);
    document->OnMouseUp();
}

TEST_F(DocumentTest, WithoutAnEditAMouseMoveOnlyRemembersThePosition) {
    cProbe *p = Add(100, 100);
    document->OnMouseMove(30, 40);
    EXPECT_EQ(gLastMouseX, 30);
    EXPECT_EQ(gLastMouseY, 40);
    EXPECT_EQ(p->x, 100);
}

TEST_F(DocumentTest, MoveAllTakesTheLaterSymbolsOfTheKindAlong) {
    for (bool moveAll : {false, true}) {
        SCOPED_TRACE(moveAll);
        gEditFlags = moveAll ? 0x10 : 0;
        auto *a = Add<cMoveAllProbe>(document, 0, 10);
        auto *b = Add<cMoveAllProbe>(document, 0, 50);
        auto *c = Add<cMoveAllProbe>(document, 0, 90);
        cProbe *other = Add(0, 70);
        ASSERT_EQ(document->OnMouseDown(0, 5, 15), a);
        document->OnMouseMove(0, 20);
        document->OnMouseMove(0, 25);
        EXPECT_EQ(a->y, 25);
        EXPECT_EQ(b->y, moveAll ? 65 : 50);
        EXPECT_EQ(c->y, moveAll ? 105 : 90);
        EXPECT_EQ(other->y, 70);
        EXPECT_EQ(document->GetMoveAlong().children.size(), moveAll ? 2u : 0u);
        document->OnMouseUp();
        EXPECT_TRUE(document->GetMoveAlong().children.empty());
        gSelectedObject = gFocusObject = nullptr;
        document->Clear(0);
    }
}

TEST_F(DocumentTest, AUnitEmptiedByADragIsDeletedAndCtrlZDoesNotBringItBack) {
    auto *unit = Add<cProbeUnit>(document, 100, 100);
    unit->SetSize(20, 20);
    cProbe *child = Add<cProbe>(unit, 100, 100);
    ASSERT_EQ(document->OnMouseDown(0, 115, 115), unit);
    document->OnMouseMove(120, 120);
    // The drag took the unit's only child away.
    delete child->Detach(0);
    gDocumentFlags = 0;
    EXPECT_EQ(document->OnMouseUp(), nullptr);
    const uint32_t live = gLiveSymbolCount;
    EXPECT_EQ(document->GetChildCount(), 0);
    EXPECT_EQ(gHoverObject, nullptr);
    EXPECT_EQ(gSelectedObject, nullptr);
    EXPECT_TRUE(gDocumentFlags & 0x4);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(document->OnDocumentKey(26), 0);
    EXPECT_EQ(document->GetChildCount(), 0);
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(DocumentTest, ASymbolThatFailsToRecalculateAfterADragGoesForGood) {
    cProbe *keep = Add(10, 10);
    cProbe *p = Add(100, 100);
    ASSERT_EQ(document->OnMouseDown(0, 105, 105), p);
    p->failRecalculate = true;
    EXPECT_EQ(document->OnMouseUp(), nullptr);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{keep});
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    const uint32_t live = gLiveSymbolCount;
    document->OnDocumentKey(26);
    EXPECT_EQ(Children(document), std::vector<cPObjPoint *>{keep});
    EXPECT_EQ(gLiveSymbolCount, live);
}

TEST_F(DocumentTest, AfterADragTheSymbolTakesItsPlaceInTheChildOrder) {
    cProbe *a = Add(0, 10);
    cProbe *b = Add(0, 50);
    ASSERT_EQ(document->OnMouseDown(0, 5, 15), a);
    document->OnMouseMove(0, 80);
    gDocumentFlags = 0;
    EXPECT_EQ(document->OnMouseUp(), a);
    EXPECT_EQ(Children(document), (std::vector<cPObjPoint *>{b, a}));
    EXPECT_TRUE(gDocumentFlags & 0x2);
    // Undone, the move puts it back.
    document->OnDocumentKey(26);
    EXPECT_EQ(a->y, 10);
}

// --- Keys -------------------------------------------------------------------

TEST_F(DocumentTest, CtrlZWithAnEmptyListStillRedrawsTheWholeWindow) {
    gPointUndo->Clear();
    cPObjBase::ClearOwnerRedrawArea();
    EXPECT_EQ(document->OnDocumentKey(26), 0);
    EXPECT_TRUE(cPObjBase::GetOwnerRedrawArea()->IsEqual(cRectangl(0, 0, 400, 300)));
}

TEST_F(DocumentTest, InsertTogglesTheInsertModeAndOtherKeysGoToTheFocus) {
    EXPECT_EQ(document->OnDocumentKey(kKeyInsert), 0);
    EXPECT_EQ(document->GetInsertMode(), 1);
    EXPECT_EQ(document->OnDocumentKey(kKeyInsert), 0);
    EXPECT_EQ(document->GetInsertMode(), 0);

    EXPECT_EQ(document->OnDocumentKey(kKeyRight), kFailed);
    cProbe *p = Add(100, 100);
    gSelectedObject = gFocusObject = p;
    cPObjBase::ClearOwnerRedrawArea();
    EXPECT_EQ(document->OnDocumentKey(kKeyRight), 0);
    EXPECT_EQ(p->x, 101);
    EXPECT_TRUE(cPObjBase::GetOwnerRedrawArea()->IsEqual(*p->GetBounds()));
    // A key the focus does not take answers as the focus does.
    EXPECT_EQ(document->OnDocumentKey(kKeyHome), kFailed);
    // Deleted by its key, the focus is gone and nothing is asked of it.
    EXPECT_EQ(document->OnDocumentKey(kKeyDelete), 0);
    EXPECT_EQ(gFocusObject, nullptr);
    EXPECT_EQ(document->GetChildCount(), 0);
}

// --- Children by position ---------------------------------------------------

TEST_F(DocumentTest, FindChildIndexAtGivesTheLastChildBeforeThePosition) {
    Add(0, 10);
    Add(0, 20);
    Add(0, 30);
    struct sCase {
        int32_t x, y;
        uint16_t index;
    };
    const sCase cases[] = {
        {0, 25, 1}, {0, 5, 0}, {0, 35, 2}, {0, 20, 0}, {0, 21, 1}, {kNoPosition, 25, 0}, {0, kNoPosition, 0},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(document->FindChildIndexAt(c.x, c.y), c.index);
    }
    // A document ordered by x compares x.
    auto *byX = new PointWindowObject(window.get());
    for (int32_t x : {10, 20, 30}) Add<cProbe>(byX, x, 100 - x);
    EXPECT_EQ(byX->FindChildIndexAt(25, 0), 1);
    EXPECT_EQ(byX->FindChildIndexAt(5, 500), 0);
    delete byX;
    gCurrentDocument = document;
}

TEST_F(DocumentTest, FindChildStartsAtThePosition) {
    auto *s1 = Add<cProbeStaff>(document, 0, 10);
    cProbe *p = Add<cProbe>(s1, 0, 15);
    auto *s2 = Add<cProbeStaff>(document, 0, 30);
    Add<cProbe>(s2, 0, 32);
    auto *s3 = Add<cProbeStaff>(document, 0, 30);
    cProbe *q = Add<cProbe>(s3, 0, 35);
    cProbe *r = Add(0, 50);
    struct sCase {
        const char *name;
        cPObjBase *wanted;
        int32_t x, y;
        cPObjPoint *found;
    };
    const sCase cases[] = {
        {"inside the child before the position", p, 0, 15, p},
        {"a direct child at its position", r, 0, 50, r},
        {"a child of the second of two owners at the position", q, 0, 30, q},
        {"the owner itself", s3, 0, 30, s3},
        {"before where the search starts", p, 0, 40, nullptr},
        {"beyond the first child after the position", r, 0, 20, nullptr},
        {"no position: everywhere", p, kNoPosition, kNoPosition, p},
        {"no object", nullptr, 0, 15, nullptr},
        {"not in the document", document, 0, 15, nullptr},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(document->FindChild(c.wanted, c.x, c.y), c.found);
    }
}

TEST_F(DocumentTest, ScrollToPageShowsTheChildAfterTheRectangle) {
    window->SetScrollExtent(1000, 1000);
    Add(0, 0);
    Add(0, 100);
    Add(0, 200);
    EXPECT_FALSE(document->ScrollToPage(cRectangl(0, 0, 50, 300)));  // the last child is inside
    EXPECT_FALSE(document->ScrollToPage(cRectangl(0, 500, 50, 50)));  // no child inside
    EXPECT_EQ(window->GetOriginY(), 0);
    EXPECT_TRUE(document->ScrollToPage(cRectangl(0, 0, 50, 150)));
    EXPECT_EQ(window->GetOriginX(), 0);
    EXPECT_EQ(window->GetOriginY(), -200);
}

// --- The condense step ------------------------------------------------------

TEST_F(DocumentTest, ACondensePassStartsAChildThatWouldCrossThePageEndOnTheNextPage) {
    struct sCase {
        const char *name;
        bool pageBreakInMiddle;
        bool maskUpTo150;
        std::vector<int32_t> ys;
    };
    const sCase cases[] = {
        // Rows 5 apart from y 5; the third (33..42) would cross 40, the
        // fifth (73..82) would cross 80.
        {"probes", false, false, {5, 19, 45, 59, 85}},
        // A page break is re-spaced but never pushed to the next page.
        {"a page break in the middle", true, false, {5, 19, 33, 45, 59}},
        // What the mask leaves out neither moves nor is pushed.
        {"masked", false, true, {5, 19, 200, 300, 400}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<cPObjPoint *> children;
        for (int32_t y : {0, 100, 200, 300, 400}) {
            cProbe *child = c.pageBreakInMiddle && y == 200 ? new cBreakProbe : new cProbe;
            if (c.pageBreakInMiddle && y == 200) child->tall = 1;
            child->SetPosition(0, y);
            document->InsertChild(child);
            children.push_back(child);
        }
        cPObjBase::sCmdCondense record;
        record.lastX = record.maxRight = 0;
        record.lastY = record.maxBottom = 0;
        record.gapY = 5;
        record.pageLimit = record.pageHeight = 40;
        sCommandMask mask(nullptr, kMaskMaxY);
        mask.maxY = 150;
        document->OnCommand(kCmdCondense, c.maskUpTo150 ? &mask : nullptr, &record);
        std::vector<int32_t> ys;
        for (cPObjPoint *child : children) ys.push_back(child->y);
        EXPECT_EQ(ys, c.ys);
        document->Clear(0);
    }
}

TEST_F(DocumentTest, WithoutAPageHeightTheCondenseStepMovesNothing) {
    cProbe *a = Add(0, 0);
    cProbe *b = Add(0, 100);
    cPObjBase::sCmdCondense record;
    record.lastY = record.maxBottom = 0;
    record.gapY = 5;
    document->OnCommand(kCmdCondense, nullptr, &record);
    EXPECT_EQ(a->y, 5);
    EXPECT_EQ(b->y, 19);
}

TEST_F(DocumentTest, TheDocumentItselfNeverMovesInACondensePass) {
    document->SetPosition(7, 9);
    cPObjBase::sCmdCondense record;
    record.gapX = record.gapY = 5;
    record.lastOldX = record.lastOldY = kFailed;
    EXPECT_EQ(document->Condense(&record), 0);
    EXPECT_EQ(document->x, 7);
    EXPECT_EQ(document->y, 9);
}

// --- Redraw areas and drawing -----------------------------------------------

TEST_F(DocumentTest, InvalidateBeforeAddsTheVisibleAreaByTheScoreWindowsZoom) {
    test::cTestScoreWindow printer;
    printer.SetSize(800, 1000);
    printer.SetZoomX(0.5f);
    printer.SetZoomY(0.25f);
    gOutputWindow = &printer;
    cPObjBase::SetCurrentWindow(window.get());
    window->SetZoomX(2.0f);
    window->SetZoomY(4.0f);
    cPObjBase::ClearRedrawArea();
    document->InvalidateBefore();
    EXPECT_TRUE(cPObjBase::GetRedrawArea()->IsEqual(cRectangl(0, 0, 200, 75)));
    gOutputWindow = nullptr;

    // Without a window nothing is added.
    cPObjBase::SetCurrentWindow(nullptr);
    auto *alone = new PointWindowObject;
    cPObjBase::ClearRedrawArea();
    test::RaisedErrors errors;
    alone->InvalidateBefore();
    EXPECT_TRUE(cPObjBase::GetRedrawArea()->IsEmpty());
    EXPECT_EQ(errors.Count(), 0);
    delete alone;
    cPObjBase::SetCurrentWindow(window.get());
    gCurrentDocument = document;
}

TEST_F(DocumentTest, InvalidateAfterAsksForTheWholeWindow) {
    cPObjBase::ClearOwnerRedrawArea();
    document->InvalidateAfter();
    EXPECT_TRUE(cPObjBase::GetOwnerRedrawArea()->IsEqual(cRectangl(0, 0, 400, 300)));
}

// A probe whose drawing raises errors or draws the document again.
class cTroubleProbe : public cProbe {
public:
    cPObjPoint *Draw() override {
        if (raise) ErrorInvalidObject();
        if (redraw) gCurrentDocument->Draw();
        if (reporter) reportsDuringPass = reporter->reports.size();
        return cProbe::Draw();
    }
    bool raise = false;
    bool redraw = false;
    cRecordingReporter *reporter = nullptr;
    size_t reportsDuringPass = 99;
};

TEST_F(DocumentTest, ErrorsRaisedWhileTheDocumentDrawsAreShownOnceAfterThePass) {
    auto *raising = Add<cTroubleProbe>(document, 0, 10);
    raising->raise = true;
    auto *nesting = Add<cTroubleProbe>(document, 0, 20);
    nesting->redraw = true;
    auto *last = Add<cTroubleProbe>(document, 0, 30);
    cRecordingReporter reporter;
    last->reporter = &reporter;
    const uint32_t reportFlags = ERR_REPORT;

    struct sPass {
        const char *name;
        void (*draw)(PointWindowObject *);
    };
    const sPass passes[] = {
        {"Draw", [](PointWindowObject *d) { d->Draw(); }},
        {"DrawRect", [](PointWindowObject *d) { d->DrawRect(cRectangl(0, 0, 100, 100), 0); }},
        {"Redraw", [](PointWindowObject *d) { d->Redraw(0); }},
    };
    for (const sPass &pass : passes) {
        SCOPED_TRACE(pass.name);
        reporter.reports.clear();
        pass.draw(document);
        // Nothing was reported while the pass ran, which drew every child.
        EXPECT_EQ(last->reportsDuringPass, 0u);
        // The raising child drew twice (once more in the nested attempt of
        // Redraw, whose pass is not guarded), the nested draw failed once.
        ASSERT_GE(reporter.reports.size(), 2u);
        EXPECT_EQ(reporter.reports[0], kPointObjInvalidObject | reportFlags);
        size_t nested = 0;
        for (size_t i = 1; i < reporter.reports.size(); ++i) {
            EXPECT_EQ(reporter.reports[i] & reportFlags, 0u) << i;
            if (reporter.reports[i] == kPointObjNestedDraw) ++nested;
        }
        EXPECT_EQ(nested, 1u);
        last->reportsDuringPass = 99;
    }

    // Outside a draw the error is shown at once.
    reporter.reports.clear();
    cPObjBase::ErrorInvalidObject();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0], kPointObjInvalidObject | reportFlags);
}

#if !defined(_WIN32)

TEST_F(DocumentTest, DrawDrawsEveryChildAndThePageEdgeWithItsOwnColour) {
    test::cTestScoreWindow printer;
    printer.SetSize(850, 1100);
    printer.SetZoomX(2.0f);
    cPObjBase::SetCurrentWindow(window.get());
    Add(10, 10);
    Add(20, 200);
    window->SetLineWidth(3);
    window->SetColour(0x123456);
    window->TakeOps();

    // Without an output device there is no page edge.
    document->Draw();
    EXPECT_EQ(window->TakeOps(), (std::vector<std::string>{"DrawPoint", "DrawPoint"}));
    EXPECT_EQ(window->GetLineWidth(), 1);

    gOutputWindow = &printer;
    window->ClearRecords();
    document->Draw();
    const std::vector<sDrawRecord> records = window->Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].args, (std::vector<int32_t>{10, 10}));
    EXPECT_EQ(records[1].args, (std::vector<int32_t>{20, 200}));
    EXPECT_EQ(records[2].op, "DrawLine");
    EXPECT_EQ(records[2].args, (std::vector<int32_t>{425, 0, 425, 299}));
    EXPECT_EQ(records[2].penColour, 0x00C0F27Du);
    EXPECT_EQ(window->GetPenColour(), 0x123456u);
}

TEST_F(DocumentTest, ThePageEdgeRunsDownTheVisibleAreaInDocumentUnits) {
    test::cTestScoreWindow printer;
    printer.SetSize(600, 800);
    printer.SetZoomX(1.5f);
    cPObjBase::SetCurrentWindow(window.get());
    gOutputWindow = &printer;
    window->SetScrollExtent(5000, 5000);
    window->SetZoomY(2.0f);
    window->SetOrigin(0, -100);
    window->ClearRecords();
    document->Draw();
    const std::vector<sDrawRecord> records = window->Records();
    ASSERT_EQ(records.size(), 1u);
    // Height 300 at zoom 2 is 150 units; the view starts at y 100.
    EXPECT_EQ(records[0].args, (std::vector<int32_t>{400, 100, 400, 249}));
}

TEST_F(DocumentTest, DrawRectDrawsTheChildrenInTheRectangle) {
    Add(10, 10);
    cProbe *middle = Add(20, 100);
    Add(30, 200);
    struct sCase {
        int16_t flags;
        cRectangl drawn;
    };
    // Meeting the rectangle, the document itself is concerned too; asked
    // for what lies wholly inside, only the middle child is.
    const sCase cases[] = {{0, *document->GetBounds()}, {0x40, *middle->GetBounds()}};
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.flags);
        window->ClearRecords();
        cRectangl result = *document->DrawRect(cRectangl(0, 90, 100, 30), c.flags);
        EXPECT_TRUE(result.IsEqual(c.drawn));
        ASSERT_EQ(window->Records().size(), 1u);
        EXPECT_EQ(window->Records()[0].args, (std::vector<int32_t>{20, 100}));
    }
    window->ClearRecords();
    EXPECT_TRUE(document->DrawRect(cRectangl(300, 300, 10, 10), 0)->IsEmpty());
    EXPECT_TRUE(window->Records().empty());
}

TEST_F(DocumentTest, RedrawDrawsTheVisibleChildrenAndTheOneBeforeThem) {
    window->SetScrollExtent(1000, 1000);
    window->SetSize(400, 100);
    window->SetOrigin(0, -150);  // the view is y 150 to 249
    struct sCase {
        const char *name;
        std::vector<int32_t> ys;
        std::vector<int32_t> talls;
        int pageBreak;  // index of a page break, -1 for none
        std::vector<int32_t> asked;  // DrawRect calls per child
        std::vector<std::vector<int32_t>> drawn;
    };
    const sCase cases[] = {
        {"a tall child before the view",
         {0, 100, 200, 300, 400},
         {10, 60, 10, 10, 10},
         -1,
         {0, 1, 1, 1, 0},
         {{0, 100}, {0, 200}}},
        {"a page break is never the child before",
         {0, 100, 200},
         {200, 1, 10},
         1,
         {1, 0, 1},
         {{0, 0}, {0, 200}}},
        {"every child above the view", {0, 50}, {200, 10}, -1, {0, 1}, {}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<cProbe *> children;
        for (size_t i = 0; i < c.ys.size(); ++i) {
            cProbe *child = int(i) == c.pageBreak ? new cBreakProbe : new cProbe;
            child->tall = c.talls[i];
            child->SetPosition(0, c.ys[i]);
            document->InsertChild(child);
            children.push_back(child);
        }
        window->ClearRecords();
        EXPECT_TRUE(document->Redraw(0)->IsEqual(cRectangl(0, 150, 400, 100)));
        std::vector<int32_t> asked;
        for (cProbe *child : children) asked.push_back(child->drawRectCalls);
        EXPECT_EQ(asked, c.asked);
        std::vector<std::vector<int32_t>> drawn;
        for (const sDrawRecord &r : window->Records()) drawn.push_back(r.args);
        EXPECT_EQ(drawn, c.drawn);
        document->Clear(0);
    }
}

#endif

}  // namespace

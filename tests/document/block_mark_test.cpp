// Blocks: collecting what a mark covers, moving and resizing it, commands
// sent to it and through it, copy, cut and paste through the clipboard, its
// text lines and its drawing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/block_mark.h"
#include "document/commands.h"
#include "foundation/ascii_file.h"
#include "tests/document/symbol_fixture.h"

namespace {

using test::RaisedErrors;
using Coords = std::vector<int32_t>;

// Every test ends with no clipboard and no current mark: both are module
// state that would carry symbols or a dangling mark into the next test.
class BlockTest : public test::SymbolTest {
protected:
    void TearDown() override {
        EXPECT_EQ(gBlockClipboard, nullptr) << "clipboard left";
        EXPECT_EQ(gCurrentBlockMark, nullptr) << "current mark left";
        cPObjBlockGroup::DeleteClipboard();
        gCurrentBlockMark = nullptr;
        SymbolTest::TearDown();
    }
};

// A point that counts the "loaded" commands it receives.
class cCountingPoint : public cPObjPoint {
public:
    tStatus OnLoaded(sCmdLoaded *) override {
        ++loaded;
        return 0;
    }
    int loaded = 0;
};

// A system of staffs: a block over it covers the system, then each staff.
class cSystemGroup : public cPObjGroup {
public:
    const char16_t *GetTypeName() const override { return u"System"; }
    int16_t GetTypeId() const override { return 150; }
    cPObjPoint *NewSameClass() const override { return new cSystemGroup; }
    cPObjPoint *NextCovered(cPObjPoint *previous, const cPObjBase *) override {
        if (!previous) return this;
        if (previous == this) return staffs.empty() ? nullptr : staffs.front();
        for (size_t i = 0; i + 1 < staffs.size(); ++i)
            if (staffs[i] == previous) return staffs[i + 1];
        return nullptr;
    }
    cPObjGroup *AddStaff(int32_t px, int32_t py) {
        auto *staff = new cPObjGroup;
        staff->SetPosition(px, py);
        staff->SetOwner(this);
        AddChild(staff);
        staffs.push_back(staff);
        return staff;
    }
    std::vector<cPObjGroup *> staffs;  // held in the list
};

// An owner that a block covers nothing of: there is nowhere to paste.
class cNoCoverGroup : public cPObjGroup {
public:
    cPObjPoint *NextCovered(cPObjPoint *, const cPObjBase *) override { return nullptr; }
};

cPObjGroup *NewGroup(int32_t px, int32_t py) {
    auto *group = new cPObjGroup;
    group->SetPosition(px, py);
    return group;
}

template <class T = cPObjPoint>
T *AddAt(cPObjOwnBase *owner, int32_t px, int32_t py) {
    T *obj = new T;
    obj->SetPosition(px, py);
    obj->SetOwner(owner);
    owner->AddChild(obj);
    return obj;
}

cPObjBlockMark *PlaceMark(cPObjOwnBase *owner, int32_t px, int32_t py, int32_t w, int32_t h) {
    auto *mark = new cPObjBlockMark;
    mark->PlaceIn(owner, px, py);
    owner->AddChild(mark);
    mark->Open(owner, px, py, w, h);
    return mark;
}

Coords Places(const std::vector<cPObjPoint *> &objects) {
    Coords c;
    for (cPObjPoint *obj : objects) {
        c.push_back(obj->x);
        c.push_back(obj->y);
    }
    return c;
}

Coords Rect(const ScaledObject *s) { return {s->x, s->y, s->GetSizeWidth(), s->GetSizeHeight()}; }

Coords Size(const ScaledObject *s) { return {s->GetSizeWidth(), s->GetSizeHeight()}; }

std::vector<cPObjPoint *> Covered(const cPObjBlockMark *mark) {
    std::vector<cPObjPoint *> objects;
    for (cPObjPoint::cBlockPoint *node : mark->GetSelection().children) objects.push_back(node->object);
    return objects;
}

std::vector<cPObjPoint *> Children(cPObjOwnBase *owner) {
    std::vector<cPObjPoint *> children;
    for (uint16_t i = 0; i < owner->GetChildCount(); ++i) children.push_back(owner->GetChild(i));
    return children;
}

Coords Join(std::initializer_list<Coords> parts) {
    Coords all;
    for (const Coords &part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::string ExportLines(cPObjBase *root) {
    std::ostringstream out;
    cPObjBase::sCmdExpAsc record(&out);
    cPObjBase::SendCommand(nullptr, kCmdExportText, nullptr, &record, root);
    return out.str();
}

TEST_F(BlockTest, AMarkCollectsMovesResizesCopiesAndPastesWhatItCovers) {
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    cPObjPoint *a = AddAt(doc.get(), 15, 15);
    auto *s = AddAt<ScaledObject>(doc.get(), 20, 20);
    s->SetSize(10, 4);
    cPObjPoint *b = AddAt(doc.get(), 25, 30);
    cPObjPoint *out = AddAt(doc.get(), 100, 100);
    cPObjBlockMark *mark = nullptr;
    cPObjBlockMark *follower = nullptr;  // a second mark in the same owner
    std::unique_ptr<cPObjGroup> other(NewGroup(500, 600));
    cPObjBlockMark *free = nullptr;  // a mark in the other owner, following nothing

    struct sStep {
        const char *name;
        std::function<void()> act;
        std::function<Coords()> observe;
        Coords expected;
    };
    const std::vector<sStep> steps = {
        {"collect: the objects at positions inside, in owner order, never the mark or the one outside",
         [&] { mark = PlaceMark(doc.get(), 10, 10, 30, 30); },
         [&] {
             return Join({Rect(mark), Places(Covered(mark)),
                          {mark->GetSelection().factorX, mark->GetSelection().factorY},
                          {Covered(mark) == std::vector<cPObjPoint *>{a, s, b}}});
         },
         {10, 10, 30, 30, 15, 15, 20, 20, 25, 30, 30, 30, 1}},
        {"move by (5, 7): the mark and what it covers",
         [&] { mark->MoveBlock(5, 7, kEditMove); },
         [&] { return Join({Rect(mark), Places({a, s, b, out}), Size(s)}); },
         {15, 17, 30, 30, 20, 22, 25, 27, 30, 37, 100, 100, 10, 4}},
        {"resize by (10, -5): placed proportionally from where they were collected",
         [&] {
             gEditMode = kEditResize;
             mark->MoveBy(10, -5);
         },
         [&] { return Join({Rect(mark), Places({a, s, b, out}), Size(s)}); },
         {15, 17, 40, 25, 22, 21, 28, 25, 35, 34, 100, 100, 13, 3}},
        {"resize to a width below 12: the width stays, only the height follows",
         [&] {
             gEditMode = kEditResize;
             mark->MoveBy(-30, 8);
         },
         [&] { return Join({Rect(mark), Places({a, s, b}), Size(s)}); },
         {15, 17, 40, 33, 22, 23, 28, 28, 35, 39, 13, 4}},
        {"resize below 12 both ways: nothing changes",
         [&] {
             gEditMode = kEditResize;
             mark->MoveBy(-35, -25);
         },
         [&] { return Join({Rect(mark), Places({a, s, b}), Size(s)}); },
         {15, 17, 40, 33, 22, 23, 28, 28, 35, 39, 13, 4}},
        {"copy: the clipboard holds clones relative to the mark, at the mark's place in its owner",
         [&] {
             cPObjBlockMark::SetCurrent(mark);
             EXPECT_EQ(cPObjBlockMark::CopyBlock(nullptr), gBlockClipboard);
         },
         [&] {
             return Join({Rect(gBlockClipboard), Places(Children(gBlockClipboard)),
                          Size(static_cast<ScaledObject *>(gBlockClipboard->GetChild(1))),
                          {gBlockClipboard->GetSourceOwner()->GetTypeId(), gBlockClipboard->GetSourceOwner()->x,
                           int32_t(static_cast<cPObjOwnBase *>(gBlockClipboard->GetSourceOwner())->GetChildCount())},
                          Places({a, s, b})});
         },
         {15, 17, 40, 33, 7, 6, 13, 11, 20, 22, 13, 4, 11, 0, 0, 22, 23, 28, 28, 35, 39}},
        {"paste with the follow flags set: at the mark's place, which takes the block's size and covers the clones",
         [&] {
             follower = PlaceMark(doc.get(), 200, 10, 20, 20);
             EXPECT_TRUE(Covered(follower).empty());
             EXPECT_EQ(cPObjBlockMark::PasteBlock(follower, nullptr, nullptr), doc.get());
         },
         [&] { return Join({Rect(follower), Places(Covered(follower)), Places({a, s, b}), {doc->GetChildCount()}}); },
         {200, 10, 40, 33, 207, 16, 213, 21, 220, 32, 22, 23, 28, 28, 35, 39, 9}},
        {"the next move moves the clones, not the originals",
         [&] { follower->MoveBlock(3, 4, kEditMove); },
         [&] { return Join({Rect(follower), Places(Covered(follower)), Places({a, s, b})}); },
         {203, 14, 40, 33, 210, 20, 216, 25, 223, 36, 22, 23, 28, 28, 35, 39}},
        {"paste with the follow flags cleared: as placed in the source owner, relative to the target owner",
         [&] {
             free = PlaceMark(other.get(), 500, 600, 20, 20);
             free->SetFollow(0, 0);
             EXPECT_EQ(cPObjBlockMark::PasteBlock(free, nullptr, nullptr), other.get());
         },
         [&] { return Join({Rect(free), Places(Covered(free)), {other->GetChildCount()}}); },
         {515, 617, 40, 33, 522, 623, 528, 628, 535, 639, 4}},
        {"a mark that follows nothing ignores moves",
         [&] { free->MoveBlock(3, 4, kEditMove); },
         [&] { return Join({Rect(free), Places(Covered(free))}); },
         {515, 617, 40, 33, 522, 623, 528, 628, 535, 639}},
        {"made to follow, its next move moves the clones",
         [&] {
             free->SetFollow(1, 1);
             free->MoveBlock(3, 4, kEditMove);
         },
         [&] { return Join({Rect(free), Places(Covered(free))}); },
         {518, 621, 40, 33, 525, 627, 531, 632, 538, 643}},
    };
    for (const sStep &step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(step.observe(), step.expected);
    }
    // The pasted clones are copies, not the clipboard's children.
    for (cPObjPoint *clone : Covered(free)) EXPECT_EQ(clone->FindOwner(0, 0), other.get());
    EXPECT_EQ(gBlockClipboard->GetChildCount(), 3u);
    cPObjBlockMark::SetCurrent(nullptr);
    cPObjBlockGroup::DeleteClipboard();
}

TEST_F(BlockTest, StretchingFromTheTopLeftKeepsTheBottomRightCorner) {
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    cPObjPoint *p = AddAt(doc.get(), 40, 40);
    cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 10, 50, 50);  // bottom-right corner at (59, 59)
    mark->MoveBlock(10, 20, kEditResize);
    EXPECT_EQ(Rect(mark), (Coords{20, 30, 40, 30}));
    EXPECT_EQ(mark->GetRight() - kBlockHandleRadius, 59);
    EXPECT_EQ(mark->GetBottom() - kBlockHandleRadius, 59);
    // Moved by (10, 20), then scaled from the new corner: 20 + 40 * 30 / 50
    // and 30 + 30 * 30 / 50.
    EXPECT_EQ(Places({p}), (Coords{44, 48}));
}

TEST_F(BlockTest, WithTheVerticalFollowFlagClearedNothingMovesVertically) {
    struct sCase {
        const char *name;
        uint32_t mode;  // MoveBy's edit mode, or the MoveBlock mode
        bool moveBlock;
        int32_t dx, dy;
        Coords mark, point;
    };
    const sCase cases[] = {
        {"move", kEditMove, false, 5, 7, {15, 10, 30, 30}, {25, 20}},
        {"resize", kEditResize, false, 6, 9, {10, 10, 36, 30}, {22, 20}},
        {"stretch from the top-left", kEditResize, true, 6, 9, {16, 10, 24, 30}, {24, 20}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<cSystemGroup> system(new cSystemGroup);
        cPObjGroup *staff = system->AddStaff(0, 0);
        cPObjPoint *p = AddAt(staff, 20, 20);
        cPObjPoint *free = AddAt(system.get(), 20, 20);
        auto *mark = new cPObjBlockMark;
        mark->SetFollow(1, 0);  // as the music block
        mark->PlaceIn(system.get(), 10, 10);
        system->AddChild(mark);
        mark->Open(system.get(), 10, 10, 30, 30);
        ASSERT_EQ(mark->GetChildCount(), 1u);
        auto *nested = static_cast<cPObjBlockMark *>(mark->GetChild(0));
        EXPECT_EQ(nested->GetFollowY(), 0);
        if (c.moveBlock) {
            mark->MoveBlock(c.dx, c.dy, int32_t(c.mode));
        } else {
            gEditMode = c.mode;
            mark->MoveBy(c.dx, c.dy);
        }
        EXPECT_EQ(Rect(mark), c.mark);
        EXPECT_EQ(Rect(nested), c.mark);
        EXPECT_EQ(Places({free}), c.point);
        EXPECT_EQ(Places({p}), c.point);
    }
}

TEST_F(BlockTest, ACutRemovesOnlyTheConsecutiveRunInsideTheMarkAndNeverAMark) {
    struct sCase {
        const char *name;
        Coords points;  // x, y of each object, added before the mark
        Coords left;    // positions of the objects left, in owner order
    };
    const sCase cases[] = {
        {"an object outside ends the run; covered ones after it stay",
         {15, 15, 25, 100, 30, 20, 60, 60},
         {25, 100, 30, 20, 60, 60}},
        {"a run through the mark's own place steps over the mark",
         {10, 10, 20, 15, 30, 20, 60, 60},
         {60, 60}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t live = gLiveSymbolCount;
        std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
        for (size_t i = 0; i + 1 < c.points.size(); i += 2) AddAt(doc.get(), c.points[i], c.points[i + 1]);
        // A second mark inside the run is not cut either.
        cPObjBlockMark *other = PlaceMark(doc.get(), 25, 12, 2, 2);
        cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 10, 30, 30);
        const size_t covered = Covered(mark).size();
        cPObjBlockMark::SetCurrent(mark);
        cPObjBlockGroup *copy = cPObjBlockMark::CutBlock(nullptr, 0);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy, gBlockClipboard);
        EXPECT_EQ(copy->GetChildCount(), covered);  // the copy has every covered object
        Coords left;
        std::vector<cPObjPoint *> marks;
        for (cPObjPoint *child : Children(doc.get())) {
            if (child->GetTypeFlags(0) & kTypeBlockMark)
                marks.push_back(child);
            else
                left.insert(left.end(), {child->x, child->y});
        }
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(marks, (std::vector<cPObjPoint *>{mark, other}));
        EXPECT_EQ(gCurrentBlockMark, mark);
        EXPECT_TRUE(Covered(mark).empty());
        cPObjBlockMark::SetCurrent(nullptr);
        cPObjBlockGroup::DeleteClipboard();
        doc.reset();
        EXPECT_EQ(gLiveSymbolCount, live);
    }
}

TEST_F(BlockTest, TheClipboardSurvivesTheMarkItWasCopiedFrom) {
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    AddAt(doc.get(), 15, 15);
    AddAt(doc.get(), 25, 20);
    cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 10, 30, 30);
    cPObjBlockMark::SetCurrent(mark);
    cPObjBlockGroup *clipboard = cPObjBlockMark::CopyBlock(nullptr);
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(mark->Detach(1), nullptr);  // a mark is destroyed, never kept for undo
    EXPECT_EQ(gCurrentBlockMark, nullptr);
    EXPECT_EQ(doc->GetChildCount(), 2u);
    ASSERT_EQ(gBlockClipboard, clipboard);
    EXPECT_EQ(Places(Children(clipboard)), (Coords{5, 5, 15, 10}));

    // It pastes into a new mark, and a second copy replaces it.
    cPObjBlockMark *next = PlaceMark(doc.get(), 100, 100, 5, 5);
    cPObjBlockMark::SetCurrent(next);
    EXPECT_EQ(cPObjBlockMark::PasteBlock(nullptr, nullptr, nullptr), doc.get());
    EXPECT_EQ(Places(Covered(next)), (Coords{105, 105, 115, 110}));
    const uint32_t live = gLiveSymbolCount;
    cPObjBlockGroup *second = cPObjBlockMark::CopyBlock(nullptr);
    EXPECT_EQ(gBlockClipboard, second);
    // The old group (3 symbols and its source owner) went, the new one came.
    EXPECT_EQ(gLiveSymbolCount, live);
    cPObjBlockMark::SetCurrent(nullptr);
    cPObjBlockGroup::DeleteClipboard();
    EXPECT_EQ(gBlockClipboard, nullptr);
}

TEST_F(BlockTest, WithoutAMarkAClipboardOrACoveredOwnerNothingIsPastedOrCut) {
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    AddAt(doc.get(), 15, 15);
    cPObjBlockMark *source = PlaceMark(doc.get(), 10, 10, 30, 30);
    std::unique_ptr<cPObjBlockGroup> group(cPObjBlockMark::CopyBlock(source));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(gBlockClipboard, nullptr);  // a copy of a given mark is the caller's

    std::unique_ptr<cNoCoverGroup> nowhere(new cNoCoverGroup);
    AddAt(nowhere.get(), 3, 4);
    cPObjBlockMark *stranded = PlaceMark(nowhere.get(), 1, 2, 20, 20);
    struct sCase {
        const char *name;
        cPObjBlockMark *mark;
        cPObjBlockGroup *group;
        cPObjBlockMark *current;
    };
    const sCase cases[] = {
        {"no mark and no current one", nullptr, group.get(), nullptr},
        {"no group and no clipboard", source, nullptr, nullptr},
        {"no covered owner to paste into", stranded, group.get(), nullptr},
        {"the current mark has no covered owner", nullptr, group.get(), stranded},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        gCurrentBlockMark = c.current;
        const uint32_t live = gLiveSymbolCount;
        const Coords before = Join({Rect(stranded), Places(Children(nowhere.get())), Rect(source)});
        EXPECT_EQ(cPObjBlockMark::PasteBlock(c.mark, c.group, nullptr), nullptr);
        EXPECT_EQ(Join({Rect(stranded), Places(Children(nowhere.get())), Rect(source)}), before);
        EXPECT_EQ(gLiveSymbolCount, live);
        EXPECT_EQ(doc->GetChildCount(), 2u);
    }
    gCurrentBlockMark = nullptr;
    EXPECT_EQ(cPObjBlockMark::CopyBlock(nullptr), nullptr);
    EXPECT_EQ(cPObjBlockMark::CutBlock(nullptr, 0), nullptr);
    EXPECT_EQ(doc->GetChildCount(), 2u);
}

TEST_F(BlockTest, ABlockOverASystemCoversEachStaffThroughANestedMark) {
    std::unique_ptr<cSystemGroup> system(new cSystemGroup);
    cPObjGroup *upper = system->AddStaff(0, 0);
    cPObjGroup *lower = system->AddStaff(0, 100);
    auto *p1 = AddAt<cCountingPoint>(upper, 20, 10);
    auto *p2 = AddAt<cCountingPoint>(upper, 30, 20);
    cPObjPoint *q1 = AddAt(upper, 80, 10);
    auto *p3 = AddAt<cCountingPoint>(lower, 25, 110);
    cPObjPoint *q2 = AddAt(lower, 25, 300);
    auto *f = AddAt<cCountingPoint>(system.get(), 35, 50);
    cPObjBlockMark *mark = PlaceMark(system.get(), 10, 0, 40, 150);

    ASSERT_EQ(mark->GetChildCount(), 2u);
    auto *n1 = static_cast<cPObjBlockMark *>(mark->GetChild(0));
    auto *n2 = static_cast<cPObjBlockMark *>(mark->GetChild(1));
    EXPECT_EQ(n1->FindOwner(0, 0), upper);
    EXPECT_EQ(n2->FindOwner(0, 0), lower);
    EXPECT_EQ(n1->GetParentMark(), mark);
    EXPECT_EQ(Rect(n2), Rect(mark));
    EXPECT_EQ(Covered(mark), (std::vector<cPObjPoint *>{f}));
    EXPECT_EQ(Covered(n1), (std::vector<cPObjPoint *>{p1, p2}));
    EXPECT_EQ(Covered(n2), (std::vector<cPObjPoint *>{p3}));

    // A command sent to the block reaches each covered object once; so does
    // one sent to the whole system, which meets the mark as one child.
    const std::vector<cCountingPoint *> counted = {p1, p2, p3, f};
    cPObjBase::sCmdLoaded loaded;
    cPObjBase::SendCommand(nullptr, kCmdLoaded, nullptr, &loaded, mark);
    for (cCountingPoint *p : counted) EXPECT_EQ(p->loaded, 1);
    // The top mark collected again, nested marks and all.
    EXPECT_EQ(Covered(mark).size(), 1u);
    ASSERT_EQ(mark->GetChildCount(), 2u);
    EXPECT_EQ(Covered(static_cast<cPObjBlockMark *>(mark->GetChild(0))).size(), 2u);
    cPObjBase::SendCommand(nullptr, kCmdLoaded, nullptr, &loaded, system.get());
    for (cCountingPoint *p : counted) EXPECT_EQ(p->loaded, 2);

    mark->MoveBlock(5, 5, kEditMove);
    EXPECT_EQ(Places({p1, p2, q1, p3, q2, f}), (Coords{25, 15, 35, 25, 80, 10, 30, 115, 25, 300, 40, 55}));
    EXPECT_EQ(Rect(static_cast<cPObjBlockMark *>(mark->GetChild(1))), (Coords{15, 5, 40, 150}));

    // The copy nests a group per staff, each relative to its staff.
    cPObjBlockMark::SetCurrent(mark);
    cPObjBlockGroup *copy = cPObjBlockMark::CopyBlock(nullptr);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetChildCount(), 3u);
    auto *g1 = static_cast<cPObjBlockGroup *>(copy->GetChild(1));
    auto *g2 = static_cast<cPObjBlockGroup *>(copy->GetChild(2));
    ASSERT_EQ(g1->GetTypeId(), 13);
    ASSERT_EQ(g2->GetTypeId(), 13);
    EXPECT_EQ(Places({copy, copy->GetChild(0), g1, g2}), (Coords{15, 5, 25, 50, 15, 5, 15, -95}));
    EXPECT_EQ(Places(Children(g1)), (Coords{10, 10, 20, 20}));
    EXPECT_EQ(Places(Children(g2)), (Coords{15, 110}));
    EXPECT_EQ(copy->GetSourceOwner()->GetTypeId(), 150);

    // Pasted into another system: the free object into the system, each
    // nested group into the following staff.
    std::unique_ptr<cSystemGroup> target(new cSystemGroup);
    target->SetPosition(1000, 0);
    cPObjGroup *upper2 = target->AddStaff(1000, 0);
    cPObjGroup *lower2 = target->AddStaff(1000, 100);
    cPObjBlockMark *paste = PlaceMark(target.get(), 1010, 0, 10, 10);
    EXPECT_EQ(cPObjBlockMark::PasteBlock(paste, nullptr, nullptr), target.get());
    EXPECT_EQ(Places(Children(upper2)), (Coords{1020, 10, 1030, 20}));
    EXPECT_EQ(Places(Children(lower2)), (Coords{1025, 110}));
    EXPECT_EQ(Rect(paste), (Coords{1010, 0, 40, 150}));
    ASSERT_EQ(paste->GetChildCount(), 2u);
    EXPECT_EQ(Covered(static_cast<cPObjBlockMark *>(paste->GetChild(0))), Children(upper2));
    EXPECT_EQ(Places(Covered(paste)), (Coords{1035, 50}));

    // The cut takes every run, the staffs' through their nested marks.
    EXPECT_EQ(cPObjBlockMark::CutBlock(nullptr, 0), gBlockClipboard);
    EXPECT_EQ(Children(upper), (std::vector<cPObjPoint *>{q1}));
    EXPECT_EQ(Children(lower), (std::vector<cPObjPoint *>{q2}));
    EXPECT_EQ(Children(system.get()), (std::vector<cPObjPoint *>{upper, lower, mark}));
    EXPECT_EQ(mark->GetChildCount(), 0u);
    cPObjBlockMark::SetCurrent(nullptr);
    cPObjBlockGroup::DeleteClipboard();
}

TEST_F(BlockTest, AnExportWithALiveMarkWritesEachObjectOnceAndTheMarksOwnLines) {
    std::unique_ptr<cSystemGroup> system(new cSystemGroup);
    cPObjGroup *staff = system->AddStaff(0, 0);
    AddAt(staff, 20, 10);
    AddAt(system.get(), 15, 15);
    cPObjBlockMark *mark = PlaceMark(system.get(), 10, 5, 30, 20);
    mark->SetFollow(0, 1);
    ASSERT_EQ(mark->GetChildCount(), 1u);
    static_cast<cPObjBlockMark *>(mark->GetChild(0))->SetFollow(0, 1);
    const std::string expected =
        "System          @   0,    0 size   1,   1 owns 3\n"
        "\tGroup           @   0,    0 size   1,   1 owns 1\n"
        "\t\tPoint           @  20,   10\n"
        "\tBlockMark       @  10,    5 size  30,  20 = 0, 1\n"
        "\t(\n"
        "\t) owns 1\n"
        "\t\tBlockMark       @  10,    5 size  30,  20 = 0, 1\n"
        "\t\t(\n"
        "\t\t\tBlockMark       @  10,    5 size  30,  20 = 0, 1\n"
        "\t\t) owns 0\n"
        "\tPoint           @  15,   15\n";
    EXPECT_EQ(ExportLines(system.get()), expected);
    // Sent to the mark, the export writes what the block covers.
    // The owner's hooks run around the forwarding and around each covered
    // object, so the lines stand two levels deeper.
    EXPECT_EQ(ExportLines(mark), "\t\tPoint           @  15,   15\n\t\t\tPoint           @  20,   10\n");
}

TEST_F(BlockTest, ReadingAMarksLineGivesAMarkWithItsFlagsAndReadsOn) {
    ASSERT_GE(test::BuildTestRegistry(), 0);
    std::unique_ptr<cSystemGroup> system(new cSystemGroup);
    cPObjGroup *staff = system->AddStaff(0, 0);
    AddAt(staff, 20, 10);
    AddAt(system.get(), 15, 15);
    AddAt(system.get(), 60, 70);
    cPObjBlockMark *mark = PlaceMark(system.get(), 10, 5, 30, 20);
    mark->SetFollow(0, 1);
    const std::string text = ExportLines(system.get());

    cAsciiFile in(text.data(), text.size());
    cPObjBase::sCmdImpAsc record(&in);
    EXPECT_EQ(std::u16string(in.ReadToken()), u"System");
    std::unique_ptr<cPObjGroup> back(new cPObjGroup);
    EXPECT_EQ(cPObjBase::SendCommand(nullptr, kCmdImportText, nullptr, &record, back.get()), 0);
    EXPECT_EQ(in.GetErrorLatch(), 0);
    const std::vector<cPObjPoint *> children = Children(back.get());
    ASSERT_EQ(children.size(), 4u);
    auto *read = dynamic_cast<cPObjBlockMark *>(children[1]);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Rect(read), (Coords{10, 5, 30, 20}));
    EXPECT_EQ(read->GetFollowX(), 0);
    EXPECT_EQ(read->GetFollowY(), 1);
    ASSERT_EQ(read->GetChildCount(), 1u);  // the nested mark, its parent's line passed over
    EXPECT_EQ(Rect(static_cast<cPObjBlockMark *>(read->GetChild(0))), (Coords{10, 5, 30, 20}));
    // What followed the mark was read too.
    EXPECT_EQ(Places({children[2], children[3]}), (Coords{15, 15, 60, 70}));
    // Written again, the document reads the same.
    EXPECT_EQ(ExportLines(back.get()).substr(15), ExportLines(system.get()).substr(15));
}

TEST_F(BlockTest, TheBlockGroupsLinesCarryTheSourceOwnerAndReadBack) {
    ASSERT_GE(test::BuildTestRegistry(), 0);
    std::unique_ptr<cPObjGroup> doc(NewGroup(4, 6));
    AddAt(doc.get(), 15, 15);
    cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 10, 30, 30);
    std::unique_ptr<cPObjBlockGroup> group(cPObjBlockMark::CopyBlock(mark));
    ASSERT_NE(group, nullptr);
    const std::string expected =
        "BlockGroup      @   6,    4 size  30,  30\n"
        "(\n"
        "\tGroup           @   4,    6 size   1,   1\n"
        ") owns 1\n"
        "\tPoint           @   5,    5\n";
    ASSERT_EQ(ExportLines(group.get()), expected);

    const std::string text = expected.substr(10);
    cAsciiFile in(text.data(), text.size());
    cPObjBase::sCmdImpAsc record(&in);
    std::unique_ptr<cPObjBlockGroup> back(new cPObjBlockGroup);
    EXPECT_EQ(cPObjBase::SendCommand(nullptr, kCmdImportText, nullptr, &record, back.get()), 0);
    EXPECT_EQ(in.GetErrorLatch(), 0);
    EXPECT_EQ(ExportLines(back.get()), expected);
}

TEST_F(BlockTest, TheMarkIsDrawnSolidWhileCurrentElseDottedWithAHandleOnEachCorner) {
    RaisedErrors errors;
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 20, 30, 40);
    mark->Draw();
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid device");

    test::cTestScoreWindow window;
    struct sCase {
        const char *name;
        bool current;
        int32_t w, h;
        int32_t style;
        int32_t right, bottom;
    };
    const sCase cases[] = {
        {"another mark: dotted", false, 30, 40, 3, 39, 59},
        {"the current mark: solid", true, 30, 40, 1, 39, 59},
        {"negative extents run left and up", true, -30, -40, 1, -19, -19},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.name);
        mark->SetSize(c.w, c.h);
        cPObjBlockMark::SetCurrent(c.current ? mark : nullptr);
        window.SetLineStyle(2);
#if !defined(_WIN32)
        window.TakeOps();
#endif
        mark->Draw();
        EXPECT_EQ(window.SetLineStyle(1), 2);  // the previous style is back
#if !defined(_WIN32)
        const std::vector<sDrawRecord> &records = window.Records();
        ASSERT_EQ(records.size(), 8u);
        const int32_t x = 10, y = 20, r = c.right, b = c.bottom;
        const std::vector<std::vector<int32_t>> lines = {{x, y, r, y}, {r, y, r, b}, {r, b, x, b}, {x, b, x, y}};
        const std::vector<std::vector<int32_t>> handles = {
            {x - 2, y - 2, 5, 5}, {r - 2, y - 2, 5, 5}, {r - 2, b - 2, 5, 5}, {x - 2, b - 2, 5, 5}};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(records[i].op, "DrawLine");
            EXPECT_EQ(records[i].args, lines[i]);
            EXPECT_EQ(records[i].lineStyle, c.style);
            EXPECT_EQ(records[4 + i].op, "FillEllipse");
            EXPECT_EQ(records[4 + i].args, handles[i]);
        }
        window.ClearRecords();
#endif
    }
    cPObjBlockMark::SetCurrent(nullptr);
}

TEST_F(BlockTest, TheMarksBoundsHitsAndStateAsAnOwner) {
    ASSERT_GE(test::BuildTestRegistry(), 0);
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    cPObjPoint *p = AddAt(doc.get(), 15, 15);
    auto *fresh = new cPObjBlockMark;
    EXPECT_EQ(Size(fresh), (Coords{2, 2}));
    EXPECT_EQ(fresh->GetFollowX(), 1);
    EXPECT_EQ(fresh->GetFollowY(), 1);

    // Without an owner there is nothing to collect in.
    RaisedErrors errors;
    fresh->Recalculate();
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Block");
    // Copied only from a mark.
    std::unique_ptr<cPObjGroup> group(new cPObjGroup);
    fresh->CopyFrom(*group);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
    delete fresh;

    cPObjBlockMark *mark = PlaceMark(doc.get(), 40, 10, -30, 20);  // normalized when collected
    EXPECT_EQ(Rect(mark), (Coords{11, 10, 30, 20}));
    EXPECT_EQ(Covered(mark), (std::vector<cPObjPoint *>{p}));
    const cRectangl bounds = *mark->GetBounds();
    EXPECT_EQ((Coords{bounds.Left(), bounds.Top(), bounds.Right(), bounds.Bottom()}), (Coords{9, 8, 42, 31}));
    EXPECT_EQ(mark->GetTypeFlags(0) & kTypeBlockMark, kTypeBlockMark);
    // The covered objects are never hit through the mark.
    EXPECT_EQ(mark->HitTestChildren(15, 15, 0, 0, 0, nullptr), mark);
    EXPECT_EQ(mark->HitTestChildren(15, 15, 1, 0, 0, nullptr), nullptr);
    EXPECT_EQ(mark->HitTestChildren(5, 15, 0, 0, 0, nullptr), nullptr);
    gEditMode = kEditResize;
    EXPECT_EQ((Coords{mark->GetHandleX(), mark->GetHandleY()}), (Coords{40, 29}));

    // Grabbing a mark makes it current, and the undo list is cleared.
    test::cTestScoreWindow window;
    p->Select();
    ASSERT_EQ(gPointUndo->GetRecordCount(), 1);
    mark->BeginDrag(12, 11, kHitMove);
    EXPECT_EQ(gCurrentBlockMark, mark);
    EXPECT_EQ(gPointUndo->GetRecordCount(), 0);
    EXPECT_EQ(gEditMode & kEditModeMask, kEditMove);

    // A command takes the covered objects up; the mark covers nothing until
    // it collects again.
    cPObjBase::sCmdLoaded loaded;
    EXPECT_EQ(cPObjBase::SendCommand(nullptr, kCmdLoaded, nullptr, &loaded, mark), 0);
    EXPECT_TRUE(Covered(mark).empty());
    mark->MoveBlock(1, 1, kEditMove);
    EXPECT_EQ(Places({p}), (Coords{15, 15}));
    mark->Recalculate();
    EXPECT_EQ(Covered(mark), (std::vector<cPObjPoint *>{p}));

    // A mark over nothing but itself collects nothing, and a command to it
    // reaches nothing but the owner's closing call.
    cPObjBlockMark *empty = PlaceMark(doc.get(), 200, 200, 20, 20);
    EXPECT_TRUE(Covered(empty).empty());
    EXPECT_EQ(empty->GetSelection().firstIndex, 0);
    EXPECT_EQ(cPObjBase::SendCommand(nullptr, kCmdLoaded, nullptr, &loaded, empty), kFailed);

    // Destroying the current mark forgets it.
    EXPECT_EQ(mark->Detach(1), nullptr);
    EXPECT_EQ(gCurrentBlockMark, nullptr);
    EXPECT_EQ(Children(doc.get()), (std::vector<cPObjPoint *>{p, empty}));
}

TEST_F(BlockTest, CoveredObjectsAreSortedAgainAndOnesThatLeftAreNeverTouched) {
    std::unique_ptr<cPObjGroup> doc(NewGroup(0, 0));
    cPObjPoint *a = AddAt(doc.get(), 15, 15);
    cPObjPoint *gone = AddAt(doc.get(), 20, 20);
    cPObjPoint *z = AddAt(doc.get(), 50, 100);
    cPObjBlockMark *mark = PlaceMark(doc.get(), 10, 10, 30, 30);
    EXPECT_EQ(gEditMode & kEditModeMask, kEditResize);  // a new mark is being sized
    EXPECT_EQ(Covered(mark), (std::vector<cPObjPoint *>{a, gone}));
    std::unique_ptr<cPObjPoint> taken(gone->Detach(0));

    RaisedErrors errors;
    gDocumentFlags = 0;
    mark->MoveBlock(40, 0, kEditMove);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid object");
    EXPECT_EQ(Places({a, taken.get()}), (Coords{55, 15, 20, 20}));
    EXPECT_EQ(gDocumentFlags & 1, 1u);
    // The move left the owner's list out of order; the mark sorts what it
    // covers again and puts back nothing that left.
    EXPECT_EQ(Children(doc.get()), (std::vector<cPObjPoint *>{mark, a, z}));
    EXPECT_EQ(mark->ReinsertInOwner(), 0);
    EXPECT_EQ(Children(doc.get()), (std::vector<cPObjPoint *>{mark, z, a}));
    EXPECT_EQ(taken->FindOwner(0, 0), nullptr);
}

TEST_F(BlockTest, ANestedMarkLeavesItsParentWhenDetached) {
    std::unique_ptr<cSystemGroup> system(new cSystemGroup);
    cPObjGroup *staff = system->AddStaff(0, 0);
    cPObjBlockMark *mark = PlaceMark(system.get(), 10, 10, 20, 20);
    ASSERT_EQ(mark->GetChildCount(), 1u);
    auto *nested = static_cast<cPObjBlockMark *>(mark->GetChild(0));
    EXPECT_EQ(nested->Detach(0), nested);
    EXPECT_EQ(nested->GetParentMark(), nullptr);
    EXPECT_EQ(nested->FindOwner(0, 0), nullptr);
    EXPECT_EQ(mark->GetChildCount(), 0u);
    EXPECT_EQ(staff->GetChildCount(), 0u);
    delete nested;
    // The owner's clearing deletes the marks among its children.
    system->Clear(0);
    EXPECT_EQ(system->GetChildCount(), 0u);
}

}  // namespace

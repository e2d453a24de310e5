// The three child stores on which every concrete owner stands: the single
// owner (one attached object; id 9, "Owner"), the pair (two objects; id 10,
// "Pair") and the group (an ordered list of any length; id 11, "Group").
// The attachments of notes build on the single owner; the document root,
// the block group and block mark, bars, chords, beams, ties and tuplets on
// the group.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "document/owner_base.h"

class SingleOwnerObject : public cPointOwner {
public:
    ~SingleOwnerObject() override;

    const char16_t *GetTypeName() const override { return u"Owner"; }
    int16_t GetTypeId() const override { return 9; }
    cPObjPoint *NewSameClass() const override { return new SingleOwnerObject; }

    // Takes the child when empty.
    bool AddChild(cPObjPoint *child) override;
    // Forgets the child when it is the attached one.
    cPObjPoint *RemoveChild(cPObjPoint *child) override;
    uint16_t GetChildCount() override { return attached ? 1 : 0; }
    cPObjPoint *GetChild(uint16_t index) override { return index == 0 ? attached : nullptr; }
    void Clear(int32_t mode) override;
    cPObjPoint *ReplaceChild(cPObjPoint *oldChild, cPObjPoint *newChild, int32_t mode) override;
    // A unit answers its own owner's target for itself; a plain one the child.
    cPObjPoint *GetRemovalTarget(cPObjPoint *child) override;
    // A unit takes the place of its attached object in the target.
    int32_t AttachTo(cPObjOwnBase *newOwner) override;
    uint32_t GetHitTestFlags() override { return 2; }

    cPObjPoint *GetAttached() const { return attached; }

protected:
    cPObjPoint *attached = nullptr;
};

class PointPairObject : public cPointOwner {
public:
    ~PointPairObject() override;

    const char16_t *GetTypeName() const override { return u"Pair"; }
    int16_t GetTypeId() const override { return 10; }
    cPObjPoint *NewSameClass() const override { return new PointPairObject; }

    // The first field when empty, else the second when empty.
    bool AddChild(cPObjPoint *child) override;
    // Forgets the child in whichever field holds it.
    cPObjPoint *RemoveChild(cPObjPoint *child) override;
    // The number of fields that hold an object.
    uint16_t GetChildCount() override { return uint16_t((first ? 1 : 0) + (second ? 1 : 0)); }
    // The first field at 0, the second at 1, even when the first is empty.
    cPObjPoint *GetChild(uint16_t index) override { return index == 0 ? first : index == 1 ? second : nullptr; }
    // Holding only its second object it answers a count of 1 but 2 places:
    // the walks pass over the empty first one.
    uint16_t GetChildSlots() override { return second ? 2 : first ? 1 : 0; }
    void Clear(int32_t mode) override;

    cPObjPoint *GetFirst() const { return first; }
    cPObjPoint *GetSecond() const { return second; }

protected:
    cPObjPoint *first = nullptr;
    cPObjPoint *second = nullptr;
};

class cPObjGroup : public cPointOwner {
public:
    cPObjGroup();
    ~cPObjGroup() override;

    const char16_t *GetTypeName() const override { return u"Group"; }
    int16_t GetTypeId() const override { return 11; }
    cPObjPoint *NewSameClass() const override { return new cPObjGroup; }

    // Inserts before the first child that the new one sorts before (by the
    // group's GetChildOrder), else at the end; always true.
    bool AddChild(cPObjPoint *child) override;
    // Removes the last entry equal to the child.
    cPObjPoint *RemoveChild(cPObjPoint *child) override;
    // Sorted insertion puts a child after every child at its own position.
    // This moves it back to just before `next` when `next` stands earlier
    // among them, so that the list keeps its order; false, with nothing
    // moved, when either is not held once or anything between them sorts
    // apart from the child.  `next` is only compared, never read: it may
    // name a child deleted since.
    bool PlaceBeforeAlike(cPObjPoint *child, const cPObjBase *next);
    uint16_t GetChildCount() override;
    cPObjPoint *GetChild(uint16_t index) override;
    void Clear(int32_t mode) override;
    // A unit group takes the place of its members in the target.
    int32_t AttachTo(cPObjOwnBase *newOwner) override;
    // Command 7: the group recalculates and the condense record continues
    // from its bounds; every other command as the owner's.
    tStatus AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                              cPObjPoint *previous, void **state) override;

    uint16_t CountMember(const cPObjBase *obj, uint32_t flags) override;
    int32_t FindChildIndex(const cPObjBase *child) override;
    bool HoldsChild(const cPObjBase *child) override;
    bool HasUniqueChildren() override;

protected:
    void BeginChildLoad() override;
    void EndChildLoad() override;

private:
    // The list and the bookkeeping that keeps the walks linear: how often
    // each child is held, how many entries repeat an earlier one, the index
    // last fetched, and whether a load is adding children to a list in order.
    size_t InsertIndex(cPObjPoint *child);
    void InsertEntry(size_t index, cPObjPoint *child);
    void EraseEntry(size_t index);
    void CountEntry(const cPObjBase *child, int32_t change);
    void DropCounts();

    std::unique_ptr<std::vector<cPObjPoint *>> children;
    std::unordered_map<const cPObjBase *, uint32_t> counts;
    uint32_t duplicates = 0;
    mutable uint16_t lastFetched = 0;
    int32_t loadDepth = 0;
    bool loadSorted = false;
};

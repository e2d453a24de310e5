// Blocks: a rectangle the user draws over part of the score to take the
// objects inside it as one.  The block mark stands in the owner it was drawn
// in and records what it covers in a tree of block nodes; moving or
// stretching it moves or proportionally re-places what it covers, a command
// sent to it reaches every covered object, and Edit > Copy, Cut and Paste go
// through the block clipboard, a block group holding copies of the covered
// objects at positions relative to the mark.
#pragma once

#include <cstdint>
#include <memory>

#include "document/owner_groups.h"

class cPObjBlockMark;
class cPObjBlockGroup;

// The mark that Copy, Cut and Paste use when none is given; drawn solid.
extern cPObjBlockMark *gCurrentBlockMark;
// The group of the last copy; the module owns it.
extern cPObjBlockGroup *gBlockClipboard;

// The corner handles are circles of this radius on the corners; a mark's
// bounds reach this far beyond its rectangle, and a resize never makes the
// rectangle narrower or lower than six times it.
constexpr int32_t kBlockHandleRadius = 2;

// Copies of the objects a block covered, at positions relative to the
// group's own point, which is relative to the owner the block was copied
// from; nested groups hold what further covered owners gave.
class cPObjBlockGroup : public cPObjGroup {
public:
    ~cPObjBlockGroup() override;

    const char16_t *GetTypeName() const override { return u"BlockGroup"; }
    int16_t GetTypeId() const override { return 13; }
    cPObjPoint *NewSameClass() const override { return new cPObjBlockGroup; }
    // Children stay in the order they were copied.
    int32_t GetChildOrder() const override { return 2; }

    // The owner's fields, then a "(" line, the source owner's line one level
    // deeper and a ")" line, which the owner's " owns" count follows.
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;

    // Keeps an owned copy of the owner the block came from (its own fields,
    // no children, no owner); the previous one goes.
    void SetSourceOwner(cPObjPoint *obj);
    cPObjPoint *GetSourceOwner() const { return sourceOwner.get(); }

    // Deletes the clipboard; the document's destructor calls it.
    static void DeleteClipboard();

private:
    std::unique_ptr<cPObjPoint> sourceOwner;
};

class cPObjBlockMark : public cPObjGroup {
public:
    cPObjBlockMark();
    // Forgets being current; the nested marks and the block nodes go.
    ~cPObjBlockMark() override;

    const char16_t *GetTypeName() const override { return u"BlockMark"; }
    int16_t GetTypeId() const override { return 14; }
    cPObjPoint *NewSameClass() const override { return new cPObjBlockMark; }
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjGroup::GetTypeFlags(typeId) | kTypeBlockMark; }
    int32_t GetChildOrder() const override { return 2; }

    // Re-sorts the covered objects in the owner, then each nested mark does.
    int32_t ReinsertInOwner() override;
    // The owner's fields and the follow flags, from a mark of the same class.
    void CopyFrom(const cPObjBase &other) override;
    // Sent to the mark, a command reaches every covered object; reached by
    // a walk over its owner's children, the mark answers as any owner does.
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;
    // The owner's fields, " = " and the follow flags; then a "(" line, the
    // parent mark's line one level deeper (nested marks only) and a ")"
    // line, which the owner's " owns" count follows.
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    // The rectangle's edges widened by the handles.
    int32_t GetLeft() override { return ScaledObject::GetLeft() - kBlockHandleRadius; }
    int32_t GetTop() override { return ScaledObject::GetTop() - kBlockHandleRadius; }
    int32_t GetRight() override { return ScaledObject::GetRight() + kBlockHandleRadius; }
    int32_t GetBottom() override { return ScaledObject::GetBottom() + kBlockHandleRadius; }
    // Normalizes, collects what it covers and records its geometry.
    bool Recalculate() override;
    // The mark's own rectangle with its handles, not the union of children.
    cRectangl *GetBounds() override { return cPObjBase::GetBounds(); }
    // Moves (edit mode 2) or resizes the mark and what it covers.
    void MoveBy(int32_t dx, int32_t dy) override;
    // Solid while current, else dotted, with a handle on each corner.
    cPObjPoint *Draw() override;
    // The handle is the far corner, as for scaled symbols.
    int32_t GetHandleX() override { return ScaledObject::GetHandleX(); }
    int32_t GetHandleY() override { return ScaledObject::GetHandleY(); }
    // Leaves its parent mark and its owner; block marks are never kept for
    // undo, so with deleteIt the mark is destroyed and the answer is null.
    cPObjPoint *Detach(uint8_t deleteIt) override;
    // As a scaled symbol; the mark becomes the current one.
    cPObjPoint *BeginDrag(int32_t px, int32_t py, int32_t hitKind) override;
    // A mark's children are its nested marks: each added one takes this
    // mark as its parent (also when read from a file or copied), and leaves
    // it when removed.
    bool AddChild(cPObjPoint *child) override;
    cPObjPoint *RemoveChild(cPObjPoint *child) override;
    // The group's Clear; then the mark forgets what it covered.
    void Clear(int32_t mode) override;
    // The mark itself: the covered objects are never hit through it.
    cPObjPoint *HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t excludeFlags,
                                const cPObjBase *excluded) override;

    // Fills the block nodes with the objects of the covered owners that lie
    // inside the rectangle; a further covered owner gets a nested mark.
    virtual void CollectObjects();
    // Places the mark in the owner with the rectangle, in resize mode, and
    // collects.
    virtual void Open(cPObjOwnBase *newOwner, int32_t px, int32_t py, int32_t w, int32_t h);
    // The mouse's step: mode 2 moves; any other stretches from the top-left
    // corner, the bottom-right corner staying.
    virtual void MoveBlock(int32_t dx, int32_t dy, int32_t mode);

    // Copy of what the mark (the current one when null) covers; a copy of
    // the current mark replaces the clipboard.  Null without a mark.
    static cPObjBlockGroup *CopyBlock(cPObjBlockMark *mark);
    // Copies at depth 0, then destroys the run of consecutive covered
    // objects inside the mark; block marks are never removed.  Answers the
    // copy (null at a depth above 0).
    static cPObjBlockGroup *CutBlock(cPObjBlockMark *mark, int32_t depth);
    // Pastes clones of the group (the clipboard when null) into the owners
    // the mark (the current one when null) covers, after previousTarget.
    // Answers the owner pasted into; null, changing nothing, when there is
    // no mark, no group or no covered owner.
    static cPObjOwnBase *PasteBlock(cPObjBlockMark *mark, cPObjBlockGroup *group, cPObjOwnBase *previousTarget);
    // Makes the mark current and answers the previous one; the undo list is
    // cleared in every case.
    static cPObjBlockMark *SetCurrent(cPObjBlockMark *mark);
    static void ForgetCurrent(cPObjBlockMark *mark);

    // Whether moves and pastes follow the mark horizontally and vertically.
    void SetFollow(uint8_t horizontal, uint8_t vertical) {
        followX = horizontal;
        followY = vertical;
    }
    uint8_t GetFollowX() const { return followX; }
    uint8_t GetFollowY() const { return followY; }
    cPObjBlockMark *GetParentMark() const { return parentMark; }
    // The root of what the mark covers: its object is the covered owner,
    // its factors the mark's size at collection, each child node one
    // covered object.
    const cBlockPoint &GetSelection() const { return selection; }

protected:
    uint8_t followX = 1;
    uint8_t followY = 1;

private:
    // The covered owner, when it still is one.
    cPObjOwnBase *CoveredOwner() const;
    // Whether the object is the owner a nested mark collects in.
    bool IsNestedOwner(const cPObjBase *obj);
    // Whether the command was sent to this mark or to a mark it is nested in.
    bool IsCommandTarget(const sCommandPrm *record) const;
    // Hands the command to every covered object and nested mark.
    tStatus CommandCovered(int16_t commandId, sCommandMask *mask, sCommandPrm *record);
    // The object line's part of the mark: the owner's fields and the follow
    // flags.
    tStatus ExportHead(sCmdExpAsc *record);
    // Destroys the run of covered objects inside the mark from the first.
    void CutRun();

    cBlockPoint selection;
    cPObjBlockMark *parentMark = nullptr;
};

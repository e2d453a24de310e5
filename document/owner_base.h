// Owners: symbols that hold other symbols.  cPObjOwnBase keeps no children
// itself; the storage lives in the derived classes (owner_groups.h: one
// child, two children, an ordered list; the document root, staffs and the
// music units build on those), and everything here reaches the children
// through GetChildCount and GetChild.  It gives every owner the tree
// operations, queries by kind, hit testing, insert positions, drawing,
// moving, bounds, dissolving on delete, the command walk and the owner's own
// records in the binary and text forms.
#pragma once

#include <cstdint>

#include "document/scaled_symbol.h"

class cPObjOwnBase : public ScaledObject {
public:
    // The colour of a selected owner and of its selected children (COLORREF).
    static constexpr uint32_t kSelectionColour = 0x0337CF;

    cPObjOwnBase() = default;
    // The storage classes clear their children from their own destructors
    // (Clear is virtual, and their part is gone once this one runs).
    ~cPObjOwnBase() override;

    // --- Root operations owners override -------------------------------
    // The own-id bit only: an owner adds no family bit.
    uint32_t GetTypeFlags(int16_t typeId) const override { return cPObjBase::GetTypeFlags(typeId); }
    // Same class required ("Invalid object" otherwise): CopyFrom, then a new
    // object of each of the other owner's children's classes that takes the
    // child's state and is added; the children it already has stay.
    void Assign(const cPObjBase &other) override;
    // The scaled fields and the unit flag.
    void CopyFrom(const cPObjBase &other) override;
    bool IsOwner() const override { return true; }
    // The owner's own share, then the child walk (owner_walk.cpp).
    tStatus OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) override;
    tStatus ExportText(sCmdExpAsc *record) override;
    tStatus ImportText(sCmdImpAsc *record) override;
    // The scaled fields, the unit flag and the child count; an owner of
    // 65,535 children or more is refused ("Data size") and nothing is
    // written.
    tStatus SaveBinary(sCmdFileSave *record) override;
    uint16_t DataSize() override;
    tStatus LoadBinary(cBinaryFileBase *file, uint16_t size) override;
    // Set the coordinate, then move every child by the difference.
    void SetX(int32_t value) override;
    void SetY(int32_t value) override;
    bool Recalculate() override { return true; }
    // The own rectangle joined with GetTotalBounds.
    cRectangl *GetBounds() override;
    // Union of the children's bounds; a 1 x 1 rectangle at x, y without.
    cRectangl *GetTotalBounds() override;
    cRectangl *GetSpacingRect() override;
    // The root test of the owner's own rectangle.
    using ScaledObject::HitTest;
    // The root test; when it misses, a unit asked with flag 0x800 is hit
    // where one of its children is.
    int32_t HitTest(int32_t px, int32_t py, int32_t flags) override;
    // Move the owner's own coordinate, then every child by as much, then
    // recalculate.
    void MoveX(int32_t dx) override;
    void MoveY(int32_t dy) override;
    // Owners take the point's drag move and handle back.
    void MoveBy(int32_t dx, int32_t dy) override { cPObjBase::MoveBy(dx, dy); }
    int32_t GetHandleX() override { return x; }
    int32_t GetHandleY() override { return y; }
    // Clear(3) for a unit (children kept), Clear(0) otherwise.
    int32_t DeleteDependents() override;
    cPObjPoint *Draw() override;
    bool IsUnit() override { return unit != 0; }
    // A plain owner (or a unit without children) detaches as a point; a unit
    // with children dissolves into its owner (answers null).
    cPObjPoint *Detach(uint8_t deleteIt) override;
    cBlockPoint *SaveToBlockPoint(cBlockPoint *node) override { return SaveToBlockPoint(node, 0, 0); }
    // As a scaled symbol; then the node's child nodes are replaced by one
    // for each child of the kind (0, 0: every child).
    virtual cBlockPoint *SaveToBlockPoint(cBlockPoint *node, int16_t typeId, uint32_t flags);
    cBlockPoint *ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy, int32_t oldW,
                         int32_t oldH, int32_t newW, int32_t newH) override;

    // --- The owner operations ------------------------------------------
    // One command to one child between the hooks: the before hook ahead of
    // the first child, the after hook in the closing call (child null).
    virtual tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                   cPObjPoint *previous, void **state);
    // Command 4: the export depth goes up by one.
    virtual tStatus BeforeChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                                       cPObjPoint *child, cPObjPoint *previous, void **state);
    // Command 4: the export depth goes down by one.
    virtual tStatus AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                      cPObjPoint *previous, void **state);
    // Starts the re-spacing pass from this owner; a gap of kFailed leaves
    // that axis alone.
    virtual tStatus SendCondense(int32_t gapX, int32_t gapY, sCommandMask *mask);
    // The objects a block operation covers: the owner itself when previous
    // is null, then null.
    virtual cPObjPoint *NextCovered(cPObjPoint *previous, const cPObjBase *source = nullptr);
    virtual int32_t GetContentLeft() { return x; }
    // Puts a new child in the place of an old one.  Modes: 0 the old one is
    // deleted; 1 it goes inside the new one; 2 it is only taken out; 4 as 0,
    // and a refused new child is deleted too.
    virtual cPObjPoint *ReplaceChild(cPObjPoint *oldChild, cPObjPoint *newChild, int32_t mode);
    // This owner when it takes the object, else null (or, in the music
    // units, the object itself); the base refuses only its own class.
    virtual cPObjPoint *AcceptsChild(cPObjBase *obj, uint32_t flags);
    // Stores a child; the storage classes override it.  Here nothing is
    // stored and the answer is whether the child's Relink answered non-zero.
    virtual bool AddChild(cPObjPoint *child) { return child && child->Relink() != 0; }
    // How often the object is a child; with flags exactly 512 also counted
    // inside child owners.
    virtual uint16_t CountMember(const cPObjBase *obj, uint32_t flags);
    // kFailed for a unit without children (it must go), else 0.
    virtual tStatus CheckNotEmpty();
    virtual uint16_t GetChildCount() { return 0; }
    virtual cPObjPoint *GetChild(uint16_t index) { return nullptr; }
    // The indexes the walks visit: the child count, except in a store that
    // can hold a later child with an earlier place empty (a pair holding
    // only its second object answers 2); the walks pass over empty places.
    virtual uint16_t GetChildSlots() { return GetChildCount(); }
    // Deletes the block marks among the children, at every depth.
    virtual void DeleteBlockMarks();
    // Mode 3 does nothing here; any other mode deletes the block marks.  The
    // storage classes then forget (modes 2 and 3) or delete the children.
    virtual void Clear(int32_t mode);
    // Hit-test flags used when a hit test asks for the owner's own.
    virtual uint32_t GetHitTestFlags() { return 8; }
    // The object a new child is really attached to.
    virtual cPObjPoint *ResolveAttachTarget(cPObjPoint *obj) { return obj; }
    // The child at or after which a point falls.
    virtual cPObjPoint *FindInsertPosition(int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t mode);
    // Storage classes take the child out of their list first, then call
    // this: the outer unit is redrawn and the removal is noted.
    virtual cPObjPoint *RemoveChild(cPObjPoint *child);
    virtual cPObjPoint *GetRemovalTarget(cPObjPoint *child) { return child; }
    // The children in a rectangle: their first and last index (0xFFFF when
    // none) and their joined bounds as a temporary rectangle.
    virtual cRectangl *FindChildrenInRect(const cRectangl &rect, uint16_t *first, uint16_t *last, uint32_t flags);
    // Makes this owner the child's owner and stores it when the child
    // agrees; false for a null child or the owner itself.
    virtual bool InsertChild(cPObjPoint *child);
    // Inserts; a unit takes the place of its target instead.
    virtual bool AttachChild(cPObjPoint *child);
    // Children, child owners counted with their own descendants.
    virtual uint32_t CountDescendants();
    virtual uint16_t CountOfKind(int16_t typeId, uint32_t flags);
    virtual void OnChildMoved(cPObjPoint *child, int32_t dx, int32_t dy);
    // What belongs to the owner itself, drawn before its children.
    virtual void DrawGroupParts() {}
    // Adds the owner's own bounds to the pending redraw area.
    virtual void InvalidateAll();
    // The deepest symbol under a point.
    virtual cPObjPoint *HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t excludeFlags,
                                        const cPObjBase *excluded);
    // The object when it is a child or a deeper descendant, else null.  The
    // position is a hint where to start looking (kNoPosition: anywhere);
    // owners that keep their children by position may use it.
    virtual cPObjPoint *FindChild(const cPObjBase *obj, int32_t px = kNoPosition, int32_t py = kNoPosition);
    virtual cPObjPoint *FirstChildOfKind(int16_t typeId, uint32_t flags);
    virtual cPObjPoint *LastChildOfKind(int16_t typeId, uint32_t flags);
    virtual cPObjPoint *NthChildOfKind(uint16_t n, int16_t typeId, uint32_t flags);
    // Children of the kind before the child; 0xFFFF for a null child or one
    // that is not a child.
    virtual uint16_t IndexOfChild(const cPObjBase *child, int16_t typeId, uint32_t flags);
    // The descendant of a kind lying furthest left.
    virtual cPObjPoint *FindLeftmostOfKind(int16_t typeId, uint32_t flags);
    // The last child of a kind; with lookInside a child owner's own answer
    // (asked without the flag) replaces it when it finds one.
    virtual cPObjPoint *FindLastOfKindDeep(int16_t typeId, uint32_t flags, uint8_t lookInside);

    // --- Lookups the walks rest on ---------------------------------------
    // The storage index of the first entry that holds the child; -1 when
    // none.  The base scans; a storage that knows more answers quicker.
    virtual int32_t FindChildIndex(const cPObjBase *child);
    // Whether the child is held (IndexOfChild of it is not 0xFFFF).
    virtual bool HoldsChild(const cPObjBase *child);
    // Whether no child is held twice; the sibling walks take their quick
    // path only then.  The base cannot tell.
    virtual bool HasUniqueChildren() { return false; }

    uint8_t GetUnitFlag() const { return unit; }
    void SetUnitFlag(uint8_t value) { unit = value; }

    // The hit test of any object with the flags; null misses.
    static int32_t HitTestObject(cPObjBase *obj, int32_t px, int32_t py, int32_t flags);

protected:
    // Whether another owner holds the child: the children of a unit that
    // dissolved into its owner stay in the unit's list (kept for undo) but
    // are no longer the unit's to delete.
    bool HeldElsewhere(cPObjPoint *child);
    // A child owner's own Clear, then the child goes (the deleting modes of
    // Clear in the storage classes).
    static void DeleteChild(cPObjPoint *child, int32_t mode);
    // Loading a list of children begins and ends: a storage may take a
    // quicker path while only the load adds to it.
    virtual void BeginChildLoad() {}
    virtual void EndChildLoad() {}
    // Counts the owners being read from a file (binary or text) while it
    // lives.  Owners of a file nest no deeper than 256: real scores nest a
    // few levels, and a crafted file of endless nesting must not exhaust the
    // stack.
    class cLoadDepth {
    public:
        cLoadDepth();
        ~cLoadDepth();
        cLoadDepth(const cLoadDepth &) = delete;
        cLoadDepth &operator=(const cLoadDepth &) = delete;
        bool TooDeep() const;
    };

    uint8_t unit = 0;

private:
    tStatus ImportChildren(sCmdImpAsc *record, sCommandMask *mask);
    tStatus WalkChildren(int16_t commandId, sCommandMask *mask, sCommandPrm *record);
};

// The owner level of the music layer: the per-child hooks of the export,
// chord and beam commands (15, 23, 24).
class cMusicOwner : public cPObjOwnBase {
public:
    tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                           cPObjPoint *previous, void **state) override;
    // The owner's own MIDI pitch, asked by a held note when it sounds.
    virtual sPitch GetPitchForChild() { return GetMidiPitch(); }
    // A staff runs its running musical context (clef, key, time signature,
    // measure and accidentals) up to x; other owners have none to run.
    virtual void RunContext(int32_t x, int32_t flags, sCommandPrm *record) {}
    // The nearest y a staff places symbols on; other owners take any y.
    virtual int32_t SnapToStep(int32_t y) { return y; }
    // A staff puts a symbol that stands centred (a time signature) on its
    // middle line; other owners leave it where it was dropped.
    virtual void PlaceCentered(cMusicBase *symbol) {}
    // The end times of the notes still sounding, which the score keeps for
    // the time walk; null for every other owner.
    virtual cPlayDuration *GetPendingEnds() { return nullptr; }
    virtual int32_t Reserved208() { return 0; }

    // Ends a chord or beam that a builder filled: one that may not stay
    // (CheckNotEmpty non-zero) is detached, a unit handing its members back
    // to its own owner, and deleted; a beam that stays is laid out again.
    static void CloseBuiltGroup(cPObjOwnBase *group, bool isBeam);

protected:
    // The export walk's step before each child: the child's time step goes
    // into the record.  False when the owner keeps the command from the
    // child (a timed owner exports for its members).
    bool ExportToChild(sCommandMask *mask, cMusicBase::sCmdExport *record, cPObjPoint *child);
    // The chord and beam builders' steps around each child: the first child
    // closes what an outer owner left open, a chord or beam among the
    // children is passed over (false), and the closing call (no child)
    // closes what is still open, so that nothing reaches across owners.
    bool ChordsToChild(cMusicBase::sCmdChords *record, cPObjPoint *child, cPObjPoint *previous);
    bool BeamsToChild(cMusicBase::sCmdBeams *record, cPObjPoint *child, cPObjPoint *previous);

public:
    // Owners with children: the first child's.
    int32_t GetHeadY() override;
    // The last child that is a note; the owner itself without one.
    cMusicBase *GetMainNote() override;
    // Each child in order, stopping at the first whose time x is at or right
    // of the limit (a limit of kFailed lays out every child).
    void LayoutTime(cPObjBase *staff, int32_t limitX, uint8_t advance) override;
};

class cPointOwner : public cMusicOwner {};

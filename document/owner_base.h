// Owners: symbols that hold other symbols.  cPObjOwnBase keeps no children
// itself; the storage lives in the derived classes, and everything here
// reaches the children through GetChildCount and GetChild.  This is the
// part of the owner that navigation, commands and detaching rest on.
#pragma once

#include <cstdint>

#include "document/scaled_symbol.h"

class cPObjOwnBase : public ScaledObject {
public:
    bool IsOwner() const override { return true; }
    bool IsUnit() override { return unit != 0; }

    // One command to one child between the hooks: the before hook ahead of
    // the first child, the after hook in the closing call (child null).
    virtual tStatus CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                   cPObjPoint *previous, void **state);
    virtual tStatus BeforeChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                                       cPObjPoint *child, cPObjPoint *previous, void **state);
    virtual tStatus AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                      cPObjPoint *previous, void **state);
    // Stores a child; the storage classes override it.  Here nothing is
    // stored and the answer is whether the child's Relink answered non-zero.
    virtual bool AddChild(cPObjPoint *child) { return child && child->Relink() != 0; }
    virtual uint16_t GetChildCount() { return 0; }
    virtual cPObjPoint *GetChild(uint16_t index) { return nullptr; }
    // Storage classes take the child out of their list first, then call
    // this: the outer unit is redrawn and the removal is noted.
    virtual cPObjPoint *RemoveChild(cPObjPoint *child);
    virtual cPObjPoint *GetRemovalTarget(cPObjPoint *child) { return child; }
    // Makes this owner the child's owner and stores it when the child
    // agrees; false for a null child or the owner itself.
    virtual bool InsertChild(cPObjPoint *child);
    virtual void OnChildMoved(cPObjPoint *child, int32_t dx, int32_t dy);
    virtual cPObjPoint *FirstChildOfKind(int16_t typeId, uint32_t flags);
    virtual cPObjPoint *LastChildOfKind(int16_t typeId, uint32_t flags);
    virtual cPObjPoint *NthChildOfKind(uint16_t n, int16_t typeId, uint32_t flags);
    // Children of the kind before the child; 0xFFFF for a null child or one
    // that is not a child.
    virtual uint16_t IndexOfChild(const cPObjBase *child, int16_t typeId, uint32_t flags);

    // The object when it is a child or a deeper descendant, else null.  The
    // position is a hint where to start looking (kNoPosition: anywhere);
    // owners that keep their children by position use it.
    virtual cPObjPoint *FindChild(const cPObjBase *obj, int32_t px = kNoPosition, int32_t py = kNoPosition);

    uint8_t GetUnitFlag() const { return unit; }

protected:
    uint8_t unit = 0;
};

// The owner level of the music layer; the per-child steps of the export,
// chord and beam commands come with the notation classes.
class cMusicOwner : public cPObjOwnBase {
public:
    virtual sPitch GetPitchForChild() { return GetMidiPitch(); }
    virtual int32_t Reserved208() { return 0; }
};

class cPointOwner : public cMusicOwner {};

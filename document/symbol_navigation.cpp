// Walking the tree (owners, siblings, units), moving and telling owners,
// sorting, and the condense pass: the default bodies of the root class.
#include <algorithm>

#include "document/commands.h"
#include "document/owner_base.h"

namespace {

// The index of a child in its owner's storage; -1 when it is not there.
int32_t RawIndexOf(cPObjOwnBase *owner, const cPObjBase *child) { return owner->FindChildIndex(child); }

// An empty place is expected only in a store whose walks pass over empty
// places (a pair holding only its second object); elsewhere it is reported.
void MissingChild(cPObjOwnBase *owner) {
    if (owner->GetChildSlots() == owner->GetChildCount()) cPObjBase::ErrorInvalidObject();
}

// The first child of the kind from a storage index on; missing children on
// the way are reported.
cPObjPoint *FirstOfKindFrom(cPObjOwnBase *owner, int32_t from, int16_t typeId, uint32_t flags, int32_t *at) {
    const uint16_t count = owner->GetChildSlots();
    for (int32_t i = from; i < count; ++i) {
        cPObjPoint *child = owner->GetChild(uint16_t(i));
        if (!child) {
            MissingChild(owner);
            continue;
        }
        if (IsOfKind(child, typeId, flags)) {
            if (at) *at = i;
            return child;
        }
    }
    return nullptr;
}

cPObjPoint *LastOfKindBefore(cPObjOwnBase *owner, int32_t before, int16_t typeId, uint32_t flags) {
    for (int32_t i = before - 1; i >= 0; --i) {
        cPObjPoint *child = owner->GetChild(uint16_t(i));
        if (!child) {
            MissingChild(owner);
            continue;
        }
        if (IsOfKind(child, typeId, flags)) return child;
    }
    return nullptr;
}

cPObjPoint *AsPoint(cPObjBase *obj) { return dynamic_cast<cPObjPoint *>(obj); }

}  // namespace

cPObjOwnBase *cPObjBase::FindOwner(int16_t typeId, uint32_t flags) const {
    if (!owner) return nullptr;
    if (typeId == 0 && flags == 0) return owner;
    if (owner->GetTypeId() == typeId) return owner;
    if (flags & owner->GetTypeFlags(0)) return owner;
    return owner->FindOwner(typeId, flags);
}

cPObjOwnBase *cPObjBase::FindAncestor(const cPObjBase *obj) const {
    for (cPObjOwnBase *up = owner; up; up = up->owner)
        if (up == obj) return up;
    return nullptr;
}

uint32_t cPObjBase::GetInheritedTypeFlags() const {
    return GetTypeFlags(0) | (owner ? owner->GetInheritedTypeFlags() : 0);
}

cPObjBase *cPObjBase::GetRoot() { return owner ? owner->GetRoot() : this; }

cPObjBase *cPObjBase::GetOuterUnit(int32_t wantFlags, uint32_t stopFlags) {
    if (!owner || !owner->IsUnit()) return this;
    const uint32_t ownerFlags = owner->GetTypeFlags(0);
    if (wantFlags != -1 && !(uint32_t(wantFlags) & ownerFlags)) return this;
    if (stopFlags && (stopFlags & ownerFlags)) return this;
    return owner->GetOuterUnit(wantFlags, stopFlags);
}

uint16_t cPObjBase::FindSiblingFrom(uint16_t index, int16_t typeId, uint32_t flags, cPObjPoint **out) {
    if (out) *out = nullptr;
    if (!owner || index == 0xFFFF) return 0xFFFF;
    int32_t at = 0;
    cPObjPoint *found = FirstOfKindFrom(owner, index, typeId, flags, &at);
    if (!found) return 0xFFFF;
    if (out) *out = found;
    return uint16_t(at);
}

cPObjPoint *cPObjBase::NextSibling(const cPObjBase *after, int16_t typeId, uint32_t flags, uint8_t crossOwners) {
    if (!owner) return nullptr;
    const int32_t from = after ? RawIndexOf(owner, after) : -1;
    if (!after || from >= 0) {
        if (cPObjPoint *found = FirstOfKindFrom(owner, from + 1, typeId, flags, nullptr)) return found;
    }
    if (crossOwners != 1) return nullptr;
    for (cPObjPoint *next = owner->NextOfSameKind(0); next; next = next->NextOfSameKind(0)) {
        auto *nextOwner = dynamic_cast<cPObjOwnBase *>(next);
        if (cPObjPoint *found = nextOwner ? nextOwner->FirstChildOfKind(typeId, flags) : nullptr) return found;
    }
    return nullptr;
}

cPObjPoint *cPObjBase::PrevSibling(const cPObjBase *before, int16_t typeId, uint32_t flags, uint8_t crossOwners) {
    if (!owner) return nullptr;
    const int32_t at = before ? RawIndexOf(owner, before) : owner->GetChildSlots();
    if (!before || at >= 0) {
        if (cPObjPoint *found = LastOfKindBefore(owner, at, typeId, flags)) return found;
    }
    if (crossOwners != 1) return nullptr;
    for (cPObjPoint *prev = owner->PrevOfSameKind(0); prev; prev = prev->PrevOfSameKind(0)) {
        auto *prevOwner = dynamic_cast<cPObjOwnBase *>(prev);
        if (cPObjPoint *found = prevOwner ? prevOwner->LastChildOfKind(typeId, flags) : nullptr) return found;
    }
    return nullptr;
}

cPObjPoint *cPObjBase::NextOfSameKind(uint8_t crossOwners) {
    return NextSibling(this, GetTypeId(), GetTypeFlags(0), crossOwners);
}

cPObjPoint *cPObjBase::PrevOfSameKind(uint8_t crossOwners) {
    return PrevSibling(this, GetTypeId(), GetTypeFlags(0), crossOwners);
}

uint16_t cPObjBase::GetOrdinalOfKind(int16_t typeId, uint32_t flags) {
    if (!owner) return 0xFFFF;
    // With every child held once, the step from sibling to sibling reaches
    // this object after as many children of the kind as stand before it.
    if (owner->HasUniqueChildren()) return IsOfKind(this, typeId, flags) ? owner->IndexOfChild(this, typeId, flags) : 0xFFFF;
    uint16_t count = 0;
    for (cPObjPoint *c = owner->FirstChildOfKind(typeId, flags); c; c = c->NextSibling(c, typeId, flags, 0), ++count)
        if (c == this) return count;
    return 0xFFFF;
}

uint16_t cPObjBase::GetIndexInOwner(const cPObjBase *obj) { return owner ? owner->IndexOfChild(obj, 0, 0) : 0xFFFF; }

int32_t cPObjBase::ReinsertInOwner() {
    cPObjOwnBase *direct = FindOwner(0, 0);
    cPObjPoint *self = AsPoint(this);
    if (!direct || !self) return 0;
    if (cPObjPoint *removed = direct->RemoveChild(self)) direct->AddChild(removed);
    direct->Recalculate();
    return 0;
}

// The object is the owner's from now on, or it goes: whoever hands it over
// (an undone deletion) lets go of it, as units that cannot take their place
// again delete themselves.  A refused object would otherwise be lost with an
// owner link to an owner that does not hold it.
int32_t cPObjBase::AttachTo(cPObjOwnBase *newOwner) {
    cPObjPoint *self = AsPoint(this);
    if (!self || (newOwner && newOwner->InsertChild(self))) return 0;
    self->SetOwner(nullptr);
    delete self;
    return 0;
}

bool cPObjBase::SortsBefore(const cPObjBase &other) const {
    switch (gSortMode) {
    case 0: return y < other.y || (y == other.y && x < other.x);
    case 1: return x < other.x || (x == other.x && y < other.y);
    default: return false;
    }
}

void cPObjBase::MoveBy(int32_t dx, int32_t dy) {
    const int32_t x0 = GetX(), y0 = GetY();
    InvalidateBefore();
    MoveXY(dx, dy);
    Recalculate();
    InvalidateAfter();
    if (owner) owner->OnChildMoved(AsPoint(this), GetX() - x0, GetY() - y0);
}

int32_t cPObjBase::RestoreFrom(const cPObjBase &copy) {
    const int32_t x0 = x, y0 = y;
    if (!IsSamePosition(copy)) MoveXY(copy.x - x, copy.y - y);
    if (owner) owner->OnChildMoved(AsPoint(this), x - x0, y - y0);
    return 0;
}

namespace {

// Whether a coordinate opens a new row or column: none before it, or it
// lies outside the tolerance around the previous object's old coordinate.
bool StartsNew(int32_t lastOld, int32_t tolerance, int32_t at) {
    return lastOld == kFailed || int64_t(lastOld) + tolerance < at || int64_t(lastOld) - tolerance > at;
}

}  // namespace

tStatus cPObjBase::Condense(sCmdCondense *r) {
    if (!r || !IsVisible()) return 0;
    const int32_t x0 = x, y0 = y;
    const int32_t tolX = GetSpacingToleranceX(), tolY = GetSpacingToleranceY();
    const cRectangl bounds = *GetBounds();
    if (r->gapY != kFailed) {
        if (StartsNew(r->lastOldY, tolY, y)) {
            MoveXY(0, r->maxBottom + r->gapY - bounds.Top());
            r->maxBottom = GetSpacingRect()->Bottom();
        } else {
            MoveXY(0, r->lastY - r->lastOldY);
            r->maxBottom = std::max(r->maxBottom, GetSpacingRect()->Bottom());
        }
        r->lastOldY = y0;
        r->lastY = y;
    }
    if (r->gapX != kFailed) {
        if (StartsNew(r->lastOldX, tolX, x)) {
            const int32_t step = std::max((x0 - bounds.Left()) + (r->maxRight - r->lastX + r->gapX), tolX + 1);
            MoveXY(r->lastX + step - x, 0);
            r->maxRight = GetSpacingRect()->Right();
        } else {
            MoveXY(r->lastX - r->lastOldX, 0);
            r->maxRight = std::max(r->maxRight, GetSpacingRect()->Right());
        }
        r->lastOldX = x0;
        r->lastX = x;
    }
    if (r->gapX != kFailed || r->gapY != kFailed) {
        ReinsertInOwner();
        InvalidateAfter();
        if (owner) owner->OnChildMoved(AsPoint(this), GetX() - x0, GetY() - y0);
    }
    return 0;
}

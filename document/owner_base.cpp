#include "document/owner_base.h"

#include "document/base_classes.h"

PointWindowObject *gCurrentDocument = nullptr;

tStatus cPObjOwnBase::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                     cPObjPoint *previous, void **state) {
    if (!child) return previous ? AfterChildCommand(commandId, mask, record, child, previous, state) : kFailed;
    if (!previous) BeforeChildCommand(commandId, mask, record, child, previous, state);
    return child->OnCommand(commandId, mask, record);
}

// Children of a text export are written one level deeper.
tStatus cPObjOwnBase::BeforeChildCommand(int16_t commandId, sCommandMask *, sCommandPrm *record, cPObjPoint *,
                                         cPObjPoint *, void **) {
    if (commandId == kCmdExportText && record) ++static_cast<sCmdExpAsc *>(record)->depth;
    return 0;
}

tStatus cPObjOwnBase::AfterChildCommand(int16_t commandId, sCommandMask *, sCommandPrm *record, cPObjPoint *,
                                        cPObjPoint *, void **) {
    if (commandId == kCmdExportText && record) --static_cast<sCmdExpAsc *>(record)->depth;
    return 0;
}

cPObjPoint *cPObjOwnBase::RemoveChild(cPObjPoint *child) {
    if (owner) GetOuterUnit(-1, 0)->InvalidateBefore();
    gDocumentFlags |= 0x4;
    return child;
}

bool cPObjOwnBase::InsertChild(cPObjPoint *child) {
    if (!child || child == this) return false;
    child->SetOwner(this);
    bool added = child->OnInsert() && AddChild(child);
    Recalculate();
    return added;
}

void cPObjOwnBase::OnChildMoved(cPObjPoint *, int32_t dx, int32_t dy) {
    const int32_t x0 = x, y0 = y;
    InvalidateBefore();
    // A unit follows its child with its own point only.
    if (IsUnit() && (dx || dy)) {
        x += dx;
        y += dy;
    }
    Recalculate();
    if (x != x0 || y != y0) ReinsertInOwner();
    if (owner) owner->OnChildMoved(this, x - x0, y - y0);
    InvalidateAfter();
}

cPObjPoint *cPObjOwnBase::FirstChildOfKind(int16_t typeId, uint32_t flags) {
    const uint16_t count = GetChildCount();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *child = GetChild(i); IsOfKind(child, typeId, flags)) return child;
    return nullptr;
}

cPObjPoint *cPObjOwnBase::LastChildOfKind(int16_t typeId, uint32_t flags) {
    cPObjPoint *last = FirstChildOfKind(typeId, flags);
    for (cPObjPoint *next = last; next; next = next->NextSibling(next, typeId, flags, 0)) last = next;
    return last;
}

cPObjPoint *cPObjOwnBase::NthChildOfKind(uint16_t n, int16_t typeId, uint32_t flags) {
    cPObjPoint *child = FirstChildOfKind(typeId, flags);
    for (uint16_t i = 0; child && i < n; ++i) child = child->NextSibling(child, typeId, flags, 0);
    return child;
}

uint16_t cPObjOwnBase::IndexOfChild(const cPObjBase *child, int16_t typeId, uint32_t flags) {
    if (!child) return 0xFFFF;
    const uint16_t count = GetChildCount();
    uint16_t before = 0;
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (c == child) return before;
        if (IsOfKind(c, typeId, flags)) ++before;
    }
    return 0xFFFF;
}

cPObjPoint *cPObjOwnBase::FindChild(const cPObjBase *obj, int32_t, int32_t) {
    if (!obj) return nullptr;
    const uint16_t count = GetChildCount();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *child = GetChild(i);
        if (!child) continue;
        if (child == obj) return child;
        if (child->IsOwner())
            if (cPObjPoint *found = static_cast<cPObjOwnBase *>(child)->FindChild(obj)) return found;
    }
    return nullptr;
}

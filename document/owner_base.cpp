// The tree operations of every owner: children by kind, hit testing, insert
// positions, replacing and attaching, moving, bounds, drawing and dissolving
// on delete.  The command walk and the owner's records are owner_walk.cpp.
#include "document/owner_base.h"

#include <algorithm>
#include <optional>

#include "document/base_classes.h"
#include "document/music_commands.h"
#include "document/undo_list.h"
#include "ui/view_port.h"

PointWindowObject *gCurrentDocument = nullptr;

namespace {

cPObjOwnBase *AsOwner(cPObjBase *obj) { return obj && obj->IsOwner() ? static_cast<cPObjOwnBase *>(obj) : nullptr; }

cPObjPoint *AsPoint(cPObjBase *obj) { return dynamic_cast<cPObjPoint *>(obj); }

// Whether a hit candidate is dropped: the excluded object, another class
// than the one asked, an excluded family, or the point misses it.
bool Refused(cPObjPoint *c, int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t excludeFlags,
             const cPObjBase *excluded) {
    if (c == excluded) return true;
    if (typeId != 0 && c->GetTypeId() != typeId) return true;
    if (c->GetTypeFlags(0) & excludeFlags) return true;
    return cPObjOwnBase::HitTestObject(c, px, py, int32_t(flags)) == 0;
}

}  // namespace

cPObjOwnBase::~cPObjOwnBase() { Clear(0); }

int32_t cPObjOwnBase::HitTestObject(cPObjBase *obj, int32_t px, int32_t py, int32_t flags) {
    return obj ? obj->HitTest(px, py, flags) : 0;
}

bool cPObjOwnBase::HeldElsewhere(cPObjPoint *child) {
    cPObjOwnBase *other = child ? child->FindOwner(0, 0) : nullptr;
    return other && other != this && other->HoldsChild(child);
}

void cPObjOwnBase::DeleteChild(cPObjPoint *child, int32_t mode) {
    if (!child) return;
    if (cPObjOwnBase *o = AsOwner(child)) o->Clear(mode);
    delete child;
}

// --- Root operations ------------------------------------------------------

void cPObjOwnBase::Assign(const cPObjBase &other) {
    if (other.GetTypeId() != GetTypeId() || !other.IsOwner()) {
        ErrorInvalidObject();
        return;
    }
    CopyFrom(other);
    auto &from = const_cast<cPObjOwnBase &>(static_cast<const cPObjOwnBase &>(other));
    if (&from == this) return;
    const uint16_t count = from.GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *child = from.GetChild(i);
        cPObjPoint *copy = child ? NewSameClassNamed(child) : nullptr;
        if (!copy) continue;
        copy->Assign(*child);
        copy->SetOwner(this);
        // A store that has no room leaves the copy out; it would have no
        // owner to delete it.
        if (!AddChild(copy)) {
            copy->SetOwner(nullptr);
            delete copy;
        }
    }
}

void cPObjOwnBase::CopyFrom(const cPObjBase &other) {
    ScaledObject::CopyFrom(other);
    if (other.GetTypeId() == GetTypeId() && other.IsOwner())
        unit = static_cast<const cPObjOwnBase &>(other).unit;
}

void cPObjOwnBase::SetX(int32_t value) {
    const int32_t dx = value - x;
    x = value;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) c->MoveX(dx);
}

void cPObjOwnBase::SetY(int32_t value) {
    const int32_t dy = value - y;
    y = value;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) c->MoveY(dy);
}

cRectangl *cPObjOwnBase::GetBounds() {
    cRectangl own = *cPObjBase::GetBounds();
    own.Union(*GetTotalBounds());
    return cRectangl::TempCopy(own);
}

cRectangl *cPObjOwnBase::GetTotalBounds() {
    cRectangl total(0, 0, 0, 0);
    bool any = false;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        const cRectangl b = *c->GetBounds();
        if (!any)
            total = b;
        else
            total.Union(b);
        any = true;
    }
    if (!any) return cRectangl::Temp(x, y, 1, 1);
    return cRectangl::TempCopy(total);
}

cRectangl *cPObjOwnBase::GetSpacingRect() {
    cRectangl rect = *cPObjBase::GetSpacingRect();
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) rect.Union(*c->GetSpacingRect());
    return cRectangl::TempCopy(rect);
}

int32_t cPObjOwnBase::HitTest(int32_t px, int32_t py, int32_t flags) {
    if (int32_t hit = HitTest(px, py)) return hit;
    if (!IsUnit() || !(flags & 0x800)) return 0;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (int32_t hit = HitTestObject(GetChild(i), px, py, flags)) return hit;
    return 0;
}

void cPObjOwnBase::MoveX(int32_t dx) {
    cPObjBase::MoveX(dx);
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) c->MoveX(dx);
    Recalculate();
}

void cPObjOwnBase::MoveY(int32_t dy) {
    cPObjBase::MoveY(dy);
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) c->MoveY(dy);
    Recalculate();
}

int32_t cPObjOwnBase::DeleteDependents() {
    Clear(IsUnit() ? 3 : 0);
    return 0;
}

cPObjPoint *cPObjOwnBase::Draw() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w) {
        ErrorInvalidDevice();
        return this;
    }
    const tColour keptBitmap = w->GetBitmapColour(), keptText = w->GetTextColour(), keptPen = w->GetPenColour();
    auto select = [w] {
        w->SetBitmapColour(kSelectionColour);
        w->SetTextColour(kSelectionColour);
        w->SetColour(kSelectionColour);
    };
    auto restore = [&] {
        w->SetBitmapColour(keptBitmap);
        w->SetTextColour(keptText);
        w->SetColour(keptPen);
    };
    const bool selected = IsSelected();
    if (selected) select();
    DrawGroupParts();
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (c->IsSelected()) {
            select();
            c->Draw();
            restore();
            if (selected) select();
        } else {
            c->Draw();
        }
    }
    if (selected) restore();
    return this;
}

cPObjPoint *cPObjOwnBase::Detach(uint8_t deleteIt) {
    const uint16_t count = GetChildSlots();
    if (GetChildCount() == 0) return cPObjPoint::Detach(deleteIt);
    cPObjOwnBase *up = owner;
    // Nothing to dissolve into without an owner (never done by the
    // program): such a unit goes whole, as a plain owner does.
    if (!IsUnit() || count == 0 || !up) return cPObjPoint::Detach(deleteIt);
    InvalidateBefore();
    // The first child takes the unit's place; every further one goes to the
    // nearest owner up the chain that accepts it.
    bool placedFirst = false;
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (!placedFirst) {
            placedFirst = true;
            c->SetOwner(up);
            up->RemoveChild(this);
            if (!up->AddChild(c)) c->SetOwner(this);
            continue;
        }
        for (cPObjOwnBase *o = up; o; o = o->FindOwner(0, 0)) {
            if (o->AcceptsChild(c, 0x200)) {
                if (!o->InsertChild(c)) c->SetOwner(this);
                break;
            }
        }
    }
    if (deleteIt && gPointUndo) {
        // The undo list keeps the unit; its list still names the children,
        // which now belong to other owners (its Clear leaves those alone).
        gPointUndo->RecordDelete(this);
    } else {
        SetOwner(nullptr);
        // A child that no owner took stays with the unit and goes with it.
        Clear(0);
        delete this;
    }
    up->Recalculate();
    return nullptr;
}

cPObjPoint::cBlockPoint *cPObjOwnBase::SaveToBlockPoint(cBlockPoint *node, int16_t typeId, uint32_t flags) {
    ScaledObject::SaveToBlockPoint(node);
    if (!node) return node;
    node->children.DeleteAll();
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (c && IsOfKind(c, typeId, flags)) node->AddChild(c, true);
    }
    return node;
}

cPObjPoint::cBlockPoint *cPObjOwnBase::ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy,
                                               int32_t oldW, int32_t oldH, int32_t newW, int32_t newH) {
    if (!node) return nullptr;
    if (!node->children.empty()) {
        node->ScaleChildren(x0, y0, dx, dy, oldW, oldH, newW, newH);
        Recalculate();
        return node;
    }
    const int32_t ox = x, oy = y;
    cPObjPoint::ScaleTo(node, x0, y0, dx, dy, oldW, oldH, newW, newH);
    const uint32_t mode = gEditMode;
    gEditMode |= kEditBlock;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i)) c->MoveXY(x - ox, y - oy);
    gEditMode = mode;
    return node;
}

// --- Owner operations -----------------------------------------------------

cPObjPoint *cPObjOwnBase::NextCovered(cPObjPoint *previous, const cPObjBase *) {
    return previous ? nullptr : this;
}

cPObjPoint *cPObjOwnBase::ReplaceChild(cPObjPoint *oldChild, cPObjPoint *newChild, int32_t mode) {
    RemoveChild(oldChild);
    bool accepted = true;
    cPObjOwnBase *wrapper = mode == 1 ? AsOwner(newChild) : nullptr;
    if (wrapper) accepted = wrapper->InsertChild(oldChild);
    const bool wrapped = wrapper && accepted;
    if (accepted) accepted = InsertChild(newChild);
    cPObjPoint *result;
    if (accepted) {
        if (mode == 0 || mode == 4) DeleteChild(oldChild, 0);
        result = newChild;
    } else if (mode == 4) {
        DeleteChild(oldChild, 0);
        DeleteChild(newChild, 0);
        return oldChild;
    } else {
        // The new child that took the old one lets it go again, so that the
        // old child is never held by two owners.
        if (wrapped) wrapper->RemoveChild(oldChild);
        InsertChild(oldChild);
        result = oldChild;
    }
    if (owner) owner->OnChildMoved(this, 0, 0);
    return result;
}

cPObjPoint *cPObjOwnBase::AcceptsChild(cPObjBase *obj, uint32_t) {
    if (!obj || obj->GetTypeId() == GetTypeId()) return nullptr;
    return this;
}

uint16_t cPObjOwnBase::CountMember(const cPObjBase *obj, uint32_t flags) {
    uint32_t n = 0;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (c == obj) ++n;
        if (flags == 512)
            if (cPObjOwnBase *o = AsOwner(c)) n += o->CountMember(obj, flags);
    }
    return uint16_t(std::min<uint32_t>(n, 0xFFFF));
}

tStatus cPObjOwnBase::CheckNotEmpty() { return IsUnit() && GetChildCount() == 0 ? kFailed : 0; }

void cPObjOwnBase::DeleteBlockMarks() {
    if (GetTypeFlags(0) & kTypeBlockMark) return;
    for (int32_t i = int32_t(GetChildSlots()) - 1; i >= 0; --i) {
        cPObjPoint *c = GetChild(uint16_t(i));
        if (!c) continue;
        if (c->GetTypeFlags(0) & kTypeBlockMark) {
            delete c->Detach(0);
        } else if (cPObjOwnBase *o = AsOwner(c)) {
            o->DeleteBlockMarks();
        }
    }
}

void cPObjOwnBase::Clear(int32_t mode) {
    if (mode != 3) DeleteBlockMarks();
}

cPObjPoint *cPObjOwnBase::FindInsertPosition(int32_t px, int32_t py, int16_t typeId, uint32_t flags, uint32_t mode) {
    cPObjPoint *previous = nullptr;  // the last matching child before the current one
    cPObjPoint *answer = nullptr, *answerPrevious = nullptr;
    bool decided = false;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count && !decided; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c || !IsOfKind(c, typeId, flags)) continue;
        if (HitTestObject(c, px, py, 0)) {
            answer = c;
            answerPrevious = previous;
            decided = true;
            break;
        }
        const bool before = (mode & 0x2000) ? c->GetLeft() > px : py < c->GetTop();
        if (before) {
            decided = true;
            if (!previous) {
                answer = c;
            } else if (previous->GetY() == c->GetY()) {
                const int64_t right = previous->GetRight();
                const int64_t split = right + (int64_t(c->GetLeft()) - right) / 2;
                answer = split <= px ? c : previous;
            } else {
                const int64_t bottom = previous->GetBottom();
                const int64_t split = bottom + (int64_t(c->GetTop()) - bottom) / 2;
                answer = py >= split ? c : previous;
            }
            break;
        }
        previous = c;
    }
    if (!decided) answer = previous;
    if (mode == 0x1000 && answer) {
        // The matching child before the answer.
        if (!answerPrevious) {
            cPObjPoint *last = nullptr;
            for (uint16_t i = 0; i < count; ++i) {
                cPObjPoint *c = GetChild(i);
                if (!c || !IsOfKind(c, typeId, flags)) continue;
                if (c == answer) break;
                last = c;
            }
            answerPrevious = last;
        }
        if (answerPrevious) {
            const bool before =
                answerPrevious->GetY() == answer->GetY() ? answer->GetLeft() > px : py < answer->GetTop();
            if (before) answer = answerPrevious;
        }
    }
    return answer;
}

cPObjPoint *cPObjOwnBase::RemoveChild(cPObjPoint *child) {
    if (owner) GetOuterUnit(-1, 0)->InvalidateBefore();
    gDocumentFlags |= 0x4;
    return child;
}

cRectangl *cPObjOwnBase::FindChildrenInRect(const cRectangl &rect, uint16_t *first, uint16_t *last, uint32_t flags) {
    uint16_t lo = 0xFFFF, hi = 0xFFFF;
    cRectangl area(0, 0, 0, 0);
    bool any = false;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        // The list runs top to bottom: below the rectangle nothing follows.
        if (!(flags & 0x200) && c->GetTop() > rect.Bottom()) break;
        if (c->GetBottom() < rect.Top() || c->GetRight() < rect.Left()) continue;
        if (c->TestRect(rect, int16_t(flags & ~0x200u)) != 0) continue;
        hi = i;
        if (lo == 0xFFFF) lo = i;
        const cRectangl b = *c->GetBounds();
        if (!any)
            area = b;
        else
            area.Union(b);
        any = true;
    }
    if (first) *first = lo;
    if (last) *last = hi;
    return cRectangl::TempCopy(area);
}

bool cPObjOwnBase::InsertChild(cPObjPoint *child) {
    if (!child || child == this) return false;
    child->SetOwner(this);
    bool added = child->OnInsert() && AddChild(child);
    Recalculate();
    return added;
}

bool cPObjOwnBase::AttachChild(cPObjPoint *child) {
    if (!IsUnit()) return InsertChild(child);
    cPObjPoint *target = ResolveAttachTarget(child);
    cPObjOwnBase *targetOwner = target ? target->FindOwner(0, 0) : nullptr;
    if (!targetOwner) return false;
    cPObjOwnBase *ownOwner = owner;
    targetOwner->RemoveChild(target);
    if (InsertChild(target)) {
        SetOwner(targetOwner);
        if (targetOwner->AddChild(this)) return true;
        // The target goes back whole: out of this unit, into its owner.
        SetOwner(ownOwner);
        RemoveChild(target);
    }
    target->SetOwner(targetOwner);
    targetOwner->AddChild(target);
    return false;
}

uint32_t cPObjOwnBase::CountDescendants() {
    uint32_t n = 0;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        ++n;
        if (cPObjOwnBase *o = AsOwner(c)) n += o->CountDescendants();
    }
    return n;
}

uint16_t cPObjOwnBase::CountOfKind(int16_t typeId, uint32_t flags) {
    uint16_t n = 0;
    for (cPObjPoint *c = FirstChildOfKind(typeId, flags); c; c = c->NextSibling(c, typeId, flags, 0)) ++n;
    return n;
}

void cPObjOwnBase::OnChildMoved(cPObjPoint *, int32_t dx, int32_t dy) {
    const int32_t x0 = x, y0 = y;
    InvalidateBefore();
    // A unit follows its child with its own point only.
    if (IsUnit() && (dx || dy)) {
        cPObjBase::MoveX(dx);
        cPObjBase::MoveY(dy);
    }
    Recalculate();
    if (x != x0 || y != y0) ReinsertInOwner();
    if (owner) owner->OnChildMoved(this, x - x0, y - y0);
    InvalidateAfter();
}

void cPObjOwnBase::InvalidateAll() { AddRedrawArea(*cPObjBase::GetBounds()); }

cPObjPoint *cPObjOwnBase::HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t flags,
                                          uint32_t excludeFlags, const cPObjBase *excluded) {
    uint32_t work = flags & ~0x420u;
    cPObjPoint *result = nullptr;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count && !result; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        cPObjPoint *deeper = nullptr;
        if (cPObjOwnBase *o = AsOwner(c)) {
            deeper = o->HitTestChildren(px, py, typeId, flags, excludeFlags, excluded);
            if (deeper && Refused(deeper, px, py, typeId, flags, excludeFlags, excluded)) deeper = nullptr;
        }
        // The deepest hit wins.
        if (deeper)
            result = deeper;
        else if (!Refused(c, px, py, typeId, flags, excludeFlags, excluded))
            result = c;
    }
    if (work & 0x10) work = GetHitTestFlags();
    if (!result && owner && (work & 8) && HitTestObject(this, px, py, 0)) result = this;
    if (result) {
        if (int32_t(int8_t(unit)) == int32_t(work) && IsUnit() && !(GetTypeFlags(0) & excludeFlags)) result = this;
        if (work & 1) result = AsPoint(result->GetOuterUnit(-1, excludeFlags));
    }
    return result;
}

cPObjPoint *cPObjOwnBase::FindChild(const cPObjBase *obj, int32_t, int32_t) {
    if (!obj) return nullptr;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *child = GetChild(i);
        if (!child) continue;
        if (child == obj) return child;
        if (cPObjOwnBase *o = AsOwner(child))
            if (cPObjPoint *found = o->FindChild(obj)) return found;
    }
    return nullptr;
}

cPObjPoint *cPObjOwnBase::FirstChildOfKind(int16_t typeId, uint32_t flags) {
    const uint16_t count = GetChildSlots();
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
    const uint16_t count = GetChildSlots();
    uint16_t before = 0;
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (c == child) return before;
        if (IsOfKind(c, typeId, flags)) ++before;
    }
    return 0xFFFF;
}

cPObjPoint *cPObjOwnBase::FindLeftmostOfKind(int16_t typeId, uint32_t flags) {
    cPObjPoint *found = nullptr;
    int32_t foundLeft = 0;
    auto take = [&](cPObjPoint *candidate) {
        const int32_t left = candidate->GetBounds()->Left();
        if (!found || left < foundLeft) {
            found = candidate;
            foundLeft = left;
        }
    };
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        cPObjOwnBase *o = AsOwner(c);
        if (!o) {
            if (!found && IsOfKind(c, typeId, flags)) take(c);
            continue;
        }
        if (IsOfKind(c, typeId, flags)) take(c);
        if (cPObjPoint *inner = o->FindLeftmostOfKind(typeId, flags)) take(inner);
    }
    return found;
}

cPObjPoint *cPObjOwnBase::FindLastOfKindDeep(int16_t typeId, uint32_t flags, uint8_t lookInside) {
    cPObjPoint *found = nullptr;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (IsOfKind(c, typeId, flags)) found = c;
        if (lookInside)
            if (cPObjOwnBase *o = AsOwner(c))
                if (cPObjPoint *inner = o->FindLastOfKindDeep(typeId, flags, 0)) found = inner;
    }
    return found;
}

int32_t cPObjOwnBase::FindChildIndex(const cPObjBase *child) {
    if (!child) return -1;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (GetChild(i) == child) return i;
    return -1;
}

bool cPObjOwnBase::HoldsChild(const cPObjBase *child) { return IndexOfChild(child, 0, 0) != 0xFFFF; }

tStatus cMusicOwner::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                    cPObjPoint *previous, void **state) {
    switch (commandId) {
    case kCmdExport:
        if (!ExportToChild(mask, static_cast<cMusicBase::sCmdExport *>(record), child)) return 0;
        break;
    case kCmdMakeChords:
        if (!ChordsToChild(static_cast<cMusicBase::sCmdChords *>(record), child, previous)) return 0;
        break;
    case kCmdMakeBeams:
        if (!BeamsToChild(static_cast<cMusicBase::sCmdBeams *>(record), child, previous)) return 0;
        break;
    default: break;
    }
    return cPObjOwnBase::CommandToChild(commandId, mask, record, child, previous, state);
}

void cMusicOwner::CloseBuiltGroup(cPObjOwnBase *group, bool isBeam) {
    if (!group) return;
    if (group->CheckNotEmpty() != 0)
        delete group->Detach(0);
    else if (isBeam)
        group->AutoArrange();
}

bool cMusicOwner::ChordsToChild(cMusicBase::sCmdChords *record, cPObjPoint *child, cPObjPoint *previous) {
    if (!record) return true;
    const bool pass = !child || child->GetTypeId() != kChordTypeId;
    if (child && previous) return pass;
    // An owner without children has nothing to close.  The first child
    // closes a chord that an outer owner left open (an owner among its
    // children walks its own): forgotten, a chord of one note would stay.
    if (!child && !previous) return true;
    CloseBuiltGroup(record->openChord, false);
    record->openChord = nullptr;
    return pass;
}

bool cMusicOwner::BeamsToChild(cMusicBase::sCmdBeams *record, cPObjPoint *child, cPObjPoint *previous) {
    if (!record) return true;
    const int16_t id = child ? child->GetTypeId() : 0;
    const bool pass = id != kBeamTypeId && id != kBeamEndTypeId;
    if (child && previous) return pass;
    // As with chords: the first child closes what an outer owner left open.
    if (!child && !previous) return true;
    CloseBuiltGroup(record->openBeam, true);
    record->openBeam = nullptr;
    record->beamMeasure = 0;
    return pass;
}

bool cMusicOwner::ExportToChild(sCommandMask *mask, cMusicBase::sCmdExport *record, cPObjPoint *child) {
    if (!child) return true;
    // The owner's own match, on a copy: the walk's mask changes as it
    // admits objects.
    std::optional<sCommandMask> probe;
    if (mask) probe.emplace(*mask);
    const tStatus match = probe ? probe->Match(this) : 0;
    if (match < 0) return true;
    if (match & kMaskStartFound) child->SeekContext(kContextSigns, nullptr);
    if (record) record->timeStep = child->GetTimeStep();
    // A timed owner (a chord, a dot, a two-ended symbol) exports for its
    // members in its own step.
    return GetDurationTicks() == 0;
}

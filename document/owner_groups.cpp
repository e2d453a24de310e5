// The storage of the single owner, the pair and the group.
#include "document/owner_groups.h"

#include <unordered_set>

#include "document/commands.h"

namespace {

cPObjOwnBase *AsOwner(cPObjBase *obj) { return obj && obj->IsOwner() ? static_cast<cPObjOwnBase *>(obj) : nullptr; }

}  // namespace

// --- SingleOwnerObject ------------------------------------------------------

SingleOwnerObject::~SingleOwnerObject() { Clear(0); }

bool SingleOwnerObject::AddChild(cPObjPoint *child) {
    if (!child || attached) return false;
    attached = child;
    cPObjOwnBase::AddChild(child);
    return true;
}

cPObjPoint *SingleOwnerObject::RemoveChild(cPObjPoint *child) {
    if (child && child == attached) attached = nullptr;
    return cPObjOwnBase::RemoveChild(child);
}

void SingleOwnerObject::Clear(int32_t mode) {
    cPObjOwnBase::Clear(mode);
    cPObjPoint *child = attached;
    attached = nullptr;
    if (mode != 2 && mode != 3 && child && !HeldElsewhere(child)) DeleteChild(child, mode);
}

cPObjPoint *SingleOwnerObject::ReplaceChild(cPObjPoint *oldChild, cPObjPoint *newChild, int32_t mode) {
    if (attached && attached != oldChild) return attached;
    attached = nullptr;
    bool accepted = true;
    cPObjOwnBase *wrapper = mode == 1 && oldChild ? AsOwner(newChild) : nullptr;
    if (wrapper) accepted = wrapper->InsertChild(oldChild);
    const bool wrapped = wrapper && accepted;
    if (accepted) accepted = InsertChild(newChild);
    if (accepted || mode == 4) {
        if ((mode == 0 || mode == 4) && oldChild != newChild) DeleteChild(oldChild, 0);
        if (!accepted) {
            DeleteChild(newChild, 0);
            return oldChild;
        }
    } else {
        // The old object goes back in the field (out of the new one that
        // took it, so that one owner holds it).
        if (wrapped) wrapper->RemoveChild(oldChild);
        attached = oldChild;
        if (oldChild) oldChild->SetOwner(this);
    }
    if (owner) owner->OnChildMoved(this, 0, 0);
    return attached;
}

cPObjPoint *SingleOwnerObject::GetRemovalTarget(cPObjPoint *child) {
    if (!IsUnit()) return child;
    return owner ? owner->GetRemovalTarget(this) : this;
}

int32_t SingleOwnerObject::AttachTo(cPObjOwnBase *newOwner) {
    if (!IsUnit()) return cPObjBase::AttachTo(newOwner);
    if (newOwner && attached && newOwner->FindChild(attached)) {
        // The unit takes its object's place.
        newOwner->RemoveChild(attached);
        attached->SetOwner(this);
        SetOwner(newOwner);
        newOwner->AddChild(this);
        return 0;
    }
    Clear(3);
    delete this;
    return 0;
}

// --- PointPairObject --------------------------------------------------------

PointPairObject::~PointPairObject() { Clear(0); }

bool PointPairObject::AddChild(cPObjPoint *child) {
    if (!child) return false;
    if (!first)
        first = child;
    else if (!second)
        second = child;
    else
        return false;
    cPObjOwnBase::AddChild(child);
    return true;
}

cPObjPoint *PointPairObject::RemoveChild(cPObjPoint *child) {
    if (child && child == first)
        first = nullptr;
    else if (child && child == second)
        second = nullptr;
    return cPObjOwnBase::RemoveChild(child);
}

void PointPairObject::Clear(int32_t mode) {
    cPObjOwnBase::Clear(mode);
    cPObjPoint *fields[2] = {first, second};
    first = second = nullptr;
    if (mode == 2 || mode == 3) return;
    for (cPObjPoint *child : fields)
        if (child && !HeldElsewhere(child)) DeleteChild(child, mode);
}

// --- cPObjGroup -------------------------------------------------------------

cPObjGroup::cPObjGroup() : children(std::make_unique<std::vector<cPObjPoint *>>()) {}

cPObjGroup::~cPObjGroup() {
    if (children) Clear(0);
}

uint16_t cPObjGroup::GetChildCount() {
    // 0xFFFF stands for 65,535 children or more: no walk indexes beyond it,
    // and the binary record refuses such an owner.
    return children->size() < 0xFFFF ? uint16_t(children->size()) : uint16_t(0xFFFF);
}

cPObjPoint *cPObjGroup::GetChild(uint16_t index) {
    if (index >= children->size()) return nullptr;
    lastFetched = index;
    return (*children)[index];
}

void cPObjGroup::CountEntry(const cPObjBase *child, int32_t change) {
    if (change > 0) {
        uint32_t &n = counts[child];
        if (n > 0) ++duplicates;
        ++n;
        return;
    }
    auto at = counts.find(child);
    if (at == counts.end()) return;
    if (--at->second > 0)
        --duplicates;
    else
        counts.erase(at);
}

void cPObjGroup::DropCounts() {
    counts.clear();
    duplicates = 0;
}

void cPObjGroup::InsertEntry(size_t index, cPObjPoint *child) {
    children->insert(children->begin() + std::ptrdiff_t(index), child);
    CountEntry(child, +1);
}

void cPObjGroup::EraseEntry(size_t index) {
    CountEntry((*children)[index], -1);
    children->erase(children->begin() + std::ptrdiff_t(index));
}

// The first index whose element the child sorts before, else the end.  The
// scan from the start is the rule; while a load adds children to a list
// that it found sorted (and nothing else has touched the list since), the
// elements stand in order, so that the answer can be found from the end
// and by halving with the same result.
size_t cPObjGroup::InsertIndex(cPObjPoint *child) {
    std::vector<cPObjPoint *> &v = *children;
    const size_t n = v.size();
    if (loadSorted && n > 0) {
        if (!child->SortsBefore(*v[n - 1])) return n;
        size_t lo = 0, hi = n - 1;
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (child->SortsBefore(*v[mid]))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
    for (size_t i = 0; i < n; ++i)
        if (child->SortsBefore(*v[i])) return i;
    return n;
}

bool cPObjGroup::AddChild(cPObjPoint *child) {
    if (!child) return false;
    const int32_t savedMode = gSortMode;
    gSortMode = GetChildOrder();
    const size_t at = InsertIndex(child);
    InsertEntry(at, child);
    cPObjOwnBase::AddChild(child);
    if (loadSorted) {
        // The child's Relink may have moved it or changed the list: the
        // quick path holds only while the order around it still stands.
        const std::vector<cPObjPoint *> &v = *children;
        const bool inPlace = at < v.size() && v[at] == child;
        const bool afterPrevious = !inPlace || at == 0 || !child->SortsBefore(*v[at - 1]);
        const bool beforeNext = !inPlace || at + 1 >= v.size() || !v[at + 1]->SortsBefore(*child);
        if (!inPlace || !afterPrevious || !beforeNext) loadSorted = false;
    }
    gSortMode = savedMode;
    return true;
}

cPObjPoint *cPObjGroup::RemoveChild(cPObjPoint *child) {
    std::vector<cPObjPoint *> &v = *children;
    auto held = counts.find(child);
    if (child && held != counts.end()) {
        // Held once, the first entry is also the last one.
        const int32_t at = held->second == 1 ? FindChildIndex(child) : -1;
        if (at >= 0) {
            EraseEntry(size_t(at));
        } else {
            for (size_t i = v.size(); i-- > 0;)
                if (v[i] == child) {
                    EraseEntry(i);
                    break;
                }
        }
    }
    return cPObjOwnBase::RemoveChild(child);
}

bool cPObjGroup::PlaceBeforeAlike(cPObjPoint *child, const cPObjBase *next) {
    if (!child || !next || child == next || !HasUniqueChildren()) return false;
    const int32_t from = FindChildIndex(child);
    const int32_t to = FindChildIndex(next);
    if (from < 0 || to < 0 || to > from) return false;
    std::vector<cPObjPoint *> &v = *children;
    const int32_t savedMode = gSortMode;
    gSortMode = GetChildOrder();
    bool alike = true;
    for (int32_t i = to; i < from && alike; ++i)
        alike = v[size_t(i)] && !child->SortsBefore(*v[size_t(i)]) && !v[size_t(i)]->SortsBefore(*child);
    gSortMode = savedMode;
    if (!alike) return false;
    EraseEntry(size_t(from));
    InsertEntry(size_t(to), child);
    return true;
}

void cPObjGroup::Clear(int32_t mode) {
    cPObjOwnBase::Clear(mode);
    if (!children) return;
    // The list is emptied before the children go, so that nothing a child's
    // destruction asks of this group reaches a deleted sibling.
    std::vector<cPObjPoint *> doomed;
    doomed.swap(*children);
    const bool twice = duplicates > 0;
    DropCounts();
    loadSorted = false;
    if (mode == 2 || mode == 3) return;
    std::unordered_set<cPObjPoint *> gone;
    for (cPObjPoint *child : doomed) {
        // A child held twice is deleted once.
        if (!child || (twice && !gone.insert(child).second)) continue;
        if (!HeldElsewhere(child)) DeleteChild(child, mode);
    }
}

int32_t cPObjGroup::AttachTo(cPObjOwnBase *newOwner) {
    if (!IsUnit()) return cPObjBase::AttachTo(newOwner);
    std::vector<cPObjPoint *> &v = *children;
    for (size_t i = v.size(); i-- > 0;)
        if (!newOwner || !newOwner->FindChild(v[i])) EraseEntry(i);
    if (!newOwner || CheckNotEmpty() == kFailed) {
        Clear(3);
        delete this;
        return 0;
    }
    for (size_t i = v.size(); i-- > 0;) {
        newOwner->RemoveChild(v[i]);
        v[i]->SetOwner(this);
    }
    SetOwner(newOwner);
    newOwner->AddChild(this);
    return 0;
}

tStatus cPObjGroup::AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                      cPObjPoint *previous, void **state) {
    if (commandId != kCmdCondense)
        return cPObjOwnBase::AfterChildCommand(commandId, mask, record, child, previous, state);
    if (MatchesMask(mask) >= 0) Recalculate();
    if (auto *r = static_cast<sCmdCondense *>(record)) {
        const cRectangl bounds = *GetBounds();
        if (r->gapX != kFailed) r->maxRight = bounds.Right() + r->gapX;
        if (r->gapY != kFailed) r->maxBottom = bounds.Bottom() + r->gapY;
    }
    return 0;
}

uint16_t cPObjGroup::CountMember(const cPObjBase *obj, uint32_t flags) {
    if (flags == 512) return cPObjOwnBase::CountMember(obj, flags);
    auto at = counts.find(obj);
    return at == counts.end() ? 0 : uint16_t(std::min<uint32_t>(at->second, 0xFFFF));
}

// The entry last fetched and its neighbours are tried first: a walk asks
// for the child it has just been given.  A child held once has no earlier
// entry to miss.
int32_t cPObjGroup::FindChildIndex(const cPObjBase *child) {
    if (!child) return -1;
    auto held = counts.find(child);
    if (held == counts.end()) return -1;
    const std::vector<cPObjPoint *> &v = *children;
    if (held->second == 1) {
        for (int32_t d : {0, 1, -1}) {
            const int64_t i = int64_t(lastFetched) + d;
            if (i >= 0 && size_t(i) < v.size() && i < 0xFFFF && v[size_t(i)] == child) return int32_t(i);
        }
    }
    for (size_t i = 0; i < v.size() && i < 0xFFFF; ++i)
        if (v[i] == child) return int32_t(i);
    return -1;
}

bool cPObjGroup::HoldsChild(const cPObjBase *child) {
    if (!child) return false;
    if (counts.find(child) == counts.end()) return false;
    // Entries past the 16-bit index range are out of every walk's reach.
    return children->size() < 0xFFFF || FindChildIndex(child) >= 0;
}

bool cPObjGroup::HasUniqueChildren() { return duplicates == 0; }

void cPObjGroup::BeginChildLoad() {
    if (loadDepth++ > 0) return;
    // The quick insertion needs the list in order to begin with.
    const int32_t savedMode = gSortMode;
    gSortMode = GetChildOrder();
    const std::vector<cPObjPoint *> &v = *children;
    bool sorted = true;
    for (size_t i = 1; i < v.size() && sorted; ++i)
        if (!v[i] || !v[i - 1] || v[i]->SortsBefore(*v[i - 1])) sorted = false;
    gSortMode = savedMode;
    loadSorted = sorted;
}

void cPObjGroup::EndChildLoad() {
    if (loadDepth > 0 && --loadDepth == 0) loadSorted = false;
}

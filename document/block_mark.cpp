// The block mark, the block group and the block clipboard.
#include "document/block_mark.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/undo_list.h"
#include "foundation/ascii_file.h"
#include "ui/view_port.h"

cPObjBlockMark *gCurrentBlockMark = nullptr;
cPObjBlockGroup *gBlockClipboard = nullptr;

namespace {

// A resize never makes the rectangle narrower or lower than this.
constexpr int32_t kBlockMinExtent = 6 * kBlockHandleRadius;
// The diameter of a corner handle.
constexpr int32_t kHandleSize = 2 * kBlockHandleRadius + 1;

cPObjOwnBase *AsOwner(cPObjBase *obj) { return obj && obj->IsOwner() ? static_cast<cPObjOwnBase *>(obj) : nullptr; }

bool IsBlockMark(const cPObjBase *obj) { return obj && (obj->GetTypeFlags(0) & kTypeBlockMark); }

std::string Tabs(int32_t depth) { return std::string(size_t(std::max(depth, 0)), '\t'); }

// The lines that follow a block object's own fields: "(", one inner line
// one level deeper when innerLine writes one, and ")", which the owner's
// " owns" count then follows.
template <class F>
void WriteBracketLines(cPObjBase::sCmdExpAsc *record, F innerLine) {
    std::ostream &out = *record->output;
    out << '\n' << Tabs(record->depth) << "(\n";
    ++record->depth;
    const bool wrote = innerLine();
    --record->depth;
    if (wrote) out << '\n';
    out << Tabs(record->depth) << ')';
}

// Reads those lines back: readInner gets the reader at the start of an
// inner line and leaves it at the start of the next one.
template <class F>
void ReadBracketLines(cAsciiFile &in, F readInner) {
    in.Expect(u"(");
    in.SkipLine();
    if (in.GetErrorLatch() == 0 && in.PeekAfterWhiteSpace() != ')') readInner();
    in.Expect(u")");
}

// The nested marks: the mark's children.
std::vector<cPObjBlockMark *> NestedMarks(cPObjOwnBase &mark) {
    std::vector<cPObjBlockMark *> nested;
    const uint16_t count = mark.GetChildCount();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = mark.GetChild(i); IsBlockMark(c)) nested.push_back(static_cast<cPObjBlockMark *>(c));
    return nested;
}

// Sets the block bit of the edit mode for a block operation and puts the
// mode back afterwards.
class cBlockEditMode {
public:
    cBlockEditMode() : saved(gEditMode) { gEditMode |= kEditBlock; }
    ~cBlockEditMode() { gEditMode = saved; }
    cBlockEditMode(const cBlockEditMode &) = delete;
    cBlockEditMode &operator=(const cBlockEditMode &) = delete;

private:
    uint32_t saved;
};

}  // namespace

// --- cPObjBlockGroup --------------------------------------------------------

cPObjBlockGroup::~cPObjBlockGroup() {
    if (gBlockClipboard == this) gBlockClipboard = nullptr;
    sourceOwner.reset();
    Clear(0);
}

void cPObjBlockGroup::SetSourceOwner(cPObjPoint *obj) {
    if (obj != sourceOwner.get()) sourceOwner.reset(obj);
}

void cPObjBlockGroup::DeleteClipboard() {
    cPObjBlockGroup *clipboard = gBlockClipboard;
    gBlockClipboard = nullptr;
    delete clipboard;
}

tStatus cPObjBlockGroup::ExportText(sCmdExpAsc *record) {
    const tStatus result = cPObjGroup::ExportText(record);
    if (result < 0) return result;
    WriteBracketLines(record, [&] { return sourceOwner && sourceOwner->ExportText(record) >= 0; });
    return 0;
}

tStatus cPObjBlockGroup::ImportText(sCmdImpAsc *record) {
    // The source owner's line may be a block group's, with brackets of its
    // own: they nest no deeper than owners do.
    const cLoadDepth depth;
    if (depth.TooDeep()) return record && record->input ? record->input->Refuse() : kFailed;
    const tStatus result = cPObjGroup::ImportText(record);
    if (result != 0) return result;
    cAsciiFile &in = *record->input;
    ReadBracketLines(in, [&] {
        std::u16string name = in.ReadToken();
        // Debug-mode lines carry an object reference before the name.
        if (size_t close = name.find(u')'); close != std::u16string::npos) name.erase(0, close + 1);
        if (cPObjPoint *prototype = PrototypeByName(name.c_str())) {
            std::unique_ptr<cPObjPoint> made(NewSameClassNamed(prototype));
            // Only the owner's own line: the source owner has no children.
            if (made && made->ImportText(record) == 0) SetSourceOwner(made.release());
        }
        in.SkipLine();
    });
    return in.GetErrorLatch();
}

// --- cPObjBlockMark: state ----------------------------------------------------

cPObjBlockMark::cPObjBlockMark() { SetSize(kBlockHandleRadius, kBlockHandleRadius); }

cPObjBlockMark::~cPObjBlockMark() {
    ForgetCurrent(this);
    Clear(0);
}

cPObjBlockMark *cPObjBlockMark::SetCurrent(cPObjBlockMark *mark) {
    cPObjBlockMark *previous = gCurrentBlockMark;
    gCurrentBlockMark = mark;
    if (previous != mark) {
        // Each is drawn again with its new line style.
        if (previous) previous->InvalidateAfter();
        if (mark) mark->InvalidateAfter();
    }
    // The block's moves and pastes are not recorded: older records would
    // name objects in places the block has changed.
    if (gPointUndo) gPointUndo->Clear();
    return previous;
}

void cPObjBlockMark::ForgetCurrent(cPObjBlockMark *mark) {
    if (mark && mark == gCurrentBlockMark) SetCurrent(nullptr);
}

void cPObjBlockMark::CopyFrom(const cPObjBase &other) {
    auto *mark = dynamic_cast<const cPObjBlockMark *>(&other);
    if (!mark || other.GetTypeId() != GetTypeId()) {
        ErrorInvalidObject();
        return;
    }
    cPObjGroup::CopyFrom(other);
    followX = mark->followX;
    followY = mark->followY;
}

void cPObjBlockMark::Clear(int32_t mode) {
    cPObjGroup::Clear(mode);
    selection.children.DeleteAll();
}

bool cPObjBlockMark::AddChild(cPObjPoint *child) {
    const bool added = cPObjGroup::AddChild(child);
    if (added && IsBlockMark(child)) static_cast<cPObjBlockMark *>(child)->parentMark = this;
    return added;
}

cPObjPoint *cPObjBlockMark::RemoveChild(cPObjPoint *child) {
    if (IsBlockMark(child) && static_cast<cPObjBlockMark *>(child)->parentMark == this)
        static_cast<cPObjBlockMark *>(child)->parentMark = nullptr;
    return cPObjGroup::RemoveChild(child);
}

cPObjOwnBase *cPObjBlockMark::CoveredOwner() const { return AsOwner(selection.object); }

bool cPObjBlockMark::IsNestedOwner(const cPObjBase *obj) {
    for (cPObjBlockMark *nested : NestedMarks(*this))
        if (nested->FindOwner(0, 0) == obj) return true;
    return false;
}

// --- Collecting -------------------------------------------------------------

void cPObjBlockMark::Open(cPObjOwnBase *newOwner, int32_t px, int32_t py, int32_t w, int32_t h) {
    PlaceIn(newOwner, px, py);
    SetSize(w, h);
    gEditMode = (gEditMode & ~kEditModeMask) | kEditResize;
    SetOwner(newOwner);
    Clear(0);
    Recalculate();
}

bool cPObjBlockMark::Recalculate() {
    Normalize();
    if (!owner) {
        Error(kPointObjBlock);
        return true;
    }
    CollectObjects();
    selection.SetFactors(width, height);
    for (cBlockPoint *node : selection.children)
        if (node->object && node->object != this) node->object->SaveToBlockPoint(node);
    for (cPObjBlockMark *nested : NestedMarks(*this)) nested->Recalculate();
    return true;
}

void cPObjBlockMark::CollectObjects() {
    cPObjPoint *first = owner ? owner->NextCovered(nullptr, nullptr) : nullptr;
    selection.Set(first, width, height, false);
    if (!selection.children.empty() || GetChildCount() > 0 || !first) return;
    // Every further owner the block covers collects in a mark of its own.
    for (cPObjPoint *next = owner->NextCovered(first, nullptr); next; next = owner->NextCovered(next, nullptr)) {
        cPObjOwnBase *covered = AsOwner(next);
        if (!covered) continue;
        auto *nested = static_cast<cPObjBlockMark *>(NewSameClassNamed(this));
        if (!nested) continue;
        nested->CopyFrom(*this);
        AddChild(nested);
        nested->SetOwner(covered);
        nested->parentMark = this;
        nested->CollectObjects();
    }
    cPObjOwnBase *from = AsOwner(first);
    if (!from) return;
    const cRectangl rect(x, y, width, height);
    uint16_t firstIndex = 0xFFFF, lastIndex = 0xFFFF;
    from->FindChildrenInRect(rect, &firstIndex, &lastIndex, 0x300);
    if (firstIndex == 0xFFFF) return;
    // A mark over nothing but itself.
    if (firstIndex == lastIndex && from->GetChild(firstIndex) == this) return;
    selection.firstIndex = firstIndex;
    selection.lastIndex = lastIndex;
    for (int32_t i = firstIndex; i <= lastIndex; ++i) {
        cPObjPoint *c = from->GetChild(uint16_t(i));
        if (!c) {
            ErrorInvalidObject();
            continue;
        }
        // Marks are never covered: this one, and any other drawn over it,
        // would otherwise be copied, pasted and moved as content.
        if (IsBlockMark(c) || IsNestedOwner(c) || c->TestRect(rect, 0x100) != 0) continue;
        selection.AddChild(c, true);
    }
}

int32_t cPObjBlockMark::ReinsertInOwner() {
    if (cPObjOwnBase *up = FindOwner(0, 0)) {
        std::vector<cPObjPoint *> covered;
        for (cBlockPoint *node : selection.children)
            if (node->object && up->HoldsChild(node->object)) covered.push_back(node->object);
        for (cPObjPoint *obj : covered) up->RemoveChild(obj);
        for (cPObjPoint *obj : covered) up->AddChild(obj);
    }
    for (cPObjBlockMark *nested : NestedMarks(*this)) nested->ReinsertInOwner();
    return 0;
}

// --- Moving -------------------------------------------------------------------

void cPObjBlockMark::MoveBy(int32_t dx, int32_t dy) {
    InvalidateBefore();
    cBlockEditMode blockMode;
    if (!followX) dx = 0;
    if (!followY) dy = 0;
    const bool move = (gEditMode & kEditModeMask) == kEditMove;
    if (move) {
        x += dx;
        y += dy;
    } else {
        if (width + dx < kBlockMinExtent) dx = 0;
        if (height + dy < kBlockMinExtent) dy = 0;
        width += dx;
        height += dy;
    }
    cPObjOwnBase *from = CoveredOwner();
    for (cBlockPoint *node : selection.children) {
        cPObjPoint *obj = node->object;
        // An object that left the covered owner may be gone: never touched.
        if (!obj || !from || !from->HoldsChild(obj)) {
            ErrorInvalidObject();
            continue;
        }
        obj->InvalidateBefore();
        if (move)
            obj->ScaleTo(node, x, y, dx, dy, width, height, width, height);
        else
            obj->ScaleTo(node, x, y, 0, 0, selection.factorX, selection.factorY, width, height);
        obj->InvalidateAfter();
    }
    gDocumentFlags |= 1;
    for (cPObjBlockMark *nested : NestedMarks(*this)) nested->MoveBy(dx, dy);
    InvalidateAfter();
}

void cPObjBlockMark::MoveBlock(int32_t dx, int32_t dy, int32_t mode) {
    const uint32_t saved = gEditMode;
    gEditMode = (uint32_t(mode) & kEditModeMask) | kEditBlock;
    if ((uint32_t(mode) & kEditModeMask) == kEditMove) {
        MoveBy(dx, dy);
    } else {
        // The top-left corner moves; the resize back keeps the bottom-right.
        gEditMode = kEditMove | kEditBlock;
        MoveBy(dx, dy);
        gEditMode = kEditResize | kEditBlock;
        MoveBy(-dx, -dy);
    }
    gEditMode = saved;
}

cPObjPoint *cPObjBlockMark::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    cPObjGroup::BeginDrag(px, py, hitKind);
    SetCurrent(this);
    return this;
}

cPObjPoint *cPObjBlockMark::Detach(uint8_t deleteIt) {
    if (parentMark) {
        parentMark->RemoveChild(this);
        parentMark = nullptr;
    }
    cPObjGroup::Detach(0);
    if (!deleteIt) return this;
    delete this;
    return nullptr;
}

cPObjPoint *cPObjBlockMark::HitTestChildren(int32_t px, int32_t py, int16_t typeId, uint32_t, uint32_t,
                                            const cPObjBase *) {
    return HitTest(px, py) && (typeId == 0 || typeId == GetTypeId()) ? this : nullptr;
}

// --- Drawing ------------------------------------------------------------------

cPObjPoint *cPObjBlockMark::Draw() {
    cGraphDvc *w = gCurrentScoreWindow;
    if (!w) {
        ErrorInvalidDevice();
        return this;
    }
    const int32_t previousStyle = w->SetLineStyle(this == gCurrentBlockMark ? 1 : 3);
    const int32_t right = FarEdge(x, width), bottom = FarEdge(y, height);
    w->DrawLine(x, y, right, y);
    w->DrawLine(right, y, right, bottom);
    w->DrawLine(right, bottom, x, bottom);
    w->DrawLine(x, bottom, x, y);
    const int32_t corners[4][2] = {{x, y}, {right, y}, {right, bottom}, {x, bottom}};
    for (const auto &corner : corners)
        w->FillEllipse(corner[0] - kBlockHandleRadius, corner[1] - kBlockHandleRadius, kHandleSize, kHandleSize);
    w->SetLineStyle(previousStyle);
    return this;
}

// --- Commands and text lines --------------------------------------------------

bool cPObjBlockMark::IsCommandTarget(const sCommandPrm *record) const {
    if (!record || !record->target) return false;
    for (const cPObjBlockMark *mark = this; mark; mark = mark->parentMark)
        if (record->target == mark) return true;
    return false;
}

tStatus cPObjBlockMark::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    // A walk over the owner's children meets the mark as one child among
    // them: it answers as an owner, with its own line and its nested marks.
    // Only a command sent to the block (this mark, or the mark this one is
    // nested in) goes to what it covers, and only through an owner.
    if (!owner || !IsCommandTarget(record)) return cPObjGroup::OnCommand(commandId, mask, record);
    return CommandCovered(commandId, mask, record);
}

tStatus cPObjBlockMark::CommandCovered(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    cPObjOwnBase *up = owner;
    void *state = nullptr;
    cPObjPoint *previous = nullptr;
    tStatus result = 0;
    // The covered objects are used up by the command.
    while (!selection.children.empty()) {
        cPObjPoint *obj = selection.PopChild();
        if (!obj || !up->HoldsChild(obj)) continue;
        result = std::min(result, up->CommandToChild(commandId, mask, record, obj, previous, &state));
        previous = obj;
    }
    const std::vector<cPObjBlockMark *> nestedMarks = NestedMarks(*this);
    for (cPObjBlockMark *nested : nestedMarks) {
        result = std::min(result, up->CommandToChild(commandId, mask, record, nested, previous, &state));
        previous = nested;
    }
    result = std::min(result, up->CommandToChild(commandId, mask, record, nullptr, previous, &state));
    if (state) Error(kPointObjBlock);
    if (parentMark) return result;
    // A top-level mark collects again, nested marks and all.
    if (!nestedMarks.empty()) {
        Clear(0);
        Recalculate();
    }
    return result;
}

tStatus cPObjBlockMark::ExportHead(sCmdExpAsc *record) {
    const tStatus result = cPObjGroup::ExportText(record);
    if (result < 0) return result;
    *record->output << " = " << int32_t(followX) << ", " << int32_t(followY);
    return 0;
}

tStatus cPObjBlockMark::ExportText(sCmdExpAsc *record) {
    const tStatus result = ExportHead(record);
    if (result < 0) return result;
    WriteBracketLines(record, [&] { return parentMark && parentMark->ExportHead(record) >= 0; });
    return 0;
}

tStatus cPObjBlockMark::ImportText(sCmdImpAsc *record) {
    const tStatus result = cPObjGroup::ImportText(record);
    if (result != 0) return result;
    cAsciiFile &in = *record->input;
    in.Expect(u"=");
    const int32_t fx = in.ReadInt();
    in.Expect(u",");
    const int32_t fy = in.ReadInt();
    // A nested mark's line names the mark it was nested in, which a mark
    // being read does not have: the line is passed over.
    ReadBracketLines(in, [&] { in.SkipLine(); });
    if (in.GetErrorLatch() == 0) SetFollow(uint8_t(fx), uint8_t(fy));
    return in.GetErrorLatch();
}

// --- Copy, cut and paste ------------------------------------------------------

cPObjBlockGroup *cPObjBlockMark::CopyBlock(cPObjBlockMark *mark) {
    cBlockEditMode blockMode;
    cPObjBlockMark *m = mark ? mark : gCurrentBlockMark;
    cPObjOwnBase *from = m ? m->FindOwner(0, 0) : nullptr;
    if (!from) return nullptr;
    cPObjPoint *ownerCopy = NewSameClassNamed(from);
    if (!ownerCopy) return nullptr;
    ownerCopy->CopyFrom(*from);
    ownerCopy->SetOwner(nullptr);
    auto *group = new cPObjBlockGroup;
    group->PlaceIn(nullptr, m->x, m->y);
    group->SetSize(m->width, m->height);
    group->SetSourceOwner(ownerCopy);
    cPObjOwnBase *covered = m->CoveredOwner();
    for (cBlockPoint *node : m->selection.children) {
        cPObjPoint *c = node->object;
        if (!c || !covered || !covered->HoldsChild(c)) continue;
        cPObjPoint *clone = NewSameClassNamed(c);
        if (!clone) continue;
        clone->Assign(*c);
        // Relative to the mark's top-left point.
        clone->MoveXY(-group->x, -group->y);
        group->AddChild(clone);
        clone->SetOwner(group);
    }
    for (cPObjBlockMark *nested : NestedMarks(*m)) {
        if (cPObjBlockGroup *sub = CopyBlock(nested)) {
            group->AddChild(sub);
            sub->SetOwner(group);
        }
    }
    // The group's own point becomes relative to the source owner; its
    // children keep their places relative to it.
    group->cPObjBase::MoveX(-ownerCopy->x);
    group->cPObjBase::MoveY(-ownerCopy->y);
    if (!mark) {
        delete gBlockClipboard;
        gBlockClipboard = group;
    }
    return group;
}

cPObjBlockGroup *cPObjBlockMark::CutBlock(cPObjBlockMark *mark, int32_t depth) {
    cPObjBlockMark *m = mark ? mark : gCurrentBlockMark;
    if (!m) return nullptr;
    cPObjBlockGroup *copy = depth == 0 ? CopyBlock(mark) : nullptr;
    m->CutRun();
    for (cPObjBlockMark *nested : NestedMarks(*m)) CutBlock(nested, depth + 1);
    m->Clear(0);
    m->InvalidateAfter();
    return copy;
}

void cPObjBlockMark::CutRun() {
    cPObjOwnBase *from = CoveredOwner();
    if (!from) return;
    cPObjPoint *obj = selection.PopChild();
    uint16_t index = obj ? from->IndexOfChild(obj, 0, 0) : uint16_t(0xFFFF);
    if (index == 0xFFFF) return;
    const cRectangl rect = *GetBounds();
    while (obj && obj->TestRect(rect, 0x100) == 0) {
        if (IsBlockMark(obj)) {
            // The mark's own point lies inside its bounds, and so may
            // another mark's: marks are stepped over, never cut.
            ++index;
        } else {
            cPObjOwnBase *holder = obj->FindOwner(0, 0);
            if (holder) {
                holder->RemoveChild(obj);
                holder->Recalculate();
            }
            delete obj;
        }
        obj = index < 0xFFFF ? from->NthChildOfKind(index, 0, 0) : nullptr;
        if (obj && IsNestedOwner(obj)) obj = nullptr;
    }
}

cPObjOwnBase *cPObjBlockMark::PasteBlock(cPObjBlockMark *mark, cPObjBlockGroup *group,
                                         cPObjOwnBase *previousTarget) {
    cBlockEditMode blockMode;
    cPObjBlockMark *m = mark ? mark : gCurrentBlockMark;
    cPObjBlockGroup *g = group ? group : gBlockClipboard;
    cPObjOwnBase *up = m ? m->FindOwner(0, 0) : nullptr;
    if (!g || !up) return nullptr;
    // Without a covered owner to paste into nothing changes.
    cPObjOwnBase *target = AsOwner(up->NextCovered(previousTarget, g->GetSourceOwner()));
    if (!target) return nullptr;
    m->InvalidateAfter();
    const int32_t baseX = m->followX ? m->x : g->x + target->x;
    const int32_t baseY = m->followY ? m->y : g->y + target->y;
    cPObjOwnBase *nextTarget = target;
    const uint16_t count = g->GetChildCount();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = g->GetChild(i);
        if (!c) continue;
        if (c->GetTypeId() == 13) {
            // Nested groups go into the following covered owners, while
            // there are any.
            if (nextTarget) nextTarget = PasteBlock(m, static_cast<cPObjBlockGroup *>(c), nextTarget);
            continue;
        }
        cPObjPoint *clone = NewSameClassNamed(c);
        if (!clone) continue;
        clone->Assign(*c);
        clone->SetOwner(target);
        clone->MoveXY(baseX, baseY);
        target->AddChild(clone);
    }
    if (!previousTarget) {
        // The mark takes the pasted block's place and size and covers the
        // clones.
        if (!m->followX) m->x = g->x + target->x;
        if (!m->followY) m->y = g->y + target->y;
        m->SetSize(g->GetSizeWidth(), g->GetSizeHeight());
        m->Clear(0);
        m->Recalculate();
        m->InvalidateAfter();
    }
    return target;
}

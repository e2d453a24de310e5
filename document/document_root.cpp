// The document root: drawing the document, keys and the mouse edits.  A
// mouse edit is OnMouseDown (pick or place, record for undo, start the
// drag), any number of OnMouseMove, then OnMouseUp (re-sort, recalculate,
// end the drag); gHoverObject is the object under edit between them.
#include "document/document_root.h"

#include <algorithm>
#include <optional>

#include "document/block_mark.h"
#include "document/commands.h"
#include "document/page_breaks.h"
#include "document/undo_list.h"
#include "ui/view_port.h"

int32_t gLastMouseX = 0;
int32_t gLastMouseY = 0;

namespace {

cPObjOwnBase *AsOwner(cPObjBase *obj) { return obj && obj->IsOwner() ? static_cast<cPObjOwnBase *>(obj) : nullptr; }

// A size of the window in document units; a zoom that is not positive
// counts as 1.
int32_t Unzoomed(int32_t size, float zoom) { return int32_t(zoom > 0 ? double(size) / zoom : double(size)); }

// A coordinate computed in 64 bits, held to the 32-bit range.
int32_t Saturated(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Ends an edit whose object may not stay: it goes with every undo record
// that names it and leaves none of its own, so undo cannot bring back what
// the edit has just thrown away.
void DropEditedObject(cPObjPoint *obj) {
    auto *target = dynamic_cast<cPObjPoint *>(obj->GetEditTarget());
    if (!target) return;
    if (gPointUndo) {
        gPointUndo->Purge(obj);
        gPointUndo->Purge(target);
    }
    if (obj->IsSelected()) obj->ClearSelection(0, 0);
    // A unit with children dissolves into its owner and deletes itself.
    delete target->Detach(0);
    gDocumentFlags |= 0x4;
    if (gCurrentScoreWindow) gCurrentScoreWindow->HideCaret();
}

}  // namespace

PointWindowObject::PointWindowObject(cViewPortBase *window) : fileName(u"NoName"), scoreWindow(window) {
    width = 0;
    height = 0;
    gLastMouseX = 0;
    gLastMouseY = 0;
    gCurrentDocument = this;
}

PointWindowObject::~PointWindowObject() {
    ClearSelection(0, 0);
    Clear(0);
    cPObjBlockGroup::DeleteClipboard();
    if (gCurrentDocument == this) gCurrentDocument = nullptr;
}

cGraphDvc *PointWindowObject::Window() const { return gCurrentScoreWindow ? gCurrentScoreWindow : scoreWindow; }

bool PointWindowObject::LiesBefore(const cPObjBase &child, int32_t px, int32_t py) const {
    return GetChildOrder() == 0 ? child.GetY() < py : child.GetX() < px;
}

// --- Drawing ----------------------------------------------------------------

void PointWindowObject::DrawPageEdge() {
    cGraphDvc *w = Window();
    cGraphDvc *out = gOutputWindow;
    if (!w || !out) return;
    const int32_t pageWidth = Unzoomed(out->GetWidth(), out->GetZoomX());
    const float zoomY = w->GetZoomY();
    const double height = zoomY > 0 ? double(w->GetHeight()) / zoomY : double(w->GetHeight());
    const int32_t bottom = int32_t(height - 1.0 - double(w->GetOriginY()));
    const tColour kept = w->SetColour(0x00C0F27D);
    w->DrawLine(pageWidth, -w->GetOriginY(), pageWidth, bottom);
    w->SetColour(kept);
}

cPObjPoint *PointWindowObject::Draw() {
    cDrawPass pass;
    gDrawBudget = 0xFFFFFFFF;
    if (drawNesting != 0) {
        Error(kPointObjNestedDraw);
        return this;
    }
    ++drawNesting;
    if (cGraphDvc *w = Window()) w->SetLineWidth(1);
    cPObjGroup::Draw();
    DrawPageEdge();
    --drawNesting;
    return this;
}

cRectangl *PointWindowObject::DrawRect(const cRectangl &rect, int16_t flags) {
    cDrawPass pass;
    cRectangl result(0, 0, 0, 0);
    const cRectangl own = *GetBounds();
    gDrawBudget = 0xFFFFFFFF;
    if (drawNesting != 0) {
        Error(kPointObjNestedDraw);
        return cRectangl::TempCopy(result);
    }
    ++drawNesting;
    // Flag 0x40 asks for what lies wholly inside the rectangle.
    if (TestRect(rect, int16_t(flags & 0x40)) == 0) {
        DrawGroupParts();
        result.Union(own);
    }
    uint16_t first = 0xFFFF, last = 0xFFFF;
    result.Union(*FindChildrenInRect(rect, &first, &last, uint32_t(uint16_t(flags))));
    if (first != 0xFFFF)
        for (uint32_t i = first; i <= last; ++i)
            if (cPObjPoint *c = GetChild(uint16_t(i))) c->Draw();
    DrawPageEdge();
    --drawNesting;
    return cRectangl::TempCopy(result);
}

cRectangl *PointWindowObject::Redraw(int16_t flags) {
    cDrawPass pass;
    cGraphDvc *w = Window();
    if (!w) {
        ErrorInvalidDevice();
        return cRectangl::Temp(0, 0, 0, 0);
    }
    const cRectangl view(-w->GetOriginX(), -w->GetOriginY(), Unzoomed(w->GetWidth(), w->GetZoomX()),
                         Unzoomed(w->GetHeight(), w->GetZoomY()));
    // The child before the view may reach into it: it is drawn before the
    // first child in view, or alone when no child lies in view.
    cPObjPoint *previous = nullptr;
    bool reachedView = false;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        bool beyond = false;
        if (c->GetY() >= view.Top()) {
            if (!reachedView && previous && previous->GetY() < view.Top()) previous->DrawRect(view, flags);
            reachedView = true;
            c->DrawRect(view, flags);
            beyond = c->GetY() > view.Bottom();
        }
        if (!(c->GetTypeFlags(0) & kTypePageBreak)) previous = c;
        if (beyond) break;
    }
    if (!reachedView && previous && previous->GetY() < view.Top()) previous->DrawRect(view, flags);
    DrawPageEdge();
    return cRectangl::TempCopy(view);
}

void PointWindowObject::InvalidateBefore() {
    cGraphDvc *w = Window();
    if (!w) return;
    AddRedrawArea(cRectangl(-w->GetOriginX(), -w->GetOriginY(), Unzoomed(w->GetWidth(), w->GetZoomX()),
                            Unzoomed(w->GetHeight(), w->GetZoomY())));
}

bool PointWindowObject::ScrollToPage(const cRectangl &rect) {
    uint16_t first = 0xFFFF, last = 0xFFFF;
    FindChildrenInRect(rect, &first, &last, 0x40);
    if (last == 0xFFFF || uint32_t(last) + 1 >= GetChildSlots()) return false;
    cPObjPoint *next = GetChild(uint16_t(last + 1));
    cGraphDvc *w = Window();
    if (!next || !w) return false;
    w->SetOrigin(0, -next->GetBounds()->Top());
    return true;
}

// --- Pages ------------------------------------------------------------------

// The walk reads the child count anew at every step: it deletes the
// automatic breaks it passes and inserts new ones at the page ends.  Every
// step either moves on or deletes a child, and an insertion moves on past
// it, so the walk ends.
void PointWindowObject::Paginate() {
    const uint32_t kept = gDocumentFlags;
    const int32_t h = cPObjBreak::PageHeight();
    // A page of no height cannot be filled: nothing is deleted or made.
    if (gOutputWindow && h > 0) {
        uint32_t page = 1;
        int64_t limit = h;
        for (uint32_t i = 0; i < GetChildSlots(); ++i) {
            cPObjPoint *c = GetChild(uint16_t(i));
            if (!c) continue;
            const bool last = i + 1 == GetChildSlots();
            if (c->GetTypeFlags(0) & kTypePageBreak) {
                if (c->GetTypeId() == 15) {
                    int32_t at = c->GetY();
                    // An automatic break left at the end after what it
                    // followed has shrunk goes, whatever its place.
                    if (last && i > 0)
                        if (cPObjPoint *before = GetChild(uint16_t(i - 1)); before && before->GetBounds()->Bottom() < limit)
                            at = 0;
                    if (at >= 0) {
                        delete c->Detach(0);
                        --i;
                        continue;
                    }
                    limit += h;
                } else {
                    limit = int64_t(c->GetY()) + h;
                    if (auto *b = dynamic_cast<cPObjBreak *>(c)) b->SetPageNumber(page);
                    ++page;
                }
            }
            const int64_t at = last ? c->GetBounds()->Bottom() : c->GetY();
            if (at < limit) continue;
            // One break per child, even when it lies pages further down.
            cPObjPoint *made = NewById(15);
            if (!made) continue;
            made->PlaceIn(this, 0, Saturated(limit));
            if (auto *b = dynamic_cast<cPObjBreak *>(made)) b->SetPageNumber(page);
            if (!InsertChild(made)) {
                made->SetOwner(nullptr);
                delete made;
                continue;
            }
            ++page;
            limit += h;
            ++i;
        }
        cPObjBreak::SetPageTotal(int32_t(page));
    }
    gDocumentFlags = kept & ~0x20u;
}

// A break ends its page: its footer is drawn, the next page starts at it.
// The breaks themselves leave no line on paper.
void PointWindowObject::DrawPages() {
    cGraphDvc *out = gOutputWindow;
    if (!out) {
        ErrorInvalidDevice();
        return;
    }
    cDrawPass pass;
    gDrawBudget = 0xFFFFFFFF;
    out->SetOrigin(0, 0);
    out->NewPage();
    out->SetLineWidth(2);
    out->SetLineWidth(1);
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        const bool isBreak = (c->GetTypeFlags(0) & kTypePageBreak) != 0;
        cGraphDvc *previous = SetCurrentWindow(out);
        if (!isBreak)
            c->Draw();
        else if (auto *b = dynamic_cast<cPObjBreak *>(c))
            b->DrawFooter();
        SetCurrentWindow(previous);
        if (isBreak) {
            out->NewPage();
            out->SetOrigin(0, Saturated(-int64_t(c->GetY())));
        }
    }
    cGraphDvc *previous = SetCurrentWindow(out);
    out->SetOrigin(0, 0);
    cPObjBreak::DrawLastFooter(cPObjBreak::PageHeight());
    SetCurrentWindow(previous);
}

// --- The children -----------------------------------------------------------

uint16_t PointWindowObject::FindChildIndexAt(int32_t px, int32_t py) {
    if (px == kNoPosition || py == kNoPosition) return 0;
    uint16_t found = 0;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = 0; i < count; ++i)
        if (cPObjPoint *c = GetChild(i); c && LiesBefore(*c, px, py)) found = i;
    return found;
}

cPObjPoint *PointWindowObject::FindChild(const cPObjBase *obj, int32_t px, int32_t py) {
    if (px == kNoPosition || py == kNoPosition) return cPObjGroup::FindChild(obj, px, py);
    if (!obj) return nullptr;
    const uint16_t count = GetChildSlots();
    for (uint16_t i = FindChildIndexAt(px, py); i < count; ++i) {
        cPObjPoint *c = GetChild(i);
        if (!c) continue;
        if (c == obj) return c;
        if (cPObjOwnBase *o = AsOwner(c))
            if (cPObjPoint *found = o->FindChild(obj, px, py)) return found;
        // Every child at the position itself is looked at: several may
        // stand there.
        const bool after = GetChildOrder() == 0 ? c->GetY() > py : c->GetX() > px;
        if (after) break;
    }
    return nullptr;
}

bool PointWindowObject::InsertChild(cPObjPoint *child) {
    gDocumentFlags |= 0x2;
    return cPObjGroup::InsertChild(child);
}

void PointWindowObject::Clear(int32_t mode) {
    if (gPointUndo) gPointUndo->Clear();
    cPObjGroup::Clear(mode);
}

tStatus PointWindowObject::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                                          cPObjPoint *child, cPObjPoint *previous, void **state) {
    // The mask changes as it admits objects (a start found, a stop passed):
    // a copy taken before the child's own step answers as that step did.
    std::optional<sCommandMask> probe;
    if (commandId == kCmdCondense && child && mask) probe.emplace(*mask);
    const tStatus result = cMusicOwner::CommandToChild(commandId, mask, record, child, previous, state);
    if (commandId != kCmdCondense || !child || !record) return result;
    auto *r = static_cast<sCmdCondense *>(record);
    if (r->pageLimit == kFailed || r->pageHeight == kFailed || r->gapY == kFailed) return result;
    if ((child->GetTypeFlags(0) & kTypePageBreak) || !HoldsChild(child)) return result;
    if (probe && probe->Match(child) < 0) return result;
    // A child that would cross the page's end starts the next page.
    const cRectangl bounds = *child->GetBounds();
    if (int64_t(bounds.Bottom()) + r->gapY >= r->pageLimit) {
        const int32_t d = int32_t(int64_t(r->pageLimit) + r->gapY - bounds.Top());
        child->MoveXY(0, d);
        r->lastY += d;
        r->maxBottom += d;
        r->pageLimit += r->pageHeight;
    }
    return result;
}

// --- Keys and the mouse -----------------------------------------------------

tStatus PointWindowObject::OnDocumentKey(int16_t key) {
    switch (key) {
    case 26:  // Ctrl+Z
        if (gPointUndo) gPointUndo->Undo();
        RedrawWholeWindow();
        return 0;
    case kKeyInsert: ToggleFlag(); return 0;
    default: break;
    }
    if (!gFocusObject) return kFailed;
    gFocusObject->InvalidateBefore();
    const tStatus result = gFocusObject->OnKey(key, gLastMouseX, gLastMouseY);
    if (gFocusObject) gFocusObject->InvalidateAfter();
    return result;
}

cPObjPoint *PointWindowObject::HitForTool(int16_t tool, const cPObjPoint *prototype, int32_t px, int32_t py) {
    if (gSelectedObject && gSelectedObject->HitTest(px, py)) return gSelectedObject;
    // Staffs are hit only by the staff tool; anything else goes through them.
    const uint32_t exclude = prototype && (prototype->GetTypeFlags(0) & kTypeStaff) ? 0u : uint32_t(kTypeStaff);
    if (cPObjPoint *hit = HitTestChildren(px, py, tool, 0x30, exclude, nullptr)) return hit;
    return HitTestChildren(px, py, 0, 0x30, kTypeStaff, nullptr);
}

cPObjPoint *PointWindowObject::Relocate(cPObjPoint *hit, cPObjOwnBase *from, int32_t px, int32_t py) {
    if (cGraphDvc *w = Window()) w->HideCaret();
    hit->InvalidateBefore();
    from->RemoveChild(hit);
    gDocumentFlags |= 0x1;
    hit->SetOwner(this);
    gLastMouseX = px;
    gLastMouseY = py;
    if (InsertChild(hit)) return SelectObject(hit, px, py, kDragNew);
    // Refused here, it goes back where it was rather than float free.
    hit->SetOwner(from);
    if (!from->AddChild(hit)) hit->SetOwner(nullptr);
    return nullptr;
}

cPObjPoint *PointWindowObject::TakeForEdit(cPObjPoint *hit, int16_t tool, cPObjPoint *prototype, int32_t px,
                                           int32_t py, int32_t &dragKind) {
    auto *unitPrototype = prototype && prototype->IsUnit() ? AsOwner(prototype) : nullptr;
    if (!unitPrototype || hit->CheckTypeId(tool) == 0) {
        if (gPointUndo) gPointUndo->RecordMove(hit);
        return hit;
    }
    // A click inside a unit of the tool's own class takes that unit.
    cPObjOwnBase *unit = hit->FindOwner(tool, 0);
    if (unit && unit->AcceptsChild(prototype, 0x200) != prototype && unit->CheckTypeId(tool) == 0 &&
        unit->HitTest(px, py)) {
        if (gPointUndo) gPointUndo->RecordMove(unit);
        return unit;
    }
    // Otherwise a new unit of the tool takes the symbol, when it will.
    hit->MovePointerToHandle();
    if (unitPrototype->AcceptsChild(hit, 0x8000) != hit) return hit;
    cPObjPoint *copy = NewSameClassNamed(prototype);
    auto *copyOwner = AsOwner(copy);
    if (copyOwner) copyOwner->PlaceIn(this, px, py);
    if (copyOwner && copyOwner->AttachChild(hit)) {
        if (gPointUndo) gPointUndo->RecordCreate(copyOwner);
        dragKind = kDragNew;
        return copyOwner;
    }
    delete copy;
    if (gPointUndo) gPointUndo->RecordMove(hit);
    return hit;
}

cPObjPoint *PointWindowObject::OnMouseDown(int16_t tool, int32_t px, int32_t py) {
    gLastMouseX = px;
    gLastMouseY = py;
    cPObjPoint *prototype = tool ? PrototypeById(tool) : nullptr;
    cPObjPoint *hit = HitForTool(tool, prototype, px, py);
    cPObjPoint *result = nullptr;
    if (!hit) {
        // Units are placed only onto what they attach to.
        if (prototype && !prototype->IsUnit()) {
            if (cPObjPoint *copy = NewSameClassNamed(prototype)) {
                copy->PlaceIn(this, px, py);
                result = AddObject(copy, px, py, kDragNew);
                if (result != copy) delete copy;
            }
        }
        SetRelocate(0);
        return result;
    }
    // Relocate mode stays on while it relocates.
    cPObjOwnBase *hitOwner = hit->FindOwner(0, 0);
    if (gRelocate && hitOwner && !hitOwner->IsUnit()) return Relocate(hit, hitOwner, px, py);
    int32_t dragKind = kDragFirst;
    cPObjPoint *edited = TakeForEdit(hit, tool, prototype, px, py, dragKind);
    result = SelectObject(edited, px, py, dragKind);
    SetRelocate(0);
    return result;
}

cPObjPoint *PointWindowObject::AddObject(cPObjPoint *obj, int32_t px, int32_t py, int32_t dragKind) {
    gLastMouseX = px;
    gLastMouseY = py;
    if (!obj) return nullptr;
    if (!obj->FindOwner(0, 0)) obj->PlaceIn(this, px, py);
    if (obj->IsUnit())
        if (cPObjOwnBase *unit = AsOwner(obj); unit && unit->GetChildCount() == 0) return obj;
    if (!InsertChild(obj)) return nullptr;
    if (gPointUndo) gPointUndo->RecordCreate(obj);
    return SelectObject(obj, px, py, dragKind);
}

cPObjPoint *PointWindowObject::SelectObject(cPObjPoint *obj, int32_t px, int32_t py, int32_t dragKind) {
    if (!obj) {
        ClearSelection(0, 0);
        return gHoverObject;
    }
    cPObjPoint *previous = gFocusObject;
    if (obj != previous) {
        if (previous) {
            previous->OnDeselect();
            // A block mark lives only while it has the focus.  One without
            // an owner belongs to whoever took it out: it is left alone.
            if ((previous->GetTypeFlags(0) & kTypeBlockMark) && previous->FindOwner(0, 0)) {
                delete previous->Detach(0);
                previous = nullptr;
            }
        }
        obj->OnSelect(previous);
        gSelectedObject = obj;
        gFocusObject = obj;
    } else if (dragKind == kDragFirst) {
        dragKind = kDragAgain;
    }
    gHoverObject = obj;
    obj->BeginDrag(px, py, dragKind);
    obj->MoveBy(0, 0);
    obj->MovePointerToHandle();
    if (cGraphDvc *w = Window()) {
        gLastMouseX = w->GetMouseX();
        gLastMouseY = w->GetMouseY();
    }
    return gHoverObject;
}

void PointWindowObject::OnMouseMove(int32_t px, int32_t py) {
    cPObjPoint *hover = gHoverObject;
    if (!hover) {
        gLastMouseX = px;
        gLastMouseY = py;
        return;
    }
    if (px == gLastMouseX && py == gLastMouseY) return;
    const int32_t handleX = hover->GetHandleX(), handleY = hover->GetHandleY();
    const int32_t dx = px - gLastMouseX, dy = py - gLastMouseY;

    if (!(gEditFlags & 0x10)) {
        moveAlong.children.DeleteAll();
    } else if (hover->AcceptsObject(hover) == 0 && moveAlong.children.empty()) {
        // Move All: every later object of the dragged one's kind in its
        // owner moves along (the following staffs, say).
        for (cPObjPoint *next = hover->NextOfSameKind(0); next; next = next->NextOfSameKind(0))
            moveAlong.AddChild(next, false);
    }

    const int32_t x0 = hover->GetX(), y0 = hover->GetY();
    hover->MoveBy(dx, dy);
    // The drag may have ended the object (a move that deletes it).
    if (hover != gHoverObject) return;
    const int32_t movedX = hover->GetX() - x0, movedY = hover->GetY() - y0;
    if ((movedX || movedY) && !moveAlong.children.empty()) {
        if (cPObjOwnBase *direct = hover->FindOwner(0, 0)) direct->InvalidateBefore();
        moveAlong.MoveChildren(movedX, movedY);
    }
    // A step too small to move the handle is not taken: the next one adds
    // to it.
    if (hover->GetHandleX() == handleX && hover->GetHandleY() == handleY) return;
    hover->MovePointerToHandle();
    if (cGraphDvc *w = Window()) {
        gLastMouseX = w->GetMouseX();
        gLastMouseY = w->GetMouseY();
    }
    gDocumentFlags |= 0x1;
}

cPObjPoint *PointWindowObject::OnMouseUp() {
    cPObjPoint *result = nullptr;
    cPObjPoint *hover = gHoverObject;
    cPObjOwnBase *hoverOwner = AsOwner(hover);
    if (hoverOwner && hoverOwner->CheckNotEmpty() != 0) {
        DropEditedObject(hover);
    } else if (hover) {
        hover->ReinsertInOwner();
        if (hover->Recalculate()) {
            hover->InvalidateBefore();
            result = hover->EndDrag();
            gDocumentFlags |= 0x2;
        } else {
            DropEditedObject(hover);
        }
    }
    moveAlong.children.DeleteAll();
    return result;
}

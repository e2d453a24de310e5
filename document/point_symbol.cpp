#include "document/point_symbol.h"

#include <new>

#include "document/owner_base.h"
#include "document/shape_images.h"
#include "document/symbol_tags.h"
#include "document/undo_list.h"
#include "ui/view_port.h"

uint32_t gLiveSymbolCount = 0;
uint32_t gDrawBudget = 0xFFFFFFFF;
int32_t gDragStartX = 0;
int32_t gDragStartY = 0;

void *cPObjPoint::operator new(std::size_t size) {
    void *p = ::operator new(size, std::nothrow);
    if (p) ++gLiveSymbolCount;
    return p;
}

void cPObjPoint::operator delete(void *p) { ::operator delete(p); }

cPObjPoint::~cPObjPoint() {
    ForgetSymbolTag(this);
    if (this == gFocusObject) gFocusObject = nullptr;
    if (this == gHoverObject) {
        InvalidateBefore();
        gHoverObject = nullptr;
    }
    if (IsSelected()) ClearSelection(0, 0);
    if (gCurrentScoreWindow) gCurrentScoreWindow->HideCaret();
    if (gLiveSymbolCount > 0)
        --gLiveSymbolCount;
    else
        Error(kPointObjTotalPoints);
}

cPObjPoint *cPObjPoint::NewSameClassNamed(const cPObjPoint *obj) {
    cPObjPoint *made = obj ? obj->NewSameClass() : nullptr;
    if (made) made->RefreshClassName();
    return made;
}

void cPObjPoint::Hilight() {
    if (gSelectedObject) gSelectedObject->InvalidateBefore();
    gSelectedObject = this;
    InvalidateAfter();
}

tStatus cPObjPoint::TestRect(const cRectangl &rect, int16_t flags) {
    if (flags & 0x40) {
        cRectangl *b = GetBounds();
        bool inside = b->Left() >= rect.Left() && b->Right() <= rect.Right() && b->Top() >= rect.Top() &&
                      b->Bottom() <= rect.Bottom();
        return inside ? 0 : kFailed;
    }
    if (flags & 0x100) return rect.TestPoint(x, y);
    return cRectangl::TempIntersection(rect, *GetBounds())->IsEmpty() ? kFailed : 0;
}

cPObjPoint *cPObjPoint::Draw() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    if (gDrawBudget == 0) return this;
    --gDrawBudget;
    gCurrentScoreWindow->DrawPoint(x, y);
    return this;
}

cRectangl *cPObjPoint::DrawRect(const cRectangl &rect, int16_t flags) {
    if (TestRect(rect, flags) != 0) return cRectangl::Temp(0, 0, 0, 0);
    Draw();
    return cRectangl::TempCopy(*GetBounds());
}

// The palette's pictures are the classes' shape images, which draw
// themselves; a class without one draws nothing here.
void cPObjPoint::DrawPicture(int32_t px, int32_t py, cGraphDvc *window) {
    if (cShapeImg *image = cShapeImg::FindForClass(GetTypeId())) image->DrawFromTopLeft(px, py, window);
}

void cPObjPoint::ClearSelection(int16_t typeId, uint32_t flags) {
    if (IsOfKind(gHoverObject, typeId, flags)) {
        gHoverObject->InvalidateBefore();
        gHoverObject = nullptr;
    }
    if (IsOfKind(gSelectedObject, typeId, flags)) {
        gSelectedObject->InvalidateBefore();
        gSelectedObject->InvalidateAfter();
        gSelectedObject = nullptr;
    }
    if (IsOfKind(gFocusObject, typeId, flags)) {
        gFocusObject->OnDeselect();
        gFocusObject = nullptr;
    }
}

cPObjPoint *cPObjPoint::Select() {
    cPObjPoint *previous = gSelectedObject;
    if (previous) {
        previous->InvalidateBefore();
        ClearSelection(0, 0);
    }
    OnSelect(nullptr);
    gSelectedObject = this;
    gFocusObject = this;
    MovePointerToHandle();
    InvalidateAfter();
    // A following drag can be undone.
    if (gPointUndo) gPointUndo->RecordMove(this);
    return previous;
}

int32_t cPObjPoint::OnDeselect() {
    if (IsSelected()) ClearSelection(0, 0);
    if (this == gHoverObject) {
        InvalidateBefore();
        gHoverObject = nullptr;
    }
    return 0;
}

void cPObjPoint::DeleteHilighted() {
    cPObjPoint *hover = gHoverObject;
    cPObjPoint *target = hover ? dynamic_cast<cPObjPoint *>(hover->GetEditTarget()) : nullptr;
    if (!target) return;
    if (hover->IsSelected()) hover->ClearSelection(0, 0);
    target->Detach(1);
    gDocumentFlags |= 0x4;
    if (gCurrentScoreWindow) gCurrentScoreWindow->HideCaret();
}

void cPObjPoint::DeleteFocused() {
    gHoverObject = gFocusObject;
    DeleteHilighted();
}

void cPObjPoint::PlaceIn(cPObjOwnBase *newOwner, int32_t px, int32_t py) {
    SetOwner(newOwner);
    SetPosition(px, py);
    RefreshClassName();
}

tStatus cPObjPoint::OnKey(int16_t key, int32_t, int32_t) {
    if (this != gFocusObject) return kFailed;
    switch (key) {
    case kKeyLeft: MoveBy(GetKeyStepLeft(), 0); break;
    case kKeyRight: MoveBy(GetKeyStepRight(), 0); break;
    case kKeyUp: MoveBy(0, GetKeyStepUp()); break;
    case kKeyDown: MoveBy(0, GetKeyStepDown()); break;
    case kKeyDelete: DeleteFocused(); return 0;
    default: return kFailed;
    }
    MovePointerToHandle();
    return 0;
}

void cPObjPoint::MovePointerToHandle() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return;
    }
    gCurrentScoreWindow->SetMousePos(GetHandleX(), GetHandleY());
}

cPObjPoint *cPObjPoint::Detach(uint8_t deleteIt) {
    cPObjPoint *target = owner ? owner->GetRemovalTarget(this) : this;
    if (target && target != this) {
        target->Detach(deleteIt);
        return Detach(deleteIt);
    }
    InvalidateBefore();
    // Without an undo list nothing could keep a deleted symbol: it goes now.
    const bool destroy = deleteIt && !gPointUndo;
    if (deleteIt && gPointUndo) gPointUndo->RecordDelete(this);
    if (cPObjOwnBase *direct = FindOwner(0, 0)) direct->RemoveChild(this);
    SetOwner(nullptr);
    if (destroy) {
        delete this;
        return nullptr;
    }
    return this;
}

cPObjPoint::cBlockPoint *cPObjPoint::SaveToBlockPoint(cBlockPoint *node) {
    if (node) node->Set(this, 1, 1, false);
    return node;
}

void cPObjPoint::LoadFromBlockPoint(const cBlockPoint *node) {
    if (!node) return;
    x = node->x;
    y = node->y;
}

cPObjPoint *cPObjPoint::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    gDragStartX = px;
    gDragStartY = py;
    gCurrentScoreWindow->HideCaret();
    if (hitKind == kHitResize) gEditMode = (gEditMode & ~kEditModeMask) | kEditResize;
    if (hitKind == kHitMove) gEditMode = (gEditMode & ~kEditModeMask) | kEditMove;
    return this;
}

cPObjPoint *cPObjPoint::EndDrag() {
    if (this == gHoverObject) {
        InvalidateBefore();
        gHoverObject = nullptr;
    }
    return this;
}

int32_t cPObjPoint::ScaleCoordinate(int32_t from, int32_t at, int32_t oldSize, int32_t newSize) {
    const int64_t w = oldSize ? oldSize : 1;
    return int32_t(from + (int64_t(newSize) * (int64_t(at) - from) + w / 2) / w);
}

cPObjPoint::cBlockPoint *cPObjPoint::ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy,
                                             int32_t oldW, int32_t oldH, int32_t newW, int32_t newH) {
    if (!node) return nullptr;
    node->x += dx;
    x += dx;
    if (oldW != newW) x = ScaleCoordinate(x0, node->x, oldW, newW);
    node->y += dy;
    y += dy;
    if (oldH != newH) y = ScaleCoordinate(y0, node->y, oldH, newH);
    return node;
}

cPObjPoint::cBlockPoint::cBlockPoint(cBlockPoint *parent, cPObjPoint *obj, bool notice) : parent(parent) {
    Set(obj, 1, 1, notice);
}

void cPObjPoint::cBlockPoint::Set(cPObjPoint *obj, int32_t fx, int32_t fy, bool notice) {
    object = obj;
    if (obj) {
        x = obj->x;
        y = obj->y;
    }
    factorX = fx;
    factorY = fy;
    // The object records what it needs of itself (a size, its children).
    if (obj && notice) obj->SaveToBlockPoint(this);
}

cPObjPoint::cBlockPoint *cPObjPoint::cBlockPoint::AddChild(cPObjPoint *obj, bool notice) {
    if (!obj) return nullptr;
    auto *node = new cBlockPoint(this, obj, notice);
    children.push_back(node);
    return node;
}

cPObjPoint *cPObjPoint::cBlockPoint::PopChild() {
    if (children.empty()) return nullptr;
    cBlockPoint *first = children.front();
    cPObjPoint *obj = first->object;
    children.Delete(first);
    return obj;
}

cPObjPoint::cBlockPoint *cPObjPoint::cBlockPoint::ChildNode(int32_t index) const {
    return index >= 0 && size_t(index) < children.size() ? children[size_t(index)] : nullptr;
}

cPObjPoint *cPObjPoint::cBlockPoint::ChildObject(int32_t index) const {
    cBlockPoint *node = ChildNode(index);
    return node ? node->object : nullptr;
}

void cPObjPoint::cBlockPoint::MoveChildren(int32_t dx, int32_t dy) {
    for (cBlockPoint *node : children)
        if (node->object) node->object->MoveBy(dx, dy);
}

void cPObjPoint::cBlockPoint::ScaleChildren(int32_t x0, int32_t y0, int32_t dx, int32_t dy, int32_t oldW,
                                            int32_t oldH, int32_t newW, int32_t newH) {
    for (cBlockPoint *node : children)
        if (node->object) node->object->ScaleTo(node, x0, y0, dx, dy, oldW, oldH, newW, newH);
}

#include "document/scaled_symbol.h"

#include <iomanip>
#include <memory>
#include <ostream>

#include "document/owner_base.h"
#include "foundation/ascii_file.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/view_port.h"

namespace {

// (factor * newSize + w / 2) / w with w = oldSize or 1, truncating; 64-bit,
// so large sizes and positions keep their exact result.
int32_t ScaleExtent(int32_t factor, int32_t oldSize, int32_t newSize) {
    const int64_t w = oldSize ? oldSize : 1;
    return int32_t((int64_t(factor) * newSize + w / 2) / w);
}

bool InRange(int64_t value, int32_t minimum, int32_t maximum) { return minimum <= value && value <= maximum; }

}  // namespace

void ScaledObject::CopyFrom(const cPObjBase &other) {
    auto *scaled = dynamic_cast<const ScaledObject *>(&other);
    if (!scaled || other.GetTypeId() != GetTypeId()) {
        ErrorInvalidObject();
        return;
    }
    cPObjBase::CopyFrom(other);
    width = scaled->width;
    height = scaled->height;
}

void ScaledObject::MoveBy(int32_t dx, int32_t dy) {
    const int32_t x0 = x, y0 = y;
    InvalidateBefore();
    if ((gEditMode & kEditModeMask) == kEditMove) {
        cPObjBase::MoveBy(dx, dy);
    } else {
        ResizeBy(dx, dy);
        if (owner) owner->OnChildMoved(this, x - x0, y - y0);
    }
    InvalidateAfter();
}

// An extent outside its limits stays as it was; the other may still change.
void ScaledObject::ResizeBy(int32_t dw, int32_t dh) {
    const int64_t w = int64_t(width) + dw, h = int64_t(height) + dh;
    if (InRange(w, GetMinWidth(), GetMaxWidth())) width = int32_t(w);
    if (InRange(h, GetMinHeight(), GetMaxHeight())) height = int32_t(h);
}

void ScaledObject::Normalize() {
    if (height < 0) {
        y = y + height + 1;
        height = -height;
    }
    if (width < 0) {
        x = x + width + 1;
        width = -width;
    }
}

int32_t ScaledObject::RestoreFrom(const cPObjBase &copy) {
    cPObjBase::RestoreFrom(copy);
    if (auto *scaled = dynamic_cast<const ScaledObject *>(&copy))
        if (scaled->width != width || scaled->height != height)
            ResizeBy(scaled->width - width, scaled->height - height);
    return 0;
}

// Moving takes the symbol by its position, resizing by its far corner.
int32_t ScaledObject::GetHandleX() {
    const uint32_t mode = gEditMode & kEditModeMask;
    return mode == kEditMove || mode == 4 ? x : FarEdge(x, width);
}

int32_t ScaledObject::GetHandleY() {
    const uint32_t mode = gEditMode & kEditModeMask;
    return mode == kEditMove || mode == 4 ? y : FarEdge(y, height);
}

cPObjPoint::cBlockPoint *ScaledObject::SaveToBlockPoint(cBlockPoint *node) {
    cPObjPoint::SaveToBlockPoint(node);
    if (node) node->SetFactors(width, height);
    return node;
}

void ScaledObject::LoadFromBlockPoint(const cBlockPoint *node) {
    cPObjPoint::LoadFromBlockPoint(node);
    if (!node) return;
    width = node->factorX;
    height = node->factorY;
}

// Grabbed in the left half of a symbol wider than 5 it moves; otherwise it
// resizes.
cPObjPoint *ScaledObject::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    cPObjPoint::BeginDrag(px, py, hitKind);
    if (hitKind != kHitResize) {
        const bool move = width > 5 && int64_t(px) < int64_t(x) + (width >> 1);
        gEditMode = (gEditMode & ~kEditModeMask) | (move ? kEditMove : kEditResize);
    }
    return this;
}

cPObjPoint::cBlockPoint *ScaledObject::ScaleTo(cBlockPoint *node, int32_t x0, int32_t y0, int32_t dx, int32_t dy,
                                               int32_t oldW, int32_t oldH, int32_t newW, int32_t newH) {
    if (!cPObjPoint::ScaleTo(node, x0, y0, dx, dy, oldW, oldH, newW, newH)) return nullptr;
    if (oldW != newW) width = ScaleExtent(node->factorX, oldW, newW);
    if (oldH != newH) height = ScaleExtent(node->factorY, oldH, newH);
    return node;
}

uint16_t ScaledObject::DataSize() { return uint16_t(cPObjBase::DataSize() + VarIntSize(width) + VarIntSize(height)); }

tStatus ScaledObject::SaveBinary(sCmdFileSave *record) {
    if (cPObjBase::SaveBinary(record) < 0) return kFailed;
    return WriteVarInt(record->file, width) < 0 || WriteVarInt(record->file, height) < 0 ? kFailed : 0;
}

tStatus ScaledObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = cPObjBase::LoadBinary(file, size);
    if (result < 0) return result;
    int32_t w = 0, h = 0;
    if (ReadPosition(file, w) < 0 || ReadPosition(file, h) < 0) return kFailed;
    SetSize(w, h);
    return 0;
}

tStatus ScaledObject::ExportText(sCmdExpAsc *record) {
    tStatus result = cPObjBase::ExportText(record);
    if (result < 0) return result;
    *record->output << " size" << std::setw(4) << width << "," << std::setw(4) << height;
    return 0;
}

tStatus ScaledObject::ImportText(sCmdImpAsc *record) {
    tStatus result = cPObjBase::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.PeekAfterWhiteSpace() == 's' && in.Expect(u"size") == 0) {
        int32_t w = in.ReadInt(), h = height;
        if (in.GetErrorLatch() == 0 && in.PeekAfterWhiteSpace() == ',' && in.Expect(u",") == 0) h = in.ReadInt();
        if (in.GetErrorLatch() == 0) SetSize(w, h);
    }
    return in.GetErrorLatch();
}

sCommandPrm *ScaledObject::GetClassSetup(sCommandPrm *record) {
    auto *scaled = dynamic_cast<sCmdSetupScaled *>(record);
    if (!scaled) return nullptr;
    scaled->editMode = int32_t(gEditMode);
    scaled->editFlags = int32_t(gEditFlags);
    return scaled;
}

sCommandPrm *ScaledObject::GetObjectSetup(sCommandPrm *record) {
    return GetClassSetup(record ? record : new sCmdSetupScaled);
}

tStatus ScaledObject::SetClassSetup(sCommandPrm *record) {
    auto *scaled = dynamic_cast<sCmdSetupScaled *>(record);
    if (!scaled || scaled->GetSize() < sCmdSetupScaled::kSize) return kFailed;
    gEditMode = uint32_t(scaled->editMode);
    return 0;
}

int32_t ScaledObject::Setup(sCommandPrm *record) {
    auto *scaled = dynamic_cast<sCmdSetupScaled *>(record);
    if (!scaled || scaled->familyId != kCmdSetupScaled) return 0;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return 0;
    }
    int32_t mode = scaled->editMode == int32_t(kEditMove) ? int32_t(kEditMove) : int32_t(kEditResize);
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kSetupDialog, kSetupHelpTopic));
    if (!dialog) return 0;
    dialog->NewRadioButton(kResizeButton, &mode, kEditResize)->SetHint(u"Resize the symbol or group");
    dialog->NewRadioButton(kMoveButton, &mode, kEditMove)->SetHint(u"Move the symbol or group");
    if (dialog->Open() != RC_OK) return 0;
    scaled->editMode = mode;
    return 1;
}

#include "document/symbol_base.h"

#include <ostream>
#include <vector>

#include "document/commands.h"
#include "document/owner_base.h"
#include "document/registry.h"
#include "document/shape_images.h"
#include "document/undo_list.h"
#include "foundation/error_msg.h"
#include "platform/op_sys_base.h"
#include "ui/menu_item.h"
#include "ui/view_port.h"

uint32_t gFileVersion = 0x1000000;
int32_t gSortMode = 0;
uint32_t gDocumentFlags = 0;
cPObjPoint *gSelectedObject = nullptr;
cPObjPoint *gFocusObject = nullptr;
cPObjPoint *gHoverObject = nullptr;
cGraphDvc *gCurrentScoreWindow = nullptr;
cGraphDvc *gOutputWindow = nullptr;
cRectangl gRedrawArea(0, 0, 0, 0);
cRectangl gOwnerRedrawArea(0, 0, 0, 0);
uint32_t gEditMode = 3;  // resize: the mode a session starts in
uint32_t gEditFlags = 0;
uint8_t gRelocate = 0;

PELMORA_ERROR_TABLE(kPointObjErrors, u"PointObj", u"Invalid stream", u"Invalid device", u"Invalid object",
                    u"TotalPoints", u"Nested draw", u"Block", u"Type mismatch", u"Data size");

namespace {

// Draw passes under way, and the errors they hold until the outermost ends.
int32_t gDrawPassDepth = 0;
std::vector<uint32_t> gHeldErrors;

}  // namespace

// The symbol model shows its errors to the user, except while it draws.
void cPObjBase::Error(uint32_t code) {
    if (gDrawPassDepth > 0) {
        gHeldErrors.push_back(code);
        return;
    }
    RaiseError(&kPointObjErrors, code | ERR_REPORT);
}

cPObjBase::cDrawPass::cDrawPass() { ++gDrawPassDepth; }

cPObjBase::cDrawPass::~cDrawPass() {
    if (--gDrawPassDepth > 0) return;
    // Taken out first: the box may repaint, and that pass holds its own.
    std::vector<uint32_t> held;
    held.swap(gHeldErrors);
    for (size_t i = 0; i < held.size(); ++i)
        RaiseError(&kPointObjErrors, held[i] | (i == 0 ? uint32_t(ERR_REPORT) : 0u));
}

bool IsOfKind(const cPObjBase *obj, int16_t typeId, uint32_t flags) {
    if (!obj) return false;
    if (typeId != 0 && typeId != obj->GetTypeId()) return false;
    return flags == 0 || (obj->GetTypeFlags(0) & flags) != 0;
}

uint32_t cPObjBase::GetTypeFlags(int16_t typeId) const { return typeId == GetTypeId() ? uint32_t(kTypeIdMatch) : 0u; }

void cPObjBase::CopyFrom(const cPObjBase &other) {
    x = other.x;
    y = other.y;
}

cRectangl *cPObjBase::GetBounds() { return cRectangl::Temp(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

int32_t cPObjBase::HitTest(int32_t px, int32_t py) {
    return GetLeft() <= px && px <= GetRight() && GetTop() <= py && py <= GetBottom() ? 1 : 0;
}

void cPObjBase::InvalidateBefore() { AddRedrawArea(*GetOuterUnit(-1, 0)->GetBounds()); }

void cPObjBase::AddRedrawArea(const cRectangl &rect) { gRedrawArea.Union(rect); }

void cPObjBase::InvalidateAfter() { gOwnerRedrawArea.Union(*GetOuterUnit(-1, 0)->GetBounds()); }

cGraphDvc *cPObjBase::SetCurrentWindow(cGraphDvc *window) {
    cGraphDvc *previous = gCurrentScoreWindow;
    gCurrentScoreWindow = window;
    return previous;
}

cGraphDvc *cPObjBase::SetOutputWindow(cGraphDvc *window) {
    cGraphDvc *previous = gOutputWindow;
    gOutputWindow = window;
    return previous;
}

void cPObjBase::RedrawWholeWindow() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return;
    }
    cGraphDvc &w = *gCurrentScoreWindow;
    gOwnerRedrawArea = cRectangl(-w.GetOriginX(), -w.GetOriginY(), w.GetWidth(), w.GetHeight());
}

uint32_t cPObjBase::SetEditMode(uint32_t mode) {
    uint32_t previous = gEditMode;
    gEditMode = mode;
    if (gFocusObject) gFocusObject->OnEditModeChanged(int32_t(mode));
    return previous;
}

uint32_t cPObjBase::SetEditFlags(uint32_t flags) {
    uint32_t previous = gEditFlags;
    gEditFlags = flags;
    if (gFocusObject) gFocusObject->OnEditModeChanged(int32_t((flags ^ previous) | 0xF));
    return previous;
}

uint32_t cPObjBase::ChangeEditFlags(uint32_t set, uint32_t clear) { return SetEditFlags(set | (gEditFlags & ~clear)); }

int32_t cPObjBase::Setup(sCommandPrm *) {
    if (gCurrentScoreWindow) gCurrentScoreWindow->ShowMessage(u"No setup for this item.", u"Drawing Setup");
    return 0;
}

namespace {

// Whether a fetch yields a record; the record fetched for the question goes.
tStatus HasSetup(sCommandPrm *fetched) {
    if (!fetched) return kFailed;
    delete fetched;
    return 0;
}

}  // namespace

tStatus cPObjBase::HasClassSetup() { return HasSetup(GetClassSetup(nullptr)); }
tStatus cPObjBase::HasObjectSetup() { return HasSetup(GetObjectSetup(nullptr)); }

// A record fetched here (none given) is deleted afterwards.
tStatus cPObjBase::RunClassSetup(sCommandPrm *record) {
    sCommandPrm *fetched = record ? nullptr : GetClassSetup(nullptr);
    sCommandPrm *used = record ? record : fetched;
    tStatus result = Setup(used) ? SetClassSetup(used) : kFailed;
    delete fetched;
    return result;
}

tStatus cPObjBase::RunObjectSetup(sCommandPrm *record) {
    sCommandPrm *fetched = record ? nullptr : GetObjectSetup(nullptr);
    sCommandPrm *used = record ? record : fetched;
    tStatus result = Setup(used) ? SetObjectSetup(used) : kFailed;
    delete fetched;
    return result;
}

void cPObjBase::ExportImageKind(std::ostream &stream) { stream << "vector"; }

// Format > Relocate.
constexpr uint32_t kRelocateCommand = 506;

uint8_t cPObjBase::SetRelocate(uint8_t on) {
    uint8_t previous = gRelocate;
    gRelocate = on;
    if (gOpSys && gOpSys->GetMainWindow() && gMainMenu) {
        if (on)
            gMainMenu->CheckCommand(kRelocateCommand);
        else
            gMainMenu->UncheckCommand(kRelocateCommand);
    }
    return previous;
}

void cPObjBase::ShutDown() {
    FreeRegistry();
    cShapeImg::DeleteTable();
    FreeCommandCopies();
}

#include "document/commands.h"

#include <memory>

#include "document/owner_base.h"
#include "ui/view_port.h"

namespace {

std::unique_ptr<sCommandPrm> gLastCommand;
std::unique_ptr<sCommandPrm> gRepeatCommand;

void Keep(std::unique_ptr<sCommandPrm> &slot, const sCommandPrm *record) {
    slot.reset(record ? record->Clone() : nullptr);
}

// The tests of flags 0x1 to 0x20, each on the tested object.
struct sMaskTest {
    uint16_t flag;
    bool (*passes)(const sCommandMask &mask, cPObjBase &obj);
};

const sMaskTest kMaskTests[] = {
    {kMaskClassId, [](const sCommandMask &m, cPObjBase &o) { return m.classId == 0 || m.classId == o.GetTypeId(); }},
    {kMaskTypeBits, [](const sCommandMask &m, cPObjBase &o) { return m.typeBits == 0 || (m.typeBits & o.GetTypeFlags(0)); }},
    {kMaskMinX, [](const sCommandMask &m, cPObjBase &o) { return o.GetX() >= m.minX; }},
    {kMaskMaxX, [](const sCommandMask &m, cPObjBase &o) { return o.GetX() <= m.maxX; }},
    {kMaskMinY, [](const sCommandMask &m, cPObjBase &o) { return o.GetY() >= m.minY; }},
    {kMaskMaxY, [](const sCommandMask &m, cPObjBase &o) { return o.GetY() <= m.maxY; }},
};

}  // namespace

sCommandMask::sCommandMask(cPObjBase *obj, uint16_t value) : flags(value), startObject(obj), stopObject(obj) {
    if (!obj) return;
    if (value & kMaskClassId) classId = obj->GetTypeId();
    if (value & kMaskTypeBits) typeBits = obj->GetTypeFlags(0);
    minX = maxX = obj->GetX();
    minY = maxY = obj->GetY();
}

tStatus sCommandMask::Match(cPObjBase *obj) {
    if (flags == 0) return 0;
    if (flags == kMaskPassOver) return kMaskOver;
    if (!obj) return kMaskMissed;
    cPObjBase *tested = (flags & kMaskOnOwner) ? obj->FindOwner(0, 0) : obj;
    if (!tested) return kMaskMissed;
    tStatus result = 0;
    if (flags & kMaskFromStart) {
        if (tested != startObject) return kMaskBeforeStart;
        flags &= uint16_t(~kMaskFromStart);
        result = kMaskStartFound;
    }
    if (flags & kMaskNthChild) {
        cPObjOwnBase *owner = tested->FindOwner(0, 0);
        if (!owner || owner->NthChildOfKind(childIndex, classId, typeBits) != tested) result |= kMaskMissed;
    }
    for (const sMaskTest &test : kMaskTests)
        if ((flags & test.flag) && !test.passes(*this, *tested)) result |= kMaskMissed;
    if ((flags & kMaskUntilStop) && tested == stopObject) flags = kMaskPassOver;
    return result;
}

tStatus cPObjBase::MatchesMask(sCommandMask *mask) { return mask ? mask->Match(this) : 0; }

tStatus cPObjBase::SendCommand(cPObjBase *sender, int16_t commandId, sCommandMask *mask, sCommandPrm *record,
                               cPObjBase *target) {
    SetLastCommand(record);
    if (!target) target = sender;
    if (!target) return kFailed;
    if (record) record->target = target;
    tStatus result;
    cPObjOwnBase *owner = target->FindOwner(0, 0);
    auto *child = dynamic_cast<cPObjPoint *>(target);
    if (!owner || !child) {
        result = target->OnCommand(commandId, mask, record);
    } else {
        // The owner's per-child step may park a work object here; it must
        // release it in the closing call.
        void *state = nullptr;
        result = owner->CommandToChild(commandId, mask, record, child, nullptr, &state);
        owner->CommandToChild(commandId, mask, record, nullptr, child, &state);
        if (state) Error(kPointObjBlock);
    }
    if (sender) sender->InvalidateBefore();
    return result;
}

tStatus cPObjBase::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    if (MatchesMask(mask) < 0) return kFailed;
    switch (commandId) {
    case kCmdExportText: return ExportText(static_cast<sCmdExpAsc *>(record));
    case kCmdImportText: return ImportText(static_cast<sCmdImpAsc *>(record));
    case kCmdSaveBinary: return SaveBinary(static_cast<sCmdFileSave *>(record));
    case kCmdCondense: return Condense(static_cast<sCmdCondense *>(record));
    case kCmdLoaded: return OnLoaded(static_cast<sCmdLoaded *>(record));
    default: return kFailed;
    }
}

tStatus cPObjBase::RepeatCommand() {
    tStatus result = kFailed;
    if (gRepeatCommand) {
        // The send replaces the last-command copy, never the repeatable one.
        sCommandPrm *copy = gRepeatCommand.get();
        result = SendCommand(this, copy->commandId, nullptr, copy, gSelectedObject);
    }
    if (gCurrentScoreWindow) {
        cRectangl area = gRedrawArea;
        area.Union(gOwnerRedrawArea);
        gCurrentScoreWindow->InvalidateArea(area.Left(), area.Top(), area.Width(), area.Height());
    }
    ClearRedrawArea();
    ClearOwnerRedrawArea();
    return result;
}

void cPObjBase::SetLastCommand(const sCommandPrm *record) { Keep(gLastCommand, record); }
sCommandPrm *cPObjBase::GetLastCommand() { return gLastCommand.get(); }
void cPObjBase::SetRepeatCommand(const sCommandPrm *record) { Keep(gRepeatCommand, record); }
sCommandPrm *cPObjBase::GetRepeatCommand() { return gRepeatCommand.get(); }

void cPObjBase::FreeCommandCopies() {
    gLastCommand.reset();
    gRepeatCommand.reset();
}

// The owner's part in commands: its own share, then the walk over its
// children between the two hooks; the owner's records in the binary score
// file and the text form, where the children follow their owner; and the
// start of the re-spacing pass.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/owner_base.h"
#include "document/undo_list.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "platform/version_word.h"
#include "ui/view_port.h"

namespace {

// The file being read is newer than this program.
bool FileIsNewer() { return MaskVersion(gFileVersion) > MaskVersion(gProgramStatus.GetVersion()); }

bool WriteU16(cBinaryFileBase *file, uint16_t value) {
    const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
    return file->Write(bytes, 2) >= 0;
}

bool ReadU16(cBinaryFileBase *file, uint16_t &value) {
    uint8_t bytes[2] = {};
    if (!cPObjBase::ReadBytes(file, bytes, 2)) return false;
    value = uint16_t(bytes[0] | bytes[1] << 8);
    return true;
}

constexpr int32_t kMaxLoadDepth = 256;
int32_t gLoadDepth = 0;

tStatus InvalidStream() {
    cPObjBase::ErrorInvalidStream();
    return kFailed;
}

}  // namespace

cPObjOwnBase::cLoadDepth::cLoadDepth() { ++gLoadDepth; }
cPObjOwnBase::cLoadDepth::~cLoadDepth() { --gLoadDepth; }
bool cPObjOwnBase::cLoadDepth::TooDeep() const { return gLoadDepth > kMaxLoadDepth; }

tStatus cPObjOwnBase::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                     cPObjPoint *previous, void **state) {
    if (!child) return previous ? AfterChildCommand(commandId, mask, record, child, previous, state) : kFailed;
    if (!previous) BeforeChildCommand(commandId, mask, record, child, previous, state);
    const bool plain = !child->IsOwner();
    const tStatus result = child->OnCommand(commandId, mask, record);
    // Owners end their own lines; a plain child's line ends here (a child
    // that left meanwhile may be gone and is not asked).
    if (commandId == kCmdExportText && plain && HoldsChild(child) && child->MatchesMask(mask) >= 0) {
        auto *r = static_cast<sCmdExpAsc *>(record);
        if (r && r->output) *r->output << '\n';
    }
    return result;
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

tStatus cPObjOwnBase::OnCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    switch (commandId) {
    case kCmdExportText:
        if (MatchesMask(mask) >= 0) {
            auto *r = static_cast<sCmdExpAsc *>(record);
            if (ExportText(r) >= 0 && r && r->output) *r->output << " owns " << GetChildCount() << '\n';
        }
        break;
    case kCmdImportText: {
        auto *r = static_cast<sCmdImpAsc *>(record);
        if (ImportText(r) >= 0) ImportChildren(r, mask);
        // Errors stay in the reader's latch.
        return 0;
    }
    case kCmdSaveBinary: {
        // A record that could not be written (a refused count, a failed
        // write) fails the save; its children are not written behind it.
        const tStatus own = SaveBinary(static_cast<sCmdFileSave *>(record));
        if (own < 0) return own;
        break;
    }
    case kCmdLoaded: OnLoaded(static_cast<sCmdLoaded *>(record)); break;
    default: break;
    }
    return WalkChildren(commandId, mask, record);
}

tStatus cPObjOwnBase::WalkChildren(int16_t commandId, sCommandMask *mask, sCommandPrm *record) {
    // A snapshot: children may leave (or delete themselves) while they get
    // the command; those are skipped.
    const uint16_t count = GetChildSlots();
    std::vector<cPObjPoint *> snapshot(count);
    for (uint16_t i = 0; i < count; ++i) snapshot[i] = GetChild(i);
    cBinaryFileBase *file = nullptr;
    if (commandId == kCmdSaveBinary) file = record ? static_cast<sCmdFileSave *>(record)->file : nullptr;
    void *state = nullptr;
    cPObjPoint *previous = nullptr;
    tStatus result = 0;
    // Where the next entry is expected: an entry found there is still a
    // child (and the store has just fetched it, should it leave); any other
    // is looked for as the Part says.
    uint16_t cursor = 0;
    for (cPObjPoint *entry : snapshot) {
        if (!entry) continue;
        if (GetChild(cursor) == entry) {
        } else if (cursor > 0 && GetChild(uint16_t(cursor - 1)) == entry) {
            --cursor;
        } else if (cursor < 0xFFFE && GetChild(uint16_t(cursor + 1)) == entry) {
            ++cursor;
        } else if (!HoldsChild(entry)) {
            continue;
        }
        if (cursor < 0xFFFE) ++cursor;
        if (commandId == kCmdSaveBinary) {
            if (!file) {
                ErrorInvalidStream();
                return kFailed;
            }
            if (!WriteU16(file, uint16_t(entry->GetTypeId())) || !WriteU16(file, entry->DataSize()))
                result = kFailed;
        }
        result = std::min(result, CommandToChild(commandId, mask, record, entry, previous, &state));
        if (HoldsChild(entry))
            previous = entry;
        else if (GetChildCount() > 0 && !(previous && HoldsChild(previous)))
            previous = GetChild(0);
    }
    return std::min(result, CommandToChild(commandId, mask, record, nullptr, previous, &state));
}

tStatus cPObjOwnBase::ExportText(sCmdExpAsc *record) { return ScaledObject::ExportText(record); }

tStatus cPObjOwnBase::ImportText(sCmdImpAsc *record) {
    cAsciiFile *in = record ? record->input : nullptr;
    if (!in) return kFailed;
    if (in->GetErrorLatch() < 0) return in->GetErrorLatch();
    return ScaledObject::ImportText(record);
}

tStatus cPObjOwnBase::ImportChildren(sCmdImpAsc *record, sCommandMask *mask) {
    cAsciiFile *in = record->input;
    // The same limit as for the binary file; the refusal stays in the
    // reader's latch, which ends the reading of every owner above.
    const cLoadDepth depth;
    if (depth.TooDeep()) return in->Refuse();
    in->Expect(u"owns");
    const uint16_t count = in->ReadUnsigned16();
    BeginChildLoad();
    for (uint16_t i = 0; i < count && in->GetErrorLatch() >= 0; ++i) {
        std::u16string name = in->ReadToken();
        // Debug-mode lines carry an object reference before the name.
        if (size_t close = name.find(u')'); close != std::u16string::npos) name.erase(0, close + 1);
        cPObjPoint *prototype = PrototypeByName(name.c_str());
        if (!prototype) {
            in->SkipLine();
            continue;
        }
        cPObjPoint *child = NewSameClassNamed(prototype);
        if (!child) break;
        if (child->OnCommand(kCmdImportText, mask, record) < 0) {
            delete child;
            break;
        }
        child->SetOwner(this);
        // A store without room has no place for it: it goes.
        if (!AddChild(child)) {
            child->SetOwner(nullptr);
            delete child;
        }
    }
    EndChildLoad();
    return in->GetErrorLatch();
}

uint16_t cPObjOwnBase::DataSize() { return uint16_t(ScaledObject::DataSize() + 3); }

tStatus cPObjOwnBase::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (!file) {
        ErrorInvalidStream();
        return kFailed;
    }
    // The count is 16 bits and 0xFFFF means none: 65,535 children or more
    // cannot be written, and a wrapped count would break the file behind it.
    const uint16_t count = GetChildCount();
    if (count >= 0xFFFF) {
        Error(kPointObjDataSize);
        record->refused = true;
        return kFailed;
    }
    if (ScaledObject::SaveBinary(record) < 0) return kFailed;
    return file->Write(&unit, 1) < 0 || !WriteU16(file, count) ? kFailed : 0;
}

tStatus cPObjOwnBase::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    const cLoadDepth depth;
    if (depth.TooDeep()) return InvalidStream();
    const uint32_t start = file ? file->GetPosition() : 0;
    tStatus result = ScaledObject::LoadBinary(file, size);
    if (result < 0) return result;
    uint8_t unitFlag = 0;
    uint16_t count = 0;
    if (!ReadBytes(file, &unitFlag, 1) || !ReadU16(file, count)) return kFailed;
    unit = unitFlag;
    if (size != DataSize() && FileIsNewer()) return kFailed;
    const bool sized = MaskVersion(gFileVersion) >= kVersionPositions32;
    const bool relative = MaskVersion(gFileVersion) == 0x1000000;
    // The owner's own fields end within its record (its children follow
    // the record), and every child takes its header at least.
    if (sized && file->GetPosition() - start > size) return InvalidStream();
    if (uint32_t(count) * (sized ? 4 : 2) > file->BytesLeft()) return InvalidStream();
    BeginChildLoad();
    result = 0;
    for (uint16_t i = 0; i < count; ++i) {
        // The stream broke (it ended or failed) before a child header.
        uint16_t fileId = 0, childSize = size;
        if (file->HasIoError() || !ReadU16(file, fileId) || (sized && !ReadU16(file, childSize)) ||
            (sized && childSize > file->BytesLeft())) {
            result = InvalidStream();
            break;
        }
        const uint32_t childStart = file->GetPosition();
        const int16_t id = MapFileClassId(int16_t(fileId));
        cPObjPoint *prototype = id ? PrototypeById(id) : nullptr;
        if (!prototype) {
            // A class this program lacks: its record is skipped by its size.
            // (Before record sizes, the owner's own size stands in.)
            file->Seek(childStart + childSize);
            continue;
        }
        cPObjPoint *child = NewSameClassNamed(prototype);
        tStatus read = child ? child->LoadBinary(file, childSize) : kFailed;
        if (read >= 0 && (file->HasIoError() || file->GetPosition() > file->GetSize())) read = InvalidStream();
        if (read >= 0 && child->DataSize() != childSize && FileIsNewer()) read = kFailed;
        // A leaf's fields end within its record, and the next record starts
        // right after it whatever the class read: on a sound file the same
        // place.  An owner's children follow its record, so an owner ends
        // where its last child ended.
        if (read >= 0 && sized && !child->IsOwner()) {
            if (file->GetPosition() - childStart > childSize)
                read = InvalidStream();
            else
                file->Seek(childStart + childSize);
        }
        if (read < 0) {
            delete child;
            result = read;
            break;
        }
        child->SetOwner(this);
        // Files of 1.0.0 store child positions relative to the owner.
        if (relative) child->MoveXY(x, y);
        if (!AddChild(child)) {
            child->SetOwner(nullptr);
            delete child;
        }
    }
    EndChildLoad();
    return result;
}

tStatus cPObjOwnBase::SendCondense(int32_t gapX, int32_t gapY, sCommandMask *mask) {
    sCmdCondense record;
    record.lastX = record.maxRight = x;
    record.lastOldX = kFailed;
    record.lastY = record.maxBottom = y;
    record.lastOldY = kFailed;
    record.gapX = gapX;
    record.gapY = gapY;
    int32_t page = kFailed;
    if (gOutputWindow) {
        const float zoom = gOutputWindow->GetZoomY();
        if (zoom != 0) page = int32_t(float(gOutputWindow->GetHeight()) / zoom);
    }
    record.pageLimit = record.pageHeight = page;
    if (gPointUndo) gPointUndo->Clear();
    return SendCommand(this, kCmdCondense, mask, &record, gSelectedObject);
}

#include "document/undo_list.h"

#include <iomanip>
#include <ostream>
#include <sstream>

#include "document/base_classes.h"
#include "foundation/text_util.h"

cPObjBase::cPointUndo *gPointUndo = nullptr;

tStatus cPObjBase::cPointUndo::RecordDelete(cPObjPoint *obj) { return Push(new cUndelete(obj)); }

tStatus cPObjBase::cPointUndo::RecordMove(cPObjPoint *obj) { return Push(new cUnMove(obj)); }

tStatus cPObjBase::cPointUndo::RecordCreate(cPObjPoint *obj) { return Push(new cUncreate(obj)); }

tStatus cPObjBase::cPointUndo::Push(cUndelete *record) {
    if (!record) return 0;
    if (records.Size() >= kMaxRecords) records.Delete(records.front());
    records.push_back(record);
    return 0;
}

tStatus cPObjBase::cPointUndo::Undo() {
    if (records.empty()) return 0;
    // Out of the list before it acts, so that whatever the record does to
    // the list meets it no more.
    std::unique_ptr<cUndelete> newest(records.back());
    records.pop_back();
    newest->Apply();
    return 0;
}

tStatus cPObjBase::cPointUndo::Purge(const cPObjBase *obj) {
    for (int32_t i = records.Size() - 1; i >= 0; --i) {
        cUndelete *record = records[size_t(i)];
        if (record->RefersTo(obj) == 0) records.Delete(record);
    }
    return 0;
}

void cPObjBase::cPointUndo::Dump(std::ostream &stream) const {
    for (const cUndelete *record : records) record->Dump(stream);
}

const cPObjBase::cPointUndo::cUndelete *cPObjBase::cPointUndo::GetRecord(int32_t index) const {
    return index >= 0 && index < records.Size() ? records[size_t(index)] : nullptr;
}

cPObjBase::cPointUndo::cUndelete::cUndelete(cPObjPoint *obj) : object(obj), owner(obj ? obj->FindOwner(0, 0) : nullptr) {
    if (obj) objectTypeId = obj->GetTypeId();
    if (owner) {
        ownerX = owner->GetX();
        ownerY = owner->GetY();
        ownerTypeId = owner->GetTypeId();
    }
}

cPObjBase::cPointUndo::cUndelete::~cUndelete() {
    if (!object) return;
    object->SetOwner(nullptr);
    object->DeleteDependents();
    delete object;
}

cPObjOwnBase *cPObjBase::cPointUndo::cUndelete::FindOwnerAgain() const {
    if (!object || !owner || !gCurrentDocument) return nullptr;
    // The document holds no link to itself among its descendants.
    cPObjOwnBase *found = owner == gCurrentDocument ? gCurrentDocument
                                                   : dynamic_cast<cPObjOwnBase *>(
                                                         gCurrentDocument->FindChild(owner, ownerX, ownerY));
    return found && found->GetTypeId() == ownerTypeId ? found : nullptr;
}

cPObjPoint *cPObjBase::cPointUndo::cUndelete::FindObjectAgain() const {
    cPObjOwnBase *found = FindOwnerAgain();
    cPObjPoint *again = found ? found->FindChild(object, kNoPosition, kNoPosition) : nullptr;
    return again && again->GetTypeId() == objectTypeId ? again : nullptr;
}

tStatus cPObjBase::cPointUndo::cUndelete::Validate() const { return FindOwnerAgain() ? 0 : kFailed; }

tStatus cPObjBase::cPointUndo::cUndelete::RefersTo(const cPObjBase *obj) const {
    return object && object == obj ? 0 : kFailed;
}

tStatus cPObjBase::cPointUndo::cUndelete::Apply() {
    cPObjOwnBase *into = FindOwnerAgain();
    if (!into) return 0;
    into->InvalidateBefore();
    // The owner takes the object, or the object goes (refused, or a unit
    // none of whose children is left to take back): it is not read again.
    cPObjPoint *handed = object;
    object = nullptr;
    handed->AttachTo(into);
    into->InvalidateAfter();
    return 0;
}

cCharString cPObjBase::cPointUndo::cUndelete::Describe() const {
    cCharString text(TypeName());
    text += u": ";
    if (Validate() != 0) {
        text += u"invalid";
        return text;
    }
    text += object->GetClassName();
    text += u" @ ";
    text.AppendInt(object->x);
    text += u", ";
    text.AppendInt(object->y);
    return text;
}

void cPObjBase::cPointUndo::cUndelete::Dump(std::ostream &stream) const {
    std::ostringstream line;
    line << std::left << std::setw(13) << ("\"" + NarrowAscii(TypeName()) + "\"") << std::right;
    line << "(" << std::hex << reinterpret_cast<uintptr_t>(object) << std::dec << ") ";
    if (Validate() != 0) {
        line << "invalid";
    } else {
        line << NarrowAscii(object->GetClassName()) << " @" << std::setw(4) << object->x << "," << std::setw(5)
             << object->y << ", ";
        WriteObjectRef(line, owner);
    }
    stream << line.str() << '\n';
}

cPObjBase::cPointUndo::cUnMove::cUnMove(cPObjPoint *obj) : cUndelete(obj), copy(cPObjPoint::NewSameClassNamed(obj)) {
    const int32_t at = owner ? owner->FindChildIndex(obj) : -1;
    if (at >= 0 && at < 0xFFFE) next = owner->GetChild(uint16_t(at + 1));
    if (!copy) return;
    copy->Assign(*obj);
    copy->SetOwner(nullptr);
}

cPObjBase::cPointUndo::cUnMove::~cUnMove() { object = nullptr; }

tStatus cPObjBase::cPointUndo::cUnMove::Validate() const { return FindObjectAgain() ? 0 : kFailed; }

tStatus cPObjBase::cPointUndo::cUnMove::Apply() {
    if (Validate() != 0 || !copy) return 0;
    object->InvalidateBefore();
    object->RestoreFrom(*copy);
    RestoreOrder();
    object->InvalidateAfter();
    return 0;
}

// The end of the drag sorted the object into its owner at its new place,
// and the exports and playback follow that order.  Back at its old place it
// is sorted in again; sorting puts it after every symbol at that very point,
// so among those it goes back before the one it preceded.
void cPObjBase::cPointUndo::cUnMove::RestoreOrder() {
    object->ReinsertInOwner();
    cPObjOwnBase *direct = object->FindOwner(0, 0);
    if (direct && direct == owner)
        if (auto *group = dynamic_cast<cPObjGroup *>(direct)) group->PlaceBeforeAlike(object, next);
}

cPObjBase::cPointUndo::cUncreate::~cUncreate() { object = nullptr; }

tStatus cPObjBase::cPointUndo::cUncreate::Validate() const { return FindObjectAgain() ? 0 : kFailed; }

tStatus cPObjBase::cPointUndo::cUncreate::Apply() {
    if (Validate() != 0) return 0;
    delete object->Detach(0);
    object = nullptr;
    return 0;
}

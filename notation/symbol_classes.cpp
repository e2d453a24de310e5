#include "notation/symbol_classes.h"

void MusicBitMap::MoveBy(int32_t dx, int32_t dy) {
    cCommonShapeImg::MoveBy(dx, (gEditMode & kEditModeMask) == kEditResize ? dy : 0);
}

cPObjPoint *MusicBitMap::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    constexpr int16_t kStaffClassId = 184;
    if (auto *staff = dynamic_cast<cMusicOwner *>(FindOwner(kStaffClassId, 0))) staff->RunContext(x, -1, nullptr);
    return cCommonShapeImg::BeginDrag(px, py, hitKind);
}

bool MusicBitMapCentered::OnInsert() {
    constexpr int16_t kStaffClassId = 184;
    if (auto *staff = dynamic_cast<cMusicOwner *>(FindOwner(kStaffClassId, 0))) staff->PlaceCentered(this);
    return MusicBitMap::OnInsert();
}

int32_t Note11::GetHeadWidth() {
    cPObjPoint *head = PrototypeById(headGlyph);
    return head ? head->GetWidth() : cMusicBase::GetHeadWidth();
}

bool cMusicBlock::OnInsert() {
    if (cPObjOwnBase *marked = FindOwner(0, 0)) {
        y = marked->GetTop() - 1;
        SetSize(width, marked->GetSizeHeight() + 2);
    }
    return cPObjBlockMark::OnInsert();
}

namespace {

// The unit around the note that takes symbols attached to a linked note,
// or the note itself when there is none.
cPObjPoint *OuterUnitOf(cPObjPoint *obj, int32_t want, uint32_t stop) {
    return obj ? static_cast<cPObjPoint *>(obj->GetOuterUnit(want, stop)) : nullptr;
}

}  // namespace

cPObjPoint *cBeamEnd::ResolveAttachTarget(cPObjPoint *obj) {
    return OuterUnitOf(obj, kTypeOrnament | kTypeNote, kTypeTie);
}

cPObjPoint *cGraceNoteEnd::ResolveAttachTarget(cPObjPoint *obj) {
    return OuterUnitOf(obj, kTypeNote, kTypeOrnament | kTypeBeam | kTypeTie | kTypeChord);
}

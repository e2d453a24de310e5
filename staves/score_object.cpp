#include "staves/score_object.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/music_commands.h"
#include "document/shape_images.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "foundation/path_names.h"
#include "midi/midi_file.h"
#include "platform/version_word.h"
#include "staves/part_templates.h"
#include "staves/staff.h"
#include "ui/disp_dvc.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"

namespace {

// The score's record by the version word of the file: the tempo was added
// behind the document's record, then moved in front of it, and the
// play-repeats switch came last.
constexpr uint32_t kVersionTempoBehind = 0x1040000;
constexpr uint32_t kVersionTempoInFront = 0x1050000;
constexpr uint32_t kVersionPlayRepeats = 0x20A0C00;

// Files of the "Vesterin" format begin with this line.  They come from a
// newer program than any version word of ours says.
constexpr char kForeignHeader[] = "Vesterin\r\n";
constexpr uint32_t kForeignHeaderLength = sizeof kForeignHeader - 1;
constexpr uint32_t kNewerThanAnyVersion = 0xFFFFFF00;

// Flags of gDocumentFlags the upkeep after edits looks at.
constexpr uint32_t kBarsChanged = 0x40;
constexpr uint32_t kPagesChanged = 0x20;
constexpr uint32_t kEdited = 0x4;

bool ReadTempo(cBinaryFileBase *file, uint16_t &tempo) {
    uint8_t b[2] = {};
    if (!cPObjBase::ReadBytes(file, b, 2)) return false;
    const uint16_t value = uint16_t(b[0] | b[1] << 8);
    // A tempo of 0 would stop the music (and divide the beat length by zero).
    tempo = value ? value : ScoreObject::kDefaultTempo;
    return true;
}

bool ReadRepeats(cBinaryFileBase *file, int32_t &repeats) {
    uint8_t b[4] = {};
    if (!cPObjBase::ReadBytes(file, b, 4)) return false;
    repeats = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    return true;
}

bool IsStaffFamily(const cPObjBase *obj) { return obj && (obj->GetTypeFlags(0) & kTypeStaff); }

}  // namespace

ScoreObject::ScoreObject(cViewPortBase *window) : lcSymbolClass<ScoreObject, 186, PointWindowObject>(window) {
    gScoreStaffFlags = 0;
}

ScoreObject::~ScoreObject() {
    DeleteBlockMarks();
    endTimes.Clear();
}

ScoreObject *ScoreObject::Current() { return dynamic_cast<ScoreObject *>(gCurrentDocument); }

// ---- Files -----------------------------------------------------------------------

tStatus ScoreObject::LoadFile(const char16_t *path) {
    tStatus result = kFailed;
    if (path && cMidiFile::IsMidiFile(path) == 0) {
        // Standard MIDI Files are not imported yet: such a file leaves an
        // empty score named after it, the load fails, and the user is told
        // (the file is not one the score can be read from).
        Clear(0);
        std::u16string name(path);
        SetExtension(name, u"pmr");
        SetFileName(name.c_str());
        if (cGraphDvc *w = Window()) w->ShowMessage(u"This is not a valid Pelmora file.", u"File Error!");
    } else {
        result = PointWindowObject::LoadFile(path);
    }
    RenumberBars();
    return result;
}

tStatus ScoreObject::CheckHeader(const uint8_t *header, uint32_t length) {
    if (header && length >= kForeignHeaderLength && std::memcmp(header, kForeignHeader, kForeignHeaderLength) == 0) {
        // The reader puts the version back when the header is refused.
        gFileVersion = kNewerThanAnyVersion;
        VersionAlert();
        return kFailed;
    }
    return PointWindowObject::CheckHeader(header, length);
}

tStatus ScoreObject::OnLoaded(sCmdLoaded *record) {
    PointWindowObject::OnLoaded(record);
    cGraphDvc *window = Window();
    if (!window) return 0;
    const uint16_t font = window->FindFont(kMusicFontFace, kMusicFontHeight, 0);
    // The G clef's picture hands the font on to every glyph picture.
    if (auto *clef = dynamic_cast<cShapeBmpFont *>(cShapeImg::FindForClass(kDefaultClefId)))
        clef->SetMusicFont(font, window);
    return 0;
}

uint16_t ScoreObject::DataSize() { return uint16_t(PointWindowObject::DataSize() + 6); }

tStatus ScoreObject::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (file && (file->WriteU32(uint32_t(playRepeats)) < 0 || file->WriteU16(tempo) < 0)) return kFailed;
    return PointWindowObject::SaveBinary(record);
}

tStatus ScoreObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tempo = kDefaultTempo;
    playRepeats = 1;
    const uint32_t version = MaskVersion(gFileVersion);
    if (version >= kVersionPlayRepeats && !ReadRepeats(file, playRepeats)) return kFailed;
    if (version >= kVersionTempoInFront && !ReadTempo(file, tempo)) return kFailed;
    const tStatus result = PointWindowObject::LoadBinary(file, size);
    if (result < 0) return result;
    if (version >= kVersionTempoBehind && version < kVersionTempoInFront && !ReadTempo(file, tempo)) return kFailed;
    ApplyStaffVisibility();
    return result;
}

tStatus ScoreObject::ExportText(sCmdExpAsc *record) {
    const tStatus result = PointWindowObject::ExportText(record);
    if (result < 0 || !record || !record->output) return result;
    *record->output << " = " << tempo << ", " << playRepeats;
    return result;
}

tStatus ScoreObject::ImportText(sCmdImpAsc *record) {
    tempo = kDefaultTempo;
    playRepeats = 1;
    const tStatus result = PointWindowObject::ImportText(record);
    if (result < 0 || !record || !record->input) return result;
    cAsciiFile &in = *record->input;
    if (in.GetErrorLatch() != 0 || in.PeekAfterWhiteSpace() != '=' || in.Expect(u"=") != 0)
        return in.GetErrorLatch();
    const int32_t readTempo = in.ReadInt();
    if (in.GetErrorLatch() == 0) tempo = readTempo > 0 && readTempo <= 0xFFFF ? uint16_t(readTempo) : kDefaultTempo;
    if (MaskVersion(gFileVersion) >= kVersionPlayRepeats && in.GetErrorLatch() == 0 && in.Expect(u",") == 0) {
        const int32_t repeats = in.ReadInt();
        if (in.GetErrorLatch() == 0) playRepeats = repeats;
    }
    return in.GetErrorLatch();
}

// ---- The staffs -------------------------------------------------------------------

int32_t ScoreObject::AddStaff(cStaffBase *staff) {
    if (!staff) return 0;
    staff->ClearStaffs();
    staff->PlaceIn(this, staff->GetX(), kFirstStaffY);
    InsertChild(staff);
    gDocumentFlags = 0;
    return 0;
}

void ScoreObject::ApplyStaffVisibility() {
    cStaffBase::ApplyTemplateZoom();
    SendStaffHide(this, 2);
}

void ScoreObject::HilightObject(cPObjPoint *symbol) {
    if (symbol) symbol->Hilight();
}

int32_t ScoreObject::UpdateBarNumbers() {
    if (gDocumentFlags & kBarsChanged) RenumberBars();
    return 0;
}

void ScoreObject::RenumberBars() { cMusicBase::NumberBars(this, nullptr); }

// ---- Owner operations -----------------------------------------------------------

bool ScoreObject::HasBrace() { return FirstChildOfKind(kBraceId, 0) != nullptr; }

cPObjPoint *ScoreObject::FindAt(int32_t px, int32_t py, int16_t classId) {
    return FindInsertPosition(px, py, classId, 0, 0);
}

bool ScoreObject::InsertChild(cPObjPoint *child) {
    if (!child || child == this) return false;
    if (GetChildCount() == 0) gScoreStaffFlags = 0;
    const int16_t id = child->GetTypeId();
    if (id == kBraceId) gScoreStaffFlags |= 1;
    const bool isStaff = id == kStaffId;
    const bool hasBrace = HasBrace();
    if (id == kBraceId || (child->GetTypeFlags(0) & kTypePageBreak) || (isStaff && !hasBrace))
        return PointWindowObject::InsertChild(child);

    const int32_t px = child->GetX(), py = child->GetY();
    cPObjPoint *brace = hasBrace ? FindAt(px, py, kBraceId) : nullptr;
    if (isStaff) {
        // A staff dropped over a system becomes one of its staffs.
        if (brace) {
            const cRectangl braceBounds = *brace->GetBounds();
            if (child->TestRect(braceBounds, 0x80) == 0)
                if (auto *system = dynamic_cast<cPObjOwnBase *>(brace)) return system->InsertChild(child);
        }
        return PointWindowObject::InsertChild(child);
    }

    cPObjPoint *target = FindAt(px, py, kStaffId);
    if (brace) {
        // Between a system's bottom staff and the next system's top staff
        // the nearer one in y takes the symbol: the system is measured from
        // its bottom when the staff lies below its top.
        const int32_t reference = target && target->GetY() > brace->GetY() ? brace->GetY() + brace->GetHeight()
                                                                            : brace->GetY();
        if (!target || std::abs(int64_t(reference) - py) < std::abs(int64_t(target->GetY()) - py)) target = brace;
    }
    auto *owner = dynamic_cast<cPObjOwnBase *>(target);
    return owner && owner->InsertChild(child);
}

bool ScoreObject::AddChild(cPObjPoint *child) {
    if (!child) return false;
    if (child->GetTypeId() == kBraceId) gScoreStaffFlags |= 1;
    auto *staff = child->GetTypeId() == kStaffId ? dynamic_cast<cPObjOwnBase *>(child) : nullptr;
    if (staff && staff->GetChildCount() == 0 && HasBrace()) {
        auto *brace = dynamic_cast<cPObjOwnBase *>(FindAt(child->GetX(), child->GetY(), kBraceId));
        if (brace) {
            const cRectangl braceBounds = *brace->GetBounds();
            if (child->TestRect(braceBounds, 0x80) == 0) {
                brace->InvalidateBefore();
                child->InvalidateBefore();
                child->SetOwner(brace);
                const bool added = brace->AddChild(child);
                brace->Recalculate();
                brace->InvalidateAfter();
                return added;
            }
        }
    }
    return PointWindowObject::AddChild(child);
}

void ScoreObject::Clear(int32_t mode) {
    ClearSelection(0, 0);
    PointWindowObject::Clear(mode);
    gScoreStaffFlags = 0;
}

cPObjPoint *ScoreObject::RemoveChild(cPObjPoint *child) {
    cPObjPoint *removed = PointWindowObject::RemoveChild(child);
    if (child && child->GetTypeId() == kBraceId && !HasBrace()) gScoreStaffFlags = 0;
    return removed;
}

tStatus ScoreObject::CondenseChild(int16_t commandId, sCommandMask *mask, sCmdCondense *record, cPObjPoint *child,
                                   cPObjPoint *previous, void **state, bool vertical) {
    int32_t &off = vertical ? record->gapX : record->gapY;
    const int32_t kept = off;
    off = kFailed;
    const tStatus result = PointWindowObject::CommandToChild(commandId, mask, record, child, previous, state);
    off = kept;
    return result;
}

tStatus ScoreObject::CommandToChild(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                    cPObjPoint *previous, void **state) {
    if (!child || !record) return PointWindowObject::CommandToChild(commandId, mask, record, child, previous, state);
    if (commandId == kCmdExport) {
        // A system's walk replays repeats only with its last staff: the
        // brace counts the pass down staff by staff.
        auto *staff = IsStaffFamily(child) ? dynamic_cast<cStaffBase *>(child) : nullptr;
        static_cast<cMusicBase::sCmdExport *>(record)->pass = staff ? staff->CountStaffs() : 1;
    }
    if (commandId != kCmdCondense)
        return PointWindowObject::CommandToChild(commandId, mask, record, child, previous, state);

    // Inside a system only the horizontal pass runs; the systems are
    // stacked afterwards (AfterChildCommand).
    auto *r = static_cast<sCmdCondense *>(record);
    const int32_t lastY = r->lastY, lastOldY = r->lastOldY, maxBottom = r->maxBottom;
    const tStatus result = CondenseChild(commandId, mask, r, child, previous, state, false);
    auto *system = IsStaffFamily(child) && HoldsChild(child) ? dynamic_cast<cStaffBase *>(child) : nullptr;
    if (system && !system->FindLastSymbol()) {
        // An empty system goes, and the next one is placed as if it had
        // never been there.
        delete child->Detach(0);
        gDocumentFlags |= kEdited;
        r->lastY = lastY;
        r->lastOldY = lastOldY;
        r->maxBottom = maxBottom;
    }
    return result;
}

tStatus ScoreObject::AfterChildCommand(int16_t commandId, sCommandMask *mask, sCommandPrm *record, cPObjPoint *child,
                                       cPObjPoint *previous, void **state) {
    auto *r = commandId == kCmdCondense ? static_cast<sCmdCondense *>(record) : nullptr;
    if (!r || r->gapY == kFailed)
        return PointWindowObject::AfterChildCommand(commandId, mask, record, child, previous, state);

    // The systems stacked one below the other.
    tStatus least = 0;
    cStaffBase *last = nullptr;
    std::vector<cPObjPoint *> snapshot;
    for (uint16_t i = 0; i < GetChildSlots(); ++i)
        if (cPObjPoint *c = GetChild(i)) snapshot.push_back(c);
    cPObjPoint *before = nullptr;
    for (cPObjPoint *c : snapshot) {
        if (!HoldsChild(c)) continue;
        least = std::min(least, CondenseChild(commandId, mask, r, c, before, state, true));
        if (!HoldsChild(c)) continue;
        if (IsStaffFamily(c))
            if (auto *staff = dynamic_cast<cStaffBase *>(c)) last = staff;
        before = c;
    }

    // The last system's music that runs past its right edge goes on into
    // the systems after it.
    while (last) {
        cPObjPoint *lastSymbol = last->FindLastOfKind(0, 0);
        if (!lastSymbol || last->GetRight() >= lastSymbol->GetRight()) break;
        CondenseChild(commandId, mask, r, last, nullptr, state, false);
        cStaffBase *next = dynamic_cast<cStaffBase *>(last->NextOfSameKind(0));
        if (next) CondenseChild(commandId, mask, r, next, last, state, true);
        last = next;
    }

    if (gDocumentFlags & kBarsChanged) {
        UpdateBarNumbers();
        Paginate();
    }
    return std::min(least, PointWindowObject::AfterChildCommand(commandId, mask, record, child, previous, state));
}

// ---- Edits, pages, printing ------------------------------------------------------

void ScoreObject::KeepUp(bool paginate) {
    if (gDocumentFlags & kBarsChanged) UpdateBarNumbers();
    if (paginate && (gDocumentFlags & kPagesChanged)) Paginate();
}

void ScoreObject::DeleteHilighted() {
    PointWindowObject::DeleteHilighted();
    KeepUp(true);
}

tStatus ScoreObject::OnKey(int16_t key, int32_t px, int32_t py) {
    const tStatus result = PointWindowObject::OnKey(key, px, py);
    KeepUp(true);
    return result;
}

cPObjPoint *ScoreObject::OnMouseUp() {
    cPObjPoint *result = PointWindowObject::OnMouseUp();
    KeepUp(true);
    return result;
}

void ScoreObject::OnMouseMove(int32_t px, int32_t py) {
    PointWindowObject::OnMouseMove(px, py);
    KeepUp(false);
}

void ScoreObject::Paginate() {
    if (!FirstChildOfKind(0, kTypeStaff)) return;
    cStaffBase::ApplyTemplateZoom();
    PointWindowObject::Paginate();
}

void ScoreObject::DrawPages() { PrintPages(); }

tStatus ScoreObject::PrintPages() {
    cGraphDvc *out = gOutputWindow;
    if (!out) return 0;
    const tStatus opened = out->Open();
    if (opened != 0) return opened;
    cStaffBase::ApplyTemplateZoom();
    PointWindowObject::DrawPages();
    return out->Close();
}

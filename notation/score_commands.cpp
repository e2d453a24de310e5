// The score commands of the Format, Export and Setup menus: the launchers
// that fill a record and send it down the symbol tree, and the chord and
// beam builders that every music symbol inherits.  The owners' steps between
// their children are cMusicOwner's (document/owner_base.cpp).
#include <cstdint>

#include "document/music_commands.h"
#include "document/owner_base.h"
#include "document/undo_list.h"
#include "foundation/clipboard_text.h"
#include "notation/symbol_classes.h"

namespace {

// The document flags the launchers touch.
constexpr uint32_t kDocumentChanged = 0x1;
constexpr uint32_t kTemplateApplied = 0x8;
constexpr uint32_t kBarNumbersStale = 0x40;

// The hit-test flags of the column test: a note answers for its head.
constexpr int32_t kColumnHitFlags = 0x900;
// What a builder asks the chord or beam prototype.
constexpr uint32_t kAcceptFlags = 0x200;

// The rearranging commands cannot be undone: the undo records would name
// symbols that moved into new owners.
void ClearUndoList() {
    if (gPointUndo) gPointUndo->Clear();
}

// The running clef and key as class ids (ClefG and KeySigC until one has
// run) and no accidentals yet.
void TakeRunningSigns(cMusicBase::sCmdTranspose &record) {
    const MusicBitMapClef *clef = ClefPrototype();
    const KeySignature *key = KeyPrototype();
    record.clef = clef ? clef->GetTypeId() : gMusicState.clef;
    record.key = key ? key->GetTypeId() : gMusicState.key;
    record.accidentals.Clear();
}

// Chords and beams are made in the whole score, in a staff or in a block;
// any other selection gets none.
bool SelectionTakesGroups() {
    return !gSelectedObject || (gSelectedObject->GetTypeFlags(0) & (kTypeStaff | kTypeBlockMark)) != 0;
}

cPObjOwnBase *GroupPrototype(int16_t id) { return dynamic_cast<cPObjOwnBase *>(cPObjBase::PrototypeById(id)); }

// Whether the symbol stands in the column of the other: its own hit test
// at the other's time x and its own height.
bool InColumnOf(cPObjPoint *symbol, cMusicBase *other) {
    return other && symbol->HitTest(other->GetTimeX(), symbol->GetY(), kColumnHitFlags) != 0;
}

// Stores a symbol that left its owner there again; one that even its owner
// no longer takes would belong to nobody and goes (answers false).
bool PutBack(cPObjPoint *symbol, cPObjOwnBase *home) {
    symbol->SetOwner(home);
    if (home->AddChild(symbol)) return true;
    symbol->SetOwner(nullptr);
    delete symbol;
    return false;
}

enum class eMoved { kIntoGroup, kStayed, kGone };

// Moves the symbol from its owner into the group; a group that refuses it
// gives it back to the owner.
eMoved MoveInto(cPObjPoint *symbol, cPObjOwnBase *group, bool detach) {
    cPObjOwnBase *home = symbol->FindOwner(0, 0);
    if (!home) return eMoved::kStayed;
    if (detach) {
        symbol->Detach(0);
    } else {
        home->RemoveChild(symbol);
        symbol->SetOwner(nullptr);
    }
    if (group->InsertChild(symbol)) return eMoved::kIntoGroup;
    return PutBack(symbol, home) ? eMoved::kStayed : eMoved::kGone;
}

// A new chord or beam of the class, standing at the symbol's time x and
// height in the symbol's owner, takes the symbol.  The group is null unless
// it took the symbol (the registry made none, or an owner refused).
eMoved OpenGroup(int16_t id, cPObjPoint *symbol, cPObjOwnBase **group) {
    *group = nullptr;
    cPObjOwnBase *home = symbol->FindOwner(0, 0);
    cPObjPoint *made = home ? cPObjBase::NewById(id) : nullptr;
    auto *opened = dynamic_cast<cPObjOwnBase *>(made);
    if (!opened) {
        delete made;
        return eMoved::kStayed;
    }
    opened->PlaceIn(home, symbol->GetTimeX(), symbol->GetY());
    if (!home->InsertChild(opened)) {
        opened->SetOwner(nullptr);
        delete opened;
        return eMoved::kStayed;
    }
    const eMoved moved = MoveInto(symbol, opened, true);
    if (moved == eMoved::kIntoGroup)
        *group = opened;
    else
        delete opened->Detach(0);
    return moved;
}

// The last note of a beam: its last member, a beam end standing for the
// note it holds.
cPObjPoint *LastNoteOf(cPObjOwnBase *beam, int16_t beamEndId) {
    cPObjPoint *last = nullptr;
    for (uint16_t i = beam->GetChildSlots(); i > 0 && !last; --i) last = beam->GetChild(uint16_t(i - 1));
    if (last && last->GetTypeId() == beamEndId)
        if (auto *link = dynamic_cast<cPObjOwnBase *>(last)) return link->GetChild(0);
    return last;
}

// Takes the note out of the beam and puts it into the owner.
void TakeOutOfBeam(cPObjPoint *note, cPObjOwnBase *owner) {
    if (cPObjOwnBase *holder = note->FindOwner(0, 0)) holder->RemoveChild(note);
    note->SetOwner(nullptr);
    if (!owner->InsertChild(note)) PutBack(note, owner);
}

// Whether a note at the time still belongs to the open beam: the same
// measure and the same beat group.  Without beat groups nothing joins.
bool InBeamGroup(const cMusicBase::sCmdBeams &record, int32_t time, int32_t measureStart) {
    if (record.beamMeasure != measureStart || record.groupLength <= 0) return false;
    const uint32_t length = uint32_t(record.groupLength);
    const uint32_t offset = (uint32_t(record.beamStart) - uint32_t(measureStart)) % length;
    return uint32_t(time) - uint32_t(record.beamStart) + offset < length;
}

void CloseBeam(cMusicBase::sCmdBeams &record) {
    cMusicOwner::CloseBuiltGroup(record.openBeam, true);
    record.openBeam = nullptr;
    record.beamMeasure = 0;
}

}  // namespace

// ---- Launchers ------------------------------------------------------------------

tStatus cMusicBase::ApplyStaffTemplate(cPObjBase *root, int32_t templateIndex, sCommandMask *mask) {
    gDocumentFlags |= kTemplateApplied;
    sCmdStfTmpl record(templateIndex);
    return SendCommand(root, kCmdStaffTemplate, mask, &record, nullptr);
}

tStatus cMusicBase::Transpose(cPObjBase *root, int32_t semitones, int32_t targetClef, sCommandMask *mask) {
    gDocumentFlags |= kDocumentChanged;
    sCmdTranspose record(semitones, targetClef);
    TakeRunningSigns(record);
    ClearUndoList();
    const tStatus result = SendCommand(root, kCmdTranspose, mask, &record, gSelectedObject);
    // Repeated, the command starts again from the signs running now.
    TakeRunningSigns(record);
    SetLastCommand(&record);
    return result;
}

tStatus cMusicBase::MakeSongbook(cPObjBase *root, sCommandMask *mask) {
    sCmdSongbook record;
    const tStatus result = SendCommand(root, kCmdSongbook, mask, &record, nullptr);
    ClipboardPutText();
    record.length = 0;
    record.texts.clear();
    record.texts.shrink_to_fit();
    return result;
}

tStatus cMusicBase::NumberBars(cPObjBase *root, sCommandMask *mask) {
    sCmdBarNum record;
    const tStatus result = SendCommand(root, kCmdBarNumbers, mask, &record, nullptr);
    gDocumentFlags &= ~kBarNumbersStale;
    return result;
}

tStatus cMusicBase::SetStems(cPObjBase *root, int32_t direction, sCommandMask *mask) {
    ClearUndoList();
    sCmdStem record(direction);
    return SendCommand(root, kCmdStems, mask, &record, gSelectedObject);
}

tStatus cMusicBase::MakeChords(cPObjBase *root, sCommandMask *mask) {
    ClearUndoList();
    if (!SelectionTakesGroups()) return 0;
    sCmdChords record;
    return SendCommand(root, kCmdMakeChords, mask, &record, gSelectedObject);
}

tStatus cMusicBase::MakeBeams(cPObjBase *root, int32_t maxStep, int32_t reserved, int32_t groupLength,
                              sCommandMask *mask) {
    ClearUndoList();
    if (!SelectionTakesGroups()) return 0;
    sCmdBeams record(maxStep, reserved, groupLength);
    return SendCommand(root, kCmdMakeBeams, mask, &record, gSelectedObject);
}

// ---- The chord builder ------------------------------------------------------------

tStatus cMusicBase::OnMakeChords(sCmdChords *record) {
    auto *self = dynamic_cast<cPObjPoint *>(this);
    // Untimed symbols have no column in time to share.
    if (!record || !self || !self->FindOwner(0, 0) || GetTimeStep() == 0) return 0;
    cPObjOwnBase *prototype = GroupPrototype(kChordTypeId);
    if (!prototype || !prototype->AcceptsChild(self, kAcceptFlags)) return 0;
    if (cPObjOwnBase *chord = record->openChord) {
        if (InColumnOf(self, chord)) {
            if (chord->AcceptsChild(self, kAcceptFlags)) MoveInto(self, chord, true);
            return 0;
        }
        cMusicOwner::CloseBuiltGroup(chord, false);
        record->openChord = nullptr;
    }
    // A chord made for a note that gets no partner goes again when the
    // next symbol or the end of the owner's children closes it.
    OpenGroup(kChordTypeId, self, &record->openChord);
    return 0;
}

// ---- The beam builder ----------------------------------------------------------------

tStatus cMusicBase::OnMakeBeams(sCmdBeams *record) {
    auto *self = dynamic_cast<cPObjPoint *>(this);
    cPObjOwnBase *home = self ? self->FindOwner(0, 0) : nullptr;
    if (!record || !home) return 0;
    // Untimed symbols (clefs, bar lines) leave the beam open and are never
    // beamed themselves.
    const int32_t step = GetTimeStep();
    if (step == 0) return 0;
    cPObjOwnBase *prototype = GroupPrototype(kBeamTypeId);
    const bool beamable = prototype && prototype->AcceptsChild(self, kAcceptFlags) && step <= record->maxStep;
    if (!beamable) {
        // A rest or a long note ends the beam, taking back a note of its own
        // column.
        record->lastNote = self;
        if (record->openBeam) {
            cPObjPoint *last = LastNoteOf(record->openBeam, kBeamEndTypeId);
            if (last && InColumnOf(self, last)) TakeOutOfBeam(last, home);
            CloseBeam(*record);
        }
        return 0;
    }
    // The symbol's start time and measure: the staff's time layout from its
    // start up to the symbol, then the symbol's own step.
    cMusicOwner *staff = FindMusicOwner(kStaffTypeId);
    if (staff) staff->RunContext(GetTimeX(), -1, record);
    LayoutTime(staff, GetTimeX() + 1, 1);
    const int32_t now = GetCurrentTime();
    const int32_t measureStart = gMusicState.measureStart;

    if (cPObjOwnBase *beam = record->openBeam) {
        if (!InBeamGroup(*record, now, measureStart)) {
            CloseBeam(*record);
        } else if (!beam->AcceptsChild(self, kAcceptFlags)) {
            record->lastNote = self;
            return 0;
        } else if (cPObjPoint *last = LastNoteOf(beam, kBeamEndTypeId); last && InColumnOf(self, last)) {
            // A loose chord tone: neither it nor the note of its column is
            // beamed.
            TakeOutOfBeam(last, home);
            record->lastNote = last;
            CloseBeam(*record);
        } else {
            const eMoved moved = MoveInto(self, beam, false);
            record->lastNote = moved == eMoved::kStayed ? self : nullptr;
            return 0;
        }
    }
    if (record->lastNote && InColumnOf(self, record->lastNote)) {
        record->lastNote = self;
        return 0;
    }
    const eMoved moved = OpenGroup(kBeamTypeId, self, &record->openBeam);
    if (moved != eMoved::kIntoGroup) {
        record->lastNote = moved == eMoved::kStayed ? self : nullptr;
        return 0;
    }
    record->beamStart = now;
    record->beamMeasure = measureStart;
    record->lastNote = nullptr;
    return 0;
}

// Notes: their pitch, drawing, bounds and hits, stem flipping, note heads,
// transposition, storage, the sound of a placed symbol and the note that
// spells a duration.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "document/document_root.h"
#include "document/music_commands.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "midi/midi_track_base.h"
#include "midi/music_track.h"
#include "notation/duration_spelling.h"
#include "notation/symbol_classes.h"
#include "platform/version_word.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/graph_dvc.h"
#include "ui/menu_item.h"

namespace {

// Files up to 2.12.1 store only the position of a note: its head, flag and
// stem are the class's.
constexpr uint32_t kLastVersionWithoutNoteFields = 0x20C01FF;
// The head, flag and stem of the binary record.
constexpr uint16_t kNoteFieldsSize = 8;

constexpr int16_t kNoteHeadDialog = 1026;
constexpr uint32_t kSoundCommand = 602;
// A placed note sounds for a 32nd note.
constexpr uint32_t kSoundTicks = 60;
constexpr uint16_t kSoundTicksPerQuarter = 480;
// The tempo outside any score: a new score's.
constexpr int32_t kSoundTempo = 120;
// Notes this long keep their stems as they are.
constexpr int32_t kNoFlipTicks = 1920;
// The hit-test flag that asks for the note's whole bounds, not its head.
constexpr int32_t kHitWholeNote = 0x400;

// The five heads of each head kind, with the set-up dialog's button for it.
struct sHeadKind {
    int16_t filledDown, filledUp, halfDown, halfUp, whole;
    int32_t button;
};
constexpr sHeadKind kOval = {43, 44, 45, 46, 29, 101};
constexpr sHeadKind kDiamond = {56, 57, 54, 55, 54, 102};
constexpr sHeadKind kTriangle = {52, 53, 50, 51, 50, 103};
constexpr sHeadKind kCross = {48, 49, 45, 46, 48, 104};
constexpr sHeadKind kCircledCross = {58, 59, 45, 46, 58, 105};
constexpr const sHeadKind *kHeadKinds[] = {&kOval, &kDiamond, &kTriangle, &kCross, &kCircledCross};

const sHeadKind &KindOfHead(int16_t head) {
    if (head == 48 || head == 49) return kCross;
    if (head >= 50 && head <= 53) return kTriangle;
    if (head >= 54 && head <= 57) return kDiamond;
    if (head == 58 || head == 59) return kCircledCross;
    return kOval;
}

const sHeadKind &KindOfButton(int32_t button) {
    for (const sHeadKind *kind : kHeadKinds)
        if (kind->button == button) return *kind;
    return kOval;
}

bool IsNoteClass(int16_t id) { return id >= 17 && id <= 29; }

// The heads and flags a stored note may name; any other id keeps the
// class's own, so that a damaged record never draws a foreign picture.
bool IsStorableHead(int32_t id) { return id == 29 || id == 68 || (id >= 43 && id <= 46) || (id >= 48 && id <= 59); }
bool IsStorableFlag(int32_t id) { return id == 0 || (id >= 60 && id <= 67); }

// The picture of a class id, quietly null for an id without one.
cShapeImg *PictureOf(int16_t id) { return cShapeImg::FindForClass(id); }

// The music font draws heads and flags around the point where the stem
// meets them: a head's glyph origin lies on its stem side at the height of
// its middle, a flag's at the stem's end.  The hot spots, the edges and the
// hit box of these pictures are measured from that origin, so the glyph is
// drawn with its origin on the stem point; placing the ink's corner there
// would draw a head half a space below its pitch (and an up-stem head
// beside the stem), away from where it is hit.
void DrawOnStem(cShapeImg *picture, int32_t stemX, int32_t stemY, cGraphDvc *window) {
    if (picture) picture->DrawAt(stemX, stemY, window);
}

}  // namespace

bool IsSoundTicked() { return gMainMenu && gMainMenu->IsCommandChecked(kSoundCommand); }

// ---- note heads ----

int16_t MusicBitMapNote::ClassForHead(int16_t classId, int16_t head, bool flip) {
    const sHeadKind &kind = KindOfHead(head);
    switch (classId) {
        case 17: case 19: case 21: case 23: case 25:
            return flip ? kind.filledUp : kind.filledDown;
        case 18: case 20: case 22: case 24: case 26:
            return flip ? kind.filledDown : kind.filledUp;
        case 27:
            return flip ? kind.halfUp : kind.halfDown;
        case 28:
            return flip ? kind.halfDown : kind.halfUp;
        default:
            return kind.whole;
    }
}

tStatus MusicBitMapNote::OnSetNoteHead(sCmdSetNoteHead *record) {
    if (record) SetHeadGlyph(ClassForHead(GetTypeId(), record->headGlyph, false));
    return 0;
}

namespace {

cMusicBase::sCmdSetNoteHead *FillHeadRecord(sCommandPrm *record, int16_t head, int16_t classId) {
    auto *setup = dynamic_cast<cMusicBase::sCmdSetNoteHead *>(record ? record : new cMusicBase::sCmdSetNoteHead);
    if (!setup) return nullptr;
    setup->headGlyph = head;
    setup->classId = classId;
    return setup;
}

cMusicBase::sCmdSetNoteHead *AsHeadRecord(sCommandPrm *record) {
    auto *setup = dynamic_cast<cMusicBase::sCmdSetNoteHead *>(record);
    return setup && setup->familyId == kCmdNoteHead ? setup : nullptr;
}

}  // namespace

sCommandPrm *MusicBitMapNote::GetClassSetup(sCommandPrm *record) { return FillHeadRecord(record, headGlyph, GetTypeId()); }

sCommandPrm *MusicBitMapNote::GetObjectSetup(sCommandPrm *record) { return FillHeadRecord(record, headGlyph, GetTypeId()); }

tStatus MusicBitMapNote::SetClassSetup(sCommandPrm *record) {
    sCmdSetNoteHead *setup = AsHeadRecord(record);
    if (!setup) return kFailed;
    // New notes of every value take the chosen kind of head.
    constexpr int16_t kNoteClasses[] = {25, 23, 21, 19, 17, 26, 24, 22, 20, 18, 27, 28, 29};
    for (int16_t id : kNoteClasses)
        if (auto *prototype = dynamic_cast<cMusicBase *>(PrototypeById(id))) prototype->OnSetNoteHead(setup);
    return 0;
}

tStatus MusicBitMapNote::SetObjectSetup(sCommandPrm *record) {
    sCmdSetNoteHead *setup = AsHeadRecord(record);
    if (!setup) return kFailed;
    SetHeadGlyph(setup->headGlyph);
    SetRepeatCommand(setup);
    return 0;
}

int32_t MusicBitMapNote::Setup(sCommandPrm *record) {
    sCmdSetNoteHead *setup = AsHeadRecord(record);
    if (!setup || !gCurrentScoreWindow) return 0;
    int32_t chosen = KindOfHead(setup->headGlyph).button;
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kNoteHeadDialog, uint32_t(GetHelpTopic())));
    if (!dialog) return 0;
    for (const sHeadKind *kind : kHeadKinds) dialog->NewRadioButton(uint32_t(kind->button), &chosen, kind->button);
    if (dialog->Open() != RC_OK) return 0;
    if (IsNoteClass(setup->classId)) setup->headGlyph = ClassForHead(setup->classId, KindOfButton(chosen).filledDown, false);
    return 1;
}

// ---- copying and storage ----

void MusicBitMapNote::CopyFrom(const cPObjBase &other) {
    MusicBitMap::CopyFrom(other);
    if (auto *note = dynamic_cast<const MusicBitMapNote *>(&other)) CopyNoteFields(*note);
}

uint16_t MusicBitMapNote::DataSize() { return uint16_t(MusicBitMap::DataSize() + kNoteFieldsSize); }

tStatus MusicBitMapNote::SaveBinary(sCmdFileSave *record) {
    cBinaryFileBase *file = record ? record->file : nullptr;
    if (!file) return kFailed;
    if (file->WriteU16(uint16_t(headGlyph)) < 0 || file->WriteU16(uint16_t(flagGlyph)) < 0 ||
        file->WriteU32(uint32_t(stemLength)) < 0)
        return kFailed;
    return MusicBitMap::SaveBinary(record);
}

tStatus MusicBitMapNote::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    if (!file) return kFailed;
    if (MaskVersion(gFileVersion) > kLastVersionWithoutNoteFields) {
        uint16_t head = 0, flag = 0;
        uint32_t stem = 0;
        if (file->ReadU16(head) < 0 || file->ReadU16(flag) < 0 || file->ReadU32(stem) < 0) return kFailed;
        if (IsStorableHead(int16_t(head))) headGlyph = int16_t(head);
        if (IsStorableFlag(int16_t(flag))) flagGlyph = int16_t(flag);
        stemLength = int32_t(stem);
    }
    return MusicBitMap::LoadBinary(file, size);
}

tStatus MusicBitMapNote::ExportText(sCmdExpAsc *record) {
    tStatus result = MusicBitMap::ExportText(record);
    if (result < 0) return result;
    *record->output << " = " << headGlyph << ", " << flagGlyph << ", " << stemLength;
    return 0;
}

tStatus MusicBitMapNote::ImportText(sCmdImpAsc *record) {
    tStatus result = MusicBitMap::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.PeekAfterWhiteSpace() != '=' || in.Expect(u"=") != 0) return in.GetErrorLatch();
    const int32_t head = in.ReadInt();
    in.Expect(u",");
    const int32_t flag = in.ReadInt();
    in.Expect(u",");
    const int32_t stem = in.ReadInt();
    if (in.GetErrorLatch() != 0) return in.GetErrorLatch();
    if (IsStorableHead(head)) headGlyph = int16_t(head);
    if (IsStorableFlag(flag)) flagGlyph = int16_t(flag);
    stemLength = stem;
    return 0;
}

// ---- place on the staff ----

bool MusicBitMapNote::Recalculate() {
    SnapToStaff();
    return true;
}

bool MusicBitMapNote::OnInsert() {
    if (!MusicBitMap::OnInsert()) return false;
    SnapToStaff();
    return true;
}

int32_t MusicBitMapNote::GetKeyStepUp() {
    cStaffServices *staff = StaffServicesOf(this);
    return staff ? -staff->GetCurrentHalfSpacing() : MusicBitMap::GetKeyStepUp();
}

int32_t MusicBitMapNote::GetKeyStepDown() {
    cStaffServices *staff = StaffServicesOf(this);
    return staff ? staff->GetCurrentHalfSpacing() : MusicBitMap::GetKeyStepDown();
}

void MusicBitMapNote::MoveBy(int32_t dx, int32_t dy) {
    const int32_t before = y;
    MusicBitMap::MoveBy(dx, dy);
    if (y != before) PlaySound();
}

cPObjPoint *MusicBitMapNote::BeginDrag(int32_t px, int32_t py, int32_t hitKind) {
    cPObjPoint *dragged = MusicBitMap::BeginDrag(px, py, hitKind);
    PlaySound();
    return dragged;
}

int32_t MusicBitMapNote::GetAttachY(int32_t side) {
    cShapeImg *head = PictureOf(headGlyph);
    const int32_t h = head ? head->GetHeight() * 3 / 4 : 0;
    if (side == 0) side = stemLength <= 0 ? 1 : -1;
    return side > 0 ? y + h : y - h;
}

// ---- pitch ----

sPitch MusicBitMapNote::GetMidiPitch() {
    cStaffServices *staff = StaffServicesOf(this);
    if (!staff) return sPitch(0);
    const int32_t pitch = 5 * staff->StepAt(y, headGlyph);
    // An accidental earlier in the measure wins over the key.
    int32_t alteration = gMusicState.accidentals.Get(pitch);
    if (alteration == sKeyAccidentals::kUnset) alteration = staff->AlterationAtCurrent(y, headGlyph);
    return sPitch(int16_t(pitch + alteration));
}

tStatus MusicBitMapNote::OnTranspose(sCmdTranspose *record) {
    cStaffServices *staff = StaffServicesOf(this);
    if (!staff || !record) return 0;
    InvalidateBefore();
    SetRunningKey(record->key);
    SetRunningClef(record->clef);
    const int32_t steps = KeySignature::TransposeSteps(record->semitones, int16_t(record->targetClef));
    MoveY(-steps * (staff->LineSpacing() / 2));
    // Groups that move as one (chords, attachments) fit themselves around
    // the moved note.
    for (cPObjOwnBase *unit = owner; unit && unit->IsUnit(); unit = unit->FindOwner(0, 0)) unit->Recalculate();
    InvalidateAfter();
    return 0;
}

// ---- stems ----

int32_t MusicBitMapNote::GetHeadWidth() { return 2 * std::abs(GetHotSpotX()); }

int32_t MusicBitMapNote::GetStemX(int32_t targetY) {
    const int32_t s = x - GetHotSpotX();
    if (stemLength <= 0) return targetY > y ? s - (GetHeadWidth() - 1) : s;
    return targetY < y ? s + (GetHeadWidth() - 1) : s;
}

tStatus MusicBitMapNote::OnSetStem(sCmdStem *record) {
    const int16_t id = GetTypeId();
    // Only the notes with a stem have a twin of the other direction; whole
    // notes keep theirs.
    if (!owner || !record || id < 17 || id > 28 || GetDurationTicks() >= kNoFlipTicks) return 0;
    const bool up = stemLength <= 0;
    const bool flip = record->direction == 1 || (record->direction == 0 && !up) || (record->direction == 2 && up);
    if (!flip) return 0;
    cPObjPoint *made = NewById(int16_t(up ? id - 1 : id + 1));
    auto *twin = dynamic_cast<MusicBitMapNote *>(made);
    if (!twin) {
        delete made;
        return 0;
    }
    const int16_t ownFlag = twin->flagGlyph;
    twin->CopyFrom(*this);
    twin->flagGlyph = ownFlag;
    twin->stemLength = -stemLength;
    twin->headGlyph = ClassForHead(id, headGlyph, true);
    cPObjOwnBase *holder = owner;
    // The old note is deleted by its owner once the twin is in.
    if (holder->ReplaceChild(this, twin, 0) != twin) {
        delete twin;
        return 0;
    }
    twin->InvalidateAfter();
    return 0;
}

// ---- drawing, bounds and hits ----

void MusicBitMapNote::DrawWhole(int32_t left, int32_t top, cGraphDvc *window) {
    if (!window) return;
    DrawOnStem(PictureOf(headGlyph), left, top, window);
    if (stemLength != 0) {
        const int32_t previous = window->SetLineWidth(1);
        window->DrawLine(left, top, left, top + stemLength);
        window->SetLineWidth(previous);
    }
    if (flagGlyph != 0) DrawOnStem(PictureOf(flagGlyph), left, top + stemLength, window);
}

cPObjPoint *MusicBitMapNote::Draw() {
    DrawWhole(x - GetHotSpotX(), y - GetHotSpotY(), gCurrentScoreWindow);
    if (cStaffServices *staff = StaffServicesOf(this)) staff->DrawLedgerLines(this);
    return this;
}

void MusicBitMapNote::DrawPicture(int32_t px, int32_t py, cGraphDvc *window) {
    cShapeImg *head = PictureOf(headGlyph);
    const cRectangl box = head ? *head->GetImageRect() : cRectangl(0, 0, 0, 0);
    DrawWhole(px - box.x, stemLength <= 0 ? py - stemLength : py - box.y, window);
}

void MusicBitMapNote::DrawStem(int32_t toY, int32_t direction) {
    const int32_t left = x - GetHotSpotX(), top = y - GetHotSpotY();
    const bool ownSide = stemLength > 0 ? toY > y : toY < y;
    if (toY == kFailed || ownSide) {
        if (gCurrentScoreWindow) DrawOnStem(PictureOf(headGlyph), left, top, gCurrentScoreWindow);
    } else {
        DrawWhole(left, top, gCurrentScoreWindow);
    }
    MusicBitMap::DrawStem(toY, direction);
    if (cStaffServices *staff = StaffServicesOf(this)) staff->DrawLedgerLines(this);
}

cRectangl *MusicBitMapNote::GetBounds() {
    const int32_t hx = GetHotSpotX(), hy = GetHotSpotY();
    cShapeImg *head = PictureOf(headGlyph);
    cRectangl bounds = head ? *head->GetDrawRect(x, y) : cRectangl(x, y, 0, 0);
    cShapeImg *flag = flagGlyph ? PictureOf(flagGlyph) : nullptr;
    // The flag's edges where DrawOnStem puts it: its origin on the stem's end.
    cRectangl stem = flag ? *flag->GetDrawRect(x - hx + flag->GetHotSpotX(), y + stemLength - hy + flag->GetHotSpotY())
                          : cRectangl(x - hx - 1, y - hy, 3, stemLength);
    stem.Normalize();
    bounds.Union(stem);
    if (cStaffServices *staff = StaffServicesOf(this)) {
        cRectangl ledger = *staff->LedgerLinesRect(this);
        if (!ledger.IsEmpty()) bounds.Union(ledger);
    }
    bounds.Normalize();
    return cRectangl::Temp(bounds.x - 1, bounds.y - 1, bounds.width + 2, bounds.height + 2);
}

int32_t MusicBitMapNote::HitTest(int32_t px, int32_t py) {
    cPObjPoint *head = RegistryAllocated() ? PrototypeById(headGlyph) : nullptr;
    if (!head || head == this) return MusicBitMap::HitTest(px, py);
    const int32_t savedX = head->GetX(), savedY = head->GetY();
    head->SetX(x);
    head->SetY(y);
    const int32_t hit = head->HitTest(px, py);
    head->SetX(savedX);
    head->SetY(savedY);
    return hit;
}

int32_t MusicBitMapNote::HitTest(int32_t px, int32_t py, int32_t flags) {
    if (flags & kHitWholeNote) return GetBounds()->TestPoint(px, py) == 0 ? 1 : 0;
    return HitTest(px, py);
}

// ---- the font note ----

cPObjPoint *MusicFontNote::NewSameClass() const { return new MusicFontNote(headGlyph, glyphValue); }

// ---- the sound of a placed symbol ----

void cMusicBase::PlaySound() {
    SetCurrentTime(0, 0);
    cMusicTrack *output = gSoundOutput;
    if (!output || output->GetPlayState() != 0) return;
    if (GetMidiPitch().IsNone() || !IsSoundTicked()) return;
    output->ResetState();
    output->Reset();
    auto *player = dynamic_cast<cMidiTrackBase *>(output);
    if (player) player->SetNotifyWindow(nullptr);
    gTicksPerQuarter = kSoundTicksPerQuarter;
    output->PutTempo(gCurrentDocument ? gCurrentDocument->GetTempo() : kSoundTempo);
    // An accidental or chord around the note sounds in its place.
    cMusicBase *sounding = this;
    for (;;) {
        cPObjOwnBase *holder = sounding->owner;
        auto *music = dynamic_cast<cMusicOwner *>(holder);
        if (!music || !holder->IsUnit() || music->GetPitchForChild().IsNone()) break;
        sounding = music;
    }
    if (cStaffServices *staff = StaffServicesOf(sounding)) staff->ApplyMidiSetup(sounding, output, 0);
    output->PutNote(sounding->GetMidiPitch().value, 0, kSoundTicks);
    output->PutEndOfTrack();
    if (player) player->Play();
}

// ---- the note of a duration ----

cPObjPoint *cMusicBase::NoteForDuration(int32_t ticks) {
    // Units of 15 x 2^index ticks: 64th, 64th, 32nd, 16th, eighth, quarter,
    // half, and whole notes for everything longer; all stems up.
    constexpr int16_t kNoteByIndex[11] = {18, 18, 20, 22, 24, 26, 28, 29, 29, 29, 29};
    return NewSymbolForDuration(ticks, kNoteByIndex);
}

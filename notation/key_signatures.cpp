// Key signatures: the letters they alter, their layout and transposition.
#include "notation/symbol_classes.h"

#include <algorithm>

#include "document/music_commands.h"
#include "ui/graph_dvc.h"

namespace {

// Letters numbered C 0 .. B 6.
constexpr int32_t kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
constexpr int32_t kFlatOrder[7] = {6, 2, 5, 1, 4, 0, 3};   // B E A D G C F
// The tonic's letter of the major key with 0 .. 7 sharps; a key of n flats
// has the tonic of 7 - n sharps, an octave's worth of fifths away.
constexpr int32_t kTonicLetter[8] = {0, 4, 1, 5, 2, 6, 3, 0};  // C G D A E B F# C#

constexpr int32_t kMaxAccidentals = 7;
// Filled before every use (drawing, bounds); a key draws at most seven.
int32_t gAccidentalPositions[kMaxAccidentals] = {};

int32_t TonicLetterOf(int32_t count) { return kTonicLetter[count < 0 ? count + 7 : count]; }

// The key the walks read the staff with: KeySigC until a key has run.
int16_t RunningKeyId() { return gMusicState.key ? gMusicState.key : kDefaultKeyId; }

// The picture of an accidental class; null without one.
cShapeImg *AccidentalPicture(int16_t id) { return cShapeImg::FindForClass(id); }

}  // namespace

int16_t KeySignature::KeyIdOfCount(int32_t count) {
    if (count == 0) return 103;
    if (count >= 1 && count <= 7) return int16_t(103 + count);
    if (count >= -7 && count <= -1) return int16_t(110 - count);
    return 0;
}

KeySignature *KeySignature::PrototypeAt(int32_t count) {
    const int16_t id = KeyIdOfCount(count);
    return id ? dynamic_cast<KeySignature *>(PrototypeById(id)) : nullptr;
}

int32_t KeySignature::GetAccidentalCount() {
    const int16_t id = GetTypeId();
    if (id >= 104 && id <= 110) return id - 103;
    if (id >= 111 && id <= 117) return 110 - id;
    return 0;
}

int32_t KeySignature::GetKeyAccidental(int32_t step) {
    const int32_t letter = ((step % 7) + 7) % 7;
    const int32_t count = GetAccidentalCount();
    for (int32_t i = 0; i < count; ++i)
        if (kSharpOrder[i] == letter) return 1;
    for (int32_t i = 0; i < -count; ++i)
        if (kFlatOrder[i] == letter) return -1;
    return 0;
}

KeySignature *KeyPrototype(int16_t id) {
    if (id == 0) id = gMusicState.key;
    // Only key ids are looked up: the registry reports an error for an id
    // it does not hold.
    if (id < kFirstKeyId || id > kLastKeyId) id = kDefaultKeyId;
    return dynamic_cast<KeySignature *>(cPObjBase::PrototypeById(id));
}

int32_t KeySignature::GetAccidentalStep() { return 3; }
int16_t KeySignature::GetAccidentalTypeId() { return AccidSharpObject::kClassId; }
int32_t KeySignature::GetDrawCount() { return GetAccidentalCount(); }
void KeySignature::RegisterWithStaff(cStaffServices *staff) { staff->PlaceKeySharp(this); }

void KeyFlat::RegisterWithStaff(cStaffServices *staff) { staff->PlaceKeyFlat(this); }
int32_t KeyFlat::GetAccidentalStep() { return -3; }
int16_t KeyFlat::GetAccidentalTypeId() { return AccidFlatObject::kClassId; }
int32_t KeyFlat::GetDrawCount() { return -GetAccidentalCount(); }

int16_t KeySigC::GetAccidentalTypeId() { return AccidNaturalObject::kClassId; }
int32_t KeySigC::GetDrawCount() { return kMaxAccidentals; }

// ---- layout ----

const int32_t *KeySignature::AccidentalPositions() { return gAccidentalPositions; }

void KeySignature::ComputeAccidentalPositions() {
    const int32_t count = std::clamp(GetDrawCount(), 1, kMaxAccidentals);
    int32_t h = kFreeHalfSpacing;
    // The staff's context up to the key gives the clef in force; a query of
    // the bounds leaves the running context of a walk as it found it.
    const sMusicState before = gMusicState;
    if (cMusicOwner *staff = FindMusicOwner(kStaffTypeId)) {
        staff->RunContext(x, -1, nullptr);
        if (cStaffServices *services = StaffServicesOf(this)) h = services->GetCurrentHalfSpacing();
    }
    const int32_t d = GetAccidentalStep();
    const bool flats = d < 0;
    int32_t limit = flats ? -3 : -1;
    if (MusicBitMapClef *clef = ClefPrototype()) limit = flats ? clef->GetFlatWrapLimit() : clef->GetSharpWrapLimit();
    limit *= h;
    gMusicState = before;

    const int32_t first = y;
    gAccidentalPositions[0] = first;
    for (int32_t i = 1; i < count; ++i) {
        int32_t pos = gAccidentalPositions[i - 1] + d * h;
        // Accidentals that would leave the staff's range wrap by an octave.
        if (flats) {
            if (pos < first + limit) pos += 7 * h;
        } else if (pos > first + limit + 6 * h) {
            pos -= 7 * h;
        }
        gAccidentalPositions[i] = pos;
    }
}

int32_t KeySignature::GetLeft() { return x - kAccidentalDistance; }

int32_t KeySignature::GetRight() { return x + kAccidentalDistance * GetDrawCount(); }

int32_t KeySignature::GetTop() {
    ComputeAccidentalPositions();
    const int32_t count = std::clamp(GetDrawCount(), 1, kMaxAccidentals);
    const int32_t highest = *std::min_element(gAccidentalPositions, gAccidentalPositions + count);
    cShapeImg *picture = AccidentalPicture(GetAccidentalTypeId());
    return std::min(y, highest) + (picture ? picture->TopAt(0) : 0) - 1;
}

int32_t KeySignature::GetBottom() {
    ComputeAccidentalPositions();
    const int32_t count = std::clamp(GetDrawCount(), 1, kMaxAccidentals);
    const int32_t lowest = *std::max_element(gAccidentalPositions, gAccidentalPositions + count);
    cShapeImg *picture = AccidentalPicture(GetAccidentalTypeId());
    return std::max(y, lowest) + (picture ? picture->BottomAt(0) : 0) + 1;
}

bool KeySignature::Recalculate() {
    if (cStaffServices *staff = StaffServicesOf(this)) RegisterWithStaff(staff);
    return true;
}

void KeySignature::MoveBy(int32_t dx, int32_t dy) { ShapeObject::MoveBy(dx, 0); }

cPObjPoint *KeySignature::Draw() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
    } else if (cShapeImg *picture = AccidentalPicture(GetAccidentalTypeId())) {
        ComputeAccidentalPositions();
        const int32_t count = std::clamp(GetDrawCount(), 1, kMaxAccidentals);
        for (int32_t i = 0; i < count; ++i)
            picture->DrawAt(x + kAccidentalDistance * i, gAccidentalPositions[i], gCurrentScoreWindow);
    }
    SetRunningKey(GetTypeId());
    return this;
}

// ---- the running key ----

sPitch KeySignature::GetMidiPitch() {
    SetRunningKey(GetTypeId());
    return sPitch(kNoPitch);
}

int32_t KeySignature::GetDurationTicks() {
    SetRunningKey(GetTypeId());
    return 0;
}

void KeySignature::LayoutTime(cPObjBase *, int32_t, uint8_t) { SetRunningKey(GetTypeId()); }

bool KeySignature::OnInsert() {
    if (cStaffServices *staff = StaffServicesOf(this)) {
        RegisterWithStaff(staff);
        SetRunningKey(GetTypeId());
    }
    return ShapeObject::OnInsert();
}

void KeySignature::SetOwner(cPObjOwnBase *newOwner) {
    ShapeObject::SetOwner(newOwner);
    if (newOwner && newOwner->GetTypeId() == kStaffTypeId)
        if (cStaffServices *staff = StaffServicesOf(this)) staff->SetDefaultKey(GetTypeId());
}

// ---- transposition ----

int16_t KeySignature::GetTransposedKeyId(int32_t semitones) {
    sKeySignature key(GetAccidentalCount());
    return KeyIdOfCount(key.Transpose(semitones));
}

int32_t KeySignature::TransposeSteps(int32_t semitones, int16_t targetClef) {
    KeySignature *running = KeyPrototype();
    const int32_t from = running ? running->GetAccidentalCount() : 0;
    sKeySignature key(from);
    const int32_t to = key.Transpose(semitones);
    int32_t r = TonicLetterOf(to) - TonicLetterOf(from);
    if (r == 0) {
        // The same letter: an octave either way, or none.
        r = semitones > 10 ? 7 : semitones < -10 ? -7 : 0;
    } else {
        // The letter moves the way the semitones go.
        if (r > 0 && semitones < 0) r -= 7;
        if (r < 0 && semitones >= 0) r += 7;
    }
    if (targetClef != 0) {
        MusicBitMapClef *clef = ClefPrototype();
        MusicBitMapClef *target = ClefPrototype(targetClef);
        // The note keeps its pitch: its step moves by the distance between
        // the two clefs' middle C.
        if (clef && target) r += clef->GetMiddleCPosition() - target->GetMiddleCPosition();
    }
    return r;
}

tStatus KeySignature::OnTranspose(sCmdTranspose *record) {
    // The notes after the key are transposed from it, the old key.
    record->key = GetTypeId();
    const int16_t transposed = GetTransposedKeyId(record->semitones);
    constexpr int32_t kKeyFlag = 0x100;
    if (cMusicOwner *staff = FindMusicOwner(kStaffTypeId)) staff->RunContext(x, kKeyFlag, nullptr);
    ExchangeForClass(this, transposed, RunningKeyId(), 4);
    SetRunningKey(record->key);
    SetRunningClef(record->clef);
    return 0;
}

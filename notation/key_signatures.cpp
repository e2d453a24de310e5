// Key signatures: the letters they alter, their layout and transposition.
#include "notation/symbol_classes.h"

namespace {

// Letters numbered C 0 .. B 6.
constexpr int32_t kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
constexpr int32_t kFlatOrder[7] = {6, 2, 5, 1, 4, 0, 3};   // B E A D G C F

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

// ---- to be completed with the key signature's layout and transposition ----
void KeySignature::RegisterWithStaff(cStaffServices *staff) {}
int16_t KeySignature::GetTransposedKeyId(int32_t semitones) { return GetTypeId(); }
void KeySignature::ComputeAccidentalPositions() {}
int32_t KeySignature::GetAccidentalStep() { return 3; }
int16_t KeySignature::GetAccidentalTypeId() { return 80; }
int32_t KeySignature::GetDrawCount() { return 0; }
int32_t KeySignature::TransposeSteps(int32_t semitones, int16_t targetClef) { return 0; }

// Clefs: their constants and the running clef.
#include "notation/symbol_classes.h"

namespace {

struct sClefConstants {
    int16_t id;
    int8_t line, firstFlat, firstSharp, flatWrap, sharpWrap, middleC;
};

// The answers of each clef class; an id not listed answers the base row.
constexpr sClefConstants kBaseClef = {0, 2, 2, 2, -3, -1, 2};
constexpr sClefConstants kClefConstants[] = {
    {96, 2, 2, -6, -3, -1, 0},   // ClefPercussion1
    {97, 2, 2, -6, -3, -1, 0},   // ClefPercussion2
    {98, 2, 1, -3, -3, -1, 0},   // ClefAlto
    {99, 1, 1, 4, -3, -6, 0},    // ClefTenor
    {100, 3, -2, -6, -3, -1, -3},  // ClefG8
    {101, 3, -2, -6, -3, -1, 4},   // ClefG
    {102, 1, 4, 0, -3, -1, -4},    // ClefF
};

const sClefConstants &ConstantsOf(int16_t id) {
    for (const sClefConstants &c : kClefConstants)
        if (c.id == id) return c;
    return kBaseClef;
}

}  // namespace

int32_t MusicBitMapClef::GetClefLine() { return ConstantsOf(GetTypeId()).line; }
int32_t MusicBitMapClef::GetFirstFlatOffset() { return ConstantsOf(GetTypeId()).firstFlat; }
int32_t MusicBitMapClef::GetFirstSharpOffset() { return ConstantsOf(GetTypeId()).firstSharp; }
int32_t MusicBitMapClef::GetMiddleCOffset() { return ConstantsOf(GetTypeId()).middleC; }
int32_t MusicBitMapClef::GetFlatWrapLimit() { return ConstantsOf(GetTypeId()).flatWrap; }
int32_t MusicBitMapClef::GetSharpWrapLimit() { return ConstantsOf(GetTypeId()).sharpWrap; }

MusicBitMapClef *ClefPrototype(int16_t id) {
    if (id == 0) id = gMusicState.clef;
    // Only clef ids are looked up: the registry reports an error for an id
    // it does not hold.
    if (id < kFirstClefId || id > kLastClefId) id = kDefaultClefId;
    return dynamic_cast<MusicBitMapClef *>(cPObjBase::PrototypeById(id));
}

// Clefs: their constants, the running clef and the exchange of clefs when a
// score is transposed.
#include "document/music_commands.h"
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

bool IsClefId(int32_t id) { return id >= kFirstClefId && id <= kLastClefId; }

// The clef the walks read the staff with: ClefG until a clef has run.
int16_t RunningClefId() { return gMusicState.clef ? gMusicState.clef : kDefaultClefId; }

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

// ---- the running clef ----

void MusicBitMapClef::MoveBy(int32_t dx, int32_t dy) { MusicBitMap::MoveBy(dx, 0); }

sPitch MusicBitMapClef::GetMidiPitch() {
    SetRunningClef(GetTypeId());
    return sPitch(kNoPitch);
}

int32_t MusicBitMapClef::GetDurationTicks() {
    SetRunningClef(GetTypeId());
    return 0;
}

void MusicBitMapClef::LayoutTime(cPObjBase *, int32_t, uint8_t) { SetRunningClef(GetTypeId()); }

cPObjPoint *MusicBitMapClef::Draw() {
    MusicBitMap::Draw();
    SetRunningClef(GetTypeId());
    return this;
}

bool MusicBitMapClef::OnInsert() {
    const bool accepted = MusicBitMap::OnInsert();
    if (cStaffServices *staff = StaffServicesOf(this)) staff->PlaceAtStep(this, 2 * GetClefLine());
    SetRunningClef(GetTypeId());
    return accepted;
}

void MusicBitMapClef::SetOwner(cPObjOwnBase *newOwner) {
    MusicBitMap::SetOwner(newOwner);
    if (newOwner && newOwner->GetTypeId() == kStaffTypeId)
        if (cStaffServices *staff = StaffServicesOf(this)) staff->SetDefaultClef(GetTypeId());
}

// ---- transposition ----

tStatus MusicBitMapClef::OnTranspose(sCmdTranspose *record) {
    // The notes after the clef are transposed relative to it, the old clef.
    record->clef = GetTypeId();
    // A target that names no clef keeps the clefs as they are.
    if (!IsClefId(record->targetClef)) return 0;
    const auto target = int16_t(record->targetClef);
    constexpr int32_t kClefFlag = 0x80;
    if (cMusicOwner *staff = FindMusicOwner(kStaffTypeId)) staff->RunContext(x, kClefFlag, nullptr);
    ExchangeForClass(this, target, RunningClefId(), 0);
    SetRunningKey(record->key);
    SetRunningClef(record->clef);
    return 0;
}

void ExchangeForClass(cPObjPoint *symbol, int16_t id, int16_t runningId, int32_t replaceMode) {
    if (id == runningId) {
        symbol->Detach(0);
        delete symbol;
        return;
    }
    cPObjOwnBase *holder = symbol->FindOwner(0, 0);
    cPObjPoint *replacement = holder ? cPObjBase::NewById(id) : nullptr;
    if (!replacement) return;
    replacement->CopyFrom(*symbol);
    // In mode 4 the owner deletes a replacement it refuses; in the others
    // it stays the caller's.
    if (holder->ReplaceChild(symbol, replacement, replaceMode) != replacement && replaceMode != 4) delete replacement;
}

// ---- edges of the glyph as drawn ----

namespace {

// The clef's picture when it is a glyph of the music font; null for a
// bitmap or without a picture.
cShapeBmpFont *FontPictureOf(int16_t id) { return dynamic_cast<cShapeBmpFont *>(cShapeImg::FindForClass(id)); }

}  // namespace

int32_t MusicBitMapClef::GlyphShiftX() {
    cShapeBmpFont *glyph = FontPictureOf(GetTypeId());
    return glyph ? glyph->GetHotSpotX() : 0;
}

int32_t MusicBitMapClef::GlyphShiftY() {
    cShapeBmpFont *glyph = FontPictureOf(GetTypeId());
    return glyph ? glyph->GetHotSpotY() : 0;
}

int32_t MusicBitMapClef::GetLeft() { return MusicBitMap::GetLeft() + GlyphShiftX(); }
int32_t MusicBitMapClef::GetTop() { return MusicBitMap::GetTop() + GlyphShiftY(); }
int32_t MusicBitMapClef::GetRight() { return MusicBitMap::GetRight() + GlyphShiftX(); }
int32_t MusicBitMapClef::GetBottom() { return MusicBitMap::GetBottom() + GlyphShiftY(); }

cRectangl *MusicBitMapClef::GetImageRect() {
    cRectangl *rect = MusicBitMap::GetImageRect();
    rect->Offset(GlyphShiftX(), GlyphShiftY());
    return rect;
}

// Rests: everything but their spelling of a duration comes from the glyph
// base and the catalogue (duration, picture, family bits).  Half and whole
// rests are bitmaps whose hot spot is the middle of their 12 x 8 box, so
// they are drawn centred on their position; the shorter ones are glyphs.
#include "document/music_base.h"
#include "notation/duration_spelling.h"
#include "notation/symbol_classes.h"

namespace {

constexpr int16_t kRestByIndex[11] = {
    Rest164::kClassId, Rest164::kClassId, Rest132::kClassId, Rest116::kClassId,
    Rest18::kClassId,  Rest14::kClassId,  Rest12::kClassId,  Rest11::kClassId,
    Rest11::kClassId,  Rest11::kClassId,  Rest11::kClassId,
};

}  // namespace

cPObjPoint *cMusicBase::RestForDuration(int32_t ticks) { return NewSymbolForDuration(ticks, kRestByIndex); }

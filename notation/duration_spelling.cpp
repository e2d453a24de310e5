#include "notation/duration_spelling.h"

#include "document/owner_base.h"
#include "document/symbol_base.h"

cPObjPoint *NewSymbolForDuration(int32_t ticks, const int16_t (&classByIndex)[11]) {
    constexpr int16_t kDot = 30, kDoubleDot = 31;
    const sDurationSpelling spelling = SpellDuration(ticks);
    cPObjPoint *symbol = cPObjBase::NewById(classByIndex[spelling.index]);
    if (!symbol || spelling.dots == 0) return symbol;
    auto *dot = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(spelling.dots == 1 ? kDot : kDoubleDot));
    if (dot && dot->InsertChild(symbol)) return dot;
    symbol->SetOwner(nullptr);
    delete dot;
    return symbol;
}

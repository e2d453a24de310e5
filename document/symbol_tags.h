// Tags of live symbols: a 32-bit number that stands for a symbol where a
// pointer cannot travel, such as the position marks of a playing MIDI
// stream, whose callback names the symbol to highlight.  A tag names one
// symbol for as long as it lives and is never given to another, so a mark
// that arrives after its symbol went finds nothing rather than a stranger.
#pragma once

#include <cstdint>

class cPObjBase;

// The symbol's tag, given on first use; 0 for no symbol.
uint32_t TagOfSymbol(const cPObjBase *symbol);
// The live symbol with the tag; null when it is gone or the tag was never
// given.
cPObjBase *SymbolOfTag(uint32_t tag);
// The symbol goes: its tag no longer finds it.  Cheap for a symbol that
// never had a tag.
void ForgetSymbolTag(const cPObjBase *symbol);

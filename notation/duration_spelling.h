// How a duration in ticks becomes a note or rest symbol: the value that
// spells it (units of 15 x 2^index ticks, index 0..10) and its dots.  The
// MIDI import and the keyboard entry turn what they hear into notes and
// rests this way; durations the values cannot spell are cut down to the
// nearest one below (600 ticks: a plain quarter).
#pragma once

#include <cstdint>

#include "document/point_symbol.h"

struct sDurationSpelling {
    int32_t index;  // 0 .. 10
    int32_t dots;   // 0 .. 2
};

// The longest duration spelled; anything longer is spelled as this.
constexpr int32_t kLongestSpelledTicks = 15360;

constexpr sDurationSpelling SpellDuration(int32_t ticks) {
    const int32_t t = ticks < 0 ? 0 : ticks > kLongestSpelledTicks ? kLongestSpelledTicks : ticks;
    int32_t n = t / 15, k = 0;
    while (n > 7) {
        n >>= 1;
        ++k;
    }
    if (n >= 4) return {k + 2, n == 6 ? 1 : n == 7 ? 2 : 0};
    if (n >= 2) return {k + 1, n == 3 ? 1 : 0};
    return {k, 0};
}

// A new symbol of the class the table gives for the spelled index; with
// dots, a new dot (class 30) or double dot (31) that owns it.  Null
// without a registry.
cPObjPoint *NewSymbolForDuration(int32_t ticks, const int16_t (&classByIndex)[11]);
